// The host's buffer for the length of one draw: a borrowed frame over its pixels in the buffer mode's format, the
// blit type that converts the back buffer into that format, and the clearing of the menu area row by row.
#pragma once
#include <cstdint>

#include "frames/Frame.h"

class BlitType;

class HostBuffer {
public:
    // The buffer modes: 8-bit palette index, 5-5-5, 5-6-5, B,G,R and B,G,R,A.
    static constexpr int kModes = 5;

    HostBuffer(std::uint8_t* pixels, int pitch, int bufferMode, int width, int height);
    // The frame lets the pixels go; they stay the host's.
    ~HostBuffer();
    HostBuffer(const HostBuffer&) = delete;
    HostBuffer& operator=(const HostBuffer&) = delete;

    CFrame& Frame() { return m_frame; }
    BlitType* Blit() const { return m_blit; }
    // A known mode over a buffer whose rows run downwards.
    bool CanCopy() const { return m_blit && m_pitch > 0; }
    // Zeroes width x bytes per pixel at the start of every row (rows may run either way).
    void ClearAll();

private:
    CFrame m_frame;
    std::uint8_t* m_pixels;
    int m_pitch;
    int m_bytesPerPixel = 0;
    int m_width;
    int m_height;
    BlitType* m_blit = nullptr;
};
