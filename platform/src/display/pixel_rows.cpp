#include "pixel_rows.h"

#include "platform/cpu_features.h"

namespace platform::display {

bool UseSse2Rows() { return CpuHas(CpuFeature::Sse2); }

void FillRowPlain(WORD* row, int count, WORD color)
{
    for (int i = 0; i < count; ++i) row[i] = color;
}

void CopyRowSkippingPlain(WORD* dest, const WORD* source, int count, WORD key)
{
    for (int i = 0; i < count; ++i)
        if (source[i] != key) dest[i] = source[i];
}

}  // namespace platform::display
