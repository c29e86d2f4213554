#include "foundation/FontStream.h"

#include "foundation/CFile.h"

unsigned long FontStreamRead(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    if (count == 0) return 0;
    auto* file = static_cast<CFile*>(stream->descriptor.pointer);
    if (!file || offset > 0x7FFFFFFFul || count > 0x7FFFFFFFul || !file->Seek(static_cast<int>(offset))) return 0;
    const int got = file->Read(buffer, static_cast<int>(count));
    return got > 0 ? static_cast<unsigned long>(got) : 0;
}

void FontStreamClose(FT_Stream stream)
{
    if (auto* file = static_cast<CFile*>(stream->descriptor.pointer)) file->Close();
}
