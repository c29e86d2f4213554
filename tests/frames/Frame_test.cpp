#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "FrameFixtures.h"
#include "blit/Blend565.h"
#include "blit/BlitType.h"
#include "frames/ColorTable.h"
#include "frames/Frame.h"
#include "platform/cpu_features.h"

using platform::Rect;
using namespace frames_test;

namespace {

TEST(FrameTest, NewAndEmptyFramesAnswerNothing)
{
    CFrame frame;
    EXPECT_EQ(frame.GetPitch(), 0);
    EXPECT_EQ(frame.GetLineOffsets(), nullptr);
    EXPECT_EQ(frame.GetBitDepth(), 0);
    EXPECT_FALSE(frame.Clear());
    EXPECT_FALSE(frame.SetPixel(0, 0, kOpaqueWhite));
    Color c = kOpaqueWhite;
    EXPECT_FALSE(frame.GetPixelColor(0, 0, c));
    EXPECT_EQ(c.A, 0);
    EXPECT_FALSE(frame.Blit(NumberedFrame(2, 2, 8).get(), Rect{0, 0, 2, 2}, Rect{0, 0, 2, 2}, nullptr));
}

TEST(FrameTest, SizesLineTablesAndLog2)
{
    CFrame one;
    ASSERT_TRUE(one.Create(1, 1, 16));
    ASSERT_EQ(one.GetLineTable(0).size(), 2u);
    EXPECT_EQ(one.GetLineTable(0)[1], 1u);
    EXPECT_EQ(one.GetPitch(), 1);
    const std::pair<int, int> logs[] = {{1, 0}, {2, 1}, {640, 9}, {1024, 10}};
    for (auto [size, log] : logs) {
        CFrame frame;
        frame.Create(size, 3, 8);
        EXPECT_EQ(frame.GetLog2Width(), log) << size;
        EXPECT_EQ(frame.GetLog2Height(), 1);
    }
    CFrame frame;
    EXPECT_FALSE(frame.Create(3, 3, 12));
    EXPECT_EQ(frame.GetBitDepth(), 0);
}

TEST(FrameTest, AllocatingTheSameSizeKeepsThePixels)
{
    auto frame = NumberedFrame(5, 3, 16);
    std::uint8_t* pixels = frame->GetPixels();
    EXPECT_EQ(frame->AllocatePixels(5, 3, 16), 5);
    EXPECT_EQ(frame->GetPixels(), pixels);
    EXPECT_EQ(frame->GetPixelValue(1, 0), 0x0202u);
    EXPECT_EQ(frame->AllocatePixels(5, 3, 8), 5);
    EXPECT_EQ(frame->GetPixelValue(1, 0), 0u);
}

TEST(FrameTest, PixelsRoundTripAtEveryDepth)
{
    for (int bits : {8, 16, 24, 32}) {
        auto frame = NumberedFrame(5, 3, bits);
        frame->SetOrigin(-2, 10);
        const Color colour = MakeColor(255, 0, 0, bits == 32 ? 128 : 255);
        ASSERT_TRUE(frame->SetPixel(1, 12, colour)) << bits;  // pixel (3, 2)
        Color read;
        ASSERT_TRUE(frame->GetPixelColor(1, 12, read));
        EXPECT_EQ(read.R, 255) << bits;
        EXPECT_EQ(read.G, 0) << bits;
        EXPECT_EQ(read.A, bits == 32 ? 128 : 255) << bits;
        const std::uint32_t expected[] = {0, 0xF800, 0xFF0000, 0x80FF0000};
        if (bits != 8) {
            EXPECT_EQ(frame->GetPixelValue(1, 12), expected[bits / 8 - 1]) << bits;
        }
        // Just outside: ignored and unread.
        EXPECT_FALSE(frame->SetPixel(-2 + 5, 10, colour)) << bits;
        EXPECT_FALSE(frame->SetPixel(0, 9, colour)) << bits;
        EXPECT_FALSE(frame->GetPixelColor(3, 10, read));
        EXPECT_EQ(frame->GetPixelValue(-2, 10),
                  bits == 8 ? 1u : (bits == 16 ? 0x0101u : (bits == 24 ? 0x010101u : 0x01010101u)));
    }
}

struct BlitCase {
    const char* name;
    Rect source;       // in the source's coordinates
    Rect destination;  // in the destination's coordinates
    bool drawn;
    Rect drawnAt;    // destination pixels written
    int firstValue;  // the source value at drawnAt's corner
};

TEST(FrameTest, BlitClipsBothRectangles)
{
    // Destination 8x8 at origin (10, 20); source 4x4 at origin (-1, -1) numbered 1..16.
    const BlitCase cases[] = {
        {"inside", {-1, -1, 3, 3}, {12, 22, 16, 26}, true, {2, 2, 6, 6}, 1},
        {"wholly outside", {-1, -1, 3, 3}, {30, 30, 34, 34}, false, {}, 0},
        {"off the left", {-1, -1, 3, 3}, {8, 20, 12, 24}, true, {0, 0, 2, 4}, 3},
        {"off the bottom", {-1, -1, 3, 3}, {10, 26, 14, 30}, true, {0, 6, 4, 8}, 1},
        {"source larger than the source", {-3, -1, 5, 3}, {10, 20, 18, 24}, true, {2, 0, 6, 4}, 1},
    };
    for (const BlitCase& c : cases) {
        CFrame target;
        target.Create(8, 8, 8);
        target.SetOrigin(10, 20);
        auto source = NumberedFrame(4, 4, 8);
        source->SetOrigin(-1, -1);
        EXPECT_EQ(target.Blit(source.get(), c.source, c.destination, &NormalBlitType()), c.drawn) << c.name;
        int written = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) written += target.GetPixelValue(x + 10, y + 20) != 0;
        EXPECT_EQ(written, c.drawnAt.Width() * c.drawnAt.Height()) << c.name;
        if (!c.drawn) continue;
        EXPECT_EQ(target.GetPixelValue(c.drawnAt.left + 10, c.drawnAt.top + 20), static_cast<unsigned>(c.firstValue))
            << c.name;
    }
}

