#include <gtest/gtest.h>

#include <filesystem>

#include "../foundation/FoundationFixture.h"
#include "FrameFixtures.h"
#include "foundation/CFileBuf.h"
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileFunctions.h"
#include "foundation/Messages.h"
#include "foundation/PropertyStream.h"
#include "frames/FrameImageModel.h"
#include "frames/FrameInfo.h"
#include "frames/FrameLoad.h"
#include "frames/FrameProcess.h"
#include "frames/ImageModel.h"
#include "frames/Sequence.h"

using platform::Rect;
using namespace frames_test;

namespace {

std::uint32_t g_now = 0;
std::uint32_t Now() { return g_now; }

class SequenceTest : public FileLayerTest {
protected:
    void SetUp() override
    {
        FileLayerTest::SetUp();
        SetSequenceTickSource(Now);
    }
    void TearDown() override
    {
        SetSequenceTickSource(nullptr);
        FileLayerTest::TearDown();
    }

    DisplayDepth display{16};
};

// A w x h 32-bit frame of one opaque colour at the origin given.
std::unique_ptr<CFrame> Solid(int w, int h, int r, int ox, int oy)
{
    auto frame = std::make_unique<CFrame>();
    frame->Create(w, h, 32);
    frame->Fill(MakeColor(r, 255 - r, 40));
    frame->SetOrigin(ox, oy);
    return frame;
}

std::unique_ptr<CSequence> ThreeFramesAndAGap()
{
    auto sequence = std::make_unique<CSequence>();
    sequence->AddFrame(Solid(4, 4, 200, -2, -2));
    sequence->AddFrame(nullptr);
    sequence->AddFrame(Solid(3, 5, 100, 1, 0));
    sequence->AddFrame(Solid(6, 2, 20, 0, -7));
    sequence->SetFrameRate(12.0f);
    return sequence;
}

TEST_F(SequenceTest, FramesAdvanceWithTheClockAndWrap)
{
    std::vector<std::uint32_t> changes;
    std::uint32_t last = 0;
    for (g_now = 0; g_now < 800; ++g_now) {
        const std::uint32_t index = FrameIndexAt(15.0f, 10, 0);
        if (index == last) continue;
        changes.push_back(g_now);
        EXPECT_EQ(index, (last + 1) % 10) << g_now;
        last = index;
    }
    ASSERT_GE(changes.size(), 10u);
    for (std::size_t i = 1; i < changes.size(); ++i) {
        const std::uint32_t gap = changes[i] - changes[i - 1];
        EXPECT_TRUE(gap == 66 || gap == 67) << gap;
    }
    EXPECT_EQ(FrameIndexAt(15.0f, 0, 0), 0u);
    CSequence empty;
    EXPECT_EQ(empty.GetCurrentFrame(), nullptr);
    EXPECT_EQ(empty.GetFrameAt(1.0f), nullptr);
    EXPECT_EQ(empty.GetFrameAt(0.0f), nullptr);
}

TEST_F(SequenceTest, FrameLookups)
{
    CSequence sequence;
    for (int i = 0; i < 4; ++i) sequence.AddFrame(Solid(1, 1, i, 0, 0));
    EXPECT_EQ(sequence.GetFrameAt(1.0f), sequence.GetFrame(3));
    EXPECT_EQ(sequence.GetFrameAt(0.5f), sequence.GetFrame(2));
    EXPECT_EQ(sequence.GetFrame(4), nullptr);
    EXPECT_EQ(sequence.GetFrameCount(), 4u);
}

TEST_F(SequenceTest, SourceFilesRoundTripWithGapsAndOrigins)
{
    auto sequence = ThreeFramesAndAGap();
    CMemoryFileBuf stream;
    ASSERT_TRUE(sequence->WriteSequenceFile(stream, 65, true, false));
    stream.Seek(0);
    CSequence read;
    ASSERT_TRUE(read.ReadSequenceFile(stream));
    ASSERT_EQ(read.GetFrameCount(), 4u);
    EXPECT_EQ(read.GetFrame(1), nullptr);
    EXPECT_FLOAT_EQ(read.GetFrameRate(), 12.0f);
    for (std::uint32_t i : {0u, 2u, 3u}) {
        ASSERT_NE(read.GetFrame(i), nullptr) << i;
        EXPECT_EQ(read.GetFrame(i)->GetBounds(), sequence->GetFrame(i)->GetBounds()) << i;
        Color a;
        const Rect bounds = read.GetFrame(i)->GetBounds();
        sequence->GetFrame(i)->GetPixelColor(bounds.left, bounds.top, a);
        EXPECT_EQ(read.GetFrame(i)->GetPixelValue(bounds.left, bounds.top), PackRGB565(a.R, a.G, a.B)) << i;
    }
    EXPECT_EQ(read.GetBounds(), (Rect{-2, -7, 6, 5}));

    CSequence gaps;
    gaps.AddFrame(nullptr);
    gaps.AddFrame(nullptr);
    CMemoryFileBuf gapStream;
    ASSERT_TRUE(gaps.WriteSequenceFile(gapStream, 65, true, false));
    const int listOnly = gapStream.Size();
    gapStream.Seek(0);
    CSequence gapsRead;
    ASSERT_TRUE(gapsRead.ReadSequenceFile(gapStream));
    EXPECT_EQ(gapsRead.GetFrameCount(), 2u);
    EXPECT_EQ(gapsRead.GetFrame(0), nullptr);
    EXPECT_EQ(gapStream.Tell(), listOnly);  // no strip was written
}

TEST_F(SequenceTest, PlacementsOutsideTheStripAreKeptToIt)
{
    auto sequence = ThreeFramesAndAGap();
    CMemoryFileBuf stream;
    sequence->WriteSequenceFile(stream, 65, true, false);
    // Rewrite the list with a placement far outside the strip, keeping the strip.
    stream.Seek(0);
    int size = 0;
    std::uint8_t* block = CompressedBlockCodec::ReadBlock(stream, &size);
    ASSERT_NE(block, nullptr);
    std::string text(reinterpret_cast<char*>(block), size);
    std::free(block);
    const std::size_t at = text.find("Right=");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 7, "Right=90000");
    CMemoryFileBuf rewritten;
    CompressedBlockCodec::WriteBlock(rewritten, text.data(), static_cast<int>(text.size()), 9);
    rewritten.Write(stream.GetData() + stream.Tell(), stream.Size() - stream.Tell());
    rewritten.Seek(0);
    CSequence read;
    ASSERT_TRUE(read.ReadSequenceFile(rewritten));
    ASSERT_NE(read.GetFrame(0), nullptr);
    EXPECT_LE(read.GetFrame(0)->GetWidth(), 13);
}

