// The settings of skinned windows as persistent objects of skin files: borders (a plain classic frame of two
// rings, or a textured frame of corner masks, tiled sides and decals), the alpha theme's data, and the alpha theme.
// Pictures are items of the toolkit's texture set and fonts items of the font library, held by index; 0 means
// none (pictures) or the toolkit's default font (fonts).
#pragma once
#include <cstdint>

#include "foundation/Object.h"
#include "foundation/PropertyTypes.h"
#include "frames/Color.h"
#include "platform/rect.h"
#include "ui/Themes.h"

class CFont;
class CFrameInterface;
class CJWindow;
class NamedList;

// The texture-set picture of an index; null for 0 or an index the set does not hold.
CFrameInterface* TexturePicture(int index);
// The font-library font of an index; null for 0 (the caller's default) or an index the library does not hold.
CFont* LibraryFont(int index);

// The texture set, or an empty list while none is set: the list that the skins' pictures are chosen from.
NamedList* TextureList(const void* holder);

// "Texture/Background Texture": a picture of the texture set that offers only the pictures a border's background
// can tile (CSkinBorder::OffersBackgroundTexture).
class BackgroundTextureProperty : public CollectionItemPropertyInfo {
public:
    BackgroundTextureProperty(const char* name, MemberRef<std::int32_t> member);
    PropertyInfo* Clone() const override { return new BackgroundTextureProperty(*this); }
    bool AcceptsItem(int index) const;
};

class CSkinBorder : public CObject {
    DECLARE_PERSISTENT_CLASS(CSkinBorder)
public:
    CSkinBorder() { ConstructOwnMembers(); }
    ~CSkinBorder() override { DestroyOwnMembers(); }

    // The window's background in rect, then its frame; the window's DrawOverBackground runs between them.
    void DrawBorder(CJWindow* window, CFrameInterface* frame, const platform::Rect& rect, bool drawBackground);
    virtual void DrawBackground(CJWindow* window, CFrameInterface* frame, const platform::Rect& rect);
    virtual void DrawFrame(CJWindow* window, CFrameInterface* frame, const platform::Rect& rect) {}

    CFrameInterface* GetBackgroundTexture() const { return TexturePicture(m_backgroundTexture); }
    // Whether the texture set's item is offered as a background texture: a picture that the wrapped tiling can
    // repeat, with sides that are powers of two and plain (not run-encoded) pixels.
    static bool OffersBackgroundTexture(int index);
    const Color& GetBackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundTextureIndex(int index) { m_backgroundTexture = index; }

protected:
    // The rect covered with the background texture, or filled with the background colour without one.
    void TileOrFill(CFrameInterface* frame, const platform::Rect& rect);

private:
    friend void DeclareSkinBorder(ClassInfo* record);
    std::int32_t m_backgroundTexture = 0;
    Color m_backgroundColor;
};

class CClassicSkinBorder : public CSkinBorder {
    DECLARE_PERSISTENT_CLASS(CClassicSkinBorder)
public:
    CClassicSkinBorder() { ConstructOwnMembers(); }
    ~CClassicSkinBorder() override { DestroyOwnMembers(); }

    void DrawBackground(CJWindow* window, CFrameInterface* frame, const platform::Rect& rect) override;
    void DrawFrame(CJWindow* window, CFrameInterface* frame, const platform::Rect& rect) override;

private:
    friend void DeclareClassicSkinBorder(ClassInfo* record);
    std::int32_t m_textureMargin = 0;
    Color m_topOuter;
    Color m_topInner;
    Color m_bottomInner;
    Color m_bottomOuter;
};

class CAlphaSkinBorder : public CSkinBorder {
    DECLARE_PERSISTENT_CLASS(CAlphaSkinBorder)
public:
    enum Corner : int {
        kTopLeft,
        kTopRight,
        kBottomLeft,
        kBottomRight
    };
    enum Piece : int {
        kTopLeftPiece,
        kTopCenterPiece,
        kTopRightPiece,
        kCenterLeftPiece,
        kCenterRightPiece,
        kBottomLeftPiece,
        kBottomCenterPiece,
        kBottomRightPiece,
        kPieces
    };
    enum Decal : int {
        kTopDecal,
        kBottomDecal,
        kLeftDecal,
        kRightDecal
    };

    CAlphaSkinBorder() { ConstructOwnMembers(); }
    ~CAlphaSkinBorder() override { DestroyOwnMembers(); }

    void DrawBackground(CJWindow* window, CFrameInterface* frame, const platform::Rect& rect) override;
    void DrawFrame(CJWindow* window, CFrameInterface* frame, const platform::Rect& rect) override;

    CFrameInterface* CornerAlpha(Corner corner) const;
    CFrameInterface* PieceOf(Piece piece) const;
    CFrameInterface* DecalOf(Decal decal) const;

private:
    friend void DeclareAlphaSkinBorder(ClassInfo* record);
    void DrawCorners(CFrameInterface* frame, const platform::Rect& rect);
    void DrawBands(CFrameInterface* frame, const platform::Rect& rect);
    void DrawSides(CFrameInterface* frame, const platform::Rect& rect);

