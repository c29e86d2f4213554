// One HTTP transfer of the WinINet table: a libcurl easy handle that the worker thread drives, the unread part of
// the reply in a bounded buffer, and at most one read waiting for data. The reader's side (Read, Abandon, the
// queries) runs on the caller's thread; the rest runs on the worker inside libcurl's callbacks. While bytes flow
// the two sides share only the lock-free ring and two flags (paused, a read waiting); the transfer's lock guards
// the rarer hand-overs (a read that waits, the end, the close), is never held across a call into libcurl or the
// system, and no status is posted while it is held.
#pragma once
#include <curl/curl.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "internet/byte_ring.h"
#include "platform/wininet_async.h"

namespace platform::inet {

// Where a transfer's statuses go: the callback of its session, told the transfer's handle and context.
struct StatusSink {
    INTERNET_STATUS_CALLBACK callback = nullptr;
    HINTERNET handle = nullptr;
    DWORD_PTR context = 0;

    void Post(DWORD status, const void* information, DWORD length) const;
    // Status 60 or 100: the information is an INTERNET_ASYNC_RESULT.
    void PostResult(DWORD status, DWORD_PTR result, DWORD error) const;
};

// What is sent.
struct TransferRequest {
    std::string url;
    std::string agent;
    std::string method = "GET";
    std::string body;
    std::vector<std::string> headers;
    bool direct = false;  // never through a proxy
};

class Transfer {
public:
    Transfer(const TransferRequest& request, const StatusSink& sink, bool asynchronous, const Timeouts& limits);
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    bool IsValid() const { return easy_ != nullptr; }
    CURL* Easy() const { return easy_; }

    // The worker's side.
    void OnAdded();
    void OnDone(CURLcode code);
    // Whether the transfer waits for its reader, and whether the reader has asked for it to go on.
    bool IsPaused() const { return paused_.load(); }
    bool ResumeWanted() const { return resumeWanted_.load(); }
    // Whether a pause has ended since the last call (the worker then resumes the transfer).
    bool TakeResume() { return resumeWanted_.exchange(false); }

    // The reader's side. Read answers as InternetReadFile does; resumeNeeded tells the caller to wake the worker,
    // once for each pause that this read ended.
    BOOL Read(void* buffer, DWORD size, DWORD* read, DWORD* error, bool* resumeNeeded);
    // The handle closes: a waiting read is dropped and nothing more is posted (a status already on its way may
    // still arrive: callers tell their requests apart by context).
    void Abandon();
    // The final reply's status code and content length; false until its head has arrived (or, for the length,
    // when it gave none).
    bool StatusCode(long* code);
    bool ContentLength(long long* length);

private:
    struct PendingRead {
        void* buffer = nullptr;
        DWORD size = 0;
        DWORD* read = nullptr;
    };

    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
    static int OnPrerequest(void* self, char* remoteIp, char* localIp, int remotePort, int localPort);
    std::size_t TakeBody(const char* data, std::size_t size);
    // Whether a piece must wait: it pauses the transfer above the limit.
    bool MustPause(std::size_t size);
    // Completes the waiting read, if it can be, and posts its status.
    void CompleteWaitingRead();
    // Posts a status unless the handle has been closed.
    void Tell(DWORD status, const void* information, DWORD length) const;
    void TakeHeaderLine(const std::string& line);
    void EndOfHead();
    std::string RedirectTarget();
    std::size_t Unread() const { return buffered_.Size(); }
    // By whichever side reads: moves up to size bytes out (true in resumeNeeded when that ends a pause).
    DWORD MoveOut(void* buffer, DWORD size, bool* resumeNeeded = nullptr);
    // Under the lock: completes the waiting read with what there is; false when it must wait on.
    bool CompletePending(INTERNET_ASYNC_RESULT* result);

    CURL* easy_ = nullptr;
    curl_slist* headerList_ = nullptr;
    std::string body_;
    StatusSink sink_;
    bool asynchronous_;

    std::mutex lock_;
    std::condition_variable changed_;
    ByteRing buffered_;
    std::atomic<bool> paused_ = false;  // set by the worker, cleared by whichever side sees it first
    std::atomic<bool> resumeWanted_ = false;
    bool finished_ = false;
    std::atomic<bool> abandoned_ = false;  // written under the lock; read without it to drop a status or a piece
    DWORD error_ = 0;
    PendingRead pending_;
    std::atomic<bool> hasPending_ = false;  // written under the lock

    // The final reply's head, once it has arrived: the numbers are written before the flag, and the queries
    // read them without the lock, so a reader that asks once per chunk never waits on the worker.
    std::atomic<bool> headDone_ = false;
    std::atomic<long> finalStatus_ = 0;
    std::atomic<long long> finalLength_ = -1;

    // The head being received (the worker's own).
    long status_ = 0;
    long long contentLength_ = -1;
    std::string location_;
    DWORD headBytes_ = 0;
};

}  // namespace platform::inet
