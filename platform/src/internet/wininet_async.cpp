// The WinINet table over libcurl. Handles are records of this file, checked against the set of open ones before
// use, so a stale or foreign handle is refused rather than followed. Opening a URL and sending a request start
// the transfer at once and succeed; what goes wrong on the way shows at the read, the one call that pends.
#include <ifaddrs.h>
#include <net/if.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "internet/transfer_engine.h"
#include "platform/wininet_async.h"

namespace platform::inet {

namespace {

thread_local DWORD lastError = 0;

BOOL Fail(DWORD error)
{
    lastError = error;
    return FALSE;
}

std::nullptr_t FailHandle(DWORD error)
{
    lastError = error;
    return nullptr;
}

enum class HandleKind {
    Session,
    Connection,
    Request
};

// Every handle keeps the worker running while it is open.
struct Handle {
    explicit Handle(HandleKind k) : kind(k) { TransferEngine::Instance().Retain(); }
    virtual ~Handle() { TransferEngine::Instance().Release(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HandleKind kind;
};

// What a session passes on to the handles made under it.
struct SessionSettings {
    std::string agent;
    bool asynchronous = false;
    bool direct = false;
    INTERNET_STATUS_CALLBACK callback = nullptr;
};

struct Session : Handle {
    Session() : Handle(HandleKind::Session) {}
    SessionSettings settings;
};

struct Connection : Handle {
    Connection() : Handle(HandleKind::Connection) {}
    SessionSettings settings;
    std::string server;
    INTERNET_PORT port = 0;
    bool secure = false;
};

struct Request : Handle {
    Request() : Handle(HandleKind::Request) {}
    bool asynchronous = false;
    TransferRequest request;
    StatusSink sink;
    std::shared_ptr<Transfer> transfer;
};

std::mutex handleLock;
std::set<Handle*>& OpenHandles()
{
    static auto* handles = new std::set<Handle*>;
    return *handles;
}
Timeouts timeouts;

HINTERNET Adopt(std::unique_ptr<Handle> handle)
{
    std::lock_guard<std::mutex> hold(handleLock);
    OpenHandles().insert(handle.get());
    return handle.release();
}

template <typename T>
T* Find(HINTERNET handle, HandleKind kind)
{
    std::lock_guard<std::mutex> hold(handleLock);
    const auto found = OpenHandles().find(static_cast<Handle*>(handle));
    if (found == OpenHandles().end() || (*found)->kind != kind) return nullptr;
    return static_cast<T*>(*found);
}

Timeouts CurrentTimeouts()
{
    std::lock_guard<std::mutex> hold(handleLock);
    return timeouts;
}

// The status 60 of a new handle, told to the session's callback in asynchronous mode.
HINTERNET Created(std::unique_ptr<Handle> handle, const SessionSettings& settings, DWORD_PTR context)
{
    HINTERNET made = Adopt(std::move(handle));
    if (settings.asynchronous)
        StatusSink{settings.callback, made, context}.PostResult(INTERNET_STATUS_HANDLE_CREATED,
                                                                reinterpret_cast<DWORD_PTR>(made), 0);
    return made;
}

// Extra header lines, separated by CR LF; length -1 means up to the terminator.
void AddHeaderLines(LPCSTR headers, DWORD length, std::vector<std::string>* lines)
{
    if (!headers) return;
    const std::string text = length == static_cast<DWORD>(-1) ? std::string(headers) : std::string(headers, length);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (end > start) lines->push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

bool IsHttpUrl(const char* url) { return strncasecmp(url, "http://", 7) == 0 || strncasecmp(url, "https://", 8) == 0; }

BOOL Start(Request* request)
{
    auto transfer =
        std::make_shared<Transfer>(request->request, request->sink, request->asynchronous, CurrentTimeouts());
    if (!transfer->IsValid()) return Fail(ERROR_INTERNET_CANNOT_CONNECT);
    request->transfer = transfer;
    TransferEngine::Instance().Add(transfer);
    return TRUE;
}

BOOL CloseHandle(HINTERNET handle)
{
    std::unique_ptr<Handle> closed;
    {
        std::lock_guard<std::mutex> hold(handleLock);
        const auto found = OpenHandles().find(static_cast<Handle*>(handle));
        if (found == OpenHandles().end()) return Fail(ERROR_INVALID_HANDLE);
        closed.reset(*found);
        OpenHandles().erase(found);
    }
    if (closed->kind != HandleKind::Request) return TRUE;
    const auto* request = static_cast<Request*>(closed.get());
    if (request->transfer) {
        request->transfer->Abandon();
        TransferEngine::Instance().Remove(request->transfer);
    }
    return TRUE;
}

HINTERNET OpenSession(LPCSTR agent, DWORD accessType, LPCSTR, LPCSTR, DWORD flags)
{
    auto session = std::make_unique<Session>();
    session->settings.agent = agent ? agent : "";
    session->settings.asynchronous = (flags & INTERNET_FLAG_ASYNC) != 0;
    session->settings.direct = accessType == INTERNET_OPEN_TYPE_DIRECT;
    return Adopt(std::move(session));
}

INTERNET_STATUS_CALLBACK SetStatusCallback(HINTERNET handle, INTERNET_STATUS_CALLBACK callback)
{
    auto* session = Find<Session>(handle, HandleKind::Session);
    if (!session) {
        lastError = ERROR_INVALID_HANDLE;
        return INTERNET_INVALID_STATUS_CALLBACK;
    }
    const INTERNET_STATUS_CALLBACK previous = session->settings.callback;
    session->settings.callback = callback;
    return previous;
}

HINTERNET OpenUrl(HINTERNET handle, LPCSTR url, LPCSTR headers, DWORD headersLength, DWORD, DWORD_PTR context)
{
    const auto* session = Find<Session>(handle, HandleKind::Session);
    if (!session) return FailHandle(ERROR_INVALID_HANDLE);
    if (!url || !IsHttpUrl(url)) return FailHandle(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    auto request = std::make_unique<Request>();
    request->asynchronous = session->settings.asynchronous;
    request->request.url = url;
    request->request.agent = session->settings.agent;
    request->request.direct = session->settings.direct;
    AddHeaderLines(headers, headersLength, &request->request.headers);
    Request* made = request.get();
    HINTERNET file = Created(std::move(request), session->settings, context);
    made->sink = {session->settings.asynchronous ? session->settings.callback : nullptr, file, context};
    if (Start(made)) return file;
    CloseHandle(file);
    return nullptr;
}

HINTERNET Connect(HINTERNET handle, LPCSTR server, INTERNET_PORT port, LPCSTR, LPCSTR, DWORD service, DWORD flags,
                  DWORD_PTR context)
{
    const auto* session = Find<Session>(handle, HandleKind::Session);
    if (!session) return FailHandle(ERROR_INVALID_HANDLE);
    if (!server || !*server || service != INTERNET_SERVICE_HTTP) return FailHandle(ERROR_INVALID_PARAMETER);
    auto connection = std::make_unique<Connection>();
    connection->settings = session->settings;
    connection->server = server;
    connection->port = port;
    connection->secure = (flags & INTERNET_FLAG_SECURE) != 0;
    return Created(std::move(connection), session->settings, context);
}

std::string AcceptHeader(LPCSTR* types)
{
    std::string header;
    for (; types && *types; ++types) header += (header.empty() ? "Accept: " : ", ") + std::string(*types);
    return header;
}

HINTERNET OpenRequest(HINTERNET handle, LPCSTR verb, LPCSTR path, LPCSTR, LPCSTR referrer, LPCSTR* acceptTypes,
                      DWORD flags, DWORD_PTR context)
{
    const auto* connection = Find<Connection>(handle, HandleKind::Connection);
    if (!connection) return FailHandle(ERROR_INVALID_HANDLE);
    const std::string method = verb && *verb ? verb : "GET";
    if (method.find_first_of(" \r\n") != std::string::npos) return FailHandle(ERROR_INVALID_PARAMETER);
    const bool secure = connection->secure || (flags & INTERNET_FLAG_SECURE) != 0;
    std::string object = path && *path ? path : "/";
    if (object[0] != '/') object.insert(0, "/");
    auto request = std::make_unique<Request>();
    request->asynchronous = connection->settings.asynchronous;
    request->request.url = std::string(secure ? "https://" : "http://") + connection->server + ":" +
                           std::to_string(connection->port) + object;
    request->request.method = method;
    request->request.agent = connection->settings.agent;
    request->request.direct = connection->settings.direct;
    if (const std::string accept = AcceptHeader(acceptTypes); !accept.empty())
        request->request.headers.push_back(accept);
    if (referrer && *referrer) request->request.headers.push_back(std::string("Referer: ") + referrer);
    Request* made = request.get();
    HINTERNET file = Created(std::move(request), connection->settings, context);
    made->sink = {connection->settings.asynchronous ? connection->settings.callback : nullptr, file, context};
    return file;
}

BOOL SendRequest(HINTERNET handle, LPCSTR headers, DWORD headersLength, LPVOID data, DWORD dataLength)
{
    auto* request = Find<Request>(handle, HandleKind::Request);
    if (!request) return Fail(ERROR_INVALID_HANDLE);
    if (request->transfer || (!data && dataLength)) return Fail(ERROR_INVALID_PARAMETER);
    AddHeaderLines(headers, headersLength, &request->request.headers);
    if (data) request->request.body.assign(static_cast<const char*>(data), dataLength);
    return Start(request);
}

BOOL ReadFile(HINTERNET handle, LPVOID buffer, DWORD toRead, LPDWORD read)
{
    auto* request = Find<Request>(handle, HandleKind::Request);
    if (!request || !request->transfer) return Fail(ERROR_INVALID_HANDLE);
    if (!read || (!buffer && toRead)) return Fail(ERROR_INVALID_PARAMETER);
    *read = 0;
    DWORD error = 0;
    bool resume = false;
    const BOOL done = request->transfer->Read(buffer, toRead, read, &error, &resume);
    if (resume) TransferEngine::Instance().Wake();
    return done ? TRUE : Fail(error);
}

// The text of a number into the caller's buffer, with WinINet's two-call protocol: a buffer that is too small
// is told the length the text needs.
BOOL AnswerNumber(long long value, LPVOID buffer, LPDWORD length)
{
    const std::string text = std::to_string(value);
    if (!buffer || *length < text.size() + 1) {
        *length = static_cast<DWORD>(text.size());
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    *length = static_cast<DWORD>(text.size());
    return TRUE;
}

BOOL QueryInfo(HINTERNET handle, DWORD level, LPVOID buffer, LPDWORD length, LPDWORD)
{
    auto* request = Find<Request>(handle, HandleKind::Request);
    if (!request) return Fail(ERROR_INVALID_HANDLE);
    if (!length) return Fail(ERROR_INVALID_PARAMETER);
    long status = 0;
    long long contentLength = 0;
    if (level == HTTP_QUERY_STATUS_CODE && request->transfer && request->transfer->StatusCode(&status))
        return AnswerNumber(status, buffer, length);
    if (level == HTTP_QUERY_CONTENT_LENGTH && request->transfer && request->transfer->ContentLength(&contentLength))
        return AnswerNumber(contentLength, buffer, length);
    return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decoding only: each "%XX" becomes its byte; a "%" without two hexadecimal digits stays as it is.
BOOL Canonicalize(LPCSTR url, LPSTR buffer, LPDWORD length, DWORD flags)
{
    if (!url || !length || !(flags & ICU_DECODE)) return Fail(ERROR_INVALID_PARAMETER);
    std::string decoded;
    for (std::size_t i = 0; url[i]; ++i) {
        const int high = url[i] == '%' ? HexValue(url[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(url[i + 2]) : -1;
        if (low < 0) {
            decoded += url[i];
            continue;
        }
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (!buffer || *length < decoded.size() + 1) {
        *length = static_cast<DWORD>(decoded.size() + 1);
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::memcpy(buffer, decoded.c_str(), decoded.size() + 1);
    *length = static_cast<DWORD>(decoded.size());
    return TRUE;
}

// A network interface other than loopback that is up and running, with an address, is a LAN connection.
BOOL ConnectedState(LPDWORD flags, DWORD)
{
    ifaddrs* interfaces = nullptr;
    bool connected = false;
    if (getifaddrs(&interfaces) == 0) {
        for (const ifaddrs* entry = interfaces; entry && !connected; entry = entry->ifa_next)
            connected = entry->ifa_addr && (entry->ifa_flags & IFF_UP) && (entry->ifa_flags & IFF_RUNNING) &&
                        !(entry->ifa_flags & IFF_LOOPBACK);
        freeifaddrs(interfaces);
    }
    if (flags) *flags = connected ? INTERNET_CONNECTION_LAN : 0;
    return connected ? TRUE : FALSE;
}

DWORD LastError() { return lastError; }

void JoinStoppedWorker() { TransferEngine::Instance().JoinStopped(); }

const Api kCurlApi = {
    .InternetOpenA = OpenSession,
    .InternetOpenUrlA = OpenUrl,
    .InternetReadFile = ReadFile,
    .InternetCloseHandle = CloseHandle,
    .InternetGetConnectedState = ConnectedState,
    .InternetAutodial = nullptr,
    .InternetConnectA = Connect,
    .HttpOpenRequestA = OpenRequest,
    .HttpSendRequestA = SendRequest,
    .HttpQueryInfoA = QueryInfo,
    .InternetCanonicalizeUrlA = Canonicalize,
    .InternetQueryOptionA = nullptr,
    .InternetSetStatusCallback = SetStatusCallback,
    .hasReadFileEx = false,
    .GetLastError = LastError,
    .JoinStoppedWorker = JoinStoppedWorker,
};

}  // namespace

const Api* Load() { return &kCurlApi; }

void SetTimeouts(const Timeouts& limits)
{
    std::lock_guard<std::mutex> hold(handleLock);
    timeouts = limits;
}

}  // namespace platform::inet
