#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "DistDir.h"
#include "GP_AppBase.h"
#include "GP_Exception.h"
#include "GP_GameMainFrame.h"
#include "GP_Log.h"
#include "GP_NameServer.h"
#include "PackFiles.h"
#include "TempDir.h"

namespace {

struct Outcome {
    int line = 0;  // 0: accepted
    std::string log;
};

class InterfacePack : public ::testing::Test {
protected:
    Outcome Open(const std::string& path)
    {
        Outcome outcome;
        {
            CGP_Log log((folder / "Exception.log").c_str());
            log.Open();
            CGP_GameMainFrame frame(&app);
            frame.names = std::make_unique<CGP_NameServer>();
            try {
                std::fclose(frame.OpenInterfacePack(path));
            } catch (const CGP_FatalExeption& error) {
                outcome.line = error.line;
                EXPECT_STREQ(error.userMessage,
                             "Unable to locate interface file.\n It is possibly corrupted or\nhas an inproper "
                             "version.\nYou may need to reinstall the game.");
                EXPECT_EQ(error.offerReport, 0);
                if (error.line != 645) delete[] error.text;  // built for the throw
            }
        }
        outcome.log = testsupport::ReadFile(folder / "Exception.log");
        std::remove((folder / "Exception.log").c_str());
        return outcome;
    }
    Outcome OpenPack(const packfiles::PackFacts& facts)
    {
        packfiles::WritePack(folder / "InterfaceR.idf", facts);
        return Open(folder / "InterfaceR.idf");
    }

    testsupport::TempDir folder;
    CGP_AppBase app;
};

TEST_F(InterfacePack, OnlyAPackWhoseTrailerAndNamesAgreeIsAccepted)
{
    struct Case {
        const char* name;
        void (*damage)(packfiles::PackFacts&);
        int line;
    };
    const Case cases[] = {
        {"whole", [](packfiles::PackFacts&) {}, 0},
        {"minor and name 4 never compared", [](packfiles::PackFacts& f) { f.minor = 9, f.group0[4] = "1"; }, 0},
        {"major 101", [](packfiles::PackFacts& f) { f.major = 101; }, 645},
        {"name 3 is 101", [](packfiles::PackFacts& f) { f.group0[3] = "101"; }, 645},
        {"title differs", [](packfiles::PackFacts& f) { f.title = "Another"; }, 645},
        {"file text differs from name 8", [](packfiles::PackFacts& f) { f.fileName = "interfacer.idf"; }, 645},
        {"both name another file", [](packfiles::PackFacts& f) { f.fileName = f.group0[8] = "Other.idf"; }, 645},
        {"no name 8", [](packfiles::PackFacts& f) { f.group0.resize(8); }, 645},
        {"no name 2", [](packfiles::PackFacts& f) { f.group0[2] = "", f.title = ""; }, 645},
        {"a trailer title of 1024 characters", [](packfiles::PackFacts& f) { f.title = std::string(1024, 'T'); }, 645},
        {"a title of 1023 characters", [](packfiles::PackFacts& f) { f.title = f.group0[2] = std::string(1023, 'T'); },
         0},
    };
    for (const Case& c : cases) {
        packfiles::PackFacts facts;
        c.damage(facts);
        EXPECT_EQ(OpenPack(facts).line, c.line) << c.name;
    }
}

TEST_F(InterfacePack, TheLogTellsWhatTheNamesAndTheTrailerSay)
{
    const Outcome outcome = OpenPack(packfiles::PackFacts{});
    EXPECT_NE(outcome.log.find("Interface data file\n"), std::string::npos);
    EXPECT_NE(outcome.log.find("NT: Velmorine interface InterfaceR.idf 100.3\n"), std::string::npos) << outcome.log;
    EXPECT_NE(outcome.log.find("CN: Velmorine interface InterfaceR.idf 100.7\nLoaded\n"), std::string::npos);
    packfiles::PackFacts damaged;
    damaged.group0.resize(8);
    const std::string log = OpenPack(damaged).log;
    EXPECT_NE(log.find("NT: Velmorine interface  100.3\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\nSkipped\n"), std::string::npos);
}

TEST_F(InterfacePack, AMissingOrDamagedPackEndsTheGame)
{
    const Outcome missing = Open(folder / "RESOURCE/InterfaceR.idf");
    EXPECT_EQ(missing.line, 585);
    testsupport::WriteFile(folder / "InterfaceR.idf",
                           std::string("\x04\0\0\0\x64\0\x07\0Title\0InterfaceR.idf\0junk", 32));
    EXPECT_EQ(Open(folder / "InterfaceR.idf").line, 576);
    testsupport::WriteFile(folder / "InterfaceR.idf", std::string("\xFF\xFF\xFF\x7F", 4));
    EXPECT_EQ(Open(folder / "InterfaceR.idf").line, 576);
}

TEST_F(InterfacePack, TheBuiltInterfacePackPassesItsChecksAndNamesWhatTheGameBinds)
{
    const std::string path = testsupport::DistDir() + "/RESOURCE/InterfaceR.idf";
    CGP_GameMainFrame frame(&app);
    frame.names = std::make_unique<CGP_NameServer>();
    std::FILE* pack = frame.OpenInterfacePack(path);
    ASSERT_NE(pack, nullptr);
    std::fclose(pack);
    EXPECT_GE(frame.names->GetCount(13), 116u);  // game variables
    EXPECT_GE(frame.names->GetCount(9), 77u);    // actions
    EXPECT_STREQ(frame.names->GetName(0, 25), "Title.mid");
    EXPECT_NE(frame.names->GetName(0x20, 5), nullptr);
    EXPECT_NE(frame.names->GetName(0x10, 10), nullptr);
}

}  // namespace
