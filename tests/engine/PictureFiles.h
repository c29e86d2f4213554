// Small picture files made by the tests: BMPs of every depth, header kind and coding, and JPEGs written with
// libjpeg.
#pragma once
#include <jpeglib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace picturefiles {

struct Rgb {
    std::uint8_t r, g, b;
};

// Six colours of a 3 x 2 picture (an odd width, so rows are padded).
inline const std::vector<Rgb> Colours = {{255, 0, 0},     {0, 255, 0},     {0, 0, 255},
                                         {255, 255, 255}, {128, 128, 128}, {10, 20, 30}};

inline std::uint16_t Expected565(Rgb c)
{
    return static_cast<std::uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
}

inline void Put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
inline void Put32(std::string& s, unsigned v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

struct BmpOptions {
    int bpp = 24;
    bool fileHeader = true;
    bool topDown = false;
    bool core = false;
    bool bitfields = false;
    int width = 3;
    int height = 2;
    int headerSize = 40;  // later header versions are longer; the masks still follow the first 40 bytes
};

// index of the picture's pixel (x, y) in Colours; indexed depths use the colour table in the same order.
inline int ColourAt(int x, int y, int bpp) { return bpp == 1 ? (x + y) % 2 : (y * 3 + x) % 6; }

inline std::string MakeBmp(const BmpOptions& o)
{
    const bool indexed = o.bpp <= 8;
    const int colours = indexed ? (o.bpp == 1 ? 2 : 6) : 0;
    std::string info;
    if (o.core) {
        Put32(info, 12), Put16(info, o.width), Put16(info, o.height), Put16(info, 1), Put16(info, o.bpp);
    } else {
        Put32(info, o.headerSize), Put32(info, o.width), Put32(info, o.topDown ? -o.height : o.height), Put16(info, 1);
        Put16(info, o.bpp), Put32(info, o.bitfields ? 3 : 0), Put32(info, 0), Put32(info, 0), Put32(info, 0);
        Put32(info, o.bpp == 8 ? colours : 0), Put32(info, 0);
    }
    if (o.bitfields) {
        if (o.bpp == 16)
            Put32(info, 0xF800), Put32(info, 0x07E0), Put32(info, 0x001F);
        else
            Put32(info, 0x00FF0000), Put32(info, 0x0000FF00), Put32(info, 0x000000FF);
    }
    if (!o.core) info.resize(std::max<size_t>(info.size(), o.headerSize), '\x5A');
    const int tableEntries = o.bpp == 4 || (o.core && indexed) ? 1 << o.bpp : colours;
    for (int i = 0; i < tableEntries; ++i) {
        const Rgb c = i < colours ? Colours[i] : Rgb{0, 0, 0};
        info += char(c.b), info += char(c.g), info += char(c.r);
        if (!o.core) info += char(0);
    }
    const int stride = (o.bpp * o.width + 31) / 32 * 4;
    std::string pixels;
    for (int row = 0; row < o.height; ++row) {
        const int y = o.topDown ? row : o.height - 1 - row;
        std::string line(stride, '\0');
        for (int x = 0; x < o.width; ++x) {
            const int index = ColourAt(x, y, o.bpp);
            const Rgb c = Colours[index];
            if (indexed) {
                const int perByte = 8 / o.bpp;
                const int shift = 8 - o.bpp * (x % perByte + 1);
                line[x / perByte] = char(line[x / perByte] | index << shift);
            } else if (o.bpp == 16) {
                const unsigned v = o.bitfields ? Expected565(c) : (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3;
                line[x * 2] = char(v & 0xFF), line[x * 2 + 1] = char(v >> 8);
            } else {
                const int at = x * (o.bpp / 8);
                line[at] = char(c.b), line[at + 1] = char(c.g), line[at + 2] = char(c.r);
            }
        }
        pixels += line;
    }
    std::string file;
    if (o.fileHeader) {
        file += "BM";
        Put32(file, 14 + info.size() + pixels.size()), Put32(file, 0), Put32(file, 14 + info.size());
    }
    return file + info + pixels;
}

// A 565 pixel of a 16-bit value in 5-5-5: each channel widened to 8 bits, then cut as GDI cuts it.
inline std::uint16_t From555(Rgb c)
{
    auto widen = [](unsigned v5) { return (v5 << 3) | (v5 >> 2); };
    return Expected565(
        Rgb{std::uint8_t(widen(c.r >> 3)), std::uint8_t(widen(c.g >> 3)), std::uint8_t(widen(c.b >> 3))});
}

inline std::string MakeJpeg(int width, int height, bool grey, Rgb left, Rgb right)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(width * info.input_components);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = x < width / 2 ? left : right;
            if (grey)
                row[x] = c.r;
            else
                row[x * 3] = c.r, row[x * 3 + 1] = c.g, row[x * 3 + 2] = c.b;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

// An indexed picture for the run-length tests: indices row by row from the top, with the colours of its table.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    std::vector<Rgb> table;

    std::uint8_t At(int x, int y) const { return indices[static_cast<size_t>(y) * width + x]; }
};

// A 37 x 9 picture with what run-length codes are made of: runs of one index, stretches of different ones
// (absolute runs, odd lengths to pad), runs of index 0 inside a row (deltas), rows ending in index 0 (early
// ends of line), a row of index 0 in the middle (a delta down) and one at the top (an early end of bitmap).
inline IndexedPicture RunsPicture(const std::vector<Rgb>& table)
{
    IndexedPicture p{37, 9, {}, table};
    const int n = static_cast<int>(table.size());
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            int index = 1 + (x / 4 + y) % (n - 1);
            if (x < 9) index = (x * 7 + y) % n;
            if ((x >= 12 && x < 17) || (x >= 30 && y % 2) || y == 0 || y == 4) index = 0;
            p.indices.push_back(static_cast<std::uint8_t>(index));
        }
    return p;
}

