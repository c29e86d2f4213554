// The HTTP service over the libcurl WinINet table, against a loopback server the test starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "LoopbackHttpServer.h"
#include "forms/HttpService.h"
#include "foundation/CFile.h"
#include "front/TA_API.h"

using testsupport::LoopbackHttpServer;
using Reply = LoopbackHttpServer::Reply;

namespace {

std::string Pattern(std::size_t size)
{
    std::string bytes(size, 0);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
    return bytes;
}

int ThreadCount()
{
    return static_cast<int>(
        std::distance(std::filesystem::directory_iterator("/proc/self/task"), std::filesystem::directory_iterator()));
}

class HttpOverCurl : public ::testing::Test {
protected:
    HttpOverCurl()
    {
        platform::inet::SetTimeouts({.connectMs = 2000, .idleSeconds = 1});
        file.Attach(new CMemoryFileBuf, kFileWrite);
    }
    ~HttpOverCurl() override { platform::inet::SetTimeouts({}); }

    std::string Written()
    {
        auto* memory = static_cast<CMemoryFileBuf*>(file.GetStream());
        return std::string(reinterpret_cast<const char*>(memory->GetData()), memory->Size());
    }
    // Polls once a simulated frame until the service is idle; the number of polls, or -1 after 20 seconds.
    int PollToEnd()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (int polls = 1; std::chrono::steady_clock::now() < deadline; ++polls) {
            if (service.Poll()) return polls;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return -1;
    }
    bool Get(const std::string& url)
    {
        EXPECT_TRUE(service.StartGet(url.c_str(), &file, true, nullptr));
        EXPECT_GT(PollToEnd(), 0) << "the request ends";
        return service.LastResult();
    }

