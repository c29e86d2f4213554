// The frame baker's command line:
//   framebaker frame <picture.png|.tga> <out.Frame> [options]
//   framebaker sequence <out.Sequence> [--fps N] [--blit NAME] [options] <picture>...
// Options: --description FILE.txt (a CStandAloneFrame's options), --hotspot X,Y, --center, --black-bias,
// --no-crop, --lossless, --quality N.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FrameBaker.h"

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: framebaker frame <picture> <out.Frame> [options]\n"
                 "       framebaker sequence <out.Sequence> [--fps N] [--blit NAME] [options] <picture>...\n"
                 "options: --description FILE --hotspot X,Y --center --black-bias --no-crop --lossless --quality N\n");
    return 2;
}

bool TakeValueOption(const std::string& option, const char* value, framebaker::FrameOptions& options,
                     std::string& error);

// Takes one option at argv[i] (moving i past its value); false when it is not a frame option or lacks its value.
bool TakeFrameOption(int argc, char** argv, int& i, framebaker::FrameOptions& options, std::string& error)
{
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--center") {
        options.centerHotSpot = true;
    } else if (option == "--black-bias") {
        options.blackBiased = true;
    } else if (option == "--lossless") {
        options.lossless = true;
    } else if (option == "--no-crop") {
        options.crop = false;
    } else if (option == "--quality" && hasValue) {
        options.quality = std::atoi(argv[++i]);
    } else {
        return TakeValueOption(option, hasValue ? argv[++i] : nullptr, options, error);
    }
    return true;
}

bool TakeValueOption(const std::string& option, const char* value, framebaker::FrameOptions& options,
                     std::string& error)
{
    if (!value) return false;
    if (option == "--description") return framebaker::ReadDescription(value, options, error);
    if (option == "--hotspot") {
        options.hasHotSpot = std::sscanf(value, "%d,%d", &options.hotSpotX, &options.hotSpotY) == 2;
        return options.hasHotSpot;
    }
    return false;
}

// A refused option: its error when it has one, else the usage.
int Refused(const std::string& error)
{
    if (error.empty()) return Usage();
    std::fprintf(stderr, "framebaker: %s\n", error.c_str());
    return 1;
}

int BakeFrame(int argc, char** argv)
{
    if (argc < 4) return Usage();
    framebaker::FrameOptions options;
    std::string error;
    for (int i = 4; i < argc; ++i)
        if (!TakeFrameOption(argc, argv, i, options, error)) return Refused(error);
    if (framebaker::BakeFrame(argv[2], argv[3], options, error)) return 0;
    std::fprintf(stderr, "framebaker: %s\n", error.c_str());
    return 1;
}

int BakeSequence(int argc, char** argv)
{
    if (argc < 4) return Usage();
    framebaker::SequenceOptions options;
    std::vector<std::string> pictures;
    std::string error;
    for (int i = 3; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--fps" && i + 1 < argc) {
            options.framesPerSecond = static_cast<float>(std::atof(argv[++i]));
        } else if (argument == "--blit" && i + 1 < argc) {
            options.blitType = argv[++i];
        } else if (argument.rfind("--", 0) == 0) {
            if (!TakeFrameOption(argc, argv, i, options.frame, error)) return Refused(error);
        } else {
            pictures.push_back(argument);
        }
    }
    if (pictures.empty()) return Usage();
    if (framebaker::BakeSequence(pictures, argv[2], options, error)) return 0;
    std::fprintf(stderr, "framebaker: %s\n", error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return Usage();
    if (std::strcmp(argv[1], "frame") == 0) return BakeFrame(argc, argv);
    if (std::strcmp(argv[1], "sequence") == 0) return BakeSequence(argc, argv);
    return Usage();
}
