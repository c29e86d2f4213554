// A vertical or horizontal scroll bar: an arrow square at each end, a track between them and a thumb on the track.
// It holds a floating-point position within a range; when it has an owner window it scrolls the owner's content,
// and when the owner is also its parent it docks itself along the owner's right or bottom edge.
#pragma once
#include "ui/JWindow.h"

enum ScrollBarOrientation : int {
    kHorizontalBar = 0,
    kVerticalBar = 1
};

// The part of the bar under a press (0 while nothing is pressed).
enum ScrollBarPart : int {
    kBarPartNone = 0,
    kBarPartThumb = 1,
    kBarPartFirstArrow = 2,
    kBarPartSecondArrow = 3,
    kBarPartTrackBefore = 4,
    kBarPartTrackAfter = 5
};

// The code the bar sends its parent when its position changes.
constexpr int kNotifyScrollPosition = 1;

class CJScrollBar : public CJWindow {
public:
    static constexpr int kThickness = 15;
    static constexpr int kInitialLength = 415;
    static constexpr int kMinimumThumb = 4;
    // A wheel step moves the bar by this many line steps.
    static constexpr int kWheelLines = 12;

    CJScrollBar(CJWindow* owner, int orientation);

    // The range, the position and the steps.
    void SetRange(float minimum, float maximum);
    void SetPosition(float position, bool silent);
    float GetPosition() const { return m_position; }
    float GetMinimum() const { return m_minimum; }
    float GetMaximum() const { return m_maximum; }
    void SetLineStep(float step) { m_lineStep = step; }
    float GetLineStep() const { return m_lineStep; }
    void SetPageStep(float step) { m_pageStep = step; }
    float GetPageStep() const { return m_pageStep; }
    float GetPixelsPerUnit() const { return m_pixelsPerUnit; }
    int GetPressedPart() const { return m_pressedPart; }
    bool IsVertical() const { return m_orientation == kVerticalBar; }
    CJWindow* GetOwner() const { return m_owner; }
    void SetHideWhenIdle(bool on) { m_hideWhenIdle = on; }

    // The parts, relative to the bar.
    const platform::Rect& GetTrackRect() const { return m_track; }
    const platform::Rect& GetFirstArrowRect() const { return m_firstArrow; }
    const platform::Rect& GetSecondArrowRect() const { return m_secondArrow; }
    const platform::Rect& GetThumbRect() const { return m_thumb; }

    // Takes range, position and steps from the owner's scrollable content.
    void SyncWithContent(CJWindow* owner);
    // False when the rectangle, offset by the origin, misses the bar; otherwise trims it to the bar's extent along
    // the bar (top and bottom of a vertical bar, left and right of a horizontal one).
    bool ClipRect(platform::Rect& rect, int originX, int originY) const;
    // The bar's thickness in pixels: the toolkit scale times 15.
    static int Thickness();

    void Draw(CFrameInterface* frame) override;
    void SetRect(const platform::Rect& rect) override;
    void SetSize(int width, int height) override;
    CSequence* GetCursorForPoint(int x, int y) override;
    virtual void DrawTrack(CFrameInterface* frame);
    virtual void DrawFirstArrow(CFrameInterface* frame);
    virtual void DrawSecondArrow(CFrameInterface* frame);
    virtual void DrawThumb(CFrameInterface* frame);
    virtual void LayOutParts();
    virtual void ComputeThumb();

protected:
    bool OnMouseDown(int button, int x, int y) override;
    bool OnMouseUp(int button, int x, int y) override;
    bool OnMouseMove(int x, int y, int dx, int dy, CSequence*& cursor) override;
    bool OnWheel(int steps, int x, int y) override;

private:
    int PartAt(int x, int y) const;
    int TrackLength() const;
    void DrawBox(CFrameInterface* frame, const platform::Rect& box, int bevelStyle, bool shaded);
    void DrawArrow(CFrameInterface* frame, const platform::Rect& box, int part, std::uint16_t glyph);
    platform::Rect DockedRect() const;
    void ScrollOwner();

    platform::Rect m_track;
    platform::Rect m_firstArrow;
    platform::Rect m_secondArrow;
    platform::Rect m_thumb;
    int m_orientation = kVerticalBar;
    float m_minimum = 0.0f;
    float m_maximum = 1000.0f;
    float m_position = 0.0f;
    float m_lineStep = 1.0f;
    float m_pageStep = 10.0f;
    float m_pixelsPerUnit = 0.0f;
    int m_pressedPart = kBarPartNone;
    CJWindow* m_owner = nullptr;
    bool m_hideWhenIdle = false;
    int m_dockedExtent = -1;
};
