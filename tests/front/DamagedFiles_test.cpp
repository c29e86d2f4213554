// Catalog, version and name/value files that are cut, of the wrong class, with bad numbers or missing: each ends
// with the library's own message or is refused, never with a crash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "InProcessLibrary.h"
#include "front/AssetVersions.h"
#include "front/CatalogRecords.h"
#include "platform/process.h"

namespace {

using namespace fronttest;

struct DamageCase {
    const char* name;
    const char* file;
    std::string text;
    std::function<std::string()> query;  // what the library answers, as text
    const char* answer;                  // null: the process ends with the message
    const char* message;                 // what the message box shows when it ends (a pattern)
};

std::string Featured() { return std::to_string(GetArcadeState().GetFeaturedApplicationID()); }
std::string Top() { return std::to_string(GetArcadeState().GetTopApplicationID(1)); }
std::string ArcadeVersion() { return std::to_string(AssetVersions::Instance().GetArcadeVersion()); }
std::string Value() { return TA_GetValueAsString("Colour", "default"); }

class DamagedFiles : public InProcessLibrary {};

TEST_F(DamagedFiles, EndWithTheLibrarysMessageOrAreRefused)
{
    const DamageCase cases[] = {
        {"list cut short", "Main.applicationlist.txt",
         "CArcadeApplicationList\r\n{\r\n\tFeatured ApplicationID=61\r\n\tTop ApplicationID List=Array\r\n\t{\r\n",
         Featured, "-1", nullptr},
        {"list of another class", "Main.applicationlist.txt", NameValueFile({{"a", "b"}}), Featured, "-1", nullptr},
        {"list with an unknown class", "Main.applicationlist.txt", Record("CNoSuchClass", ""), Featured, nullptr,
         "MessageBox"},
        {"list count past its lines", "Main.applicationlist.txt",
         Record("CArcadeApplicationList",
                "\tTop ApplicationID List=Array\r\n\t{\r\n\t\tItem Count=2000000000\r\n\t\tTop "
                "ApplicationID=7\r\n\t}\r\n"),
         Top, "0", nullptr},
        {"bad numbers", "Main.applicationlist.txt",
         Record("CArcadeApplicationList", "\tFeatured ApplicationID=abc\r\n"), Featured, "0", nullptr},
        {"no list", "Other.applicationlist.txt", Record("CArcadeApplicationList", ""), Featured, nullptr,
         "Fatal Not Found Error.*The game is looking for some data or a file but can not find it"},
        {"version with a bad number", "Arcade.version.txt", Record("CAssetVersionInfo", "\tVersion Number=x1\r\n"),
         ArcadeVersion, "0", nullptr},
        {"version cut short", "Arcade.version.txt", "CAssetVersionInfo\r\n{\r\n\tVersion Num", ArcadeVersion, "0",
         nullptr},
        {"no version", "Channel.version.txt", Record("CAssetVersionInfo", "\tVersion Number=4\r\n"), ArcadeVersion,
         nullptr, "Fatal Not Found Error.*The game is looking for some data or a file but can not find it"},
        {"pair of another class", "Arcade.nameval.txt",
         Record("CNameValuePairList",
                "\tName Value Pair List=Array\r\n\t{\r\n\t\tItem Count=1\r\n\t\tName Value "
                "Pair=CAssetVersionInfo\r\n\t\t{\r\n\t\t}\r\n\t}\r\n"),
         Value, nullptr, "MessageBox"},
        {"name/value file cut short", "Arcade.nameval.txt",
         NameValueFile({{"Colour", "red"}}).substr(0, NameValueFile({{"Colour", "red"}}).find("Value=")), Value,
         "default", nullptr},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetLibraryState();
        fs::remove_all(folder + "Arcade");
        WriteResource(c.file, c.text);
        ASSERT_EQ(Start(), TA_ERROR_CODE_NONE);
        if (c.answer) {
            EXPECT_EQ(c.query(), c.answer);
            continue;
        }
        // The end of the process, in a child, without the exit's leak check: the real process ends there too.
        EXPECT_EXIT(
            {
                platform::SetEndProcessHook([](int code) { std::_Exit(code); });
                c.query();
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(255), c.message);
    }
}

}  // namespace
