// The display's hot pixel paths beside the field's yardsticks, measured in one run on a 640 x 480 5-6-5 frame:
// the opaque frame copy beside memcpy, clearing a surface beside SDL_FillRect and pixman_fill, a fade round beside
// pixman's OVER, presenting to a 32-bit window surface without a GPU beside SDL_BlitScaled, and the colour-keyed
// copy, presenting and the blend and darken rows (plain and SSE2). The run ends
// with each ratio: the yardstick's median time over ours, so 1.0 is as fast and more is faster.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "GP_Display.h"
#include "GP_PixelRows.h"
#include "GP_Surface.h"
#include "display/frame_scaler.h"
#include "platform/cpu_features.h"
#include "platform/pixel_format.h"

namespace {

constexpr int Width = 640;
constexpr int Height = 480;
constexpr int Pixels = Width * Height;
constexpr size_t FrameBytes = Pixels * sizeof(std::uint16_t);
constexpr int Repetitions = 9;

const platform::PixelFormat& Format = platform::kPixelFormat565;
const GP_ChannelMasks Masks{Format.redMask, Format.greenMask, Format.blueMask};

struct Screen {
    Screen()
    {
        display.Init();
        display.SetFullScreen(0, reinterpret_cast<HWND>(0x1000), Width, Height, 16);
        GP_PublishDisplayValues(&display);
        sprite.Create(&display, GP_SurfaceSystem, Width, Height);
        sprite.Lock();
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                sprite.PixelRow(y)[x] = (x / 8 + y / 8) % 3 ? static_cast<std::uint16_t>(x * 31 + y) : 0;
        sprite.Unlock();
        sprite.SetSourceColorKey(0);
    }
    CGP_Display display;
    CGP_Surface sprite;
};

Screen& TheScreen()
{
    static Screen screen;
    return screen;
}

// A frame with every channel value somewhere in it, the same for every benchmark that changes its frame.
std::vector<std::uint16_t> PictureFrame()
{
    std::vector<std::uint16_t> frame(Pixels);
    for (int i = 0; i < Pixels; ++i) frame[i] = static_cast<std::uint16_t>(i * 2654435761u >> 16);
    return frame;
}

void SetBytes(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FrameBytes));
}

