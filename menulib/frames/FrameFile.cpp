#include "frames/FrameFile.h"

#include <cstring>
#include <memory>
#include <vector>

#include "foundation/CFileBuf.h"
#include "foundation/FatalMessage.h"
#include "frames/Frame.h"
#include "frames/RunLines.h"

namespace {

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<std::uint32_t>(p[3]) << 24;
}
void Put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The run planes of an encoded frame and what their values hold.
bool IsRunPlane(std::uint32_t flags, int plane) { return (flags & kFrameEncodingBands) || plane == 0 || plane == 4; }

// Whether a plane and its line table cover the frame the header describes.
bool PlaneCoversFrame(const FrameFileHeader& h, int plane, const std::uint8_t* data,
                      const std::vector<std::uint32_t>& lines, const std::vector<int>& alphaBytes)
{
    const std::uint32_t size = h.planeSizes[plane];
    const int bits = BitDepthOf(h.flags);
    if (!(h.flags & kFrameEncodingMask)) {
        // Plane 0 holds the pixels; a plane 4 of a plain frame one alpha byte a pixel. Clearing, filling and the
        // whole-frame copy take line y at y x pitch, with a pitch of at least the width, all inside the plane.
        const int bytes = plane == 0 ? bits / 8 : 1;
        const std::uint64_t pitch = h.height >= 2 ? lines[1] : h.width;
        if (pitch < h.width || pitch * h.height * bytes > size) return false;
        for (int y = 0; y < h.height; ++y)
            if (lines[y] != pitch * y) return false;
        return true;
    }
    // The run data starts with its own byte length.
    if (size < 4 || PlaneLength(data) != size) return false;
    for (int y = 0; y < h.height; ++y) {
        if (!IsRunPlane(h.flags, plane)) {
            // An alpha stream: a line without translucent pixels may start at the plane's very end.
            if (static_cast<std::uint64_t>(lines[y]) + alphaBytes[y] > size) return false;
            continue;
        }
        if (lines[y] >= size) return false;
        const std::uint8_t* next = nullptr;
        int alpha = 0;
        const int valueBytes = bits == 8 ? 1 : bits / 8;
        if (!WalkLine(data + lines[y], data + size, valueBytes, h.width, next, alpha)) return false;
    }
    return true;
}

// The header's own consistency: one format, a known encoding for it, and the planes it needs.
bool HeaderIsConsistent(const FrameFileHeader& h)
{
    const int bits = BitDepthOf(h.flags);
    const std::uint32_t encoding = h.flags & kFrameEncodingMask;
    if (bits == 0 || (h.flags & kFrameFormatMask) != FrameFormatOf(bits)) return false;
    if (encoding == kFrameEncodingMask) return false;
    if (encoding == kFrameEncodingBands && bits != 8) return false;
    if (encoding == kFrameEncodingAlpha && bits != 16 && bits != 24) return false;
    if (encoding == 0 && (h.planeSizes[1] | h.planeSizes[2] | h.planeSizes[3]) != 0) return false;
    if (encoding == kFrameEncodingAlpha && (h.planeSizes[3] != 0) != (h.planeSizes[4] != 0)) return false;
    const bool hasPixels = h.width != 0 && h.height != 0;
    return hasPixels == (h.planeSizes[0] != 0);
}

// The alpha-stream bytes of each line of plane 4 of a two-plane frame.
std::vector<int> AlphaBytesPerLine(const FrameFileHeader& h, const std::uint8_t* plane4,
                                   const std::vector<std::uint32_t>& lines)
{
    std::vector<int> counts(h.height, 0);
    if (!plane4) return counts;
    const int valueBytes = BitDepthOf(h.flags) / 8;
    for (int y = 0; y < h.height; ++y) {
        const std::uint8_t* next = nullptr;
        if (lines[y] < h.planeSizes[4])
            WalkLine(plane4 + lines[y], plane4 + h.planeSizes[4], valueBytes, h.width, next, counts[y]);
    }
    return counts;
}

struct LoadedPlane {
    std::unique_ptr<std::uint8_t[]> owned;
    std::uint8_t* data = nullptr;
    std::vector<std::uint32_t> lines;
};

bool ReadPlane(CFileBuf& stream, std::uint32_t size, int height, bool borrow, LoadedPlane& plane)
{
    if (borrow) {
        plane.data = static_cast<std::uint8_t*>(const_cast<void*>(stream.Skip(static_cast<int>(size))));
        if (!plane.data) return false;
    } else {
        plane.owned.reset(new (std::nothrow) std::uint8_t[size]);
        plane.data = plane.owned.get();
        if (!plane.data || stream.Read(plane.data, static_cast<int>(size)) != static_cast<int>(size)) return false;
    }
    std::vector<std::uint8_t> table(static_cast<std::size_t>(height) * 4);
    if (height && stream.Read(table.data(), static_cast<int>(table.size())) != static_cast<int>(table.size()))
        return false;
    plane.lines.resize(std::max(height, 2));
    for (int y = 0; y < height; ++y) plane.lines[y] = Get32(table.data() + 4 * y);
    return true;
}

}  // namespace

