#include "GP_Effects.h"

#include <memory>
#include <vector>

#include "GP_Display.h"
#include "GP_PixelRows.h"
#include "GP_Surface.h"
#include "platform/rect.h"
#include "platform/win32_time.h"

std::uint8_t GP_TransitionsEnabled = 1;
std::uint8_t GP_MeasureNextFadeOut = 1;
std::int32_t GP_ScreenWidth = 640;
std::int32_t GP_ScreenHeight = 480;

using platform::Rect;

namespace {

constexpr std::uint32_t FadeOutLimitMs = 500;

GP_FadeChannels CurrentChannels()
{
    return GP_FadeChannels{
        {GP_RMask, GP_RShift, 3, 2, 15, 3}, {GP_GMask, GP_GShift, 6, 4, 31, 6}, {GP_BMask, GP_BShift, 3, 2, 15, 3}};
}

CGP_Surface* BackBuffer() { return GP_DisplayPtr ? GP_DisplayPtr->backSurface.get() : nullptr; }

// A screen-sized copy of the back buffer to fade in; null when it cannot be made.
std::unique_ptr<CGP_Surface> CopyOfBackBuffer(CGP_Surface* back)
{
    auto copy = std::make_unique<CGP_Surface>();
    if (copy->Create(GP_DisplayPtr, GP_Is565 ? GP_SurfaceVideoOrSystem : GP_SurfaceSystem, GP_ScreenWidth,
                     GP_ScreenHeight) != 0)
        return nullptr;
    back->BltFast(copy.get(), 0, 0, 0, 0, GP_ScreenWidth, GP_ScreenHeight);
    return copy;
}

void ShowRound(CGP_Surface* work, CGP_Surface* back)
{
    work->BltFast(back, 0, 0, 0, 0, GP_ScreenWidth, GP_ScreenHeight);
    GP_DisplayPtr->Present(1);
}

// One round over the locked surface, row by row; true when some row changed.
template <typename RowRound>
bool RoundOverRows(CGP_Surface* work, RowRound round)
{
    bool changed = false;
    for (int y = 0; y < work->height; ++y) changed |= round(work->PixelRow(y), y);
    return changed;
}

}  // namespace

void GP_FadeOut()
{
    if (!GP_TransitionsEnabled) return;
    CGP_Surface* back = BackBuffer();
    if (!back) return;
    const std::uint32_t start = GP_MeasureNextFadeOut ? timeGetTime() : 0;
    std::unique_ptr<CGP_Surface> work = CopyOfBackBuffer(back);
    const GP_FadeChannels c = CurrentChannels();
    const auto fadeRow = GP_UseSse2Rows() ? &GP_FadeOutRowSse2 : &GP_FadeOutRowPlain;
    for (bool changed = true; work && changed;) {
        if (work->Lock() != GP_SurfaceOk) break;
        changed = RoundOverRows(work.get(), [&](std::uint16_t* row, int) { return fadeRow(row, work->width, c); });
        work->Unlock();
        ShowRound(work.get(), back);
    }
    work.reset();
    if (GP_MeasureNextFadeOut && timeGetTime() - start > FadeOutLimitMs) GP_TransitionsEnabled = 0;
    GP_MeasureNextFadeOut = 0;
}

void GP_FadeIn()
{
    if (!GP_TransitionsEnabled) return;
    CGP_Surface* back = BackBuffer();
    if (!back) return;
    std::unique_ptr<CGP_Surface> work = CopyOfBackBuffer(back);
    if (!work || work->Lock() != GP_SurfaceOk) return;
    const GP_FadeChannels c = CurrentChannels();
    const int width = work->width;
    const size_t pixels = static_cast<size_t>(width) * work->height;
    std::vector<std::uint16_t> targetR(pixels), targetG(pixels), targetB(pixels);
    // The picture becomes the targets, and the surface starts black.
    RoundOverRows(work.get(), [&](std::uint16_t* row, int y) {
        const size_t at = static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            targetR[at + x] = static_cast<std::uint16_t>((row[x] & c.r.mask) >> c.r.shift);
            targetG[at + x] = static_cast<std::uint16_t>((row[x] & c.g.mask) >> c.g.shift);
            targetB[at + x] = static_cast<std::uint16_t>((row[x] & c.b.mask) >> c.b.shift);
            row[x] = 0;
        }
        return false;
    });
    work->Unlock();
    work->BltFast(back, 0, 0, 0, 0, GP_ScreenWidth, GP_ScreenHeight);
    const auto fadeRow = GP_UseSse2Rows() ? &GP_FadeInRowSse2 : &GP_FadeInRowPlain;
    for (bool changed = true; changed;) {
        if (work->Lock() != GP_SurfaceOk) break;
        changed = RoundOverRows(work.get(), [&](std::uint16_t* row, int y) {
            const size_t at = static_cast<size_t>(y) * width;
            return fadeRow(row, width, GP_FadeTargets{&targetR[at], &targetG[at], &targetB[at]}, c);
        });
        work->Unlock();
        ShowRound(work.get(), back);
    }
}

namespace {

// The part of the rectangle that lies on the locked back buffer; empty when nothing does.
Rect LockedArea(int x, int y, int width, int height, CGP_Surface*& back)
{
    back = BackBuffer();
    if (!back || !back->pixels) return Rect{};
    return Rect::At(x, y, width, height).Intersected(Rect::OfSize(back->width, back->height));
}

GP_ChannelMasks PublishedMasks() { return GP_ChannelMasks{GP_RMask, GP_GMask, GP_BMask}; }

}  // namespace

void GP_BlendRect(int x, int y, int width, int height, std::uint16_t r, std::uint16_t g, std::uint16_t b)
{
    CGP_Surface* back = nullptr;
    const Rect area = LockedArea(x, y, width, height, back);
    if (area.IsEmpty()) return;
    const GP_ChannelMasks masks = PublishedMasks(), colour{r, g, b};
    const bool sse2 = GP_UseSse2Rows();
    for (int row = area.top; row < area.bottom; ++row) {
        std::uint16_t* at = back->PixelRow(row) + area.left;
        if (!(sse2 && GP_BlendRowSse2(at, area.Width(), masks, colour)))
            GP_BlendRowPlain(at, area.Width(), masks, colour);
    }
}

void GP_DarkenRect(int x, int y, int width, int height)
{
    CGP_Surface* back = nullptr;
    const Rect area = LockedArea(x, y, width, height, back);
    if (area.IsEmpty()) return;
    const GP_ChannelMasks masks = PublishedMasks();
    const bool sse2 = GP_UseSse2Rows();
    for (int row = area.top; row < area.bottom; ++row) {
        std::uint16_t* at = back->PixelRow(row) + area.left;
        if (!(sse2 && GP_DarkenRowSse2(at, area.Width(), masks))) GP_DarkenRowPlain(at, area.Width(), masks);
    }
}

GP_PixelMask* GP_BuildMask(CGP_SurfaceFrames* frames)
{
    GP_SurfaceFrame* first = frames ? frames->Get(0) : nullptr;
    CGP_Surface* surface = first ? first->surface : nullptr;
    if (!surface || surface->Lock() != 0 || !surface->pixels) return nullptr;
    const size_t count = static_cast<size_t>(surface->width) * surface->height;
    auto* bytes = new std::uint8_t[count + 1]();
    size_t i = 0;
    for (int y = 0; y < surface->height; ++y) {
        const std::uint16_t* row = surface->PixelRow(y);
        for (int x = 0; x < surface->width; ++x) bytes[i++] = row[x] != 0;
    }
    surface->Unlock();
    return new GP_PixelMask(bytes, frames);
}
