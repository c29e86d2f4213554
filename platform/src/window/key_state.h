// The keys held down, as the key messages taken from the queue tell them.
#pragma once
#include "platform/win32_window.h"

namespace platform {

void NoteKeyMessage(const MSG& msg);

}  // namespace platform
