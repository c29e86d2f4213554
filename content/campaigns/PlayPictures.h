// The demo campaign's pictures by file name: the sprite sheets (PlayPictures) and the screens, layers and level
// display (ScreenPictures).
#pragma once
#include <string>
#include <vector>

#include "PictureKit.h"

namespace campaignart {

struct NamedPicture {
    std::string name;
    contentkit::Picture picture;
};

std::vector<NamedPicture> PlayPictures();
// fonts: the face for captions and its bold cut; hudGlyphs gets the glyph sheet of the level display's font.
std::vector<NamedPicture> ScreenPictures(const char* font, const char* boldFont, contentkit::FontGlyphs& hudGlyphs);

}  // namespace campaignart