TEST_F(SequenceTest, CacheFilesRoundTripAndRefuseDamage)
{
    auto sequence = ThreeFramesAndAGap();
    const CString path = MakeSequenceFileName("ui", "spin", nullptr);
    EXPECT_STREQ(path.GetText(), "Cache/ui/-spin.seq16");
    ASSERT_TRUE(sequence->SaveBinary(path.GetText()));
    CSequence read;
    ASSERT_TRUE(read.LoadBinary("ui", "spin"));
    ASSERT_EQ(read.GetFrameCount(), 4u);
    EXPECT_EQ(read.GetFrame(1), nullptr);
    EXPECT_EQ(read.GetFrame(2)->GetBounds(), sequence->GetFrame(2)->GetBounds());
    EXPECT_EQ(read.GetFrame(2)->GetFlags() & kFrameBorrowed, kFrameBorrowed);

    std::string bytes = Read(path.GetText());
    // Another version byte in the last frame's header, which ends the file: the whole sequence is emptied.
    CMemoryFileBuf last;
    ASSERT_TRUE(sequence->GetFrame(3)->WriteFrameFile(last));
    ASSERT_GT(bytes.size(), static_cast<std::size_t>(last.Size()));
    const std::size_t version = bytes.size() - last.Size();
    ASSERT_EQ(bytes[version], '2');
    std::string damaged = bytes;
    damaged[version] = '3';
    Write(path.GetText(), damaged);
    EXPECT_FALSE(read.LoadBinary("ui", "spin"));
    EXPECT_EQ(read.GetFrameCount(), 0u);
    // A truncated file and a huge frame count are refused too.
    Write(path.GetText(), bytes.substr(0, bytes.size() / 2));
    EXPECT_FALSE(read.LoadBinary("ui", "spin"));
}

