// Presenting without a GPU: the 16-bit frame converted to the window surface's pixel format and scaled into its
// place there in one pass of our own, nearest pixel. A whole factor across is pixel replication (plain and SSE2,
// bit for bit the same), any other factor a table of source columns; a destination row whose nearest source row
// is the one above's is a copy of the row above. The nearest source pixel of destination pixel i is the one
// under its centre in 16.16 fixed point, ((i * step + step / 2) >> 16) with step = (source << 16) / destination,
// which is what SDL's scaled blit samples too.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "display_state.h"
#include "platform/rect.h"

namespace platform::display {

// How a target pixel of 2 or 4 bytes holds a colour: each channel's top bits (8 less its loss) at its shift,
// and the alpha bits set.
struct TargetFormat {
    int bytesPerPixel = 4;
    int redShift = 16, greenShift = 8, blueShift = 0;
    int redLoss = 0, greenLoss = 0, blueLoss = 0;
    std::uint32_t alphaMask = 0;

    // Four bytes with whole bytes for the channels: the form the SSE2 rows write.
    bool HasByteChannels() const;
    std::uint32_t Pack(int red8, int green8, int blue8) const;
};

// The format of the masks, or nothing where the scaler does not write it (3 bytes, or channels wider than 8 bits
// or not of adjacent bits).
PLATFORM_API std::optional<TargetFormat> TargetFormatFromMasks(int bytesPerPixel, std::uint32_t red,
                                                               std::uint32_t green, std::uint32_t blue,
                                                               std::uint32_t alpha);

// Pixels the scaler writes: a window surface, or any memory in its form.
struct TargetPixels {
    void* pixels = nullptr;
    int pitch = 0;  // bytes
    int width = 0;
    int height = 0;
    TargetFormat format;

    std::uint8_t* Row(int y) const
    {
        return static_cast<std::uint8_t*>(pixels) + static_cast<std::ptrdiff_t>(y) * pitch;
    }
};

// Where a picture of the size goes in an area of the size: as large as fits with its aspect kept, in the middle.
PLATFORM_API Rect FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);

// The source pixel under the centre of each of `destination` pixels.
PLATFORM_API std::vector<int> NearestSources(int source, int destination);

// The row loops, each plain and with SSE2; the SSE2 ones write 4-byte targets with byte channels only.
// Converts `count` pixels of the 16-bit format to the target's.
PLATFORM_API void ConvertRowPlain(void* dest, const WORD* source, int count, const PixelFormat& from,
                                  const TargetFormat& to);
PLATFORM_API void ConvertRowSse2(std::uint32_t* dest, const WORD* source, int count, const PixelFormat& from,
                                 const TargetFormat& to);
// The same, each pixel written `factor` times side by side.
PLATFORM_API void ConvertRowRepeatedPlain(void* dest, const WORD* source, int count, int factor,
                                          const PixelFormat& from, const TargetFormat& to);
PLATFORM_API void ConvertRowRepeatedSse2(std::uint32_t* dest, const WORD* source, int count, int factor,
                                         const PixelFormat& from, const TargetFormat& to);

// Scales frames of one size and format into one place of targets of one format.
class PLATFORM_API FrameScaler {
public:
    FrameScaler(int frameWidth, int frameHeight, bool frame555, const Rect& place, const TargetFormat& format,
                bool sse2);

    // Writes the destination rows of the frame's rows [firstRow, endRow) into the place on the target, and
    // gives the target rows written (top inside, bottom outside; empty when none).
    struct Rows {
        int top = 0;
        int bottom = 0;
    };
    Rows Scale(const TargetPixels& target, const PixelView& frame, int firstRow, int endRow);

    const Rect& Place() const { return place_; }

private:
    void WriteRow(std::uint8_t* dest, const WORD* source);
    // The first destination row whose source row is `row` or later.
    int FirstRowFrom(int row) const;

    Rect place_;
    TargetFormat format_;
    const PixelFormat& from_;
    bool sse2_;
    int frameWidth_;
    int frameHeight_;
    int factor_;                     // the whole factor across, or 0
    std::vector<int> columns_;       // the source column of each destination column, where there is no factor
    std::vector<int> rows_;          // the source row of each destination row
    std::vector<std::uint8_t> row_;  // one converted source row, for the columns' table
};

}  // namespace platform::display
