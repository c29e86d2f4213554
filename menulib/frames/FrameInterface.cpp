#include "frames/FrameInterface.h"

#include <cmath>

#include "blit/BlitType.h"

using platform::Rect;

IMPLEMENT_ABSTRACT_CLASS(CFrameInterface, CObject, 2.0f, nullptr)

std::uint32_t FrameFormatOf(int bits)
{
    switch (bits) {
    case 8: return kFrameFormat8;
    case 16: return kFrameFormat16;
    case 24: return kFrameFormat24;
    case 32: return kFrameFormat32;
    default: return 0;
    }
}

int BitDepthOf(std::uint32_t flags)
{
    switch (flags & kFrameFormatMask) {
    case kFrameFormat8: return 8;
    case kFrameFormat16: return 16;
    case kFrameFormat24: return 24;
    case kFrameFormat32: return 32;
    default: return 0;
    }
}

bool CFrameInterface::BlitAt(CFrameInterface* source, int x, int y, BlitType* blitType)
{
    if (!source) return false;
    const Rect bounds = source->GetBounds();
    return Blit(source, bounds, bounds.Offset(x, y), blitType ? blitType : &NormalBlitType());
}

void CFrameInterface::DrawRectOutline(const Rect& r, const Color& color)
{
    DrawLine(r.left, r.top, r.right - 1, r.top, color);
    DrawLine(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, color);
    DrawLine(r.left, r.top, r.left, r.bottom - 1, color);
    DrawLine(r.right - 1, r.top, r.right - 1, r.bottom - 1, color);
}

bool CFrameInterface::FillRectXY(int x0, int y0, int x1, int y1, const Color& color)
{
    return FillRect(Rect{x0, y0, x1, y1}, color);
}

bool CFrameInterface::RemapRectXY(int x0, int y0, int x1, int y1, const ColorTable& table)
{
    if (x1 < x0 || y1 < y0) return false;
    return RemapRect(Rect{x0, y0, x1, y1}, table);
}

bool ClipBlitRects(const Rect& clip, Rect& source, Rect& destination)
{
    if (destination.top < clip.top) {
        source.top += clip.top - destination.top;
        destination.top = clip.top;
    }
    if (destination.bottom > clip.bottom) {
        source.bottom -= destination.bottom - clip.bottom;
        destination.bottom = clip.bottom;
    }
    if (destination.bottom <= destination.top) return false;
    if (destination.left < clip.left) {
        source.left += clip.left - destination.left;
        destination.left = clip.left;
    }
    if (destination.right > clip.right) {
        source.right -= destination.right - clip.right;
        destination.right = clip.right;
    }
    return destination.right > destination.left;
}

bool IntersectRect(const Rect& clip, Rect& rect)
{
    Rect ignored = rect;
    return ClipBlitRects(clip, ignored, rect);
}

namespace {

enum Outcode : int {
    kAbove = 1,
    kRight = 2,
    kBelow = 4,
    kLeft = 8
};

template <typename T>
int OutcodeOf(const Rect& clip, T x, T y)
{
    int code = 0;
    if (y < clip.top) code |= kAbove;
    if (x >= clip.right) code |= kRight;
    if (y >= clip.bottom) code |= kBelow;
    if (x < clip.left) code |= kLeft;
    return code;
}

template <typename T>
T Clamp(T v, T lo, T hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// Moves (x, y) along the line to the first edge its outcode names, in the order top, right, bottom, left.
template <typename T>
void MoveToEdge(const Rect& clip, int code, float slope, float intercept, T& x, T& y)
{
    if (code & kAbove) {
        y = static_cast<T>(clip.top);
        x = static_cast<T>((static_cast<float>(y) - intercept) / slope);
    } else if (code & kRight) {
        x = static_cast<T>(clip.right - 1);
        y = static_cast<T>(slope * static_cast<float>(x) + intercept);
    } else if (code & kBelow) {
        y = static_cast<T>(clip.bottom - 1);
        x = static_cast<T>((static_cast<float>(y) - intercept) / slope);
    } else {
        x = static_cast<T>(clip.left);
        y = static_cast<T>(slope * static_cast<float>(x) + intercept);
    }
}

template <typename T>
bool ClipLineOf(const Rect& clip, T& x0, T& y0, T& x1, T& y1)
{
    int code0 = OutcodeOf(clip, x0, y0), code1 = OutcodeOf(clip, x1, y1);
    if ((code0 | code1) == 0) return true;
    if (code0 & code1) return false;
    if (x0 == x1 || y0 == y1) {
        const T right = static_cast<T>(clip.right - 1), bottom = static_cast<T>(clip.bottom - 1);
        x0 = Clamp(x0, static_cast<T>(clip.left), right);
        x1 = Clamp(x1, static_cast<T>(clip.left), right);
        y0 = Clamp(y0, static_cast<T>(clip.top), bottom);
        y1 = Clamp(y1, static_cast<T>(clip.top), bottom);
        return true;
    }
    const float slope = static_cast<float>(y1 - y0) / static_cast<float>(x1 - x0);
    const float intercept = static_cast<float>(y0) - slope * static_cast<float>(x0);
    // An end point may cross two edges (a corner region), so each moves until it is inside or rejected.
    for (int pass = 0; pass < 4 && (code0 | code1) != 0; ++pass) {
        if (code0) MoveToEdge(clip, code0, slope, intercept, x0, y0);
        if (code1) MoveToEdge(clip, code1, slope, intercept, x1, y1);
        code0 = OutcodeOf(clip, x0, y0);
        code1 = OutcodeOf(clip, x1, y1);
        if (code0 & code1) return false;
    }
    return (code0 | code1) == 0;
}

}  // namespace

bool ClipLine(const Rect& clip, int& x0, int& y0, int& x1, int& y1) { return ClipLineOf(clip, x0, y0, x1, y1); }

bool ClipLineF(const Rect& clip, float& x0, float& y0, float& x1, float& y1)
{
    return ClipLineOf(clip, x0, y0, x1, y1);
}
