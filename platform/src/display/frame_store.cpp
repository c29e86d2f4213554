#include <mutex>

#include "blit_ops.h"
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
    const PixelView store{lastFrame.pixels.data(), static_cast<LONG>(frame.width * sizeof(WORD)), frame.width,
                          frame.height, frame.is555};
    CopyPixels(store, 0, 0, frame, Rect::OfSize(frame.width, frame.height), nullptr);
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
