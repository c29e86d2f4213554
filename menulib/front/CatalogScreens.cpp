// The catalog screens' side of the central state: the game information page and the filter of the list page.
#include "front/ArcadeState.h"

void ArcadeState::ShowGameInformation(int) {}

void ArcadeState::SelectFilter(int) {}
