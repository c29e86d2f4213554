// The catalog's records and queries over fixture folders of "Resources" files, and the name/value lookup.
#include <gtest/gtest.h>

#include <string>

#include "InProcessLibrary.h"
#include "foundation/CFile.h"
#include "foundation/FileFlags.h"
#include "front/CatalogRecords.h"

namespace {

using namespace fronttest;

std::string GameInfo(int id, const std::string& title, const std::string& price = "$5")
{
    return Record("CArcadeApplicationInformation", "\tGame Display Name=" + title + "\r\n\tApplicationID=" +
                                                       std::to_string(id) + "\r\n\tPrice=" + price + "\r\n");
}

std::string IdList(const std::string& name, const std::string& element, std::initializer_list<int> ids)
{
    std::string text = "\t" + name + "=Array\r\n\t{\r\n\t\tItem Count=" + std::to_string(ids.size()) + "\r\n";
    for (int id : ids) text += "\t\t" + element + "=" + std::to_string(id) + "\r\n";
    return text + "\t}\r\n";
}

std::string MainList(int featured, std::initializer_list<int> top, std::initializer_list<int> other)
{
    return Record("CArcadeApplicationList", "\tFeatured ApplicationID=" + std::to_string(featured) + "\r\n" +
                                                IdList("Top ApplicationID List", "Top ApplicationID", top) +
                                                IdList("Other ApplicationID List", "Other ApplicationID", other));
}

class Catalog : public InProcessLibrary {
protected:
    void StartWith() { ASSERT_EQ(Start(), TA_ERROR_CODE_NONE) << GetAPIState().lastErrorText; }
};

TEST_F(Catalog, QueriesFindRecordsByIdAndWrapTheListsIndices)
{
    WriteResource("60.gameinfo.txt", GameInfo(60, "Velmorine", "$9.99"));
    WriteResource("61.gameinfo.txt", GameInfo(61, "Quiet Harbour"));
    WriteResource("62.gameinfo.txt", GameInfo(62, "Copper Orbit"));
    WriteResource("Main.applicationlist.txt", MainList(61, {60, 61, 62, 63}, {62}));
    StartWith();
    ArcadeState& state = GetArcadeState();
    const CArcadeApplicationInformation* found = state.FindApplicationInformation(60);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->m_GameDisplayName, CString("Velmorine"));
    EXPECT_EQ(found->m_Price, CString("$9.99"));
    EXPECT_EQ(state.FindApplicationInformation(99), nullptr);
    EXPECT_EQ(state.GetFeaturedApplicationID(), 61);
    EXPECT_EQ(state.GetTopApplicationID(10), 62);  // entry 10 mod 4
    EXPECT_EQ(state.GetTopApplicationID(3), 63);
    EXPECT_EQ(state.GetOtherApplicationID(4), 62);
}

TEST_F(Catalog, EmptyListsAndAnEmptyCatalogNameNoApplication)
{
    WriteResource("Main.applicationlist.txt", MainList(60, {}, {}));
    StartWith();
    ArcadeState& state = GetArcadeState();
    EXPECT_EQ(state.GetTopApplicationID(0), ArcadeState::kNoApplication);
    EXPECT_EQ(state.GetOtherApplicationID(4), ArcadeState::kNoApplication);
    EXPECT_EQ(state.FindApplicationInformation(60), nullptr);
    EXPECT_EQ(state.FindApplicationInformation(0), nullptr);
}

TEST_F(Catalog, NamesDifferingInCaseOrByALeadingDashAreOneItem)
{
    WriteResource("Main.applicationlist.txt", MainList(60, {1}, {}));
    WriteResource("main.applicationlist.txt", MainList(60, {2}, {}));
    WriteResource("-TAManagerData.managerinfo.txt", Record("CArcadeManagerData", "\tURL Root=http://127.0.0.1/\r\n"));
    StartWith();
    EXPECT_EQ(GetApplicationListFiles().GetCount(), 1);
    EXPECT_EQ(GetArcadeState().GetFeaturedApplicationID(), 60);
    ASSERT_NE(GetManagerData(), nullptr);
    EXPECT_EQ(GetManagerData()->m_URLRoot, CString("http://127.0.0.1/"));
}

