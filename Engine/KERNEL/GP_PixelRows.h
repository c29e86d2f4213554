// The row loops of the effects: blend, darken and the rounds of the two fades, each plain and with SSE2 (8 pixels
// at a time, bit for bit the same results). GP_UseSse2Rows chooses between them.
#pragma once
#include <cstdint>

struct GP_ChannelMasks {
    std::uint16_t r, g, b;
};

// One colour component as a fade moves it, in the component's own units.
struct GP_FadeChannel {
    std::uint16_t mask;
    int shift;
    int outHigh;  // fade-out step above the threshold
    int outLow;   // fade-out step at or below it
    int threshold;
    int in;  // fade-in step
};

struct GP_FadeChannels {
    GP_FadeChannel r, g, b;
};

// Where a fade-in row is going: one component value per pixel of the row.
struct GP_FadeTargets {
    const std::uint16_t* r;
    const std::uint16_t* g;
    const std::uint16_t* b;
};

// Whether the effects run their SSE2 rows: the display's MMX flag is set and the processor has SSE2.
bool GP_UseSse2Rows();

void GP_BlendRowPlain(std::uint16_t* row, int count, GP_ChannelMasks masks, GP_ChannelMasks colour);
void GP_DarkenRowPlain(std::uint16_t* row, int count, GP_ChannelMasks masks);
// One fade-out round: every component steps down, and stops at 0. True when some component of the row took a
// whole step (was at least its step).
bool GP_FadeOutRowPlain(std::uint16_t* row, int count, const GP_FadeChannels& channels);
// One fade-in round: every component steps up towards its target, and stops there. True when some component of
// the row took a whole step without passing its target.
bool GP_FadeInRowPlain(std::uint16_t* row, int count, const GP_FadeTargets& targets, const GP_FadeChannels& channels);

// False where SSE2 is not built in: the caller then takes the plain loop.
bool GP_BlendRowSse2(std::uint16_t* row, int count, GP_ChannelMasks masks, GP_ChannelMasks colour);
bool GP_DarkenRowSse2(std::uint16_t* row, int count, GP_ChannelMasks masks);
// As the plain rounds; where SSE2 is not built in they run the plain loop.
bool GP_FadeOutRowSse2(std::uint16_t* row, int count, const GP_FadeChannels& channels);
bool GP_FadeInRowSse2(std::uint16_t* row, int count, const GP_FadeTargets& targets, const GP_FadeChannels& channels);
