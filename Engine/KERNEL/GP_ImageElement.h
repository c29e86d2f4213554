// The scene's picture of the player's reserve ships: one copy of the current frame per ship, stacked upwards
// from the element's own position.
#pragma once
#include "GP_Object.h"

class CGP_InterfaceHost;

class CGP_ImageElement : public CGP_Element {
public:
    CGP_ImageElement(CGP_Object* parent, CGP_InterfaceHost* mainFrame);

    void Draw() override;

    CGP_InterfaceHost* mainFrame = nullptr;
};
