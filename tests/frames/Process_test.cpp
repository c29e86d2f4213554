#include <gtest/gtest.h>

#include <vector>

#include "FrameFixtures.h"
#include "blit/PixelTables.h"
#include "frames/ColorTable.h"
#include "frames/Frame.h"
#include "frames/FrameProcess.h"
#include "frames/RunEncoders.h"

using namespace frames_test;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<int> StepTypes(const FrameProcess& chain)
{
    std::vector<int> types;
    for (const FrameProcess* step = chain.GetNext(); step; step = step->GetNext()) types.push_back(step->GetType());
    return types;
}

TEST(FrameProcessTest, ChainRules)
{
    FrameProcessChain chain;
    EXPECT_TRUE(chain.AddStep(FrameProcess::kAlphaFloor));
    EXPECT_FALSE(chain.AddStep(FrameProcess::kAlphaFloor));
    EXPECT_TRUE(chain.AddStep(FrameProcess::kConvertDithered));
    EXPECT_FALSE(chain.AddStep(FrameProcess::kConvert));
    EXPECT_TRUE(dynamic_cast<ConvertStep*>(chain.FindStep(FrameProcess::kConvert))->Dithers());
    EXPECT_TRUE(chain.AddStep(FrameProcess::kCrop));
    EXPECT_FALSE(chain.AddStep(1));
    EXPECT_EQ(StepTypes(chain), (std::vector<int>{3, 6, 11}));
    chain.SetLocked(true);
    EXPECT_FALSE(chain.AddStep(FrameProcess::kDarkCut));
    EXPECT_FALSE(chain.RemoveStep(FrameProcess::kCrop));
    chain.SetLocked(false);
    EXPECT_TRUE(chain.RemoveStep(FrameProcess::kCrop));
    EXPECT_FALSE(chain.RemoveStep(FrameProcess::kCrop));

    FrameProcessChain copy;
    copy.AddStep(FrameProcess::kAlphaFloor);
    chain.CopyStepsTo(copy);
    EXPECT_EQ(StepTypes(copy), (std::vector<int>{3, 11}));

    DisplayDepth display(16);
    FrameProcessChain black;
    black.AddStep(FrameProcess::kBlackBias);
    EXPECT_EQ(StepTypes(black), (std::vector<int>{4, 7}));
}

TEST(FrameProcessTest, DefaultChainsFollowTheDisplay)
{
    for (int bits : {8, 16}) {
        DisplayDepth display(bits);
        FrameProcess& chain = GetDefaultFrameProcess();
        EXPECT_EQ(StepTypes(chain), (std::vector<int>{3, 6, 7, 8, 11})) << bits;
        EXPECT_EQ(dynamic_cast<RunEncodeStep*>(chain.FindStep(8))->GetMode(), bits == 8 ? 0 : 1);
        EXPECT_EQ(dynamic_cast<ConvertStep*>(chain.FindStep(11))->Dithers(), bits == 16);
        EXPECT_EQ(chain.GetTargetBitDepth(), bits);
        EXPECT_EQ(StepTypes(GetDefaultSequenceProcess()), (std::vector<int>{3, 6, 7, 8, 11}));
    }
}

Bytes EncodeLine16(const std::vector<std::uint16_t>& pixels)
{
    Bytes out;
    int x = 0;
    EncodeSkipRun16(reinterpret_cast<const std::uint8_t*>(pixels.data()), x, static_cast<int>(pixels.size()), out);
    EXPECT_EQ(x, static_cast<int>(pixels.size()));
    return out;
}

TEST(RunEncoderTest, SkipFillAndLiteralRuns)
{
    EXPECT_EQ(EncodeLine16(std::vector<std::uint16_t>(200, 0)), (Bytes{0x80 | 127, 0x80 | 73}));
    EXPECT_EQ(EncodeLine16(std::vector<std::uint16_t>(9, 0x1234)), (Bytes{9, 0x34, 0x12}));
    const Bytes eight = EncodeLine16(std::vector<std::uint16_t>(8, 0x1234));
    EXPECT_EQ(eight.size(), 1u + 16u);
    EXPECT_EQ(eight[0], 0x40 | 8);
    std::vector<std::uint16_t> mixed{5, 5, 5, 5, 5, 5, 5, 5, 5, 0, 7};
    EXPECT_EQ(EncodeLine16(mixed), (Bytes{9, 5, 0, 0x81, 0x41, 7, 0}));
    SetRunFillThreshold(64);
    EXPECT_EQ(EncodeLine16(std::vector<std::uint16_t>(9, 0x1234))[0], 0x40 | 9);
    EXPECT_EQ(EncodeLine16(std::vector<std::uint16_t>(70, 0x1234))[0], 0x40 | 63);
    SetRunFillThreshold(8);
}

