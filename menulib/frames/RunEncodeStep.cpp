// The run-encoding step: 8- and 16-bit frames as skip runs; 24- and 32-bit frames split by alpha into the
// banded form (8-bit targets) or the two-plane form (16-bit targets).
#include <cstring>

#include "blit/BlitType.h"
#include "frames/ColorTable.h"
#include "frames/Ditherer.h"
#include "frames/Frame.h"
#include "frames/FrameProcess.h"
#include "frames/RunEncoders.h"

namespace {

struct AlphaBand {
    int low, high, plane;
};
// The bands of the banded form, the first one staying in the frame as plane 0.
constexpr AlphaBand kBands[] = {{230, 255, 0}, {179, 229, 4}, {128, 178, 3}, {77, 127, 2}, {26, 76, 1}};
constexpr AlphaBand kOpaqueBand{251, 255, 0};
constexpr AlphaBand kTranslucentBand{6, 250, 4};

// Calls op(pixel) for every pixel of a plain 32-bit frame, in scan order.
template <typename Op>
void ForEachPixel(CFrame& frame, Op op)
{
    for (int y = 0; y < frame.GetHeight(); ++y) {
        std::uint8_t* p = frame.GetPixels() + static_cast<std::size_t>(frame.GetLineOffsets()[y]) * 4;
        for (int x = 0; x < frame.GetWidth(); ++x, p += 4) op(p);
    }
}

// A copy of the frame's pixels whose alpha lies in the band, the others zero; true when any pixel is kept.
bool TakeBand(CFrame& frame, const AlphaBand& band, CFrame& into)
{
    into.CopyFrom(&frame);
    bool any = false;
    ForEachPixel(into, [&](std::uint8_t* p) {
        const bool inside = p[3] >= band.low && p[3] <= band.high;
        if (!inside) std::memset(p, 0, 4);
        any = any || inside;
    });
    return any;
}

void KeepBand(CFrame& frame, const AlphaBand& band)
{
    ForEachPixel(frame, [&](std::uint8_t* p) {
        if (p[3] < band.low || p[3] > band.high) std::memset(p, 0, 4);
    });
}

void DitherToPalette(CFrame& frame)
{
    Ditherer ditherer(frame.GetWidth(), 0.5f, &CurrentPalette(), &DefaultPalette());
    ForEachPixel(frame, [&](std::uint8_t* p) {
        const int index = ditherer.Step(p[2], p[1], p[0]);
        if (p[3] == 0) return;
        CurrentPalette().GetPaletteEntry(index, p[2], p[1], p[0]);
    });
}

// Error diffusion toward 5-6-5: R and B cut to 31 levels and G to 63, without a palette.
void DitherTo565(CFrame& frame, float threshold)
{
    Ditherer ditherer(frame.GetWidth(), threshold, nullptr, nullptr);
    const auto quantise = [](const DitherColor& c) {
        return DitherColor{static_cast<int>(c.r * 31) * 0.032258064f, static_cast<int>(c.g * 63) * 0.015873017f,
                           static_cast<int>(c.b * 31) * 0.032258064f};
    };
    ForEachPixel(frame, [&](std::uint8_t* p) {
        const DitherColor own{p[2] / 255.0f, p[1] / 255.0f, p[0] / 255.0f};
        DitherColor wanted = ditherer.TakeError(own);
        DitherColor chosen = quantise(wanted);
        if (ditherer.CheckJump(own, wanted)) chosen = quantise(wanted);
        ditherer.SpreadError(chosen, wanted);
        if (p[3] == 0) return;
        p[2] = static_cast<std::uint8_t>(chosen.r * 255.0f + 0.5f);
        p[1] = static_cast<std::uint8_t>(chosen.g * 255.0f + 0.5f);
        p[0] = static_cast<std::uint8_t>(chosen.b * 255.0f + 0.5f);
    });
}

bool ConversionDithers(const FrameProcess& chain)
{
    auto* convert = dynamic_cast<const ConvertStep*>(chain.FindStep(FrameProcess::kConvert));
    return convert && convert->Dithers();
}

void CountSaved(const CFrame& frame, const EncodedPlane& plane)
{
    AddRunSavedBytes(static_cast<long long>(frame.GetWidth()) * frame.GetHeight() * 4 -
                     static_cast<long long>(plane.bytes.size()));
}

bool EncodeBanded(CFrame& frame, const FrameProcess& chain)
{
    CFrame bands[4];
    bool present[4];
    for (int i = 0; i < 4; ++i) present[i] = TakeBand(frame, kBands[i + 1], bands[i]);
    KeepBand(frame, kBands[0]);
    if (ConversionDithers(chain)) DitherToPalette(frame);
    EncodedPlane opaque = EncodePlane(frame, EncodeLineIndexed);
    CountSaved(frame, opaque);
    InstallPlane(frame, 0, std::move(opaque));
    for (int i = 0; i < 4; ++i)
        if (present[i]) InstallPlane(frame, kBands[i + 1].plane, EncodePlane(bands[i], EncodeLineIndexed));
    frame.SetEncoding(kFrameEncodingBands);
    return true;
}

bool EncodeTwoPlane(CFrame& frame, const FrameProcess& chain)
{
    CFrame translucent;
    const bool anyTranslucent = TakeBand(frame, kTranslucentBand, translucent);
    KeepBand(frame, kOpaqueBand);
    if (ConversionDithers(chain)) DitherTo565(frame, 100.8f);
    EncodedPlane opaque = EncodePlane(frame, EncodeLine565);
    CountSaved(frame, opaque);
    if (anyTranslucent) {
        InstallPlane(frame, 4, EncodePlane(translucent, EncodeLine565));
        InstallPlane(frame, 3, EncodePlane(translucent, EncodeLine565));
    }
    InstallPlane(frame, 0, std::move(opaque));
    frame.SetEncoding(kFrameEncodingAlpha);
    return true;
}

bool EncodeLines(CFrame& frame, LineEncoder encoder, std::uint32_t encoding)
{
    EncodedPlane plane = EncodePlane(frame, encoder);
    AddRunSavedBytes(static_cast<long long>(frame.GetWidth()) * frame.GetHeight() * frame.GetBytesPerPixel() -
                     static_cast<long long>(plane.bytes.size()));
    InstallPlane(frame, 0, std::move(plane));
    frame.SetEncoding(encoding);
    return true;
}

void WidenTo32(CFrame& frame)
{
    CFrame wide;
    if (!wide.Create(frame.GetWidth(), frame.GetHeight(), 32)) return;
    wide.BlitAt(&frame, -frame.GetOriginX(), -frame.GetOriginY(), &NormalBlitType());
    const int x = frame.GetOriginX(), y = frame.GetOriginY();
    frame.CopyFrom(&wide);
    frame.SetOrigin(x, y);
}

}  // namespace

bool RunEncodeStep::ApplyStep(CFrame& frame, const FrameProcess& chain)
{
    if (!frame.GetPixels()) return true;
    if (frame.IsEncoded()) return false;
    switch (frame.GetBitDepth()) {
    case 8: return EncodeLines(frame, EncodeSkipRun8, kFrameEncodingBands);
    case 16: return EncodeLines(frame, EncodeSkipRun16, kFrameEncodingAlpha);
    case 24: WidenTo32(frame); break;
    default: break;
    }
    if (frame.GetBitDepth() != 32) return false;
    // The chain's target decides the form: 8-bit targets always take the banded form (no blit type draws
    // two-plane runs of 8-bit values), 16-bit targets the two-plane form, whatever mode the step was made with.
    const int target = chain.GetTargetBitDepth();
    if (target == 8) return EncodeBanded(frame, chain);
    if (target == 16) return EncodeTwoPlane(frame, chain);
    return true;  // other targets keep plain 32-bit pixels for the conversion
}
