#include "ui/FontLibrary.h"

#include "frames/Frame.h"

FontLibrary& GetFontLibrary()
{
    static FontLibrary library("Fonts", "");
    return library;
}

CFont* FontReference::Resolve()
{
    if (m_font) return m_font;
    if (m_index == 0 && m_library.GetCount() > 0 && CString(m_library.GetName(0)).CompareNoCase("none") == 0)
        return nullptr;
    m_font = m_library.GetFont(m_index);
    return m_font;
}

void FontReference::Draw(CFrameInterface* target, int x, int y)
{
    CFont* font = Resolve();
    CFrame* glyph = font ? font->GetGlyph(kPictureCode) : nullptr;
    if (glyph) target->BlitAt(glyph, x, y, font->GetBlitType());
}

platform::Rect FontReference::GetSize()
{
    CFont* font = Resolve();
    const CFrame* glyph = font ? font->GetGlyph(kPictureCode) : nullptr;
    return glyph ? glyph->GetBounds() : platform::Rect{};
}
