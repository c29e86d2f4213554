// The forms of the built interface pack, read through the engine's form loader: every form the menus show is
// there, and the elements the menu handlers address by position are of the kind, and name the variable and
// action, that the handlers expect.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "DistDir.h"
#include "FormTextsFit.h"
#include "GP_BinaryServer.h"
#include "GP_CheckBox.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_Font.h"
#include "GP_FontCache.h"
#include "GP_Form.h"
#include "GP_FormKinds.h"
#include "GP_IOManager.h"
#include "GP_ImageControl.h"
#include "GP_Label.h"
#include "GP_NameServer.h"
#include "GP_PackTrailer.h"
#include "GP_ServerSet.h"
#include "GP_Slider.h"
#include "GP_TextInput.h"
#include "GP_TextServer.h"

namespace {

constexpr std::uint32_t kEnglish = 1033;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

constexpr std::uint32_t Action(std::uint32_t index) { return 0x10000 + index; }
constexpr std::uint32_t Variable(std::uint32_t index) { return 0x170000 + index; }

class InterfaceForms : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = std::make_unique<CGP_Display>();  // pictures load into surfaces of a headless display
        ASSERT_EQ(display->Init(), GP_DisplayOk);
        ASSERT_EQ(display->SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16), GP_DisplayOk);
        GP_PublishDisplayValues(display.get());
        const std::string path = testsupport::DistDir() + "/RESOURCE/InterfaceR.idf";
        pack.reset(std::fopen(path.c_str(), "rb"));
        ASSERT_TRUE(pack) << path;
        ASSERT_TRUE(GP_SeekPackNameTable(pack.get()));
        names.Load(pack.get(), true);
        io = std::make_unique<CGP_IOManager>(nullptr, pack.get(), &names, nullptr);  // the interface pack is the second
        servers = std::make_unique<CGP_ServerSet>(nullptr, io.get(), nullptr, kEnglish);
    }

    std::unique_ptr<CGP_Form> Load(std::uint32_t formID)
    {
        auto form = std::make_unique<CGP_Form>(nullptr, nullptr, nullptr);
        try {
            servers->binary->OpenRead(formID);
            form->Load(servers.get());
        } catch (const CGP_FatalExeption& error) {
            ADD_FAILURE() << std::hex << "form " << formID << ": " << (error.text ? error.text : "") << " at "
                          << std::dec << error.line;
        }
        return form;
    }

    void TearDown() override
    {
        servers.reset();
        display.reset();
        GP_DisplayPtr = nullptr;
    }

    std::unique_ptr<CGP_Display> display;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pack{nullptr, std::fclose};
    CGP_NameServer names;
    std::unique_ptr<CGP_IOManager> io;
    std::unique_ptr<CGP_ServerSet> servers;
};

std::uint32_t KindOf(const CGP_Control* control) { return control->Block<GP_ObjectBlock>()->type; }

// A run of elements the handlers address: `count` elements from `first` (negative: from the end) of one kind;
// with `step` set, element i names variable `var` + i (or action `click` for every one of them).
struct Span {
    int first;
    int count;
    std::uint32_t kind;
    std::uint32_t var = kNone;  // the first element's value variable
    std::uint32_t click = kNone;
};

std::uint32_t ValueVariableOf(CGP_Control* control)
{
    switch (KindOf(control)) {
    case GP_KindCheckBox: return control->Block<GP_CheckBoxBlock>()->valueVariable;
    case GP_KindSlider: return control->Block<GP_SliderBlock>()->valueVariable;
    case GP_KindTextInput: return control->Block<GP_TextInputBlock>()->targetVariable;
    case GP_KindNumericDisplay: return control->Block<GP_ImageControlBlock>()->valueVariable;
    case GP_KindKeyLabel: return control->Block<GP_KeyLabelBlock>()->keyVariable;
    default: return kNone;
    }
}

struct FormCase {
    std::uint32_t id;
    std::size_t minimumCount;
    std::uint32_t enter, leave, enterKey, escapeKey;
    std::vector<Span> runs;
};

