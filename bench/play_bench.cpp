// One frame of play, headless: three scrolling 640 x 480 layers, 100 (and 1000) objects that move, register in
// the grid, look for collisions among their neighbours, cast shadows and are drawn; reported as a share of the
// 16.7 ms a frame has. Beside it the recycle search of the sprite manager through a list of 2000 objects.
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include "GP_Behaviour.h"
#include "GP_Display.h"
#include "GP_Effects.h"
#include "GP_GameObject.h"
#include "GP_ObjectList.h"
#include "GP_PlayField.h"
#include "GP_SpriteDef.h"

namespace {

constexpr float FrameMs = 16.7f;

// Moves by velocity, turns back at the screen's edges and counts the objects it overlaps in the grid cells it
// covers, walking the cells as the game's behaviours do.
class Bouncer : public CGP_Behaviour {
public:
    void Update(CGP_GameObject* object, float timeStep) override
    {
        *object->x += *object->vx * timeStep;
        *object->y += *object->vy * timeStep;
        if (*object->x < 0 || *object->x > 608) *object->vx = -*object->vx;
        if (*object->y < 0 || *object->y > 448) *object->vy = -*object->vy;
        CGP_PlayField& field = *object->playField;
        const GP_CellRange cells = field.CellsCovered(object, object->GetAbsX(), object->GetAbsY());
        const platform::Rect mine = object->GetRect();
        for (int row = cells.firstRow; row <= cells.lastRow; ++row)
            for (int column = cells.firstColumn; column <= cells.lastColumn; ++column)
                CountOverlaps(field.Cell(column, row), object, mine);
    }
    long overlaps = 0;

private:
    void CountOverlaps(const CGP_PtrList& cell, CGP_GameObject* object, const platform::Rect& mine)
    {
        for (std::uint16_t i = 0; i < cell.count; ++i) {
            auto* other = static_cast<CGP_GameObject*>(cell.block[i]);
            if (other != object && !mine.Intersected(other->GetRect()).IsEmpty()) ++overlaps;
        }
    }
};

struct Play {
    explicit Play(int objects)
    {
        display.Init();
        display.SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16);
        GP_PublishDisplayValues(&display);
        MakeLayers();
        MakeSprite();
        for (int i = 0; i < objects; ++i) AddObject(i);
    }

    void MakeLayers()
    {
        for (int i = 0; i < CGP_PlayField::LayerCount; ++i) {
            layers[i].Create(&display, GP_SurfaceSystem, 640, 480);
            layers[i].Lock();
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x)
                    layers[i].PixelRow(y)[x] = (x / 16 + y / 16 + i) % 4 ? static_cast<std::uint16_t>(x + y * i) : 0;
            layers[i].Unlock();
            layers[i].useColorKey = i > 0;
            layers[i].SetSourceColorKey(0);
            GP_LayerRecord& record = field.Fields()->layers[i];
            record.vertical = i != 1;
            record.speed = 0.02f * static_cast<float>(i + 1);
            record.wrapWidth = 640;
            record.wrapHeight = 480;
            field.layers[i].surface = &layers[i];
        }
        field.shadow = std::make_unique<GP_ShadowImage>();
        field.shadow->width = 640, field.shadow->height = 480;
        field.shadow->pixels.assign(640 * 480, 0x1082);
    }

    // A 32 x 32 sprite of four frames with a round opaque part, its coverage mask made.
    void MakeSprite()
    {
        picture.Create(&display, GP_SurfaceSystem, 128, 32);
        picture.Lock();
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 128; ++x)
                picture.PixelRow(y)[x] = (x % 32 - 16) * (x % 32 - 16) + (y - 16) * (y - 16) < 196 ? 0xF800 : 0;
        picture.Unlock();
        picture.useColorKey = 1;
        picture.SetSourceColorKey(0);
        GP_SpriteState& state = def.record.states[0];
        state.frameRect = platform::Rect::OfSize(32, 32);
        state.collisionRect = {4, 4, 28, 28};
        state.frameCount = 4;
        def.record.header.inGrid = 1;
        def.record.header.makeSpans = 1;
        def.frames[0] = std::make_unique<CGP_SurfaceFrames>();
        def.frames[0]->AddGrid(&picture, 0, 0, 32, 32, 4, 1);
        def.masks[0].reset(GP_BuildMask(def.frames[0].get()));
    }

    void AddObject(int i)
    {
        auto* object = new CGP_GameObject(nullptr, &field, nullptr);
        object->def = &def;
        object->behaviour = &bouncer;
        object->update = &CGP_GameObject::UpdateInGrid;
        object->visible = 1;
        object->frameIndex = i % 4;
        *object->x = static_cast<float>((i * 61) % 600);
        *object->y = static_cast<float>((i * 37) % 440);
        *object->vx = 0.05f * static_cast<float>(i % 7 - 3);
        *object->vy = 0.04f * static_cast<float>(i % 5 - 2);
        *object->depth = 6;
        list.Add(object);
    }

    void Frame()
    {
        field.Update(FrameMs);
        list.Update(FrameMs);
        field.Draw();
        list.DrawShadows();
        list.Draw();
    }

    CGP_Display display;
    CGP_Surface layers[CGP_PlayField::LayerCount];
    CGP_Surface picture;
    CGP_PlayField field{nullptr, 10, 10};
    CGP_SpriteDef def{nullptr};
    Bouncer bouncer;
    CGP_ObjectList list{nullptr};
};

void BM_PlayFrameThreeLayers(benchmark::State& state)
{
    static std::map<int, std::unique_ptr<Play>> plays;
    std::unique_ptr<Play>& made = plays[static_cast<int>(state.range(0))];
    if (!made) made = std::make_unique<Play>(static_cast<int>(state.range(0)));
    Play& play = *made;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) play.Frame();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    // The share of a 16.7 ms frame that one play frame takes.
    state.counters["share_of_frame"] = spent.count() / static_cast<double>(state.iterations()) / FrameMs;
    state.counters["overlaps"] = static_cast<double>(play.bouncer.overlaps);
}
BENCHMARK(BM_PlayFrameThreeLayers)->Arg(100)->Arg(1000)->ArgName("objects")->Unit(benchmark::kMicrosecond);

void BM_RecycleSearch2000Objects(benchmark::State& state)
{
    CGP_ObjectList list(nullptr);
    for (std::uint32_t i = 0; i < 2000; ++i) {
        auto* object = new CGP_GameObject(nullptr);
        *object->spriteID = 0x70000 + i % 20;
        object->state = GP_StateGone;
        list.Add(object);
    }
    list.At(1999)->deadFrames = 3;
    *list.At(1999)->spriteID = 0x70100;
    for (auto _ : state) {
        CGP_GameObject* found = list.FindReusable(0x70100);
        found->deadFrames = 3;
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_RecycleSearch2000Objects);

}  // namespace
