#include "GP_ImageElement.h"

#include "GP_InterfaceHost.h"

CGP_ImageElement::CGP_ImageElement(CGP_Object* parent, CGP_InterfaceHost* mainFrame)
    : CGP_Element(parent), mainFrame(mainFrame)
{
}

void CGP_ImageElement::Draw()
{
    CGP_Surface* back = BackBuffer();
    const GP_SurfaceFrame* frame = frames ? frames->Get(frameIndex) : nullptr;
    if (!frame) {
        FillOwnRect(0xFFFFFFFF);
        return;
    }
    if (!back) return;
    const int x = static_cast<int>(Block<GP_ElementBlock>()->x);
    const int y = static_cast<int>(Block<GP_ElementBlock>()->y);
    const int step = frame->bottom - frame->top + 1;
    const int lives = mainFrame ? mainFrame->GetLives() : 0;
    for (int i = 0; i < lives; ++i) frames->Draw(back, x, y - i * step, frameIndex);
}
