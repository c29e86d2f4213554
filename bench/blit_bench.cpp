// The menu library's blit engine against the field's own libraries, measured side by side on the same 640 x 480
// 5-6-5 data: a full-frame copy against memcpy, a 64 x 64 colour-keyed sprite (plain colour key and run-encoded)
// against SDL_BlitSurface with a colour key and with RLE acceleration, a constant-opacity blend of a full frame
// against pixman's OVER, and the copy of the dirty-cell grid's changed cells against a row-by-row memcpy of the
// same cells, by time for the same job. SDL2 and pixman serve as yardsticks only. After the run the ratios are
// printed.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "blit/BlitType.h"
#include "frames/DirtyRectFrame.h"
#include "frames/Frame.h"
#include "frames/RunEncoders.h"

using platform::Rect;

namespace {

constexpr int kWidth = 640, kHeight = 480, kPixels = kWidth * kHeight;
constexpr int kSprite = 64;
constexpr int kSpriteDraws = 64;  // sprites drawn per iteration, spread over the frame

void Fill565(CFrame& frame, std::uint32_t seed)
{
    std::mt19937 random(seed);
    auto* p = reinterpret_cast<std::uint16_t*>(frame.GetPixels());
    for (int i = 0; i < frame.GetWidth() * frame.GetHeight(); ++i) p[i] = static_cast<std::uint16_t>(random() | 1);
}

// A sprite of real shapes, about half transparent (pixel 0): a ring, a blob and thin strokes.
void DrawSprite(CFrame& sprite)
{
    sprite.Create(kSprite, kSprite, 16);
    auto* p = reinterpret_cast<std::uint16_t*>(sprite.GetPixels());
    for (int y = 0; y < kSprite; ++y) {
        for (int x = 0; x < kSprite; ++x) {
            const double dx = x - 31.5, dy = y - 31.5, r = std::sqrt(dx * dx + dy * dy);
            const bool ring = r > 14.0 && r < 31.0 && !(r > 20.0 && r < 23.0);
            const bool spoke = (x + y) % 16 < 2 && r < 31.0;
            p[y * kSprite + x] = ring || spoke ? static_cast<std::uint16_t>(0x8000 | (x * 997 + y * 31)) : 0;
        }
    }
}

int SpriteX(int i) { return (i * 97) % (kWidth - kSprite); }
int SpriteY(int i) { return (i * 61) % (kHeight - kSprite); }

struct Frames {
    CFrame screen, picture, sprite, runSprite;
    Frames()
    {
        screen.Create(kWidth, kHeight, 16);
        picture.Create(kWidth, kHeight, 16);
        Fill565(screen, 1);
        Fill565(picture, 2);
        DrawSprite(sprite);
        DrawSprite(runSprite);
        InstallPlane(runSprite, 0, EncodePlane(runSprite, EncodeSkipRun16));
        runSprite.SetEncoding(kFrameEncodingAlpha);
    }
};

Frames& Data()
{
    static Frames frames;
    return frames;
}

void CountPixels(benchmark::State& state, std::int64_t pixelsPerIteration)
{
    state.counters["Mpixel/s"] = benchmark::Counter(static_cast<double>(state.iterations() * pixelsPerIteration) / 1e6,
                                                    benchmark::Counter::kIsRate);
}

// Full-frame copy.
void BM_CopyOurs(benchmark::State& state)
{
    Frames& f = Data();
    for (auto _ : state) {
        f.screen.Blit(&f.picture, Rect::OfSize(kWidth, kHeight), Rect::OfSize(kWidth, kHeight), &NormalBlitType());
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}
void BM_CopyMemcpy(benchmark::State& state)
{
    Frames& f = Data();
    for (auto _ : state) {
        std::memcpy(f.screen.GetPixels(), f.picture.GetPixels(), kPixels * 2);
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}

// Colour-keyed sprites.
void BM_SpriteKeyOurs(benchmark::State& state)
{
    Frames& f = Data();
    for (auto _ : state)
        for (int i = 0; i < kSpriteDraws; ++i)
            f.screen.BlitAt(&f.sprite, SpriteX(i), SpriteY(i), &TransparentMaskBlitType());
    CountPixels(state, kSprite * kSprite * kSpriteDraws);
}
void BM_SpriteRunsOurs(benchmark::State& state)
{
    Frames& f = Data();
    for (auto _ : state)
        for (int i = 0; i < kSpriteDraws; ++i) f.screen.BlitAt(&f.runSprite, SpriteX(i), SpriteY(i), &NormalBlitType());
    CountPixels(state, kSprite * kSprite * kSpriteDraws);
}

struct SdlSurfaces {
    SDL_Surface* screen;
    SDL_Surface* sprite;
    SdlSurfaces(bool rle)
    {
        Frames& f = Data();
        screen = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 16, SDL_PIXELFORMAT_RGB565);
        sprite = SDL_CreateRGBSurfaceWithFormat(0, kSprite, kSprite, 16, SDL_PIXELFORMAT_RGB565);
        for (int y = 0; y < kSprite; ++y)
            std::memcpy(static_cast<std::uint8_t*>(sprite->pixels) + y * sprite->pitch,
                        f.sprite.GetPixels() + y * kSprite * 2, kSprite * 2);
        SDL_SetColorKey(sprite, SDL_TRUE, 0);
        if (rle) SDL_SetSurfaceRLE(sprite, 1);
    }
    ~SdlSurfaces()
    {
        SDL_FreeSurface(sprite);
        SDL_FreeSurface(screen);
    }
};

void SdlSprites(benchmark::State& state, bool rle)
{
    SdlSurfaces s(rle);
    for (auto _ : state) {
        for (int i = 0; i < kSpriteDraws; ++i) {
            SDL_Rect at{SpriteX(i), SpriteY(i), kSprite, kSprite};
            SDL_BlitSurface(s.sprite, nullptr, s.screen, &at);
        }
    }
    CountPixels(state, kSprite * kSprite * kSpriteDraws);
}
void BM_SpriteKeySdl(benchmark::State& state) { SdlSprites(state, false); }
void BM_SpriteRleSdl(benchmark::State& state) { SdlSprites(state, true); }

// Constant-opacity blends of a full frame.
void BM_BlendOurs(benchmark::State& state)
{
    Frames& f = Data();
    NormalBlitType().SetOpacity(0.5f);
    for (auto _ : state) {
        f.screen.Blit(&f.picture, Rect::OfSize(kWidth, kHeight), Rect::OfSize(kWidth, kHeight), &NormalBlitType());
        benchmark::ClobberMemory();
    }
    NormalBlitType().SetOpacity(1.0f);
    CountPixels(state, kPixels);
}
void BM_BlendPixman(benchmark::State& state)
{
    Frames& f = Data();
    pixman_image_t* source = pixman_image_create_bits(
        PIXMAN_r5g6b5, kWidth, kHeight, reinterpret_cast<std::uint32_t*>(f.picture.GetPixels()), kWidth * 2);
    pixman_image_t* destination = pixman_image_create_bits(
        PIXMAN_r5g6b5, kWidth, kHeight, reinterpret_cast<std::uint32_t*>(f.screen.GetPixels()), kWidth * 2);
    const pixman_color_t half{0, 0, 0, 0x8080};
    pixman_image_t* mask = pixman_image_create_solid_fill(&half);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, destination, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(mask);
    pixman_image_unref(destination);
    pixman_image_unref(source);
    CountPixels(state, kPixels);
}

// The changed cells of the dirty-cell grid copied into a host buffer: a moving 32 x 32 cursor and a few
// scattered changes. The job of a frame is to make the host equal to the back buffer again: the cells drawn this
// frame and the cells copied the frame before (where the sprites were; the back buffer has been restored there).
struct DirtyScene {
    CDirtyRectFrame back;
    CFrame host;
    CFrame scratch;           // where the yardstick's scene sends ours, to keep the grids going
    DirtyGrid lastDrawn;      // the drawn grid of the frame before
    std::vector<Rect> cells;  // the yardstick's job: every dirty cell of this frame and the one before

    DirtyScene()
    {
        back.SetHistoryCount(1);
        back.Create(kWidth, kHeight, 16);
        back.SetSource(&Data().picture);
        host.Create(kWidth, kHeight, 16);
        scratch.Create(kWidth, kHeight, 16);
        lastDrawn.Resize(kWidth, kHeight);
        for (int i = 0; i < 2; ++i) {
            back.CopyDirtyInto(host, 0, 0, &NormalBlitType());
            back.Clear();
        }
    }
    void Draw(int frame)
    {
        for (int i = 0; i < 12; ++i)
            back.BlitAt(&Data().sprite, SpriteX(i + frame), SpriteY(i * 3 + frame), &TransparentMaskBlitType());
    }
    // Every dirty cell's extent on its own, in pixels, of the drawn grid and the one drawn before.
    void ListCells()
    {
        DirtyGrid both = back.GetDrawnGrid();
        both.Merge(lastDrawn);
        cells.clear();
        for (int row = 0; row < both.GetRows(); ++row)
            for (int column = 0; column < both.GetColumns(); ++column) {
                const DirtyCell* c = both.GetCell(column, row);
                const int x = column * DirtyGrid::kCellSize, y = row * DirtyGrid::kCellSize;
                if (c->dirty) cells.push_back(Rect{x + c->x0, y + c->y0, x + c->x1, y + c->y1});
            }
    }
    void CopyCellsByRows()
    {
        for (const Rect& r : cells)
            for (int y = r.top; y < r.bottom; ++y)
                std::memcpy(host.GetPixels() + (y * kWidth + r.left) * 2, back.GetPixels() + (y * kWidth + r.left) * 2,
                            static_cast<std::size_t>(r.Width()) * 2);
    }
    bool HostIsBack() const { return std::memcmp(host.GetPixels(), back.GetPixels(), kPixels * 2) == 0; }
};

// Each iteration times a batch of frames, one frame in each of the scenes, copied back to back; the drawing
// before and the restoring after are outside the clock. Every so many batches the hosts are checked to equal
// their back buffers.
constexpr int kScenes = 8;
constexpr int kBatchesBetweenChecks = 64;

template <typename Prepare, typename Copy, typename Finish>
void TimeDirtyCopies(benchmark::State& state, Prepare prepare, Copy copy, Finish finish)
{
    std::vector<std::unique_ptr<DirtyScene>> scenes;
    for (int i = 0; i < kScenes; ++i) scenes.push_back(std::make_unique<DirtyScene>());
    int frame = 0;
    std::int64_t batches = 0;
    for (auto _ : state) {
        for (int i = 0; i < kScenes; ++i) {
            scenes[i]->Draw(frame + i * 5);
            prepare(*scenes[i]);
        }
        ++frame;
        const auto start = std::chrono::steady_clock::now();
        for (auto& scene : scenes) copy(*scene);
        benchmark::ClobberMemory();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (batches++ % kBatchesBetweenChecks == 0)
            for (auto& scene : scenes)
                if (!scene->HostIsBack()) state.SkipWithError("the host differs from the back buffer");
        for (auto& scene : scenes) {
            finish(*scene);
            scene->back.Clear();
        }
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kScenes, benchmark::Counter::kIsRate);
}

void BM_DirtyCopyOurs(benchmark::State& state)
{
    TimeDirtyCopies(
        state, [](DirtyScene&) {},
        [](DirtyScene& scene) { scene.back.CopyDirtyInto(scene.host, 0, 0, &NormalBlitType()); }, [](DirtyScene&) {});
}

void BM_DirtyCopyMemcpy(benchmark::State& state)
{
    TimeDirtyCopies(
        state, [](DirtyScene& scene) { scene.ListCells(); }, [](DirtyScene& scene) { scene.CopyCellsByRows(); },
        [](DirtyScene& scene) {
            scene.lastDrawn = scene.back.GetDrawnGrid();
            scene.back.CopyDirtyInto(scene.scratch, 0, 0, &NormalBlitType());
        });
}

BENCHMARK(BM_CopyOurs);
BENCHMARK(BM_CopyMemcpy);
BENCHMARK(BM_SpriteKeyOurs);
BENCHMARK(BM_SpriteRunsOurs);
BENCHMARK(BM_SpriteKeySdl);
BENCHMARK(BM_SpriteRleSdl);
BENCHMARK(BM_BlendOurs);
BENCHMARK(BM_BlendPixman);
BENCHMARK(BM_DirtyCopyOurs)->UseManualTime();
BENCHMARK(BM_DirtyCopyMemcpy)->UseManualTime();

// Keeps each benchmark's Mpixel/s for the ratios printed after the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
            const auto found = run.counters.find("Mpixel/s");
            if (found != run.counters.end()) m_rates[run.benchmark_name()] = found->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatio(const char* what, const char* ours, const char* theirs, double goal) const
    {
        const auto a = m_rates.find(ours), b = m_rates.find(theirs);
        if (a == m_rates.end() || b == m_rates.end() || b->second <= 0.0) return;
        const double ratio = a->second / b->second;
        std::printf("%-44s %8.2f  (goal %.2f: %s)\n", what, ratio, goal, ratio >= goal ? "met" : "NOT met");
    }

    // For the same job on both sides: the yardstick's time over ours.
    void PrintTimeRatio(const char* what, const char* ours, const char* theirs, double goal) const
    {
        const auto a = m_times.find(ours), b = m_times.find(theirs);
        if (a == m_times.end() || b == m_times.end() || a->second <= 0.0) return;
        const double ratio = b->second / a->second;
        std::printf("%-44s %8.2f  (goal %.2f: %s)\n", what, ratio, goal, ratio >= goal ? "met" : "NOT met");
    }

private:
    std::map<std::string, double> m_rates;
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (ours / yardstick, Mpixel/s):\n");
    reporter.PrintRatio("full-frame copy / memcpy", "BM_CopyOurs", "BM_CopyMemcpy", 0.9);
    reporter.PrintRatio("colour-keyed sprite / SDL colour key", "BM_SpriteKeyOurs", "BM_SpriteKeySdl", 1.5);
    reporter.PrintRatio("run-encoded sprite / SDL RLE", "BM_SpriteRunsOurs", "BM_SpriteRleSdl", 1.0);
    reporter.PrintRatio("constant-opacity blend / pixman OVER", "BM_BlendOurs", "BM_BlendPixman", 2.0);
    std::printf("\nRatio by time for the same job (yardstick's time / ours):\n");
    reporter.PrintTimeRatio("dirty cells copy / row-by-row memcpy", "BM_DirtyCopyOurs/manual_time",
                            "BM_DirtyCopyMemcpy/manual_time", 1.0);
    benchmark::Shutdown();
    return 0;
}