TEST(FrameTest, BlitAtConvertsFormats)
{
    auto source = NumberedFrame(2, 1, 24);
    source->SetPixel(1, 0, MakeColor(255, 255, 255));
    CFrame target;
    target.Create(3, 1, 16);
    EXPECT_TRUE(target.BlitAt(source.get(), 1, 0, nullptr));
    EXPECT_EQ(target.GetPixelValue(0, 0), 0u);
    EXPECT_EQ(target.GetPixelValue(1, 0), PackRGB565(1, 1, 1));
    EXPECT_EQ(target.GetPixelValue(2, 0), 0xFFFFu);
}

struct LineCase {
    const char* name;
    int x0, y0, x1, y1;
    bool kept;
    int cx0 = 0, cy0 = 0, cx1 = 0, cy1 = 0;
};

TEST(ClipLineTest, Cases)
{
    const Rect clip{0, 0, 10, 10};
    const LineCase cases[] = {
        {"inside", 1, 1, 8, 5, true, 1, 1, 8, 5},
        {"both above", 0, -5, 9, -1, false},
        {"both right", 10, 0, 12, 9, false},
        {"horizontal clamped", -5, 3, 20, 3, true, 0, 3, 9, 3},
        {"vertical clamped", 4, -3, 4, 10, true, 4, 0, 4, 9},
        {"diagonal over two edges", -2, 2, 2, -2, true, 0, 0, 0, 0},
        {"corner end point", 2, 8, 14, -4, true, 2, 8, 9, 1},
        {"missing the corner", 8, -4, 14, 2, false},
    };
    for (const LineCase& c : cases) {
        int x0 = c.x0, y0 = c.y0, x1 = c.x1, y1 = c.y1;
        EXPECT_EQ(ClipLine(clip, x0, y0, x1, y1), c.kept) << c.name;
        if (!c.kept) continue;
        EXPECT_EQ(x0, c.cx0) << c.name;
        EXPECT_EQ(y0, c.cy0) << c.name;
        EXPECT_EQ(x1, c.cx1) << c.name;
        EXPECT_EQ(y1, c.cy1) << c.name;
        float fx0 = c.x0, fy0 = c.y0, fx1 = c.x1, fy1 = c.y1;
        EXPECT_TRUE(ClipLineF(clip, fx0, fy0, fx1, fy1)) << c.name;
    }
}

std::set<std::pair<int, int>> DrawnPixels(CFrame& frame)
{
    std::set<std::pair<int, int>> drawn;
    for (int y = 0; y < frame.GetHeight(); ++y)
        for (int x = 0; x < frame.GetWidth(); ++x)
            if (frame.GetPixelValue(x, y)) drawn.insert({x, y});
    return drawn;
}

