#include "ui/SkinnedPanel.h"

#include "ui/SkinLibrary.h"
#include "ui/Themes.h"

CJSkinnedPanel::CJSkinnedPanel(const char* skinName) : CJWindow(nullptr, nullptr)
{
    // An empty skin library gives no skin; a window's theme is never null.
    auto* skin = dynamic_cast<CSkinTheme*>(SkinLibrary::Get().CreateSkin(skinName));
    CSkinTheme* theme = skin ? skin : &CJWindowClassicTheme::GetDefault();
    SetTheme(theme);
    theme->ApplyToWindow(this, nullptr);
}
