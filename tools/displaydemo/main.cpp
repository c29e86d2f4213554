// The display demo: a backdrop and a colour-keyed ship loaded by name ID from a pack through the graphics
// server, the frame rate in the corner, presented every frame. Headless runs write screenshots as the
// VEL_SHOTS and VEL_SHOT_AT settings ask; VEL_FRAMES ends them.
//   displaydemo <pack> [--windowed]
#include <cmath>

#include "DemoKit.h"
#include "GP_Display.h"
#include "GP_GraphServer.h"
#include "GP_Surface.h"
#include "platform/win32_time.h"

namespace {

constexpr std::uint32_t NoMask = 0xFFFFFFFF;
constexpr std::uint16_t PictureGroup = 1;

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
    HWND window = MakeDemoWindow("VelmorineDisplayDemo", "Velmorine display demo");
    CGP_Display display;
    if (int failed = SetUpDemoDisplay(display, window, windowed)) return failed;
    DemoPack pack;
    if (!pack.Open(packPath, "displaydemo")) return 1;
    CGP_GraphServer* graphics = pack.servers->graphics.get();
    CGP_Surface* backdrop = graphics->LoadSurface(pack.names.FindID("backdrop.bmp", PictureGroup), NoMask, 0, nullptr);
    GP_ColorKeyRecord key{1, 0};
    graphics->pendingColorKey = &key;
    CGP_Surface* ship = graphics->LoadSurface(pack.names.FindID("ship.bmp", PictureGroup), NoMask, 0, nullptr);
    graphics->pendingColorKey = nullptr;
    ship->useColorKey = key.useColorKey;
    ship->SetSourceColorKey(key.colorKey);
    RunDemoLoop([&] { DrawFrame(display, backdrop, ship); });
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return DemoMain(argc, argv, Run); }
