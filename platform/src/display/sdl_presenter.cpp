// The SDL presenter: on graphics hardware the 16-bit frame goes to a streaming texture that SDL's accelerated
// renderer draws into the window with its aspect kept (black bars fill the rest); without it our own scaler writes
// the window's surface (window_surface_output.h). SDL waits for the vertical blank when it shows a frame, or the
// presenter sleeps to the next refresh, so an idle game does not spin. "Full screen" is SDL's full-screen desktop
// mode of the window.
#include <SDL.h>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include "presenter.h"
#include "renderer_choice.h"
#include "sdl_handles.h"
#include "window/sdl_window_access.h"
#include "window_surface_output.h"

namespace platform::display {

namespace {

class SdlPresenter final : public Presenter {
public:
    SdlPresenter() { SetSdlWindowDestroyHook(&SdlPresenter::WindowGoes); }

    void Show(const PixelView& frame, HWND window) override
    {
        SDL_Window* sdl = SdlWindowOf(window);
        if (!sdl) return;
        if (sdl != forWindow) Choose(sdl);
        std::optional<PicturePlace> placed;
        if (surfaceOutput) placed = surfaceOutput->Show(sdl, frame);
        if (!placed && surfaceOutput) {
            surfaceOutput.reset();
            renderer.reset(CreateFallbackRenderer(sdl));
        }
        if (!placed && PrepareTexture(frame)) placed = ShowWithRenderer(frame);
        // Where the driver does not wait for the vertical blank, the frame still takes its share of time.
        PaceToRefresh();
        if (placed) TellWindowView(window, sdl, *placed);
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

    // Graphics hardware draws through SDL's accelerated renderer; everywhere else our scaler writes the
    // window's surface.
    void Choose(SDL_Window* sdl)
    {
        Drop();
        forWindow = sdl;
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
        renderer.reset(CreateHardwareRenderer(sdl));
        if (!renderer) surfaceOutput = std::make_unique<WindowSurfaceOutput>();
    }

    PicturePlace ShowWithRenderer(const PixelView& frame)
    {
        SDL_UpdateTexture(texture.get(), nullptr, frame.pixels, frame.pitch);
        int outWidth = 0, outHeight = 0;
        SDL_GetRendererOutputSize(renderer.get(), &outWidth, &outHeight);
        const Rect place = FitPicture(frame.width, frame.height, outWidth, outHeight);
        const SDL_Rect to{place.left, place.top, place.Width(), place.Height()};
        SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer.get());
        SDL_RenderCopy(renderer.get(), texture.get(), nullptr, &to);
        SDL_RenderPresent(renderer.get());
        return {place, static_cast<double>(place.Width()) / frame.width,
                static_cast<double>(place.Height()) / frame.height};
    }

    // How the picture lies in the window, in window points: they differ from pixels on screens that scale
    // windows.
    void TellWindowView(HWND window, SDL_Window* sdl, const PicturePlace& placed) const
    {
        int pixelWidth = 0, pixelHeight = 0, pointWidth = 0, pointHeight = 0;
        SDL_GetWindowSizeInPixels(sdl, &pixelWidth, &pixelHeight);
        SDL_GetWindowSize(sdl, &pointWidth, &pointHeight);
        const double pointsX = pixelWidth ? static_cast<double>(pointWidth) / pixelWidth : 1.0;
        const double pointsY = pixelHeight ? static_cast<double>(pointHeight) / pixelHeight : 1.0;
        SetWindowView(window, placed.place.left * pointsX, placed.place.top * pointsY, placed.scaleX * pointsX,
                      placed.scaleY * pointsY);
    }

    bool PrepareTexture(const PixelView& frame)
    {
        if (!renderer) return false;
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
        surfaceOutput.reset();
        forWindow = nullptr;
    }

    SDL_Window* forWindow = nullptr;
    SdlRendererPtr renderer;
    SdlTexturePtr texture;                               // after the renderer, so that it goes first
    std::unique_ptr<WindowSurfaceOutput> surfaceOutput;  // in place of a renderer
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
