// The game's application object: the message loop calls Init once, Idle on every idle turn and Exit at the end.
// For now it opens the main window and the display and shows an empty frame with its rate each tick; the main
// frame takes over the window, the devices and the frame tick as it grows.
#pragma once
#include <memory>

#include "GP_AppBase.h"
#include "GP_Display.h"
#include "GP_Timer.h"
#include "GP_Window.h"

class CGP_MainWindow : public CGP_Window {
public:
    using CGP_Window::CGP_Window;

    void FrameTick(bool active, float elapsedMs);
    void OnActivate(CGP_Window*) override;
    void OnDeactivate(CGP_Window*) override;

    CGP_GameTimer* frameTimer = nullptr;
    CGP_Display* display = nullptr;
};

class CGP_Application : public CGP_AppBase {
public:
    explicit CGP_Application(HINSTANCE instance) : CGP_AppBase(instance) {}
    // The display goes with the object, so nothing may reach it through the published pointer afterwards.
    ~CGP_Application() override;

    void Init() override;
    void Idle(std::uint8_t* flag) override;
    int Exit() override;

private:
    std::unique_ptr<CGP_MainWindow> window;
    std::unique_ptr<CGP_Display> display;
    std::unique_ptr<CGP_GameTimer> frameTimer;
};
