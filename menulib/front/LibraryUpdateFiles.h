// The file steps of the library's update, on disk paths relative to the working folder (or absolute).
#pragma once
#include <string>

// Copies a whole file, making the destination's folders; a destination written in part is deleted again.
bool CopyLibraryFile(const char* source, const std::string& destination);
bool DeleteLibraryFile(const std::string& path);
