// The processing steps that take no parameters: hot spot, alpha floor, black bias, dark cut, crop,
// un-premultiply and the palette from the image.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "blit/BlitType.h"
#include "frames/ColorHistogram.h"
#include "frames/ColorTable.h"
#include "frames/Frame.h"
#include "frames/FrameProcess.h"

namespace {

using StepFunction = bool (*)(CFrame& frame, const FrameProcess& chain);

class SimpleStep : public FrameProcess {
public:
    SimpleStep(int type, StepFunction function) : FrameProcess(type), m_function(function) {}

protected:
    bool ApplyStep(CFrame& frame, const FrameProcess& chain) override { return m_function(frame, chain); }
    std::unique_ptr<FrameProcess> Clone() const override { return std::make_unique<SimpleStep>(GetType(), m_function); }

private:
    StepFunction m_function;
};

bool IsPlain32(const CFrame& frame) { return frame.GetPixels() && frame.GetBitDepth() == 32 && !frame.IsEncoded(); }

// Calls op(pixel) for every pixel of a plain frame.
template <typename Op>
void ForEachPixel(CFrame& frame, Op op)
{
    const int bytes = frame.GetBytesPerPixel();
    for (int y = 0; y < frame.GetHeight(); ++y) {
        std::uint8_t* p = frame.GetPixels() + static_cast<std::size_t>(frame.GetLineOffsets()[y]) * bytes;
        for (int x = 0; x < frame.GetWidth(); ++x, p += bytes) op(p);
    }
}

bool CenterHotSpot(CFrame& frame, const FrameProcess&)
{
    frame.MoveOrigin(-(frame.GetWidth() >> 1), -(frame.GetHeight() >> 1));
    return true;
}

constexpr int kAlphaFloorLevel = 5;  // round(0.019607844 x 255)
constexpr int kDarkCutLevel = 15;
constexpr int kBlackBiasLevel = 40;

bool AlphaFloor(CFrame& frame, const FrameProcess&)
{
    if (!IsPlain32(frame)) return false;
    ForEachPixel(frame, [](std::uint8_t* p) {
        if (p[3] < kAlphaFloorLevel) p[3] = 0;
    });
    return true;
}

bool DarkCut(CFrame& frame, const FrameProcess&)
{
    if (!IsPlain32(frame)) return false;
    ForEachPixel(frame, [](std::uint8_t* p) {
        if (std::max({p[0], p[1], p[2]}) < kDarkCutLevel) std::memset(p, 0, 4);
    });
    return true;
}

bool IsDarkEntry(int index)
{
    std::uint8_t r, g, b;
    CurrentPalette().GetPaletteEntry(index, r, g, b);
    return std::max({r, g, b}) < kBlackBiasLevel;
}

bool BlackBias(CFrame& frame, const FrameProcess& chain)
{
    if (!frame.GetPixels() || frame.IsEncoded()) return false;
    const int depth = frame.GetBitDepth();
    if (chain.GetTargetBitDepth() == 8) {
        if (depth == 8)
            ForEachPixel(frame, [](std::uint8_t* p) {
                if (p[0] && IsDarkEntry(p[0])) p[0] = 0;
            });
        else if (depth == 24 || depth == 32)
            ForEachPixel(frame, [depth](std::uint8_t* p) {
                if (std::max({p[0], p[1], p[2]}) < kBlackBiasLevel) std::memset(p, 0, depth / 8);
            });
        return true;
    }
    if (depth == 24) {
        CFrame widened;
        if (!widened.Create(frame.GetWidth(), frame.GetHeight(), 32)) return false;
        widened.BlitAt(&frame, -frame.GetOriginX(), -frame.GetOriginY(), &NormalBlitType());
        const int x = frame.GetOriginX(), y = frame.GetOriginY();
        frame.CopyFrom(&widened);
        frame.SetOrigin(x, y);
    }
    if (!IsPlain32(frame)) return false;
    ForEachPixel(frame, [](std::uint8_t* p) {
        if (p[3] > kAlphaFloorLevel) p[3] = std::max({p[0], p[1], p[2]});
    });
    return true;
}

bool Crop(CFrame& frame, const FrameProcess&)
{
    if (!frame.GetPixels() || frame.IsEncoded()) return frame.GetPixels() == nullptr;
    const int x = frame.GetOriginX(), y = frame.GetOriginY();
    frame.SetOrigin(0, 0);
    const platform::Rect drawn = frame.GetOpaqueBounds();
    if (drawn.IsEmpty()) {
        frame.FreePixels();
        return true;
    }
    CFrame part;
    if (!part.Create(drawn.Width(), drawn.Height(), frame.GetBitDepth())) return false;
    part.Blit(&frame, drawn, platform::Rect::OfSize(drawn.Width(), drawn.Height()), &NormalBlitType());
    frame.CopyFrom(&part);
    frame.SetOrigin(x + drawn.left, y + drawn.top);
    return true;
}

bool Unpremultiply(CFrame& frame, const FrameProcess&)
{
    if (!IsPlain32(frame)) return false;
    ForEachPixel(frame, [](std::uint8_t* p) {
        const int a = p[3];
        if (a == 0 || a == 255) return;
        float f = a * 0.003921569f;
        for (int c : {2, 1, 0})
            if (p[c] / f > 255.0f) f = p[c] * 0.003921569f;
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(std::min(static_cast<int>(p[c] / f + 0.5f), 255));
    });
    return true;
}

bool PaletteFromImage(CFrame& frame, const FrameProcess&)
{
    ColorHistogram histogram;
    histogram.AddFrame(frame);
    ColorTable palette;
    if (!palette.MakePaletteFromHistogram(histogram, 254, 1)) return false;
    frame.SetPalette(palette);
    return true;
}

}  // namespace

std::unique_ptr<FrameProcess> MakeSimpleStep(int type)
{
    switch (type) {
    case FrameProcess::kCenterHotSpot: return std::make_unique<SimpleStep>(type, CenterHotSpot);
    case FrameProcess::kAlphaFloor: return std::make_unique<SimpleStep>(type, AlphaFloor);
    case FrameProcess::kBlackBias: return std::make_unique<SimpleStep>(type, BlackBias);
    case FrameProcess::kDarkCut: return std::make_unique<SimpleStep>(type, DarkCut);
    case FrameProcess::kCrop: return std::make_unique<SimpleStep>(type, Crop);
    case FrameProcess::kUnpremultiply: return std::make_unique<SimpleStep>(type, Unpremultiply);
    case FrameProcess::kPaletteFromImage: return std::make_unique<SimpleStep>(type, PaletteFromImage);
    default: return nullptr;
    }
}
