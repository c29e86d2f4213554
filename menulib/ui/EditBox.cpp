// The edit box's text, caret, selection, validation and clipboard.
#include "ui/EditBox.h"

#include <algorithm>
#include <string>

#include "foundation/Clipboard.h"
#include "foundation/Messages.h"
#include "ui/Font.h"
#include "ui/InputState.h"
#include "ui/ToolkitKeys.h"
#include "ui/ToolkitStatics.h"

namespace {

constexpr char kErrorSound[] = "Player Error.wav";
constexpr int kTextCursor = 1;
constexpr int kFirstTypedCode = 32;
// Stands in on the clipboard for characters that 8-bit text cannot hold.
constexpr char kUnheldCharacter = '?';

bool g_insertOn = true;

void PlayErrorSound() { MessageDispatcher::Instance().Dispatch(CPlaySoundMessage(kErrorSound)); }

}  // namespace

CJEditBox::CJEditBox(CJWindow* parent, const char* text) : CJWindow(parent, static_cast<const char*>(nullptr))
{
    // Every character of an edit box is text: an '&' marks no shortcut.
    SetAmpersandMarksShortcut(false);
    CJEditBox::SetText(text);
    CFont* font = GetFont();
    if (GetWidth() <= 0 && font) {
        const CString& shown = GetText();
        const int width = shown.IsEmpty() ? EmptyWidthIn(*font)
                                          : font->MeasureWidth(shown) + GetMargin() + font->MeasureWidth("XXXX") + 1;
        SetWidth(width);
    }
    if (font) SetHeight(HeightIn(*font));
}

int CJEditBox::EmptyWidthIn(CFont& font) { return font.MeasureWidth("XXXXXXXXXXXX"); }

int CJEditBox::HeightIn(CFont& font) { return font.GetLineHeight() + 2 * (font.GetHeight() / 5) + 2; }

CJEditBox::~CJEditBox() = default;

bool CJEditBox::IsInsertOn() { return g_insertOn; }

void CJEditBox::SetInsertOn(bool on) { g_insertOn = on; }

int CJEditBox::GetMargin() const { return DialogUnit(); }

platform::Rect CJEditBox::GetTextArea() const
{
    const int margin = GetMargin();
    return {margin, margin, std::max(margin, GetWidth() - margin), std::max(margin, GetHeight() - margin)};
}

// Text, caret and selection.

void CJEditBox::SetText(const char* text)
{
    m_scroll = 0;
    CJWindow::SetText(text ? text : "");
    SelectAll();
}

void CJEditBox::ReplaceText(const CString& text) { StoreText(text); }

void CJEditBox::SelectAll()
{
    SetCaret(0, kCaretCollapse);
    SetCaret(Length(), kCaretExtend);
}

void CJEditBox::SetCaret(int position, int mode)
{
    if (mode == kCaretByShift) {
        const KeyboardState& keys = KeyboardState::Get();
        const bool shift = keys.IsDown(kScanLeftShift) || keys.IsDown(kScanRightShift);
        mode = shift ? kCaretExtend : kCaretCollapse;
    }
    m_caret = std::clamp(position, 0, Length());
    if (mode != kCaretExtend) m_anchor = m_caret;
    m_anchor = std::clamp(m_anchor, 0, Length());
}

void CJEditBox::SetFocus(bool gained)
{
    if (gained) SelectAll();
    CJWindow::SetFocus(gained);
}

CSequence* CJEditBox::GetCursorForPoint(int x, int y)
{
    return IsEnabled() ? GetToolkitCursor(kTextCursor) : CJWindow::GetCursorForPoint(x, y);
}

// Validation.

bool CJEditBox::ValidateText(const CString& text)
{
    if (m_minimum == 0.0f && m_maximum == 0.0f) return true;
    if (text.IsEmpty()) return true;
    const float value = text.ToFloat();
    if (value >= m_minimum && value <= m_maximum) return true;
    PlayErrorSound();
    return false;
}

