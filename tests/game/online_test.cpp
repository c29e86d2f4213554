#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "GP_AccountDialog.h"
#include "GP_Online.h"
#include "LoopbackHttpServer.h"
#include "TempDir.h"
#include "platform/headless.h"
#include "platform/shell.h"
#include "platform/win32_registry.h"
#include "platform/wininet.h"

using testsupport::LoopbackHttpServer;
using testsupport::TempDir;

namespace {

int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

std::string PercentDecode(const std::string& text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            decoded.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else {
            decoded.push_back(text[i] == '+' ? ' ' : text[i]);
        }
    }
    return decoded;
}

// A request target as the server's script sees it: the path and the decoded fields.
struct Request {
    std::string path;
    std::map<std::string, std::string> fields;
};

Request Parse(const std::string& target)
{
    Request request;
    const std::size_t query = target.find('?');
    request.path = target.substr(0, query);
    std::size_t start = query == std::string::npos ? target.size() : query + 1;
    while (start < target.size()) {
        std::size_t end = target.find('&', start);
        if (end == std::string::npos) end = target.size();
        const std::string field = target.substr(start, end - start);
        const std::size_t equals = field.find('=');
        request.fields[PercentDecode(field.substr(0, equals))] =
            equals == std::string::npos ? "" : PercentDecode(field.substr(equals + 1));
        start = end + 1;
    }
    return request;
}

class Online : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("VEL_HALL_OF_FAME", server.Base().c_str(), 1);
        oldRegistry_ = std::getenv("VEL_REGISTRY_FILE") ? std::getenv("VEL_REGISTRY_FILE") : "";
        ::setenv("VEL_REGISTRY_FILE", (registryDir / "registry.reg").c_str(), 1);
        platform::SetInternetTimeouts({500, 1500});
        platform::ClearScriptedAnswers();
    }
    void TearDown() override
    {
        ::unsetenv("VEL_HALL_OF_FAME");
        ::setenv("VEL_REGISTRY_FILE", oldRegistry_.c_str(), 1);
        platform::SetInternetTimeouts({});
        platform::ClearScriptedAnswers();
    }

    static void Answer(std::initializer_list<const char*> answers)
    {
        for (const char* answer : answers) platform::PushScriptedAnswer(answer);
    }

    // The stored address, or "(missing)".
    static std::string StoredEMail()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Morvadel", 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "(missing)";
        char text[256] = {};
        DWORD size = sizeof text - 1;
        const LSTATUS status =
            RegQueryValueExA(key, "VelmorineEMail", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
        RegCloseKey(key);
        return status == ERROR_SUCCESS ? text : "(missing)";
    }

    static void Store(const char* email)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Morvadel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, "VelmorineEMail", 0, REG_SZ, reinterpret_cast<const BYTE*>(email),
                       static_cast<DWORD>(std::strlen(email) + 1));
        RegCloseKey(key);
    }

    LoopbackHttpServer server;
    TempDir registryDir;

private:
    std::string oldRegistry_;
};

}  // namespace

TEST(OnlineText, EMailAddressesAreCheckedByTheirAtSignAndFullStop)
{
    const std::pair<const char*, bool> cases[] = {
        {"a@b.c", true},  {"ab.@c", true},  // the order of the two is not checked
        {"ab@cd", false}, {"@ab.c", false}, {"ab.c@", false}, {".ab@c", false},
        {"a@b", false},   {"", false},      {"a@.c", true},
    };
    for (const auto& [text, valid] : cases) EXPECT_EQ(GP_IsValidEMail(text), valid) << text;
    EXPECT_EQ(GP_RemoveSpaces(" a b @c. d "), "ab@c.d");
}

TEST(OnlineText, ArgumentsAreEncodedSoTheyCannotAddFields)
{
    EXPECT_EQ(GP_PercentEncode("a-b_c.d~9"), "a-b_c.d~9");
    EXPECT_EQ(GP_PercentEncode("a&b=c#d%e f/\xC3\xA9"), "a%26b%3Dc%23d%25e%20f%2F%C3%A9");
    ::setenv("VEL_HALL_OF_FAME", "http://hof.test/", 1);
    EXPECT_EQ(GP_ScoreUrl("x y@z.org", -20, "Deep&Field").value(),
              "http://hof.test/cgi-bin/velm_hof_add.pl?eml=x%20y%40z.org&sc=-20&cmp=Deep%26Field");
    EXPECT_FALSE(GP_ScoreUrl("a@b.c", 1, std::string(4090, 'x')).has_value());  // longer than a URL may be
    ::unsetenv("VEL_HALL_OF_FAME");
    EXPECT_EQ(GP_DateTimeText(true).size(), GP_DateTimeText(false).size() + 3);
}

TEST_F(Online, TheAccountRequestCarriesEveryFieldWhole)
{
    server.Push({"Account code0 created"});
    EXPECT_TRUE(GP_RegisterAccount("Anne&Marie", "O'Hara #2", " ann @x.org", "Saint-Denis 100%", "COTE D'IVOIRE"));
    ASSERT_EQ(server.Targets().size(), 1u);
    const Request request = Parse(server.Targets()[0]);
    EXPECT_EQ(request.path, "/cgi-bin/serv_reg.pl");
    const std::map<std::string, std::string> expected = {
        {"NEW", "1"},
        {"PROECT", "velmorine"},
        {"EMAIL", "ann@x.org"},
        {"FIRST_NAME", "Anne&Marie"},
        {"LAST_NAME", "O'Hara #2"},
        {"COUNTRY", "COTE D'IVOIRE"},
        {"CITY", "Saint-Denis 100%"},
    };
    EXPECT_EQ(request.fields, expected);
}