// Runs the work on a fresh copy of the picture frame each time; the copy is not timed.
template <typename Work>
void OnFreshFrames(benchmark::State& state, Work work)
{
    const std::vector<std::uint16_t> picture = PictureFrame();
    std::vector<std::uint16_t> frame = picture;
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(frame.data(), picture.data(), FrameBytes);
        state.ResumeTiming();
        work(frame.data());
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

// --- the frame copy and its yardstick ---

// One memcpy between the same two surfaces' memory as the copy below.
void BM_MemcpyFrame(benchmark::State& state)
{
    Screen& s = TheScreen();
    CGP_Surface& back = *s.display.backSurface;
    back.Lock();
    void* to = back.pixels;
    back.Unlock();
    for (auto _ : state) {
        std::memcpy(to, s.sprite.pixels, FrameBytes);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}
BENCHMARK(BM_MemcpyFrame)->Repetitions(Repetitions);

void BM_BltFastFrame(benchmark::State& state)
{
    Screen& s = TheScreen();
    s.sprite.useColorKey = static_cast<std::uint8_t>(state.range(0));
    for (auto _ : state) s.sprite.BltFast(s.display.backSurface.get(), 0, 0, 0, 0, Width, Height);
    SetBytes(state);
}
BENCHMARK(BM_BltFastFrame)->Arg(0)->Arg(1)->ArgName("keyed")->Repetitions(Repetitions);

// --- clearing and its yardsticks; 0 is what the game clears with, 0x1234 a colour whose two bytes differ ---

void BM_ClearSurface(benchmark::State& state)
{
    Screen& s = TheScreen();
    for (auto _ : state) s.display.backSurface->Clear(static_cast<std::uint32_t>(state.range(0)));
    SetBytes(state);
}
BENCHMARK(BM_ClearSurface)->Arg(0)->Arg(0x1234)->ArgName("colour")->Repetitions(Repetitions);

void BM_SdlFillRect(benchmark::State& state)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, Width, Height, 16, SDL_PIXELFORMAT_RGB565);
    for (auto _ : state) {
        SDL_FillRect(surface, nullptr, static_cast<Uint32>(state.range(0)));
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(surface);
    SetBytes(state);
}
BENCHMARK(BM_SdlFillRect)->Arg(0)->Arg(0x1234)->ArgName("colour")->Repetitions(Repetitions);

void BM_PixmanFill(benchmark::State& state)
{
    std::vector<std::uint16_t> frame(Pixels);
    const int strideWords = Width * 2 / 4;
    for (auto _ : state) {
        pixman_fill(reinterpret_cast<std::uint32_t*>(frame.data()), strideWords, 16, 0, 0, Width, Height,
                    static_cast<std::uint32_t>(state.range(0)));
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}
BENCHMARK(BM_PixmanFill)->Arg(0)->Arg(0x1234)->ArgName("colour")->Repetitions(Repetitions);

// --- a fade round and its yardstick: pixman darkening the same frame with half-transparent black ---

void BM_PixmanOver(benchmark::State& state)
{
    const pixman_color_t halfBlack{0, 0, 0, 0x8000};
    pixman_image_t* source = pixman_image_create_solid_fill(&halfBlack);
    OnFreshFrames(state, [&](std::uint16_t* frame) {
        pixman_image_t* dest =
            pixman_image_create_bits(PIXMAN_r5g6b5, Width, Height, reinterpret_cast<std::uint32_t*>(frame), Width * 2);
        pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, dest, 0, 0, 0, 0, 0, 0, Width, Height);
        pixman_image_unref(dest);
    });
    pixman_image_unref(source);
}
BENCHMARK(BM_PixmanOver)->Repetitions(Repetitions);

GP_FadeChannels FiveSixFiveFade()
{
    return GP_FadeChannels{{Format.redMask, Format.redShift, 3, 2, 15, 3},
                           {Format.greenMask, Format.greenShift, 6, 4, 31, 6},
                           {Format.blueMask, Format.blueShift, 3, 2, 15, 3}};
}

void BM_FadeOutRound(benchmark::State& state)
{
    const bool sse2 = state.range(0) != 0;
    const GP_FadeChannels channels = FiveSixFiveFade();
    OnFreshFrames(state, [&](std::uint16_t* frame) {
        bool changed = false;
        for (int y = 0; y < Height; ++y) {
            std::uint16_t* row = frame + y * Width;
            changed |= sse2 ? GP_FadeOutRowSse2(row, Width, channels) : GP_FadeOutRowPlain(row, Width, channels);
        }
        benchmark::DoNotOptimize(changed);
    });
}
BENCHMARK(BM_FadeOutRound)->Arg(0)->Arg(1)->ArgName("sse2")->Repetitions(Repetitions);

void BM_FadeInRound(benchmark::State& state)
{
    const bool sse2 = state.range(0) != 0;
    const GP_FadeChannels channels = FiveSixFiveFade();
    const std::vector<std::uint16_t> picture = PictureFrame();
    std::vector<std::uint16_t> r(Pixels), g(Pixels), b(Pixels);
    for (int i = 0; i < Pixels; ++i) {
        r[i] = static_cast<std::uint16_t>((picture[i] & Format.redMask) >> Format.redShift);
        g[i] = static_cast<std::uint16_t>((picture[i] & Format.greenMask) >> Format.greenShift);
        b[i] = static_cast<std::uint16_t>((picture[i] & Format.blueMask) >> Format.blueShift);
    }
    OnFreshFrames(state, [&](std::uint16_t* frame) {
        bool changed = false;
        for (int y = 0; y < Height; ++y) {
            const size_t at = static_cast<size_t>(y) * Width;
            const GP_FadeTargets targets{r.data() + at, g.data() + at, b.data() + at};
            std::uint16_t* row = frame + at;
            changed |= sse2 ? GP_FadeInRowSse2(row, Width, targets, channels)
                            : GP_FadeInRowPlain(row, Width, targets, channels);
        }
        benchmark::DoNotOptimize(changed);
    });
}
BENCHMARK(BM_FadeInRound)->Arg(0)->Arg(1)->ArgName("sse2")->Repetitions(Repetitions);

// --- presenting without a GPU and its yardstick ---

// The frame converted to a 32-bit window surface and scaled into its place there, as the presenter does where
// SDL's renderer would draw on the processor, beside SDL_BlitScaled doing the same conversion and scaling.
struct WindowLikeSurface {
    explicit WindowLikeSurface(const benchmark::State& state)
        : frame(PictureFrame()),
          source(
              SDL_CreateRGBSurfaceWithFormatFrom(frame.data(), Width, Height, 16, Width * 2, SDL_PIXELFORMAT_RGB565)),
          window(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                                32, SDL_PIXELFORMAT_RGB888)),
          place(platform::display::FitPicture(Width, Height, window->w, window->h))
    {
    }
    ~WindowLikeSurface()
    {
        SDL_FreeSurface(window);
        SDL_FreeSurface(source);
    }
    platform::display::PixelView View() { return {frame.data(), Width * 2, Width, Height, false}; }
    platform::display::TargetPixels Target() const
    {
        const SDL_PixelFormat& f = *window->format;
        return {window->pixels, window->pitch, window->w, window->h,
                *platform::display::TargetFormatFromMasks(4, f.Rmask, f.Gmask, f.Bmask, f.Amask)};
    }

    std::vector<std::uint16_t> frame;
    SDL_Surface* source;
    SDL_Surface* window;
    platform::Rect place;
};

