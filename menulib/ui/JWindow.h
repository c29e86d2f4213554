// The base class of every window of the menu library's retained window toolkit: a node of one tree that owns its
// children in a z-ordered sibling list (the first child is the front), routes mouse, wheel, key and shortcut
// events down the tree, draws its children through the frame's origin and clip, and carries a text with a
// shortcut letter, a font, a theme, six colours and optional scrollable content.
#pragma once
#include <cstdint>
#include <memory>

#include "foundation/CString.h"
#include "frames/Color.h"
#include "platform/rect.h"

class CFont;
class CFrameInterface;
class COffsetClippedProxyFrame;
class CSequence;
class CSkinTheme;
class CJScrollBar;
class CScreenWindow;

// Scroll offset, virtual size and automatic scroll bars of a scrollable window; freed when all zero again.
struct ScrollInfo {
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    std::int32_t contentWidth = 0;
    std::int32_t contentHeight = 0;
    bool barsWanted = false;
    CJScrollBar* verticalBar = nullptr;
    CJScrollBar* horizontalBar = nullptr;
    bool IsAllZero() const
    {
        return !scrollX && !scrollY && !contentWidth && !contentHeight && !barsWanted && !verticalBar && !horizontalBar;
    }
};

// Bits OR-ed into every placement of a window and of the children added to it.
enum PlacementFlag : std::uint32_t {
    kPlaceNoSpacing = 1,     // do not grow the parent to fit
    kPlaceGapsInPixels = 2,  // gaps are pixels, not dialog units
    kPlaceNoEdgeMargin = 4,  // spacing gap 0 instead of the edge margin
};

// A gap argument that takes its default from the parent.
constexpr int kDefaultGap = -1000;
// Shortcut index of a window without shortcut.
constexpr std::uint8_t kNoShortcut = 255;

// The codes of OnChildNotify that the toolkit itself sends.
enum ChildNotifyCode : int {
    kNotifyAboutToDraw = 2
};

// Bevel styles of DrawBevel, and its edge bits.
enum BevelStyle : int {
    kBevelSunken = 0,
    kBevelRaised = 1,
    kBevelFlatDark = 2,
    kBevelBlack = 3,
    kBevelNone = 5
};
enum BevelEdge : int {
    kEdgeLeft = 1,
    kEdgeTop = 2,
    kEdgeRight = 4,
    kEdgeBottom = 8,
    kEdgeAll = 15
};

class CJWindow {
public:
    CJWindow(CJWindow* parent, const char* name);
    CJWindow(CJWindow* parent, const CString& name);
    virtual ~CJWindow();
    CJWindow(const CJWindow&) = delete;
    CJWindow& operator=(const CJWindow&) = delete;

    // Theme, life and drawing.
    virtual void SetTheme(CSkinTheme* theme) { m_theme = theme; }
    virtual CSkinTheme* GetTheme() const { return m_theme; }
    virtual void Update(float elapsed);
    virtual std::uint32_t QueryHook(std::uint32_t) { return 0; }
    virtual void Draw(CFrameInterface* frame);
    virtual void DrawOverBackground(CFrameInterface*) {}
    // True draws the text with the disabled look although the window is enabled (a button's held-down state).
    virtual bool IsGreyed() const { return false; }
    virtual void RequestClose() { m_closeRequested = true; }
    virtual bool Close();
    virtual void Delete() { delete this; }
    virtual bool CloseChildren();
    virtual void DrawFocusOutline(CFrameInterface* frame, const Color& color);

    virtual bool Activate() { return false; }
    virtual void SetFocus(bool on);
    virtual void OnVisibilityChanged(bool visible) {}
    virtual void OnChildNotify(CJWindow* child, int code);
    virtual bool Cut(int value);
    virtual bool Copy(int value);
    virtual bool Paste(int value);
    virtual bool Clear(int value);
    virtual void Show(bool visible, bool notifyParent);
    virtual bool IsVisible() const { return m_visible; }
    virtual bool IsShown() const;
    virtual void RefreshState();
    virtual bool IsActive() const;

