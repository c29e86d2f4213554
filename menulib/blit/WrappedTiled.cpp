// The wrapped copy (a texture read with its coordinates wrapped at its power-of-two width and height, and the
// repaint of an encoded 16-bit destination from such a texture) and the tiled copy (the source frame repeated
// across the destination rectangle, each tile drawn through "Normal").
#include "blit/FilteredScaler.h"
#include "blit/PlainRows.h"
#include "frames/RunLines.h"

using platform::Rect;
using namespace plain_rows;

namespace {

// Destination pixel (x, y) of the rectangle takes texture pixel ((sr.left + x - dr.left) & wrap width, (sr.top
// + y - dr.top) & wrap height); the texture's log2 sizes round down, so the masks stay inside its pixels.
template <int kBytes>
void WrappedCopy(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    Rect destination = dr.Intersected(Rect::OfSize(d->GetWidth(), d->GetHeight()));
    if (destination.IsEmpty() || !s->GetPixels() || !s->GetWidth() || !s->GetHeight() || !d->GetPixels()) return;
    const int columnMask = (1 << s->GetLog2Width()) - 1, rowMask = (1 << s->GetLog2Height()) - 1;
    const int firstColumn = sr.left + destination.left - dr.left, firstRow = sr.top + destination.top - dr.top;
    for (int y = destination.top; y < destination.bottom; ++y) {
        const std::uint8_t* texture =
            s->GetPixels() +
            static_cast<std::size_t>(s->GetLineOffsets()[(firstRow + y - destination.top) & rowMask]) * kBytes;
        std::uint8_t* to =
            d->GetPixels() + (static_cast<std::size_t>(d->GetLineOffsets()[y]) + destination.left) * kBytes;
        for (int x = 0; x < destination.Width(); ++x, to += kBytes)
            std::memcpy(to, texture + static_cast<std::size_t>((firstColumn + x) & columnMask) * kBytes, kBytes);
    }
}

// Walks one line of run data up to the width, giving every literal pixel and every fill value the texture pixel
// of its column (a fill takes its first column's); control bytes and skipped pixels stay.
void RepaintLine(std::uint8_t* run, const std::uint8_t* end, int width, const std::uint8_t* texture, int columnMask,
                 int sourceLeft)
{
    for (int x = 0; x < width && run < end;) {
        const std::uint8_t control = *run++;
        if (control & kRunSkip) {
            x += control & kRunSkipMask;
            continue;
        }
        const int n = control & kRunCountMask;
        const int values = (control & kRunLiteral) ? n : 1;
        for (int i = 0; i < values && run + 2 <= end; ++i, run += 2)
            std::memcpy(run, texture + 2 * ((x + i + sourceLeft) & columnMask), 2);
        x += n;
    }
}

// 16 to (16 kind 4): the destination's run structure is kept; the destination rectangle is not used.
void RepaintEncoded(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect&, BlitType*)
{
    if (!s->GetPixels() || !s->GetWidth() || !s->GetHeight()) return;
    const int columnMask = (1 << s->GetLog2Width()) - 1, rowMask = (1 << s->GetLog2Height()) - 1;
    for (int plane : {0, 4}) {
        std::uint8_t* data = plane == 0 ? d->GetPixels() : d->GetPlaneData(plane);
        const std::uint32_t* lines = plane == 0 ? d->GetLineOffsets() : d->GetPlaneOffsets(plane);
        if (!data || !lines) continue;
        const std::uint8_t* end = data + PlaneLength(data);
        for (int i = 0; i < d->GetHeight(); ++i) {
            const std::uint8_t* texture =
                s->GetPixels() + 2 * static_cast<std::size_t>(s->GetLineOffsets()[(i + sr.top) & rowMask]);
            RepaintLine(data + lines[i], end, d->GetWidth(), texture, columnMask, sr.left);
        }
    }
}

struct WrappedCopyBlit : BlitType {
    WrappedCopyBlit() { RegisterDrawFunctions(false); }
    bool ReadsInsideSource() const override { return false; }
    void RegisterDrawFunctions(bool) override
    {
        AddDrawFunction(8, 0, 8, 0, WrappedCopy<1>);
        AddDrawFunction(16, 0, 16, 0, WrappedCopy<2>);
        AddDrawFunction(24, 0, 24, 0, WrappedCopy<3>);
        AddDrawFunction(16, 0, 16, kFrameEncodingAlpha, RepaintEncoded);
    }
};

// The first tile position of an axis: tiles start at -(source offset), but whole tiles that lie before the
// rectangle are stepped over at once, so a far offset costs nothing.
int FirstTile(int offset, int size) { return offset > 0 ? -(offset % size) : -offset; }

// Each tile (dr.left + x, dr.top + y, w, h) clipped to the rectangle with the source's bounds moved alike, drawn
// through the destination's own drawing (so frames that track changes see it) with "Normal". A source of zero
// width or height draws nothing.
void TiledCopy(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    const Rect bounds = s->GetBounds();
    const int w = bounds.Width(), h = bounds.Height();
    if (w <= 0 || h <= 0 || dr.IsEmpty()) return;
    BlitType& normal = NormalBlitType();
    auto* frame = dynamic_cast<CFrame*>(d);
    for (int y = FirstTile(sr.top, h); y < dr.Height(); y += h) {
        for (int x = FirstTile(sr.left, w); x < dr.Width(); x += w) {
            Rect tile = Rect::At(dr.left + x, dr.top + y, w, h), source = Rect::OfSize(w, h);
            if (!ClipBlitRects(dr, source, tile)) continue;
            if (frame) {
                frame->DrawWithBlitType(s, source, tile, &normal);
            } else if (DrawFunction draw = normal.FindDrawFunction(*s, *d)) {
                draw(s, source, d, tile, &normal);
            }
        }
    }
}

struct TiledCopyBlit : BlitType {
    TiledCopyBlit() { RegisterDrawFunctions(false); }
    bool ReadsInsideSource() const override { return false; }
    void RegisterDrawFunctions(bool) override
    {
        AddDrawFunction(8, 0, 8, 0, TiledCopy);
        AddDrawFunction(16, 0, 16, 0, TiledCopy);
        AddDrawFunction(24, 0, 24, 0, TiledCopy);
        AddDrawFunction(8, kFrameEncodingAlpha, 8, 0, TiledCopy);
        AddDrawFunction(16, kFrameEncodingAlpha, 16, 0, TiledCopy);
        AddDrawFunction(24, kFrameEncodingAlpha, 24, 0, TiledCopy);
    }
};

}  // namespace

BlitType& WrappedCopyType()
{
    static WrappedCopyBlit type;
    return type;
}

BlitType& TiledCopyType()
{
    static TiledCopyBlit type;
    return type;
}
