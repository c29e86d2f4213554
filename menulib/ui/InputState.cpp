#include "ui/InputState.h"

#include <algorithm>
#include <cmath>

#include "blit/BlitType.h"
#include "foundation/HostWindow.h"
#include "frames/Frame.h"
#include "frames/Sequence.h"
#include "platform/win32_desktop.h"
#include "platform/win32_window.h"
#include "ui/PointerOffset.h"

// The mouse record.

MouseState& MouseState::Get()
{
    static MouseState state;
    return state;
}

MouseState::MouseState() { ApplySystemCursor(); }

void MouseState::Reset() { *this = MouseState(); }

void MouseState::SetPosition(int x, int y)
{
    StorePosition(x, y);
    WarpPointer(x, y);
}

int MouseState::TakeWheelSteps()
{
    const auto steps = static_cast<int>(std::trunc(m_wheel));
    m_wheel -= static_cast<float>(steps);
    return steps;
}

void MouseState::PressButton(int button)
{
    if (button < 0 || button >= kButtons) return;
    m_buttonsDown |= 1u << button;
    m_pressedLatch |= 1u << button;
}

void MouseState::ReleaseButton(int button)
{
    if (button >= 0 && button < kButtons) m_buttonsDown &= ~(1u << button);
}

void MouseState::DoubleClickButton(int button)
{
    if (button < 0 || button >= kButtons) return;
    m_doubleClicks |= 1u << button;
    m_buttonsDown |= 1u << button;
}

std::uint32_t MouseState::TakePressedLatch()
{
    const std::uint32_t latched = m_pressedLatch;
    m_pressedLatch = 0;
    return latched;
}

bool MouseState::TakeDoubleClick(std::uint32_t mask)
{
    if (!(m_doubleClicks & mask)) return false;
    m_doubleClicks &= ~mask;
    m_buttonsDown &= ~mask;
    m_pressedLatch &= ~mask;
    return true;
}

CSequence* MouseState::SetCursor(CSequence* picture, bool loop, bool reverse)
{
    CSequence* previous = m_cursor;
    m_cursor = picture;
    m_loop = loop;
    m_reverse = reverse;
    m_finished = false;
    const float last = picture && picture->GetFrameCount() ? static_cast<float>(picture->GetFrameCount() - 1) : 0.0f;
    if (reverse)
        m_position = last;
    else if (m_position > last)
        m_position = 0.0f;
    return previous;
}

void MouseState::ShowSystemCursor() { m_systemCursorShown = true; }

void MouseState::HideSystemCursor() { m_systemCursorShown = false; }

bool MouseState::EnableSoftwareCursor()
{
    const bool previous = m_softwareCursorOn;
    m_softwareCursorOn = true;
    ApplySystemCursor();
    return previous;
}

bool MouseState::SetSoftwareCursor(bool on)
{
    const bool previous = m_softwareCursorOn;
    if (on == previous) return previous;
    m_softwareCursorOn = on;
    ApplySystemCursor();
    return previous;
}

void MouseState::ApplySystemCursor()
{
    const bool hide = m_softwareCursorOn ? !m_systemCursorShown && m_cursor : !m_systemCursorShown;
    if (hide) {
        HCURSOR showing = ::SetCursor(nullptr);
        if (!m_systemCursorHidden) m_rememberedCursor = showing;
        m_systemCursorHidden = true;
        return;
    }
    ::SetCursor(m_rememberedCursor ? m_rememberedCursor : LoadCursorA(nullptr, IDC_ARROW));
    m_systemCursorHidden = false;
}

void MouseState::SetUnderPicture(CFrameInterface* picture, float opacity)
{
    m_underPicture = picture;
    m_underOpacity = opacity;
}

