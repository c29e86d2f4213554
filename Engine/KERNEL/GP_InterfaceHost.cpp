#include "GP_InterfaceHost.h"

GP_InterfaceState& GP_Interface()
{
    static GP_InterfaceState state;
    return state;
}

const char* const* GP_KeyNames = nullptr;
