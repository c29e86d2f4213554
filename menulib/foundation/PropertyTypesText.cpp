// String, C text and collection item descriptors.
#include <cstdlib>
#include <cstring>

#include "foundation/BitStream.h"
#include "foundation/LocalizedString.h"
#include "foundation/Object.h"
#include "foundation/PropertyStream.h"
#include "foundation/PropertyTypes.h"
#include "platform/debug_output.h"

namespace {

bool HasLineBreak(const CString& text) { return text.FindChar('\n') >= 0; }

// A line of a multi-line text that reads as the closing "}" cuts the text short when it is read back.
bool HasClosingLine(const CString& text)
{
    const char* p = text.GetText();
    while (*p) {
        const char* end = std::strchr(p, '\n');
        CString line(p, end ? static_cast<int>(end - p) : static_cast<int>(std::strlen(p)));
        line.TrimLeft();
        line.TrimRight();
        if (line == "}") return true;
        if (!end) break;
        p = end + 1;
    }
    return false;
}

// The value of a text property: the text, or "multi-line" and a block for a text with line breaks.
void WriteTextValue(const CString& text, const CString& name, PropertyStream& stream)
{
    if (!HasLineBreak(text)) {
        stream.WriteLine(text);
        return;
    }
    if (HasClosingLine(text)) {
        CString warning;
        warning.Format(
            "Property \"%s\": a line of its text reads as \"}\", so the text will be cut there when the "
            "file is read\n",
            name.GetText());
        OutputDebugStringA(warning.GetText());
    }
    stream.WriteLine("multi-line");
    stream.SetIndenting(false);
    stream.WriteLine("{");
    stream.SetIndenting(true);
    stream.WriteLine(text);
    stream.WriteLine("}");
}

void ReadTextValue(CString& member, const CString& text, PropertyStream* stream)
{
    if (!stream || text.CompareNoCase("multi-line") != 0) {
        member = text;
        return;
    }
    member.Empty();
    CString line;
    stream->ReadLine(line);  // the "{" line
    // Every line after the first begins a new line of the text, so blank lines at its start are kept too.
    bool first = true;
    while (stream->ReadLine(line)) {
        CString trimmed(line);
        trimmed.TrimLeft();
        trimmed.TrimRight();
        if (trimmed == "}") break;
        if (!first) member.Append('\n');
        member.Append(line);
        first = false;
    }
}

}  // namespace

// ---- String

StringPropertyInfo::StringPropertyInfo(const char* name, MemberRef<CString> member, const char* defaultText, int flags)
    : TypedPropertyInfo(name, nullptr, member, flags), m_default(defaultText)
{
}

void StringPropertyInfo::WriteValue(const void* holder, PropertyStream& stream) const
{
    WriteTextValue(Ref(holder), GetName(), stream);
}

void StringPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream* stream) const
{
    ReadTextValue(Ref(holder), text, stream);
}

void StringPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteString(Ref(holder).GetText());
}

bool StringPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    return stream.ReadString(Ref(holder));
}

void StringPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    stream.WriteString(Ref(holder).GetText());
}

void StringPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    CString text;
    if (stream.ReadString(text)) Ref(holder) = text;
}

// ---- LocalizableString

LocalizableStringPropertyInfo::LocalizableStringPropertyInfo(const char* name, MemberRef<LocalizableText> member,
                                                             const char* defaultText, int flags)
    : TypedPropertyInfo(name, nullptr, member, flags), m_default(defaultText)
{
}

void LocalizableStringPropertyInfo::SetSource(void* holder, const CString& source) const
{
    LocalizableText& member = Ref(holder);
    member.source = source;
    member.displayed = source;
    Localize(member.displayed, nullptr);
}

void LocalizableStringPropertyInfo::WriteValue(const void* holder, PropertyStream& stream) const
{
    WriteTextValue(Ref(holder).source, GetName(), stream);
}

void LocalizableStringPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream* stream) const
{
    CString source;
    ReadTextValue(source, text, stream);
    SetSource(holder, source);
}

void LocalizableStringPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteString(Ref(holder).source.GetText());
}

bool LocalizableStringPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    CString source;
    if (!stream.ReadString(source)) return false;
    SetSource(holder, source);
    return true;
}

void LocalizableStringPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    stream.WriteString(Ref(holder).source.GetText());
}

void LocalizableStringPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    CString source;
    if (stream.ReadString(source)) SetSource(holder, source);
}

// ---- CharPointer

namespace {
char* CopyText(const char* text)
{
    if (!text || !*text) return nullptr;
    const std::size_t length = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    std::memcpy(copy, text, length + 1);
    return copy;
}
const char* TextOrEmpty(const char* text) { return text ? text : ""; }
}  // namespace

