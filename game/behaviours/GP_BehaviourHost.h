// What the game's behaviours reach of the main frame beyond the engine's play host: the shared play values,
// the scene with its player, the hit groups, the sound player, the level display's message and weapon elements.
// The main frame implements it; tests implement it with a small host of their own.
#pragma once
#include <cstdint>

#include "GP_PlayHost.h"
#include "GP_PlayState.h"

class CGP_Scene;
class CGP_Weapon;

class CGP_BehaviourHost : public CGP_PlayHost {
public:
    GP_PlayState& PlayState() { return *play; }
    // The scene being played; null between levels.
    virtual CGP_Scene* GetScene() = 0;
    // Whether objects of the list's kind hit objects of the kind id (the layer resource's hit groups).
    virtual bool IsIdInList(std::uint16_t listIndex, std::uint32_t id) = 0;
    // Plays the sound at the object through the sound player.
    virtual void PlaySound(CGP_GameObject* object, std::uint32_t soundID, bool looping, bool positioned,
                           bool follow) = 0;
    // Shows the text of the ID on the level display's message label at y.
    virtual void ShowMessage(std::uint32_t textID, float y) = 0;
    // Puts the level display's weapon elements back as a boss fight starts: the selected weapon icon at its
    // first frame, no weapon selected, the two moved elements at their places.
    virtual void ResetWeaponDisplay() = 0;
    // The weapon index (0 to 9) becomes the selected weapon and the weapon indicator's.
    virtual void SelectWeapon(std::int32_t index) = 0;
    // The weapon indicator shows the weapon of the index; -1 shows none. The selected weapon stays.
    virtual void SetWeaponIndicator(std::int32_t selection) = 0;
    // The index of the selected weapon icon.
    virtual std::int32_t GetSelectedWeapon() = 0;
    // The weapon icon of the index back at its first frame; nothing for an index without icon.
    virtual void RewindWeaponIcon(std::int32_t index) = 0;
    // The last ship is lost: the game is over (its message, the top list and the log).
    virtual void GameOver() = 0;
    // Shows the slow-motion icon of the level display, blinking from the start.
    virtual void ShowSlowMotionIcon() = 0;
    // The sound player's listener follows the object; null puts it back at the screen centre.
    virtual void SetSoundListener(CGP_GameObject* object) = 0;
    // The plain behaviour whose states do nothing (the behaviour table's default).
    virtual CGP_Behaviour* GetDefaultBehaviour() = 0;
    // The weapon of the ID through the weapon server; null without one.
    virtual CGP_Weapon* GetWeapon(std::uint32_t weaponID);

protected:
    GP_PlayState playState;
    // The values the behaviours share; the main frame points it at the game's process-wide state.
    GP_PlayState* play = &playState;
};
