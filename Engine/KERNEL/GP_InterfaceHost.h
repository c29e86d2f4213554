// What the engine's interface (forms, controls, the mouse cursor) reads and writes of the game. The game's main
// frame derives from CGP_InterfaceHost and its action table from CGP_ActionLookup; the process-wide hint text
// and slot flag live here, beside the key-name table the game builds.
#pragma once
#include <cstdint>

#include "GP_Window.h"

class CGP_Control;
class CGP_FontCache;
class CGP_SoundPlayer;

// An action handler: called on the action table with the control whose event fired. False means the handler
// replaced or destroyed the form, so the caller must not touch itself afterwards.
class CGP_ActionLookup;
using GP_ActionHandler = bool (*)(CGP_ActionLookup& table, CGP_Control* control);

class CGP_ActionLookup {
public:
    virtual ~CGP_ActionLookup() = default;
    // The handler bound to the action ID; null for -1 and for IDs without one.
    virtual GP_ActionHandler GetHandler(std::uint32_t id) = 0;
};

// The game's control keys: 14 key codes and their pressed flags (0 left, 1 right, 2 fire 1, 3 fire 2).
struct GP_GameKeys {
    static constexpr int Count = 14;
    std::uint16_t codes[Count] = {};
    std::uint8_t pressed[Count] = {};
};

// Key codes that TypedKeys holds and the interface acts on.
enum GP_TypedKey : std::uint8_t {
    GP_KeyBackspace = 8,
    GP_KeyEnter = 13,
    GP_KeyEscape = 27,
    GP_FirstTypedChar = 32,
    GP_LastTypedChar = 122,
};

class CGP_InterfaceHost : public CGP_Window {
public:
    using CGP_Window::CGP_Window;

    // The address of the game variable's value (its kind fixes the type); null for -1 and unknown IDs.
    virtual void* GetVariable(std::uint32_t id) = 0;
    // The player's reserve ships and whether the level is suspended (the cursor then steers nothing).
    virtual std::int32_t GetLives() const { return 0; }
    virtual bool IsLevelSuspended() const { return false; }
    virtual CGP_SoundPlayer* GetSoundPlayer() { return nullptr; }
    // The fonts of labels and text entries.
    virtual CGP_FontCache* GetFontCache() { return nullptr; }

    // One flag per key code, set by the key-down slot (letters lower case); the interface clears what it uses.
    std::uint8_t TypedKeys[256] = {};
    GP_GameKeys GameKeys;
    // The buttons held now, from a window message. A button pressed since the cursor last read the buttons is
    // kept until it does, so a press released within one frame (a touchpad tap) still gives a frame with the
    // button down, as DirectInput's buffered data would.
    void SetPointerButtons(std::uint32_t buttons)
    {
        pointerPresses |= buttons & ~pointerButtons;
        pointerButtons = buttons;
    }
    // The buttons held now or pressed since the last call.
    std::uint32_t TakePointerButtons()
    {
        const std::uint32_t seen = pointerButtons | pointerPresses;
        pointerPresses = 0;
        return seen;
    }

    // The system cursor's position and the mouse-button bits (bit 0 left, bit 1 right) from the window messages.
    std::int32_t pointerX = 0;
    std::int32_t pointerY = 0;
    std::uint32_t pointerButtons = 0;
    std::uint32_t pointerPresses = 0;  // pressed since the cursor last read the buttons
};

// The process-wide hint: the text shown by hint labels, and whether it changed; and whether the slot selected on
// the new-game form holds a player name.
struct GP_InterfaceState {
    std::uint32_t HintTextId = 0xFFFFFFFF;
    std::uint8_t HintChanged = 0;
    std::uint8_t SlotInUse = 0;
};
GP_InterfaceState& GP_Interface();

// The key-name table: 256 texts by virtual-key code (null where a key has no name), built by the game.
extern const char* const* GP_KeyNames;
