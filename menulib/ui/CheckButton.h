// The check button: a bevelled box with a check mark beside its text; a click toggles it (in a radio ring a checked
// one stays checked) and mirrors the state into an outside flag when given one.
#pragma once
#include "ui/Button.h"

class CJCheckButton : public CJButton {
public:
    CJCheckButton(CJWindow* parent, const char* text, CJButton* ring);

    // The outside flag that follows the checked state; none by default.
    void SetMirrorFlag(bool* flag) { m_mirror = flag; }
    void SetTextBeforeBox(bool on) { m_textBeforeBox = on; }
    // The bevel style of the box (sunken by default).
    void SetBoxStyle(int style) { m_boxStyle = style; }
    int GetBoxSide() const;

    void Draw(CFrameInterface* frame) override;
    // Sets the text and sizes the button round its box and text.
    void SetText(const char* text) override;
    void Click() override;
    void PlayClickSound() override;

    virtual void DrawBoxPressed(CFrameInterface* frame, const platform::Rect& box) { DrawBox(frame, box); }
    virtual void DrawBoxHovered(CFrameInterface* frame, const platform::Rect& box) { DrawBox(frame, box); }
    virtual void DrawBoxPlain(CFrameInterface* frame, const platform::Rect& box) { DrawBox(frame, box); }
    virtual void DrawCheckMark(CFrameInterface* frame, const platform::Rect& box);
    virtual void DrawBoxBackground(CFrameInterface* frame, const platform::Rect& box);

private:
    void DrawBox(CFrameInterface* frame, const platform::Rect& box);
    // Whether a picture is set for the painter: the button then draws as a push button.
    bool HasPainterPictures() const;

    bool* m_mirror = nullptr;
    bool m_textBeforeBox = false;
    int m_boxStyle = kBevelSunken;
};
