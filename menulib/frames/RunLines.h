// Walking the lines of run-encoded planes. A line is a sequence of runs, each opened by a control byte: bit 7
// set: a skip of (c & 0x7f) pixels; bit 6 set: a literal of (c & 0x3f) pixel values; neither: a fill of
// (c & 0x3f) pixels with one value. Every plane starts with its byte length as a 32-bit word.
#pragma once
#include <cstdint>

enum RunControl : std::uint8_t {
    kRunSkip = 0x80,
    kRunLiteral = 0x40,
    kRunCountMask = 0x3f,
    kRunSkipMask = 0x7f,
};
constexpr int kMaxSkipRun = 127;
constexpr int kMaxValueRun = 63;
constexpr int kPlaneLengthBytes = 4;

// The byte length a plane records in its first word.
std::uint32_t PlaneLength(const std::uint8_t* plane);

// The run that covers column x of a line.
struct RunHit {
    const std::uint8_t* value = nullptr;  // the pixel's value (a literal's own, or the fill's one)
    bool literal = false;
    int alphaIndex = 0;  // the pixel's byte in the line's alpha stream: one a literal pixel, one a fill run
};

// Finds the literal or fill run covering x in the line starting at `line`; reads nothing at or past `end`.
bool FindRunAt(const std::uint8_t* line, const std::uint8_t* end, int valueBytes, int x, RunHit& hit);

// Whether a line's runs cover exactly `width` pixels (at least, for a last run cut by the width) inside
// [line, end); on success `next` is the first byte after the line and `alphaBytes` its alpha stream length.
bool WalkLine(const std::uint8_t* line, const std::uint8_t* end, int valueBytes, int width, const std::uint8_t*& next,
              int& alphaBytes);
