// Where the session's picture lies in the host window's client area (the letterbox offsets): the library front
// stores pointer positions less these, and the pointer warp adds them back.
#pragma once

void SetPointerOffset(int x, int y);
int GetPointerOffsetX();
int GetPointerOffsetY();
