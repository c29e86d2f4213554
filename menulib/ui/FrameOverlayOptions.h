// Captions to be laid over a picture: each text overlay names its font, where its text starts, how wide it wraps,
// the gap between its lines, its justification and the text itself; the overlay options gather them with a font
// for all, and live one per ".FOO" property file in their own folder-loaded library.
#pragma once
#include <cstdint>

#include "foundation/CString.h"
#include "foundation/Object.h"
#include "foundation/ObjectFileCollection.h"
#include "foundation/PropertyTypes.h"

class CFont;
class NamedList;

class CFrameOverlayTextOverlay : public CObject {
    DECLARE_PERSISTENT_CLASS(CFrameOverlayTextOverlay)
public:
    CFrameOverlayTextOverlay() { ConstructOwnMembers(); }
    ~CFrameOverlayTextOverlay() override { DestroyOwnMembers(); }

    // The font from the font library; none when the item is "none" or out of the library.
    CFont* GetFont() const;
    int GetFontIndex() const { return m_font; }
    IntPair GetTextLeft() const { return m_textLeft; }
    int GetTextWidth() const { return m_textWidth; }
    int GetLineSpacing() const { return m_lineSpacing; }
    // kJustifyLeft, kJustifyCentre or kJustifyRight.
    int GetJustification() const { return m_justification; }
    const CString& GetTextString() const { return m_text; }

private:
    friend void DeclareTextOverlay(ClassInfo* record);
    std::int32_t m_font = 0;
    IntPair m_textLeft;
    std::int32_t m_textWidth = 350;
    std::int32_t m_lineSpacing = 2;
    std::int32_t m_justification = 0;
    CString m_text;
};

class CFrameOverlayOptions : public CObject {
    DECLARE_PERSISTENT_CLASS(CFrameOverlayOptions)
public:
    CFrameOverlayOptions() { ConstructOwnMembers(); }
    ~CFrameOverlayOptions() override { DestroyOwnMembers(); }

    CFont* GetFont() const;
    int GetOverlayCount() const { return m_overlays.count; }
    // The overlay at the index; none past either end.
    const CFrameOverlayTextOverlay* GetOverlay(int index) const;

private:
    friend void DeclareOverlayOptions(ClassInfo* record);
    std::int32_t m_font = 0;
    ObjectArray m_overlays;
};

// The names that the "Justification" property chooses from, in the order of the justification codes.
NamedList& JustificationList();

class FrameOverlayOptionsLibrary : public ObjectFileCollection<CFrameOverlayOptions> {
public:
    static constexpr const char* kExtension = "FOO";

    FrameOverlayOptionsLibrary(const char* displayName, const char* folder)
        : ObjectFileCollection<CFrameOverlayOptions>(displayName, folder, kExtension)
    {
    }

    // The options at the index, loaded on first use; none for an empty library. Options asked for while they are
    // being read end the process.
    CFrameOverlayOptions* GetOptions(int index) { return GetOrLoad(index); }
};

// The process-wide library of overlay options, made at load time.
FrameOverlayOptionsLibrary& GetFrameOverlayOptionsLibrary();
