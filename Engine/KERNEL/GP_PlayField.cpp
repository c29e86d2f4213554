#include "GP_PlayField.h"

#include <algorithm>
#include <cmath>

#include "GP_BinaryServer.h"
#include "GP_Display.h"
#include "GP_GraphServer.h"
#include "GP_RecordBounds.h"
#include "GP_ServerSet.h"
#include "GP_SpriteDef.h"

namespace {

constexpr std::uint16_t GridPen = 0xFFFF;  // white in the screen's 16-bit format
// Beyond this any coordinate lies outside every grid, and its conversion to int stays defined.
constexpr float FarAway = 1.0e6f;

int TruncCell(float value)
{
    if (!(value > -FarAway)) return -static_cast<int>(FarAway);
    if (value > FarAway) return static_cast<int>(FarAway);
    return static_cast<int>(value);
}

// A scroll offset brought back into its wrap as stepping by the wrap would: above it, into (0, wrap]; below 0,
// into [0, wrap). A wrap that is not positive leaves the offset alone.
float Wrapped(float offset, float wrap)
{
    if (!(wrap > 0)) return offset;
    if (offset > wrap) {
        const float reduced = std::fmod(offset, wrap);
        return reduced == 0 ? wrap : reduced;
    }
    if (offset < 0) {
        const float raised = std::fmod(offset, wrap) + wrap;
        return raised >= wrap ? 0 : raised;
    }
    return offset;
}

// The first tile position at or before 0 of tiles that repeat every step from offset.
int FirstTile(float offset, int step)
{
    int start = static_cast<int>(std::fmod(offset, static_cast<float>(step)));
    if (start > 0) start -= step;
    return start;
}

platform::Rect ViewOf(const CGP_Surface& surface)
{
    const platform::Rect whole = platform::Rect::OfSize(surface.width, surface.height);
    return surface.clipRect ? whole.Intersected(platform::Rect::From(*surface.clipRect)) : whole;
}

// A locked surface for the scope of one software drawing.
class LockedSurface {
public:
    explicit LockedSurface(CGP_Surface* surface) : surface(surface && surface->Lock() == 0 ? surface : nullptr) {}
    ~LockedSurface()
    {
        if (surface) surface->Unlock();
    }
    LockedSurface(const LockedSurface&) = delete;
    LockedSurface& operator=(const LockedSurface&) = delete;
    explicit operator bool() const { return surface && surface->pixels; }

private:
    CGP_Surface* surface;
};

void HorizontalLine(CGP_Surface& surface, const platform::Rect& view, int left, int right, int y)
{
    if (y < view.top || y >= view.bottom) return;
    left = std::max(left, view.left);
    right = std::min(right, view.right);
    std::uint16_t* row = surface.PixelRow(y);
    for (int x = left; x < right; ++x) row[x] = GridPen;
}

void VerticalLine(CGP_Surface& surface, const platform::Rect& view, int x, int top, int bottom)
{
    if (x < view.left || x >= view.right) return;
    top = std::max(top, view.top);
    bottom = std::min(bottom, view.bottom);
    for (int y = top; y < bottom; ++y) surface.PixelRow(y)[x] = GridPen;
}

// The one-pixel outline of the rectangle, its right and bottom edges inside it.
void Outline(CGP_Surface& surface, const platform::Rect& view, const platform::Rect& box)
{
    HorizontalLine(surface, view, box.left, box.right, box.top);
    HorizontalLine(surface, view, box.left, box.right, box.bottom - 1);
    VerticalLine(surface, view, box.left, box.top, box.bottom);
    VerticalLine(surface, view, box.right - 1, box.top, box.bottom);
}

}  // namespace

CGP_PlayField::CGP_PlayField(CGP_PlayHost* owner, std::uint16_t columns, std::uint16_t rows)
    : CGP_Element(nullptr), columns(columns), rows(rows), owner(owner)
{
    GP_PlayFieldBlock* fields = GrowBlock<GP_PlayFieldBlock>(GP_TypePlayField);
    *fields = GP_PlayFieldBlock{};
    fields->size = sizeof(GP_PlayFieldBlock);
    fields->type = GP_TypePlayField;
    for (GP_LayerRecord& layer : fields->layers) layer.pictureID = GP_NoID;
    cells.reserve(static_cast<std::size_t>(columns) * rows);
    for (int i = 0; i < columns * rows; ++i)
        cells.push_back(std::make_unique<CGP_PtrList>(CellFirstSize, CellGrowStep));
}

void CGP_PlayField::Read(CGP_ServerSet* servers)
{
    CGP_Element::Read(servers);
    for (const GP_LayerRecord& layer : Fields()->layers) {
        const bool sound = GP_WithinExtent(layer.wrapWidth) && GP_WithinExtent(layer.wrapHeight) &&
                           GP_WithinExtent(layer.initialX) && GP_WithinExtent(layer.initialY) &&
                           GP_WithinExtent(layer.speed);
        if (!sound) servers->binary->ThrowOutOfBounds(__LINE__, "layer");
    }
}

