// Software effects on the 16-bit back buffer of the display: fades to and from black, blending a rectangle
// with a colour, darkening a rectangle, and the coverage mask of a surface.
#pragma once
#include <cstdint>

class CGP_SurfaceFrames;

extern std::uint8_t GP_TransitionsEnabled;  // fades run only while set
extern std::uint8_t GP_MeasureNextFadeOut;  // the next fade-out is timed; over 500 ms switches fades off
extern std::int32_t GP_ScreenWidth;
extern std::int32_t GP_ScreenHeight;

void GP_FadeOut();
void GP_FadeIn();

// On the locked back buffer: each component becomes ((pixel AND mask) + colour component) / 2 AND mask;
// the colour components are given in their mask positions. The rectangle is cut to the back buffer.
void GP_BlendRect(int x, int y, int width, int height, std::uint16_t r, std::uint16_t g, std::uint16_t b);
// On the locked back buffer: each component becomes a quarter of its value.
void GP_DarkenRect(int x, int y, int width, int height);

// One byte per pixel of the frame list's first surface, row after row (width x height + 1 bytes; the last
// is 0): 1 where the pixel is not 0.
struct GP_PixelMask {
    GP_PixelMask(std::uint8_t* bytes, CGP_SurfaceFrames* frames) : bytes(bytes), frames(frames) {}
    GP_PixelMask(const GP_PixelMask&) = delete;
    GP_PixelMask& operator=(const GP_PixelMask&) = delete;
    ~GP_PixelMask() { delete[] bytes; }

    std::uint8_t* bytes;
    CGP_SurfaceFrames* frames;  // not owned
};
// Null when there is no surface or it cannot be locked.
GP_PixelMask* GP_BuildMask(CGP_SurfaceFrames* frames);
