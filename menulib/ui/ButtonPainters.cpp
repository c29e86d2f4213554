#include "ui/ButtonPainters.h"

#include "blit/BlitType.h"
#include "foundation/Messages.h"
#include "frames/FrameInterface.h"
#include "ui/Button.h"
#include "ui/DisabledLook.h"
#include "ui/Font.h"
#include "ui/SkinData.h"
#include "ui/TileTexture.h"

using platform::Rect;

namespace {

constexpr float kDisabledPictureOpacity = 0.4f;
constexpr char kEmptyButtonText[] = "XXX";

// The disabled picture and the pressed or normal picture; true when the button has a normal or pressed picture.
void DrawPictures(CFrameInterface* frame, CJButton& button, bool pressed, bool disabled)
{
    CFrameInterface* normal = button.GetPicture(kButtonNormalPicture);
    CFrameInterface* pressedPicture = button.GetPicture(kButtonPressedPicture);
    if (!normal && !pressedPicture) return;
    BlitType& blit = NormalBlitType();
    const int bevel = button.GetBevelWidth();
    const int p = pressed ? 1 : 0;
    CFrameInterface* disabledPicture = button.GetPicture(kButtonDisabledPicture);
    if (disabled && disabledPicture) frame->BlitAt(disabledPicture, bevel, bevel, &blit);
    const ScopedOpacity opacity(blit, disabled ? kDisabledPictureOpacity : blit.GetOpacity());
    if (pressedPicture && pressed) frame->BlitAt(pressedPicture, bevel, bevel, &blit);
    if (!normal || (pressedPicture && pressed)) return;
    if (button.CentresPicture()) {
        const Rect extent = normal->GetBounds();
        frame->BlitAt(normal, button.GetWidth() / 2 - extent.Width() / 2 + p,
                      button.GetHeight() / 2 - extent.Height() / 2 + p, &blit);
    } else {
        frame->BlitAt(normal, bevel + p, bevel + p, &blit);
    }
}

// The text at the button's alignment, moved by t; top is its line's top.
void DrawButtonText(CFrameInterface* frame, CJButton& button, int t, int top)
{
    if (button.GetPicture(kButtonNormalPicture) && !button.ShowsTextWithPicture()) return;
    const int bevel = button.GetBevelWidth();
    int x = bevel + t + 1;
    if (button.GetAlignment() == kJustifyCentre) x = button.GetWidth() / 2 + t;
    if (button.GetAlignment() == kJustifyRight) x = button.GetWidth() - bevel - 1 + t;
    button.DrawText(frame, x, top + t, button.GetAlignment());
}

CString MeasuredText(const CJButton& button)
{
    return button.GetText().IsEmpty() ? CString(kEmptyButtonText) : button.GetText();
}

}  // namespace

// The classic look.

ClassicButtonPainter::ClassicButtonPainter(CJButton* button) : ButtonPainter(button), m_button(*button) {}

void ClassicButtonPainter::Draw(CFrameInterface* frame)
{
    CJButton& button = m_button;
    const bool pressed = button.IsDrawnPressed();
    const int p = pressed ? 1 : 0;
    const int width = button.GetWidth();
    const int height = button.GetHeight();
    const bool bare = button.GetPicture(kButtonNormalPicture) && button.GetBevelWidth() == 0;
    if (!button.IsTransparent() && !bare)
        if (CFrameInterface* texture = button.GetBackgroundTexture())
            TileTexture(frame, texture, {p, p, width, height});
    DrawPictures(frame, button, pressed, !button.IsEnabledWithParent());
    if (CFont* font = button.GetFont()) DrawButtonText(frame, button, p, (height - font->GetLineHeight()) / 2);
    if (button.GetPicture(kButtonPressedPicture)) return;
    if (CFrameInterface* hover = button.GetPicture(kButtonHoverPicture); hover && button.IsPointerInside()) {
        frame->BlitAt(hover, button.GetBevelWidth(), button.GetBevelWidth(), &NormalBlitType());
        return;
    }
    CJWindow::DrawBevel(button.GetFont(), frame, Rect::OfSize(width, height), pressed ? kBevelSunken : kBevelRaised,
                        kEdgeAll, false);
}

void ClassicButtonPainter::SizeToContent()
{
    CFont* font = m_button.GetFont();
    if (!font) return;
    const int bevel = m_button.GetBevelWidth();
    m_button.SetSize(font->MeasureWidth(MeasuredText(m_button)) + bevel + 1, font->GetLineHeight() + bevel + 1);
}

// The alpha look.

AlphaButtonPainter::AlphaButtonPainter(CJButton* button, CJWindowAlphaTheme* theme)
    : ButtonPainter(button), m_button(*button), m_theme(theme)
{
    button->SetAlwaysOutlined(false);
    if (const CAlphaSkinData* options = theme->GetOptions()) button->SetBevelWidth(options->GetSpaceAroundText());
}

bool AlphaButtonPainter::HandleMessage(const MessageBase& message)
{
    static const std::int32_t removeBorder = RegisterMessageType("Remove Button Border");
    if (message.GetTypeId() != removeBorder) return false;
    m_borderRemoved = true;
    m_button.SetTransparent(true);
    return true;
}

void AlphaButtonPainter::DrawBorder(CFrameInterface* frame, const CAlphaSkinData& options, bool pressed)
{
    if (m_borderRemoved || m_button.GetPicture(kButtonHoverPicture)) return;
    CSkinBorder* border = options.GetButtonBorder();
    const bool hovered = m_button.IsPointerInside() && m_button.IsEnabledWithParent() && !m_button.IsGreyed();
    if (pressed && options.GetPressedButtonBorder()) border = options.GetPressedButtonBorder();
    if (!pressed && hovered && options.GetHoverButtonBorder()) border = options.GetHoverButtonBorder();
    if (border)
        border->DrawBorder(&m_button, frame, Rect::OfSize(m_button.GetWidth(), m_button.GetHeight()),
                           !m_button.IsTransparent());
}

void AlphaButtonPainter::Draw(CFrameInterface* frame)
{
    const CAlphaSkinData* options = m_theme->GetOptions();
    if (!options) return;
    CJButton& button = m_button;
    const bool pressed = button.IsDrawnPressed();
    DrawBorder(frame, *options, pressed);
    DrawPictures(frame, button, pressed, !button.IsEnabledWithParent() || button.IsGreyed());
    const int t = pressed && options->OffsetsPressedText() ? 1 : 0;
    if (CFont* font = button.GetFont())
        DrawButtonText(frame, button, t, (button.GetHeight() - font->MeasureMultiLineHeight(button.GetText(), 0)) / 2);
    if (CFrameInterface* hover = button.GetPicture(kButtonHoverPicture); hover && button.IsPointerInside())
        frame->BlitAt(hover, button.GetBevelWidth(), button.GetBevelWidth(), &NormalBlitType());
}

void AlphaButtonPainter::SizeToContent()
{
    CFont* font = m_button.GetFont();
    if (!font) return;
    const int bevel = m_button.GetBevelWidth();
    m_button.SetSize(font->MeasureMultiLineWidth(m_button.GetText()) + 2 * bevel + 2,
                     font->MeasureMultiLineHeight(m_button.GetText(), 0) + 2 * bevel + 2);
}
