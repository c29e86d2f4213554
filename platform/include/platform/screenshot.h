// The frames the display has shown: a headless run keeps the last one in memory and writes PNG screenshots
// at the frames VEL_SHOT_AT names, into VEL_SHOTS.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_base.h"

namespace platform {

struct PresentedFrame {
    int width = 0;
    int height = 0;
    bool is555 = false;
    std::vector<std::uint16_t> pixels;  // width x height, row after row
    long count = 0;                     // frames presented so far in this process
};

// A copy of the last frame presented (empty before the first).
PLATFORM_API PresentedFrame LastPresentedFrame();
// Writes the frame as an 8-bit RGB PNG; false when the file cannot be written or the frame is empty.
PLATFORM_API bool WriteFramePng(const std::string& path, const PresentedFrame& frame);

}  // namespace platform
