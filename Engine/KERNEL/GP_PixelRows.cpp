#include "GP_PixelRows.h"

#include "GP_Display.h"
#include "platform/cpu_features.h"

namespace {

std::uint32_t Half(std::uint32_t pixel, std::uint32_t mask, std::uint32_t colour)
{
    return (((pixel & mask) + colour) / 2) & mask;
}

int Get(const GP_FadeChannel& c, std::uint32_t pixel) { return static_cast<int>((pixel & c.mask) >> c.shift); }
std::uint32_t Put(const GP_FadeChannel& c, int value)
{
    return (static_cast<std::uint32_t>(value) << c.shift) & c.mask;
}

// Moves one component a step down; false when it was already below its step (it becomes 0).
bool StepDown(const GP_FadeChannel& c, int& value)
{
    value -= value > c.threshold ? c.outHigh : c.outLow;
    if (value >= 0) return true;
    value = 0;
    return false;
}

// Moves one component a step up towards its target; false when the step would pass it (it becomes the target).
bool StepUp(const GP_FadeChannel& c, int& value, int target)
{
    value += c.in;
    if (value <= target) return true;
    value = target;
    return false;
}

}  // namespace

bool GP_UseSse2Rows() { return GP_HasMMX && platform::CpuHas(platform::CpuFeature::Sse2); }

void GP_BlendRowPlain(std::uint16_t* row, int count, GP_ChannelMasks masks, GP_ChannelMasks colour)
{
    for (int i = 0; i < count; ++i) {
        const std::uint32_t p = row[i];
        row[i] = static_cast<std::uint16_t>(Half(p, masks.r, colour.r) | Half(p, masks.g, colour.g) |
                                            Half(p, masks.b, colour.b));
    }
}

void GP_DarkenRowPlain(std::uint16_t* row, int count, GP_ChannelMasks masks)
{
    for (int i = 0; i < count; ++i) {
        const std::uint32_t p = row[i];
        row[i] = static_cast<std::uint16_t>((((p & masks.r) >> 2) & masks.r) | (((p & masks.g) >> 2) & masks.g) |
                                            (((p & masks.b) >> 2) & masks.b));
    }
}

bool GP_FadeOutRowPlain(std::uint16_t* row, int count, const GP_FadeChannels& c)
{
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        int r = Get(c.r, row[i]), g = Get(c.g, row[i]), b = Get(c.b, row[i]);
        changed |= StepDown(c.r, r) | StepDown(c.g, g) | StepDown(c.b, b);
        row[i] = static_cast<std::uint16_t>(Put(c.r, r) | Put(c.g, g) | Put(c.b, b));
    }
    return changed;
}

bool GP_FadeInRowPlain(std::uint16_t* row, int count, const GP_FadeTargets& targets, const GP_FadeChannels& c)
{
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        int r = Get(c.r, row[i]), g = Get(c.g, row[i]), b = Get(c.b, row[i]);
        changed |= StepUp(c.r, r, targets.r[i]) | StepUp(c.g, g, targets.g[i]) | StepUp(c.b, b, targets.b[i]);
        row[i] = static_cast<std::uint16_t>(Put(c.r, r) | Put(c.g, g) | Put(c.b, b));
    }
    return changed;
}
