#include "GP_RecordBounds.h"

#include <cmath>

#include "GP_BinaryServer.h"
#include "GP_Object.h"
#include "GP_Surface.h"
#include "platform/rect.h"

bool GP_WithinExtent(std::int32_t value) { return value >= -GP_MaxRecordExtent && value <= GP_MaxRecordExtent; }

bool GP_WithinExtent(float value)
{
    return std::isfinite(value) && value >= -GP_MaxRecordExtent && value <= GP_MaxRecordExtent;
}

bool GP_WithinExtent(const platform::Rect& rect)
{
    return GP_WithinExtent(rect.left) && GP_WithinExtent(rect.top) && GP_WithinExtent(rect.right) &&
           GP_WithinExtent(rect.bottom);
}

void GP_CheckObjectBlock(const CGP_BinaryServer& binary, const GP_ObjectBlock& block)
{
    if (!GP_WithinExtent(block.x) || !GP_WithinExtent(block.y)) binary.ThrowOutOfBounds(__LINE__, "position");
    if (!GP_WithinExtent(block.width) || !GP_WithinExtent(block.height)) binary.ThrowOutOfBounds(__LINE__, "size");
}

void GP_CheckFrameCount(const CGP_BinaryServer& binary, std::int64_t count, const char* what)
{
    if (count < 0 || count > CGP_SurfaceFrames::MaxGridCells) binary.ThrowOutOfBounds(__LINE__, what);
}
