#include "foundation/Clipboard.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/CString.h"
#include "platform/clipboard.h"

Clipboard& Clipboard::Instance()
{
    static Clipboard clipboard;
    return clipboard;
}

bool Clipboard::CopyText(const char* text)
{
    if (!text) return false;
    return SetClipboardBytes("Text", text, static_cast<int>(std::strlen(text)) + 1);
}

bool Clipboard::CopyBytes(const void* data, int n)
{
    if (!data || n < 0) return false;
    std::string text(static_cast<const char*>(data), n);
    return CopyText(text.c_str());
}

const char* Clipboard::PasteText() { return PasteFormat("Text", nullptr); }

char* Clipboard::PasteFormat(const char* format, int* size)
{
    m_lastPaste.reset(GetClipboardBytes(format, size));
    return m_lastPaste.get();
}

unsigned GetClipboardFormatId(const char* name)
{
    if (!name) return 0;
    if (CString(name).CompareNoCase("Text") == 0) return CF_TEXT;
    return RegisterClipboardFormatA(name);
}

bool SetClipboardBytes(const char* format, const void* data, int n)
{
    if (n < 0) return false;
    return platform::WriteClipboard(GetClipboardFormatId(format), data, static_cast<std::size_t>(n));
}

char* GetClipboardBytes(const char* format, int* size)
{
    if (size) *size = 0;
    std::string bytes;
    if (!platform::ReadClipboard(GetClipboardFormatId(format), &bytes)) return nullptr;
    // Callers read text as a C string: the copy always ends in a 0 of its own.
    MallocBlock<char> copy(static_cast<char*>(std::malloc(bytes.size() + 1)));
    if (!copy) return nullptr;
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    copy[bytes.size()] = 0;
    if (size) *size = static_cast<int>(bytes.size());
    return copy.release();
}
