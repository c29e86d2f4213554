// Labels: a text from the text server drawn with a bitmap font into the label's own surface, which is blitted
// each frame and redrawn only when the text, the enabling or the surface changed. The hint label and the key
// label derive from it.
#pragma once
#include <string>

#include "GP_Control.h"
#include "GP_TextSurface.h"

class CGP_FontCache;
class CGP_Font;

struct GP_LabelBlock : GP_ControlBlock {
    std::uint32_t textID;
    std::uint32_t fontID;  // the enabled look
    std::uint16_t background;
    std::uint8_t fill;
    std::uint8_t active;  // draw the element's frame under the text (a key label: waiting for a key)
    std::int32_t horizontalAlignment;
    std::int32_t verticalAlignment;
    std::uint32_t disabledFontID;
};
static_assert(sizeof(GP_LabelBlock) == 108);

class CGP_Label : public CGP_Control {
public:
    CGP_Label(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_FontCache* fonts);

    void Read(CGP_ServerSet* servers) override;
    void Write(CGP_ServerSet* servers) override;
    void Bind(CGP_ActionLookup* actionTable) override;
    void CreateFrames(CGP_ServerSet* servers) override;
    void ReloadImages(CGP_ServerSet* servers) override;
    bool Update(float timeStep) override;
    void Draw() override;
    void ReleaseSurfaces() override { ownSurface.Release(); }
    // The action handlers set it to force a redraw.
    virtual std::uint8_t* GetChanged() { return &changed; }

    std::string text;
    CGP_Font* font = nullptr;
    CGP_Font* disabledFont = nullptr;
    std::uint8_t changed = 1;
    std::uint8_t lastEnabled = 1;
    CGP_ServerSet* servers = nullptr;
    CGP_FontCache* fontCache = nullptr;

protected:
    GP_LabelBlock* LabelFields() const { return Block<GP_LabelBlock>(); }

    CGP_TextSurface ownSurface;
};

// Shows the process-wide hint text when it changed.
class CGP_HintLabel : public CGP_Label {
public:
    CGP_HintLabel(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_FontCache* fonts);

    bool Update(float timeStep) override;
};

struct GP_KeyLabelBlock : GP_LabelBlock {
    std::uint32_t keyVariable;  // the byte game variable holding the key code
};
static_assert(sizeof(GP_KeyLabelBlock) == 112);

// Shows the name of a control key; while waiting (the label's active byte) it takes the next key pressed.
class CGP_KeyLabel : public CGP_Label {
public:
    CGP_KeyLabel(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_FontCache* fonts);

    void Write(CGP_ServerSet* servers) override;
    void Bind(CGP_ActionLookup* actionTable) override;
    bool Update(float timeStep) override;

    std::uint8_t* key = nullptr;
    std::uint8_t lastKey = 0;

private:
    void ShowKey(std::uint8_t code);
    void TakePressedKey();
};
