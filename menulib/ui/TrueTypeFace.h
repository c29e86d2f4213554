// The TrueType side of fonts: one FreeType face per font object, read through a CFile stream, the
// process-wide FreeType library that the open faces share, and the list of ".ttf" files under "Resources/".
#pragma once
#include <memory>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "foundation/CFile.h"
#include "foundation/FileSearch.h"

// The exit code of the font errors that end the process.
constexpr int kFontFatalExitCode = 1;

// Shows the "FATAL ERROR" box with "<what>\n  error = 0x%04x\n" and ends the process with exit code 1.
[[noreturn]] void FontFatal(const char* what, int error);

class TrueTypeFace {
public:
    // Opens the file through a CFile and a face on it at the point size; the FreeType library is initialised for
    // the first face of the process. A file that cannot be opened or holds no face ends the process.
    TrueTypeFace(const char* path, float pointSize);
    // Closes the face, releases the library with the last face, then closes the file.
    ~TrueTypeFace();
    TrueTypeFace(const TrueTypeFace&) = delete;
    TrueTypeFace& operator=(const TrueTypeFace&) = delete;

    FT_Face GetFace() const { return m_face; }
    float GetPointSize() const { return m_pointSize; }
    int GetFirstAscender() const { return m_firstAscender; }
    void SetFirstAscender(int ascender) { m_firstAscender = ascender; }

    static int GetOpenFaceCount();

private:
    FT_Face m_face = nullptr;
    float m_pointSize = 0.0f;
    int m_firstAscender = 0;
    CFile m_file;
    FT_StreamRec m_stream{};
};

// The ".ttf" files under "Resources/", in the order the file enumeration reports them. Filled once per process.
FileEnumerator& GetTrueTypeFontList();
void ScanTrueTypeFonts();
// The path of list entry index (its name holds the folder); the folder alone outside the list.
CString TrueTypeFontPath(int index);
