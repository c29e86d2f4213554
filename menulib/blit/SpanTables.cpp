#include "blit/SpanTables.h"

#include <emmintrin.h>

#include <cstring>
#include <utility>

#include "blit/Blend565.h"
#include "blit/DrawState.h"
#include "blit/PixelTables.h"
#include "platform/cpu_features.h"

using draw_state::g_blendRow;

namespace {

std::uint16_t Load16(const std::uint8_t* p)
{
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
void Store16(std::uint8_t* p, std::uint16_t v) { std::memcpy(p, &v, 2); }

// Where a span's i-th value and alpha byte are: their own for literals, the one of the run for fills.
template <bool kFill>
constexpr int At(int i)
{
    return kFill ? 0 : i;
}

// Weights of the blends.
struct AlphaWeight {
    static int Of(const std::uint8_t* alpha, int i) { return alpha[i]; }
};
struct LevelWeight {
    static int Of(const std::uint8_t*, int) { return static_cast<int>(g_blendRow[255]); }
};
struct LevelRowWeight {
    static int Of(const std::uint8_t* alpha, int i) { return static_cast<int>(g_blendRow[alpha[i]] & 0xff); }
};

// The runs: Run(destination, source, alpha, n) does the table's operation on n pixels.
template <int kBytes, bool kFill>
struct CopyRun {
    static void Run(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t*, int n)
    {
        if (!kFill) {
            std::memcpy(d, s, static_cast<std::size_t>(n) * kBytes);
            return;
        }
        if (kBytes == 1) {
            std::memset(d, *s, static_cast<std::size_t>(n));
            return;
        }
        for (int i = 0; i < n; ++i) std::memcpy(d + i * kBytes, s, kBytes);
    }
};

enum class Mixing {
    A,
    B
};
template <Mixing kTable, bool kSwapped, bool kFill>
struct MixRun {
    static void Run(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t*, int n)
    {
        const std::uint8_t* table = kTable == Mixing::A ? draw_state::g_mixingA : draw_state::g_mixingB;
        for (int i = 0; i < n; ++i) {
            const int v = s[At<kFill>(i)];
            d[i] = kSwapped ? table[v * 256 + d[i]] : table[d[i] * 256 + v];
        }
    }
};

template <class Weight, bool kFill>
struct Blend565Run {
    static void Run(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int n)
    {
        for (int i = 0; i < n; ++i)
            Store16(d + 2 * i,
                    Blend565(Load16(d + 2 * i), Load16(s + 2 * At<kFill>(i)), Weight::Of(alpha, At<kFill>(i))));
    }
};

// The lane tables: groups of four pixels with the four-lane formula, the one to three pixels left (and runs of
// one to three) with the plain one. The SSE2 form and its plain twin give the same bits.
template <class Weight, bool kFill>
void BlendGroupsPlain(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int grouped)
{
    for (int i = 0; i < grouped; ++i)
        Store16(d + 2 * i,
                Blend565Lanes(Load16(d + 2 * i), Load16(s + 2 * At<kFill>(i)), Weight::Of(alpha, At<kFill>(i))));
}

template <class Weight, bool kFill>
void BlendGroupsSse2(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int grouped)
{
    for (int i = 0; i < grouped; i += 4) {
        const int w0 = Weight::Of(alpha, At<kFill>(i)), w1 = Weight::Of(alpha, At<kFill>(i + 1));
        const int w2 = Weight::Of(alpha, At<kFill>(i + 2)), w3 = Weight::Of(alpha, At<kFill>(i + 3));
        const __m128i w = _mm_set_epi16(0, 0, 0, 0, static_cast<short>(w3), static_cast<short>(w2),
                                        static_cast<short>(w1), static_cast<short>(w0));
        const __m128i source = kFill ? _mm_set1_epi16(static_cast<short>(Load16(s)))
                                     : _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s + 2 * i));
        const __m128i destination = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d + 2 * i));
        const __m128i result = Blend565Lanes4(destination, source, _mm_srli_epi16(w, 2), _mm_srli_epi16(w, 3));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d + 2 * i), result);
    }
}

template <class Weight, bool kFill, bool kSse2>
struct Blend565LanesRun {
    static void Run(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int n)
    {
        const int grouped = n >= 4 ? n & ~3 : 0;
        if (kSse2)
            BlendGroupsSse2<Weight, kFill>(d, s, alpha, grouped);
        else
            BlendGroupsPlain<Weight, kFill>(d, s, alpha, grouped);
        Blend565Run<Weight, kFill>::Run(d + 2 * grouped, kFill ? s : s + 2 * grouped,
                                        kFill   ? alpha
                                        : alpha ? alpha + grouped
                                                : alpha,
                                        n - grouped);
    }
};

