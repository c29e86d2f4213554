#include "GP_Effects.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "GP_Display.h"
#include "GP_PixelRows.h"
#include "GP_Surface.h"
#include "platform/win32_time.h"

std::uint8_t GP_TransitionsEnabled = 1;
std::uint8_t GP_MeasureNextFadeOut = 1;
std::int32_t GP_ScreenWidth = 640;
std::int32_t GP_ScreenHeight = 480;

namespace {

constexpr std::uint32_t FadeOutLimitMs = 500;

struct Component {
    std::uint32_t mask;
    int shift;
    int fadeOutHigh;  // fade-out step above the threshold
    int fadeOutLow;
    int threshold;
    int fadeIn;

    int Get(std::uint32_t pixel) const { return static_cast<int>((pixel & mask) >> shift); }
    std::uint32_t Put(int value) const { return (static_cast<std::uint32_t>(value) << shift) & mask; }
};

struct Components {
    Component r, g, b;
};

Components CurrentComponents()
{
    return Components{{GP_RMask, GP_RShift, 3, 2, 15, 3}, {GP_GMask, GP_GShift, 6, 4, 31, 6},
                      {GP_BMask, GP_BShift, 3, 2, 15, 3}};
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

// Moves one component a step down; false when it was already below its step (it becomes 0).
bool StepDown(const Component& c, int& value)
{
    value -= value > c.threshold ? c.fadeOutHigh : c.fadeOutLow;
    if (value >= 0) return true;
    value = 0;
    return false;
}

// Moves one component a step up towards its target; false when the step would pass it (it becomes the target).
bool StepUp(const Component& c, int& value, int target)
{
    value += c.fadeIn;
    if (value <= target) return true;
    value = target;
    return false;
}

template <typename PerPixel>
bool ForEachPixel(CGP_Surface* work, PerPixel perPixel)
{
    bool changed = false;
    size_t index = 0;
    for (int y = 0; y < work->height; ++y) {
        std::uint16_t* row = work->PixelRow(y);
        for (int x = 0; x < work->width; ++x, ++index) changed |= perPixel(row[x], index);
    }
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
    const Components c = CurrentComponents();
    for (bool changed = true; work && changed;) {
        if (work->Lock() != GP_SurfaceOk) break;
        changed = ForEachPixel(work.get(), [&](std::uint16_t& pixel, size_t) {
            int r = c.r.Get(pixel), g = c.g.Get(pixel), b = c.b.Get(pixel);
            const bool moved = StepDown(c.r, r) | StepDown(c.g, g) | StepDown(c.b, b);
            pixel = static_cast<std::uint16_t>(c.r.Put(r) | c.g.Put(g) | c.b.Put(b));
            return moved;
        });
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
    const Components c = CurrentComponents();
    const size_t pixels = static_cast<size_t>(work->width) * work->height;
    std::vector<std::uint16_t> targetR(pixels), targetG(pixels), targetB(pixels);
    ForEachPixel(work.get(), [&](std::uint16_t& pixel, size_t i) {
        targetR[i] = static_cast<std::uint16_t>(c.r.Get(pixel));
        targetG[i] = static_cast<std::uint16_t>(c.g.Get(pixel));
        targetB[i] = static_cast<std::uint16_t>(c.b.Get(pixel));
        pixel = 0;
        return false;
    });
    work->Unlock();
    work->BltFast(back, 0, 0, 0, 0, GP_ScreenWidth, GP_ScreenHeight);
    for (bool changed = true; changed;) {
        if (work->Lock() != GP_SurfaceOk) break;
        changed = ForEachPixel(work.get(), [&](std::uint16_t& pixel, size_t i) {
            int r = c.r.Get(pixel), g = c.g.Get(pixel), b = c.b.Get(pixel);
            const bool moved = StepUp(c.r, r, targetR[i]) | StepUp(c.g, g, targetG[i]) | StepUp(c.b, b, targetB[i]);
            pixel = static_cast<std::uint16_t>(c.r.Put(r) | c.g.Put(g) | c.b.Put(b));
            return moved;
        });
        work->Unlock();
        ShowRound(work.get(), back);
    }
}

namespace {

// The part of the rectangle that lies on the locked back buffer; false when nothing does.
bool LockedArea(int& x, int& y, int& width, int& height, CGP_Surface*& back)
{
    back = BackBuffer();
    if (!back || !back->pixels) return false;
    const int right = std::min(x + width, back->width);
    const int bottom = std::min(y + height, back->height);
    x = std::max(x, 0);
    y = std::max(y, 0);
    width = right - x;
    height = bottom - y;
    return width > 0 && height > 0;
}

GP_ChannelMasks PublishedMasks() { return GP_ChannelMasks{GP_RMask, GP_GMask, GP_BMask}; }

}  // namespace

void GP_BlendRect(int x, int y, int width, int height, std::uint16_t r, std::uint16_t g, std::uint16_t b)
{
    CGP_Surface* back = nullptr;
    if (!LockedArea(x, y, width, height, back)) return;
    const GP_ChannelMasks colour{r, g, b};
    for (int row = y; row < y + height; ++row) {
        std::uint16_t* at = back->PixelRow(row) + x;
        if (!(GP_HasMMX && GP_BlendRowSse2(at, width, PublishedMasks(), colour)))
            GP_BlendRowPlain(at, width, PublishedMasks(), colour);
    }
}

void GP_DarkenRect(int x, int y, int width, int height)
{
    CGP_Surface* back = nullptr;
    if (!LockedArea(x, y, width, height, back)) return;
    for (int row = y; row < y + height; ++row) {
        std::uint16_t* at = back->PixelRow(row) + x;
        if (!(GP_HasMMX && GP_DarkenRowSse2(at, width, PublishedMasks())))
            GP_DarkenRowPlain(at, width, PublishedMasks());
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
