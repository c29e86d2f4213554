// Small picture files made by the tests: BMPs of every depth and header kind, and JPEGs written with libjpeg.
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
inline const std::vector<Rgb> Colours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {128, 128, 128}, {10, 20, 30}};

inline std::uint16_t Expected565(Rgb c) { return static_cast<std::uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3); }

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
        if (o.bpp == 16) Put32(info, 0xF800), Put32(info, 0x07E0), Put32(info, 0x001F);
        else Put32(info, 0x00FF0000), Put32(info, 0x0000FF00), Put32(info, 0x000000FF);
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
    return Expected565(Rgb{std::uint8_t(widen(c.r >> 3)), std::uint8_t(widen(c.g >> 3)), std::uint8_t(widen(c.b >> 3))});
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
            if (grey) row[x] = c.r;
            else row[x * 3] = c.r, row[x * 3 + 1] = c.g, row[x * 3 + 2] = c.b;
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
    auto with = [&](size_t at, std::string bytes) { return good.substr(0, at) + bytes + good.substr(at + bytes.size()); };
    auto u32 = [](unsigned v) { std::string s; Put32(s, v); return s; };
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
        {"run-length compression", with(14 + 16, u32(1))},
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
