// WinINet as the menu library binds it: a table of the thirteen entry points by their WinINet names, any of which
// may be absent, found at run time. The table's calls work blocking or, for a session opened with
// INTERNET_FLAG_ASYNC, in the background with a status callback. Behind them one worker thread drives every
// transfer; of all the calls only InternetReadFile ever pends (ERROR_IO_PENDING), and it completes with status
// 100 (request complete) once data or the end of the reply is there. A transfer holds at most a bounded amount of
// unread data: it pauses while that much waits and resumes as the reader takes it.
#pragma once
#include "platform/wininet.h"

using INTERNET_PORT = WORD;
using INTERNET_STATUS_CALLBACK = void (*)(HINTERNET handle, DWORD_PTR context, DWORD status, LPVOID information,
                                          DWORD informationLength);

#define INTERNET_INVALID_STATUS_CALLBACK (reinterpret_cast<INTERNET_STATUS_CALLBACK>(static_cast<LONG_PTR>(-1)))

constexpr DWORD INTERNET_FLAG_ASYNC = 0x10000000;
constexpr DWORD INTERNET_FLAG_SECURE = 0x00800000;
constexpr DWORD INTERNET_FLAG_PRAGMA_NOCACHE = 0x00000100;
constexpr DWORD INTERNET_SERVICE_HTTP = 3;
constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;
constexpr INTERNET_PORT INTERNET_DEFAULT_HTTPS_PORT = 443;
constexpr DWORD HTTP_QUERY_CONTENT_LENGTH = 5;
constexpr DWORD HTTP_QUERY_STATUS_CODE = 19;
constexpr DWORD ICU_DECODE = 0x10000000;
constexpr DWORD ICU_NO_ENCODE = 0x20000000;
constexpr DWORD ICU_NO_META = 0x08000000;
constexpr DWORD INTERNET_OPTION_SECURITY_CERTIFICATE_STRUCT = 32;
constexpr DWORD INTERNET_OPTION_SECURITY_KEY_BITNESS = 36;
constexpr DWORD INTERNET_CONNECTION_MODEM = 1;
constexpr DWORD INTERNET_CONNECTION_LAN = 2;
constexpr DWORD INTERNET_CONNECTION_PROXY = 4;
constexpr DWORD INTERNET_CONNECTION_MODEM_BUSY = 8;

// The thread's last error after a call of the table that failed.
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_IO_PENDING = 997;
constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
constexpr DWORD ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_INTERNET_CONNECTION_RESET = 12031;
constexpr DWORD ERROR_INTERNET_SECURITY_CHANNEL_ERROR = 12157;
constexpr DWORD ERROR_HTTP_HEADER_NOT_FOUND = 12150;

// The status codes a callback is told.
enum InternetStatus : DWORD {
    INTERNET_STATUS_RESOLVING_NAME = 10,
    INTERNET_STATUS_NAME_RESOLVED = 11,
    INTERNET_STATUS_CONNECTING_TO_SERVER = 20,
    INTERNET_STATUS_CONNECTED_TO_SERVER = 21,
    INTERNET_STATUS_SENDING_REQUEST = 30,
    INTERNET_STATUS_REQUEST_SENT = 31,
    INTERNET_STATUS_RECEIVING_RESPONSE = 40,
    INTERNET_STATUS_RESPONSE_RECEIVED = 41,
    INTERNET_STATUS_CTL_RESPONSE_RECEIVED = 42,
    INTERNET_STATUS_PREFETCH = 43,
    INTERNET_STATUS_CLOSING_CONNECTION = 50,
    INTERNET_STATUS_CONNECTION_CLOSED = 51,
    INTERNET_STATUS_HANDLE_CREATED = 60,
    INTERNET_STATUS_HANDLE_CLOSING = 70,
    INTERNET_STATUS_REQUEST_COMPLETE = 100,
    INTERNET_STATUS_REDIRECT = 110,
    INTERNET_STATUS_INTERMEDIATE_RESPONSE = 120,
    INTERNET_STATUS_STATE_CHANGE = 200,
};

// The information of status 100: the call's result (its handle, or TRUE/FALSE) and its error.
struct INTERNET_ASYNC_RESULT {
    DWORD_PTR dwResult;
    DWORD dwError;
};

namespace platform::inet {

struct Api {
    HINTERNET (*InternetOpenA)(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR proxyBypass, DWORD flags);
    HINTERNET(*InternetOpenUrlA)
    (HINTERNET session, LPCSTR url, LPCSTR headers, DWORD headersLength, DWORD flags, DWORD_PTR context);
    BOOL (*InternetReadFile)(HINTERNET file, LPVOID buffer, DWORD toRead, LPDWORD read);
    BOOL (*InternetCloseHandle)(HINTERNET handle);
    BOOL (*InternetGetConnectedState)(LPDWORD flags, DWORD reserved);
    BOOL (*InternetAutodial)(DWORD flags, HWND parent);
    HINTERNET(*InternetConnectA)
    (HINTERNET session, LPCSTR server, INTERNET_PORT port, LPCSTR user, LPCSTR password, DWORD service, DWORD flags,
     DWORD_PTR context);
    HINTERNET(*HttpOpenRequestA)
    (HINTERNET connection, LPCSTR verb, LPCSTR path, LPCSTR version, LPCSTR referrer, LPCSTR* acceptTypes, DWORD flags,
     DWORD_PTR context);
    BOOL (*HttpSendRequestA)(HINTERNET request, LPCSTR headers, DWORD headersLength, LPVOID data, DWORD dataLength);
    BOOL (*HttpQueryInfoA)(HINTERNET request, DWORD infoLevel, LPVOID buffer, LPDWORD bufferLength, LPDWORD index);
    BOOL (*InternetCanonicalizeUrlA)(LPCSTR url, LPSTR buffer, LPDWORD bufferLength, DWORD flags);
    BOOL (*InternetQueryOptionA)(HINTERNET handle, DWORD option, LPVOID buffer, LPDWORD bufferLength);
    INTERNET_STATUS_CALLBACK (*InternetSetStatusCallback)(HINTERNET session, INTERNET_STATUS_CALLBACK callback);
    // Whether "InternetReadFileExA" exists (only its presence is asked).
    bool hasReadFileEx;
    // The calling thread's error after a failed call (GetLastError).
    DWORD (*GetLastError)();
    // Waits until the table's worker, which stops by itself once the last handle is closed, has ended, so that
    // nothing of the table runs afterwards (a shut-down); returns at once while a handle is open. Closing a
    // handle never waits for the worker.
    void (*JoinStoppedWorker)();
};

// The table over libcurl. Present: every required entry, HttpQueryInfoA (content length and status code) and
// InternetGetConnectedState (a network interface other than loopback that is up counts as a LAN connection).
// Absent: InternetAutodial (there is no dial-up) and InternetQueryOptionA (no security details are given).
// InternetCanonicalizeUrlA decodes (ICU_DECODE) and refuses any other flags.
PLATFORM_API const Api* Load();

// Limits of every later transfer (tests shorten them). A transfer that receives nothing for idleSeconds while it
// is not paused fails with ERROR_INTERNET_TIMEOUT.
struct Timeouts {
    long connectMs = 10000;
    long idleSeconds = 30;
};
PLATFORM_API void SetTimeouts(const Timeouts& timeouts);

// The most unread bytes a transfer keeps before it pauses.
constexpr std::size_t kBufferedBytesLimit = 64 * 1024;

}  // namespace platform::inet
