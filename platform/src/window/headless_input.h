// Input of a headless run: the script's events, fed as the frame counter reaches them.
#pragma once
#include <vector>

#include "window/headless_script.h"

namespace platform {

// Reads the script of VEL_SCRIPT, when there is one; its errors go to stderr.
void StartHeadlessInput();
// Replaces the script (tests).
PLATFORM_API void SetHeadlessScript(std::vector<ScriptEvent> events);
// Hands the events due by the current frame to the queue.
void DeliverDueScriptEvents();

}  // namespace platform
