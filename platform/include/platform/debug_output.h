// Debugger output: lines go to stderr, or into a test's capture.
#pragma once
#include <string>

#include "platform/win32_base.h"

PLATFORM_API void OutputDebugStringA(const char* text);

namespace platform {

// While a capture is set, debugger output is appended to it instead of going to stderr; nullptr ends it.
PLATFORM_API void CaptureDebugOutput(std::string* capture);

}  // namespace platform