struct RedrawCounter : IMessageReceiver {
    int redraws = 0;
    bool ReceiveMessage(const MessageBase& message) override
    {
        if (message.GetTypeId() == CChangedAntiAliasingMessage::TypeId()) ++redraws;
        return false;
    }
};

TEST_F(SequenceTest, OffsetsMoveTheFramesOnce)
{
    auto sequence = ThreeFramesAndAGap();
    RedrawCounter counter;
    MessageDispatcher::Instance().AddReceiver(&counter);
    const int before = sequence->GetFrame(0)->GetOriginX();
    sequence->SetOffsets(5, 0);
    EXPECT_EQ(sequence->GetFrame(0)->GetOriginX(), before - 5);
    sequence->SetOffsets(5, 0);
    EXPECT_EQ(sequence->GetFrame(0)->GetOriginX(), before - 5);
    EXPECT_EQ(counter.redraws, 1);
    MessageDispatcher::Instance().RemoveReceiver(&counter);
}

TEST_F(SequenceTest, AChangedSourceRebuildsTheCache)
{
    auto first = ThreeFramesAndAGap();
    ASSERT_TRUE(first->SaveSequenceFile("ui", "spin", 65, true, false));
    CSequence loaded;
    ASSERT_TRUE(loaded.LoadFile("ui", "spin", nullptr));
    EXPECT_EQ(loaded.GetFrameCount(), 4u);
    const CString cache = MakeSequenceFileName("ui", "spin", nullptr);
    ASSERT_TRUE(std::filesystem::exists(Path(cache.GetText())));

    CSequence second;
    second.AddFrame(Solid(2, 2, 9, 0, 0));
    ASSERT_TRUE(second.SaveSequenceFile("ui", "spin", 65, true, false));
    SetFileTime64(MakeSequenceSourcePath("ui", "spin").GetText(),
                  GetFileTime64(cache.GetText(), 0, kCacheTimeSelector) + 10000000, 0, kCacheTimeSelector);
    CSequence reloaded;
    ASSERT_TRUE(reloaded.LoadFile("ui", "spin", nullptr));
    EXPECT_EQ(reloaded.GetFrameCount(), 1u);
    CSequence fromCache;
    ASSERT_TRUE(fromCache.LoadFile("ui", "spin", nullptr));  // now fresh: read from the rebuilt cache
    EXPECT_EQ(fromCache.GetFrameCount(), 1u);
    EXPECT_EQ(fromCache.GetFrame(0)->GetFlags() & kFrameBorrowed, kFrameBorrowed);
}

}  // namespace

namespace {

TEST_F(SequenceTest, TheCollectionsReachFramesAndSequencesThroughTheImageModel)
{
    InstallFrameImageModel();
    ImageModel* model = ImageModel::Installed();
    ASSERT_NE(model, nullptr);
    EXPECT_STREQ(model->GetFrameFileKind(), "FRAME");
    EXPECT_STREQ(model->GetSequenceFileKind(), "SEQUENCE");
    std::unique_ptr<FrameProcess> pipeline(model->CreateFrameProcess());
    model->CopyStepsTo(*model->GetDefaultSequenceProcess(), *pipeline);
    EXPECT_TRUE(pipeline->HasStep(FrameProcess::kRunEncode));

    ASSERT_TRUE(ThreeFramesAndAGap()->SaveSequenceFile("ui", "spin", 65, true, false));
    std::unique_ptr<CObject> sequence(model->GetSequenceClassInfo()->CreateInstance(0, 0));
    ASSERT_TRUE(model->LoadSequenceFile(sequence.get(), "ui", "spin", *pipeline));
    EXPECT_EQ(model->GetFrameCount(sequence.get()), 4);
    EXPECT_EQ(model->SelectFrame(sequence.get(), 1), nullptr);
    ASSERT_NE(model->SelectFrame(sequence.get(), 2), nullptr);
    CFrame target;
    target.Create(16, 16, 16);
    model->BlitAt(&target, model->SelectFrame(sequence.get(), 0), 8, 8, model->GetSequenceBlitType(sequence.get()));
    EXPECT_NE(target.GetPixelValue(8, 8), 0u);
    EXPECT_EQ(model->LoadFrameDescription("/ui/", "none", *pipeline, 1, 0, nullptr), nullptr);
    ImageModel::Install(nullptr);
}

}  // namespace