void MouseState::Advance(float elapsed)
{
    const std::uint32_t frames = m_cursor ? m_cursor->GetFrameCount() : 0;
    if (frames <= 1) {
        m_finished = true;
        return;
    }
    const auto last = static_cast<float>(frames - 1);
    const float step = m_cursor->GetFrameRate() * elapsed;
    m_position += m_reverse ? -step : step;
    if (!m_reverse && m_position > last) {
        m_finished = true;
        m_position = m_loop ? 0.0f : last;
    } else if (m_reverse && m_position < 0.0f) {
        m_finished = true;
        m_position = m_loop ? last : 0.0f;
    }
}

void MouseState::Draw(CFrameInterface* frame)
{
    if (!m_cursor || !m_softwareCursorOn) return;
    if (m_underPicture) {
        BlitType& normal = NormalBlitType();
        const float saved = normal.GetOpacity();
        normal.SetOpacity(m_underOpacity);
        frame->BlitAt(m_underPicture, m_x, m_y, &normal);
        normal.SetOpacity(saved);
    }
    CFrame* picture = m_cursor->GetFrame(static_cast<std::uint32_t>(std::floor(m_position)));
    if (picture) frame->BlitAt(picture, m_x, m_y, m_cursor->GetBlitType());
}

bool MouseState::GetCursorRect(platform::Rect& rect) const
{
    if (!m_cursor || !m_softwareCursorOn) return false;
    const CFrame* picture = m_cursor->GetFrame(static_cast<std::uint32_t>(std::floor(m_position)));
    rect = picture ? picture->GetBounds().Offset(m_x, m_y) : platform::Rect{m_x, m_y, m_x, m_y};
    return true;
}

// The keyboard record.

KeyboardState& KeyboardState::Get()
{
    static KeyboardState state;
    return state;
}

bool KeyboardState::IsDown(int scanCode) const
{
    if (scanCode == 0) return true;
    return InRange(scanCode) && (m_keys[scanCode] & kDown);
}

bool KeyboardState::WasPressed(int scanCode) const { return InRange(scanCode) && (m_keys[scanCode] & kPressed); }

void KeyboardState::KeyDown(int scanCode)
{
    if (InRange(scanCode)) m_keys[scanCode] |= kDown | kPressed;
}

void KeyboardState::KeyUp(int scanCode)
{
    if (InRange(scanCode)) m_keys[scanCode] &= ~static_cast<std::uint32_t>(kDown);
}

void KeyboardState::PutTyped(int code)
{
    if (code == 0) return;
    m_ring[m_write] = static_cast<std::uint8_t>(code);
    m_write = (m_write + 1) % kRingSize;
    if (++m_count == kRingSize) {
        m_count = kRingSize - 1;
        m_read = (m_read + 1) % kRingSize;
    }
}

int KeyboardState::NextTyped()
{
    if (m_count == 0) return 0;
    const int code = m_ring[m_read];
    m_read = (m_read + 1) % kRingSize;
    --m_count;
    return code;
}

void KeyboardState::ClearPressed()
{
    for (int i = 1; i < kKeys; ++i) m_keys[i] &= ~static_cast<std::uint32_t>(kPressed);
}

void KeyboardState::ClearDown()
{
    for (int i = 1; i < kKeys; ++i) m_keys[i] &= ~static_cast<std::uint32_t>(kDown);
}

void KeyboardState::ClearTyped() { m_count = m_write = m_read = 0; }

void KeyboardState::Reset()
{
    ClearPressed();
    ClearDown();
    ClearTyped();
}

// Helpers.

void WarpPointer(int x, int y)
{
    POINT point{x + GetPointerOffsetX(), y + GetPointerOffsetY()};
    ClientToScreen(MainWindowHandle(), &point);
    SetCursorPos(point.x, point.y);
}

float RepeatDelaySeconds()
{
    int delay = 1;
    SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    return static_cast<float>(delay) / 3.0f * 0.75f + 0.25f;
}

float RepeatIntervalSeconds()
{
    int speed = 31;
    SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    return static_cast<float>(31 - speed) / 31.0f * 0.36666667f + 0.033333335f;
}
