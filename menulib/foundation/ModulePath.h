// The library's own module file: the host program's file unless an override names the library's file.
#pragma once

// The override when set (cut to size - 1 characters), else the host program's file. False when there is none.
bool GetModulePath(char* buffer, int size);
void SetModulePathOverride(const char* path);
// GetModulePath cut after its last '\\' (or, when there is none, its last '/').
bool GetModuleFolder(char* buffer, int size);
// Makes the module's folder the current folder.
bool ChangeToModuleFolder();
