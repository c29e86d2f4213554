// The campaigns: one pack "*.tdf" each in the RESOURCE folder, listed at start-up with their title, mission
// count, description and picture.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CGP_Surface;

struct CampaignFile {
    CampaignFile();
    ~CampaignFile();
    CampaignFile(const CampaignFile&) = delete;
    CampaignFile& operator=(const CampaignFile&) = delete;

    std::string title;
    std::string path;
    std::string missionCountText;          // "/" and the mission count
    std::unique_ptr<char[]> description;   // null without one
    std::unique_ptr<CGP_Surface> picture;  // null without one
};

// The accepted campaigns in the order they were found; never freed during the run.
extern std::vector<std::unique_ptr<CampaignFile>> Campaigns;
extern std::uint32_t CampaignCount;

constexpr std::size_t GP_MaxCampaigns = 65534;
// The line the fatal error of a campaign pack that cannot be read carries.
constexpr int GP_CampaignCorruptedLine = 764;
