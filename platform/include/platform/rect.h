// A rectangle of pixels as a value: left and top inside, right and bottom outside, as Windows rectangles are.
// Blits and fills clip once with it, return early when the result is empty, then walk flat rows.
#pragma once
#include <algorithm>

#include "platform/win32_base.h"

namespace platform {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    static constexpr Rect OfSize(int width, int height) { return {0, 0, width, height}; }
    static constexpr Rect From(const RECT& r)
    {
        return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                static_cast<int>(r.bottom)};
    }

    constexpr RECT ToRECT() const { return RECT{left, top, right, bottom}; }
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    // Whether every pixel of `inner` lies inside; an empty rectangle lies inside everything.
    constexpr bool Contains(const Rect& inner) const
    {
        return inner.IsEmpty() ||
               (inner.left >= left && inner.top >= top && inner.right <= right && inner.bottom <= bottom);
    }
    // The common part; an empty rectangle where there is none.
    constexpr Rect Intersected(const Rect& other) const
    {
        const Rect common{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                          std::min(bottom, other.bottom)};
        return common.IsEmpty() ? Rect{} : common;
    }
    constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }

    constexpr bool operator==(const Rect&) const = default;
};

}  // namespace platform
