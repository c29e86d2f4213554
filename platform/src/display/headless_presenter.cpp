// The headless presenter: frames go to the frame store, there is no screen mode to change and no vertical
// blank to wait for.
#include "platform/headless.h"
#include "presenter.h"

namespace platform::display {

namespace {

class HeadlessPresenter final : public Presenter {
public:
    void Show(const PixelView& frame, HWND window) override { StoreFrame(frame); }
    void SetFullScreen(HWND window, bool fullScreen) override {}
    void WaitVerticalBlank() override {}
};

}  // namespace

Presenter& ActivePresenter()
{
    static HeadlessPresenter headless;
    return headless;
}

}  // namespace platform::display
