// The demo campaign's sounds by file name, as the bytes of RIFF WAVE files.
#pragma once
#include <string>
#include <vector>

namespace campaignsound {

struct NamedSound {
    std::string name;
    std::string bytes;
};

std::vector<NamedSound> CampaignSounds();

}  // namespace campaignsound
