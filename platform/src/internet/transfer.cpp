#include "internet/transfer.h"

#include "internet/curl_options.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::inet {

namespace {

DWORD ErrorOf(CURLcode code)
{
    switch (code) {
    case CURLE_OK: return 0;
    case CURLE_OPERATION_TIMEDOUT: return ERROR_INTERNET_TIMEOUT;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT: return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT: return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM: return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    default: return ERROR_INTERNET_CONNECTION_RESET;
    }
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const std::size_t n = std::strlen(prefix);
    return text.size() >= n && strncasecmp(text.c_str(), prefix, n) == 0;
}

std::string ValueAfterColon(const std::string& line)
{
    std::size_t start = line.find(':') + 1;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    std::size_t end = line.size();
    while (end > start && (line[end - 1] == '\r' || line[end - 1] == '\n' || line[end - 1] == ' ')) --end;
    return line.substr(start, end - start);
}

// A length of decimal digits only; anything else is no length.
long long ParseLength(const std::string& text)
{
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::strtoll(text.c_str(), nullptr, 10);
}

// libcurl hands the body over in pieces of at most CURL_MAX_WRITE_SIZE, so the unread data fits in the limit
// plus one piece. It receives from the socket in reads of the limit's size: fewer calls into the kernel, each
// worth more.
constexpr std::size_t kRingBytes = kBufferedBytesLimit + CURL_MAX_WRITE_SIZE;
constexpr long kReceiveBytes = kBufferedBytesLimit;
// A paused transfer resumes once only this much is left unread: each wake-up of the worker costs the reader more
// than the bytes it frees, so each pause lets three quarters of the limit go first, and the worker still has a
// quarter's worth of reading ahead of the reader while it wakes.
constexpr std::size_t kResumeBelow = kBufferedBytesLimit / 4;

}  // namespace

void StatusSink::Post(DWORD status, const void* information, DWORD length) const
{
    if (callback) callback(handle, context, status, const_cast<void*>(information), length);
}

void StatusSink::PostResult(DWORD status, DWORD_PTR result, DWORD error) const
{
    const INTERNET_ASYNC_RESULT record{result, error};
    Post(status, &record, sizeof record);
}

Transfer::Transfer(const TransferRequest& request, const StatusSink& sink, bool asynchronous, const Timeouts& limits)
    : body_(request.body), sink_(sink), asynchronous_(asynchronous), buffered_(kRingBytes)
{
    easy_ = curl_easy_init();
    if (!easy_) return;
    SetRequestBasics(easy_, request.url.c_str(), limits.connectMs);
    curl_easy_setopt(easy_, CURLOPT_PRIVATE, this);
    curl_easy_setopt(easy_, CURLOPT_BUFFERSIZE, kReceiveBytes);
    // Paused time does not count: a transfer waits as long as its reader does.
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, limits.idleSeconds);
    // The machine's own addresses never go through a proxy; a direct session uses none at all.
    curl_easy_setopt(easy_, CURLOPT_NOPROXY, request.direct ? "*" : "localhost,127.0.0.1,::1");
    if (!request.agent.empty()) curl_easy_setopt(easy_, CURLOPT_USERAGENT, request.agent.c_str());
    for (const std::string& header : request.headers) headerList_ = curl_slist_append(headerList_, header.c_str());
    if (headerList_) curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headerList_);
    if (request.method == "POST") {
        curl_easy_setopt(easy_, CURLOPT_POST, 1L);
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDS, body_.data());
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body_.size()));
    } else if (request.method != "GET") {
        curl_easy_setopt(easy_, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    }
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, OnPrerequest);
    curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);
}

Transfer::~Transfer()
{
    if (easy_) curl_easy_cleanup(easy_);
    curl_slist_free_all(headerList_);
}

void Transfer::OnAdded()
{
    char* host = nullptr;
    CURLU* url = curl_url();
    char* effective = nullptr;
    curl_easy_getinfo(easy_, CURLINFO_EFFECTIVE_URL, &effective);
    if (url && effective && curl_url_set(url, CURLUPART_URL, effective, 0) == CURLUE_OK)
        curl_url_get(url, CURLUPART_HOST, &host, 0);
    const std::string name = host ? host : "";
    curl_free(host);
    curl_url_cleanup(url);
    Tell(INTERNET_STATUS_CONNECTING_TO_SERVER, name.c_str(), static_cast<DWORD>(name.size() + 1));
}

