#include "ui/Themes.h"

#include "ui/JWindow.h"

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

std::unique_ptr<StaticTextPainter> CJWindowClassicTheme::CreateStaticTextPainter(CJWindow* window)
{
    return std::make_unique<StaticTextPainter>(window);
}

std::unique_ptr<FramePainter> CJWindowClassicTheme::CreateFramePainter(CJWindow* window)
{
    return std::make_unique<ClassicFramePainter>(window);
}
