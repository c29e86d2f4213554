#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "GP_AppBase.h"
#include "GP_Application.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "TempDir.h"
#include "platform/display_testing.h"

namespace {

class MainFrameSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
        ::setenv("LC_ALL", "en_GB.UTF-8", 1);
        GlobalShadowEnabled = GlobalSoundEnabled = GlobalMusicEnabled = 7;
        InterfaceLanguage = GP_LanguageEnglish;
    }
    void TearDown() override { ::unsetenv("LC_ALL"); }

    // The settings key as another program sees it.
    CGP_Registry& Stored()
    {
        if (!stored) {
            stored = std::make_unique<CGP_Registry>(HKEY_CURRENT_USER, GP_SettingsPath);
            stored->Create();
        }
        return *stored;
    }
    // A frame whose window, if it made one, is destroyed and its class unregistered with it, so that the next
    // test (or a program run forked after it) can register the class again.
    struct DestroyWindowFirst {
        void operator()(CGP_GameMainFrame* frame) const
        {
            frame->Destroy();
            delete frame;
        }
    };
    std::unique_ptr<CGP_GameMainFrame, DestroyWindowFirst> MakeFrame()
    {
        return std::unique_ptr<CGP_GameMainFrame, DestroyWindowFirst>(new CGP_GameMainFrame(&app));
    }
    std::string StoredLanguage()
    {
        std::unique_ptr<char[]> text;
        return Stored().QueryString("Language", text) ? text.get() : "(none)";
    }

    testsupport::TempDir folder;
    CGP_AppBase app;
    std::unique_ptr<CGP_Registry> stored;
};

TEST_F(MainFrameSettings, AFirstRunTakesEveryDefaultAndWritesThemBack)
{
    ::setenv("LC_ALL", "ru_RU.UTF-8", 1);
    {
        auto frame = MakeFrame();
        EXPECT_EQ(frame->GameKeys.codes[0], 37);
        EXPECT_EQ(frame->GameKeys.codes[1], 39);
        EXPECT_EQ(frame->GameKeys.codes[2], 32);
        EXPECT_EQ(frame->GameKeys.codes[3], 38);
        EXPECT_EQ(GlobalShadowEnabled, 1);
        EXPECT_EQ(GlobalSoundEnabled, 1);
        EXPECT_EQ(GlobalMusicEnabled, 1);
        EXPECT_EQ(GP_EffectsVolume, -1000);
        EXPECT_EQ(MusicVolume, 0);
        EXPECT_EQ(PutResults, 1);
        EXPECT_EQ(SlotSelected[0], 1);
        EXPECT_EQ(FirstRun, 1);
        EXPECT_EQ(InterfaceLanguage, GP_LanguageRussian);
        EXPECT_EQ(GP_MainFrame, frame.get());
    }
    EXPECT_EQ(GP_MainFrame, nullptr);
    std::uint16_t key = 0;
    std::uint32_t volume = 0;
    EXPECT_TRUE(Stored().QueryWord("KeyFire2", key));
    EXPECT_EQ(key, 38);
    EXPECT_TRUE(Stored().QueryDword("Sound Volume", volume));
    EXPECT_EQ(static_cast<std::int32_t>(volume), -1000);
    EXPECT_EQ(StoredLanguage(), "419");
    MakeFrame();
    EXPECT_EQ(FirstRun, 0);
}

TEST_F(MainFrameSettings, TheLanguageComesFromItsTextOrTheSystem)
{
    struct Case {
        const char* stored;  // null: no value
        const char* locale;
        std::uint32_t language;
        const char* written;
    };
    const Case cases[] = {
        {"40c", "en_GB", GP_LanguageFrench, "40C"},    {"407", "en_GB", GP_LanguageGerman, "407"},
        {"410", "ru_RU", GP_LanguageEnglish, "409"},   {nullptr, "pl_PL", GP_LanguageEnglish, "409"},
        {nullptr, "ru_RU", GP_LanguageRussian, "419"}, {nullptr, "de_AT", GP_LanguageGerman, "407"},
    };
    for (const Case& c : cases) {
        InterfaceLanguage = GP_LanguageEnglish;
        ::setenv("LC_ALL", c.locale, 1);
        if (c.stored)
            Stored().SetString("Language", c.stored);
        else
            ::unlink((folder / "registry.reg").c_str());
        stored.reset();
        MakeFrame();
        EXPECT_EQ(InterfaceLanguage, c.language) << (c.stored ? c.stored : c.locale);
        EXPECT_EQ(StoredLanguage(), c.written) << (c.stored ? c.stored : c.locale);
    }
}

TEST_F(MainFrameSettings, TheHighestSelectedSlotIsStoredAndNoneStoresNothing)
{
    {
        auto frame = MakeFrame();
        std::memset(SlotSelected, 0, sizeof SlotSelected);
    }
    std::uint32_t slot = 99;
    EXPECT_FALSE(Stored().QueryDword("Slot Selected", slot));
    {
        auto frame = MakeFrame();
        std::memset(SlotSelected, 0, sizeof SlotSelected);
        SlotSelected[3] = SlotSelected[7] = 1;
    }
    EXPECT_TRUE(Stored().QueryDword("Slot Selected", slot));
    EXPECT_EQ(slot, 7u);
}

