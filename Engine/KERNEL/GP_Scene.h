// A level's scene: the parameter block, the play field with its layers, the objects placed on it (among them
// the player) and the sprite IDs whose definitions the level needs. The scene owns its play field; the objects
// belong to their object lists.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "GP_GameObject.h"
#include "GP_PagedTable.h"

class CGP_PlayField;
class CGP_PlayHost;
class CGP_ServerSet;

constexpr std::uint32_t GP_TypeSceneParameters = 16;
constexpr std::uint32_t GP_PlayerSpriteID = 0x70004;

struct GP_SceneParameters {
    std::uint32_t size = sizeof(GP_SceneParameters);
    std::uint32_t type = GP_TypeSceneParameters;
    float speed = 1.0f;  // the scene keeps its reciprocal as speedFactor
    std::uint32_t word12 = 0;
    std::uint32_t word16 = 0;
    float enemyFirePeriod = 0;  // milliseconds
    std::uint32_t word24 = 0;
};
static_assert(sizeof(GP_SceneParameters) == 28);

// The scene resource as it lies in the file: the parameter block, the play field's block, the object blocks
// and the sprite IDs, each list after a u16 count.
struct GP_SceneRecord {
    GP_SceneParameters parameters;
    std::vector<GP_GameObjectBlock> objects;
    std::vector<std::uint32_t> spriteIDs;

    // Reads everything but the play field's block, which the field reads itself between the parameters and
    // the objects.
    void Read(CGP_ServerSet* servers, CGP_PlayField& field);
    // Tool side: the same order, the field's block written by the field.
    void Write(CGP_ServerSet* servers, CGP_PlayField& field);
};

class CGP_Scene {
public:
    explicit CGP_Scene(CGP_PlayHost* owner) : owner(owner) {}
    CGP_Scene(const CGP_Scene&) = delete;
    CGP_Scene& operator=(const CGP_Scene&) = delete;
    virtual ~CGP_Scene();

    // Reads the scene resource open in the binary server into the play field given before, creates its
    // objects (their start delays spread) and, with preloadDefinitions, loads the level's definitions.
    void Load(CGP_ServerSet* servers, bool preloadDefinitions, bool loadImages);

    CGP_GameObject* player = nullptr;
    std::unique_ptr<CGP_PlayField> playField;
    std::unique_ptr<GP_SceneParameters> parameters = std::make_unique<GP_SceneParameters>();
    CGP_PagedTable objects;    // of CGP_GameObject
    CGP_PagedTable spriteIDs;  // of IDs in pointer entries
    float speedFactor = 1.0f;
    CGP_PlayHost* owner = nullptr;

private:
    void Place(const GP_GameObjectBlock& block);
};
