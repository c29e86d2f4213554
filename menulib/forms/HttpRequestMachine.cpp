// The step-by-step request of the HTTP service: the status callback on the table's thread, and on the menu's
// thread the starts, the polls and the state machine that issues one WinINet call after another until one
// pends.
#include <algorithm>
#include <cstring>

#include "forms/HttpService.h"
#include "forms/HttpStatusChannel.h"
#include "foundation/LocalizedString.h"
#include "front/LibraryFolders.h"

namespace {

LocalizedString ResolvingNameText("Resolving name %s", nullptr, 0);
LocalizedString ResolvedNameText("Resolved name %s", nullptr, 0);
LocalizedString ConnectingText("Connecting to Server %s", nullptr, 0);
LocalizedString ConnectedText("Connected to Server %s", nullptr, 0);
LocalizedString SendingText("Sending Request", nullptr, 0);
LocalizedString SentText("Request Sent", nullptr, 0);
LocalizedString ReceivingText("Receiving Response", nullptr, 0);
LocalizedString ReceivedText("Response Received ( %u Bytes )", nullptr, 0);
LocalizedString ClosingConnectionText("Closing Connection to Server", nullptr, 0);
LocalizedString ConnectionClosedText("Connection Closed", nullptr, 0);
LocalizedString CreatingHandleText("Creating Handle %s", nullptr, 0);
LocalizedString HandleClosingText("Handle Closing", nullptr, 0);
LocalizedString RedirectedText("Redirected to %s", nullptr, 0);

// The text format of each status that sets one, with what it is told: the record's text, its number, or nothing.
enum class Shown {
    Text,
    Number,
    Nothing
};
struct StatusText {
    DWORD code;
    const LocalizedString* format;
    Shown shown;
};
const StatusText kStatusTexts[] = {
    {INTERNET_STATUS_RESOLVING_NAME, &ResolvingNameText, Shown::Text},
    {INTERNET_STATUS_NAME_RESOLVED, &ResolvedNameText, Shown::Text},
    {INTERNET_STATUS_CONNECTING_TO_SERVER, &ConnectingText, Shown::Text},
    {INTERNET_STATUS_CONNECTED_TO_SERVER, &ConnectedText, Shown::Text},
    {INTERNET_STATUS_REDIRECT, &RedirectedText, Shown::Text},
    {INTERNET_STATUS_SENDING_REQUEST, &SendingText, Shown::Nothing},
    {INTERNET_STATUS_REQUEST_SENT, &SentText, Shown::Nothing},
    {INTERNET_STATUS_RECEIVING_RESPONSE, &ReceivingText, Shown::Nothing},
    {INTERNET_STATUS_RESPONSE_RECEIVED, &ReceivedText, Shown::Number},
    {INTERNET_STATUS_CLOSING_CONNECTION, &ClosingConnectionText, Shown::Nothing},
    {INTERNET_STATUS_CONNECTION_CLOSED, &ConnectionClosedText, Shown::Nothing},
    {INTERNET_STATUS_HANDLE_CLOSING, &HandleClosingText, Shown::Nothing},
    {INTERNET_STATUS_REQUEST_COMPLETE, &SentText, Shown::Nothing},
};

void SetStatusText(const HttpStatusRecord& record, CString& text)
{
    if (record.code == INTERNET_STATUS_HANDLE_CREATED) {
        CString handle;
        handle.Format("(%p)", reinterpret_cast<void*>(record.Number()));
        text.Format(CreatingHandleText.GetText().GetText(), handle.GetText());
        return;
    }
    for (const StatusText& entry : kStatusTexts) {
        if (entry.code != record.code) continue;
        const char* format = entry.format->GetText().GetText();
        if (entry.shown == Shown::Text)
            text.Format(format, record.information);
        else if (entry.shown == Shown::Number)
            text.Format(format, static_cast<unsigned>(record.Number()));
        else
            text = format;
        return;
    }
}

// A content length of 0 or beyond what 31 bits hold is treated as unknown.
std::int32_t UsableContentLength(long long length)
{
    return length > 0 && length <= 0x7FFFFFFF ? static_cast<std::int32_t>(length) : -1;
}

}  // namespace

