#include "GP_Exception.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "GP_DesktopHook.h"
#include "platform/format_text.h"

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
    const std::string text = platform::FormatTextV(format, args);
    va_end(args);
    char* result = new char[text.size() + 1];
    std::memcpy(result, text.c_str(), text.size() + 1);
    return result;
}
