#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "GP_AppBase.h"
#include "GP_Campaigns.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Log.h"
#include "GP_NameServer.h"
#include "TempDir.h"

namespace {

TEST(MainFrameForms, TheMainMenuOfAnOpenCampaignIsTheFormOfTheMissionsDone)
{
    CampaignFile campaign;
    campaign.missionCountText = "/5";
    std::FILE* pack = std::tmpfile();
    struct Case {
        std::uint32_t asked;
        bool campaignOpen;
        std::int32_t missionsDone;
        const char* missions;
        std::uint32_t shown;
    };
    const Case cases[] = {
        {0xA0000, false, 3, "/5", 0xA0000}, {0xA0000, true, 7, "/5", 0xA0004}, {0xA0000, true, 1, "/5", 0xA0000},
        {0xA0000, true, 2, "/5", 0xA0001},  {0xA0000, true, 0, "/5", 0xA0000}, {0xA0000, true, 3, "/0", 0xA0000},
        {0xA0002, true, 3, "/5", 0xA0002},
    };
    for (const Case& c : cases) {
        campaign.missionCountText = c.missions;
        GP_State.CurrentCampaign = &campaign;
        GP_State.MissionsDone = c.missionsDone;
        GP_CampaignPackStream = c.campaignOpen ? pack : nullptr;
        EXPECT_EQ(GP_MissionFormID(c.asked), c.shown) << std::hex << c.asked << " done " << c.missionsDone;
    }
    GP_CampaignPackStream = nullptr;
    GP_State = GP_GameState{};
    std::fclose(pack);
}

TEST(MainFrameForms, AFormThePackDoesNotNameIsRefusedAndTheCurrentFormStays)
{
    testsupport::TempDir folder;
    ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
    CGP_Log log((folder / "Exception.log").c_str());
    log.Open();
    CGP_AppBase app;
    CGP_GameMainFrame frame(&app);
    frame.names = std::make_unique<CGP_NameServer>();
    for (int group = 0; group <= 10; ++group) frame.names->AddGroup(("group " + std::to_string(group)).c_str(), "", "");
    frame.names->GetGroup(10)->resourceKind = 8;
    frame.names->AddName("main menu", 10, 0);
    frame.ResetForms();
    ASSERT_EQ(frame.forms.size(), 1u);
    frame.ShowForm(0xA0007, false, false);  // no such name
    frame.ShowForm(0xB0000, false, false);  // no such group
    EXPECT_EQ(frame.currentForm, nullptr);
    EXPECT_EQ(frame.forms[0], nullptr);
    EXPECT_NE(testsupport::ReadFile(folder / "Exception.log").find("Form A0007 is not a form of the active pack"),
              std::string::npos);
}

}  // namespace
