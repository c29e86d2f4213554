// The ".Frame" cache: a frame's full-quality 32-bit pixels as a lossless body (four delta-coded planes R, G, B,
// A in one compressed block, then width and height) or a lossy body (JPEG of the colour, then the delta-coded
// alpha plane), after the hot-spot words and a lossless byte.
#pragma once
#include <cstdint>

class CFileBuf;
class CFrame;

// Whether the lossless body is kept over the lossy one: unless the lossy body is below 95 % of the lossless
// size less 200 bytes, (lossy x 100 + 20000) / 95 >= lossless.
bool ChooseLosslessBody(std::uint32_t losslessSize, std::uint32_t lossySize);
// Writes one body of a frame (drawn as 32-bit pixels) to the stream.
bool EncodeFrameCache(CFrame& frame, CFileBuf& stream, int quality, bool lossless);
// The library-wide quality of lossy bodies (65 unless a load publishes another).
int GetFrameCacheQuality();
void SetFrameCacheQuality(int quality);
