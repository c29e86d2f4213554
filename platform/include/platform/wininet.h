// WinINet's synchronous calls as the game makes them: a session, a GET of one URL, the reply read in pieces, the
// handles closed. Only http and https are fetched; every request is bounded by a connect and a total timeout,
// and a reply is kept up to a fixed size (what lies beyond is dropped, as a reader that stops there would).
#pragma once
#include "platform/win32_base.h"

using HINTERNET = void*;
using DWORD_PTR = std::uintptr_t;
using LPDWORD = DWORD*;

constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;
constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
constexpr DWORD INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;

// Always ERROR_SUCCESS (0): whether a connection can be made shows when one is tried.
PLATFORM_API DWORD InternetAttemptConnect(DWORD reserved);
PLATFORM_API HINTERNET InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR proxyBypass, DWORD flags);
// Runs the whole request; null when the URL is not http(s), the server cannot be reached, no reply came in time,
// or session is not an open session. A reply of any HTTP status opens, as on Windows.
PLATFORM_API HINTERNET InternetOpenUrlA(HINTERNET session, LPCSTR url, LPCSTR headers, DWORD headersLength, DWORD flags,
                                        DWORD_PTR context);
// The next bytes of the reply, at most toRead; *read is 0 at its end.
PLATFORM_API BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, LPDWORD read);
PLATFORM_API BOOL InternetCloseHandle(HINTERNET handle);

namespace platform {

// The most bytes of one reply that are kept.
constexpr DWORD kInternetMaxReplyBytes = 64 * 1024;

struct InternetTimeouts {
    long connectMs = 5000;
    long totalMs = 10000;
};
// The timeouts of later requests (tests shorten them).
PLATFORM_API void SetInternetTimeouts(const InternetTimeouts& timeouts);
PLATFORM_API InternetTimeouts GetInternetTimeouts();

}  // namespace platform
