#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "GP_AppBase.h"
#include "GP_Campaigns.h"
#include "GP_Exception.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_Log.h"
#include "GP_Main.h"
#include "GP_NameServer.h"
#include "PackFiles.h"
#include "TempDir.h"

namespace {

// A text record: u16 count, the lengths, then the texts; column 1 is English.
std::string TextRecord(const std::vector<std::string>& columns)
{
    std::string record;
    auto put16 = [&](std::size_t v) { record += char(v & 0xFF), record += char(v >> 8); };
    put16(columns.size());
    for (const std::string& text : columns) put16(text.size());
    for (const std::string& text : columns) record += text;
    return record;
}

class CampaignList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
        std::filesystem::create_directories(folder / "RESOURCE");
        GP_WorkingFolder = folder.path();
        Campaigns.clear();
        CampaignCount = 0;
        InterfaceLanguage = GP_LanguageEnglish;
    }
    void AddCampaign(const std::string& fileName, const packfiles::PackFacts& facts)
    {
        packfiles::WritePack(folder / ("RESOURCE/" + fileName), facts);
    }
    // Loads the list; the fatal exception's line, or 0.
    int Load()
    {
        CGP_Log log((folder / "Exception.log").c_str());
        log.Open();
        // The frame stays, since the campaign list lives as long as it does.
        frame = std::make_unique<CGP_GameMainFrame>(&app);
        frame->names = std::make_unique<CGP_NameServer>();
        try {
            frame->LoadCampaigns();
        } catch (const CGP_FatalExeption& error) {
            lastText = error.text ? error.text : "";
            if (error.line == GP_CampaignCorruptedLine) delete[] error.text;  // built for the throw
            return error.line;
        }
        EXPECT_EQ(frame->names->GetGroupCount(), 0) << "the table is cleared after each file";
        return 0;
    }

    testsupport::TempDir folder;
    CGP_AppBase app;
    std::unique_ptr<CGP_GameMainFrame> frame;
    std::string lastText;
};

TEST_F(CampaignList, GoodFilesAreListedInNameOrderAndTheOthersSkipped)
{
    using packfiles::CampaignFacts;
    AddCampaign("zeta.tdf", CampaignFacts("Zeta", "zeta.tdf"));
    packfiles::PackFacts described = CampaignFacts("Alpha", "Alpha.tdf");
    described.group0[5] = "4";
    described.group0[6] = "Alpha.txt";
    AddCampaign("Alpha.tdf", described);
    testsupport::WriteFile(folder / "RESOURCE/Alpha.txt", TextRecord({"Альфа", "The first campaign"}));
    AddCampaign("renamed.tdf", CampaignFacts("Renamed", "Original.tdf"));  // its own name says otherwise
    packfiles::PackFacts oldVersion = CampaignFacts("Old", "old.tdf");
    oldVersion.major = 99;
    AddCampaign("old.tdf", oldVersion);
    packfiles::PackFacts uncounted = CampaignFacts("Uncounted", "uncounted.tdf");
    uncounted.group0[5] = "";  // no mission count
    AddCampaign("uncounted.tdf", uncounted);
    testsupport::WriteFile(folder / "RESOURCE/notes.txt", "not a campaign");

    ASSERT_EQ(Load(), 0) << lastText;
    ASSERT_EQ(CampaignCount, 2u);
    EXPECT_EQ(Campaigns[0]->title, "Alpha");
    EXPECT_EQ(Campaigns[0]->missionCountText, "/4");
    ASSERT_NE(Campaigns[0]->description, nullptr);
    EXPECT_STREQ(Campaigns[0]->description.get(), "The first campaign");
    EXPECT_EQ(Campaigns[0]->picture, nullptr);  // name 7 names no file
    EXPECT_EQ(Campaigns[1]->title, "Zeta");
    EXPECT_EQ(Campaigns[1]->description, nullptr);
    EXPECT_TRUE(Campaigns[1]->path.ends_with("/RESOURCE/zeta.tdf"));
    const std::string log = testsupport::ReadFile(folder / "Exception.log");
    EXPECT_NE(log.find("Campaign file list\n-----"), std::string::npos);
    EXPECT_NE(log.find("NT: Renamed Original.tdf 100.1\n"), std::string::npos) << log;
    EXPECT_NE(log.find("CN: Old old.tdf 99.7\nSkipped\n"), std::string::npos) << log;
    EXPECT_NE(log.find("CN: Uncounted uncounted.tdf 100.7\nSkipped\n"), std::string::npos) << log;
}

TEST_F(CampaignList, NoGoodCampaignOrADamagedOneEndsTheGame)
{
    EXPECT_EQ(Load(), 890);
    EXPECT_EQ(lastText, "Campaign files Not Found");
    AddCampaign("Good.tdf", packfiles::CampaignFacts("Good", "Good.tdf"));
    testsupport::WriteFile(folder / "RESOURCE/Broken.tdf", std::string("\x04\0\0\0\x64\0\x01\0T\0Broken.tdf\0xx", 22));
    EXPECT_EQ(Load(), GP_CampaignCorruptedLine);
    EXPECT_EQ(lastText, "Campaign file Broken.tdf is corrupted");
}

// A listed pack that is gone by the time its campaign is entered ends the game while the interface is still whole.
TEST_F(CampaignList, ACampaignWhosePackIsGoneEndsTheGameBeforeAnythingIsReset)
{
    AddCampaign("Gone.tdf", packfiles::CampaignFacts("Gone", "Gone.tdf"));
    ASSERT_EQ(Load(), 0) << lastText;
    std::filesystem::remove(folder / "RESOURCE/Gone.tdf");
    GP_State.CurrentCampaign = Campaigns[0].get();
    GP_InterfacePackActive = 1;
    frame->names->AddGroup("Interface names", "*.*", "");
    try {
        frame->EnterCampaign();
        ADD_FAILURE() << "the campaign was entered";
    } catch (const CGP_FatalExeption& error) {
        EXPECT_EQ(error.line, GP_CampaignCorruptedLine);
        EXPECT_TRUE(std::string(error.text).ends_with("Gone.tdf is corrupted")) << error.text;
        delete[] error.text;
    }
    EXPECT_EQ(GP_InterfacePackActive, 1);
    EXPECT_EQ(GP_CampaignPackStream, nullptr);
    EXPECT_EQ(frame->names->GetGroupCount(), 1) << "the interface's names are kept";
    GP_State.CurrentCampaign = nullptr;
}

TEST_F(CampaignList, ABrokenCampaignEndsTheStartBeforeTheInterfacePackIsLookedAt)
{
    testsupport::WriteFile(folder / "RESOURCE/Broken.tdf", std::string("\xFF\xFF\xFF\x7F", 4));
    CGP_GameMainFrame starting(&app);
    try {
        starting.Init();
        ADD_FAILURE() << "the start went on";
    } catch (const CGP_FatalExeption& error) {
        EXPECT_EQ(error.line, GP_CampaignCorruptedLine);  // not 585: there is no interface pack here either
        delete[] error.text;
    }
}

}  // namespace
