// The form engine's hot paths, each set against the 16.7 ms a frame has (counter share_of_frame): the first
// LoadForm of a page of a dozen controls with pictures and 21 substitution variables, a switch between two such
// pages (the pictures' scaled copies made as the windows are), a status label's SetText with its redraw as a
// transfer does every frame (beside an idle frame of the same page), and GetScaledFrame asked every frame for the
// same size (beside the scale it saves, MakeScaledFrame of 1024 x 768 to 1280 x 960 at 16 bits).
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "forms/FormManager.h"
#include "forms/TextControls.h"
#include "foundation/FileFlags.h"
#include "foundation/FileState.h"
#include "foundation/FolderCollection.h"
#include "frames/Frame.h"
#include "frames/FrameImageModel.h"
#include "frames/ScaledFrameHolder.h"
#include "ui/Font.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitStatics.h"

namespace {

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr int kVariables = 21;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// One page of a dozen controls: six pictures shown at another size than their own, labels and buttons whose texts
// hold the variables.
std::string PageText(const std::string& name)
{
    std::string controls;
    for (int i = 0; i < 6; ++i)
        controls += "Child Control=CFormPictureControl\r\n{\r\nControl Name=" + name + "Picture" + std::to_string(i) +
                    "\r\nImage File Name=Picture" + std::to_string(i) +
                    "\r\nScaled Width=150\r\nScaled Height=110\r\n" +
                    "Control Position=" + std::to_string(20 + i * 160) + ",60\r\n}\r\n";
    for (int i = 0; i < 3; ++i)
        controls += "Child Control=CFormStaticControl\r\n{\r\nControl Name=" + name + "Label" + std::to_string(i) +
                    "\r\nWrap Width=400\r\nControl Position=20," + std::to_string(200 + i * 40) + "\r\nText=<%Var" +
                    std::to_string(i) + "%> and <%Var" + std::to_string(i + 10) + "%>\r\n}\r\n";
    for (int i = 0; i < 3; ++i)
        controls += "Child Control=CFormButtonControl\r\n{\r\nControl Name=" + name + "Button" + std::to_string(i) +
                    "\r\nButton Text=<%Var" + std::to_string(i + 18) +
                    "%>\r\nControl Position=" + std::to_string(20 + i * 200) + ",360\r\n}\r\n";
    return "Field=CFormFrameControl\r\n{\r\nControl Name=" + name +
           "\r\nFull Screen=1\r\nChild Controls=Array\r\n{\r\n" + controls + "}\r\n}\r\n";
}

// A folder of its own with the default face, the pictures and the form, entered once.
void EnterFormFolder()
{
    static bool entered = false;
    if (entered) return;
    entered = true;
    const auto folder = std::filesystem::temp_directory_path() / "vel-forms-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Arcade" / "Resources");
    std::filesystem::copy_file(kDejaVu, folder / "Arcade" / "Resources" / "!default.ttf");
    std::filesystem::current_path(folder);
    FileState().baseFolder = "Arcade";
    SetDisplayBitDepth(16);
    InstallFrameImageModel();
    for (int i = 0; i < 6; ++i) {
        CFrame picture;
        picture.Create(200, 140, 32);
        picture.Fill(MakeColor(40 * i, 200 - 30 * i, 120, 255));
        const std::string path = "Arcade/Resources/Picture" + std::to_string(i) + ".tga";
        picture.WriteCompressedTga(path.c_str(), kFileAbsolute);
    }
    std::ofstream("Arcade/Resources/Bench.guiform.txt", std::ios::binary)
        << "CForm\r\n{\r\nFields=Array\r\n{\r\n" + PageText("A") + PageText("B") + "}\r\n}\r\n";
    GetFrameCollection().LoadFromFolder(nullptr, "Resources", 0);
}

