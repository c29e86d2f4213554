#include "GP_Online.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/shell.h"
#include "platform/win32_registry.h"
#include "platform/win32_time.h"
#include "platform/wininet.h"

namespace {

constexpr const char* kServerVariable = "VEL_HALL_OF_FAME";
constexpr const char* kSettingsKey = "Software\\Morvadel\\Velmorine";
constexpr const char* kServerValue = "HallOfFameServer";
constexpr DWORD kMaxServerValueBytes = 1024;

bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

std::optional<std::string> RegistryServer()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    char text[kMaxServerValueBytes] = {};
    DWORD type = 0;
    DWORD size = sizeof text - 1;
    const LSTATUS status = RegQueryValueExA(key, kServerValue, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ || !text[0]) return std::nullopt;
    return std::string(text);
}

std::optional<std::string> Bounded(std::string url)
{
    if (url.size() > GP_MaxUrlLength) return std::nullopt;
    return url;
}

bool SuccessAt(const std::optional<std::string>& reply, std::size_t at)
{
    return reply && reply->size() > at && (*reply)[at] == '0';
}

struct InternetCloser {
    void operator()(void* handle) const { InternetCloseHandle(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetCloser>;

}  // namespace

std::string GP_DateTimeText(bool withSeconds) { return platform::LocalDateTimeText(withSeconds); }

bool GP_IsValidEMail(std::string_view text)
{
    const std::size_t n = text.size();
    if (n < 4) return false;
    const std::size_t at = std::min(text.find('@'), n);
    if (at == 0 || at + 1 >= n) return false;
    const std::size_t dot = std::min(text.find('.'), n);
    return dot != 0 && dot + 1 < n;
}

std::string GP_RemoveSpaces(std::string_view text)
{
    std::string result;
    for (char c : text)
        if (c != ' ') result.push_back(c);
    return result;
}

std::string GP_PercentEncode(std::string_view text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            encoded.push_back(c);
            continue;
        }
        encoded.push_back('%');
        encoded.push_back(hex[byte >> 4]);
        encoded.push_back(hex[byte & 0x0F]);
    }
    return encoded;
}

std::string GP_HallOfFameServer()
{
    const char* fromEnvironment = std::getenv(kServerVariable);
    std::string server =
        fromEnvironment && *fromEnvironment ? fromEnvironment : RegistryServer().value_or(GP_DefaultHallOfFameServer);
    // The paths that follow bring their own slash.
    while (!server.empty() && server.back() == '/') server.pop_back();
    return server;
}

std::optional<std::string> GP_AccountUrl(std::string_view first, std::string_view last, std::string_view email,
                                         std::string_view city, std::string_view country)
{
    return Bounded(GP_HallOfFameServer() +
                   "/cgi-bin/serv_reg.pl?NEW=1&PROECT=velmorine&EMAIL=" + GP_PercentEncode(GP_RemoveSpaces(email)) +
                   "&FIRST_NAME=" + GP_PercentEncode(first) + "&LAST_NAME=" + GP_PercentEncode(last) +
                   "&COUNTRY=" + GP_PercentEncode(country) + "&CITY=" + GP_PercentEncode(city));
}

std::optional<std::string> GP_ScoreUrl(std::string_view email, std::int32_t score, std::string_view campaign)
{
    return Bounded(GP_HallOfFameServer() + "/cgi-bin/velm_hof_add.pl?eml=" + GP_PercentEncode(email) +
                   "&sc=" + std::to_string(score) + "&cmp=" + GP_PercentEncode(campaign));
}

std::optional<std::string> GP_FetchReply(const std::string& url)
{
    InternetHandle session(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return std::nullopt;
    InternetHandle file(InternetOpenUrlA(session.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!file) return std::nullopt;
    std::string reply(GP_MaxReplyBytes, '\0');
    std::size_t got = 0;
    DWORD read = 0;
    do {
        if (!InternetReadFile(file.get(), reply.data() + got, static_cast<DWORD>(GP_MaxReplyBytes - got), &read))
            return std::nullopt;
        got += read;
    } while (read > 0 && got < GP_MaxReplyBytes);
    reply.resize(got);
    return reply;
}

bool GP_RegisterAccount(std::string_view first, std::string_view last, std::string_view email, std::string_view city,
                        std::string_view country)
{
    if (InternetAttemptConnect(0) != 0) return false;
    const std::optional<std::string> url = GP_AccountUrl(first, last, email, city, country);
    return url && SuccessAt(GP_FetchReply(*url), GP_AccountReplySuccessAt);
}

bool GP_PostScore(std::string_view email, std::int32_t score, std::string_view campaign, bool hiddenMode)
{
    if (hiddenMode) return false;
    const std::optional<std::string> url = GP_ScoreUrl(email, score, campaign);
    return url && SuccessAt(GP_FetchReply(*url), GP_ScoreReplySuccessAt);
}

bool GP_OpenHallOfFamePage() { return platform::ShellOpen((GP_HallOfFameServer() + GP_HallOfFamePagePath).c_str()); }
