// The row loops under the blits and fills, each plain and with SSE2 (8 pixels at a time, bit for bit the same
// results). The blits take the SSE2 loop where CpuHas says the processor has it.
#pragma once
#include "platform/win32_base.h"

namespace platform::display {

// Whether the blits run their SSE2 rows.
bool UseSse2Rows();

PLATFORM_API void FillRowPlain(WORD* row, int count, WORD color);
PLATFORM_API void FillRowSse2(WORD* row, int count, WORD color);
// Copies every source pixel but the key; where the source holds the key, the destination's pixel stays.
PLATFORM_API void CopyRowSkippingPlain(WORD* dest, const WORD* source, int count, WORD key);
PLATFORM_API void CopyRowSkippingSse2(WORD* dest, const WORD* source, int count, WORD key);

}  // namespace platform::display
