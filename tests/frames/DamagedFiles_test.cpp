// Damaged inputs of every reader end in a clean answer: false, an empty result, or the reader's own fatal
// message, never a read outside the data (the sanitizer build runs these too).
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "../foundation/FatalCapture.h"
#include "../foundation/FoundationFixture.h"
#include "FrameFixtures.h"
#include "foundation/CFileBuf.h"
#include "foundation/PropertyStream.h"
#include "frames/Sequence.h"
#include "frames/Tga.h"

using namespace frames_test;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(CMemoryFileBuf& stream) { return Bytes(stream.GetData(), stream.GetData() + stream.Size()); }

// Copies of bytes with a few bytes changed, and cut short, from a fixed seed.
std::vector<Bytes> Damaged(const Bytes& good, int rounds)
{
    std::mt19937 random(17);
    std::vector<Bytes> copies;
    for (int round = 0; round < rounds; ++round) {
        Bytes copy = good;
        for (int k = 0; k < 1 + round % 4; ++k) copy[random() % copy.size()] = static_cast<std::uint8_t>(random());
        if (round % 5 == 0) copy.resize(random() % copy.size());
        copies.push_back(std::move(copy));
    }
    return copies;
}

std::unique_ptr<CSequence> SmallSequence()
{
    auto sequence = std::make_unique<CSequence>();
    for (int i = 0; i < 3; ++i) {
        auto frame = NumberedFrame(3 + i, 2, 32, 40 * i + 1);
        frame->SetOrigin(-i, i);
        sequence->AddFrame(std::move(frame));
    }
    sequence->AddFrame(nullptr);
    return sequence;
}

TEST(DamagedFilesTest, FrameCaches)
{
    auto frame = NumberedFrame(9, 7, 32, 3);
    for (bool lossless : {true, false}) {
        CMemoryFileBuf stream;
        const std::int32_t hotSpot[2] = {1, 2};
        stream.Write(hotSpot, sizeof hotSpot);
        ASSERT_TRUE(frame->WriteFrameCache(stream, 50, lossless));
        testing::internal::CaptureStderr();  // JPEG complaints go to message boxes, printed when headless
        for (const Bytes& copy : Damaged(BytesOf(stream), 400)) {
            CMemoryFileBuf damaged;
            damaged.Write(copy.data(), static_cast<int>(copy.size()));
            damaged.Seek(0);
            CFrame read;
            if (!read.ReadFrameCache(damaged)) continue;
            EXPECT_EQ(read.GetWidth() * read.GetHeight(), 63);
        }
        testing::internal::GetCapturedStderr();
    }
}

TEST(DamagedFilesTest, SequenceSources)
{
    CMemoryFileBuf stream;
    ASSERT_TRUE(SmallSequence()->WriteSequenceFile(stream, 65, true, false));
    for (const Bytes& copy : Damaged(BytesOf(stream), 400)) {
        CMemoryFileBuf damaged;
        damaged.Write(copy.data(), static_cast<int>(copy.size()));
        damaged.Seek(0);
        CSequence read;
        if (!read.ReadSequenceFile(damaged)) continue;
        for (std::uint32_t i = 0; i < read.GetFrameCount(); ++i)
            if (CFrame* frame = read.GetFrame(i)) frame->IsOpaqueAt(frame->GetOriginX(), frame->GetOriginY());
    }
}

class DamagedCacheTest : public FileLayerTest {};

TEST_F(DamagedCacheTest, SequenceCachesAndTheirVersion)
{
    ASSERT_TRUE(SmallSequence()->SaveBinary("cache.seq"));
    const std::string good = Read("cache.seq");
    const Bytes bytes(good.begin(), good.end());
    FatalCapture capture;  // a plane size beyond the limit is the converted-frame reader's fatal message
    for (const Bytes& copy : Damaged(bytes, 400)) {
        auto* memory = new CMemoryFileBuf;
        memory->Write(copy.data(), static_cast<int>(copy.size()));
        memory->Seek(0);
        PropertyStream stream;
        stream.Attach(memory, kFileRead, true);
        CSequence sequence;
        try {
            if (!sequence.ReadBinary(stream)) continue;
            EXPECT_LE(sequence.GetFrameCount(), 4u);
        } catch (const ProcessEnded& ended) {
            EXPECT_EQ(ended.exitCode, -1);
        }
    }
    capture.Collect();
    // Another class version is refused (the stored version is the class record's computed one, after the marker).
    std::string other = good;
    float version = CSequence::GetStaticClassInfo()->GetVersion();
    ASSERT_EQ(std::memcmp(other.data() + 4, &version, 4), 0);
    version += 1.0f;
    std::memcpy(other.data() + 4, &version, 4);
    auto* memory = new CMemoryFileBuf;
    memory->Write(other.data(), static_cast<int>(other.size()));
    memory->Seek(0);
    PropertyStream stream;
    stream.Attach(memory, kFileRead, true);
    CSequence sequence;
    EXPECT_FALSE(sequence.ReadBinary(stream));
}

TEST(DamagedFilesTest, TgaFiles)
{
    auto frame = NumberedFrame(20, 6, 32, 9);
    const Bytes good = EncodeTga(*frame);
    ASSERT_FALSE(good.empty());
    FatalCapture capture;
    int fatal = 0;
    for (const Bytes& copy : Damaged(good, 600)) {
        CFrame read;
        try {
            if (!DecodeTgaIntoFrame(read, copy.data(), copy.size(), "damaged.tga", nullptr, 32)) continue;
            EXPECT_NE(read.GetPixels(), nullptr);
        } catch (const ProcessEnded& ended) {
            EXPECT_EQ(ended.exitCode, -1);
            ++fatal;
        }
    }
    capture.Collect();
    EXPECT_GT(fatal, 0);  // some damage makes a packet cross its row, which the reader reports
}

}  // namespace
