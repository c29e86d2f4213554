// The window toolkit's hot paths: a line of text drawn glyph by glyph, wrapping and measuring a long text, the
// warm-up of a fresh font, scrolling a window with many descendants, a long wrapped label, one frame of the
// toolkit demo's windows beside a plain copy of the same frame (the ratio is printed as x_memcpy), and one frame
// of every control of the demo's pages, idle and while its file list scrolls.
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "ButtonsPage.h"
#include "EditPage.h"
#include "ListsPage.h"
#include "frames/Frame.h"
#include "ui/Font.h"
#include "ui/FrameWindow.h"
#include "ui/ScreenWindow.h"
#include "ui/SkinData.h"
#include "ui/StaticText.h"
#include "ui/ToolkitKeys.h"
#include "ui/ToolkitStatics.h"

namespace {

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// A folder of its own with the default face, entered once.
void EnterFontFolder()
{
    static bool entered = false;
    if (entered) return;
    entered = true;
    const auto folder = std::filesystem::temp_directory_path() / "vel-ui-bench";
    std::filesystem::create_directories(folder / "Resources");
    std::filesystem::copy_file(kDejaVu, folder / "Resources" / "!default.ttf",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::current_path(folder);
    SetDisplayBitDepth(16);
}

std::unique_ptr<CFont> MakeFont(float size)
{
    EnterFontFolder();
    auto font = std::make_unique<CFont>();
    font->SetPointSize(size);
    return font;
}

CString LongText(int bytes)
{
    const std::string words = "the quick brown fox jumps over the lazy dog while menus wrap their descriptions ";
    std::string text;
    while (static_cast<int>(text.size()) < bytes) text += words;
    text.resize(bytes);
    return CString(text.c_str());
}

void BM_DrawTextLine(benchmark::State& state)
{
    auto font = MakeFont(12.0f);
    CFrame frame;
    frame.Create(1024, 64, 16);
    const CString line = LongText(100);
    for (int c = 32; c < 127; ++c) font->GetGlyph(c);
    for (auto _ : state)
        for (int row = 0; row < 10; ++row) font->DrawText(&frame, 0, 20, line);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_DrawTextLine);

void BM_WrapTextTwoKilobytes(benchmark::State& state)
{
    auto font = MakeFont(12.0f);
    const CString text = LongText(2048);
    for (auto _ : state) benchmark::DoNotOptimize(font->WrapText(text, 400));
}
BENCHMARK(BM_WrapTextTwoKilobytes);

void BM_MeasureWrappedHeightUncached(benchmark::State& state)
{
    auto font = MakeFont(12.0f);
    const CString text = LongText(2048);
    int width = 400;
    for (auto _ : state) {
        width = width == 400 ? 401 : 400;  // a new width misses the cache every time
        benchmark::DoNotOptimize(font->MeasureWrappedHeight(text, width, 2, 0, 0, 0, 0, 0, 0));
    }
}
BENCHMARK(BM_MeasureWrappedHeightUncached);

void BM_WarmUpAsciiGlyphs(benchmark::State& state)
{
    auto font = MakeFont(12.0f);
    for (auto _ : state) {
        font->ReleaseGlyphs();
        for (int c = 32; c < 127; ++c) benchmark::DoNotOptimize(font->GetGlyph(c));
    }
    state.SetItemsProcessed(state.iterations() * 95);
}
BENCHMARK(BM_WarmUpAsciiGlyphs);

void BM_ScrollWindowWithFiveHundredDescendants(benchmark::State& state)
{
    auto font = MakeFont(12.0f);
    toolkit::SetDefaultFont(font.get());
    CJWindow list(nullptr, "list");
    list.SetRect(platform::Rect::OfSize(400, 300));
    list.SetVirtualSize(400, 100 * 20);
    for (int i = 0; i < 100; ++i) {
        auto* row = new CJWindow(nullptr, "row");
        row->SetRect(platform::Rect::At(0, i * 20, 400, 20));
        list.AddChild(row, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        for (int j = 0; j < 4; ++j) {
            auto* cell = new CJWindow(nullptr, "cell");
            cell->SetRect(platform::Rect::At(j * 100, 0, 100, 20));
            row->AddChild(cell, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        }
    }
    int y = 0;
    for (auto _ : state) {
        y = (y + 7) % 1700;
        list.ScrollTo(0, y);
    }
}
BENCHMARK(BM_ScrollWindowWithFiveHundredDescendants);

// The toolkit demo's windows: a dialog with a caption and three lines of text on a 640 x 480 screen.
void BM_DemoWindowsFrame(benchmark::State& state)
{
    auto font = MakeFont(14.0f);
    CFrame output;
    output.Create(640, 480, 16);
    CScreenWindow screen(&output, font.get());
    auto* dialog = new CJDialogWindow(nullptr, "Window toolkit");
    dialog->SetRect(platform::Rect::OfSize(400, 260));
    screen.AddChild(dialog, 6, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    for (const char* text : {"TrueType text: DejaVu Sans, 14 points", "A second line", "A third line of text"}) {
        auto* line = new CJWindow(nullptr, text);
        line->SetRect(platform::Rect::OfSize(360, 20));
        dialog->AddChild(line, 8, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    }
    std::vector<std::uint8_t> copy(640 * 480 * 2);
    const auto copyStart = std::chrono::steady_clock::now();
    constexpr int kCopies = 200;
    for (int i = 0; i < kCopies; ++i) {
        std::memcpy(copy.data(), output.GetPixels(), copy.size());
        benchmark::ClobberMemory();
    }
    const double copySeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - copyStart).count() / kCopies;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        output.Fill(MakeColor(18, 22, 30));
        screen.Update(1.0f / 60.0f);
        screen.DrawToBackBuffer();
    }
    const double frameSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / state.iterations();
    state.counters["x_memcpy"] = frameSeconds / copySeconds;
}
BENCHMARK(BM_DemoWindowsFrame);

// A 400 x 300 skinned border with its background beside a flat fill of the same area (x_fill).
void BM_SkinnedDialogBorder(benchmark::State& state)
{
    auto font = MakeFont(12.0f);
    toolkit::SetDefaultFont(font.get());
    CFrame frame;
    frame.Create(640, 480, 16);
    CJWindow window(nullptr, "dialog");
    window.SetRect(platform::Rect::At(120, 90, 400, 300));
    CAlphaSkinBorder border;
    const platform::Rect rect = platform::Rect::At(120, 90, 400, 300);
    const Color flat = MakeColor(40, 52, 78);
    constexpr int kFills = 200;
    const auto fillStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kFills; ++i) frame.FillRect(rect, flat);
    const double fillSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - fillStart).count() / kFills;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) border.DrawBorder(&window, &frame, rect, true);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / state.iterations();
    state.counters["x_fill"] = seconds / fillSeconds;
}
BENCHMARK(BM_SkinnedDialogBorder);

// The screen window's pump and the cursor's drawing over a tree of 200 windows, the pointer moving every frame.
void BM_PumpTwoHundredWindows(benchmark::State& state)
{
    auto font = MakeFont(12.0f);
    CFrame output;
    output.Create(640, 480, 16);
    CScreenWindow screen(&output, font.get());
    for (int i = 0; i < 200; ++i) {
        auto* window = new CJWindow(nullptr, "w");
        window->SetRect(platform::Rect::At((i % 20) * 32, (i / 20) * 48, 30, 46));
        screen.AddChild(window, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    }
    MouseState& mouse = MouseState::Get();
    int x = 0;
    for (auto _ : state) {
        x = (x + 3) % 640;
        mouse.StorePosition(x, 200);
        screen.Update(1.0f / 60.0f);
        mouse.Draw(&output);
    }
}
BENCHMARK(BM_PumpTwoHundredWindows);

// A wrapped label of one kilobyte drawn once a frame: its lines are kept, against breaking them every drawing.
void BM_WrappedLabelFrame(benchmark::State& state)
{
    auto font = MakeFont(12.0f);
    CFrame frame;
    frame.Create(440, 400, 16);
    CJStaticText label(nullptr, nullptr);
    label.SetFont(font.get());
    label.SetWrapWidth(420);
    label.SetText(LongText(1024).GetText());
    for (auto _ : state) label.Draw(&frame);
    const auto start = std::chrono::steady_clock::now();
    int y = 0;
    for (int i = 0; i < 100; ++i) {
        y = 0;
        font->DrawWrappedText(&frame, 0, y, label.GetText(), 400, 4, 0, 0, 0, 0, 0, 0);
    }
    const double unkept = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / 100;
    state.counters["breaking_each_time_us"] = unkept * 1e6;
}
BENCHMARK(BM_WrappedLabelFrame);

// Every control of the toolkit demo on one 640 x 480 screen: its pages of buttons, entries and lists shown at once,
// idle (0) or with the file list paging up and down every eight frames, so that it scrolls smoothly in every
// frame (1).
void BM_ControlPagesFrame(benchmark::State& state)
{
    auto font = MakeFont(14.0f);
    CFrame output;
    output.Create(640, 480, 16);
    CScreenWindow screen(&output, font.get());
    AddButtonsPage(screen);
    AddEditPage(screen, font.get());
    screen.ActivateChild(AddListsPage(screen, 8, 8));
    const bool scrolling = state.range(0) != 0;
    KeyboardState& keys = KeyboardState::Get();
    keys.Reset();
    long frame = 0;
    for (auto _ : state) {
        if (scrolling && frame % 8 == 0) keys.PutTyped(frame % 16 == 0 ? kKeyPageDown : kKeyPageUp);
        ++frame;
        output.Fill(MakeColor(18, 22, 30));
        screen.Update(1.0f / 60.0f);
        screen.DrawToBackBuffer();
    }
}
BENCHMARK(BM_ControlPagesFrame)->ArgName("scrolling")->Arg(0)->Arg(1);

}  // namespace
