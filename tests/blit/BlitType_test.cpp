#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <tuple>

#include "BlitFixtures.h"
#include "blit/Blit555.h"
#include "blit/Expand565.h"
#include "blit/PixelTables.h"
#include "foundation/CFileBuf.h"
#include "platform/cpu_features.h"

using platform::Rect;
using namespace blit_test;

namespace {

using Key = std::tuple<int, int, int, int>;

std::set<Key> KeysOf(const BlitType& type)
{
    std::vector<std::pair<int, int>> formats;
    for (int bits : {8, 16, 24, 32})
        for (int kind : {0, static_cast<int>(kFrameEncodingBands), static_cast<int>(kFrameEncodingAlpha)})
            formats.push_back({bits, kind});
    std::set<Key> keys;
    for (auto [sb, sk] : formats)
        for (auto [db, dk] : formats)
            if (type.Lookup(sb, sk, db, dk)) keys.insert({sb, sk, db, dk});
    return keys;
}

TEST(BlitTypeRegistryTest, EveryNamedTypeHoldsExactlyItsKeys)
{
    constexpr int B = kFrameEncodingBands, A = kFrameEncodingAlpha;
    const std::set<Key> normal = {{8, 0, 8, 0},   {8, 0, 16, 0},  {8, 0, 24, 0},  {8, 0, 32, 0},  {16, 0, 8, 0},
                                  {16, 0, 16, 0}, {16, 0, 24, 0}, {16, 0, 32, 0}, {24, 0, 8, 0},  {24, 0, 16, 0},
                                  {24, 0, 24, 0}, {24, 0, 32, 0}, {32, 0, 24, 0}, {32, 0, 32, 0}, {8, B, 8, 0},
                                  {8, B, 16, 0},  {16, A, 16, 0}, {16, A, 24, 0}, {16, A, 32, 0}};
    const std::set<Key> mask = {{8, 0, 8, 0},   {8, 0, 16, 0},  {8, 0, 24, 0},  {8, 0, 32, 0},  {16, 0, 16, 0},
                                {16, 0, 24, 0}, {16, 0, 32, 0}, {24, 0, 24, 0}, {24, 0, 32, 0}, {32, 0, 24, 0},
                                {32, 0, 32, 0}, {8, B, 8, 0},   {8, B, 16, 0},  {16, A, 16, 0}, {16, A, 32, 0},
                                {24, A, 24, 0}, {24, A, 32, 0}};
    const std::set<Key> blend = {{8, 0, 8, 0},   {16, 0, 16, 0}, {24, 0, 24, 0}, {32, 0, 24, 0},
                                 {32, 0, 32, 0}, {8, B, 8, 0},   {16, A, 16, 0}, {24, A, 24, 0}};
    const std::pair<const char*, const std::set<Key>*> expected[] = {{"Normal", &normal},
                                                                     {"Transparent Mask", &mask},
                                                                     {"Blend Black Bias", &blend},
                                                                     {"Blend Test Light", &blend},
                                                                     {"Blend Amplify Light", &blend}};
    BlitTypeList& list = GetBlitTypeList();
    ASSERT_EQ(list.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.Find(expected[i].first), i);
        BlitType* type = list.GetType(list.GetValue(i));
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(KeysOf(*type), *expected[i].second) << expected[i].first;
        EXPECT_EQ(type->GetEntryCount(), static_cast<int>(expected[i].second->size())) << expected[i].first;
    }
    EXPECT_EQ(KeysOf(Blit555Type()), (std::set<Key>{{8, 0, 16, 0}, {16, 0, 16, 0}, {24, 0, 16, 0}}));
}

void DrawA(CFrameInterface*, const Rect&, CFrameInterface*, const Rect&, BlitType*) {}
void DrawB(CFrameInterface*, const Rect&, CFrameInterface*, const Rect&, BlitType*) {}

struct PlainType : BlitType {};

TEST(BlitTypeRegistryTest, AddingAKeyAgainReplacesItInPlaceAndDropsTheCache)
{
    PlainType type;
    type.AddDrawFunction(8, 0, 8, 0, DrawA);
    type.AddDrawFunction(16, 0, 16, 0, DrawA);
    auto source = NumberedFrame(2, 2, 8), destination = NumberedFrame(2, 2, 8);
    EXPECT_EQ(type.FindDrawFunction(*source, *destination), DrawA);
    type.AddDrawFunction(8, 0, 8, 0, DrawB);
    EXPECT_EQ(type.GetEntryCount(), 2);
    EXPECT_EQ(type.Lookup(8, 0, 8, 0), DrawB);
    EXPECT_EQ(type.FindDrawFunction(*source, *destination), DrawB);
    EXPECT_EQ(type.ZeroQuery(3, 4), 0);
    EXPECT_TRUE(type.IsPlainCopy());
}

