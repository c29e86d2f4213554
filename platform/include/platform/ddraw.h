// DirectDraw 4 as the game uses it: one display of 640 x 480 with 16 bits per pixel (5-6-5; 5-5-5 on request
// of a test), a primary surface with an attached back buffer, off-screen surfaces in memory of our own, locks,
// colour keys, plain, keyed, scaled and filling blits, flips, lost surfaces and their restore. The objects are
// COM-shaped (AddRef/Release) but are our own classes; a surface is always 16 bits per pixel.
#pragma once
#include <vector>

#include "platform/com_base.h"
#include "platform/win32_base.h"

// Aggregation is not offered: every outer IUnknown passed in must be null.

PLATFORM_API extern const GUID IID_IDirectDraw4;

constexpr HRESULT MakeDirectDrawResult(DWORD code) { return static_cast<HRESULT>(0x88760000u | code); }
constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT DDERR_INVALIDMODE = MakeDirectDrawResult(120);
constexpr HRESULT DDERR_INVALIDOBJECT = MakeDirectDrawResult(130);
constexpr HRESULT DDERR_INVALIDRECT = MakeDirectDrawResult(150);
constexpr HRESULT DDERR_NOTFOUND = MakeDirectDrawResult(255);
constexpr HRESULT DDERR_OUTOFVIDEOMEMORY = MakeDirectDrawResult(380);
constexpr HRESULT DDERR_SURFACELOST = MakeDirectDrawResult(450);
constexpr HRESULT DDERR_WASSTILLDRAWING = MakeDirectDrawResult(540);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MakeDirectDrawResult(564);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDirectDrawResult(582);
constexpr HRESULT DDERR_NOTLOCKED = MakeDirectDrawResult(584);
constexpr HRESULT DDERR_NOCOLORKEY = MakeDirectDrawResult(215);
constexpr HRESULT DDERR_NODC = MakeDirectDrawResult(586);
constexpr HRESULT DDERR_DCALREADYCREATED = MakeDirectDrawResult(620);

// Surface description fields.
constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x20;
constexpr DWORD DDSD_LPSURFACE = 0x800;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;

// Surface capabilities.
constexpr DWORD DDSCAPS_BACKBUFFER = 0x4;
constexpr DWORD DDSCAPS_COMPLEX = 0x8;
constexpr DWORD DDSCAPS_FLIP = 0x10;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr DWORD DDSCAPS_TEXTURE = 0x1000;
constexpr DWORD DDSCAPS_3DDEVICE = 0x2000;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x4000;

constexpr DWORD DDSCL_FULLSCREEN = 0x1;
constexpr DWORD DDSCL_NORMAL = 0x8;
constexpr DWORD DDSCL_EXCLUSIVE = 0x10;

constexpr DWORD DDPF_RGB = 0x40;
constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDFLIP_WAIT = 0x1;
constexpr DWORD DDCKEY_SRCBLT = 0x8;
constexpr DWORD DDWAITVB_BLOCKBEGIN = 0x1;

constexpr DWORD DDBLT_COLORFILL = 0x400;
constexpr DWORD DDBLT_KEYSRC = 0x8000;
constexpr DWORD DDBLT_WAIT = 0x1000000;
constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x0;
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x1;
constexpr DWORD DDBLTFAST_WAIT = 0x10;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
};

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
};

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwFillColor;
};

// The reference count that every DirectDraw object carries: Release deletes the object with the last reference.
// Only the object DirectDrawCreate gives answers QueryInterface (for IDirectDraw4).
class PLATFORM_API DirectDrawObject : public IUnknown {
public:
    HRESULT QueryInterface(REFIID id, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

protected:
    DirectDrawObject() = default;
    DirectDrawObject(const DirectDrawObject&) = delete;
    DirectDrawObject& operator=(const DirectDrawObject&) = delete;
    ~DirectDrawObject() override = default;

private:
    ULONG references = 1;
};

class IDirectDraw4;
class IDirectDrawSurface4;
namespace platform::display {
struct SurfaceAccess;
}

// Keeps the window that a windowed primary surface is shown in.
class PLATFORM_API IDirectDrawClipper : public DirectDrawObject {
public:
    HRESULT SetHWnd(DWORD flags, HWND window);

