#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "../foundation/FatalCapture.h"
#include "../foundation/FoundationFixture.h"
#include "FrameFixtures.h"
#include "blit/BlitType.h"
#include "foundation/CFile.h"
#include "foundation/CFileBuf.h"
#include "foundation/FileFunctions.h"
#include "frames/FrameCache.h"
#include "frames/FrameFile.h"
#include "frames/FrameLoad.h"
#include "frames/FrameNames.h"
#include "frames/FrameProcess.h"
#include "frames/RunEncoders.h"
#include "frames/StandAloneFrame.h"

using namespace frames_test;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(CMemoryFileBuf& stream) { return Bytes(stream.GetData(), stream.GetData() + stream.Size()); }

// A 16-bit two-plane frame with opaque and translucent pixels, as the default chain makes it.
std::unique_ptr<CFrame> EncodedSixteen()
{
    DisplayDepth display(16);
    auto frame = std::make_unique<CFrame>();
    frame->Create(20, 3, 32);
    for (int x = 0; x < 20; ++x) {
        frame->SetPixel(x, 0, MakeColor(x * 10, 50, 90, 255));
        frame->SetPixel(x, 1, MakeColor(200, 10, 10, x < 10 ? 255 : 100));
    }
    frame->SetOrigin(-4, -7);
    ApplyProcessSteps(*frame, false, true);
    return frame;
}

TEST(FrameFileTest, PlainAndEncodedFramesRoundTrip)
{
    auto plain = NumberedFrame(3, 2, 8);
    plain->SetOrigin(-1, 2);
    CMemoryFileBuf stream;
    ASSERT_TRUE(plain->WriteFrameFile(stream));
    EXPECT_EQ(stream.Size(), 36 + 6 + 8);
    stream.Seek(0);
    CFrame read;
    ASSERT_TRUE(read.ReadFrameFile(stream));
    EXPECT_EQ(read.GetBounds(), plain->GetBounds());
    EXPECT_EQ(read.GetPixelValue(1, 3), plain->GetPixelValue(1, 3));
    EXPECT_EQ(read.GetFlags() & kFrameBorrowed, kFrameBorrowed);  // in place from memory

    auto encoded = EncodedSixteen();
    ASSERT_EQ(encoded->GetFlags() & kFrameEncodingMask, kFrameEncodingAlpha);
    CMemoryFileBuf encodedStream;
    ASSERT_TRUE(encoded->WriteFrameFile(encodedStream));
    for (bool borrow : {true, false}) {
        encodedStream.Seek(0);
        CFrame copy;
        ASSERT_EQ(copy.ReadFrameFileChecked(encodedStream, borrow), kFrameFileOk);
        EXPECT_EQ((copy.GetFlags() & kFrameBorrowed) != 0, borrow);
        EXPECT_EQ(copy.GetBounds(), encoded->GetBounds());
        for (int y = -7; y < -4; ++y)
            for (int x = -4; x < 16; ++x) {
                Color a, b;
                encoded->GetPixelColor(x, y, a);
                copy.GetPixelColor(x, y, b);
                ASSERT_EQ(a.ToU32(), b.ToU32()) << x << "," << y;
            }
        copy.FreePixels();  // frees nothing borrowed
    }
    CFrame one;
    one.Create(4, 1, 16);
    CMemoryFileBuf single;
    one.WriteFrameFile(single);
    single.Seek(0);
    CFrame oneRead;
    ASSERT_TRUE(oneRead.ReadFrameFile(single));
    EXPECT_EQ(oneRead.GetPitch(), 4);
}

TEST(FrameFileTest, WrongVersionAndOversizedPlanes)
{
    auto frame = NumberedFrame(3, 2, 8);
    CMemoryFileBuf stream;
    frame->WriteFrameFile(stream);
    Bytes bytes = BytesOf(stream);
    bytes[0] = 0x31;
    CMemoryFileBuf wrong;
    wrong.Write(bytes.data(), static_cast<int>(bytes.size()));
    wrong.Seek(0);
    CFrame read;
    EXPECT_EQ(read.ReadFrameFileChecked(wrong, true), kFrameFileWrongVersion);
    EXPECT_EQ(read.GetPixels(), nullptr);

    bytes[0] = 0x32;
    bytes[16 + 3] = 0x01;  // plane 0 of 16 MiB
    CMemoryFileBuf huge;
    huge.Write(bytes.data(), static_cast<int>(bytes.size()));
    huge.Seek(0);
    FatalCapture capture;
    EXPECT_FATAL(capture, read.ReadFrameFile(huge));
    EXPECT_NE(capture.shown.find("Fatal Error loading a frame: The *.frm file is corrupt, change the "
                                 "FRAME_FILE_VERSION number."),
              std::string::npos);
}

