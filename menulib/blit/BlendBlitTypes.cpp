// The blend blit types: "Blend Black Bias" and "Blend Test Light" (two objects with the same draw functions)
// mix 8-bit pixels through a 65536-byte mixing table M held in their own colour table, and "Blend Amplify Light"
// also brightens 16-bit destinations by the opaque plane of encoded frames and paints their translucent plane
// white.
#include <array>

#include "blit/Amplify.h"
#include "blit/DrawState.h"
#include "blit/PlainRows.h"
#include "blit/RunDraw.h"

using platform::Rect;
using run_renderer::Spans;
using namespace plain_rows;

namespace {

constexpr int kSide = 32;
using AmplifyTable = std::array<std::uint16_t, kSide * kSide>;

AmplifyTable MakeAmplifyTable(int shift)
{
    const float k = 1.0f / 31.0f;
    AmplifyTable table{};
    for (int d = 0; d < kSide; ++d) {
        for (int s = 0; s < kSide; ++s) {
            const int value = static_cast<int>(static_cast<float>(d) + static_cast<float>(d * s) * k + 0.5f);
            table[d * kSide + s] = static_cast<std::uint16_t>(std::min(31, value) << shift);
        }
    }
    return table;
}

const AmplifyTable& AmplifyRed()
{
    static const AmplifyTable table = MakeAmplifyTable(11);
    return table;
}
const AmplifyTable& AmplifyGreen()
{
    static const AmplifyTable table = MakeAmplifyTable(6);
    return table;
}
const AmplifyTable& AmplifyBlue()
{
    static const AmplifyTable table = MakeAmplifyTable(0);
    return table;
}

}  // namespace

std::uint16_t Amplify565(std::uint16_t d, std::uint16_t s)
{
    return static_cast<std::uint16_t>(AmplifyRed()[(d >> 11) * kSide + (s >> 11)] |
                                      AmplifyGreen()[((d >> 6) & 0x1f) * kSide + ((s >> 6) & 0x1f)] |
                                      AmplifyBlue()[(d & 0x1f) * kSide + (s & 0x1f)]);
}

namespace {

// The mixing table M of one draw and the offset tables of passes B to E: pass k mixes M [d + offset k [s]].
// Every offset is s x 256, so each band mixes its pixels through M as pass A does.
const std::uint8_t* g_mixing = nullptr;
struct PassOffsets {
    std::uint32_t table[256];
    PassOffsets()
    {
        for (int s = 0; s < 256; ++s) table[s] = static_cast<std::uint32_t>(s) * 256;
    }
};
const PassOffsets kPassOffsets[run_renderer::kPasses] = {};

template <int kPass, bool kFill>
void MixPass(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t*, int n)
{
    const std::uint32_t* offsets = kPassOffsets[kPass].table;
    for (int i = 0; i < n; ++i) d[i] = g_mixing[d[i] + offsets[s[kFill ? 0 : i]]];
}

template <class Function>
SpanTable Uniform(Function function)
{
    SpanTable table{};
    for (SpanFunction& entry : table.entries) entry = function;
    table.entries[0] = [](std::uint8_t*, const std::uint8_t*, const std::uint8_t*, int) {};
    return table;
}

// The ten pass tables of one blend type.
struct PassTables {
    SpanTable literal[run_renderer::kPasses];
    SpanTable fill[run_renderer::kPasses];
    PassTables()
        : literal{Uniform(MixPass<0, false>), Uniform(MixPass<1, false>), Uniform(MixPass<2, false>),
                  Uniform(MixPass<3, false>), Uniform(MixPass<4, false>)},
          fill{Uniform(MixPass<0, true>), Uniform(MixPass<1, true>), Uniform(MixPass<2, true>),
               Uniform(MixPass<3, true>), Uniform(MixPass<4, true>)}
    {
    }
};

// The blit type's mixing table, or null when it holds none (a palette is no mixing table: nothing is drawn).
const std::uint8_t* MixingOf(BlitType& blitType)
{
    const ColorTable* table = blitType.GetColorTable();
    if (table->GetType() != ColorTable::kTable16 || table->IsEmpty()) return nullptr;
    return table->GetData();
}

void Mix8To8(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const std::uint8_t* mixing = MixingOf(*blitType);
    if (!mixing) return;
    WalkRows(s, sr, d, dr, [mixing](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x) to[x] = mixing[to[x] + from[x] * 256];
    });
}

// 16 to 16 of the blend types on the vector unit: a row copy at opacity 1, else every row blended by the level
// weight, groups of four on the lanes and the rest with the plain formula.
void Blend16To16Lanes(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    if (!run_draw::UseBlendRow(*blitType)) return NormalBlitType().Lookup(16, 0, 16, 0)(s, sr, d, dr, blitType);
    const SpanFunction anyCount = MainSpanTableAt(kSpanLevel565Lanes)[kSpanEntries - 1];  // the general loop
    WalkRows(s, sr, d, dr,
             [anyCount](const std::uint8_t* from, std::uint8_t* to, int n) { anyCount(to, from, nullptr, n); });
}

