#include "frames/Frame.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "blit/BlitType.h"
#include "frames/RunLines.h"
#include "frames/ScaledFrameHolder.h"

using platform::Rect;

IMPLEMENT_PERSISTENT_CLASS(CFrame, CFrameInterface, 2.0f, nullptr)

const Color kOpaqueBlack = MakeColor(0, 0, 0, 255);
const Color kOpaqueWhite = MakeColor(255, 255, 255, 255);
const Color kTransparentBlack = MakeColor(0, 0, 0, 0);

namespace {
int g_displayBitDepth = 8;
bool g_frameCacheNaming = true;
bool g_losslessOnly = false;

std::uint8_t Log2Of(int n)
{
    std::uint8_t log = 0;
    while (n >= 2) {
        n >>= 1;
        ++log;
    }
    return log;
}
}  // namespace

int GetDisplayBitDepth() { return g_displayBitDepth; }
void SetDisplayBitDepth(int bits) { g_displayBitDepth = bits; }
bool GetFrameCacheNaming() { return g_frameCacheNaming; }
void SetFrameCacheNaming(bool on) { g_frameCacheNaming = on; }
bool GetLosslessOnly() { return g_losslessOnly; }
void SetLosslessOnly(bool on) { g_losslessOnly = on; }

CFrameInterface& EmptyFrame()
{
    static CFrame empty;
    return empty;
}

std::vector<std::uint32_t> MakeLineOffsetTable(int count, int pitch)
{
    std::vector<std::uint32_t> table(std::max(count, 2));
    for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<std::uint32_t>(i * pitch);
    return table;
}

CFrame::CFrame()
{
    ConstructOwnMembers();
    SetupLineOffsets(0, 1);
}

CFrame::~CFrame()
{
    FreePixels();
    DetachPalette();
    DestroyOwnMembers();
}

std::uint8_t* CFrame::GetPlaneData(int plane) const { return plane > 0 && plane < kPlanes ? m_planes[plane] : nullptr; }

const std::uint32_t* CFrame::GetPlaneOffsets(int plane) const
{
    return plane > 0 && plane < kPlanes ? TableOf(plane) : nullptr;
}

const std::uint32_t* CFrame::TableOf(int plane) const
{
    return m_lineOffsets[plane].empty() ? nullptr : m_lineOffsets[plane].data();
}

Rect CFrame::GetBounds() const { return Rect::At(m_originX, m_originY, m_width, m_height); }

int CFrame::GetPitch() const
{
    // An empty frame, or an encoded one of a single line, has no second entry.
    return m_lineOffsets[0].size() >= 2 ? static_cast<int>(m_lineOffsets[0][1]) : 0;
}

void CFrame::SetBitDepth(int bits) { m_flags = (m_flags & ~kFrameFormatMask) | FrameFormatOf(bits); }

int CFrame::AllocatePixels(int width, int height, int bits)
{
    if (width == m_width && height == m_height && bits == GetBitDepth() && m_planes[0] && !IsEncoded())
        return GetPitch();
    FreePixels();
    if (width < 0 || height < 0 || width > 0xFFFF || height > 0xFFFF || FrameFormatOf(bits) == 0) return 0;
    m_width = static_cast<std::uint16_t>(width);
    m_height = static_cast<std::uint16_t>(height);
    SetBitDepth(bits);
    const std::size_t bytes = static_cast<std::size_t>(width) * height * (bits / 8);
    if (bytes == 0) return width;
    m_ownedPlanes[0].reset(new (std::nothrow) std::uint8_t[bytes]());
    m_planes[0] = m_ownedPlanes[0].get();
    // Pixels are never without their line table, even before SetupLineOffsets rebuilds it.
    if (m_planes[0]) m_lineOffsets[0] = MakeLineOffsetTable(height, width);
    return width;
}

void CFrame::SetupLineOffsets(int pitch, int rebuild)
{
    m_originX = m_originY = 0;
    m_log2Width = Log2Of(m_width);
    m_log2Height = Log2Of(m_height);
    if (m_height != 0 && rebuild == 1) m_lineOffsets[0] = MakeLineOffsetTable(m_height, pitch);
}

bool CFrame::Create(int width, int height, int bits)
{
    const int pitch = AllocatePixels(width, height, bits);
    SetupLineOffsets(pitch, 1);
    return m_planes[0] != nullptr;
}

