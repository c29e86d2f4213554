#include "foundation/FatalMessage.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "foundation/HostWindow.h"
#include "platform/process.h"
#include "platform/win32_desktop.h"
#include "platform/win32_message_box.h"
#include "platform/win32_window.h"

void FatalMessage(const char* title, const char* text)
{
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    ActivateDesktop();
    MessageBoxA(MessageOwnerWindow(), text, title, MB_OK);
    SetCursor(nullptr);
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
