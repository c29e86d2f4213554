#include "front/MenuLayout.h"

namespace {

// The single-precision constants of the layout, widened to double for the arithmetic: the one just above 4/3,
// the one nearest 1/768, and 1/1024.
constexpr double kWideRatio = static_cast<double>(1.3333334f);
constexpr double kPerDesignRow = static_cast<double>(0.0013020834f);
constexpr double kPerDesignColumn = static_cast<double>(0.0009765625f);

}  // namespace

MenuLayout ComputeMenuLayout(int width, int height)
{
    MenuLayout layout;
    const double ratio = static_cast<double>(width) / height;
    const bool fillsHeight = ratio >= kWideRatio;
    const double scale = fillsHeight ? height * kPerDesignRow : width * kPerDesignColumn;
    layout.scale = static_cast<float>(scale);
    layout.layoutWidth = static_cast<int>(kMenuDesignWidth * scale);
    layout.layoutHeight = static_cast<int>(kMenuDesignHeight * scale);
    if (fillsHeight)
        layout.offsetX = (width - layout.layoutWidth) / 2;
    else
        layout.offsetY = (height - layout.layoutHeight) / 2;
    return layout;
}