// Reads bytes as a ".frm" file; whatever was accepted must be safe to walk, draw, clear and fill.
int ReadAndUse(const Bytes& bytes, bool borrow)
{
    CMemoryFileBuf damaged;
    damaged.Write(bytes.data(), static_cast<int>(bytes.size()));
    damaged.Seek(0);
    CFrame frame;
    const int result = frame.ReadFrameFileChecked(damaged, borrow);
    for (int y = frame.GetOriginY(); y < frame.GetOriginY() + frame.GetHeight(); ++y)
        for (int x = frame.GetOriginX(); x < frame.GetOriginX() + frame.GetWidth(); ++x) {
            Color c;
            frame.GetPixelColor(x, y, c);
            frame.IsOpaqueAt(x, y);
        }
    CFrame target;
    target.Create(frame.GetWidth() + 2, frame.GetHeight() + 2, 16);
    target.BlitAt(&frame, frame.GetOriginX() + 1, frame.GetOriginY() + 1, nullptr);
    frame.Clear();
    frame.FillValue(0x5A);
    return result;
}

// The bytes of a ".frm" file of a plain 4 x 3 8-bit frame whose plane 0 is size bytes with the line table given.
Bytes PlainFrameFile(std::uint32_t size, const std::vector<std::uint32_t>& lines)
{
    FrameFileHeader h;
    h.bitDepth = 8;
    h.width = 4;
    h.height = static_cast<std::uint16_t>(lines.size());
    h.flags = FrameFormatOf(8);
    h.planeSizes[0] = size;
    Bytes bytes(FrameFileHeader::kSize);
    h.Write(bytes.data());
    bytes.resize(bytes.size() + size, 7);
    for (std::uint32_t offset : lines)
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(offset >> (8 * i)));
    return bytes;
}

TEST(FrameFileTest, APlainPlaneMustHoldItsLinesAtOnePitch)
{
    struct Case {
        const char* what;
        std::uint32_t size;
        std::vector<std::uint32_t> lines;
        int result;
    };
    const Case cases[] = {
        {"pitch of the width", 12, {0, 4, 8}, kFrameFileOk},
        {"wider pitch", 18, {0, 6, 12}, kFrameFileOk},
        {"one line", 4, {0}, kFrameFileOk},
        {"every line on the first", 4, {0, 0, 0}, kFrameFileInconsistent},
        {"pitch below the width", 12, {0, 2, 4}, kFrameFileInconsistent},
        {"lines out of order", 12, {0, 8, 4}, kFrameFileInconsistent},
        {"a line off the pitch", 18, {0, 6, 11}, kFrameFileInconsistent},
        {"pitch past the plane", 16, {0, 6, 12}, kFrameFileInconsistent},
    };
    for (const Case& c : cases)
        for (bool borrow : {true, false})
            EXPECT_EQ(ReadAndUse(PlainFrameFile(c.size, c.lines), borrow), c.result) << c.what;
}

TEST(FrameFileTest, ARunPlaneTooShortForItsLengthWordIsRefused)
{
    auto encoded = EncodedSixteen();
    CMemoryFileBuf stream;
    encoded->WriteFrameFile(stream);
    FrameFileHeader h;
    h.Parse(stream.GetData());
    for (std::uint32_t size : {1u, 2u, 3u}) {
        h.planeSizes[0] = size;
        h.planeSizes[3] = h.planeSizes[4] = 0;
        Bytes bytes(FrameFileHeader::kSize);
        h.Write(bytes.data());
        bytes.insert(bytes.end(), size, 0);
        bytes.insert(bytes.end(), 4 * h.height, 0);
        EXPECT_EQ(ReadAndUse(bytes, false), kFrameFileInconsistent) << size;
    }
}