void FrameFileHeader::Parse(const std::uint8_t* b)
{
    version = b[0];
    bitDepth = b[1];
    hotSpotX = static_cast<std::int16_t>(Get16(b + 2));
    hotSpotY = static_cast<std::int16_t>(Get16(b + 4));
    width = Get16(b + 6);
    height = Get16(b + 8);
    flags = Get32(b + 12);
    for (int i = 0; i < 5; ++i) planeSizes[i] = Get32(b + 16 + 4 * i);
}

void FrameFileHeader::Write(std::uint8_t* b) const
{
    std::memset(b, 0, kSize);
    b[0] = version;
    b[1] = bitDepth;
    Put16(b + 2, static_cast<std::uint16_t>(hotSpotX));
    Put16(b + 4, static_cast<std::uint16_t>(hotSpotY));
    Put16(b + 6, width);
    Put16(b + 8, height);
    Put32(b + 12, flags);
    for (int i = 0; i < 5; ++i) Put32(b + 16 + 4 * i, planeSizes[i]);
}

void CFrame::MakeFrameFileHeader(FrameFileHeader& h) const
{
    h = FrameFileHeader{};
    h.bitDepth = static_cast<std::uint8_t>(GetBitDepth());
    h.hotSpotX = static_cast<std::int16_t>(-GetOriginX());
    h.hotSpotY = static_cast<std::int16_t>(-GetOriginY());
    h.width = static_cast<std::uint16_t>(GetWidth());
    h.height = static_cast<std::uint16_t>(GetHeight());
    h.flags = GetFlags() & (kFrameFormatMask | kFrameEncodingMask);
    if (!GetPixels()) return;
    if (!IsEncoded()) {
        h.planeSizes[0] = static_cast<std::uint32_t>(GetPitch() * GetHeight() * GetBytesPerPixel());
        return;
    }
    for (int i = 0; i < kPlanes; ++i) h.planeSizes[i] = PlaneLength(i == 0 ? GetPixels() : GetPlaneData(i));
}

bool CFrame::WriteFrameFile(CFileBuf& stream) const
{
    FrameFileHeader h;
    MakeFrameFileHeader(h);
    std::uint8_t bytes[FrameFileHeader::kSize];
    h.Write(bytes);
    if (stream.Write(bytes, sizeof bytes) != FrameFileHeader::kSize) return false;
    for (int i = 0; i < kPlanes; ++i) {
        if (h.planeSizes[i] == 0) continue;
        const std::uint8_t* data = i == 0 ? GetPixels() : GetPlaneData(i);
        if (stream.Write(data, static_cast<int>(h.planeSizes[i])) != static_cast<int>(h.planeSizes[i])) return false;
        std::vector<std::uint8_t> table(static_cast<std::size_t>(GetHeight()) * 4);
        for (int y = 0; y < GetHeight(); ++y) Put32(table.data() + 4 * y, GetLineTable(i)[y]);
        if (stream.Write(table.data(), static_cast<int>(table.size())) != static_cast<int>(table.size())) return false;
    }
    return true;
}

bool CFrame::ReadFrameFile(CFileBuf& stream, bool borrow)
{
    return ReadFrameFileChecked(stream, borrow) == kFrameFileOk;
}

int CFrame::ReadFrameFileChecked(CFileBuf& stream, bool borrow)
{
    FreePixels();
    DetachPalette();
    std::uint8_t bytes[FrameFileHeader::kSize];
    if (stream.Read(bytes, sizeof bytes) != FrameFileHeader::kSize) return kFrameFileShort;
    FrameFileHeader h;
    h.Parse(bytes);
    if (h.version != FrameFileHeader::kVersion) return kFrameFileWrongVersion;
    for (std::uint32_t size : h.planeSizes)
        if (size > FrameFileHeader::kMaxPlaneSize)
            FatalMessageAndExit("Fatal Error loading a frame",
                                "The *.frm file is corrupt, change the FRAME_FILE_VERSION number.");
    if (!HeaderIsConsistent(h)) return kFrameFileInconsistent;
    const bool inPlace = borrow && stream.IsInMemory() && stream.CanSkip();
    LoadedPlane planes[kPlanes];
    for (int i = 0; i < kPlanes; ++i)
        if (h.planeSizes[i] && !ReadPlane(stream, h.planeSizes[i], h.height, inPlace, planes[i]))
            return kFrameFileShort;
    const bool twoPlane = (h.flags & kFrameEncodingAlpha) != 0;
    const std::vector<int> alpha =
        twoPlane ? AlphaBytesPerLine(h, planes[4].data, planes[4].lines) : std::vector<int>(h.height, 0);
    for (int i = 0; i < kPlanes; ++i)
        if (planes[i].data && !PlaneCoversFrame(h, i, planes[i].data, planes[i].lines, alpha))
            return kFrameFileInconsistent;

    // A plain frame of one line still answers its pitch from entry 1 of its table.
    if (!(h.flags & kFrameEncodingMask) && h.height == 1) planes[0].lines[1] = h.width;
    SetSize(h.width, h.height);
    SetOrigin(-h.hotSpotX, -h.hotSpotY);
    for (int i = 0; i < kPlanes; ++i) {
        if (!planes[i].data) continue;
        if (inPlace)
            SetBorrowedPlane(i, planes[i].data, std::move(planes[i].lines));
        else
            SetPlane(i, std::move(planes[i].owned), std::move(planes[i].lines));
    }
    m_flags = (m_flags & kFrameBorrowed) | (h.flags & (kFrameFormatMask | kFrameEncodingMask));
    return kFrameFileOk;
}
