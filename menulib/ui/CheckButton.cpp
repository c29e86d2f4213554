#include "ui/CheckButton.h"

#include <algorithm>

#include "foundation/Messages.h"
#include "frames/FrameInterface.h"
#include "ui/DisabledLook.h"

using platform::Rect;

namespace {

constexpr char kSwitchSound[] = "UI/Button Switch.wav";
constexpr char kEmptyText[] = "XXX";
const Color kBoxBackground = MakeColor(255, 255, 255);

}  // namespace

CJCheckButton::CJCheckButton(CJWindow* parent, const char* text, CJButton* ring) : CJButton(parent, text, ring)
{
    CJCheckButton::SetText(text);
}

int CJCheckButton::GetBoxSide() const { return GetFont() ? GetFont()->GetHeight() + 2 : 2; }

void CJCheckButton::SetText(const char* text)
{
    CJButton::SetText(text);
    CFont* font = GetFont();
    if (!font) return;
    const int textWidth = font->MeasureWidth(GetText().IsEmpty() ? CString(kEmptyText) : GetText());
    SetSize(textWidth + GetBoxSide() + 1, std::max(GetBoxSide(), font->GetLineHeight() + 2));
}

void CJCheckButton::Click()
{
    if (GetChecked() && IsInRing()) return;
    const bool checked = !GetChecked();
    SetChecked(checked);
    if (m_mirror) *m_mirror = checked;
    PlayClickSound();
    DoClick();
}

void CJCheckButton::PlayClickSound() { MessageDispatcher::Instance().Dispatch(CPlaySoundMessage(kSwitchSound)); }

bool CJCheckButton::HasPainterPictures() const
{
    return GetPicture(kButtonNormalPicture) || GetPicture(kButtonPressedPicture) || GetPicture(kButtonHoverPicture);
}

void CJCheckButton::Draw(CFrameInterface* frame)
{
    if (HasPainterPictures()) {
        CJButton::Draw(frame);
        return;
    }
    const DisabledLook look(!IsEnabledWithParent());
    const int side = GetBoxSide();
    CFont* font = GetFont();
    const int textWidth = font ? font->MeasureWidth(GetText()) : 0;
    const int boxX = m_textBeforeBox ? textWidth + 1 : 0;
    const Rect box = Rect::At(boxX, (GetHeight() - side) / 2, side, side);
    DrawBoxBackground(frame, box);
    if (IsDrawnPressed() && !GetChecked())
        DrawBoxPressed(frame, box);
    else if (IsPointerInside())
        DrawBoxHovered(frame, box);
    else
        DrawBoxPlain(frame, box);
    if (GetChecked()) DrawCheckMark(frame, box);
    const int lineTop = font ? (GetHeight() - font->GetLineHeight()) / 2 : 0;
    DrawText(frame, m_textBeforeBox ? 0 : side + 1, lineTop, kJustifyLeft);
    FinishDraw(frame);
}

void CJCheckButton::DrawBox(CFrameInterface* frame, const Rect& box)
{
    DrawBevel(GetFont(), frame, box, m_boxStyle, kEdgeAll, false);
}

void CJCheckButton::DrawBoxBackground(CFrameInterface* frame, const Rect& box) { frame->FillRect(box, kBoxBackground); }

void CJCheckButton::DrawCheckMark(CFrameInterface* frame, const Rect& box)
{
    const Color& ink = GetTextColor();
    frame->DrawLine(box.left + 1, box.top + 1, box.right - 2, box.bottom - 2, ink);
    frame->DrawLine(box.right - 2, box.top + 1, box.left + 1, box.bottom - 2, ink);
}
