#include "ui/TrueTypeFace.h"

#include <cstdio>

#include "foundation/FatalMessage.h"
#include "foundation/FontStream.h"
#include "platform/process.h"

namespace {

constexpr const char* kFontFolder = "Resources/";
constexpr int kFontStreamFlags = kFileArchiveFile | kFileOwnHandle | kFileRead;  // 0x414

FT_Library g_library = nullptr;
int g_openFaces = 0;

FT_Library AcquireLibrary()
{
    if (g_openFaces == 0 && !g_library) {
        const FT_Error error = FT_Init_FreeType(&g_library);
        if (error) FontFatal("Could not initialize FreeType library", error);
    }
    return g_library;
}

void ReleaseLibrary()
{
    if (g_openFaces > 0) --g_openFaces;
    if (g_openFaces == 0 && g_library) {
        FT_Done_FreeType(g_library);
        g_library = nullptr;
    }
}

}  // namespace

void FontFatal(const char* what, int error)
{
    char text[600];
    std::snprintf(text, sizeof text, "%s\n  error = 0x%04x\n", what, error);
    FatalMessage("FATAL ERROR", text);
    platform::EndProcess(kFontFatalExitCode);
}

TrueTypeFace::TrueTypeFace(const char* path, float pointSize) : m_pointSize(pointSize)
{
    FT_Library library = AcquireLibrary();
    FT_Error error = 1;
    if (m_file.Open(path, kFontStreamFlags)) {
        m_stream.descriptor.pointer = &m_file;
        m_stream.size = static_cast<unsigned long>(m_file.GetSize());
        m_stream.read = FontStreamRead;
        m_stream.close = FontStreamClose;
        FT_Open_Args args{};
        args.flags = FT_OPEN_STREAM;
        args.stream = &m_stream;
        error = FT_Open_Face(library, &args, 0, &m_face);
    }
    if (error || !m_face) {
        char what[520];
        std::snprintf(what, sizeof what, "%s is not a font file or could not be opened", path);
        if (g_openFaces == 0 && g_library) {
            FT_Done_FreeType(g_library);
            g_library = nullptr;
        }
        FontFatal(what, 0);
    }
    const auto size = static_cast<FT_F26Dot6>(pointSize * 64.0f);
    FT_Set_Char_Size(m_face, size, size, 72, 72);
    ++g_openFaces;
}

TrueTypeFace::~TrueTypeFace()
{
    FT_Done_Face(m_face);
    ReleaseLibrary();
    m_file.Close();
}

int TrueTypeFace::GetOpenFaceCount() { return g_openFaces; }

FileEnumerator& GetTrueTypeFontList()
{
    static FileEnumerator list;
    return list;
}

void ScanTrueTypeFonts()
{
    static bool scanned = false;
    if (scanned) return;
    scanned = true;
    GetTrueTypeFontList().Scan(FileSearchSpec(kFontFolder, "ttf", FileSearchSpec::kSkipDashedFolders), 0);
}

CString TrueTypeFontPath(int index)
{
    FileEnumerator& list = GetTrueTypeFontList();
    return index >= 0 && index < list.Count() ? list.GetName(index) : CString(kFontFolder);
}
