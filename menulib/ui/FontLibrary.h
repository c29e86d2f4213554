// The fonts that pages and skins name by their place in one library: the "*.FONT.TXT" property files of a folder
// (TrueType fonts and bitmap fonts), each loaded when first asked for.
#pragma once
#include "foundation/ObjectFileCollection.h"
#include "platform/rect.h"
#include "ui/Font.h"

class FontLibrary : public ObjectFileCollection<CFont> {
public:
    static constexpr const char* kExtension = "FONT.TXT";

    FontLibrary(const char* displayName, const char* folder)
        : ObjectFileCollection<CFont>(displayName, folder, kExtension)
    {
    }

    // The font at the index (an index past the end means 0); none for an empty library. A font asked for while
    // it is being read ends the process.
    CFont* GetFont(int index) { return GetOrLoad(index); }
    // Marks the font to keep, loads it and starts it once.
    void Preload(int index) { MarkUsed(index); }
    // The index of a font object, -1 when it is not in the library.
    int IndexOfFont(const CFont* font) { return FindObject(font); }
};

// The library's fonts, made on first use; the menu session gives it its folder.
FontLibrary& GetFontLibrary();

// A font chosen by its library index, resolved on demand: index 0 is no font when the library's first item is
// named "none". As a picture it is the glyph of "A".
class FontReference {
public:
    FontReference(FontLibrary& library, int index) : m_library(library), m_index(index) {}

    CFont* Resolve();
    void Draw(CFrameInterface* target, int x, int y);
    // The extent of the glyph of "A"; empty without a font.
    platform::Rect GetSize();

private:
    static constexpr unsigned kPictureCode = 'A';

    FontLibrary& m_library;
    int m_index;
    CFont* m_font = nullptr;
};
