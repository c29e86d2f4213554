// The store's file, shared by every program of the user: found at $VEL_REGISTRY_FILE, else
// $XDG_CONFIG_HOME/Velmorine/registry.reg, else ~/.config/Velmorine/registry.reg. Every call reads it afresh
// under a lock on "<file>.lock" (flock: shared to read, exclusive to change); a change is written to
// "<file>.tmp", synced and renamed over the file, so a crash mid-write leaves the old store as it was.
#pragma once
#include <functional>

#include "platform/win32_registry.h"
#include "registry/registry_model.h"

namespace platform::registry {

// Runs look on the store as the file holds it now, with the system's own values added (registry_system_values.h). A missing file is an empty store; a file too large to be
// a store, or unreadable, gives ERROR_BADDB without running look.
LSTATUS ReadStore(const std::function<LSTATUS(const Store&)>& look);

// Runs change on the store as the file holds it now, with the lock held; when change sets changed and returns
// ERROR_SUCCESS, the file is replaced by the changed store (ERROR_CANTWRITE when that fails). Lines of a
// damaged file that could not be read are not carried over, so the old file is kept as "<file>.damaged".
LSTATUS ChangeStore(const std::function<LSTATUS(Store&, bool& changed)>& change);

}  // namespace platform::registry
