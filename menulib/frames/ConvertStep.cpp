// The conversion step: a frame's pixels, or the values of its runs, to the chain's target depth.
#include <cstring>

#include "blit/PixelTables.h"
#include "frames/Color.h"
#include "frames/ColorTable.h"
#include "frames/Ditherer.h"
#include "frames/Frame.h"
#include "frames/FrameProcess.h"
#include "frames/RunEncoders.h"
#include "frames/RunLines.h"

namespace {

// Writes one value of `from` bytes (B, G, R[, A]) as the target's value; returns the bytes written.
using ValueConverter = void (*)(const std::uint8_t* from, std::vector<std::uint8_t>& out);

void ToIndex(const std::uint8_t* p, std::vector<std::uint8_t>& out)
{
    out.push_back(static_cast<std::uint8_t>(DefaultPalette().FindNearest(p[2], p[1], p[0], 1, 255)));
}
void To565(const std::uint8_t* p, std::vector<std::uint8_t>& out)
{
    const std::uint16_t v = PackRGB565(p[2], p[1], p[0]);
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void ToBgr(const std::uint8_t* p, std::vector<std::uint8_t>& out) { out.insert(out.end(), p, p + 3); }
void ToAlpha(const std::uint8_t* p, std::vector<std::uint8_t>& out) { out.push_back(p[3]); }

// Rewrites every line of an encoded plane with converted values. With keepControls false only the values are
// written (the alpha stream of a two-plane frame). False when a line does not cover the width.
bool RewritePlane(const CFrame& frame, int index, int valueBytes, ValueConverter convert, bool keepControls,
                  EncodedPlane& result)
{
    const std::uint8_t* data = index == 0 ? frame.GetPixels() : frame.GetPlaneData(index);
    const std::vector<std::uint32_t>& lines = frame.GetLineTable(index);
    const std::uint8_t* end = data + PlaneLength(data);
    result.bytes.assign(kPlaneLengthBytes, 0);
    result.lines.clear();
    for (std::uint32_t start : lines) {
        result.lines.push_back(static_cast<std::uint32_t>(result.bytes.size()));
        const std::uint8_t* in = data + start;
        for (int position = 0; position < frame.GetWidth();) {
            if (in >= end) return false;
            const std::uint8_t control = *in++;
            if (keepControls) result.bytes.push_back(control);
            if (control & kRunSkip) {
                position += control & kRunSkipMask;
                continue;
            }
            const int count = control & kRunCountMask;
            const int values = (control & kRunLiteral) ? count : 1;
            if (end - in < static_cast<std::ptrdiff_t>(values) * valueBytes) return false;
            for (int i = 0; i < values; ++i, in += valueBytes) convert(in, result.bytes);
            position += count;
        }
    }
    const auto length = static_cast<std::uint32_t>(result.bytes.size());
    std::memcpy(result.bytes.data(), &length, 4);
    return true;
}

bool ConvertPlane(CFrame& frame, int index, int valueBytes, ValueConverter convert, bool keepControls)
{
    if (!(index == 0 ? frame.GetPixels() : frame.GetPlaneData(index))) return true;
    EncodedPlane plane;
    if (!RewritePlane(frame, index, valueBytes, convert, keepControls, plane)) return false;
    InstallPlane(frame, index, std::move(plane));
    return true;
}

// Encoded frames: banded runs to 8 bits; two-plane runs of 32-bit values to 16 or 24 bits.
bool ConvertRuns(CFrame& frame, int target)
{
    const int valueBytes = frame.GetBytesPerPixel();
    if ((frame.GetFlags() & kFrameEncodingBands) && target == 8 && valueBytes >= 3) {
        for (int plane = 0; plane < CFrame::kPlanes; ++plane)
            if (!ConvertPlane(frame, plane, valueBytes, ToIndex, true)) return false;
        return true;
    }
    if (!(frame.GetFlags() & kFrameEncodingAlpha) || valueBytes != 4 || (target != 16 && target != 24)) return false;
    const ValueConverter convert = target == 16 ? To565 : ToBgr;
    return ConvertPlane(frame, 0, 4, convert, true) && ConvertPlane(frame, 4, 4, convert, true) &&
           ConvertPlane(frame, 3, 4, ToAlpha, false);
}

// Calls op(pixel, x) for every pixel of a plain frame in scan order.
template <typename Op>
void ForEachPixel(const CFrame& frame, Op op)
{
    const int bytes = frame.GetBytesPerPixel();
    for (int y = 0; y < frame.GetHeight(); ++y) {
        const std::uint8_t* p = frame.GetPixels() + static_cast<std::size_t>(frame.GetLineOffsets()[y]) * bytes;
        for (int x = 0; x < frame.GetWidth(); ++x, p += bytes) op(p);
    }
}

// The pixel's colour as bytes B, G, R.
void BgrOf(const std::uint8_t* p, int depth, std::uint8_t bgr[3])
{
    if (depth == 16) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        bgr[0] = Blue565(v);
        bgr[1] = Green565(v);
        bgr[2] = Red565(v);
        return;
    }
    std::memcpy(bgr, p, 3);
}

DitherColor Quantised565(const DitherColor& c)
{
    return {static_cast<int>(c.r * 31) * 0.032258064f, static_cast<int>(c.g * 63) * 0.015873017f,
            static_cast<int>(c.b * 31) * 0.032258064f};
}

std::uint8_t ByteOf(float v) { return static_cast<std::uint8_t>(v * 255.0f + 0.5f); }

// New pixels of the target's size, made from the old ones in scan order.
bool ConvertPlain(CFrame& frame, int target, bool dither)
{
    const int depth = frame.GetBitDepth();
    const bool supported =
        (target == 8 && depth >= 16) || (target == 16 && depth >= 24) || (target == 24 && depth == 32);
    if (!supported) return false;
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(frame.GetWidth()) * frame.GetHeight() * (target / 8));
    Ditherer ditherer(frame.GetWidth(), 0.5f, target == 8 ? &CurrentPalette() : nullptr, &DefaultPalette());
    ForEachPixel(frame, [&](const std::uint8_t* p) {
        std::uint8_t bgr[3];
        BgrOf(p, depth, bgr);
        if (target == 24) return ToBgr(bgr, out);
        if (target == 8 && dither)
            return out.push_back(static_cast<std::uint8_t>(ditherer.Step(bgr[2], bgr[1], bgr[0])));
        if (target == 8) return ToIndex(bgr, out);
        if (!dither) return To565(bgr, out);
        const DitherColor own{bgr[2] / 255.0f, bgr[1] / 255.0f, bgr[0] / 255.0f};
        DitherColor wanted = ditherer.TakeError(own);
        DitherColor chosen = Quantised565(wanted);
        if (ditherer.CheckJump(own, wanted)) chosen = Quantised565(wanted);
        ditherer.SpreadError(chosen, wanted);
        const std::uint8_t rounded[3] = {ByteOf(chosen.b), ByteOf(chosen.g), ByteOf(chosen.r)};
        To565(rounded, out);
    });
    const int width = frame.GetWidth(), height = frame.GetHeight();
    auto pixels = std::make_unique<std::uint8_t[]>(out.size());
    std::memcpy(pixels.get(), out.data(), out.size());
    frame.SetPlane(0, std::move(pixels), MakeLineOffsetTable(height, width));
    return true;
}

bool HasTranslucentPixel(const CFrame& frame)
{
    bool found = false;
    ForEachPixel(frame, [&](const std::uint8_t* p) { found = found || p[3] < 250; });
    return found;
}

}  // namespace

bool ConvertStep::ApplyStep(CFrame& frame, const FrameProcess&)
{
    if (!frame.GetPixels()) {
        frame.SetBitDepth(m_target);
        return true;
    }
    if (frame.GetBitDepth() == m_target) return true;
    // A 32-bit picture with see-through pixels keeps them: it stays 32-bit rather than lose its alpha.
    if (m_target == 24 && !frame.IsEncoded() && frame.GetBitDepth() == 32 && HasTranslucentPixel(frame)) return true;
    const bool converted = frame.IsEncoded() ? ConvertRuns(frame, m_target) : ConvertPlain(frame, m_target, m_dither);
    if (converted) frame.SetBitDepth(m_target);
    return true;
}
