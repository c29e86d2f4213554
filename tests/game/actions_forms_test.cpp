// The handlers on the interface pack's own forms, loaded by a main frame as the game loads them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "DistDir.h"
#include "GP_Actions.h"
#include "GP_AppBase.h"
#include "GP_Display.h"
#include "GP_Effects.h"
#include "GP_Form.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Log.h"
#include "GP_Main.h"
#include "GP_MenuLibrary.h"
#include "GP_MouseCursor.h"
#include "GP_Surface.h"
#include "TempDir.h"
#include "platform/display_testing.h"
#include "platform/headless.h"

namespace {

class PackFormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
        keptFolder = GP_WorkingFolder;
        GP_WorkingFolder = testsupport::DistDir();
        GP_State = GP_GameState{};
        GP_State.StartupTimerOn = false;
        GP_TransitionsEnabled = 0;
        log.Open();
        frame = std::make_unique<CGP_GameMainFrame>(&app);
        frame->display = std::make_unique<CGP_Display>();
        ASSERT_EQ(frame->display->Init(), GP_DisplayOk);
        ASSERT_EQ(frame->display->SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16), GP_DisplayOk);
        GP_PublishDisplayValues(frame->display.get());
        frame->mouseCursor = std::make_unique<CGP_MouseCursor>(frame.get(), nullptr, nullptr);
        frame->Init();
        ASSERT_NE(frame->actionTable, nullptr);
    }
    void TearDown() override
    {
        GP_WorkingFolder = folder.path().string();  // the profiles and the top list are saved there, not in the tree
        frame.reset();
        GP_DisplayPtr = nullptr;
        GP_State = GP_GameState{};
        GP_TransitionsEnabled = 1;
        GP_WorkingFolder = keptFolder;
    }
    // One interface step with the cursor at (x, y), the left button down or up.
    void StepWithCursor(int x, int y, bool down)
    {
        CGP_MouseCursor& cursor = *frame->mouseCursor;
        cursor.x = x;
        cursor.y = y;
        cursor.leftDown = down;
        if (down) cursor.leftHeld = GP_CursorPoint{x, y};
        frame->InterfaceStep(16);
    }

    testsupport::TempDir folder;
    CGP_Log log{(folder / "Exception.log").c_str()};
    CGP_AppBase app;
    std::unique_ptr<CGP_GameMainFrame> frame;
    std::string keptFolder;
};

// The handler resets the forms while the button's form is updating: that form lives until the frame's step is
// over, then goes.
TEST_F(PackFormsTest, AHandlerThatResetsTheFormsLeavesItsFormAliveUntilTheStepEnds)
{
    frame->ShowForm(GP_MainMenuForm, false, false);
    CGP_Form* menu = frame->currentForm;
    ASSERT_NE(menu, nullptr);
    CGP_Control* button = menu->GetControl(0);
    ASSERT_NE(button, nullptr);
    *button->GetClickHandler() = frame->actions->GetHandler(GP_ActionID(63));
    StepWithCursor(300, 140, false);
    StepWithCursor(300, 140, true);
    StepWithCursor(300, 140, false);
    ASSERT_NE(frame->currentForm, nullptr);
    EXPECT_NE(frame->currentForm, menu);  // the main menu loaded afresh
    ASSERT_EQ(frame->formGraveyard.size(), 1u);
    EXPECT_EQ(frame->formGraveyard[0].get(), menu);
    frame->FrameTick(true, 16);
    EXPECT_TRUE(frame->formGraveyard.empty());
    EXPECT_EQ(*frame->currentForm->GetFormID(), GP_MainMenuForm);
}

// The end of the start-up screen frees every picture of the graphics server, the fonts' too; the main menu then
// draws with fonts that took theirs again.
TEST_F(PackFormsTest, TheEndOfTheStartUpScreenShowsTheMainMenu)
{
    frame->ShowForm(GP_StartupForm, false, false);
    GP_ActionHandler done = frame->actions->GetHandler(GP_ActionID(51));
    ASSERT_NE(done, nullptr);
    EXPECT_FALSE(done(*frame->actions, frame->currentForm));
    ASSERT_NE(frame->currentForm, nullptr);
    EXPECT_EQ(*frame->currentForm->GetFormID(), GP_MainMenuForm);
    EXPECT_EQ(frame->mouseCursor->x, 320);
    EXPECT_EQ(frame->backgroundSurface, nullptr);
    frame->FrameTick(true, 16);
    frame->FrameTick(true, 16);
}

