// Span functions draw one horizontal run of n pixels (0 to 63) into a destination line: a copy, a fill with one
// value or a blend. Run renderers pick them from tables indexed by the run length, so short runs go through code
// fixed to their length: entry 0 does nothing, entries 1 to 16 are fixed-count functions and 17 to 63 a general
// loop.
#pragma once
#include <cstdint>

// One calling form for both kinds: a literal span reads n source values and, where it blends by alpha, n alpha
// bytes; a fill span reads the one value at source and the one alpha byte at alpha. Tables that read no alpha
// take any pointer there.
using SpanFunction = void (*)(std::uint8_t* destination, const std::uint8_t* source, const std::uint8_t* alpha, int n);

constexpr int kSpanEntries = 64;

struct SpanTable {
    SpanFunction entries[kSpanEntries];
    SpanFunction operator[](int n) const { return entries[n]; }
};

// The main tables. The 8-bit mixes read the mixing tables A and B in both operand orders; the 16-bit blends
// weight 5-6-5 pixels by the alpha byte, the level (current blend row [255]) or the level row [alpha byte];
// 18 to 23 are 12 to 17 on four-pixel lanes; the 24-bit blends move each byte by (s - d) x w / 256.
enum MainSpanTable : int {
    kSpanCopy8 = 0,
    kSpanFill8 = 1,
    kSpanMixA = 2,  // d = A [d x 256 + s]
    kSpanFillMixA = 3,
    kSpanMixB = 4,  // d = B [d x 256 + s]
    kSpanFillMixB = 5,
    kSpanMixBSwapped = 6,  // d = B [s x 256 + d]
    kSpanFillMixBSwapped = 7,
    kSpanMixASwapped = 8,  // d = A [s x 256 + d]
    kSpanFillMixASwapped = 9,
    kSpanCopy16 = 10,
    kSpanFill16 = 11,
    kSpanAlpha565 = 12,
    kSpanFillAlpha565 = 13,
    kSpanLevel565 = 14,
    kSpanFillLevel565 = 15,
    kSpanLevelRow565 = 16,
    kSpanFillLevelRow565 = 17,
    kSpanAlpha565Lanes = 18,
    kSpanFillAlpha565Lanes = 19,
    kSpanLevel565Lanes = 20,
    kSpanFillLevel565Lanes = 21,
    kSpanLevelRow565Lanes = 22,
    kSpanFillLevelRow565Lanes = 23,
    kSpanCopy24 = 24,
    kSpanFill24 = 25,
    kSpanAlpha24 = 26,
    kSpanFillAlpha24 = 27,
    kSpanLevel24 = 28,
    kSpanFillLevel24 = 29,
    kSpanLevelRow24 = 30,
    kSpanFillLevelRow24 = 31,
    kMainSpanTables = 32,
};

// The format-changing tables: one function in all 64 entries.
enum ConversionSpanTable : int {
    kSpan8To16 = 0,  // through the 8-bit to 5-6-5 pixel table
    kSpanFill8To16,
    kSpan16To24,  // expanded, stored B, G, R
    kSpanFill16To24,
    kSpan16To24Alpha,  // the same; the alpha bytes are stepped over, not applied
    kSpanFill16To24Alpha,
    kSpan16To32,  // expanded, alpha byte 255
    kSpanFill16To32,
    kSpan16To32Alpha,  // expanded, the pixel's alpha byte as the fourth byte
    kSpanFill16To32Alpha,
    kConversionSpanTables,
};

const SpanTable& MainSpanTableAt(int index);
const SpanTable& ConversionSpanTableAt(int index);
// Tables 24 to 31 for a 32-bit destination: the same colour bytes at four bytes a pixel; opaque copies and fills
// set the fourth byte to 255, blends keep it.
const SpanTable& Span24To32TableAt(int index);

// Fills the tables; the lane tables 18 to 23 take the SSE2 functions when simd is set, else their plain twins,
// which give the same bits. Runs at load with the processor's answer; tests call it again.
void InitSpanTables(bool simd);
