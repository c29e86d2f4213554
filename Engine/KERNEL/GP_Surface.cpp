#include "GP_Surface.h"

#include <cstring>
#include <new>

#include "GP_Display.h"
#include "GP_Exception.h"
#include "platform/rect.h"
#include "platform/wingdi.h"

using platform::Rect;

namespace {

constexpr DWORD VideoCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
constexpr DWORD SystemCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;

// Built by the first surface, so it outlives every surface, also those of static lifetime.
GP_SurfaceRegistry& Registry()
{
    static GP_SurfaceRegistry registry;
    return registry;
}

void Unregister(CGP_Surface* surface)
{
    GP_SurfaceRegistry& registry = Registry();
    for (CGP_Surface*& entry : registry) {
        if (entry != surface) continue;
        entry = registry.back();
        registry.pop_back();
        return;
    }
}

}  // namespace

const GP_SurfaceRegistry& GP_Surfaces() { return Registry(); }

CGP_Surface::CGP_Surface()
{
    Registry().push_back(this);
    clipRect = &ownClipRect;
    ownsClipRect = 1;
}

CGP_Surface::~CGP_Surface()
{
    Destroy();
    Unregister(this);
}

void CGP_Surface::Destroy()
{
    if (releaseHandler) releaseHandler(this);
    ownedRestoreData.reset();
    if (dcHeld) ReleaseDC();
    if (locked) Unlock();
    clipRect = nullptr;
    ownMemory.reset();
    if (ddSurface) ddSurface->Release();
    ddSurface = nullptr;
    attached.reset();
    pixels = nullptr;
    pitch = 0;
    dc = nullptr;
    useColorKey = dcHeld = locked = ownsClipRect = ownsRestoreData = 0;
    width = height = 0;
    kind = 0;
    restoreData = nullptr;
    restoreHandler = nullptr;
    releaseHandler = nullptr;
}

template <typename Call>
HRESULT CGP_Surface::WithRestore(CGP_Surface* other, Call call)
{
    HRESULT result = call();
    if (result != DDERR_SURFACELOST) return result;
    if (!Restore()) return result;
    if (other && other != this && !other->Restore()) return result;
    return call();
}

int CGP_Surface::Create(CGP_Display* owner, std::uint16_t surfaceKind, int surfaceWidth, int surfaceHeight)
{
    Destroy();
    display = owner;
    width = surfaceWidth;
    height = surfaceHeight;
    kind = surfaceKind;
    if (!owner || !owner->directDraw || surfaceWidth < 1 || surfaceHeight < 1) return GP_ErrCreate;

    const std::uint16_t base = surfaceKind & 0xFF;
    const DWORD for3D = (surfaceKind & GP_SurfaceFor3D) && base != GP_SurfaceTexture && base != GP_SurfaceTexture2
                            ? DDSCAPS_3DDEVICE
                            : 0;
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = static_cast<DWORD>(surfaceWidth);
    desc.dwHeight = static_cast<DWORD>(surfaceHeight);
    switch (base) {
    case GP_SurfaceVideoOrSystem:
    case GP_SurfaceVideo: desc.ddsCaps.dwCaps = VideoCaps | for3D; break;
    case GP_SurfaceSystem: desc.ddsCaps.dwCaps = SystemCaps | for3D; break;
    case GP_SurfaceTexture:
    case GP_SurfaceTexture2: desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE; break;
    case GP_SurfaceOwnMemory: {
        const int bits = owner->pixelFormat && owner->pixelFormat->bitsPerPixel ? owner->pixelFormat->bitsPerPixel : 16;
        pitch = static_cast<std::int32_t>((static_cast<long long>(bits) * surfaceWidth / 8 + 7) & ~7LL);
        ownMemory.reset(new (std::nothrow) std::uint8_t[static_cast<size_t>(pitch) * surfaceHeight]());
        if (!ownMemory) return GP_ErrCreate;
        pixels = ownMemory.get();
        desc.dwFlags |= DDSD_PITCH | DDSD_LPSURFACE;
        desc.lPitch = pitch;
        desc.lpSurface = ownMemory.get();
        desc.ddsCaps.dwCaps = SystemCaps | for3D;
        break;
    }
    default: return GP_ErrCreate;
    }

    HRESULT made = owner->directDraw->CreateSurface(&desc, &ddSurface, nullptr);
    if (base == GP_SurfaceVideoOrSystem) {
        if (made == DD_OK) {
            kind = (kind & GP_SurfaceFor3D) | GP_SurfaceVideo;
        } else {
            desc.ddsCaps.dwCaps = SystemCaps | for3D;
            made = owner->directDraw->CreateSurface(&desc, &ddSurface, nullptr);
            kind = (kind & GP_SurfaceFor3D) | GP_SurfaceSystem;
        }
    }
    if (made != DD_OK) {
        ddSurface = nullptr;
        return GP_ErrCreate;
    }
    if ((kind & 0xFF) == GP_SurfaceSystem) {
        Lock();
        Unlock();
    }
    SetClipRect(&owner->displayRect);
    palette = owner->palette.get();
    return GP_SurfaceOk;
}

