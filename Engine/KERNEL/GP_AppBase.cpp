#include "GP_AppBase.h"

#include "platform/win32_window.h"

int CGP_AppBase::Run() { return GP_MessageLoop(this); }

int GP_MessageLoop(CGP_AppBase* app)
{
    app->Init();
    MSG msg{};
    while (!app->quitting) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&msg, nullptr, 0, 0)) {
                app->quitting = 1;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            std::uint8_t flag = 0;
            app->Idle(&flag);
            if (!app->active) WaitMessage();
        }
    }
    return app->Exit();
}
