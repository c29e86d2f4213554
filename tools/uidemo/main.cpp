// The window toolkit demo: a screen window over a 640 x 480 16-bit frame holding a framed dialog with a caption,
// a line in the default TrueType face, a line in a bitmap font and a wrapped paragraph, drawn by the menu
// library's toolkit every frame and presented through the game's display. Headless runs write screenshots as
// VEL_SHOTS and VEL_SHOT_AT ask; VEL_FRAMES ends them.
//   uidemo <library folder> [--windowed]
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "BlockFont.h"
#include "ButtonsPage.h"
#include "DemoInput.h"
#include "EditPage.h"
#include "GP_Display.h"
#include "GP_Surface.h"
#include "ListsPage.h"
#include "frames/Frame.h"
#include "platform/win32_desktop.h"
#include "platform/win32_time.h"
#include "platform/win32_window.h"
#include "ui/BitmapFont.h"
#include "ui/FrameWindow.h"
#include "ui/ScreenWindow.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr char kParagraph[] =
    "Windows form one tree: the screen window at the root pumps the mouse and the keyboard into it once per frame, "
    "and draws it through the frame's origin and clip, so every child stays inside its parent.";

// F2 shows the next page of windows.
bool nextPageAsked = false;

LRESULT DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ForwardToToolkit(message, wParam, lParam);
    if (message == WM_KEYDOWN && wParam == VK_F2) nextPageAsked = true;
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) DestroyWindow(window);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DemoWindowProc;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpszClassName = "TollarineToolkitDemo";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("TollarineToolkitDemo", "Window toolkit demo", WS_POPUP | WS_SYSMENU, 0, 0, kWidth,
                                kHeight, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

// A dialog that lays its background colour under the classic frame.
class DemoDialog : public CJDialogWindow {
public:
    using CJDialogWindow::CJDialogWindow;
    void DrawFrame(CFrameInterface* frame) override
    {
        frame->FillRect(platform::Rect::OfSize(GetWidth(), GetHeight()), GetBackgroundColor());
        CJDialogWindow::DrawFrame(frame);
    }
};

// One line of text in the window's font, or a paragraph wrapped to the window's width.
class DemoText : public CJWindow {
public:
    DemoText(const char* text, bool wrapped) : CJWindow(nullptr, text), m_wrapped(wrapped) {}
    void Draw(CFrameInterface* frame) override
    {
        if (!m_wrapped) {
            DrawText(frame, 0, 0, 0);
            return;
        }
        int y = 0;
        GetFont()->DrawWrappedText(frame, 0, y, GetText(), GetWidth(), 2, 0, 0, 0, 0, 0, 0);
    }

private:
    bool m_wrapped;
};

void AddLine(CJWindow& dialog, const char* text, CFont* font, int height, bool wrapped)
{
    auto* line = new DemoText(text, wrapped);
    if (font) line->SetFont(font);
    line->SetRect(platform::Rect::OfSize(dialog.GetWidth() - 32, height));
    dialog.AddChild(line, 8, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
}

void Present(CGP_Display& display, CFrame& output)
{
    CGP_Surface* back = display.backSurface.get();
    if (back->Lock() != 0) return;
    for (int y = 0; y < kHeight; ++y)
        std::memcpy(back->PixelRow(y), output.GetPixels() + static_cast<long>(y) * output.GetPitch() * 2, kWidth * 2);
    back->Unlock();
    display.Present(1);
}

// Shows the windows of one page, hides the others' and gives the page's last window the keyboard.
void ShowPage(CJWindow& screen, const std::vector<std::vector<CJWindow*>>& pages, std::size_t shown)
{
    for (std::size_t i = 0; i < pages.size(); ++i)
        for (CJWindow* window : pages[i]) window->Show(i == shown, false);
    screen.ActivateChild(pages[shown].back());
}

int Run(const char* libraryFolder, bool windowed)
{
    HWND window = MakeWindow();
    CGP_Display display;
    if (int failed = display.Init()) return failed;
    const int setUp = windowed ? display.SetWindowed(0, window, kWidth, kHeight)
                               : display.SetFullScreen(0, window, kWidth, kHeight, 16);
    if (setUp) return setUp;
    if (!SetCurrentDirectoryA(libraryFolder)) {
        std::fprintf(stderr, "cannot enter %s\n", libraryFolder);
        return 1;
    }
    SetDisplayBitDepth(16);

    CFrame output;
    output.Create(kWidth, kHeight, 16);
    CFont text;
    text.SetPointSize(14.0f);
    CFont caption;
    caption.SetPointSize(16.0f);
    CFontBitmap blocks;
    FillBlockFont(blocks, 255, 210, 90);

    CScreenWindow screen(&output, &text);
    auto* dialog = new DemoDialog(nullptr, "Window toolkit");
    dialog->SetFont(&caption);
    dialog->SetBackgroundColorRGB(40, 52, 78);
    dialog->SetRect(platform::Rect::OfSize(400, 260));
    screen.AddChild(dialog, 6, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    AddLine(*dialog, "TrueType text: DejaVu Sans, 14 points", &text, text.GetLineHeight() + 4, false);
    AddLine(*dialog, "BITMAP FONT 0123456789", &blocks, 14, false);
    AddLine(*dialog, kParagraph, &text, 5 * (text.GetLineHeight() + 2), true);
    // One page of windows shows at a time: the dialog with the buttons, the lists, the entries.
    const std::vector<std::vector<CJWindow*>> pages = {
        {dialog, AddButtonsPage(screen)}, {AddListsPage(screen, 8, 8)}, {AddEditPage(screen, &text)}};
    std::size_t shown = 0;
    ShowPage(screen, pages, shown);

    const Color backdrop = MakeColor(18, 22, 30);
    for (MSG msg{};;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return 0;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        if (nextPageAsked) {
            nextPageAsked = false;
            shown = (shown + 1) % pages.size();
            ShowPage(screen, pages, shown);
        }
        output.Fill(backdrop);
        screen.Update(1.0f / 60.0f);
        screen.DrawToBackBuffer();
        Present(display, output);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <library folder> [--windowed]\n", argv[0]);
        return 2;
    }
    return Run(argv[1], argc > 2 && std::strcmp(argv[2], "--windowed") == 0);
}
