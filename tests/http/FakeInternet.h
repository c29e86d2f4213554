// A scriptable WinINet table for the HTTP service's tests. Each call answers as the test has said (done,
// pending or failed, once each in order, then done); reads hand out the scripted chunks; the test posts status
// records through the registered callback as the table's thread would, and completes a pending read by hand.
#pragma once
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/wininet_async.h"

namespace testsupport {

class FakeInternet {
public:
    enum class Answer {
        Done,
        Pending,
        Fail
    };

    FakeInternet();
    ~FakeInternet();

    platform::inet::Api api{};

    // The next answers of the call of that WinINet name.
    void Script(const std::string& call, std::vector<Answer> answers);
    // The body the reads hand out, one chunk per read; then 0 bytes.
    std::deque<std::string> chunks;
    // The texts HttpQueryInfoA answers, by info level; a level not here is not found.
    std::map<DWORD, std::string> info;
    // Every call made, as "name argument".
    std::vector<std::string> calls;
    int openHandles = 0;

    // Posts a status as the table's thread would, for the last handle made.
    void Post(DWORD status, const void* information = nullptr, DWORD length = 0);
    void PostText(DWORD status, const std::string& text);
    void PostResult(DWORD status, DWORD_PTR result);
    // Completes the pending read with this chunk (empty: the end) and posts status 100.
    void CompleteRead(const std::string& chunk);
    bool ReadPending() const { return pendingRead_.count != nullptr; }
    DWORD_PTR LastContext() const { return context_; }
    HINTERNET LastHandle() const { return handle_; }
    // Count of calls of a name.
    int Count(const std::string& call) const;

private:
    struct PendingRead {
        void* buffer = nullptr;
        DWORD* count = nullptr;
    };
    friend struct FakeCalls;
    Answer Next(const std::string& call);
    HINTERNET MakeHandle(const std::string& call, const std::string& detail, DWORD_PTR context);

    std::map<std::string, std::deque<Answer>> answers_;
    INTERNET_STATUS_CALLBACK callback_ = nullptr;
    DWORD_PTR context_ = 0;
    HINTERNET handle_ = nullptr;
    int nextHandle_ = 0x100;
    PendingRead pendingRead_;
    DWORD error_ = 0;
};

}  // namespace testsupport
