// The glyph sheets that the content kit renders through FreeType for the packs' fonts: every glyph inside its own
// cell, and text drawn with the engine's font from such a sheet inked only where FreeType inks the same text.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "GP_Font.h"
#include "GP_FontCache.h"
#include "GP_Surface.h"
#include "InterfacePack.h"
#include "PictureKit.h"

using namespace interfacepack;

namespace {

constexpr const char* kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr contentkit::Rgb kInk{250, 250, 240};

// Every font the packs carry: the face and the pixel size their generators render it at.
struct PackFont {
    const char* name;
    const char* face;
    int pixels;
};
const PackFont kPackFonts[] = {
    {"interface texts (Menu, Grey) and the form demo's", kSans, 14},
    {"interface titles (Title)", kSansBold, 20},
    {"level display (HUD)", kSansBold, 13},
};

bool Inked(const contentkit::Picture& picture, int x, int y)
{
    const contentkit::Rgb c = picture.At(x, y);
    return c.r || c.g || c.b;
}

// The text as FreeType renders it alone: each glyph at its bearing from a pen that moves by the advances, on the
// baseline given.
contentkit::Picture FreeTypeText(contentkit::GlyphRenderer& font, const std::u32string& text, int width, int height,
                                 int baseline)
{
    contentkit::Picture picture(width, height);
    int pen = 0;
    for (char32_t c : text) pen += font.DrawClipped(picture, c, pen, baseline, kInk, 0, 0, width, height);
    return picture;
}

// The name of the pack font's resource in the test's pack.
std::string FontName(const PackFont& f)
{
    return std::string(f.face == kSans ? "Sans" : "Bold") + std::to_string(f.pixels);
}

// A pack font's sheet as the kit renders it.
struct RenderedSheet {
    explicit RenderedSheet(const PackFont& f)
        : font(f.face, f.pixels), sheet(contentkit::GlyphSheet(font, kInk, glyphs))
    {
    }
    contentkit::GlyphRenderer font;
    contentkit::FontGlyphs glyphs;
    contentkit::Picture sheet;
};

using GlyphSheetTest = InterfacePackTest;

}  // namespace

TEST(GlyphSheet, EveryGlyphLiesInsideItsOwnCell)
{
    for (const PackFont& f : kPackFonts) {
        SCOPED_TRACE(f.name);
        RenderedSheet rendered(f);
        ASSERT_TRUE(rendered.font.ok);
        auto& [font, glyphs, sheet] = rendered;
        ASSERT_EQ(glyphs.cells.size(), contentkit::GlyphSheetCodes().size());
        // Each cell holds its own glyph alone, as FreeType renders it on the cell's baseline, and nothing else.
        std::set<std::pair<int, int>> inCells;
        for (const contentkit::GlyphCell& cell : glyphs.cells) {
            const contentkit::Picture alone = FreeTypeText(font, {contentkit::UnicodeOf(cell.code)},
                                                           cell.right - cell.left, glyphs.cellHeight, glyphs.baseline);
            for (int y = 0; y < glyphs.cellHeight; ++y)
                for (int x = 0; x < cell.right - cell.left; ++x) {
                    ASSERT_TRUE(inCells.insert({cell.left + x, cell.top + y}).second) << "cells overlap";
                    ASSERT_EQ(Inked(sheet, cell.left + x, cell.top + y), Inked(alone, x, y))
                        << "glyph " << cell.code << " at (" << x << ", " << y << ") of its cell";
                }
        }
        for (int y = 0; y < sheet.height; ++y)
            for (int x = 0; x < sheet.width; ++x)
                ASSERT_TRUE(!Inked(sheet, x, y) || inCells.count({x, y}))
                    << "ink outside every cell at " << x << ", " << y;
    }
}

// "Nii": nothing under the "N", each dot of an "i" above its stem.
TEST_F(GlyphSheetTest, NiiDrawnWithTheEnginesFontIsInkedOnlyWhereFreeTypeInksIt)
{
    std::vector<std::unique_ptr<RenderedSheet>> rendered;
    for (const PackFont& f : kPackFonts) {
        SCOPED_TRACE(f.name);
        rendered.push_back(std::make_unique<RenderedSheet>(f));
        ASSERT_TRUE(rendered.back()->font.ok);
        const contentkit::FontGlyphs& glyphs = rendered.back()->glyphs;
        const std::string fontName = FontName(f);
        AddPicture(fontName + ".bmp", rendered.back()->sheet.Bmp());
        AddWritten(Fonts, fontName, [this, fontName, glyphs](CGP_ServerSet& tool) {
            CGP_Font written;
            written.header.imageID = source.FindID((fontName + ".bmp").c_str(), Pictures);
            written.header.loadOption = 0xFFFFFFFF;
            written.header.useColorKey = 1;
            written.lineHeight = static_cast<std::uint16_t>(glyphs.cellHeight);
            for (const contentkit::GlyphCell& cell : glyphs.cells)
                written.glyphs[cell.code] = {cell.left, cell.top, cell.right, 0};
            written.Write(&tool);
        });
    }
    Build();
    CGP_FontCache cache(&names, servers.get());
    for (std::size_t i = 0; i < rendered.size(); ++i) {
        const PackFont& f = kPackFonts[i];
        SCOPED_TRACE(f.name);
        contentkit::GlyphRenderer& font = rendered[i]->font;
        const contentkit::FontGlyphs& glyphs = rendered[i]->glyphs;
        CGP_Font* engineFont = cache.GetFont(ID(Fonts, FontName(f)));
        ASSERT_NE(engineFont, nullptr);
        const int width = font.Width(U"Nii") + 4, height = glyphs.cellHeight + 4;
        auto drawn = MakeSurface(width, height);
        engineFont->DrawText(drawn.get(), "Nii", 0, 0);
        const contentkit::Picture reference = FreeTypeText(font, U"Nii", width, height, glyphs.baseline);
        int inked = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (PixelAt(*drawn, x, y) == 0) continue;
                ++inked;
                EXPECT_TRUE(Inked(reference, x, y)) << "ink where FreeType has none at " << x << ", " << y;
            }
        EXPECT_GT(inked, 0);
    }
}
