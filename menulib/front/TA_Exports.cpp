// The sixteen exports: each a thin frame around its TA_ function. The frame logs the call at DebugMode 4 and, for
// the calls that touch files, runs the inner function with the library's folder as the working folder.
#include <cinttypes>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "front/APIState.h"
#include "front/TA_API.h"

#define TADLL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

enum class Frame : bool {
    Unframed = false,
    Framed = true
};

// Lives for one exported call: the entry line and the folder switch when made, the switch back and the closing
// line when it goes (after the inner call's result is held).
class ExportFrame {
public:
    ExportFrame(const char* name, Frame frame, CString arguments = CString(), bool closingNamesArguments = false)
        : m_name(name),
          m_frame(frame),
          m_arguments(std::move(arguments)),
          m_closingNamesArguments(closingNamesArguments)
    {
        if (IsCallLoggingOn()) LogDLLCall(EntryText());
        if (m_frame == Frame::Framed) DoPreAPICallCode();
    }
    ~ExportFrame()
    {
        if (m_frame == Frame::Framed) DoPostAPICallCode();
        if (IsCallLoggingOn()) LogDLLCall(ClosingText());
    }
    ExportFrame(const ExportFrame&) = delete;
    ExportFrame& operator=(const ExportFrame&) = delete;

private:
    CString EntryText() const
    {
        CString text(m_name);
        if (m_arguments.IsNotEmpty()) {
            text.Append(" : ");
            text.Append(m_arguments);
        }
        return text;
    }
    CString ClosingText() const
    {
        CString text(m_name);
        text.Append(" - finished.");
        if (m_closingNamesArguments) {
            text.Append(" Parameters were: ");
            text.Append(m_arguments);
        }
        return text;
    }

    const char* m_name;
    Frame m_frame;
    CString m_arguments;
    bool m_closingNamesArguments;
};

// The argument text of an entry line; built only while calls are logged.
CString Arguments(const char* format, ...) __attribute__((format(printf, 1, 2)));
CString Arguments(const char* format, ...)
{
    if (!IsCallLoggingOn()) return CString();
    va_list args;
    va_start(args, format);
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return CString(text);
}

// Pointers and handles as at least eight hexadecimal digits, the whole pointer on a 64-bit machine.
#define TA_POINTER "0x%.8" PRIxPTR
std::uintptr_t Bits(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

const char* Text(const char* text) { return text ? text : "(null)"; }

}  // namespace

TADLL_EXPORT TA_ResultCode16 tadll_Initialize(int applicationID, const char* applicationName, int applicationNumber,
                                              float price, std::int16_t debugBuild, int libVersion)
{
    // Logged at the end in any case: DebugMode is read during the call.
    CString arguments;
    arguments.Format("%d, %s, %d, %f, %d, %d", applicationID, Text(applicationName), applicationNumber,
                     static_cast<double>(price), debugBuild, libVersion);
    ExportFrame frame("tadll_Initialize", Frame::Framed, arguments, true);
    return TA_Initialize(applicationID, applicationName, applicationNumber, price, debugBuild, libVersion);
}

TADLL_EXPORT void tadll_ShutDown()
{
    ExportFrame frame("tadll_ShutDown", Frame::Framed);
    TA_ShutDown();
}

TADLL_EXPORT TA_ResultCode16 tadll_EnterMenuSession(std::int16_t menuType, int menuWidthInPixels,
                                                    int menuHeightInPixels)
{
    ExportFrame frame("tadll_EnterMenuSession", Frame::Framed,
                      Arguments("%d, %d, %d", menuType, menuWidthInPixels, menuHeightInPixels));
    return TA_EnterMenuSession(menuType, menuWidthInPixels, menuHeightInPixels);
}

TADLL_EXPORT TA_Bool8 tadll_IsTheMenuSessionComplete()
{
    ExportFrame frame("tadll_IsTheMenuSessionComplete", Frame::Unframed);
    return TA_IsTheMenuSessionComplete();
}