enum class BmpCoding {
    Plain,
    Rle8,
    Rle4
};

// Run-length codes of the picture, bottom row first. With skips, index 0 is left to deltas and early ends
// wherever it can be; without, it is coded like any other index.
inline std::string RunLengthCodes(const IndexedPicture& p, int bpp, bool skips)
{
    std::string out;
    auto pair = [&](int a, int b) { out += char(a), out += char(b); };
    auto value = [&](int index) { return bpp == 4 ? index << 4 | index : index; };
    int skippedRows = 0;
    for (int row = 0; row < p.height; ++row) {
        const int y = p.height - 1 - row;
        int end = p.width;
        if (skips)
            while (end > 0 && p.At(end - 1, y) == 0) --end;
        if (end == 0) {
            ++skippedRows;
            continue;
        }
        if (skippedRows) pair(0, 2), pair(0, skippedRows), skippedRows = 0;
        auto runAt = [&](int x) {
            int run = 1;
            while (x + run < end && run < 255 && p.At(x + run, y) == p.At(x, y)) ++run;
            return run;
        };
        for (int x = 0; x < end;) {
            const int run = runAt(x);
            if (skips && p.At(x, y) == 0 && run >= 3) {
                pair(0, 2), pair(run, 0);
            } else if (run >= 3) {
                pair(run, value(p.At(x, y)));
            } else {
                int n = 0;
                while (x + n < end && n < 255 && runAt(x + n) < 3) ++n;
                if (n < 3) {
                    for (int i = 0; i < n; ++i) pair(1, value(p.At(x + i, y)));
                } else {
                    pair(0, n);
                    std::string bytes;
                    for (int i = 0; i < n; ++i) {
                        if (bpp == 8)
                            bytes += char(p.At(x + i, y));
                        else if (i % 2 == 0)
                            bytes += char(p.At(x + i, y) << 4);
                        else
                            bytes.back() = char(bytes.back() | p.At(x + i, y));
                    }
                    if (bytes.size() % 2) bytes += '\0';
                    out += bytes;
                }
                x += n;
                continue;
            }
            x += run;
        }
        if (row < p.height - 1) pair(0, 0);
    }
    pair(0, 1);
    return out;
}

// A BMP of 1, 4 or 8 bits around its pixel bytes (rows, or run-length codes), with the image size given.
inline std::string IndexedBmpFile(int width, int height, int bpp, BmpCoding coding, const std::vector<Rgb>& table,
                                  const std::string& pixels, unsigned storedSize)
{
    std::string info;
    Put32(info, 40), Put32(info, width), Put32(info, height), Put16(info, 1), Put16(info, bpp);
    Put32(info, static_cast<unsigned>(coding)), Put32(info, storedSize);
    Put32(info, 0), Put32(info, 0), Put32(info, table.size()), Put32(info, 0);
    for (const Rgb& c : table) info += char(c.b), info += char(c.g), info += char(c.r), info += char(0);
    std::string file = "BM";
    Put32(file, 14 + info.size() + pixels.size()), Put32(file, 0), Put32(file, 14 + info.size());
    return file + info + pixels;
}

