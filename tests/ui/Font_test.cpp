#include <gtest/gtest.h>

#include "../blit/BlitFixtures.h"
#include "UiFixtures.h"
#include "blit/Blend565.h"
#include "blit/PixelTables.h"
#include "ui/TrueTypeFace.h"

using namespace ui_test;

namespace {

// Every pixel of two glyphs, compared through the frames' own pixel queries.
bool SameShape(const CFrame& a, const CFrame& b)
{
    if (a.GetBounds() != b.GetBounds()) return false;
    const platform::Rect r = a.GetBounds();
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            Color ca, cb;
            a.GetPixelColor(x, y, ca);
            b.GetPixelColor(x, y, cb);
            if (ca.ToU32() != cb.ToU32()) return false;
        }
    return true;
}

TEST(FontTest, GlyphTableGrowsToExactlyTheCodeAndStopsAtSixteenBits)
{
    auto font = MakeFont();
    EXPECT_EQ(font->GetGlyphTableSize(), 255u);
    ASSERT_NE(font->GetGlyph(8364), nullptr);
    EXPECT_EQ(font->GetGlyphTableSize(), 8365u);
    EXPECT_EQ(font->GetGlyph(0x10000), nullptr);
    EXPECT_EQ(font->GetGlyph(0xFFFFFFFFu), nullptr) << "an unbounded code must not grow the table";
    EXPECT_EQ(font->GetGlyphTableSize(), 8365u);
}

TEST(FontTest, GlyphsAreRunEncodedAtTheDisplayDepthWithTheAdvanceAsWidth)
{
    auto font = MakeFont();
    CFrame* glyph = font->GetGlyph('M');
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->GetBitDepth(), 16);
    EXPECT_TRUE(glyph->IsEncoded());
    EXPECT_GT(glyph->GetWidth(), 5);
    EXPECT_GE(glyph->GetHeight(), font->GetHeight());
    EXPECT_LT(glyph->GetOriginY(), 1) << "origin y is 1 - descent";
    EXPECT_EQ(font->GetLineHeight(), glyph->GetOriginY() + font->GetHeight());
}

TEST(FontTest, GlyphsDrawnThroughTheirBlitTypeShowTheirOwnPixels)
{
    auto font = MakeFont(20.0f);
    font->SetGeneratedColor(MakeColor(255, 200, 40));
    const std::uint16_t background = PackRGB565(30, 40, 90), ink = PackRGB565(255, 200, 40);
    for (bool simd : {false, true}) {
        blit_test::BothVariants variant(simd);
        for (int code : {'W', 'g', '@'}) {
            CFrame* glyph = font->GetGlyph(code);
            ASSERT_NE(glyph, nullptr);
            const platform::Rect bounds = glyph->GetBounds();
            CFrame screen;
            screen.Create(bounds.Width() + 6, bounds.Height() + 4, 16);
            for (int i = 0; i < screen.GetWidth() * screen.GetHeight(); ++i)
                std::memcpy(screen.GetPixels() + 2 * i, &background, 2);
            ASSERT_TRUE(screen.BlitAt(glyph, 3 - bounds.left, 2 - bounds.top, font->GetBlitType()));
            int inked = 0;
            for (int y = 0; y < bounds.Height(); ++y)
                for (int x = 0; x < bounds.Width(); ++x) {
                    Color c;
                    ASSERT_TRUE(glyph->GetPixelColor(bounds.left + x, bounds.top + y, c));
                    const std::uint16_t drawn = blit_test::Pixel16(screen, x + 3, y + 2);
                    if (c.A == 0) {
                        EXPECT_EQ(drawn, background) << char(code) << " at " << x << "," << y;
                        continue;
                    }
                    ++inked;
                    EXPECT_EQ(MakeColor(c.R, c.G, c.B).ToU32(),
                              MakeColor(Red565(ink), Green565(ink), Blue565(ink)).ToU32())
                        << char(code) << " at " << x << "," << y;
                    // The vector form blends groups of four pixels with its own rounding.
                    const bool blended = c.A == 255 ? drawn == ink
                                                    : drawn == Blend565(background, ink, c.A) ||
                                                          (simd && drawn == Blend565Lanes(background, ink, c.A));
                    EXPECT_TRUE(blended) << char(code) << " at " << x << "," << y << " alpha " << int(c.A);
                }
            EXPECT_GT(inked, 10) << char(code);
            for (int x = 0; x < screen.GetWidth(); ++x) {
                EXPECT_EQ(blit_test::Pixel16(screen, x, 0), background) << "nothing is drawn outside the glyph";
                EXPECT_EQ(blit_test::Pixel16(screen, x, screen.GetHeight() - 1), background);
            }
        }
    }
}