CharPointerPropertyInfo::CharPointerPropertyInfo(const char* name, MemberRef<char*> member, const char* defaultText,
                                                 Setter setter, int flags)
    : TypedPropertyInfo(name, nullptr, member, flags), m_default(const_cast<char*>(defaultText)), m_setter(setter)
{
}

void CharPointerPropertyInfo::ReleaseMember(void* holder) const
{
    std::free(Ref(holder));
    Ref(holder) = nullptr;
}

bool CharPointerPropertyInfo::Equal(char* const& a, char* const& b) const
{
    return std::strcmp(TextOrEmpty(a), TextOrEmpty(b)) == 0;
}

bool CharPointerPropertyInfo::IsAtDefault(const void* holder) const { return Equal(Ref(holder), m_default); }

void CharPointerPropertyInfo::Assign(void* holder, char* const& value) const
{
    char* copy = CopyText(value);
    std::free(Ref(holder));
    Ref(holder) = copy;
}

void CharPointerPropertyInfo::ValueToText(const void* holder, CString& out) const { out = TextOrEmpty(Ref(holder)); }

void CharPointerPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream*) const
{
    if (m_setter)
        m_setter(static_cast<CObject*>(holder), text.GetText());
    else
        Assign(holder, const_cast<char*>(text.GetText()));
}

void CharPointerPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteString(TextOrEmpty(Ref(holder)));
}

bool CharPointerPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    CString text;
    if (!stream.ReadString(text)) return false;
    Assign(holder, const_cast<char*>(text.GetText()));
    return true;
}

void CharPointerPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    stream.WriteString(TextOrEmpty(Ref(holder)));
}

void CharPointerPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    CString text;
    if (stream.ReadString(text)) Assign(holder, const_cast<char*>(text.GetText()));
}

// ---- CollectionItem

CollectionItemPropertyInfo::CollectionItemPropertyInfo(const char* name, MemberRef<std::int32_t> member,
                                                       CollectionGetter getter, const char* defaultItem, Setter setter,
                                                       int flags)
    : TypedPropertyInfo(name, nullptr, member, flags), m_defaultItem(defaultItem), m_getter(getter), m_setter(setter)
{
}

void CollectionItemPropertyInfo::Store(void* holder, std::int32_t index) const
{
    if (m_setter)
        m_setter(static_cast<CObject*>(holder), index);
    else
        Ref(holder) = index;
}

int CollectionItemPropertyInfo::IndexOfName(const void* holder, const CString& name) const
{
    if (name.IsEmpty()) return 0;
    CString referrer(LastFileOpened());
    referrer.Append(":");
    referrer.Append(GetName());
    LastFileOpenedScope scope(referrer);
    return GetCollection(holder)->FindOrFail(name.GetText());
}

int CollectionItemPropertyInfo::DefaultIndex(const void* holder) const
{
    if (!m_defaultItem || !*m_defaultItem) return 0;
    // The default is parsed like a file's value, with the program as the file.
    LastFileOpenedScope scope("The Program EXE (C++ Source Code's default value)");
    return IndexOfName(holder, CString(m_defaultItem));
}

void CollectionItemPropertyInfo::ResetToDefault(void* holder) const { Store(holder, DefaultIndex(holder)); }

bool CollectionItemPropertyInfo::IsAtDefault(const void* holder) const { return Ref(holder) == DefaultIndex(holder); }

void CollectionItemPropertyInfo::ValueToText(const void* holder, CString& out) const
{
    const NamedList* list = GetCollection(holder);
    const int index = Ref(holder);
    out.Empty();
    if (list && index >= 0 && index < list->Count()) list->GetItemName(out, index);
}

void CollectionItemPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream*) const
{
    Store(holder, IndexOfName(holder, text));
}

void CollectionItemPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    CString name;
    ValueToText(holder, name);
    stream.WriteString(name.GetText());
}

bool CollectionItemPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    CString name;
    if (!stream.ReadString(name) || name.GetLength() > 255) return false;
    Ref(holder) = GetCollection(holder)->Find(name.GetText());
    return true;
}

void CollectionItemPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    stream.WriteIndexedString(Ref(holder), *GetCollection(holder));
}

void CollectionItemPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    const int index = stream.ReadIndexedString(*GetCollection(holder));
    if (!stream.IsDamaged()) Ref(holder) = index;
}

FixedCollectionItemPropertyInfo::FixedCollectionItemPropertyInfo(const char* name, MemberRef<std::int32_t> member,
                                                                 NamedList* list, const char* defaultItem,
                                                                 Setter setter, Filter filter, int flags)
    : CollectionItemPropertyInfo(name, member, nullptr, defaultItem, setter, flags), m_list(list), m_filter(filter)
{
}
