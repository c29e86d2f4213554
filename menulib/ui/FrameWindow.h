// Windows that carry a visible frame: a captioned frame that the user can drag and whose look comes from its
// theme's frame painter, a dialog that handles Enter, Escape and the arrows with a default and a cancel button and
// can borrow a client window, and a dialog that shows one picture.
#pragma once
#include <memory>

#include "ui/JWindow.h"
#include "ui/Painters.h"

class CJFrameWindow : public CJWindow {
public:
    CJFrameWindow(CJWindow* parent, const char* caption);
    ~CJFrameWindow() override;

    void Draw(CFrameInterface* frame) override;
    int GetTopInset() const override;
    bool RequestHint(int x, int y) override;
    bool Cut(int value) override;
    bool Copy(int value) override;
    bool Paste(int value) override;
    bool Clear(int value) override;
    virtual void DrawFrame(CFrameInterface* frame);
    virtual CFont* GetCaptionFont();

    void SetDraggable(bool on) { m_draggable = on; }
    bool IsDraggable() const { return m_draggable; }
    void SetDrawFrame(bool on) { m_drawFrame = on; }
    int GetMinimumWidth() const { return m_minimumWidth; }
    int GetMinimumHeight() const { return m_minimumHeight; }

protected:
    bool OnDoubleClick(int button, int x, int y, bool& pressToo) override;
    bool OnMouseDown(int button, int x, int y) override;
    bool OnMouseUp(int button, int x, int y) override;
    bool OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor) override;

private:
    static constexpr int kMinimumSide = 10;

    bool m_draggable = true;
    int m_minimumWidth = kMinimumSide;
    int m_minimumHeight = kMinimumSide;
    std::unique_ptr<FramePainter> m_framePainter;
    bool m_drawFrame = true;
};

class CJDialogWindow : public CJFrameWindow {
public:
    CJDialogWindow(CJWindow* parent, const char* name);
    ~CJDialogWindow() override;

    void DetachClient(int value) override;
    bool IsDialog() const override { return true; }

    // Takes a window from elsewhere while the dialog lives: it leaves its parent, hidden, and goes home to it (or is
    // deleted when it had none) when the dialog ends; the previous client is deleted.
    void SetClient(CJWindow* client);
    CJWindow* GetClient() const { return m_client.get(); }
    void SetDefaultButton(CJWindow* button) { m_defaultButton = button; }
    void SetCancelButton(CJWindow* button) { m_cancelButton = button; }
    CJWindow* GetDefaultButton() const { return m_defaultButton; }
    CJWindow* GetCancelButton() const { return m_cancelButton; }

protected:
    bool OnKey(int code) override;

private:
    void SendClientHome();
    // The default button's Activate; taken whenever there is a default button.
    bool ActivateDefaultButton();

    std::unique_ptr<CJWindow> m_client;
    CJWindow* m_clientHome = nullptr;
    CJWindow* m_defaultButton = nullptr;
    CJWindow* m_cancelButton = nullptr;
    platform::Rect m_clientHomeRect;
};

class CJPictureWindow : public CJDialogWindow {
public:
    CJPictureWindow(CJWindow* parent, CFrameInterface* picture, int x, int y);

    void Draw(CFrameInterface* frame) override;
    void SetPicture(CFrameInterface* picture, int x, int y);

protected:
    bool OnButtonPress(int, int, int, int, std::uint32_t, CSequence*&) override { return false; }

private:
    CFrameInterface* m_picture = nullptr;
    int m_x = 0;
    int m_y = 0;
};
