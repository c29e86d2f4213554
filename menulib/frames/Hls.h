// Hue, lightness and saturation: floats in 0 .. 1, the hue in degrees.
#pragma once

void RgbToHls(float r, float g, float b, float& h, float& s, float& l);
void HlsToRgb(float h, float s, float l, float& r, float& g, float& b);