int CGP_Surface::Lock()
{
    if (locked || (kind & 0xFF) == GP_SurfaceOwnMemory) return GP_SurfaceOk;
    if (!ddSurface) return GP_ErrLock;
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    const HRESULT result = WithRestore(nullptr, [&] { return ddSurface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr); });
    if (result != DD_OK) return GP_ErrLock;
    pitch = desc.lPitch;
    pixels = desc.lpSurface;
    locked = 1;
    return GP_SurfaceOk;
}

int CGP_Surface::Unlock()
{
    if (!locked || (kind & 0xFF) == GP_SurfaceOwnMemory) return GP_SurfaceOk;
    if (!ddSurface || ddSurface->Unlock(nullptr) != DD_OK) return GP_ErrUnlock;
    locked = 0;
    return GP_SurfaceOk;
}

int CGP_Surface::GetDC()
{
    if (dcHeld) return GP_SurfaceOk;
    if (!ddSurface) return GP_ErrGetDC;
    if (WithRestore(nullptr, [&] { return ddSurface->GetDC(&dc); }) != DD_OK) return GP_ErrGetDC;
    dcHeld = 1;
    return GP_SurfaceOk;
}

int CGP_Surface::ReleaseDC()
{
    if (!dcHeld) return GP_SurfaceOk;
    if (!ddSurface || ddSurface->ReleaseDC(dc) != DD_OK) return GP_ErrReleaseDC;
    dcHeld = 0;
    dc = nullptr;
    return GP_SurfaceOk;
}

void CGP_Surface::SetSourceColorKey(std::uint32_t value)
{
    colorKey = value;
    if (!ddSurface) return;
    DDCOLORKEY key{value, value};
    ddSurface->SetColorKey(DDCKEY_SRCBLT, &key);
}

void CGP_Surface::SetRestoreHandler(GP_RestoreHandler handler, void* data, bool ownsData)
{
    restoreHandler = handler;
    restoreData = data;
    ownsRestoreData = ownsData;
    // Data handed over again is not freed here; data of an earlier handler that the surface owned is.
    if (ownedRestoreData.get() == data) static_cast<void>(ownedRestoreData.release());
    ownedRestoreData.reset(ownsData ? data : nullptr);
}

bool CGP_Surface::Restore()
{
    if (!ddSurface) return false;
    if (display) display->surfacesLost = 1;
    return ddSurface->Restore() == DD_OK;
}

void CGP_Surface::SetClipRect(RECT* rect)
{
    clipRect = rect;
    ownsClipRect = 0;
}

int CGP_Surface::SetPalette(CGP_Palette* newPalette)
{
    palette = newPalette;
    if (!newPalette) return GP_ErrPalette;
    const bool eightBit = display && display->pixelFormat && display->pixelFormat->bitsPerPixel == 8;
    if (!ddSurface || !eightBit || !newPalette->ddPalette) return GP_SurfaceOk;
    const HRESULT result = WithRestore(nullptr, [&] { return ddSurface->SetPalette(newPalette->ddPalette); });
    return result == DD_OK ? GP_SurfaceOk : GP_ErrPalette;
}

HRESULT CGP_Surface::BltFast(CGP_Surface* destination, int x, int y, int left, int top, int right, int bottom)
{
    if (right - left < 1 || bottom - top < 1) return DD_OK;
    if (!destination || !destination->ddSurface || !ddSurface || !clipRect) return DDERR_INVALIDOBJECT;
    const Rect to = Rect::At(x, y, right - left, bottom - top).Intersected(Rect::From(*clipRect));
    if (to.IsEmpty()) return DD_OK;
    // The part of the source that lands inside the clip rectangle.
    RECT from = to.Offset(left - x, top - y).ToRECT();
    const DWORD flags = DDBLTFAST_WAIT | (useColorKey ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY);
    return WithRestore(destination, [&] {
        return destination->ddSurface->BltFast(static_cast<DWORD>(to.left), static_cast<DWORD>(to.top), ddSurface,
                                               &from, flags);
    });
}

