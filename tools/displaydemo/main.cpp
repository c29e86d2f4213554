// The display demo: a backdrop and a colour-keyed ship loaded by name ID from a pack through the graphics
// server, the frame rate in the corner, presented every frame. Headless runs write screenshots as the
// VEL_SHOTS and VEL_SHOT_AT settings ask; VEL_FRAMES ends them.
//   displaydemo <pack> [--windowed]
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_GraphServer.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_PackTrailer.h"
#include "GP_ServerSet.h"
#include "GP_Surface.h"
#include "platform/files.h"
#include "platform/win32_time.h"
#include "platform/win32_window.h"

namespace {

constexpr std::uint32_t NoMask = 0xFFFFFFFF;
constexpr std::uint16_t PictureGroup = 1;

LRESULT DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) DestroyWindow(window);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DemoWindowProc;
    windowClass.lpszClassName = "VelmorineDisplayDemo";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("VelmorineDisplayDemo", "Velmorine display demo", WS_POPUP | WS_SYSMENU, 0, 0, 640,
                                480, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

void LoadNameTable(CGP_NameServer& names, std::FILE* pack)
{
    if (!GP_SeekPackNameTable(pack))
        throw CGP_FatalExeption("displaydemo", __LINE__, FormatNew("The pack has no name table"));
    names.Load(pack, true);
}

void DrawFrame(CGP_Display& display, CGP_Surface* backdrop, CGP_Surface* ship)
{
    CGP_Surface* back = display.backSurface.get();
    backdrop->BltFast(back, 0, 0, 0, 0, backdrop->width, backdrop->height);
    const double t = timeGetTime() / 1000.0;
    const int x = 288 + static_cast<int>(220 * std::sin(t));
    const int y = 330 + static_cast<int>(40 * std::sin(t * 2.3));
    ship->BltFast(back, x, y, 0, 0, ship->width, ship->height);
    display.DrawFps(back, 10, 10);
    display.Present(1);
}

int Run(const char* packPath, bool windowed)
{
    HWND window = MakeWindow();
    CGP_Display display;
    if (int failed = display.Init()) return failed;
    const int setUp = windowed ? display.SetWindowed(0, window, 640, 480) : display.SetFullScreen(0, window, 640, 480, 16);
    if (setUp) return setUp;
    GP_PublishDisplayValues(&display);

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pack(platform::OpenFile(packPath, "rb"), std::fclose);
    if (!pack) {
        std::fprintf(stderr, "cannot open %s\n", packPath);
        return 1;
    }
    CGP_NameServer names;
    LoadNameTable(names, pack.get());
    CGP_IOManager io(pack.get(), nullptr, &names, nullptr);
    CGP_ServerSet servers(nullptr, &io, nullptr, 1033);
    CGP_Surface* backdrop = servers.graphics->LoadSurface(names.FindID("backdrop.bmp", PictureGroup), NoMask, 0, nullptr);
    GP_ColorKeyRecord key{1, 0};
    servers.graphics->pendingColorKey = &key;
    CGP_Surface* ship = servers.graphics->LoadSurface(names.FindID("ship.bmp", PictureGroup), NoMask, 0, nullptr);
    servers.graphics->pendingColorKey = nullptr;
    ship->useColorKey = key.useColorKey;
    ship->SetSourceColorKey(key.colorKey);

    for (MSG msg{};;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return 0;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        DrawFrame(display, backdrop, ship);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <pack> [--windowed]\n", argv[0]);
        return 2;
    }
    try {
        return Run(argv[1], argc > 2 && std::strcmp(argv[2], "--windowed") == 0);
    } catch (const CGP_Exeption& error) {
        std::unique_ptr<char[]> text(error.GetMessage());
        std::fprintf(stderr, "%s\n", text.get());
        return 1;
    }
}
