// Dobranth: lets the player choose the game's interface language before the game starts.
#include <cstdio>
#include <memory>

#include "fmChoice_of_language.h"

int main()
{
    const auto dialog = std::make_unique<TChoice_of_language>(GetForegroundWindow(), OwnProgramPath());
    if (dialog->Run() == DialogBoxFailed) {
        std::fprintf(stderr, "Dobranth: the language dialog could not be shown\n");
        return 1;
    }
    return 0;
}
