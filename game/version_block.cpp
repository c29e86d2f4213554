// The game program's version block, in a section of its own where the language chooser and the game's version
// form find it. The bytes are made at build time from VersionInfo.txt.
#include "platform/win32_version.h"

extern const unsigned char VelmorineVersionBlock[];
__attribute__((section(VEL_VERSION_SECTION), used, aligned(4))) const unsigned char VelmorineVersionBlock[] = {
#include "version_block_bytes.inc"
};