// 6 x 2, 32-bit: an opaque run of nine equal pixels would not fit, so line 0 holds opaque, translucent and
// transparent pixels and line 1 six equal opaque ones.
std::unique_ptr<CFrame> MixedFrame()
{
    auto frame = std::make_unique<CFrame>();
    frame->Create(6, 2, 32);
    frame->SetPixel(0, 0, MakeColor(255, 0, 0, 255));
    frame->SetPixel(1, 0, MakeColor(0, 255, 0, 128));
    frame->SetPixel(2, 0, MakeColor(0, 0, 255, 3));  // below the floor: dropped
    frame->SetPixel(4, 0, MakeColor(10, 20, 30, 252));
    for (int x = 0; x < 6; ++x) frame->SetPixel(x, 1, MakeColor(40, 80, 120, 255));
    return frame;
}

TEST(RunEncodeStepTest, TwoPlaneFormConvertsToSixteenBits)
{
    DisplayDepth display(16);
    FrameProcessChain chain;
    chain.AddStep(FrameProcess::kConvert);
    chain.AddStep(FrameProcess::kRunEncode);
    auto frame = MixedFrame();
    auto source = MixedFrame();
    ASSERT_TRUE(chain.Apply(*frame));
    EXPECT_EQ(frame->GetBitDepth(), 16);
    EXPECT_EQ(frame->GetFlags() & kFrameEncodingMask, kFrameEncodingAlpha);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) {
            Color original, encoded;
            source->GetPixelColor(x, y, original);
            frame->GetPixelColor(x, y, encoded);
            if (original.A >= 251) {
                ASSERT_EQ(PackRGB565(encoded.R, encoded.G, encoded.B), PackRGB565(original.R, original.G, original.B));
                ASSERT_EQ(encoded.A, 255);
            } else if (original.A >= 6) {
                ASSERT_EQ(encoded.A, original.A) << x;
            } else {
                ASSERT_EQ(encoded.A, 0) << x;
                ASSERT_FALSE(frame->IsOpaqueAt(x, y));
            }
        }
    EXPECT_GT(frame->GetMemorySize(), 0);
}

TEST(RunEncodeStepTest, BandedFormConvertsToEightBits)
{
    ResetStandardPalettes();
    DisplayDepth display(8);
    FrameProcessChain chain;
    chain.AddStep(FrameProcess::kConvert);
    chain.AddStep(FrameProcess::kRunEncode);
    auto frame = MixedFrame();
    ASSERT_TRUE(chain.Apply(*frame));
    EXPECT_EQ(frame->GetBitDepth(), 8);
    EXPECT_EQ(frame->GetFlags() & kFrameEncodingMask, kFrameEncodingBands);
    EXPECT_NE(frame->GetPixels(), nullptr);
    EXPECT_NE(frame->GetPlaneData(3), nullptr);  // alpha 128
    EXPECT_EQ(frame->GetPlaneData(4), nullptr);
    Color c;
    ASSERT_TRUE(frame->GetPixelColor(0, 0, c));
    EXPECT_EQ(c.R, 255);
    EXPECT_EQ(c.G, 0);
    ASSERT_TRUE(frame->GetPixelColor(1, 0, c));
    EXPECT_EQ(c.G, 255);
    EXPECT_TRUE(frame->IsOpaqueAt(5, 1));
    EXPECT_FALSE(frame->IsOpaqueAt(2, 0));
}

