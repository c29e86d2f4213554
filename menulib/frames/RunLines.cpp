#include "frames/RunLines.h"

#include <cstring>

std::uint32_t PlaneLength(const std::uint8_t* plane)
{
    std::uint32_t length = 0;
    if (plane) std::memcpy(&length, plane, sizeof length);
    return length;
}

bool FindRunAt(const std::uint8_t* line, const std::uint8_t* end, int valueBytes, int x, RunHit& hit)
{
    int position = 0, alpha = 0;
    while (line < end && position <= x) {
        const std::uint8_t control = *line++;
        if (control & kRunSkip) {
            position += control & kRunSkipMask;
            continue;
        }
        const int count = control & kRunCountMask;
        const bool literal = (control & kRunLiteral) != 0;
        const int bytes = literal ? count * valueBytes : valueBytes;
        if (end - line < bytes) return false;
        if (x < position + count) {
            hit.literal = literal;
            hit.value = literal ? line + (x - position) * valueBytes : line;
            hit.alphaIndex = literal ? alpha + (x - position) : alpha;
            return true;
        }
        alpha += literal ? count : 1;
        position += count;
        line += bytes;
    }
    return false;
}

bool WalkLine(const std::uint8_t* line, const std::uint8_t* end, int valueBytes, int width, const std::uint8_t*& next,
              int& alphaBytes)
{
    int position = 0;
    alphaBytes = 0;
    while (position < width) {
        if (line >= end) return false;
        const std::uint8_t control = *line++;
        if (control & kRunSkip) {
            position += control & kRunSkipMask;
            continue;
        }
        const int count = control & kRunCountMask;
        const bool literal = (control & kRunLiteral) != 0;
        const int bytes = literal ? count * valueBytes : valueBytes;
        if (end - line < bytes) return false;
        alphaBytes += literal ? count : 1;
        position += count;
        line += bytes;
    }
    next = line;
    return true;
}
