#include "forms/HttpService.h"

#include <cstdlib>
#include <cstring>

#include "forms/HttpStatusChannel.h"
#include "foundation/HostWindow.h"
#include "foundation/LocalizedString.h"
#include "foundation/ProcessWide.h"
#include "front/LibraryFolders.h"

namespace {

// The base of redirect URLs: the portal's redirect script, which the deployment sets through the translation.
LocalizedString RedirectUrlBase("http://arcade.tollarine.example/cgi-bin/redirect?", "ReDirect Url", 1);

struct ConnectionWord {
    DWORD flag;
    const char* text;
};
const ConnectionWord kConnectionWords[] = {
    {INTERNET_CONNECTION_MODEM, "Modem Connection "},
    {INTERNET_CONNECTION_LAN, "LAN Connection "},
    {INTERNET_CONNECTION_PROXY, "Proxy Connection "},
    {INTERNET_CONNECTION_MODEM_BUSY, "Modem Busy "},
};

bool HasRequiredEntries(const platform::inet::Api& api)
{
    return api.InternetOpenA && api.InternetOpenUrlA && api.InternetReadFile && api.InternetCloseHandle &&
           api.InternetConnectA && api.HttpOpenRequestA && api.HttpSendRequestA && api.InternetCanonicalizeUrlA &&
           api.InternetSetStatusCallback && api.GetLastError;
}

bool IsKeptByEscape(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte == '_';
}

HttpService*& ProcessService()
{
    static HttpService* service = nullptr;
    return service;
}

}  // namespace

const char* const HttpService::kFormContentType = "Content-Type: application/x-www-form-urlencoded";
// One accepted type, which the table sends as the header "Accept: */*".
LPCSTR HttpService::kAcceptTypes[] = {"*/*", nullptr};

int HttpPortOrDefault(int port, bool secure)
{
    if (port != -1) return port;
    return secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
}

HttpService::HttpService(const platform::inet::Api* api) : m_api(api)
{
    if (!api) return;
    m_available = HasRequiredEntries(*api);
    m_readEx = api->hasReadFileEx;
    m_asynchronous = true;
    m_openUrlFlags =
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | (m_readEx ? INTERNET_FLAG_PRAGMA_NOCACHE : 0);
}

HttpService::~HttpService() { ShutDown(); }

void HttpService::ShutDown()
{
    Cancel();
    if (m_api && m_api->JoinStoppedWorker) m_api->JoinStoppedWorker();
}

bool HttpService::IsAvailable() { return m_available; }

bool HttpService::GetConnectedState(bool* connected, CString* description)
{
    if (!m_available || !m_api->InternetGetConnectedState) return false;
    DWORD flags = 0;
    *connected = m_api->InternetGetConnectedState(&flags, 0) != 0;
    if (!description) return true;
    description->Empty();
    for (const ConnectionWord& word : kConnectionWords)
        if (flags & word.flag) description->Append(word.text);
    return true;
}

bool HttpService::NeedsDial()
{
    if (!m_available || !m_api->InternetAutodial) return false;
    bool connected = false;
    return !GetConnectedState(&connected, nullptr) || !connected;
}

bool HttpService::AutoDial()
{
    if (!m_available || !m_api->InternetAutodial) return false;
    ActivateDesktop();
    return m_api->InternetAutodial(0, nullptr) != 0;
}

void HttpService::CloseHandle(HINTERNET& handle)
{
    if (handle) m_api->InternetCloseHandle(handle);
    handle = nullptr;
}

bool HttpService::QueryNumber(HINTERNET request, DWORD level, long long* value)
{
    if (!m_api->HttpQueryInfoA || !request) return false;
    DWORD length = 0;
    if (m_api->HttpQueryInfoA(request, level, nullptr, &length, nullptr) ||
        m_api->GetLastError() != ERROR_INSUFFICIENT_BUFFER || length > 64)
        return false;
    char text[66] = {};
    DWORD room = length + 1;
    if (!m_api->HttpQueryInfoA(request, level, text, &room, nullptr)) return false;
    text[length] = 0;
    char* end = nullptr;
    *value = std::strtoll(text, &end, 10);
    return end != text && *end == 0;
}

// An HTTP status of 400 or above is a failed request, whatever page came with it.
bool HttpService::ReplyFailed(HINTERNET request)
{
    long long status = 0;
    return QueryNumber(request, HTTP_QUERY_STATUS_CODE, &status) && status >= 400;
}

bool HttpService::ReadResponse(HINTERNET request, CFile* file)
{
    char buffer[kReadChunk];
    for (bool first = true;; first = false) {
        DWORD read = 0;
        if (!m_api->InternetReadFile(request, buffer, kReadChunk, &read)) return false;
        if (read == 0) return !ReplyFailed(request);
        if (first && ReplyFailed(request)) return false;
        if (file->Write(buffer, static_cast<int>(read)) != static_cast<int>(read)) return false;
    }
}

void HttpService::QuerySecurity(HINTERNET request, HttpSecurityInfo* security)
{
    if (!security) return;
    security->keySize = 0;
    security->subject.Empty();
    security->issuer.Empty();
    if (!m_api->InternetQueryOptionA) return;
    DWORD keySize = 0;
    DWORD length = sizeof keySize;
    if (m_api->InternetQueryOptionA(request, INTERNET_OPTION_SECURITY_KEY_BITNESS, &keySize, &length))
        security->keySize = keySize;
    HttpCertificateInfo certificate{};
    length = sizeof certificate;
    if (m_api->InternetQueryOptionA(request, INTERNET_OPTION_SECURITY_CERTIFICATE_STRUCT, &certificate, &length)) {
        security->subject = certificate.subject;
        security->issuer = certificate.issuer;
    }
}

