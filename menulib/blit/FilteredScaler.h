// The filtered scaler: a blit type that draws a source rectangle into a destination rectangle of another size
// through a Mitchell-Netravali cubic filter (B = C = 1/3), in two passes over 16-bit 5-6-5 frames. Also the
// wrapped copy (a texture whose coordinates wrap at its power-of-two size, and the repaint of an encoded
// destination from it) and the tiled copy (the source repeated across the destination through "Normal").
#pragma once
#include <cstdint>
#include <vector>

#include "blit/BlitType.h"
#include "frames/Frame.h"

// One source position and its weight.
struct ScaleTap {
    std::int32_t source;
    float weight;
};

// The taps of every destination position of one axis, kept for the scale and sizes they were built for.
class ScaleWeights {
public:
    // Rebuilds the lists unless they were built for the same scale and sizes.
    void Build(float scale, int destinationSize, int sourceSize);
    const std::vector<ScaleTap>& At(int i) const { return m_lists[i]; }
    int GetBuildCount() const { return m_builds; }

private:
    float m_scale = 0.0f;
    int m_destinationSize = -1;
    int m_sourceSize = -1;
    int m_builds = 0;
    std::vector<std::vector<ScaleTap>> m_lists;
};

// The filter: (7|x|^3 - 12|x|^2 + 16/3) / 6 inside 1, (-7/3|x|^3 + 12|x|^2 - 20|x| + 32/3) / 6 inside 2, else 0.
float MitchellKernel(float x);
// A tap of the source mirrored at its edges (j < 0 reads -j, j >= m reads 2m - 1 - j) and then kept inside
// 0 .. m - 1, since one mirror step is not enough when the source is smaller than the filter's reach.
int MirrorTap(int j, int m);
// The 5-6-5 field of a channel sum of the filter: the sum is rounded and kept inside the tables' -128 .. 383.
std::uint16_t ClampRed5(float sum);
std::uint16_t ClampGreen6(float sum);
std::uint16_t ClampBlue5(float sum);

class FilteredScaler : public BlitType {
public:
    FilteredScaler();
    bool IsPlainCopy() const override { return false; }
    bool ReadsInsideSource() const override { return false; }
    void RegisterDrawFunctions(bool simd) override;

    // Fills the destination (16-bit) from the source (16-bit) at the destination's size.
    void Resample(const CFrameInterface& source, CFrame& destination);

private:
    CFrame m_work;
    ScaleWeights m_columns;
    ScaleWeights m_rows;
};

// The process-wide scaler, built on first use.
FilteredScaler& GetFilteredScaler();
// The wrapped copy: 8, 16 and 24 bits, and the repaint of a 16-bit encoded destination from a 16-bit texture.
BlitType& WrappedCopyType();
// The tiled copy of plain and encoded sources through "Normal".
BlitType& TiledCopyType();