// Frames without a format make the key 0, the key of an empty cache: registering again leaves them no function.
TEST(BlitTypeRegistryTest, RegisteringAgainEmptiesTheCache)
{
    PlainType type;
    type.AddDrawFunction(8, 0, 8, 0, DrawA);
    CFrame none, alsoNone;
    auto source = NumberedFrame(2, 2, 8), destination = NumberedFrame(2, 2, 8);
    EXPECT_EQ(type.FindDrawFunction(*source, *destination), DrawA);
    type.AddDrawFunction(8, 0, 8, 0, DrawB);
    EXPECT_EQ(type.FindDrawFunction(none, alsoNone), nullptr);
    EXPECT_EQ(type.FindDrawFunction(*source, *destination), DrawB);
}

TEST(BlitTypeRegistryTest, FlagsOutsideTheKeyShareTheCachedAnswerAndMissingKeysDrawNothing)
{
    PlainType type;
    type.AddDrawFunction(16, 0, 16, 0, DrawA);
    auto plain = NumberedFrame(2, 2, 16), destination = NumberedFrame(2, 2, 16);
    // The same pixels read in place from a file held in memory: borrowed data.
    CMemoryFileBuf file;
    ASSERT_TRUE(plain->WriteFrameFile(file));
    file.Seek(0);
    CFrame borrowed;
    ASSERT_TRUE(borrowed.ReadFrameFile(file, true));
    ASSERT_EQ(borrowed.GetFlags() & ~plain->GetFlags(), kFrameBorrowed);
    EXPECT_EQ(MakeBlitCacheKey(*plain, *destination), (0x40u << 16) | 0x40u);
    EXPECT_EQ(MakeBlitCacheKey(borrowed, *destination), MakeBlitCacheKey(*plain, *destination));
    EXPECT_EQ(type.FindDrawFunction(*plain, *destination), DrawA);
    EXPECT_EQ(type.FindDrawFunction(borrowed, *destination), DrawA);

    BlitType& normal = NormalBlitType();
    auto encoded = EncodedFrame(2, 1, 16, kFrameEncodingAlpha, {RunPlane().Line({0x02, 1, 0})});
    auto eight = NumberedFrame(2, 1, 8);
    const std::vector<std::uint8_t> before = BytesOf(*eight);
    EXPECT_EQ(normal.FindDrawFunction(*encoded, *eight), nullptr);
    EXPECT_FALSE(Draw(*eight, *encoded, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, normal));
    EXPECT_EQ(BytesOf(*eight), before);
}

TEST(BlitTypeRegistryTest, OpacityLevelsRoundToEvenAndStayInRange)
{
    struct Case {
        float opacity;
        int level;
        int levelValue;
    };
    const Case cases[] = {
        {1.0f, 255, 0}, {0.5f, 128, 2}, {0.0f, 0, 4},   {0.999f, 255, 0},
        {2.0f, 255, 0}, {-1.0f, 0, 4},  {0.6f, 153, 1}, {std::numeric_limits<float>::quiet_NaN(), 0, 4}};
    PlainType type;
    for (const Case& c : cases) {
        type.SetOpacity(c.opacity);
        EXPECT_EQ(type.GetLevel(), c.level) << c.opacity;
        EXPECT_EQ(type.GetLevelValue(), c.levelValue) << c.opacity;
        if (!std::isnan(c.opacity)) {
            EXPECT_EQ(type.GetOpacity(), c.opacity);
        }
    }
}

TEST(BlitTypeRegistryTest, ParamsAreTheOpacityFloatAndAStrayValueIsClamped)
{
    PlainType type;
    CMemoryFileBuf stream;
    const float stray = 7.5f;
    stream.Write(&stray, 4);
    stream.Seek(0);
    ASSERT_TRUE(type.ReadParams(stream));
    EXPECT_EQ(type.GetOpacity(), 7.5f);
    EXPECT_EQ(type.GetLevel(), 255);
    EXPECT_FALSE(type.ReadParams(stream));  // nothing left
}

TEST(BlitTypeTest, FillBytesCoversEveryAlignmentAndLength)
{
    for (int offset = 0; offset < 4; ++offset) {
        for (int length = 0; length < 12; ++length) {
            std::uint8_t buffer[20] = {};
            FillBytes(buffer + offset, 0x5a5a5a5au, static_cast<std::size_t>(length));
            for (int i = 0; i < 20; ++i)
                EXPECT_EQ(buffer[i], i >= offset && i < offset + length ? 0x5a : 0) << offset << " " << length;
        }
    }
}