void HttpService::OnInternetStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID information,
                                   DWORD informationLength)
{
    HttpStatusRecord record;
    if (context == 0 || !MakeStatusRecord(status, information, informationLength, &record)) return;
    HttpStatusChannel& channel = GetHttpStatusChannel();
    MutexHold hold(channel.lock);
    if (context != channel.runningTag) return;
    if (status == INTERNET_STATUS_REDIRECT && information) {
        // The target keeps up to the buffer's room, more than the record's text does.
        const std::size_t size = strnlen(static_cast<const char*>(information),
                                         std::min<DWORD>(informationLength, HttpStatusChannel::kRedirectRoom));
        std::memcpy(channel.redirect, information, size);
        channel.redirect[size] = 0;
        ++channel.redirectCount;
    }
    channel.queue.push_back(record);
}

void HttpService::QueryContentLength()
{
    long long length = -1;
    if (QueryNumber(m_request, HTTP_QUERY_CONTENT_LENGTH, &length)) m_contentLength = UsableContentLength(length);
}

// The worker holds the lock only to append a record; a poll that finds it held leaves the records for the next
// poll rather than sleep until the worker lets go (a sleeping thread takes tens of microseconds to wake).
void HttpService::DrainStatusQueue()
{
    HttpStatusChannel& channel = GetHttpStatusChannel();
    if (!channel.lock.TryLock()) return;
    channel.drained.swap(channel.queue);
    channel.lock.Unlock();
    for (const HttpStatusRecord& record : channel.drained) {
        SetStatusText(record, m_statusText);
        if (record.code == INTERNET_STATUS_HANDLE_CREATED && m_handleSlot) {
            *m_handleSlot = reinterpret_cast<HINTERNET>(record.Number());
            m_handleSlot = nullptr;
        }
        if (record.code == INTERNET_STATUS_REQUEST_COMPLETE) {
            QueryContentLength();
            m_completionResult = record.hasInformation ? record.Number() : TRUE;
            m_ready = true;
        }
    }
    channel.drained.clear();
}

