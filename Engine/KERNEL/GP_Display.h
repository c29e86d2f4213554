// The game's DirectDraw display: the primary surface, the back buffer every frame is drawn into, the screen's
// pixel format, presenting frames, restoring lost surfaces and counting frames per second.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "GP_Surface.h"
#include "platform/ddraw.h"

// The screen's pixel format as the effects need it.
class CGP_PixelFormat {
public:
    virtual ~CGP_PixelFormat() = default;

    // Takes the format; masks, shifts, losses, expansion factors and the code only above 8 bits per pixel.
    void Set(const DDPIXELFORMAT& format);

    std::uint32_t rMask = 0, gMask = 0, bMask = 0;
    std::uint64_t rMask64 = 0, gMask64 = 0, bMask64 = 0;  // each mask in the four 16-bit lanes
    int rShift = 0, gShift = 0, bShift = 0;               // index of the mask's lowest bit (0 when empty)
    int rLoss = 0, gLoss = 0, bLoss = 0;                  // 8 minus the mask's bit count
    int bitsPerPixel = 0;
    DDPIXELFORMAT format{};
    std::uint32_t rExpand = 0, gExpand = 0, bExpand = 0;  // 16.16 factors to 0..255: 0xFF0000 / (2^bits - 1)
    int code = 0;                                         // 1: 5-5-5, 2: 5-6-5, 3: 8-8-8, 0: anything else
};

// Holder of a DirectDraw palette; palettes matter only on 8-bit displays, which the game never uses.
class CGP_Palette {
public:
    virtual ~CGP_Palette();
    IDirectDrawPalette* ddPalette = nullptr;
};

struct GP_DriverRecord {
    GUID* guid;
    std::string description;
    std::string name;
};

// Mode flags of SetFullScreen and SetWindowed.
constexpr std::uint32_t GP_ModePrimaryOnly = 1;
constexpr std::uint32_t GP_ModeSystemMemoryBack = 2;
constexpr std::uint32_t GP_ModeOwnMemoryBack = 4;
constexpr std::uint32_t GP_Mode3DDevice = 8;

// Results of the display's set-up and present calls (0 is success). An off-screen back buffer that cannot be
// made reports the surface's GP_ErrCreate.
enum GP_DisplayError : int {
    GP_DisplayOk = 0,
    GP_ErrDisplayMode = 2,        // SetDisplayMode
    GP_ErrCooperativeLevel = 3,   // SetCooperativeLevel
    GP_ErrPrimary = 4,            // the primary surface or the flipping chain
    GP_ErrAttachedBack = 5,       // GetAttachedSurface for the back buffer
    GP_ErrPresent = 26,           // Flip or Blt, or the mode is no longer 640 x 480 x 16 after a loss
    GP_ErrClipper = 32,           // CreateClipper, SetHWnd or SetClipper
    GP_ErrNoBackBuffer = 50,      // Present without a back buffer
    GP_ErrDirectDrawCreate = 63,  // DirectDrawCreate
    GP_ErrDirectDrawQuery = 64,   // QueryInterface for IDirectDraw4
    GP_ErrDisplaySetUp = 65,      // the main frame's start-up, when either set-up call failed
};

class CGP_Display {
public:
    CGP_Display();
    CGP_Display(const CGP_Display&) = delete;
    CGP_Display& operator=(const CGP_Display&) = delete;
    virtual ~CGP_Display();

    // Enumerates the drivers once and creates DirectDraw on the first. GP_DisplayOk, GP_ErrDirectDrawCreate or
    // GP_ErrDirectDrawQuery.
    int Init();
    // GP_DisplayOk, GP_ErrDisplayMode, GP_ErrCooperativeLevel, GP_ErrPrimary or GP_ErrAttachedBack.
    int SetFullScreen(std::uint32_t flags, HWND window, int width, int height, int bitsPerPixel);
    // GP_DisplayOk, GP_ErrCooperativeLevel, GP_ErrPrimary or GP_ErrClipper.
    int SetWindowed(std::uint32_t flags, HWND window, int width, int height);
    // Shows the back buffer. GP_DisplayOk, GP_ErrPrimary, GP_ErrAttachedBack, GP_ErrPresent or GP_ErrNoBackBuffer.
    // A flipping chain that could not be rebuilt (GP_ErrPrimary or GP_ErrAttachedBack) is built again by the next
    // call.
    int Present(std::uint32_t flags);
    HRESULT WaitVerticalBlank();
    void CountFrame();
    // Counts the frame and writes "FPS=" and the rate at (x, y) of the surface.
    void DrawFps(CGP_Surface* surface, int x, int y);
    // Whether the screen is still 640 x 480 x 16.
    bool IsModeValid();
    // After a surface was lost: restores every surface of this display and runs its restore handler.
    void RestoreSurfaces();

    std::vector<GP_DriverRecord> drivers;
    std::int32_t driverCount = 0;  // below 1 until the drivers were enumerated
    std::uint32_t modeFlags = 0;
    std::uint8_t separateBackBuffer = 0;
    RECT displayRect{0, 0, 0, 0};
    std::uint8_t windowed = 0;
    HWND window = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    std::uint32_t frameCount = 0;
    std::uint32_t lastFpsTime = 0;
    double fps = 0.0;
    std::unique_ptr<CGP_PixelFormat> pixelFormat;
    std::unique_ptr<CGP_Surface> backSurface;
    std::unique_ptr<CGP_Surface> primarySurface;
    std::unique_ptr<CGP_Palette> palette;
    IDirectDraw4* directDraw = nullptr;
    std::uint8_t surfacesLost = 0;

private:
    static BOOL EnumerateDrivers(GUID* guid, LPSTR description, LPSTR name, LPVOID context);
    void ReleaseSetUp();
    int CreateFlippingChain(DWORD caps);
    bool UsesFlippingChain() const;
    bool FlippingChainIsWhole() const;
    // While the screen is still 640 x 480 x 16: the chain made anew (0, 4 or 5); else 26, touching nothing.
    int RebuildFlippingChain();
    // The full-screen present.
    int Flip(std::uint32_t flags);
    void ReadPixelFormat(IDirectDrawSurface4* surface);
    void UpdateFps();
};

// Display values published once the display is set up; the effects and pictures work with them.
extern CGP_Display* GP_DisplayPtr;
extern std::uint16_t GP_RMask, GP_GMask, GP_BMask;
extern int GP_RShift, GP_GShift, GP_BShift;
extern int GP_BitsPerPixel;
extern std::uint8_t GP_Is565;
// CPUID function 1, EDX bit 23. Tests may clear it to run the plain pixel loops.
extern std::uint8_t GP_HasMMX;

// Publishes the display and the pixel format of its back buffer in the values above.
void GP_PublishDisplayValues(CGP_Display* display);
