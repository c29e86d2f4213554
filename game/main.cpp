// The Velmorine program, for now: the session log, the main window, the display in a window and the message
// loop with the frame timer, which shows an empty frame with its rate each tick, until the game's own entry and
// application object take their place.
#include <cstdio>
#include <memory>

#include "GP_AppBase.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_Log.h"
#include "GP_Surface.h"
#include "GP_Timer.h"
#include "GP_Window.h"

namespace {

class MainWindow : public CGP_Window {
public:
    using CGP_Window::CGP_Window;

    void FrameTick(bool active, float elapsedMs)
    {
        if (!display) return;
        display->backSurface->Clear(0);
        display->DrawFps(display->backSurface.get(), 10, 10);
        display->Present(1);  // waits for the vertical blank, so the loop does not spin
    }

    void OnActivate(CGP_Window*) override
    {
        app->active = 1;
        if (frameTimer) frameTimer->Resume();
    }
    void OnDeactivate(CGP_Window*) override
    {
        if (frameTimer) frameTimer->Pause();
        app->active = 0;
    }

    CGP_GameTimer* frameTimer = nullptr;
    CGP_Display* display = nullptr;
};

class Application : public CGP_AppBase {
public:
    void Init() override
    {
        window = std::make_unique<MainWindow>(this);
        // Without its window the loop would wait for ever for messages that can never come.
        if (!window->Create("Velmorine", WS_POPUP | WS_SYSMENU, 0, 0, 640, 480))
            throw CGP_FatalExeption(__FILE__, __LINE__, "The main window cannot be created");
        window->SetIcon(101);
        ShowWindow(window->handle, SW_SHOW);
        display = std::make_unique<CGP_Display>();
        if (display->Init() || display->SetWindowed(0, window->handle, 640, 480))
            throw CGP_FatalExeption(__FILE__, __LINE__, "The display cannot be set up",
                                    "Unable to initialize DirectX drivers.", 1);
        GP_PublishDisplayValues(display.get());
        window->display = display.get();
        frameTimer = std::make_unique<CGP_GameTimer>(window.get(), 0);
        frameTimer->callback = static_cast<GP_TimerCallback>(&MainWindow::FrameTick);
        window->frameTimer = frameTimer.get();
        frameTimer->Start();
    }

    void Idle(std::uint8_t*) override { frameTimer->Tick(active != 0); }

    int Exit() override
    {
        window->frameTimer = nullptr;
        window->display = nullptr;
        frameTimer.reset();
        display.reset();
        window.reset();
        return 0;
    }

private:
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<CGP_Display> display;
    std::unique_ptr<CGP_GameTimer> frameTimer;
};

}  // namespace

int main()
{
    CGP_Log log("Exception.log");
    log.Open();
    try {
        Application application;
        return application.Run();
    } catch (const CGP_Exeption& error) {
        std::unique_ptr<char[]> text(error.GetMessage());
        GP_LogWrite(text.get());
        GP_LogWrite("\n");
        std::fprintf(stderr, "Velmorine: %s\n", text.get());
        return -1;
    }
}
