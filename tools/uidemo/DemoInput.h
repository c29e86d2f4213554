// The demo's part of the library front: the window's mouse and key messages written into the toolkit's input
// records, key messages of the navigation keys turned into toolkit key codes, typed characters queued as they are.
#pragma once
#include "platform/win32_base.h"

void ForwardToToolkit(UINT message, WPARAM wParam, LPARAM lParam);
