// The one text renderer of the menu library: a persistent font that names a TrueType file, a point size, a colour
// and a blit type, makes one small frame per character code on first use and draws, measures, breaks and wraps
// text with them.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CString.h"
#include "foundation/Object.h"
#include "frames/Color.h"

class BlitType;
class CFrame;
class CFrameInterface;
class TrueTypeFace;

enum TextJustification : int {
    kJustifyLeft = 0,
    kJustifyCentre = 1,
    kJustifyRight = 2
};

// The arguments of a wrapped layout: the first line of each paragraph has its own justification and indents.
struct WrapLayout {
    int width = 0;
    int spacing = 0;
    int justification = kJustifyLeft;
    int left = 0;
    int right = 0;
    int nextJustification = kJustifyLeft;
    int nextLeft = 0;
    int nextRight = 0;
    bool operator==(const WrapLayout&) const = default;
};

// One line of a wrapped layout: its text, where it is drawn relative to the layout's origin, and its
// justification (the x of a centred or right-justified line is its centre or right edge).
struct WrappedLine {
    CString text;
    int x = 0;
    int y = 0;
    int justification = kJustifyLeft;
};

class CFont : public CObject {
    DECLARE_PERSISTENT_CLASS(CFont)
public:
    // Codes below this are neither drawn nor measured.
    static constexpr int kFirstPrintableCode = 20;
    // Texts are 8- or 16-bit: no glyph table grows past this code.
    static constexpr unsigned kLastCode = 0xFFFF;
    static constexpr int kInitialTableSize = 255;

    CFont();
    ~CFont() override;

    virtual CFrame* GetGlyph8(int code) { return GetGlyph(static_cast<unsigned>(code) & 0xFFu); }
    virtual CFrame* GetGlyph16(int code) { return GetGlyph(static_cast<unsigned>(code) & 0xFFFFu); }
    // The glyph frame of a code, made on first use; null when it cannot be made.
    virtual CFrame* GetGlyph(unsigned code);
    // Forgets the height and the wrapped layout, closes the face and deletes every glyph (the table keeps its size).
    virtual void ReleaseGlyphs();

    CFrame* GetPrintableGlyph(int code);
    int GetCharWidth(int code);
    int GetHeight();
    int GetLineHeight();
    int GetRoundedPointSize() const;
    float GetPointSize() const { return m_pointSize; }
    void SetPointSize(float size);
    void ScalePointSize(float factor);
    void SetFamilyIndex(int index);
    int GetFamilyIndex() const { return m_familyIndex; }
    void SetAllCaps(bool on);
    void SetGeneratedColor(const Color& color) { m_generatedColor = color; }
    void SetBlitTypeIndex(int index);
    BlitType* GetBlitType() const { return m_blitType; }
    unsigned GetGlyphTableSize() const { return static_cast<unsigned>(m_glyphs.size()); }

    // Measuring (texts are 8-bit or UTF-16; count -1 means all characters).
    int MeasureWidth(const CString& text, int count = -1);
    int MeasureMultiLineWidth(const CString& text);
    int MeasureMultiLineHeight(const CString& text, int spacing);

    // Drawing one line, and lines split at "\n"; DrawMultiLineText answers the number of lines.
    void DrawText(CFrameInterface* frame, int x, int y, const CString& text, int justification = kJustifyLeft,
                  int fixedChar = 0);
    int DrawMultiLineText(CFrameInterface* frame, int x, int y, const CString& text, int spacing, int justification,
                          int* yOut);

    // The number of characters of text that go on its first line within width; appended to out when given.
    int LineBreak(const CString& text, int width, CString* out, bool breakWords);
    CString WrapText(const CString& text, int width);

    int MeasureWrappedHeight(const CString& text, int width, int spacing, int justification, int left, int right,
                             int nextJustification, int nextLeft, int nextRight);
    int MeasureWrappedWidth(const CString& text, int width, int spacing, int justification, int left, int right,
                            int nextJustification, int nextLeft, int nextRight);
    // Draws the wrapped text (frame may be null: only counts) and moves y below it; the number of lines.
    int DrawWrappedText(CFrameInterface* frame, int x, int& y, const CString& text, int width, int spacing,
                        int justification, int left, int right, int nextJustification, int nextLeft, int nextRight);

    // The lines of the wrapped layout, for callers that draw the same text many times.
    std::vector<WrappedLine> WrapLines(const CString& text, const WrapLayout& layout);
    // Grows whenever a change of the font makes earlier layouts stale.
    unsigned GetLayoutGeneration() const { return m_layoutGeneration; }

    // Whether the last wrapped measure was answered from the cache (for tests and benchmarks).
    bool LastMeasureWasCached() const { return m_layoutCache.hit; }

protected:
    void SetCachedHeight(int height) { m_cachedHeight = height; }
    CFrame* GetTrueTypeGlyph(unsigned code);

private:
    friend void DeclareFont(ClassInfo* record);
    struct LayoutResult {
        int lines = 0;
        int height = 0;
        int width = 0;
    };
    struct LayoutCache {
        const CString* textObject = nullptr;
        CString content;
        WrapLayout layout;
        LayoutResult result;
        bool valid = false;
        bool hit = false;
    };

    static void OnFamilyChanged(CObject* object, std::int32_t index);
    static void OnBlitTypeChanged(CObject* object, std::int32_t index);
    static void OnPointSizeChanged(CObject* object, float size);
    static void OnAllCapsChanged(CObject* object, bool on);

    void GrowTable(unsigned code);
    std::unique_ptr<CFrame> RenderGlyph(unsigned shapeCode);
    void FinishGlyph(CFrame& glyph);
    const LayoutResult& MeasureWrapped(const CString& text, const WrapLayout& layout);
    LayoutResult LayOut(const CString& text, const WrapLayout& layout, CFrameInterface* frame, int x, int y,
                        std::vector<WrappedLine>* lines = nullptr);
    void LayOutParagraph(const CString& paragraph, const WrapLayout& layout, CFrameInterface* frame, int x, int y,
                         LayoutResult& result, std::vector<WrappedLine>* lines);
    void InvalidateLayout()
    {
        m_layoutCache.valid = false;
        ++m_layoutGeneration;
    }

    std::unique_ptr<TrueTypeFace> m_face;
    std::vector<std::unique_ptr<CFrame>> m_glyphs;
    std::int32_t m_cachedHeight = 0;
    BlitType* m_blitType = nullptr;
    std::int32_t m_blitTypeIndex = 1;
    float m_pointSize = 12.0f;
    std::int32_t m_familyIndex = 0;
    bool m_allCaps = false;
    Color m_generatedColor;
    LayoutCache m_layoutCache;
    unsigned m_layoutGeneration = 0;
};

// The attached "OriginalPointSize" of fonts.
PropertyInfo* OriginalPointSizeProperty();