    // The tree.
    virtual void AddChild(CJWindow* child, int mode, CJWindow* reference, int gapX, int gapY, std::uint32_t flags);
    virtual void AddChildFront(CJWindow* child, int mode, CJWindow* reference, int gapX, int gapY, std::uint32_t flags);
    virtual void RemoveChild(CJWindow* child);
    virtual void ActivateChild(CJWindow* child);
    virtual void MoveChildToEnd(CJWindow* child);
    virtual CJWindow* NextTabStop();
    virtual CJWindow* PrevTabStop();
    virtual void NotifyParent(int code);
    virtual bool IsScreen() const { return false; }

    // Text and shortcut.
    virtual void SetShortcutLetter(int character);
    virtual int FindShortcutLetter(int character);
    virtual int GetShortcutLetter() const { return m_shortcutLetter; }
    virtual bool ClearShortcut();
    virtual void SetText(const char* text);
    virtual const char* GetTextChars() const { return m_text.GetText(); }
    virtual const CString& GetText() const { return m_text; }
    virtual CFont* GetFont() const { return m_font; }
    virtual void SetFont(CFont* font) { m_font = font; }
    virtual int GetTextInt() const { return m_text.ToInt(); }
    virtual float GetTextFloat() const { return m_text.ToFloat(); }
    virtual void SetTextInt(int value);
    virtual void SetTextFloat(float value);

    // Colours.
    virtual void SetBackgroundColor(const Color& color) { m_backgroundColor = color; }
    virtual void SetBackgroundColorRGB(int r, int g, int b) { m_backgroundColor = MakeColor(r, g, b); }
    virtual const Color& GetBackgroundColor() const { return m_backgroundColor; }
    virtual void SetTextColorRGB(int r, int g, int b) { m_textColor = MakeColor(r, g, b); }
    virtual void SetHighlightColor(const Color& color) { m_highlightColor = color; }
    virtual const Color& GetHighlightColor() const { return m_highlightColor; }
    virtual void SetOutlineColorRGB(int r, int g, int b) { m_outlineColor = MakeColor(r, g, b); }
    virtual void SetSelectColorRGB(int r, int g, int b) { m_selectColor = MakeColor(r, g, b); }
    virtual void SetIdleOutlineColorRGB(int r, int g, int b) { m_idleOutlineColor = MakeColor(r, g, b); }

    // Geometry and placement (WindowGeometry.cpp, WindowPlacement.cpp).
    virtual void SetRect(const platform::Rect& rect);
    virtual const platform::Rect& GetRect() const { return m_rect; }
    virtual void SetSize(int width, int height);
    virtual int GetTopInset() const { return 0; }
    virtual int GetLeftInset() const { return 0; }
    virtual void Place(int mode, CJWindow* reference, int gapX, int gapY, std::uint32_t flags);
    virtual void ApplySpacing(CJWindow* child, int gap);
    virtual bool FindPlacementNeighbour(const platform::Rect& screenRect, const CJWindow* skip) const;
    virtual bool HasChildren() const { return m_firstChild != nullptr; }
    virtual void DetachClient(int) {}
    virtual void NotifyVisibleTree();
    virtual void LoadPlacement(const char* key, bool withSize);
    virtual void SavePlacement(const char* key, bool withSize);
    virtual CSequence* GetCursorForPoint(int x, int y);
    virtual bool RequestHint(int x, int y);
    virtual CFrameInterface* GetBackgroundTexture() const;
    virtual bool IsButtonKind() const { return false; }
    virtual bool IsDialog() const { return false; }
    virtual void DrawText(CFrameInterface* frame, int x, int y, int alignment);
    virtual void LayOutScrollBars() {}

