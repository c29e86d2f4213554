#include <cmath>
#include <string>

#include "SessionFixture.h"
#include "forms/FormManager.h"
#include "foundation/FolderCollection.h"
#include "frames/DirtyRectFrame.h"
#include "front/MenuLayout.h"
#include "ui/ScreenWindow.h"

using namespace fronttest;

TEST(MenuLayout, TheDesignFillsTheWidthUpTo4By3AndTheHeightBeyond)
{
    struct Case {
        int width, height;
        double scale;
        int layoutWidth, layoutHeight, offsetX, offsetY;
    };
    const Case cases[] = {
        {1024, 768, 1.0, 1024, 768, 0, 0},         {640, 480, 0.625, 640, 480, 0, 0},
        {1280, 720, 0.9375, 960, 720, 160, 0},     {800, 800, 0.78125, 800, 600, 0, 100},
        {1920, 1080, 1.40625, 1440, 1080, 240, 0}, {1366, 768, 1.0, 1024, 768, 171, 0},
    };
    for (const Case& c : cases) {
        const MenuLayout layout = ComputeMenuLayout(c.width, c.height);
        EXPECT_NEAR(layout.scale, c.scale, 1e-6) << c.width << "x" << c.height;
        EXPECT_EQ(layout.layoutWidth, c.layoutWidth) << c.width << "x" << c.height;
        EXPECT_EQ(layout.layoutHeight, c.layoutHeight) << c.width << "x" << c.height;
        EXPECT_EQ(layout.offsetX, c.offsetX) << c.width << "x" << c.height;
        EXPECT_EQ(layout.offsetY, c.offsetY) << c.width << "x" << c.height;
    }
}

TEST_F(Session, TheLibrarysFolderHoldsEverythingASessionNeedsAndItsFirstFrameShowsTheBackground)
{
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    MakeHost(640, 480);
    Draw();
    ASSERT_EQ(TA_GetNumberOfRectsToUpdate(), 1);
    const TA_UpdateRect whole = TA_GetUpdateRect(0);
    EXPECT_EQ(whole.right, 640);
    EXPECT_EQ(whole.bottom, 480);
    // The title band's gold rule under the title, at design row 93.
    const std::uint16_t rule = HostPixel(320, 58);
    EXPECT_GT(rule >> 11, 20) << std::hex << rule;
    FrameFolderCollection& frames = GetFrameCollection();
    for (const char* name : {"Referral_Background", "Main_Radio_Pressed", "Main_Radio_Normal", "60L", "60"})
        EXPECT_NE(frames.GetOrLoad(frames.FindRequired(name)), nullptr) << name;
    FormManager* manager = FormManager::GetCurrent();
    ASSERT_NE(manager, nullptr);
    const CForm& form = *manager->GetFormInUse();
    std::string pages;
    for (int i = 0; i < form.GetPageCount(); ++i)
        pages += std::string(form.GetPage(i)->GetControlName().GetText()) + ";";
    EXPECT_EQ(pages,
              "Front Page;Game List;Game Info;LastUpdateFailed;PerformingArcadeUpdate;"
              "PerformingArcadeUpdateFullScreen;");
}
