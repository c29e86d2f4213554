#include "ui/Themes.h"

#include "ui/Button.h"
#include "ui/ButtonPainters.h"

IMPLEMENT_ABSTRACT_CLASS(CSkinTheme, CObject, 1.0f, nullptr)
IMPLEMENT_PERSISTENT_CLASS(CJWindowClassicTheme, CSkinTheme, 1.0f, nullptr)

CJWindowClassicTheme& CJWindowClassicTheme::GetDefault()
{
    static CJWindowClassicTheme theme;
    return theme;
}

void CJWindowClassicTheme::ApplyToWindow(CJWindow* window, CJWindow* parent)
{
    if (parent) window->SetFont(parent->GetFont());
}

std::unique_ptr<ButtonPainter> CJWindowClassicTheme::CreateButtonPainter(CJButton* button)
{
    return std::make_unique<ClassicButtonPainter>(button);
}

std::unique_ptr<StaticTextPainter> CJWindowClassicTheme::CreateStaticTextPainter(CJWindow* window)
{
    return std::make_unique<StaticTextPainter>(window);
}

std::unique_ptr<FramePainter> CJWindowClassicTheme::CreateFramePainter(CJWindow* window)
{
    return std::make_unique<ClassicFramePainter>(window);
}
