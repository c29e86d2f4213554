// TGA pictures: the 18-byte header, the reader of true-colour files (plain and run-length) that converts rows
// straight into a frame's format, and the run-length writer.
#pragma once
#include <cstdint>
#include <vector>

class CFrame;
class ColorTable;

struct TgaHeader {
    static constexpr int kSize = 18;
    enum ImageType : std::uint8_t {
        kTrueColor = 2,
        kColorMappedRle = 9,
        kTrueColorRle = 10
    };
    static constexpr std::uint8_t kTopToBottom = 0x20;
    // The largest picture taken, the limit of the game engine's picture readers: sides up to 16384 and at most
    // 2^23 pixels. A damaged header that claims more is refused before anything is allocated or decoded.
    static constexpr long long kLargestSide = 16384;
    static constexpr long long kLargestPixels = 1LL << 23;

    std::uint8_t idLength = 0;
    std::uint8_t colorMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t colorMapFirst = 0;
    std::uint16_t colorMapLength = 0;
    std::uint8_t colorMapEntrySize = 0;
    std::uint16_t xOrigin = 0;
    std::uint16_t yOrigin = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t bitsPerPixel = 0;
    std::uint8_t descriptor = 0;

    void Parse(const std::uint8_t* bytes);
    void Write(std::uint8_t* bytes) const;
    // Colour-map type 0, image type 2, 9 or 10, 24 or 32 bits a pixel, and a size within the limit above.
    bool IsAccepted() const;
    bool IsRunLength() const { return imageType == kTrueColorRle; }
    bool IsTopToBottom() const { return (descriptor & kTopToBottom) != 0; }
};

// The header of a file's first bytes; false when fewer than 18 bytes are given.
bool ReadTgaHeader(const std::uint8_t* data, std::size_t size, TgaHeader& header);
// Whether the file at path is a run-length TGA (image type 10).
bool IsTgaRunLengthEncoded(const char* path, int openFlags = 0);
// The bits a pixel of an accepted TGA at path, 0 when unreadable or not accepted.
int GetTgaBitsPerPixel(const char* path, int openFlags = 0);

// Decodes the TGA in data into frame at bitDepth (pixels made anew when the frame has none or another pixel
// count); 8-bit rows take the nearest entry 1 to 255 of palette (the default palette when null). False for a
// file that is not an accepted TGA or is cut short. A run-length packet that runs past its row is fatal.
bool DecodeTga(CFrame& frame, const std::uint8_t* data, std::size_t size, const char* path, ColorTable* palette,
               int bitDepth);
// DecodeTga, then the frame's line table of pitch = width. The width, 0 on failure.
int DecodeTgaIntoFrame(CFrame& frame, const std::uint8_t* data, std::size_t size, const char* path, ColorTable* palette,
                       int bitDepth);

// The run-length TGA file of an 8-, 24- or 32-bit frame; empty for other depths and empty frames.
std::vector<std::uint8_t> EncodeTga(CFrame& frame);
// Writes EncodeTga to path, opened with openFlags plus create and write; false when there is nothing to write
// or the file cannot be written.
bool WriteTga(CFrame& frame, const char* path, int openFlags);