HRESULT CGP_Surface::Blt(CGP_Surface* destination, int sourceLeft, int sourceTop, int sourceRight, int sourceBottom,
                         int destLeft, int destTop, int destRight, int destBottom)
{
    const Rect placed{destLeft, destTop, destRight, destBottom};
    // An empty destination has nothing to scale to.
    if (placed.IsEmpty()) return DDERR_INVALIDRECT;
    if (!destination || !destination->ddSurface || !ddSurface || !clipRect) return DDERR_INVALIDOBJECT;
    const Rect clipped = placed.Intersected(Rect::From(*clipRect));
    if (clipped.IsEmpty()) return DDERR_INVALIDRECT;
    // Each edge of the source moves in proportion to its edge of the destination.
    const long long sourceWidth = sourceRight - sourceLeft;
    const long long sourceHeight = sourceBottom - sourceTop;
    const auto across = [&](int cut) { return static_cast<int>(cut * sourceWidth / placed.Width()); };
    const auto down = [&](int cut) { return static_cast<int>(cut * sourceHeight / placed.Height()); };
    RECT from{sourceLeft + across(clipped.left - placed.left), sourceTop + down(clipped.top - placed.top),
              sourceRight - across(placed.right - clipped.right), sourceBottom - down(placed.bottom - clipped.bottom)};
    RECT to = clipped.ToRECT();
    const DWORD flags = DDBLT_WAIT | (useColorKey ? DDBLT_KEYSRC : 0);
    return WithRestore(destination, [&] { return destination->ddSurface->Blt(&to, ddSurface, &from, flags, nullptr); });
}

int CGP_Surface::FillRect(int left, int top, int right, int bottom, std::uint32_t colour)
{
    RECT area{left, top, right, bottom};
    return FillRectRecord(&area, colour);
}

int CGP_Surface::FillRectRecord(const RECT* rect, std::uint32_t colour)
{
    if (!ddSurface) return GP_ErrFill;
    DDBLTFX fx{};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = colour;
    RECT area = rect ? *rect : RECT{};
    const HRESULT result = WithRestore(nullptr, [&] {
        return ddSurface->Blt(rect ? &area : nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    });
    return result == DD_OK ? GP_SurfaceOk : GP_ErrFill;
}

int CGP_Surface::Clear(std::uint32_t colour) { return FillRectRecord(nullptr, colour); }

int CGP_Surface::DrawText(const char* text, int x, int y, COLORREF textColour, COLORREF backColour, HFONT font)
{
    if (!text) return GP_SurfaceOk;
    const bool tookDC = !dcHeld;
    if (tookDC) {
        if (int failed = GetDC()) return failed;
    }
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, textColour);
    SetBkColor(dc, backColour);
    if (font) SelectObject(dc, font);
    TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
    return tookDC ? ReleaseDC() : GP_SurfaceOk;
}

void CGP_SurfaceFrames::Add(CGP_Surface* surface, int left, int top, int right, int bottom)
{
    frames.push_back(GP_SurfaceFrame{surface, left, top, right, bottom});
}

void CGP_SurfaceFrames::AddGrid(CGP_Surface* surface, int left, int top, int cellWidth, int cellHeight, int columns,
                                int rows)
{
    const auto within = [](int value, int low) { return value >= low && value <= MaxGridExtent; };
    const bool sound = within(left, -MaxGridExtent) && within(top, -MaxGridExtent) && within(cellWidth, 0) &&
                       within(cellHeight, 0) && columns >= 0 && rows >= 0 &&
                       static_cast<long long>(columns) * rows <= MaxGridCells;
    if (!sound)
        throw CGP_FatalExeption("GP_Surface", __LINE__,
                                FormatNew("Frame grid of %d x %d cells of %d x %d at (%d, %d) is out of bounds",
                                          columns, rows, cellWidth, cellHeight, left, top),
                                nullptr, 1);
    for (int row = 0, y = top; row < rows; ++row, y += cellHeight)
        for (int column = 0, x = left; column < columns; ++column, x += cellWidth)
            Add(surface, x, y, x + cellWidth, y + cellHeight);
}

HRESULT CGP_SurfaceFrames::Draw(CGP_Surface* destination, int x, int y, int index)
{
    const GP_SurfaceFrame* frame = Get(index);
    if (!frame || !frame->surface) return DDERR_INVALIDPARAMS;
    return frame->surface->BltFast(destination, x, y, frame->left, frame->top, frame->right, frame->bottom);
}

GP_SurfaceFrame* CGP_SurfaceFrames::Get(int index) { return index >= 0 && index < Count() ? &frames[index] : nullptr; }
