#include <gtest/gtest.h>

#include <random>

#include "BlitFixtures.h"
#include "blit/Blend565.h"
#include "blit/DrawState.h"
#include "blit/PixelTables.h"
#include "platform/cpu_features.h"

using namespace blit_test;

namespace {

constexpr int kLine = 64;
constexpr int kGuard = 8;

std::uint16_t Get16(const std::uint8_t* p, int i)
{
    std::uint16_t v;
    std::memcpy(&v, p + 2 * i, 2);
    return v;
}
void Put16(std::uint8_t* p, int i, std::uint16_t v) { std::memcpy(p + 2 * i, &v, 2); }

// The slow reference of every main table, written from the tables' formulas pixel by pixel.
struct Reference {
    const std::uint32_t* row;
    const std::uint8_t* a;
    const std::uint8_t* b;

    int Weight(int kind, int alpha) const
    {
        if (kind == 0) return alpha;
        if (kind == 1) return static_cast<int>(row[255]);
        return static_cast<int>(row[alpha] & 0xff);
    }

    void Run(int table, std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int n) const
    {
        const bool fill = table % 2 == 1;
        for (int i = 0; i < n; ++i) {
            const int k = fill ? 0 : i;
            if (table <= 9) {
                const std::uint8_t* mix = (table == 2 || table == 3 || table == 8 || table == 9) ? a : b;
                if (table <= 1)
                    d[i] = s[k];
                else if (table <= 5)
                    d[i] = mix[d[i] * 256 + s[k]];
                else
                    d[i] = mix[s[k] * 256 + d[i]];
            } else if (table <= 11) {
                Put16(d, i, Get16(s, k));
            } else if (table <= 23) {
                const int w = Weight(((table - 12) % 6) / 2, alpha[k]);
                const bool lanes = table >= 18 && n >= 4 && i < (n & ~3);
                Put16(d, i, lanes ? Blend565Lanes(Get16(d, i), Get16(s, k), w) : Blend565(Get16(d, i), Get16(s, k), w));
            } else if (table <= 25) {
                std::memcpy(d + 3 * i, s + 3 * k, 3);
            } else {
                const int w = Weight((table - 26) / 2, alpha[k]);
                for (int c = 0; c < 3; ++c)
                    d[3 * i + c] = static_cast<std::uint8_t>(d[3 * i + c] + (s[3 * k + c] - d[3 * i + c]) * w / 256);
            }
        }
    }
};

int BytesOfTable(int table) { return table <= 9 ? 1 : table <= 23 ? 2 : 3; }

TEST(SpanTableTest, EveryTableAndCountMatchesItsFormulaAndStaysInsideTheRun)
{
    draw_state::UseMixingTables();
    draw_state::g_blendRow = draw_state::BlendRow(200);
    const Reference reference{draw_state::g_blendRow, draw_state::g_mixingA, draw_state::g_mixingB};
    std::mt19937 random(7);
    std::uint8_t source[kLine * 3], alpha[kLine];
    for (auto& byte : source) byte = static_cast<std::uint8_t>(random());
    for (auto& byte : alpha) byte = static_cast<std::uint8_t>(random());
    for (bool simd : {false, true}) {
        InitSpanTables(simd);
        for (int table = 0; table < kMainSpanTables; ++table) {
            const int bytes = BytesOfTable(table);
            for (int n : {0, 1, 2, 3, 4, 5, 15, 16, 17, 63}) {
                std::uint8_t drawn[kLine * 3 + kGuard], expected[kLine * 3 + kGuard];
                for (auto& byte : drawn) byte = static_cast<std::uint8_t>(random());
                std::memcpy(expected, drawn, sizeof drawn);
                MainSpanTableAt(table)[n](drawn, source, alpha, n);
                reference.Run(table, expected, source, alpha, n);
                EXPECT_EQ(std::memcmp(drawn, expected, sizeof drawn), 0)
                    << "table " << table << " n " << n << " simd " << simd << " bytes " << bytes;
            }
        }
    }
    InitSpanTables(platform::CpuHas(platform::CpuFeature::Sse2));
}

TEST(SpanTableTest, VectorLanesGiveTheBitsOfTheirPlainTwin)
{
    draw_state::g_blendRow = draw_state::BlendRow(97);
    std::mt19937 random(11);
    for (int trial = 0; trial < 50; ++trial) {
        std::uint8_t source[kLine * 2], alpha[kLine], line[kLine * 2];
        for (auto& byte : source) byte = static_cast<std::uint8_t>(random());
        for (auto& byte : alpha) byte = static_cast<std::uint8_t>(random());
        for (auto& byte : line) byte = static_cast<std::uint8_t>(random());
        for (int table = kSpanAlpha565Lanes; table <= kSpanFillLevelRow565Lanes; ++table) {
            std::uint8_t plain[kLine * 2], vector[kLine * 2];
            std::memcpy(plain, line, sizeof line);
            std::memcpy(vector, line, sizeof line);
            const int n = 1 + static_cast<int>(random() % 63);
            InitSpanTables(false);
            MainSpanTableAt(table)[n](plain, source, alpha, n);
            InitSpanTables(true);
            MainSpanTableAt(table)[n](vector, source, alpha, n);
            EXPECT_EQ(std::memcmp(plain, vector, sizeof plain), 0) << table << " " << n;
        }
    }
    InitSpanTables(platform::CpuHas(platform::CpuFeature::Sse2));
}

TEST(SpanTableTest, BlendFormulaEdges)
{
    // Weight 255 is g 63, h 31: white over black gives 30 in the 5-bit channels, not a copy.
    const std::uint16_t full = Blend565(0x0000, 0xFFFF, 255);
    EXPECT_EQ(full >> 11, 30);
    EXPECT_EQ(full & 0x1f, 30);
    // The lane formula: weight 0 keeps the destination, g 63 and h 31 give the source.
    for (std::uint16_t d : {0x0000, 0x1234, 0xFFFF, 0x8410})
        for (std::uint16_t s : {0x0000, 0xF81F, 0xFFFF, 0x07E0}) {
            EXPECT_EQ(Blend565Lanes(d, s, 0), d);
            EXPECT_EQ(Blend565Lanes(d, s, 255), s);
        }
    // A 16-bit fill of five pixels.
    std::uint8_t line[14];
    std::memset(line, 0xEE, sizeof line);
    const std::uint8_t value[2] = {0x34, 0x12};
    MainSpanTableAt(kSpanFill16)[5](line + 2, value, nullptr, 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Get16(line + 2, i), 0x1234);
    EXPECT_EQ(line[1], 0xEE);
    EXPECT_EQ(line[12], 0xEE);
    // A 24-bit blend at weight 128 over 0.
    std::uint8_t pixel[3] = {0, 0, 0};
    const std::uint8_t white[3] = {255, 255, 255}, weight = 128;
    MainSpanTableAt(kSpanFillAlpha24)[1](pixel, white, &weight, 1);
    EXPECT_EQ(pixel[0], 127);
}

TEST(SpanTableTest, ConversionTablesExpandAndCarryAlpha)
{
    const std::uint8_t red[2] = {0x00, 0xF8}, alphas[2] = {77, 99};
    std::uint8_t out[8] = {};
    ConversionSpanTableAt(kSpan16To32Alpha)[1](out, red, alphas, 1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2], 255);
    EXPECT_EQ(out[3], 77);
    ConversionSpanTableAt(kSpanFill16To32)[2](out, red, alphas, 2);
    EXPECT_EQ(out[3], 255);
    EXPECT_EQ(out[7], 255);
    std::uint8_t rgb[6] = {};
    ConversionSpanTableAt(kSpanFill16To24Alpha)[2](rgb, red, alphas, 2);
    EXPECT_EQ(rgb[5], 255);
    EXPECT_EQ(rgb[3], 0);
}

