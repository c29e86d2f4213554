// The registry: HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE with keys and values of the four kinds the programs
// use. All three programs share one store, a text file in the ".reg" export format (see registry_file.cpp for
// where it lives); every call reads the file as it is now, and every change replaces it atomically, so a value
// one program writes is what the next call of another program reads. Key paths and value names are compared
// without regard to case; a key or value keeps the spelling it was first written with.
// HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\Windows\CurrentVersion" "ProgramFilesDir" is answered, when the store does
// not hold it, with a real folder of the user's data ($VEL_PROGRAM_FILES_DIR for tests).
#pragma once
#include <memory>
#include <type_traits>

#include "platform/win32_base.h"

using LSTATUS = LONG;
using REGSAM = DWORD;
using PHKEY = HKEY*;
using LPDWORD = DWORD*;
using LPBYTE = BYTE*;
struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using PFILETIME = FILETIME*;

#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u)))

// Result codes (shared with other Win32-shaped calls, hence each guarded).
#ifndef ERROR_SUCCESS
#define ERROR_SUCCESS 0
#endif
#ifndef ERROR_FILE_NOT_FOUND
#define ERROR_FILE_NOT_FOUND 2
#endif
#ifndef ERROR_ACCESS_DENIED
#define ERROR_ACCESS_DENIED 5
#endif
#ifndef ERROR_INVALID_HANDLE
#define ERROR_INVALID_HANDLE 6
#endif
#ifndef ERROR_INVALID_PARAMETER
#define ERROR_INVALID_PARAMETER 87
#endif
#ifndef ERROR_MORE_DATA
#define ERROR_MORE_DATA 234
#endif
#ifndef ERROR_NO_MORE_ITEMS
#define ERROR_NO_MORE_ITEMS 259
#endif
#ifndef ERROR_BADDB
#define ERROR_BADDB 1009
#endif
#ifndef ERROR_CANTWRITE
#define ERROR_CANTWRITE 1013
#endif
#ifndef ERROR_KEY_DELETED
#define ERROR_KEY_DELETED 1018
#endif

// Value types.
#define REG_SZ 1
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7

// Access rights; a handle opened for reading cannot change values.
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_CREATED_NEW_KEY 0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

PLATFORM_API LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
PLATFORM_API LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                                     REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);
PLATFORM_API LSTATUS RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
PLATFORM_API LSTATUS RegCloseKey(HKEY key);
PLATFORM_API LSTATUS RegFlushKey(HKEY key);

struct RegKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
// The one owner of an open registry key: RegCloseKey when it goes.
using OwnedRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegKeyCloser>;

// With data null and size given, only the size (and type) is answered. A buffer too small gives
// ERROR_MORE_DATA with the size needed. Text data stored without its terminating zero is read with one added
// after it when the buffer has room; the size answered is always the stored size.
PLATFORM_API LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                      LPDWORD dataSize);
PLATFORM_API LSTATUS RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                                    DWORD dataSize);

// Values and sub-keys by position, in the order the store keeps them.
PLATFORM_API LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameChars, LPDWORD reserved,
                                   LPDWORD type, LPBYTE data, LPDWORD dataSize);
PLATFORM_API LSTATUS RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameChars, LPDWORD reserved,
                                   LPSTR keyClass, LPDWORD keyClassChars, PFILETIME lastWriteTime);

namespace platform {

// Test hook: called after the new store has been written to its temporary file and synced, just before it
// replaces the store. A test that ends the process here shows a crash mid-write leaves the old store intact.
using RegistryReplaceHook = void (*)(const char* temporaryPath);
PLATFORM_API void SetRegistryReplaceHook(RegistryReplaceHook hook);

}  // namespace platform
