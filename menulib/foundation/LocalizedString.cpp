#include "foundation/LocalizedString.h"

#include <algorithm>
#include <vector>

const char* const kTranslationEnglishMarker = "ENGLISH: ";
const char* const kTranslationLocalizedMarker = "LOCALIZED: ";
const char* const kTranslationEndMarker = "[END]";

namespace {

struct RegisteredText {
    CString* text;
    const char* comment;
};

std::vector<RegisteredText>& Registry()
{
    static std::vector<RegisteredText> registry;
    return registry;
}

struct Translation {
    CString key;
    CString text;
};

std::vector<Translation>& Table()
{
    static std::vector<Translation> table;
    return table;
}

bool KeyBelow(const Translation& entry, const CString& key) { return entry.key.Compare(key) < 0; }

}  // namespace

LocalizedString::LocalizedString(const char* english, const char* comment, int) : m_text(english), m_english(english)
{
    if (m_text.IsNotEmpty()) Registry().push_back({&m_text, comment});
}

CString MakeTranslationKey(const CString& text, const char* comment)
{
    CString key(text);
    if (comment && *comment) {
        key.Append(kTranslationEndMarker);
        key.AppendFormat(" (%s)", comment);
    }
    return key;
}

void Localize(CString& text, const char* comment)
{
    const std::vector<Translation>& table = Table();
    if (text.IsEmpty() || table.empty()) return;
    const CString key = MakeTranslationKey(text, comment);
    const auto it = std::lower_bound(table.begin(), table.end(), key, KeyBelow);
    if (it != table.end() && it->key.Compare(key) == 0) text = it->text;
}

void AddTranslation(const CString& key, const CString& translation)
{
    std::vector<Translation>& table = Table();
    const auto it = std::lower_bound(table.begin(), table.end(), key, KeyBelow);
    if (it != table.end() && it->key.Compare(key) == 0)
        it->text = translation;
    else
        table.insert(it, {key, translation});
}

void ClearTranslations() { Table().clear(); }

int GetLocalizedStringCount() { return static_cast<int>(Registry().size()); }

LocalizedString HoursMinutesSeparator(":", "Hours:Minutes separator", 0);
LocalizedString MinutesSecondsSeparator(":", "Minutes:Seconds separator", 0);
LocalizedString DaysSuffix("d", "\"d\" is short for the days", 0);
LocalizedString MinutesSuffix("m", "suffix indicating minutes", 0);
LocalizedString SecondsSuffix("s", "suffix indicating seconds", 0);
LocalizedString LocalLanguageName("English",
                                  "In the following line, do not localize the word English. Instead, replace English "
                                  "with the name of the local language.",
                                  0);
