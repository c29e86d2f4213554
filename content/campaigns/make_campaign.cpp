// Writes the demo campaign's generated content into the folder given, beside a copy of its manifest:
//   the sprite sheets, layers, screens and level display pictures (BMP), the sounds (WAV), the campaign's
//   description "Demo.dsc" (one text record in four languages) and the glyph lines of the level display's font
//   and the forms' fonts, put into the manifest under their font statements.
//   make_campaign <folder> <manifest in the folder> <bold font file>
#include <cstdio>
#include <string>

#include "CampaignSounds.h"
#include "PlayPictures.h"

namespace {

// Cyrillic letters of UTF-8 text as Windows-1251 bytes; other text passes as it is.
std::string Cp1251(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c == 0xD0 || c == 0xD1) && i + 1 < utf8.size()) {
            const unsigned code = (c & 0x1F) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
            if (code >= 0x410 && code <= 0x44F)
                out += static_cast<char>(0xC0 + code - 0x410);
            else if (code == 0x401)
                out += static_cast<char>(0xA8);
            else if (code == 0x451)
                out += static_cast<char>(0xB8);
            continue;
        }
        out += static_cast<char>(c);
    }
    return out;
}

// u16 column count, u16 lengths, then the columns without terminators.
std::string TextRecord(const std::string columns[4])
{
    std::string record;
    auto put16 = [&record](std::size_t v) {
        record += static_cast<char>(v & 0xFF), record += static_cast<char>(v >> 8 & 0xFF);
    };
    put16(4);
    for (int i = 0; i < 4; ++i) put16(columns[i].size());
    for (int i = 0; i < 4; ++i) record += columns[i];
    return record;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <folder> <manifest> <bold font file>\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    campaignart::CampaignFonts fonts;
    auto screens = campaignart::ScreenPictures(argv[3], fonts);
    if (screens.empty()) {
        std::fprintf(stderr, "cannot open the font %s\n", argv[3]);
        return 1;
    }
    bool written = true;
    for (const auto& named : campaignart::PlayPictures())
        written = written && contentkit::Write(folder + named.name, named.picture.Bmp());
    for (const auto& named : screens) written = written && contentkit::Write(folder + named.name, named.picture.Bmp());
    for (const auto& sound : campaignsound::CampaignSounds())
        written = written && contentkit::Write(folder + sound.name, sound.bytes);
    const std::string description[4] = {Cp1251("Три миссии до Бастиона."), "Three missions to the Bastion.",
                                        "Trois missions jusqu'au Bastion.", "Drei Missionen bis zur Bastion."};
    written = written && contentkit::Write(folder + "Demo.dsc", TextRecord(description)) &&
              contentkit::AddFontGlyphs(argv[2], {{"HUD", fonts.hud}, {"Grey", fonts.grey}, {"Title", fonts.title}});
    if (!written) {
        std::fprintf(stderr, "cannot write the campaign's content into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
