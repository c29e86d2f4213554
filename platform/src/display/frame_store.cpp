#include <mutex>

#include "platform/screenshot.h"
#include "presenter.h"

namespace {

std::mutex storeLock;
platform::PresentedFrame lastFrame;

}  // namespace

namespace platform::display {

void StoreFrame(const PixelView& frame)
{
    std::lock_guard<std::mutex> hold(storeLock);
    lastFrame.width = frame.width;
    lastFrame.height = frame.height;
    lastFrame.is555 = frame.is555;
    lastFrame.pixels.resize(static_cast<size_t>(frame.width) * frame.height);
    for (int y = 0; y < frame.height; ++y) {
        const WORD* row = frame.Row(y);
        std::copy(row, row + frame.width, lastFrame.pixels.begin() + static_cast<long>(y) * frame.width);
    }
    ++lastFrame.count;
}

}  // namespace platform::display

namespace platform {

PresentedFrame LastPresentedFrame()
{
    std::lock_guard<std::mutex> hold(storeLock);
    return lastFrame;
}

}  // namespace platform
