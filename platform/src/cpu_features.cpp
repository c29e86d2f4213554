// CPUID's feature bits, read once, with the overrides tests set, its leaves for records of the processor, and the
// processor's hint for a thread that waits awake.
#include "platform/cpu_features.h"

#include <array>
#include <atomic>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace platform {
namespace {

constexpr int kFeatureCount = 3;

// The feature bits of leaf 1's EDX.
constexpr unsigned kEdxMmx = 1u << 23;
constexpr unsigned kEdxSse = 1u << 25;
constexpr unsigned kEdxSse2 = 1u << 26;

bool MachineHas(CpuFeature feature)
{
    static const unsigned edx = CpuidLeaf(1).value_or(CpuidRegisters{}).edx;
    switch (feature) {
    case CpuFeature::Mmx: return edx & kEdxMmx;
    case CpuFeature::Sse: return edx & kEdxSse;
    case CpuFeature::Sse2: return edx & kEdxSse2;
    }
    return false;
}

// -1: no override; 0 or 1: the forced answer.
std::array<std::atomic<int>, kFeatureCount> overrides{-1, -1, -1};

}  // namespace

bool CpuHas(CpuFeature feature)
{
    const int forced = overrides[static_cast<int>(feature)].load(std::memory_order_relaxed);
    return forced < 0 ? MachineHas(feature) : forced != 0;
}

void OverrideCpuFeature(CpuFeature feature, std::optional<bool> answer)
{
    overrides[static_cast<int>(feature)].store(answer ? (*answer ? 1 : 0) : -1, std::memory_order_relaxed);
}

std::optional<CpuidRegisters> CpuidLeaf(std::uint32_t leaf)
{
#if defined(__x86_64__) || defined(__i386__)
    CpuidRegisters r;
    if (__get_cpuid(leaf, &r.eax, &r.ebx, &r.ecx, &r.edx)) return r;
#endif
    return std::nullopt;
}

void CpuRelax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#else
    std::this_thread::yield();
#endif
}

}  // namespace platform
