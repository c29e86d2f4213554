// The toolkit's one-line text entry: a window that shows its text with a caret and a selection, scrolls the text
// sideways to keep the caret in view, takes typed characters and the editing keys, cuts, copies and pastes through
// the clipboard, and can restrict what may be typed (numbers only, upper case, excluded characters, a maximum
// length, a numeric range).
#pragma once
#include <cstdint>

#include "ui/JWindow.h"

class CJEditBox : public CJWindow {
public:
    // How SetCaret treats the anchor: by the shift keys, collapsing the selection, or extending it.
    enum CaretMode : int {
        kCaretByShift = 0,
        kCaretCollapse = 1,
        kCaretExtend = 2
    };
    // The parent hears this code whenever the text changed.
    static constexpr int kNotifyTextChanged = 1;
    // Keys that move by a page move the caret this many characters.
    static constexpr int kPageChars = 20;

    CJEditBox(CJWindow* parent, const char* text);
    ~CJEditBox() override;

    // The size of an empty edit box in the font: "XXXXXXXXXXXX" wide, one line high with a margin of a dialog
    // unit and a pixel above and below. Other controls take it to line up with edit boxes.
    static int EmptyWidthIn(CFont& font);
    static int HeightIn(CFont& font);

    // Text, caret and selection (positions in characters; the selection runs between the anchor and the caret).
    void SetText(const char* text) override;
    void SetCaret(int position, int mode);
    int GetCaret() const { return m_caret; }
    int GetAnchor() const { return m_anchor; }
    bool HasSelection() const { return m_anchor != m_caret; }
    int GetScroll() const { return m_scroll; }
    // Moves the scroll so that the span from..to (pixels of the text) is visible in a view of visibleWidth.
    void ScrollToShow(int from, int to, int visibleWidth, int textWidth);
    // The caret position for a point x pixels right of the text area's left edge.
    int CharacterAt(int x);
    // The text area inside the border, in the window's coordinates.
    platform::Rect GetTextArea() const;
    int GetMargin() const;

    // Restrictions, set by the creator.
    void SetEditable(bool on) { m_editable = on; }
    bool IsEditable() const { return m_editable; }
    void SetNumbersOnly(bool on) { m_numbersOnly = on; }
    void SetUpperCase(bool on) { m_upperCase = on; }
    void SetClipboardEnabled(bool on) { m_clipboardEnabled = on; }
    void SetExcludedCharacters(const char* characters) { m_excluded = characters; }
    void SetMaxLength(int length)
    {
        m_maxLength = static_cast<std::uint8_t>(length < 0 ? 0 : length > 255 ? 255 : length);
    }
    int GetMaxLength() const { return m_maxLength; }
    void SetRange(float minimum, float maximum)
    {
        m_minimum = minimum;
        m_maximum = maximum;
    }

    // The insert flag that every edit box shares: on inserts typed characters, off overwrites.
    static bool IsInsertOn();
    static void SetInsertOn(bool on);

    // True when the text may stand: no range, an empty text, or a number inside the range.
    virtual bool ValidateText(const CString& text);

    void Draw(CFrameInterface* frame) override;
    void SetFocus(bool gained) override;
    bool Cut(int value) override;
    bool Copy(int value) override;
    bool Paste(int value) override;
    bool Clear(int value) override;
    CSequence* GetCursorForPoint(int x, int y) override;

protected:
    bool OnMouseDown(int button, int x, int y) override;
    bool OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor) override;
    bool OnKey(int code) override;

private:
    struct Snapshot {
        CString text;
        int caret = 0;
        int anchor = 0;
        int scroll = 0;
    };

    bool OnEditingKey(int code);
    bool OnInsertKey();
    bool OnTyped(int character);
    bool IsRefused(int character) const;
    void PutCharacter(int character);
    void ValidateOrRevert(const Snapshot& before);
    void Revert(const Snapshot& before);
    Snapshot TakeSnapshot() const;
    void ReplaceText(const CString& text);
    int Length() const { return GetText().GetLength(); }
    int SelectionStart() const { return m_caret < m_anchor ? m_caret : m_anchor; }
    int SelectionEnd() const { return m_caret < m_anchor ? m_anchor : m_caret; }
    int CharacterAtScreen(int x);
    int PrefixWidth(int count);
    void SelectAll();
    void DrawContent(CFrameInterface* frame);
    void DrawCaret(CFrameInterface* frame, const platform::Rect& area);

    std::int32_t m_caret = 0;
    std::int32_t m_anchor = 0;
    std::int32_t m_scroll = 0;
    bool m_numbersOnly = false;
    bool m_upperCase = false;
    bool m_editable = true;
    bool m_clipboardEnabled = true;
    CString m_excluded;
    std::uint8_t m_maxLength = 0;
    float m_minimum = 0.0f;
    float m_maximum = 0.0f;
};
