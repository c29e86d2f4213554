// Path helpers on C strings, file attributes, temporary names and DOS times.
#pragma once
#include <cstdint>

// out = folder, a '/' unless the folder is empty or ends in '\\' or '/', then name. out may be folder.
void JoinPath(char* out, const char* folder, const char* name);
// The text after the last '\\' or '/' (the whole path when there is none); "In Path Name Null!" for null.
const char* FindFileName(const char* path);
// Ends the text after its last separator.
void CutFileName(char* path);
// The last '.' of the file-name part, else the end of the text.
char* FindExtension(char* path);
// Replaces (or adds) the extension; extension is given without the dot. The caller's buffer must have room.
void ReplaceExtension(char* path, const char* extension);
// Removes one trailing '/' or '\\'.
void StripTrailingSeparator(char* path);
// Creates every missing folder of the path; false when a folder cannot be made.
bool CreateFolderPath(const char* path);
// A search for the pattern finds something.
bool PathExists(const char* pattern);
bool FolderHasEntries(const char* folder);
bool IsWritablePath(const char* path);
bool IsReadOnly(const char* path);
bool SetReadOnly(const char* path, bool on);
// A new empty temporary file; its name goes to out (260 characters).
bool MakeTempFileName(char* out, const char* prefix);
void DosTimeNow(std::uint16_t* date, std::uint16_t* time);
// DOS date and time (local) to a 64-bit UTC file time, and back.
std::int64_t DosToFileTime(std::uint16_t date, std::uint16_t time);
void FileTimeToDos(std::int64_t fileTime, std::uint16_t* date, std::uint16_t* time);
// "Cache", the folder of converted files.
const char* GetCacheFolderName();
