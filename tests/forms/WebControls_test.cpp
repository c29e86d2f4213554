// The web download and post controls, frame by frame against a scripted service: the status text and ticks of a
// download, one outcome per transfer, the destinations refused, a refused start, a page closed mid-transfer, the
// server's reply to a post; and one download through a form from a loopback server.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "FormsFixture.h"
#include "LoopbackHttpServer.h"
#include "TempDir.h"
#include "forms/FormManager.h"
#include "forms/HttpService.h"
#include "forms/InputControls.h"
#include "forms/TextControls.h"

namespace forms_test {
namespace {

namespace fs = std::filesystem;

// A service whose transfer runs one scripted frame per poll, then writes its body and ends with its result.
class ScriptedHttpService : public HttpService {
public:
    struct Frame {
        const char* status;
        std::int32_t length;
        std::int32_t received;
        std::string bytes = {};  // written to the file in this frame
    };

    ScriptedHttpService() : HttpService(nullptr) {}

    bool StartGet(const char* url, CFile* file, bool, HttpSecurityInfo*) override
    {
        request = url;
        return Begin(file);
    }
    bool StartPost(const char* server, int port, bool secure, const char* path, const CString& data, CFile* file,
                   HttpSecurityInfo*) override
    {
        std::ostringstream text;
        text << (secure ? "https " : "http ") << server << ":" << port << path << " " << data.GetText();
        request = text.str();
        return Begin(file);
    }
    bool Poll() override
    {
        if (!running) return true;
        if (frames.empty()) {
            file->Write(body.data(), static_cast<int>(body.size()));
            running = false;
            last = result;
            return true;
        }
        current = frames.front();
        frames.pop_front();
        file->Write(current.bytes.data(), static_cast<int>(current.bytes.size()));
        return false;
    }
    void StatusText(CString& text) override { text = current.status; }
    std::int32_t GetContentLength() override { return current.length; }
    std::int32_t GetBytesReceived() override { return current.received; }
    void Cancel() override
    {
        ++cancels;
        running = false;
        last = false;
    }
    bool LastResult() override { return last; }
    bool AutoDial() override { return ++dials, false; }

    std::deque<Frame> frames;
    std::string body;
    bool result = true;
    bool refuse = false;
    int starts = 0;
    int cancels = 0;
    int dials = 0;
    std::string request;

private:
    bool Begin(CFile* target)
    {
        ++starts;
        if (refuse || running) return false;
        file = target;
        running = true;
        return true;
    }

    bool running = false;
    bool last = false;
    CFile* file = nullptr;
    Frame current{"", -1, 0};
};

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class WebControlsTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        auto scripted = std::make_unique<ScriptedHttpService>();
        service = scripted.get();
        ReplaceHttpService(std::move(scripted));
    }
    void TearDown() override
    {
        manager.reset();
        ReplaceHttpService(nullptr);
        FormsTest::TearDown();
    }

    // A page with a download control, a post control and their labels, and a second page to go to; a loose form
    // file, read afresh each time.
    void ShowPage(const std::string& downloadLines = "", const std::string& destination = "Downloads/<%File%>")
    {
        manager.reset();
        WriteFile("Web.guiform.txt",
                  FormText({Page("Main", "",
                                 {Child("CFormStaticControl", "Control Name=Status\r\nText=idle\r\n"),
                                  Child("CFormStaticControl", "Control Name=Reason\r\nText=no reason\r\n"),
                                  Child("CFormStaticControl", "Control Name=Repost\r\nText=-\r\n"),
                                  Child("CFormWebDownloadURLControl",
                                        "Control Name=Download\r\nSource URL=http://example.org/<%File%>\r\n"
                                        "Destination File Path=" +
                                            destination + "\r\nName Of Status Form Static Control=Status\r\n" +
                                            RecordAction("Transfer Succeeded Action", "ok") +
                                            RecordAction("Transfer Failed Action", "failed") + downloadLines),
                                  Child("CFormWebPostFormControl",
                                        "Control Name=Post\r\nServer Name=scores.example.org\r\nPort Number=8080\r\n"
                                        "Submit To Path=/post\r\nName Of Status Form Static Control=Status\r\n"
                                        "Name Of Repost Message Form Static Control=Repost\r\n"
                                        "Name Of Reject Error Display Static Control=Reason\r\n" +
                                            RecordAction("Succeeded Action", "posted") +
                                            RecordAction("Server Rejected Action", "rejected") +
                                            RecordAction("Form Post Failed Action", "failed"))}),
                            Page("Second", "")}));
        manager = std::make_unique<FormManager>(nullptr, 320, 240, 1.0f);
        manager->AddSubstitution(CString("<%File%>"), CString("file.bin"));
        ASSERT_TRUE(manager->LoadForm(CString("Web"), CString()));
        ActionLog().clear();
    }
    bool StartDownload(const std::string& control = "Download")
    {
        return ReadAction("CFormActionInitiateWebDownloadURL",
                          "Name Of Form Web Download URL Control=" + control + "\r\n")
            ->Execute();
    }
    bool StartPost()
    {
        return ReadAction("CFormActionInitiateWebPostForm", "Name Of Form Web Post Form Control=Post\r\n")->Execute();
    }
    void Frame() { manager->Update(1.0f / 60); }
    std::string Label(const char* name)
    {
        return manager->FindControlOfClass<CFormStaticControl>(CString(name))->GetDisplayedText().GetText();
    }

