#include "GP_Application.h"

#include "GP_Exception.h"
#include "GP_Surface.h"

void CGP_MainWindow::FrameTick(bool, float)
{
    if (!display) return;
    display->backSurface->Clear(0);
    display->DrawFps(display->backSurface, 10, 10);
    display->Present(1);  // waits for the vertical blank, so the loop does not spin
}

void CGP_MainWindow::OnActivate(CGP_Window*)
{
    app->active = 1;
    if (frameTimer) frameTimer->Resume();
}

void CGP_MainWindow::OnDeactivate(CGP_Window*)
{
    if (frameTimer) frameTimer->Pause();
    app->active = 0;
}

CGP_Application::~CGP_Application()
{
    if (display && GP_DisplayPtr == display.get()) GP_PublishDisplayValues(nullptr);
}

void CGP_Application::Init()
{
    window = std::make_unique<CGP_MainWindow>(this);
    // Without its window the loop would wait for ever for messages that can never come.
    if (!window->Create("Velmorine", WS_POPUP | WS_SYSMENU, 0, 0, 640, 480))
        throw CGP_FatalExeption("GP_Application", __LINE__, "The main window cannot be created");
    window->SetIcon(101);
    ShowWindow(window->handle, SW_SHOW);
    display = std::make_unique<CGP_Display>();
    if (display->Init() || display->SetWindowed(0, window->handle, 640, 480))
        throw CGP_FatalExeption("GP_Application", __LINE__, "The display cannot be set up",
                                "Unable to initialize DirectX drivers.", 1);
    GP_PublishDisplayValues(display.get());
    window->display = display.get();
    frameTimer = std::make_unique<CGP_GameTimer>(window.get(), 0);
    frameTimer->callback = static_cast<GP_TimerCallback>(&CGP_MainWindow::FrameTick);
    window->frameTimer = frameTimer.get();
    frameTimer->Start();
}

void CGP_Application::Idle(std::uint8_t*) { frameTimer->Tick(active != 0); }

int CGP_Application::Exit()
{
    window->frameTimer = nullptr;
    window->display = nullptr;
    frameTimer.reset();
    display.reset();
    GP_PublishDisplayValues(nullptr);
    window.reset();
    return 0;
}