template <const PassTables& (*kTables)()>
void MixBands8To8(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    g_mixing = MixingOf(*blitType);
    if (!g_mixing) return;
    Rect source = sr, destination = dr;
    if (!ClipDrawRects(*s, source, *d, destination)) return;
    const PassTables& tables = kTables();
    Spans spans[run_renderer::kPasses];
    for (int pass = 0; pass < run_renderer::kPasses; ++pass)
        spans[pass] = Spans{&tables.literal[pass], &tables.fill[pass]};
    run_renderer::RenderPasses<1>(s, source, d, destination, blitType->GetLevelValue(), spans);
    g_mixing = nullptr;
}

const PassTables& SharedPassTables()
{
    static const PassTables tables;
    return tables;
}
const PassTables& AmplifyPassTables()
{
    static const PassTables tables;
    return tables;
}

template <bool kFill>
void AmplifyRun(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t*, int n)
{
    for (int i = 0; i < n; ++i) Store16(d + 2 * i, Amplify565(Load16(d + 2 * i), Load16(s + 2 * (kFill ? 0 : i))));
}

void PaintWhite(std::uint8_t* d, const std::uint8_t*, const std::uint8_t*, int n)
{
    for (int i = 0; i < n; ++i) Store16(d + 2 * i, 0xffff);
}

struct AmplifyTables {
    SpanTable literal = Uniform(AmplifyRun<false>);
    SpanTable fill = Uniform(AmplifyRun<true>);
    SpanTable literalLanes = Uniform(AmplifyRun<false>);
    SpanTable fillLanes = Uniform(AmplifyRun<true>);
    SpanTable white = Uniform(PaintWhite);
    SpanTable whiteFill = Uniform(PaintWhite);
};

const AmplifyTables& Amplifiers()
{
    static const AmplifyTables tables;
    return tables;
}

// (16 kind 4) to 16 of "Blend Amplify Light": plane 0 amplifies at opacity 1 and blends by the level below it;
// plane 4 is painted white at every opacity.
template <bool kLanes>
void Amplify16To16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const AmplifyTables& tables = Amplifiers();
    const Spans white{&tables.white, &tables.whiteFill};
    if (run_draw::UseBlendRow(*blitType)) {
        const int level = kLanes ? kSpanLevel565Lanes : kSpanLevel565;
        return run_draw::RenderAlphaPlanes<2, 2>(s, sr, d, dr,
                                                 Spans{&MainSpanTableAt(level), &MainSpanTableAt(level + 1)}, white);
    }
    const Spans amplify =
        kLanes ? Spans{&tables.literalLanes, &tables.fillLanes} : Spans{&tables.literal, &tables.fill};
    run_draw::RenderAlphaPlanes<2, 2>(s, sr, d, dr, amplify, white);
}

// The keys both kinds share: 8 to 8, 16 to 16 and the ones "Normal" and "Transparent Mask" answer.
void RegisterShared(BlitType& type, bool simd)
{
    BlitType& normal = NormalBlitType();
    type.AddDrawFunction(8, 0, 8, 0, Mix8To8);
    type.AddDrawFunction(16, 0, 16, 0, simd ? Blend16To16Lanes : normal.Lookup(16, 0, 16, 0));
    const int shared[][2] = {{24, 24}, {32, 24}, {32, 32}};
    for (const auto& key : shared) type.AddDrawFunction(key[0], 0, key[1], 0, normal.Lookup(key[0], 0, key[1], 0));
}

struct BlendBlackBias : BlitType {
    BlendBlackBias() { RegisterDrawFunctions(BlitTypesUseSimd()); }

    void RegisterDrawFunctions(bool simd) override
    {
        RegisterShared(*this, simd);
        AddDrawFunction(8, kFrameEncodingBands, 8, 0, MixBands8To8<SharedPassTables>);
        AddDrawFunction(16, kFrameEncodingAlpha, 16, 0, NormalBlitType().Lookup(16, kFrameEncodingAlpha, 16, 0));
        AddDrawFunction(24, kFrameEncodingAlpha, 24, 0,
                        TransparentMaskBlitType().Lookup(24, kFrameEncodingAlpha, 24, 0));
    }
};

struct BlendAmplifyLight : BlitType {
    BlendAmplifyLight() { RegisterDrawFunctions(BlitTypesUseSimd()); }

    void RegisterDrawFunctions(bool simd) override
    {
        RegisterShared(*this, simd);
        AddDrawFunction(8, kFrameEncodingBands, 8, 0, MixBands8To8<AmplifyPassTables>);
        AddDrawFunction(16, kFrameEncodingAlpha, 16, 0, simd ? Amplify16To16<true> : Amplify16To16<false>);
        AddDrawFunction(24, kFrameEncodingAlpha, 24, 0,
                        TransparentMaskBlitType().Lookup(24, kFrameEncodingAlpha, 24, 0));
    }
};

}  // namespace

BlitType& BlendBlackBiasType()
{
    static BlendBlackBias type;
    return type;
}

BlitType& BlendTestLightType()
{
    static BlendBlackBias type;
    return type;
}

BlitType& BlendAmplifyLightType()
{
    static BlendAmplifyLight type;
    return type;
}
