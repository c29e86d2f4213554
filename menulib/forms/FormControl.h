// The base of every control of a scripted form: a persistent object read from the form file (position, position
// method, name, theme and child controls) that, while its page is shown, makes one window of the toolkit, places
// it by its position method and the layout scale, and keeps it in line with its run-time values. The window
// belongs to the window tree, never to the control; the control only remembers it between CreateWindows and
// DestroyWindows.
#pragma once
#include <cstdint>

#include "forms/FormClassPattern.h"
#include "foundation/CString.h"
#include "foundation/NamedList.h"

class CFrameInterface;
class CJWindow;

// The four ways a control's position names its window's place.
enum PositionMethod : std::int32_t {
    kPositionTopLeft = 0,
    kPositionCenter = 1,
    kPositionTopRight = 2,
    kPositionTopCenter = 3,
};

// The position methods by name ("Position Top Left", ...), as form files write them.
NamedList& PositionMethodList();

class CFormControl : public CObject {
    DECLARE_PERSISTENT_CLASS(CFormControl)
public:
    CFormControl();
    ~CFormControl() override;

    // Run-time values are taken from their defaults once the form file is read; the base passes it on to the
    // children.
    void AfterLoad(ReferenceSlot* references) override;

    // Makes the control's window, adds it to the container and answers the window its children go into.
    virtual CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) = 0;
    // Asks the window to close (the tree deletes it at its next update) and forgets it.
    virtual void DestroyWindow();
    // Replaces every occurrence of find in the control's texts, then in its children's.
    virtual void ReplaceText(const CString& find, const CString& replacement);
    // Brings the window in line with the control's current values.
    virtual void UpdateWindow() {}

    // The windows of this control and its whole subtree; a non-empty "Theme To Use" that names a skin gives the
    // subtree its theme.
    void CreateWindows(CJWindow* themeSource, CJWindow* container, float layoutScale);
    void DestroyWindows();
    // This control when its name is the name (without regard to case), else the first match among the children,
    // depth first; none for an empty name.
    CFormControl* FindControl(const CString& name);
    CFormControl* FindControl(const char* name) { return FindControl(CString(name)); }

    // value x scale, truncated toward zero.
    static void ScaleByFactor(float layoutScale, int& value);
    // Moves (x, y) from the named point to the window's top-left corner; other methods leave it alone.
    static void ApplyPositionMethod(const CJWindow* window, int method, int& x, int& y);
    // \n, \t, \r, \b and \f become the characters they stand for, in that order.
    static void UnescapeText(CString& text);

    const CString& GetControlName() const { return m_name; }
    void SetControlName(const char* name) { m_name = name; }
    CJWindow* GetWindow() const { return m_window; }
    int GetPositionMethod() const { return m_positionMethod; }
    void SetPositionMethod(int method) { m_positionMethod = method; }
    const IntPair& GetPosition() const { return m_position; }
    void SetPosition(int x, int y) { m_position = {x, y}; }
    float GetLayoutScale() const { return m_layoutScale; }
    int GetChildCount() const { return m_ChildControls.count; }
    CFormControl* GetChild(int i) const;

protected:
    // A length or position of the control's properties at its layout scale.
    int Scaled(int value) const;
    // Adds the new window to the container at (x, y) (pixels past the container's insets); it is remembered.
    void AddToContainer(CJWindow* container, CJWindow* window, int x, int y);
    // The frame of that name in the frame collection; none for a name it does not hold (never its first frame).
    static CFrameInterface* FindFrame(const CString& name);
    // Applies the position method to the scaled position with the window's size now, and moves the window there.
    void PlaceAtScaledPosition();

    CJWindow* m_window = nullptr;

private:
    friend void DeclareFormControl(ClassInfo* record);

    IntPair m_position;
    std::int32_t m_positionMethod = kPositionTopLeft;
    CString m_name;
    CString m_themeName;
    RawArray m_ChildControls;
    float m_layoutScale = 1.0f;
};

// The control as one of the class; a control of another class (or none) gives none.
template <typename Control>
Control* ControlAs(CFormControl* control)
{
    return control && control->IsKindOf(Control::GetStaticClassInfo()) ? static_cast<Control*>(control) : nullptr;
}
