#include "foundation/FatalMessage.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/debug_output.h"
#include "platform/process.h"

void FatalMessage(const char* title, const char* text)
{
    std::string line = std::string(title ? title : "") + ": " + (text ? text : "") + "\n";
    OutputDebugStringA(line.c_str());
}

void FatalMessageAndExit(const char* title, const char* text)
{
    FatalMessage(title, text);
    platform::EndProcess(-1);
}

void FatalMessageAndExitF(const char* title, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::vector<char> text(length > 0 ? length + 1 : 1, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    FatalMessageAndExit(title, text.data());
}
