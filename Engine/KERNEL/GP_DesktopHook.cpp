#include "GP_DesktopHook.h"

namespace {
GP_DesktopRestorer currentRestorer = nullptr;
}

void GP_SetDesktopRestorer(GP_DesktopRestorer restorer) { currentRestorer = restorer; }

void GP_GiveDesktopBack()
{
    if (!currentRestorer) return;
    try {
        currentRestorer();
    } catch (...) {
        // Leaving full screen is a courtesy before an error message; it must never raise one of its own.
    }
}
