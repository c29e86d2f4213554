// The draw functions of run-encoded sources, shared by the blit types that register them.
#pragma once
#include "blit/BlitType.h"
#include "blit/RunRenderer.h"

namespace run_draw {

// (8 kind 2) to 8: the five passes through the 8-bit copy and mixing tables; plane type = the level value.
void Bands8To8(CFrameInterface* s, const platform::Rect& sr, CFrameInterface* d, const platform::Rect& dr,
               BlitType* blitType);
// (8 kind 2) to 16: every pass through the palette's 5-6-5 pixels, no blending.
void Bands8To16(CFrameInterface* s, const platform::Rect& sr, CFrameInterface* d, const platform::Rect& dr,
                BlitType* blitType);
// (16 kind 4) to 16, plane 4 weighted by its alpha bytes; below opacity 1 plane 0 by the level and plane 4 by the
// level row. The lanes form runs groups of four pixels through the four-lane tables.
void Alpha16To16(CFrameInterface* s, const platform::Rect& sr, CFrameInterface* d, const platform::Rect& dr,
                 BlitType* blitType);
void Alpha16To16Lanes(CFrameInterface* s, const platform::Rect& sr, CFrameInterface* d, const platform::Rect& dr,
                      BlitType* blitType);
// (16 kind 4) to 24: both planes expanded, plane 4's alpha stepped over but not applied. To 32: plane 0 with
// alpha 255, plane 4 with its alpha byte as the fourth byte.
void Alpha16To24(CFrameInterface* s, const platform::Rect& sr, CFrameInterface* d, const platform::Rect& dr,
                 BlitType* blitType);
void Alpha16To32(CFrameInterface* s, const platform::Rect& sr, CFrameInterface* d, const platform::Rect& dr,
                 BlitType* blitType);
// (24 kind 4) to 24 and 32: plane 0 copied, plane 4 blended by its alpha; below opacity 1 by the level and the
// level row. On 32 bits the copies set the fourth byte to 255 and the blends keep it.
void Alpha24To24(CFrameInterface* s, const platform::Rect& sr, CFrameInterface* d, const platform::Rect& dr,
                 BlitType* blitType);
void Alpha24To32(CFrameInterface* s, const platform::Rect& sr, CFrameInterface* d, const platform::Rect& dr,
                 BlitType* blitType);

// The opaque plane (0) and the translucent plane (4, alpha stream in plane 3; left out without it) of a kind-4
// frame with the given spans; the rectangles are clipped first.
template <int kValueBytes, int kDestinationBytes, class OpaqueSpans = run_renderer::Spans>
void RenderAlphaPlanes(CFrameInterface* s, platform::Rect sr, CFrameInterface* d, platform::Rect dr,
                       const OpaqueSpans& opaque, const run_renderer::Spans& translucent);

// Sets the current blend row when the opacity is not 1.0; whether it is.
bool UseBlendRow(const BlitType& blitType);

}  // namespace run_draw