// A screen of the form's design size with a form manager that knows the variables.
struct Session {
    Session()
    {
        font.SetPointSize(12.0f);
        toolkit::SetDefaultFont(&font);
        output.Create(kWidth, kHeight, 16);
        screen = std::make_unique<CScreenWindow>(&output, &font);
        manager = new FormManager(screen.get(), kWidth, kHeight, 1.0f);
        manager->SetDrawFrame(false);
        screen->AddChild(manager, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        for (int i = 0; i < kVariables; ++i)
            manager->AddSubstitution(CString(("<%Var" + std::to_string(i) + "%>").c_str()),
                                     CString(("value " + std::to_string(i)).c_str()));
    }
    ~Session()
    {
        screen.reset();
        toolkit::SetDefaultFont(nullptr);
    }
    void Frame()
    {
        screen->Update(static_cast<float>(kFrameSeconds));
        screen->DrawToBackBuffer();
    }

    // The folder first: the font finds its face there.
    bool inFolder = (EnterFormFolder(), true);
    CFont font;
    CFrame output;
    std::unique_ptr<CScreenWindow> screen;
    FormManager* manager = nullptr;
};

void ReportShareOfFrame(benchmark::State& state, double seconds)
{
    state.counters["share_of_frame"] = seconds / static_cast<double>(state.iterations()) / kFrameSeconds;
}

using Clock = std::chrono::steady_clock;

// Each round reads the form file afresh, as the first load of a session does.
void BM_FirstLoadForm(benchmark::State& state)
{
    Session session;
    double seconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        session.manager->CloseAllPages();
        GetFormFileCollection().LoadFromFolder(nullptr, "Resources", 0);
        session.screen->Update(0.0f);
        state.ResumeTiming();
        const auto start = Clock::now();
        benchmark::DoNotOptimize(session.manager->LoadForm(CString("Bench"), CString("A")));
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    ReportShareOfFrame(state, seconds);
}
BENCHMARK(BM_FirstLoadForm)->Unit(benchmark::kMillisecond);

void BM_PageSwitch(benchmark::State& state)
{
    Session session;
    session.manager->LoadForm(CString("Bench"), CString("A"));
    session.Frame();
    bool onA = true;
    const auto start = Clock::now();
    for (auto _ : state) {
        onA = !onA;
        session.manager->SwitchPage(CString(onA ? "A" : "B"));
        session.screen->Update(static_cast<float>(kFrameSeconds));
    }
    ReportShareOfFrame(state, std::chrono::duration<double>(Clock::now() - start).count());
}
BENCHMARK(BM_PageSwitch)->Unit(benchmark::kMillisecond);

// A frame of the page: idle (arg 0), or with a status label's text changed first (arg 1).
void BM_StatusTextFrame(benchmark::State& state)
{
    Session session;
    session.manager->LoadForm(CString("Bench"), CString("A"));
    auto* status = session.manager->FindControlOfClass<CFormStaticControl>(CString("ALabel0"));
    const bool changing = state.range(0) != 0;
    long bytes = 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        if (changing) {
            bytes += 1536;
            status->SetText(CString(("Downloaded " + std::to_string(bytes / 1024) + " KB of 5120 KB\\n" +
                                     std::to_string(bytes % 97) + " KB/s")
                                        .c_str()));
        }
        session.Frame();
    }
    ReportShareOfFrame(state, std::chrono::duration<double>(Clock::now() - start).count());
    state.SetLabel(changing ? "SetText and redraw" : "idle frame");
}
BENCHMARK(BM_StatusTextFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The copy a picture of the design size needs at 1280 x 960: made afresh (arg 0), or asked of the frame's cache
// every frame (arg 1).
void BM_ScaledBackground(benchmark::State& state)
{
    SetDisplayBitDepth(16);
    CFrame background;
    background.Create(kWidth, kHeight, 16);
    background.Fill(MakeColor(30, 60, 90));
    const bool cached = state.range(0) != 0;
    const auto start = Clock::now();
    for (auto _ : state) {
        if (cached)
            benchmark::DoNotOptimize(GetScaledFrame(&background, 1280, 960));
        else
            benchmark::DoNotOptimize(MakeScaledFrame(&background, 1280, 960));
    }
    ReportShareOfFrame(state, std::chrono::duration<double>(Clock::now() - start).count());
    state.SetLabel(cached ? "GetScaledFrame, same size" : "MakeScaledFrame");
}
BENCHMARK(BM_ScaledBackground)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
