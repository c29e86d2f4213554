// One page of a form drawn through the real toolkit into a 16-bit frame of the host's size, written as a PNG.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "FormTool.h"
#include "forms/FormManager.h"
#include "frames/Frame.h"
#include "platform/screenshot.h"
#include "ui/Font.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitStatics.h"

namespace {

// The size the forms are laid out for.
constexpr float kDesignWidth = 1024.0f;
constexpr float kDesignHeight = 768.0f;
constexpr int kSettleFrames = 60;
const Color kBackdrop = MakeColor(24, 30, 44);

bool WritePng(const CFrame& frame, const std::string& path)
{
    platform::PresentedFrame picture;
    picture.width = frame.GetWidth();
    picture.height = frame.GetHeight();
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(&picture.pixels[static_cast<std::size_t>(y) * picture.width],
                    frame.GetPixels() + static_cast<long>(y) * frame.GetPitch() * 2, picture.width * 2);
    return platform::WriteFramePng(path, picture);
}

}  // namespace

bool RenderPage(const std::string& formName, const std::string& pageName, int width, int height,
                const std::string& pngPath)
{
    CFrame output;
    output.Create(width, height, 16);
    CFont font;
    font.SetPointSize(12.0f);
    toolkit::SetDefaultFont(&font);
    const float scale = std::min(static_cast<float>(width) / kDesignWidth, static_cast<float>(height) / kDesignHeight);
    bool shown = false;
    {
        CScreenWindow screen(&output, &font);
        auto* manager = new FormManager(&screen, width, height, scale);
        manager->SetDrawFrame(false);
        screen.AddChild(manager, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        shown = manager->LoadForm(CString(formName.c_str()), CString(pageName.c_str())) &&
                (manager->GetCurrentPage() || manager->GetModalPage());
        // A second of frames lets lists scroll smoothly to their chosen rows and animations move.
        for (int frame = 0; shown && frame < kSettleFrames; ++frame) {
            screen.Update(1.0f / kSettleFrames);
            output.Fill(kBackdrop);
            screen.DrawToBackBuffer();
        }
    }
    toolkit::SetDefaultFont(nullptr);
    if (!shown) {
        std::fprintf(stderr, "cannot show the page \"%s\" of the form \"%s\"\n", pageName.c_str(), formName.c_str());
        return false;
    }
    if (!WritePng(output, pngPath)) {
        std::fprintf(stderr, "cannot write %s\n", pngPath.c_str());
        return false;
    }
    std::printf("%s: page \"%s\" of \"%s\" at %dx%d, scale %.3f\n", pngPath.c_str(), pageName.c_str(), formName.c_str(),
                width, height, scale);
    return true;
}
