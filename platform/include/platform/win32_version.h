// Version information of program files. On Linux a program carries its version block, in the layout of a
// Windows version resource (VS_VERSIONINFO), in an ELF section of its own (VEL_VERSION_SECTION), written at
// build time. The system library "kernel32.dll" in the system directory answers with the language of the
// user's locale. A file without a block answers as a Windows file without a version resource: size 0.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/win32_base.h"

using PUINT = UINT*;

#define VEL_VERSION_SECTION ".vsversioninfo"

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;  // 0xFEEF04BD
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};

// The size of the buffer GetFileVersionInfoA needs for the file's block; 0 when it has none.
PLATFORM_API DWORD GetFileVersionInfoSizeA(LPCSTR fileName, DWORD* handle);
// Copies the block into data, which must hold the size asked above; FALSE when there is no block or no room.
PLATFORM_API BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD handle, DWORD size, LPVOID data);
// "\" gives the VS_FIXEDFILEINFO, "\VarFileInfo\Translation" the (language, code page) pairs, and
// "\StringFileInfo\<language and code page as 8 hex digits>\<name>" a text (length in characters with its
// zero). Names are compared without regard to case. FALSE when the block has no such entry.
PLATFORM_API BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* value, PUINT length);

// The folder of the system libraries (the platform library's own folder); the programs join "\name" to it.
PLATFORM_API UINT GetSystemDirectoryA(LPSTR buffer, UINT size);

namespace platform {

// What a version block says: the fixed numbers, one translation and its texts (UTF-8, in order).
struct VersionDescription {
    WORD fileVersion[4] = {0, 0, 0, 0};  // major, minor, build, revision
    WORD productVersion[4] = {0, 0, 0, 0};
    WORD language = 0x0409;
    WORD codePage = 0x04E4;
    std::vector<std::pair<std::string, std::string>> strings;
};

// The block in the layout of a Windows version resource, as a program carries it; empty when the texts are
// too long for the block's 16-bit lengths.
PLATFORM_API std::vector<BYTE> BuildVersionBlock(const VersionDescription& description);

}  // namespace platform
