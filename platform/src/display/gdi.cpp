#include <cstring>
#include <memory>
#include <unordered_map>
#include <utility>

#include "blit_ops.h"
#include "gdi_objects.h"

using namespace platform::display;

namespace {

// Every GDI object that exists, owned here and found by its handle.
std::unordered_map<const void*, std::unique_ptr<GdiObject>>& LiveObjects()
{
    static std::unordered_map<const void*, std::unique_ptr<GdiObject>> live;
    return live;
}

template <typename T>
T* Adopt(std::unique_ptr<T> object)
{
    T* adopted = object.get();
    LiveObjects().emplace(static_cast<GdiObject*>(adopted), std::move(object));
    return adopted;
}

template <typename T>
T* Find(const void* handle, GdiKind kind)
{
    if (!handle || !LiveObjects().count(handle)) return nullptr;
    auto* object = static_cast<GdiObject*>(const_cast<void*>(handle));
    return object->kind == kind ? static_cast<T*>(object) : nullptr;
}

DeviceContext* FindDC(HDC dc) { return Find<DeviceContext>(dc, GdiKind::DeviceContext); }

void Destroy(GdiObject* object) { LiveObjects().erase(object); }

void Unselect(DeviceContext& dc)
{
    if (dc.bitmap) --dc.bitmap->selections;
    dc.bitmap = nullptr;
    dc.target = PixelView{};
}

}  // namespace

namespace platform::display {

HDC CreateSurfaceDC(const PixelView& surface)
{
    auto* dc = Adopt(std::make_unique<DeviceContext>());
    dc->target = surface;
    dc->ofSurface = true;
    return reinterpret_cast<HDC>(static_cast<GdiObject*>(dc));
}

void DestroySurfaceDC(HDC handle)
{
    if (DeviceContext* dc = FindDC(handle)) Destroy(dc);
}

}  // namespace platform::display

HDC CreateCompatibleDC(HDC dc)
{
    if (dc && !FindDC(dc)) return nullptr;
    return reinterpret_cast<HDC>(static_cast<GdiObject*>(Adopt(std::make_unique<DeviceContext>())));
}

BOOL DeleteDC(HDC handle)
{
    DeviceContext* dc = FindDC(handle);
    if (!dc || dc->ofSurface) return FALSE;
    Unselect(*dc);
    Destroy(dc);
    return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height)
{
    if ((dc && !FindDC(dc)) || width < 1 || height < 1 || width > 16384 || height > 16384) return nullptr;
    auto* bitmap = Adopt(std::make_unique<GdiBitmap>(width, height, State().is555));
    return reinterpret_cast<HBITMAP>(static_cast<GdiObject*>(bitmap));
}

HBITMAP CreateDIBitmap(HDC handle, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage)
{
    DeviceContext* dc = FindDC(handle);
    if (!header || (handle && !dc)) return nullptr;
    const LONG height = header->biHeight < 0 ? -static_cast<long long>(header->biHeight) : header->biHeight;
    HBITMAP result = CreateCompatibleBitmap(handle, header->biWidth, height);
    if (!result || !(init & CBM_INIT)) return result;
    auto* bitmap = Find<GdiBitmap>(result, GdiKind::Bitmap);
    if (!bits || !info || !ConvertDib(*info, bits, usage, dc ? dc->palette : nullptr, bitmap->view)) {
        Destroy(bitmap);
        return nullptr;
    }
    return result;
}