bool HttpService::OpenSession()
{
    {
        HttpStatusChannel& channel = GetHttpStatusChannel();
        MutexHold hold(channel.lock);
        channel.redirectCount = 0;
    }
    m_session = m_api->InternetOpenA(GetDLLVersionText().GetText(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr,
                                     INTERNET_FLAG_ASYNC);
    if (!m_session) return false;
    if (m_api->InternetSetStatusCallback(m_session, OnInternetStatus) == INTERNET_INVALID_STATUS_CALLBACK) {
        CloseHandle(m_session);
        return false;
    }
    m_connection = nullptr;
    m_request = nullptr;
    m_handleSlot = nullptr;
    m_statusText.Empty();
    m_ready = true;
    return true;
}

void HttpService::StepHttpRequest(bool cancel)
{
    DrainStatusQueue();
    if (!m_begun && !m_readRecord) {
        if (!m_available || !OpenSession()) {
            m_lastResult = false;
            EndRequest(true);
            return;
        }
    }
    if (!m_ready && !cancel) return;
    if (!m_readRecord) {
        m_readRecord = std::make_unique<ReadRecord>();
        m_lastResult = true;
    }
    if (cancel) {
        m_lastResult = false;
        EndRequest(true);
        return;
    }
    RunStates();
}

void HttpService::RunStates()
{
    bool completed = m_callPending;
    m_callPending = false;
    const std::int32_t startBytes = m_bytesReceived;
    for (;;) {
        const std::int32_t state = m_state;
        const Outcome outcome = RunState(completed);
        completed = false;
        if (outcome == Outcome::Pending) {
            m_callPending = true;
            m_ready = false;
            return;
        }
        if (outcome == Outcome::Failed) m_lastResult = false;
        if (outcome == Outcome::Failed || (state == StateRead && m_state != StateRead)) {
            EndRequest(false);
            return;
        }
        if (m_bytesReceived - startBytes >= kMaxBytesPerPoll) return;
    }
}

HttpService::Outcome HttpService::RunState(bool completed)
{
    switch (m_state) {
    case StateOpenUrl: return OpenUrlState(completed);
    case StateConnect: return ConnectState(completed);
    case StateOpenRequest: return OpenRequestState(completed);
    case StateSendRequest: return SendRequestState(completed);
    case StateKeySize: return KeySizeState(completed);
    case StateCertificate: return CertificateState(completed);
    default: return ReadState(completed);
    }
}

HttpService::Outcome HttpService::PendingOrFailed(HINTERNET* handleSlot)
{
    if (m_api->GetLastError() != ERROR_IO_PENDING) return Outcome::Failed;
    m_handleSlot = handleSlot;
    return Outcome::Pending;
}

bool HttpService::HasSecurityQueries(bool secureOnly) const
{
    return m_api->InternetQueryOptionA && m_security && (!secureOnly || m_secure);
}

// A call that makes a handle: issued, or, when it went pending, its completion with the handle status 60 gave.
template <typename Issue>
HttpService::Outcome HttpService::HandleCall(bool completed, HINTERNET& handle, Issue issue)
{
    if (completed) return m_completionResult && handle ? Outcome::Done : Outcome::Failed;
    handle = issue();
    return handle ? Outcome::Done : PendingOrFailed(&handle);
}

HttpService::Outcome HttpService::OpenUrlState(bool completed)
{
    if (!completed) m_begun = true;
    const Outcome outcome = HandleCall(completed, m_request, [this] {
        return m_api->InternetOpenUrlA(m_session, m_url.GetText(), nullptr, 0, m_openUrlFlags, m_tag);
    });
    if (outcome != Outcome::Done) return outcome;
    m_state = HasSecurityQueries(false) ? StateKeySize : StateRead;
    if (m_state == StateRead) m_lastResult = false;
    return Outcome::Done;
}

HttpService::Outcome HttpService::ConnectState(bool completed)
{
    if (!completed) m_begun = true;
    const Outcome outcome = HandleCall(completed, m_connection, [this] {
        return m_api->InternetConnectA(m_session, m_server.GetText(), m_port, nullptr, nullptr, INTERNET_SERVICE_HTTP,
                                       m_secure ? INTERNET_FLAG_SECURE : 0, m_tag);
    });
    if (outcome == Outcome::Done) m_state = StateOpenRequest;
    return outcome;
}

HttpService::Outcome HttpService::OpenRequestState(bool completed)
{
    const Outcome outcome = HandleCall(completed, m_request, [this] {
        return m_api->HttpOpenRequestA(m_connection, "POST", m_path.GetText(), nullptr, nullptr, kAcceptTypes,
                                       m_secure ? INTERNET_FLAG_SECURE : 0, m_tag);
    });
    if (outcome == Outcome::Done) m_state = StateSendRequest;
    return outcome;
}

HttpService::Outcome HttpService::SendRequestState(bool completed)
{
    if (!completed) {
        if (!m_api->HttpSendRequestA(m_request, kFormContentType, static_cast<DWORD>(std::strlen(kFormContentType)),
                                     const_cast<char*>(m_formData.GetText()),
                                     static_cast<DWORD>(m_formData.GetByteLength())))
            return PendingOrFailed(nullptr);
    } else if (!m_completionResult) {
        return Outcome::Failed;
    }
    m_state = HasSecurityQueries(true) ? StateKeySize : StateRead;
    if (m_state == StateRead) m_lastResult = false;
    return Outcome::Done;
}

// The security queries go on after a failure: the request does not need them.
HttpService::Outcome HttpService::KeySizeState(bool completed)
{
    DWORD length = sizeof m_keySize;
    const bool answered = completed ? m_completionResult != 0
                                    : m_api->InternetQueryOptionA(m_request, INTERNET_OPTION_SECURITY_KEY_BITNESS,
                                                                  &m_keySize, &length) != 0;
    if (!completed && !answered && m_api->GetLastError() == ERROR_IO_PENDING) return PendingOrFailed(nullptr);
    if (answered) m_security->keySize = m_keySize;
    m_state = StateCertificate;
    return Outcome::Done;
}

HttpService::Outcome HttpService::CertificateState(bool completed)
{
    DWORD length = sizeof m_certificate;
    const bool answered = completed
                              ? m_completionResult != 0
                              : m_api->InternetQueryOptionA(m_request, INTERNET_OPTION_SECURITY_CERTIFICATE_STRUCT,
                                                            &m_certificate, &length) != 0;
    if (!completed && !answered && m_api->GetLastError() == ERROR_IO_PENDING) return PendingOrFailed(nullptr);
    if (answered) {
        m_security->subject = m_certificate.subject;
        m_security->issuer = m_certificate.issuer;
    }
    m_state = StateRead;
    m_lastResult = false;
    return Outcome::Done;
}

// One chunk: n > 0 bytes go to the file and the state stays; 0 bytes end the request.
HttpService::Outcome HttpService::ReadState(bool completed)
{
    if (!completed) {
        m_readRecord->bufferLength = 0;
        if (!m_api->InternetReadFile(m_request, m_readRecord->buffer, kReadChunk, &m_readRecord->bufferLength))
            return PendingOrFailed(nullptr);
    } else if (!m_completionResult) {
        return Outcome::Failed;
    }
    const DWORD count = m_readRecord->bufferLength;
    if (count == 0) {
        m_state = StateOpenUrl;
        return Outcome::Done;
    }
    if (count > kReadChunk || (m_bytesReceived == 0 && ReplyFailed(m_request))) return Outcome::Failed;
    if (m_file->Write(m_readRecord->buffer, static_cast<int>(count)) != static_cast<int>(count)) return Outcome::Failed;
    m_bytesReceived += static_cast<std::int32_t>(count);
    m_lastResult = true;
    return Outcome::Done;
}

void HttpService::EndRequest(bool cancelled)
{
    // The handles close first: until then the table may still complete a read into the read record.
    CloseHandle(m_request);
    CloseHandle(m_connection);
    CloseHandle(m_session);
    m_readRecord.reset();
    m_begun = false;
    m_callPending = false;
    m_handleSlot = nullptr;
    HttpStatusChannel& channel = GetHttpStatusChannel();
    CString target;
    int redirects = 0;
    {
        MutexHold hold(channel.lock);
        channel.runningTag = 0;
        channel.queue.clear();
        redirects = channel.redirectCount;
        target = channel.redirect;
    }
    if (m_lastResult || cancelled || m_isRetry || redirects == 0 || !m_file) return;
    // A redirected request that failed is fetched once more, straight from where it was sent, from the start.
    if (m_bytesReceived > 0) {
        m_file->Seek(0);
        m_file->SetSize(0);
    }
    m_isRetry = true;
    BeginGet(target, m_file, m_security);
}

void HttpService::BeginRequest()
{
    m_begun = false;
    m_callPending = false;
    m_bytesReceived = 0;
    m_contentLength = -1;
    HttpStatusChannel& channel = GetHttpStatusChannel();
    {
        MutexHold hold(channel.lock);
        channel.queue.clear();
        channel.runningTag = ++channel.lastTag;
        m_tag = channel.runningTag;
    }
    StepHttpRequest(false);
}

void HttpService::BeginGet(const CString& url, CFile* file, HttpSecurityInfo* security)
{
    m_url = url;
    m_file = file;
    m_security = security;
    m_state = StateOpenUrl;
    m_server.Empty();
    m_path.Empty();
    m_port = 0;
    m_secure = false;
    m_formData.Empty();
    BeginRequest();
}

void HttpService::BeginPost(const char* server, int port, bool secure, const char* path, const CString& data,
                            CFile* file, HttpSecurityInfo* security)
{
    m_server = server;
    m_path = path;
    m_formData = data;
    m_port = static_cast<std::uint16_t>(HttpPortOrDefault(port, secure));
    m_secure = secure;
    m_security = security;
    m_file = file;
    m_state = StateConnect;
    m_url.Empty();
    BeginRequest();
}

bool HttpService::StartGet(const char* url, CFile* file, bool direct, HttpSecurityInfo* security)
{
    CString target(url);
    if (!direct) BuildRedirectURL(target, url);
    if (!m_asynchronous) {
        m_lastResult = FetchURL(target.GetText(), file, true, security);
        return true;
    }
    if (!file || !Poll()) return false;
    m_isRetry = false;
    BeginGet(target, file, security);
    return true;
}

bool HttpService::StartPost(const char* server, int port, bool secure, const char* path, const CString& data,
                            CFile* file, HttpSecurityInfo* security)
{
    if (!m_asynchronous) {
        m_lastResult = PostForm(server, port, secure, path, data, file, security);
        return true;
    }
    if (!file || !Poll()) return false;
    m_isRetry = false;
    BeginPost(server, port, secure, path, data, file, security);
    return true;
}

bool HttpService::Poll()
{
    if (m_readRecord) StepHttpRequest(false);
    return !m_readRecord;
}

void HttpService::StatusText(CString& text) { text = Poll() ? CString("Transfer Complete") : m_statusText; }

void HttpService::Cancel()
{
    if (!Poll()) StepHttpRequest(true);
}
