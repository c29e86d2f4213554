#include "platform/format_text.h"

#include <cstdio>

namespace platform {

std::string FormatTextV(const char* format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format ? format : "", measure);
    va_end(measure);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    if (std::vsnprintf(text.data(), text.size() + 1, format, args) != length) return {};
    return text;
}

}  // namespace platform
