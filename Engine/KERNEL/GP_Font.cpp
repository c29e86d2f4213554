#include "GP_Font.h"

#include "GP_BinaryServer.h"
#include "GP_GraphServer.h"
#include "GP_ServerSet.h"
#include "GP_Surface.h"

namespace {

// The text after the line end at text, which is a CR: the character after it (LF) is skipped too, unless the
// text ends there.
const char* AfterLineEnd(const char* text)
{
    ++text;
    return *text ? text + 1 : text;
}

const char* LineStart(const char* text, int lineIndex)
{
    for (; lineIndex > 0 && *text; ++text) {
        if (*text != GP_LineEnd) continue;
        text = AfterLineEnd(text) - 1;
        --lineIndex;
    }
    return text;
}

// Offset of a block of `used` pixels in `space` by an alignment code; halves round toward minus infinity.
int AlignedStart(int space, int used, int alignment)
{
    if (alignment == 1) return (space - used) >> 1;
    if (alignment == 2) return space - used;
    return 0;
}

}  // namespace

int GP_CountLines(const char* text)
{
    int lines = 1;
    for (; *text; ++text) lines += *text == GP_LineEnd;
    return lines;
}

CGP_Font::CGP_Font() { header.size = sizeof(GP_FontHeader); }

void CGP_Font::Read(CGP_ServerSet* servers)
{
    CGP_BinaryServer& in = *servers->binary;
    in.ReadData(&header, sizeof header);
    in.Read(lineHeight);
    for (GP_Glyph& glyph : glyphs) {
        std::uint16_t left = 0, top = 0, right = 0;
        in.Read(left), in.Read(top), in.Read(right);
        glyph = GP_Glyph{left, top, right, top + lineHeight};
    }
}

void CGP_Font::Write(CGP_ServerSet* servers)
{
    CGP_BinaryServer& out = *servers->binary;
    header.size = sizeof header;
    out.WriteData(&header);
    out.Write(lineHeight);
    for (const GP_Glyph& glyph : glyphs) {
        out.Write(static_cast<std::uint16_t>(glyph.left));
        out.Write(static_cast<std::uint16_t>(glyph.top));
        out.Write(static_cast<std::uint16_t>(glyph.right));
    }
}

void CGP_Font::TakeColorKey()
{
    if (!header.useColorKey) return;
    glyphSurface->useColorKey = 1;
    glyphSurface->SetSourceColorKey(header.colorKey);
}

void CGP_Font::CreateSurface(CGP_ServerSet* servers)
{
    servers->graphics->pendingColorKey = nullptr;
    ReloadSurface(servers);
}

void CGP_Font::ReloadSurface(CGP_ServerSet* servers)
{
    glyphSurface = servers->graphics->LoadSurface(header.imageID, header.loadOption, 1, nullptr);
    TakeColorKey();
}

int CGP_Font::MeasureLine(const char* text, int lineIndex) const
{
    int width = 0;
    for (const char* c = LineStart(text, lineIndex); *c && *c != GP_LineEnd; ++c) width += GlyphOf(*c).Width();
    return width;
}

void CGP_Font::DrawText(CGP_Surface* surface, const char* text, int horizontalAlignment, int verticalAlignment)
{
    int y = AlignedStart(surface->height, lineHeight * GP_CountLines(text), verticalAlignment);
    for (;;) {
        int x = AlignedStart(surface->width, MeasureLine(text, 0), horizontalAlignment);
        for (; *text && *text != GP_LineEnd; ++text) {
            const GP_Glyph& glyph = GlyphOf(*text);
            if (glyph.Width() <= 0) continue;
            if (glyphSurface) glyphSurface->BltFast(surface, x, y, glyph.left, glyph.top, glyph.right, glyph.bottom);
            x += glyph.Width();
        }
        y += lineHeight;
        if (!*text) break;
        text = AfterLineEnd(text);
    }
    surface->useColorKey = 1;
    surface->SetSourceColorKey(0);
}
