#include <gtest/gtest.h>

#include "GP_Display.h"
#include "GP_GraphServer.h"
#include "GP_ImageElement.h"
#include "GP_Object.h"
#include "InterfaceHostFixture.h"
#include "InterfacePack.h"

using namespace interfacepack;
using resourcetest::CatchFatal;

namespace {

const Rgb Frame0{255, 0, 0}, Frame1{0, 255, 0}, Frame2{0, 0, 255};

// Three frames of 4 x 4 side by side, each with a black (keyed) top-left pixel.
Rgb StripPixel(int x, int y)
{
    if (x % 4 == 0 && y == 0) return Rgb{0, 0, 0};
    return x < 4 ? Frame0 : x < 8 ? Frame1 : Frame2;
}

class ElementTest : public InterfacePackTest {
protected:
    void SetUp() override
    {
        InterfacePackTest::SetUp();
        AddPicture("strip.bmp", Bmp(12, 4, StripPixel));
        AddWritten(Forms, "element", [](CGP_ServerSet& tool) {
            CGP_Element element(nullptr);
            element.Block<GP_ElementBlock>()->x = 7;
            *element.GetFrameCount() = 3;
            element.Write(&tool);
        });
        Build();
        back = display->backSurface.get();
        back->Clear(0x1234);
    }

    // An element of 4 x 4 showing the strip.
    std::unique_ptr<CGP_Element> StripElement(CGP_Object* parent)
    {
        auto element = std::make_unique<CGP_Element>(parent);
        *element->GetImageID() = ID(Pictures, "strip.bmp");
        *element->GetWidth() = 4;
        *element->GetHeight() = 4;
        *element->GetFrameCount() = 3;
        *element->GetUseColorKey() = 1;
        return element;
    }

    CGP_Surface* back = nullptr;
};

}  // namespace

TEST_F(ElementTest, NewBlocksCarryTheirLevelsSizeTypeAndDefaults)
{
    CGP_Object object(nullptr);
    EXPECT_EQ(object.Block<GP_ObjectBlock>()->size, 24u);
    EXPECT_EQ(object.Block<GP_ObjectBlock>()->type, GP_TypeObject);
    CGP_Element element(nullptr);
    const GP_ElementBlock& b = *element.Block<GP_ElementBlock>();
    EXPECT_EQ(b.size, 44u);
    EXPECT_EQ(b.type, GP_TypeElement);
    EXPECT_EQ(b.imageID, GP_NoID);
    EXPECT_EQ(b.frameCount, 1);
    EXPECT_EQ(b.loadOption, GP_NoID);
    EXPECT_EQ(element.visible, 1);
}

TEST_F(ElementTest, ThreeNestedParentsAddTheirOffsets)
{
    CGP_Object root(nullptr);
    CGP_Object middle(&root);
    CGP_Element leaf(&middle);
    root.Block<GP_ObjectBlock>()->x = 100, root.Block<GP_ObjectBlock>()->y = 10;
    middle.Block<GP_ObjectBlock>()->x = 20, middle.Block<GP_ObjectBlock>()->y = 5;
    leaf.Block<GP_ObjectBlock>()->x = 3.5f, leaf.Block<GP_ObjectBlock>()->y = 1;
    EXPECT_FLOAT_EQ(leaf.GetAbsX(), 123.5f);
    EXPECT_FLOAT_EQ(leaf.GetAbsY(), 16);
    root.Block<GP_ObjectBlock>()->x = 200;
    EXPECT_FLOAT_EQ(leaf.GetAbsX(), 223.5f);
}

TEST_F(ElementTest, ElementWithoutPictureDrawsAWhiteRectangle)
{
    CGP_Element element(nullptr);
    *element.GetImageID() = GP_NoImage;
    element.Block<GP_ElementBlock>()->x = 10, element.Block<GP_ElementBlock>()->y = 20;
    *element.GetWidth() = 5, *element.GetHeight() = 3;
    element.CreateFrames(servers.get());
    EXPECT_EQ(element.frames, nullptr);
    element.Draw();
    EXPECT_EQ(PixelAt(*back, 10, 20), 0xFFFF);
    EXPECT_EQ(PixelAt(*back, 14, 22), 0xFFFF);
    EXPECT_EQ(PixelAt(*back, 15, 22), 0x1234);
    EXPECT_EQ(PixelAt(*back, 14, 23), 0x1234);
    element.visible = 0;
    back->Clear(0x1234);
    element.Draw();
    EXPECT_EQ(PixelAt(*back, 10, 20), 0x1234);
}

TEST_F(ElementTest, FramesAreCellsOfTheStripDrawnColourKeyedAtTheAbsolutePosition)
{
    CGP_Object form(nullptr);
    form.Block<GP_ObjectBlock>()->x = 50;
    auto element = StripElement(&form);
    element->Block<GP_ElementBlock>()->x = 2;
    element->CreateFrames(servers.get());
    ASSERT_NE(element->frames, nullptr);
    EXPECT_EQ(element->frames->Count(), 3);
    element->frameIndex = 2;
    element->Draw();
    EXPECT_EQ(PixelAt(*back, 53, 0), Pixel(Frame2));
    EXPECT_EQ(PixelAt(*back, 52, 0), 0x1234);  // keyed
    EXPECT_EQ(PixelAt(*back, 56, 0), 0x1234);
    // After a reset of the graphics server the frames take the new surface.
    servers->graphics->Reset();
    element->ReloadImages(servers.get());
    back->Clear(0x1234);
    element->frameIndex = 0;
    element->Draw();
    EXPECT_EQ(PixelAt(*back, 53, 1), Pixel(Frame0));
}

TEST_F(ElementTest, BlocksRoundTripAndAWrongStoredSizeIsADataError)
{
    ASSERT_TRUE(servers->binary->OpenRead(ID(Forms, "element")));
    CGP_Element element(nullptr);
    element.Read(servers.get());
    EXPECT_FLOAT_EQ(element.Block<GP_ElementBlock>()->x, 7);
    EXPECT_EQ(*element.GetFrameCount(), 3);

    ASSERT_TRUE(servers->binary->OpenRead(ID(Forms, "element")));
    CGP_Object smaller(nullptr);
    EXPECT_TRUE(CatchFatal([&] { smaller.Read(servers.get()); }).thrown);
}

TEST_F(ElementTest, TheReserveShipsPictureDrawsOneCopyPerLifeStackedUpwards)
{
    interfacehost::FakeMainFrame frame;
    CGP_ImageElement ships(nullptr, &frame);
    *ships.GetImageID() = ID(Pictures, "strip.bmp");
    *ships.GetWidth() = 4, *ships.GetHeight() = 4;
    ships.Block<GP_ElementBlock>()->x = 30, ships.Block<GP_ElementBlock>()->y = 100;
    ships.CreateFrames(servers.get());
    frame.lives = 3;
    ships.Draw();
    for (int y : {101, 96, 91}) EXPECT_EQ(PixelAt(*back, 31, y), Pixel(Frame0)) << y;
    EXPECT_EQ(PixelAt(*back, 31, 89), 0x1234);
    EXPECT_EQ(PixelAt(*back, 31, 99), 0x1234);  // one pixel between copies
}
