// Texts shown to users: global objects with an English default and a comment for translators, looked up in a
// translation table by a key made of the text and its comment.
#pragma once
#include "foundation/CString.h"

class LocalizedString {
public:
    LocalizedString(const char* english, const char* comment, int flag);
    const CString& GetText() const { return m_text; }
    operator const CString&() const { return m_text; }
    const char* GetEnglish() const { return m_english; }

private:
    CString m_text;
    const char* m_english;  // not owned
};

// Marker texts of a translation file.
extern const char* const kTranslationEnglishMarker;    // "ENGLISH: "
extern const char* const kTranslationLocalizedMarker;  // "LOCALIZED: "
extern const char* const kTranslationEndMarker;        // "[END]"

// The key of a text: the text, then "[END]" and " (comment)" when a comment is given.
CString MakeTranslationKey(const CString& text, const char* comment);
// Replaces text by its translation when the table holds its key.
void Localize(CString& text, const char* comment);
// Puts a translation into the table, which stays sorted by key (case-sensitive).
void AddTranslation(const CString& key, const CString& translation);
void ClearTranslations();
// The registered texts (only those that are not empty) with their comments.
int GetLocalizedStringCount();

// The texts of this subsystem.
extern LocalizedString HoursMinutesSeparator;
extern LocalizedString MinutesSecondsSeparator;
extern LocalizedString DaysSuffix;
extern LocalizedString MinutesSuffix;
extern LocalizedString SecondsSuffix;
extern LocalizedString LocalLanguageName;
