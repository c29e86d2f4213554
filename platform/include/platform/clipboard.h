// The clipboard: text goes to the desktop's clipboard through SDL where a display is open; other formats, and
// everything in a headless run, live in this process.
#pragma once
#include <string>

#include "platform/win32_base.h"

constexpr UINT CF_TEXT = 1;

// A format id for a name: the same name (any case) gives the same id, from 0xC000 up.
PLATFORM_API UINT RegisterClipboardFormatA(LPCSTR name);

namespace platform {

PLATFORM_API bool WriteClipboard(UINT format, const void* data, std::size_t size);
// False when the clipboard holds nothing of that format.
PLATFORM_API bool ReadClipboard(UINT format, std::string* bytes);

}  // namespace platform
