// The portal's catalog as the library's files describe it: Velmorine and the portal's own applications, with the
// colours their pictures are drawn in, the featured application, the top and other lists and the filters.
#pragma once
#include <string>

namespace catalog {

struct Application {
    int id;
    const char* title;
    const char* developer;
    const char* shortText;
    const char* longText;
    const char* downloadSize;
    const char* price;
    unsigned char r, g, b;  // the picture's main colour
    char genre;             // 'A' action, 'P' puzzles
};

constexpr Application kApplications[] = {
    {60, "Velmorine", "Morvadel", "Steer your ship through three missions of waves and bosses.",
     "Steer your ship through three missions of enemy waves, each ending with a boss of its own. Collect weapons, "
     "keep your shields up and climb the top list of your friends.",
     "12 MB", "$9.99", 40, 110, 220, 'A'},
    {61, "Quiet Harbour", "Lantern Works", "A calm puzzle game of tides, boats and lighthouses.",
     "Guide the fishing boats home before the tide turns. Sixty harbours, each a small puzzle of moorings, "
     "lighthouses and narrow channels.",
     "8 MB", "$4.99", 40, 150, 160, 'P'},
    {62, "Copper Orbit", "Lantern Works", "Keep a small station turning around a restless moon.",
     "Build and balance a copper station around a moon that will not keep still. Trade with passing ships and keep "
     "the crew fed through the long eclipses.",
     "15 MB", "$6.50", 190, 110, 50, 'P'},
    {63, "Emberfall", "Skyforge", "Dive through falling fire in a vertical shooter.",
     "A vertical shooter set inside a volcano: dodge the embers, break the crystal walls and ride the lava "
     "currents to the surface.",
     "20 MB", "$7.99", 210, 70, 40, 'A'},
    {64, "Glass Gardens", "Moss and Pixel", "Grow a garden of light in a glass house.",
     "Plant seeds of light, bend the sun through prisms and let your glass garden bloom across forty houses.", "6 MB",
     "$3.99", 80, 170, 90, 'P'},
    {65, "Nightrail", "Skyforge", "Race a night train across a sleeping continent.",
     "Run your train through the night: switch the points, race the weather and deliver the mail before dawn.", "18 MB",
     "$8.50", 70, 60, 160, 'A'},
    {66, "Tinker Towers", "Moss and Pixel", "Stack clockwork towers that must not fall.",
     "Stack gears, springs and pendulums into towers that tick. A tower that keeps ticking for a minute wins.", "5 MB",
     "$2.99", 170, 140, 60, 'P'},
    {67, "Starwake", "Morvadel", "Chart the wake of a fallen star with your scout ship.",
     "Fly a scout ship through the wake of a fallen star, map its fragments and fend off the scavengers.", "14 MB",
     "$6.99", 120, 60, 170, 'A'},
    {68, "Paper Foxes", "Lantern Works", "Fold your way through a paper forest.",
     "A fox made of paper folds and unfolds to cross a forest of paper trees. Thirty scenes of folding puzzles.",
     "7 MB", "$4.50", 220, 130, 60, 'P'},
    {69, "Deepline", "Skyforge", "Steer a submarine down the deepest trench.",
     "Pilot a small submarine into the deepest trench, light your way with flares and outrun what lives below.",
     "16 MB", "$7.50", 30, 90, 120, 'A'},
    {70, "Rune Rally", "Moss and Pixel", "Match old runes in a race against the clock.",
     "Match runes in rows of three before the sand runs out, and unlock the old kings' tablets one by one.", "4 MB",
     "$1.99", 150, 60, 90, 'P'},
};

constexpr int kFeatured = 60;
constexpr int kTop[] = {60, 63, 61, 65, 62, 67, 64, 69, 66, 68};
constexpr int kOther[] = {70, 68, 66, 64, 61};

// The frame of a developer's logo: "Logo_" and the name with its spaces as underscores.
inline std::string DeveloperLogoName(const char* developer)
{
    std::string name = std::string("Logo_") + developer;
    for (char& c : name)
        if (c == ' ') c = '_';
    return name;
}

}  // namespace catalog
