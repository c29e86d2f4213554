#include "platform/headless.h"

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <sstream>

namespace {

std::mutex stateLock;
bool settingsRead = false;
platform::HeadlessSettings current;
long frame = 0;
std::deque<std::string> pushedAnswers;  // taken first, in the order pushed
std::deque<std::string> answers;        // from VEL_ANSWERS
bool answersRead = false;

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

long ToLong(const std::string& text, long fallback)
{
    if (text.empty()) return fallback;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    return end && *end == '\0' ? value : fallback;
}

platform::HeadlessSettings ReadSettings()
{
    platform::HeadlessSettings s;
    const bool noDisplay = Env("DISPLAY").empty() && Env("WAYLAND_DISPLAY").empty();
    s.headless = Env("VEL_HEADLESS") == "1" || noDisplay;
    s.frames = ToLong(Env("VEL_FRAMES"), -1);
    const long ms = ToLong(Env("VEL_MS_PER_FRAME"), 20);
    s.msPerFrame = ms > 0 ? static_cast<unsigned>(ms) : 20u;
    s.scriptPath = Env("VEL_SCRIPT");
    s.shotsDir = Env("VEL_SHOTS");
    std::stringstream list(Env("VEL_SHOT_AT"));
    for (std::string item; std::getline(list, item, ',');) {
        long at = ToLong(item, -1);
        if (at >= 0) s.shotFrames.push_back(at);
    }
    return s;
}

void ReadAnswersOnce()
{
    if (answersRead) return;
    answersRead = true;
    std::stringstream list(Env("VEL_ANSWERS"));
    for (std::string item; std::getline(list, item, ';');)
        if (!item.empty()) answers.push_back(item);
}

}  // namespace

namespace platform {

const HeadlessSettings& GetHeadlessSettings()
{
    std::lock_guard<std::mutex> hold(stateLock);
    if (!settingsRead) {
        current = ReadSettings();
        settingsRead = true;
    }
    return current;
}

void SetHeadlessSettings(const HeadlessSettings& settings)
{
    std::lock_guard<std::mutex> hold(stateLock);
    current = settings;
    settingsRead = true;
}

bool IsHeadless() { return GetHeadlessSettings().headless; }

std::string ShotPath(const std::string& name)
{
    const std::string folder = GetHeadlessSettings().shotsDir;
    if (folder.empty()) return "";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) return "";
    return folder + "/" + name;
}

long HeadlessFrame()
{
    std::lock_guard<std::mutex> hold(stateLock);
    return frame;
}

void AdvanceHeadlessFrame()
{
    std::lock_guard<std::mutex> hold(stateLock);
    ++frame;
}

void ResetHeadlessFrame()
{
    std::lock_guard<std::mutex> hold(stateLock);
    frame = 0;
}

void PushScriptedAnswer(const std::string& answer)
{
    std::lock_guard<std::mutex> hold(stateLock);
    pushedAnswers.push_back(answer);
}

std::optional<std::string> NextScriptedAnswer()
{
    std::lock_guard<std::mutex> hold(stateLock);
    ReadAnswersOnce();
    std::deque<std::string>& from = pushedAnswers.empty() ? answers : pushedAnswers;
    if (from.empty()) return std::nullopt;
    std::string answer = from.front();
    from.pop_front();
    return answer;
}

void ClearScriptedAnswers()
{
    std::lock_guard<std::mutex> hold(stateLock);
    answersRead = true;
    pushedAnswers.clear();
    answers.clear();
}

}  // namespace platform