    ScriptedHttpService* service = nullptr;
    std::unique_ptr<FormManager> manager;
};

TEST_F(WebControlsTest, ADownloadShowsItsStatusEachFrameTicksPerPercentAndEndsOnce)
{
    ShowPage(RecordAction("Progress Tick Action", "tick"));
    service->frames = {{"Connecting", -1, 0},
                       {"Receiving", 200, 0},
                       {"Receiving", 200, 6},
                       {"Receiving", 200, 7},
                       {"Receiving", 200, 100}};
    service->body = "the file";
    ASSERT_TRUE(StartDownload());
    EXPECT_EQ(service->request, "http://example.org/file.bin");
    const struct {
        const char* status;
        int ticks;
    } shown[] = {{"Connecting 0.000000", 0},
                 {"Receiving 0.000000", 0},
                 {"Receiving 3.000000", 3},
                 {"Receiving 3.500000", 0},
                 {"Receiving 50.000000", 47}};
    for (const auto& frame : shown) {
        ActionLog().clear();
        Frame();
        EXPECT_EQ(Label("Status"), frame.status);
        EXPECT_EQ(ActionLog(), std::vector<std::string>(frame.ticks, "tick")) << frame.status;
    }
    EXPECT_TRUE(fs::exists("Arcade/Downloads/file.bin.part"));
    EXPECT_FALSE(fs::exists("Arcade/Downloads/file.bin")) << "the file has its name only once it is whole";
    ActionLog().clear();
    for (int i = 0; i < 3; ++i) Frame();
    EXPECT_EQ(JoinedLog(), "ok");
    EXPECT_EQ(ReadWhole("Arcade/Downloads/file.bin"), "the file");
    EXPECT_FALSE(fs::exists("Arcade/Downloads/file.bin.part"));
    EXPECT_EQ(Label("Status"), "Receiving 50.000000") << "the status of the last frame stays";
}

TEST_F(WebControlsTest, AFailedDownloadFiresItsFailureOnceAndKeepsTheFileItWouldReplace)
{
    ShowPage();
    testsupport::WriteFile("Arcade/Downloads/file.bin", "the old file");
    service->frames = {{"Receiving", 100, 50, "half"}};
    service->body = "the rest";
    service->result = false;
    ASSERT_TRUE(StartDownload());
    for (int i = 0; i < 4; ++i) Frame();
    EXPECT_EQ(JoinedLog(), "failed");
    EXPECT_EQ(ReadWhole("Arcade/Downloads/file.bin"), "the old file");
    EXPECT_FALSE(fs::exists("Arcade/Downloads/file.bin.part"));
}

TEST_F(WebControlsTest, DestinationsOutsideTheLibrarysFolderOrThatCannotBeMadeAreRefused)
{
    testsupport::WriteFile("Arcade/Blocked", "a file where a folder would be");
    for (const char* destination : {"", "/tmp/file.bin", "\\file.bin", "C:\\file.bin", "../file.bin", "..",
                                    "Downloads/../../file.bin", "Downloads\\..\\..\\file.bin", "Blocked/file.bin"}) {
        ShowPage("", destination);
        EXPECT_FALSE(StartDownload()) << destination;
        Frame();
        EXPECT_EQ(JoinedLog(), "") << destination << ": nothing was started, so nothing ends";
    }
    EXPECT_EQ(service->starts, 0);
    ShowPage("", "Downloads/..more/file.bin");
    EXPECT_TRUE(StartDownload()) << "a name that only begins with two dots is a name";
    EXPECT_FALSE(StartDownload()) << "a second start while the first runs";
    EXPECT_FALSE(StartDownload("Status")) << "a label is no download control";
    EXPECT_FALSE(StartDownload("Nothing"));
    EXPECT_EQ(service->starts, 1);
}

