#include "GP_Display.h"

#include <bit>
#include <cstdio>

#include "GP_DesktopHook.h"
#include "GP_Surface.h"
#include "platform/cpu_features.h"
#include "platform/pixel_format.h"
#include "platform/win32_time.h"

namespace {

constexpr DWORD ChainCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;

// The display that gives the desktop back before an engine error is shown.
CGP_Display* restorerDisplay = nullptr;

void GiveDesktopBack()
{
    if (restorerDisplay) restorerDisplay->SetWindowed(0, nullptr, 0, 0);
}

std::uint64_t FourLanes(std::uint32_t mask)
{
    const std::uint64_t lane = mask & 0xFFFF;
    return lane | lane << 16 | lane << 32 | lane << 48;
}

void SetChannel(std::uint32_t mask, std::uint32_t& to, std::uint64_t& lanes, int& shift, int& loss,
                std::uint32_t& expand)
{
    to = mask;
    lanes = FourLanes(mask);
    shift = mask ? std::countr_zero(mask) : 0;
    const int bits = std::popcount(mask);
    loss = 8 - bits;
    expand = bits ? 0xFF0000u / ((1u << bits) - 1) : 0;
}

}  // namespace

CGP_Display* GP_DisplayPtr = nullptr;
std::uint16_t GP_RMask = 0, GP_GMask = 0, GP_BMask = 0;
int GP_RShift = 0, GP_GShift = 0, GP_BShift = 0;
int GP_BitsPerPixel = 0;
std::uint8_t GP_Is565 = 0;
std::uint8_t GP_HasMMX = platform::CpuHas(platform::CpuFeature::Mmx) ? 1 : 0;

void GP_PublishDisplayValues(CGP_Display* display)
{
    GP_DisplayPtr = display;
    const CGP_PixelFormat* format = display ? display->pixelFormat.get() : nullptr;
    if (!format) return;
    GP_RMask = static_cast<std::uint16_t>(format->rMask);
    GP_GMask = static_cast<std::uint16_t>(format->gMask);
    GP_BMask = static_cast<std::uint16_t>(format->bMask);
    GP_RShift = format->rShift;
    GP_GShift = format->gShift;
    GP_BShift = format->bShift;
    GP_BitsPerPixel = format->bitsPerPixel;
    GP_Is565 = platform::kPixelFormat565.HasMasks(GP_RMask, GP_GMask, GP_BMask);
}

void CGP_PixelFormat::Set(const DDPIXELFORMAT& given)
{
    format = given;
    bitsPerPixel = static_cast<int>(given.dwRGBBitCount);
    if (bitsPerPixel <= 8) return;
    SetChannel(given.dwRBitMask, rMask, rMask64, rShift, rLoss, rExpand);
    SetChannel(given.dwGBitMask, gMask, gMask64, gShift, gLoss, gExpand);
    SetChannel(given.dwBBitMask, bMask, bMask64, bShift, bLoss, bExpand);
    if (platform::kPixelFormat555.HasMasks(rMask, gMask, bMask))
        code = 1;
    else if (platform::kPixelFormat565.HasMasks(rMask, gMask, bMask))
        code = 2;
    else if (rMask == 0xFF0000 && gMask == 0xFF00 && bMask == 0xFF)
        code = 3;
    else
        code = 0;
}

CGP_Palette::~CGP_Palette()
{
    if (ddPalette) ddPalette->Release();
}

CGP_Display::CGP_Display()
{
    restorerDisplay = this;
    GP_SetDesktopRestorer(&GiveDesktopBack);
}

CGP_Display::~CGP_Display()
{
    if (restorerDisplay == this) {
        restorerDisplay = nullptr;
        GP_SetDesktopRestorer(nullptr);
    }
    ReleaseSetUp();
    if (directDraw) directDraw->Release();
}

