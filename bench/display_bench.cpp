// The display's hot pixel paths: the colour-keyed sprite copy, presenting one frame, and the blend and darken
// effects (plain and SSE2), each beside memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "GP_Display.h"
#include "GP_PixelRows.h"
#include "GP_Surface.h"

namespace {

struct Screen {
    Screen()
    {
        display.Init();
        display.SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16);
        GP_PublishDisplayValues(&display);
        sprite.Create(&display, GP_SurfaceSystem, 640, 480);
        sprite.Lock();
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) sprite.PixelRow(y)[x] = (x / 8 + y / 8) % 3 ? static_cast<std::uint16_t>(x * 31 + y) : 0;
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

constexpr size_t FrameBytes = 640 * 480 * 2;

void SetBytes(benchmark::State& state) { state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * FrameBytes)); }

void BM_MemcpyFrame(benchmark::State& state)
{
    std::vector<std::uint16_t> from(640 * 480, 1), to(640 * 480);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), FrameBytes);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}
BENCHMARK(BM_MemcpyFrame);

void BM_BltFastFrame(benchmark::State& state)
{
    Screen& s = TheScreen();
    s.sprite.useColorKey = static_cast<std::uint8_t>(state.range(0));
    for (auto _ : state) s.sprite.BltFast(s.display.backSurface.get(), 0, 0, 0, 0, 640, 480);
    SetBytes(state);
}
BENCHMARK(BM_BltFastFrame)->Arg(0)->Arg(1)->ArgName("keyed");

void BM_PresentFrame(benchmark::State& state)
{
    Screen& s = TheScreen();
    for (auto _ : state) s.display.Present(1);
    SetBytes(state);
}
BENCHMARK(BM_PresentFrame);

void BM_BlendFrame(benchmark::State& state)
{
    std::vector<std::uint16_t> frame(640 * 480, 0xFFFF);
    const GP_ChannelMasks masks{0xF800, 0x07E0, 0x001F}, colour{0x8000, 0x0400, 0x0010};
    for (auto _ : state) {
        if (state.range(0))
            GP_BlendRowSse2(frame.data(), 640 * 480, masks, colour);
        else
            GP_BlendRowPlain(frame.data(), 640 * 480, masks, colour);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}
BENCHMARK(BM_BlendFrame)->Arg(0)->Arg(1)->ArgName("sse2");

void BM_DarkenFrame(benchmark::State& state)
{
    std::vector<std::uint16_t> frame(640 * 480, 0xFFFF);
    const GP_ChannelMasks masks{0xF800, 0x07E0, 0x001F};
    for (auto _ : state) {
        if (state.range(0))
            GP_DarkenRowSse2(frame.data(), 640 * 480, masks);
        else
            GP_DarkenRowPlain(frame.data(), 640 * 480, masks);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}
BENCHMARK(BM_DarkenFrame)->Arg(0)->Arg(1)->ArgName("sse2");

}  // namespace