TEST_F(InterfaceForms, EveryMenuFormLoadsWithTheElementsItsHandlersAddress)
{
    const std::uint32_t label = GP_KindLabel, check = GP_KindCheckBox, entry = GP_KindTextInput;
    const FormCase cases[] = {
        {0xA0000, 6, kNone, kNone, kNone, Action(0), {}},
        {0xA0001, 2, kNone, kNone, Action(6), Action(7), {}},
        {0xA0002, 10, Action(22), Action(23), kNone, Action(21), {}},
        {0xA0003,
         40,
         Action(36),
         kNone,
         kNone,
         Action(64),
         {{0, 10, label, kNone, Action(33)},
          {10, 4, check, Variable(64), Action(47)},
          {14, 4, label},
          {18, 10, entry, Variable(13), Action(34)},
          {28, 10, label},
          {-2, 2, label}}},
        {0xA0004, 1, Action(62), kNone, Action(63), Action(63), {{0, 1, label}}},
        {0xA0005, 0, kNone, kNone, kNone, kNone, {}},
        {0xA0006, 3, Action(54), kNone, kNone, Action(60), {}},
        {0xA0007, 3, Action(55), kNone, kNone, Action(60), {}},
        {0xA0008, 3, Action(56), kNone, kNone, Action(60), {}},
        {0xA0009, 41, Action(67), kNone, kNone, Action(66), {{0, 41, label}}},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "form " << c.id);
        const auto form = Load(c.id);
        EXPECT_EQ(*form->GetFormID(), c.id);
        EXPECT_GE(form->ControlCount(), c.minimumCount);
        const auto* block = form->Block<GP_FormBlock>();
        EXPECT_EQ(block->enterAction, c.enter);
        EXPECT_EQ(block->leaveAction, c.leave);
        EXPECT_EQ(block->enterKeyAction, c.enterKey);
        EXPECT_EQ(block->escapeKeyAction, c.escapeKey);
        for (const Span& run : c.runs) {
            const int first = run.first < 0 ? static_cast<int>(form->ControlCount()) + run.first : run.first;
            for (int i = 0; i < run.count; ++i) {
                CGP_Control* control = form->GetControl(static_cast<std::size_t>(first + i));
                ASSERT_NE(control, nullptr) << "element " << first + i;
                EXPECT_EQ(KindOf(control), run.kind) << "element " << first + i;
                if (run.var != kNone) {
                    EXPECT_EQ(ValueVariableOf(control), run.var + i) << "element " << first + i;
                }
                if (run.click != kNone) {
                    EXPECT_EQ(*control->GetClickAction(), run.click) << "element " << first + i;
                }
            }
        }
    }
}

// Controls found by what they do, wherever they stand: the options form's switches, volumes and keys, the
// player form's buttons and arrows, the top list's and the help pages' buttons.
TEST_F(InterfaceForms, TheControlsOfEachFormNameTheVariablesAndActionsOfTheirRoles)
{
    struct Role {
        std::uint32_t form;
        std::uint32_t kind;
        std::uint32_t click;
        std::uint32_t var;     // value variable, kNone for none
        std::uint32_t enable;  // enabling variable
    };
    const std::uint32_t label = GP_KindLabel, check = GP_KindCheckBox, button = GP_KindButton;
    const Role roles[] = {
        {0xA0001, label, Action(6), kNone, kNone},
        {0xA0001, label, Action(7), kNone, kNone},
        {0xA0002, check, Action(11), Variable(1), kNone},
        {0xA0002, check, Action(24), Variable(6), Variable(10)},
        {0xA0002, check, Action(25), Variable(7), Variable(11)},
        {0xA0002, check, Action(11), Variable(112), Variable(113)},
        {0xA0002, GP_KindSlider, kNone, Variable(3), Variable(10)},
        {0xA0002, GP_KindSlider, kNone, Variable(4), Variable(11)},
        {0xA0002, button, Action(26), kNone, Variable(10)},
        {0xA0002, button, Action(27), kNone, Variable(10)},
        {0xA0002, button, Action(28), kNone, Variable(11)},
        {0xA0002, button, Action(29), kNone, Variable(11)},
        {0xA0002, GP_KindKeyLabel, Action(39), Variable(35), kNone},
        {0xA0002, GP_KindKeyLabel, Action(39), Variable(36), kNone},
        {0xA0002, GP_KindKeyLabel, Action(39), Variable(37), kNone},
        {0xA0002, GP_KindKeyLabel, Action(39), Variable(38), kNone},
        {0xA0002, label, Action(41), kNone, kNone},
        {0xA0002, label, Action(21), kNone, kNone},
        {0xA0003, label, Action(32), kNone, Variable(33)},
        {0xA0003, label, Action(35), kNone, Variable(34)},
        {0xA0003, label, Action(64), kNone, kNone},
        {0xA0003, button, Action(48), kNone, Variable(68)},
        {0xA0003, button, Action(49), kNone, Variable(69)},
        {0xA0003, GP_KindNumericDisplay, kNone, Variable(23), kNone},
        {0xA0003, GP_KindNumericDisplay, kNone, Variable(79), kNone},
        {0xA0003, check, kNone, Variable(54), kNone},
        {0xA0004, label, Action(63), kNone, kNone},
        {0xA0006, label, Action(58), kNone, kNone},
        {0xA0007, label, Action(59), kNone, kNone},
        {0xA0008, label, Action(60), kNone, kNone},
        {0xA0009, button, Action(68), kNone, Variable(110)},
        {0xA0009, button, Action(69), kNone, Variable(111)},
        {0xA0009, label, Action(66), kNone, kNone},
    };
    for (const Role& role : roles) {
        const auto form = Load(role.form);
        int found = 0;
        for (std::size_t i = 0; i < form->ControlCount(); ++i) {
            CGP_Control* control = form->GetControl(i);
            found += KindOf(control) == role.kind && *control->GetClickAction() == role.click &&
                     ValueVariableOf(control) == role.var && *control->GetEnableVariableID() == role.enable;
        }
        EXPECT_EQ(found, 1) << std::hex << "form " << role.form << " kind " << std::dec << role.kind << " click "
                            << std::hex << role.click << " var " << role.var;
    }
}

