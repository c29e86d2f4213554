// The stream callbacks FreeType reads font files through: the stream's descriptor points at an open CFile.
#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYSTEM_H

// Seeks the file to offset and reads count bytes into buffer; count 0 reads nothing. The bytes read.
unsigned long FontStreamRead(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count);
// Closes the stream's file (its owner deletes it).
void FontStreamClose(FT_Stream stream);