TEST(RunEncodeStepTest, PlainDepthsEncodeTheirOwnPixels)
{
    FrameProcessChain chain;
    chain.AddStep(FrameProcess::kRunEncode);
    auto frame = NumberedFrame(3, 2, 16);
    frame->SetPixel(1, 1, MakeColor(0, 0, 0));
    ASSERT_TRUE(chain.Apply(*frame));
    EXPECT_EQ(frame->GetFlags() & kFrameEncodingMask, kFrameEncodingAlpha);
    EXPECT_TRUE(frame->IsOpaqueAt(0, 1));
    EXPECT_FALSE(frame->IsOpaqueAt(1, 1));
    EXPECT_FALSE(chain.Apply(*frame));  // already encoded
}

TEST(ProcessStepTest, CropMovesTheOriginOrEmptiesTheFrame)
{
    FrameProcessChain chain;
    chain.AddStep(FrameProcess::kCrop);
    CFrame clear;
    clear.Create(4, 4, 32);
    EXPECT_TRUE(chain.Apply(clear));
    EXPECT_EQ(clear.GetPixels(), nullptr);

    auto frame = MixedFrame();
    frame->ClearRect(platform::Rect{0, 1, 6, 2});
    frame->SetOrigin(-10, -20);
    ASSERT_TRUE(chain.Apply(*frame));
    EXPECT_EQ(frame->GetBounds(), (platform::Rect{-10, -20, -5, -19}));
    EXPECT_EQ(frame->GetPixelValue(-10, -20), 0xFFFF0000u);
}

TEST(ProcessStepTest, AlphaFloorDarkCutAndUnpremultiply)
{
    FrameProcessChain chain;
    chain.AddStep(FrameProcess::kAlphaFloor);
    chain.AddStep(FrameProcess::kDarkCut);
    chain.AddStep(FrameProcess::kUnpremultiply);
    CFrame frame;
    frame.Create(4, 1, 32);
    frame.SetPixel(0, 0, MakeColor(20, 40, 30, 51));
    frame.SetPixel(1, 0, MakeColor(60, 20, 20, 51));
    frame.SetPixel(2, 0, MakeColor(90, 90, 90, 4));
    frame.SetPixel(3, 0, MakeColor(14, 10, 3, 255));
    ASSERT_TRUE(chain.Apply(frame));
    Color c;
    frame.GetPixelColor(0, 0, c);
    EXPECT_EQ(c.R, 100);
    EXPECT_EQ(c.G, 200);
    frame.GetPixelColor(1, 0, c);
    EXPECT_EQ(c.R, 255);  // 60 / 0.2 is over 255: the factor is lowered to 60 / 255
    EXPECT_EQ(c.G, 85);
    EXPECT_EQ(c.A, 51);
    frame.GetPixelColor(2, 0, c);
    EXPECT_EQ(c.A, 0);
    EXPECT_EQ(frame.GetPixelValue(3, 0), 0u);
    CFrame sixteen;
    sixteen.Create(2, 2, 16);
    EXPECT_FALSE(chain.Apply(sixteen));
}

TEST(ConvertStepTest, TargetsAndTheAlphaThatKeepsThirtyTwoBits)
{
    CFrame translucent;
    translucent.Create(3, 1, 32);
    translucent.Fill(kOpaqueWhite);
    translucent.SetPixel(1, 0, MakeColor(1, 2, 3, 249));
    CFrame opaque;
    opaque.Create(3, 1, 32);
    opaque.Fill(kOpaqueWhite);
    struct Case {
        CFrame* frame;
        int depth;
    };
    for (auto [frame, depth] : {Case{&translucent, 32}, Case{&opaque, 24}}) {
        DisplayDepth display(24);
        FrameProcessChain made;
        made.AddStep(FrameProcess::kConvert);
        ASSERT_TRUE(made.Apply(*frame));
        EXPECT_EQ(frame->GetBitDepth(), depth);
    }
    EXPECT_EQ(opaque.GetPixelValue(2, 0), 0xFFFFFFu);

    DisplayDepth display(16);
    FrameProcessChain to16;
    to16.AddStep(FrameProcess::kConvertDithered);
    CFrame flat;
    flat.Create(8, 8, 24);
    flat.Fill(MakeColor(100, 100, 100));
    ASSERT_TRUE(to16.Apply(flat));
    EXPECT_EQ(flat.GetBitDepth(), 16);
    int total = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) total += Red565(static_cast<std::uint16_t>(flat.GetPixelValue(x, y)));
    EXPECT_NEAR(total / 64.0, 100.0, 2.0);  // dithering keeps the mean
}

}  // namespace
