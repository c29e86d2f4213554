// The content generators' drawing kit: 24-bit pictures written as BMP files, and FreeType glyphs drawn onto them.
#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
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
    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
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
        if (ok) {
            ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
            descent = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
        }
    }
    ~GlyphRenderer()
    {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
    // Draws the character with its baseline at ascent below top; returns its advance.
    int Draw(Picture& picture, char32_t character, int left, int top, Rgb colour)
    {
        return DrawClipped(picture, character, left, top + ascent, colour, 0, 0, picture.width, picture.height);
    }
    // Draws the character with its pen at (penX, baseline), only inside the rectangle given; returns its advance.
    int DrawClipped(Picture& picture, char32_t character, int penX, int baseline, Rgb colour, int clipLeft, int clipTop,
                    int clipRight, int clipBottom)
    {
        if (!ok || FT_Load_Char(face, character, FT_LOAD_RENDER) != 0) return 0;
        const FT_GlyphSlot g = face->glyph;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                const int x = penX + g->bitmap_left + static_cast<int>(col);
                const int y = baseline - g->bitmap_top + static_cast<int>(row);
                if (g->bitmap.buffer[row * g->bitmap.pitch + col] >= kInkCoverage && x >= clipLeft && x < clipRight &&
                    y >= clipTop && y < clipBottom)
                    picture.Set(x, y, colour);
            }
        return static_cast<int>(g->advance.x >> 6);
    }
    // How far the characters' ink reaches above the baseline (topmost) and below it (bottommost), in pixels.
    void InkExtent(const std::vector<char32_t>& characters, int& topmost, int& bottommost)
    {
        topmost = bottommost = 0;
        for (char32_t c : characters) {
            if (!ok || FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) continue;
            const FT_GlyphSlot g = face->glyph;
            if (g->bitmap.rows == 0) continue;
            topmost = std::max(topmost, g->bitmap_top);
            bottommost = std::max(bottommost, static_cast<int>(g->bitmap.rows) - g->bitmap_top);
        }
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

    // Coverage from which a pixel of a glyph is ink; the pictures have no partial ink.
    static constexpr unsigned char kInkCoverage = 96;

    bool ok = false;
    int ascent = 0;   // the face's, above the baseline
    int descent = 0;  // the face's, below the baseline

private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

inline char32_t UnicodeOf(int cp1251) { return cp1251 < 0x80 ? static_cast<char32_t>(cp1251) : U'А' + (cp1251 - 0xC0); }

// Where a glyph lies on its sheet: its cell, from left to right (as wide as its advance), top to top + the sheet's
// cell height.
struct GlyphCell {
    int code = 0;  // Windows-1251
    int left = 0, top = 0, right = 0;
};

// A font's glyph sheet as the manifest describes it (the cell height and the cells), and where the glyphs stand in
// their cells (the baseline, from a cell's top).
struct FontGlyphs {
    int cellHeight = 0;
    int baseline = 0;
    std::vector<GlyphCell> cells;

    // The manifest's glyph lines: "  glyph <code> <left> <top> <right>".
    std::string Lines() const
    {
        std::string lines;
        for (const GlyphCell& c : cells)
            lines += "  glyph " + std::to_string(c.code) + " " + std::to_string(c.left) + " " + std::to_string(c.top) +
                     " " + std::to_string(c.right) + "\n";
        return lines;
    }
};

// The Windows-1251 codes a glyph sheet holds: 32 to 126 and А to я.
inline std::vector<int> GlyphSheetCodes()
{
    std::vector<int> codes;
    for (int c = 32; c < 127; ++c) codes.push_back(c);
    for (int c = 0xC0; c <= 0xFF; ++c) codes.push_back(c);
    return codes;
}

// The glyphs of GlyphSheetCodes side by side on a sheet 512 pixels wide, each in a cell of its own: as wide as its
// advance and as tall as the ascent plus the descent (the face's, or the ink's where a glyph such as "Й" reaches
// further), the glyph on the cell's baseline at its bearing and cut at the cell's edges, so that no glyph reaches
// into another's cell. glyphs gets the cells.
inline Picture GlyphSheet(GlyphRenderer& font, Rgb ink, FontGlyphs& glyphs)
{
    const std::vector<int> codes = GlyphSheetCodes();
    std::vector<char32_t> characters;
    for (int code : codes) characters.push_back(UnicodeOf(code));
    int inkTop = 0, inkBottom = 0;
    font.InkExtent(characters, inkTop, inkBottom);
    glyphs.baseline = std::max(font.ascent, inkTop);
    glyphs.cellHeight = glyphs.baseline + std::max(font.descent, inkBottom);
    glyphs.cells.clear();
    int x = 0, top = 0;
    for (int code : codes) {
        const int advance = font.Advance(UnicodeOf(code));
        if (x + advance > 512) x = 0, top += glyphs.cellHeight;
        glyphs.cells.push_back({code, x, top, x + advance});
        x += advance;
    }
    Picture sheet(512, top + glyphs.cellHeight);
    for (const GlyphCell& c : glyphs.cells)
        font.DrawClipped(sheet, UnicodeOf(c.code), c.left, c.top + glyphs.baseline, ink, c.left, c.top, c.right,
                         c.top + glyphs.cellHeight);
    return sheet;
}

// Puts each font's sheet into the manifest text: the cell height as the "height" of its statement
// (font "<name>" ... height <n> ...), its glyph lines under it. False when a font statement is missing.
inline bool PutFontGlyphs(std::string& manifest, const std::vector<std::pair<std::string, FontGlyphs>>& fonts)
{
    for (const auto& [name, glyphs] : fonts) {
        const std::size_t font = manifest.find("\nfont \"" + name + "\"");
        const std::size_t lineEnd = font == std::string::npos ? font : manifest.find('\n', font + 1);
        if (lineEnd == std::string::npos) return false;
        std::string line = manifest.substr(font + 1, lineEnd - font - 1);
        const std::size_t value = line.find(" height ");
        if (value == std::string::npos) return false;
        const std::size_t from = value + 8;
        line.replace(from, std::min(line.find(' ', from), line.size()) - from, std::to_string(glyphs.cellHeight));
        manifest.replace(font + 1, lineEnd - font, line + "\n" + glyphs.Lines());
    }
    return true;
}

// Writes the bytes to a new file; false when any step fails.
inline bool Write(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool done = std::fwrite(bytes.data(), bytes.size(), 1, file) == 1;
    return std::fclose(file) == 0 && done;
}

// PutFontGlyphs on the manifest file at path.
inline bool AddFontGlyphs(const std::string& path, const std::vector<std::pair<std::string, FontGlyphs>>& fonts)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string manifest = text.str();
    return in && PutFontGlyphs(manifest, fonts) && Write(path, manifest);
}

}  // namespace contentkit
