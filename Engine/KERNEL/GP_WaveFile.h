// The RIFF WAVE reader of the sound buffers: "RIFF", a size, "WAVE", then chunks (tag, size, body, a pad byte
// after an odd size) until the first "fmt " and the first "data" chunk have been read. Everything read is
// bounded by what the stream still holds.
#pragma once
#include <cstdio>
#include <vector>

#include "platform/dsound.h"

// Reads a WAVE from the stream's position into format (the first 18 bytes of "fmt " at most, the rest zero)
// and samples. False, with nothing promised of the outputs, for anything that is not such a file: a missing
// tag, an "fmt " chunk under 14 bytes, a chunk larger than what is left of the stream, or an end before both
// chunks were found.
bool GP_ReadWave(std::FILE* stream, WAVEFORMATEX& format, std::vector<BYTE>& samples);
