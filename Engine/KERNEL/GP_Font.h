// Bitmap fonts: a glyph picture and, for each of the 256 character codes (Windows-1251 for Russian), the
// rectangle of its glyph. Text is drawn glyph by glyph with colour-keyed blits, lines separated by CR LF.
#pragma once
#include <array>
#include <cstdint>

class CGP_ServerSet;
class CGP_Surface;

// The font resource's first record.
struct GP_FontHeader {
    std::uint32_t size;  // 20
    std::uint32_t unused;
    std::uint32_t imageID;     // the glyph picture
    std::uint32_t loadOption;  // for the graphics server
    std::uint8_t useColorKey;
    std::uint8_t unused2;
    std::uint16_t colorKey;
};
static_assert(sizeof(GP_FontHeader) == 20);

// A glyph's place in the picture; bottom is top plus the line height. Empty glyphs draw nothing.
struct GP_Glyph {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right > left ? right - left : 0; }
};

constexpr char GP_LineEnd = 13;

// 1 plus the number of CR characters.
int GP_CountLines(const char* text);

class CGP_Font {
public:
    CGP_Font();
    CGP_Font(const CGP_Font&) = delete;
    CGP_Font& operator=(const CGP_Font&) = delete;
    virtual ~CGP_Font() = default;

    // The header, the line height and the 256 glyph records from the binary server's open resource.
    void Read(CGP_ServerSet* servers);
    // Tool side: the same records to the binary server's write stream.
    void Write(CGP_ServerSet* servers);
    // The glyph picture in system memory, with the header's colour key when it asks for one.
    void CreateSurface(CGP_ServerSet* servers);
    // The glyph picture again after a reset of the graphics server.
    void ReloadSurface(CGP_ServerSet* servers);
    // Width of line lineIndex (from 0) of the text.
    int MeasureLine(const char* text, int lineIndex) const;
    // Draws the text onto the surface aligned by h and v (0 left/top, 1 centred, 2 right/bottom), then marks the
    // surface colour-keyed with key 0.
    void DrawText(CGP_Surface* surface, const char* text, int horizontalAlignment, int verticalAlignment);

    const GP_Glyph& GlyphOf(char c) const { return glyphs[static_cast<unsigned char>(c)]; }

    GP_FontHeader header{};
    std::array<GP_Glyph, 256> glyphs{};
    CGP_Surface* glyphSurface = nullptr;  // the graphics server's
    std::uint16_t lineHeight = 0;

private:
    void TakeColorKey();
};
