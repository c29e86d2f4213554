// The push button: it clicks when the left button is pressed and released over it (or at the tree's repeat rate
// while held, with auto-repeat), by space and by its shortcut letter; it runs its owned click, double-click,
// right-click and hover actions, joins other buttons in a radio ring walked by the arrow keys, shows a hint, and
// is drawn by the button painter its theme makes.
#pragma once
#include <cstdint>
#include <memory>

#include "ui/CallbackBinder.h"
#include "ui/Font.h"
#include "ui/JWindow.h"
#include "ui/Painters.h"

class MessageBase;

// The pictures a button's painter may draw.
enum ButtonPicture : int {
    kButtonNormalPicture,
    kButtonPressedPicture,
    kButtonHoverPicture,
    kButtonDisabledPicture,
    kButtonPictures
};

// The toolkit cursor slot of the hand shown over buttons that ask for it.
constexpr int kHandCursorSlot = 23;

class CJButton : public CJWindow {
public:
    // A button given the previous button of a ring joins that ring after it and is no tab stop.
    CJButton(CJWindow* parent, const char* text, CJButton* ring);
    ~CJButton() override;

    // Actions: the old one is deleted, the new one owned; any may be none.
    void SetClickAction(std::unique_ptr<CallbackBinder> action) { m_clickAction = std::move(action); }
    void SetDoubleClickAction(std::unique_ptr<CallbackBinder> action) { m_doubleClickAction = std::move(action); }
    void SetRightClickAction(std::unique_ptr<CallbackBinder> action) { m_rightClickAction = std::move(action); }
    void SetHoverEnterAction(std::unique_ptr<CallbackBinder> action) { m_hoverEnterAction = std::move(action); }
    void SetHoverLeaveAction(std::unique_ptr<CallbackBinder> action) { m_hoverLeaveAction = std::move(action); }

    void SetDraggable(bool on) { m_draggable = on; }
    void SetAutoRepeat(bool on) { m_autoRepeat = on; }
    void SetHandCursor(bool on) { m_handCursor = on; }
    void SetHint(const CString& text, int mode)
    {
        m_hintText = text;
        m_hintMode = mode;
    }
    void SetHeldDown(bool on) { m_heldDown = on; }
    bool IsPointerInside() const { return m_pointerInside; }
    bool IsPressedByMouse() const { return m_pressed; }
    bool IsShowingPressed() const { return m_showPressed; }
    // The look of a pressed button: held under the pointer, just clicked, or checked.
    bool IsDrawnPressed() const { return m_showPressed || (m_pressed && m_pointerInside) || m_checked; }
    CJButton* GetNextInRing() const { return m_nextInRing; }
    ButtonPainter* GetPainter() const { return m_painter.get(); }

    // What the painter draws besides the text.
    void SetPicture(ButtonPicture which, CFrameInterface* picture) { m_pictures[which] = picture; }
    CFrameInterface* GetPicture(ButtonPicture which) const { return m_pictures[which]; }
    // A press is taken only on an opaque pixel of the hit picture, when there is one.
    void SetHitPicture(CFrameInterface* picture) { m_hitPicture = picture; }
    void SetCentresPicture(bool on) { m_centresPicture = on; }
    bool CentresPicture() const { return m_centresPicture; }
    void SetShowsTextWithPicture(bool on) { m_showsTextWithPicture = on; }
    bool ShowsTextWithPicture() const { return m_showsTextWithPicture; }
    int GetAlignment() const { return m_alignment; }

    void Draw(CFrameInterface* frame) override;
    bool IsGreyed() const override { return m_heldDown; }
    bool Activate() override;
    void RefreshState() override;
    CSequence* GetCursorForPoint(int x, int y) override;
    bool RequestHint(int x, int y) override;
    bool IsButtonKind() const override { return true; }

    // Hands a message to the painter ("Remove Button Border"); true when the painter took it.
    virtual bool PainterAcceptsProperty(const MessageBase& message);
    virtual void SizeToContent();
    // The painter option is the text's alignment inside the button (0 left, 1 centred, 2 right).
    virtual void SetPainterOption(int option);
    virtual void SetChecked(int value);
    virtual int GetChecked() const { return m_checked; }
    // Whether the button was clicked since the last call.
    virtual bool TakeClicked();
    virtual void Click();
    virtual void DoClick();
    // The hit picture's opaque test at the point (screen coordinates) plus the scroll offset; true without one.
    virtual bool HitTestPicture(int x, int y) const;
    virtual void PlayClickSound();

protected:
    // The pointer came onto the enabled button.
    virtual void OnHoverEnter() {}

    bool OnDoubleClick(int button, int x, int y, bool& pressToo) override;
    bool OnMouseDown(int button, int x, int y) override;
    bool OnMouseUp(int button, int x, int y) override;
    bool OnMouseRepeat(int button, int x, int y) override;
    bool OnMouseMove(int x, int y, int dx, int dy, CSequence*& cursor) override;
    bool OnKey(int code) override;

    // Ends a drawing: a click shows pressed for one drawing only; then the children.
    void FinishDraw(CFrameInterface* frame);
    bool IsInRing() const { return m_nextInRing != nullptr; }
    CJButton* FindRingPredecessor() const;
    // Inside the visible rect and on the hit picture.
    bool Hits(int x, int y) const;

private:
    void JoinRing(CJButton* previous);
    void LeaveRing();
    void StartDragWhenFar(int x, int y, int dx, int dy, CSequence*& cursor);

    static constexpr int kDragDistanceSquared = 16;

    bool m_draggable = false;
    bool m_heldDown = false;
    bool m_pressed = false;
    bool m_pointerInside = false;
    bool m_clicked = false;
    bool m_showPressed = false;
    bool m_dragging = false;
    std::int32_t m_checked = 0;
    CJButton* m_nextInRing = nullptr;
    int m_pressX = 0;
    int m_pressY = 0;
    bool m_autoRepeat = false;
    bool m_handCursor = false;
    CString m_hintText;
    int m_hintMode = 1;
    std::unique_ptr<CallbackBinder> m_clickAction;
    std::unique_ptr<CallbackBinder> m_doubleClickAction;
    std::unique_ptr<CallbackBinder> m_rightClickAction;
    std::unique_ptr<CallbackBinder> m_hoverEnterAction;
    std::unique_ptr<CallbackBinder> m_hoverLeaveAction;
    CFrameInterface* m_pictures[kButtonPictures] = {};
    CFrameInterface* m_hitPicture = nullptr;
    bool m_centresPicture = false;
    bool m_showsTextWithPicture = false;
    int m_alignment = kJustifyCentre;
    std::unique_ptr<ButtonPainter> m_painter;
};
