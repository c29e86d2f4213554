#include "UiFixtures.h"

#include <fstream>

namespace ui_test {

void PrepareFontFolder()
{
    static bool made = false;
    if (made) return;
    made = true;
    std::filesystem::create_directories("Resources");
    std::filesystem::copy_file(kDejaVu, "Resources/!default.ttf", std::filesystem::copy_options::overwrite_existing);
    std::ofstream("Resources/junk.ttf", std::ios::binary) << "this is not a font at all";
    SetDisplayBitDepth(16);
}

RecordingFrame::RecordingFrame() : backing(std::make_unique<CFrame>())
{
    backing->Create(64, 64, 16);
    SetWrapped(backing.get());
}

bool RecordingFrame::Blit(CFrameInterface*, platform::Rect, platform::Rect destinationRect, BlitType*)
{
    blits.push_back(destinationRect);
    return true;
}

std::unique_ptr<CFont> MakeFont(float pointSize)
{
    PrepareFontFolder();
    auto font = std::make_unique<CFont>();
    font->SetPointSize(pointSize);
    return font;
}

}  // namespace ui_test