TEST(FrameTest, BresenhamLines)
{
    CFrame frame;
    frame.Create(8, 8, 16);
    EXPECT_TRUE(frame.DrawLine(0, 0, 5, 2, kOpaqueWhite));
    const std::set<std::pair<int, int>> shallow{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}};
    EXPECT_EQ(DrawnPixels(frame), shallow);
    frame.Clear();
    EXPECT_TRUE(frame.DrawLine(1, 0, 2, 3, kOpaqueWhite));
    const std::set<std::pair<int, int>> steep{{1, 0}, {1, 1}, {2, 2}, {2, 3}};
    EXPECT_EQ(DrawnPixels(frame), steep);
    EXPECT_FALSE(frame.DrawLine(-5, -1, -1, -9, kOpaqueWhite));
    frame.Clear();
    frame.DrawRectOutline(Rect{1, 1, 4, 4}, kOpaqueWhite);
    EXPECT_EQ(DrawnPixels(frame).size(), 8u);
}

TEST(FrameTest, FloatLineSharesTwoRows)
{
    CFrame frame;
    frame.Create(10, 10, 16);
    frame.DrawLineF(0.0f, 5.5f, 9.0f, 5.5f, kOpaqueWhite);
    EXPECT_EQ(frame.GetPixelValue(3, 5), Blend565(0, 0xFFFF, 31 << 2));
    EXPECT_EQ(frame.GetPixelValue(3, 6), Blend565(0, 0xFFFF, 32 << 2));
    EXPECT_EQ(frame.GetPixelValue(3, 4), 0u);
}

TEST(Blend565Test, GroupedFillIsTheSameWithAndWithoutTheVectorUnit)
{
    std::mt19937 random(7);
    for (int weight = 0; weight < 256; ++weight) {
        std::uint16_t row[13], plain[13];
        for (std::uint16_t& p : row) p = static_cast<std::uint16_t>(random());
        std::copy(std::begin(row), std::end(row), plain);
        const auto source = static_cast<std::uint16_t>(random());
        BlendFill565GroupsSse2(row, 13, source, weight);
        BlendFill565GroupsPlain(plain, 13, source, weight);
        ASSERT_TRUE(std::equal(std::begin(row), std::end(row), plain)) << weight;
    }
    EXPECT_EQ(Blend565Lanes(0x1234, 0xFFFF, 0), 0x1234);
    EXPECT_EQ(Blend565Lanes(0x1234, 0xBEEF, 255), 0xBEEF);
    EXPECT_EQ(Blend565(0, 0xFFFF, 255), 30 << 11 | 62 << 5 | 30);
}

TEST(FrameTest, TranslucentFillOfSevenPixelsGroupsFourAndBlendsThreePlain)
{
    const Color colour = MakeColor(255, 128, 0, 100);
    for (bool vector : {false, true}) {
        platform::OverrideCpuFeature(platform::CpuFeature::Mmx, vector);
        CFrame frame;
        frame.Create(7, 1, 16);
        for (int x = 0; x < 7; ++x) frame.SetPixel(x, 0, MakeColor(x * 30, 200, 50));
        CFrame before;
        before.CopyFrom(&frame);
        ASSERT_TRUE(frame.FillRect(Rect{0, 0, 7, 1}, colour));
        for (int x = 0; x < 7; ++x) {
            const auto d = static_cast<std::uint16_t>(before.GetPixelValue(x, 0));
            const std::uint16_t expected =
                vector && x < 4 ? Blend565Lanes(d, colour.value565, 100) : Blend565(d, colour.value565, 100);
            EXPECT_EQ(frame.GetPixelValue(x, 0), expected) << x << (vector ? " vector" : " plain");
        }
    }
    platform::OverrideCpuFeature(platform::CpuFeature::Mmx, std::nullopt);
}

