// The menu library's one HTTP client: blocking and step-by-step GET of a URL into a file, POST of a form string,
// the status text a page shows meanwhile, the connection state, and the escaping of form fields and redirect
// URLs. It binds the WinINet table of the platform at run time; the table's worker thread only queues status
// records (OnInternetStatus), and the menu's thread advances the request each time it polls.
#pragma once
#include <cstdint>
#include <memory>

#include "foundation/CFile.h"
#include "foundation/CString.h"
#include "platform/wininet_async.h"

// Filled for callers that ask for it, when the WinINet table can tell.
struct HttpSecurityInfo {
    std::uint32_t keySize = 0;
    CString subject;
    CString issuer;
};

// The certificate record of the security query (INTERNET_CERTIFICATE_INFOA); its texts stay the table's.
struct HttpCertificateInfo {
    FILETIME expiry;
    FILETIME start;
    LPSTR subject;
    LPSTR issuer;
    LPSTR protocol;
    LPSTR signatureAlgorithm;
    LPSTR encryptionAlgorithm;
    DWORD keySize;
};

class HttpService {
public:
    // A null table is a missing module: nothing is available and every start takes the blocking path.
    explicit HttpService(const platform::inet::Api* api);
    // Shuts down (below).
    virtual ~HttpService();
    HttpService(const HttpService&) = delete;
    HttpService& operator=(const HttpService&) = delete;

    virtual bool IsAvailable();
    virtual bool GetConnectedState(bool* connected, CString* description);
    virtual bool NeedsDial();
    virtual bool AutoDial();
    virtual bool FetchURL(const char* url, CFile* file, bool direct, HttpSecurityInfo* security);
    virtual bool PostForm(const char* server, int port, bool secure, const char* path, const CString& data, CFile* file,
                          HttpSecurityInfo* security);
    // Start a step-by-step request; false when it was refused because another one runs. Without the module
    // the request runs blocking here, and its result is the last result.
    virtual bool StartGet(const char* url, CFile* file, bool direct, HttpSecurityInfo* security);
    virtual bool StartPost(const char* server, int port, bool secure, const char* path, const CString& data,
                           CFile* file, HttpSecurityInfo* security);
    // Advances the running request; true when none is in progress afterwards.
    virtual bool Poll();
    virtual void StatusText(CString& text);
    // Ends the running request with last result false; a cancelled request is never retried.
    virtual void Cancel();
    virtual bool LastResult();
    // "&" (unless the form string is empty), the name, "=" and the escaped value.
    virtual void AppendFormField(CString& form, const char* name, const char* value);
    virtual bool HasReadFileEx();
    virtual std::int32_t GetContentLength();
    virtual std::int32_t GetBytesReceived();
    virtual void BuildRedirectURL(CString& out, const char* url);
    virtual void EscapeBytes(CString& out, const void* bytes, int length);
    virtual void EscapeText(CString& out, const char* text);
    virtual void DecodeURL(CString& out, const char* text);

    // Cancels a running request, closes its handles and waits for the table's worker to have ended. A request
    // that ends by itself closes its handles without waiting, so that no poll waits for the worker.
    void ShutDown();

    // The table's status callback: queues a record of the running request, on the table's thread.
    static void OnInternetStatus(HINTERNET handle, DWORD_PTR context, DWORD status, LPVOID information,
                                 DWORD informationLength);

    // The request states.
    enum RequestState : std::int32_t {
        StateOpenUrl = 0,
        StateConnect = 1,
        StateOpenRequest = 2,
        StateSendRequest = 3,
        StateKeySize = 4,
        StateCertificate = 5,
        StateRead = 6,
    };
    // Bytes the reader takes in one call, and at most in one poll, so that a poll stays short.
    static constexpr DWORD kReadChunk = 1024;
    static constexpr std::int32_t kMaxBytesPerPoll = 128 * 1024;
    static const char* const kFormContentType;
    static LPCSTR kAcceptTypes[];

private:
    enum class Outcome {
        Done,
        Pending,
        Failed
    };
    struct ReadRecord {
        char buffer[kReadChunk + 1];
        DWORD bufferLength = 0;
    };

    void StepHttpRequest(bool cancel);
    bool OpenSession();
    void DrainStatusQueue();
    void RunStates();
    Outcome RunState(bool completed);
    Outcome OpenUrlState(bool completed);
    Outcome ConnectState(bool completed);
    Outcome OpenRequestState(bool completed);
    Outcome SendRequestState(bool completed);
    Outcome KeySizeState(bool completed);
    Outcome CertificateState(bool completed);
    Outcome ReadState(bool completed);
    template <typename Issue>
    Outcome HandleCall(bool completed, HINTERNET& handle, Issue issue);
    // The outcome of a call that returned false: pending (with the handle it will fill) or failed.
    Outcome PendingOrFailed(HINTERNET* handleSlot);
    void EndRequest(bool cancelled);
    void BeginGet(const CString& url, CFile* file, HttpSecurityInfo* security);
    void BeginPost(const char* server, int port, bool secure, const char* path, const CString& data, CFile* file,
                   HttpSecurityInfo* security);
    void BeginRequest();
    void QueryContentLength();
    bool QueryNumber(HINTERNET request, DWORD level, long long* value);
    bool ReplyFailed(HINTERNET request);
    bool ReadResponse(HINTERNET request, CFile* file);
    void QuerySecurity(HINTERNET request, HttpSecurityInfo* security);
    void CloseHandle(HINTERNET& handle);
    bool HasSecurityQueries(bool secureOnly) const;

    const platform::inet::Api* m_api;
    bool m_available = false;
    bool m_readEx = false;
    bool m_asynchronous = false;
    std::int32_t m_state = StateOpenUrl;
    CString m_url;
    CString m_server;
    CString m_path;
    std::uint16_t m_port = 0;
    bool m_secure = false;
    CString m_formData;
    bool m_begun = false;
    HINTERNET m_session = nullptr;
    HINTERNET m_connection = nullptr;
    HINTERNET m_request = nullptr;
    HINTERNET* m_handleSlot = nullptr;
    std::unique_ptr<ReadRecord> m_readRecord;
    DWORD m_keySize = 0;
    HttpCertificateInfo m_certificate{};
    CString m_statusText;
    bool m_ready = false;
    // A call went pending; its completion (status 100) brought this result: its handle, or TRUE/FALSE.
    bool m_callPending = false;
    DWORD_PTR m_completionResult = 0;
    CFile* m_file = nullptr;
    HttpSecurityInfo* m_security = nullptr;
    bool m_lastResult = false;
    // This request is the retry of one that was redirected and failed; it is not retried again.
    bool m_isRetry = false;
    DWORD m_openUrlFlags = 0;
    std::int32_t m_contentLength = -1;
    std::int32_t m_bytesReceived = 0;
    // The tag of the running request's status records.
    DWORD_PTR m_tag = 0;
};

// A port of -1 is the default one: 443 when secure, else 80.
int HttpPortOrDefault(int port, bool secure);

// The process-wide service, made on first use under the service lock.
HttpService* GetHttpService();
// Shuts the process-wide service down, when there is one (the library's shut-down).
void ShutDownHttpService();
// Puts a service in the process-wide one's place (tests give a fake); the one replaced is deleted.
void ReplaceHttpService(std::unique_ptr<HttpService> service);
