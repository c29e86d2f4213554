#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "foundation/CpuInfo.h"
#include "foundation/MathTables.h"
#include "foundation/RandomR250.h"

TEST(MathHelpers, FloorCeilAndBitLength)
{
    EXPECT_EQ(FloorToInt(-1.5f), -2);
    EXPECT_EQ(FloorToInt(2.0f), 2);
    EXPECT_EQ(CeilFloat(1.25f), 2.0f);
    EXPECT_EQ(CeilFloat(-1.25f), -1.0f);
    EXPECT_EQ(BitLength(0), 0);
    EXPECT_EQ(BitLength(1), 1);
    EXPECT_EQ(BitLength(255), 8);
    EXPECT_EQ(BitLength(0x80000000u), 32);
}

TEST(MathTables, HoldTheirValues)
{
    InitMathTables();
    EXPECT_NEAR(SineTable[1000], 1.0f, 1e-6);
    EXPECT_NEAR(CosineTable[2000], -1.0f, 1e-6);
    EXPECT_NEAR(SineTable[4000], 0.0f, 1e-5);
    EXPECT_NEAR(TangentTable[500], 1.0f, 1e-5);
    EXPECT_EQ(ArcTangentTable[0], 0.0f);
    EXPECT_NEAR(ArcTangentTable[1000], 0.78539816f, 1e-6);
    for (int i : {0, 1, 64, 127}) {
        float root = std::sqrt(1.0f + i / 128.0f);
        std::int32_t bits;
        std::memcpy(&bits, &root, 4);
        EXPECT_EQ(SqrtMantissaTable[i], bits & 0x7F0000) << i;
    }
    EXPECT_EQ(SqrtMantissaTable[128], 0x3504F3 & 0x7F0000);  // sqrt(2) = 0x3FB504F3
}

TEST(RandomR250, SeedIsRepeatableAndHasItsBasis)
{
    RandomR250 a, b;
    a.Seed(1);
    b.Seed(1);
    for (int i = 0; i < 250; ++i) ASSERT_EQ(a.GetWord(i), b.GetWord(i));
    for (int k = 0; k < 32; ++k) {
        const std::uint32_t word = a.GetWord(3 + 7 * k);
        EXPECT_EQ(BitLength(word), 32 - k) << k;
    }
    EXPECT_EQ(a.Next(), b.Next());
    EXPECT_EQ(BitLengthTable[0], 0);
    EXPECT_EQ(BitLengthTable[3], 2);
    EXPECT_EQ(BitLengthTable[128], 8);
}

namespace {
bool RefuseSse(CpuFeature feature) { return feature != kCpuSse; }
}  // namespace

TEST(CpuInfo, RecordFromCpuidAnswers)
{
    CpuidLeaves leaves;
    leaves.available = true;
    std::memcpy(leaves.vendor, "GenuineIntel", 12);
    leaves.signature = (6 << 8) | (7 << 4) | 3;
    leaves.features = (1u << 23) | (1u << 25);
    CpuRecord record = BuildCpuRecord(leaves, RefuseSse);
    EXPECT_STREQ(record.vendor, "GenuineIntel");
    EXPECT_STREQ(record.modelName, "INTEL Pentium-III model 7");
    EXPECT_EQ(record.stepping, 3);
    EXPECT_EQ(record.reportedFeatures, kCpuMmx | kCpuSse);
    EXPECT_EQ(record.usableFeatures, kCpuMmx);  // the system cannot run SSE though the processor reports it
    EXPECT_STREQ(CpuModelName("AuthenticAMD", 5, 4), "");
    EXPECT_STREQ(CpuModelName("AuthenticAMD", 5, 9), "AMD K6-3");
    EXPECT_STREQ(CpuModelName("GenuineIntel", 4, 6), "Unknown");
    EXPECT_STREQ(CpuModelName("CyrixInstead", 5, 2), "Unknown");
    EXPECT_EQ(BuildCpuRecord(CpuidLeaves{}, RefuseSse).reportedFeatures, 0);
}

#if defined(__x86_64__)
TEST(CpuInfo, ThisProcessorRunsMmxAndSse)
{
    EXPECT_TRUE(CpuInfo::Instance().HasMmx());
    EXPECT_TRUE(CpuInfo::Instance().HasSse());
    EXPECT_EQ(GetCpuVendor().GetLength(), 12);
}
#endif
