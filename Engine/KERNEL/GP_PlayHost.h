// What the engine's play objects (sprite manager, game objects, weapons, scene) reach of the game: its servers,
// its sprite manager, its object lists and behaviour table, and where the player goes once a scene places it.
// The game's main frame implements it; tests implement it with a small host of their own.
#pragma once
#include <cstdint>

class CGP_Behaviour;
class CGP_GameObject;
class CGP_ObjectList;
class CGP_ServerSet;
class CGP_SpriteManager;

class CGP_PlayHost {
public:
    virtual ~CGP_PlayHost() = default;

    virtual CGP_ServerSet* GetServers() = 0;
    virtual CGP_SpriteManager* GetSpriteManager() = 0;
    // The list of the object kind's low 16 bits; null when the game keeps none for it.
    virtual CGP_ObjectList* GetObjectList(std::uint16_t kindIndex) = 0;
    // The behaviour of the behaviour ID's low 16 bits; null when there is none.
    virtual CGP_Behaviour* GetBehaviour(std::uint16_t behaviourIndex) = 0;
    // A scene placed the player's ship: the controls and the sound listener take it.
    virtual void SetPlayer(CGP_GameObject* player) {}
};
