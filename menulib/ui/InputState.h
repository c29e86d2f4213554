// The process-wide input records that the library front writes from the host's window messages and the screen
// window reads once per frame: the mouse (position, buttons, double clicks, wheel and the software cursor) and the
// keyboard (key words by scan code and a small ring of typed key codes).
#pragma once
#include <cstdint>

#include "platform/rect.h"
#include "platform/win32_base.h"

class CFrameInterface;
class CSequence;

class MouseState {
public:
    static constexpr int kButtons = 5;

    static MouseState& Get();

    void GetPosition(int& x, int& y) const
    {
        x = m_x;
        y = m_y;
    }
    // Stores the position and moves the system pointer there.
    void SetPosition(int x, int y);
    // Stores the position only (the library front's writer).
    void StorePosition(int x, int y)
    {
        m_x = x;
        m_y = y;
    }
    int TakeWheelSteps();
    void AddWheel(float steps) { m_wheel += steps; }
    std::uint32_t GetButtons() const { return m_buttonsDown; }
    // The library front's writers: a press also latches the button until the next pump, so that a press and its
    // release between two frames still make a click.
    void PressButton(int button);
    void ReleaseButton(int button);
    void DoubleClickButton(int button);
    void PutButtonBack(int button) { m_buttonsDown |= 1u << button; }
    // The buttons pressed since the last call, cleared by it.
    std::uint32_t TakePressedLatch();
    bool TakeDoubleClick(std::uint32_t mask);

    CSequence* SetCursor(CSequence* picture, bool loop, bool reverse);
    CSequence* GetCursor() const { return m_cursor; }
    void ShowSystemCursor();
    void HideSystemCursor();
    bool EnableSoftwareCursor();
    bool SetSoftwareCursor(bool on);
    bool IsSoftwareCursorOn() const { return m_softwareCursorOn; }
    void ApplySystemCursor();
    void SetUnderPicture(CFrameInterface* picture, float opacity);
    void Advance(float elapsed);
    void Draw(CFrameInterface* frame);
    bool GetCursorRect(platform::Rect& rect) const;
    float GetAnimationPosition() const { return m_position; }
    bool IsFinished() const { return m_finished; }

    // Back to the load-time state (tests).
    void Reset();

private:
    MouseState();

    CSequence* m_cursor = nullptr;
    CFrameInterface* m_underPicture = nullptr;
    float m_underOpacity = 1.0f;
    float m_position = 0.0f;
    bool m_systemCursorShown = false;
    bool m_softwareCursorOn = false;
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    std::uint32_t m_buttonsDown = 0;
    std::uint32_t m_doubleClicks = 0;
    std::uint32_t m_pressedLatch = 0;
    float m_wheel = 0.0f;
    bool m_loop = true;
    bool m_finished = false;
    bool m_reverse = false;
    HCURSOR m_rememberedCursor = nullptr;
    bool m_systemCursorHidden = false;
};

class KeyboardState {
public:
    static constexpr int kKeys = 512;
    static constexpr int kRingSize = 10;

    static KeyboardState& Get();

    bool IsDown(int scanCode) const;
    bool WasPressed(int scanCode) const;
    void KeyDown(int scanCode);
    void KeyUp(int scanCode);
    void PutTyped(int code);
    int NextTyped();
    int GetTypedCount() const { return m_count; }
    void ClearPressed();
    void ClearDown();
    void ClearTyped();
    void Reset();

private:
    enum KeyBit : std::uint32_t {
        kDown = 1,
        kPressed = 2
    };
    static bool InRange(int scanCode) { return scanCode > 0 && scanCode < kKeys; }

    std::uint32_t m_keys[kKeys] = {};
    std::uint8_t m_ring[kRingSize] = {};
    std::int32_t m_count = 0;
    std::int32_t m_write = 0;
    std::int32_t m_read = 0;
};

// Input helpers: the pointer moved to client coordinates of the host window (letterbox offsets added), and the
// auto-repeat timing from the system's keyboard settings.
void WarpPointer(int x, int y);
float RepeatDelaySeconds();
float RepeatIntervalSeconds();
