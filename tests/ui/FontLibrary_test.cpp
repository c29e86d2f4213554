#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiFixtures.h"
#include "foundation/CFile.h"
#include "ui/BitmapFont.h"
#include "ui/FontLibrary.h"

using namespace ui_test;

namespace {

constexpr char kTrueTypeFont[] = "CFont\r\n{\r\n\tPoint Size=10\r\n}\r\n";
constexpr char kBitmapFont[] = "CFontBitmap\r\n{\r\n\tBitmap/First ASCII=32\r\n\tBitmap/Last ASCII=125\r\n}\r\n";

// A font folder of its own below the work folder, removed at the end.
class FontFolder : public testing::Test {
protected:
    void SetUp() override
    {
        PrepareFontFolder();
        // Named after the test, since the tests of the suite may run side by side in processes of their own.
        folder = std::string("FontFixture-") + testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                 std::to_string(::getpid());
        std::filesystem::remove_all(folder);
    }
    void TearDown() override
    {
        std::filesystem::remove_all(folder);
        std::filesystem::remove_all(std::string("Cache/") + folder);
    }
    void Write(const std::string& name, const char* text) { testsupport::WriteFile(folder + "/" + name, text); }
    std::unique_ptr<FontLibrary> Library()
    {
        auto library = std::make_unique<FontLibrary>(("Fonts of " + folder).c_str(), "");
        library->LoadFromFolder(nullptr, folder.c_str(), 0);
        return library;
    }
    // Three 32-bit glyph frames of widths 3, 4 and 5.
    static void AddGlyphs(CSequence& sequence)
    {
        for (int width = 3; width <= 5; ++width) {
            auto frame = std::make_unique<CFrame>();
            frame->Create(width, 8, 32);
            frame->Fill(MakeColor(255, 255, 255));
            sequence.AddFrame(std::move(frame));
        }
    }

    std::string folder;
};

TEST_F(FontFolder, IndicesPastTheEndGiveTheFirstFontAndNoneMeansNoFont)
{
    auto empty = Library();
    EXPECT_EQ(empty->GetFont(0), nullptr);

    Write("alpha.FONT.TXT", kTrueTypeFont);
    Write("beta.FONT.TXT", kTrueTypeFont);
    Write("gamma.FONT.TXT", kBitmapFont);
    auto library = Library();
    ASSERT_EQ(library->GetCount(), 3);
    EXPECT_STREQ(library->GetName(0), "alpha");
    CFont* first = library->GetFont(0);
    ASSERT_NE(first, nullptr);
    EXPECT_FLOAT_EQ(first->GetPointSize(), 10.0f);
    EXPECT_EQ(library->GetFont(7), first);
    EXPECT_TRUE(library->GetFont(2)->IsKindOf(CFontBitmap::GetStaticClassInfo()));
    EXPECT_EQ(library->IndexOfFont(library->GetFont(1)), 1);
    FontReference plain(*library, 0);
    EXPECT_EQ(plain.Resolve(), first);
    EXPECT_FALSE(plain.GetSize().IsEmpty()) << "the glyph of A";
}

TEST_F(FontFolder, AFirstItemNamedNoneMakesReferenceZeroNoFont)
{
    Write("none.FONT.TXT", kTrueTypeFont);
    Write("second.FONT.TXT", kTrueTypeFont);
    auto library = Library();
    ASSERT_STREQ(library->GetName(0), "none");
    EXPECT_EQ(FontReference(*library, 0).Resolve(), nullptr);
    EXPECT_EQ(FontReference(*library, 1).Resolve(), library->GetFont(1));
    EXPECT_TRUE(FontReference(*library, 0).GetSize().IsEmpty());
}

TEST_F(FontFolder, BitmapGlyphsComeFromTheSequenceWithinTheirRangeAndTrueTypeElsewhere)
{
    Write("Glyphs.FONT.TXT", kBitmapFont);
    CSequence glyphs;
    AddGlyphs(glyphs);
    ASSERT_TRUE(glyphs.SaveSequenceFile(folder.c_str(), "Glyphs", 65, true, false));
    auto library = Library();
    auto* font = static_cast<CFontBitmap*>(library->GetFont(0));
    ASSERT_TRUE(font->IsKindOf(CFontBitmap::GetStaticClassInfo()));
    ASSERT_EQ(font->GetGlyphSequence()->GetFrameCount(), 3u);
    EXPECT_EQ(font->GetGlyph(32), font->GetGlyphSequence()->GetFrame(0));
    EXPECT_EQ(font->GetCharWidth(' '), 3);
    EXPECT_EQ(font->GetCharWidth('"'), 5);
    CFrame* below = font->GetGlyph(31);
    CFrame* past = font->GetGlyph(35);
    ASSERT_NE(past, nullptr);
    EXPECT_NE(past->GetWidth(), 0);
    for (CFrame* trueType : {below, past})
        for (std::uint32_t i = 0; i < 3; ++i) EXPECT_NE(trueType, font->GetGlyphSequence()->GetFrame(i));
}

TEST_F(FontFolder, GlyphCachesRoundTripAndDamagedOnesAreRefused)
{
    CFontBitmap written;
    written.SetCodeRange(40, 90);
    AddGlyphs(*written.GetGlyphSequence());
    written.GetGlyphSequence()->SetHeightWithoutDescenders(9);
    ASSERT_TRUE(written.WriteGlyphCache(folder.c_str(), "Cached", 65, true, true));
    EXPECT_TRUE(std::filesystem::exists("Cache/" + folder + "/Cached.Sequence"));

    CFontBitmap read;
    ASSERT_TRUE(read.ReadGlyphCache(folder.c_str(), "Cached"));
    EXPECT_EQ(read.GetFirstCode(), 40);
    EXPECT_EQ(read.GetLastCode(), 90);
    EXPECT_EQ(read.GetHeight(), written.GetHeight());
    ASSERT_EQ(read.GetGlyphSequence()->GetFrameCount(), 3u);
    EXPECT_EQ(read.GetGlyph(42)->GetWidth(), 5);
    CFontBitmap again;
    EXPECT_TRUE(again.ReadGlyphCache(folder.c_str(), "Cached")) << "the cache is not overwritten by a source save";

    // The cache path is also the sequence source's: a source there is never overwritten with a glyph cache.
    CSequence source;
    AddGlyphs(source);
    ASSERT_TRUE(source.SaveSequenceFile(folder.c_str(), "Source", 65, true, false));
    EXPECT_FALSE(written.WriteGlyphCache(folder.c_str(), "Source", 65, true, true));
    CSequence reread;
    EXPECT_TRUE(reread.LoadSequenceFile(folder.c_str(), "Source"));
    EXPECT_EQ(reread.GetFrameCount(), 3u);

    CFontBitmap missing;
    EXPECT_FALSE(missing.ReadGlyphCache(folder.c_str(), "Nothing"));
    const std::string damaged = "Cache/" + folder + "/Damaged.Sequence";
    testsupport::WriteFile(damaged, std::string("\x20\0\0\0\x7d\0\0", 7));
    EXPECT_FALSE(missing.ReadGlyphCache(folder.c_str(), "Damaged")) << "cut inside the header";
    testsupport::WriteFile(damaged, std::string("\x20\0\0\0\x00\x10\0\0\x0c\0\0\0", 12));
    EXPECT_FALSE(missing.ReadGlyphCache(folder.c_str(), "Damaged")) << "a last code beyond 255";
}

}  // namespace
