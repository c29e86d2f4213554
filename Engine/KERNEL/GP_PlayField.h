// The play field: the element on which a level is played. It draws up to three scrolling background layers,
// keeps a darkened copy of one layer from which the objects' shadows are drawn, and keeps the collision grid of
// 64 x 48-pixel cells in which the game objects that take part in collisions register every frame.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "GP_Effects.h"
#include "GP_GameObject.h"
#include "GP_Object.h"
#include "GP_PagedTable.h"
#include "GP_PtrList.h"

class CGP_PlayHost;

struct GP_LayerRecord {
    std::uint32_t pictureID;  // -1: no layer
    std::uint8_t useColorKey;
    std::uint8_t pad5[3];
    std::uint32_t colorKey;
    std::uint8_t vertical;  // scrolls vertically, else horizontally
    std::uint8_t pad13[3];
    float speed;  // pixels per millisecond
    std::int32_t wrapWidth;
    std::int32_t wrapHeight;
    std::int32_t initialX;
    std::int32_t initialY;
    std::uint8_t shadowSource;  // the shadow image is built from this layer
    std::uint8_t pad37[3];
};
static_assert(sizeof(GP_LayerRecord) == 40);

struct GP_PlayFieldBlock : GP_ElementBlock {
    static constexpr int LayerCount = 3;
    GP_LayerRecord layers[LayerCount];
};
static_assert(sizeof(GP_PlayFieldBlock) == 164);

struct GP_Layer {
    CGP_Surface* surface = nullptr;  // the graphics server's
    GP_ColorKeyRecord colorKey = {};
    float x = 0;
    float y = 0;
};

// Each channel of a layer at half its value.
struct GP_ShadowImage {
    std::vector<std::uint16_t> pixels;
    int width = 0;
    int height = 0;
};

class CGP_PlayField : public CGP_Element {
public:
    static constexpr int CellWidth = 64;
    static constexpr int CellHeight = 48;
    static constexpr int LayerCount = GP_PlayFieldBlock::LayerCount;
    static constexpr std::uint16_t CellFirstSize = 160;
    static constexpr std::uint16_t CellGrowStep = 80;

    CGP_PlayField(CGP_PlayHost* owner, std::uint16_t columns, std::uint16_t rows);
    ~CGP_PlayField() override = default;

    // The element's record, with every layer's wraps, start and speed within the records' bounds.
    void Read(CGP_ServerSet* servers) override;
    void Write(CGP_ServerSet* servers) override;
    // Scrolls the layers; always true.
    bool Update(float timeStep) override;
    // The layers, then the outline of every occupied cell when showGrid is set.
    void Draw() override;
    void CreateFrames(CGP_ServerSet* servers) override;
    void ReloadImages(CGP_ServerSet* servers) override;

    // The cells covered by the object's current frame at (x, y), trunc rounding toward zero.
    GP_CellRange CellsCovered(const CGP_GameObject* object, float x, float y) const;
    // Appends the object to every covered cell (a full cell ignores it) and returns the cells.
    GP_CellRange EnterGrid(CGP_GameObject* object, float x, float y);
    // Removes the object from exactly the cells it entered.
    void LeaveGrid(CGP_GameObject* object, const GP_CellRange& cells);
    // A new table (the caller deletes it) of the objects in the cells the object covers at its absolute
    // position, cell by cell, itself included.
    CGP_PagedTable* GetCandidates(CGP_GameObject* object) const;
    // The objects, each once, in the cells of the square of ±radius around the object's centre.
    void GetCandidatesNear(CGP_GameObject* object, CGP_PagedTable& out, int radius) const;
    // Where the mask's frame is opaque, the screen at (x, y) takes the shadow image's pixel of the same place.
    void DrawShadow(GP_PixelMask* mask, int x, int y, int frame);

    CGP_PtrList& Cell(int column, int row) const { return *cells[static_cast<std::size_t>(row) * columns + column]; }
    GP_PlayFieldBlock* Fields() const { return Block<GP_PlayFieldBlock>(); }

    std::uint8_t showGrid = 0;
    std::vector<std::unique_ptr<CGP_PtrList>> cells;  // row by row
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    CGP_PlayHost* owner = nullptr;
    std::uint8_t hasShadow = 0;
    GP_Layer layers[LayerCount];
    std::unique_ptr<GP_ShadowImage> shadow;

private:
    GP_CellRange CellsOfBox(float x, float y, float width, float height) const;
    void Append(const GP_CellRange& range, CGP_PagedTable& out, bool once) const;
    void DrawLayer(CGP_Surface* back, const GP_Layer& layer, const GP_LayerRecord& record);
    void DrawGridOutlines(CGP_Surface* back);
    void BuildShadow(CGP_Surface* surface);
};
