// The one place that asks the processor what it can do. Every SIMD loop has a plain twin in its own function and
// is chosen through CpuHas; tests override the answer to run both.
#pragma once
#include <optional>

#include "platform/win32_base.h"

namespace platform {

enum class CpuFeature { Mmx, Sse, Sse2 };

// Whether the processor has the feature (or what a test override says).
PLATFORM_API bool CpuHas(CpuFeature feature);
// Forces the answer for a feature; std::nullopt gives the processor's own answer back.
PLATFORM_API void OverrideCpuFeature(CpuFeature feature, std::optional<bool> answer);

}  // namespace platform