TEST(FrameTest, FillsAndClearsStayInsideTheRectangle)
{
    for (int bits : {8, 16, 24, 32}) {
        auto frame = NumberedFrame(5, 3, bits);
        frame->SetOrigin(1, 1);
        EXPECT_TRUE(frame->ClearRect(Rect{0, 0, 3, 2})) << bits;  // pixels (0..1, 0)
        EXPECT_EQ(frame->GetPixelValue(1, 1), 0u) << bits;
        EXPECT_EQ(frame->GetPixelValue(2, 1), 0u) << bits;
        EXPECT_NE(frame->GetPixelValue(3, 1), 0u) << bits;
        EXPECT_NE(frame->GetPixelValue(1, 2), 0u) << bits;
        EXPECT_TRUE(frame->FillRectXY(4, 3, 99, 99, kOpaqueWhite));
        Color c;
        frame->GetPixelColor(5, 3, c);
        EXPECT_EQ(c.R, 255) << bits;
        frame->GetPixelColor(3, 3, c);
        EXPECT_NE(c.R, 255) << bits;
        EXPECT_TRUE(frame->Fill(kOpaqueBlack));
        const bool blackIsZero = bits == 16 || bits == 24;  // 8-bit black is a palette entry, 32-bit is opaque
        EXPECT_EQ(frame->GetOpaqueBounds().IsEmpty(), blackIsZero) << bits;
    }
}

TEST(FrameTest, OpaqueBoundsAndNonZeroPixels)
{
    CFrame frame;
    frame.Create(6, 4, 32);
    EXPECT_FALSE(frame.HasNonZeroPixels());
    EXPECT_TRUE(frame.GetOpaqueBounds().IsEmpty());
    frame.SetPixel(1, 2, MakeColor(0, 0, 0, 1));
    frame.SetPixel(4, 1, MakeColor(0, 0, 0, 9));
    EXPECT_TRUE(frame.HasNonZeroPixels());
    EXPECT_EQ(frame.GetOpaqueBounds(), (Rect{1, 1, 5, 3}));
}

// One 8-bit banded line of width 10: skip 2, literal (5, 6), fill 3 x 7, skip 3.
RunPlane BandLine()
{
    RunPlane plane;
    plane.Line({0x82, 0x42, 5, 6, 0x03, 7, 0x83});
    return plane;
}

TEST(EncodedFrameTest, PixelQueriesWalkTheRuns)
{
    RunPlane weak;
    weak.Line({0x89, 0x01, 9});  // plane 1: pixel 9
    auto frame = EncodedFrame(10, 1, 8, kFrameEncodingBands, {BandLine(), weak});
    const bool opaque[] = {false, false, true, true, true, true, true, false, false, true};
    for (int x = 0; x < 10; ++x) EXPECT_EQ(frame->IsOpaqueAt(x, 0), opaque[x]) << x;
    EXPECT_EQ(frame->GetPixelValue(3, 0), 0xFFFFFFFFu);
    EXPECT_EQ(frame->GetPixelValue(8, 0), 0u);
    Color c;
    ResetStandardPalettes();
    ASSERT_TRUE(frame->GetPixelColor(3, 0, c));
    EXPECT_EQ(c.index, 6);
    ASSERT_TRUE(frame->GetPixelColor(9, 0, c));
    EXPECT_EQ(c.index, 9);
    ASSERT_TRUE(frame->GetPixelColor(0, 0, c));
    EXPECT_EQ(c.index, 0);
    EXPECT_FALSE(frame->GetPixelColor(10, 0, c));
}

TEST(EncodedFrameTest, TwoPlaneColoursComeFromTheOpaqueOrTheTranslucentPlane)
{
    RunPlane opaque, translucent, alpha;
    opaque.Line({0x41, 0x00, 0xF8, 0x83});                      // red at 0
    translucent.Line({0x81, 0x42, 0x1F, 0, 0xE0, 0x07, 0x81});  // blue at 1, green at 2
    alpha.Line({100, 200});
    auto frame = EncodedFrame(4, 1, 16, kFrameEncodingAlpha, {opaque, {}, {}, alpha, translucent});
    Color c;
    ASSERT_TRUE(frame->GetPixelColor(0, 0, c));
    EXPECT_EQ(c.R, 255);
    EXPECT_EQ(c.A, 255);
    ASSERT_TRUE(frame->GetPixelColor(2, 0, c));
    EXPECT_EQ(c.G, 255);
    EXPECT_EQ(c.A, 200);
    ASSERT_TRUE(frame->GetPixelColor(3, 0, c));
    EXPECT_EQ(c.A, 0);
    EXPECT_TRUE(frame->IsOpaqueAt(1, 0));
    EXPECT_FALSE(frame->IsOpaqueAt(3, 0));
}