TEST_F(Online, OnlyAWholeSuccessReplyCounts)
{
    struct Case {
        const char* what;
        std::string reply;
        bool account;
        bool score;
    };
    const Case cases[] = {
        {"no bytes", "", false, false},
        {"12 bytes", "0AAAAAAAAAAA", false, true},
        {"13 bytes with 0 last", "1AAAAAAAAAAA0", true, false},
        {"13 bytes with 1 last", "0AAAAAAAAAAA1", false, true},
        {"a long reply", "0AAAAAAAAAAA0" + std::string(5000, 'x'), true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        server.Push({c.reply});
        EXPECT_EQ(GP_RegisterAccount("a", "b", "a@b.c", "", ""), c.account);
        server.Push({c.reply});
        EXPECT_EQ(GP_PostScore("a@b.c", 100, "Nebula Run", false), c.score);
    }
}

TEST_F(Online, TheHiddenModePostsNothing)
{
    server.Push({"0"});
    EXPECT_FALSE(GP_PostScore("a@b.c", 100, "Nebula Run", true));
    EXPECT_TRUE(server.Targets().empty());
    EXPECT_TRUE(GP_PostScore("a@b.c", 100, "Nebula Run", false));
    ASSERT_EQ(server.Targets().size(), 1u);
    EXPECT_EQ(Parse(server.Targets()[0]).fields.at("sc"), "100");
}

TEST_F(Online, ASilentOrAbsentServerFailsWithinTheTimeouts)
{
    server.Push({"", true});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(GP_PostScore("a@b.c", 1, "c", false));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

    std::string closed;
    {
        LoopbackHttpServer gone;
        closed = gone.Base();
    }
    ::setenv("VEL_HALL_OF_FAME", closed.c_str(), 1);
    EXPECT_FALSE(GP_RegisterAccount("a", "b", "a@b.c", "", ""));
}

TEST_F(Online, TheServerMayBeNamedInTheRegistry)
{
    ::unsetenv("VEL_HALL_OF_FAME");
    EXPECT_EQ(GP_HallOfFameServer(), GP_DefaultHallOfFameServer);
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Morvadel\\Velmorine", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    const std::string base = server.Base();
    RegSetValueExA(key, "HallOfFameServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(base.c_str()),
                   static_cast<DWORD>(base.size() + 1));
    RegCloseKey(key);
    server.Push({"0"});
    EXPECT_TRUE(GP_PostScore("a@b.c", 5, "c", false));
    EXPECT_EQ(server.Targets().size(), 1u);
}

TEST_F(Online, TheHallOfFamePageOpensInTheBrowser)
{
    platform::ClearRecordedShellRequests();
    EXPECT_TRUE(GP_OpenHallOfFamePage());
    const auto requests = platform::RecordedShellRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].text, server.Base() + "/cgi-bin/velm_hof.pl");
}

TEST_F(Online, DecliningAtTheFirstStartIsRememberedAndNotAskedAgain)
{
    Answer({"click 2"});
    GP_OnlineAccount account;
    GP_PromptEMail(false, account, 0x409);
    EXPECT_EQ(StoredEMail(), "");
    EXPECT_EQ(account.eMailKnown, 0);
    EXPECT_EQ(account.offerAccount, 1);

    Answer({"click 1"});  // would be taken if a dialog opened
    GP_OnlineAccount next;
    GP_PromptEMail(false, next, 0x409);
    EXPECT_EQ(platform::NextScriptedAnswer().value_or(""), "click 1");
    EXPECT_TRUE(server.Targets().empty());
}

TEST_F(Online, ACreatedAccountIsStoredAndResultsArePosted)
{
    server.Push({"created: ok 0"});
    Answer({"click 1", "ok",  // the first name is missing: the dialog stays
            "type 1001 Ann", "type 1003 Lee", "type 1004 a nn@x.org", "type 1005 Riga", "select 1007 LATVIA", "click 1",
            "ok"});
    GP_OnlineAccount account;
    GP_PromptEMail(false, account, GP_RussianLanguage);
    EXPECT_EQ(StoredEMail(), "ann@x.org");
    EXPECT_EQ(account.playerEMail.value_or(""), "ann@x.org");
    EXPECT_EQ(account.eMailKnown, 1);
    EXPECT_EQ(account.offerAccount, 0);
    EXPECT_EQ(account.putResults, 1);
    ASSERT_EQ(server.Targets().size(), 1u);
    const Request request = Parse(server.Targets()[0]);
    EXPECT_EQ(request.fields.at("COUNTRY"), "LATVIA");
    EXPECT_EQ(request.fields.at("CITY"), "Riga");
}

TEST_F(Online, AFailedRequestClosesTheDialogWithoutAnAccount)
{
    server.Push({"refused 1"});
    Answer({"type 1001 Ann", "type 1003 Lee", "type 1004 ann@x.org", "click 1", "ok"});
    GP_OnlineAccount account;
    GP_PromptEMail(true, account, 0x409);
    EXPECT_EQ(account.eMailKnown, 0);
    EXPECT_EQ(account.putResults, 0);
    EXPECT_EQ(StoredEMail(), "");
}

// Asking again and declining keeps the account that is stored.
TEST_F(Online, DecliningWhileAnAddressIsStoredKeepsIt)
{
    Store("kept@x.org");
    Answer({"click 2"});
    GP_OnlineAccount account;
    GP_PromptEMail(true, account, 0x409);
    EXPECT_EQ(StoredEMail(), "kept@x.org");
    EXPECT_EQ(account.eMailKnown, 1);
    EXPECT_EQ(account.playerEMail.value_or(""), "kept@x.org");
}
