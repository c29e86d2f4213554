#include "DemoKit.h"

#include <cstring>

#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_PackTrailer.h"
#include "platform/files.h"

namespace {

constexpr std::uint32_t EnglishTexts = 1033;

LRESULT DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) DestroyWindow(window);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND MakeDemoWindow(const char* className, const char* title)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DemoWindowProc;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    HWND window =
        CreateWindowA(className, title, WS_POPUP | WS_SYSMENU, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

int SetUpDemoDisplay(CGP_Display& display, HWND window, bool windowed)
{
    if (int failed = display.Init()) return failed;
    const int setUp =
        windowed ? display.SetWindowed(0, window, 640, 480) : display.SetFullScreen(0, window, 640, 480, 16);
    if (setUp) return setUp;
    GP_PublishDisplayValues(&display);
    return GP_DisplayOk;
}

bool DemoPack::Open(const char* path, const char* program)
{
    file.reset(platform::OpenFile(path, "rb"));
    if (!file) {
        std::fprintf(stderr, "cannot open %s\n", path);
        return false;
    }
    if (!GP_SeekPackNameTable(file.get()))
        throw CGP_FatalExeption(program, __LINE__, FormatNew("The pack has no name table"));
    names.Load(file.get(), true);
    io = std::make_unique<CGP_IOManager>(file.get(), nullptr, &names, nullptr);
    servers = std::make_unique<CGP_ServerSet>(nullptr, io.get(), nullptr, EnglishTexts);
    return true;
}

void RunDemoLoop(const std::function<void()>& frame)
{
    for (MSG msg{};;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        frame();
    }
}

int DemoMain(int argc, char** argv, int (*run)(const char* pack, bool windowed))
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <pack> [--windowed]\n", argv[0]);
        return 2;
    }
    try {
        return run(argv[1], argc > 2 && std::strcmp(argv[2], "--windowed") == 0);
    } catch (const CGP_Exeption& error) {
        std::unique_ptr<char[]> text(error.GetMessage());
        std::fprintf(stderr, "%s\n", text.get());
        return 1;
    }
}