// The first and last line of a glyph (frame lines from its top) that hold a pixel with coverage.
std::pair<int, int> InkedLines(const CFrame& glyph)
{
    const platform::Rect r = glyph.GetBounds();
    int first = -1, last = -1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            Color c;
            glyph.GetPixelColor(x, y, c);
            if (c.A == 0) continue;
            if (first < 0) first = y - r.top;
            last = y - r.top;
        }
    return {first, last};
}

TEST(FontTest, GlyphsKeepTheHeightOfTheirLettersAboutTheBaseline)
{
    auto font = MakeFont(20.0f);
    const int baseline = font->GetHeight();  // the line of the glyph frame the bitmap's top is measured from
    const auto [stemTop, stemBottom] = InkedLines(*font->GetGlyph('l'));
    EXPECT_GE(stemBottom - stemTop + 1, baseline * 2 / 3) << "the stem of l is most of the ascent";
    EXPECT_EQ(stemBottom, baseline - 1) << "and stands on the baseline";
    const auto [tailTop, tailBottom] = InkedLines(*font->GetGlyph('g'));
    EXPECT_GT(tailBottom, baseline + 1) << "the tail of g hangs below the baseline";
}

TEST(FontTest, AllCapsDrawsTheUpperCaseShapeUnderTheLowerCaseCode)
{
    auto caps = MakeFont();
    caps->SetAllCaps(true);
    auto plain = MakeFont();
    CFrame* a = caps->GetGlyph('a');
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(SameShape(*a, *plain->GetGlyph('A')));
    EXPECT_FALSE(SameShape(*a, *plain->GetGlyph('a')));
    EXPECT_EQ(caps->GetGlyph('a'), a) << "cached under the code asked for";
}

TEST(FontTest, ControlCodesAreNeitherMeasuredNorDrawn)
{
    auto font = MakeFont();
    EXPECT_EQ(font->MeasureWidth("A\x01\x13"
                                 "B"),
              font->MeasureWidth("AB"));
    EXPECT_EQ(font->MeasureWidth("ABC", 2), font->MeasureWidth("AB"));
    RecordingFrame frame;
    font->DrawText(&frame, 0, 0, "");
    EXPECT_TRUE(frame.blits.empty());
    font->DrawText(&frame, 0, 0,
                   "A\x05"
                   "B");
    EXPECT_EQ(frame.blits.size(), 2u);
}

TEST(FontTest, JustificationMovesTheLineByItsWidthOrTheFixedAdvance)
{
    auto font = MakeFont();
    const int width = font->MeasureWidth("Hello");
    const int digit = font->GetCharWidth('0');
    struct Case {
        int justification;
        int fixedChar;
        const char* text;
        int firstX;
    } cases[] = {
        {kJustifyLeft, 0, "Hello", 100},
        {kJustifyCentre, 0, "Hello", 100 - width / 2},
        {kJustifyRight, 0, "Hello", 100 - width},
        // Only codes of 32 and above count when centring on a fixed advance: three digits, not four characters.
        {kJustifyCentre, '0',
         "1\x19"
         "11",
         100 - digit * 3 / 2 + (digit - font->GetCharWidth('1')) / 2},
        {kJustifyRight, '0', "111", 100 - digit * 3 + (digit - font->GetCharWidth('1')) / 2},
    };
    for (const Case& c : cases) {
        RecordingFrame frame;
        font->DrawText(&frame, 100, 10, c.text, c.justification, c.fixedChar);
        ASSERT_FALSE(frame.blits.empty());
        EXPECT_EQ(frame.blits.front().left, c.firstX) << c.text << " justification " << c.justification;
    }
}

TEST(FontTest, LineBreakTable)
{
    auto font = MakeFont();
    const int hello = font->MeasureWidth("Hello");
    const int helloSpace = font->MeasureWidth("Hello ");
    const int h = font->MeasureWidth("H");
    static const std::uint16_t kWideText[] = {0x416, 0x416, ' ', 0x416, 0x416};
    const CString wide(kWideText, 5);
    struct Case {
        CString text;
        int width;
        bool breakWords;
        int expected;
        const char* why;
    } cases[] = {
        {"Hello world", helloSpace + 1, true, 6, "the first word and its closing space"},
        {"Hello world", helloSpace, false, 0, "the closing space must fit too"},
        {"Hello world", hello + 1, false, 0, "fits only without its space"},
        {"Hello world", hello + 1, true, 5, "cut by characters"},
        {"Hi\nthere friend", 1000, true, 3, "a \"\\n\" piece ends the line"},
        {"Hello", h, true, 0, "the first character is already too wide"},
        {"", 100, true, 0, "an empty text"},
        {wide, 1000, false, 5, "UTF-16 breaks by characters whatever breakWords says"},
        {wide, font->MeasureWidth(wide, 3) + 1, false, 3, "UTF-16 never breaks at the word"},
    };
    for (const Case& c : cases) {
        CString out;
        EXPECT_EQ(font->LineBreak(c.text, c.width, &out, c.breakWords), c.expected) << c.why;
        EXPECT_EQ(out.GetLength(), c.expected) << c.why;
    }
}

