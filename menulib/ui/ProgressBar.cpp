#include "ui/ProgressBar.h"

#include <algorithm>
#include <cmath>

#include "frames/FrameInterface.h"
#include "ui/EditBox.h"
#include "ui/Font.h"

using platform::Rect;

namespace {

CString FormatNumber(const char* form, double number)
{
    CString text;
    text.Format(form, number);
    return text;
}

}  // namespace

CString FillLabelFormat(const CString& format, float first, float second)
{
    const bool general = format.Find("%g") >= 0;
    const char field = general ? 'g' : 'd';
    const float numbers[] = {first, second};
    int next = 0;
    CString out;
    const int length = format.GetLength();
    for (int i = 0; i < length; ++i) {
        const int c = format.GetAt(i);
        const int following = i + 1 < length ? format.GetAt(i + 1) : 0;
        if (c == '%' && following == '%') {
            out.Append("%");
            ++i;
        } else if (c == '%' && following == field && next < 2) {
            const double number = numbers[next++];
            out.Append(general ? FormatNumber("%g", number) : FormatNumber("%.0f", std::round(number)));
            ++i;
        } else {
            out.Append(format.Mid(i, 1));
        }
    }
    return out;
}

CJProgressBar::CJProgressBar(CJWindow* parent, int maximum) : CJWindow(parent, nullptr), m_maximum(maximum)
{
    if (CFont* font = GetFont()) SetSize(CJEditBox::EmptyWidthIn(*font), CJEditBox::HeightIn(*font));
}

void CJProgressBar::SetRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    SetValue(m_value);
}

void CJProgressBar::SetValue(float value)
{
    m_value = value;
    // An empty or inverted range has nothing to fill; a division by it would give no number at all.
    const float span = static_cast<float>(m_maximum) - static_cast<float>(m_minimum);
    m_fraction = span > 0.0f ? (value - static_cast<float>(m_minimum)) / span : 0.0f;
    if (!std::isfinite(m_fraction)) m_fraction = 0.0f;
    UpdateLabel();
}

int CJProgressBar::GetValueInt() const { return static_cast<int>(std::lround(m_value)); }

void CJProgressBar::UpdateLabel()
{
    if (m_labelFormat.IsEmpty()) return;
    SetText(FillLabelFormat(m_labelFormat, m_value, static_cast<float>(m_maximum)).GetText());
}

void CJProgressBar::Draw(CFrameInterface* frame)
{
    const int inset = DialogUnit() * 2 + 1;
    const Rect inner{inset, inset, GetWidth() - inset, GetHeight() - inset};
    if (!inner.IsEmpty()) {
        const float filled = static_cast<float>(inner.Width()) * std::clamp(m_fraction, 0.0f, 1.0f);
        const int barWidth = std::clamp(static_cast<int>(filled), 0, inner.Width());
        if (barWidth > 0) frame->FillRect(Rect::At(inner.left, inner.top, barWidth, inner.Height()), GetSelectColor());
    }
    DrawBevel(GetFont(), frame, Rect::OfSize(GetWidth(), GetHeight()), kBevelSunken, kEdgeAll, false);
    if (CFont* font = GetFont(); font && GetText().IsNotEmpty())
        DrawText(frame, GetWidth() / 2, (GetHeight() - font->GetLineHeight()) / 2, kJustifyCentre);
    CJWindow::Draw(frame);
}