TEST(FrameFileTest, DamagedFilesAreRefusedNotTrusted)
{
    auto encoded = EncodedSixteen();
    CMemoryFileBuf stream;
    encoded->WriteFrameFile(stream);
    const Bytes good = BytesOf(stream);
    const auto readBack = ReadAndUse;
    EXPECT_EQ(readBack(Bytes(good.begin(), good.end() - 3), true), kFrameFileShort);
    EXPECT_EQ(readBack(Bytes(good.begin(), good.begin() + 20), false), kFrameFileShort);
    Bytes badOffset = good;
    const std::size_t plane0 = good[16] | good[17] << 8;
    badOffset[36 + plane0 + 4] = 0xF0;  // line 1 starts far outside the plane
    EXPECT_EQ(readBack(badOffset, true), kFrameFileInconsistent);
    Bytes badRun = good;
    badRun[36 + 4] = 0x7F;  // the first run of line 0 runs past the plane
    EXPECT_EQ(readBack(badRun, true), kFrameFileInconsistent);
    Bytes badFormat = good;
    badFormat[12] = 0x20 | 0x04;  // two-plane runs under 8-bit flags
    EXPECT_EQ(readBack(badFormat, true), kFrameFileInconsistent);

    std::mt19937 random(11);
    CMemoryFileBuf plainStream;
    NumberedFrame(5, 4, 16)->WriteFrameFile(plainStream);
    for (const Bytes& file : {good, BytesOf(plainStream)})
        for (int round = 0; round < 3000; ++round) {
            Bytes mutated = file;
            for (int k = 0; k < 3; ++k)
                mutated[36 + random() % (mutated.size() - 36)] = static_cast<std::uint8_t>(random());
            readBack(mutated, round % 2 == 0);
        }
}

TEST(FrameCacheTest, TheChooserKeepsLosslessUnlessLossyIsMuchSmaller)
{
    const std::pair<std::uint32_t, bool> cases[] = {{9300, true}, {9299, false}, {10000, true}, {100, false}};
    for (auto [lossy, keepLossless] : cases) EXPECT_EQ(ChooseLosslessBody(10000, lossy), keepLossless) << lossy;
}

// The ".Frame" file of a frame: hot spot, then the body.
Bytes CacheFileOf(CFrame& frame, int quality, bool losslessOnly)
{
    CMemoryFileBuf stream;
    const std::int32_t hotSpot[2] = {frame.GetOriginX(), frame.GetOriginY()};
    stream.Write(hotSpot, sizeof hotSpot);
    EXPECT_TRUE(frame.WriteFrameCache(stream, quality, losslessOnly));
    return BytesOf(stream);
}

TEST(FrameCacheTest, LosslessAndLossyBodiesReadBack)
{
    for (auto [width, height] : {std::pair{1, 1}, std::pair{3, 5}}) {
        auto frame = NumberedFrame(width, height, 32, 7);
        frame->SetOrigin(2, -3);
        const Bytes file = CacheFileOf(*frame, 65, true);
        EXPECT_EQ(file[8], 1);
        CMemoryFileBuf stream;
        stream.Write(file.data(), static_cast<int>(file.size()));
        stream.Seek(0);
        CFrame read;
        ASSERT_TRUE(read.ReadFrameCache(stream));
        EXPECT_EQ(read.GetBounds(), frame->GetBounds());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(read.GetPixelValue(x + 2, y - 3), frame->GetPixelValue(x + 2, y - 3));
    }
    CFrame photo;
    photo.Create(64, 64, 32);
    std::mt19937 random(3);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            photo.SetPixel(x, y, MakeColor(x * 4, y * 4, static_cast<int>(random() & 0x3F), y < 32 ? 255 : 128));
    const Bytes lossyFile = CacheFileOf(photo, 90, false);
    ASSERT_EQ(lossyFile[8], 0) << "noise compresses badly without loss: the lossy body wins";
    CMemoryFileBuf stream;
    stream.Write(lossyFile.data(), static_cast<int>(lossyFile.size()));
    stream.Seek(0);
    CFrame read;
    ASSERT_TRUE(read.ReadFrameCache(stream));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            Color a, b;
            photo.GetPixelColor(x, y, a);
            read.GetPixelColor(x, y, b);
            ASSERT_EQ(a.A, b.A);
            ASSERT_NEAR(a.R, b.R, 40);
        }
}

