// One colour in every form the pixel formats need: the 32-bit bytes, the 24-bit bytes, the 5-6-5 value and a
// palette index that is found on first use. The 5-6-5 and 5-5-5 packers round each channel and clamp it.
#pragma once
#include <cstdint>

// R5 << 11 | G6 << 5 | B5, each channel rounded and clamped.
std::uint16_t PackRGB565(int r, int g, int b);
// R5 << 10 | G5 << 5 | B5, each channel rounded and clamped.
std::uint16_t PackRGB555(int r, int g, int b);

struct Color {
    enum Flag : std::uint32_t {
        kIndexValid = 1,  // index holds the colour's palette index
        kFromRgb = 2,     // set from RGB values: its index is searched in the default palette
    };

    std::uint8_t B = 0, G = 0, R = 0, A = 0;
    std::uint8_t B24 = 0, G24 = 0, R24 = 0;
    std::uint8_t unused = 0;
    std::uint16_t value565 = 0;
    std::uint8_t index = 0;
    std::uint32_t flags = 0;

    // Opaque black in every form.
    void Reset();
    // Stores the byte forms and the 5-6-5 value and marks the colour as set from RGB. When the RGB values change,
    // a stored index no longer names the colour and stops being valid.
    void SetRGBA(int r, int g, int b, int a);
    // The same without the from-RGB mark.
    void SetRGBAOnly(int r, int g, int b, int a);
    // A colour made afresh from RGB values.
    void FromRGBA(int r, int g, int b, int a);
    // The colour of entry i of the current palette, opaque, with that index.
    void SetFromPaletteIndex(int i);
    // The stored index, or the nearest palette entry, which is then stored.
    std::uint8_t GetPaletteIndex();

    // A << 24 | R << 16 | G << 8 | B.
    std::uint32_t ToU32() const
    {
        return static_cast<std::uint32_t>(A) << 24 | static_cast<std::uint32_t>(R) << 16 |
               static_cast<std::uint32_t>(G) << 8 | B;
    }
    // 0x00RRGGBB.
    std::uint32_t ToRgbWord() const { return ToU32() & 0xFFFFFFu; }
};
static_assert(sizeof(Color) == 16, "a colour is sixteen bytes");

// Makes a colour from RGBA values.
inline Color MakeColor(int r, int g, int b, int a = 255)
{
    Color c;
    c.FromRGBA(r, g, b, a);
    return c;
}
