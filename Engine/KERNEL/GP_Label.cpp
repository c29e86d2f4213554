#include "GP_Label.h"

#include "GP_FontCache.h"
#include "GP_FormKinds.h"
#include "GP_ServerSet.h"
#include "GP_TextServer.h"

CGP_Label::CGP_Label(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_FontCache* fonts)
    : CGP_Control(parent, mouseCursor), fontCache(fonts)
{
    GP_LabelBlock* fields = GrowBlock<GP_LabelBlock>(GP_KindLabel);
    fields->textID = GP_NoID;
    fields->fontID = GP_NoID;
    fields->disabledFontID = GP_NoID;
    fields->fill = 1;
}

void CGP_Label::Read(CGP_ServerSet* servers)
{
    this->servers = servers;
    CGP_Control::Read(servers);
}

void CGP_Label::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_LabelBlock)); }

void CGP_Label::Bind(CGP_ActionLookup* actionTable)
{
    CGP_Control::Bind(actionTable);
    if (servers && servers->text) text = servers->text->GetText(LabelFields()->textID);
    if (fontCache) {
        font = fontCache->GetFont(LabelFields()->fontID);
        disabledFont = fontCache->GetFont(LabelFields()->disabledFontID);
    }
    changed = 1;
}

void CGP_Label::CreateFrames(CGP_ServerSet* servers)
{
    CGP_Element::CreateFrames(servers);
    ownSurface.Create(*GetWidth(), *GetHeight(), &changed);
}

void CGP_Label::ReloadImages(CGP_ServerSet* servers)
{
    CGP_Element::ReloadImages(servers);
    ownSurface.Create(*GetWidth(), *GetHeight(), &changed);
    changed = 1;
}

bool CGP_Label::Update(float timeStep)
{
    if (!enableVariable) return CGP_Control::Update(timeStep);
    if (*enableVariable && !CGP_Control::Update(timeStep)) return false;
    if (*enableVariable != lastEnabled) {
        lastEnabled = *enableVariable;
        changed = 1;
    }
    return true;
}

void CGP_Label::Draw()
{
    CGP_Surface* surface = ownSurface.Get();
    if (!surface) {
        FillOwnRect(0xFFFF);
        return;
    }
    const int x = static_cast<int>(GetAbsX());
    const int y = static_cast<int>(GetAbsY());
    if (changed) {
        const GP_LabelBlock& f = *LabelFields();
        const GP_TextLook look{IsEnabled() ? font : disabledFont, f.background, f.fill != 0, f.horizontalAlignment,
                               f.verticalAlignment};
        ownSurface.Render(text.c_str(), look, f.active ? frames.get() : nullptr, frameIndex);
        changed = 0;
    }
    ownSurface.DrawAt(x, y);
}

CGP_HintLabel::CGP_HintLabel(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_FontCache* fonts)
    : CGP_Label(parent, mouseCursor, fonts)
{
    LabelFields()->type = GP_KindHintLabel;
}

bool CGP_HintLabel::Update(float timeStep)
{
    if (!CGP_Label::Update(timeStep)) return false;
    GP_InterfaceState& hint = GP_Interface();
    if (!hint.HintChanged) return true;
    const bool none = hint.HintTextId == GP_NoID || hint.HintTextId == GP_NoImage;
    text = none || !servers || !servers->text ? "" : servers->text->GetText(hint.HintTextId);
    changed = 1;
    hint.HintChanged = 0;
    return true;
}

CGP_KeyLabel::CGP_KeyLabel(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_FontCache* fonts)
    : CGP_Label(parent, mouseCursor, fonts)
{
    GrowBlock<GP_KeyLabelBlock>(GP_KindKeyLabel)->keyVariable = GP_NoID;
}

void CGP_KeyLabel::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_KeyLabelBlock)); }

void CGP_KeyLabel::ShowKey(std::uint8_t code)
{
    const char* name = GP_KeyNames ? GP_KeyNames[code] : nullptr;
    text = name ? name : "";
    lastKey = code;
}

void CGP_KeyLabel::Bind(CGP_ActionLookup* actionTable)
{
    CGP_Label::Bind(actionTable);
    key = static_cast<std::uint8_t*>(Variable(Block<GP_KeyLabelBlock>()->keyVariable));
    if (GP_KeyNames && key) ShowKey(*key);
}

void CGP_KeyLabel::TakePressedKey()
{
    CGP_InterfaceHost* frame = MainFrame();
    if (!frame) return;
    const std::uint32_t code = frame->lastKeyDown;
    frame->lastKeyDown = 0;
    if (code == 0 || code == GP_KeyEscape || code > 0xFF) return;
    for (std::uint16_t& held : frame->GameKeys.codes)
        if (held == code) held = 0;
    *key = static_cast<std::uint8_t>(code);
    ShowKey(*key);
    LabelFields()->active = 0;
    changed = 1;
    if (code == GP_KeyEnter) frame->TypedKeys[GP_KeyEnter] = 0;
}

bool CGP_KeyLabel::Update(float timeStep)
{
    if (GP_KeyNames && key) {
        if (LabelFields()->active) {
            TakePressedKey();
        } else if (*key != lastKey) {
            ShowKey(*key);
            changed = 1;
        }
    }
    return CGP_Label::Update(timeStep);
}
