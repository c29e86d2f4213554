// The Win32 registry calls over the shared store file.
#include <cstring>

#include "platform/win32_registry.h"
#include "registry/registry_file.h"
#include "registry/registry_handles.h"

using namespace platform::registry;

namespace {

bool Allows(const OpenKey& key, REGSAM rights) { return (key.access & rights) == rights; }

std::string_view NameOf(LPCSTR valueName) { return valueName ? std::string_view(valueName) : std::string_view(); }

bool IsText(DWORD type) { return type == REG_SZ || type == REG_MULTI_SZ; }

// Hands a value's type and data to the caller's buffers the Win32 way.
LSTATUS CopyValueOut(const Value& value, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    if (data && !dataSize) return ERROR_INVALID_PARAMETER;
    if (type) *type = value.type;
    if (!dataSize) return ERROR_SUCCESS;
    const DWORD size = static_cast<DWORD>(value.data.size());
    const DWORD room = *dataSize;
    *dataSize = size;
    if (!data) return ERROR_SUCCESS;
    if (room < size) return ERROR_MORE_DATA;
    if (size) std::memcpy(data, value.data.data(), size);
    if (IsText(value.type) && room > size && (size == 0 || value.data.back() != 0)) data[size] = 0;
    return ERROR_SUCCESS;
}

// Hands a name to the caller's buffer of chars characters (the terminating zero included).
LSTATUS CopyNameOut(const std::string& name, LPSTR buffer, LPDWORD chars)
{
    if (!buffer || !chars) return ERROR_INVALID_PARAMETER;
    if (name.size() + 1 > *chars) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *chars = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// The open key behind handle and the path of subKey below it, or the error to answer.
LSTATUS ResolveSubKey(HKEY handle, LPCSTR subKey, OpenKey& parent, std::string& path)
{
    std::optional<OpenKey> found = FindOpenKey(handle);
    if (!found) return ERROR_INVALID_HANDLE;
    std::optional<std::string> joined = JoinKeyPath(found->path, NameOf(subKey));
    if (!joined) return ERROR_INVALID_PARAMETER;
    parent = std::move(*found);
    path = std::move(*joined);
    return ERROR_SUCCESS;
}

// The open key behind handle when it grants rights, or the error to answer.
LSTATUS UsableKey(HKEY handle, REGSAM rights, OpenKey& key)
{
    std::optional<OpenKey> found = FindOpenKey(handle);
    if (!found) return ERROR_INVALID_HANDLE;
    if (!Allows(*found, rights)) return ERROR_ACCESS_DENIED;
    key = std::move(*found);
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result)
{
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    OpenKey parent;
    std::string path;
    if (LSTATUS status = ResolveSubKey(key, subKey, parent, path); status != ERROR_SUCCESS) return status;
    const LSTATUS status = ReadStore(
        [&](const Store& store) -> LSTATUS { return store.KeyExists(path) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND; });
    if (status == ERROR_SUCCESS) *result = AddOpenKey(OpenKey{path, access});
    return status;
}

LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM access,
                        LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition)
{
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    OpenKey parent;
    std::string path;
    if (LSTATUS status = ResolveSubKey(key, subKey, parent, path); status != ERROR_SUCCESS) return status;
    if (!Allows(parent, KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
    bool created = false;
    const LSTATUS status = ChangeStore([&](Store& store, bool& changed) -> LSTATUS {
        if (!store.KeyExists(path)) {
            store.EnsureKey(path);
            created = changed = true;
        }
        return ERROR_SUCCESS;
    });
    if (status != ERROR_SUCCESS) return status;
    *result = AddOpenKey(OpenKey{path, access});
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result)
{
    return RegCreateKeyExA(key, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, result, nullptr);
}

LSTATUS RegCloseKey(HKEY key) { return RemoveOpenKey(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

// Every change is on disk when its call returns; there is nothing left to flush.
LSTATUS RegFlushKey(HKEY key) { return FindOpenKey(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    OpenKey open;
    if (LSTATUS status = UsableKey(key, KEY_QUERY_VALUE, open); status != ERROR_SUCCESS) return status;
    return ReadStore([&](const Store& store) -> LSTATUS {
        if (!store.KeyExists(open.path)) return ERROR_KEY_DELETED;
        const Key* found = store.FindKey(open.path);
        const Value* value = found ? found->FindValue(NameOf(valueName)) : nullptr;
        return value ? CopyValueOut(*value, type, data, dataSize) : ERROR_FILE_NOT_FOUND;
    });
}

LSTATUS RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize)
{
    OpenKey open;
    if (LSTATUS status = UsableKey(key, KEY_SET_VALUE, open); status != ERROR_SUCCESS) return status;
    const std::string_view name = NameOf(valueName);
    if (!IsValidValueName(name) || (!data && dataSize) || dataSize > kMaxValueDataSize) return ERROR_INVALID_PARAMETER;
    std::vector<BYTE> bytes(data, data + dataSize);
    return ChangeStore([&](Store& store, bool& changed) -> LSTATUS {
        if (!store.KeyExists(open.path)) return ERROR_KEY_DELETED;
        store.EnsureKey(open.path).SetValue(name, type, std::move(bytes));
        changed = true;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameChars, LPDWORD reserved, LPDWORD type,
                      LPBYTE data, LPDWORD dataSize)
{
    OpenKey open;
    if (LSTATUS status = UsableKey(key, KEY_QUERY_VALUE, open); status != ERROR_SUCCESS) return status;
    return ReadStore([&](const Store& store) -> LSTATUS {
        if (!store.KeyExists(open.path)) return ERROR_KEY_DELETED;
        const Key* found = store.FindKey(open.path);
        if (!found || index >= found->values.size()) return ERROR_NO_MORE_ITEMS;
        const Value& value = found->values[index];
        if (LSTATUS status = CopyNameOut(value.name, valueName, valueNameChars); status != ERROR_SUCCESS) return status;
        return CopyValueOut(value, type, data, dataSize);
    });
}

LSTATUS RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameChars, LPDWORD reserved, LPSTR keyClass,
                      LPDWORD keyClassChars, PFILETIME lastWriteTime)
{
    OpenKey open;
    if (LSTATUS status = UsableKey(key, KEY_ENUMERATE_SUB_KEYS, open); status != ERROR_SUCCESS) return status;
    return ReadStore([&](const Store& store) -> LSTATUS {
        if (!store.KeyExists(open.path)) return ERROR_KEY_DELETED;
        const std::vector<std::string> children = store.ChildNames(open.path);
        if (index >= children.size()) return ERROR_NO_MORE_ITEMS;
        if (LSTATUS status = CopyNameOut(children[index], name, nameChars); status != ERROR_SUCCESS) return status;
        if (keyClass && keyClassChars && *keyClassChars > 0) {
            keyClass[0] = '\0';
            *keyClassChars = 0;
        }
        if (lastWriteTime) *lastWriteTime = FILETIME{0, 0};
        return ERROR_SUCCESS;
    });
}
