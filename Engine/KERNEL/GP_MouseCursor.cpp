#include "GP_MouseCursor.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "GP_DirectInput.h"
#include "GP_GameObject.h"
#include "GP_InterfaceHost.h"
#include "platform/win32_window.h"

namespace {

constexpr int CentreX = CGP_MouseCursor::ScreenWidth / 2;
constexpr int CentreY = CGP_MouseCursor::ScreenHeight / 2;
constexpr int SteeringKeyMotion = 640;

enum GP_CursorGameKey {
    KeyLeft = 0,
    KeyRight = 1,
    KeyFire1 = 2,
    KeyFire2 = 3
};
// The extra game keys 4 to 12 ("3" to "9", "0" and "V") choose the special weapons 0 to 8 in turn.
constexpr int FirstWeaponKey = 4;
constexpr void (CGP_GameObject::*WeaponChoices[])() = {
    &CGP_GameObject::Event6,  &CGP_GameObject::Event7,  &CGP_GameObject::Event8,
    &CGP_GameObject::Event9,  &CGP_GameObject::Event10, &CGP_GameObject::Event11,
    &CGP_GameObject::Event12, &CGP_GameObject::Event13, &CGP_GameObject::Event14,
};
constexpr std::uint32_t LeftButtonBit = 1;
constexpr std::uint32_t RightButtonBit = 2;

}  // namespace

CGP_MouseCursor::CGP_MouseCursor(CGP_InterfaceHost* mainFrame, CGP_DirectInput* input, CGP_GameObject* player)
    : CGP_Element(nullptr), mainFrame(mainFrame), joystickBase(std::pow(10.0, 0.00125)), player(player), input(input)
{
    if (!mainFrame) return;
    x = mainFrame->pointerX;
    y = mainFrame->pointerY;
}

void CGP_MouseCursor::MoveBy(int dx, int dy)
{
    x = std::clamp(x + dx, 0, ScreenWidth - 1);
    y = std::clamp(y + dy, 0, ScreenHeight - 1);
}

CGP_MouseCursor::Steering CGP_MouseCursor::MoveByInput()
{
    input->Poll();
    MoveBy(input->mouseMotionX, input->mouseMotionY);
    Steering steer{input->mouseMotionX, input->mouseMotionY};
    if (!input->joystickPresent) return steer;
    // An exponential curve: small deflections steer finely, full deflection (1000) steers 16 pixels.
    const int j = input->joystickX;
    if (j >= 1)
        steer.dx += static_cast<int>(std::pow(joystickBase, j) - 1);
    else
        steer.dx -= static_cast<int>(std::pow(joystickBase, -j) - 1);
    steer.fire1 = input->joystickButtons[0] != 0;
    steer.fire2 = input->joystickButtons[1] != 0;
    return steer;
}

CGP_MouseCursor::Steering CGP_MouseCursor::MoveBySystemCursor()
{
    Steering steer{mainFrame->pointerX - CentreX, mainFrame->pointerY - CentreY};
    MoveBy(steer.dx, steer.dy);
    SetCursorPos(CentreX, CentreY);
    return steer;
}

void CGP_MouseCursor::ReadKeys(Steering& steer) const
{
    const std::uint8_t* pressed = mainFrame->GameKeys.pressed;
    if (pressed[KeyLeft]) steer.dx -= SteeringKeyMotion;
    if (pressed[KeyRight]) steer.dx += SteeringKeyMotion;
    steer.fire1 = steer.fire1 || pressed[KeyFire1];
    steer.fire2 = steer.fire2 || pressed[KeyFire2];
}

void CGP_MouseCursor::ReadButtons(Steering& steer)
{
    const std::uint32_t buttons = mainFrame->TakePointerButtons();
    leftDown = (buttons & LeftButtonBit) ? 1 : 0;
    (leftDown ? leftHeld : leftReleased) = GP_CursorPoint{x, y};
    steer.fire1 = steer.fire1 || leftDown;
    rightDown = (buttons & RightButtonBit) ? 1 : 0;
    (rightDown ? rightHeld : rightReleased) = GP_CursorPoint{x, y};
    steer.fire2 = steer.fire2 || rightDown;
}

void CGP_MouseCursor::SteerPlayer(const Steering& steer, float timeStep)
{
    if (!player || mainFrame->IsLevelSuspended()) return;
    player->Event3(steer.dx, steer.dy, timeStep);
    if (steer.fire1) player->Event4();
    if (steer.fire2) player->Event5();
    const std::uint8_t* pressed = mainFrame->GameKeys.pressed;
    for (int weapon = 0; weapon < static_cast<int>(std::size(WeaponChoices)); ++weapon)
        if (pressed[FirstWeaponKey + weapon]) (player->*WeaponChoices[weapon])();
}

void CGP_MouseCursor::Animate(float timeStep)
{
    elapsed += timeStep;
    if (!frames || elapsed <= AnimationStep) return;
    elapsed = 0;
    frameIndex += frameStep;
    if (frameIndex >= *GetFrameCount()) frameIndex = 0;
    if (frameIndex < 0) {
        frameIndex = 0;
        frameStep = 1;
    }
}

bool CGP_MouseCursor::Update(float timeStep)
{
    if (!mainFrame) return true;
    Steering steer = input ? MoveByInput() : MoveBySystemCursor();
    ReadKeys(steer);
    ReadButtons(steer);
    SteerPlayer(steer, timeStep);
    Block<GP_ElementBlock>()->x = static_cast<float>(x);
    Block<GP_ElementBlock>()->y = static_cast<float>(y);
    Animate(timeStep);
    return true;
}
