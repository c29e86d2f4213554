// The demo campaign as the build ships it, read by the game's own code: the campaign list takes it with its
// mission count and description, and its layer resource names the object lists it has.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "DistDir.h"
#include "GP_AppBase.h"
#include "GP_Campaigns.h"
#include "GP_GameMainFrame.h"
#include "GP_Globals.h"
#include "GP_IOManager.h"
#include "GP_LevelLists.h"
#include "GP_Log.h"
#include "GP_Main.h"
#include "GP_NameGroup.h"
#include "GP_NameServer.h"
#include "TempDir.h"
#include "platform/files.h"

namespace {

constexpr std::uint32_t LevelListKind = 11, MissionKind = 15;

TEST(DemoCampaignList, TheGameListsItWithItsMissionsDescriptionAndLayers)
{
    testsupport::TempDir folder;
    ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
    GP_WorkingFolder = testsupport::DistDir();
    Campaigns.clear();
    InterfaceLanguage = GP_LanguageEnglish;
    CGP_AppBase app;
    CGP_Log log((folder / "Exception.log").c_str());
    log.Open();
    CGP_GameMainFrame frame(&app);  // the list lives as long as the frame
    frame.names = std::make_unique<CGP_NameServer>();
    frame.LoadCampaigns();
    ASSERT_EQ(Campaigns.size(), 1u) << testsupport::ReadFile(folder / "Exception.log");
    EXPECT_EQ(Campaigns[0]->title, "Demo campaign");
    EXPECT_EQ(Campaigns[0]->missionCountText, "/3");
    ASSERT_NE(Campaigns[0]->description, nullptr);
    EXPECT_NE(std::strstr(Campaigns[0]->description.get(), "Bastion"), nullptr);

    // The game's own reading of the campaign's names: the mission lists and the layer resource.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pack(
        platform::OpenFile(std::string(GP_WorkingFolder) + "/RESOURCE/Demo.tdf", "rb"), std::fclose);
    ASSERT_TRUE(pack);
    std::uint32_t trailer = 0;
    ASSERT_EQ(std::fread(&trailer, 4, 1, pack.get()), 1u);
    ASSERT_EQ(std::fseek(pack.get(), trailer + 4, SEEK_SET), 0);
    CGP_NameServer names;
    names.Load(pack.get(), true);
    CGP_IOManager io(pack.get(), nullptr, &names, nullptr);
    EXPECT_EQ(names.GetCount(MissionKind), 3u) << "name 5 gives the mission count";
    std::FILE* layers = io.OpenRead(0);
    ASSERT_NE(layers, nullptr);
    const std::uint32_t listCount = names.GetCount(LevelListKind);
    GP_LayerRecord record;
    EXPECT_EQ(GP_ReadLayerRecord(layers, listCount, record), GP_LayerRead);
    EXPECT_EQ(record.drawOrder.size(), listCount) << "every list is drawn";
    auto isList = [&names, listCount](std::uint32_t id) {
        const GP_NameGroup* group = names.GetGroup(id >> 16);
        return group && group->resourceKind == LevelListKind && names.GetIndex(id) >= 0 &&
               static_cast<std::uint32_t>(names.GetIndex(id)) < listCount;
    };
    for (std::uint32_t id : record.drawOrder) EXPECT_TRUE(isList(id)) << std::hex << id;
    for (const auto& group : record.groups)
        for (std::uint32_t id : group) EXPECT_TRUE(isList(id)) << std::hex << id;
}

}  // namespace
