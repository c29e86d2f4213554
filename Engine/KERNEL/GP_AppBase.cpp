#include "GP_AppBase.h"

#include "platform/win32_window.h"

int CGP_AppBase::Run() { return GP_MessageLoop(this); }

namespace {

// Takes the waiting message and dispatches it; false when it is WM_QUIT.
bool DispatchWaitingMessage(MSG& msg)
{
    if (!GetMessageA(&msg, nullptr, 0, 0)) return false;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

}  // namespace

int GP_MessageLoop(CGP_AppBase* app)
{
    app->Init();
    MSG msg{};
    while (!app->quitting) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!DispatchWaitingMessage(msg)) app->quitting = 1;
        } else {
            std::uint8_t flag = 0;
            app->Idle(&flag);
            if (!app->active) WaitMessage();
        }
    }
    return app->Exit();
}
