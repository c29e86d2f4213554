// Damaged records through the engine's readers: sprite definitions, scenes with their play field and objects,
// and forms with their controls, each with one value near 2^31 (or not a number) where a position, a size or
// a count belongs. Every one is a data error at load, so that nothing later sums them into an overflow, draws
// for ever or asks for gigabytes of frames.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GP_Animation.h"
#include "GP_Button.h"
#include "GP_Form.h"
#include "InterfaceHostFixture.h"
#include "InterfacePack.h"
#include "PlayPack.h"

namespace {

constexpr std::int32_t Huge = 0x7FFFFFF0;

using playtest::PlainSprite;

class DamagedPlayRecords : public playtest::PlayPackTest {
protected:
    struct Case {
        const char* name;
        std::function<void(GP_SpriteRecord&)> sprite;
        std::function<void(GP_GameObjectBlock&)> object;
        std::function<void(CGP_PlayField&)> field;
    };

    std::uint32_t AddDamagedSprite(const Case& c)
    {
        GP_SpriteRecord record = PlainSprite(16, 16);
        c.sprite(record);
        return AddSprite(c.name, record);
    }
    std::uint32_t AddDamagedScene(const Case& c, std::uint32_t sprite)
    {
        return AddWritten(Scenes, c.name, [c, sprite](CGP_ServerSet& tool) {
            GP_SceneRecord record;
            GP_GameObjectBlock block{};
            block.size = sizeof block;
            block.type = GP_TypeGameObject;
            block.spriteID = sprite;
            block.x = 100, block.y = 100;
            if (c.object) c.object(block);
            record.objects.push_back(block);
            CGP_PlayField field(nullptr, 10, 10);
            for (GP_LayerRecord& layer : field.Fields()->layers) layer.pictureID = GP_NoID;
            if (c.field) c.field(field);
            record.Write(&tool, field);
        });
    }
};

TEST_F(DamagedPlayRecords, EveryValueOutOfBoundsIsADataErrorAtLoad)
{
    const auto keep = [](GP_SpriteRecord&) {};
    const std::vector<Case> cases = {
        {"frame rectangle", [](GP_SpriteRecord& r) { r.states[0].frameRect.right = Huge; }, nullptr, nullptr},
        {"frame rectangle's left", [](GP_SpriteRecord& r) { r.states[3].frameRect.left = -Huge; }, nullptr, nullptr},
        {"collision rectangle", [](GP_SpriteRecord& r) { r.states[1].collisionRect.bottom = Huge; }, nullptr, nullptr},
        {"frame count", [](GP_SpriteRecord& r) { r.states[0].frameCount = 0x7FFFFFFF; }, nullptr, nullptr},
        {"negative frame count", [](GP_SpriteRecord& r) { r.states[2].frameCount = -5; }, nullptr, nullptr},
        {"object position", keep, [](GP_GameObjectBlock& b) { b.x = 2.1e9f; }, nullptr},
        {"object position not a number", keep, [](GP_GameObjectBlock& b) { b.y = std::nanf(""); }, nullptr},
        {"object size", keep, [](GP_GameObjectBlock& b) { b.width = 0x7FFFFFFF; }, nullptr},
        {"field position", keep, nullptr, [](CGP_PlayField& f) { f.Fields()->y = -3.0e9f; }},
        {"field size", keep, nullptr, [](CGP_PlayField& f) { f.Fields()->height = Huge; }},
        {"layer wrap", keep, nullptr, [](CGP_PlayField& f) { f.Fields()->layers[1].wrapWidth = 0x7FFFFFFF; }},
        {"layer start", keep, nullptr, [](CGP_PlayField& f) { f.Fields()->layers[0].initialY = -Huge; }},
        {"field frame count", keep, nullptr, [](CGP_PlayField& f) { f.Fields()->frameCount = 0xFFFF; }},
    };
    const std::uint32_t sound = AddSprite("sound", PlainSprite(16, 16));
    std::vector<std::uint32_t> ids;
    for (const Case& c : cases) ids.push_back(c.object || c.field ? AddDamagedScene(c, sound) : AddDamagedSprite(c));
    Build();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const resourcetest::Fatal fatal = resourcetest::CatchFatal([&] {
            if (cases[i].object || cases[i].field) {
                CGP_Scene scene(host.get());
                scene.playField = std::make_unique<CGP_PlayField>(host.get(), 10, 10);
                ASSERT_TRUE(servers->binary->OpenRead(ids[i]));
                scene.Load(servers.get(), true, false);
            } else {
                host->sprites->GetDefinition(ids[i], false);
            }
        });
        EXPECT_TRUE(fatal.thrown);
        EXPECT_NE(fatal.text.find(" is damaged: its "), std::string::npos) << fatal.text;
    }
}

class DamagedForms : public interfacepack::InterfacePackTest {
protected:
    std::unique_ptr<CGP_Form> Load(const std::string& name)
    {
        auto form = std::make_unique<CGP_Form>(nullptr, &cursor, &frame);
        servers->binary->OpenRead(ID(Forms, name));
        form->Load(servers.get());
        return form;
    }

    interfacehost::FakeMainFrame frame;
    CGP_MouseCursor cursor{&frame, nullptr, nullptr};
};

TEST_F(DamagedForms, EveryValueOutOfBoundsIsADataErrorAtLoad)
{
    struct Case {
        const char* name;
        std::function<void(CGP_Form&, CGP_Button&, CGP_Animation&)> damage;
    };
    const std::vector<Case> cases = {
        {"form size", [](CGP_Form& f, CGP_Button&, CGP_Animation&) { *f.GetWidth() = Huge; }},
        {"form position", [](CGP_Form& f, CGP_Button&, CGP_Animation&) { f.Block<GP_ObjectBlock>()->x = 1e10f; }},
        {"control position", [](CGP_Form&, CGP_Button& b, CGP_Animation&) { b.Block<GP_ObjectBlock>()->y = -2.2e9f; }},
        {"control size", [](CGP_Form&, CGP_Button& b, CGP_Animation&) { *b.GetHeight() = -Huge; }},
        {"element frame count", [](CGP_Form&, CGP_Button& b, CGP_Animation&) { *b.GetFrameCount() = 0x7FFFFFFF; }},
        {"animation grid",
         [](CGP_Form&, CGP_Button&, CGP_Animation& a) {
             a.Block<GP_AnimationBlock>()->columns = 0xFFFF;
             a.Block<GP_AnimationBlock>()->rows = 0xFFFF;
         }},
        {"animation with negative rows",
         [](CGP_Form&, CGP_Button&, CGP_Animation& a) {
             a.Block<GP_AnimationBlock>()->columns = -1;
             a.Block<GP_AnimationBlock>()->rows = -1;
         }},
    };
    for (const Case& c : cases) {
        AddWritten(Forms, c.name, [&c](CGP_ServerSet& tool) {
            CGP_Form form(nullptr, nullptr, nullptr);
            interfacehost::Place(form, 10, 10, 200, 100);
            auto button = std::make_unique<CGP_Button>(&form, nullptr);
            auto animation = std::make_unique<CGP_Animation>(&form, nullptr);
            c.damage(form, *button, *animation);
            form.AddControl(std::move(button));
            form.AddControl(std::move(animation));
            form.Write(&tool);
        });
    }
    Build();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const resourcetest::Fatal fatal = resourcetest::CatchFatal([&] { Load(c.name); });
        EXPECT_TRUE(fatal.thrown);
        EXPECT_NE(fatal.text.find(" is damaged: its "), std::string::npos) << fatal.text;
    }
}

}  // namespace