    // Non-virtual state.
    void SetEnabled(bool on) { m_enabled = on; }
    bool IsEnabled() const { return m_enabled; }
    bool IsEnabledWithParent() const { return m_enabled && (!m_parent || m_parent->m_enabled); }
    void SetModal(bool on) { m_modal = on; }
    bool IsModal() const { return m_modal; }
    void SetTransparent(bool on);
    bool IsTransparent() const { return m_transparent; }
    bool IsTopLayer() const { return m_topLayer; }
    void SetTopLayer(bool on) { m_topLayer = on; }
    void SetTabStop(bool on) { m_tabStop = on; }
    bool IsTabStop() const { return m_tabStop; }
    void SetShortcutToSelf(bool on) { m_shortcutToSelf = on; }
    void SetAlwaysOutlined(bool on) { m_alwaysOutlined = on; }
    void SetHintWithChildren(bool on) { m_hintWithChildren = on; }
    void SetTracksMouseWhenDisabled(bool on) { m_tracksMouseWhenDisabled = on; }
    void SetAmpersandMarksShortcut(bool on) { m_ampersandMarksShortcut = on; }
    bool HasFocus() const { return m_hasFocus; }
    void SetBevelWidth(int units);
    int GetBevelWidth() const { return m_bevelWidth; }
    int GetEdgeMargin() const { return m_edgeMargin; }
    int GetControlSpacing() const { return m_controlSpacing; }
    void SetEdgeMargin(int pixels) { m_edgeMargin = static_cast<std::int8_t>(pixels); }
    void SetControlSpacing(int pixels) { m_controlSpacing = static_cast<std::int8_t>(pixels); }
    std::uint32_t GetPlacementFlags() const { return m_placementFlags; }
    void SetPlacementFlags(std::uint32_t flags) { m_placementFlags = flags; }
    int GetShortcutIndex() const { return m_shortcutIndex; }
    int GetShortcutLength() const { return m_shortcutLength; }
    std::uint32_t GetCaptureMask() const { return m_captureMask; }
    std::uint32_t GetPressState() const { return m_pressState; }
    void SetPressState(std::uint32_t state) { m_pressState = state; }
    const Color& GetTextColor() const { return m_textColor; }
    const Color& GetSelectColor() const { return m_selectColor; }
    const Color& GetOutlineColor() const { return m_outlineColor; }
    const Color& GetIdleOutlineColor() const { return m_idleOutlineColor; }
    bool IsCloseRequested() const { return m_closeRequested; }

    CJWindow* GetParent() const { return m_parent; }
    CJWindow* GetFirstChild() const { return m_firstChild; }
    CJWindow* GetLastChild() const { return m_lastChild; }
    CJWindow* GetNextSibling() const { return m_nextSibling; }
    CJWindow* GetPrevSibling() const { return m_prevSibling; }
    CJWindow* GetScreen();
    CScreenWindow* FindScreenWindow();

    // Geometry that is not virtual.
    const platform::Rect& GetScreenRect() const { return m_screenRect; }
    const platform::Rect& GetVisibleRect() const { return m_visibleRect; }
    const platform::Rect& GetClipRect() const { return m_clipRect; }
    int GetWidth() const { return m_rect.Width(); }
    int GetHeight() const { return m_rect.Height(); }
    void MoveTo(int x, int y);
    void SetLeft(int x) { MoveTo(x, m_rect.top); }
    void SetTop(int y) { MoveTo(m_rect.left, y); }
    void SetWidth(int width) { SetSize(width, m_rect.Height()); }
    void SetHeight(int height) { SetSize(m_rect.Width(), height); }
    int GetContentWidth() const;
    int GetContentHeight() const;
    void SetVirtualSize(int width, int height);
    void ScrollTo(int x, int y);
    void ScrollToX(int x);
    void ScrollToY(int y);
    void ScrollBy(int dx, int dy);
    int GetScrollX() const { return m_scrollInfo ? m_scrollInfo->scrollX : 0; }
    int GetScrollY() const { return m_scrollInfo ? m_scrollInfo->scrollY : 0; }
    const ScrollInfo* GetScrollInfo() const { return m_scrollInfo.get(); }
    // A dialog unit of this window: its font height / 5 pixels.
    int DialogUnit() const;

    // Screen-window services.
    int PopUpText(int mode, const CString& text, int x, int y);
    int PopUpTextHighlighted(int mode, int start, const CString& text, int x, int y);
    void RequestMouseRepeat(int delayMs, int intervalMs);
    bool HasRepeatFired();
    void CancelCapture();
    bool FocusNextTabStop();
    bool FocusPrevTabStop();