TEST_F(WebControlsTest, AStartTheServiceRefusesIsReportedAndFailsTheWorkerOnce)
{
    ShowPage();
    service->refuse = true;
    EXPECT_FALSE(StartDownload());
    EXPECT_EQ(JoinedLog(), "");
    for (int i = 0; i < 3; ++i) Frame();
    EXPECT_EQ(JoinedLog(), "failed");
    EXPECT_FALSE(fs::exists("Arcade/Downloads/file.bin.part"));

    ActionLog().clear();
    manager->GetFormString() = "a=1";
    EXPECT_TRUE(StartPost()) << "the post action answers true for a post control, started or not";
    for (int i = 0; i < 3; ++i) Frame();
    EXPECT_EQ(JoinedLog(), "failed");
    EXPECT_EQ(service->cancels, 0) << "a refused transfer is not the running one: nothing of it is cancelled";
}

TEST_F(WebControlsTest, APageClosedDuringADownloadCancelsItAndNothingFiresAfter)
{
    const struct {
        const char* how;
        std::string tickAction;
    } rows[] = {
        {"the page switched away", ""},
        {"the tick action switches away",
         Block("Progress Tick Action", "CMultipleActionsFormAction",
               "Action=Array\r\n{\r\n" + RecordAction("Action", "tick") +
                   Block("Action", "CFormActionSwitchPage", "Page To Switch To=Second\r\n") + "}\r\n")},
    };
    for (const auto& row : rows) {
        ShowPage(row.tickAction);
        service->cancels = 0;
        service->frames = {{"Receiving", 100, 10, "part"}, {"Receiving", 100, 60}};
        service->body = "rest";
        ASSERT_TRUE(StartDownload()) << row.how;
        Frame();
        if (row.tickAction.empty()) {
            EXPECT_EQ(Label("Status"), "Receiving 10.000000");
            manager->SwitchPage(CString("Second"));
        }
        EXPECT_EQ(JoinedLog(), row.tickAction.empty() ? "" : "tick") << row.how << ": one tick, then the page went";
        EXPECT_EQ(service->cancels, 1) << row.how;
        EXPECT_FALSE(fs::exists("Arcade/Downloads/file.bin.part")) << row.how;
        ActionLog().clear();
        for (int i = 0; i < 4; ++i) Frame();
        EXPECT_EQ(JoinedLog(), "") << row.how;
        EXPECT_FALSE(fs::exists("Arcade/Downloads/file.bin")) << row.how;
    }
}

TEST_F(WebControlsTest, ThePostSendsTheFormStringAndTheReplyChoosesTheOutcome)
{
    const struct {
        std::string reply;
        bool result;
        const char* log;
        const char* reason;
        const char* repost;
    } rows[] = {
        {"OK\r\n", true, "posted", "no reason", "-"},
        {"OK", true, "posted", "no reason", "-"},
        {"OK\nREPOST:  Try again at noon \n", true, "posted", "no reason", "Try again at noon"},
        {"REJECT\r\nThat name is taken.\r\nPick another.\r\n\r\n", true, "rejected",
         "That name is taken.\nPick another.", "-"},
        {"REJECT\r\nREPOST:later\r\n", true, "rejected", "no reason", "later"},
        {"", true, "failed", "no reason", "-"},
        {"ok\r\n", true, "failed", "no reason", "-"},
        {"<html>OK</html>", true, "failed", "no reason", "-"},
        {"OK\r\n", false, "failed", "no reason", "-"},
        {"OK\r\n" + std::string(70 * 1024, 'x'), true, "failed", "no reason", "-"},
    };
    for (const auto& row : rows) {
        ShowPage();
        manager->GetFormString() = "name=a%26b&score=10";
        service->frames = {{"Sending Request", -1, 0}};
        service->body = row.reply;
        service->result = row.result;
        EXPECT_TRUE(StartPost());
        EXPECT_EQ(service->request, "http scores.example.org:8080/post name=a%26b&score=10");
        Frame();
        EXPECT_EQ(Label("Status"), "Sending Request");
        for (int i = 0; i < 3; ++i) Frame();
        EXPECT_EQ(JoinedLog(), row.log) << row.reply.substr(0, 40);
        EXPECT_EQ(Label("Reason"), row.reason) << row.reply.substr(0, 40);
        EXPECT_EQ(Label("Repost"), row.repost) << row.reply.substr(0, 40);
    }
}

