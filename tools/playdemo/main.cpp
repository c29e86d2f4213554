// The play demo: the scene "stage 1" of a pack played on a play field with the grid outline on: two layers
// scrolling, a ship sweeping and firing, rocks falling, breaking under the shots and leaving sparks. Headless
// runs write screenshots as VEL_SHOTS and VEL_SHOT_AT ask and end after VEL_FRAMES frames; at the end the demo
// says how many shots it fired and rocks it broke.
//   playdemo <pack> [--windowed]
#include <cstdio>
#include <cstring>
#include <memory>

#include "GP_BinaryServer.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_PlayField.h"
#include "GP_Random.h"
#include "GP_Scene.h"
#include "GP_ServerSet.h"
#include "PlayDemo.h"
#include "platform/files.h"
#include "platform/win32_time.h"
#include "platform/win32_window.h"

namespace {

constexpr std::uint16_t SceneGroup = 5;
constexpr float MaxStep = 20.0f;  // milliseconds a frame may advance the play, as the game's timer allows

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
    windowClass.lpszClassName = "VelmorinePlayDemo";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("VelmorinePlayDemo", "Velmorine play demo", WS_POPUP | WS_SYSMENU, 0, 0, 640, 480,
                                nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

void LoadNameTable(CGP_NameServer& names, std::FILE* pack)
{
    std::uint32_t trailer = 0;
    if (std::fread(&trailer, sizeof trailer, 1, pack) != 1 || std::fseek(pack, trailer + 4, SEEK_SET) != 0)
        throw CGP_FatalExeption("playdemo", __LINE__, FormatNew("The pack has no name table"));
    names.Load(pack, true);
}

// The scene on a fresh 10 x 10 field given to every list, as a stage starts.
std::unique_ptr<CGP_Scene> StartStage(DemoHost& host, CGP_NameServer& names, CGP_ServerSet& servers)
{
    auto scene = std::make_unique<CGP_Scene>(&host);
    scene->playField = std::make_unique<CGP_PlayField>(&host, 10, 10);
    scene->playField->showGrid = 1;
    host.field = scene->playField.get();
    for (auto& list : host.lists) list->SetPlayField(host.field);
    const std::uint32_t id = names.FindID("stage 1", SceneGroup);
    if (!servers.binary->OpenRead(id))
        throw CGP_FatalExeption("playdemo", __LINE__, FormatNew("The pack has no scene \"stage 1\""));
    scene->Load(&servers, true, true);
    return scene;
}

int Run(const char* packPath, bool windowed)
{
    HWND window = MakeWindow();
    CGP_Display display;
    if (int failed = display.Init()) return failed;
    const int setUp =
        windowed ? display.SetWindowed(0, window, 640, 480) : display.SetFullScreen(0, window, 640, 480, 16);
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
    GP_SeedRandom(7);
    DemoHost host(&servers, &names);
    std::unique_ptr<CGP_Scene> scene = StartStage(host, names, servers);

    DWORD last = timeGetTime();
    for (MSG msg{};;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        const DWORD now = timeGetTime();
        const float step = std::min(static_cast<float>(now - last), MaxStep);
        last = now;
        host.Frame(step);
        display.DrawFps(display.backSurface.get(), 10, 10);
        display.Present(1);
    }
    std::printf("play demo: %ld shots fired, %ld rocks broken\n", host.counts.shotsFired, host.counts.rocksBroken);
    return 0;
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
