// The menu session's shared parts that the drawing and the message handling use.
#pragma once

class CFont;

// The font of the session's screen window, "Arcade Main 1024", taken by the first session.
CFont* GetSessionFont();
// The library's start loads the shared resources anew at its next first session.
void ForgetSessionFont();
