// Play resources in a manifest, written through the engine's own writers so the pack holds what the game reads:
// sprite definitions (CGP_SpriteDef::Save), weapons (CGP_Weapon::Write), scenes (the play field's Write with the
// scene record's) and the campaign's layer resource of level lists.
#pragma once
#include <cstdio>

#include "ResourceWriters.h"

namespace packtool {

// sprite "<name>" <option value>..., then indented lines: state <0-3> ..., weapon ..., attach ..., spawn ...,
// spawn2 ...
void WriteSpriteResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out);
// weapon "<name>" <option value>...
void WriteWeaponResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out);
// scene "<name>" <option value>..., then indented lines: layer <0-2> ..., object ..., uses <id>...
void WriteSceneResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out);
// levels "<name>", then indented lines: group <id>... (one per ID group), draw <id>... (the drawing order)
void WriteLevelsResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out);

}  // namespace packtool
