// Dobranth: lets the player choose the game's interface language before the game starts.
#include <cstdio>

#include "fmChoice_of_language.h"

int main()
{
    auto* dialog = new TChoice_of_language(GetForegroundWindow(), OwnProgramPath());
    const INT_PTR result = dialog->Run();
    delete dialog;
    if (result == -1) {
        std::fprintf(stderr, "Dobranth: the language dialog could not be shown\n");
        return 1;
    }
    return 0;
}
