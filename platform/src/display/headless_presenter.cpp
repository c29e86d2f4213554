// The headless presenter: frames go to the frame store, there is no screen mode to change and no vertical
// blank to wait for. At the idle turns that VEL_SHOT_AT names, the last frame is written into VEL_SHOTS (made
// when missing) as "shot-<turn>.png".
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/headless.h"
#include "platform/screenshot.h"
#include "platform/win32_window.h"
#include "presenter.h"

namespace platform::display {

namespace {

void TakeScreenshot(long frame)
{
    const HeadlessSettings& settings = GetHeadlessSettings();
    const auto& at = settings.shotFrames;
    if (settings.shotsDir.empty() || std::find(at.begin(), at.end(), frame) == at.end()) return;
    const std::string name = "shot-" + std::to_string(frame) + ".png";
    const std::string path = ShotPath(name);
    if (path.empty() || !WriteFramePng(path, LastPresentedFrame()))
        std::fprintf(stderr, "Screenshot %s/%s could not be written\n", settings.shotsDir.c_str(), name.c_str());
}

class HeadlessPresenter final : public Presenter {
public:
    HeadlessPresenter() { AddHeadlessIdleCallback(&TakeScreenshot); }
    void Show(const PixelView& frame, HWND window) override { StoreFrame(frame); }
    void SetFullScreen(HWND window, bool fullScreen) override {}
    void WaitVerticalBlank() override {}
};

}  // namespace

Presenter& HeadlessPresenterInstance()
{
    static HeadlessPresenter headless;
    return headless;
}

Presenter& ActivePresenter() { return IsHeadless() ? HeadlessPresenterInstance() : SdlPresenterInstance(); }

}  // namespace platform::display
