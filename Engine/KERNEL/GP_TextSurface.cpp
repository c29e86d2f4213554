#include "GP_TextSurface.h"

#include "GP_Display.h"
#include "GP_Font.h"

namespace {
void MarkChanged(CGP_Surface*, void* changed) { *static_cast<std::uint8_t*>(changed) = 1; }
}  // namespace

void CGP_TextSurface::Create(int width, int height, std::uint8_t* changed)
{
    auto made = std::make_unique<CGP_Surface>();
    if (made->Create(GP_DisplayPtr, GP_SurfaceVideoOrSystem, width, height) != 0) {
        surface.reset();
        return;
    }
    made->useColorKey = 1;
    made->SetSourceColorKey(0);
    made->SetRestoreHandler(MarkChanged, changed, false);
    surface = std::move(made);
}

void CGP_TextSurface::Render(const char* text, const GP_TextLook& look, CGP_SurfaceFrames* under, int frameIndex)
{
    if (!surface) return;
    if (look.fill) surface->Clear(look.background);
    if (under) under->Draw(surface.get(), 0, 0, frameIndex);
    if (look.font) look.font->DrawText(surface.get(), text, look.horizontal, look.vertical);
}

void CGP_TextSurface::DrawAt(int x, int y)
{
    if (!surface || !GP_DisplayPtr || !GP_DisplayPtr->backSurface) return;
    surface->BltFast(GP_DisplayPtr->backSurface.get(), x, y, 0, 0, surface->width, surface->height);
}
