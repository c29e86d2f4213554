// The demo's bitmap font: blocky capitals and digits drawn from a 3 x 5 table at twice their size, as plain
// 16-bit glyph frames of a bitmap font's sequence.
#pragma once

class CFontBitmap;

void FillBlockFont(CFontBitmap& font, int r, int g, int b);
