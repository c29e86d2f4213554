// SDL video for the windows of a run with a display.
#pragma once

namespace platform {

// Starts SDL video with the screen saver kept off; false (with a note on stderr) when there is no display.
bool StartSdlVideo();

}  // namespace platform
