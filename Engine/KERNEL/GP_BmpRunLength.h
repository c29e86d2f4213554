// Run-length compressed BMP pixels (BI_RLE8 for 8-bit pictures, BI_RLE4 for 4-bit ones) decoded into plain
// bottom-up rows of the same depth, as GDI reads them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// Reads at most dataBytes from the file's position and writes the pixels into rows of stride bytes that the
// caller has zeroed; pixels that the codes skip (deltas, early ends of lines and of the bitmap) keep index 0.
// A run or a delta that reaches past the end of its row is cut there, and codes past the last row are not
// read. False when the data ends inside a code.
bool GP_DecodeBmpRunLength(std::FILE* file, long long dataBytes, int bitsPerPixel, int width, int rows,
                           std::size_t stride, std::uint8_t* pixels);
