#include <gtest/gtest.h>

#include <new>

#include "FrameFixtures.h"
#include "blit/BlitType.h"
#include "frames/BatchedProxyFrame.h"
#include "frames/ProxyFrame.h"
#include "frames/ScaledProxyFrame.h"

using platform::Rect;
using namespace frames_test;

namespace {

std::unique_ptr<CFrame> Target()
{
    auto frame = std::make_unique<CFrame>();
    frame->Create(8, 8, 16);
    return frame;
}

int CountDrawn(CFrame& frame)
{
    int drawn = 0;
    for (int y = 0; y < frame.GetHeight(); ++y)
        for (int x = 0; x < frame.GetWidth(); ++x) drawn += frame.GetPixelValue(x, y) != 0;
    return drawn;
}

TEST(ProxyTest, OffsetProxyMovesEveryOperationAndItsBoundsAgree)
{
    auto target = Target();
    COffsetProxyFrame proxy;
    proxy.SetWrapped(target.get());
    proxy.SetOffset(10, 20);
    EXPECT_TRUE(proxy.SetPixel(10, 20, kOpaqueWhite));
    EXPECT_EQ(target->GetPixelValue(0, 0), 0xFFFFu);
    EXPECT_EQ(proxy.GetPixelValue(10, 20), 0xFFFFu);
    EXPECT_EQ(proxy.GetBounds(), (Rect{10, 20, 18, 28}));
    EXPECT_EQ(proxy.GetOriginX(), 10);
    // The bounds say where the pixels are: the last one answers, the one after does not.
    EXPECT_TRUE(proxy.SetPixel(17, 27, kOpaqueWhite));
    EXPECT_FALSE(proxy.SetPixel(18, 27, kOpaqueWhite));
    target->Clear();
    EXPECT_TRUE(proxy.FillRect(Rect{12, 22, 14, 24}, kOpaqueWhite));
    EXPECT_EQ(target->GetPixelValue(2, 2), 0xFFFFu);
    EXPECT_EQ(CountDrawn(*target), 4);
    target->Clear();
    EXPECT_TRUE(proxy.DrawLine(10, 21, 17, 21, kOpaqueWhite));
    EXPECT_EQ(CountDrawn(*target), 8);
    EXPECT_EQ(target->GetPixelValue(7, 1), 0xFFFFu);
    target->Clear();
    auto source = NumberedFrame(2, 2, 16);
    EXPECT_TRUE(proxy.BlitAt(source.get(), 13, 24, nullptr));
    EXPECT_EQ(target->GetPixelValue(3, 4), 0x0101u);
    EXPECT_EQ(CountDrawn(*target), 4);
}

TEST(ProxyTest, ClippedProxyKeepsDrawingInside)
{
    auto target = Target();
    CClippedProxyFrame outside;
    outside.SetWrapped(target.get());
    outside.SetClip(Rect{20, 20, 30, 30});
    EXPECT_TRUE(outside.GetBounds().IsEmpty());
    EXPECT_EQ(outside.GetBounds(), (Rect{20, 20, 20, 20}));
    EXPECT_FALSE(outside.FillRect(Rect{0, 0, 8, 8}, kOpaqueWhite));
    EXPECT_EQ(CountDrawn(*target), 0);

    CClippedProxyFrame clipped;
    clipped.WrapWhole(target.get());
    clipped.SetClip(Rect{2, 2, 5, 5});
    EXPECT_EQ(clipped.GetWidth(), 3);
    auto source = NumberedFrame(4, 4, 16);
    EXPECT_TRUE(clipped.Blit(source.get(), Rect{0, 0, 4, 4}, Rect{0, 0, 4, 4}, nullptr));
    EXPECT_EQ(CountDrawn(*target), 4);
    EXPECT_EQ(target->GetPixelValue(2, 2), 0x0B0Bu);  // source pixel (2, 2)
    EXPECT_FALSE(clipped.SetPixel(5, 2, kOpaqueWhite));
    EXPECT_EQ(clipped.GetPixelValue(1, 2), 0u);
    Color c;
    EXPECT_FALSE(clipped.GetPixelColor(1, 2, c));
    EXPECT_FALSE(clipped.IsOpaqueAt(5, 5));
    EXPECT_TRUE(clipped.DrawLine(0, 3, 7, 3, kOpaqueWhite));
    EXPECT_EQ(target->GetPixelValue(1, 3), 0u);
    EXPECT_EQ(target->GetPixelValue(4, 3), 0xFFFFu);
}

TEST(ProxyTest, OffsetClippedProxyTakesItsClipInProxyCoordinates)
{
    auto target = Target();
    COffsetClippedProxyFrame proxy;
    proxy.SetWrapped(target.get());
    proxy.SetOffset(100, 50);
    proxy.SetClipRect(Rect{101, 51, 104, 53});
    EXPECT_EQ(proxy.GetBounds(), (Rect{101, 51, 104, 53}));
    EXPECT_EQ(proxy.GetOriginX(), 100);
    EXPECT_TRUE(proxy.FillRect(Rect{0, 0, 200, 200}, kOpaqueWhite));
    EXPECT_EQ(CountDrawn(*target), 6);
    EXPECT_EQ(target->GetPixelValue(1, 1), 0xFFFFu);
    EXPECT_FALSE(proxy.SetPixel(100, 50, kOpaqueBlack));

    // A chain of proxies answers with the frame at its end.
    COffsetProxyFrame outer;
    outer.SetWrapped(&proxy);
    EXPECT_EQ(outer.GetRealFrame(), target.get());
    CProxyFrame unwrapped;
    EXPECT_FALSE(unwrapped.SetPixel(0, 0, kOpaqueWhite));
    EXPECT_EQ(unwrapped.GetWidth(), 0);
}

// A scaled proxy at half scale over the frame.
void HalfScale(CScaledProxyFrame& proxy, CFrame& frame)
{
    proxy.SetWrapped(&frame);
    proxy.SetScale(0.5f, 0.5f);
}

TEST(ProxyTest, ScaledProxyPresentsTheFrameAtItsScale)
{
    DisplayDepth display(16);
    CFrame frame;
    frame.Create(100, 100, 16);
    CScaledProxyFrame proxy;
    HalfScale(proxy, frame);
    EXPECT_EQ(proxy.GetBounds(), (Rect{0, 0, 200, 200}));
    EXPECT_TRUE(proxy.SetPixel(199, 199, kOpaqueWhite));
    EXPECT_EQ(frame.GetPixelValue(99, 99), 0xFFFFu);

    CFrame source;
    source.Create(4, 4, 16);
    source.Fill(MakeColor(0, 255, 0));
    EXPECT_TRUE(proxy.BlitAt(&source, 20, 40, nullptr));
    EXPECT_EQ(frame.GetPixelValue(10, 20), 0x07E0u);
    EXPECT_EQ(frame.GetPixelValue(11, 21), 0x07E0u);
    EXPECT_EQ(frame.GetPixelValue(12, 20), 0u);
    auto tiny = NumberedFrame(1, 1, 16);
    EXPECT_FALSE(proxy.BlitAt(tiny.get(), 0, 0, nullptr));  // half a pixel: nothing to draw
}

// The scaled copy belongs to its source: a source made again at the same address, or loaded again, is drawn anew.
TEST(ProxyTest, ScaledProxyDrawsTheSourceAsItIsNow)
{
    DisplayDepth display(16);
    CFrame frame;
    frame.Create(8, 8, 16);
    CScaledProxyFrame proxy;
    HalfScale(proxy, frame);
    alignas(CFrame) unsigned char storage[sizeof(CFrame)];
    const auto drawnFrom = [&](const Color& color) {
        auto* source = ::new (storage) CFrame;
        source->Create(4, 4, 16);
        source->Fill(color);
        proxy.BlitAt(source, 0, 0, nullptr);
        const std::uint32_t drawn = frame.GetPixelValue(1, 1);
        source->~CFrame();
        return drawn;
    };
    EXPECT_EQ(drawnFrom(MakeColor(255, 0, 0)), 0xF800u);
    EXPECT_EQ(drawnFrom(MakeColor(0, 0, 255)), 0x001Fu);

    CFrame reloaded;
    reloaded.Create(4, 4, 16);
    reloaded.Fill(MakeColor(255, 0, 0));
    proxy.BlitAt(&reloaded, 0, 0, nullptr);
    reloaded.FreePixels();
    reloaded.Create(4, 4, 16);
    reloaded.Fill(MakeColor(0, 255, 0));
    proxy.BlitAt(&reloaded, 0, 0, nullptr);
    EXPECT_EQ(frame.GetPixelValue(1, 1), 0x07E0u);
}

TEST(ProxyTest, BatchReplaysWithTheRecordedOpacity)
{
    auto target = Target();
    CBatchedProxyFrame batch;
    batch.SetWrapped(target.get());
    auto source = NumberedFrame(2, 2, 16, 0x40);
    BlitType& normal = NormalBlitType();
    normal.SetOpacity(0.5f);
    EXPECT_TRUE(batch.FillRect(Rect{0, 0, 2, 1}, MakeColor(0, 0, 255)));
    EXPECT_TRUE(batch.SetPixel(7, 7, kOpaqueWhite));
    EXPECT_TRUE(batch.BlitAt(source.get(), 4, 4, &normal));
    EXPECT_TRUE(batch.DrawLineF(0.0f, 6.5f, 3.0f, 6.5f, kOpaqueWhite));
    normal.SetOpacity(1.0f);
    batch.EndRecording();
    EXPECT_EQ(CountDrawn(*target), 0);

    batch.Replay();
    EXPECT_EQ(target->GetPixelValue(1, 0), 0x001Fu);
    EXPECT_EQ(target->GetPixelValue(7, 7), 0xFFFFu);
    const std::uint32_t once = target->GetPixelValue(4, 4);
    EXPECT_NE(once, 0x4040u);  // blended at the recorded opacity, not copied
    EXPECT_NE(target->GetPixelValue(1, 6), 0u);
    EXPECT_NE(target->GetPixelValue(1, 7), 0u);  // the float line shares two rows: it was not cut to integers
    batch.Replay();
    EXPECT_NE(target->GetPixelValue(4, 4), once);  // drawn a second time onto the first
    EXPECT_FLOAT_EQ(normal.GetOpacity(), 1.0f);
    batch.ClearRecording();
    EXPECT_EQ(batch.GetRecordedSize(), 0);
}

}  // namespace