CJEditBox::Snapshot CJEditBox::TakeSnapshot() const { return {GetText(), m_caret, m_anchor, m_scroll}; }

void CJEditBox::Revert(const Snapshot& before)
{
    // The whole text comes back, however long, with the caret and the selection it had.
    ReplaceText(before.text);
    m_scroll = before.scroll;
    m_anchor = before.anchor;
    SetCaret(before.caret, kCaretExtend);
}

void CJEditBox::ValidateOrRevert(const Snapshot& before)
{
    if (ValidateText(GetText()))
        NotifyParent(kNotifyTextChanged);
    else
        Revert(before);
}

// Typed characters.

bool CJEditBox::IsRefused(int character) const
{
    if (m_excluded.FindChar(static_cast<std::uint16_t>(character)) >= 0) return true;
    if (!m_numbersOnly) return false;
    return character != '-' && character != '.' && (character < '0' || character > '9');
}

bool CJEditBox::OnTyped(int character)
{
    if (!m_editable) return true;
    if (m_upperCase && character >= 'a' && character <= 'z') character += 'A' - 'a';
    if (IsRefused(character)) {
        PlayErrorSound();
        return false;
    }
    const Snapshot before = TakeSnapshot();
    PutCharacter(character);
    if (GetText() != before.text) ValidateOrRevert(before);
    return true;
}

void CJEditBox::PutCharacter(int character)
{
    CString text = GetText();
    const auto unit = static_cast<std::uint16_t>(character);
    if (HasSelection()) {
        const int start = SelectionStart();
        text.Delete(start, SelectionEnd() - start);
        text.InsertChar(start, unit);
        ReplaceText(text);
        SetCaret(start + 1, kCaretCollapse);
        return;
    }
    if (g_insertOn || m_caret >= text.GetLength()) {
        if (m_maxLength && text.GetLength() >= m_maxLength) {
            PlayErrorSound();
            return;
        }
        text.InsertChar(m_caret, unit);
    } else {
        text.SetAt(m_caret, unit);
    }
    ReplaceText(text);
    SetCaret(m_caret + 1, kCaretCollapse);
}

// The clipboard.

bool CJEditBox::Copy(int value)
{
    if (!m_clipboardEnabled || !HasSelection()) return false;
    if (value != 1) return true;
    const CString& text = GetText();
    std::string selected;
    for (int i = SelectionStart(); i < SelectionEnd(); ++i) {
        const std::uint16_t unit = text.GetAt(i);
        selected += unit > 0xFF ? kUnheldCharacter : static_cast<char>(unit);
    }
    Clipboard::Instance().CopyBytes(selected.data(), static_cast<int>(selected.size()));
    return true;
}

bool CJEditBox::Cut(int value)
{
    if (!m_clipboardEnabled || !Copy(value)) return false;
    return Clear(value);
}

bool CJEditBox::Paste(int value)
{
    if (!m_clipboardEnabled) return false;
    const char* pasted = Clipboard::Instance().PasteText();
    if (!pasted) return false;
    if (value != 1) return true;
    // The clipboard's text is consumed while typing: keep a copy of it.
    const std::string text(pasted);
    if (HasSelection()) Clear(1);
    for (const char c : text) {
        // Control characters would act as editing keys (select all, backspace, home): they are left out.
        const int code = static_cast<unsigned char>(c);
        if (code >= kFirstTypedCode) OnTyped(code);
    }
    return true;
}

bool CJEditBox::Clear(int value)
{
    if (value != 1 || !m_editable) return true;
    CString text = GetText();
    if (!HasSelection()) {
        if (m_caret >= text.GetLength()) return true;
        text.Delete(m_caret, 1);
        ReplaceText(text);
        SetCaret(m_caret, kCaretCollapse);
        NotifyParent(kNotifyTextChanged);
        return true;
    }
    const int start = SelectionStart();
    text.Delete(start, SelectionEnd() - start);
    ReplaceText(text);
    SetCaret(start, kCaretCollapse);
    NotifyParent(kNotifyTextChanged);
    return true;
}
