// The options every HTTP request of the platform sets on its libcurl handle.
#pragma once
#include <curl/curl.h>

namespace platform::inet {

// The URL, http and https only (also for redirects), up to 5 redirects followed, no signals, the connect
// time-out.
inline void SetRequestBasics(CURL* easy, const char* url, long connectMs)
{
    curl_easy_setopt(easy, CURLOPT_URL, url);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, connectMs);
}

}  // namespace platform::inet
