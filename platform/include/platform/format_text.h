// printf-style formatting into a text of exactly the length it needs.
#pragma once
#include <cstdarg>
#include <string>

#include "platform/win32_base.h"

namespace platform {

// The formatted text; the empty text when the C library cannot format it (e.g. a character the locale lacks).
PLATFORM_API std::string FormatTextV(const char* format, va_list args);

}  // namespace platform