HPALETTE CreatePalette(const LOGPALETTE* palette)
{
    if (!palette || palette->palNumEntries == 0) return nullptr;
    auto* created = Adopt(std::make_unique<GdiPalette>());
    created->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return reinterpret_cast<HPALETTE>(static_cast<GdiObject*>(created));
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object)
{
    DeviceContext* dc = FindDC(handle);
    if (!dc || !object) return nullptr;
    if (auto* bitmap = Find<GdiBitmap>(object, GdiKind::Bitmap)) {
        if (dc->ofSurface) return nullptr;
        GdiBitmap* previous = dc->bitmap;
        Unselect(*dc);
        dc->bitmap = bitmap;
        ++bitmap->selections;
        dc->target = bitmap->view;
        // A new memory DC holds no bitmap; handing back null for it would look like a failure.
        return previous ? static_cast<HGDIOBJ>(static_cast<GdiObject*>(previous)) : object;
    }
    // Any other object is taken as a font: text always uses the built-in one.
    HGDIOBJ previous = dc->font;
    dc->font = object;
    return previous ? previous : object;
}

HPALETTE SelectPalette(HDC handle, HPALETTE palette, BOOL forceBackground)
{
    DeviceContext* dc = FindDC(handle);
    auto* given = Find<GdiPalette>(palette, GdiKind::Palette);
    if (!dc || (palette && !given)) return nullptr;
    GdiPalette* previous = dc->palette;
    dc->palette = given;
    return reinterpret_cast<HPALETTE>(static_cast<GdiObject*>(previous));
}

UINT RealizePalette(HDC dc) { return FindDC(dc) ? 0 : GDI_ERROR; }

BOOL DeleteObject(HGDIOBJ object)
{
    if (auto* bitmap = Find<GdiBitmap>(object, GdiKind::Bitmap)) {
        if (bitmap->selections > 0) return FALSE;
        Destroy(bitmap);
        return TRUE;
    }
    if (auto* palette = Find<GdiPalette>(object, GdiKind::Palette)) {
        for (const auto& [live, unused] : LiveObjects()) {
            auto* dc = Find<DeviceContext>(live, GdiKind::DeviceContext);
            if (dc && dc->palette == palette) dc->palette = nullptr;
        }
        Destroy(palette);
        return TRUE;
    }
    return FALSE;
}

BOOL BitBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY, DWORD rop)
{
    DeviceContext* dest = FindDC(destHandle);
    DeviceContext* source = FindDC(sourceHandle);
    if (!dest || !source || rop != SRCCOPY || !dest->target.pixels || !source->target.pixels) return FALSE;
    // Cut the rectangle to both pixel areas, moving both corners together.
    const platform::Rect sourceArea = platform::Rect::OfSize(source->target.width, source->target.height);
    const platform::Rect to = platform::Rect::At(x, y, width, height)
                                  .Intersected(platform::Rect::OfSize(dest->target.width, dest->target.height))
                                  .Intersected(sourceArea.Offset(x - sourceX, y - sourceY));
    if (to.IsEmpty()) return TRUE;
    CopyPixels(dest->target, to.left, to.top, source->target, to.Offset(sourceX - x, sourceY - y), nullptr);
    return TRUE;
}

int SetBkMode(HDC handle, int mode)
{
    DeviceContext* dc = FindDC(handle);
    if (!dc || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    return std::exchange(dc->backMode, mode);
}

COLORREF SetTextColor(HDC handle, COLORREF color)
{
    DeviceContext* dc = FindDC(handle);
    return dc ? std::exchange(dc->textColor, color) : CLR_INVALID;
}

COLORREF SetBkColor(HDC handle, COLORREF color)
{
    DeviceContext* dc = FindDC(handle);
    return dc ? std::exchange(dc->backColor, color) : CLR_INVALID;
}

BOOL TextOutA(HDC handle, int x, int y, LPCSTR text, int length)
{
    DeviceContext* dc = FindDC(handle);
    if (!dc || !text || length < 0 || !dc->target.pixels) return FALSE;
    const WORD ink = PixelFromColor(dc->textColor, dc->target.is555);
    const WORD paper = PixelFromColor(dc->backColor, dc->target.is555);
    for (int i = 0; i < length; ++i)
        DrawGlyph(dc->target, x + i * FontCellWidth, y, text[i], ink, dc->backMode == OPAQUE ? &paper : nullptr);
    return TRUE;
}
