// The demo's window messages turned into the toolkit's mouse and keyboard records, as the library front does in a
// menu session: the pointer's position and buttons, the down state of keys by scan code, and typed key codes.
#pragma once
#include "platform/win32_base.h"

void FeedToolkitInput(UINT message, WPARAM wParam, LPARAM lParam);
