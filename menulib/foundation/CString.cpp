#include "foundation/CString.h"

#include <locale.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/SmallBlockPool.h"

const char* const kBlankCharacters = "\t \r\n";

namespace {

struct EmptyStorage {
    CString::Buffer header;
    std::uint32_t text;
};
// Its count starts at 1 and every string that points at it adds one, so it never falls to 0 and is never
// written: whoever points at it sees a count of at least 2.
constinit EmptyStorage emptyStorage = {{1, 0, 0, {0, 0, 0}}, 0};

constexpr const char* kUnicodeMarker = "UNICODE-HEX<";
constexpr int kUnicodeMarkerLength = 12;
constexpr const char* kHexDigits = "0123456789ABCDEF";

int BlockSize(const CString::Buffer* buffer)
{
    return static_cast<int>(sizeof(CString::Buffer)) + (buffer->capacity + 1) * (buffer->wide ? 2 : 1);
}

std::uint16_t LowerAscii(std::uint16_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }
std::uint16_t UpperAscii(std::uint16_t c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

bool IsBlank(std::uint16_t c) { return c == '\t' || c == ' ' || c == '\r' || c == '\n'; }

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

// The C library's conversions without the process locale: numbers in the library's files always use '.'.
locale_t CLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

int ClampToInt(long long value)
{
    if (value > 2147483647LL) return 2147483647;
    if (value < -2147483648LL) return -2147483647 - 1;
    return static_cast<int>(value);
}

}  // namespace

// --- buffers ---------------------------------------------------------------------------------------------------

CString::Buffer* CString::EmptyBuffer() { return &emptyStorage.header; }

CString::Buffer* CString::Allocate(int n, bool wide)
{
    if (n < 0) n = 0;
    const int unit = wide ? 2 : 1;
    // The pool's blocks are multiples of 8 bytes: the room up to the end of the block is given to the string.
    int bytes = static_cast<int>(sizeof(Buffer)) + (n + 1) * unit;
    bytes = (bytes + 7) & ~7;
    auto* buffer = static_cast<Buffer*>(PoolAlloc(bytes));
    buffer->refs = 1;
    buffer->capacity = (bytes - static_cast<int>(sizeof(Buffer))) / unit - 1;
    buffer->wide = wide ? 1 : 0;
    if (wide)
        WideOf(buffer)[buffer->capacity] = 0;
    else
        TextOf(buffer)[buffer->capacity] = 0;
    return buffer;
}

void CString::FreeBuffer(Buffer* buffer)
{
    if (--buffer->refs == 0) PoolFree(buffer, BlockSize(buffer));
}

void CString::Share(Buffer* buffer)
{
    ++buffer->refs;
    m_buffer = buffer;
}

void CString::Release() { FreeBuffer(m_buffer); }

void CString::Attach(Buffer* buffer)
{
    Buffer* old = m_buffer;
    m_buffer = buffer;
    FreeBuffer(old);
}

void CString::Grow(int n)
{
    if (m_buffer->capacity >= n && m_buffer->refs < 2) return;
    const int length = GetLength();
    int room = n > length ? n : length;
    // A string that outgrows its buffer gets half as much again, so that appending in a loop stays linear.
    const int grown = m_buffer->capacity + m_buffer->capacity / 2;
    if (m_buffer->capacity < n && grown > room) room = grown;
    Buffer* buffer = Allocate(room, IsWide());
    std::memcpy(TextOf(buffer), TextOf(m_buffer), static_cast<std::size_t>(length + 1) * (IsWide() ? 2 : 1));
    Attach(buffer);
}

void CString::GrowDiscard(int n)
{
    if (m_buffer->capacity >= n && m_buffer->refs < 2) return;
    Buffer* buffer = Allocate(n, IsWide());
    WideOf(buffer)[0] = 0;  // covers both widths: room is at least 2 bytes
    Attach(buffer);
}

void CString::ToWide()
{
    if (IsWide()) return;
    const int length = GetLength();
    Buffer* buffer = Allocate(length, true);
    const char* text = GetText();
    for (int i = 0; i <= length; ++i) WideOf(buffer)[i] = static_cast<std::uint8_t>(text[i]);
    Attach(buffer);
}

void CString::ToNarrow()
{
    if (!IsWide()) return;
    const int length = GetLength();
    Buffer* buffer = Allocate(length, false);
    const std::uint16_t* text = GetWideText();
    for (int i = 0; i <= length; ++i) TextOf(buffer)[i] = text[i] > 255 ? '*' : static_cast<char>(text[i]);
    Attach(buffer);
}

bool CString::FitsInEightBits() const
{
    if (!IsWide()) return true;
    for (const std::uint16_t* p = GetWideText(); *p; ++p)
        if (*p > 255) return false;
    return true;
}

bool CString::PointsInto(const void* text) const
{
    const char* begin = reinterpret_cast<const char*>(m_buffer);
    const char* p = static_cast<const char*>(text);
    return p >= begin && p < begin + BlockSize(m_buffer);
}

// --- construct and assign --------------------------------------------------------------------------------------

CString::CString() { Share(EmptyBuffer()); }
CString::CString(const CString& other) { Share(other.m_buffer); }

CString::CString(const char* text)
{
    Share(EmptyBuffer());
    Assign(text);
}

CString::CString(const char* text, int length)
{
    Share(EmptyBuffer());
    Assign(text, length);
}

CString::CString(const std::uint16_t* text, int length)
{
    if (!text || length <= 0) {
        Share(EmptyBuffer());
        return;
    }
    m_buffer = Allocate(length, true);
    std::memcpy(WideOf(m_buffer), text, static_cast<std::size_t>(length) * 2);
    WideOf(m_buffer)[length] = 0;
}

CString::CString(char ch, int count)
{
    if (count <= 0) {
        Share(EmptyBuffer());
        return;
    }
    m_buffer = Allocate(count, false);
    std::memset(TextOf(m_buffer), ch, count);
    TextOf(m_buffer)[count] = 0;
}

CString::~CString() { Release(); }

void CString::Assign(const char* text)
{
    if (!text || !*text) {
        Empty();
        return;
    }
    Assign(text, static_cast<int>(std::strlen(text)));
}

CString& CString::operator=(const char* text)
{
    Assign(text);
    return *this;
}

void CString::Assign(const char* text, int length)
{
    if (!text || length <= 0) {
        Empty();
        return;
    }
    if (m_buffer->refs < 2 && !IsWide() && m_buffer->capacity >= length) {
        std::memmove(TextOf(m_buffer), text, length);  // the text may lie in this very buffer
    } else {
        Buffer* buffer = Allocate(length, false);
        std::memcpy(TextOf(buffer), text, length);
        Attach(buffer);
    }
    TextOf(m_buffer)[length] = 0;
}

void CString::Assign(const CString& other)
{
    if (other.m_buffer == m_buffer) return;
    Buffer* old = m_buffer;
    Share(other.m_buffer);
    FreeBuffer(old);
}

CString& CString::operator=(const CString& other)
{
    Assign(other);
    return *this;
}

void CString::AssignLeft(const CString& other, int count) { Assign(other.Left(count)); }

void CString::Empty()
{
    if (m_buffer == EmptyBuffer()) return;
    Release();
    Share(EmptyBuffer());
}

void CString::Clear()
{
    if (m_buffer->refs < 2)
        WideOf(m_buffer)[0] = 0;  // an unshared buffer is never the empty one
    else
        Empty();
}

void CString::Reset() { Empty(); }

// --- append ----------------------------------------------------------------------------------------------------

void CString::Append(const char* text, int count)
{
    if (!text || count <= 0) return;
    if (IsEmpty()) {
        Assign(text, count);
        return;
    }
    if (PointsInto(text)) {  // appending a piece of itself: Grow may free the source
        const CString copy(text, count);
        Append(copy.GetText(), count);
        return;
    }
    const int length = GetLength();
    Grow(length + count);
    if (IsWide()) {
        std::uint16_t* out = WideOf(m_buffer) + length;
        for (int i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(text[i]);
        out[count] = 0;
    } else {
        std::memcpy(TextOf(m_buffer) + length, text, count);
        TextOf(m_buffer)[length + count] = 0;
    }
}

void CString::Append(const char* text)
{
    if (text) Append(text, static_cast<int>(std::strlen(text)));
}

void CString::Append(char ch) { Append(&ch, 1); }

CString& CString::operator+=(const char* text)
{
    Append(text);
    return *this;
}

CString& CString::operator+=(char ch)
{
    Append(&ch, 1);
    return *this;
}

void CString::AppendUnits(const CString& other, int count)
{
    const CString source(other);  // keeps the source alive when it is this string
    const int length = GetLength();
    Grow(length + count);
    if (IsWide() == source.IsWide()) {
        std::memcpy(TextOf(m_buffer) + length * (IsWide() ? 2 : 1), source.GetText(),
                    static_cast<std::size_t>(count) * (IsWide() ? 2 : 1));
    } else {
        for (int i = 0; i < count; ++i) PutUnit(length + i, source.Unit(i));
    }
    PutUnit(length + count, 0);
}

void CString::Append(const CString& other)
{
    if (other.IsEmpty()) return;
    if (IsEmpty()) {
        Assign(other);
        return;
    }
    if (other.IsWide()) ToWide();
    AppendUnits(other, other.GetLength());
}

CString& CString::operator+=(const CString& other)
{
    Append(other);
    return *this;
}

void CString::Append(const CString& other, int count)
{
    const int available = other.GetLength();
    if (count > available) count = available;
    if (count <= 0) return;
    if (IsEmpty()) {
        AssignLeft(other, count);
        return;
    }
    if (!IsWide()) {
        for (int i = 0; i < count; ++i)
            if (other.Unit(i) > 255) {
                ToWide();
                break;
            }
    }
    AppendUnits(other, count);
}

void CString::AppendRepeated(std::uint16_t ch, int count)
{
    if (count <= 0) return;
    if (ch > 255) ToWide();
    const int length = GetLength();
    Grow(length + count);
    for (int i = 0; i < count; ++i) PutUnit(length + i, ch);
    PutUnit(length + count, 0);
}

void CString::AppendWithSeparator(const char* separator, const CString& other)
{
    if (IsNotEmpty() && other.IsNotEmpty()) Append(separator);
    Append(other);
}

// --- paths -----------------------------------------------------------------------------------------------------

void CString::AppendPath(const char* text, int count)
{
    if (IsNotEmpty() && Unit(GetLength() - 1) != '/') Append('/');
    Append(text, count);
}

void CString::AppendPath(const char* text) { AppendPath(text, text ? static_cast<int>(std::strlen(text)) : 0); }

void CString::AppendPath(const CString& other)
{
    if (IsNotEmpty() && Unit(GetLength() - 1) != '/') Append('/');
    Append(other);
}

void CString::SetPath(const char* folder, const char* name)
{
    const CString copy(folder);  // name may point into this string
    const CString file(name);
    Assign(copy);
    AppendPath(file);
}

void CString::SetPath(const char* folder, const char* name, const char* suffix)
{
    const CString tail(suffix);
    SetPath(folder, name);
    Append(tail);
}

void CString::SetPathWithSubpath(const char* base, const char* relative, const char* suffix)
{
    CString folder, name;
    SplitPath(relative, &folder, &name);
    const CString baseCopy(base), suffixCopy(suffix);
    Assign(baseCopy);
    AppendPath(folder);
    AppendPath("-");
    Append(name);
    Append(suffixCopy);
}

void CString::SetPathWithSubpathAndFile(const char* base, const char* relative, const char* file, const char* suffix)
{
    const CString fileCopy(file), suffixCopy(suffix);
    SetPathWithSubpath(base, relative, nullptr);
    AppendPath(fileCopy);
    Append(suffixCopy);
}

void SplitPath(const char* path, CString* folder, CString* name)
{
    const CString copy(path);  // the outputs may be the string the path points into
    const char* text = copy.GetText();
    const char* cut = nullptr;
    for (const char* p = text; *p; ++p)
        if (*p == '\\' || *p == '/') cut = p;
    if (name) name->Assign(cut ? cut + 1 : text);
    if (folder) {
        if (cut)
            folder->Assign(text, static_cast<int>(cut - text));
        else
            folder->Empty();
    }
}

void SplitPath(const CString& path, CString* folder, CString* name) { SplitPath(path.GetText(), folder, name); }

const char* SkipBlanks(const char* text)
{
    if (!text) return text;
    while (*text && IsBlank(static_cast<std::uint8_t>(*text))) ++text;
    return text;
}

// --- edit ------------------------------------------------------------------------------------------------------

void CString::SetAt(int pos, std::uint16_t ch)
{
    const int length = GetLength();
    if (pos < 0 || pos >= length) return;
    if (ch > 255) ToWide();
    Grow(length);
    PutUnit(pos, ch);
}

void CString::Replace(int pos, int count, const CString& with)
{
    const int length = GetLength();
    if (pos < 0) pos = 0;
    if (pos > length) pos = length;
    if (count < 0) count = 0;
    if (count > length - pos) count = length - pos;
    CString result = Left(pos);
    result.Append(with);
    result.Append(Mid(pos + count));
    Assign(result);
}

void CString::Insert(int pos, const char* text) { Replace(pos, 0, CString(text)); }
void CString::Insert(int pos, const CString& other) { Replace(pos, 0, other); }

void CString::InsertChar(int pos, std::uint16_t ch)
{
    const std::uint16_t unit[1] = {ch};
    Replace(pos, 0, ch > 255 ? CString(unit, 1) : CString(static_cast<char>(ch), 1));
}

void CString::Delete(int pos, int count)
{
    if (count <= 0) return;
    Replace(pos, count, CString());
}

bool CString::ReplaceFirst(const char* what, const char* with, int start)
{
    return ReplaceFirst(CString(what), CString(with), start);
}

bool CString::ReplaceFirst(const char* what, const CString& with, int start)
{
    return ReplaceFirst(CString(what), with, start);
}

bool CString::ReplaceFirst(const CString& what, const CString& with, int start)
{
    const int pos = Find(what, start);
    if (pos < 0) return false;
    Replace(pos, what.GetLength(), with);
    return true;
}

int CString::ReplaceAll(const char* what, const CString& with, int start)
{
    return ReplaceAll(CString(what), with, start);
}

int CString::ReplaceAll(const CString& what, const CString& with, int start)
{
    const CString needle(what), replacement(with);  // either may be this string
    const int needleLength = needle.GetLength(), replacementLength = replacement.GetLength();
    int count = 0;
    for (int pos = Find(needle, start); pos >= 0; pos = Find(needle, pos + replacementLength)) {
        Replace(pos, needleLength, replacement);
        ++count;
    }
    return count;
}

void CString::ReplaceChar(char from, char to)
{
    const int length = GetLength();
    const std::uint16_t a = static_cast<std::uint8_t>(from), b = static_cast<std::uint8_t>(to);
    if (FindChar(a) < 0) return;
    Grow(length);
    for (int i = 0; i < length; ++i)
        if (Unit(i) == a) PutUnit(i, b);
    ReleaseBuffer(-1);  // replacing by 0 ends the text there
}

void CString::TrimRight()
{
    int length = GetLength();
    int end = length;
    while (end > 0 && IsBlank(Unit(end - 1))) --end;
    if (end == length) return;
    Grow(length);
    PutUnit(end, 0);
}

void CString::TrimLeft()
{
    const int blanks = CountLeadingBlanks();
    if (blanks > 0) Assign(Mid(blanks));
}

namespace {
bool InSet(const char* set, std::uint16_t c) { return c != 0 && c <= 255 && std::strchr(set, static_cast<char>(c)); }
}  // namespace

template <typename Keep>
void CString::KeepOnlyWhere(Keep keep)
{
    const int length = GetLength();
    Grow(length);
    int out = 0;
    for (int i = 0; i < length; ++i)
        if (keep(Unit(i))) PutUnit(out++, Unit(i));
    PutUnit(out, 0);
}

void CString::RemoveBlanks()
{
    KeepOnlyWhere([](std::uint16_t c) { return !IsBlank(c); });
}

void CString::KeepOnly(const char* set)
{
    if (!set) set = "";
    KeepOnlyWhere([set](std::uint16_t c) { return InSet(set, c); });
}

bool CString::StripPrefixNoCase(const char* prefix) { return StripPrefixNoCase(CString(prefix)); }

bool CString::StripPrefixNoCase(const CString& prefix)
{
    const int n = prefix.GetLength();
    if (n == 0 || n > GetLength() || CompareNoCase(prefix, n) != 0) return false;
    Delete(0, n);
    return true;
}

bool CString::StripSuffixNoCase(const char* suffix) { return StripSuffixNoCase(CString(suffix)); }

bool CString::StripSuffixNoCase(const CString& suffix)
{
    const int n = suffix.GetLength(), length = GetLength();
    if (n == 0 || n > length || Mid(length - n).CompareNoCase(suffix) != 0) return false;
    Delete(length - n, n);
    return true;
}

// --- read and copy out -----------------------------------------------------------------------------------------

int CString::GetLength() const
{
    if (!IsWide()) return static_cast<int>(std::strlen(GetText()));
    const std::uint16_t* p = GetWideText();
    int n = 0;
    while (p[n]) ++n;
    return n;
}

std::uint16_t CString::GetAt(int pos) const
{
    if (pos < 0) return 0;
    for (int i = 0; i < pos; ++i)
        if (Unit(i) == 0) return 0;
    return Unit(pos);
}

std::uint16_t CString::CharAt(int pos) const { return GetAt(pos); }

std::uint8_t CString::GetByte(int pos) const
{
    if (pos < 0 || pos >= GetByteLength()) return 0;
    return static_cast<std::uint8_t>(GetText()[pos]);
}

CString CString::Mid(int pos) const { return Mid(pos, 0x7FFFFFFF); }

CString CString::Mid(int pos, int count) const
{
    const int length = GetLength();
    if (pos < 0) pos = 0;
    if (pos >= length || count <= 0) return CString();
    if (count > length - pos) count = length - pos;
    if (pos == 0 && count == length) return *this;
    CString result;
    result.Attach(Allocate(count, IsWide()));
    const int unit = IsWide() ? 2 : 1;
    std::memcpy(result.TextOf(result.m_buffer), GetText() + pos * unit, static_cast<std::size_t>(count) * unit);
    result.PutUnit(count, 0);
    return result;
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const
{
    const int length = GetLength();
    if (count > length) count = length;
    return Mid(length - count, count);
}

// --- search ----------------------------------------------------------------------------------------------------

int CString::FindChar(std::uint16_t ch, int pos, bool forward) const
{
    const int length = GetLength();
    if (pos < 0 || pos >= length) return kNoIndex;
    if (forward) {
        for (int i = pos; i < length; ++i)
            if (Unit(i) == ch) return i;
    } else {
        for (int i = pos; i >= 0; --i)
            if (Unit(i) == ch) return i;
    }
    return kNoIndex;
}

int CString::CountChar(std::uint16_t ch, int pos) const
{
    const int length = GetLength();
    int count = 0;
    for (int i = pos < 0 ? 0 : pos; i < length; ++i)
        if (Unit(i) == ch) ++count;
    return count;
}

int CString::NextLineStart(int pos) const { return CountChar('\n', pos) + 1; }

int CString::FindText(const CString& what, int start, bool noCase) const
{
    const int length = GetLength(), needle = what.GetLength();
    if (start < 0) start = 0;
    if (needle == 0 || start >= length) return kNoIndex;
    for (int i = start; i + needle <= length; ++i) {
        int j = 0;
        if (noCase) {
            while (j < needle && LowerAscii(Unit(i + j)) == LowerAscii(what.Unit(j))) ++j;
        } else {
            while (j < needle && Unit(i + j) == what.Unit(j)) ++j;
        }
        if (j == needle) return i;
    }
    return kNoIndex;
}

int CString::Find(const char* what, int start) const { return FindText(CString(what), start, false); }
int CString::Find(const CString& what, int start) const { return FindText(what, start, false); }
int CString::FindNoCase(const char* what, int start) const { return FindText(CString(what), start, true); }
int CString::FindNoCase(const CString& what, int start) const { return FindText(what, start, true); }

bool CString::IsBlankAt(int pos) const
{
    const std::uint16_t c = GetAt(pos);
    return c != 0 && IsBlank(c);
}

int CString::CountLeadingBlanks() const
{
    int n = 0;
    while (IsBlank(Unit(n))) ++n;
    return n;
}

// --- compare ---------------------------------------------------------------------------------------------------

namespace {

// Unit-by-unit comparison of at most count units. 8-bit against 8-bit folds to lower case, as the C library's
// case-insensitive compare does; where UTF-16 takes part 'a'..'z' fold to upper case.
template <typename A, typename B>
int CompareUnits(const A* a, const B* b, bool noCase, bool foldUp, int count)
{
    for (int i = 0; i < count; ++i) {
        std::uint16_t x = static_cast<std::uint16_t>(a[i]), y = static_cast<std::uint16_t>(b[i]);
        if (noCase) {
            x = foldUp ? UpperAscii(x) : LowerAscii(x);
            y = foldUp ? UpperAscii(y) : LowerAscii(y);
        }
        if (x != y || x == 0) return static_cast<int>(x) - static_cast<int>(y);
    }
    return 0;
}

}  // namespace

int CString::CompareStrings(const CString& other, bool noCase, int count) const
{
    if (count == 0) return 0;
    const bool thisEmpty = IsEmpty(), otherEmpty = other.IsEmpty();
    if (thisEmpty || otherEmpty) return thisEmpty == otherEmpty ? 0 : (thisEmpty ? -1 : 1);
    const auto* narrowA = reinterpret_cast<const std::uint8_t*>(GetText());
    const auto* narrowB = reinterpret_cast<const std::uint8_t*>(other.GetText());
    const bool foldUp = IsWide() || other.IsWide();
    if (!IsWide() && !other.IsWide()) return CompareUnits(narrowA, narrowB, noCase, foldUp, count);
    if (IsWide() && other.IsWide()) return CompareUnits(GetWideText(), other.GetWideText(), noCase, foldUp, count);
    if (IsWide()) return CompareUnits(GetWideText(), narrowB, noCase, foldUp, count);
    return CompareUnits(narrowA, other.GetWideText(), noCase, foldUp, count);
}

int CString::Compare(const CString& other) const { return CompareStrings(other, false, 0x7FFFFFFF); }
int CString::CompareNoCase(const CString& other) const { return CompareStrings(other, true, 0x7FFFFFFF); }
int CString::CompareNoCase(const CString& other, int count) const { return CompareStrings(other, true, count); }

int CString::CompareText(const char* text, bool noCase) const
{
    if (IsEmpty()) return text && *text ? -1 : 0;
    if (!text || (noCase && !*text)) return 1;
    const auto* raw = reinterpret_cast<const std::uint8_t*>(text);
    if (IsWide()) return CompareUnits(GetWideText(), raw, noCase, true, 0x7FFFFFFF);
    return CompareUnits(reinterpret_cast<const std::uint8_t*>(GetText()), raw, noCase, false, 0x7FFFFFFF);
}

int CString::Compare(const char* text) const { return CompareText(text, false); }
int CString::CompareNoCase(const char* text) const { return CompareText(text, true); }

// --- numbers ---------------------------------------------------------------------------------------------------

int CString::ToInt() const
{
    // Leading white space, an optional sign and decimal digits; values beyond 32 bits stop at the nearest limit.
    int i = 0;
    while (Unit(i) == ' ' || (Unit(i) >= '\t' && Unit(i) <= '\r')) ++i;
    bool negative = false;
    if (Unit(i) == '+' || Unit(i) == '-') negative = Unit(i++) == '-';
    long long value = 0;
    for (; Unit(i) >= '0' && Unit(i) <= '9'; ++i) {
        value = value * 10 + (Unit(i) - '0');
        if (value > 2147483648LL) break;
    }
    return ClampToInt(negative ? -value : value);
}

float CString::ToFloat() const
{
    char narrow[256];
    const char* text = GetText();
    if (IsWide()) {
        int n = 0;
        for (; n < 255 && Unit(n); ++n) narrow[n] = static_cast<char>(Unit(n) & 0xFF);
        narrow[n] = 0;
        text = narrow;
    }
    return static_cast<float>(strtod_l(text, nullptr, CLocale()));
}

void CString::SetInt(int value, int radix)
{
    if (radix < 2 || radix > 36) radix = 10;
    // A sign only in decimal; other radices print the value's 32 bits as unsigned.
    char digits[40];
    int n = 0;
    const bool negative = radix == 10 && value < 0;
    std::uint32_t rest = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        const std::uint32_t digit = rest % radix;
        digits[n++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
        rest /= radix;
    } while (rest);
    if (negative) digits[n++] = '-';
    char text[40];
    for (int i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
    Assign(text, n);
}

namespace {

// "%" + "0" when zero-padded + the width when given + ".precision" when given + the conversion.
void BuildNumberFormat(char* out, int zeroPad, int width, int precision, char conversion)
{
    int n = 0;
    out[n++] = '%';
    if (zeroPad == 1) out[n++] = '0';
    if (width != 0) n += std::snprintf(out + n, 16, "%d", width);
    if (precision != 0) n += std::snprintf(out + n, 16, ".%d", precision);
    out[n++] = conversion;
    out[n] = 0;
}

}  // namespace

bool CString::SubstituteInt(int value, int zeroPad, int width)
{
    ReplaceFirst("%%", "%");
    char format[48], number[64];
    BuildNumberFormat(format, zeroPad, width, 0, 'd');
    std::snprintf(number, sizeof number, format, value);
    const CString text(number);
    return ReplaceFirst("%d", text) || ReplaceFirst("%u", text) || ReplaceFirst("%i", text);
}

bool CString::AppendInt(int value, int zeroPad, int width)
{
    // The number goes straight to the end, so that a "%d" or "%%" already in the text stays as it is.
    char format[48], number[64];
    BuildNumberFormat(format, zeroPad, width, 0, 'd');
    std::snprintf(number, sizeof number, format, value);
    Append(number);
    return true;
}

bool CString::SubstituteFloat(double value, int zeroPad, int width, int precision)
{
    ReplaceFirst("%%", "%");
    char format[48], number[400];
    BuildNumberFormat(format, zeroPad, width, precision, 'g');
    std::snprintf(number, sizeof number, format, value);
    const CString text(number);
    return ReplaceFirst("%f", text) || ReplaceFirst("%g", text);
}

// --- format ----------------------------------------------------------------------------------------------------

void CString::VFormat(bool append, const char* format, va_list args)
{
    // The text is measured first and written into a new buffer of exactly that room, so the buffer is never
    // too small and an argument that points into this string stays valid while it is read.
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, format ? format : "", measure);
    va_end(measure);
    if (length < 0) length = 0;
    Buffer* buffer = Allocate(length, false);
    std::vsnprintf(TextOf(buffer), static_cast<std::size_t>(length) + 1, format ? format : "", args);
    if (!append) {
        Attach(buffer);
        return;
    }
    CString piece;
    piece.Attach(buffer);
    Append(piece);
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    VFormat(false, format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    VFormat(true, format, args);
    va_end(args);
}

// --- direct access ---------------------------------------------------------------------------------------------

char* CString::GetBuffer(int n)
{
    Grow(n > m_buffer->capacity ? n : m_buffer->capacity);
    return TextOf(m_buffer);
}

char* CString::GetBufferDiscard(int n)
{
    GrowDiscard(n > m_buffer->capacity ? n : m_buffer->capacity);
    return TextOf(m_buffer);
}

void CString::ReleaseBuffer(int length)
{
    if (m_buffer == EmptyBuffer()) return;
    const int capacity = m_buffer->capacity;
    if (length < 0) {
        length = 0;
        while (length < capacity && Unit(length)) ++length;
    }
    PutUnit(length > capacity ? capacity : length, 0);
}

void CString::Reserve(int n)
{
    const int length = GetLength();
    Grow(n > length ? n : length);
}

// --- escape form -----------------------------------------------------------------------------------------------

CString CString::EncodeUnicodeHex() const
{
    if (!IsWide()) return *this;
    if (FitsInEightBits()) {
        CString narrow(*this);
        narrow.ToNarrow();
        return narrow;
    }
    const int length = GetLength();
    CString result;
    result.Attach(Allocate(kUnicodeMarkerLength + length * 4 + 1, false));
    char* out = TextOf(result.m_buffer);
    std::memcpy(out, kUnicodeMarker, kUnicodeMarkerLength);
    out += kUnicodeMarkerLength;
    for (int i = 0; i < length; ++i) {
        const std::uint16_t unit = Unit(i);
        const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(unit & 0xFF), static_cast<std::uint8_t>(unit >> 8)};
        for (std::uint8_t byte : bytes) {
            *out++ = kHexDigits[byte >> 4];
            *out++ = kHexDigits[byte & 0xF];
        }
    }
    *out++ = '>';
    *out = 0;
    return result;
}

void CString::DecodeUnicodeHex()
{
    if (IsWide()) return;
    const CString marker(kUnicodeMarker);
    for (;;) {
        const int start = Find(marker);
        if (start < 0) return;
        const int digitsStart = start + kUnicodeMarkerLength;
        const int close = FindChar('>', digitsStart);
        if (close < 0) return;  // an unclosed marker: the text from it on stays as it is
        std::vector<std::uint16_t> units;
        for (int i = 0; i < start; ++i) units.push_back(Unit(i));
        for (int d = digitsStart; d + 4 <= close; d += 4) {
            const int low = HexValue(static_cast<char>(Unit(d))) * 16 + HexValue(static_cast<char>(Unit(d + 1)));
            const int high = HexValue(static_cast<char>(Unit(d + 2))) * 16 + HexValue(static_cast<char>(Unit(d + 3)));
            units.push_back(static_cast<std::uint16_t>(low | (high << 8)));
        }
        const int length = GetLength();
        for (int i = close + 1; i < length; ++i) units.push_back(Unit(i));
        if (units.empty()) {
            Attach(Allocate(0, true));
            WideOf(m_buffer)[0] = 0;
        } else {
            Assign(CString(units.data(), static_cast<int>(units.size())));
        }
    }
}

int CString::DecodeHexInto(std::uint8_t* bytes, int n) const
{
    const int count = n < GetLength() / 2 ? n : GetLength() / 2;
    for (int i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(HexValue(static_cast<char>(Unit(2 * i))) * 16 +
                                             HexValue(static_cast<char>(Unit(2 * i + 1))));
    return count < 0 ? 0 : count;
}
