// The host's window messages turned into the mouse and keyboard state that the session's screen window reads.
#pragma once

// The mouse position of the menu: the host's client point less the layout offsets.
void SetMousePosition(int x, int y);
// The toolkit key code typed by a key-down message of the virtual key; 0 types nothing.
int TranslateVirtualKey(int virtualKey, bool controlDown);
