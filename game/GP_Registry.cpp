#include "GP_Registry.h"

#include <algorithm>
#include <cstring>

CGP_Registry::CGP_Registry(HKEY root, const char* path) : root(root), path(path ? path : "") {}

CGP_Registry::~CGP_Registry()
{
    if (key) Close();
}

bool CGP_Registry::Create()
{
    if (key) return true;
    DWORD disposition = 0;
    return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                           &disposition) == ERROR_SUCCESS;
}

bool CGP_Registry::Close()
{
    if (!key || RegCloseKey(key) != ERROR_SUCCESS) return false;
    key = nullptr;
    return true;
}

bool CGP_Registry::Flush() { return key && RegFlushKey(key) == ERROR_SUCCESS; }

bool CGP_Registry::SetString(const char* name, const char* text)
{
    if (!key || !text) return false;
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

bool CGP_Registry::SetByte(const char* name, std::uint8_t value) { return SetBinary(name, &value, 1); }
bool CGP_Registry::SetWord(const char* name, std::uint16_t value) { return SetBinary(name, &value, 2); }
bool CGP_Registry::SetDword(const char* name, std::uint32_t value) { return SetBinary(name, &value, 4); }

bool CGP_Registry::SetBinary(const char* name, const void* bytes, DWORD size)
{
    if (!key) return false;
    return RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(bytes), size) == ERROR_SUCCESS;
}

bool CGP_Registry::QueryString(const char* name, std::unique_ptr<char[]>& text)
{
    if (!key) return false;
    // One byte more than the limit, so that a stored text without its zero still ends in one.
    auto buffer = std::make_unique<char[]>(QueryStringLimit + 1);
    DWORD size = QueryStringLimit;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.get()), &size) != ERROR_SUCCESS)
        return false;
    buffer[std::min(size, QueryStringLimit)] = '\0';
    text = std::move(buffer);
    return true;
}

bool CGP_Registry::QueryByte(const char* name, std::uint8_t& value) { return QueryBinary(name, &value, 1); }
bool CGP_Registry::QueryWord(const char* name, std::uint16_t& value) { return QueryBinary(name, &value, 2); }
bool CGP_Registry::QueryDword(const char* name, std::uint32_t& value) { return QueryBinary(name, &value, 4); }

bool CGP_Registry::QueryBinary(const char* name, void* target, DWORD size)
{
    if (!key) return false;
    DWORD stored = size;
    return RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(target), &stored) == ERROR_SUCCESS;
}
