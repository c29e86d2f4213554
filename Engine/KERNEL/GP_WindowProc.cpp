#include "GP_WindowProc.h"

#include "GP_Window.h"

namespace {
GP_LibraryMessageHook libraryHook = nullptr;
}

void GP_SetLibraryMessageHook(GP_LibraryMessageHook hook) { libraryHook = hook; }

LRESULT GP_WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (libraryHook && libraryHook(window, message, wParam, lParam)) return 1;
    if (auto* object = reinterpret_cast<CGP_Window*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
        if (message == WM_USER + 1) {
            object->OnUserMessage(object, window, wParam, lParam);
            return 0;
        }
        // The screen saver does not start while the game runs.
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
        if (object->Dispatch(message, wParam, lParam)) return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
