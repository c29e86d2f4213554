#include <gtest/gtest.h>

#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "FrameBaker.h"
#include "TempDir.h"
#include "foundation/CFile.h"
#include "foundation/CFileBuf.h"
#include "foundation/FileFlags.h"
#include "frames/Frame.h"
#include "frames/Sequence.h"

namespace {

// A width x height PNG of RGBA bytes.
void WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr)) << image.message;
}

// 6 x 4: a transparent border around a 3 x 2 block of distinct opaque colours, one of them half see-through.
std::vector<std::uint8_t> Sprite()
{
    std::vector<std::uint8_t> rgba(6 * 4 * 4, 0);
    for (int y = 1; y < 3; ++y)
        for (int x = 2; x < 5; ++x) {
            std::uint8_t* p = &rgba[(y * 6 + x) * 4];
            p[0] = static_cast<std::uint8_t>(40 * x);
            p[1] = static_cast<std::uint8_t>(100 + 50 * y);
            p[2] = 7;
            p[3] = (x == 4 && y == 2) ? 128 : 255;
        }
    return rgba;
}

std::unique_ptr<CFrame> ReadCache(const std::string& path)
{
    CFile file;
    auto frame = std::make_unique<CFrame>();
    EXPECT_TRUE(file.Open(path.c_str(), kFileAbsolute | kFileRead));
    EXPECT_TRUE(file.GetStream() && frame->ReadFrameCache(*file.GetStream()));
    return frame;
}

TEST(FrameBakerTest, APngBakesIntoAFrameThatLoadsBackPixelForPixel)
{
    testsupport::TempDir dir;
    WritePng(dir / "sprite.png", 6, 4, Sprite());
    framebaker::FrameOptions options;
    options.lossless = true;
    options.hasHotSpot = true;
    options.hotSpotX = 3;
    options.hotSpotY = 2;
    std::string error;
    ASSERT_TRUE(framebaker::BakeFrame(dir / "sprite.png", dir / "Cache/ui/sprite.Frame", options, error)) << error;
    const std::unique_ptr<CFrame> read = ReadCache(dir / "Cache/ui/sprite.Frame");
    CFrame& frame = *read;
    // Cropped to the block, which keeps its place relative to the hot spot.
    EXPECT_EQ(frame.GetBounds(), (platform::Rect{-1, -1, 2, 1}));
    const std::vector<std::uint8_t> rgba = Sprite();
    for (int y = 1; y < 3; ++y)
        for (int x = 2; x < 5; ++x) {
            const std::uint8_t* p = &rgba[(y * 6 + x) * 4];
            Color c;
            ASSERT_TRUE(frame.GetPixelColor(x - 3, y - 2, c));
            EXPECT_EQ(c.A, p[3]);
            if (p[3] != 255) continue;  // see-through pixels are un-premultiplied
            EXPECT_EQ(c.R, p[0]);
            EXPECT_EQ(c.G, p[1]);
            EXPECT_EQ(c.B, p[2]);
        }
}

TEST(FrameBakerTest, CentredAndDescribedFrames)
{
    testsupport::TempDir dir;
    WritePng(dir / "sprite.png", 6, 4, Sprite());
    testsupport::WriteFile(dir / "sprite.txt",
                           "CStandAloneFrame\r\n{\r\n\tCenter Hot Spot=1\r\n\tLoss Less=1\r\n}\r\n");
    framebaker::FrameOptions options;
    std::string error;
    ASSERT_TRUE(framebaker::ReadDescription(dir / "sprite.txt", options, error)) << error;
    EXPECT_TRUE(options.centerHotSpot);
    EXPECT_TRUE(options.lossless);
    ASSERT_TRUE(framebaker::BakeFrame(dir / "sprite.png", dir / "centred.Frame", options, error)) << error;
    EXPECT_EQ(ReadCache(dir / "centred.Frame")->GetBounds(), (platform::Rect{-1, -1, 2, 1}));

    EXPECT_FALSE(framebaker::BakeFrame(dir / "missing.png", dir / "x.Frame", options, error));
    EXPECT_NE(error.find("missing.png"), std::string::npos);
    WritePng(dir / "clear.png", 2, 2, std::vector<std::uint8_t>(16, 0));
    EXPECT_FALSE(framebaker::BakeFrame(dir / "clear.png", dir / "x.Frame", options, error));
}

TEST(FrameBakerTest, AListOfPicturesBakesIntoASequence)
{
    testsupport::TempDir dir;
    std::vector<std::string> inputs;
    for (int i = 0; i < 3; ++i) {
        std::vector<std::uint8_t> rgba(4 * 4 * 4, 0);
        for (int k = 0; k <= i; ++k) std::memcpy(&rgba[k * 4], "\x50\x60\x70\xff", 4);
        inputs.push_back(dir / ("f" + std::to_string(i) + ".png"));
        WritePng(inputs.back(), 4, 4, rgba);
    }
    framebaker::SequenceOptions options;
    options.framesPerSecond = 10.0f;
    options.frame.lossless = true;
    std::string error;
    ASSERT_TRUE(framebaker::BakeSequence(inputs, dir / "spin.Sequence", options, error)) << error;
    CFile file;
    ASSERT_TRUE(file.Open((dir / "spin.Sequence").c_str(), kFileAbsolute | kFileRead));
    CSequence sequence;
    ASSERT_TRUE(sequence.ReadSequenceFile(*file.GetStream()));
    ASSERT_EQ(sequence.GetFrameCount(), 3u);
    EXPECT_FLOAT_EQ(sequence.GetFrameRate(), 10.0f);
    EXPECT_EQ(sequence.GetFrame(2)->GetWidth(), 3);
    EXPECT_EQ(sequence.GetBlitTypeIndex(), 1);  // "Transparent Mask"
    options.blitType = "No Such Blit";
    EXPECT_FALSE(framebaker::BakeSequence(inputs, dir / "bad.Sequence", options, error));
}

}  // namespace