TEST(EncodedFrameTest, WritingOperationsLeaveRunDataAlone)
{
    auto frame = EncodedFrame(10, 1, 8, kFrameEncodingBands, {BandLine()});
    const std::vector<std::uint8_t> before(frame->GetPixels(), frame->GetPixels() + 11);
    ColorTable remap(ColorTable::kRemap);
    EXPECT_FALSE(frame->Clear());
    EXPECT_FALSE(frame->ClearRect(Rect{0, 0, 10, 1}));
    EXPECT_FALSE(frame->Fill(kOpaqueWhite));
    EXPECT_FALSE(frame->FillValue(9));
    EXPECT_FALSE(frame->FillRect(Rect{0, 0, 10, 1}, kOpaqueWhite));
    EXPECT_FALSE(frame->SetPixel(3, 0, kOpaqueWhite));
    EXPECT_FALSE(frame->DrawLine(0, 0, 9, 0, kOpaqueWhite));
    EXPECT_FALSE(frame->DrawLineF(0, 0, 9, 0, kOpaqueWhite));
    EXPECT_FALSE(frame->RemapRect(Rect{0, 0, 10, 1}, remap));
    EXPECT_EQ(std::vector<std::uint8_t>(frame->GetPixels(), frame->GetPixels() + 11), before);
}

TEST(FrameTest, RemapsOfEveryDepth)
{
    ResetStandardPalettes();
    ColorTable identity(ColorTable::kRemap);
    ColorTable darker;
    darker.BuildRemap(CurrentPalette(), 64, 1, 255, 1, 255, nullptr);

    auto indexed = NumberedFrame(3, 1, 8, 10);
    EXPECT_TRUE(indexed->RemapRect(Rect{0, 0, 3, 1}, darker));
    EXPECT_EQ(indexed->GetPixelValue(1, 0), darker.GetData()[11]);

    auto pixels16 = NumberedFrame(3, 1, 16, 100);
    EXPECT_TRUE(pixels16->RemapRect(Rect{0, 0, 3, 1}, identity));
    EXPECT_EQ(pixels16->GetPixelValue(0, 0), 0x6464u);  // an identity table tints nothing
    EXPECT_TRUE(pixels16->RemapRect(Rect{0, 0, 3, 1}, darker));
    EXPECT_LT(pixels16->GetPixelValue(0, 0) >> 11, 0x6464u >> 11);

    auto pixels24 = NumberedFrame(2, 1, 24, 100);
    EXPECT_TRUE(pixels24->RemapRect(Rect{0, 0, 2, 1}, identity));
    EXPECT_EQ(pixels24->GetPixelValue(0, 0), 0x646464u);
    EXPECT_TRUE(pixels24->RemapRect(Rect{0, 0, 2, 1}, darker));
    EXPECT_LT(pixels24->GetPixelValue(0, 0) & 0xFF, 100u);
    EXPECT_FALSE(pixels24->RemapRectXY(2, 0, 1, 1, darker));

    // A palette whose grey has a first byte of 0 gives no ratio to tint by.
    for (int i = 0; i < 256; ++i) CurrentPalette().GetData()[3 * i] = 0;
    EXPECT_FALSE(pixels16->RemapRect(Rect{0, 0, 3, 1}, darker));
    ResetStandardPalettes();
}

TEST(FrameTest, PaletteLinkAndCopies)
{
    auto frame = NumberedFrame(3, 2, 8);
    frame->SetOrigin(4, 5);
    EXPECT_EQ(frame->GetPalette(), nullptr);
    ColorTable palette(ColorTable::kPalette);
    palette.SetPaletteEntry(1, 9, 8, 7);
    frame->SetPalette(palette);
    ASSERT_NE(frame->GetPalette(), nullptr);
    EXPECT_EQ(frame->GetPalette()->GetData()[5], 9);

    CFrame copy;
    ASSERT_TRUE(copy.CopyFrom(frame.get()));
    EXPECT_EQ(copy.GetBounds(), frame->GetBounds());
    EXPECT_EQ(copy.GetPixelValue(6, 6), 6u);
    ASSERT_NE(copy.GetPalette(), nullptr);
    EXPECT_EQ(copy.GetPalette()->GetData()[5], 9);

    frame->FreePixels();
    EXPECT_NE(frame->GetPalette(), nullptr);  // freeing pixels keeps the palette
    frame->DetachPalette();
    EXPECT_EQ(frame->GetPalette(), nullptr);
}

}  // namespace
