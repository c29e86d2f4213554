#include "window_surface_output.h"

#include <algorithm>
#include <cstring>

#include "pixel_rows.h"
#include "window/sdl_window_access.h"

namespace platform::display {

namespace {

// Changed rows closer than this go to the screen as one rectangle: fewer, larger updates cost the X server less.
constexpr int kRowsToJoin = 8;

std::optional<TargetFormat> TargetFormatOf(const SDL_PixelFormat& f)
{
    return TargetFormatFromMasks(f.BytesPerPixel, f.Rmask, f.Gmask, f.Bmask, f.Amask);
}

}  // namespace

WindowSurfaceOutput::WindowSurfaceOutput() { SDL_AddEventWatch(&WindowSurfaceOutput::WatchWindowEvents, this); }

WindowSurfaceOutput::~WindowSurfaceOutput() { SDL_DelEventWatch(&WindowSurfaceOutput::WatchWindowEvents, this); }

void WindowSurfaceOutput::Forget() { wholeNext_ = true; }

// Whatever happens to a window may have spoilt or resized its surface: shown, exposed, resized, restored.
int WindowSurfaceOutput::WatchWindowEvents(void* self, SDL_Event* event)
{
    if (event->type == SDL_WINDOWEVENT) static_cast<WindowSurfaceOutput*>(self)->Forget();
    return 0;
}

std::optional<PicturePlace> WindowSurfaceOutput::Show(SDL_Window* window, const PixelView& frame)
{
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface) return std::nullopt;
    const std::optional<TargetFormat> format = TargetFormatOf(*surface->format);
    if (!format) return std::nullopt;
    const auto [realWidth, realHeight] = RealWindowSize(window);
    const Setting now{surface,
                      surface->pixels,
                      surface->w,
                      surface->h,
                      surface->pitch,
                      surface->format->format,
                      std::clamp(realWidth, 0, surface->w),
                      std::clamp(realHeight, 0, surface->h),
                      frame.width,
                      frame.height,
                      frame.is555};
    if (now != setting_ || !scaler_) {
        setting_ = now;
        target_ = TargetPixels{surface->pixels, surface->pitch, now.areaWidth, now.areaHeight, *format};
        scaler_.emplace(frame.width, frame.height, frame.is555,
                        FitPicture(frame.width, frame.height, now.areaWidth, now.areaHeight), *format, UseSse2Rows());
        wholeNext_ = true;
    }
    if (wholeNext_.exchange(false))
        DrawWhole(window, surface, frame);
    else
        DrawChangedRows(window, frame);
    KeepFrame(frame);
    const Rect& place = scaler_->Place();
    return PicturePlace{place, frame.width ? static_cast<double>(place.Width()) / frame.width : 1.0,
                        frame.height ? static_cast<double>(place.Height()) / frame.height : 1.0};
}

void WindowSurfaceOutput::DrawWhole(SDL_Window* window, SDL_Surface* surface, const PixelView& frame)
{
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    scaler_->Scale(target_, frame, 0, frame.height);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window);
}

void WindowSurfaceOutput::DrawChangedRows(SDL_Window* window, const PixelView& frame)
{
    std::vector<SDL_Rect> updates;
    const Rect& place = scaler_->Place();
    for (int y = 0; y < frame.height;) {
        if (!RowChanged(frame, y)) {
            ++y;
            continue;
        }
        int end = y + 1, clean = 0;
        for (; end < frame.height && clean < kRowsToJoin; ++end) clean = RowChanged(frame, end) ? 0 : clean + 1;
        end -= clean;
        const FrameScaler::Rows rows = scaler_->Scale(target_, frame, y, end);
        if (rows.bottom > rows.top) updates.push_back({place.left, rows.top, place.Width(), rows.bottom - rows.top});
        y = end;
    }
    if (!updates.empty()) SDL_UpdateWindowSurfaceRects(window, updates.data(), static_cast<int>(updates.size()));
}

bool WindowSurfaceOutput::RowChanged(const PixelView& frame, int y) const
{
    return std::memcmp(frame.Row(y), shown_.data() + static_cast<size_t>(y) * frame.width,
                       static_cast<size_t>(frame.width) * sizeof(WORD)) != 0;
}

void WindowSurfaceOutput::KeepFrame(const PixelView& frame)
{
    shown_.resize(static_cast<size_t>(frame.width) * frame.height);
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(shown_.data() + static_cast<size_t>(y) * frame.width, frame.Row(y),
                    static_cast<size_t>(frame.width) * sizeof(WORD));
}

}  // namespace platform::display