// 24-bit blends: each byte d + (s - d) x w / 256, truncated toward zero. A 32-bit destination steps four bytes.
template <class Weight, bool kFill, int kStride>
struct Blend24Run {
    static void Run(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int n)
    {
        for (int i = 0; i < n; ++i) {
            const int w = Weight::Of(alpha, At<kFill>(i));
            const std::uint8_t* from = s + 3 * At<kFill>(i);
            std::uint8_t* to = d + kStride * i;
            for (int c = 0; c < 3; ++c) to[c] = static_cast<std::uint8_t>(to[c] + (from[c] - to[c]) * w / 256);
        }
    }
};

// Copies and fills of 24-bit values onto a 32-bit destination, fourth byte 255.
template <bool kFill>
struct Copy24To32Run {
    static void Run(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t*, int n)
    {
        for (int i = 0; i < n; ++i, d += 4) {
            std::memcpy(d, s + 3 * At<kFill>(i), 3);
            d[3] = 255;
        }
    }
};

template <bool kFill>
struct Convert8To16Run {
    static void Run(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t*, int n)
    {
        for (int i = 0; i < n; ++i) Store16(d + 2 * i, draw_state::g_pixel565[s[At<kFill>(i)]]);
    }
};

// 5-6-5 expanded to B, G, R, and for kBytes 4 the fourth byte: 255, or the alpha byte when kAlpha.
template <bool kFill, int kBytes, bool kAlpha>
struct Expand565Run {
    static void Run(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int n)
    {
        for (int i = 0; i < n; ++i, d += kBytes) {
            const std::uint16_t p = Load16(s + 2 * At<kFill>(i));
            d[0] = Blue565(p);
            d[1] = Green565(p);
            d[2] = Red565(p);
            if (kBytes == 4) d[3] = kAlpha ? alpha[At<kFill>(i)] : 255;
        }
    }
};

void Nothing(std::uint8_t*, const std::uint8_t*, const std::uint8_t*, int) {}

template <class Runner, int kCount>
void Fixed(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int)
{
    Runner::Run(d, s, alpha, kCount);
}

template <class Runner>
void General(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* alpha, int n)
{
    Runner::Run(d, s, alpha, n);
}

constexpr int kFixedCounts = 16;

template <class Runner, int... kCounts>
SpanTable MakeTable(std::integer_sequence<int, kCounts...>)
{
    SpanTable table{};
    table.entries[0] = Nothing;
    ((table.entries[kCounts + 1] = Fixed<Runner, kCounts + 1>), ...);
    for (int n = kFixedCounts + 1; n < kSpanEntries; ++n) table.entries[n] = General<Runner>;
    return table;
}

template <class Runner>
SpanTable MainTable()
{
    return MakeTable<Runner>(std::make_integer_sequence<int, kFixedCounts>{});
}

template <class Runner>
SpanTable ConversionTable()
{
    SpanTable table{};
    for (SpanFunction& entry : table.entries) entry = General<Runner>;
    return table;
}

SpanTable g_main[kMainSpanTables];
SpanTable g_conversions[kConversionSpanTables];
SpanTable g_24To32[kMainSpanTables];

template <bool kSse2>
void FillLaneTables()
{
    g_main[kSpanAlpha565Lanes] = MainTable<Blend565LanesRun<AlphaWeight, false, kSse2>>();
    g_main[kSpanFillAlpha565Lanes] = MainTable<Blend565LanesRun<AlphaWeight, true, kSse2>>();
    g_main[kSpanLevel565Lanes] = MainTable<Blend565LanesRun<LevelWeight, false, kSse2>>();
    g_main[kSpanFillLevel565Lanes] = MainTable<Blend565LanesRun<LevelWeight, true, kSse2>>();
    g_main[kSpanLevelRow565Lanes] = MainTable<Blend565LanesRun<LevelRowWeight, false, kSse2>>();
    g_main[kSpanFillLevelRow565Lanes] = MainTable<Blend565LanesRun<LevelRowWeight, true, kSse2>>();
}

