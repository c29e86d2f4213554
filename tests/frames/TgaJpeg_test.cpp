#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../foundation/FatalCapture.h"
#include "FrameFixtures.h"
#include "TempDir.h"
#include "foundation/CFileBuf.h"
#include "foundation/FileFlags.h"
#include "frames/ColorTable.h"
#include "frames/Frame.h"
#include "frames/FrameProcess.h"
#include "frames/Jpeg.h"
#include "frames/Tga.h"

using namespace frames_test;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A TGA of the given pixels (bytes B, G, R[, A], rows in file order) and packets when runLength.
Bytes MakeTga(int width, int height, int bits, bool topToBottom, const Bytes& body, bool runLength = false)
{
    TgaHeader header;
    header.imageType = runLength ? TgaHeader::kTrueColorRle : TgaHeader::kTrueColor;
    header.width = static_cast<std::uint16_t>(width);
    header.height = static_cast<std::uint16_t>(height);
    header.bitsPerPixel = static_cast<std::uint8_t>(bits);
    header.descriptor = topToBottom ? TgaHeader::kTopToBottom : 0;
    Bytes file(TgaHeader::kSize);
    header.Write(file.data());
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// Two rows of two pixels: black and red, then green and white; stored bottom row first.
Bytes TwoByTwoBody() { return {0, 255, 0, 255, 255, 255, /* row 1 */ 0, 0, 0, 0, 0, 255 /* row 0 */}; }

TEST(TgaTest, RowsConvertIntoEveryDepth)
{
    ResetStandardPalettes();
    const Bytes file = MakeTga(2, 2, 24, false, TwoByTwoBody());
    struct Case {
        int bits;
        std::uint32_t black, red, white;
    };
    const Case cases[] = {
        {16, 0, 0xF800, 0xFFFF},
        {24, 0, 0xFF0000, 0xFFFFFF},
        {32, 0x00000000, 0xFFFF0000, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        CFrame frame;
        ASSERT_EQ(DecodeTgaIntoFrame(frame, file.data(), file.size(), "t.tga", nullptr, c.bits), 2) << c.bits;
        EXPECT_EQ(frame.GetPixelValue(0, 0), c.black) << c.bits;
        EXPECT_EQ(frame.GetPixelValue(1, 0), c.red) << c.bits;
        EXPECT_EQ(frame.GetPixelValue(1, 1), c.white) << c.bits;
    }
    CFrame indexed;
    ASSERT_EQ(DecodeTgaIntoFrame(indexed, file.data(), file.size(), "t.tga", nullptr, 8), 2);
    EXPECT_EQ(indexed.GetPixelValue(0, 0), 0u);  // black stays 0
    Color c;
    indexed.GetPixelColor(1, 0, c);
    EXPECT_EQ(c.R, 255);
    EXPECT_EQ(c.G, 0);

    const Bytes topDown = MakeTga(2, 2, 24, true, TwoByTwoBody());
    CFrame flipped;
    ASSERT_EQ(DecodeTgaIntoFrame(flipped, topDown.data(), topDown.size(), "t.tga", nullptr, 24), 2);
    EXPECT_EQ(flipped.GetPixelValue(1, 1), 0xFF0000u);
}

TEST(TgaTest, DamagedFilesFailCleanly)
{
    const Bytes whole = MakeTga(2, 2, 24, false, TwoByTwoBody());
    const Bytes cuts[] = {
        Bytes(whole.begin(), whole.begin() + 10),                  // inside the header
        Bytes(whole.begin(), whole.end() - 1),                     // a row short
        MakeTga(2, 2, 24, false, {0x81, 1, 2, 3, 0x81, 4}, true),  // packets end early
        MakeTga(2, 2, 16, false, TwoByTwoBody()),                  // 16 bits a pixel
    };
    for (const Bytes& file : cuts) {
        CFrame frame;
        EXPECT_EQ(DecodeTgaIntoFrame(frame, file.data(), file.size(), "t.tga", nullptr, 24), 0);
        EXPECT_EQ(frame.GetPixels(), nullptr);
    }
}

TEST(TgaTest, RunPacketsFillRowsAndMayNotCrossThem)
{
    Bytes body{0xFF, 1, 2, 3};  // 128 pixels of one colour: one whole row
    const Bytes file = MakeTga(128, 1, 24, true, body, true);
    CFrame frame;
    ASSERT_EQ(DecodeTgaIntoFrame(frame, file.data(), file.size(), "t.tga", nullptr, 24), 128);
    EXPECT_EQ(frame.GetPixelValue(127, 0), 0x030201u);

    const Bytes crossing = MakeTga(3, 2, 24, true, {0x83, 1, 2, 3, 0x81, 4, 5, 6}, true);
    FatalCapture capture;
    CFrame damaged;
    EXPECT_FATAL(capture, DecodeTga(damaged, crossing.data(), crossing.size(), "bad.tga", nullptr, 24));
    EXPECT_NE(capture.shown.find("FATAL ERROR: The TGA you loaded 'bad.tga' is corrupt (line 0)."), std::string::npos)
        << capture.shown;
}

// A whole run-length 24-bit file of width x height, every row in run packets of 128 pixels (and one for the rest).
Bytes RunLengthTga(int width, int height)
{
    Bytes row;
    for (int left = width; left > 0; left -= 128)
        row.insert(row.end(), {static_cast<std::uint8_t>(0x80 | (std::min(left, 128) - 1)), 10, 20, 30});
    Bytes body;
    for (int y = 0; y < height; ++y) body.insert(body.end(), row.begin(), row.end());
    return MakeTga(width, height, 24, true, body, true);
}

TEST(TgaTest, PicturesPastTheSizeLimitAreRefusedFromTheHeader)
{
    struct Case {
        int width, height;
        bool taken;
    };
    // Sides up to 16384, at most 2^23 pixels.
    const Case cases[] = {{16384, 512, true}, {16385, 1, false}, {1, 16385, false}, {8192, 1025, false}};
    for (const Case& c : cases) {
        const Bytes file = RunLengthTga(c.width, c.height);
        CFrame frame;
        EXPECT_EQ(DecodeTgaIntoFrame(frame, file.data(), file.size(), "big.tga", nullptr, 16), c.taken ? c.width : 0)
            << c.width << " x " << c.height;
        EXPECT_EQ(frame.GetPixels() != nullptr, c.taken);
    }
    // A header claiming the largest sides is refused without the pixels it claims.
    const Bytes claim = MakeTga(65535, 65535, 32, false, {0xFF, 1, 2, 3, 4}, true);
    CFrame frame;
    EXPECT_EQ(DecodeTgaIntoFrame(frame, claim.data(), claim.size(), "claim.tga", nullptr, 32), 0);
    TgaHeader header;
    ASSERT_TRUE(ReadTgaHeader(claim.data(), claim.size(), header));
    EXPECT_FALSE(header.IsAccepted());
}

// The packets the writer makes of one row.
Bytes WrittenPackets(int bits, const Bytes& row)
{
    CFrame frame;
    const int bytes = bits / 8;
    frame.Create(static_cast<int>(row.size()) / bytes, 1, bits);
    std::memcpy(frame.GetPixels(), row.data(), row.size());
    const Bytes file = EncodeTga(frame);
    const std::size_t start = TgaHeader::kSize + (bits == 8 ? 768 : 0);
    return Bytes(file.begin() + static_cast<std::ptrdiff_t>(start), file.end());
}

TEST(TgaTest, WriterPacketRules)
{
    EXPECT_EQ(WrittenPackets(8, {7, 7, 7}), (Bytes{0x82, 7}));
    EXPECT_EQ(WrittenPackets(8, {7, 7}), (Bytes{0x01, 7, 7}));
    EXPECT_EQ(WrittenPackets(24, {1, 2, 3, 1, 2, 3}), (Bytes{0x81, 1, 2, 3}));
    EXPECT_EQ(WrittenPackets(8, {1, 2, 5, 5, 5, 9}), (Bytes{0x01, 1, 2, 0x82, 5, 0x00, 9}));
    CFrame sixteen;
    sixteen.Create(2, 2, 16);
    EXPECT_TRUE(EncodeTga(sixteen).empty());
}

TEST(TgaTest, WrittenFilesReadBackAtTwentyFourAndThirtyTwoBits)
{
    testsupport::TempDir dir;
    for (int bits : {24, 32}) {
        auto frame = NumberedFrame(70, 3, bits, 5);
        frame->SetPixel(0, 0, MakeColor(9, 9, 9, 255));
        const std::string path = dir / ("round" + std::to_string(bits) + ".tga");
        ASSERT_TRUE(frame->WriteCompressedTga(path.c_str(), kFileAbsolute));
        EXPECT_TRUE(IsTgaRunLengthEncoded(path.c_str(), kFileAbsolute));
        EXPECT_EQ(GetTgaBitsPerPixel(path.c_str(), kFileAbsolute), bits);
        FrameProcessChain chain;
        CFrame read;
        ASSERT_TRUE(read.LoadTga(path.c_str(), &chain, nullptr, kFileAbsolute));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 70; ++x)
                ASSERT_EQ(read.GetPixelValue(x, y), frame->GetPixelValue(x, y)) << x << "," << y;
    }
}

TEST(TgaTest, PlainFilesAreRewrittenAsRunLengthUnlessWriteProtected)
{
    testsupport::TempDir dir;
    const Bytes plain = MakeTga(2, 2, 24, false, TwoByTwoBody());
    const std::string path = dir / "plain.tga";
    testsupport::WriteFile(path, std::string(plain.begin(), plain.end()));
    FrameProcessChain chain;
    CFrame frame;
    ASSERT_TRUE(frame.LoadTga(path.c_str(), &chain, nullptr, kFileAbsolute));
    EXPECT_TRUE(IsTgaRunLengthEncoded(path.c_str(), kFileAbsolute));
    EXPECT_EQ(frame.GetPixelValue(1, 0), 0xFF0000u);

    const std::string locked = dir / "locked.tga";
    testsupport::WriteFile(locked, std::string(plain.begin(), plain.end()));
    ::chmod(locked.c_str(), 0444);
    FatalCapture capture;
    EXPECT_FATAL(capture, frame.LoadTga(locked.c_str(), &chain, nullptr, kFileAbsolute));
    EXPECT_NE(capture.shown.find("Fatal Error loading a frame: '" + locked +
                                 "' is an uncompressed TGA and is write "
                                 "protected.  The game automatically creates compressed TGAs"),
              std::string::npos)
        << capture.shown;
}

TEST(TgaTest, LoadRunsTheChainAndAttachesThePalette)
{
    testsupport::TempDir dir;
    auto source = NumberedFrame(4, 4, 32, 0);
    std::memset(source->GetPixels(), 0, 4 * 4 * 4);
    for (int x = 1; x < 3; ++x) source->SetPixel(x, 2, MakeColor(200, 100, 50, 255));
    const std::string path = dir / "sprite.tga";
    ASSERT_TRUE(source->WriteCompressedTga(path.c_str(), kFileAbsolute));
    FrameProcessChain chain;
    chain.AddStep(FrameProcess::kCrop);
    ColorTable palette(ColorTable::kPalette);
    CFrame frame;
    ASSERT_TRUE(frame.LoadTga(path.c_str(), &chain, &palette, kFileAbsolute));
    EXPECT_EQ(frame.GetBounds(), (platform::Rect{1, 2, 3, 3}));
    EXPECT_NE(frame.GetPalette(), nullptr);
    EXPECT_FALSE(frame.LoadTga((dir / "missing.tga").c_str(), &chain, nullptr, kFileAbsolute));
}

TEST(JpegTest, ColourAndGreyRoundTrips)
{
    auto frame = NumberedFrame(16, 8, 24, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) frame->SetPixel(x, y, MakeColor(x * 16, 128, 255 - y * 30));
    CMemoryFileBuf stream;
    ASSERT_TRUE(frame->SaveJpeg(stream, 95));
    stream.Seek(0);
    CFrame read;
    ASSERT_TRUE(read.LoadJpeg(stream));
    ASSERT_EQ(read.GetWidth(), 16);
    ASSERT_EQ(read.GetBitDepth(), 24);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            Color a, b;
            frame->GetPixelColor(x, y, a);
            read.GetPixelColor(x, y, b);
            ASSERT_NEAR(a.R, b.R, 24);
            ASSERT_NEAR(a.B, b.B, 24);
        }

    const Bytes rgb(4 * 4 * 3, 200);
    CMemoryFileBuf grey;
    ASSERT_TRUE(EncodeJpeg(grey, rgb.data(), 4, 4, false, 90));
    grey.Seek(0);
    int width = 0, height = 0;
    JpegPixels pixels = DecodeJpeg(grey, width, height);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(width, 4);
    EXPECT_NEAR(pixels[0], 200, 2);
    EXPECT_EQ(pixels[0], pixels[2]);
    EXPECT_FALSE(EncodeJpeg(grey, nullptr, 4, 4, true, 90));
}

TEST(JpegTest, CutShortAndEmptyStreams)
{
    auto frame = NumberedFrame(32, 32, 24, 3);
    CMemoryFileBuf stream;
    ASSERT_TRUE(frame->SaveJpeg(stream, 80));
    const auto* data = stream.GetData();
    testing::internal::CaptureStderr();
    int width = 0, height = 0;
    JpegPixels cut = DecodeJpegBytes(data, 700, width, height);  // past the header, short of the end
    const std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(cut);
    EXPECT_EQ(width, 32);
    EXPECT_NE(shown.find("JPEG Error"), std::string::npos);
    EXPECT_NE(shown.find("Premature end of JPEG file"), std::string::npos);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(DecodeJpegBytes(data, 0, width, height));
    EXPECT_FALSE(DecodeJpegBytes(data, 100, width, height));
    Bytes damaged(data, data + stream.Size());
    for (std::size_t i = 200; i < 300; ++i) damaged[i] = 0xFF;
    DecodeJpegBytes(damaged.data(), damaged.size(), width, height);  // damaged data ends in an answer, either way
    testing::internal::GetCapturedStderr();
}

}  // namespace