    LoopbackHttpServer server;
    HttpService service{platform::inet::Load()};
    CFile file;
};

TEST_F(HttpOverCurl, ABodyLargerThanTheBufferArrivesWholeWithOrWithoutALength)
{
    const std::string body = Pattern(300 * 1024 + 7);
    for (const bool withLength : {true, false}) {
        file.Attach(new CMemoryFileBuf, kFileWrite);
        server.Push({.body = body, .withLength = withLength});
        EXPECT_TRUE(Get(server.Base() + "/file")) << withLength;
        EXPECT_TRUE(Written() == body) << withLength;
        EXPECT_EQ(service.GetBytesReceived(), static_cast<int>(body.size()));
        EXPECT_EQ(service.GetContentLength(), withLength ? static_cast<int>(body.size()) : -1);
    }
}

TEST_F(HttpOverCurl, ARedirectIsFollowedAndTold)
{
    server.Push({.status = "302 Found", .headers = {"Location: /final"}});
    server.Push({.body = "arrived"});
    EXPECT_TRUE(Get(server.Base() + "/start"));
    EXPECT_EQ(Written(), "arrived");
    EXPECT_EQ(server.Targets(), (std::vector<std::string>{"/start", "/final"}));
}

TEST_F(HttpOverCurl, ErrorStatusesFailEvenWithAPage)
{
    for (const char* status : {"404 Not Found", "500 Internal Server Error"}) {
        server.Push({.body = "error page", .status = status});
        EXPECT_FALSE(Get(server.Base() + "/missing")) << status;
    }
}

TEST_F(HttpOverCurl, APostSendsTheFormByteForByteWithItsContentType)
{
    const CString form("name=Ann+%26+Bob&note=%E9t%E9&empty=");
    server.Push({.body = "OK\r\n"});
    ASSERT_TRUE(service.StartPost("127.0.0.1", server.Port(), false, "/submit", form, &file, nullptr));
    EXPECT_GT(PollToEnd(), 0);
    EXPECT_TRUE(service.LastResult());
    EXPECT_EQ(Written(), "OK\r\n");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].body, form.GetText());
    const std::string& head = requests[0].head;
    EXPECT_EQ(head.rfind("POST /submit HTTP/1.1\r\n", 0), 0u) << head;
    EXPECT_NE(head.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nAccept: */*\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nUser-Agent: Tollarine Arcade DLL Version 1.0 Build 3\r\n"), std::string::npos) << head;
}

TEST_F(HttpOverCurl, ASlowBodySpansManyPolls)
{
    const std::string body = Pattern(12 * 1000);
    server.Push({.body = body, .pieceBytes = 1000, .pieceMs = 25});
    ASSERT_TRUE(service.StartGet((server.Base() + "/slow").c_str(), &file, true, nullptr));
    const int polls = PollToEnd();
    EXPECT_GT(polls, 12);
    EXPECT_TRUE(service.LastResult());
    EXPECT_TRUE(Written() == body);
}

// What a page shows frame by frame: the texts of the statuses, each one a known text, then "Transfer Complete".
TEST_F(HttpOverCurl, TheStatusTextFollowsTheTransfer)
{
    server.Push({.body = Pattern(6000), .pieceBytes = 1000, .pieceMs = 20});
    ASSERT_TRUE(service.StartGet((server.Base() + "/shown").c_str(), &file, true, nullptr));
    std::vector<std::string> shown;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!service.Poll() && std::chrono::steady_clock::now() < deadline) {
        CString text;
        service.StatusText(text);
        if (shown.empty() || shown.back() != text.GetText()) shown.push_back(text.GetText());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(shown.empty());
    const char* const known[] = {"Creating Handle (",
                                 "Connecting to Server 127.0.0.1",
                                 "Connected to Server 127.0.0.1",
                                 "Sending Request",
                                 "Receiving Response",
                                 "Response Received ( ",
                                 "Request Sent",
                                 "Transfer Complete"};
    for (const std::string& text : shown)
        EXPECT_TRUE(std::any_of(std::begin(known), std::end(known), [&](const char* prefix) {
            return text.rfind(prefix, 0) == 0;
        })) << text;
    EXPECT_NE(std::find(shown.begin(), shown.end(), "Request Sent"), shown.end());
    CString last;
    service.StatusText(last);
    EXPECT_STREQ(last.GetText(), "Transfer Complete");
    EXPECT_TRUE(service.LastResult());
}

TEST_F(HttpOverCurl, AConnectionDroppedMidBodyFails)
{
    server.Push({.body = Pattern(100 * 1000), .dropAfter = 30 * 1000});
    EXPECT_FALSE(Get(server.Base() + "/cut"));
}

TEST_F(HttpOverCurl, AServerThatNeverAnswersTimesOut)
{
    server.Push({.silent = true});
    EXPECT_FALSE(Get(server.Base() + "/silent"));
    CString text;
    service.StatusText(text);
    EXPECT_STREQ(text.GetText(), "Transfer Complete");
}

TEST_F(HttpOverCurl, NothingListeningFails)
{
    std::string url;
    {
        LoopbackHttpServer gone;
        url = gone.Base() + "/";
    }
    EXPECT_FALSE(Get(url));
}

TEST_F(HttpOverCurl, TheBlockingCallsFetchAndPost)
{
    const std::string body = Pattern(100 * 1024);
    server.Push({.body = body});
    EXPECT_TRUE(service.FetchURL((server.Base() + "/whole").c_str(), &file, true, nullptr));
    EXPECT_TRUE(Written() == body);
    server.Push({.body = "gone", .status = "404 Not Found"});
    EXPECT_FALSE(service.FetchURL((server.Base() + "/missing").c_str(), &file, true, nullptr));
    server.Push({.body = "OK"});
    EXPECT_TRUE(service.PostForm("127.0.0.1", server.Port(), false, "/post", CString("a=1"), &file, nullptr));
    EXPECT_EQ(server.Requests().back().body, "a=1");
}

TEST_F(HttpOverCurl, DestroyingTheServiceMidTransferCancelsIt)
{
    server.Push({.body = Pattern(50 * 1000), .pieceBytes = 1000, .pieceMs = 20});
    const int threadsBefore = ThreadCount();
    auto running = std::make_unique<HttpService>(platform::inet::Load());
    ASSERT_TRUE(running->StartGet((server.Base() + "/long").c_str(), &file, true, nullptr));
    for (int i = 0; i < 5; ++i) {
        running->Poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(running->Poll());
    EXPECT_EQ(ThreadCount(), threadsBefore + 1) << "the table's worker runs";
    running.reset();
    EXPECT_EQ(ThreadCount(), threadsBefore) << "and is joined";
    const int written = static_cast<CMemoryFileBuf*>(file.GetStream())->Size();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(static_cast<CMemoryFileBuf*>(file.GetStream())->Size(), written) << "nothing is written after";
}

// A request the page gave up is cancelled mid-body, and the next one, started at once, runs whole.
TEST_F(HttpOverCurl, ACancelMidTransferThenANewStartDownloadsWhole)
{
    server.Push({.body = Pattern(50 * 1000), .pieceBytes = 1000, .pieceMs = 20});
    ASSERT_TRUE(service.StartGet((server.Base() + "/long").c_str(), &file, true, nullptr));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (service.GetBytesReceived() == 0 && std::chrono::steady_clock::now() < deadline) {
        service.Poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_GT(service.GetBytesReceived(), 0);
    EXPECT_FALSE(service.Poll()) << "still running";
    service.Cancel();
    EXPECT_FALSE(service.LastResult());
    const std::string body = Pattern(200 * 1024);
    server.Push({.body = body});
    file.Attach(new CMemoryFileBuf, kFileWrite);
    EXPECT_TRUE(Get(server.Base() + "/next"));
    EXPECT_TRUE(Written() == body);
}

// The worker is held inside a status callback; closing every handle returns all the same (no frame waits for
// the worker), and the shut-down's join then waits until it has let go and ended.
struct HeldCallback {
    static inline std::mutex lock;
    static inline std::condition_variable changed;
    static inline bool entered = false;
    static inline bool released = false;
    static inline bool gaveUp = false;  // the callback waited in vain

    static void Hold(HINTERNET, DWORD_PTR, DWORD status, LPVOID, DWORD)
    {
        if (status != INTERNET_STATUS_RESPONSE_RECEIVED) return;
        std::unique_lock<std::mutex> hold(lock);
        entered = true;
        changed.notify_all();
        gaveUp = !changed.wait_for(hold, std::chrono::seconds(10), [] { return released; });
    }
};

TEST_F(HttpOverCurl, ClosingHandlesNeverWaitsForTheWorkerAndTheShutDownJoinsIt)
{
    const platform::inet::Api& api = *platform::inet::Load();
    const int threadsBefore = ThreadCount();
    server.Push({.body = Pattern(10 * 1000)});
    HINTERNET session = api.InternetOpenA("agent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_ASYNC);
    api.InternetSetStatusCallback(session, HeldCallback::Hold);
    HINTERNET request = api.InternetOpenUrlA(session, (server.Base() + "/held").c_str(), nullptr, 0, 0, 1);
    ASSERT_NE(request, nullptr);
    {
        std::unique_lock<std::mutex> hold(HeldCallback::lock);
        ASSERT_TRUE(
            HeldCallback::changed.wait_for(hold, std::chrono::seconds(10), [] { return HeldCallback::entered; }));
    }
    EXPECT_TRUE(api.InternetCloseHandle(request));
    EXPECT_TRUE(api.InternetCloseHandle(session));
    {
        std::lock_guard<std::mutex> hold(HeldCallback::lock);
        EXPECT_FALSE(HeldCallback::gaveUp) << "the handles closed while the worker was still held";
        HeldCallback::released = true;
        HeldCallback::changed.notify_all();
    }
    api.JoinStoppedWorker();
    EXPECT_EQ(ThreadCount(), threadsBefore) << "the worker has ended";
}

// The table itself: the two-call protocol of the queries, the refused flags and handles.
TEST_F(HttpOverCurl, TheTableAnswersQueriesInTwoCallsAndRefusesWhatItCannotDo)
{
    const platform::inet::Api& api = *platform::inet::Load();
    server.Push({.body = "12345"});
    HINTERNET session = api.InternetOpenA("agent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request = api.InternetOpenUrlA(session, (server.Base() + "/q").c_str(), nullptr, 0, 0, 0);
    ASSERT_NE(request, nullptr);
    char chunk[16];
    DWORD read = 0;
    ASSERT_TRUE(api.InternetReadFile(request, chunk, 2, &read));
    EXPECT_EQ(read, 2u);
    DWORD length = 0;
    EXPECT_FALSE(api.HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, nullptr, &length, nullptr));
    EXPECT_EQ(api.GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, 1u);
    char text[8] = {};
    length = sizeof text;
    ASSERT_TRUE(api.HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE, text, &length, nullptr));
    EXPECT_STREQ(text, "200");
    EXPECT_TRUE(api.InternetCloseHandle(request));
    EXPECT_FALSE(api.InternetReadFile(request, chunk, 2, &read)) << "a closed handle is refused";
    EXPECT_EQ(api.InternetSetStatusCallback(request, nullptr), INTERNET_INVALID_STATUS_CALLBACK);
    EXPECT_EQ(api.InternetOpenUrlA(session, "ftp://host/", nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(api.GetLastError(), ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    DWORD room = sizeof text;
    EXPECT_FALSE(api.InternetCanonicalizeUrlA("a b", text, &room, ICU_NO_META));
    EXPECT_EQ(api.InternetAutodial, nullptr);
    EXPECT_EQ(api.InternetQueryOptionA, nullptr);
    EXPECT_TRUE(api.InternetCloseHandle(session));
}

// The library's shut-down ends the request of the process-wide service (the page that ran it learns it failed)
// and joins the table's worker.
TEST_F(HttpOverCurl, TheLibrarysShutDownCancelsTheRunningRequest)
{
    ReplaceHttpService(std::make_unique<HttpService>(platform::inet::Load()));
    HttpService& shared = *GetHttpService();
    server.Push({.silent = true});
    const int threadsBefore = ThreadCount();
    ASSERT_TRUE(shared.StartGet((server.Base() + "/never").c_str(), &file, true, nullptr));
    EXPECT_FALSE(shared.Poll());
    TA_ShutDown();
    EXPECT_EQ(ThreadCount(), threadsBefore) << "the table's worker is joined";
    EXPECT_TRUE(shared.Poll()) << "no request runs any more";
    EXPECT_FALSE(shared.LastResult());
    ReplaceHttpService(nullptr);
}

}  // namespace