void SetPresentBytes(benchmark::State& state, const platform::Rect& place)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * place.Width() * place.Height() * 4);
}

void BM_PresentScaled(benchmark::State& state)
{
    WindowLikeSurface s(state);
    const platform::display::TargetPixels target = s.Target();
    platform::display::FrameScaler scaler(Width, Height, false, s.place, target.format, state.range(2) != 0);
    const platform::display::PixelView frame = s.View();
    for (auto _ : state) {
        scaler.Scale(target, frame, 0, Height);
        benchmark::ClobberMemory();
    }
    SetPresentBytes(state, s.place);
}
BENCHMARK(BM_PresentScaled)
    ->Args({1280, 960, 1})
    ->Args({1920, 1080, 1})
    ->Args({1280, 960, 0})
    ->Args({1920, 1080, 0})
    ->ArgNames({"w", "h", "sse2"})
    ->Repetitions(Repetitions);

void BM_SdlBlitScaled(benchmark::State& state)
{
    WindowLikeSurface s(state);
    SDL_Rect to{s.place.left, s.place.top, s.place.Width(), s.place.Height()};
    for (auto _ : state) {
        SDL_Rect placed = to;
        SDL_BlitScaled(s.source, nullptr, s.window, &placed);
        benchmark::ClobberMemory();
    }
    SetPresentBytes(state, s.place);
}
BENCHMARK(BM_SdlBlitScaled)->Args({1280, 960})->Args({1920, 1080})->ArgNames({"w", "h"})->Repetitions(Repetitions);

// --- the rest of the display's hot paths ---

void BM_PresentFrame(benchmark::State& state)
{
    Screen& s = TheScreen();
    for (auto _ : state) s.display.Present(1);
    SetBytes(state);
}
BENCHMARK(BM_PresentFrame);

