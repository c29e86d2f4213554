// The root window of a menu session: once per frame its Update turns the recorded mouse and keyboard state into
// events for the window tree, and its Draw draws the tree into a back buffer over the session's output frame with
// the pop-up hint on top.
#pragma once
#include <cstdint>
#include <memory>

#include "frames/ProxyFrame.h"
#include "ui/InputState.h"
#include "ui/JWindow.h"

// The toolkit's millisecond clock (the system tick count unless a test sets its own source).
using TickSource = std::uint32_t (*)();
std::uint32_t ToolkitTicks();
void SetToolkitTickSource(TickSource source);

class CScreenWindow : public CJWindow {
public:
    CScreenWindow(CFrameInterface* output, CFont* font);
    ~CScreenWindow() override;

    void Update(float elapsed) override;
    void Draw(CFrameInterface* frame) override;
    bool IsScreen() const override { return true; }
    void ApplySpacing(CJWindow*, int) override {}
    bool RequestHint(int x, int y) override;
    virtual void DrawToBackBuffer();

    void SetPopUpText(int mode, CJWindow* window, int highlightStart, const CString& text, int x, int y,
                      int highlightLength);
    void HidePopUpText() { SetPopUpText(0, nullptr, -1, CString(), -1, 0, 0); }
    bool GetHintRect(platform::Rect& rect) const;
    const CString& GetHintText() const { return m_hintText; }
    void RegisterRepeat(CJWindow* window, int delayMs, int intervalMs);
    bool HasRepeatFired() const;
    void AttachOutputFrame(CFrameInterface* frame);
    void TrackMotion();
    void SetInputEnabled(bool on) { m_inputEnabled = on; }
    COffsetClippedProxyFrame& GetBackBuffer() { return m_backBuffer; }
    // Every repeat record that names the window lets it go (a window being deleted).
    void ForgetWindow(const CJWindow* window);

    static CScreenWindow* GetCurrentScreen();

protected:
    bool OnKey(int code) override;

private:
    struct RepeatRecord {
        CJWindow* window = nullptr;
        std::uint32_t nextTime = 0;
        std::uint32_t interval = 0;
        bool fired = false;
    };
    struct HintUnderline {
        bool on = false;
        int offsetY = 0;
        int fromX = 0;
        int toX = 0;
    };

    static const char* TakeFont(CFont* font);
    void EvaluateHover();
    void DeliverDoubleClicks(std::uint32_t& held);
    void DeliverButtons(std::uint32_t held, std::uint32_t latched);
    void PressButton(int button);
    void RepeatButton(int button);
    void ReleaseButton(int button);
    void DeliverKeys();
    bool HandleClipboardKey(int code);
    void LayOutHint(int highlightStart, int highlightLength, int x, int y);
    void DrawHint(CFrameInterface* frame);

    COffsetClippedProxyFrame m_backBuffer;
    CFrameInterface* m_output = nullptr;
    bool m_inputEnabled = true;
    bool m_savedSoftwareCursor = false;
    CFont* m_hintFont = nullptr;
    Color m_hintFill;
    Color m_hintBorder;
    CString m_hintText;
    CString m_wrappedHint;
    platform::Rect m_hintBox;
    HintUnderline m_hintUnderline;
    int m_lastX = 0;
    int m_lastY = 0;
    RepeatRecord m_repeats[MouseState::kButtons];
    int m_currentButton = 0;
    std::uint32_t m_previousButtons = 0;
};