TEST(FrameCacheTest, SizesThatDoNotMatchTheDataFail)
{
    auto frame = NumberedFrame(3, 5, 32, 7);
    Bytes file = CacheFileOf(*frame, 65, true);
    file[file.size() - 4] = 6;  // height 6: the planes hold 3 x 5
    CMemoryFileBuf stream;
    stream.Write(file.data(), static_cast<int>(file.size()));
    stream.Seek(0);
    CFrame read;
    EXPECT_FALSE(read.ReadFrameCache(stream));
    const Bytes cut(file.begin(), file.begin() + 20);
    CMemoryFileBuf shortStream;
    shortStream.Write(cut.data(), static_cast<int>(cut.size()));
    shortStream.Seek(0);
    EXPECT_FALSE(read.ReadFrameCache(shortStream));
}

TEST(FrameNamesTest, OneRuleForFramesAndSequences)
{
    FrameProcessChain eight, sixteen, twentyFour;
    eight.SetTargetBitDepth(8);
    sixteen.SetTargetBitDepth(16);
    twentyFour.SetTargetBitDepth(24);
    EXPECT_STREQ(BuildFrameFileName("/ui/", "button", &eight, 1).GetText(), "Cache/ui/button.frm");
    EXPECT_STREQ(BuildFrameFileName("/ui/", "button", &sixteen, 1).GetText(), "Cache/ui/-button.frm16");
    EXPECT_STREQ(BuildFrameFileName("base/", "sub/pic", &twentyFour, 0).GetText(), "base/sub-pic.frm24");
    EXPECT_STREQ(BuildFrameFileName("base/", "pic", &twentyFour, 0).GetText(), "base/-pic.frm24");
    EXPECT_STREQ(MakeDepthFileName("Cache/ui", "spin", "/", 16, "seq").GetText(), "Cache/ui/-spin.seq16");
    EXPECT_STREQ(MakeDepthFileName("Cache/ui", "spin", "/", 8, "seq").GetText(), "Cache/ui/spin.seq");
    EXPECT_STREQ(MakeDepthFileName("Cache/ui", "a\\b", "/", 32, "seq").GetText(), "Cache/ui/a/-b.seq32");
    EXPECT_STREQ(MakeDepthFileName("Cache/ui", "spin", "/", 12, "seq").GetText(), "");
    EXPECT_STREQ(MakeFrameCachePath("ui", "button").GetText(), "Cache/ui/button.Frame");
    EXPECT_STREQ(GetFrameFileKind(), "FRAME");
    SetFrameCacheNaming(false);
    EXPECT_STREQ(BuildFrameFileName("/ui/", "button", &sixteen, 1).GetText(), "Cache/ui/button.frm16");
    EXPECT_STREQ(GetFrameFileKind(), "frm");
    SetFrameCacheNaming(true);
}

class FrameLoadTest : public FileLayerTest {
protected:
    void WriteCache(const std::string& folder, const std::string& name, CFrame& frame)
    {
        const Bytes file = CacheFileOf(frame, 65, true);
        Write("Cache/" + folder + "/" + name + ".Frame", std::string(file.begin(), file.end()));
    }
    // A 4 x 3 frame's cache "Cache/ui/knob.Frame", loaded once for 8 bits, which writes its ".frm".
    void LoadKnobOnce()
    {
        WriteCache("ui", "knob", *NumberedFrame(4, 3, 32, 200));
        eightBits.SetTargetBitDepth(8);
        CFrame frame;
        ASSERT_TRUE(frame.Load("/ui/", "knob", &eightBits, 1, 0));
        knobTime = GetFileTime64("Cache/ui/knob.Frame", 0, kCacheTimeSelector);
    }

    FrameProcessChain eightBits;
    const std::string converted = "Cache/ui/knob.frm";
    std::int64_t knobTime = 0;
};

