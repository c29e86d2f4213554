#include "ui/ScreenWindow.h"

#include <algorithm>

#include "foundation/Messages.h"
#include "foundation/Timing.h"
#include "frames/Sequence.h"
#include "ui/Font.h"
#include "ui/ToolkitKeys.h"
#include "ui/ToolkitStatics.h"

using platform::Rect;

namespace {

constexpr const char* kScreenName = "~CScreenWindow";
constexpr int kHintDropWithoutCursor = 20;
constexpr float kHintWidthShare = 0.8f;
constexpr int kHintEdge = 3;
constexpr int kHintLeftEdge = 2;

CScreenWindow* g_currentScreen = nullptr;
TickSource g_tickSource = nullptr;

bool EitherDown(int left, int right)
{
    const KeyboardState& keys = KeyboardState::Get();
    return keys.IsDown(left) || keys.IsDown(right);
}

bool ShiftDown() { return EitherDown(kScanLeftShift, kScanRightShift); }
bool ControlDown() { return EitherDown(kScanLeftControl, kScanRightControl); }
bool AltDown() { return EitherDown(kScanLeftAlt, kScanRightAlt); }

}  // namespace

std::uint32_t ToolkitTicks() { return g_tickSource ? g_tickSource() : GetTicks(); }

void SetToolkitTickSource(TickSource source) { g_tickSource = source; }

const char* CScreenWindow::TakeFont(CFont* font)
{
    if (font) toolkit::SetDefaultFont(font);
    return kScreenName;
}

CScreenWindow::CScreenWindow(CFrameInterface* output, CFont* font) : CJWindow(nullptr, TakeFont(font))
{
    if (!g_currentScreen) g_currentScreen = this;
    m_savedSoftwareCursor = MouseState::Get().EnableSoftwareCursor();
    SetFocus(true);
    KeyboardState::Get().Reset();
    AttachOutputFrame(output);
}

CScreenWindow::~CScreenWindow()
{
    MouseState::Get().SetSoftwareCursor(m_savedSoftwareCursor);
    KeyboardState::Get().Reset();
    if (g_currentScreen == this) g_currentScreen = nullptr;
}

CScreenWindow* CScreenWindow::GetCurrentScreen() { return g_currentScreen; }

void CScreenWindow::AttachOutputFrame(CFrameInterface* frame)
{
    m_output = frame;
    SetRect(Rect::OfSize(frame ? frame->GetWidth() : 0, frame ? frame->GetHeight() : 0));
    m_backBuffer.SetWrapped(frame);
    m_backBuffer.SetOffset(0, 0);
    m_backBuffer.SetClipRect(GetRect());
}

void CScreenWindow::ForgetWindow(const CJWindow* window)
{
    for (RepeatRecord& record : m_repeats)
        if (record.window == window) record = RepeatRecord();
}

// The pump.

void CScreenWindow::TrackMotion()
{
    int x = 0;
    int y = 0;
    MouseState::Get().GetPosition(x, y);
    if (x == m_lastX && y == m_lastY) return;
    MouseState& mouse = MouseState::Get();
    CSequence* cursor = mouse.GetCursor();
    OnMouseMove(x, y, x - m_lastX, y - m_lastY, cursor);
    if (cursor != mouse.GetCursor()) mouse.SetCursor(cursor, true, false);
    m_lastX = x;
    m_lastY = y;
}

void CScreenWindow::EvaluateHover()
{
    MouseState& mouse = MouseState::Get();
    CSequence* cursor = mouse.GetCursor();
    OnMouseMove(m_lastX, m_lastY, 0, 0, cursor);
    if (cursor != mouse.GetCursor()) mouse.SetCursor(cursor, true, false);
}

void CScreenWindow::Update(float elapsed)
{
    if (!m_inputEnabled) return;
    MouseState& mouse = MouseState::Get();
    TrackMotion();
    int x = 0;
    int y = 0;
    mouse.GetPosition(x, y);
    if (const int steps = mouse.TakeWheelSteps()) OnWheel(steps, x, y);
    std::uint32_t held = mouse.GetButtons();
    DeliverDoubleClicks(held);
    DeliverButtons(held, mouse.TakePressedLatch());
    DeliverKeys();
    CJWindow::Update(elapsed);
}

