// The game's own mouse cursor: an element that keeps the cursor position on the 640 x 480 screen and the state of
// the left and right buttons, moved by DirectInput or, without it, by the system cursor pulled back to the
// screen centre each frame. It also steers the player's ship with the motion, the steering keys and the fire
// buttons.
#pragma once
#include <cstdint>

#include "GP_Object.h"

class CGP_DirectInput;
class CGP_GameObject;
class CGP_InterfaceHost;

struct GP_CursorPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

class CGP_MouseCursor : public CGP_Element {
public:
    static constexpr int ScreenWidth = 640;
    static constexpr int ScreenHeight = 480;
    static constexpr float AnimationStep = 75;  // milliseconds per frame of the cursor picture

    // Starts at the main frame's pointer position, both buttons up.
    CGP_MouseCursor(CGP_InterfaceHost* mainFrame, CGP_DirectInput* input, CGP_GameObject* player);

    bool Update(float timeStep) override;

    CGP_InterfaceHost* mainFrame = nullptr;
    std::int32_t x = 0;
    std::int32_t y = 0;
    double joystickBase;  // 10^0.00125: full deflection (1000) steers 16 pixels a frame
    CGP_GameObject* player = nullptr;
    CGP_DirectInput* input = nullptr;
    GP_CursorPoint leftHeld, leftReleased;  // where the cursor was in the last frame the button was down, up
    GP_CursorPoint rightHeld, rightReleased;
    std::uint8_t leftDown = 0;
    std::uint8_t rightDown = 0;
    std::int32_t frameStep = 1;

private:
    struct Steering {
        int dx = 0, dy = 0;
        bool fire1 = false, fire2 = false;
    };
    Steering MoveByInput();
    Steering MoveBySystemCursor();
    void MoveBy(int dx, int dy);
    void ReadKeys(Steering& steer) const;
    void ReadButtons(Steering& steer);
    void SteerPlayer(const Steering& steer, float timeStep);
    void Animate(float timeStep);
};
