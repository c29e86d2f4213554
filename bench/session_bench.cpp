// The menu session's frame against the yardsticks of its job: a full frame (draw type 0) into a 640 x 480 host
// buffer in mode 2 against memcpy of the same bytes, modes 1, 3 and 4 against SDL_ConvertPixels doing the same
// conversion, and a minimal frame (draw type 1) with only the cursor moving against the full frame. Before the
// runs it prints the time from entering the session to its first frame drawn (cold: the first session of the
// process loads the fonts, cursors, skins and form); after them the redraw of the five visible catalog rows and
// the ratios (of the fastest repetition of each, with --benchmark_repetitions). The session runs over the library
// folder the build writes, in a temporary copy.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "forms/FormManager.h"
#include "foundation/HostWindow.h"
#include "frames/DirtyRectFrame.h"
#include "frames/Frame.h"
#include "front/ApplicationList.h"
#include "front/HostBuffer.h"
#include "front/TA_API.h"
#include "platform/win32_messages.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::vector<std::uint8_t> g_host(kWidth* kHeight * 4);

fs::path WorkFolder() { return fs::temp_directory_path() / ("bench_session_" + std::to_string(::getpid())); }

bool StartSession()
{
    const fs::path folder = WorkFolder();
    const fs::path library = folder / "TollarineArcade";
    fs::create_directories(library);
    const std::string dist = std::string(VEL_BENCH_DIST_DIR) + "/TollarineArcade/";
    std::error_code ignored;
    fs::create_symlink(dist + "TollarineArcade.so", library / "TollarineArcade.so", ignored);
    fs::copy_file(dist + "Arcade.dat", library / "Arcade.dat", fs::copy_options::overwrite_existing);
    ::setenv("VEL_HEADLESS", "1", 1);
    ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
    ::setenv("VEL_PROGRAM_FILES_DIR", (folder / "Program Files").c_str(), 1);
    void* module = ::dlopen((library / "TollarineArcade.so").c_str(), RTLD_NOW);
    if (!module) return false;
    HostWindow::Instance().moduleHandle = static_cast<HINSTANCE>(module);
    if (TA_Initialize(60, "Velmorine", 4089, 1.0f, 0, 6) != TA_ERROR_CODE_NONE) return false;
    const auto start = Clock::now();
    if (TA_EnterMenuSession(1, kWidth, kHeight) != TA_ERROR_CODE_NONE) return false;
    TA_DrawNextFrameIntoBuffer(g_host.data(), kWidth * 2, 2, TA_DRAW_TYPE_FULL, 1, 0);
    std::printf("time from entering the session to its first frame (cold): %.1f ms (goal under 1000 ms)\n",
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    return true;
}

void Frame(benchmark::State& state, int mode, int bytesPerPixel, std::int16_t drawType)
{
    for (auto _ : state) {
        TA_DrawNextFrameIntoBuffer(g_host.data(), kWidth * bytesPerPixel, static_cast<std::int16_t>(mode), drawType, 1,
                                   0);
        benchmark::ClobberMemory();
    }
}

void BM_FullFrameMode1(benchmark::State& state) { Frame(state, 1, 2, TA_DRAW_TYPE_FULL); }
void BM_FullFrameMode2(benchmark::State& state) { Frame(state, 2, 2, TA_DRAW_TYPE_FULL); }
void BM_FullFrameMode3(benchmark::State& state) { Frame(state, 3, 3, TA_DRAW_TYPE_FULL); }
void BM_FullFrameMode4(benchmark::State& state) { Frame(state, 4, 4, TA_DRAW_TYPE_FULL); }

// Only the cursor moves: back and forth over the background.
void BM_MinimalFrameMovingCursor(benchmark::State& state)
{
    int step = 0;
    for (auto _ : state) {
        const int x = 300 + (step++ % 2) * 40;
        TA_HandleWindowsMessage(nullptr, WM_MOUSEMOVE, 0, x | 250 << 16);
        TA_DrawNextFrameIntoBuffer(g_host.data(), kWidth * 2, 2, TA_DRAW_TYPE_MINIMAL, 1, 0);
        benchmark::ClobberMemory();
    }
}

// The copy that a full frame makes: every cell of a 640 x 480 back buffer copied into the host's buffer in the
// mode's format, without updating or drawing the window tree.
void FullCopy(benchmark::State& state, int mode, int bytesPerPixel)
{
    CDirtyRectFrame surface;
    surface.Create(kWidth, kHeight, 16);
    surface.SetHistoryCount(1);
    std::uint8_t* pixels = surface.GetPixels();
    for (std::size_t i = 0; i < static_cast<std::size_t>(kWidth) * kHeight * 2; ++i)
        pixels[i] = static_cast<std::uint8_t>(i * 7);
    HostBuffer host(g_host.data(), kWidth * bytesPerPixel, mode, kWidth, kHeight);
    for (auto _ : state) {
        surface.MarkAllDirty();
        surface.CopyDirtyInto(host.Frame(), 0, 0, host.Blit());
        benchmark::ClobberMemory();
    }
}

void BM_FullCopyMode1(benchmark::State& state) { FullCopy(state, 1, 2); }
void BM_FullCopyMode2(benchmark::State& state) { FullCopy(state, 2, 2); }
void BM_FullCopyMode3(benchmark::State& state) { FullCopy(state, 3, 3); }
void BM_FullCopyMode4(benchmark::State& state) { FullCopy(state, 4, 4); }

void BM_MemcpyFrame(benchmark::State& state)
{
    std::vector<std::uint8_t> from(kWidth * kHeight * 2, 0x5A), to(kWidth * kHeight * 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::ClobberMemory();
    }
}

void Convert(benchmark::State& state, Uint32 format, int bytesPerPixel)
{
    std::vector<std::uint8_t> from(kWidth * kHeight * 2, 0x5A), to(kWidth * kHeight * 4);
    for (auto _ : state) {
        SDL_ConvertPixels(kWidth, kHeight, SDL_PIXELFORMAT_RGB565, from.data(), kWidth * 2, format, to.data(),
                          kWidth * bytesPerPixel);
        benchmark::ClobberMemory();
    }
}

void BM_SdlConvert555(benchmark::State& state) { Convert(state, SDL_PIXELFORMAT_RGB555, 2); }
void BM_SdlConvert24(benchmark::State& state) { Convert(state, SDL_PIXELFORMAT_BGR24, 3); }
void BM_SdlConvert32(benchmark::State& state) { Convert(state, SDL_PIXELFORMAT_ARGB8888, 4); }

// The five visible rows of the application list drawn into a frame of the grid's size.
void BM_FiveCatalogRows(benchmark::State& state)
{
    FormManager::GetCurrent()->SwitchPage("Game List");
    TA_DrawNextFrameIntoBuffer(g_host.data(), kWidth * 2, 2, TA_DRAW_TYPE_FULL, 1, 0);
    auto* list = FindCurrentControl<CFormReferralApplicationListControl>("Application List");
    if (!list || !list->Grid()) {
        state.SkipWithError("no application list");
        return;
    }
    ReferralApplicationGrid& grid = *list->Grid();
    CFrame target;
    target.Create(grid.GetWidth(), grid.GetHeight(), 16);
    const int rowHeight = static_cast<int>(grid.GetRowHeight());
    for (auto _ : state) {
        for (int row = 0; row < 5; ++row)
            grid.DrawCell(row, 0, &target, platform::Rect{0, row * rowHeight, grid.GetWidth(), (row + 1) * rowHeight});
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_FullCopyMode2);
BENCHMARK(BM_MemcpyFrame);
BENCHMARK(BM_FullCopyMode1);
BENCHMARK(BM_SdlConvert555);
BENCHMARK(BM_FullCopyMode3);
BENCHMARK(BM_SdlConvert24);
BENCHMARK(BM_FullCopyMode4);
BENCHMARK(BM_SdlConvert32);
BENCHMARK(BM_FullFrameMode2);
BENCHMARK(BM_FullFrameMode1);
BENCHMARK(BM_FullFrameMode3);
BENCHMARK(BM_FullFrameMode4);
BENCHMARK(BM_MinimalFrameMovingCursor);
BENCHMARK(BM_FiveCatalogRows);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With --benchmark_repetitions the fastest repetition counts: on a shared machine the others mostly
        // measure the neighbours.
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            const auto known = m_times.find(run.benchmark_name());
            const double time = run.GetAdjustedRealTime();
            if (known == m_times.end() || time < known->second) m_times[run.benchmark_name()] = time;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // The yardstick's time over ours (at least the goal is good), or ours over the reference (at most the goal).
    void PrintRatio(const char* what, const char* ours, const char* theirs, double goal, bool atMost = false) const
    {
        const auto a = m_times.find(ours), b = m_times.find(theirs);
        if (a == m_times.end() || b == m_times.end() || a->second <= 0.0 || b->second <= 0.0) return;
        const double ratio = atMost ? a->second / b->second : b->second / a->second;
        const bool met = atMost ? ratio <= goal : ratio >= goal;
        std::printf("%-52s %8.3f  (goal %s %.2f: %s)\n", what, ratio, atMost ? "at most" : "at least", goal,
                    met ? "met" : "NOT met");
    }
    double TimeOf(const char* name) const
    {
        const auto found = m_times.find(name);
        return found == m_times.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!StartSession()) {
        std::fprintf(stderr, "the menu session could not start over %s\n", VEL_BENCH_DIST_DIR);
        std::error_code ignored;
        fs::remove_all(WorkFolder(), ignored);
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf(
        "\nThe full frame's copy into the host's buffer, by time for the same bytes (yardstick's time / ours):\n");
    reporter.PrintRatio("full copy, mode 2 / memcpy", "BM_FullCopyMode2", "BM_MemcpyFrame", 0.9);
    reporter.PrintRatio("full copy, mode 1 / SDL_ConvertPixels 5-5-5", "BM_FullCopyMode1", "BM_SdlConvert555", 1.0);
    reporter.PrintRatio("full copy, mode 3 / SDL_ConvertPixels BGR24", "BM_FullCopyMode3", "BM_SdlConvert24", 1.0);
    reporter.PrintRatio("full copy, mode 4 / SDL_ConvertPixels ARGB8888", "BM_FullCopyMode4", "BM_SdlConvert32", 1.0);
    std::printf(
        "\nThe whole full frame (updating and drawing the window tree, clearing, copying, restoring), same "
        "yardsticks:\n");
    reporter.PrintRatio("whole frame, mode 2 / memcpy", "BM_FullFrameMode2", "BM_MemcpyFrame", 0.9);
    reporter.PrintRatio("whole frame, mode 1 / SDL_ConvertPixels 5-5-5", "BM_FullFrameMode1", "BM_SdlConvert555", 1.0);
    reporter.PrintRatio("whole frame, mode 3 / SDL_ConvertPixels BGR24", "BM_FullFrameMode3", "BM_SdlConvert24", 1.0);
    reporter.PrintRatio("whole frame, mode 4 / SDL_ConvertPixels ARGB8888", "BM_FullFrameMode4", "BM_SdlConvert32",
                        1.0);
    std::printf("\nShares:\n");
    reporter.PrintRatio("minimal frame, moving cursor / full frame", "BM_MinimalFrameMovingCursor", "BM_FullFrameMode2",
                        0.05, true);
    std::printf("%-52s %8.3f ms (goal under 2 ms)\n", "five catalog rows", reporter.TimeOf("BM_FiveCatalogRows") / 1e6);
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(WorkFolder(), ignored);
    return 0;
}