BOOL CGP_Display::EnumerateDrivers(GUID* guid, LPSTR description, LPSTR name, LPVOID context)
{
    auto* self = static_cast<CGP_Display*>(context);
    self->drivers.push_back(GP_DriverRecord{guid, description ? description : "", name ? name : ""});
    self->driverCount = static_cast<std::int32_t>(self->drivers.size());
    return TRUE;
}

int CGP_Display::Init()
{
    if (driverCount < 1) DirectDrawEnumerateA(&EnumerateDrivers, this);
    IDirectDraw* first = nullptr;
    if (DirectDrawCreate(driverCount > 0 ? drivers[0].guid : nullptr, &first, nullptr) != DD_OK)
        return GP_ErrDirectDrawCreate;
    void* wanted = nullptr;
    const HRESULT asked = first->QueryInterface(IID_IDirectDraw4, &wanted);
    first->Release();
    if (asked != DD_OK) return GP_ErrDirectDrawQuery;
    if (directDraw) directDraw->Release();
    directDraw = static_cast<IDirectDraw4*>(wanted);
    return GP_DisplayOk;
}

void CGP_Display::ReleaseSetUp()
{
    // The back buffer of a flipping chain belongs to the chain: forget it before the surface object goes.
    if (backSurface && !separateBackBuffer) backSurface->ddSurface = nullptr;
    palette.reset();
    pixelFormat.reset();
    primarySurface.reset();
    backSurface.reset();
    if (clipper) clipper->Release();
    clipper = nullptr;
}

void CGP_Display::ReadPixelFormat(IDirectDrawSurface4* surface)
{
    DDPIXELFORMAT format{};
    format.dwSize = sizeof(format);
    surface->GetPixelFormat(&format);
    pixelFormat->Set(format);
}

int CGP_Display::CreateFlippingChain(DWORD caps)
{
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = caps;
    IDirectDrawSurface4* chain = nullptr;
    if (directDraw->CreateSurface(&desc, &chain, nullptr) != DD_OK) return GP_ErrPrimary;
    primarySurface->ddSurface = chain;
    ReadPixelFormat(chain);
    DDSCAPS2 wanted{};
    wanted.dwCaps = DDSCAPS_BACKBUFFER;
    IDirectDrawSurface4* back = nullptr;
    if (chain->GetAttachedSurface(&wanted, &back) != DD_OK) return GP_ErrAttachedBack;
    backSurface->ddSurface = back;
    return GP_DisplayOk;
}

int CGP_Display::SetFullScreen(std::uint32_t flags, HWND newWindow, int width, int height, int bitsPerPixel)
{
    modeFlags = flags;
    ReleaseSetUp();
    window = newWindow;
    windowed = 0;
    primarySurface = std::make_unique<CGP_Surface>();
    backSurface = std::make_unique<CGP_Surface>();
    palette = std::make_unique<CGP_Palette>();
    pixelFormat = std::make_unique<CGP_PixelFormat>();
    if (!directDraw) return GP_ErrCooperativeLevel;

    if (directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) != DD_OK)
        return GP_ErrCooperativeLevel;
    if (directDraw->SetDisplayMode(width, height, bitsPerPixel, 0, 0) != DD_OK) return GP_ErrDisplayMode;
    displayRect = RECT{0, 0, width, height};
    separateBackBuffer = 0;
    const bool for3D = flags & GP_Mode3DDevice;

    if (flags & (GP_ModePrimaryOnly | GP_ModeSystemMemoryBack | GP_ModeOwnMemoryBack)) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | (for3D ? DDSCAPS_3DDEVICE : 0);
        if (directDraw->CreateSurface(&desc, &primarySurface->ddSurface, nullptr) != DD_OK) return GP_ErrPrimary;
        ReadPixelFormat(primarySurface->ddSurface);
        if (!(flags & GP_ModePrimaryOnly)) {
            std::uint16_t kind = (flags & GP_ModeOwnMemoryBack) ? GP_SurfaceOwnMemory : GP_SurfaceSystem;
            if (for3D) kind |= GP_SurfaceFor3D;
            backSurface->Create(this, kind, width, height);
            backSurface->Clear(0);
            separateBackBuffer = 1;
        }
    } else {
        if (int failed = CreateFlippingChain(ChainCaps | (for3D ? DDSCAPS_3DDEVICE : 0))) return failed;
        backSurface->display = this;
        backSurface->width = width;
        backSurface->height = height;
        backSurface->SetClipRect(&displayRect);
        backSurface->Clear(0);
    }
    backSurface->display = this;
    primarySurface->display = this;
    primarySurface->width = width;
    primarySurface->height = height;
    primarySurface->SetClipRect(&displayRect);
    primarySurface->Clear(0);
    primarySurface->SetPalette(palette.get());
    backSurface->SetPalette(palette.get());
    return GP_DisplayOk;
}

