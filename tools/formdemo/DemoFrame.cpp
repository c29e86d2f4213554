#include "DemoFrame.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "GP_GameObject.h"
#include "GP_Label.h"
#include "GP_TextInput.h"
#include "platform/win32_messages.h"
#include "platform/win32_window.h"

DemoFrame::DemoFrame() : CGP_InterfaceHost(nullptr)
{
    const std::uint16_t keys[] = {VK_LEFT, VK_RIGHT, VK_CONTROL, VK_SPACE};
    std::copy(std::begin(keys), std::end(keys), GameKeys.codes);
}

void* DemoFrame::GetVariable(std::uint32_t id)
{
    switch (id) {
    case VarClicks: return &clicks;
    case VarSpinner: return &spinner;
    case VarVolume: return &volume;
    case VarName: return name;
    case VarKey: return &key;
    case VarShipX: return &shipX;
    default: return nullptr;
    }
}

int DemoFrame::GameKeyOf(std::uint32_t code) const
{
    for (int i = 0; i < GP_GameKeys::Count; ++i)
        if (GameKeys.codes[i] == code && code != 0) return i;
    return -1;
}

void DemoFrame::OnKeyDown(CGP_Window*, std::uint32_t code, std::uint32_t, std::uint8_t)
{
    if (code < 256) TypedKeys[code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code] = 1;
    if (const int k = GameKeyOf(code); k >= 0) GameKeys.pressed[k] = 1;
}

void DemoFrame::OnKeyUp(CGP_Window*, std::uint32_t code, std::uint32_t)
{
    if (const int k = GameKeyOf(code); k >= 0) GameKeys.pressed[k] = 0;
}

void DemoFrame::OnMouseMove(CGP_Window*, std::uint32_t, int x, int y) { pointerX = x, pointerY = y; }

void DemoFrame::OnMouseDown(CGP_Window*, WPARAM wParam, int x, int y)
{
    pointerX = x, pointerY = y;
    SetPointerButtons(static_cast<std::uint32_t>(wParam & (MK_LBUTTON | MK_RBUTTON)));
}

void DemoFrame::OnMouseUp(CGP_Window* sender, WPARAM wParam, int x, int y) { OnMouseDown(sender, wParam, x, y); }

namespace {

DemoFrame& FrameOf(CGP_ActionLookup& table) { return static_cast<DemoActions&>(table).frame; }

bool Count(CGP_ActionLookup& table, CGP_Control*) { return ++FrameOf(table).clicks, true; }

bool Toggle(CGP_ActionLookup& table, CGP_Control*)
{
    FrameOf(table).spinner = !FrameOf(table).spinner;
    return true;
}

bool Edit(CGP_ActionLookup& table, CGP_Control* control)
{
    auto* entry = static_cast<CGP_TextInput*>(control);
    if (entry->editing) return true;
    entry->editing = 1;
    std::memset(entry->editBuffer, 0, sizeof entry->editBuffer);
    std::memcpy(entry->editBuffer, FrameOf(table).name, strnlen(FrameOf(table).name, CGP_TextInput::MaxLength));
    entry->changed = 1;
    return true;
}

bool WaitKey(CGP_ActionLookup& table, CGP_Control* control)
{
    control->Block<GP_LabelBlock>()->active = 1;
    *static_cast<CGP_Label*>(control)->GetChanged() = 1;
    FrameOf(table).lastKeyDown = 0;
    return true;
}

bool ShowHint(CGP_ActionLookup&, CGP_Control* control)
{
    GP_Interface().HintTextId = control->Block<GP_ControlBlock>()->hintTextID;
    GP_Interface().HintChanged = 1;
    return true;
}

bool HideHint(CGP_ActionLookup&, CGP_Control*)
{
    GP_Interface().HintTextId = 0xFFFFFFFF;
    return true;
}

bool Quit(CGP_ActionLookup&, CGP_Control*)
{
    PostQuitMessage(0);
    return true;
}

}  // namespace

GP_ActionHandler DemoActions::GetHandler(std::uint32_t id)
{
    switch (id) {
    case ActCount: return Count;
    case ActToggle: return Toggle;
    case ActEdit: return Edit;
    case ActWaitKey: return WaitKey;
    case ActShowHint: return ShowHint;
    case ActHideHint: return HideHint;
    case ActQuit: return Quit;
    default: return nullptr;
    }
}

void DemoShip::Event3(CGP_GameObject* object, std::int32_t dx, std::int32_t, float)
{
    frame.shipX = std::clamp(frame.shipX + std::clamp(dx, -16, 16), 0, 608);
    object->Block<GP_ElementBlock>()->x = static_cast<float>(frame.shipX);
}

const char* const* DemoKeyNames()
{
    static std::array<std::string, 256> texts;
    static std::array<const char*, 256> names{};
    if (names['A']) return names.data();
    for (int c = '0'; c <= 'Z'; ++c)
        if (std::isalnum(c)) texts[c] = std::string(" ") + static_cast<char>(c);
    texts[VK_LEFT] = " Left", texts[VK_RIGHT] = " Right", texts[VK_SPACE] = " Space", texts[VK_RETURN] = " Enter";
    texts[VK_CONTROL] = " Ctrl";
    for (int c = 0; c < 256; ++c)
        if (!texts[c].empty()) names[c] = texts[c].c_str();
    return names.data();
}
