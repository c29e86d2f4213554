// The player's ship: it stands on a line near the bottom of the screen and moves only sideways toward the x the
// controls steer it to, leaning as it goes. It fires a plain shot (one on the screen at a time) and the fully
// charged special weapons; it enters and comes back invulnerable and blinking; when it is destroyed the enemies
// are pushed back up, a reserve ship is used and it returns after a pause, or, with none left, the game is over.
#pragma once
#include <cstdint>

#include "GP_GameBehaviour.h"

enum GP_PlayerShipBehaviourState : std::int32_t {
    GP_ShipEnter = 1,
    GP_ShipRest = 2,
    GP_ShipMove = 3,
    GP_ShipDestroyed = 4,
    GP_ShipRespawn = 6,
};

// The ship's sprite states.
enum GP_PlayerShipSpriteState : std::int32_t {
    GP_ShipHidden = 0,
    GP_ShipShown = 1,
};

class CGP_PlayerShipBehaviour : public CGP_GameBehaviour {
public:
    static constexpr float LineY = 395.0f;
    static constexpr float InvulnerableTime = 2000.0f;
    static constexpr float BlinkTime = 75.0f;
    static constexpr float RespawnTime = 3000.0f;
    static constexpr std::int32_t MaxSteer = 12;  // pixels a frame
    static constexpr int SpecialWeapons = 9;
    static constexpr std::int32_t FullCharge = 4;
    static constexpr std::uint16_t ShotList = 2;  // the player's plain shots
    // Enemies of list 0 that stay where they are when the ship is lost.
    static constexpr std::uint32_t FirstUnmovedSprite = 0x60022, LastUnmovedSprite = 0x6002D;
    static constexpr float PushBackSpeed = -0.1f;

    explicit CGP_PlayerShipBehaviour(CGP_BehaviourHost* owner);

    // The base attach; hidden, about to enter.
    void Attach(CGP_GameObject* object) override;
    // The controls: steering, fire 1, fire 2 and the hidden mode's weapon choice for weapons 0 to 8.
    void Event3(CGP_GameObject* object, std::int32_t dx, std::int32_t dy, float elapsed) override;
    void Event4(CGP_GameObject* object) override { Fire1(object); }
    std::int32_t Event5(CGP_GameObject* object) override;
    void Event6(CGP_GameObject* object) override { SelectWeapon(object, 0); }
    void Event7(CGP_GameObject* object) override { SelectWeapon(object, 1); }
    void Event8(CGP_GameObject* object) override { SelectWeapon(object, 2); }
    void Event9(CGP_GameObject* object) override { SelectWeapon(object, 3); }
    void Event10(CGP_GameObject* object) override { SelectWeapon(object, 4); }
    void Event11(CGP_GameObject* object) override { SelectWeapon(object, 5); }
    void Event12(CGP_GameObject* object) override { SelectWeapon(object, 6); }
    void Event13(CGP_GameObject* object) override { SelectWeapon(object, 7); }
    void Event14(CGP_GameObject* object) override { SelectWeapon(object, 8); }
    // Nothing hurts the ship while it is invulnerable; otherwise the base hit.
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

    // The x the ship steers to moves by dx, at most trunc(elapsed) and 12 pixels, kept on the screen.
    void Steer(CGP_GameObject* object, std::int32_t dx, float elapsed);
    // The plain shot, when none of the player's shots is on the screen.
    void Fire1(CGP_GameObject* object);
    // Every special weapon at full charge fires and loses its charge.
    void Fire2(CGP_GameObject* object);
    // Hidden mode only: the weapon becomes the one charged and selected.
    void SelectWeapon(CGP_GameObject* object, int weapon);

protected:
    void Enter(CGP_GameObject* object, float timeStep);
    void Rest(CGP_GameObject* object, float timeStep);
    void Move(CGP_GameObject* object, float timeStep);
    void Destroyed(CGP_GameObject* object, float timeStep);
    void Respawn(CGP_GameObject* object, float timeStep);

private:
    static void Blink(CGP_GameObject* object, float timeStep);
    // animPos toward animEnd by the state's rate, then the frame follows.
    static void Lean(CGP_GameObject* object, float timeStep);
    static void MakeInvulnerable(CGP_GameObject* object);
    static bool Disabled(CGP_GameObject* object);
    // The special weapons lose their charges and their display, the timed helpers end.
    void DropWeapons();
    // The enemies of lists 0 and 9 go back up by the shift.
    void PushEnemiesBack();
    std::int32_t PushBackShift() const;
    static void PushUp(CGP_GameObject* enemy, std::int32_t shift);
};
