// Loading frames by description: the description file names the frame's class and options; the frame then
// loads its pixels for the display depth.
#pragma once

class CFrame;
class CObject;
class ClassInfo;
class FrameProcess;

// The selector of the time stamps that caches compare.
constexpr int kCacheTimeSelector = 4;

// The frame described by folder + name + ".txt" (a default instance of itemClass, CFrame when null, when there
// is no description), loaded; null when it cannot be loaded.
CObject* LoadFrameDescription(const char* folder, const char* name, FrameProcess& processChain, int useCacheFolder,
                              int openFlags, ClassInfo* itemClass);
// Converts a frame (step 12 with dither, else 11) and run-encodes it when asked.
bool ApplyProcessSteps(CFrame& frame, bool dither, bool runEncode);
