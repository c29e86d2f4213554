// A stand-in for the game's side of the interface: a main frame with game variables by ID, and an action table
// whose handlers log the events they receive (and may replace the form by deleting it).
#pragma once
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GP_Control.h"
#include "GP_InterfaceHost.h"
#include "GP_MouseCursor.h"

namespace interfacehost {

class FakeMainFrame : public CGP_InterfaceHost {
public:
    FakeMainFrame() : CGP_InterfaceHost(nullptr) {}

    void* GetVariable(std::uint32_t id) override
    {
        auto found = variables.find(id);
        return found == variables.end() ? nullptr : found->second.data();
    }
    std::int32_t GetLives() const override { return lives; }
    bool IsLevelSuspended() const override { return levelSuspended; }
    CGP_FontCache* GetFontCache() override { return fonts; }

    // A variable of 16 zero bytes (room for every kind's value, and a 13-byte text).
    template <typename T>
    T& Variable(std::uint32_t id)
    {
        variables[id].resize(16);
        return *reinterpret_cast<T*>(variables[id].data());
    }

    std::map<std::uint32_t, std::vector<std::uint8_t>> variables;
    std::int32_t lives = 0;
    bool levelSuspended = false;
    CGP_FontCache* fonts = nullptr;
};

// Action IDs of the logging handlers; each logs "<event> <control index>".
enum Action : std::uint32_t {
    Enter = 0x90001,
    Leave,
    Press,
    Click,
    Stop,
    EnterKey,
    EscapeKey
};

class FakeActions : public CGP_ActionLookup {
public:
    GP_ActionHandler GetHandler(std::uint32_t id) override
    {
        switch (id) {
        case Enter: return &Log<'e'>;
        case Leave: return &Log<'l'>;
        case Press: return &Log<'p'>;
        case Click: return &Log<'c'>;
        case Stop: return &StopHandler;
        case EnterKey: return &Log<'E'>;
        case EscapeKey: return &Log<'X'>;
        default: return nullptr;
        }
    }

    std::string log;
    // Called by the Stop action, as a handler that replaces the form would.
    std::function<void()> onStop;

private:
    template <char Event>
    static bool Log(CGP_ActionLookup& table, CGP_Control*)
    {
        static_cast<FakeActions&>(table).log += Event;
        return true;
    }
    static bool StopHandler(CGP_ActionLookup& table, CGP_Control*)
    {
        auto& self = static_cast<FakeActions&>(table);
        self.log += 's';
        if (self.onStop) self.onStop();
        return false;
    }
};

// Puts the cursor where a frame's input leaves it: at (x, y), the left button down or up, remembering where it
// was last held.
inline void Point(CGP_MouseCursor& cursor, int x, int y, bool down)
{
    cursor.x = x;
    cursor.y = y;
    cursor.leftDown = down ? 1 : 0;
    (down ? cursor.leftHeld : cursor.leftReleased) = GP_CursorPoint{x, y};
}

// A control's four actions bound to the logging handlers.
inline void UseLoggingActions(CGP_Control& control)
{
    *control.GetEnterAction() = Enter;
    *control.GetLeaveAction() = Leave;
    *control.GetPressAction() = Press;
    *control.GetClickAction() = Click;
}

inline void Place(CGP_Object& object, float x, float y, int width, int height)
{
    object.Block<GP_ObjectBlock>()->x = x;
    object.Block<GP_ObjectBlock>()->y = y;
    *object.GetWidth() = width;
    *object.GetHeight() = height;
}

}  // namespace interfacehost
