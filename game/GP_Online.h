// The online account and the hall of fame: the account request, score posting, the hall-of-fame page in the
// browser, and the small text helpers they and the log use. Requests are HTTP GETs to the hall-of-fame server,
// whose address comes from VEL_HALL_OF_FAME (tests point it at their own server), else the registry value
// "HallOfFameServer" under HKEY_CURRENT_USER "Software\Morvadel\Velmorine", else GP_DefaultHallOfFameServer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr const char* GP_DefaultHallOfFameServer = "http://halloffame.morvadel.invalid";
constexpr const char* GP_HallOfFamePagePath = "/cgi-bin/velm_hof.pl";
constexpr std::size_t GP_MaxUrlLength = 4095;
constexpr std::size_t GP_MaxReplyBytes = 1024;
// Where the account reply and the score reply carry their success character '0'.
constexpr std::size_t GP_AccountReplySuccessAt = 12;
constexpr std::size_t GP_ScoreReplySuccessAt = 0;

constexpr int GP_CountryCount = 229;
extern const char* const GP_Countries[GP_CountryCount];

// The current date, three blanks and the current time, with or without seconds.
std::string GP_DateTimeText(bool withSeconds);
// At least four characters, with an at sign and a full stop that are neither first nor last.
bool GP_IsValidEMail(std::string_view text);
std::string GP_RemoveSpaces(std::string_view text);
// Every byte but letters, digits and "-._~" as %XX, so that no argument can end its field or add one.
std::string GP_PercentEncode(std::string_view text);

std::string GP_HallOfFameServer();
// The request URLs with their arguments encoded (the account's e-mail address without blanks); none when the
// URL would be longer than GP_MaxUrlLength.
std::optional<std::string> GP_AccountUrl(std::string_view first, std::string_view last, std::string_view email,
                                         std::string_view city, std::string_view country);
std::optional<std::string> GP_ScoreUrl(std::string_view email, std::int32_t score, std::string_view campaign);

// The first GP_MaxReplyBytes bytes of the reply to a GET (all of a shorter one); none when there was no reply.
std::optional<std::string> GP_FetchReply(const std::string& url);

// True when the server created the account: a reply of at least 13 bytes whose byte 12 is '0'.
bool GP_RegisterAccount(std::string_view first, std::string_view last, std::string_view email, std::string_view city,
                        std::string_view country);
// True when the server took the score: a reply whose byte 0 is '0'. In the hidden mode nothing is sent.
bool GP_PostScore(std::string_view email, std::int32_t score, std::string_view campaign, bool hiddenMode);

// Asks the browser to open the hall-of-fame page.
bool GP_OpenHallOfFamePage();
