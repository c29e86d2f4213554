// The play field: grid cells of objects near and beyond the edges, leaving the grid, layers scrolling and
// wrapping (odd, zero and negative wraps included), layers tiled on the screen with and without the grid
// outline, the shadow image and shadows clipped to the screen and to the shadow image.
#include <gtest/gtest.h>

#include "PlayPack.h"

using namespace playtest;
using interfacepack::Bmp;
using interfacepack::Rgb;

namespace {

// An object whose current frame has the given size.
struct SizedObject {
    SizedObject(int width, int height) : def(nullptr)
    {
        def.record = PlainSprite(width, height);
        object.def = &def;
    }
    CGP_SpriteDef def;
    CGP_GameObject object{nullptr};
};

std::vector<void*> Entries(const CGP_PtrList& cell) { return std::vector<void*>(cell.block, cell.block + cell.count); }

TEST(PlayFieldGrid, ColumnsFollowTheFrameAndTruncTowardZero)
{
    CGP_PlayField field(nullptr, 10, 10);
    struct Case {
        float x;
        int width;
        int first, last;  // last < first: no cell
    };
    const Case cases[] = {
        {-10, 20, 0, 0},  {600, 100, 9, 9}, {-100, 20, 0, -1}, {-30, 20, 0, 0},
        {640, 20, 0, -1}, {700, 20, 0, -1}, {63, 1, 0, 1},     {1e30f, 20, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        SizedObject sized(c.width, 10);
        const GP_CellRange range = field.CellsCovered(&sized.object, c.x, 5);
        if (c.last < c.first) {
            EXPECT_TRUE(range.IsEmpty());
            continue;
        }
        EXPECT_EQ(range.firstColumn, c.first);
        EXPECT_EQ(range.lastColumn, c.last);
        EXPECT_EQ(range.firstRow, 0);
        EXPECT_EQ(range.lastRow, 0);
    }
}

TEST(PlayFieldGrid, LeavingWhereTheObjectEnteredRestoresEveryCellList)
{
    CGP_PlayField field(nullptr, 10, 10);
    SizedObject a(100, 100), b(30, 30), c(200, 20);
    field.EnterGrid(&a.object, 10, 10);
    field.EnterGrid(&b.object, 60, 40);
    std::vector<std::vector<void*>> before;
    for (const auto& cell : field.cells) before.push_back(Entries(*cell));

    const GP_CellRange entered = field.EnterGrid(&c.object, 20, 30);
    EXPECT_EQ(Entries(field.Cell(3, 1)), std::vector<void*>{&c.object});
    field.LeaveGrid(&c.object, entered);
    for (std::size_t i = 0; i < field.cells.size(); ++i) EXPECT_EQ(Entries(*field.cells[i]), before[i]) << i;

    // An object leaving from the middle of a list gives its place to the last one.
    field.LeaveGrid(&a.object, field.CellsCovered(&a.object, 10, 10));
    EXPECT_EQ(Entries(field.Cell(1, 0)), std::vector<void*>{&b.object});
}

TEST(PlayFieldGrid, CandidatesNearAnObjectAreListedOnceEach)
{
    CGP_PlayField field(nullptr, 10, 10);
    SizedObject big(200, 100), small(10, 10);
    *small.object.x = 100, *small.object.y = 60;
    field.EnterGrid(&big.object, 0, 0);
    field.EnterGrid(&small.object, 100, 60);

    std::unique_ptr<CGP_PagedTable> all(field.GetCandidates(&small.object));
    EXPECT_EQ(all->GetCount(), 2) << "one cell holding both";
    CGP_PagedTable near;
    field.GetCandidatesNear(&small.object, near, 80);
    EXPECT_EQ(near.GetCount(), 2);
}

class PlayFieldTest : public PlayPackTest {
protected:
    CGP_PlayField field{nullptr, 10, 10};
    CGP_Surface& Back() { return *display->backSurface; }
};

TEST_F(PlayFieldTest, LayersScrollAlongTheirAxisAndWrapLikeSteppingByTheirSize)
{
    auto surface = MakeSurface(8, 8);
    struct Case {
        bool vertical;
        int wrap;
        float start, speed, dt;
        float expected;
    };
    const Case cases[] = {
        {false, 640, 630, 1, 20, 10}, {false, 640, 620, 1, 20, 640},     {false, 640, 640, 1, 1, 1},
        {false, 37, 0, 1, 1000, 1},   {false, 37, 0, 1, 74, 37},         {false, 37, 5, -1, 20, 22},
        {false, 37, 0, -1, 74, 0},    {true, 25, 3, 0.5f, 100, 28 - 25}, {false, 0, 5, 1, 20, 25},
        {false, -8, 5, -1, 20, -15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.wrap << " " << c.start << " " << c.speed * c.dt);
        GP_LayerRecord& record = field.Fields()->layers[1];
        record.vertical = c.vertical;
        record.speed = c.speed;
        record.wrapWidth = c.vertical ? 0 : c.wrap;
        record.wrapHeight = c.vertical ? c.wrap : 0;
        GP_Layer& layer = field.layers[1];
        layer = GP_Layer{surface.get(), {}, c.vertical ? 0 : c.start, c.vertical ? c.start : 0};
        EXPECT_TRUE(field.Update(c.dt));
        EXPECT_FLOAT_EQ(c.vertical ? layer.y : layer.x, c.expected);
        EXPECT_FLOAT_EQ(c.vertical ? layer.x : layer.y, 0.0f);
    }
}

TEST_F(PlayFieldTest, LayersAreTiledFromTheirOffsetsAndOccupiedCellsOutlinedOnlyWithShowGrid)
{
    const std::uint16_t red = interfacepack::Pixel({255, 0, 0}), blue = interfacepack::Pixel({0, 0, 255});
    auto picture = MakeSurface(64, 48, blue);
    for (int y = 0; y < 48; ++y) SetPixel(*picture, 0, y, red);
    field.Fields()->layers[0].wrapWidth = 64;
    field.Fields()->layers[0].wrapHeight = 48;
    field.layers[0] = GP_Layer{picture.get(), {}, 10, 0};
    SizedObject sized(10, 10);
    field.EnterGrid(&sized.object, 70, 50);  // cell (1, 1)

    Back().Clear(0);
    field.Draw();
    EXPECT_EQ(PixelAt(Back(), 10, 30), red);
    EXPECT_EQ(PixelAt(Back(), 74, 470), red);
    EXPECT_EQ(PixelAt(Back(), 0, 0), blue);
    EXPECT_EQ(PixelAt(Back(), 639, 479), blue);
    EXPECT_EQ(PixelAt(Back(), 64, 48), blue) << "no outline without showGrid";

    field.showGrid = 1;
    field.Draw();
    for (auto [x, y] : {std::pair{64, 48}, {127, 48}, {64, 95}, {127, 95}, {100, 48}, {64, 70}})
        EXPECT_EQ(PixelAt(Back(), x, y), 0xFFFF) << x << "," << y;
    EXPECT_EQ(PixelAt(Back(), 100, 70), blue);
    EXPECT_EQ(PixelAt(Back(), 128, 48), blue);
    EXPECT_EQ(PixelAt(Back(), 63, 48), blue);
}

TEST_F(PlayFieldTest, TheShadowImageHalvesEachChannelAndShadowsAreClippedToItAndTheScreen)
{
    const Rgb ground{200, 120, 60};
    GP_LayerRecord layer{};
    layer.pictureID = AddPicture("ground.bmp", Bmp(32, 32, [&](int, int) { return ground; }));
    layer.shadowSource = 1;
    layer.initialX = 3;
    GP_SpriteRecord record = PlainSprite(16, 16);
    record.header.makeSpans = 1;
    record.states[0].pictureID =
        AddPicture("ship.bmp", Bmp(16, 16, [](int x, int) {
                       return x < 8 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};  // the right half is transparent
                   }));
    const std::uint32_t id = AddSprite("ship", record);
    Build();
    field.Fields()->layers[2] = layer;
    field.CreateFrames(servers.get());
    ASSERT_NE(field.shadow, nullptr);
    EXPECT_EQ(field.hasShadow, 1);
    EXPECT_FLOAT_EQ(field.layers[2].x, 3.0f);
    const std::uint16_t p = interfacepack::Pixel(ground);
    const std::uint16_t dark = field.shadow->pixels[5 * 32 + 7];
    for (std::uint16_t mask : {GP_RMask, GP_GMask, GP_BMask})
        EXPECT_EQ(dark & mask, ((p & mask) >> 1) & mask) << std::hex << mask;

    CGP_GameObject* ship = Create(id, &field);
    const std::uint16_t grey = 0x1234;
    for (auto [x, y, depth] : {std::tuple{24.0f, 20.0f, 4.0f}, {-4.0f, -6.0f, 0.0f}}) {
        Back().Clear(grey);
        *ship->x = x, *ship->y = y, *ship->depth = depth;
        ship->DrawShadow();
        const int left = static_cast<int>(x + depth), top = static_cast<int>(y + depth);
        for (int sy = std::max(top, 0); sy < top + 16; ++sy) {
            for (int sx = std::max(left, 0); sx < left + 16; ++sx) {
                const bool shaded = sx - left < 8 && sx < 32 && sy < 32;
                ASSERT_EQ(PixelAt(Back(), sx, sy), shaded ? dark : grey) << sx << "," << sy;
            }
        }
    }
}

}  // namespace
