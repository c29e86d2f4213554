// The SDL presenter: the 16-bit frame goes to a streaming texture that is drawn into the window with its aspect
// kept (black bars fill the rest), and SDL waits for the vertical blank when it shows it (or the presenter sleeps
// to the next refresh), so an idle game does not spin. "Full screen" is SDL's full-screen desktop mode of the
// window.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "presenter.h"
#include "renderer_choice.h"
#include "sdl_handles.h"
#include "window/sdl_window_access.h"

namespace platform::display {

namespace {

class SdlPresenter final : public Presenter {
public:
    SdlPresenter() { SetSdlWindowDestroyHook(&SdlPresenter::WindowGoes); }

    void Show(const PixelView& frame, HWND window) override
    {
        SDL_Window* sdl = SdlWindowOf(window);
        if (!sdl || !Prepare(sdl, frame)) return;
        SDL_UpdateTexture(texture.get(), nullptr, frame.pixels, frame.pitch);
        int outWidth = 0, outHeight = 0, pointWidth = 0, pointHeight = 0;
        SDL_GetRendererOutputSize(renderer.get(), &outWidth, &outHeight);
        SDL_GetWindowSize(sdl, &pointWidth, &pointHeight);
        const double scale =
            std::min(static_cast<double>(outWidth) / frame.width, static_cast<double>(outHeight) / frame.height);
        const SDL_Rect place{static_cast<int>((outWidth - frame.width * scale) / 2),
                             static_cast<int>((outHeight - frame.height * scale) / 2),
                             static_cast<int>(frame.width * scale), static_cast<int>(frame.height * scale)};
        SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer.get());
        SDL_RenderCopy(renderer.get(), texture.get(), nullptr, &place);
        SDL_RenderPresent(renderer.get());
        // Where the driver does not wait for the vertical blank, the frame still takes its share of time.
        PaceToRefresh();
        // Window points per output pixel differ on screens that scale windows.
        const double pointsX = outWidth ? static_cast<double>(pointWidth) / outWidth : 1.0;
        const double pointsY = outHeight ? static_cast<double>(pointHeight) / outHeight : 1.0;
        SetWindowView(window, place.x * pointsX, place.y * pointsY, scale * pointsX, scale * pointsY);
    }

    void SetFullScreen(HWND window, bool fullScreen) override
    {
        if (SDL_Window* sdl = SdlWindowOf(window))
            SDL_SetWindowFullscreen(sdl, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    }

    void WaitVerticalBlank() override { PaceToRefresh(); }

private:
    using Clock = std::chrono::steady_clock;

    static void WindowGoes(HWND, SDL_Window* sdl)
    {
        SdlPresenter& self = Get();
        if (self.forWindow == sdl) self.Drop();
    }

    // Sleeps until one refresh of the window's screen (60 Hz when it is not known) has passed since the last
    // frame. A frame within a little of its time (the renderer already waited for the blank) or late goes on.
    void PaceToRefresh()
    {
        const auto period = std::chrono::microseconds(1000000 / RefreshRate());
        const auto due = lastShown + period;
        const auto now = Clock::now();
        if (due - now > std::chrono::milliseconds(2)) {
            std::this_thread::sleep_until(due);
            lastShown = due;
        } else {
            lastShown = now;
        }
    }

    int RefreshRate() const
    {
        SDL_DisplayMode mode{};
        const int screen = forWindow ? SDL_GetWindowDisplayIndex(forWindow) : 0;
        return SDL_GetCurrentDisplayMode(screen < 0 ? 0 : screen, &mode) == 0 && mode.refresh_rate > 0
                   ? mode.refresh_rate
                   : 60;
    }

    bool Prepare(SDL_Window* sdl, const PixelView& frame)
    {
        if (sdl != forWindow) Drop();
        forWindow = sdl;
        if (!renderer) {
            SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
            renderer.reset(CreateCheapestRenderer(sdl));
            if (!renderer) return false;
        }
        const PixelFormat& described = PixelFormatOf(frame.is555);
        const Uint32 format =
            SDL_MasksToPixelFormatEnum(described.depth, described.redMask, described.greenMask, described.blueMask, 0);
        if (textureWidth != frame.width || textureHeight != frame.height || textureFormat != format) texture.reset();
        if (!texture) {
            texture.reset(
                SDL_CreateTexture(renderer.get(), format, SDL_TEXTUREACCESS_STREAMING, frame.width, frame.height));
            textureWidth = frame.width;
            textureHeight = frame.height;
            textureFormat = format;
        }
        return texture != nullptr;
    }

    void Drop()
    {
        texture.reset();
        renderer.reset();
        forWindow = nullptr;
    }

    SDL_Window* forWindow = nullptr;
    SdlRendererPtr renderer;
    SdlTexturePtr texture;  // after the renderer, so that it goes first
    int textureWidth = 0;
    int textureHeight = 0;
    Uint32 textureFormat = 0;
    Clock::time_point lastShown = Clock::now();

public:
    static SdlPresenter& Get()
    {
        static SdlPresenter presenter;
        return presenter;
    }
};

}  // namespace

Presenter& SdlPresenterInstance() { return SdlPresenter::Get(); }

}  // namespace platform::display
