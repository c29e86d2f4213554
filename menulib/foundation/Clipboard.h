// The clipboard: text and named formats of bytes.
#pragma once
#include "foundation/MallocBlock.h"

class Clipboard {
public:
    static Clipboard& Instance();
    bool CopyText(const char* text);
    // n bytes and a terminating 0.
    bool CopyBytes(const void* data, int n);
    const char* PasteText();
    // The bytes of the format (the clipboard keeps them until the next paste), always followed by a 0; null
    // when the clipboard holds none.
    char* PasteFormat(const char* format, int* size);

private:
    Clipboard() = default;
    MallocBlock<char> m_lastPaste;
};

// "Text" (any case) is the system's text format; other names are registered formats.
unsigned GetClipboardFormatId(const char* name);
bool SetClipboardBytes(const char* format, const void* data, int n);
// A new malloc block of size + 1 bytes, the last one 0; the caller frees it. Null when there is none.
char* GetClipboardBytes(const char* format, int* size);
