// Giving the desktop back: before an engine error is shown, the display leaves full screen. The display
// installs its restorer while it exists; without a display, giving the desktop back does nothing.
#pragma once

using GP_DesktopRestorer = void (*)();

void GP_SetDesktopRestorer(GP_DesktopRestorer restorer);
// Never throws.
void GP_GiveDesktopBack();
