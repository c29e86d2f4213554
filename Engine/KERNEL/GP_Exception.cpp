#include "GP_Exception.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "GP_DesktopHook.h"

const char* GP_ModuleName(const char* sourcePath)
{
    if (!sourcePath) return "";
    const char* name = sourcePath;
    for (const char* p = sourcePath; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    return name;
}

CGP_Exeption::CGP_Exeption(const char* sourcePath, int line, const char* text)
    : text(text), line(line), module(GP_ModuleName(sourcePath))
{
}

char* CGP_Exeption::GetMessage() const
{
    const char* moduleName = module ? module : "";
    if (text) return FormatNew("Line %d in module %s throw exception:\n%s", line, moduleName, text);
    return FormatNew("Line %d in module %s throw exception", line, moduleName);
}

CGP_FatalExeption::CGP_FatalExeption(const char* sourcePath, int line, const char* text, const char* userMessage,
                                     std::uint8_t offerReport)
    : CGP_Exeption(sourcePath, line, text)
{
    GP_GiveDesktopBack();
    this->userMessage = userMessage;
    this->offerReport = offerReport;
    isFatal = 1;
}

char* FormatNew(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    // A format the C library cannot turn into text gives the empty text rather than an unwritten buffer.
    char* result = new char[length > 0 ? static_cast<std::size_t>(length) + 1 : 1]();
    if (length > 0) std::vsnprintf(result, static_cast<std::size_t>(length) + 1, format, args);
    va_end(args);
    return result;
}
