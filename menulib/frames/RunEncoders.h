// The run encoders that write the run format of encoded frames (RunLines.h): line encoders of 32-bit pixels
// with their comparators, of 8- and 16-bit pixels where 0 is transparent, and whole-frame encoders.
#pragma once
#include <cstdint>
#include <vector>

class CFrame;

// Runs of equal pixels longer than the threshold become fill runs (8 at start; 64 means none).
void SetRunFillThreshold(int threshold);
int GetRunFillThreshold();
// The bytes that encoding has saved so far, library-wide.
long long GetRunSavedBytes();
void AddRunSavedBytes(long long bytes);

// Each line encoder encodes pixels from x to the line's width into out, advancing x.
void EncodeLineIndexed(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out);
void EncodeLineIndexedB(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out);
void EncodeLine565(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out);
void EncodeSkipRun8(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out);
void EncodeSkipRun16(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out);

// A whole plane: its length word, the lines, and the line table.
struct EncodedPlane {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint32_t> lines;
};
using LineEncoder = void (*)(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out);
// Encodes every line of a plain frame (pixels of bytesPerPixel) with the encoder.
EncodedPlane EncodePlane(const CFrame& frame, LineEncoder encoder);
// Makes the plane the frame's plane `index`.
void InstallPlane(CFrame& frame, int index, EncodedPlane plane);

// Whole plain 32-bit frames encoded in place into plane 0: encoding 2 (indexed comparator) or 4.
bool EncodeRunsIndexed(CFrame& frame);
bool EncodeRunsIndexedAlpha(CFrame& frame);
bool EncodeRuns565Alpha(CFrame& frame);