bool HttpService::FetchURL(const char* url, CFile* file, bool direct, HttpSecurityInfo* security)
{
    CString target(url);
    if (!direct) BuildRedirectURL(target, url);
    if (!m_available || !file) return false;
    HINTERNET session =
        m_api->InternetOpenA(GetDLLVersionText().GetText(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return false;
    HINTERNET request = m_api->InternetOpenUrlA(session, target.GetText(), nullptr, 0, 0, 0);
    bool result = false;
    if (request) {
        QuerySecurity(request, security);
        result = ReadResponse(request, file);
    }
    CloseHandle(request);
    CloseHandle(session);
    return result;
}

bool HttpService::PostForm(const char* server, int port, bool secure, const char* path, const CString& data,
                           CFile* file, HttpSecurityInfo* security)
{
    port = HttpPortOrDefault(port, secure);
    if (!m_available || !file) return false;
    HINTERNET session =
        m_api->InternetOpenA(GetDLLVersionText().GetText(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET connection = session ? m_api->InternetConnectA(session, server, static_cast<INTERNET_PORT>(port), nullptr,
                                                             nullptr, INTERNET_SERVICE_HTTP, 0, 1)
                                   : nullptr;
    HINTERNET request = connection ? m_api->HttpOpenRequestA(connection, "POST", path, nullptr, nullptr, kAcceptTypes,
                                                             secure ? INTERNET_FLAG_SECURE : 0, 0)
                                   : nullptr;
    bool result = false;
    if (request &&
        m_api->HttpSendRequestA(request, kFormContentType, static_cast<DWORD>(std::strlen(kFormContentType)),
                                const_cast<char*>(data.GetText()), static_cast<DWORD>(data.GetByteLength()))) {
        QuerySecurity(request, security);
        result = ReadResponse(request, file);
    }
    CloseHandle(request);
    CloseHandle(connection);
    CloseHandle(session);
    return result;
}

bool HttpService::LastResult() { return m_lastResult; }
bool HttpService::HasReadFileEx() { return m_readEx; }
std::int32_t HttpService::GetContentLength() { return m_contentLength; }
std::int32_t HttpService::GetBytesReceived() { return m_bytesReceived; }

void HttpService::AppendFormField(CString& form, const char* name, const char* value)
{
    if (!m_api || !m_api->InternetCanonicalizeUrlA) return;
    if (form.IsNotEmpty()) form.Append('&');
    form.Append(name ? name : "");
    form.Append('=');
    CString escaped;
    EscapeText(escaped, value);
    form.Append(escaped);
}

void HttpService::DecodeURL(CString& out, const char* text)
{
    out.Empty();
    if (!m_api || !m_api->InternetCanonicalizeUrlA || !text) return;
    // A decoded text is never longer than the text itself.
    DWORD room = static_cast<DWORD>(std::strlen(text) * 3 + 1);
    char* buffer = out.GetBufferDiscard(static_cast<int>(room));
    const bool decoded = m_api->InternetCanonicalizeUrlA(text, buffer, &room, ICU_DECODE | ICU_NO_ENCODE);
    out.ReleaseBuffer(decoded ? static_cast<int>(room) : 0);
}

void HttpService::EscapeBytes(CString& out, const void* bytes, int length)
{
    static const char kHex[] = "0123456789ABCDEF";
    out.Empty();
    out.Reserve(length * 3);
    const auto* input = static_cast<const unsigned char*>(bytes);
    for (int i = 0; i < length; ++i) {
        const unsigned char byte = input[i];
        if (IsKeptByEscape(byte)) {
            out.Append(static_cast<char>(byte));
        } else if (byte == ' ') {
            out.Append('+');
        } else {
            const char escaped[] = {'%', kHex[byte >> 4], kHex[byte & 15], 0};
            out.Append(escaped);
        }
    }
}

void HttpService::EscapeText(CString& out, const char* text)
{
    EscapeBytes(out, text ? text : "", text ? static_cast<int>(std::strlen(text)) : 0);
}

void HttpService::BuildRedirectURL(CString& out, const char* url)
{
    CString escaped;
    EscapeText(escaped, url);
    CString result;
    result.Format("%sdest_url=%s&handel=%s", RedirectUrlBase.GetText().GetText(), escaped.GetText(), "");
    out = result;
}

HttpService* GetHttpService()
{
    HttpStatusChannel& channel = GetHttpStatusChannel();
    MutexHold hold(channel.lock);
    HttpService*& service = ProcessService();
    if (!service) {
        service = new HttpService(platform::inet::Load());
        KeepUntilUnload(
            ReleaseStage::Objects, [](void*) { ReplaceHttpService(nullptr); }, nullptr);
    }
    return service;
}

void ReplaceHttpService(std::unique_ptr<HttpService> replacement)
{
    HttpService*& service = ProcessService();
    delete service;
    service = replacement.release();
}

void ShutDownHttpService()
{
    if (HttpService* service = ProcessService()) service->ShutDown();
}
