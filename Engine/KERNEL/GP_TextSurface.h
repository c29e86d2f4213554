// The own surface of a label or a text entry: the rendered text, as large as the element, colour-keyed with 0,
// and redrawn only when its owner's changed flag is set (which a restore after a lost surface sets too).
#pragma once
#include <cstdint>
#include <memory>

#include "GP_Surface.h"

class CGP_Font;

struct GP_TextLook {
    CGP_Font* font = nullptr;
    std::uint16_t background = 0;
    bool fill = false;
    int horizontal = 0;
    int vertical = 0;
};

class CGP_TextSurface {
public:
    // A surface of kind 1 whose restore sets *changed.
    void Create(int width, int height, std::uint8_t* changed);
    void Release() { surface.reset(); }
    CGP_Surface* Get() const { return surface.get(); }

    // Fills the background when asked, draws the frame of `under` when given, then the text.
    void Render(const char* text, const GP_TextLook& look, CGP_SurfaceFrames* under, int frameIndex);
    // Copies the surface colour-keyed to the back buffer at (x, y).
    void DrawAt(int x, int y);

private:
    std::unique_ptr<CGP_Surface> surface;
};
