#include "frames/RunEncoders.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "frames/Color.h"
#include "frames/ColorTable.h"
#include "frames/Frame.h"
#include "frames/RunLines.h"

namespace {

int g_fillThreshold = 8;
long long g_savedBytes = 0;

// How one kind of line is encoded: the pixel size, which pixels are transparent and which are equal.
struct LineRules {
    int bytes;
    bool (*transparent)(const std::uint8_t* p);
    bool (*equal)(const std::uint8_t* a, const std::uint8_t* b);
};

bool AlphaZero(const std::uint8_t* p) { return p[3] == 0; }
bool Zero8(const std::uint8_t* p) { return p[0] == 0; }
bool Zero16(const std::uint8_t* p) { return (p[0] | p[1]) == 0; }
bool Same8(const std::uint8_t* a, const std::uint8_t* b) { return a[0] == b[0]; }
bool Same16(const std::uint8_t* a, const std::uint8_t* b) { return a[0] == b[0] && a[1] == b[1]; }

int IndexOf(const std::uint8_t* p) { return DefaultPalette().FindNearest(p[2], p[1], p[0], 1, 255); }
bool SameIndex(const std::uint8_t* a, const std::uint8_t* b)
{
    return std::memcmp(a, b, 3) == 0 || IndexOf(a) == IndexOf(b);
}
bool Same565(const std::uint8_t* a, const std::uint8_t* b)
{
    return PackRGB565(a[2], a[1], a[0]) == PackRGB565(b[2], b[1], b[0]) && (a[3] >> 3) == (b[3] >> 3);
}
bool SameIndexAndAlpha(const std::uint8_t* a, const std::uint8_t* b)
{
    return (a[3] >> 3) == (b[3] >> 3) && SameIndex(a, b);
}

constexpr LineRules kIndexed{4, AlphaZero, SameIndex};
constexpr LineRules kIndexedAlpha{4, AlphaZero, SameIndexAndAlpha};
constexpr LineRules k565{4, AlphaZero, Same565};
constexpr LineRules kSkip8{1, Zero8, Same8};
constexpr LineRules kSkip16{2, Zero16, Same16};

// The equal pixels from x on (x itself included), at most limit.
int EqualRun(const LineRules& rules, const std::uint8_t* line, int x, int limit)
{
    const std::uint8_t* first = line + x * rules.bytes;
    int n = 1;
    while (n < limit && rules.equal(first, line + (x + n) * rules.bytes)) ++n;
    return n;
}

void EncodeLine(const LineRules& rules, const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out)
{
    const auto pixel = [&](int i) { return line + i * rules.bytes; };
    while (x < width) {
        int skip = 0;
        while (x + skip < width && skip < kMaxSkipRun && rules.transparent(pixel(x + skip))) ++skip;
        if (skip > 0) {
            out.push_back(static_cast<std::uint8_t>(kRunSkip | skip));
            x += skip;
            continue;
        }
        int spanEnd = x;
        while (spanEnd < width && !rules.transparent(pixel(spanEnd))) ++spanEnd;
        const int equal = EqualRun(rules, line, x, std::min(kMaxValueRun, spanEnd - x));
        if (equal > g_fillThreshold) {
            out.push_back(static_cast<std::uint8_t>(equal));
            out.insert(out.end(), pixel(x), pixel(x) + rules.bytes);
            x += equal;
            continue;
        }
        int n = 1;
        while (n < kMaxValueRun && x + n < spanEnd &&
               EqualRun(rules, line, x + n, std::min(kMaxValueRun, spanEnd - x - n)) <= g_fillThreshold)
            ++n;
        out.push_back(static_cast<std::uint8_t>(kRunLiteral | n));
        out.insert(out.end(), pixel(x), pixel(x + n));
        x += n;
    }
}

void StoreLength(std::vector<std::uint8_t>& bytes)
{
    const auto length = static_cast<std::uint32_t>(bytes.size());
    std::memcpy(bytes.data(), &length, 4);
}

void EncodeLineIndexedAlpha(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out)
{
    EncodeLine(kIndexedAlpha, line, x, width, out);
}

bool EncodeWhole(CFrame& frame, LineEncoder encoder, std::uint32_t encoding)
{
    if (!frame.GetPixels() || frame.IsEncoded() || frame.GetBitDepth() != 32) return false;
    EncodedPlane plane = EncodePlane(frame, encoder);
    AddRunSavedBytes(static_cast<long long>(frame.GetWidth()) * frame.GetHeight() * 4 -
                     static_cast<long long>(plane.bytes.size()));
    frame.SetEncoding(encoding);
    InstallPlane(frame, 0, std::move(plane));
    return true;
}

}  // namespace

void SetRunFillThreshold(int threshold) { g_fillThreshold = threshold; }
int GetRunFillThreshold() { return g_fillThreshold; }
long long GetRunSavedBytes() { return g_savedBytes; }
void AddRunSavedBytes(long long bytes) { g_savedBytes += bytes; }

void EncodeLineIndexed(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out)
{
    EncodeLine(kIndexed, line, x, width, out);
}
void EncodeLineIndexedB(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out)
{
    EncodeLine(kIndexed, line, x, width, out);
}
void EncodeLine565(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out)
{
    EncodeLine(k565, line, x, width, out);
}
void EncodeSkipRun8(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out)
{
    EncodeLine(kSkip8, line, x, width, out);
}
void EncodeSkipRun16(const std::uint8_t* line, int& x, int width, std::vector<std::uint8_t>& out)
{
    EncodeLine(kSkip16, line, x, width, out);
}

EncodedPlane EncodePlane(const CFrame& frame, LineEncoder encoder)
{
    EncodedPlane plane;
    plane.bytes.assign(kPlaneLengthBytes, 0);
    for (int y = 0; y < frame.GetHeight(); ++y) {
        plane.lines.push_back(static_cast<std::uint32_t>(plane.bytes.size()));
        const std::uint8_t* line =
            frame.GetPixels() + static_cast<std::size_t>(frame.GetLineOffsets()[y]) * frame.GetBytesPerPixel();
        int x = 0;
        encoder(line, x, frame.GetWidth(), plane.bytes);
    }
    StoreLength(plane.bytes);
    return plane;
}

void InstallPlane(CFrame& frame, int index, EncodedPlane plane)
{
    auto data = std::make_unique<std::uint8_t[]>(plane.bytes.size());
    std::memcpy(data.get(), plane.bytes.data(), plane.bytes.size());
    frame.SetPlane(index, std::move(data), std::move(plane.lines));
}

bool EncodeRunsIndexed(CFrame& frame) { return EncodeWhole(frame, EncodeLineIndexed, kFrameEncodingBands); }
bool EncodeRunsIndexedAlpha(CFrame& frame) { return EncodeWhole(frame, EncodeLineIndexedAlpha, kFrameEncodingAlpha); }
bool EncodeRuns565Alpha(CFrame& frame) { return EncodeWhole(frame, EncodeLine565, kFrameEncodingAlpha); }
