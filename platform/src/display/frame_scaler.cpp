#include "frame_scaler.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace platform::display {

namespace {

constexpr int kFixedOne = 16;  // the fraction bits of the 16.16 steps

struct Channel {
    int shift = 0;
    int loss = 0;
};

// A channel's shift and loss from its mask: adjacent bits, at most 8 of them.
std::optional<Channel> ChannelOf(std::uint32_t mask)
{
    if (!mask) return std::nullopt;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    if (bits > 8 || (mask >> shift) != (1u << bits) - 1) return std::nullopt;
    return Channel{shift, 8 - bits};
}

// A channel of the pixel widened to 8 bits as SDL's blits widen it, v * 255 / max rounded down, so that our
// picture is the one SDL's scaled blit made.
int Widen(WORD pixel, std::uint16_t mask, int shift, int bits)
{
    const int max = (1 << bits) - 1;
    return ((pixel & mask) >> shift) * 255 / max;
}

template <typename Pixel>
void ConvertInto(Pixel* dest, const WORD* source, int count, int factor, const PixelFormat& from,
                 const TargetFormat& to)
{
    for (int i = 0; i < count; ++i) {
        const WORD p = source[i];
        const auto out = static_cast<Pixel>(to.Pack(Widen(p, from.redMask, from.redShift, from.redBits),
                                                    Widen(p, from.greenMask, from.greenShift, from.greenBits),
                                                    Widen(p, from.blueMask, from.blueShift, from.blueBits)));
        for (int k = 0; k < factor; ++k) *dest++ = out;
    }
}

template <typename Pixel>
void GatherColumns(std::uint8_t* dest, const std::uint8_t* converted, const std::vector<int>& columns)
{
    auto* out = reinterpret_cast<Pixel*>(dest);
    const auto* in = reinterpret_cast<const Pixel*>(converted);
    for (const int column : columns) *out++ = in[column];
}

}  // namespace

bool TargetFormat::HasByteChannels() const
{
    const auto whole = [](int shift, int loss) { return loss == 0 && shift % 8 == 0; };
    return bytesPerPixel == 4 && whole(redShift, redLoss) && whole(greenShift, greenLoss) && whole(blueShift, blueLoss);
}

std::uint32_t TargetFormat::Pack(int red8, int green8, int blue8) const
{
    return (static_cast<std::uint32_t>(red8 >> redLoss) << redShift) |
           (static_cast<std::uint32_t>(green8 >> greenLoss) << greenShift) |
           (static_cast<std::uint32_t>(blue8 >> blueLoss) << blueShift) | alphaMask;
}

std::optional<TargetFormat> TargetFormatFromMasks(int bytesPerPixel, std::uint32_t red, std::uint32_t green,
                                                  std::uint32_t blue, std::uint32_t alpha)
{
    if (bytesPerPixel != 2 && bytesPerPixel != 4) return std::nullopt;
    const auto r = ChannelOf(red), g = ChannelOf(green), b = ChannelOf(blue);
    if (!r || !g || !b) return std::nullopt;
    return TargetFormat{bytesPerPixel, r->shift, g->shift, b->shift, r->loss, g->loss, b->loss, alpha};
}

Rect FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
    const long long acrossFits = static_cast<long long>(areaWidth) * pictureHeight;
    const long long downFits = static_cast<long long>(areaHeight) * pictureWidth;
    const int width = acrossFits <= downFits ? areaWidth : static_cast<int>(downFits / pictureHeight);
    const int height = acrossFits <= downFits ? static_cast<int>(acrossFits / pictureWidth) : areaHeight;
    return Rect::At((areaWidth - width) / 2, (areaHeight - height) / 2, width, height);
}

std::vector<int> NearestSources(int source, int destination)
{
    std::vector<int> sources(std::max(destination, 0));
    if (source <= 0 || destination <= 0) return sources;
    const std::uint64_t step = (static_cast<std::uint64_t>(source) << kFixedOne) / destination;
    std::uint64_t position = step / 2;
    for (int& s : sources) {
        s = std::min(static_cast<int>(position >> kFixedOne), source - 1);
        position += step;
    }
    return sources;
}

void ConvertRowPlain(void* dest, const WORD* source, int count, const PixelFormat& from, const TargetFormat& to)
{
    ConvertRowRepeatedPlain(dest, source, count, 1, from, to);
}

void ConvertRowRepeatedPlain(void* dest, const WORD* source, int count, int factor, const PixelFormat& from,
                             const TargetFormat& to)
{
    if (to.bytesPerPixel == 4)
        ConvertInto(static_cast<std::uint32_t*>(dest), source, count, factor, from, to);
    else
        ConvertInto(static_cast<std::uint16_t*>(dest), source, count, factor, from, to);
}

FrameScaler::FrameScaler(int frameWidth, int frameHeight, bool frame555, const Rect& place, const TargetFormat& format,
                         bool sse2)
    : place_(place),
      format_(format),
      from_(PixelFormatOf(frame555)),
      sse2_(sse2 && format.HasByteChannels()),
      frameWidth_(frameWidth),
      frameHeight_(frameHeight),
      factor_(frameWidth > 0 && place.Width() % frameWidth == 0 ? place.Width() / frameWidth : 0),
      rows_(NearestSources(frameHeight, place.Height()))
{
    if (factor_ > 0) return;
    columns_ = NearestSources(frameWidth, place.Width());
    row_.resize(static_cast<size_t>(std::max(frameWidth, 0)) * format.bytesPerPixel);
}

FrameScaler::Rows FrameScaler::Scale(const TargetPixels& target, const PixelView& frame, int firstRow, int endRow)
{
    const bool fits = Rect::OfSize(target.width, target.height).Contains(place_) && !place_.IsEmpty();
    if (!fits || frame.width != frameWidth_ || frame.height != frameHeight_) return {};
    const int top = FirstRowFrom(std::clamp(firstRow, 0, frame.height));
    const int bottom = FirstRowFrom(std::clamp(endRow, 0, frame.height));
    const size_t rowBytes = static_cast<size_t>(place_.Width()) * format_.bytesPerPixel;
    for (int y = top; y < bottom; ++y) {
        std::uint8_t* dest = target.Row(place_.top + y) + static_cast<size_t>(place_.left) * format_.bytesPerPixel;
        if (y > top && rows_[y] == rows_[y - 1])
            std::memcpy(dest, dest - target.pitch, rowBytes);
        else
            WriteRow(dest, frame.Row(rows_[y]));
    }
    return top < bottom ? Rows{place_.top + top, place_.top + bottom} : Rows{};
}

void FrameScaler::WriteRow(std::uint8_t* dest, const WORD* source)
{
    if (factor_ > 0) {
        if (sse2_)
            ConvertRowRepeatedSse2(reinterpret_cast<std::uint32_t*>(dest), source, frameWidth_, factor_, from_,
                                   format_);
        else
            ConvertRowRepeatedPlain(dest, source, frameWidth_, factor_, from_, format_);
        return;
    }
    if (sse2_)
        ConvertRowSse2(reinterpret_cast<std::uint32_t*>(row_.data()), source, frameWidth_, from_, format_);
    else
        ConvertRowPlain(row_.data(), source, frameWidth_, from_, format_);
    if (format_.bytesPerPixel == 4)
        GatherColumns<std::uint32_t>(dest, row_.data(), columns_);
    else
        GatherColumns<std::uint16_t>(dest, row_.data(), columns_);
}

int FrameScaler::FirstRowFrom(int row) const
{
    return static_cast<int>(std::lower_bound(rows_.begin(), rows_.end(), row) - rows_.begin());
}

}  // namespace platform::display
