// The toolkit tests' shared ground: a "Resources" folder in the work folder holding DejaVu Sans as the default
// face (and a junk ".ttf" for the broken-font test), made before any font scans it, and a display of 16 bits.
#pragma once
#include <filesystem>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "frames/Frame.h"
#include "frames/ProxyFrame.h"
#include "ui/Font.h"

namespace ui_test {

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Makes the font folder once per test program; safe to call from every fixture.
void PrepareFontFolder();

// A frame that draws nothing and remembers where each blit would have landed.
class RecordingFrame : public CProxyFrame {
public:
    RecordingFrame();
    bool Blit(CFrameInterface* source, platform::Rect sourceRect, platform::Rect destinationRect,
              BlitType* blitType) override;
    std::vector<platform::Rect> blits;
    std::unique_ptr<CFrame> backing;
};

// A 12-point DejaVu font.
std::unique_ptr<CFont> MakeFont(float pointSize = 12.0f);

}  // namespace ui_test

#include <string>

#include "frames/Sequence.h"
#include "ui/JWindow.h"

namespace ui_test {

// A window that writes every event it gets into a shared log ("A down", "B key 9", ...) and answers as told.
class RecordingWindow : public CJWindow {
public:
    RecordingWindow(CJWindow* parent, const char* name, std::vector<std::string>* log);
    ~RecordingWindow() override;

    bool takeDown = true;
    bool takeKeys = false;
    bool takeDoubleClick = false;
    bool pressTooOnDoubleClick = false;
    bool activateAnswer = true;
    bool capturePress = false;
    bool requestRepeat = false;
    bool takeClipboard = true;
    int drawCount = 0;
    int repeats = 0;
    bool* deletedFlag = nullptr;

    void Draw(CFrameInterface* frame) override;
    bool Activate() override;

    // The handlers, open to the tests.
    using CJWindow::OnChar;
    using CJWindow::OnMouseMove;

    bool OnMouseDown(int button, int x, int y) override;
    bool OnMouseUp(int button, int x, int y) override;
    bool OnDoubleClick(int button, int x, int y, bool& pressToo) override;
    bool OnMouseRepeat(int button, int x, int y) override;
    bool OnKey(int code) override;
    bool OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor) override;
    void OnButtonRelease(std::uint32_t buttons, int x, int y) override;
    bool Cut(int value) override;
    bool Copy(int value) override;
    bool Paste(int value) override;
    bool Clear(int value) override;

private:
    void Log(const std::string& what);
    std::vector<std::string>* m_log;
};

// A root whose handlers the tests call directly.
class TestRoot : public CJWindow {
public:
    TestRoot() : CJWindow(nullptr, "root") {}
    using CJWindow::OnChar;
    using CJWindow::OnKey;
    using CJWindow::OnMouseDown;
    using CJWindow::OnMouseMove;
    using CJWindow::OnMouseUp;
};

// Makes the default font once (12-point DejaVu) for windows made without a screen.
CFont* DefaultTestFont();

// A sequence of 16-bit width x height frames, one of each red level, at two frames a second.
std::unique_ptr<CSequence> RedFrames(std::initializer_list<int> reds, int width, int height);

}  // namespace ui_test
