// A stand-in for the menu library with the same exports, for the game's binding tests. It writes every call it
// gets as a line to the file FAKE_TA_LOG names; FAKE_TA_INIT_CODE is what its start answers, FAKE_TA_UPDATE_AFTER
// the number of drawn frames after which it asks for an update of its files. Built once whole and once
// without tadll_ShutDown (FAKE_WITHOUT_SHUTDOWN).
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct UpdateRect {
    std::int32_t left, top, right, bottom;
};

int framesDrawn = 0;
bool initialised = false;

void Note(const char* format, int a = 0, int b = 0, int c = 0)
{
    const char* path = std::getenv("FAKE_TA_LOG");
    if (!path) return;
    if (std::FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, format, a, b, c);
        std::fputc('\n', log);
        std::fclose(log);
    }
}

int Setting(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    return text ? std::atoi(text) : fallback;
}

}  // namespace

FAKE_EXPORT const char* tadll_GetDLLVersionAsString() { return "fake 1.0"; }
FAKE_EXPORT int tadll_GetDLLVersionAsInt() { return 3; }
FAKE_EXPORT std::uint16_t tadll_Initialize(int applicationID, const char*, int applicationNumber, float, std::int16_t,
                                           int version)
{
    Note("Initialize %d %d %d", applicationID, applicationNumber, version);
    const int code = Setting("FAKE_TA_INIT_CODE", 0);
    initialised = code == 0;
    return static_cast<std::uint16_t>(code);
}
#ifndef FAKE_WITHOUT_SHUTDOWN
FAKE_EXPORT void tadll_ShutDown() { Note("ShutDown"); }
#endif
FAKE_EXPORT std::uint16_t tadll_EnterMenuSession(std::int16_t type, int width, int height)
{
    Note("EnterMenuSession %d %d %d", type, width, height);
    return 0;
}
FAKE_EXPORT std::uint8_t tadll_IsTheMenuSessionComplete() { return 0; }
FAKE_EXPORT void tadll_DrawNextFrameIntoBuffer(void*, int, std::int16_t, std::int16_t, std::uint8_t skip,
                                               std::uint8_t failed)
{
    ++framesDrawn;
    Note("Draw %d %d", skip, failed);
}
FAKE_EXPORT int tadll_GetNumberOfRectsToUpdate() { return 2; }
FAKE_EXPORT UpdateRect tadll_GetUpdateRect(int index) { return UpdateRect{index, index, 10 + index, 10 + index}; }
FAKE_EXPORT std::uint8_t tadll_HandleWindowsMessage(void*, unsigned message, std::uintptr_t, std::intptr_t)
{
    Note("Message %d", static_cast<int>(message));
    return 1;
}
FAKE_EXPORT void tadll_SetPalette(const std::uint8_t* palette) { Note("SetPalette %d", palette[0]); }
FAKE_EXPORT const char* tadll_GetValueAsString(const char*, const char* fallback) { return fallback; }
FAKE_EXPORT int tadll_GetValueAsInt(const char*, int fallback) { return fallback; }
FAKE_EXPORT float tadll_GetValueAsFloat(const char*, float fallback) { return fallback; }
FAKE_EXPORT std::uint8_t tadll_IsASystemUpdateRequired()
{
    return framesDrawn == Setting("FAKE_TA_UPDATE_AFTER", -1) ? 1 : 0;
}
FAKE_EXPORT const char* tadll_GetLastErrorInformation()
{
    return initialised ? "Extended error information is not available for the last error."
                       : "The fake library could not write into its folder.";
}