void Transfer::Tell(DWORD status, const void* information, DWORD length) const
{
    if (!abandoned_.load(std::memory_order_acquire)) sink_.Post(status, information, length);
}

int Transfer::OnPrerequest(void* self, char* remoteIp, char*, int, int)
{
    const auto* transfer = static_cast<Transfer*>(self);
    transfer->Tell(INTERNET_STATUS_CONNECTED_TO_SERVER, remoteIp, static_cast<DWORD>(std::strlen(remoteIp) + 1));
    transfer->Tell(INTERNET_STATUS_SENDING_REQUEST, nullptr, 0);
    return CURL_PREREQFUNC_OK;
}

std::size_t Transfer::OnHeader(char* data, std::size_t size, std::size_t count, void* self)
{
    auto* transfer = static_cast<Transfer*>(self);
    transfer->TakeHeaderLine(std::string(data, size * count));
    return size * count;
}

void Transfer::TakeHeaderLine(const std::string& line)
{
    headBytes_ += static_cast<DWORD>(line.size());
    if (StartsWithNoCase(line, "HTTP/")) {
        const std::size_t space = line.find(' ');
        status_ = space == std::string::npos ? 0 : std::strtol(line.c_str() + space + 1, nullptr, 10);
        contentLength_ = -1;
        location_.clear();
        headBytes_ = static_cast<DWORD>(line.size());
        Tell(INTERNET_STATUS_RECEIVING_RESPONSE, nullptr, 0);
    } else if (StartsWithNoCase(line, "Content-Length:")) {
        contentLength_ = ParseLength(ValueAfterColon(line));
    } else if (StartsWithNoCase(line, "Location:")) {
        location_ = ValueAfterColon(line);
    } else if (line == "\r\n" || line == "\n") {
        EndOfHead();
    }
}

// A head ends: an interim reply (1xx) is skipped, a redirect that will be followed is told with its target, and
// the final reply's head becomes what the queries answer.
void Transfer::EndOfHead()
{
    if (status_ >= 100 && status_ < 200) return;
    if (status_ >= 300 && status_ < 400 && !location_.empty()) {
        const std::string target = RedirectTarget();
        Tell(INTERNET_STATUS_REDIRECT, target.c_str(), static_cast<DWORD>(target.size() + 1));
        return;
    }
    finalStatus_.store(status_, std::memory_order_relaxed);
    finalLength_.store(contentLength_, std::memory_order_relaxed);
    headDone_.store(true, std::memory_order_release);
    Tell(INTERNET_STATUS_RESPONSE_RECEIVED, &headBytes_, sizeof headBytes_);
}

std::string Transfer::RedirectTarget()
{
    char* effective = nullptr;
    curl_easy_getinfo(easy_, CURLINFO_EFFECTIVE_URL, &effective);
    CURLU* url = curl_url();
    char* resolved = nullptr;
    if (url && effective && curl_url_set(url, CURLUPART_URL, effective, 0) == CURLUE_OK &&
        curl_url_set(url, CURLUPART_URL, location_.c_str(), 0) == CURLUE_OK)
        curl_url_get(url, CURLUPART_URL, &resolved, 0);
    std::string target = resolved ? resolved : location_;
    curl_free(resolved);
    curl_url_cleanup(url);
    return target;
}

std::size_t Transfer::OnBody(char* data, std::size_t size, std::size_t count, void* self)
{
    return static_cast<Transfer*>(self)->TakeBody(data, size * count);
}

std::size_t Transfer::TakeBody(const char* data, std::size_t size)
{
    if (abandoned_.load()) return size;
    // A piece that could never fit ends the transfer rather than pausing it for good.
    if (size > kRingBytes) return 0;
    if (MustPause(size)) return CURL_WRITEFUNC_PAUSE;
    buffered_.Put(data, size);
    if (!asynchronous_) {
        // A blocking reader looks at the ring under the lock before it sleeps; passing the lock once means it
        // either saw these bytes or is asleep for the call below.
        {
            std::lock_guard<std::mutex> hold(lock_);
        }
        changed_.notify_all();
    }
    // Looked at after the bytes were published: a reader that starts waiting meanwhile looks at them again.
    if (hasPending_.load()) CompleteWaitingRead();
    return size;
}

