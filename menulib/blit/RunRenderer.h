// The row renderers of run-encoded sources: each line of a plane is walked run by run from the destination
// column of its first pixel, runs are cut at the destination rectangle and each piece is drawn by the span
// function its table holds for the piece's length. The alpha stream of a translucent plane is walked in step:
// one byte for each literal pixel (also for pixels cut off on the left) and one for each fill run.
#pragma once
#include <cstdint>
#include <cstring>

#include "blit/SpanTables.h"
#include "frames/FrameInterface.h"
#include "frames/RunLines.h"

namespace run_renderer {

// One plane of an encoded frame: its run bytes and its line table; absent when data is null.
struct Plane {
    const std::uint8_t* data = nullptr;
    const std::uint32_t* lines = nullptr;

    explicit operator bool() const { return data && lines; }
    const std::uint8_t* Line(int y) const { return data + lines[y]; }
};

// Plane 0 to 4 of a frame.
Plane PlaneOf(const CFrameInterface& frame, int plane);

// Runs drawn by the span functions of two tables, picked by the run's length.
struct Spans {
    static constexpr bool kCopiesBytes = false;
    const SpanTable* literal;
    const SpanTable* fill;

    void Literal(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int n) const
    {
        (*literal)[n](d, s, alpha, n);
    }
    void Fill(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int n) const
    {
        (*fill)[n](d, s, alpha, n);
    }
};

// Copies length bytes with unaligned moves that stay inside [d, d + length): 16-byte moves and one last
// overlapping one, or two overlapping moves for the short lengths. Runs are short, so this beats a call.
inline void CopyRunBytes(std::uint8_t* d, const std::uint8_t* s, std::size_t length)
{
    if (length >= 16) {
        if (length <= 32) {
            std::memcpy(d, s, 16);
            std::memcpy(d + length - 16, s + length - 16, 16);
            return;
        }
        std::size_t i = 0;
        for (; i + 16 <= length; i += 16) std::memcpy(d + i, s + i, 16);
        if (i < length) std::memcpy(d + length - 16, s + length - 16, 16);
        return;
    }
    if (length >= 8) {
        std::uint64_t head, tail;
        std::memcpy(&head, s, 8);
        std::memcpy(&tail, s + length - 8, 8);
        std::memcpy(d, &head, 8);
        std::memcpy(d + length - 8, &tail, 8);
        return;
    }
    if (length >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, s, 4);
        std::memcpy(&tail, s + length - 4, 4);
        std::memcpy(d, &head, 4);
        std::memcpy(d + length - 4, &tail, 4);
        return;
    }
    if (length >= 2) {
        std::uint16_t head, tail;
        std::memcpy(&head, s, 2);
        std::memcpy(&tail, s + length - 2, 2);
        std::memcpy(d, &head, 2);
        std::memcpy(d + length - 2, &tail, 2);
        return;
    }
    if (length) *d = *s;
}

// Opaque runs of one format copied in place: what the copy and fill tables do, without an indirect call per run
// (the run lengths of a sprite change from run to run, so the call's target is hard to predict).
template <int kBytes>
struct CopySpans {
    static constexpr bool kCopiesBytes = true;  // a literal run is its bytes, copied as they stand
    static void Literal(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t*, int n)
    {
        CopyRunBytes(d, s, static_cast<std::size_t>(n) * kBytes);
    }
    static void Fill(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t*, int n)
    {
        for (int i = 0; i < n; ++i) std::memcpy(d + i * kBytes, s, kBytes);
    }
};

// One line cut to a rectangle. row is the destination line at column 0; p the destination column of the line's
// first pixel; left and right the destination rectangle's columns.
template <int kValueBytes, int kDestinationBytes, class SpansT>
void RenderLine(const std::uint8_t* run, const std::uint8_t* alpha, std::uint8_t* row, int p, int left, int right,
                const SpansT& spans)
{
    while (p < right) {
        const std::uint8_t control = *run++;
        if (control & kRunSkip) {
            p += control & kRunSkipMask;
            continue;
        }
        const bool literal = (control & kRunLiteral) != 0;
        const int stored = literal ? (control & kRunCountMask) : 1;
        const std::uint8_t* values = run;
        const std::uint8_t* alphas = alpha;
        run += stored * kValueBytes;
        if (alpha) alpha += stored;
        int start = p;
        p += control & kRunCountMask;
        if (start < left) {
            if (p <= left) continue;
            const int cut = literal ? left - start : 0;  // a fill keeps its one value and alpha byte
            values += cut * kValueBytes;
            if (alphas) alphas += cut;
            start = left;
        }
        const int end = p < right ? p : right;
        if (end <= start) continue;
        if (literal)
            spans.Literal(row + start * kDestinationBytes, values, alphas, end - start);
        else
            spans.Fill(row + start * kDestinationBytes, values, alphas, end - start);
    }
}