void FillFixedTables()
{
    g_main[kSpanCopy8] = MainTable<CopyRun<1, false>>();
    g_main[kSpanFill8] = MainTable<CopyRun<1, true>>();
    g_main[kSpanMixA] = MainTable<MixRun<Mixing::A, false, false>>();
    g_main[kSpanFillMixA] = MainTable<MixRun<Mixing::A, false, true>>();
    g_main[kSpanMixB] = MainTable<MixRun<Mixing::B, false, false>>();
    g_main[kSpanFillMixB] = MainTable<MixRun<Mixing::B, false, true>>();
    g_main[kSpanMixBSwapped] = MainTable<MixRun<Mixing::B, true, false>>();
    g_main[kSpanFillMixBSwapped] = MainTable<MixRun<Mixing::B, true, true>>();
    g_main[kSpanMixASwapped] = MainTable<MixRun<Mixing::A, true, false>>();
    g_main[kSpanFillMixASwapped] = MainTable<MixRun<Mixing::A, true, true>>();
    g_main[kSpanCopy16] = MainTable<CopyRun<2, false>>();
    g_main[kSpanFill16] = MainTable<CopyRun<2, true>>();
    g_main[kSpanAlpha565] = MainTable<Blend565Run<AlphaWeight, false>>();
    g_main[kSpanFillAlpha565] = MainTable<Blend565Run<AlphaWeight, true>>();
    g_main[kSpanLevel565] = MainTable<Blend565Run<LevelWeight, false>>();
    g_main[kSpanFillLevel565] = MainTable<Blend565Run<LevelWeight, true>>();
    g_main[kSpanLevelRow565] = MainTable<Blend565Run<LevelRowWeight, false>>();
    g_main[kSpanFillLevelRow565] = MainTable<Blend565Run<LevelRowWeight, true>>();
    g_main[kSpanCopy24] = MainTable<CopyRun<3, false>>();
    g_main[kSpanFill24] = MainTable<CopyRun<3, true>>();
    g_main[kSpanAlpha24] = MainTable<Blend24Run<AlphaWeight, false, 3>>();
    g_main[kSpanFillAlpha24] = MainTable<Blend24Run<AlphaWeight, true, 3>>();
    g_main[kSpanLevel24] = MainTable<Blend24Run<LevelWeight, false, 3>>();
    g_main[kSpanFillLevel24] = MainTable<Blend24Run<LevelWeight, true, 3>>();
    g_main[kSpanLevelRow24] = MainTable<Blend24Run<LevelRowWeight, false, 3>>();
    g_main[kSpanFillLevelRow24] = MainTable<Blend24Run<LevelRowWeight, true, 3>>();

    g_24To32[kSpanCopy24] = MainTable<Copy24To32Run<false>>();
    g_24To32[kSpanFill24] = MainTable<Copy24To32Run<true>>();
    g_24To32[kSpanAlpha24] = MainTable<Blend24Run<AlphaWeight, false, 4>>();
    g_24To32[kSpanFillAlpha24] = MainTable<Blend24Run<AlphaWeight, true, 4>>();
    g_24To32[kSpanLevel24] = MainTable<Blend24Run<LevelWeight, false, 4>>();
    g_24To32[kSpanFillLevel24] = MainTable<Blend24Run<LevelWeight, true, 4>>();
    g_24To32[kSpanLevelRow24] = MainTable<Blend24Run<LevelRowWeight, false, 4>>();
    g_24To32[kSpanFillLevelRow24] = MainTable<Blend24Run<LevelRowWeight, true, 4>>();

    g_conversions[kSpan8To16] = ConversionTable<Convert8To16Run<false>>();
    g_conversions[kSpanFill8To16] = ConversionTable<Convert8To16Run<true>>();
    g_conversions[kSpan16To24] = ConversionTable<Expand565Run<false, 3, false>>();
    g_conversions[kSpanFill16To24] = ConversionTable<Expand565Run<true, 3, false>>();
    g_conversions[kSpan16To24Alpha] = ConversionTable<Expand565Run<false, 3, false>>();
    g_conversions[kSpanFill16To24Alpha] = ConversionTable<Expand565Run<true, 3, false>>();
    g_conversions[kSpan16To32] = ConversionTable<Expand565Run<false, 4, false>>();
    g_conversions[kSpanFill16To32] = ConversionTable<Expand565Run<true, 4, false>>();
    g_conversions[kSpan16To32Alpha] = ConversionTable<Expand565Run<false, 4, true>>();
    g_conversions[kSpanFill16To32Alpha] = ConversionTable<Expand565Run<true, 4, true>>();
}

// Built on first use, which the load below makes happen before any draw.
void EnsureTables()
{
    static const bool built = (InitSpanTables(platform::CpuHas(platform::CpuFeature::Sse2)), true);
    (void)built;
}
const bool kTablesBuiltAtLoad = (EnsureTables(), true);

}  // namespace

const SpanTable& MainSpanTableAt(int index)
{
    EnsureTables();
    return g_main[index];
}
const SpanTable& ConversionSpanTableAt(int index)
{
    EnsureTables();
    return g_conversions[index];
}
const SpanTable& Span24To32TableAt(int index)
{
    EnsureTables();
    return g_24To32[index];
}

void InitSpanTables(bool simd)
{
    FillFixedTables();
    if (simd)
        FillLaneTables<true>();
    else
        FillLaneTables<false>();
}
