// Lines with end points in floating point, anti-aliased in 16.16 fixed point: on 16- and 24-bit frames by the
// colour's share of each pixel, on 8-bit frames (end points cut to whole pixels) through the current palette's
// channels of each index and the default palette's entry for the moved colour; 32-bit frames are not drawn, nor
// lines with an end point that is not a finite number.
#pragma once

class CFrame;
struct Color;

void DrawLineFloat(CFrame& frame, float x0, float y0, float x1, float y1, const Color& color);