int CGP_Display::SetWindowed(std::uint32_t flags, HWND newWindow, int width, int height)
{
    modeFlags = flags;
    ReleaseSetUp();
    window = newWindow;
    windowed = 1;
    primarySurface = std::make_unique<CGP_Surface>();
    backSurface = std::make_unique<CGP_Surface>();
    pixelFormat = std::make_unique<CGP_PixelFormat>();
    if (!directDraw) return GP_ErrCooperativeLevel;

    if (directDraw->SetCooperativeLevel(window, DDSCL_NORMAL) != DD_OK) return GP_ErrCooperativeLevel;
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (directDraw->CreateSurface(&desc, &primarySurface->ddSurface, nullptr) != DD_OK) return GP_ErrPrimary;
    DDSURFACEDESC2 mode{};
    mode.dwSize = sizeof(mode);
    directDraw->GetDisplayMode(&mode);
    primarySurface->width = mode.dwWidth & 0xFFFF;
    primarySurface->height = mode.dwHeight & 0xFFFF;
    primarySurface->SetClipRect(&displayRect);
    primarySurface->display = this;
    ReadPixelFormat(primarySurface->ddSurface);
    palette = std::make_unique<CGP_Palette>();

    displayRect = RECT{0, 0, width, height};
    std::uint16_t kind = GP_SurfaceVideoOrSystem;
    if (flags & GP_ModeSystemMemoryBack) kind = GP_SurfaceSystem;
    if (flags & GP_ModeOwnMemoryBack) kind = GP_SurfaceOwnMemory;
    if (flags & GP_Mode3DDevice) kind |= GP_SurfaceFor3D;
    backSurface->Create(this, kind, width, height);
    separateBackBuffer = 1;

    if (directDraw->CreateClipper(0, &clipper, nullptr) != DD_OK) return GP_ErrClipper;
    if (clipper->SetHWnd(0, window) != DD_OK) return GP_ErrClipper;
    if (primarySurface->ddSurface->SetClipper(clipper) != DD_OK) return GP_ErrClipper;
    return GP_DisplayOk;
}

bool CGP_Display::UsesFlippingChain() const
{
    return !windowed && !(modeFlags & (GP_ModePrimaryOnly | GP_ModeSystemMemoryBack | GP_ModeOwnMemoryBack));
}

bool CGP_Display::FlippingChainIsWhole() const
{
    return primarySurface && primarySurface->ddSurface && backSurface && backSurface->ddSurface;
}

int CGP_Display::RebuildFlippingChain()
{
    if (!IsModeValid()) return GP_ErrPresent;
    // Built again into the same surface objects; the old back buffer goes with its chain.
    if (primarySurface->ddSurface) primarySurface->ddSurface->Release();
    primarySurface->ddSurface = nullptr;
    backSurface->ddSurface = nullptr;
    return CreateFlippingChain(ChainCaps);
}

