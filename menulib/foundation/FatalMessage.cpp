#include "foundation/FatalMessage.h"

#include <cstdarg>
#include <string>

#include "foundation/HostWindow.h"
#include "platform/format_text.h"
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
    platform::EndProcess(kFatalExitCode);
}

void FatalMessageAndExitF(const char* title, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = platform::FormatTextV(format, args);
    va_end(args);
    FatalMessageAndExit(title, text.c_str());
}
