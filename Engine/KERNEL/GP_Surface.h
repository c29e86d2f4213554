// One DirectDraw surface of the display: creation in the memory its kind asks for, locks, a GDI device
// context, colour-keyed and scaled copies, fills, text, and restoring after DirectDraw lost it.
// CGP_SurfaceFrames cuts surfaces into frames drawn by index.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ddraw.h"

class CGP_Display;
class CGP_Palette;
class CGP_Surface;

// Surface kinds (argument of Create); GP_SurfaceFor3D may be added to 1, 2, 3 and 6.
constexpr std::uint16_t GP_SurfaceVideoOrSystem = 1;
constexpr std::uint16_t GP_SurfaceVideo = 2;
constexpr std::uint16_t GP_SurfaceSystem = 3;
constexpr std::uint16_t GP_SurfaceTexture = 4;
constexpr std::uint16_t GP_SurfaceTexture2 = 5;
constexpr std::uint16_t GP_SurfaceOwnMemory = 6;
constexpr std::uint16_t GP_SurfaceFor3D = 0x100;

// Colour key of a picture as its users keep it: whether to use it, and the key.
struct GP_ColorKeyRecord {
    std::uint8_t useColorKey;
    std::uint32_t colorKey;
};

// Something kept alive by a surface and deleted with it.
class CGP_SurfaceAttachment {
public:
    virtual ~CGP_SurfaceAttachment() = default;
};

// Results of the surface operations; each returns 0 or the one failure its comment names.
enum GP_SurfaceError : int {
    GP_SurfaceOk = 0,
    GP_ErrCreate = 6,
    GP_ErrLock = 7,
    GP_ErrUnlock = 8,
    GP_ErrGetDC = 9,
    GP_ErrReleaseDC = 10,
    GP_ErrFill = 25,
    GP_ErrPalette = 35,
};

using GP_RestoreHandler = void (*)(CGP_Surface* surface, void* data);
using GP_ReleaseHandler = void (*)(CGP_Surface* surface);

class CGP_Surface {
public:
    // Registers the surface; its clip rectangle is 0, 0, 640, 480 until Create.
    CGP_Surface();
    CGP_Surface(const CGP_Surface&) = delete;
    CGP_Surface& operator=(const CGP_Surface&) = delete;
    virtual ~CGP_Surface();

    // GP_SurfaceOk, or GP_ErrCreate when the surface cannot be made.
    int Create(CGP_Display* owner, std::uint16_t surfaceKind, int surfaceWidth, int surfaceHeight);
    int Lock();       // GP_SurfaceOk or GP_ErrLock
    int Unlock();     // GP_SurfaceOk or GP_ErrUnlock
    int GetDC();      // GP_SurfaceOk or GP_ErrGetDC
    int ReleaseDC();  // GP_SurfaceOk or GP_ErrReleaseDC
    void SetSourceColorKey(std::uint32_t value);
    // Owned data is freed with ::operator delete when the surface goes.
    void SetRestoreHandler(GP_RestoreHandler handler, void* data, bool ownsData);
    bool Restore();
    void SetClipRect(RECT* rect);             // not owned
    int SetPalette(CGP_Palette* newPalette);  // GP_SurfaceOk or GP_ErrPalette

    // Copies the rectangle of this surface to (x, y) of the destination, cut to this surface's clip rectangle.
    HRESULT BltFast(CGP_Surface* destination, int x, int y, int left, int top, int right, int bottom);
    // Scaled copy; the destination rectangle is cut to the clip rectangle and the source in proportion.
    HRESULT Blt(CGP_Surface* destination, int sourceLeft, int sourceTop, int sourceRight, int sourceBottom,
                int destLeft, int destTop, int destRight, int destBottom);
    int FillRect(int left, int top, int right, int bottom, std::uint32_t colour);  // GP_SurfaceOk or GP_ErrFill
    int FillRectRecord(const RECT* rect, std::uint32_t colour);                    // null: the whole surface
    int Clear(std::uint32_t colour);
    // Opaque text at (x, y); keeps a DC that was already held.
    int DrawText(const char* text, int x, int y, COLORREF textColour, COLORREF backColour, HFONT font);

    // Row y of a locked surface (or of one of kind 3 or 6, whose pixels stay reachable).
    std::uint16_t* PixelRow(int y) const
    {
        return reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(pixels) + static_cast<long>(y) * pitch);
    }

    CGP_Display* display = nullptr;
    std::int32_t pitch = 0;
    void* pixels = nullptr;
    HDC dc = nullptr;
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::uint32_t colorKey = 0;
    RECT* clipRect = nullptr;
    IDirectDrawSurface4* ddSurface = nullptr;
    std::uint8_t useColorKey = 0;
    std::uint8_t dcHeld = 0;
    std::uint8_t locked = 0;
    std::uint8_t ownsClipRect = 0;
    std::uint8_t ownsRestoreData = 0;
    std::unique_ptr<CGP_SurfaceAttachment> attached;
    CGP_Palette* palette = nullptr;
    void* restoreData = nullptr;
    GP_RestoreHandler restoreHandler = nullptr;
    GP_ReleaseHandler releaseHandler = nullptr;
    std::uint16_t kind = 0;

private:
    void Destroy();
    // Runs a DirectDraw call; when it answers DDERR_SURFACELOST, restores the surfaces and runs it once more.
    template <typename Call>
    HRESULT WithRestore(CGP_Surface* other, Call call);
    struct OperatorDelete {
        void operator()(void* data) const { ::operator delete(data); }
    };
    RECT ownClipRect{0, 0, 640, 480};  // what clipRect points at while ownsClipRect is set
    std::unique_ptr<void, OperatorDelete> ownedRestoreData;
    std::unique_ptr<std::uint8_t[]> ownMemory;
};

// Every live surface, in the order they came (the last one takes the place of one that goes); the display walks
// it to restore them.
using GP_SurfaceRegistry = std::vector<CGP_Surface*>;
const GP_SurfaceRegistry& GP_Surfaces();

struct GP_SurfaceFrame {
    CGP_Surface* surface;
    std::int32_t left, top, right, bottom;
};

class CGP_SurfaceFrames {
public:
    CGP_SurfaceFrames() = default;
    CGP_SurfaceFrames(const CGP_SurfaceFrames&) = delete;
    CGP_SurfaceFrames& operator=(const CGP_SurfaceFrames&) = delete;
    virtual ~CGP_SurfaceFrames() = default;

    void Add(CGP_Surface* surface, int left, int top, int right, int bottom);
    // The most cells a grid may have, and the largest position or cell size it takes: more comes only from a
    // damaged record.
    static constexpr int MaxGridCells = 4096;
    static constexpr int MaxGridExtent = 32767;
    // Cells of cellWidth x cellHeight from (left, top), row after row. A grid outside the bounds above (more than
    // MaxGridCells, a negative count or size, a position or size beyond MaxGridExtent) is a data error: the fatal
    // engine exception.
    void AddGrid(CGP_Surface* surface, int left, int top, int cellWidth, int cellHeight, int columns, int rows);
    HRESULT Draw(CGP_Surface* destination, int x, int y, int index);
    // Null for an index outside the list.
    GP_SurfaceFrame* Get(int index);
    std::int32_t Count() const { return static_cast<std::int32_t>(frames.size()); }

    std::vector<GP_SurfaceFrame> frames;
};
