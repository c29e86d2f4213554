#include <algorithm>
#include <cstring>

#include "blit_ops.h"
#include "gdi_objects.h"
#include "platform/ddraw.h"
#include "presenter.h"

using namespace platform::display;
using platform::Rect;

namespace {

KeyRange RangeOf(const DDCOLORKEY& key)
{
    return KeyRange{static_cast<WORD>(key.dwColorSpaceLowValue), static_cast<WORD>(key.dwColorSpaceHighValue)};
}

// The given rectangle, or the whole surface for none.
Rect RectOr(const RECT* given, int width, int height)
{
    return given ? Rect::From(*given) : Rect::OfSize(width, height);
}

}  // namespace

namespace platform::display {

PixelView SurfaceAccess::View(const IDirectDrawSurface4& surface)
{
    return PixelView{surface.pixels, surface.pitch, surface.width, surface.height, surface.is555};
}

void SurfaceAccess::MarkLost(IDirectDrawSurface4& surface) { surface.lost = true; }

}  // namespace platform::display

IDirectDrawSurface4::IDirectDrawSurface4(IDirectDraw4* owner, int width, int height, DWORD caps, WORD* clientMemory,
                                         LONG clientPitch)
    : owner(owner), width(width), height(height), caps(caps), is555(State().is555)
{
    owner->AddRef();
    if (clientMemory) {
        pixels = clientMemory;
        pitch = clientPitch;
    } else {
        // Rows start on 8-byte boundaries, as display memory rows did.
        pitch = static_cast<LONG>((width * sizeof(WORD) + 7) & ~size_t{7});
        memory.assign(static_cast<size_t>(pitch / sizeof(WORD)) * height, 0);
        pixels = memory.data();
    }
    State().surfaces.push_back(this);
}

IDirectDrawSurface4::~IDirectDrawSurface4()
{
    auto& all = State().surfaces;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    if (dc) DestroySurfaceDC(dc);
    delete backBuffer;
    if (clipper) clipper->Release();
    if (owner->primary == this) owner->primary = nullptr;
    owner->Release();
}

WORD* IDirectDrawSurface4::Row(int y) const { return SurfaceAccess::View(*this).Row(y); }

HRESULT IDirectDrawSurface4::CheckUsable() const { return lost ? DDERR_SURFACELOST : DD_OK; }

void IDirectDrawSurface4::Present()
{
    const HWND window = clipper && clipper->Window() ? clipper->Window() : owner->window;
    ActivePresenter().Show(SurfaceAccess::View(*this), window);
}

