// Presenting into the window's own surface, for machines whose SDL renderer would draw on the processor anyway:
// the frame scaled by our FrameScaler to the window's real size with its aspect kept, black bands around it,
// and only the rows that changed since the last frame written and sent to the screen.
#pragma once
#include <SDL.h>

#include <atomic>
#include <optional>
#include <vector>

#include "display_state.h"
#include "frame_scaler.h"

namespace platform::display {

// Where the picture went, in window pixels.
struct PicturePlace {
    Rect place;
    double scaleX = 1;
    double scaleY = 1;
};

class PLATFORM_API WindowSurfaceOutput {
public:
    WindowSurfaceOutput();
    ~WindowSurfaceOutput();
    WindowSurfaceOutput(const WindowSurfaceOutput&) = delete;
    WindowSurfaceOutput& operator=(const WindowSurfaceOutput&) = delete;

    // Nothing where the window has no surface SDL can give, or one in a format the scaler does not write.
    std::optional<PicturePlace> Show(SDL_Window* window, const PixelView& frame);
    // The next frame is drawn whole, bands included.
    void Forget();

private:
    // What the picture was drawn for; when any of it changes, the next frame is drawn whole.
    struct Setting {
        SDL_Surface* surface = nullptr;
        void* pixels = nullptr;
        int surfaceWidth = 0, surfaceHeight = 0, pitch = 0;
        Uint32 format = 0;
        int areaWidth = 0, areaHeight = 0;
        int frameWidth = 0, frameHeight = 0;
        bool frame555 = false;
        bool operator==(const Setting&) const = default;
    };

    static int WatchWindowEvents(void* self, SDL_Event* event);
    void DrawWhole(SDL_Window* window, SDL_Surface* surface, const PixelView& frame);
    void DrawChangedRows(SDL_Window* window, const PixelView& frame);
    bool RowChanged(const PixelView& frame, int y) const;
    void KeepFrame(const PixelView& frame);

    Setting setting_;
    std::optional<FrameScaler> scaler_;
    TargetPixels target_;
    std::vector<WORD> shown_;  // the frame last drawn, row after row
    std::atomic<bool> wholeNext_{true};
};

}  // namespace platform::display
