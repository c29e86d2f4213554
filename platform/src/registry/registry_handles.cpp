#include "registry/registry_handles.h"

#include <mutex>
#include <unordered_map>

namespace platform::registry {

namespace {

std::mutex lock;
std::unordered_map<std::uintptr_t, OpenKey> openKeys;
std::uintptr_t nextHandle = 1;  // far below the roots' 0x80000001 and 0x80000002

std::optional<OpenKey> Root(HKEY handle)
{
    if (handle == HKEY_CURRENT_USER) return OpenKey{"HKEY_CURRENT_USER", KEY_ALL_ACCESS};
    if (handle == HKEY_LOCAL_MACHINE) return OpenKey{"HKEY_LOCAL_MACHINE", KEY_ALL_ACCESS};
    return std::nullopt;
}

}  // namespace

HKEY AddOpenKey(OpenKey key)
{
    std::lock_guard<std::mutex> hold(lock);
    const std::uintptr_t handle = nextHandle++;
    openKeys.emplace(handle, std::move(key));
    return reinterpret_cast<HKEY>(handle);
}

std::optional<OpenKey> FindOpenKey(HKEY handle)
{
    if (std::optional<OpenKey> root = Root(handle)) return root;
    std::lock_guard<std::mutex> hold(lock);
    const auto found = openKeys.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == openKeys.end()) return std::nullopt;
    return found->second;
}

bool RemoveOpenKey(HKEY handle)
{
    if (Root(handle)) return true;
    std::lock_guard<std::mutex> hold(lock);
    return openKeys.erase(reinterpret_cast<std::uintptr_t>(handle)) == 1;
}

}  // namespace platform::registry