void CScreenWindow::DeliverDoubleClicks(std::uint32_t& held)
{
    MouseState& mouse = MouseState::Get();
    for (int button = 0; button < MouseState::kButtons; ++button) {
        const std::uint32_t bit = 1u << button;
        if (!mouse.TakeDoubleClick(bit)) continue;
        int x = 0;
        int y = 0;
        mouse.GetPosition(x, y);
        bool pressToo = false;
        if (!OnDoubleClick(button, x, y, pressToo) || pressToo) {
            mouse.PutButtonBack(button);
            held |= bit;
        } else {
            held &= ~bit;
            m_previousButtons &= ~bit;
        }
    }
}

void CScreenWindow::DeliverButtons(std::uint32_t held, std::uint32_t latched)
{
    for (int button = 0; button < MouseState::kButtons; ++button) {
        const std::uint32_t bit = 1u << button;
        const bool wasDown = m_previousButtons & bit;
        const bool isDown = held & bit;
        // A press that came and went between two frames is still a press and a release in this one.
        const bool newlyDown = !wasDown && (isDown || (latched & bit));
        if (newlyDown) PressButton(button);
        if (wasDown && isDown) RepeatButton(button);
        if (!isDown && (wasDown || newlyDown)) ReleaseButton(button);
    }
    m_previousButtons = held;
}

void CScreenWindow::PressButton(int button)
{
    toolkit::SetKeyboardNavigation(false);
    m_currentButton = button;
    m_repeats[button] = RepeatRecord();
    int x = 0;
    int y = 0;
    MouseState::Get().GetPosition(x, y);
    OnMouseDown(button, x, y);
    EvaluateHover();
}

void CScreenWindow::RepeatButton(int button)
{
    RepeatRecord& record = m_repeats[button];
    const std::uint32_t now = ToolkitTicks();
    // The tick count wraps: compare by the signed difference.
    if (!record.window || static_cast<std::int32_t>(now - record.nextTime) <= 0) return;
    int x = 0;
    int y = 0;
    MouseState::Get().GetPosition(x, y);
    if (record.window->GetVisibleRect().Contains(x, y)) record.window->OnMouseRepeat(button, x, y);
    record.fired = true;
    record.nextTime = now + record.interval;
}

void CScreenWindow::ReleaseButton(int button)
{
    m_currentButton = button;
    int x = 0;
    int y = 0;
    MouseState::Get().GetPosition(x, y);
    OnMouseUp(button, x, y);
    EvaluateHover();
    m_repeats[button].window = nullptr;
}

void CScreenWindow::DeliverKeys()
{
    KeyboardState& keys = KeyboardState::Get();
    while (const int code = keys.NextTyped()) {
        if (AltDown() && OnChar(code)) continue;
        OnKey(code);
        EvaluateHover();
    }
}

void CScreenWindow::RegisterRepeat(CJWindow* window, int delayMs, int intervalMs)
{
    RepeatRecord& record = m_repeats[m_currentButton];
    if (record.window == window) return;
    if (delayMs == 0) delayMs = static_cast<int>(RepeatDelaySeconds() * 1000.0f);
    if (intervalMs == 0) intervalMs = static_cast<int>(RepeatIntervalSeconds() * 1000.0f);
    record.window = window;
    record.interval = static_cast<std::uint32_t>(intervalMs);
    record.nextTime = ToolkitTicks() + static_cast<std::uint32_t>(delayMs);
}

bool CScreenWindow::HasRepeatFired() const { return m_repeats[m_currentButton].fired; }

// Keys.

bool CScreenWindow::OnKey(int code)
{
    if (CJWindow::OnKey(code) || OnChar(code)) return true;
    if (MessageDispatcher::Instance().Dispatch(CCharacterTypedMessage(code))) return true;
    return HandleClipboardKey(code);
}

bool CScreenWindow::HandleClipboardKey(int code)
{
    constexpr int kValue = 1;
    switch (code) {
    case kKeyCtrlC:
    case kKeyCtrlD: return Copy(kValue);
    case kKeyInsert:
        if (ShiftDown()) return Paste(kValue);
        return ControlDown() && Copy(kValue);
    case kKeyDelete: return ShiftDown() ? Cut(kValue) : Clear(kValue);
    case kKeyCtrlV: return Paste(kValue);
    case kKeyCtrlX: return Cut(kValue);
    default: return false;
    }
}

// The hint.

bool CScreenWindow::RequestHint(int, int)
{
    HidePopUpText();
    return true;
}