// One line drawn whole from its first pixel at d, cut only where a run would reach past end (a run of damaged
// data, or the frame's right edge drawn into a narrower rectangle): the common case, a sprite drawn uncut, takes
// one test per run. A run of no pixels draws nothing (entry 0 of every span table, and an empty copy).
template <int kValueBytes, int kDestinationBytes, class SpansT>
void RenderWholeLine(const std::uint8_t* run, const std::uint8_t* alpha, std::uint8_t* d, std::uint8_t* const end,
                     const SpansT& spans)
{
    while (d < end) {
        const unsigned control = *run++;
        if (control & kRunSkip) {
            d += (control & kRunSkipMask) * kDestinationBytes;
            continue;
        }
        // The cut works in bytes, so the run's length is ready early for the span's own length tests.
        const unsigned count = control & kRunCountMask;
        const std::size_t bytes = count * kDestinationBytes;
        const std::size_t room = static_cast<std::size_t>(end - d);
        std::uint8_t* const next = d + bytes;
        const std::size_t drawnBytes = bytes <= room ? bytes : room;
        const int drawn = static_cast<int>(drawnBytes / kDestinationBytes);
        if (control & kRunLiteral) [[likely]] {
            if constexpr (SpansT::kCopiesBytes) {
                static_assert(kValueBytes == kDestinationBytes);
                CopyRunBytes(d, run, drawnBytes);
            } else
                spans.Literal(d, run, alpha, drawn);
            run += count * kValueBytes;
            if (alpha) alpha += count;
        } else {
            spans.Fill(d, run, alpha, drawn);
            run += kValueBytes;
            if (alpha) ++alpha;
        }
        d = next;
    }
}

// Rows of one plane, each from the line sourceRect.top + y.
template <int kValueBytes, int kDestinationBytes, bool kClip, class SpansT>
void RenderRows(const Plane& plane, const Plane& alpha, const platform::Rect& sourceRect, CFrameInterface* destination,
                const platform::Rect& destinationRect, const SpansT& spans)
{
    // Everything a row needs is read once, so the line walk keeps its registers.
    const std::uint32_t* destinationLines = destination->GetLineOffsets() + destinationRect.top;
    std::uint8_t* const pixels = destination->GetPixels();
    const int first = destinationRect.left - sourceRect.left, left = destinationRect.left;
    const int right = destinationRect.right, height = destinationRect.Height();
    const std::uint8_t* const runs = plane.data;
    const std::uint32_t* const runLines = plane.lines + sourceRect.top;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = pixels + static_cast<std::size_t>(destinationLines[y]) * kDestinationBytes;
        const std::uint8_t* run = runs + runLines[y];
        const std::uint8_t* alphaLine = alpha ? alpha.Line(sourceRect.top + y) : nullptr;
        if constexpr (kClip)
            RenderLine<kValueBytes, kDestinationBytes>(run, alphaLine, row, first, left, right, spans);
        else
            RenderWholeLine<kValueBytes, kDestinationBytes>(run, alphaLine, row + first * kDestinationBytes,
                                                            row + right * kDestinationBytes, spans);
    }
}

// Every row of the destination rectangle from the plane's lines sourceRect.top on; alpha is the plane of the
// alpha stream (absent for planes without one). A source rectangle of whole lines takes the form without the
// left tests.
template <int kValueBytes, int kDestinationBytes, class SpansT = Spans>
void RenderPlane(const Plane& plane, const Plane& alpha, const platform::Rect& sourceRect, int sourceWidth,
                 CFrameInterface* destination, const platform::Rect& destinationRect, const SpansT& spans)
{
    if (!plane) return;
    if (sourceRect.left == 0 && sourceRect.right == sourceWidth)
        RenderRows<kValueBytes, kDestinationBytes, false>(plane, alpha, sourceRect, destination, destinationRect,
                                                          spans);
    else
        RenderRows<kValueBytes, kDestinationBytes, true>(plane, alpha, sourceRect, destination, destinationRect, spans);
}

// The plane each of the five passes A to E draws for plane type t (0 to 4): with t = 0, A gets plane 0, B plane
// 4, C plane 3, D plane 2, E plane 1; each greater t moves the planes t passes later. -1: the pass draws nothing.
int PlaneOfPass(int pass, int planeType);
constexpr int kPasses = 5;

// The five passes of an 8-bit banded frame, pass k with spans[k], in the order A to E over all rows.
template <int kDestinationBytes>
void RenderPasses(CFrameInterface* source, const platform::Rect& sourceRect, CFrameInterface* destination,
                  const platform::Rect& destinationRect, int planeType, const Spans (&spans)[kPasses])
{
    for (int pass = 0; pass < kPasses; ++pass) {
        const int plane = PlaneOfPass(pass, planeType);
        if (plane < 0) continue;
        RenderPlane<1, kDestinationBytes>(PlaneOf(*source, plane), Plane{}, sourceRect, source->GetWidth(), destination,
                                          destinationRect, spans[pass]);
    }
}

}  // namespace run_renderer
