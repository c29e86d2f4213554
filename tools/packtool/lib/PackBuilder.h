// Builds a pack from a manifest with the engine's own writers: the name table through AddGroup and AddName, each
// resource's loose file through the manager's OpenWrite, and the pack through BuildPack or BuildInterfacePack.
#pragma once
#include <filesystem>

#include "PackManifest.h"

namespace packtool {

// The loose files are made under work/RESOURCE (emptied first). Throws ManifestError, std::runtime_error or the
// engine's CGP_FatalExeption.
void BuildPackFromManifest(const Manifest& manifest, const std::filesystem::path& output,
                           const std::filesystem::path& work);

}  // namespace packtool
