// The form demo's stand-in for the game's main frame and action table: the window that records keys and the
// pointer as the game does, the demo's game variables, and the handlers the demo form's controls name.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "GP_Behaviour.h"
#include "GP_InterfaceHost.h"

class CGP_FontCache;

// The demo's game variables and actions, as the demo pack's form names them.
enum DemoVariable : std::uint32_t {
    VarClicks = 0xD0000,
    VarSpinner = 0xD0001,
    VarVolume = 0xD0002,
    VarName = 0xD0003,
    VarKey = 0xD0004,
    VarShipX = 0xD0005,
};
enum DemoAction : std::uint32_t {
    ActCount = 0x90000,
    ActToggle = 0x90001,
    ActEdit = 0x90002,
    ActWaitKey = 0x90003,
    ActShowHint = 0x90004,
    ActHideHint = 0x90005,
    ActQuit = 0x90006,
};

class DemoFrame : public CGP_InterfaceHost {
public:
    DemoFrame();

    void* GetVariable(std::uint32_t id) override;
    CGP_FontCache* GetFontCache() override { return fonts; }

    void OnKeyDown(CGP_Window* sender, std::uint32_t key, std::uint32_t modifiers, std::uint8_t extended) override;
    void OnKeyUp(CGP_Window* sender, std::uint32_t key, std::uint32_t modifiers) override;
    void OnMouseMove(CGP_Window* sender, std::uint32_t buttons, int x, int y) override;
    void OnMouseDown(CGP_Window* sender, WPARAM wParam, int x, int y) override;
    void OnMouseUp(CGP_Window* sender, WPARAM wParam, int x, int y) override;

    CGP_FontCache* fonts = nullptr;
    std::int32_t clicks = 0;
    std::uint8_t spinner = 0;
    std::int32_t volume = 0;
    char name[16] = {};
    std::uint8_t key = 'Q';
    std::int32_t shipX = 304;

private:
    int GameKeyOf(std::uint32_t key) const;
};

class DemoActions : public CGP_ActionLookup {
public:
    explicit DemoActions(DemoFrame& frame) : frame(frame) {}
    GP_ActionHandler GetHandler(std::uint32_t id) override;

    DemoFrame& frame;
};

// The ship: moves sideways by the cursor's steering, kept on the screen.
class DemoShip : public CGP_Behaviour {
public:
    explicit DemoShip(DemoFrame& frame) : frame(frame) {}
    void Event3(CGP_GameObject* object, std::int32_t dx, std::int32_t dy, float elapsed) override;

    DemoFrame& frame;
};

// " A" for letters and digits, a few named keys; the rest have no name.
const char* const* DemoKeyNames();
