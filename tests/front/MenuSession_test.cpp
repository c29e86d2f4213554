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
              "Front Page;Game List;Game Info;Arcade Update;LastUpdateFailed;PerformingArcadeUpdate;"
              "PerformingArcadeUpdateFullScreen;");
}

TEST_F(Session, AMenuTypeOtherThanOneIsRefusedAndTheSessionIsCompleteAtOnce)
{
    EXPECT_EQ(TA_EnterMenuSession(2, 640, 480), TA_ERROR_CODE_MENU_NOT_AVAILABLE);
    EXPECT_NE(TA_GetLastErrorInformation(), nullptr);
    EXPECT_FALSE(GetArcadeState().SessionRunning);
    EXPECT_EQ(TA_IsTheMenuSessionComplete(), 1);
}

TEST_F(Session, AnEmptyAreaIsRefusedWithoutStartingASession)
{
    for (auto [width, height] : {std::pair{0, 480}, std::pair{640, -1}}) {
        EXPECT_EQ(TA_EnterMenuSession(1, width, height), TA_ERROR_CODE_MENU_NOT_AVAILABLE);
        EXPECT_STRNE(TA_GetLastErrorInformation(), "");
        EXPECT_FALSE(GetArcadeState().SessionRunning);
        EXPECT_EQ(TA_IsTheMenuSessionComplete(), 1);
    }
}

TEST_F(InProcessLibrary, ASessionBeforeASuccessfulStartIsRefusedWithCode5)
{
    EXPECT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL);
    EXPECT_STREQ(TA_GetLastErrorInformation(),
                 "TA_EnterMenuSession: Must call TA_Initialize before calling this function.");
    EXPECT_FALSE(GetArcadeState().SessionRunning);
}

TEST_F(Session, TheReturnButtonCompletesTheSessionAndItStaysCompleteUntilTheNextOne)
{
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    MakeHost(640, 480);
    Draw();
    EXPECT_EQ(TA_IsTheMenuSessionComplete(), 0);
    // "Return to Velmorine" at the design's (804, 728), 0.625 of it in the host.
    Click(520, 462);
    EXPECT_EQ(TA_IsTheMenuSessionComplete(), 1);
    EXPECT_FALSE(GetArcadeState().SessionEntered);
    EXPECT_EQ(TA_IsTheMenuSessionComplete(), 1);
    EXPECT_FALSE(MouseState::Get().IsSoftwareCursorOn());
}

TEST_F(Session, ASecondSessionOfTheSameSizeKeepsItsSurfacesAndDrawsItsFirstFrameWhole)
{
    ArcadeState& state = GetArcadeState();
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    MakeHost(640, 480);
    Draw();
    const CDirtyRectFrame* surface = state.ScreenSurface.get();
    const CScreenWindow* screen = state.ScreenWindow;
    state.EndMenuSession();
    EXPECT_EQ(TA_IsTheMenuSessionComplete(), 1);

    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    EXPECT_EQ(state.ScreenSurface.get(), surface);
    EXPECT_EQ(state.ScreenWindow, screen);
    Draw(TA_DRAW_TYPE_MINIMAL);
    ASSERT_EQ(TA_GetNumberOfRectsToUpdate(), 1);
    EXPECT_EQ(TA_GetUpdateRect(0).right, 640);
    state.EndMenuSession();
    TA_IsTheMenuSessionComplete();

    ASSERT_EQ(TA_EnterMenuSession(1, 1280, 720), TA_ERROR_CODE_NONE);
    EXPECT_EQ(state.ScreenSurface->GetWidth(), 960);
    EXPECT_EQ(state.OffsetX, 160);
}

TEST_F(Session, TheSubstitutionsDescribeTheApplicationAndTheFeaturedOne)
{
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    CString text(
        "<%ApplicationName%> <%ApplicationID%> <%ApplicationPrice%> <%FeaturedApplicationName%> "
        "<%URLRoot%><%URLRedirectArcadeWebSiteAddition%> <%LibVersionNumber%>");
    FormManager::GetCurrent()->ApplySubstitutions(text);
    EXPECT_STREQ(text.GetText(), "Velmorine 60 $1.00 Velmorine http://127.0.0.1:8089/arcade 6");
}