TADLL_EXPORT void tadll_DrawNextFrameIntoBuffer(void* destinationBuffer, int pitch, std::int16_t bufferMode,
                                                std::int16_t drawType, TA_Bool8 skipUpdateCheck,
                                                TA_Bool8 lastUpdateFailed)
{
    ExportFrame frame("tadll_DrawNextFrameIntoBuffer", Frame::Framed,
                      Arguments(TA_POINTER ", %d, %d, %d, %d, %d", Bits(destinationBuffer), pitch, bufferMode, drawType,
                                skipUpdateCheck, lastUpdateFailed));
    TA_DrawNextFrameIntoBuffer(destinationBuffer, pitch, bufferMode, drawType, skipUpdateCheck, lastUpdateFailed);
}

TADLL_EXPORT int tadll_GetNumberOfRectsToUpdate()
{
    ExportFrame frame("tadll_GetNumberOfRectsToUpdate", Frame::Unframed);
    return TA_GetNumberOfRectsToUpdate();
}

TADLL_EXPORT TA_UpdateRect tadll_GetUpdateRect(int index)
{
    ExportFrame frame("tadll_GetUpdateRect", Frame::Unframed, Arguments("%d", index));
    return TA_GetUpdateRect(index);
}

TADLL_EXPORT TA_Bool8 tadll_HandleWindowsMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ExportFrame frame("tadll_HandleWindowsMessage", Frame::Unframed,
                      Arguments(TA_POINTER ", %d, " TA_POINTER ", " TA_POINTER, Bits(window), message,
                                static_cast<std::uintptr_t>(wParam), static_cast<std::uintptr_t>(lParam)));
    return TA_HandleWindowsMessage(window, message, wParam, lParam);
}

TADLL_EXPORT void tadll_SetPalette(const std::uint8_t* paletteData)
{
    ExportFrame frame("tadll_SetPalette", Frame::Framed, Arguments(TA_POINTER, Bits(paletteData)));
    TA_SetPalette(paletteData);
}

TADLL_EXPORT const char* tadll_GetValueAsString(const char* name, const char* defaultValue)
{
    ExportFrame frame("tadll_GetValueAsString", Frame::Framed, Arguments("%s, %s", Text(name), Text(defaultValue)));
    return TA_GetValueAsString(name, defaultValue);
}

TADLL_EXPORT int tadll_GetValueAsInt(const char* name, int defaultValue)
{
    ExportFrame frame("tadll_GetValueAsInt", Frame::Framed, Arguments("%s, %d", Text(name), defaultValue));
    return TA_GetValueAsInt(name, defaultValue);
}

TADLL_EXPORT float tadll_GetValueAsFloat(const char* name, float defaultValue)
{
    ExportFrame frame("tadll_GetValueAsFloat", Frame::Framed,
                      Arguments("%s, %f", Text(name), static_cast<double>(defaultValue)));
    return TA_GetValueAsFloat(name, defaultValue);
}

TADLL_EXPORT const char* tadll_GetLastErrorInformation()
{
    ExportFrame frame("tadll_GetLastErrorInformation", Frame::Unframed);
    return TA_GetLastErrorInformation();
}

TADLL_EXPORT const char* tadll_GetDLLVersionAsString()
{
    ExportFrame frame("tadll_GetDLLVersionAsString", Frame::Unframed);
    return TA_GetDLLVersionAsString();
}

TADLL_EXPORT int tadll_GetDLLVersionAsInt()
{
    ExportFrame frame("tadll_GetDLLVersionAsInt", Frame::Unframed);
    return TA_GetDLLVersionAsInt();
}

TADLL_EXPORT TA_Bool8 tadll_IsASystemUpdateRequired()
{
    ExportFrame frame("tadll_IsASystemUpdateRequired", Frame::Unframed);
    return TA_IsASystemUpdateRequired();
}
