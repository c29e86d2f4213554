// Where shown frames go: the SDL window, or in a headless run the frame store and its screenshots.
#pragma once
#include "display_state.h"

namespace platform::display {

class Presenter {
public:
    virtual ~Presenter() = default;
    virtual void Show(const PixelView& frame, HWND window) = 0;
    virtual void SetFullScreen(HWND window, bool fullScreen) = 0;
    virtual void WaitVerticalBlank() = 0;
};

// The headless presenter in a headless run, else the SDL one.
Presenter& ActivePresenter();
Presenter& HeadlessPresenterInstance();
Presenter& SdlPresenterInstance();

// Keeps a copy of the frame as the last one presented.
void StoreFrame(const PixelView& frame);

}  // namespace platform::display
