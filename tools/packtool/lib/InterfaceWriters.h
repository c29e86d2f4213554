// Forms and bitmap fonts in a manifest, written through the engine's own writers (CGP_Form::Write,
// CGP_Font::Write), so the pack holds exactly what the game's loader reads.
#pragma once
#include <cstdio>

#include "ResourceWriters.h"

namespace packtool {

// form "<name>" <option value>..., then one indented line per control: <kind> <option value>...
void WriteFormResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out);
// font "<name>" image <id> height <n> [key <colour>] [option <id>], then indented lines
// glyph <code> <left> <top> <right>, the code a number or a one-character text.
void WriteFontResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out);

}  // namespace packtool
