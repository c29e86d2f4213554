#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "LoopbackHttpServer.h"
#include "platform/wininet.h"

using testsupport::LoopbackHttpServer;

namespace {

// The reply as a reader that asks for `piece` bytes at a time sees it, or "(none)" when the URL does not open.
std::string Get(const std::string& url, DWORD piece)
{
    HINTERNET session = InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET file = InternetOpenUrlA(session, url.c_str(), nullptr, 0, INTERNET_FLAG_NO_CACHE_WRITE, 0);
    std::string reply = file ? "" : "(none)";
    char buffer[4096];
    DWORD read = 0;
    while (file && InternetReadFile(file, buffer, piece, &read) && read > 0) reply.append(buffer, read);
    if (file) {
        EXPECT_TRUE(InternetCloseHandle(file));
    }
    EXPECT_TRUE(InternetCloseHandle(session));
    return reply;
}

class WinInet : public ::testing::Test {
protected:
    void SetUp() override { platform::SetInternetTimeouts({500, 1500}); }
    void TearDown() override { platform::SetInternetTimeouts({}); }

    LoopbackHttpServer server;
};

}  // namespace

TEST_F(WinInet, AReplyIsReadInPiecesUntilItsEnd)
{
    const std::string body(3000, 'r');
    server.Push({body});
    EXPECT_EQ(Get(server.Base() + "/cgi-bin/x.pl?a=1", 7), body);
    ASSERT_EQ(server.Targets().size(), 1u);
    EXPECT_EQ(server.Targets()[0], "/cgi-bin/x.pl?a=1");
}

TEST_F(WinInet, AReplyBeyondTheCapIsCutThere)
{
    server.Push({std::string(platform::kInternetMaxReplyBytes + 5000, 'z')});
    EXPECT_EQ(Get(server.Base() + "/big", 4096).size(), platform::kInternetMaxReplyBytes);
}

TEST_F(WinInet, ASilentServerTimesOutWithinTheTotalTimeout)
{
    server.Push({"", true});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Get(server.Base() + "/slow", 1024), "(none)");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(WinInet, OnlyHttpUrlsAndOpenHandlesAreTaken)
{
    EXPECT_EQ(Get("file:///etc/passwd", 1024), "(none)");
    EXPECT_EQ(Get("ftp://127.0.0.1/", 1024), "(none)");
    int notAHandle = 0;
    DWORD read = 5;
    char buffer[4];
    EXPECT_FALSE(InternetReadFile(&notAHandle, buffer, sizeof buffer, &read));
    EXPECT_EQ(read, 0u);
    EXPECT_FALSE(InternetCloseHandle(&notAHandle));
    EXPECT_EQ(InternetOpenUrlA(&notAHandle, (server.Base() + "/").c_str(), nullptr, 0, 0, 0), nullptr);
    EXPECT_TRUE(server.Targets().empty());
}

TEST_F(WinInet, AClosedPortFailsToOpen)
{
    std::string base;
    {
        LoopbackHttpServer gone;
        base = gone.Base();
    }
    EXPECT_EQ(Get(base + "/", 1024), "(none)");
}
