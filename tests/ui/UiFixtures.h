// The toolkit tests' shared ground: a "Resources" folder in the work folder holding DejaVu Sans as the default
// face (and a junk ".ttf" for the broken-font test), made before any font scans it, and a display of 16 bits.
#pragma once
#include <filesystem>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "frames/Frame.h"
#include "frames/ProxyFrame.h"
#include "ui/Font.h"

namespace ui_test {

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Makes the font folder once per test program; safe to call from every fixture.
void PrepareFontFolder();

// A frame that draws nothing and remembers where each blit would have landed.
class RecordingFrame : public CProxyFrame {
public:
    RecordingFrame();
    bool Blit(CFrameInterface* source, platform::Rect sourceRect, platform::Rect destinationRect,
              BlitType* blitType) override;
    std::vector<platform::Rect> blits;
    std::unique_ptr<CFrame> backing;
};

// A 12-point DejaVu font.
std::unique_ptr<CFont> MakeFont(float pointSize = 12.0f);

}  // namespace ui_test
