// The form demo: the engine's form of every control kind, loaded from a pack built by the pack tool, with the
// game's mouse cursor over it (moved by DirectInput, else by the system cursor) steering a ship along the bottom.
// Escape ends it. Headless runs follow VEL_SCRIPT and write screenshots as VEL_SHOTS and VEL_SHOT_AT ask.
//   formdemo <pack> [--windowed]
#include <cstdio>
#include <cstring>
#include <memory>

#include "DemoFrame.h"
#include "DemoKit.h"
#include "GP_BinaryServer.h"
#include "GP_DirectInput.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_FontCache.h"
#include "GP_Form.h"
#include "GP_GameObject.h"
#include "GP_IOManager.h"
#include "GP_MouseCursor.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"
#include "platform/files.h"
#include "platform/win32_time.h"
#include "platform/win32_window.h"

namespace {

constexpr std::uint16_t PictureGroup = 1;
constexpr std::uint16_t FormGroup = 3;
constexpr float MaxStep = 20;  // milliseconds, as the game's frame timer caps them

// An element showing a keyed picture of the pack.
void ShowPicture(CGP_Element& element, CGP_ServerSet& servers, CGP_NameServer& names, const char* picture, int width,
                 int height)
{
    *element.GetImageID() = names.FindID(picture, PictureGroup);
    *element.GetUseColorKey() = 1;
    *element.GetWidth() = width;
    *element.GetHeight() = height;
    element.CreateFrames(&servers);
}

struct Demo {
    DemoFrame frame;
    DemoActions actions{frame};
    DemoShip shipBehaviour{frame};
    CGP_GameObject ship{nullptr};
    CGP_Element shipPicture{&ship};  // drawn where the ship is
    std::unique_ptr<CGP_DirectInput> input;
    std::unique_ptr<CGP_MouseCursor> cursor;
    std::unique_ptr<CGP_Form> form;

    void Step(float timeStep)
    {
        cursor->Update(timeStep);
        form->Update(timeStep);
        std::memset(frame.TypedKeys, 0, sizeof frame.TypedKeys);  // keys typed since the form last looked
    }

    void Draw(CGP_Display& display)
    {
        form->Draw();
        shipPicture.Draw();
        cursor->Draw();
        display.Present(1);
    }
};

std::unique_ptr<CGP_DirectInput> MakeInput(HWND window)
{
    auto input = std::make_unique<CGP_DirectInput>();
    if (input->Create(nullptr, window) != GP_InputOk) {
        std::fprintf(stderr, "Error initialize DInput. Using windows messaging.\n");
        return nullptr;
    }
    input->SetMouseRect(0, 0, 640, 480);
    return input;
}

int Run(const char* packPath, bool windowed)
{
    Demo demo;
    if (!demo.frame.Create("VelmorineFormDemo", WS_POPUP, 0, 0, 640, 480)) return 1;
    ShowWindow(demo.frame.handle, SW_SHOW);
    ShowCursor(FALSE);
    CGP_Display display;
    if (int failed = SetUpDemoDisplay(display, demo.frame.handle, windowed)) return failed;
    DemoPack pack;
    if (!pack.Open(packPath, "formdemo")) return 1;
    CGP_NameServer& names = pack.names;
    CGP_ServerSet& servers = *pack.servers;
    CGP_FontCache fonts(&names, &servers);
    demo.frame.fonts = &fonts;
    GP_KeyNames = DemoKeyNames();

    demo.ship.behaviour = &demo.shipBehaviour;
    demo.ship.Block<GP_ElementBlock>()->x = static_cast<float>(demo.frame.shipX);
    demo.ship.Block<GP_ElementBlock>()->y = 410;
    ShowPicture(demo.shipPicture, servers, names, "ship.bmp", 32, 24);
    demo.input = MakeInput(demo.frame.handle);
    demo.frame.pointerX = 320, demo.frame.pointerY = 240;
    demo.cursor = std::make_unique<CGP_MouseCursor>(&demo.frame, demo.input.get(), &demo.ship);
    ShowPicture(*demo.cursor, servers, names, "cursor.bmp", 18, 18);

    demo.form = std::make_unique<CGP_Form>(nullptr, demo.cursor.get(), &demo.frame);
    servers.binary->OpenRead(names.FindID("demo", FormGroup));
    demo.form->Load(&servers);
    demo.form->Bind(&demo.actions);

    DWORD last = timeGetTime();
    RunDemoLoop([&] {
        const DWORD now = timeGetTime();
        demo.Step(std::min(MaxStep, static_cast<float>(now - last)));
        last = now;
        demo.Draw(display);
    });
    return 0;
}

// The demo's key names stay set only while it runs.
int RunAndForgetKeyNames(const char* packPath, bool windowed)
{
    const int result = Run(packPath, windowed);
    GP_KeyNames = nullptr;
    return result;
}

}  // namespace

int main(int argc, char** argv) { return DemoMain(argc, argv, RunAndForgetKeyNames); }