int CGP_Display::Flip(std::uint32_t flags)
{
    // A rebuild that failed on an earlier frame (no chain, or a chain without its back buffer) is tried again.
    if (UsesFlippingChain() && !FlippingChainIsWhole()) {
        if (int failed = RebuildFlippingChain()) return failed;
    }
    if (!primarySurface || !primarySurface->ddSurface) return GP_ErrPresent;
    HRESULT result = primarySurface->ddSurface->Flip(nullptr, flags);
    if (result == DDERR_SURFACELOST) {
        if (int failed = RebuildFlippingChain()) return failed;
        result = primarySurface->ddSurface->Flip(nullptr, flags);
    }
    return result == DD_OK ? GP_DisplayOk : GP_ErrPresent;
}

int CGP_Display::Present(std::uint32_t flags)
{
    RestoreSurfaces();
    if (!backSurface) return GP_ErrNoBackBuffer;
    if (!windowed) return Flip(flags);
    if (!primarySurface || !primarySurface->ddSurface) return GP_ErrPresent;
    IDirectDrawSurface4* primary = primarySurface->ddSurface;
    RECT source{0, 0, backSurface->width, backSurface->height};
    RECT dest = source;
    HRESULT result = primary->Blt(&dest, backSurface->ddSurface, &source, flags, nullptr);
    if (result == DDERR_SURFACELOST) {
        backSurface->Restore();
        primarySurface->Restore();
        result = primary->Blt(&dest, backSurface->ddSurface, &source, flags, nullptr);
    }
    return result == DD_OK ? GP_DisplayOk : GP_ErrPresent;
}

HRESULT CGP_Display::WaitVerticalBlank()
{
    if (!directDraw) return DDERR_INVALIDOBJECT;
    HRESULT result;
    do {
        result = directDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
    } while (result == DDERR_WASSTILLDRAWING);
    return result;
}

void CGP_Display::UpdateFps()
{
    const std::uint32_t now = timeGetTime();
    const std::uint32_t elapsed = now - lastFpsTime;
    if (elapsed > 1000) {
        fps = frameCount * 1000.0 / elapsed;
        lastFpsTime = now;
        frameCount = 0;
    }
    ++frameCount;
}

void CGP_Display::CountFrame() { UpdateFps(); }

void CGP_Display::DrawFps(CGP_Surface* surface, int x, int y)
{
    UpdateFps();
    char text[64];
    std::snprintf(text, sizeof(text), "FPS=%.4g", fps);
    if (surface) surface->DrawText(text, x, y, 0xFFFFFF, 0x000000, nullptr);
}

bool CGP_Display::IsModeValid()
{
    if (!directDraw) return false;
    DDSURFACEDESC2 mode{};
    mode.dwSize = sizeof(mode);
    if (directDraw->GetDisplayMode(&mode) != DD_OK) return false;
    if ((mode.dwFlags & DDSD_HEIGHT) && mode.dwHeight != 480) return false;
    if ((mode.dwFlags & DDSD_WIDTH) && mode.dwWidth != 640) return false;
    if ((mode.dwFlags & DDSD_BACKBUFFERCOUNT) && mode.dwBackBufferCount != 1) return false;
    if ((mode.dwFlags & DDSD_PIXELFORMAT) && mode.ddpfPixelFormat.dwRGBBitCount != 16) return false;
    return true;
}

void CGP_Display::RestoreSurfaces()
{
    if (!surfacesLost) return;
    // Cleared first: a handler that cannot draw yet (the screen is in another mode) marks the surfaces lost
    // again, and the next present tries once more.
    surfacesLost = 0;
    const GP_SurfaceRegistry& all = GP_Surfaces();
    // By index: a restore handler may make or drop surfaces of its own, which moves the registry.
    for (std::size_t i = 0; i < all.size(); ++i) {
        CGP_Surface* surface = all[i];
        if (surface->display != this) continue;
        if (surface->ddSurface) surface->ddSurface->Restore();
        if (surface->restoreHandler) surface->restoreHandler(surface, surface->restoreData);
    }
}
