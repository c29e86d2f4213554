// The frames' hot paths: the translucent 16-bit fill (plain and vector) against memset of the same bytes, a warm
// load from the converted ".frm" against a cold one from the ".Frame" cache, and the inverse 5-6-5 palette against
// the time of one displayed frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

#include "foundation/CFileBuf.h"
#include "foundation/FileFlags.h"
#include "foundation/FileFunctions.h"
#include "foundation/FileState.h"
#include "frames/ColorTable.h"
#include "frames/Frame.h"
#include "platform/cpu_features.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr double kFrameSeconds = 1.0 / 60.0;

// Seconds per memset of the bytes of a 640 x 480 16-bit frame, measured once.
double MemsetSeconds()
{
    static const double seconds = [] {
        std::vector<std::uint8_t> bytes(kWidth * kHeight * 2);
        constexpr int kRounds = 200;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kRounds; ++i) {
            std::memset(bytes.data(), i, bytes.size());
            benchmark::DoNotOptimize(bytes.data());
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRounds;
    }();
    return seconds;
}

void TranslucentFill(benchmark::State& state, bool vector)
{
    platform::OverrideCpuFeature(platform::CpuFeature::Mmx, vector);
    CFrame frame;
    frame.Create(kWidth, kHeight, 16);
    const Color colour = MakeColor(40, 90, 200, 100);
    const platform::Rect all = platform::Rect::OfSize(kWidth, kHeight);
    for (auto _ : state) {
        frame.FillRect(all, colour);
        benchmark::DoNotOptimize(frame.GetPixels());
    }
    platform::OverrideCpuFeature(platform::CpuFeature::Mmx, std::nullopt);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
    state.counters["memset_ratio"] = benchmark::Counter(static_cast<double>(state.iterations()) * MemsetSeconds(),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FillRect16AlphaPlain(benchmark::State& state) { TranslucentFill(state, false); }
void BM_FillRect16AlphaSimd(benchmark::State& state) { TranslucentFill(state, true); }
void BM_MemsetSameBytes(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes(kWidth * kHeight * 2);
    for (auto _ : state) {
        std::memset(bytes.data(), 0x5A, bytes.size());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

// A folder with the ".Frame" cache of a 256 x 256 picture with soft edges.
struct LoadFolder {
    std::filesystem::path root = std::filesystem::temp_directory_path() / "vel-frames-bench";
    LoadFolder()
    {
        std::filesystem::create_directories(root / "Cache" / "ui");
        CFrame picture;
        picture.Create(256, 256, 32);
        std::mt19937 random(5);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const int edge = std::min({x, y, 255 - x, 255 - y});
                picture.SetPixel(x, y, MakeColor(x, y, static_cast<int>(random() & 0x3F), std::min(edge * 8, 255)));
            }
        CMemoryFileBuf stream;
        const std::int32_t hotSpot[2] = {0, 0};
        stream.Write(hotSpot, sizeof hotSpot);
        picture.WriteFrameCache(stream, 65, false);
        const std::string path = (root / "Cache" / "ui" / "panel.Frame").string();
        WriteDiskFileAtomically(path.c_str(), kFileAbsolute, stream.GetData(), stream.Size());
        FileState().baseFolder = root.string().c_str();
    }
    ~LoadFolder() { std::filesystem::remove_all(root); }
    std::string Converted() const { return (root / "Cache" / "ui" / "-panel.frm16").string(); }
};

void BM_LoadCold(benchmark::State& state)
{
    LoadFolder folder;
    SetDisplayBitDepth(16);
    for (auto _ : state) {
        std::filesystem::remove(folder.Converted());
        CFrame frame;
        benchmark::DoNotOptimize(frame.Load("/ui/", "panel", nullptr, 1, 0));
    }
}

void BM_LoadWarm(benchmark::State& state)
{
    LoadFolder folder;
    SetDisplayBitDepth(16);
    CFrame first;
    first.Load("/ui/", "panel", nullptr, 1, 0);
    for (auto _ : state) {
        CFrame frame;
        benchmark::DoNotOptimize(frame.Load("/ui/", "panel", nullptr, 1, 0));
    }
}

void BM_BuildInverse565(benchmark::State& state)
{
    ColorTable palette;
    FillStandardPalette(palette);
    ColorTable inverse;
    for (auto _ : state) {
        inverse.BuildInverse565(palette);
        benchmark::DoNotOptimize(inverse.GetData());
    }
    // How many displayed frames (at 60 a second) one rebuild takes.
    state.counters["frames_at_60Hz"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds,
                                                          benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_MemsetSameBytes);
BENCHMARK(BM_FillRect16AlphaPlain);
BENCHMARK(BM_FillRect16AlphaSimd);
BENCHMARK(BM_LoadCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildInverse565)->Unit(benchmark::kMillisecond);
