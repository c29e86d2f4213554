#include "blit/FilteredScaler.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "blit/PixelTables.h"
#include "blit/PlainRows.h"
#include "frames/FrameProcess.h"

using platform::Rect;

float MitchellKernel(float x)
{
    const float a = std::fabs(x);
    if (a < 1.0f) return (7.0f * a * a * a - 12.0f * a * a + 16.0f / 3.0f) / 6.0f;
    if (a < 2.0f) return (-7.0f / 3.0f * a * a * a + 12.0f * a * a - 20.0f * a + 32.0f / 3.0f) / 6.0f;
    return 0.0f;
}

int MirrorTap(int j, int m)
{
    if (j < 0) j = -j;
    if (j >= m) j = 2 * m - 1 - j;
    return std::clamp(j, 0, m - 1);
}

void ScaleWeights::Build(float scale, int destinationSize, int sourceSize)
{
    if (scale == m_scale && destinationSize == m_destinationSize && sourceSize == m_sourceSize) return;
    m_scale = scale;
    m_destinationSize = destinationSize;
    m_sourceSize = sourceSize;
    ++m_builds;
    m_lists.assign(static_cast<std::size_t>(destinationSize), {});
    const bool shrinking = scale < 1.0f;
    const float step = shrinking ? 1.0f / scale : 1.0f;
    const float reach = 2.0f * step;
    for (int i = 0; i < destinationSize; ++i) {
        const float centre = shrinking ? step * static_cast<float>(i) : static_cast<float>(i) / scale;
        std::vector<ScaleTap>& list = m_lists[i];
        list.reserve(static_cast<std::size_t>(2 * reach + 1));
        for (int j = static_cast<int>(std::ceil(centre - reach)); j <= static_cast<int>(std::floor(centre + reach));
             ++j) {
            const float distance = centre - static_cast<float>(j);
            const float weight = shrinking ? scale * MitchellKernel(scale * distance) : MitchellKernel(distance);
            list.push_back({MirrorTap(j, sourceSize), weight});
        }
    }
}

namespace {

constexpr int kClampLow = -128, kClampEntries = 512;

using ClampTable = std::array<std::uint16_t, kClampEntries>;

ClampTable MakeClamp(float factor, int limit, int shift)
{
    ClampTable table{};
    for (int i = 0; i < kClampEntries; ++i) {
        const int level = static_cast<int>(static_cast<float>(i + kClampLow) * factor + 0.5f);
        table[i] = static_cast<std::uint16_t>(std::clamp(level, 0, limit) << shift);
    }
    return table;
}

const ClampTable kRed5 = MakeClamp(0.12156863f, 31, 11);
const ClampTable kGreen6 = MakeClamp(0.24705882f, 63, 5);
const ClampTable kBlue5 = MakeClamp(0.12156863f, 31, 0);

int ClampIndex(float sum)
{
    const float index = sum + 128.5f;
    if (!(index > 0.0f)) return 0;
    return std::min(static_cast<int>(index), kClampEntries - 1);
}

struct Channels {
    float r, g, b;
};

Channels Expand(std::uint16_t p)
{
    return {static_cast<float>(Red565(p)), static_cast<float>(Green565(p)), static_cast<float>(Blue565(p))};
}

std::uint16_t Pack(const Channels& sum)
{
    return static_cast<std::uint16_t>(ClampRed5(sum.r) + ClampGreen6(sum.g) + ClampBlue5(sum.b));
}

// One pass along lines: count output pixels from the input pixels at `in` (stepping inStep), by the taps.
void Filter(const std::uint16_t* in, int inStep, std::uint16_t* out, int outStep, int count,
            const ScaleWeights& weights)
{
    for (int i = 0; i < count; ++i) {
        Channels sum{0.0f, 0.0f, 0.0f};
        for (const ScaleTap& tap : weights.At(i)) {
            const Channels c = Expand(in[static_cast<std::ptrdiff_t>(tap.source) * inStep]);
            sum.r += c.r * tap.weight;
            sum.g += c.g * tap.weight;
            sum.b += c.b * tap.weight;
        }
        out[static_cast<std::ptrdiff_t>(i) * outStep] = Pack(sum);
    }
}

const std::uint16_t* Row16(const CFrameInterface& frame, int y)
{
    return reinterpret_cast<const std::uint16_t*>(frame.GetPixels()) + frame.GetLineOffsets()[y];
}

void ScaledDraw(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    const Rect source = sr.Intersected(Rect::OfSize(s->GetWidth(), s->GetHeight()));
    if (source.IsEmpty() || dr.IsEmpty()) return;
    CFrame copy, scaled;
    if (!copy.Create(source.Width(), source.Height(), 16) || !scaled.Create(dr.Width(), dr.Height(), 16)) return;
    BlitType& normal = NormalBlitType();
    const DrawFunction toCopy = normal.Lookup(s->GetBitDepth(), 0, 16, 0);
    if (!toCopy) return;
    toCopy(s, source, &copy, Rect::OfSize(source.Width(), source.Height()), &normal);
    GetFilteredScaler().Resample(copy, scaled);
    // 8-bit destinations take the scaled picture reduced to the palette with error diffusion.
    if (d->GetBitDepth() == 8) ConvertStep(true, 8).Apply(scaled);
    const DrawFunction draw = normal.Lookup(scaled.GetBitDepth(), 0, d->GetBitDepth(), 0);
    if (draw) draw(&scaled, Rect::OfSize(dr.Width(), dr.Height()), d, dr, &normal);
}

}  // namespace

std::uint16_t ClampRed5(float sum) { return kRed5[ClampIndex(sum)]; }
std::uint16_t ClampGreen6(float sum) { return kGreen6[ClampIndex(sum)]; }
std::uint16_t ClampBlue5(float sum) { return kBlue5[ClampIndex(sum)]; }

FilteredScaler::FilteredScaler() { RegisterDrawFunctions(BlitTypesUseSimd()); }

void FilteredScaler::RegisterDrawFunctions(bool)
{
    AddDrawFunction(8, 0, 8, 0, ScaledDraw);
    AddDrawFunction(16, 0, 16, 0, ScaledDraw);
}

void FilteredScaler::Resample(const CFrameInterface& source, CFrame& destination)
{
    const int sourceWidth = source.GetWidth(), sourceHeight = source.GetHeight();
    const int width = destination.GetWidth(), height = destination.GetHeight();
    if (source.GetBitDepth() != 16 || destination.GetBitDepth() != 16 || source.IsEncoded() ||
        destination.IsEncoded() || !sourceWidth || !sourceHeight || !width || !height)
        return;
    if (m_work.GetWidth() != width || m_work.GetHeight() != sourceHeight || m_work.GetBitDepth() != 16)
        if (!m_work.Create(width, sourceHeight, 16)) return;
    m_columns.Build(static_cast<float>(width) / static_cast<float>(sourceWidth), width, sourceWidth);
    for (int y = 0; y < sourceHeight; ++y)
        Filter(Row16(source, y), 1, const_cast<std::uint16_t*>(Row16(m_work, y)), 1, width, m_columns);
    m_rows.Build(static_cast<float>(height) / static_cast<float>(sourceHeight), height, sourceHeight);
    const int workPitch = m_work.GetPitch(), pitch = destination.GetPitch();
    for (int x = 0; x < width; ++x)
        Filter(Row16(m_work, 0) + x, workPitch, const_cast<std::uint16_t*>(Row16(destination, 0)) + x, pitch, height,
               m_rows);
}

FilteredScaler& GetFilteredScaler()
{
    static FilteredScaler scaler;
    return scaler;
}
