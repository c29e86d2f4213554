#include "window/window_system.h"

#include <map>
#include <mutex>

#include "platform/headless.h"
#include "platform/win32_time.h"
#include "window/headless_input.h"
#include "window/sdl_window_access.h"
#include "window/video.h"

namespace {

std::mutex windowsLock;                                    // guards the map against lookups from posting threads
std::map<std::uintptr_t, platform::WindowRecord> windows;  // handles grow, so this is creation order
std::uintptr_t nextHandle = 0x10010;
std::vector<platform::ClassRecord> classes;
bool started = false;

}  // namespace

namespace platform {

void EnsureWindowSystem()
{
    if (started) return;
    started = true;
    if (!IsHeadless() && !StartSdlVideo()) {
        HeadlessSettings settings = GetHeadlessSettings();
        settings.headless = true;
        SetHeadlessSettings(settings);
    }
    if (IsHeadless()) {
        if (!IsFakeClock()) UseFakeClock(0);
        StartHeadlessInput();
    }
}

WindowRecord* FindWindowRecord(HWND window)
{
    auto found = windows.find(reinterpret_cast<std::uintptr_t>(window));
    return found == windows.end() ? nullptr : &found->second;
}

WindowRecord* WindowOfSdlId(Uint32 windowID)
{
    if (windowID != 0)
        for (auto& [handle, record] : windows)
            if (record.sdl && SDL_GetWindowID(record.sdl) == windowID) return &record;
    return TopWindow();
}

WindowRecord* TopWindow()
{
    for (auto& [handle, record] : windows)
        if (record.visible && !record.destroying) return &record;
    for (auto& [handle, record] : windows)
        if (!record.destroying) return &record;
    return nullptr;
}

std::vector<WindowRecord*> AllWindows()
{
    std::vector<WindowRecord*> all;
    for (auto& [handle, record] : windows) all.push_back(&record);
    return all;
}

bool WindowExists(HWND window)
{
    std::lock_guard<std::mutex> hold(windowsLock);
    return windows.count(reinterpret_cast<std::uintptr_t>(window)) != 0;
}

WindowRecord& AddWindow(WindowRecord record)
{
    std::lock_guard<std::mutex> hold(windowsLock);
    const std::uintptr_t handle = nextHandle++;
    record.handle = reinterpret_cast<HWND>(handle);
    return windows.emplace(handle, std::move(record)).first->second;
}

void RemoveWindow(HWND window)
{
    std::lock_guard<std::mutex> hold(windowsLock);
    windows.erase(reinterpret_cast<std::uintptr_t>(window));
}

ClassRecord* FindClass(std::string_view name)
{
    for (ClassRecord& c : classes)
        if (EqualIgnoringCase(c.name, name)) return &c;
    return nullptr;
}

bool AddClass(ClassRecord record)
{
    if (FindClass(record.name)) return false;
    classes.push_back(std::move(record));
    return true;
}

void RemoveClass(std::string_view name)
{
    std::erase_if(classes, [&](const ClassRecord& c) { return EqualIgnoringCase(c.name, name); });
}

SDL_Window* SdlWindowOf(HWND window)
{
    WindowRecord* record = FindWindowRecord(window);
    return record ? record->sdl : nullptr;
}

void SetWindowView(HWND window, double originX, double originY, double scaleX, double scaleY)
{
    if (WindowRecord* record = FindWindowRecord(window)) {
        record->view.originX = originX;
        record->view.originY = originY;
        record->view.scaleX = scaleX;
        record->view.scaleY = scaleY;
    }
}

}  // namespace platform
