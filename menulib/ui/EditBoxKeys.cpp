// The edit box's keys: caret moves with and without shift, deleting, the insert toggle and typed characters.
#include "ui/EditBox.h"
#include "ui/InputState.h"
#include "ui/ToolkitKeys.h"

namespace {

constexpr int kFirstTypedCode = 32;

bool EitherDown(int left, int right)
{
    const KeyboardState& keys = KeyboardState::Get();
    return keys.IsDown(left) || keys.IsDown(right);
}

}  // namespace

bool CJEditBox::OnKey(int code)
{
    if (code >= kFirstTypedCode) return OnTyped(code);
    return OnEditingKey(code);
}

bool CJEditBox::OnEditingKey(int code)
{
    switch (code) {
    case kKeyCtrlA: SelectAll(); return true;
    case kKeyHome: SetCaret(0, kCaretByShift); return true;
    case kKeyEnd: SetCaret(Length(), kCaretByShift); return true;
    case kKeyLeft: SetCaret(m_caret - 1, kCaretByShift); return true;
    case kKeyRight: SetCaret(m_caret + 1, kCaretByShift); return true;
    case kKeyPageUp: SetCaret(m_caret - kPageChars, kCaretByShift); return true;
    case kKeyPageDown: SetCaret(m_caret + kPageChars, kCaretByShift); return true;
    case kKeyInsert: return OnInsertKey();
    case kKeyBackspace:
        if (m_caret == 0) return true;
        if (!HasSelection()) SetCaret(m_caret - 1, kCaretByShift);
        [[fallthrough]];
    case kKeyDelete: {
        const Snapshot before = TakeSnapshot();
        Clear(1);
        if (GetText() != before.text) ValidateOrRevert(before);
        return true;
    }
    default: return false;
    }
}

bool CJEditBox::OnInsertKey()
{
    // Shift+Insert pastes and Ctrl+Insert copies: the screen does both when the box leaves the key.
    if (EitherDown(kScanLeftShift, kScanRightShift)) return !IsEditable();
    if (EitherDown(kScanLeftControl, kScanRightControl)) return false;
    SetInsertOn(!IsInsertOn());
    return true;
}