    // Bevels: n = font height / 5 rings inside the rect.
    static void DrawBevel(CFont* font, CFrameInterface* frame, const platform::Rect& rect, int style, int edges,
                          bool inverted);

protected:
    friend class CScreenWindow;
    // Event handlers: routed by the screen window's input pump from the root; the answer says whether taken.
    virtual bool OnDoubleClick(int button, int x, int y, bool& pressToo);
    virtual bool OnMouseDown(int button, int x, int y);
    virtual bool OnMouseUp(int button, int x, int y);
    virtual bool OnMouseRepeat(int button, int x, int y) { return OnMouseDown(button, x, y); }
    virtual bool OnMouseMove(int x, int y, int dx, int dy, CSequence*& cursor);
    // The window's own press and drag handler; answering true captures the buttons.
    virtual bool OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor);
    virtual void OnButtonRelease(std::uint32_t buttons, int x, int y) {}
    virtual void OnCaptureCancelled(std::uint32_t buttons) {}
    virtual bool BroadcastToChildren(std::uint32_t a, std::uint32_t b);
    virtual bool OnWheel(int steps, int x, int y);
    virtual bool OnKey(int code);
    virtual bool OnChar(int character);

    bool IsUnder(int x, int y) const { return m_visibleRect.Contains(x, y); }
    bool IsConsideredForMove(const CJWindow* child) const;
    // This window becomes the hover window: it asks for its hint and answers the cursor at the point.
    const CJWindow* Hover(int x, int y, CSequence*& cursor);
    bool OwnPress(int button, int x, int y);
    bool BroadcastClipboard(bool (CJWindow::*operation)(int), int value);
    // Replaces the text as it is: no shortcut marks or escapes are read from it.
    void StoreText(const CString& text) { m_text = text; }

private:
    void Construct(CJWindow* parent);
    void ApplyText(const CString& text);
    void LinkBack(CJWindow* child);
    void LinkFront(CJWindow* child);
    void Unlink(CJWindow* child);
    void PrepareChildFocus(CJWindow* child);
    void DrawChild(CFrameInterface* frame, CJWindow* child);
    void DrawChildOutline(CFrameInterface* frame, CJWindow* child);
    void ApplyRectToTree();
    void FreeScrollInfoWhenZero();
    ScrollInfo& EnsureScrollInfo();
    bool RouteMousePress(int button, int x, int y, bool activate, bool& pressToo, bool doubleClick);
    void ResolvePlacementGaps(int mode, int& gapX, int& gapY, std::uint32_t flags) const;
    bool PlacementPosition(int mode, CJWindow* reference, int gapX, int gapY, int& x, int& y);
    void PlaceAtPointer(int gapX, int gapY);
    void KeepPlacementReachable(int& x, int& y) const;

    platform::Rect m_rect;
    platform::Rect m_visibleRect;
    platform::Rect m_screenRect;
    std::int32_t m_contentWidth = 0;
    std::int32_t m_contentHeight = 0;
    platform::Rect m_clipRect;
    std::uint32_t m_placementFlags = 0;
    CSkinTheme* m_theme = nullptr;
    CString m_text;
    std::unique_ptr<CString> m_placementKey;
    bool m_saveSize = false;
    std::uint8_t m_shortcutIndex = kNoShortcut;
    std::uint8_t m_shortcutLength = 0;
    std::uint8_t m_shortcutLetter = 0;
    bool m_hasFocus = false;
    bool m_tabStop = false;
    bool m_hintWithChildren = false;
    bool m_shortcutToSelf = false;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_tracksMouseWhenDisabled = false;
    bool m_alwaysOutlined = false;
    bool m_modal = false;
    bool m_transparent = false;
    bool m_topLayer = false;
    bool m_firstDrawNotified = false;
    std::uint8_t m_captureMask = 0;
    std::int32_t m_pressX = 0;
    std::int32_t m_pressY = 0;
    std::uint32_t m_pressState = 0;
    std::int8_t m_edgeMargin = -1;
    std::int8_t m_controlSpacing = -1;
    std::int8_t m_bevelWidth = 0;
    bool m_ampersandMarksShortcut = true;
    CFont* m_font = nullptr;
    Color m_backgroundColor = MakeColor(0, 0, 0, 255);
    Color m_textColor = MakeColor(186, 186, 186);
    Color m_highlightColor = MakeColor(63, 154, 255, 255);
    Color m_outlineColor = MakeColor(96, 86, 79);
    Color m_selectColor = MakeColor(101, 91, 85);
    Color m_idleOutlineColor = MakeColor(0, 0, 0);
    CJWindow* m_parent = nullptr;
    CJWindow* m_firstChild = nullptr;
    CJWindow* m_lastChild = nullptr;
    CJWindow* m_nextSibling = nullptr;
    CJWindow* m_prevSibling = nullptr;
    bool m_closeRequested = false;
    std::unique_ptr<ScrollInfo> m_scrollInfo;
};
