// The painters of push buttons: the classic look (the window texture, pictures, the text and a raised or sunken
// bevel) and the alpha look (the skin's button borders for the normal, pressed and hovered states, pictures, the
// text and a hover picture).
#pragma once
#include "ui/Painters.h"

class CAlphaSkinData;
class CJButton;
class CJWindowAlphaTheme;

class ClassicButtonPainter : public ButtonPainter {
public:
    explicit ClassicButtonPainter(CJButton* button);
    void Draw(CFrameInterface* frame) override;
    // The text ("XXX" when empty) plus the bevel width and one pixel, on the font's line height.
    void SizeToContent() override;

private:
    CJButton& m_button;
};

class AlphaButtonPainter : public ButtonPainter {
public:
    // Clears the button's always-outlined flag and sets its bevel width to the skin's space around the text.
    AlphaButtonPainter(CJButton* button, CJWindowAlphaTheme* theme);
    // Takes "Remove Button Border": the button loses its border and becomes transparent.
    bool HandleMessage(const MessageBase& message) override;
    void Draw(CFrameInterface* frame) override;
    // The text plus twice the bevel width and two pixels each way.
    void SizeToContent() override;
    bool IsBorderRemoved() const { return m_borderRemoved; }

private:
    void DrawBorder(CFrameInterface* frame, const CAlphaSkinData& options, bool pressed);

    CJButton& m_button;
    CJWindowAlphaTheme* m_theme;
    bool m_borderRemoved = false;
};