TEST_F(WebControlsTest, AReplyTooLongToBeOneIsNotReadOn)
{
    ShowPage();
    service->frames = {{"Receiving", -1, 0, std::string(65 * 1024, 'x')}, {"Receiving", -1, 0}, {"Receiving", -1, 0}};
    service->body = "OK\r\n";
    EXPECT_TRUE(StartPost());
    for (int i = 0; i < 3; ++i) Frame();
    EXPECT_EQ(service->cancels, 1);
    EXPECT_EQ(JoinedLog(), "failed");
}

TEST_F(WebControlsTest, AutoDialAsksTheServiceAndAnswersTrue)
{
    EXPECT_TRUE(ReadAction("CFormActionAutoDialWeb", "")->Execute());
    EXPECT_EQ(service->dials, 1);
}

std::string Pattern(std::size_t size)
{
    std::string bytes(size, 0);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
    return bytes;
}

// A page downloads a file from a loopback server through the real service, ticking a progress bar as it goes.
TEST_F(WebControlsTest, APageDownloadsAFileFromALoopbackServer)
{
    platform::inet::SetTimeouts({.connectMs = 2000, .idleSeconds = 5});
    ReplaceHttpService(std::make_unique<HttpService>(platform::inet::Load()));
    testsupport::LoopbackHttpServer server;
    const std::string body = Pattern(200 * 1000);
    server.Push({.body = body, .pieceBytes = 20 * 1000, .pieceMs = 10});
    WriteFile("Resources/Get.guiform.txt",
              FormText({Page("Main", "",
                             {Child("CFormStaticControl", "Control Name=Status\r\nText=idle\r\n"),
                              Child("CFormProgressBarControl", "Control Name=Bar\r\nWidth=100\r\nHeight=8\r\n"),
                              Child("CFormWebDownloadURLControl",
                                    "Control Name=Download\r\nSource URL=<%Server%>/files/<%File%>\r\n"
                                    "Destination File Path=Downloads/<%File%>\r\n"
                                    "Name Of Status Form Static Control=Status\r\n" +
                                        RecordAction("Transfer Succeeded Action", "ok") +
                                        RecordAction("Transfer Failed Action", "failed") +
                                        Block("Progress Tick Action", "CFormActionTickProgressBarForm",
                                              "Name Of Progress Bar Form Control=Bar\r\n"))})}));
    manager = std::make_unique<FormManager>(nullptr, 320, 240, 1.0f);
    manager->AddSubstitution(CString("<%Server%>"), CString(server.Base().c_str()));
    manager->AddSubstitution(CString("<%File%>"), CString("level.pak"));
    ASSERT_TRUE(manager->LoadForm(CString("Get"), CString()));
    ActionLog().clear();
    ASSERT_TRUE(StartDownload());
    std::vector<std::string> shown;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (ActionLog().empty() && std::chrono::steady_clock::now() < deadline) {
        Frame();
        if (shown.empty() || shown.back() != Label("Status")) shown.push_back(Label("Status"));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    platform::inet::SetTimeouts({});
    EXPECT_EQ(JoinedLog(), "ok");
    EXPECT_TRUE(ReadWhole("Arcade/Downloads/level.pak") == body);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].head.rfind("GET /files/level.pak ", 0), 0u);
    const int ticks = manager->FindControlOfClass<CFormProgressBarControl>(CString("Bar"))->GetTickCount();
    EXPECT_GT(ticks, 0);
    EXPECT_LE(ticks, 100);
    EXPECT_GT(shown.size(), 2u) << "the status changed as the file came";
    for (const std::string& text : shown)
        if (text != "idle") EXPECT_NE(text.find('.'), std::string::npos) << text << ": a status and its percentage";
}

}  // namespace
}  // namespace forms_test