TEST_F(Catalog, ARecordWrittenBackReadsAsItWas)
{
    CArcadeApplicationInformation written;
    written.m_GameDisplayName = "Copper Orbit";
    written.m_ApplicationID = 62;
    written.m_DescriptionShort = "short";
    written.m_DescriptionMedium = "medium";
    written.m_DescriptionLong = "long";
    written.m_BitmapName = "62";
    written.m_DeveloperLogoBitmapName = "Lantern";
    written.m_ESRBBitmapName = "E";
    written.m_DeveloperInformation = "Lantern Works";
    written.m_MachineRequirements = "64 MB";
    written.m_DownloadSize = "15 MB";
    written.m_Price = "€6,50";
    const std::string path = folder + "Arcade/Resources/62.gameinfo.txt";
    fs::create_directories(folder + "Arcade/Resources");
    ASSERT_TRUE(written.SaveToFile(path.c_str(), kFileAbsolute));
    const std::string text = testsupport::ReadFile(path);
    EXPECT_LT(text.find("Game Display Name="), text.find("ApplicationID="));
    EXPECT_LT(text.find("Application Description Long="), text.find("Bitmap Name="));
    EXPECT_LT(text.find("Download Size="), text.find("Price="));
    StartWith();
    const CArcadeApplicationInformation* read = GetArcadeState().FindApplicationInformation(62);
    ASSERT_NE(read, nullptr);
    for (auto member :
         {&CArcadeApplicationInformation::m_GameDisplayName, &CArcadeApplicationInformation::m_DescriptionShort,
          &CArcadeApplicationInformation::m_DescriptionMedium, &CArcadeApplicationInformation::m_DescriptionLong,
          &CArcadeApplicationInformation::m_BitmapName, &CArcadeApplicationInformation::m_DeveloperLogoBitmapName,
          &CArcadeApplicationInformation::m_ESRBBitmapName, &CArcadeApplicationInformation::m_DeveloperInformation,
          &CArcadeApplicationInformation::m_MachineRequirements, &CArcadeApplicationInformation::m_DownloadSize,
          &CArcadeApplicationInformation::m_Price})
        EXPECT_EQ(read->*member, written.*member);
}

class NameValues : public InProcessLibrary {};

TEST_F(NameValues, TheApplicationsGroupWinsOverTheChannelsAndThePortals)
{
    WriteResource("Arcade.nameval.txt", NameValueFile({{"Colour", "green"}, {"Speed", "1"}, {"Portal", "yes"}}));
    WriteResource("Channel.nameval.txt", NameValueFile({{"SPEED", "3"}, {"Number", " 42abc"}}));
    WriteResource(
        "Application.nameval.txt",
        NameValueFile({{"colour", "blue"}, {"Speed", "5"}, {"Speed", "6"}, {"Ratio", "2.75"}, {"Word", "abc"}}));
    ASSERT_EQ(Start(), TA_ERROR_CODE_NONE);
    struct Case {
        const char* name;
        const char* text;
        int number;
        float ratio;
    };
    const Case cases[] = {
        {"COLOUR", "blue", 0, 0.0f},       {"speed", "5", 5, 5.0f},     {"Portal", "yes", 0, 0.0f},
        {"Number", " 42abc", 42, 42.0f},   {"Ratio", "2.75", 2, 2.75f}, {"Word", "abc", 0, 0.0f},
        {"Missing", "default", -1, -1.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(TA_GetValueAsString(c.name, "default"), c.text);
        EXPECT_EQ(TA_GetValueAsInt(c.name, -1), c.number);
        EXPECT_FLOAT_EQ(TA_GetValueAsFloat(c.name, -1.5f), c.ratio);
    }
    EXPECT_EQ(NameValueLookup::Instance().GetCount(), 6);  // each name once
}

TEST_F(NameValues, WithoutFilesEveryRequestAnswersItsDefault)
{
    ASSERT_EQ(Start(), TA_ERROR_CODE_NONE);
    EXPECT_STREQ(TA_GetValueAsString("Colour", "grey"), "grey");
    EXPECT_EQ(TA_GetValueAsInt("Speed", 9), 9);
}

}  // namespace