    HWND Window() const { return window; }

private:
    HWND window = nullptr;
};

// Palettes matter only on 8-bit displays, which this layer does not offer; the object exists so that code
// written for them runs.
class PLATFORM_API IDirectDrawPalette : public DirectDrawObject {};

class PLATFORM_API IDirectDrawSurface4 : public DirectDrawObject {
public:
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event);
    HRESULT Unlock(RECT* rect);
    HRESULT GetDC(HDC* dc);
    HRESULT ReleaseDC(HDC dc);
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
    // Same-size copy of srcRect (null: the whole source) to (x, y). Both rectangles must lie inside their surfaces.
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface4* source, RECT* srcRect, DWORD flags);
    // Scaled copy (nearest pixel) or, with DDBLT_COLORFILL, a fill with fx->dwFillColor. Null rectangles mean
    // the whole surface. A windowed primary is addressed in its window's client coordinates; a blit to a
    // primary shows it.
    HRESULT Blt(RECT* destRect, IDirectDrawSurface4* source, RECT* srcRect, DWORD flags, DDBLTFX* fx);
    // Shows the attached back buffer; the back buffer keeps its pixels.
    HRESULT Flip(IDirectDrawSurface4* target, DWORD flags);
    // The attached back buffer belongs to its primary: it is not AddRef'd, and lives until the primary goes.
    HRESULT GetAttachedSurface(DDSCAPS2* caps, IDirectDrawSurface4** attached);
    HRESULT GetPixelFormat(DDPIXELFORMAT* format);
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc);
    HRESULT IsLost();
    HRESULT Restore();
    HRESULT SetClipper(IDirectDrawClipper* clipper);
    HRESULT SetPalette(IDirectDrawPalette* palette);

private:
    friend class IDirectDraw4;
    friend struct platform::display::SurfaceAccess;
    IDirectDrawSurface4(IDirectDraw4* owner, int width, int height, DWORD caps, WORD* clientMemory, LONG clientPitch);
    ~IDirectDrawSurface4() override;
    HRESULT CheckUsable() const;
    WORD* Row(int y) const;
    void Present();

    IDirectDraw4* owner;
    int width;
    int height;
    LONG pitch;  // bytes
    DWORD caps;
    std::vector<WORD> memory;
    WORD* pixels;
    bool hasColorKey = false;
    DDCOLORKEY colorKey{};
    bool lost = false;
    bool locked = false;
    HDC dc = nullptr;
    IDirectDrawSurface4* backBuffer = nullptr;  // owned, for a flipping primary
    IDirectDrawClipper* clipper = nullptr;
    bool is555;
};

class PLATFORM_API IDirectDraw4 : public DirectDrawObject {
public:
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    // Only 640 x 480 x 16 exists.
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags);
    HRESULT GetDisplayMode(DDSURFACEDESC2* desc);
    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface4** surface, IUnknown* outer);
    HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer);
    HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event);

private:
    friend class IDirectDraw;
    friend class IDirectDrawSurface4;
    IDirectDraw4();
    ~IDirectDraw4() override;

    HWND window = nullptr;
    bool exclusive = false;
    IDirectDrawSurface4* primary = nullptr;  // not owned; cleared when it goes
};

class IDirectDraw;
PLATFORM_API HRESULT DirectDrawCreate(GUID* guid, IDirectDraw** directDraw, IUnknown* outer);

// What DirectDrawCreate gives: only good for asking for IDirectDraw4.
class PLATFORM_API IDirectDraw : public DirectDrawObject {
public:
    HRESULT QueryInterface(REFIID id, void** object) override;

private:
    friend HRESULT DirectDrawCreate(GUID*, IDirectDraw**, IUnknown*);
    IDirectDraw() = default;
    ~IDirectDraw() override = default;
};

using LPDDENUMCALLBACKA = BOOL (*)(GUID* guid, LPSTR description, LPSTR name, LPVOID context);

// Offers one driver: the primary display (null GUID).
// Only the primary display driver (null GUID) exists: DirectDrawCreate is declared above IDirectDraw.
PLATFORM_API HRESULT DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context);