void BM_BlendFrame(benchmark::State& state)
{
    std::vector<std::uint16_t> frame(Pixels, 0xFFFF);
    const GP_ChannelMasks colour{0x8000, 0x0400, 0x0010};
    for (auto _ : state) {
        if (state.range(0))
            GP_BlendRowSse2(frame.data(), Pixels, Masks, colour);
        else
            GP_BlendRowPlain(frame.data(), Pixels, Masks, colour);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}
BENCHMARK(BM_BlendFrame)->Arg(0)->Arg(1)->ArgName("sse2");

void BM_DarkenFrame(benchmark::State& state)
{
    std::vector<std::uint16_t> frame(Pixels, 0xFFFF);
    for (auto _ : state) {
        if (state.range(0))
            GP_DarkenRowSse2(frame.data(), Pixels, Masks);
        else
            GP_DarkenRowPlain(frame.data(), Pixels, Masks);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}
BENCHMARK(BM_DarkenFrame)->Arg(0)->Arg(1)->ArgName("sse2");

// --- the ratios ---

struct Comparison {
    const char* ours;
    const char* yardstick;
    const char* what;
    double goal;  // the least ratio wanted; 0 where there is none
};

const Comparison Comparisons[] = {
    {"BM_BltFastFrame/keyed:0", "BM_MemcpyFrame", "opaque frame copy / memcpy", 0.95},
    {"BM_ClearSurface/colour:0", "BM_SdlFillRect/colour:0", "Clear(0) / SDL_FillRect", 0.9},
    {"BM_ClearSurface/colour:4660", "BM_SdlFillRect/colour:4660", "Clear(0x1234) / SDL_FillRect", 0.9},
    {"BM_ClearSurface/colour:0", "BM_PixmanFill/colour:0", "Clear(0) / pixman_fill", 0},
    {"BM_ClearSurface/colour:4660", "BM_PixmanFill/colour:4660", "Clear(0x1234) / pixman_fill", 0},
    {"BM_FadeOutRound/sse2:1", "BM_PixmanOver", "fade-out round / pixman OVER", 1.0},
    {"BM_FadeInRound/sse2:1", "BM_PixmanOver", "fade-in round / pixman OVER", 1.0},
    {"BM_FadeOutRound/sse2:0", "BM_PixmanOver", "fade-out round, plain / pixman OVER", 0},
    {"BM_PresentScaled/w:1280/h:960/sse2:1", "BM_SdlBlitScaled/w:1280/h:960", "present 1280x960 / SDL_BlitScaled", 5.0},
    {"BM_PresentScaled/w:1920/h:1080/sse2:1", "BM_SdlBlitScaled/w:1920/h:1080", "present 1920x1080 / SDL_BlitScaled",
     4.0},
    {"BM_PresentScaled/w:1280/h:960/sse2:0", "BM_SdlBlitScaled/w:1280/h:960",
     "present 1280x960, plain / SDL_BlitScaled", 0},
    {"BM_PresentScaled/w:1920/h:1080/sse2:0", "BM_SdlBlitScaled/w:1920/h:1080",
     "present 1920x1080, plain / SDL_BlitScaled", 0},
};

// The console report, keeping the median real time of every benchmark for the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string& args = run.run_name.args;
            const std::string name = run.run_name.function_name + (args.empty() ? "" : "/" + args);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                medians[name] = run.GetAdjustedRealTime();  // a single run is its own median
        }
    }

    void PrintRatios() const
    {
        std::printf("\nSpeed against the yardsticks (their median time / ours; 1.00 is as fast):\n");
        for (const Comparison& c : Comparisons) {
            const auto ours = medians.find(c.ours);
            const auto theirs = medians.find(c.yardstick);
            if (ours == medians.end() || theirs == medians.end() || ours->second <= 0) continue;
            const double ratio = theirs->second / ours->second;
            std::printf("  %-40s %6.2f", c.what, ratio);
            if (c.goal > 0) std::printf("   (goal %.2f: %s)", c.goal, ratio >= c.goal ? "met" : "NOT met");
            std::printf("\n");
        }
    }

private:
    std::map<std::string, double> medians;
};

}  // namespace

int main(int argc, char** argv)
{
    // Repetitions of the benchmarks take turns in a random order, so that a change in the machine's load falls
    // on ours and their yardsticks alike; a flag given on the command line wins.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    argc = static_cast<int>(args.size());
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
