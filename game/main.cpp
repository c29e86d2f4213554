// The Velmorine program: its entry is the game's WinMain.
#include "GP_Main.h"

int main() { return WinMain(nullptr, nullptr, nullptr, 0); }
