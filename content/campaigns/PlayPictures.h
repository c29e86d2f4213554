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

// The glyph sheets' cells of the campaign's fonts: the level display's, which the forms' labels share, its grey
// cut for disabled captions, and the headings'.
struct CampaignFonts {
    contentkit::FontGlyphs hud, grey, title;
};

std::vector<NamedPicture> PlayPictures();
// boldFont: the face of the fonts; fonts gets their glyph sheets' cells. Empty when the face cannot be opened.
std::vector<NamedPicture> ScreenPictures(const char* boldFont, CampaignFonts& fonts);

}  // namespace campaignart
