// The bounds of what the engine's records may give. Positions and sizes of objects, sprite frames, layers and
// form controls stay within +-GP_MaxRecordExtent (the screen is 640 x 480, a picture far smaller than the
// bound), so that no sum or product the engine forms of them overflows; counts of frames stay within a frame
// grid's. A record beyond them is damaged: its reader throws the fatal engine exception that names it.
#pragma once
#include <cstdint>

class CGP_BinaryServer;
struct GP_ObjectBlock;
namespace platform {
struct Rect;
}

constexpr std::int32_t GP_MaxRecordExtent = 32767;

bool GP_WithinExtent(std::int32_t value);
// Finite and within the extent.
bool GP_WithinExtent(float value);
bool GP_WithinExtent(const platform::Rect& rect);

// The position and size of an object's block, as the binary server just read it.
void GP_CheckObjectBlock(const CGP_BinaryServer& binary, const GP_ObjectBlock& block);
// A frame count of 0 up to a frame grid's cells.
void GP_CheckFrameCount(const CGP_BinaryServer& binary, std::int64_t count, const char* what);
