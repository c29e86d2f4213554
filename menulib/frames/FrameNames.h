// The names of the cache files of frames and sequences: the converted file of each display depth, the
// ".Frame" cache, and the file-kind words.
#pragma once
#include "foundation/CString.h"

class FrameProcess;

// The converted file of a depth: 8: base + sep + name + "." + kind; 16: the same with "-" before the name while
// the naming switch is on and kind + "16"; 24 and 32: base, then sep + the part of name before its last "\" or
// "/" when it has one, then sep + "-" + the rest and kind + "24" or "32". Other depths: empty.
CString MakeDepthFileName(const char* base, const char* name, const char* separator, int bitDepth, const char* kind);
// The ".frm" file of a frame: base "Cache" + folder (or the folder alone), the chain's target depth. A folder
// given without its leading separator ("Frames/") still lands under "Cache/".
CString BuildFrameFileName(const char* folder, const char* name, const FrameProcess* chain, int useCacheFolder);
// "Cache/<folder>/<name>.Frame", the folder's own leading and trailing separators left out.
CString MakeFrameCachePath(const char* folder, const char* name);
// "FRAME" while the naming switch is on, else "frm", "frm16", "frm24" or "frm32" by the display depth.
const char* GetFrameFileKind();