HRESULT IDirectDrawSurface4::Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event)
{
    if (!desc) return DDERR_INVALIDPARAMS;
    if (HRESULT r = CheckUsable(); r != DD_OK) return r;
    if (rect && !LiesOn(Rect::From(*rect), width, height)) return DDERR_INVALIDRECT;
    GetSurfaceDesc(desc);
    if (rect) desc->lpSurface = Row(rect->top) + rect->left;
    locked = true;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Unlock(RECT* rect)
{
    if (!locked) return DDERR_NOTLOCKED;
    locked = false;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetDC(HDC* result)
{
    if (!result) return DDERR_INVALIDPARAMS;
    if (HRESULT r = CheckUsable(); r != DD_OK) return r;
    if (dc) return DDERR_DCALREADYCREATED;
    dc = CreateSurfaceDC(SurfaceAccess::View(*this));
    *result = dc;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::ReleaseDC(HDC given)
{
    if (!dc || given != dc) return DDERR_NODC;
    DestroySurfaceDC(dc);
    dc = nullptr;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::SetColorKey(DWORD flags, DDCOLORKEY* key)
{
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
    hasColorKey = key != nullptr;
    if (key) colorKey = *key;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::BltFast(DWORD x, DWORD y, IDirectDrawSurface4* source, RECT* srcRect, DWORD flags)
{
    if (!source) return DDERR_INVALIDPARAMS;
    if (HRESULT r = CheckUsable(); r != DD_OK) return r;
    if (HRESULT r = source->CheckUsable(); r != DD_OK) return r;
    const Rect from = RectOr(srcRect, source->width, source->height);
    if (!LiesOn(from, source->width, source->height)) return DDERR_INVALIDRECT;
    // Checked before the corner becomes signed, so that a huge one cannot wrap round onto the surface.
    if (x > static_cast<DWORD>(width) || y > static_cast<DWORD>(height)) return DDERR_INVALIDRECT;
    const Rect to = Rect::At(static_cast<int>(x), static_cast<int>(y), from.Width(), from.Height());
    if (!LiesOn(to, width, height)) return DDERR_INVALIDRECT;
    KeyRange key{};
    const bool keyed = flags & DDBLTFAST_SRCCOLORKEY;
    if (keyed) {
        if (!source->hasColorKey) return DDERR_NOCOLORKEY;
        key = RangeOf(source->colorKey);
    }
    CopyPixels(SurfaceAccess::View(*this), to.left, to.top, SurfaceAccess::View(*source), from, keyed ? &key : nullptr);
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Blt(RECT* destRect, IDirectDrawSurface4* source, RECT* srcRect, DWORD flags, DDBLTFX* fx)
{
    if (HRESULT r = CheckUsable(); r != DD_OK) return r;
    const Rect to = RectOr(destRect, width, height);
    if (!LiesOn(to, width, height)) return DDERR_INVALIDRECT;
    if (flags & DDBLT_COLORFILL) {
        if (!fx) return DDERR_INVALIDPARAMS;
        FillPixels(SurfaceAccess::View(*this), to, static_cast<WORD>(fx->dwFillColor));
        return DD_OK;
    }
    if (!source) return DDERR_INVALIDPARAMS;
    if (HRESULT r = source->CheckUsable(); r != DD_OK) return r;
    const Rect from = RectOr(srcRect, source->width, source->height);
    if (!LiesOn(from, source->width, source->height)) return DDERR_INVALIDRECT;
    KeyRange key{};
    const bool keyed = flags & DDBLT_KEYSRC;
    if (keyed) {
        if (!source->hasColorKey) return DDERR_NOCOLORKEY;
        key = RangeOf(source->colorKey);
    }
    const PixelView dest = SurfaceAccess::View(*this);
    const PixelView src = SurfaceAccess::View(*source);
    if (to.Width() == from.Width() && to.Height() == from.Height())
        CopyPixels(dest, to.left, to.top, src, from, keyed ? &key : nullptr);
    else
        ScalePixels(dest, to, src, from, keyed ? &key : nullptr);
    if (caps & DDSCAPS_PRIMARYSURFACE) Present();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::Flip(IDirectDrawSurface4* target, DWORD flags)
{
    if (!(caps & DDSCAPS_PRIMARYSURFACE) || !backBuffer) return DDERR_NOTFLIPPABLE;
    if (target && target != backBuffer) return DDERR_INVALIDPARAMS;
    if (HRESULT r = CheckUsable(); r != DD_OK) return r;
    if (HRESULT r = backBuffer->CheckUsable(); r != DD_OK) return r;
    CopyPixels(SurfaceAccess::View(*this), 0, 0, SurfaceAccess::View(*backBuffer), Rect::OfSize(width, height),
               nullptr);
    Present();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetAttachedSurface(DDSCAPS2* wanted, IDirectDrawSurface4** attached)
{
    if (!wanted || !attached) return DDERR_INVALIDPARAMS;
    if (!(wanted->dwCaps & DDSCAPS_BACKBUFFER) || !backBuffer) return DDERR_NOTFOUND;
    *attached = backBuffer;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetPixelFormat(DDPIXELFORMAT* format)
{
    if (!format) return DDERR_INVALIDPARAMS;
    DescribePixelFormat(format, PixelFormatOf(is555));
    return DD_OK;
}

HRESULT IDirectDrawSurface4::GetSurfaceDesc(DDSURFACEDESC2* desc)
{
    if (!desc) return DDERR_INVALIDPARAMS;
    std::memset(desc, 0, sizeof(*desc));
    desc->dwSize = sizeof(*desc);
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_LPSURFACE | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width);
    desc->dwHeight = static_cast<DWORD>(height);
    desc->lPitch = pitch;
    desc->lpSurface = pixels;
    desc->ddsCaps.dwCaps = caps;
    if (backBuffer) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = 1;
    }
    DescribePixelFormat(&desc->ddpfPixelFormat, PixelFormatOf(is555));
    return DD_OK;
}

HRESULT IDirectDrawSurface4::IsLost() { return CheckUsable(); }

HRESULT IDirectDrawSurface4::Restore()
{
    // What a lost surface held is gone; the owner draws it again. Memory of the program's own stays as it is.
    if (lost && memory.size()) std::fill(memory.begin(), memory.end(), WORD{0});
    lost = false;
    if (backBuffer) backBuffer->Restore();
    return DD_OK;
}

HRESULT IDirectDrawSurface4::SetClipper(IDirectDrawClipper* given)
{
    if (given) given->AddRef();
    if (clipper) clipper->Release();
    clipper = given;
    return DD_OK;
}

HRESULT IDirectDrawSurface4::SetPalette(IDirectDrawPalette* palette) { return DD_OK; }
