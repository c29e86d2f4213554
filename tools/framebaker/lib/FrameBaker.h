// Baking pictures into the menu library's input files: a TGA or PNG becomes a ".Frame" (full-quality 32-bit
// pixels after the load steps a stand-alone frame names), and a list of pictures becomes a ".Sequence".
#pragma once
#include <memory>
#include <string>
#include <vector>

class CFrame;

namespace framebaker {

struct FrameOptions {
    bool centerHotSpot = false;  // the origin moves to the picture's centre
    bool blackBiased = false;    // colours become alpha (for pictures drawn on black)
    bool crop = true;            // transparent edges are cut off
    bool lossless = false;       // only the lossless body, whatever the sizes
    int quality = 65;            // of a lossy body
    bool hasHotSpot = false;
    int hotSpotX = 0;  // the pixel that is the frame's (0, 0)
    int hotSpotY = 0;
};

// The picture as a 32-bit frame at origin (0, 0); null with the reason in error.
std::unique_ptr<CFrame> ReadPicture(const std::string& path, std::string& error);
// Options from a stand-alone frame's description file ("Center Hot Spot", "Load Black Biased", "Loss Less",
// "Quality"); false when it cannot be read.
bool ReadDescription(const std::string& path, FrameOptions& options, std::string& error);
// Runs the load steps the options name over a 32-bit frame: alpha floor, crop, un-premultiply or black bias, and
// the hot spot.
bool ApplyBakeSteps(CFrame& frame, const FrameOptions& options);
// The ".Frame" file's bytes: hot spot, then the body.
std::vector<std::uint8_t> EncodeFrameFile(CFrame& frame, const FrameOptions& options);

bool BakeFrame(const std::string& input, const std::string& output, const FrameOptions& options, std::string& error);

struct SequenceOptions {
    FrameOptions frame;
    float framesPerSecond = 15.0f;
    std::string blitType = "Transparent Mask";
};
bool BakeSequence(const std::vector<std::string>& inputs, const std::string& output, const SequenceOptions& options,
                  std::string& error);

}  // namespace framebaker
