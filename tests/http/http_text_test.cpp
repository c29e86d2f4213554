// The HTTP service's texts: escaping, form fields, decoding, redirect URLs, connection words and status records.
#include <gtest/gtest.h>

#include "FakeInternet.h"
#include "forms/HttpService.h"
#include "forms/HttpStatusChannel.h"

namespace {

std::string Text(const CString& text) { return text.GetText(); }

TEST(HttpText, EscapeKeepsLettersDigitsAndUnderscoresAndEscapesEveryOtherByte)
{
    HttpService service(platform::inet::Load());
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"Az09_", "Az09_"},
        {"a b", "a+b"},
        {"/", "%2F"},
        {"\xE9", "%E9"},
        {"a&b=c+d%", "a%26b%3Dc%2Bd%25"},
        {"-.~", "%2D%2E%7E"},
        {"\x01\x7F\xFF", "%01%7F%FF"},
        {"", ""},
    };
    for (const auto& c : cases) {
        CString out;
        service.EscapeText(out, c.text);
        EXPECT_EQ(Text(out), c.escaped) << c.text;
    }
    CString bytes;
    service.EscapeBytes(bytes, "a\0b", 3);
    EXPECT_EQ(Text(bytes), "a%00b");
}

TEST(HttpText, FormFieldsAreJoinedByAmpersandsAndTheirValuesCannotInjectFields)
{
    HttpService service(platform::inet::Load());
    CString form;
    service.AppendFormField(form, "name", "Ann & Bob");
    EXPECT_EQ(Text(form), "name=Ann+%26+Bob");
    service.AppendFormField(form, "score", "1=2&admin=1+%");
    EXPECT_EQ(Text(form), "name=Ann+%26+Bob&score=1%3D2%26admin%3D1%2B%25");
    service.AppendFormField(form, "empty", "");
    EXPECT_EQ(Text(form), "name=Ann+%26+Bob&score=1%3D2%26admin%3D1%2B%25&empty=");
}

TEST(HttpText, WithoutTheCanonicaliseEntryNoFieldIsAppendedAndNothingIsDecoded)
{
    platform::inet::Api api = *platform::inet::Load();
    api.InternetCanonicalizeUrlA = nullptr;
    HttpService service(&api);
    CString form("a=1");
    service.AppendFormField(form, "b", "2");
    EXPECT_EQ(Text(form), "a=1");
    CString out("old");
    service.DecodeURL(out, "%41");
    EXPECT_EQ(Text(out), "");
}

TEST(HttpText, DecodeUndoesPercentEscapesAndKeepsWhatIsNotOne)
{
    HttpService service(platform::inet::Load());
    const struct {
        const char* text;
        const char* decoded;
    } cases[] = {
        {"%41%62c", "Abc"}, {"a+b", "a+b"}, {"100%", "100%"}, {"%4", "%4"}, {"%zz%2f", "%zz/"}, {"", ""},
    };
    for (const auto& c : cases) {
        CString out;
        service.DecodeURL(out, c.text);
        EXPECT_EQ(Text(out), c.decoded) << c.text;
    }
    const std::string original = "dir/file name_\xE9&x=1";
    CString escaped;
    service.EscapeText(escaped, original.c_str());
    escaped.ReplaceAll("+", CString("%20"));
    CString decoded;
    service.DecodeURL(decoded, escaped.GetText());
    EXPECT_EQ(Text(decoded), original);
}

TEST(HttpText, RedirectUrlCarriesTheEscapedTargetAndAnEmptyHandel)
{
    HttpService service(platform::inet::Load());
    CString url;
    service.BuildRedirectURL(url, "http://host/a b?x=1");
    const std::string text = Text(url);
    EXPECT_NE(text.find("?dest_url=http%3A%2F%2Fhost%2Fa+b%3Fx%3D1&handel="), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 8), "&handel=");
}

TEST(HttpText, ConnectionStateNamesEachFlagWithATrailingSpace)
{
    testsupport::FakeInternet fake;
    HttpService service(&fake.api);
    bool connected = false;
    CString words("stale");
    EXPECT_TRUE(service.GetConnectedState(&connected, &words));
    EXPECT_TRUE(connected);
    EXPECT_EQ(Text(words), "LAN Connection Proxy Connection ");
    // Without a dial-up entry nothing needs or can dial.
    EXPECT_FALSE(service.NeedsDial());
    EXPECT_FALSE(service.AutoDial());
    fake.api.InternetGetConnectedState = nullptr;
    HttpService blind(&fake.api);
    EXPECT_FALSE(blind.GetConnectedState(&connected, nullptr));
}

TEST(HttpText, StatusRecordsCutTextsAndCopyAtMostEightBytesOfANumber)
{
    HttpStatusRecord record;
    const std::string longName(400, 'n');
    ASSERT_TRUE(MakeStatusRecord(INTERNET_STATUS_RESOLVING_NAME, longName.c_str(), 401, &record));
    EXPECT_EQ(std::strlen(record.information), 255u);
    const std::uint32_t small = 77;
    ASSERT_TRUE(MakeStatusRecord(INTERNET_STATUS_RESPONSE_RECEIVED, &small, sizeof small, &record));
    EXPECT_EQ(record.Number(), 77u);
    ASSERT_TRUE(MakeStatusRecord(INTERNET_STATUS_SENDING_REQUEST, nullptr, 0, &record));
    EXPECT_FALSE(record.hasInformation);
    EXPECT_FALSE(MakeStatusRecord(999, nullptr, 0, &record));
    // A text given with a length shorter than its terminator ends there.
    ASSERT_TRUE(MakeStatusRecord(INTERNET_STATUS_REDIRECT, "http://abcdef", 8, &record));
    EXPECT_STREQ(record.information, "http://a");
}

}  // namespace
