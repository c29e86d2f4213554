// The one way the programs end the process on purpose (a fatal message, a fatal engine error): tests set a hook
// that sees the exit code first and may throw to unwind instead.
#pragma once
#include "platform/win32_base.h"

namespace platform {

using EndProcessHook = void (*)(int exitCode);

PLATFORM_API void SetEndProcessHook(EndProcessHook hook);
// Calls the hook when one is set; when the hook returns (or there is none) the process exits with exitCode.
[[noreturn]] PLATFORM_API void EndProcess(int exitCode);

}  // namespace platform
