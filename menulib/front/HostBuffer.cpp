#include "front/HostBuffer.h"

#include <cstring>

#include "blit/BlitType.h"

namespace {

struct BufferMode {
    int bits;
    BlitType& (*blit)();
};

const BufferMode kBufferModes[HostBuffer::kModes] = {
    {8, NormalBlitType}, {16, Blit555Type}, {16, NormalBlitType}, {24, NormalBlitType}, {32, NormalBlitType},
};

}  // namespace

HostBuffer::HostBuffer(std::uint8_t* pixels, int pitch, int bufferMode, int width, int height)
    : m_pixels(pixels), m_pitch(pitch), m_width(width), m_height(height)
{
    m_frame.SetSize(width, height);
    if (bufferMode < 0 || bufferMode >= kModes) return;
    const BufferMode& mode = kBufferModes[bufferMode];
    m_bytesPerPixel = mode.bits / 8;
    m_blit = &mode.blit();
    m_frame.SetBitDepth(mode.bits);
    // Line offsets run downwards only: a buffer of rising rows is cleared but not copied into.
    if (pitch > 0) m_frame.SetBorrowedPlane(0, pixels, MakeLineOffsetTable(height, pitch / m_bytesPerPixel));
}

HostBuffer::~HostBuffer() { m_frame.FreePixels(); }

void HostBuffer::ClearAll()
{
    const std::size_t rowBytes = static_cast<std::size_t>(m_width) * (m_bytesPerPixel ? m_bytesPerPixel : 1);
    for (int y = 0; y < m_height; ++y) std::memset(m_pixels + static_cast<std::ptrdiff_t>(y) * m_pitch, 0, rowBytes);
}
