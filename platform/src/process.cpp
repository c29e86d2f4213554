#include "platform/process.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {
std::atomic<platform::EndProcessHook> endHook{nullptr};
}

namespace platform {

void SetEndProcessHook(EndProcessHook hook) { endHook = hook; }

void EndProcess(int exitCode)
{
    if (EndProcessHook hook = endHook.load()) hook(exitCode);
    std::fflush(nullptr);
    std::exit(exitCode);
}

}  // namespace platform