TEST_F(MainFrameSettings, ValuesOfAnotherSizeOrOutOfRangeTakeTheirDefaults)
{
    for (std::uint32_t slot : {10u, 11u, 255u}) {
        Stored().SetDword("Sound Enable", 0);  // four bytes where one belongs
        Stored().SetByte("Shadows Enable", 0);
        Stored().SetByte("KeyLeft", 65);  // one byte of the two
        Stored().SetDword("Slot Selected", slot);
        SlotSelected[10] = 0;
        auto frame = MakeFrame();
        EXPECT_EQ(GlobalSoundEnabled, 1) << slot;
        EXPECT_EQ(GlobalShadowEnabled, 0) << slot;
        EXPECT_EQ(frame->GameKeys.codes[0], 65) << slot;
        EXPECT_EQ(SlotSelected[0], 1) << slot;
        EXPECT_EQ(SlotSelected[10], 0) << slot;
        EXPECT_EQ(FirstRun, 1) << slot;
    }
}

TEST_F(MainFrameSettings, GameVariablesAreTheAddressesOfTheirValues)
{
    auto frame = MakeFrame();
    frame->BindVariables();
    ASSERT_EQ(frame->variables.size(), GP_VariableCount);
    EXPECT_EQ(frame->GetVariable(0xFFFFFFFF), nullptr);
    EXPECT_EQ(frame->GetVariable(0xD0000), nullptr);
    EXPECT_EQ(frame->GetVariable(0xD0005), nullptr);
    EXPECT_EQ(frame->GetVariable(0xD0001), &GlobalShadowEnabled);
    EXPECT_EQ(frame->GetVariable(0x1), &GlobalShadowEnabled);  // the group is not looked at
    EXPECT_EQ(frame->GetVariable(0xD0006), &GlobalSoundEnabled);
    EXPECT_EQ(frame->GetVariable(0xD000C), &GP_State.Score);
    EXPECT_EQ(frame->GetVariable(0xD0023), &frame->GameKeys.codes[0]);
    EXPECT_EQ(frame->GetVariable(0xD003F), &SlotSelected[9]);
    EXPECT_EQ(frame->GetVariable(0xD0070), &PutResults);
    ASSERT_NE(frame->GetVariable(0xD0073), nullptr);
    EXPECT_EQ(*static_cast<std::uint8_t*>(frame->GetVariable(0xD0073)), 0);
    EXPECT_EQ(*static_cast<std::uint8_t*>(frame->GetVariable(0xD0002)), 1);
    EXPECT_EQ(frame->GetVariable(0xD0074), nullptr);  // past the table
    EXPECT_EQ(frame->GetVariable(0xDFFFF), nullptr);
}

TEST(MainFrameDisplay, SetUpResultsBecomeTheirFatalExceptions)
{
    struct Case {
        int result;
        int line;
        const char* text;
    };
    const Case cases[] = {{63, 130, "Error DirectDrawCreate"},
                          {64, 132, "Error QueryInterface"},
                          {65, 134, "Error SetCooperativeLevel"},
                          {2, 135, "Can't create and initialize DDraw"}};
    EXPECT_NO_THROW(GP_CheckDisplayResult(0));
    for (const Case& c : cases) {
        try {
            GP_CheckDisplayResult(c.result);
            ADD_FAILURE() << c.result << " goes on";
        } catch (const CGP_FatalExeption& error) {
            EXPECT_EQ(error.line, c.line);
            EXPECT_STREQ(error.text, c.text);
            EXPECT_STREQ(error.module, "GP_Application");
            EXPECT_STREQ(error.userMessage, "Unable to initialize DirectX drivers.");
            EXPECT_EQ(error.offerReport, 1);
        }
    }
}

TEST_F(MainFrameSettings, TheDisplayIsSetUpFullScreenAndPublishesItsFormat)
{
    auto frame = MakeFrame();
    ASSERT_TRUE(frame->Create("Velmorine", WS_POPUP | WS_SYSMENU, 0, 0, 640, 480));
    ASSERT_EQ(frame->InitDisplay(), GP_DisplayOk);
    EXPECT_EQ(GP_DisplayPtr, frame->display.get());
    EXPECT_EQ(GP_Is565, 1);
    EXPECT_EQ(frame->bitsPerPixel, 16);
    EXPECT_TRUE(platform::DisplayIsFullScreen());
}

TEST_F(MainFrameSettings, AFullScreenThatCannotBeHadIsReported)
{
    auto frame = MakeFrame();
    ASSERT_TRUE(frame->Create("Velmorine", WS_POPUP | WS_SYSMENU, 0, 0, 640, 480));
    platform::ScriptFlippingChainFaults({platform::FlippingChainFault::Refused, platform::FlippingChainFault::Refused,
                                         platform::FlippingChainFault::Refused});
    EXPECT_EQ(frame->InitDisplay(), GP_ErrDisplaySetUp);
    platform::ScriptFlippingChainFaults({});
}

}  // namespace
