// The menu library's string: one pointer to a shared, reference-counted buffer of 8-bit or UTF-16 text.
// Copies share the buffer; every writing operation first makes it unshared (copy-on-write). A string turns
// UTF-16 on its own when a character above 255 or UTF-16 text is put into it.
#pragma once
#include <cstdint>

// The position or index answered when there is none: a string search or a lookup in the lists, registries and
// collections built on strings that finds nothing, a list that cannot add.
constexpr int kNoIndex = -1;

class CString {
public:
    // The buffer in front of the text. The header is 12 bytes so that UTF-16 text stays aligned.
    struct Buffer {
        std::int32_t refs;
        std::int32_t capacity;  // room in characters, not counting the terminator
        std::uint8_t wide;      // 0 = 8-bit text, 1 = UTF-16 text
        std::uint8_t reserved[3];
    };
    static Buffer* EmptyBuffer();

    // construct
    CString();
    CString(const CString& other);
    CString(const char* text);
    CString(const char* text, int length);
    CString(const std::uint16_t* text, int length);
    CString(char ch, int count);
    ~CString();

    // assign
    void Assign(const char* text);
    CString& operator=(const char* text);
    void Assign(const char* text, int length);
    void Assign(const CString& other);
    CString& operator=(const CString& other);
    void AssignLeft(const CString& other, int count);
    void Empty();
    void Clear();
    void Reset();

    // append
    void Append(const char* text, int count);
    void Append(const char* text);
    void Append(char ch);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    void Append(const CString& other);
    CString& operator+=(const CString& other);
    void Append(const CString& other, int count);
    void AppendRepeated(std::uint16_t ch, int count);
    void AppendWithSeparator(const char* separator, const CString& other);

    // paths ('/' is the separator these add)
    void AppendPath(const char* text, int count);
    void AppendPath(const char* text);
    void AppendPath(const CString& other);
    void SetPath(const char* folder, const char* name);
    void SetPath(const char* folder, const char* name, const char* suffix);
    void SetPathWithSubpath(const char* base, const char* relative, const char* suffix);
    void SetPathWithSubpathAndFile(const char* base, const char* relative, const char* file, const char* suffix);

    // edit
    void SetAt(int pos, std::uint16_t ch);
    void Insert(int pos, const char* text);
    void Insert(int pos, const CString& other);
    void InsertChar(int pos, std::uint16_t ch);
    void Replace(int pos, int count, const CString& with);
    void Delete(int pos, int count);
    bool ReplaceFirst(const char* what, const char* with, int start = 0);
    bool ReplaceFirst(const char* what, const CString& with, int start = 0);
    bool ReplaceFirst(const CString& what, const CString& with, int start = 0);
    int ReplaceAll(const char* what, const CString& with, int start = 0);
    int ReplaceAll(const CString& what, const CString& with, int start = 0);
    void ReplaceChar(char from, char to);
    void TrimRight();
    void TrimLeft();
    void RemoveBlanks();
    void KeepOnly(const char* set);
    bool StripPrefixNoCase(const char* prefix);
    bool StripPrefixNoCase(const CString& prefix);
    bool StripSuffixNoCase(const char* suffix);
    bool StripSuffixNoCase(const CString& suffix);

    // read
    const char* GetText() const { return TextOf(m_buffer); }
    const std::uint16_t* GetWideText() const { return reinterpret_cast<const std::uint16_t*>(TextOf(m_buffer)); }
    int GetLength() const;
    int GetByteLength() const { return IsWide() ? GetLength() * 2 : GetLength(); }
    bool IsEmpty() const { return Unit(0) == 0; }
    bool IsNotEmpty() const { return !IsEmpty(); }
    bool IsWide() const { return m_buffer->wide != 0; }
    std::uint16_t GetAt(int pos) const;
    std::uint16_t CharAt(int pos) const;
    std::uint8_t GetByte(int pos) const;
    int GetFreeCapacity() const { return m_buffer->capacity - GetLength(); }