// A panel is the screen behind the form's rectangle, less the variant's margins, blended: a green band over its
// top 25 rows and black below, or black only; a form smaller than the margins gets none.
TEST_F(PackFormsTest, PanelsDarkenTheScreenBehindTheForm)
{
    struct Case {
        std::uint32_t action;
        int width, height;
        int x, y;
        std::uint16_t top, bottom;  // the panel's first and last row from a white screen
    };
    const Case cases[] = {
        {56, 183, 71, 19, 34, 0x7D2F, 0x7BEF},  // C: 200 x 100 less 17 x 29, shifted by 9
        {55, 183, 71, 19, 34, 0x7D2F, 0x7BEF},  // B: as C, over no background
        {54, 184, 71, 18, 34, 0x7BEF, 0x7BEF},  // A: black only, over its background
    };
    CGP_Form panelForm(nullptr, nullptr, frame.get());
    panelForm.Block<GP_ObjectBlock>()->x = 10;
    panelForm.Block<GP_ObjectBlock>()->y = 20;
    *panelForm.GetWidth() = 200;
    *panelForm.GetHeight() = 100;
    for (const Case& c : cases) {
        frame->backgroundSurface = nullptr;
        frame->display->backSurface->Clear(0xFFFF);
        GP_ActionHandler open = frame->actions->GetHandler(GP_ActionID(c.action));
        ASSERT_NE(open, nullptr);
        open(*frame->actions, &panelForm);
        CGP_Surface* panel = frame->OverlayPicture.get();
        ASSERT_NE(panel, nullptr) << c.action;
        EXPECT_EQ(panel->width, c.width) << c.action;
        EXPECT_EQ(panel->height, c.height) << c.action;
        EXPECT_EQ(frame->overlayX, c.x) << c.action;
        EXPECT_EQ(frame->overlayY, c.y) << c.action;
        if (c.action == 54) continue;  // drawn over the loaded background, not the white screen
        ASSERT_EQ(panel->Lock(), GP_SurfaceOk);
        EXPECT_EQ(panel->PixelRow(0)[0], c.top) << c.action;
        EXPECT_EQ(panel->PixelRow(24)[5], c.top) << c.action;
        EXPECT_EQ(panel->PixelRow(25)[5], c.bottom) << c.action;
        EXPECT_EQ(panel->PixelRow(c.height - 1)[c.width - 1], c.bottom) << c.action;
        panel->Unlock();
    }
    EXPECT_NE(frame->backgroundSurface, nullptr);  // variant A loaded it

    *panelForm.GetWidth() = 16;
    frame->actions->GetHandler(GP_ActionID(56))(*frame->actions, &panelForm);
    EXPECT_EQ(frame->OverlayPicture, nullptr);
}

// The session starts only when the library enters it: a library that has become unusable leaves the game on its
// form, and the session's picture is made once however often the session is opened.
TEST_F(PackFormsTest, TheMenuSessionStartsOnlyWhenTheLibraryEntersIt)
{
    const std::filesystem::path library = folder / "TollarineArcade";
    std::filesystem::create_directories(library);
    std::filesystem::copy_file(std::string(VEL_FAKE_MENU_LIBRARY_DIR) + "/whole/TollarineArcade.so",
                               library / "TollarineArcade.so");
    ::setenv("FAKE_TA_LOG", (folder / "calls.txt").c_str(), 1);
    ::unsetenv("FAKE_TA_INIT_CODE");  // the library starts
    TA_State = TA_Binding{};
    TA_State.libraryFolder = library.string() + "/";
    ASSERT_EQ(TA_LoadLibrary(60, "Velmorine", 4089, 1.0f, 0), TA_Ok);
    GP_ActionHandler session = frame->actions->GetHandler(GP_ActionID(76));
    ASSERT_NE(session, nullptr);
    frame->ShowForm(GP_MainMenuForm, false, false);
    CGP_Form* form = frame->currentForm;
    ASSERT_NE(form, nullptr);

    TA_State.unusable = true;
    platform::PushScriptedAnswer("ok");  // the library's reinstall message
    EXPECT_TRUE(session(*frame->actions, form));
    EXPECT_FALSE(GP_State.MenuSessionActive);
    EXPECT_FALSE(GP_State.CatalogSession);

    TA_State.unusable = false;
    EXPECT_TRUE(session(*frame->actions, form));
    EXPECT_TRUE(GP_State.MenuSessionActive);
    EXPECT_TRUE(GP_State.CatalogSession);
    CGP_Surface* picture = GP_State.MenuSessionSurface;
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, 640);
    EXPECT_EQ(picture->height, 480);
    EXPECT_TRUE(session(*frame->actions, form));
    EXPECT_EQ(GP_State.MenuSessionSurface, picture);

    TA_Unload();
    TA_State = TA_Binding{};
    platform::ClearScriptedAnswers();
    ::unsetenv("FAKE_TA_LOG");
}

}  // namespace
