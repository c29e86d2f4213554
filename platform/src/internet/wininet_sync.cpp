// The synchronous WinINet calls on libcurl's easy interface. Handles are records of this file, checked against
// the set of open ones before use, so a stale or foreign handle is refused rather than followed.
#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "internet/curl_options.h"
#include "platform/wininet.h"

namespace {

struct InternetHandle {
    bool isSession = false;
    std::string reply;
    std::size_t readPosition = 0;
};

std::mutex handleLock;
std::set<InternetHandle*>& OpenHandles()
{
    static std::set<InternetHandle*> handles;
    return handles;
}
platform::InternetTimeouts timeouts;

HINTERNET Adopt(std::unique_ptr<InternetHandle> handle)
{
    std::lock_guard<std::mutex> hold(handleLock);
    OpenHandles().insert(handle.get());
    return handle.release();
}

InternetHandle* Find(HINTERNET handle)
{
    std::lock_guard<std::mutex> hold(handleLock);
    const auto found = OpenHandles().find(static_cast<InternetHandle*>(handle));
    return found == OpenHandles().end() ? nullptr : *found;
}

void EnsureCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyCloser {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

// Keeps the reply up to the cap; returning less than offered ends the transfer there.
std::size_t Collect(char* data, std::size_t size, std::size_t count, void* target)
{
    auto* reply = static_cast<std::string*>(target);
    const std::size_t offered = size * count;
    const std::size_t room =
        platform::kInternetMaxReplyBytes - std::min<std::size_t>(reply->size(), platform::kInternetMaxReplyBytes);
    reply->append(data, std::min(offered, room));
    return offered <= room ? offered : 0;
}

bool IsHttpUrl(const char* url)
{
    return std::strncmp(url, "http://", 7) == 0 || std::strncmp(url, "https://", 8) == 0;
}

// The whole GET; false when no reply came (the reply cut at the cap still counts as one).
bool Fetch(const char* url, std::string* reply)
{
    EnsureCurl();
    std::unique_ptr<CURL, EasyCloser> easy(curl_easy_init());
    if (!easy) return false;
    platform::InternetTimeouts limits;
    {
        std::lock_guard<std::mutex> hold(handleLock);
        limits = timeouts;
    }
    CURL* e = easy.get();
    platform::inet::SetRequestBasics(e, url, limits.connectMs);
    curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, limits.totalMs);
    // The machine's own addresses are never sent through a proxy.
    curl_easy_setopt(e, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, reply);
    const CURLcode result = curl_easy_perform(e);
    return result == CURLE_OK || (result == CURLE_WRITE_ERROR && reply->size() == platform::kInternetMaxReplyBytes);
}

}  // namespace

DWORD InternetAttemptConnect(DWORD) { return 0; }

HINTERNET InternetOpenA(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD)
{
    auto session = std::make_unique<InternetHandle>();
    session->isSession = true;
    return Adopt(std::move(session));
}

HINTERNET InternetOpenUrlA(HINTERNET session, LPCSTR url, LPCSTR, DWORD, DWORD, DWORD_PTR)
{
    const InternetHandle* owner = Find(session);
    if (!owner || !owner->isSession || !url || !IsHttpUrl(url)) return nullptr;
    auto file = std::make_unique<InternetHandle>();
    if (!Fetch(url, &file->reply)) return nullptr;
    return Adopt(std::move(file));
}

BOOL InternetReadFile(HINTERNET handle, LPVOID buffer, DWORD toRead, LPDWORD read)
{
    if (read) *read = 0;
    // Held while reading, so that a close on another thread waits for the read to end.
    std::lock_guard<std::mutex> hold(handleLock);
    const auto found = OpenHandles().find(static_cast<InternetHandle*>(handle));
    InternetHandle* file = found == OpenHandles().end() ? nullptr : *found;
    if (!file || file->isSession || !read || (!buffer && toRead)) return FALSE;
    const std::size_t count = std::min<std::size_t>(toRead, file->reply.size() - file->readPosition);
    if (count) std::memcpy(buffer, file->reply.data() + file->readPosition, count);
    file->readPosition += count;
    *read = static_cast<DWORD>(count);
    return TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle)
{
    std::unique_ptr<InternetHandle> closed;
    std::lock_guard<std::mutex> hold(handleLock);
    const auto found = OpenHandles().find(static_cast<InternetHandle*>(handle));
    if (found == OpenHandles().end()) return FALSE;
    closed.reset(*found);
    OpenHandles().erase(found);
    return TRUE;
}

namespace platform {

void SetInternetTimeouts(const InternetTimeouts& limits)
{
    std::lock_guard<std::mutex> hold(handleLock);
    timeouts = limits;
}

InternetTimeouts GetInternetTimeouts()
{
    std::lock_guard<std::mutex> hold(handleLock);
    return timeouts;
}

}  // namespace platform
