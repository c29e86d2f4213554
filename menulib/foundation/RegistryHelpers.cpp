#include "foundation/RegistryHelpers.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "foundation/NamedList.h"

namespace {

// Reads a value into a buffer that starts at 256 bytes and doubles while the store answers ERROR_MORE_DATA.
bool QueryValue(HKEY root, const char* subKey, const char* valueName, DWORD* type, std::vector<BYTE>* data)
{
    const OwnedRegKey key = RegOpenOwned(root, subKey, KEY_READ);
    if (!key) return false;
    data->assign(256, 0);
    LSTATUS status;
    for (;;) {
        DWORD size = static_cast<DWORD>(data->size());
        status = RegQueryValueExA(key.get(), valueName, nullptr, type, data->data(), &size);
        if (status == ERROR_MORE_DATA) {
            data->assign(data->size() * 2 > size ? data->size() * 2 : size + 1, 0);
            continue;
        }
        if (status == ERROR_SUCCESS) data->resize(size);
        break;
    }
    return status == ERROR_SUCCESS;
}

// Text of a REG_SZ or REG_MULTI_SZ: a multi-string's separating zeros become blanks, up to its closing double 0.
CString TextOf(DWORD type, const std::vector<BYTE>& data)
{
    std::string text(data.begin(), data.end());
    if (type == REG_MULTI_SZ) {
        const std::size_t end = text.find(std::string(2, '\0'));
        if (end != std::string::npos) text.resize(end);
        while (!text.empty() && text.back() == '\0') text.pop_back();
        for (char& c : text)
            if (c == '\0') c = ' ';
    }
    return CString(text.c_str());
}

bool WriteValue(const char* subKey, const char* valueName, DWORD type, const BYTE* data, DWORD size)
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const OwnedRegKey key = RegCreateOwned(root, subKey);
        if (key && RegSetValueExA(key.get(), valueName, 0, type, data, size) == ERROR_SUCCESS) return true;
    }
    return false;
}

bool ContainsNoCase(const CString& text, const char* part)
{
    return CString(part).IsEmpty() || text.FindNoCase(part) >= 0;
}

// The key's own text values whose names match, added to the lists in the order the store gives them.
void AddMatchingValues(HKEY key, const char* name, NamedList* names, NamedList* values, bool exact)
{
    std::vector<char> valueName(256);
    std::vector<BYTE> data(256);
    for (DWORD index = 0;;) {
        DWORD nameChars = static_cast<DWORD>(valueName.size()), size = static_cast<DWORD>(data.size()), type = 0;
        const LSTATUS status =
            RegEnumValueA(key, index, valueName.data(), &nameChars, nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA) {
            valueName.resize(valueName.size() * 2);
            data.resize(data.size() * 2);
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        ++index;
        if (type != REG_SZ && type != REG_MULTI_SZ) continue;
        const CString found(valueName.data(), static_cast<int>(nameChars));
        if (exact ? found.Compare(name) != 0 : !ContainsNoCase(found, name)) continue;
        if (names) names->Add(found);
        if (values) values->Add(TextOf(type, std::vector<BYTE>(data.begin(), data.begin() + size)));
    }
}

std::vector<CString> SubKeyNames(HKEY key)
{
    std::vector<CString> subKeys;
    for (DWORD index = 0;; ++index) {
        char child[256];
        DWORD chars = sizeof child;
        if (RegEnumKeyExA(key, index, child, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subKeys.emplace_back(child, static_cast<int>(chars));
    }
    return subKeys;
}

}  // namespace

OwnedRegKey RegOpenOwned(HKEY root, const char* subKey, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return OwnedRegKey(key);
}

OwnedRegKey RegCreateOwned(HKEY root, const char* subKey)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(root, subKey, &key) != ERROR_SUCCESS) return nullptr;
    return OwnedRegKey(key);
}

CString RegReadString(const char* subKey, const char* valueName, bool* found)
{
    if (found) *found = false;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        DWORD type = 0;
        std::vector<BYTE> data;
        if (QueryValue(root, subKey, valueName, &type, &data) && type == REG_SZ && !data.empty()) {
            if (found) *found = true;
            return TextOf(type, data);
        }
    }
    return CString();
}

bool RegWriteString(const char* subKey, const char* valueName, const char* text)
{
    const CString value(text);
    return WriteValue(subKey, valueName, REG_SZ, reinterpret_cast<const BYTE*>(value.GetText()),
                      static_cast<DWORD>(value.GetLength() + 1));
}

std::int32_t RegReadDword(const char* subKey, const char* valueName, bool* found)
{
    std::int32_t value = 0;
    bool any = false;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        DWORD type = 0;
        std::vector<BYTE> data;
        // The value is read into 4 bytes of room: a longer one does not fit and is not read, a shorter one
        // fills the low bytes of what was there.
        if (QueryValue(root, subKey, valueName, &type, &data) && data.size() <= 4) {
            auto bits = static_cast<std::uint32_t>(value);
            for (std::size_t i = 0; i < data.size(); ++i)
                bits = (bits & ~(0xFFu << (8 * i))) | (static_cast<std::uint32_t>(data[i]) << (8 * i));
            value = static_cast<std::int32_t>(bits);
            any = true;
        }
    }
    if (found) *found = any;
    return value;
}

bool RegWriteDword(const char* subKey, const char* valueName, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    const BYTE bytes[4] = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
                           static_cast<BYTE>(v >> 24)};
    return WriteValue(subKey, valueName, REG_DWORD, bytes, 4);
}

bool RegKeyExists(const char* subKey)
{
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        if (RegOpenOwned(root, subKey, KEY_READ)) return true;
    return false;
}

bool RegEnsureKey(const char* subKey)
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        if (RegCreateOwned(root, subKey)) return true;
    return false;
}

bool RegReadMachineString(const char* subKey, const char* valueName, CString* out)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryValue(HKEY_LOCAL_MACHINE, subKey, valueName, &type, &data) || data.empty() ||
        (type != REG_SZ && type != REG_MULTI_SZ))
        return false;
    if (out) *out = TextOf(type, data);
    return true;
}

void RegFindValues(const char* subKey, const char* name, NamedList* names, NamedList* values, bool exact)
{
    std::vector<CString> subKeys;
    {
        const OwnedRegKey key = RegOpenOwned(HKEY_LOCAL_MACHINE, subKey, KEY_READ);
        if (!key) return;
        AddMatchingValues(key.get(), name, names, values, exact);
        subKeys = SubKeyNames(key.get());
    }  // closed before the sub-keys are opened, so the walk holds one key open at a time
    for (const CString& child : subKeys) {
        CString path(subKey);
        path.Append("\\");
        path.Append(child);
        RegFindValues(path.GetText(), name, names, values, exact);
    }
}
