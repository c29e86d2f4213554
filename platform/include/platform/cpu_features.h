// The one place that asks the processor what it can do. Every SIMD loop has a plain twin in its own function and
// is chosen through CpuHas; tests override the answer to run both.
#pragma once
#include <cstdint>
#include <optional>

#include "platform/win32_base.h"

namespace platform {

enum class CpuFeature {
    Mmx,
    Sse,
    Sse2
};

// Whether the processor has the feature (or what a test override says).
PLATFORM_API bool CpuHas(CpuFeature feature);
// Forces the answer for a feature; std::nullopt gives the processor's own answer back.
PLATFORM_API void OverrideCpuFeature(CpuFeature feature, std::optional<bool> answer);

// The four registers CPUID answers with.
struct CpuidRegisters {
    std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};
// CPUID's answer for a leaf (0x80000000 and up: the extended leaves); nothing where the processor has no such
// leaf, or is not an x86 processor. For records that describe the processor; features are asked through CpuHas.
PLATFORM_API std::optional<CpuidRegisters> CpuidLeaf(std::uint32_t leaf);

// Tells the processor that the calling thread is waiting awake for another (x86's PAUSE; elsewhere the thread
// yields).
PLATFORM_API void CpuRelax();

}  // namespace platform