void CGP_PlayField::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_PlayFieldBlock)); }

GP_CellRange CGP_PlayField::CellsOfBox(float x, float y, float width, float height) const
{
    GP_CellRange range;
    range.firstColumn = std::max(TruncCell(x / CellWidth), 0);
    range.lastColumn = std::min(TruncCell((x + width) / CellWidth), columns - 1);
    range.firstRow = std::max(TruncCell(y / CellHeight), 0);
    range.lastRow = std::min(TruncCell((y + height) / CellHeight), rows - 1);
    return range.IsEmpty() ? GP_CellRange{} : range;
}

GP_CellRange CGP_PlayField::CellsCovered(const CGP_GameObject* object, float x, float y) const
{
    const GP_SpriteState* state = object->CurrentState();
    if (!state) return CellsOfBox(x, y, 0, 0);
    return CellsOfBox(x, y, static_cast<float>(state->FrameWidth()), static_cast<float>(state->FrameHeight()));
}

GP_CellRange CGP_PlayField::EnterGrid(CGP_GameObject* object, float x, float y)
{
    const GP_CellRange range = CellsCovered(object, x, y);
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) Cell(column, row).Append(object);
    return range;
}

void CGP_PlayField::LeaveGrid(CGP_GameObject* object, const GP_CellRange& range)
{
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            CGP_PtrList& cell = Cell(column, row);
            void** first = cell.block;
            void** last = cell.block + cell.count;
            void** found = std::find(first, last, static_cast<void*>(object));
            if (found == last) continue;
            *found = cell.block[cell.count - 1];
            --cell.count;
        }
    }
}

void CGP_PlayField::Append(const GP_CellRange& range, CGP_PagedTable& out, bool once) const
{
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            const CGP_PtrList& cell = Cell(column, row);
            for (std::uint16_t i = 0; i < cell.count; ++i) {
                void* entry = cell.block[i];
                bool listed = false;
                for (std::uint16_t j = 0; once && j < out.GetCount() && !listed; ++j) listed = out.Get(j) == entry;
                if (!listed) out.Append(entry);
            }
        }
    }
}

CGP_PagedTable* CGP_PlayField::GetCandidates(CGP_GameObject* object) const
{
    auto table = std::make_unique<CGP_PagedTable>();
    Append(CellsCovered(object, object->GetAbsX(), object->GetAbsY()), *table, false);
    return table.release();
}

void CGP_PlayField::GetCandidatesNear(CGP_GameObject* object, CGP_PagedTable& out, int radius) const
{
    out.Reset();
    const float centreX = static_cast<float>(TruncCell(object->GetAbsX()) + *object->GetWidth() / 2);
    const float centreY = static_cast<float>(TruncCell(object->GetAbsY()) + *object->GetHeight() / 2);
    const float reach = static_cast<float>(radius);
    Append(CellsOfBox(centreX - reach, centreY - reach, 2 * reach, 2 * reach), out, true);
}

bool CGP_PlayField::Update(float timeStep)
{
    for (int i = 0; i < LayerCount; ++i) {
        GP_Layer& layer = layers[i];
        const GP_LayerRecord& record = Fields()->layers[i];
        if (!layer.surface) continue;
        if (record.vertical)
            layer.y = Wrapped(layer.y + timeStep * record.speed, static_cast<float>(record.wrapHeight));
        else
            layer.x = Wrapped(layer.x + timeStep * record.speed, static_cast<float>(record.wrapWidth));
    }
    return true;
}

// The picture's top-left corner at the layer's offsets, repeated every wrap size (the picture's own size where
// the wrap is not positive) until the screen is covered.
void CGP_PlayField::DrawLayer(CGP_Surface* back, const GP_Layer& layer, const GP_LayerRecord& record)
{
    CGP_Surface& picture = *layer.surface;
    const int stepX = record.wrapWidth > 0 ? record.wrapWidth : picture.width;
    const int stepY = record.wrapHeight > 0 ? record.wrapHeight : picture.height;
    if (stepX <= 0 || stepY <= 0) return;
    const platform::Rect view = ViewOf(*back);
    for (int ty = FirstTile(layer.y, stepY) + view.top; ty < view.bottom; ty += stepY)
        for (int tx = FirstTile(layer.x, stepX) + view.left; tx < view.right; tx += stepX)
            picture.BltFast(back, tx, ty, 0, 0, picture.width, picture.height);
}

