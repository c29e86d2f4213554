// The content generators' drawing kit: 24-bit pictures written as BMP files, and FreeType glyphs drawn onto them.
#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace contentkit {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

class Picture {
public:
    Picture(int width, int height) : width(width), height(height), pixels(static_cast<std::size_t>(width) * height) {}
    void Set(int x, int y, Rgb c)
    {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<std::size_t>(y) * width + x] = c;
    }
    void Fill(int left, int top, int w, int h, Rgb c)
    {
        for (int y = top; y < top + h; ++y)
            for (int x = left; x < left + w; ++x) Set(x, y, c);
    }
    Rgb Get(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    void Frame(int left, int top, int w, int h, Rgb c)
    {
        Fill(left, top, w, 1, c), Fill(left, top + h - 1, w, 1, c);
        Fill(left, top, 1, h, c), Fill(left + w - 1, top, 1, h, c);
    }
    std::string Bmp() const
    {
        auto put16 = [](std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); };
        auto put32 = [&](std::string& s, unsigned v) { put16(s, v & 0xFFFF), put16(s, v >> 16); };
        const int stride = (width * 3 + 3) / 4 * 4;
        std::string rows;
        for (int y = height - 1; y >= 0; --y) {
            std::string line(stride, '\0');
            for (int x = 0; x < width; ++x) {
                const Rgb& c = pixels[static_cast<std::size_t>(y) * width + x];
                line[x * 3] = char(c.b), line[x * 3 + 1] = char(c.g), line[x * 3 + 2] = char(c.r);
            }
            rows += line;
        }
        std::string info;
        put32(info, 40), put32(info, width), put32(info, height), put16(info, 1), put16(info, 24);
        for (int i = 0; i < 6; ++i) put32(info, 0);
        std::string file = "BM";
        put32(file, static_cast<unsigned>(14 + info.size() + rows.size())), put32(file, 0), put32(file, 54);
        return file + info + rows;
    }

    int width, height;

private:
    std::vector<Rgb> pixels;
};

// Glyphs of one face at one pixel size, drawn in one colour onto pictures.
class GlyphRenderer {
public:
    GlyphRenderer(const char* fontFile, int pixelSize)
    {
        ok = FT_Init_FreeType(&library) == 0 && FT_New_Face(library, fontFile, 0, &face) == 0 &&
             FT_Set_Pixel_Sizes(face, 0, pixelSize) == 0;
        if (ok) ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    }
    ~GlyphRenderer()
    {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
    // Draws the character with its baseline at ascent below top; returns its advance.
    int Draw(Picture& picture, char32_t character, int left, int top, Rgb colour)
    {
        if (!ok || FT_Load_Char(face, character, FT_LOAD_RENDER) != 0) return 0;
        const FT_GlyphSlot g = face->glyph;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col)
                if (g->bitmap.buffer[row * g->bitmap.pitch + col] >= 96)
                    picture.Set(left + g->bitmap_left + static_cast<int>(col),
                                top + ascent - g->bitmap_top + static_cast<int>(row), colour);
        return static_cast<int>(g->advance.x >> 6);
    }
    int Advance(char32_t character)
    {
        if (!ok || FT_Load_Char(face, character, FT_LOAD_DEFAULT) != 0) return 0;
        return static_cast<int>(face->glyph->advance.x >> 6);
    }
    int Text(Picture& picture, const std::u32string& text, int left, int top, Rgb colour)
    {
        for (char32_t c : text) left += Draw(picture, c, left, top, colour);
        return left;
    }
    int Width(const std::u32string& text)
    {
        int w = 0;
        for (char32_t c : text) w += Advance(c);
        return w;
    }

    bool ok = false;
    int ascent = 0;

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

inline char32_t UnicodeOf(int cp1251) { return cp1251 < 0x80 ? static_cast<char32_t>(cp1251) : U'А' + (cp1251 - 0xC0); }

// The glyphs of the Windows-1251 codes 32 to 126 and А to я side by side in rows of lineHeight on a sheet 512
// pixels wide; lines gets the manifest's glyph lines of a font drawn from that sheet.
inline Picture GlyphSheet(GlyphRenderer& font, int lineHeight, Rgb ink, std::string& lines)
{
    std::vector<int> codes;
    for (int c = 32; c < 127; ++c) codes.push_back(c);
    for (int c = 0xC0; c <= 0xFF; ++c) codes.push_back(c);
    Picture sheet(512, lineHeight * 8);
    int x = 0, row = 0;
    for (int code : codes) {
        const int advance = font.Advance(UnicodeOf(code));
        if (x + advance > sheet.width) x = 0, ++row;
        font.Draw(sheet, UnicodeOf(code), x, row * lineHeight, ink);
        lines += "  glyph " + std::to_string(code) + " " + std::to_string(x) + " " + std::to_string(row * lineHeight) +
                 " " + std::to_string(x + advance) + "\n";
        x += advance;
    }
    return sheet;
}

// Writes the bytes to a new file; false when any step fails.
inline bool Write(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool done = std::fwrite(bytes.data(), bytes.size(), 1, file) == 1;
    return std::fclose(file) == 0 && done;
}

}  // namespace contentkit