TEST_F(FrameLoadTest, TheConvertedFileIsRebuiltWhenItsStampDiffers)
{
    ASSERT_NO_FATAL_FAILURE(LoadKnobOnce());
    FrameProcessChain& chain = eightBits;
    const std::int64_t cacheTime = knobTime;
    CFrame frame;
    ASSERT_TRUE(std::filesystem::exists(Path(converted)));
    EXPECT_EQ(GetFileTime64(converted.c_str(), 0, kCacheTimeSelector), cacheTime);

    // Same stamps: the ".frm" is read as it is, even when it says something else.
    CFrame other;
    other.Create(2, 2, 8);
    CMemoryFileBuf bytes;
    other.WriteFrameFile(bytes);
    Write(converted, std::string(bytes.GetData(), bytes.GetData() + bytes.Size()));
    SetFileTime64(converted.c_str(), cacheTime, 0, kCacheTimeSelector);
    EXPECT_TRUE(frame.Load("/ui/", "knob", &chain, 1, 0));
    EXPECT_EQ(frame.GetWidth(), 2);

    // Other stamps: rebuilt and stamped again.
    SetFileTime64(converted.c_str(), cacheTime + 10000000, 0, kCacheTimeSelector);
    ASSERT_TRUE(frame.Load("/ui/", "knob", &chain, 1, 0));
    EXPECT_EQ(frame.GetWidth(), 4);
    EXPECT_EQ(GetFileTime64(converted.c_str(), 0, kCacheTimeSelector), cacheTime);
}

TEST_F(FrameLoadTest, AConvertedFileThatDoesNotReadIsRebuiltThoughItsStampMatches)
{
    ASSERT_NO_FATAL_FAILURE(LoadKnobOnce());
    const std::string good = Read(converted);
    const std::pair<const char*, std::string> damages[] = {
        {"cut short", good.substr(0, good.size() - 5)},
        {"another version", "3" + good.substr(1)},
        {"empty", ""},
    };
    for (const auto& [what, bytes] : damages) {
        Write(converted, bytes);
        SetFileTime64(converted.c_str(), knobTime, 0, kCacheTimeSelector);
        CFrame again;
        ASSERT_TRUE(again.Load("/ui/", "knob", &eightBits, 1, 0)) << what;
        EXPECT_EQ(again.GetWidth(), 4) << what;
        EXPECT_EQ(Read(converted), good) << what;
        EXPECT_EQ(GetFileTime64(converted.c_str(), 0, kCacheTimeSelector), knobTime) << what;
    }
}

TEST_F(FrameLoadTest, AMissingCacheWritesNothing)
{
    CFrame frame;
    EXPECT_FALSE(frame.Load("/ui/", "absent", nullptr, 1, 0));
    EXPECT_FALSE(std::filesystem::exists(Path("Cache/ui/absent.frm")));
    EXPECT_EQ(LoadFrameDescription("/ui/", "absent", GetDefaultFrameProcess(), 1, 0, nullptr), nullptr);
}

TEST_F(FrameLoadTest, StandAloneOptionsShapeTheLoad)
{
    DisplayDepth display(16);
    CFrame source;
    source.Create(6, 4, 32);
    source.FillRect(platform::Rect{1, 1, 5, 3}, MakeColor(255, 255, 255, 255));
    WriteCache("ui", "panel", source);
    Write("/ui/panel.txt", "CStandAloneFrame\r\n{\r\n\tRun Length Encode=0\r\n\tCenter Hot Spot=1\r\n}\r\n");
    std::unique_ptr<CObject> object(LoadFrameDescription("/ui/", "panel", GetDefaultFrameProcess(), 1, 0, nullptr));
    auto* frame = dynamic_cast<CStandAloneFrame*>(object.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetBitDepth(), 16);
    EXPECT_FALSE(frame->IsEncoded());
    // The load converts and run-encodes only: moving the hot spot is the baker's work.
    EXPECT_EQ(frame->GetBounds(), (platform::Rect{0, 0, 6, 4}));
    EXPECT_EQ(frame->GetBlitType(), &NormalBlitType());
    EXPECT_EQ(GetRunFillThreshold(), 8);
    EXPECT_FALSE(GetLosslessOnly());

    CStandAloneFrame biased;
    biased.SetBlackBiased(true);
    EXPECT_EQ(biased.GetBlitTypeIndex(), kBlitBlendBlackBias);
    biased.SetBlitTypeIndex(kBlitNormal);
    EXPECT_FALSE(biased.GetOptions() & CStandAloneFrame::kLoadBlackBiased);
}

}  // namespace
