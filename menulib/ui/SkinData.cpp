#include "ui/SkinData.h"

#include <algorithm>

#include "blit/BlitType.h"
#include "blit/FilteredScaler.h"
#include "foundation/FileSearch.h"
#include "foundation/FolderCollection.h"
#include "foundation/PropertyTypes.h"
#include "frames/ColorProperty.h"
#include "frames/ProxyFrame.h"
#include "ui/ButtonPainters.h"
#include "ui/Font.h"
#include "ui/FontLibrary.h"
#include "ui/JWindow.h"
#include "ui/TileTexture.h"
#include "ui/ToolkitStatics.h"

using platform::Rect;

namespace {

}  // namespace

// The texture set, or an empty list while none is set.
NamedList* TextureList(const void*)
{
    static FileEnumerator none;
    FolderCollection* set = toolkit::GetTextureSet();
    return set ? static_cast<NamedList*>(set) : &none;
}

namespace {

NamedList* FontList(const void*) { return &GetFontLibrary(); }

template <auto M>
PropertyInfo* Picture(const char* name)
{
    return new CollectionItemPropertyInfo(name, Member<M>(), &TextureList);
}

bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

template <auto M>
PropertyInfo* FontEntry(const char* name)
{
    return new CollectionItemPropertyInfo(name, Member<M>(), &FontList);
}

PropertyInfo* ColorWithAlpha(const char* name, MemberRef<Color> member, int r, int g, int b, int a)
{
    return (new ColorProperty(name, member, r, g, b, a))->SetWithAlpha();
}

// The picture's extent, or an empty rect at the origin without one.
Rect ExtentOf(const CFrameInterface* picture) { return picture ? picture->GetBounds() : Rect{}; }

void Ring(CFrameInterface* frame, const Rect& r, const Color& topLeft, const Color& bottomRight)
{
    frame->FillRect({r.left, r.top, r.right, r.top + 1}, topLeft);
    frame->FillRect({r.left, r.top, r.left + 1, r.bottom}, topLeft);
    frame->FillRect({r.right - 1, r.top + 1, r.right, r.bottom - 1}, bottomRight);
    frame->FillRect({r.left + 1, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

// Widens a proxy frame's clip to the parent's visible content while it lives, so that a border may reach
// outside its window; nothing for a window without parent or a frame without clip.
class WidenedClip {
public:
    WidenedClip(CJWindow* window, CFrameInterface* frame) : m_proxy(dynamic_cast<COffsetClippedProxyFrame*>(frame))
    {
        const CJWindow* parent = window->GetParent();
        if (!m_proxy || !parent) {
            m_proxy = nullptr;
            return;
        }
        m_saved = m_proxy->GetClipRect();
        const Rect& own = window->GetRect();
        m_proxy->SetClipRect(
            parent->GetClipRect().Offset(window->GetScrollX() - own.left, window->GetScrollY() - own.top));
    }
    ~WidenedClip()
    {
        if (m_proxy) m_proxy->SetClipRect(m_saved);
    }
    WidenedClip(const WidenedClip&) = delete;
    WidenedClip& operator=(const WidenedClip&) = delete;

private:
    COffsetClippedProxyFrame* m_proxy;
    Rect m_saved;
};

}  // namespace

CFrameInterface* TexturePicture(int index)
{
    FolderCollection* set = toolkit::GetTextureSet();
    if (!set || index <= 0 || index >= set->GetCount()) return nullptr;
    return dynamic_cast<CFrameInterface*>(set->GetOrLoad(index));
}

CFont* LibraryFont(int index)
{
    FontLibrary& library = GetFontLibrary();
    if (index <= 0 || index >= library.GetCount()) return nullptr;
    return library.GetFont(index);
}

// Borders.

BackgroundTextureProperty::BackgroundTextureProperty(const char* name, MemberRef<std::int32_t> member)
    : CollectionItemPropertyInfo(name, member, &TextureList)
{
}

bool BackgroundTextureProperty::AcceptsItem(int index) const { return CSkinBorder::OffersBackgroundTexture(index); }

void DeclareSkinBorder(ClassInfo* record)
{
    record->AddProperty(
        new BackgroundTextureProperty("Texture/Background Texture", Member<&CSkinBorder::m_backgroundTexture>()));
    record->AddProperty(
        ColorWithAlpha("Background Color", Member<&CSkinBorder::m_backgroundColor>(), 255, 255, 255, 24));
}

IMPLEMENT_PERSISTENT_CLASS(CSkinBorder, CObject, 1.0f, DeclareSkinBorder)

bool CSkinBorder::OffersBackgroundTexture(int index)
{
    const CFrameInterface* picture = TexturePicture(index);
    return picture && IsPowerOfTwo(picture->GetWidth()) && IsPowerOfTwo(picture->GetHeight()) && !picture->IsEncoded();
}

void CSkinBorder::DrawBorder(CJWindow* window, CFrameInterface* frame, const Rect& rect, bool drawBackground)
{
    if (drawBackground) {
        DrawBackground(window, frame, rect);
        window->DrawOverBackground(frame);
    }
    DrawFrame(window, frame, rect);
}

void CSkinBorder::DrawBackground(CJWindow*, CFrameInterface* frame, const Rect& rect) { TileOrFill(frame, rect); }

void CSkinBorder::TileOrFill(CFrameInterface* frame, const Rect& rect)
{
    if (rect.IsEmpty()) return;
    if (CFrameInterface* texture = GetBackgroundTexture())
        TileTexture(frame, texture, rect);
    else
        frame->FillRect(rect, m_backgroundColor);
}

void DeclareClassicSkinBorder(ClassInfo* record)
{
    record->AddProperty(
        new IntegerPropertyInfo("Texture Margin", Member<&CClassicSkinBorder::m_textureMargin>(), {.units = "Pixels"}));
    record->AddProperty(
        ColorWithAlpha("Top Outer Color", Member<&CClassicSkinBorder::m_topOuter>(), 255, 255, 255, 24));
    record->AddProperty(
        ColorWithAlpha("Top Inner Color", Member<&CClassicSkinBorder::m_topInner>(), 255, 255, 255, 24));
    record->AddProperty(
        ColorWithAlpha("Bottom Inner Color", Member<&CClassicSkinBorder::m_bottomInner>(), 0, 0, 0, 128));
    record->AddProperty(
        ColorWithAlpha("Bottom Outer Color", Member<&CClassicSkinBorder::m_bottomOuter>(), 0, 0, 0, 128));
}

IMPLEMENT_PERSISTENT_CLASS(CClassicSkinBorder, CSkinBorder, 1.0f, DeclareClassicSkinBorder)

void CClassicSkinBorder::DrawBackground(CJWindow*, CFrameInterface* frame, const Rect& rect)
{
    const int m = m_textureMargin;
    TileOrFill(frame, {rect.left + m, rect.top + m, rect.right - m, rect.bottom - m});
}

void CClassicSkinBorder::DrawFrame(CJWindow*, CFrameInterface* frame, const Rect& rect)
{
    if (rect.IsEmpty()) return;
    Ring(frame, rect, m_topOuter, m_bottomOuter);
    const Rect inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    if (!inner.IsEmpty()) Ring(frame, inner, m_topInner, m_bottomInner);
}

void DeclareAlphaSkinBorder(ClassInfo* record)
{
    using B = CAlphaSkinBorder;
    record->AddProperty(Picture<&B::m_topLeftAlpha>("Texture/Top Left Alpha"));
    record->AddProperty(Picture<&B::m_topRightAlpha>("Texture/Top Right Alpha"));
    record->AddProperty(Picture<&B::m_bottomLeftAlpha>("Texture/Bottom Left Alpha"));
    record->AddProperty(Picture<&B::m_bottomRightAlpha>("Texture/Bottom Right Alpha"));
    record->AddProperty(new IntegerPropertyInfo("Texture/Left Side Offset", Member<&B::m_leftOffset>()));
    record->AddProperty(new IntegerPropertyInfo("Texture/Top Side Offset", Member<&B::m_topOffset>()));
    record->AddProperty(new IntegerPropertyInfo("Texture/Right Side Offset", Member<&B::m_rightOffset>()));
    record->AddProperty(new IntegerPropertyInfo("Texture/Bottom Side Offset", Member<&B::m_bottomOffset>()));
    record->AddProperty(Picture<&B::m_topLeftPiece>("Frame/Top Left Highlight"));
    record->AddProperty(Picture<&B::m_topCenterPiece>("Frame/Top Center Highlight"));
    record->AddProperty(Picture<&B::m_topRightPiece>("Frame/Top Right Highlight"));
    record->AddProperty(Picture<&B::m_centerLeftPiece>("Frame/Center Left Highlight"));
    record->AddProperty(Picture<&B::m_centerRightPiece>("Frame/Center Right Highlight"));
    record->AddProperty(Picture<&B::m_bottomLeftPiece>("Frame/Bottom Left Highlight"));
    record->AddProperty(Picture<&B::m_bottomCenterPiece>("Frame/Bottom Center Highlight"));
    record->AddProperty(Picture<&B::m_bottomRightPiece>("Frame/Bottom Right Highlight"));
    record->AddProperty(new BoolPropertyInfo("Frame/Overlap Corners", Member<&B::m_overlapCorners>()));
    record->AddProperty(new IntegerPropertyInfo("Frame/Top Overlap Ammount", Member<&B::m_topOverlap>()));
    record->AddProperty(Picture<&B::m_specialTopRight>("Frame/Special Top Right Highlight"));
    PropertyInfo* top = Picture<&B::m_topDecal>("Decals/Top Center Decal");
    top->SetAlternativeName("Title Plate");
    record->AddProperty(top);
    record->AddProperty(Picture<&B::m_bottomDecal>("Decals/Bottom Center Decal"));
    record->AddProperty(Picture<&B::m_leftDecal>("Decals/Left Center Decal"));
    record->AddProperty(Picture<&B::m_rightDecal>("Decals/Right Center Decal"));
}

IMPLEMENT_PERSISTENT_CLASS(CAlphaSkinBorder, CSkinBorder, 1.0f, DeclareAlphaSkinBorder)

CFrameInterface* CAlphaSkinBorder::CornerAlpha(Corner corner) const
{
    static constexpr std::int32_t CAlphaSkinBorder::*kCorners[] = {
        &CAlphaSkinBorder::m_topLeftAlpha, &CAlphaSkinBorder::m_topRightAlpha, &CAlphaSkinBorder::m_bottomLeftAlpha,
        &CAlphaSkinBorder::m_bottomRightAlpha};
    return TexturePicture(this->*kCorners[corner]);
}

CFrameInterface* CAlphaSkinBorder::PieceOf(Piece piece) const
{
    static constexpr std::int32_t CAlphaSkinBorder::*kPieceMembers[] = {
        &CAlphaSkinBorder::m_topLeftPiece,      &CAlphaSkinBorder::m_topCenterPiece,
        &CAlphaSkinBorder::m_topRightPiece,     &CAlphaSkinBorder::m_centerLeftPiece,
        &CAlphaSkinBorder::m_centerRightPiece,  &CAlphaSkinBorder::m_bottomLeftPiece,
        &CAlphaSkinBorder::m_bottomCenterPiece, &CAlphaSkinBorder::m_bottomRightPiece};
    return TexturePicture(this->*kPieceMembers[piece]);
}

CFrameInterface* CAlphaSkinBorder::DecalOf(Decal decal) const
{
    static constexpr std::int32_t CAlphaSkinBorder::*kDecals[] = {
        &CAlphaSkinBorder::m_topDecal, &CAlphaSkinBorder::m_bottomDecal, &CAlphaSkinBorder::m_leftDecal,
        &CAlphaSkinBorder::m_rightDecal};
    return TexturePicture(this->*kDecals[decal]);
}

void CAlphaSkinBorder::DrawBackground(CJWindow* window, CFrameInterface* frame, const Rect& rect)
{
    const WidenedClip clip(window, frame);
    const bool anyCorner =
        CornerAlpha(kTopLeft) || CornerAlpha(kTopRight) || CornerAlpha(kBottomLeft) || CornerAlpha(kBottomRight);
    if (!GetBackgroundTexture() || !anyCorner) {
        TileOrFill(frame, rect);
        return;
    }
    DrawCorners(frame, rect);
    DrawBands(frame, rect);
}

void CAlphaSkinBorder::DrawCorners(CFrameInterface* frame, const Rect& rect)
{
    // Each mask takes the texture's colours where the pattern of the bands lies under it (the pattern is anchored
    // at the rect's corner), then shows them through its alpha.
    CFrameInterface* texture = GetBackgroundTexture();
    const Rect pattern = texture->GetBounds();
    const int w = rect.Width();
    const int h = rect.Height();
    const struct {
        Corner corner;
        int x;
        int y;
    } corners[] = {{kTopLeft, 0, 0}, {kTopRight, w, 0}, {kBottomLeft, 0, h}, {kBottomRight, w, h}};
    for (const auto& corner : corners) {
        CFrameInterface* mask = CornerAlpha(corner.corner);
        if (!mask) continue;
        const Rect extent = mask->GetBounds();
        const Rect from = Rect::At(pattern.left + corner.x + extent.left, pattern.top + corner.y + extent.top,
                                   extent.Width(), extent.Height());
        mask->Blit(texture, from, extent, &WrappedCopyType());
        frame->BlitAt(mask, rect.left + corner.x, rect.top + corner.y, &NormalBlitType());
    }
}

void CAlphaSkinBorder::DrawBands(CFrameInterface* frame, const Rect& rect)
{
    const int w = rect.Width();
    const int h = rect.Height();
    const Rect tl = ExtentOf(CornerAlpha(kTopLeft));
    const Rect tr = ExtentOf(CornerAlpha(kTopRight));
    const Rect bl = ExtentOf(CornerAlpha(kBottomLeft));
    const Rect br = ExtentOf(CornerAlpha(kBottomRight));
    const int t = std::max(CornerAlpha(kTopLeft) ? tl.bottom : 0, CornerAlpha(kTopRight) ? tr.bottom : 0);
    const int b = std::min(CornerAlpha(kBottomLeft) ? h + bl.top : h, CornerAlpha(kBottomRight) ? h + br.top : h);
    const Rect middle{-m_leftOffset, t, w + m_rightOffset, b};
    const Rect top{CornerAlpha(kTopLeft) ? tl.right : 0, -m_topOffset, CornerAlpha(kTopRight) ? w + tr.left : w, t};
    const Rect bottom{CornerAlpha(kBottomLeft) ? bl.right : 0, b, CornerAlpha(kBottomRight) ? w + br.left : w,
                      h + m_bottomOffset};
    CFrameInterface* texture = GetBackgroundTexture();
    for (const Rect& band : {middle, top, bottom})
        if (!band.IsEmpty()) TileTexture(frame, texture, band.Offset(rect.left, rect.top), rect.left, rect.top);
}

void CAlphaSkinBorder::DrawFrame(CJWindow* window, CFrameInterface* frame, const Rect& rect)
{
    const WidenedClip clip(window, frame);
    DrawSides(frame, rect);
    const int w = rect.Width();
    const int h = rect.Height();
    const struct {
        Piece piece;
        int x;
        int y;
    } corners[] = {{kTopLeftPiece, 0, 0}, {kTopRightPiece, w, 0}, {kBottomLeftPiece, 0, h}, {kBottomRightPiece, w, h}};
    for (const auto& corner : corners)
        if (CFrameInterface* piece = PieceOf(corner.piece))
            frame->BlitAt(piece, rect.left + corner.x, rect.top + corner.y, &NormalBlitType());
    const struct {
        Decal decal;
        int x;
        int y;
    } decals[] = {{kTopDecal, w / 2, 0}, {kBottomDecal, w / 2, h}, {kLeftDecal, 0, h / 2}, {kRightDecal, w, h / 2}};
    for (const auto& decal : decals)
        if (CFrameInterface* picture = DecalOf(decal.decal))
            frame->BlitAt(picture, rect.left + decal.x, rect.top + decal.y, &NormalBlitType());
}

void CAlphaSkinBorder::DrawSides(CFrameInterface* frame, const Rect& rect)
{
    const int w = rect.Width();
    const int h = rect.Height();
    const bool corners = !m_overlapCorners;
    auto extent = [&](Piece piece) { return corners ? ExtentOf(PieceOf(piece)) : Rect{}; };
    auto has = [&](Piece piece) { return corners && PieceOf(piece); };
    const int o = m_topOverlap;
    if (CFrameInterface* top = PieceOf(kTopCenterPiece)) {
        const Rect e = top->GetBounds();
        const int from = has(kTopLeftPiece) ? extent(kTopLeftPiece).right - 1 - o : -o;
        const int to = has(kTopRightPiece) ? w + extent(kTopRightPiece).left + o : w + o;
        TileTexture(frame, top, Rect{from, e.top, to, e.bottom}.Offset(rect.left, rect.top));
    }
    if (CFrameInterface* bottom = PieceOf(kBottomCenterPiece)) {
        const Rect e = bottom->GetBounds();
        const int from = has(kBottomLeftPiece) ? extent(kBottomLeftPiece).right - 1 : 0;
        const int to = has(kBottomRightPiece) ? w + extent(kBottomRightPiece).left : w;
        TileTexture(frame, bottom, Rect{from, h + e.top, to, h + e.bottom}.Offset(rect.left, rect.top));
    }
    if (CFrameInterface* left = PieceOf(kCenterLeftPiece)) {
        const Rect e = left->GetBounds();
        const int from = has(kTopLeftPiece) ? extent(kTopLeftPiece).bottom - 1 : 0;
        const int to = has(kBottomLeftPiece) ? h + extent(kBottomLeftPiece).top : h;
        TileTexture(frame, left, Rect{e.left, from, e.right, to}.Offset(rect.left, rect.top));
    }
    if (CFrameInterface* right = PieceOf(kCenterRightPiece)) {
        const Rect e = right->GetBounds();
        const int from = has(kTopRightPiece) ? extent(kTopRightPiece).bottom - 1 : 0;
        const int to = has(kBottomRightPiece) ? h + extent(kBottomRightPiece).top : h;
        TileTexture(frame, right, Rect{w + e.left, from, w + e.right, to}.Offset(rect.left, rect.top));
    }
}

// The alpha theme's data.

void DeclareAlphaSkinData(ClassInfo* record)
{
    using D = CAlphaSkinData;
    ClassInfo* border = CSkinBorder::GetStaticClassInfo();
    record->AddProperty(FontEntry<&D::m_generalFont>("General Font"));
    record->AddProperty(
        ColorWithAlpha("Shortcut Key Highlight Color", Member<&D::m_highlightColor>(), 63, 154, 255, 255));
    record->AddProperty(ColorWithAlpha("Background Color", Member<&D::m_backgroundColor>(), 0, 0, 0, 255));
    record->AddProperty(ColorWithAlpha("Select Color", Member<&D::m_selectColor>(), 101, 91, 85, 255));
    record->AddProperty(FontEntry<&D::m_staticTextFont>("Static Text Control"));
    record->AddProperty(FontEntry<&D::m_headingFont>("Window/Window Heading Font"));
    record->AddProperty(new IntegerPropertyInfo("Window/Window Heading Offset", Member<&D::m_headingOffset>()));
    record->AddProperty(new IntegerPropertyInfo("Window/Space Between Controls", Member<&D::m_spaceBetweenControls>(),
                                                {.defaultValue = 8, .units = "Pixels"}));
    record->AddProperty(
        new IntegerPropertyInfo("Window/Margin", Member<&D::m_margin>(), {.defaultValue = 8, .units = "Pixels"}));
    record->AddProperty(new ObjectPointerPropertyInfo("Window/Window Border", PointerMember<&D::m_windowBorder>(),
                                                      border, CAlphaSkinBorder::GetStaticClassInfo()));
    record->AddProperty(new ObjectPointerPropertyInfo("ListBox/ListBox Border", PointerMember<&D::m_listBoxBorder>(),
                                                      border, CClassicSkinBorder::GetStaticClassInfo()));
    record->AddProperty(new ObjectPointerPropertyInfo("Button/Button Border", PointerMember<&D::m_buttonBorder>(),
                                                      border, CClassicSkinBorder::GetStaticClassInfo()));
    record->AddProperty(new ObjectPointerPropertyInfo("Button/Pressed Button Border",
                                                      PointerMember<&D::m_pressedButtonBorder>(), border));
    record->AddProperty(
        new ObjectPointerPropertyInfo("Button/Hover Button Border", PointerMember<&D::m_hoverButtonBorder>(), border));
    record->AddProperty(new IntegerPropertyInfo("Button/Space Around Text", Member<&D::m_spaceAroundText>(),
                                                {.defaultValue = 2, .units = "Dialog Pixels"}));
    record->AddProperty(
        new BoolPropertyInfo("Button/Apply Button Text Offset When Pressed", Member<&D::m_offsetPressedText>(), true));
}

IMPLEMENT_PERSISTENT_CLASS(CAlphaSkinData, CObject, 1.0f, DeclareAlphaSkinData)

CFont* CAlphaSkinData::GetGeneralFont() const
{
    CFont* font = LibraryFont(m_generalFont);
    return font ? font : toolkit::GetDefaultFont();
}

CFont* CAlphaSkinData::GetStaticTextFont() const
{
    CFont* font = LibraryFont(m_staticTextFont);
    return font ? font : GetGeneralFont();
}

CFont* CAlphaSkinData::GetHeadingFont() const
{
    CFont* font = LibraryFont(m_headingFont);
    return font ? font : GetGeneralFont();
}

// The alpha theme.

void DeclareAlphaTheme(ClassInfo* record)
{
    record->AddProperty(new ObjectPointerPropertyInfo("Options", PointerMember<&CJWindowAlphaTheme::m_options>(),
                                                      CAlphaSkinData::GetStaticClassInfo(),
                                                      CAlphaSkinData::GetStaticClassInfo()));
}

IMPLEMENT_PERSISTENT_CLASS(CJWindowAlphaTheme, CSkinTheme, 1.0f, DeclareAlphaTheme)

void CJWindowAlphaTheme::ApplyToWindow(CJWindow* window, CJWindow*)
{
    if (!m_options) return;
    window->SetFont(m_options->GetGeneralFont());
    window->SetHighlightColor(m_options->GetHighlightColor());
    window->SetBackgroundColor(m_options->GetBackgroundColor());
    const Color& select = m_options->GetSelectColor();
    window->SetSelectColorRGB(select.R, select.G, select.B);
    window->SetControlSpacing(m_options->GetControlSpacing());
    window->SetEdgeMargin(m_options->GetMargin());
}

CFrameInterface* CJWindowAlphaTheme::GetBackgroundTexture(const CJWindow*) const
{
    const CSkinBorder* border = m_options ? m_options->GetWindowBorder() : nullptr;
    return border ? border->GetBackgroundTexture() : nullptr;
}

std::unique_ptr<ButtonPainter> CJWindowAlphaTheme::CreateButtonPainter(CJButton* button)
{
    return std::make_unique<AlphaButtonPainter>(button, this);
}

std::unique_ptr<StaticTextPainter> CJWindowAlphaTheme::CreateStaticTextPainter(CJWindow* window)
{
    return std::make_unique<AlphaStaticTextPainter>(window, this);
}

std::unique_ptr<FramePainter> CJWindowAlphaTheme::CreateFramePainter(CJWindow* window)
{
    return std::make_unique<AlphaFramePainter>(window, this);
}

AlphaStaticTextPainter::AlphaStaticTextPainter(CJWindow* window, CJWindowAlphaTheme* theme) : StaticTextPainter(window)
{
    if (theme->GetOptions()) window->SetFont(theme->GetOptions()->GetStaticTextFont());
}

void AlphaFramePainter::Draw(CFrameInterface* frame)
{
    CJWindow& window = *GetWindow();
    const CAlphaSkinData* options = m_theme->GetOptions();
    if (!options) return;
    const Rect whole = Rect::OfSize(window.GetWidth(), window.GetHeight());
    if (CSkinBorder* border = options->GetWindowBorder())
        border->DrawBorder(&window, frame, whole, !window.IsTransparent());
    if (window.GetText().IsEmpty()) return;
    CFont* font = GetCaptionFont();
    auto* proxy = dynamic_cast<COffsetClippedProxyFrame*>(frame);
    const Rect saved = proxy ? proxy->GetClipRect() : Rect{};
    constexpr int kCaptionReach = 100;
    if (proxy) proxy->SetClipRect({saved.left, saved.top - kCaptionReach, saved.right, saved.bottom});
    CFont* windowFont = window.GetFont();
    window.SetFont(font);
    window.DrawText(frame, window.GetWidth() / 2, options->GetHeadingOffset() + 5, kJustifyCentre);
    window.SetFont(windowFont);
    if (proxy) proxy->SetClipRect(saved);
}

CFont* AlphaFramePainter::GetCaptionFont()
{
    const CAlphaSkinData* options = m_theme->GetOptions();
    return options ? options->GetHeadingFont() : GetWindow()->GetFont();
}