TEST(DrawTablesTest, ChannelTablesSumToThePackedPixelAndTheBlendRowsRound)
{
    using namespace draw_state;
    for (int v = 0; v < 256; ++v) {
        const int w = (v * 37 + 11) % 256, u = (v * 101 + 3) % 256;
        EXPECT_EQ(kChannelB[u] + kChannelG565[w] + kChannelR565[v], PackRGB565(v, w, u)) << v;
        EXPECT_EQ(kChannelB[u] + kChannelG555[w] + kChannelR555[v], PackRGB555(v, w, u)) << v;
    }
    EXPECT_EQ(BlendRow(128)[255], 128u);
    EXPECT_EQ(BlendRow(128)[1], 1u);  // 0.502 rounds up
    EXPECT_EQ(BlendRow(255)[77], 77u);
    EXPECT_EQ(BlendRow(0)[255], 0u);
}

}  // namespace

namespace {

TEST(VectorRowTest, BlendAndKeyRowsGiveTheBitsOfTheirPlainTwins)
{
    std::mt19937 random(5);
    for (int count = 0; count <= 35; ++count) {
        for (int weight : {0, 1, 77, 128, 200, 255}) {
            std::uint16_t source[40], line[40], plain[40], vector[40];
            for (int i = 0; i < 40; ++i) {
                source[i] = static_cast<std::uint16_t>(random() % 3 == 0 ? 0 : random());
                line[i] = static_cast<std::uint16_t>(random());
            }
            std::copy(std::begin(line), std::end(line), plain);
            std::copy(std::begin(line), std::end(line), vector);
            BlendRow565Plain(plain + 1, source, count, weight);
            BlendRow565Sse2(vector + 1, source, count, weight);
            ASSERT_TRUE(std::equal(std::begin(plain), std::end(plain), vector)) << count << " " << weight;
            KeyRow16Plain(plain + 1, source, count);
            KeyRow16Sse2(vector + 1, source, count);
            ASSERT_TRUE(std::equal(std::begin(plain), std::end(plain), vector)) << count;
        }
    }
}

}  // namespace