// What every control of every form names exists: actions the game binds, variables of the game's table, texts
// with an English text, pictures and sounds with data, fonts of the pack.
TEST_F(InterfaceForms, EveryIdAControlNamesIsAResourceOfThePack)
{
    const auto hasData = [&](std::uint32_t id) {
        return names.GetEntry(id & 0xFFFF, id >> 16)->locator != GP_NoLocator;
    };
    const auto boundAction = [](std::uint32_t id) {
        const std::uint32_t index = id - 0x10000;
        return id == kNone || id == 0 ||
               (id >> 16 == 1 && index < 77 && index != 40 && index != 53 && index != 71 &&
                !(index >= 73 && index <= 75));
    };
    for (std::uint32_t id = 0xA0000; id <= 0xA0009; ++id) {
        const auto form = Load(id);
        std::vector<CGP_Control*> controls{form.get()};
        for (std::size_t i = 0; i < form->ControlCount(); ++i) controls.push_back(form->GetControl(i));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            SCOPED_TRACE(testing::Message() << std::hex << "form " << id << std::dec << " element " << int(i) - 1);
            CGP_Control* c = controls[i];
            for (std::uint32_t* action :
                 {c->GetEnterAction(), c->GetLeaveAction(), c->GetPressAction(), c->GetClickAction()})
                EXPECT_TRUE(boundAction(*action)) << std::hex << *action;
            const auto* block = c->Block<GP_ControlBlock>();
            for (std::uint32_t sound : {block->pressSound, block->releaseSound, block->hoverSound, block->clickSound})
                if (sound != kNone) {
                    EXPECT_TRUE(sound >> 16 == 4 && hasData(sound)) << std::hex << sound;
                }
            if (block->imageID != kNone && block->imageID != 0xFFFFFFFE) {
                EXPECT_TRUE(block->imageID >> 16 == 15 && hasData(block->imageID)) << std::hex << block->imageID;
            }
            for (std::uint32_t var : {block->enableVariableID, ValueVariableOf(c)})
                if (var != kNone) {
                    EXPECT_TRUE(var >> 16 == 23 && (var & 0xFFFF) < 116) << std::hex << var;
                }
            if (block->hintTextID != kNone) {
                EXPECT_STRNE(servers->text->GetText(block->hintTextID), "");
            }
            const std::uint32_t kind = KindOf(c);
            if (kind == GP_KindLabel || kind == GP_KindHintLabel || kind == GP_KindKeyLabel) {
                const auto* label = c->Block<GP_LabelBlock>();
                EXPECT_EQ(label->fontID >> 16, 22u);
                EXPECT_TRUE(hasData(label->fontID));
                if (label->textID != kNone) {
                    EXPECT_STRNE(servers->text->GetText(label->textID), "");
                }
            }
        }
    }
}

// In every language a text is shown in one line that fits its label, and the hint label of a form has room for
// every hint of that form; the fonts' lines fit the labels' heights.
TEST_F(InterfaceForms, EveryTextFitsItsLabelInEveryLanguage)
{
    std::vector<std::uint32_t> forms;
    for (std::uint32_t id = 0xA0000; id <= 0xA0009; ++id) forms.push_back(id);
    formtexts::ExpectTextsFitTheirLabels(*servers, names, forms, [this](std::uint32_t id) { return Load(id); });
}

// The main menu's buttons take their captions from labels; the other forms' buttons are arrows and signs.
TEST_F(InterfaceForms, TheMainMenusCaptionsAreLabelsOverItsButtons)
{
    formtexts::ExpectEveryButtonCaptioned({0xA0000}, [this](std::uint32_t id) { return Load(id); });
}

}  // namespace