// The picture as a BMP of 1, 4 or 8 bits, plain or run-length coded; storedSize false leaves the header's
// image size 0.
inline std::string MakeIndexedBmp(const IndexedPicture& p, int bpp, BmpCoding coding, bool skips = true,
                                  bool storedSize = true)
{
    if (coding != BmpCoding::Plain) {
        const std::string codes = RunLengthCodes(p, bpp, skips);
        return IndexedBmpFile(p.width, p.height, bpp, coding, p.table, codes, storedSize ? codes.size() : 0);
    }
    const int stride = (bpp * p.width + 31) / 32 * 4;
    std::string rows;
    for (int y = p.height - 1; y >= 0; --y) {
        std::string line(stride, '\0');
        for (int x = 0; x < p.width; ++x) {
            const int perByte = 8 / bpp;
            line[x / perByte] = char(line[x / perByte] | p.At(x, y) << (8 - bpp * (x % perByte + 1)));
        }
        rows += line;
    }
    return IndexedBmpFile(p.width, p.height, bpp, coding, p.table, rows, 0);
}

// The first start-of-frame marker's size changed: the picture claims it without holding its data.
inline std::string WithFrameSize(std::string jpeg, unsigned width, unsigned height)
{
    for (size_t at = 2; at + 9 <= jpeg.size(); ++at) {
        const auto marker = static_cast<unsigned char>(jpeg[at + 1]);
        if (jpeg[at] != '\xFF' || (marker != 0xC0 && marker != 0xC2)) continue;
        jpeg[at + 5] = char(height >> 8), jpeg[at + 6] = char(height);
        jpeg[at + 7] = char(width >> 8), jpeg[at + 8] = char(width);
        break;
    }
    return jpeg;
}

struct Inks {
    std::uint8_t c, m, y, k;
};

enum class InkCoding {
    Cmyk,
    AdobeCmyk,
    AdobeYcck
};

// A JPEG in printing inks, left half one ink mix and right half another. Plain CMYK files store the inks and
// carry no Adobe marker; Adobe's store them inverted and carry it.
inline std::string MakeInkJpeg(int width, int height, InkCoding coding, Inks left, Inks right)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, coding == InkCoding::AdobeYcck ? JCS_YCCK : JCS_CMYK);
    info.write_Adobe_marker = coding != InkCoding::Cmyk;
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    const bool inverted = coding != InkCoding::Cmyk;
    std::vector<unsigned char> row(width * 4);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const Inks i = x < width / 2 ? left : right;
            const unsigned char inks[4] = {i.c, i.m, i.y, i.k};
            for (int c = 0; c < 4; ++c) row[x * 4 + c] = inverted ? 255 - inks[c] : inks[c];
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

struct DamagedFile {
    std::string name;
    std::string bytes;
    bool cut = false;  // ends early: only the end of a file shows it, inside a pack the next resource follows
};

// BMPs whose headers lie about their data, or that this reader does not take.
inline std::vector<DamagedFile> DamagedBmps()
{
    const std::string good = MakeBmp({.bpp = 8});
    auto with = [&](size_t at, std::string bytes) {
        return good.substr(0, at) + bytes + good.substr(at + bytes.size());
    };
    auto u32 = [](unsigned v) {
        std::string s;
        Put32(s, v);
        return s;
    };
    return {
        {"empty", "", true},
        {"file header only", good.substr(0, 14), true},
        {"cut in the colour table", good.substr(0, 14 + 40 + 10), true},
        {"pixels cut short", good.substr(0, good.size() - 3), true},
        {"more colours than 8 bits hold", with(14 + 32, u32(300))},
        {"image size below what the rows need", with(14 + 20, u32(4))},
        {"width 0", with(14 + 4, u32(0))},
        {"negative width", with(14 + 4, u32(0xFFFFFFFF))},
        {"height 0", with(14 + 8, u32(0))},
        {"huge width", with(14 + 4, u32(1u << 30))},
        {"7 bits per pixel", with(14 + 14, std::string("\x07\x00", 2))},
        {"4-bit run-length codes at 8 bits", with(14 + 16, u32(2))},
        {"bitfields at 8 bits", with(14 + 16, u32(3))},
        {"unknown header size", with(14, u32(20))},
        {"bits beyond the end", with(10, u32(1u << 20))},
        {"16384 x 16384 rows in a small file", with(14 + 4, u32(16384) + u32(16384))},
    };
}

inline std::vector<DamagedFile> DamagedJpegs()
{
    const std::string good = MakeJpeg(16, 16, false, {1, 2, 3}, {4, 5, 6});
    return {
        {"empty", "", true},
        {"start marker only", std::string("\xFF\xD8", 2)},
        {"cut in the header", good.substr(0, 40), true},
        {"not a picture", "not a picture at all"},
        {"frame of 65535 x 65535", std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\xFF\xFF\xFF\xFF\x03", 12)},
    };
}

}  // namespace picturefiles
