// SDL's devices: the relative mouse, and the first joystick, opened as a game controller where SDL knows its
// mapping, else as a plain joystick; pulled out, it is let go and the next one plugged in is found.
#include <SDL.h>

#include "input/input_backend.h"

namespace {

class SdlInputBackend : public platform::input::Backend {
public:
    ~SdlInputBackend() override { Close(); }

    bool HasMouse() override { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

    void CaptureMouse(bool captured) override
    {
        if (!HasMouse()) return;
        SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE);
        SDL_GetRelativeMouseState(nullptr, nullptr);  // motion from before the capture does not count
    }

    platform::input::MouseSample TakeMouse() override
    {
        platform::input::MouseSample sample;
        if (!HasMouse()) return sample;
        const Uint32 buttons = SDL_GetRelativeMouseState(&sample.dx, &sample.dy);
        sample.buttons[0] = buttons & SDL_BUTTON_LMASK;
        sample.buttons[1] = buttons & SDL_BUTTON_RMASK;
        sample.buttons[2] = buttons & SDL_BUTTON_MMASK;
        return sample;
    }

    bool HasJoystick() override
    {
        if (!StartSubsystem()) return false;
        SDL_JoystickUpdate();
        if (joystick && !SDL_JoystickGetAttached(joystick)) Close();
        if (!joystick) Open();
        return joystick != nullptr;
    }

    std::string JoystickName() override
    {
        const char* name = joystick ? SDL_JoystickName(joystick) : nullptr;
        return name ? name : "Joystick";
    }

    platform::input::JoystickSample ReadJoystick() override
    {
        platform::input::JoystickSample sample;
        if (controller) {
            sample.x = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
            sample.y = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
            sample.buttons[0] = SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_A);
            sample.buttons[1] = SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_B);
        } else if (joystick) {
            sample.x = SDL_JoystickNumAxes(joystick) > 0 ? SDL_JoystickGetAxis(joystick, 0) : 0;
            sample.y = SDL_JoystickNumAxes(joystick) > 1 ? SDL_JoystickGetAxis(joystick, 1) : 0;
            for (int b = 0; b < 2; ++b)
                sample.buttons[b] = b < SDL_JoystickNumButtons(joystick) && SDL_JoystickGetButton(joystick, b);
        }
        return sample;
    }

private:
    bool StartSubsystem()
    {
        if (!started && !failed) {
            started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
            failed = !started;
        }
        return started;
    }

    void Open()
    {
        if (SDL_NumJoysticks() < 1) return;
        if (SDL_IsGameController(0)) controller = SDL_GameControllerOpen(0);
        joystick = controller ? SDL_GameControllerGetJoystick(controller) : SDL_JoystickOpen(0);
    }

    void Close()
    {
        if (controller)
            SDL_GameControllerClose(controller);
        else if (joystick)
            SDL_JoystickClose(joystick);
        controller = nullptr;
        joystick = nullptr;
    }

    bool started = false;
    bool failed = false;
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;
};

}  // namespace

namespace platform::input {

Backend& SdlBackend()
{
    // Never destroyed: SDL may already be shut down when the program's statics go.
    static auto* backend = new SdlInputBackend;
    return *backend;
}

}  // namespace platform::input