    // copy out
    CString Mid(int pos) const;
    CString Mid(int pos, int count) const;
    CString Left(int count) const;
    CString Tail(int pos) const { return Mid(pos); }
    CString Right(int count) const;

    // search: each answers kNoIndex when there is no match
    int FindChar(std::uint16_t ch, int pos = 0, bool forward = true) const;
    int CountChar(std::uint16_t ch, int pos = 0) const;
    int NextLineStart(int pos) const;
    int CountLines(int pos) const { return NextLineStart(pos); }
    int Find(const char* what, int start = 0) const;
    int Find(const CString& what, int start = 0) const;
    int FindNoCase(const char* what, int start = 0) const;
    int FindNoCase(const CString& what, int start = 0) const;
    bool IsBlankAt(int pos) const;
    int CountLeadingBlanks() const;

    // compare
    int Compare(const CString& other) const;
    int Compare(const char* text) const;
    int CompareNoCase(const CString& other) const;
    int CompareNoCase(const char* text) const;
    int CompareNoCase(const CString& other, int count) const;
    bool operator==(const CString& other) const { return Compare(other) == 0; }
    bool operator==(const char* text) const { return Compare(text) == 0; }

    // numbers
    int ToInt() const;
    float ToFloat() const;
    void SetInt(int value, int radix = 10);
    bool SubstituteInt(int value, int zeroPad = 0, int width = 0);
    bool AppendInt(int value, int zeroPad = 0, int width = 0);
    bool SubstituteFloat(double value, int zeroPad = 0, int width = 0, int precision = 0);

    // format (printf-style; the result is 8-bit text, widened when appended to UTF-16 content)
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // direct access
    char* GetBuffer(int n);
    char* GetBufferDiscard(int n);
    void ReleaseBuffer(int length = -1);
    void Reserve(int n);

    // escape form for places that store 8-bit text only: "UNICODE-HEX<" hex digits ">"
    CString EncodeUnicodeHex() const;
    void DecodeUnicodeHex();
    int DecodeHexInto(std::uint8_t* bytes, int n) const;

    // internal buffer operations, public for the tests of the sharing rules
    int GetCapacity() const { return m_buffer->capacity; }
    int GetShareCount() const { return m_buffer->refs; }
    bool FitsInEightBits() const;

private:
    static char* TextOf(Buffer* buffer) { return reinterpret_cast<char*>(buffer + 1); }
    static std::uint16_t* WideOf(Buffer* buffer) { return reinterpret_cast<std::uint16_t*>(buffer + 1); }
    static Buffer* Allocate(int n, bool wide);
    static void FreeBuffer(Buffer* buffer);
    void Share(Buffer* buffer);
    void Release();
    void Attach(Buffer* buffer);  // release the old buffer and take over a new one (count already 1)
    void Grow(int n);
    void GrowDiscard(int n);
    void ToWide();
    void ToNarrow();
    std::uint16_t Unit(int pos) const
    {
        return IsWide() ? WideOf(m_buffer)[pos] : static_cast<std::uint8_t>(TextOf(m_buffer)[pos]);
    }
    void PutUnit(int pos, std::uint16_t ch)
    {
        if (IsWide())
            WideOf(m_buffer)[pos] = ch;
        else
            TextOf(m_buffer)[pos] = static_cast<char>(ch);
    }
    bool PointsInto(const void* text) const;
    int FindText(const CString& what, int start, bool noCase) const;
    int CompareStrings(const CString& other, bool noCase, int count) const;
    int CompareText(const char* text, bool noCase) const;
    template <typename Keep>
    void KeepOnlyWhere(Keep keep);
    void AppendUnits(const CString& other, int count);
    void VFormat(bool append, const char* format, __builtin_va_list args);

    Buffer* m_buffer;
};

// Splits a path at its last '\\' or '/': the folder without the separator and the name after it.
void SplitPath(const char* path, CString* folder, CString* name);
void SplitPath(const CString& path, CString* folder, CString* name);
// The first character of text that is not a tab, space, CR or LF.
const char* SkipBlanks(const char* text);
// The blank characters shared by the string's trimming and testing operations.
extern const char* const kBlankCharacters;