void CFrame::FreePixels()
{
    if (m_flags & kFrameBorrowed) {
        for (std::uint8_t*& plane : m_planes) plane = nullptr;
        m_flags &= ~kFrameBorrowed;
    }
    DropScaledFrame(*this);
    m_width = m_height = 0;
    for (int i = 0; i < kPlanes; ++i) {
        m_planes[i] = nullptr;
        m_ownedPlanes[i].reset();
        FreeLineOffsetTable(m_lineOffsets[i]);
    }
    m_flags &= ~(kFrameFormatMask | kFrameEncodingMask);
}

void CFrame::SetSize(int width, int height)
{
    m_width = static_cast<std::uint16_t>(std::clamp(width, 0, 0xFFFF));
    m_height = static_cast<std::uint16_t>(std::clamp(height, 0, 0xFFFF));
    m_log2Width = Log2Of(m_width);
    m_log2Height = Log2Of(m_height);
}

void CFrame::SetPlane(int plane, std::unique_ptr<std::uint8_t[]> data, std::vector<std::uint32_t> lineOffsets)
{
    m_ownedPlanes[plane] = std::move(data);
    m_planes[plane] = m_ownedPlanes[plane].get();
    m_lineOffsets[plane] = std::move(lineOffsets);
}

void CFrame::SetBorrowedPlane(int plane, std::uint8_t* data, std::vector<std::uint32_t> lineOffsets)
{
    m_ownedPlanes[plane].reset();
    m_planes[plane] = data;
    m_lineOffsets[plane] = std::move(lineOffsets);
    m_flags |= kFrameBorrowed;
}

void CFrame::SetEncoding(std::uint32_t encoding)
{
    m_flags = (m_flags & ~kFrameEncodingMask) | (encoding & kFrameEncodingMask);
}

void CFrame::SetOrigin(int x, int y)
{
    m_originX = static_cast<std::int16_t>(x);
    m_originY = static_cast<std::int16_t>(y);
}

void CFrame::MoveOrigin(int dx, int dy) { SetOrigin(m_originX + dx, m_originY + dy); }

int CFrame::GetMemorySize() const
{
    int size = InstanceSize();
    if (!IsEncoded()) return size + m_width * m_height * GetBytesPerPixel();
    for (std::uint8_t* plane : m_planes)
        if (plane) size += static_cast<int>(PlaneLength(plane));
    return size + 4 * m_height;
}

bool CFrame::Blit(CFrameInterface* source, Rect sourceRect, Rect destinationRect, BlitType* blitType)
{
    if (!m_planes[0] || !source) return false;
    if (!blitType) blitType = &NormalBlitType();
    sourceRect = sourceRect.Offset(-source->GetOriginX(), -source->GetOriginY());
    if (!ClipBlitRects(GetBounds(), sourceRect, destinationRect)) return false;
    // Plain and run copies read only the source's own pixels; wrapping, tiling and scaling read outside.
    if (blitType->ReadsInsideSource() &&
        !ClipBlitRects(Rect::OfSize(source->GetWidth(), source->GetHeight()), destinationRect, sourceRect))
        return false;
    DrawWithBlitType(source, sourceRect, destinationRect.Offset(-m_originX, -m_originY), blitType);
    return true;
}

bool CFrame::DrawWithBlitType(CFrameInterface* source, const Rect& sourceRect, const Rect& destinationRect,
                              BlitType* blitType)
{
    DrawFunction draw = blitType->FindDrawFunction(*source, *this);
    if (!draw) return false;
    draw(source, sourceRect, this, destinationRect, blitType);
    return true;
}

bool CFrame::CopyFrom(CFrameInterface* source)
{
    if (!source) return false;
    const Rect bounds = source->GetBounds();
    if (!Create(bounds.Width(), bounds.Height(), source->GetBitDepth())) return false;
    DrawWithBlitType(source, Rect::OfSize(bounds.Width(), bounds.Height()), Rect::OfSize(m_width, m_height),
                     &NormalBlitType());
    SetOrigin(bounds.left, bounds.top);
    const std::uint8_t* alpha = source->GetPlaneData(4);
    if (source->GetBitDepth() == 16 && !source->IsEncoded() && alpha) {
        const std::size_t bytes = static_cast<std::size_t>(m_width) * m_height;
        auto copy = std::make_unique<std::uint8_t[]>(bytes);
        const int pitch = source->GetPitch();
        for (int y = 0; y < m_height; ++y)
            std::memcpy(copy.get() + static_cast<std::size_t>(y) * m_width, alpha + static_cast<std::size_t>(y) * pitch,
                        m_width);
        SetPlane(4, std::move(copy), MakeLineOffsetTable(m_height, m_width));
    }
    auto* frame = dynamic_cast<CFrame*>(source);
    if (frame && frame->GetPalette()) SetPalette(*frame->GetPalette());
    return true;
}
