#include <map>
#include <mutex>

#include "input/input_backend.h"
#include "platform/dinput.h"
#include "platform/headless.h"

namespace {
std::mutex failuresLock;
std::map<platform::InputCall, HRESULT> failures;
}  // namespace

namespace platform {

void SetInputFailure(InputCall call, HRESULT result)
{
    std::lock_guard<std::mutex> hold(failuresLock);
    if (result == DI_OK)
        failures.erase(call);
    else
        failures[call] = result;
}

void ClearInputFailures()
{
    std::lock_guard<std::mutex> hold(failuresLock);
    failures.clear();
}

}  // namespace platform

namespace platform::input {

HRESULT InjectedResult(InputCall call)
{
    std::lock_guard<std::mutex> hold(failuresLock);
    const auto found = failures.find(call);
    return found == failures.end() ? DI_OK : found->second;
}

Backend& CurrentBackend() { return IsHeadless() ? HeadlessBackend() : SdlBackend(); }

}  // namespace platform::input
