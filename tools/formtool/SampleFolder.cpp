// The sample library folder: the sample forms from the content sources, pictures drawn here (a logo, an image
// button's three states, the "!None" stand-in), a four-frame animation baked with the frame baker, and Debian's
// DejaVu Sans as the default face.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FormTool.h"
#include "FrameBaker.h"
#include "foundation/FileFlags.h"
#include "frames/Frame.h"

namespace fs = std::filesystem;
using platform::Rect;

namespace {

constexpr const char* kDefaultFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kSpinFrames = 4;
constexpr int kSpinSide = 40;

std::unique_ptr<CFrame> NewPicture(int width, int height, const Color& fill)
{
    auto picture = std::make_unique<CFrame>();
    picture->Create(width, height, 32);
    picture->Fill(fill);
    return picture;
}

// Horizontal bands from one colour to another, framed in white.
std::unique_ptr<CFrame> Logo()
{
    auto logo = NewPicture(128, 80, MakeColor(0, 0, 0, 255));
    for (int y = 0; y < 80; ++y) logo->FillRect(Rect::At(0, y, 128, 1), MakeColor(40 + y * 2, 90 + y, 200 - y, 255));
    logo->FillRect(Rect::At(24, 30, 80, 20), MakeColor(250, 210, 80, 255));
    logo->DrawRectOutline(Rect::OfSize(128, 80), MakeColor(255, 255, 255, 255));
    return logo;
}

std::unique_ptr<CFrame> Star(const Color& fill)
{
    auto star = NewPicture(56, 56, fill);
    star->FillRect(Rect::At(20, 6, 16, 44), MakeColor(255, 255, 255, 255));
    star->FillRect(Rect::At(6, 20, 44, 16), MakeColor(255, 255, 255, 255));
    star->DrawRectOutline(Rect::OfSize(56, 56), MakeColor(20, 20, 20, 255));
    return star;
}

// One frame of the spinner: a bar turned by a quarter of a half turn per frame.
std::unique_ptr<CFrame> SpinFrame(int i)
{
    auto frame = NewPicture(kSpinSide, kSpinSide, MakeColor(30, 36, 52, 255));
    const int c = kSpinSide / 2;
    const int reach = kSpinSide / 2 - 4;
    const int dx[kSpinFrames] = {reach, reach, 0, -reach};
    const int dy[kSpinFrames] = {0, reach, reach, reach};
    for (int w = -2; w <= 2; ++w)
        frame->DrawLine(c - dx[i] + w, c - dy[i], c + dx[i] + w, c + dy[i], MakeColor(120, 230, 140, 255));
    return frame;
}

bool Save(CFrame& picture, const std::string& path)
{
    if (picture.WriteCompressedTga(path.c_str(), kFileAbsolute)) return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

bool WriteAnimation(const std::string& folder)
{
    // The collection finds the animation by its "-Spin" folder and reads its baked file under "Cache".
    fs::create_directories(folder + "/Resources/-Spin");
    fs::create_directories(folder + "/Cache/Resources");
    std::vector<std::string> inputs;
    for (int i = 0; i < kSpinFrames; ++i) {
        inputs.push_back(folder + "/Resources/-Spin/frame" + std::to_string(i) + ".tga");
        if (!Save(*SpinFrame(i), inputs.back())) return false;
    }
    framebaker::SequenceOptions options;
    options.framesPerSecond = 8.0f;
    options.blitType = "Normal";
    options.frame.crop = false;
    std::string error;
    if (framebaker::BakeSequence(inputs, folder + "/Cache/Resources/Spin.Sequence", options, error)) return true;
    std::fprintf(stderr, "cannot bake the animation: %s\n", error.c_str());
    return false;
}

}  // namespace

bool WriteSampleFolder(const std::string& folder)
{
    const std::string resources = folder + "/Resources";
    std::error_code error;
    fs::create_directories(resources, error);
    for (const char* form : {"Sample.guiform.txt", "SampleFooter.guiform.txt"})
        fs::copy_file(fs::path(VEL_FORM_SAMPLE_DIR) / form, resources + "/" + form,
                      fs::copy_options::overwrite_existing, error);
    if (!error) fs::copy_file(kDefaultFace, resources + "/!default.ttf", fs::copy_options::overwrite_existing, error);
    if (error) {
        std::fprintf(stderr, "cannot fill %s: %s\n", resources.c_str(), error.message().c_str());
        return false;
    }
    const bool pictures = Save(*Logo(), resources + "/Logo.tga") &&
                          Save(*Star(MakeColor(60, 110, 200, 255)), resources + "/StarNormal.tga") &&
                          Save(*Star(MakeColor(90, 150, 240, 255)), resources + "/StarHover.tga") &&
                          Save(*Star(MakeColor(30, 60, 130, 255)), resources + "/StarPressed.tga") &&
                          Save(*NewPicture(16, 16, MakeColor(255, 0, 255, 255)), resources + "/!None.tga");
    if (!pictures || !WriteAnimation(folder)) return false;
    std::printf("sample library folder written to %s\n", folder.c_str());
    return true;
}
