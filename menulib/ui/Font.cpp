#include "ui/Font.h"

#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H

#include "blit/BlitType.h"
#include "foundation/PropertyTypes.h"
#include "frames/ColorProperty.h"
#include "frames/Frame.h"
#include "frames/FrameProcess.h"
#include "ui/TrueTypeFace.h"

namespace {

CFont* AsFont(CObject* object) { return static_cast<CFont*>(object); }

// The 8-bit grey bitmap of a rendered glyph as a 32-bit frame: the colour's channels, the grey as alpha.
std::unique_ptr<CFrame> MakeGreyFrame(const FT_Bitmap& bitmap, const Color& color)
{
    auto frame = std::make_unique<CFrame>();
    if (!frame->Create(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows), 32)) return nullptr;
    // The pitch counts pixels of four bytes.
    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(frame->GetPitch()) * 4;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* grey = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::uint8_t* out = frame->GetPixels() + static_cast<std::ptrdiff_t>(row) * rowBytes;
        for (unsigned x = 0; x < bitmap.width; ++x, out += 4) {
            out[0] = color.B;
            out[1] = color.G;
            out[2] = color.R;
            out[3] = grey[x];
        }
    }
    return frame;
}

}  // namespace

void DeclareFont(ClassInfo* record)
{
    record->AddProperty(new FixedCollectionItemPropertyInfo("Font Family", Member<&CFont::m_familyIndex>(),
                                                            &GetTrueTypeFontList(), "!default.ttf",
                                                            &CFont::OnFamilyChanged));
    record->AddProperty(new FixedCollectionItemPropertyInfo("Blit Type", Member<&CFont::m_blitTypeIndex>(),
                                                            &GetBlitTypeList(), "Transparent Mask",
                                                            &CFont::OnBlitTypeChanged));
    record->AddProperty(
        (new ColorProperty("Generated Color", Member<&CFont::m_generatedColor>(), 255, 255, 255, 255))->SetWithAlpha());
    record->AddProperty(new FloatPropertyInfo(
        "Point Size", Member<&CFont::m_pointSize>(),
        {.defaultValue = 12.0f, .min = 3.0f, .max = 72.0f, .setter = &CFont::OnPointSizeChanged}));
    record->AddProperty(
        new BoolPropertyInfo("Generate All Caps", Member<&CFont::m_allCaps>(), false, &CFont::OnAllCapsChanged));
}

IMPLEMENT_PERSISTENT_CLASS(CFont, CObject, 13.0f, DeclareFont)

PropertyInfo* OriginalPointSizeProperty()
{
    static PropertyInfo* property = [] {
        auto* made = new FloatPropertyInfo("OriginalPointSize", HolderValue<float>(),
                                           {.defaultValue = 12.0f, .min = 0.0f, .max = 200.0f, .units = "Points"});
        AttachProperty(made, CFont::GetStaticClassInfo(), 0, nullptr);
        return made;
    }();
    return property;
}

CFont::CFont()
{
    ScanTrueTypeFonts();
    ConstructOwnMembers();
    m_glyphs.resize(kInitialTableSize);
    m_blitType = GetBlitTypeList().GetType(m_blitTypeIndex);
}

CFont::~CFont()
{
    ReleaseGlyphs();
    DestroyOwnMembers();
}

void CFont::OnFamilyChanged(CObject* object, std::int32_t index) { AsFont(object)->SetFamilyIndex(index); }

void CFont::OnBlitTypeChanged(CObject* object, std::int32_t index) { AsFont(object)->SetBlitTypeIndex(index); }

void CFont::OnPointSizeChanged(CObject* object, float size) { AsFont(object)->SetPointSize(size); }

void CFont::OnAllCapsChanged(CObject* object, bool on) { AsFont(object)->SetAllCaps(on); }

void CFont::SetFamilyIndex(int index)
{
    m_familyIndex = index;
    ReleaseGlyphs();
    InvalidateLayout();
}

void CFont::SetBlitTypeIndex(int index)
{
    m_blitTypeIndex = index;
    m_blitType = GetBlitTypeList().GetType(index);
}

// The setters also forget the wrapped layout themselves: a bitmap font keeps its glyphs.
void CFont::SetPointSize(float size)
{
    ReleaseGlyphs();
    InvalidateLayout();
    m_pointSize = size;
}

void CFont::SetAllCaps(bool on)
{
    ReleaseGlyphs();
    InvalidateLayout();
    m_allCaps = on;
}

