// A window's text: the shortcut letter marked by '&', shortcut matching among the children, and drawing the text
// with its underline, the arrow and cross symbols and the disabled look.
#include <algorithm>

#include "blit/BlitType.h"
#include "foundation/Messages.h"
#include "frames/FrameInterface.h"
#include "ui/DisabledLook.h"
#include "ui/Font.h"
#include "ui/JWindow.h"

namespace {

constexpr char kErrorSound[] = "Player Error.wav";
constexpr std::uint16_t kAmpersand = '&';
constexpr std::uint16_t kShortcutEscape = 1;

int UpperCase(int character) { return character >= 'a' && character <= 'z' ? character - 'a' + 'A' : character; }

void Dot(CFrameInterface* frame, int x, int y, const Color& color)
{
    frame->FillRect(platform::Rect::At(x, y, 1, 1), color);
}

}  // namespace

void CJWindow::SetShortcutLetter(int character) { m_shortcutLetter = static_cast<std::uint8_t>(UpperCase(character)); }

int CJWindow::FindShortcutLetter(int character)
{
    if (m_shortcutIndex != kNoShortcut) return m_shortcutIndex;
    int index = m_text.FindChar(static_cast<std::uint16_t>(UpperCase(character)));
    if (index < 0)
        index = m_text.FindChar(
            static_cast<std::uint16_t>(character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character));
    if (index < 0 || index >= kNoShortcut) return -1;
    m_shortcutIndex = static_cast<std::uint8_t>(index);
    m_shortcutLength = 1;
    SetShortcutLetter(m_text.GetAt(index));
    return index;
}

bool CJWindow::ClearShortcut()
{
    m_shortcutIndex = kNoShortcut;
    m_shortcutLength = 0;
    m_shortcutLetter = 0;
    return false;
}

void CJWindow::SetText(const char* text) { ApplyText(CString(text)); }

void CJWindow::ApplyText(const CString& text)
{
    m_text = text;
    ClearShortcut();
    m_text.DecodeUnicodeHex();
    if (!m_ampersandMarksShortcut) return;
    const int index = m_text.FindChar(kAmpersand);
    if (index < 0 || index >= kNoShortcut) return;
    m_text.Delete(index, 1);
    if (m_text.GetAt(index) == kShortcutEscape) m_text.Delete(index, 1);
    m_shortcutIndex = static_cast<std::uint8_t>(index);
    const int end = m_text.FindChar(kAmpersand, index);
    if (end >= 0) {
        m_shortcutLength = static_cast<std::uint8_t>(std::min(end - index, 255));
        m_text.Delete(end, 1);
        return;
    }
    m_shortcutLength = 1;
    SetShortcutLetter(m_text.GetAt(index));
}

void CJWindow::SetTextInt(int value)
{
    CString text;
    text.Format("%d", value);
    ApplyText(text);
}

void CJWindow::SetTextFloat(float value)
{
    CString text;
    text.Format("%g", static_cast<double>(value));
    ApplyText(text);
}

bool CJWindow::OnChar(int character)
{
    if (!m_firstChild) return false;
    const int letter = UpperCase(character);
    bool disabledMatch = false;
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (child->m_firstChild && child->OnChar(character)) return true;
        CJWindow* match = child->m_shortcutLetter && child->m_shortcutLetter == letter ? child : nullptr;
        if (match && !match->m_tabStop && !match->m_shortcutToSelf) match = match->NextTabStop();
        if (match && match->m_enabled) {
            if (IsShown()) ActivateChild(match);
            match->Activate();
            return true;
        }
        disabledMatch = disabledMatch || match;
        if (child->m_modal) break;
    }
    if (!disabledMatch) return false;
    MessageDispatcher::Instance().Dispatch(CPlaySoundMessage(kErrorSound));
    return true;
}

void CJWindow::DrawText(CFrameInterface* frame, int x, int y, int alignment)
{
    if (m_text.IsEmpty() || !m_font) return;
    const bool normalLook = IsEnabledWithParent() && !IsGreyed();
    const DisabledLook look(!normalLook);
    if (m_text == "/\\" || m_text == "\\/") {
        const bool up = m_text.GetAt(0) == '/';
        frame->FillRect({x, y - 2, x + 1, y + 2}, m_highlightColor);
        Dot(frame, x - 1, up ? y - 1 : y, m_highlightColor);
        Dot(frame, x + 1, up ? y - 1 : y, m_highlightColor);
        return;
    }
    if (m_text == "><") {
        frame->DrawLine(x - 3, y - 2, x + 1, y + 2, m_highlightColor);
        frame->DrawLine(x + 1, y - 2, x - 3, y + 2, m_highlightColor);
        return;
    }
    if (alignment == kJustifyCentre) x -= m_font->MeasureWidth(m_text) / 2;
    if (alignment == kJustifyRight) x -= m_font->MeasureWidth(m_text);
    if (normalLook && m_shortcutIndex != kNoShortcut) {
        const int before = m_font->MeasureWidth(m_text, m_shortcutIndex);
        const int span = m_font->MeasureWidth(m_text.Mid(m_shortcutIndex), m_shortcutLength);
        const int lineY = std::min(y + m_font->GetLineHeight() + m_bevelWidth / 2, GetHeight() - 1);
        Color underline = m_highlightColor;
        const BlitType* mask = GetBlitTypeList().GetType(kBlitTransparentMask);
        const auto alpha = static_cast<int>((mask ? mask->GetOpacity() : 1.0f) * 255.0f);
        underline.SetRGBA(underline.R, underline.G, underline.B, alpha);
        frame->FillRect({x + before + 1, lineY, x + before + span - 1, lineY + 1}, underline);
    }
    m_font->DrawMultiLineText(frame, x, y, m_text, 0, kJustifyLeft, nullptr);
}
