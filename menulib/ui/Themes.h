// Themes give a new window its font, colours and margins, answer its background texture and make the painters
// that draw its buttons, static texts and frame. The classic theme has no settings; its one default instance is
// the theme of every window without a parent.
#pragma once
#include <memory>

#include "foundation/Object.h"
#include "ui/Painters.h"

class CFrameInterface;
class CJButton;
class CJWindow;

class CSkinTheme : public CObject {
    DECLARE_PERSISTENT_CLASS(CSkinTheme)
public:
    CSkinTheme() { ConstructOwnMembers(); }
    ~CSkinTheme() override { DestroyOwnMembers(); }

    virtual void ApplyToWindow(CJWindow* window, CJWindow* parent) {}
    virtual CFrameInterface* GetBackgroundTexture(const CJWindow* window) const { return nullptr; }
    virtual std::unique_ptr<ButtonPainter> CreateButtonPainter(CJButton* button) { return nullptr; }
    virtual std::unique_ptr<StaticTextPainter> CreateStaticTextPainter(CJWindow* window) { return nullptr; }
    virtual std::unique_ptr<FramePainter> CreateFramePainter(CJWindow* window) { return nullptr; }
};

class CJWindowClassicTheme : public CSkinTheme {
    DECLARE_PERSISTENT_CLASS(CJWindowClassicTheme)
public:
    CJWindowClassicTheme() { ConstructOwnMembers(); }
    ~CJWindowClassicTheme() override { DestroyOwnMembers(); }

    // The default classic theme, made on first use and destroyed at exit.
    static CJWindowClassicTheme& GetDefault();

    // A window with a parent takes the parent's font; nothing else changes.
    void ApplyToWindow(CJWindow* window, CJWindow* parent) override;
    std::unique_ptr<ButtonPainter> CreateButtonPainter(CJButton* button) override;
    std::unique_ptr<StaticTextPainter> CreateStaticTextPainter(CJWindow* window) override;
    std::unique_ptr<FramePainter> CreateFramePainter(CJWindow* window) override;
};
