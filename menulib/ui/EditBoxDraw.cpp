// The edit box on screen: the caret placed by the mouse, the sideways scroll that keeps the caret in view, and
// drawing the border, the selection, the text and the blinking caret.
#include <algorithm>

#include "ui/ClipScope.h"
#include "ui/DisabledLook.h"
#include "ui/EditBox.h"
#include "ui/Font.h"
#include "ui/ScreenWindow.h"

using platform::Rect;

namespace {

constexpr int kLeftButton = 0;
constexpr std::uint32_t kLeftButtonBit = 1u << kLeftButton;
// The caret shows while this bit of the millisecond clock is set: 256 ms on, 256 ms off.
constexpr std::uint32_t kBlinkBit = 1u << 8;
// A character's glyph reaches this far left of its advance: a point counts for the character before it until then.
constexpr int kGlyphOverhang = 2;

}  // namespace

// The mouse.

bool CJEditBox::OnMouseDown(int button, int x, int y)
{
    if (button == kLeftButton) SetCaret(CharacterAtScreen(x), kCaretByShift);
    return CJWindow::OnMouseDown(button, x, y);
}

bool CJEditBox::OnButtonPress(int x, int, int dx, int dy, std::uint32_t buttons, CSequence*&)
{
    if (!(buttons & kLeftButtonBit)) return false;
    if (dx || dy) SetCaret(CharacterAtScreen(x), kCaretExtend);
    return true;
}

int CJEditBox::CharacterAtScreen(int x) { return CharacterAt(x - GetScreenRect().left - GetTextArea().left); }

int CJEditBox::CharacterAt(int x)
{
    const int areaWidth = GetTextArea().Width();
    if (x < 0) return 0;
    // A drag past the right edge reaches the last visible character, not the start of the text.
    x = std::min(x, areaWidth);
    const int length = Length();
    int count = 0;
    while (count < length && PrefixWidth(count + 1) - kGlyphOverhang < x + m_scroll) ++count;
    return count;
}

int CJEditBox::PrefixWidth(int count)
{
    CFont* font = GetFont();
    return font && count > 0 ? font->MeasureWidth(GetText(), count) : 0;
}

void CJEditBox::ScrollToShow(int from, int to, int visibleWidth, int textWidth)
{
    textWidth = std::max(textWidth, to);
    // A text that ends inside the view scrolls back, but never so far that it starts right of the view's edge.
    if (m_scroll != 0 && textWidth - m_scroll < visibleWidth) m_scroll = std::max(0, textWidth - visibleWidth);
    if (from < m_scroll) m_scroll = from;
    if (to - m_scroll >= visibleWidth) m_scroll = to - visibleWidth + 1;
}

// Drawing.

void CJEditBox::Draw(CFrameInterface* frame)
{
    if (!GetFont()) return;
    {
        // The children draw in their own look.
        const DisabledLook look(!IsEnabledWithParent());
        DrawContent(frame);
    }
    CJWindow::Draw(frame);
}

void CJEditBox::DrawContent(CFrameInterface* frame)
{
    CFont& font = *GetFont();
    const Rect area = GetTextArea();
    frame->FillRect(area, GetBackgroundColor());
    DrawBevel(&font, frame, Rect::OfSize(GetWidth(), GetHeight()), kBevelSunken, kEdgeAll, false);
    const ClipScope clip(frame, area);
    if (clip.IsEmpty()) return;
    if (HasFocus()) {
        // The scroll follows the caret before anything is placed.
        const int x = PrefixWidth(m_caret);
        ScrollToShow(x, x + 1, area.Width(), PrefixWidth(Length()));
    }
    if (IsEnabled() && HasFocus() && HasSelection()) {
        const int from = area.left + PrefixWidth(SelectionStart()) - m_scroll;
        const int to = area.left + PrefixWidth(SelectionEnd()) - m_scroll;
        frame->FillRect({from, area.top, to, area.bottom}, GetSelectColor());
    }
    font.DrawText(frame, area.left - m_scroll, area.top + 1, GetText());
    if (HasFocus()) DrawCaret(frame, area);
}

void CJEditBox::DrawCaret(CFrameInterface* frame, const Rect& area)
{
    if (!(ToolkitTicks() & kBlinkBit)) return;
    const int x = PrefixWidth(m_caret);
    if (IsInsertOn() || m_caret >= Length()) {
        frame->FillRect({area.left + x - m_scroll, area.top, area.left + x - m_scroll + 1, area.bottom},
                        GetTextColor());
        return;
    }
    // Overwriting: a block over the character that the next one replaces.
    const int end = PrefixWidth(m_caret + 1);
    ScrollToShow(x, end, area.Width(), PrefixWidth(Length()));
    frame->FillRect({area.left + x - m_scroll, area.top, area.left + end - m_scroll, area.bottom}, GetTextColor());
}
