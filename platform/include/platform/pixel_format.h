// The 16-bit pixel formats the display offers, each described once: channel masks, shifts, widths and depth.
// Code that needs a mask asks the description instead of writing the number out.
#pragma once
#include <cstdint>

namespace platform {

struct PixelFormat {
    std::uint16_t redMask;
    std::uint16_t greenMask;
    std::uint16_t blueMask;
    int redShift;
    int greenShift;
    int blueShift;
    int redBits;
    int greenBits;
    int blueBits;
    int depth;  // bits per pixel

    constexpr bool HasMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) const
    {
        return red == redMask && green == greenMask && blue == blueMask;
    }
    constexpr std::uint16_t Pack(int r8, int g8, int b8) const
    {
        return static_cast<std::uint16_t>(((r8 >> (8 - redBits)) << redShift) |
                                          ((g8 >> (8 - greenBits)) << greenShift) |
                                          ((b8 >> (8 - blueBits)) << blueShift));
    }
    // A channel of the pixel widened to 8 bits, its top bits repeated into the bottom ones so that white stays white.
    constexpr int Red8(std::uint16_t pixel) const { return Widen((pixel & redMask) >> redShift, redBits); }
    constexpr int Green8(std::uint16_t pixel) const { return Widen((pixel & greenMask) >> greenShift, greenBits); }
    constexpr int Blue8(std::uint16_t pixel) const { return Widen((pixel & blueMask) >> blueShift, blueBits); }

private:
    static constexpr int Widen(int value, int bits) { return (value << (8 - bits)) | (value >> (2 * bits - 8)); }
};

inline constexpr PixelFormat kPixelFormat565{0xF800, 0x07E0, 0x001F, 11, 5, 0, 5, 6, 5, 16};
inline constexpr PixelFormat kPixelFormat555{0x7C00, 0x03E0, 0x001F, 10, 5, 0, 5, 5, 5, 16};

// The description whose masks these are, or null for masks of no format the display offers.
constexpr const PixelFormat* PixelFormatFromMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    if (kPixelFormat565.HasMasks(red, green, blue)) return &kPixelFormat565;
    if (kPixelFormat555.HasMasks(red, green, blue)) return &kPixelFormat555;
    return nullptr;
}

}  // namespace platform
