#include "GP_TextInput.h"

#include <cstring>

#include "GP_FontCache.h"
#include "GP_FormKinds.h"
#include "GP_SoundPlayer.h"

CGP_TextInput::CGP_TextInput(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_FontCache* fonts)
    : CGP_Control(parent, mouseCursor), fontCache(fonts)
{
    GP_TextInputBlock* fields = GrowBlock<GP_TextInputBlock>(GP_KindTextInput);
    fields->targetVariable = GP_NoID;
    fields->fontID = GP_NoID;
    fields->disabledFontID = GP_NoID;
    *GetFrameCount() = 0;
}

void CGP_TextInput::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_TextInputBlock)); }

void CGP_TextInput::Bind(CGP_ActionLookup* actionTable)
{
    CGP_Control::Bind(actionTable);
    target = static_cast<char*>(Variable(EntryFields()->targetVariable));
    if (!fontCache) return;
    font = fontCache->GetFont(EntryFields()->fontID);
    disabledFont = fontCache->GetFont(EntryFields()->disabledFontID);
}

void CGP_TextInput::CreateFrames(CGP_ServerSet* servers)
{
    CGP_Element::CreateFrames(servers);
    ownSurface.Create(*GetWidth(), *GetHeight(), &changed);
}

void CGP_TextInput::ReloadImages(CGP_ServerSet* servers)
{
    CGP_Element::ReloadImages(servers);
    ownSurface.Create(*GetWidth(), *GetHeight(), &changed);
    changed = 1;
}

std::string CGP_TextInput::TextWithoutCaret() const
{
    std::string text(editBuffer, strnlen(editBuffer, EditBufferSize - 1));
    if (!text.empty() && text.back() == Caret) text.pop_back();
    return text;
}

void CGP_TextInput::SetText(const std::string& text, bool withCaret)
{
    const std::string shown = text.substr(0, MaxLength) + (withCaret ? std::string(1, Caret) : std::string());
    std::memset(editBuffer, 0, EditBufferSize);
    std::memcpy(editBuffer, shown.data(), shown.size());
}

void CGP_TextInput::RemoveCaret() { SetText(TextWithoutCaret(), false); }

std::uint8_t* CGP_TextInput::Typed(std::uint8_t key) const
{
    CGP_InterfaceHost* frame = MainFrame();
    return frame && frame->TypedKeys[key] ? &frame->TypedKeys[key] : nullptr;
}

void CGP_TextInput::PlayHoverSound()
{
    CGP_InterfaceHost* frame = MainFrame();
    CGP_SoundPlayer* player = frame ? frame->GetSoundPlayer() : nullptr;
    if (player) player->Play(nullptr, *GetHoverSound(), false, false, false);
}

void CGP_TextInput::Blink(float timeStep)
{
    caretTimer -= timeStep;
    if (caretTimer >= 0) return;
    caretTimer = CaretPeriod;
    caretShown = !caretShown;
    SetText(TextWithoutCaret(), caretShown);
    changed = 1;
}

void CGP_TextInput::Stop()
{
    editing = 0;
    caretShown = 0;
    caretTimer = 0;
    changed = 1;
}

bool CGP_TextInput::TakeEnter()
{
    const std::string text = TextWithoutCaret();
    if (text.empty()) return false;
    Stop();
    *Typed(GP_KeyEnter) = 0;
    // The target holds at most MaxLength characters and the NUL; a longer text is cut.
    const std::size_t length = text.size() < MaxLength ? text.size() : MaxLength;
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
    std::memset(editBuffer, 0, EditBufferSize);
    return true;
}

void CGP_TextInput::TakeEscape()
{
    Stop();
    std::memset(editBuffer, 0, EditBufferSize);
    *Typed(GP_KeyEscape) = 0;
}

int CGP_TextInput::TakeCharacters()
{
    std::string text = TextWithoutCaret();
    if (text.size() >= MaxLength) return 0;
    int typed = 0;
    for (int code = GP_FirstTypedChar; code <= GP_LastTypedChar && text.size() < MaxLength; ++code) {
        std::uint8_t* flag = Typed(static_cast<std::uint8_t>(code));
        if (!flag) continue;
        *flag = 0;
        text += static_cast<char>(code);
        ++typed;
    }
    if (!typed) return 0;
    SetText(text, true);
    caretShown = 1;
    caretTimer = CaretPeriod;
    changed = 1;
    return typed;
}

void CGP_TextInput::TakeBackspace()
{
    std::string text = TextWithoutCaret();
    if (!text.empty()) text.pop_back();
    SetText(text, true);
    caretShown = 1;
    caretTimer = CaretPeriod;
    changed = 1;
    *Typed(GP_KeyBackspace) = 0;
}

bool CGP_TextInput::Update(float timeStep)
{
    if (!CGP_Control::Update(timeStep)) return false;
    if (!editing || !target) return true;
    Blink(timeStep);
    if (Typed(GP_KeyEnter)) {
        if (TakeEnter()) PlayHoverSound();
    } else if (Typed(GP_KeyEscape)) {
        TakeEscape();
        PlayHoverSound();
    } else if (!Typed(GP_KeyBackspace)) {
        for (int typed = TakeCharacters(); typed > 0; --typed) PlayHoverSound();
    } else {
        TakeBackspace();
        PlayHoverSound();
    }
    return true;
}

void CGP_TextInput::Draw()
{
    if (!ownSurface.Get()) {
        FillOwnRect(0xFFFF);
        return;
    }
    if (changed) {
        const GP_TextInputBlock& f = *EntryFields();
        const GP_TextLook look{IsEnabled() ? font : disabledFont, f.background, f.fill != 0, 0, 1};
        const std::string shown = editing || !target ? std::string(editBuffer, strnlen(editBuffer, EditBufferSize - 1))
                                                     : std::string(target, strnlen(target, MaxLength));
        ownSurface.Render(shown.c_str(), look, f.drawFrame ? frames.get() : nullptr, frameIndex);
        changed = 0;
    }
    ownSurface.DrawAt(static_cast<int>(GetAbsX()), static_cast<int>(GetAbsY()));
}
