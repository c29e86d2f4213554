#include "ui/PointerOffset.h"

namespace {

int offsetX = 0;
int offsetY = 0;

}  // namespace

void SetPointerOffset(int x, int y)
{
    offsetX = x;
    offsetY = y;
}

int GetPointerOffsetX() { return offsetX; }
int GetPointerOffsetY() { return offsetY; }
