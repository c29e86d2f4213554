// What the processor can do: vendor, family, model, a model name, and which of MMX, SSE, SSE2 and 3DNow! the
// processor reports and which really execute.
#pragma once
#include <cstdint>

#include "foundation/CString.h"

enum CpuFeature : std::int32_t {
    kCpuMmx = 1,
    kCpuSse = 2,
    kCpuSse2 = 4,
    kCpu3DNow = 8,
};

struct CpuRecord {
    char vendor[13] = {};
    char modelName[31] = {};
    std::int32_t family = 0;
    std::int32_t model = 0;
    std::int32_t stepping = 0;
    std::int32_t reportedFeatures = 0;
    std::int32_t usableFeatures = 0;
    std::int32_t testedFeatures = 15;
};

// The answers of the four CPUID leaves the record is built from.
struct CpuidLeaves {
    bool available = false;              // leaf 0 ran
    std::uint32_t vendor[3] = {};        // EBX, EDX, ECX of leaf 0
    std::uint32_t signature = 0;         // EAX of leaf 1
    std::uint32_t features = 0;          // EDX of leaf 1
    std::uint32_t extendedMax = 0;       // EAX of leaf 0x80000000
    std::uint32_t extendedFeatures = 0;  // EDX of leaf 0x80000001
};

// Builds the record from CPUID answers; probe(feature) runs one instruction of a reported feature and tells
// whether it executed.
CpuRecord BuildCpuRecord(const CpuidLeaves& leaves, bool (*probe)(CpuFeature feature));
// The model name for a vendor, family and model ("" where none is given).
const char* CpuModelName(const char* vendor, int family, int model);

class CpuInfo {
public:
    static CpuInfo& Instance();
    bool HasMmx() const { return m_mmx; }
    bool HasSse() const { return m_sse; }
    const CpuRecord& GetRecord() const { return m_record; }

private:
    CpuInfo();
    CpuRecord m_record;
    bool m_mmx = false;
    bool m_sse = false;
};

CString GetCpuVendor();
int GetCpuFamily();
int GetCpuModel();
int GetCpuStepping();
