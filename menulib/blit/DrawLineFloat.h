// Lines with end points in floating point: anti-aliased in 16.16 fixed point on 16- and 24-bit frames, cut to
// whole pixels on 8-bit frames; 32-bit frames are not drawn.
#pragma once

class CFrame;
struct Color;

void DrawLineFloat(CFrame& frame, float x0, float y0, float x1, float y1, const Color& color);