TEST(FontTest, WrapTextBreaksAtWordsAndDropsTrailingBlanks)
{
    auto font = MakeFont();
    const int width = font->MeasureWidth("alpha beta ") + 1;
    const CString wrapped = font->WrapText("alpha beta  alpha beta", width);
    EXPECT_STREQ(wrapped.GetText(), "alpha beta\n alpha beta");
}

TEST(FontTest, WrappedMeasuresCountLinesAndCountAnEmptyLineBeforeCuttingAWord)
{
    auto font = MakeFont();
    const int line = font->GetLineHeight();
    const CString empty("");
    EXPECT_EQ(font->MeasureWrappedHeight(empty, 200, 2, 0, 0, 0, 0, 0, 0), 0);
    const CString one("Hello");
    EXPECT_EQ(font->MeasureWrappedHeight(one, 200, 2, 0, 0, 0, 0, 0, 0), line);
    const CString two("Hello\nworld");
    EXPECT_EQ(font->MeasureWrappedHeight(two, 200, 2, 0, 0, 0, 0, 0, 0), 2 * line + 2);
    // A long word does not fit a first line indented by 150: an empty first line is counted, and the word goes
    // whole on the next (later) line rather than being cut.
    const CString word("Extraordinarily");
    const int wordWidth = font->MeasureWidth(word);
    const int width = wordWidth + 10;
    EXPECT_EQ(font->MeasureWrappedHeight(word, width, 0, 0, 150, 0, 0, 0, 0), 2 * line);
    EXPECT_EQ(font->MeasureWrappedWidth(word, width, 0, 0, 150, 0, 0, 0, 0), wordWidth);
    int y = 7;
    EXPECT_EQ(font->DrawWrappedText(nullptr, 0, y, word, width, 0, 0, 150, 0, 0, 0, 0), 2);
    EXPECT_EQ(y, 7 + 2 * line);
}

TEST(FontTest, WrappedLayoutCacheHitsOnlyOnTheSameTextObjectContentAndArguments)
{
    auto font = MakeFont();
    CString text("Some words to wrap here");
    font->MeasureWrappedHeight(text, 80, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(font->LastMeasureWasCached());
    font->MeasureWrappedWidth(text, 80, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_TRUE(font->LastMeasureWasCached()) << "height and width share one layout";
    font->MeasureWrappedHeight(text, 81, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(font->LastMeasureWasCached()) << "another argument";
    text.Append("!");
    font->MeasureWrappedHeight(text, 81, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(font->LastMeasureWasCached()) << "changed content";
    const CString copy(text);
    font->MeasureWrappedHeight(copy, 81, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(font->LastMeasureWasCached()) << "another text object";
}

TEST(FontTest, ChangingTheSizeInvalidatesTheWrappedLayout)
{
    auto font = MakeFont(12.0f);
    const CString text("One two three four five six seven");
    const int small = font->MeasureWrappedHeight(text, 120, 0, 0, 0, 0, 0, 0, 0);
    font->SetPointSize(24.0f);
    const int large = font->MeasureWrappedHeight(text, 120, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(font->LastMeasureWasCached());
    EXPECT_GT(large, small * 2) << "twice the line height and more lines";
    font->SetAllCaps(true);
    font->MeasureWrappedHeight(text, 120, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(font->LastMeasureWasCached());
}

TEST(FontTest, ScalingIsRelativeToTheFirstSizeAndReleasesTheGlyphs)
{
    auto font = MakeFont(12.0f);
    const int height12 = font->GetHeight();
    font->ScalePointSize(2.0f);
    font->ScalePointSize(2.0f);
    EXPECT_FLOAT_EQ(font->GetPointSize(), 24.0f);
    EXPECT_GT(font->GetHeight(), height12 * 3 / 2);
    EXPECT_EQ(font->GetRoundedPointSize(), 24);
    font->SetPointSize(10.2f);
    EXPECT_EQ(font->GetRoundedPointSize(), 11);
}

TEST(FontTest, TheLastFaceReleasesTheLibrary)
{
    const int before = TrueTypeFace::GetOpenFaceCount();
    {
        auto font = MakeFont();
        font->GetGlyph('A');
        EXPECT_EQ(TrueTypeFace::GetOpenFaceCount(), before + 1);
    }
    EXPECT_EQ(TrueTypeFace::GetOpenFaceCount(), before);
}

TEST(FontDeathTest, AFileThatIsNoFontEndsTheProcessWithCodeOne)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    auto font = MakeFont();
    const int junk = GetTrueTypeFontList().Find("Resources/junk.ttf");
    ASSERT_GE(junk, 0);
    font->SetFamilyIndex(junk);
    EXPECT_EXIT(font->GetGlyph('A'), testing::ExitedWithCode(1), "is not a font file or could not be opened");
}

}  // namespace
