#include "frames/Ditherer.h"

#include <algorithm>

#include "frames/ColorTable.h"

namespace {
int ToByte(float v) { return static_cast<int>(v * 255.0f + 0.5f); }
}  // namespace

Ditherer::Ditherer(int width, float threshold, const ColorTable* palette, ColorTable* searchTable)
    : m_width(std::max(width, 1)),
      m_ring(std::max(width, 1) + 1),
      m_thresholdSquared(threshold * threshold),
      m_palette(palette),
      m_searchTable(searchTable),
      m_errors(m_ring)
{
}

DitherColor Ditherer::TakeError(const DitherColor& own)
{
    DitherColor& carried = m_errors[m_position];
    DitherColor wanted{own.r - carried.r, own.g - carried.g, own.b - carried.b};
    carried = {};
    m_position = Slot(1);
    m_column = (m_column + 1) % m_width;
    wanted.r = std::clamp(wanted.r, 0.0f, 1.0f);
    wanted.g = std::clamp(wanted.g, 0.0f, 1.0f);
    wanted.b = std::clamp(wanted.b, 0.0f, 1.0f);
    return wanted;
}

bool Ditherer::CheckJump(const DitherColor& own, DitherColor& wanted) const
{
    const float dr = own.r - wanted.r, dg = own.g - wanted.g, db = own.b - wanted.b;
    if (dr * dr + dg * dg + db * db <= m_thresholdSquared) return false;
    wanted = own;
    return true;
}

void Ditherer::SpreadError(const DitherColor& chosen, const DitherColor& wanted)
{
    // The error is subtracted when taken, so carry chosen - wanted. The pixel just taken sits one slot back.
    const DitherColor e{chosen.r - wanted.r, chosen.g - wanted.g, chosen.b - wanted.b};
    const int pixelColumn = (m_column + m_width - 1) % m_width;
    const auto add = [&](int ahead, float share) {
        DitherColor& slot = m_errors[Slot(ahead)];
        slot.r += e.r * share;
        slot.g += e.g * share;
        slot.b += e.b * share;
    };
    add(0, 0.4375f);                                       // next pixel
    if (pixelColumn > 0) add(m_width - 2, 0.1875f);        // below left
    add(m_width - 1, 0.3125f);                             // below
    if (pixelColumn < m_width - 1) add(m_width, 0.0625f);  // below right
}

int Ditherer::Choose(const DitherColor& wanted, DitherColor& chosen)
{
    const int index =
        m_searchTable ? m_searchTable->FindNearest(ToByte(wanted.r), ToByte(wanted.g), ToByte(wanted.b), 1, 256) : 0;
    std::uint8_t r = 0, g = 0, b = 0;
    if (m_palette) m_palette->GetPaletteEntry(index, r, g, b);
    chosen = {r / 255.0f, g / 255.0f, b / 255.0f};
    return index;
}

int Ditherer::Step(int r, int g, int b)
{
    const DitherColor own{r / 255.0f, g / 255.0f, b / 255.0f};
    DitherColor wanted = TakeError(own);
    DitherColor chosen;
    int index = Choose(wanted, chosen);
    if (CheckJump(own, wanted)) index = Choose(wanted, chosen);
    SpreadError(chosen, wanted);
    return index;
}
