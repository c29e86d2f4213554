#include "foundation/CpuInfo.h"

#include <csetjmp>
#include <csignal>
#include <cstring>
#include <initializer_list>

#include "platform/cpu_features.h"

#if defined(__x86_64__) || defined(__i386__)
#define VEL_CPU_X86 1
#endif

namespace {

CpuidLeaves ReadCpuid()
{
    CpuidLeaves leaves;
    const std::optional<platform::CpuidRegisters> leaf0 = platform::CpuidLeaf(0);
    if (!leaf0) return leaves;
    leaves.available = true;
    leaves.vendor[0] = leaf0->ebx;
    leaves.vendor[1] = leaf0->edx;
    leaves.vendor[2] = leaf0->ecx;
    if (const auto leaf1 = platform::CpuidLeaf(1)) {
        leaves.signature = leaf1->eax;
        leaves.features = leaf1->edx;
    }
    if (const auto top = platform::CpuidLeaf(0x80000000u)) leaves.extendedMax = top->eax;
    if (leaves.extendedMax & 0x80000000u) {
        if (const auto extended = platform::CpuidLeaf(0x80000001u)) leaves.extendedFeatures = extended->edx;
    }
    return leaves;
}

#ifdef VEL_CPU_X86
sigjmp_buf probeJump;

void OnIllegalInstruction(int) { siglongjmp(probeJump, 1); }

// Runs one instruction of the feature with SIGILL caught: a processor or system that cannot run it jumps back.
bool ProbeFeature(CpuFeature feature)
{
    struct sigaction guard {
    }, previous{};
    guard.sa_handler = OnIllegalInstruction;
    sigemptyset(&guard.sa_mask);
    sigaction(SIGILL, &guard, &previous);
    bool executed = false;
    if (sigsetjmp(probeJump, 1) == 0) {
        switch (feature) {
        case kCpuMmx: __asm__ volatile("pxor %%mm0, %%mm0\n\temms" ::: "mm0"); break;
        case kCpuSse: __asm__ volatile("xorps %%xmm0, %%xmm0" ::: "xmm0"); break;
        case kCpuSse2: __asm__ volatile("xorpd %%xmm0, %%xmm0" ::: "xmm0"); break;
        case kCpu3DNow: __asm__ volatile(".byte 0x0f, 0x0f, 0xc0, 0x96\n\tfemms" ::: "mm0"); break;  // pfrcp mm0, mm0
        }
        executed = true;
    }
    sigaction(SIGILL, &previous, nullptr);
    return executed;
}
#else
bool ProbeFeature(CpuFeature) { return false; }
#endif

}  // namespace

const char* CpuModelName(const char* vendor, int family, int model)
{
    if (std::strcmp(vendor, "AuthenticAMD") == 0) {
        switch (family) {
        case 4: return "AMD Am486";
        case 5:
            if (model <= 3) return "AMD K5";
            if (model <= 5) return "";
            if (model <= 7) return "AMD K6";
            if (model == 8) return "AMD K6-2";
            return "AMD K6-3";
        case 6: return "AMD ATHLON";
        default: return "";
        }
    }
    if (std::strcmp(vendor, "GenuineIntel") == 0) {
        if (family == 4) {
            static const char* const names[] = {"INTEL 486DX",  "INTEL 486DX",   "INTEL 486SX",
                                                "INTEL 486DX2", "INTEL 486SL",   "INTEL 486SX2",
                                                nullptr,        "INTEL 486DX2E", "INTEL 486DX4"};
            return model >= 0 && model <= 8 && names[model] ? names[model] : "Unknown";
        }
        if (family == 5) {
            if (model >= 1 && model <= 3) return "INTEL Pentium";
            return model == 4 ? "INTEL Pentium-MMX" : "Unknown";
        }
        if (family == 6) {
            switch (model) {
            case 1: return "INTEL Pentium-Pro";
            case 3: return "INTEL Pentium-II model 3";
            case 5: return "INTEL Pentium-II model 5";
            case 6: return "INTEL Celeron";
            case 7: return "INTEL Pentium-III model 7";
            case 8: return "INTEL Pentium-III model 8";
            case 10: return "INTEL Pentium-III Xeon model A";
            case 11: return "INTEL Pentium-III model B";
            default: return "Unknown";
            }
        }
        return family == 15 ? "INTEL Pentium 4" : "Unknown";
    }
    return "Unknown";
}

CpuRecord BuildCpuRecord(const CpuidLeaves& leaves, bool (*probe)(CpuFeature feature))
{
    CpuRecord record;
    if (!leaves.available) return record;
    std::memcpy(record.vendor, leaves.vendor, 12);
    record.vendor[12] = 0;
    record.family = static_cast<std::int32_t>((leaves.signature >> 8) & 0xF);
    record.model = static_cast<std::int32_t>((leaves.signature >> 4) & 0xF);
    record.stepping = static_cast<std::int32_t>(leaves.signature & 0xF);
    if (leaves.features & (1u << 23)) record.reportedFeatures |= kCpuMmx;
    if (leaves.features & (1u << 25)) record.reportedFeatures |= kCpuSse;
    if (leaves.features & (1u << 26)) record.reportedFeatures |= kCpuSse2;
    if (leaves.extendedFeatures & (1u << 31)) record.reportedFeatures |= kCpu3DNow;
    for (CpuFeature feature : {kCpuMmx, kCpuSse, kCpuSse2, kCpu3DNow})
        if ((record.reportedFeatures & feature) && probe(feature)) record.usableFeatures |= feature;
    std::strncpy(record.modelName, CpuModelName(record.vendor, record.family, record.model),
                 sizeof record.modelName - 1);
    return record;
}

CpuInfo::CpuInfo() : m_record(BuildCpuRecord(ReadCpuid(), ProbeFeature))
{
    const int both = m_record.reportedFeatures & m_record.usableFeatures;
    m_mmx = (both & kCpuMmx) != 0;
    m_sse = (both & kCpuSse) != 0;
}

CpuInfo& CpuInfo::Instance()
{
    static CpuInfo instance;
    return instance;
}

CString GetCpuVendor() { return CString(CpuInfo::Instance().GetRecord().vendor); }
int GetCpuFamily() { return CpuInfo::Instance().GetRecord().family; }
int GetCpuModel() { return CpuInfo::Instance().GetRecord().model; }
int GetCpuStepping() { return CpuInfo::Instance().GetRecord().stepping; }
