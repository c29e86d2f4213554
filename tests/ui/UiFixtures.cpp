#include "UiFixtures.h"

#include <fstream>

#include <unistd.h>

namespace ui_test {

void PrepareFontFolder()
{
    static bool made = false;
    if (made) return;
    made = true;
    // Tests run side by side in processes of their own over one work folder: each file is put in place whole.
    std::filesystem::create_directories("Resources");
    const std::string staged = "Resources/staged-" + std::to_string(::getpid());
    std::filesystem::copy_file(kDejaVu, staged, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::rename(staged, "Resources/!default.ttf");
    std::ofstream(staged, std::ios::binary) << "this is not a font at all";
    std::filesystem::rename(staged, "Resources/junk.ttf");
    SetDisplayBitDepth(16);
}

RecordingFrame::RecordingFrame() : backing(std::make_unique<CFrame>())
{
    backing->Create(64, 64, 16);
    SetWrapped(backing.get());
}

bool RecordingFrame::Blit(CFrameInterface*, platform::Rect, platform::Rect destinationRect, BlitType*)
{
    blits.push_back(destinationRect);
    return true;
}

std::unique_ptr<CFont> MakeFont(float pointSize)
{
    PrepareFontFolder();
    auto font = std::make_unique<CFont>();
    font->SetPointSize(pointSize);
    return font;
}

}  // namespace ui_test

#include "ui/ToolkitStatics.h"

namespace ui_test {

RecordingWindow::RecordingWindow(CJWindow* parent, const char* name, std::vector<std::string>* log)
    : CJWindow(parent, name), m_log(log)
{
}

RecordingWindow::~RecordingWindow()
{
    if (deletedFlag) *deletedFlag = true;
}

void RecordingWindow::Log(const std::string& what)
{
    if (m_log) m_log->push_back(std::string(GetTextChars()) + " " + what);
}

void RecordingWindow::Draw(CFrameInterface* frame)
{
    ++drawCount;
    frame->FillRect(platform::Rect::OfSize(GetWidth(), GetHeight()), MakeColor(255, 255, 255));
    CJWindow::Draw(frame);
}

bool RecordingWindow::Activate()
{
    Log("activate");
    return activateAnswer;
}

bool RecordingWindow::OnMouseDown(int button, int x, int y)
{
    if (CJWindow::OnMouseDown(button, x, y)) return true;
    Log("down");
    if (requestRepeat) RequestMouseRepeat(100, 50);
    return takeDown;
}

bool RecordingWindow::OnMouseUp(int button, int x, int y)
{
    if (CJWindow::OnMouseUp(button, x, y)) return true;
    Log("up");
    return takeDown;
}

bool RecordingWindow::OnDoubleClick(int button, int x, int y, bool& pressToo)
{
    Log("double");
    pressToo = pressTooOnDoubleClick;
    return takeDoubleClick;
}

bool RecordingWindow::OnMouseRepeat(int, int, int)
{
    ++repeats;
    Log("repeat");
    return true;
}

bool RecordingWindow::OnKey(int code)
{
    if (CJWindow::OnKey(code)) return true;
    Log("key " + std::to_string(code));
    return takeKeys;
}

bool RecordingWindow::OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*&)
{
    Log("press " + std::to_string(dx) + "," + std::to_string(dy));
    return capturePress;
}

void RecordingWindow::OnButtonRelease(std::uint32_t, int, int) { Log("release"); }

bool RecordingWindow::Cut(int)
{
    Log("cut");
    return takeClipboard;
}

bool RecordingWindow::Copy(int)
{
    Log("copy");
    return takeClipboard;
}

bool RecordingWindow::Paste(int)
{
    Log("paste");
    return takeClipboard;
}

bool RecordingWindow::Clear(int)
{
    Log("clear");
    return takeClipboard;
}

CFont* DefaultTestFont()
{
    static std::unique_ptr<CFont> font = MakeFont(12.0f);
    toolkit::SetDefaultFont(font.get());
    return font.get();
}

std::unique_ptr<CSequence> RedFrames(std::initializer_list<int> reds, int width, int height)
{
    auto sequence = std::make_unique<CSequence>();
    for (int red : reds) {
        auto frame = std::make_unique<CFrame>();
        frame->Create(width, height, 16);
        frame->Fill(MakeColor(red, 0, 0));
        sequence->AddFrame(std::move(frame));
    }
    sequence->SetFrameRate(2.0f);
    sequence->RecomputeBounds();
    return sequence;
}

}  // namespace ui_test
