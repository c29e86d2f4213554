// A text entry: while editing (started by its handlers) it takes letters, digits and blanks from TypedKeys into
// an edit buffer with a blinking caret, up to 11 characters; Enter copies the text to its target game variable
// (always terminated), Escape drops it, Backspace deletes the last character.
#pragma once
#include <string>

#include "GP_Control.h"
#include "GP_TextSurface.h"

class CGP_Font;
class CGP_FontCache;

struct GP_TextInputBlock : GP_ControlBlock {
    std::uint32_t targetVariable;  // the text buffer (12 bytes, a player's name) that receives the entry
    std::uint32_t fontID;
    std::uint16_t background;
    std::uint8_t fill;
    std::uint8_t drawFrame;  // the element's frame under the text
    std::uint32_t disabledFontID;
};
static_assert(sizeof(GP_TextInputBlock) == 100);

class CGP_TextInput : public CGP_Control {
public:
    // The most characters an entry takes: what its target (a player's 12-byte name) holds with its NUL.
    static constexpr std::size_t MaxLength = 11;
    static constexpr std::size_t EditBufferSize = 22;
    static constexpr float CaretPeriod = 250;  // milliseconds
    static constexpr char Caret = '|';

    CGP_TextInput(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_FontCache* fonts);

    void Write(CGP_ServerSet* servers) override;
    void Bind(CGP_ActionLookup* actionTable) override;
    void CreateFrames(CGP_ServerSet* servers) override;
    void ReloadImages(CGP_ServerSet* servers) override;
    bool Update(float timeStep) override;
    void Draw() override;
    void ReleaseSurfaces() override { ownSurface.Release(); }

    // The edit buffer's text without a caret at its end.
    std::string TextWithoutCaret() const;

    char* target = nullptr;
    char editBuffer[EditBufferSize] = {};
    std::uint8_t editing = 0;
    std::uint8_t caretShown = 0;
    float caretTimer = 0;
    std::uint8_t changed = 1;
    CGP_Font* font = nullptr;
    CGP_Font* disabledFont = nullptr;
    CGP_FontCache* fontCache = nullptr;

private:
    GP_TextInputBlock* EntryFields() const { return Block<GP_TextInputBlock>(); }
    std::uint8_t* Typed(std::uint8_t key) const;
    void RemoveCaret();
    void SetText(const std::string& text, bool withCaret);
    void Blink(float timeStep);
    // Each key handled is cleared. Enter on an empty text is not handled (false); typing appends every character
    // set, in code order, while the text is shorter than MaxLength, and says how many.
    bool TakeEnter();
    void TakeEscape();
    int TakeCharacters();
    void TakeBackspace();
    void Stop();
    void PlayHoverSound();

    CGP_TextSurface ownSurface;
};
