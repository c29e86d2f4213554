// Floyd-Steinberg error diffusion over floats in 0 .. 1, with a jump guard: where the carried error would pull
// a pixel further than the threshold from its own colour, the pixel is taken as it is and starts afresh.
#pragma once
#include <vector>

class ColorTable;

struct DitherColor {
    float r = 0, g = 0, b = 0;
};

class Ditherer {
public:
    // palette: the colours chosen from (type 1); searchTable: the table that finds an entry for a colour. Either
    // may be null when only the error steps are used.
    Ditherer(int width, float threshold, const ColorTable* palette, ColorTable* searchTable);

    // The palette index for the next pixel in scan order.
    int Step(int r, int g, int b);

    // Step one of each pixel: the pixel's own colour less the error carried to it, clamped: the wanted colour.
    DitherColor TakeError(const DitherColor& own);
    // When the wanted colour lies further than the threshold from the pixel's own, it becomes the own colour
    // (true: choose again). Once a pixel.
    bool CheckJump(const DitherColor& own, DitherColor& wanted) const;
    // Spreads chosen - wanted to the neighbours of the pixel just taken.
    void SpreadError(const DitherColor& chosen, const DitherColor& wanted);

private:
    int Slot(int ahead) const { return (m_position + ahead) % m_ring; }
    int Choose(const DitherColor& wanted, DitherColor& chosen);

    int m_width;
    int m_ring;
    int m_position = 0;
    int m_column = 0;
    float m_thresholdSquared;
    const ColorTable* m_palette;
    ColorTable* m_searchTable;
    std::vector<DitherColor> m_errors;
};
