// The menu library's exported functions as the game calls them: their names and C signatures come from the
// library's own header. Results of 16-bit codes are 0 on success; bytes are flags.
#pragma once
#include "../menulib/front/tadll.h"

// The version of the interface the game is built for, given to tadll_Initialize.
constexpr int TA_InterfaceVersion = 6;
