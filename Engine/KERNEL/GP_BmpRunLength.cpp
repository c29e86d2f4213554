#include "GP_BmpRunLength.h"

#include <algorithm>

namespace {

// Escape codes: a pair whose count is 0 and whose second byte is one of these (3 and above: an absolute run).
constexpr std::uint8_t EndOfLine = 0;
constexpr std::uint8_t EndOfBitmap = 1;
constexpr std::uint8_t Delta = 2;

// The compressed bytes: never more than the header (or the file) says they are.
class BoundedBytes {
public:
    BoundedBytes(std::FILE* file, long long left) : file(file), left(left) {}

    bool Take(std::uint8_t& byte)
    {
        if (left <= 0) return false;
        const int c = std::getc(file);
        if (c == EOF) return false;
        --left;
        byte = static_cast<std::uint8_t>(c);
        return true;
    }

private:
    std::FILE* file;
    long long left;
};

class RowWriter {
public:
    RowWriter(int bitsPerPixel, int width, int rows, std::size_t stride, std::uint8_t* pixels)
        : bitsPerPixel(bitsPerPixel), width(width), rows(rows), stride(stride), pixels(pixels)
    {
    }

    // Pixels past the row's end are dropped.
    void Put(std::uint8_t index)
    {
        if (x < width) {
            std::uint8_t* row = pixels + stride * static_cast<std::size_t>(y);
            if (bitsPerPixel == 8) {
                row[x] = index;
            } else {
                const int shift = x % 2 ? 0 : 4;
                std::uint8_t& pair = row[x / 2];
                pair = static_cast<std::uint8_t>((pair & ~(0xF << shift)) | (index & 0xF) << shift);
            }
        }
        x = std::min(x + 1, width);
    }
    void NextLine(int lines)
    {
        x = 0;
        y += lines;
    }
    void Move(int right, int up)
    {
        x = std::min(x + right, width);
        y += up;
    }
    bool Done() const { return y >= rows; }

private:
    int bitsPerPixel, width, rows;
    std::size_t stride;
    std::uint8_t* pixels;
    int x = 0, y = 0;
};

// count pixels of one byte each (8 bits) or two to a byte, high half first (4 bits), padded to a 16-bit word.
bool AbsoluteRun(BoundedBytes& in, RowWriter& out, int bitsPerPixel, int count)
{
    const int bytes = bitsPerPixel == 8 ? count : (count + 1) / 2;
    std::uint8_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        if (!in.Take(value)) return false;
        if (bitsPerPixel == 8) {
            out.Put(value);
            continue;
        }
        out.Put(value >> 4);
        if (2 * i + 1 < count) out.Put(value & 0xF);
    }
    return bytes % 2 == 0 || in.Take(value);
}

// count pixels of one value (8 bits), or alternating between the byte's high and low halves (4 bits).
void EncodedRun(RowWriter& out, int bitsPerPixel, int count, std::uint8_t value)
{
    for (int i = 0; i < count; ++i) out.Put(bitsPerPixel == 8 ? value : (i % 2 ? value & 0xF : value >> 4));
}

}  // namespace

bool GP_DecodeBmpRunLength(std::FILE* file, long long dataBytes, int bitsPerPixel, int width, int rows,
                           std::size_t stride, std::uint8_t* pixels)
{
    BoundedBytes in(file, dataBytes);
    RowWriter out(bitsPerPixel, width, rows, stride, pixels);
    while (!out.Done()) {
        std::uint8_t count = 0, code = 0;
        // Data that ends between two codes ends the bitmap as its end code would.
        if (!in.Take(count)) return true;
        if (!in.Take(code)) return false;
        if (count > 0) {
            EncodedRun(out, bitsPerPixel, count, code);
        } else if (code == EndOfLine) {
            out.NextLine(1);
        } else if (code == EndOfBitmap) {
            return true;
        } else if (code == Delta) {
            std::uint8_t right = 0, up = 0;
            if (!in.Take(right) || !in.Take(up)) return false;
            out.Move(right, up);
        } else if (!AbsoluteRun(in, out, bitsPerPixel, code)) {
            return false;
        }
    }
    return true;
}
