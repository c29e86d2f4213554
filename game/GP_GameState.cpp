#include "GP_GameState.h"

GP_GameState GP_State;
