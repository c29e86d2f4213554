// Values that Windows itself keeps in the registry and the programs read: answered by the store when the file
// does not hold them, and never written into the file.
#pragma once
#include "registry/registry_model.h"

namespace platform::registry {

// "ProgramFilesDir" of HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\Windows\CurrentVersion": a real folder of the
// user's data, $VEL_PROGRAM_FILES_DIR, else $XDG_DATA_HOME/Velmorine/Program Files, else
// ~/.local/share/Velmorine/Program Files; made when it is missing.
void AddSystemValues(Store& store);

}  // namespace platform::registry
