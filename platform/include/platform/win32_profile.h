// Private profile (".ini") files: sections in brackets, "key=value" lines. Section and key names compare
// without regard to case. A change is written to a temporary file and renamed over the old one.
#pragma once
#include "platform/win32_base.h"

// The key's value as a signed decimal number (leading blanks skipped, digits up to the first other character);
// the default when the file, section or key is missing.
PLATFORM_API UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// The key's text (default when missing), cut to size - 1 characters; the length copied.
PLATFORM_API DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size,
                                            LPCSTR fileName);
// Sets the key (a null value removes it; a null key removes the section), creating file and section as needed.
PLATFORM_API BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);