TEST(Blit555Test, RepackingMatchesThePixelFormulaForEveryLengthAndAlignment)
{
    EXPECT_EQ(Repack565To555(0xFFFF), 0x7FFF);
    EXPECT_EQ(Repack565To555(0xF800), 0x7C00);
    EXPECT_EQ(Repack565To555(0x07E0), 0x03E0);
    std::uint16_t from[24], plain[26], vector[26];
    for (int i = 0; i < 24; ++i) from[i] = static_cast<std::uint16_t>(i * 0x9E37 + 0x1234);
    for (int start = 0; start < 2; ++start) {
        for (int count = 0; count <= 21; ++count) {
            std::fill(std::begin(plain), std::end(plain), 0xAAAA);
            std::fill(std::begin(vector), std::end(vector), 0xAAAA);
            Repack565To555Plain(plain + start + 1, from, count);
            Repack565To555Sse2(vector + start + 1, from, count);
            EXPECT_TRUE(std::equal(std::begin(plain), std::end(plain), std::begin(vector))) << count;
            EXPECT_EQ(plain[start + 1 + count], 0xAAAA);
        }
    }
}

TEST(Expand565Test, VectorRowsGiveTheTablesBytesForEveryPixelLengthAndAlignment)
{
    std::vector<std::uint8_t> every(65536 * 2), plain(65536 * 4), vector(65536 * 4);
    for (int p = 0; p < 65536; ++p) every[2 * p] = static_cast<std::uint8_t>(p), every[2 * p + 1] = p >> 8;
    Expand565To8888Plain(plain.data(), every.data(), 65536);
    Expand565To8888Sse2(vector.data(), every.data(), 65536);
    for (int p = 0; p < 65536; ++p) {
        const std::uint16_t pixel = static_cast<std::uint16_t>(p);
        const std::uint8_t expected[4] = {Blue565(pixel), Green565(pixel), Red565(pixel), 255};
        ASSERT_EQ(std::memcmp(plain.data() + 4 * p, expected, 4), 0) << p;
        ASSERT_EQ(std::memcmp(vector.data() + 4 * p, expected, 4), 0) << p;
    }
    // Lengths around the eight-pixel step, from odd addresses: nothing written past the row.
    std::uint8_t from[40], row[80];
    for (int i = 0; i < 40; ++i) from[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (int start = 0; start < 2; ++start) {
        for (int count = 0; count <= 17; ++count) {
            std::fill(std::begin(row), std::end(row), 0xAA);
            Expand565To8888Sse2(row + start, from + start, count);
            for (int x = 0; x < count; ++x) {
                const int p = from[start + 2 * x] | from[start + 2 * x + 1] << 8;
                EXPECT_EQ(std::memcmp(row + start + 4 * x, plain.data() + 4 * p, 4), 0) << count << " " << x;
            }
            EXPECT_EQ(row[start + 4 * count], 0xAA) << count;
        }
    }
}

TEST(Blit555Test, EveryEntryWritesFiveFiveFivePixels)
{
    for (bool simd : {false, true}) {
        BothVariants variant(simd);
        CFrame host;
        host.Create(7, 1, 16);
        auto wide = FrameOf(7, 1, 16, {0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF});
        Draw(host, *wide, Rect{0, 0, 7, 1}, Rect{0, 0, 7, 1}, Blit555Type());
        const std::uint16_t expected[] = {0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x7FFF, 0, 0x7FFF};
        for (int x = 0; x < 7; ++x) EXPECT_EQ(Pixel16(host, x, 0), expected[x]) << x << " simd " << simd;

        auto rgb = FrameOf(1, 1, 24, {0xFF, 0x00, 0xFF});
        Draw(host, *rgb, Rect{0, 0, 1, 1}, Rect{0, 0, 1, 1}, Blit555Type());
        EXPECT_EQ(Pixel16(host, 0, 0), 0x7C1F);
        auto index = FrameOf(1, 1, 8, {255});
        Draw(host, *index, Rect{0, 0, 1, 1}, Rect{1, 0, 2, 1}, Blit555Type());
        EXPECT_EQ(Pixel16(host, 1, 0), 0x7FFF);
    }
}

TEST(BlitTypeRegistryTest, RegisteringAgainSwapsTheVectorUnitVariantsInPlace)
{
    BlitType& normal = NormalBlitType();
    RegisterBlitTypes(false);
    const DrawFunction plain = normal.Lookup(16, kFrameEncodingAlpha, 16, 0);
    RegisterBlitTypes(true);
    const DrawFunction lanes = normal.Lookup(16, kFrameEncodingAlpha, 16, 0);
    EXPECT_NE(plain, lanes);
    EXPECT_EQ(normal.GetEntryCount(), 19);
    EXPECT_EQ(TransparentMaskBlitType().Lookup(16, kFrameEncodingAlpha, 16, 0), lanes);
    RegisterBlitTypes(platform::CpuHas(platform::CpuFeature::Sse2));
}

}  // namespace