bool Transfer::MustPause(std::size_t size)
{
    if (buffered_.Size() < kBufferedBytesLimit && size <= buffered_.Room()) return false;
    paused_.store(true);
    // The reader may have taken enough to resume the transfer before it could see the pause; then whichever side
    // clears the flag goes on (here: the piece is taken after all).
    const std::size_t unread = buffered_.Size();
    return unread >= kResumeBelow || size > kRingBytes - unread || !paused_.exchange(false);
}

void Transfer::OnDone(CURLcode code)
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        finished_ = true;
        error_ = ErrorOf(code);
    }
    if (!asynchronous_) changed_.notify_all();
    CompleteWaitingRead();
}

void Transfer::CompleteWaitingRead()
{
    INTERNET_ASYNC_RESULT result{};
    bool completed = false;
    {
        std::lock_guard<std::mutex> hold(lock_);
        completed = !abandoned_ && CompletePending(&result);
    }
    if (completed) sink_.PostResult(INTERNET_STATUS_REQUEST_COMPLETE, result.dwResult, result.dwError);
}

// The waiting read is the worker's to fill: the reader does not touch the ring until it is told.
bool Transfer::CompletePending(INTERNET_ASYNC_RESULT* result)
{
    if (!hasPending_ || (Unread() == 0 && !finished_)) return false;
    hasPending_ = false;
    if (Unread() > 0 || error_ == 0) {
        *pending_.read = MoveOut(pending_.buffer, pending_.size);
        *result = {TRUE, 0};
    } else {
        *result = {FALSE, error_};
    }
    return true;
}

DWORD Transfer::MoveOut(void* buffer, DWORD size, bool* resumeNeeded)
{
    const std::size_t count = buffered_.Take(static_cast<char*>(buffer), size);
    if (paused_.load() && Unread() < kResumeBelow && paused_.exchange(false)) {
        resumeWanted_ = true;
        if (resumeNeeded) *resumeNeeded = true;
    }
    return static_cast<DWORD>(count);
}

BOOL Transfer::Read(void* buffer, DWORD size, DWORD* read, DWORD* error, bool* resumeNeeded)
{
    *resumeNeeded = false;
    // Data waiting is taken without the lock: neither side ever waits for the other while bytes flow.
    if (asynchronous_ && !hasPending_.load() && Unread() > 0) {
        *read = MoveOut(buffer, size, resumeNeeded);
        return TRUE;
    }
    std::unique_lock<std::mutex> hold(lock_);
    if (!asynchronous_) changed_.wait(hold, [this] { return Unread() > 0 || finished_; });
    if (Unread() > 0 || (finished_ && error_ == 0)) {
        *read = MoveOut(buffer, size, resumeNeeded);
        return TRUE;
    }
    if (finished_) {
        *error = error_;
        return FALSE;
    }
    if (hasPending_) {
        *error = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    pending_ = {buffer, size, read};
    hasPending_.store(true);
    // Bytes published before the worker could see the waiting read are taken here.
    if (Unread() > 0) {
        hasPending_.store(false);
        *read = MoveOut(buffer, size, resumeNeeded);
        return TRUE;
    }
    *error = ERROR_IO_PENDING;
    return FALSE;
}

void Transfer::Abandon()
{
    std::lock_guard<std::mutex> hold(lock_);
    abandoned_ = true;
    hasPending_ = false;
}

bool Transfer::StatusCode(long* code)
{
    if (!headDone_.load(std::memory_order_acquire)) return false;
    *code = finalStatus_.load(std::memory_order_relaxed);
    return true;
}

bool Transfer::ContentLength(long long* length)
{
    if (!headDone_.load(std::memory_order_acquire)) return false;
    const long long known = finalLength_.load(std::memory_order_relaxed);
    if (known < 0) return false;
    *length = known;
    return true;
}

}  // namespace platform::inet
