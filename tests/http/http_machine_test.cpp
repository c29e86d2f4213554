// The HTTP service's request machine over a scriptable WinINet table.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "FakeInternet.h"
#include "TempDir.h"
#include "forms/HttpService.h"
#include "forms/HttpStatusChannel.h"
#include "foundation/CFile.h"

using testsupport::FakeInternet;
using Answer = FakeInternet::Answer;

namespace {

class HttpMachine : public ::testing::Test {
protected:
    HttpMachine() { file.Attach(new CMemoryFileBuf, kFileWrite); }

    std::string Written()
    {
        auto* memory = static_cast<CMemoryFileBuf*>(file.GetStream());
        return std::string(reinterpret_cast<const char*>(memory->GetData()), memory->Size());
    }
    // Polls until the service is idle, at most a few times.
    bool PollToEnd()
    {
        for (int i = 0; i < 10; ++i)
            if (service.Poll()) return true;
        return false;
    }
    std::string Status()
    {
        CString text;
        service.StatusText(text);
        return text.GetText();
    }

    FakeInternet fake;
    HttpService service{&fake.api};
    CFile file;
};

TEST_F(HttpMachine, AGetWaitsForEachPendingReadAndEndsWithTheBodyInTheFile)
{
    fake.Script("InternetReadFile", {Answer::Pending, Answer::Pending});
    fake.info[HTTP_QUERY_CONTENT_LENGTH] = "6";
    ASSERT_TRUE(service.StartGet("http://host/file", &file, true, nullptr));
    EXPECT_EQ(fake.Count("InternetOpenA async"), 1);
    EXPECT_FALSE(service.Poll());
    EXPECT_FALSE(service.Poll());
    EXPECT_EQ(fake.Count("InternetReadFile"), 1) << "a pending read is not issued again";

    fake.CompleteRead("abc");
    EXPECT_FALSE(service.Poll());
    EXPECT_EQ(service.GetContentLength(), 6);
    EXPECT_EQ(service.GetBytesReceived(), 3);
    fake.chunks = {"def"};
    fake.CompleteRead("");
    fake.Script("InternetReadFile", {Answer::Done, Answer::Done});
    ASSERT_TRUE(PollToEnd());
    EXPECT_TRUE(service.LastResult());
    EXPECT_EQ(Written(), "abc");
    EXPECT_EQ(fake.openHandles, 0);
}

// The table's thread holds the status lock only to append a record: a poll that finds it held does not wait for
// it, and the record is applied by the next poll.
TEST_F(HttpMachine, APollNeverWaitsForTheStatusLockAndTheNextOneTakesTheRecords)
{
    fake.Script("InternetReadFile", {Answer::Pending, Answer::Pending});
    ASSERT_TRUE(service.StartGet("http://host/file", &file, true, nullptr));
    fake.CompleteRead("abc");
    std::promise<void> held;
    std::promise<void> release;
    std::thread holder([&] {
        MutexHold hold(GetHttpStatusChannel().lock);
        held.set_value();
        release.get_future().wait_for(std::chrono::seconds(5));  // a poll that waited for the lock gets it then
    });
    held.get_future().wait();
    EXPECT_FALSE(service.Poll());
    EXPECT_EQ(service.GetBytesReceived(), 0) << "the completion waits in the queue";
    release.set_value();
    holder.join();
    EXPECT_FALSE(service.Poll());
    EXPECT_EQ(service.GetBytesReceived(), 3);
}

TEST_F(HttpMachine, ReadsThatCompleteAtOnceFinishInOnePoll)
{
    fake.chunks = {"hello ", "world"};
    ASSERT_TRUE(service.StartGet("http://host/", &file, true, nullptr));
    EXPECT_TRUE(service.Poll());
    EXPECT_TRUE(service.LastResult());
    EXPECT_EQ(Written(), "hello world");
    EXPECT_EQ(service.GetBytesReceived(), 11);
    EXPECT_EQ(service.GetContentLength(), -1);
}

TEST_F(HttpMachine, AnOpenThatPendsIsIssuedOnceAndResumesWithTheHandleItMade)
{
    fake.Script("InternetOpenUrlA", {Answer::Pending});
    fake.chunks = {"x"};
    ASSERT_TRUE(service.StartGet("http://host/", &file, true, nullptr));
    EXPECT_FALSE(service.Poll());
    EXPECT_FALSE(service.Poll());
    EXPECT_EQ(fake.Count("InternetOpenUrlA"), 1);
    EXPECT_EQ(fake.Count("InternetOpenA"), 1);
    fake.PostResult(INTERNET_STATUS_HANDLE_CREATED, reinterpret_cast<DWORD_PTR>(fake.LastHandle()));
    fake.PostResult(INTERNET_STATUS_REQUEST_COMPLETE, reinterpret_cast<DWORD_PTR>(fake.LastHandle()));
    EXPECT_TRUE(PollToEnd());
    EXPECT_TRUE(service.LastResult());
    EXPECT_EQ(Written(), "x");
}

TEST_F(HttpMachine, APostWithTheDefaultPortConnectsTo443WhenSecureAnd80Otherwise)
{
    for (const auto& [secure, expected] : {std::pair{true, "host:443"}, std::pair{false, "host:80"}}) {
        fake.calls.clear();
        fake.chunks = {"OK"};
        ASSERT_TRUE(service.StartPost("host", -1, secure, "/submit", CString("a=1&b=2"), &file, nullptr));
        EXPECT_TRUE(PollToEnd());
        ASSERT_GE(fake.calls.size(), 5u);
        EXPECT_EQ(fake.calls[2], std::string("InternetConnectA ") + expected);
        EXPECT_EQ(fake.calls[3], "HttpOpenRequestA POST /submit */*");
        EXPECT_EQ(fake.calls[4], "HttpSendRequestA a=1&b=2");
        EXPECT_TRUE(service.LastResult());
    }
    fake.calls.clear();
    ASSERT_TRUE(service.StartPost("host", 8080, true, "/", CString(), &file, nullptr));
    EXPECT_EQ(fake.calls[2], "InternetConnectA host:8080");
}

TEST_F(HttpMachine, AStartWhileARequestRunsIsRefused)
{
    fake.Script("InternetReadFile", {Answer::Pending});
    ASSERT_TRUE(service.StartGet("http://host/one", &file, true, nullptr));
    CFile other;
    EXPECT_FALSE(service.StartGet("http://host/two", &other, true, nullptr));
    EXPECT_FALSE(service.StartPost("host", 80, false, "/", CString(), &other, nullptr));
    EXPECT_EQ(fake.Count("InternetOpenUrlA"), 1);
    EXPECT_FALSE(service.Poll());
}

TEST_F(HttpMachine, StatusTextFollowsTheRecordsAndIsTransferCompleteWhenIdle)
{
    EXPECT_EQ(Status(), "Transfer Complete");
    fake.Script("InternetReadFile", {Answer::Pending});
    ASSERT_TRUE(service.StartGet("http://host/", &file, true, nullptr));
    const std::uint32_t bytes = 321;
    const struct {
        DWORD status;
        std::string text;
        const char* shown;
    } cases[] = {
        {INTERNET_STATUS_RESOLVING_NAME, "host", "Resolving name host"},
        {INTERNET_STATUS_NAME_RESOLVED, "10.0.0.1", "Resolved name 10.0.0.1"},
        {INTERNET_STATUS_CONNECTING_TO_SERVER, "10.0.0.1", "Connecting to Server 10.0.0.1"},
        {INTERNET_STATUS_CONNECTED_TO_SERVER, "10.0.0.1", "Connected to Server 10.0.0.1"},
        {INTERNET_STATUS_SENDING_REQUEST, "", "Sending Request"},
        {INTERNET_STATUS_REQUEST_SENT, "", "Request Sent"},
        {INTERNET_STATUS_RECEIVING_RESPONSE, "", "Receiving Response"},
        {INTERNET_STATUS_RESPONSE_RECEIVED, "#", "Response Received ( 321 Bytes )"},
        {INTERNET_STATUS_CLOSING_CONNECTION, "", "Closing Connection to Server"},
        {INTERNET_STATUS_CONNECTION_CLOSED, "", "Connection Closed"},
        {INTERNET_STATUS_HANDLE_CLOSING, "", "Handle Closing"},
        {INTERNET_STATUS_REDIRECT, "http://elsewhere/", "Redirected to http://elsewhere/"},
        {INTERNET_STATUS_STATE_CHANGE, "", "Redirected to http://elsewhere/"},
        {999, "", "Redirected to http://elsewhere/"},
    };
    for (const auto& c : cases) {
        if (c.text == "#")
            fake.Post(c.status, &bytes, sizeof bytes);
        else if (c.text.empty())
            fake.Post(c.status);
        else
            fake.PostText(c.status, c.text);
        EXPECT_EQ(Status(), c.shown) << c.status;
    }
    fake.PostResult(INTERNET_STATUS_HANDLE_CREATED, 0xABC);
    EXPECT_EQ(Status(), "Creating Handle (0xabc)");
}

TEST_F(HttpMachine, ARedirectedRequestThatFailsIsRetriedOnceAsAGetOfTheTarget)
{
    fake.Script("InternetReadFile", {Answer::Pending, Answer::Fail, Answer::Fail});
    ASSERT_TRUE(service.StartGet("http://host/old", &file, true, nullptr));
    fake.PostText(INTERNET_STATUS_REDIRECT, "http://host/new");
    ASSERT_TRUE(fake.ReadPending());
    fake.CompleteRead("partial");
    EXPECT_TRUE(PollToEnd());
    EXPECT_FALSE(service.LastResult());
    EXPECT_EQ(fake.Count("InternetOpenUrlA http://host/old"), 1);
    EXPECT_EQ(fake.Count("InternetOpenUrlA http://host/new"), 1) << "retried once, not again after its own failure";
    EXPECT_EQ(fake.openHandles, 0);

    // The counter starts again with each request: a later failure without a redirect is not retried.
    fake.calls.clear();
    fake.Script("InternetReadFile", {Answer::Fail});
    ASSERT_TRUE(service.StartGet("http://host/other", &file, true, nullptr));
    EXPECT_TRUE(PollToEnd());
    EXPECT_EQ(fake.Count("InternetOpenUrlA"), 1);
}

TEST_F(HttpMachine, ALongRedirectTargetIsRetriedWhole)
{
    const std::string target = "http://host/" + std::string(600, 'p');
    fake.Script("InternetReadFile", {Answer::Pending, Answer::Fail});
    ASSERT_TRUE(service.StartGet("http://host/old", &file, true, nullptr));
    fake.PostText(INTERNET_STATUS_REDIRECT, target);
    fake.CompleteRead("");
    EXPECT_TRUE(PollToEnd());
    EXPECT_EQ(fake.Count("InternetOpenUrlA " + target), 1);
}

TEST_F(HttpMachine, TheRetryStartsTheFileAfreshAndCanSucceed)
{
    testsupport::TempDir folder;
    const std::string path = folder / "target.bin";
    CFile disk;
    ASSERT_TRUE(disk.Open(path.c_str(), kFileCreate | kFileWrite | kFileAbsolute));
    fake.Script("InternetReadFile", {Answer::Pending, Answer::Fail});
    ASSERT_TRUE(service.StartGet("http://host/old", &disk, true, nullptr));
    fake.PostText(INTERNET_STATUS_REDIRECT, "http://host/new");
    fake.CompleteRead("broken body");
    fake.chunks = {"whole"};
    EXPECT_TRUE(PollToEnd());
    EXPECT_TRUE(service.LastResult());
    EXPECT_EQ(fake.Count("InternetOpenUrlA http://host/new"), 1);
    disk.Close();
    EXPECT_EQ(testsupport::ReadFile(path), "whole");
}

TEST_F(HttpMachine, ACancelEndsWithFalseClosesEverythingAndIsNotRetried)
{
    fake.Script("InternetReadFile", {Answer::Pending});
    ASSERT_TRUE(service.StartGet("http://host/old", &file, true, nullptr));
    fake.PostText(INTERNET_STATUS_REDIRECT, "http://host/new");
    EXPECT_FALSE(service.Poll());
    service.Cancel();
    EXPECT_TRUE(service.Poll());
    EXPECT_FALSE(service.LastResult());
    EXPECT_EQ(fake.Count("InternetOpenUrlA"), 1);
    EXPECT_EQ(fake.openHandles, 0);
    EXPECT_FALSE(fake.ReadPending());
}

TEST_F(HttpMachine, ALateRecordOfAnEndedRequestDoesNotWakeTheNextOne)
{
    fake.Script("InternetReadFile", {Answer::Pending});
    ASSERT_TRUE(service.StartGet("http://host/one", &file, true, nullptr));
    const DWORD_PTR oldContext = fake.LastContext();
    service.Cancel();
    fake.Script("InternetReadFile", {Answer::Pending});
    ASSERT_TRUE(service.StartGet("http://host/two", &file, true, nullptr));
    ASSERT_NE(fake.LastContext(), oldContext);
    // The table of the first request completes late, under its own context.
    const INTERNET_ASYNC_RESULT done{TRUE, 0};
    HttpService::OnInternetStatus(nullptr, oldContext, INTERNET_STATUS_REQUEST_COMPLETE,
                                  const_cast<INTERNET_ASYNC_RESULT*>(&done), sizeof done);
    EXPECT_FALSE(service.Poll());
    EXPECT_EQ(fake.Count("InternetReadFile"), 2);
    EXPECT_EQ(service.GetBytesReceived(), 0);
}

TEST_F(HttpMachine, FailuresEndTheRequestWithFalse)
{
    struct Case {
        const char* name;
        std::function<void(FakeInternet&)> arrange;
    };
    const Case cases[] = {
        {"empty body", [](FakeInternet&) {}},
        {"open fails", [](FakeInternet& f) { f.Script("InternetOpenUrlA", {Answer::Fail}); }},
        {"session fails", [](FakeInternet& f) { f.Script("InternetOpenA", {Answer::Fail}); }},
        {"callback refused", [](FakeInternet& f) { f.Script("InternetSetStatusCallback", {Answer::Fail}); }},
        {"read fails",
         [](FakeInternet& f) {
             f.chunks = {"abc"};
             f.Script("InternetReadFile", {Answer::Done, Answer::Fail});
         }},
        {"not found",
         [](FakeInternet& f) {
             f.chunks = {"page"};
             f.info[HTTP_QUERY_STATUS_CODE] = "404";
         }},
        {"server error",
         [](FakeInternet& f) {
             f.chunks = {"page"};
             f.info[HTTP_QUERY_STATUS_CODE] = "500";
         }},
    };
    for (const Case& c : cases) {
        FakeInternet local;
        c.arrange(local);
        HttpService fresh(&local.api);
        CFile target;
        target.Attach(new CMemoryFileBuf, kFileWrite);
        ASSERT_TRUE(fresh.StartGet("http://host/", &target, true, nullptr)) << c.name;
        EXPECT_TRUE(fresh.Poll()) << c.name;
        EXPECT_FALSE(fresh.LastResult()) << c.name;
        EXPECT_EQ(local.openHandles, 0) << c.name;
    }
}

TEST_F(HttpMachine, AShortWriteToTheFileFailsTheRequest)
{
    CFile closed;
    fake.chunks = {"data"};
    ASSERT_TRUE(service.StartGet("http://host/", &closed, true, nullptr));
    EXPECT_TRUE(service.Poll());
    EXPECT_FALSE(service.LastResult());
}

TEST_F(HttpMachine, ContentLengthsOfZeroOrBeyond31BitsAreUnknown)
{
    for (const auto& [text, expected] : {std::pair{"1234", 1234}, std::pair{"0", -1}, std::pair{"2147483648", -1},
                                         std::pair{"99999999999999999999", -1}, std::pair{"12x", -1}}) {
        FakeInternet local;
        local.info[HTTP_QUERY_CONTENT_LENGTH] = text;
        local.Script("InternetReadFile", {Answer::Pending});
        HttpService fresh(&local.api);
        ASSERT_TRUE(fresh.StartGet("http://host/", &file, true, nullptr));
        local.CompleteRead("a");
        fresh.Poll();
        EXPECT_EQ(fresh.GetContentLength(), expected) << text;
    }
}

TEST_F(HttpMachine, AMissingRequiredEntryLeavesTheServiceUnavailableAndIdle)
{
    fake.api.HttpSendRequestA = nullptr;
    HttpService crippled(&fake.api);
    EXPECT_FALSE(crippled.IsAvailable());
    EXPECT_TRUE(crippled.StartGet("http://host/", &file, true, nullptr));
    EXPECT_TRUE(crippled.Poll());
    EXPECT_FALSE(crippled.LastResult());
    EXPECT_EQ(fake.Count("InternetOpenA"), 0);
    EXPECT_FALSE(crippled.FetchURL("http://host/", &file, true, nullptr));
}

TEST(HttpProcessService, IsMadeOnceAndCanBeReplaced)
{
    HttpService* made = GetHttpService();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(GetHttpService(), made);
    EXPECT_TRUE(made->IsAvailable());
    auto replacement = std::make_unique<HttpService>(nullptr);
    HttpService* fake = replacement.get();
    ReplaceHttpService(std::move(replacement));
    EXPECT_EQ(GetHttpService(), fake);
    ShutDownHttpService();
    EXPECT_TRUE(fake->Poll());
}

TEST(HttpNoModule, WithoutTheModuleStartsRunBlockingAndFail)
{
    HttpService service(nullptr);
    CFile file;
    EXPECT_FALSE(service.IsAvailable());
    EXPECT_TRUE(service.StartGet("http://host/", &file, true, nullptr));
    EXPECT_FALSE(service.LastResult());
    EXPECT_TRUE(service.StartPost("host", -1, false, "/", CString("a=1"), &file, nullptr));
    EXPECT_FALSE(service.LastResult());
    EXPECT_TRUE(service.Poll());
    CString text;
    service.StatusText(text);
    EXPECT_STREQ(text.GetText(), "Transfer Complete");
}

}  // namespace
