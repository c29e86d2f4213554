#include "platform/debug_output.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex captureLock;
std::string* capture = nullptr;
}  // namespace

void OutputDebugStringA(const char* text)
{
    if (!text) return;
    std::lock_guard<std::mutex> hold(captureLock);
    if (capture) {
        capture->append(text);
        return;
    }
    std::fputs(text, stderr);
    std::fflush(stderr);
}

namespace platform {

void CaptureDebugOutput(std::string* sink)
{
    std::lock_guard<std::mutex> hold(captureLock);
    capture = sink;
}

}  // namespace platform
