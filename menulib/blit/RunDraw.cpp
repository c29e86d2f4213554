#include "blit/RunDraw.h"

#include "blit/DrawState.h"
#include "blit/PlainRows.h"

using platform::Rect;
using run_renderer::Plane;
using run_renderer::Spans;

namespace run_renderer {

Plane PlaneOf(const CFrameInterface& frame, int plane)
{
    if (plane == 0) return Plane{frame.GetPixels(), frame.GetLineOffsets()};
    return Plane{frame.GetPlaneData(plane), frame.GetPlaneOffsets(plane)};
}

int PlaneOfPass(int pass, int planeType)
{
    static constexpr int kPlaneOrder[kPasses] = {0, 4, 3, 2, 1};
    const int slot = pass - planeType;
    return slot >= 0 && slot < kPasses ? kPlaneOrder[slot] : -1;
}

}  // namespace run_renderer

namespace run_draw {

namespace {

Spans MainSpans(int literal) { return Spans{&MainSpanTableAt(literal), &MainSpanTableAt(literal + 1)}; }
Spans ConversionSpans(int literal)
{
    return Spans{&ConversionSpanTableAt(literal), &ConversionSpanTableAt(literal + 1)};
}
Spans Spans24To32(int literal) { return Spans{&Span24To32TableAt(literal), &Span24To32TableAt(literal + 1)}; }

template <int kDestinationBytes>
void RenderBands(CFrameInterface* s, Rect sr, CFrameInterface* d, Rect dr, int planeType,
                 const Spans (&spans)[run_renderer::kPasses])
{
    if (!plain_rows::ClipDrawRects(*s, sr, *d, dr)) return;
    run_renderer::RenderPasses<kDestinationBytes>(s, sr, d, dr, planeType, spans);
}

void Alpha16To16With(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType,
                     int laneOffset)
{
    if (UseBlendRow(*blitType))
        return RenderAlphaPlanes<2, 2>(s, sr, d, dr, MainSpans(kSpanLevel565 + laneOffset),
                                       MainSpans(kSpanLevelRow565 + laneOffset));
    RenderAlphaPlanes<2, 2>(s, sr, d, dr, run_renderer::CopySpans<2>{}, MainSpans(kSpanAlpha565 + laneOffset));
}

constexpr int kLaneOffset = kSpanAlpha565Lanes - kSpanAlpha565;

}  // namespace

bool UseBlendRow(const BlitType& blitType)
{
    if (blitType.GetOpacity() == 1.0f) return false;
    draw_state::g_blendRow = draw_state::BlendRow(blitType.GetLevel());
    return true;
}

template <int kValueBytes, int kDestinationBytes, class OpaqueSpans>
void RenderAlphaPlanes(CFrameInterface* s, Rect sr, CFrameInterface* d, Rect dr, const OpaqueSpans& opaque,
                       const Spans& translucent)
{
    if (!plain_rows::ClipDrawRects(*s, sr, *d, dr)) return;
    const int width = s->GetWidth();
    run_renderer::RenderPlane<kValueBytes, kDestinationBytes>(run_renderer::PlaneOf(*s, 0), Plane{}, sr, width, d, dr,
                                                              opaque);
    // The translucent plane is drawn only with its alpha stream (frames built in memory may lack it).
    const Plane alpha = run_renderer::PlaneOf(*s, 3);
    if (alpha)
        run_renderer::RenderPlane<kValueBytes, kDestinationBytes>(run_renderer::PlaneOf(*s, 4), alpha, sr, width, d, dr,
                                                                  translucent);
}

void Bands8To8(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    draw_state::UseMixingTables();
    const Spans spans[run_renderer::kPasses] = {MainSpans(kSpanCopy8), MainSpans(kSpanMixA), MainSpans(kSpanMixB),
                                                MainSpans(kSpanMixBSwapped), MainSpans(kSpanMixASwapped)};
    RenderBands<1>(s, sr, d, dr, blitType->GetLevelValue(), spans);
}

void Bands8To16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const std::uint8_t* palette = plain_rows::SourcePalette(s, blitType);
    if (!palette) return;
    draw_state::LoadDrawPalette(palette);
    const Spans convert = ConversionSpans(kSpan8To16);
    const Spans spans[run_renderer::kPasses] = {convert, convert, convert, convert, convert};
    RenderBands<2>(s, sr, d, dr, blitType->GetLevelValue(), spans);
}

void Alpha16To16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    Alpha16To16With(s, sr, d, dr, blitType, 0);
}

void Alpha16To16Lanes(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    Alpha16To16With(s, sr, d, dr, blitType, kLaneOffset);
}

void Alpha16To24(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    UseBlendRow(*blitType);
    RenderAlphaPlanes<2, 3>(s, sr, d, dr, ConversionSpans(kSpan16To24), ConversionSpans(kSpan16To24Alpha));
}

void Alpha16To32(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    UseBlendRow(*blitType);
    RenderAlphaPlanes<2, 4>(s, sr, d, dr, ConversionSpans(kSpan16To32), ConversionSpans(kSpan16To32Alpha));
}

void Alpha24To24(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    if (UseBlendRow(*blitType))
        return RenderAlphaPlanes<3, 3>(s, sr, d, dr, MainSpans(kSpanLevel24), MainSpans(kSpanLevelRow24));
    RenderAlphaPlanes<3, 3>(s, sr, d, dr, run_renderer::CopySpans<3>{}, MainSpans(kSpanAlpha24));
}

void Alpha24To32(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    if (UseBlendRow(*blitType))
        return RenderAlphaPlanes<3, 4>(s, sr, d, dr, Spans24To32(kSpanLevel24), Spans24To32(kSpanLevelRow24));
    RenderAlphaPlanes<3, 4>(s, sr, d, dr, Spans24To32(kSpanCopy24), Spans24To32(kSpanAlpha24));
}

template void RenderAlphaPlanes<2, 2>(CFrameInterface*, Rect, CFrameInterface*, Rect, const Spans&, const Spans&);

}  // namespace run_draw