void CGP_PlayField::DrawGridOutlines(CGP_Surface* back)
{
    LockedSurface locked(back);
    if (!locked) return;
    const platform::Rect view = ViewOf(*back);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (Cell(column, row).count == 0) continue;
            Outline(*back, view, platform::Rect::At(column * CellWidth, row * CellHeight, CellWidth, CellHeight));
        }
    }
}

void CGP_PlayField::Draw()
{
    CGP_Surface* back = BackBuffer();
    if (!back) return;
    for (int i = 0; i < LayerCount; ++i) {
        if (layers[i].surface) DrawLayer(back, layers[i], Fields()->layers[i]);
    }
    if (showGrid) DrawGridOutlines(back);
}

void CGP_PlayField::BuildShadow(CGP_Surface* surface)
{
    LockedSurface locked(surface);
    if (!locked) return;
    const std::uint16_t half = static_cast<std::uint16_t>(((GP_RMask >> 1) & GP_RMask) | ((GP_GMask >> 1) & GP_GMask) |
                                                          ((GP_BMask >> 1) & GP_BMask));
    auto image = std::make_unique<GP_ShadowImage>();
    image->width = surface->width;
    image->height = surface->height;
    image->pixels.resize(static_cast<std::size_t>(image->width) * image->height);
    for (int y = 0; y < image->height; ++y) {
        const std::uint16_t* from = surface->PixelRow(y);
        std::uint16_t* to = &image->pixels[static_cast<std::size_t>(y) * image->width];
        for (int x = 0; x < image->width; ++x) to[x] = static_cast<std::uint16_t>((from[x] >> 1) & half);
    }
    shadow = std::move(image);
}

void CGP_PlayField::CreateFrames(CGP_ServerSet* servers)
{
    for (int i = 0; i < LayerCount; ++i) {
        const GP_LayerRecord& record = Fields()->layers[i];
        GP_Layer& layer = layers[i];
        if (record.pictureID == GP_NoID) continue;
        layer.colorKey = GP_ColorKeyRecord{record.useColorKey, record.colorKey};
        servers->graphics->pendingColorKey = &layer.colorKey;
        layer.surface = servers->graphics->LoadSurface(record.pictureID, GP_NoID, 0, nullptr);
        servers->graphics->pendingColorKey = nullptr;
        layer.surface->useColorKey = record.useColorKey;
        layer.surface->SetSourceColorKey(record.colorKey);
        layer.x = static_cast<float>(record.initialX);
        layer.y = static_cast<float>(record.initialY);
        hasShadow = record.shadowSource;
        if (record.shadowSource) BuildShadow(layer.surface);
    }
}

void CGP_PlayField::ReloadImages(CGP_ServerSet* servers)
{
    for (int i = 0; i < LayerCount; ++i) {
        GP_Layer& layer = layers[i];
        if (!layer.surface) continue;
        servers->graphics->pendingColorKey = &layer.colorKey;
        layer.surface = servers->graphics->LoadSurface(Fields()->layers[i].pictureID, GP_NoID, 0, nullptr);
        servers->graphics->pendingColorKey = nullptr;
        layer.surface->useColorKey = layer.colorKey.useColorKey;
        layer.surface->SetSourceColorKey(layer.colorKey.colorKey);
    }
}

void CGP_PlayField::DrawShadow(GP_PixelMask* mask, int x, int y, int frame)
{
    if (!shadow || !mask || !mask->frames || mask->frames->Count() == 0) return;
    const GP_SurfaceFrame* cut = mask->frames->Get(frame);
    const CGP_Surface* picture = mask->frames->frames[0].surface;  // the mask covers this picture
    CGP_Surface* back = BackBuffer();
    if (!cut || !picture || !back) return;
    // The frame inside the picture, placed on the screen, then cut to the view and to the shadow image.
    const platform::Rect frameRect{cut->left, cut->top, cut->right, cut->bottom};
    const platform::Rect inPicture = frameRect.Intersected(platform::Rect::OfSize(picture->width, picture->height));
    const int dx = cut->left - x;  // from a screen column to the picture's
    const int dy = cut->top - y;
    const platform::Rect onScreen = inPicture.Offset(-dx, -dy)
                                        .Intersected(ViewOf(*back))
                                        .Intersected(platform::Rect::OfSize(shadow->width, shadow->height));
    if (inPicture.IsEmpty() || onScreen.IsEmpty()) return;
    LockedSurface locked(back);
    if (!locked) return;
    for (int sy = onScreen.top; sy < onScreen.bottom; ++sy) {
        const std::uint8_t* covered = mask->bytes + static_cast<std::size_t>(sy + dy) * picture->width;
        const std::uint16_t* dark = &shadow->pixels[static_cast<std::size_t>(sy) * shadow->width];
        std::uint16_t* row = back->PixelRow(sy);
        for (int sx = onScreen.left; sx < onScreen.right; ++sx) {
            if (covered[sx + dx]) row[sx] = dark[sx];
        }
    }
}