    std::int32_t m_topLeftAlpha = 0;
    std::int32_t m_topRightAlpha = 0;
    std::int32_t m_bottomLeftAlpha = 0;
    std::int32_t m_bottomRightAlpha = 0;
    std::int32_t m_leftOffset = 0;
    std::int32_t m_topOffset = 0;
    std::int32_t m_rightOffset = 0;
    std::int32_t m_bottomOffset = 0;
    std::int32_t m_topLeftPiece = 0;
    std::int32_t m_topCenterPiece = 0;
    std::int32_t m_topRightPiece = 0;
    std::int32_t m_centerLeftPiece = 0;
    std::int32_t m_centerRightPiece = 0;
    std::int32_t m_bottomLeftPiece = 0;
    std::int32_t m_bottomCenterPiece = 0;
    std::int32_t m_bottomRightPiece = 0;
    bool m_overlapCorners = false;
    std::int32_t m_topOverlap = 0;
    std::int32_t m_specialTopRight = 0;
    std::int32_t m_topDecal = 0;
    std::int32_t m_bottomDecal = 0;
    std::int32_t m_leftDecal = 0;
    std::int32_t m_rightDecal = 0;
};

class CAlphaSkinData : public CObject {
    DECLARE_PERSISTENT_CLASS(CAlphaSkinData)
public:
    CAlphaSkinData() { ConstructOwnMembers(); }
    ~CAlphaSkinData() override { DestroyOwnMembers(); }

    CFont* GetGeneralFont() const;
    CFont* GetStaticTextFont() const;
    CFont* GetHeadingFont() const;
    const Color& GetHighlightColor() const { return m_highlightColor; }
    const Color& GetBackgroundColor() const { return m_backgroundColor; }
    const Color& GetSelectColor() const { return m_selectColor; }
    int GetHeadingOffset() const { return m_headingOffset; }
    int GetControlSpacing() const { return m_spaceBetweenControls; }
    int GetMargin() const { return m_margin; }
    CSkinBorder* GetWindowBorder() const { return m_windowBorder; }
    CSkinBorder* GetListBoxBorder() const { return m_listBoxBorder; }
    CSkinBorder* GetButtonBorder() const { return m_buttonBorder; }
    CSkinBorder* GetPressedButtonBorder() const { return m_pressedButtonBorder; }
    CSkinBorder* GetHoverButtonBorder() const { return m_hoverButtonBorder; }
    int GetSpaceAroundText() const { return m_spaceAroundText; }
    bool OffsetsPressedText() const { return m_offsetPressedText; }

private:
    friend void DeclareAlphaSkinData(ClassInfo* record);
    std::int32_t m_generalFont = 0;
    Color m_highlightColor;
    Color m_backgroundColor;
    Color m_selectColor;
    std::int32_t m_staticTextFont = 0;
    std::int32_t m_headingFont = 0;
    std::int32_t m_headingOffset = 0;
    std::int32_t m_spaceBetweenControls = 8;
    std::int32_t m_margin = 8;
    CSkinBorder* m_windowBorder = nullptr;
    CSkinBorder* m_listBoxBorder = nullptr;
    CSkinBorder* m_buttonBorder = nullptr;
    CSkinBorder* m_pressedButtonBorder = nullptr;
    CSkinBorder* m_hoverButtonBorder = nullptr;
    std::int32_t m_spaceAroundText = 2;
    bool m_offsetPressedText = true;
};

class CJWindowAlphaTheme : public CSkinTheme {
    DECLARE_PERSISTENT_CLASS(CJWindowAlphaTheme)
public:
    CJWindowAlphaTheme() { ConstructOwnMembers(); }
    ~CJWindowAlphaTheme() override { DestroyOwnMembers(); }

    // The general font, the highlight, background and select colours, the control spacing and the margin.
    void ApplyToWindow(CJWindow* window, CJWindow* parent) override;
    CFrameInterface* GetBackgroundTexture(const CJWindow* window) const override;
    std::unique_ptr<ButtonPainter> CreateButtonPainter(CJButton* button) override;
    std::unique_ptr<StaticTextPainter> CreateStaticTextPainter(CJWindow* window) override;
    std::unique_ptr<FramePainter> CreateFramePainter(CJWindow* window) override;

    CAlphaSkinData* GetOptions() const { return m_options; }

private:
    friend void DeclareAlphaTheme(ClassInfo* record);
    CAlphaSkinData* m_options = nullptr;
};

// The alpha look of a framed window: the window border, then the caption in the heading font.
class AlphaFramePainter : public FramePainter {
public:
    AlphaFramePainter(CJWindow* window, CJWindowAlphaTheme* theme) : FramePainter(window), m_theme(theme) {}
    void Draw(CFrameInterface* frame) override;
    CFont* GetCaptionFont() override;

private:
    CJWindowAlphaTheme* m_theme;
};

// Gives static texts the "Static Text Control" font.
class AlphaStaticTextPainter : public StaticTextPainter {
public:
    AlphaStaticTextPainter(CJWindow* window, CJWindowAlphaTheme* theme);
};
