// The play demo: the scene "stage 1" of a pack played on a play field with the grid outline on: two layers
// scrolling, a ship sweeping and firing, rocks falling, breaking under the shots and leaving sparks. Headless
// runs write screenshots as VEL_SHOTS and VEL_SHOT_AT ask and end after VEL_FRAMES frames; at the end the demo
// says how many shots it fired and rocks it broke.
//   playdemo <pack> [--windowed]
#include <algorithm>
#include <cstdio>
#include <memory>

#include "DemoKit.h"
#include "GP_BinaryServer.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_PlayField.h"
#include "GP_Random.h"
#include "GP_Scene.h"
#include "PlayDemo.h"
#include "platform/win32_time.h"

namespace {

constexpr std::uint16_t SceneGroup = 5;
constexpr float MaxStep = 20.0f;  // milliseconds a frame may advance the play, as the game's timer allows

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
    HWND window = MakeDemoWindow("VelmorinePlayDemo", "Velmorine play demo");
    CGP_Display display;
    if (int failed = SetUpDemoDisplay(display, window, windowed)) return failed;
    DemoPack pack;
    if (!pack.Open(packPath, "playdemo")) return 1;
    GP_SeedRandom(7);
    DemoHost host(pack.servers.get(), &pack.names);
    std::unique_ptr<CGP_Scene> scene = StartStage(host, pack.names, *pack.servers);

    DWORD last = timeGetTime();
    RunDemoLoop([&] {
        const DWORD now = timeGetTime();
        const float step = std::min(static_cast<float>(now - last), MaxStep);
        last = now;
        host.Frame(step);
        display.DrawFps(display.backSurface.get(), 10, 10);
        display.Present(1);
    });
    std::printf("play demo: %ld shots fired, %ld rocks broken\n", host.counts.shotsFired, host.counts.rocksBroken);
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return DemoMain(argc, argv, Run); }
