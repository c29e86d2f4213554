// The median-cut palette builder: splits the histogram's occupied colour space into boxes that minimise the
// squared error, the box with the largest error first, and gives each box's mean colour.
#pragma once
#include <cstdint>
#include <vector>

class ColorHistogram;

enum MedianCutResult : int {
    kMedianCutOk = 0,
    kMedianCutNoMemory = 1
};

// Up to `colours` colours as bytes B, G, R in `palette`, their number in `count`.
int MedianCut(const ColorHistogram& histogram, int colours, std::vector<std::uint8_t>& palette, int& count);
