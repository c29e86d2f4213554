// The headless backend's settings and shared state. Every device (window, display, sound, dialogs) asks
// IsHeadless() once and then takes its headless road: no display server, a fake clock, scripted input and
// answers, screenshots and WAV files instead of a screen and speakers.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/win32_base.h"

namespace platform {

struct HeadlessSettings {
    bool headless = false;         // VEL_HEADLESS=1, or no display to be had
    long frames = -1;              // VEL_FRAMES: idle turns until the run ends as if closed; -1 = no limit
    unsigned msPerFrame = 20;      // VEL_MS_PER_FRAME: fake-clock milliseconds per idle turn
    std::string scriptPath;        // VEL_SCRIPT: input events at given frames
    std::string shotsDir;          // VEL_SHOTS: folder for PNG screenshots
    std::vector<long> shotFrames;  // VEL_SHOT_AT: frames to take them at
};

// Read from the environment on first use; tests may replace them.
PLATFORM_API const HeadlessSettings& GetHeadlessSettings();
PLATFORM_API void SetHeadlessSettings(const HeadlessSettings& settings);
PLATFORM_API bool IsHeadless();
// The screenshot folder (VEL_SHOTS), made with its parents when it does not exist yet: the path of a file named
// name in it, or empty when no folder is set or it cannot be made.
PLATFORM_API std::string ShotPath(const std::string& name);

// The idle-turn counter of a headless run: the message queue moves it on, the display reads it.
PLATFORM_API long HeadlessFrame();
PLATFORM_API void AdvanceHeadlessFrame();
PLATFORM_API void ResetHeadlessFrame();

// Scripted answers for message boxes and dialogs, taken in order: first those pushed by tests, then the
// ";"-separated entries of VEL_ANSWERS. What an answer means ("yes", "click 103", ...) is the consumer's.
PLATFORM_API void PushScriptedAnswer(const std::string& answer);
PLATFORM_API std::optional<std::string> NextScriptedAnswer();
PLATFORM_API void ClearScriptedAnswers();

}  // namespace platform
