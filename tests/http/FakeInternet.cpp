#include "FakeInternet.h"

#include <algorithm>

namespace testsupport {

namespace {
FakeInternet* current = nullptr;
}  // namespace

// The table's entries, each a call on the fake of the running test.
struct FakeCalls {
    static FakeInternet& Fake() { return *current; }

    static HINTERNET Open(LPCSTR agent, DWORD, LPCSTR, LPCSTR, DWORD flags)
    {
        return Fake().MakeHandle("InternetOpenA", flags & INTERNET_FLAG_ASYNC ? "async" : "blocking", 0);
    }
    static HINTERNET OpenUrl(HINTERNET, LPCSTR url, LPCSTR, DWORD, DWORD, DWORD_PTR context)
    {
        return Fake().MakeHandle("InternetOpenUrlA", url, context);
    }
    static HINTERNET Connect(HINTERNET, LPCSTR server, INTERNET_PORT port, LPCSTR, LPCSTR, DWORD, DWORD,
                             DWORD_PTR context)
    {
        return Fake().MakeHandle("InternetConnectA", std::string(server) + ":" + std::to_string(port), context);
    }
    static HINTERNET OpenRequest(HINTERNET, LPCSTR verb, LPCSTR path, LPCSTR, LPCSTR, LPCSTR* accept, DWORD,
                                 DWORD_PTR context)
    {
        return Fake().MakeHandle("HttpOpenRequestA", std::string(verb) + " " + path + " " + accept[0], context);
    }
    static BOOL Send(HINTERNET, LPCSTR headers, DWORD, LPVOID data, DWORD length)
    {
        FakeInternet& fake = Fake();
        fake.calls.push_back("HttpSendRequestA " + std::string(static_cast<const char*>(data), length));
        return Answered(fake.Next("HttpSendRequestA"));
    }
    static BOOL Read(HINTERNET, LPVOID buffer, DWORD size, LPDWORD read)
    {
        FakeInternet& fake = Fake();
        fake.calls.push_back("InternetReadFile");
        const FakeInternet::Answer answer = fake.Next("InternetReadFile");
        if (answer == FakeInternet::Answer::Pending) fake.pendingRead_ = {buffer, read};
        if (answer != FakeInternet::Answer::Done) return Answered(answer);
        const std::string chunk = fake.chunks.empty() ? "" : fake.chunks.front();
        if (!fake.chunks.empty()) fake.chunks.pop_front();
        std::memcpy(buffer, chunk.data(), std::min<std::size_t>(chunk.size(), size));
        *read = static_cast<DWORD>(std::min<std::size_t>(chunk.size(), size));
        return TRUE;
    }
    static BOOL Close(HINTERNET)
    {
        FakeInternet& fake = Fake();
        fake.calls.push_back("InternetCloseHandle");
        --fake.openHandles;
        fake.pendingRead_ = {};
        return TRUE;
    }
    static BOOL QueryInfo(HINTERNET, DWORD level, LPVOID buffer, LPDWORD length, LPDWORD)
    {
        FakeInternet& fake = Fake();
        const auto found = fake.info.find(level);
        if (found == fake.info.end()) return Failed(ERROR_HTTP_HEADER_NOT_FOUND);
        if (!buffer || *length < found->second.size() + 1) {
            *length = static_cast<DWORD>(found->second.size());
            return Failed(ERROR_INSUFFICIENT_BUFFER);
        }
        std::memcpy(buffer, found->second.c_str(), found->second.size() + 1);
        return TRUE;
    }
    static BOOL Canonicalize(LPCSTR, LPSTR, LPDWORD, DWORD) { return FALSE; }
    static BOOL Connected(LPDWORD flags, DWORD)
    {
        *flags = INTERNET_CONNECTION_LAN | INTERNET_CONNECTION_PROXY;
        return TRUE;
    }
    static INTERNET_STATUS_CALLBACK SetCallback(HINTERNET, INTERNET_STATUS_CALLBACK callback)
    {
        FakeInternet& fake = Fake();
        fake.calls.push_back("InternetSetStatusCallback");
        if (fake.Next("InternetSetStatusCallback") == FakeInternet::Answer::Fail)
            return INTERNET_INVALID_STATUS_CALLBACK;
        fake.callback_ = callback;
        return nullptr;
    }
    static DWORD LastError() { return Fake().error_; }

    static BOOL Answered(FakeInternet::Answer answer)
    {
        if (answer == FakeInternet::Answer::Done) return TRUE;
        return Failed(answer == FakeInternet::Answer::Pending ? ERROR_IO_PENDING : ERROR_INTERNET_CANNOT_CONNECT);
    }
    static BOOL Failed(DWORD error)
    {
        Fake().error_ = error;
        return FALSE;
    }
};

FakeInternet::FakeInternet()
{
    current = this;
    api.InternetOpenA = FakeCalls::Open;
    api.InternetOpenUrlA = FakeCalls::OpenUrl;
    api.InternetReadFile = FakeCalls::Read;
    api.InternetCloseHandle = FakeCalls::Close;
    api.InternetGetConnectedState = FakeCalls::Connected;
    api.InternetConnectA = FakeCalls::Connect;
    api.HttpOpenRequestA = FakeCalls::OpenRequest;
    api.HttpSendRequestA = FakeCalls::Send;
    api.HttpQueryInfoA = FakeCalls::QueryInfo;
    api.InternetCanonicalizeUrlA = FakeCalls::Canonicalize;
    api.InternetSetStatusCallback = FakeCalls::SetCallback;
    api.GetLastError = FakeCalls::LastError;
}

FakeInternet::~FakeInternet() { current = nullptr; }

void FakeInternet::Script(const std::string& call, std::vector<Answer> answers)
{
    answers_[call].assign(answers.begin(), answers.end());
}

FakeInternet::Answer FakeInternet::Next(const std::string& call)
{
    std::deque<Answer>& queued = answers_[call];
    if (queued.empty()) return Answer::Done;
    const Answer answer = queued.front();
    queued.pop_front();
    return answer;
}

HINTERNET FakeInternet::MakeHandle(const std::string& call, const std::string& detail, DWORD_PTR context)
{
    calls.push_back(call + " " + detail);
    const Answer answer = Next(call);
    if (context) context_ = context;
    if (answer != Answer::Done) {
        FakeCalls::Answered(answer);
        if (answer == Answer::Pending)
            handle_ = reinterpret_cast<HINTERNET>(static_cast<std::uintptr_t>(nextHandle_++));
        return nullptr;
    }
    ++openHandles;
    handle_ = reinterpret_cast<HINTERNET>(static_cast<std::uintptr_t>(nextHandle_++));
    return handle_;
}

int FakeInternet::Count(const std::string& call) const
{
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const std::string& made) { return made.rfind(call, 0) == 0; }));
}

void FakeInternet::Post(DWORD status, const void* information, DWORD length)
{
    if (callback_) callback_(handle_, context_, status, const_cast<void*>(information), length);
}

void FakeInternet::PostText(DWORD status, const std::string& text)
{
    Post(status, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void FakeInternet::PostResult(DWORD status, DWORD_PTR result)
{
    const INTERNET_ASYNC_RESULT record{result, 0};
    Post(status, &record, sizeof record);
}

void FakeInternet::CompleteRead(const std::string& chunk)
{
    std::memcpy(pendingRead_.buffer, chunk.data(), chunk.size());
    *pendingRead_.count = static_cast<DWORD>(chunk.size());
    pendingRead_ = {};
    PostResult(INTERNET_STATUS_REQUEST_COMPLETE, TRUE);
}

}  // namespace testsupport
