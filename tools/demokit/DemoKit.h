// What the demo programs share: a popup window that Escape closes, the display in a window or full screen, a
// pack opened with its name table and servers, the message loop that draws a frame whenever the queue is empty,
// and the entry that reads the arguments and prints engine errors.
#pragma once
#include <cstdio>
#include <functional>
#include <memory>

#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"
#include "platform/win32_window.h"

class CGP_Display;

// A 640 x 480 popup window, shown; Escape destroys it and its destruction ends the loop.
HWND MakeDemoWindow(const char* className, const char* title);

// Creates the display on the window, windowed or full screen, and publishes its values. 0 or the display's error.
int SetUpDemoDisplay(CGP_Display& display, HWND window, bool windowed);

// A resource pack with its name table read, its I/O manager and its server set (English texts, no sound device).
struct DemoPack {
    // False, with a message, when the file cannot be opened; a pack without a name table throws.
    bool Open(const char* path, const char* program);

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file{nullptr, std::fclose};
    CGP_NameServer names;
    std::unique_ptr<CGP_IOManager> io;
    std::unique_ptr<CGP_ServerSet> servers;
};

// Dispatches messages and calls frame whenever the queue is empty, until WM_QUIT.
void RunDemoLoop(const std::function<void()>& frame);

// The entry: "<program> <pack> [--windowed]"; engine errors are printed and end the run with 1.
int DemoMain(int argc, char** argv, int (*run)(const char* pack, bool windowed));
