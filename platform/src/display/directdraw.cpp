#include <cstring>
#include <optional>

#include "display_state.h"
#include "platform/ddraw.h"
#include "platform/display_testing.h"
#include "presenter.h"

using namespace platform::display;

const GUID IID_IDirectDraw4 = {0x56454C44, 0x4457, 0x0004, {0x56, 0x45, 0x4C, 0x4D, 0x4F, 0x52, 0x49, 0x4E}};

namespace {

// The fault a test scripted for the next flipping chain, if any.
std::optional<platform::FlippingChainFault> NextChainFault()
{
    auto& scripted = State().chainFaults;
    if (scripted.empty()) return std::nullopt;
    const platform::FlippingChainFault fault = scripted.front();
    scripted.pop_front();
    return fault;
}

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;
constexpr int ScreenBits = 16;
constexpr int LargestSurfaceSide = 16384;

}  // namespace

namespace platform::display {

DisplayState& State()
{
    static DisplayState state;
    return state;
}

WORD PixelFromColor(COLORREF color, bool is555)
{
    return PixelFormatOf(is555).Pack(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void DescribePixelFormat(DDPIXELFORMAT* record, const PixelFormat& format)
{
    std::memset(record, 0, sizeof(*record));
    record->dwSize = sizeof(*record);
    record->dwFlags = DDPF_RGB;
    record->dwRGBBitCount = static_cast<DWORD>(format.depth);
    record->dwRBitMask = format.redMask;
    record->dwGBitMask = format.greenMask;
    record->dwBBitMask = format.blueMask;
}

}  // namespace platform::display

namespace platform {

void UsePixelFormat555(bool use555) { State().is555 = use555; }
void LoseAllSurfaces()
{
    for (IDirectDrawSurface4* surface : State().surfaces) SurfaceAccess::MarkLost(*surface);
}
void SetVideoMemoryFull(bool full) { State().videoMemoryFull = full; }
void SetForeignDisplayMode(bool foreign) { State().foreignMode = foreign; }
void ScriptVerticalBlankResults(const std::vector<HRESULT>& results)
{
    State().verticalBlankResults.assign(results.begin(), results.end());
}
void ScriptFlippingChainFaults(const std::vector<FlippingChainFault>& faults)
{
    State().chainFaults.assign(faults.begin(), faults.end());
}
bool DisplayIsFullScreen() { return State().fullScreen; }

}  // namespace platform

HRESULT DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context)
{
    if (!callback) return DDERR_INVALIDPARAMS;
    char description[] = "Primary Display Driver";
    char name[] = "display";
    callback(nullptr, description, name, context);
    return DD_OK;
}

HRESULT DirectDrawCreate(GUID* guid, IDirectDraw** directDraw, IUnknown* outer)
{
    if (!directDraw || outer) return DDERR_INVALIDPARAMS;
    if (guid) return DDERR_INVALIDPARAMS;
    *directDraw = new IDirectDraw();
    return DD_OK;
}

HRESULT IDirectDraw::QueryInterface(REFIID id, void** object)
{
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (!(id == IID_IDirectDraw4)) return DDERR_NOINTERFACE;
    *object = new IDirectDraw4();
    return DD_OK;
}

IDirectDraw4::IDirectDraw4() = default;

IDirectDraw4::~IDirectDraw4()
{
    if (State().fullScreen) {
        ActivePresenter().SetFullScreen(window, false);
        State().fullScreen = false;
    }
}

HRESULT IDirectDraw4::SetCooperativeLevel(HWND newWindow, DWORD flags)
{
    const bool wantsExclusive = flags == (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    if (!wantsExclusive && flags != DDSCL_NORMAL) return DDERR_INVALIDPARAMS;
    if (wantsExclusive && !newWindow) return DDERR_INVALIDPARAMS;
    if (newWindow) window = newWindow;
    exclusive = wantsExclusive;
    ActivePresenter().SetFullScreen(window, exclusive);
    State().fullScreen = exclusive;
    return DD_OK;
}

HRESULT IDirectDraw4::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate, DWORD flags)
{
    if (width != ScreenWidth || height != ScreenHeight || bitsPerPixel != ScreenBits) return DDERR_INVALIDMODE;
    return DD_OK;
}

HRESULT IDirectDraw4::GetDisplayMode(DDSURFACEDESC2* desc)
{
    if (!desc) return DDERR_INVALIDPARAMS;
    std::memset(desc, 0, sizeof(*desc));
    desc->dwSize = sizeof(*desc);
    desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    DDPIXELFORMAT& format = desc->ddpfPixelFormat;
    format.dwSize = sizeof(format);
    format.dwFlags = DDPF_RGB;
    if (State().foreignMode) {
        desc->dwWidth = 1024;
        desc->dwHeight = 768;
        desc->lPitch = 1024 * 4;
        format.dwRGBBitCount = 32;
        format.dwRBitMask = 0xFF0000;
        format.dwGBitMask = 0x00FF00;
        format.dwBBitMask = 0x0000FF;
        return DD_OK;
    }
    desc->dwWidth = ScreenWidth;
    desc->dwHeight = ScreenHeight;
    desc->lPitch = ScreenWidth * 2;
    DescribePixelFormat(&format, PixelFormatOf(State().is555));
    return DD_OK;
}

HRESULT IDirectDraw4::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface4** surface, IUnknown* outer)
{
    if (!desc || !surface || outer || !(desc->dwFlags & DDSD_CAPS)) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    DWORD caps = desc->ddsCaps.dwCaps;
    if (caps & DDSCAPS_PRIMARYSURFACE) {
        if (primary) return DDERR_PRIMARYSURFACEALREADYEXISTS;
        IDirectDrawSurface4* backBuffer = nullptr;
        if (caps & DDSCAPS_FLIP) {
            const bool oneBackBuffer = (desc->dwFlags & DDSD_BACKBUFFERCOUNT) && desc->dwBackBufferCount == 1;
            if (!(caps & DDSCAPS_COMPLEX) || !oneBackBuffer) return DDERR_INVALIDPARAMS;
            const std::optional<platform::FlippingChainFault> fault = NextChainFault();
            if (fault == platform::FlippingChainFault::Refused) return DDERR_OUTOFVIDEOMEMORY;
            const DWORD backCaps =
                DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_VIDEOMEMORY | (caps & DDSCAPS_3DDEVICE);
            if (fault != platform::FlippingChainFault::NoBackBuffer)
                backBuffer = new IDirectDrawSurface4(this, ScreenWidth, ScreenHeight, backCaps, nullptr, 0);
        }
        primary = new IDirectDrawSurface4(this, ScreenWidth, ScreenHeight, caps | DDSCAPS_VIDEOMEMORY, nullptr, 0);
        primary->backBuffer = backBuffer;
        *surface = primary;
        return DD_OK;
    }
    if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
    const DWORD width = desc->dwWidth, height = desc->dwHeight;
    if (width < 1 || height < 1 || width > LargestSurfaceSide || height > LargestSurfaceSide)
        return DDERR_INVALIDPARAMS;
    WORD* clientMemory = nullptr;
    LONG clientPitch = 0;
    if (desc->dwFlags & DDSD_LPSURFACE) {
        clientMemory = static_cast<WORD*>(desc->lpSurface);
        clientPitch = desc->lPitch;
        const bool pitchFits = clientPitch >= static_cast<LONG>(width * sizeof(WORD)) && clientPitch % 2 == 0;
        if (!clientMemory || !(desc->dwFlags & DDSD_PITCH) || !pitchFits) return DDERR_INVALIDPARAMS;
        caps = (caps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
    } else if (caps & DDSCAPS_VIDEOMEMORY) {
        if (State().videoMemoryFull) return DDERR_OUTOFVIDEOMEMORY;
    } else if (!(caps & DDSCAPS_SYSTEMMEMORY)) {
        caps |= State().videoMemoryFull ? DDSCAPS_SYSTEMMEMORY : DDSCAPS_VIDEOMEMORY;
    }
    *surface = new IDirectDrawSurface4(this, static_cast<int>(width), static_cast<int>(height), caps, clientMemory,
                                       clientPitch);
    return DD_OK;
}

HRESULT IDirectDraw4::CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer)
{
    if (!clipper || outer) return DDERR_INVALIDPARAMS;
    *clipper = new IDirectDrawClipper();
    return DD_OK;
}

HRESULT IDirectDraw4::WaitForVerticalBlank(DWORD flags, HANDLE event)
{
    auto& scripted = State().verticalBlankResults;
    if (!scripted.empty()) {
        const HRESULT result = scripted.front();
        scripted.pop_front();
        return result;
    }
    ActivePresenter().WaitVerticalBlank();
    return DD_OK;
}

HRESULT IDirectDrawClipper::SetHWnd(DWORD flags, HWND newWindow)
{
    window = newWindow;
    return DD_OK;
}

HRESULT DirectDrawObject::QueryInterface(REFIID id, void** object)
{
    if (object) *object = nullptr;
    return DDERR_NOINTERFACE;
}

ULONG DirectDrawObject::AddRef() { return ++references; }

ULONG DirectDrawObject::Release()
{
    const ULONG left = --references;
    if (left == 0) delete this;
    return left;
}
