// The text label: one line, lines split at line breaks, or text wrapped to a width with its own indents; it sizes
// itself to its text when the text is set, and shows a text cut by its width as a pop-up hint.
#pragma once
#include <vector>

#include "ui/Font.h"
#include "ui/JWindow.h"
#include "ui/Painters.h"

class CJStaticText : public CJWindow {
public:
    static constexpr int kNoWrapping = -1;
    static constexpr int kNoMaximumHeight = -1;

    CJStaticText(CJWindow* parent, const char* text);
    ~CJStaticText() override;

    // Width the text wraps to (kNoWrapping: none), with the indents and justifications of the wrapped lines.
    void SetWrapWidth(int width) { m_wrapWidth = width; }
    int GetWrapWidth() const { return m_wrapWidth; }
    void SetWrapIndents(int left, int right, int nextJustification, int nextLeft, int nextRight);
    void SetMaximumHeight(int height) { m_maximumHeight = height; }
    void SetHandCursor(bool on) { m_handCursor = on; }
    int GetJustification() const { return m_justification; }
    bool IsMultiLine() const { return m_multiLine; }
    // The gap between the label's edges and its text: its bevel width.
    int GetMargin() const { return GetBevelWidth(); }
    // The space between the lines of multi-line and wrapped text: two dialog units.
    int GetLineSpacing() const { return 2 * DialogUnit(); }

    void Draw(CFrameInterface* frame) override;
    // Sets the text and sizes the label to it.
    void SetText(const char* text) override;
    // Sets the font and sizes the label to its text in it.
    void SetFont(CFont* font) override;
    CSequence* GetCursorForPoint(int x, int y) override;
    bool RequestHint(int x, int y) override;
    // A label speaks for the control behind it when that is a tab stop of another kind.
    bool IsButtonKind() const override;

    virtual void SetJustification(int justification) { m_justification = justification; }
    // Sets the text without sizing the label.
    virtual void SetTextOnly(const char* text) { CJWindow::SetText(text); }
    // Sets the font without sizing the label.
    virtual void SetFontOnly(CFont* font) { CJWindow::SetFont(font); }

private:
    void SizeToText();
    WrapLayout Layout() const;
    // The lines of the wrapped text, laid out again only when the text, the layout or the font changed.
    const std::vector<WrappedLine>& WrappedLines();

    struct WrapCache {
        CString text;
        WrapLayout layout;
        const CFont* font = nullptr;
        unsigned fontGeneration = 0;
        bool valid = false;
        std::vector<WrappedLine> lines;
    };

    int m_justification = kJustifyLeft;
    int m_wrapWidth = kNoWrapping;
    int m_maximumHeight = kNoMaximumHeight;
    int m_left = 0;
    int m_right = 0;
    int m_nextJustification = kJustifyLeft;
    int m_nextLeft = 0;
    int m_nextRight = 0;
    bool m_multiLine = false;
    bool m_handCursor = false;
    std::unique_ptr<StaticTextPainter> m_painter;
    WrapCache m_wrapCache;
};