void CScreenWindow::SetPopUpText(int, CJWindow* window, int highlightStart, const CString& text, int x, int y,
                                 int highlightLength)
{
    if (text.IsNotEmpty() && text == m_hintText) return;
    m_hintUnderline = HintUnderline();
    m_hintText.Empty();
    m_wrappedHint.Empty();
    if (text.IsEmpty() || !window || !window->GetFont()) return;
    m_hintText = text;
    m_hintFont = window->GetFont();
    m_hintFill = window->GetBackgroundColor();
    if (m_hintFill.A == 0) m_hintFill.SetRGBA(m_hintFill.R, m_hintFill.G, m_hintFill.B, 255);
    m_hintBorder = window->GetHighlightColor();
    LayOutHint(highlightStart, highlightLength, x, y);
}

void CScreenWindow::LayOutHint(int highlightStart, int highlightLength, int x, int y)
{
    CFont& font = *m_hintFont;
    if (x == -1) {
        MouseState::Get().GetPosition(x, y);
        const CSequence* cursor = MouseState::Get().GetCursor();
        y += cursor ? cursor->GetBounds().Height() : kHintDropWithoutCursor;
    }
    m_wrappedHint = font.WrapText(m_hintText, static_cast<int>(kHintWidthShare * static_cast<float>(GetWidth())));
    m_hintBox = {x, y, x + font.MeasureMultiLineWidth(m_wrappedHint),
                 y + font.MeasureMultiLineHeight(m_wrappedHint, 0)};
    if (highlightStart != -1) {
        m_hintUnderline = {true, font.GetHeight() + 1, font.MeasureWidth(m_hintText, highlightStart),
                           font.MeasureWidth(m_hintText, highlightStart + highlightLength)};
        m_hintBox.bottom = std::max(m_hintBox.bottom, m_hintBox.top + font.GetHeight() + 3);
    }
    const int width = m_hintBox.Width();
    const int height = m_hintBox.Height();
    if (m_hintBox.right > GetWidth() - kHintEdge)
        m_hintBox = Rect::At(GetWidth() - kHintEdge - width, m_hintBox.top, width, height);
    if (m_hintBox.left < kHintLeftEdge) m_hintBox = Rect::At(kHintLeftEdge, m_hintBox.top, width, height);
    if (m_hintBox.bottom > GetHeight() - kHintEdge)
        m_hintBox = Rect::At(m_hintBox.left, GetHeight() - kHintEdge - height, width, height);
}

bool CScreenWindow::GetHintRect(Rect& rect) const
{
    if (m_hintText.IsEmpty()) return false;
    rect = {m_hintBox.left - 1, m_hintBox.top - 1, m_hintBox.right + 1, m_hintBox.bottom + 1};
    return true;
}

// Drawing.

void CScreenWindow::DrawToBackBuffer()
{
    if (IsVisible()) Draw(&m_backBuffer);
}

void CScreenWindow::Draw(CFrameInterface*)
{
    if (m_output && m_output->GetWidth() != GetWidth()) AttachOutputFrame(m_output);
    m_backBuffer.SetOffset(GetScrollX(), GetScrollY());
    m_backBuffer.SetClipRect(Rect::OfSize(GetContentWidth(), GetContentHeight()));
    CJWindow::Draw(&m_backBuffer);
    DrawHint(&m_backBuffer);
}

void CScreenWindow::DrawHint(CFrameInterface* frame)
{
    Rect box;
    if (!GetHintRect(box)) return;
    frame->FillRect(box, m_hintFill);
    const Rect outline{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
    frame->FillRect({outline.left, outline.top, outline.right, box.top}, m_hintBorder);
    frame->FillRect({outline.left, box.bottom, outline.right, outline.bottom}, m_hintBorder);
    frame->FillRect({outline.left, box.top, box.left, box.bottom}, m_hintBorder);
    frame->FillRect({box.right, box.top, outline.right, box.bottom}, m_hintBorder);
    m_hintFont->DrawMultiLineText(frame, m_hintBox.left, m_hintBox.top, m_wrappedHint, 0, kJustifyLeft, nullptr);
    if (!m_hintUnderline.on) return;
    const int y = m_hintBox.top + m_hintUnderline.offsetY;
    frame->FillRect({m_hintBox.left + m_hintUnderline.fromX, y, m_hintBox.left + m_hintUnderline.toX, y + 1},
                    GetHighlightColor());
}