void CFont::ScalePointSize(float factor)
{
    auto* values = GetOrCreateDynamicProperties();
    const PropertyInfo* original = OriginalPointSizeProperty();
    auto* stored = static_cast<float*>(values->Find(original));
    if (!stored) {
        stored = static_cast<float*>(values->GetOrCreate(original));
        *stored = m_pointSize;
    }
    const float size = *stored * factor;
    if (size != m_pointSize) SetPointSize(size);
}

int CFont::GetRoundedPointSize() const { return static_cast<int>(std::ceil(m_pointSize)); }

void CFont::ReleaseGlyphs()
{
    m_cachedHeight = 0;
    InvalidateLayout();
    m_face.reset();
    for (auto& glyph : m_glyphs) glyph.reset();
}

void CFont::GrowTable(unsigned code)
{
    if (code >= m_glyphs.size()) m_glyphs.resize(static_cast<std::size_t>(code) + 1);
}

CFrame* CFont::GetGlyph(unsigned code) { return GetTrueTypeGlyph(code); }

CFrame* CFont::GetTrueTypeGlyph(unsigned code)
{
    if (code > kLastCode) return nullptr;
    GrowTable(code);
    if (m_glyphs[code]) return m_glyphs[code].get();
    const unsigned shape = m_allCaps && code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;
    if (!m_face) m_face = std::make_unique<TrueTypeFace>(TrueTypeFontPath(m_familyIndex).GetText(), m_pointSize);
    std::unique_ptr<CFrame> glyph = RenderGlyph(shape);
    if (!glyph) return nullptr;
    FinishGlyph(*glyph);
    m_glyphs[code] = std::move(glyph);
    return m_glyphs[code].get();
}

std::unique_ptr<CFrame> CFont::RenderGlyph(unsigned shapeCode)
{
    FT_Face face = m_face->GetFace();
    if (const FT_Error error = FT_Select_Charmap(face, FT_ENCODING_UNICODE)) FontFatal("Invalid charmap.\n", error);
    const FT_UInt index = FT_Get_Char_Index(face, shapeCode & 0xFFFFu);
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP)) return nullptr;
    FT_Glyph shape = nullptr;
    if (FT_Get_Glyph(face->glyph, &shape)) return nullptr;
    FT_BBox box;
    FT_Glyph_Get_CBox(shape, FT_GLYPH_BBOX_PIXELS, &box);
    if (FT_Glyph_To_Bitmap(&shape, FT_RENDER_MODE_NORMAL, nullptr, 1)) {
        FT_Done_Glyph(shape);
        return nullptr;
    }
    const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    const int descent = static_cast<int>((-face->size->metrics.descender) >> 6);
    const int advance = static_cast<int>(face->glyph->advance.x >> 6);
    if (m_face->GetFirstAscender() == 0) m_face->SetFirstAscender(ascent);

    Color color = m_generatedColor;
    color.SetRGBA(color.R, color.G, color.B, 255);
    auto glyph = std::make_unique<CFrame>();
    auto* bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(shape);
    const FT_Bitmap& bitmap = bitmapGlyph->bitmap;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        const int width = std::max({advance, 1, static_cast<int>(bitmap.width)});
        const int height = std::max({static_cast<int>(bitmap.rows), 1, ascent + descent});
        glyph->Create(width, height, 32);
        if (bitmap.width > 0 && bitmap.rows > 0) {
            std::unique_ptr<CFrame> grey = MakeGreyFrame(bitmap, color);
            if (grey) glyph->BlitAt(grey.get(), bitmapGlyph->left, ascent - bitmapGlyph->top, &NormalBlitType());
        }
        glyph->SetOrigin(0, 1 - descent);
    }
    FT_Done_Glyph(shape);
    return glyph;
}

void CFont::FinishGlyph(CFrame& glyph)
{
    if (!glyph.GetPixels()) return;
    FrameProcessChain chain;
    chain.AddStep(FrameProcess::kConvert);
    chain.AddStep(FrameProcess::kRunEncode);
    chain.Apply(glyph);
}

CFrame* CFont::GetPrintableGlyph(int code) { return code < kFirstPrintableCode ? nullptr : GetGlyph(code); }

int CFont::GetCharWidth(int code)
{
    const CFrame* glyph = GetPrintableGlyph(code);
    return glyph ? glyph->GetWidth() : 0;
}

int CFont::GetHeight()
{
    if (m_cachedHeight == 0) {
        GetGlyph8('A');
        if (m_face) m_cachedHeight = m_face->GetFirstAscender();
    }
    return m_cachedHeight;
}

int CFont::GetLineHeight()
{
    // The height first: it makes the glyph of 'A', so a fresh font answers as it will after its first text.
    const int height = GetHeight();
    for (const auto& glyph : m_glyphs)
        if (glyph) return glyph->GetOriginY() + height;
    return height;
}
