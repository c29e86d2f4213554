#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "GP_Animation.h"
#include "GP_Button.h"
#include "GP_CheckBox.h"
#include "GP_Form.h"
#include "GP_FormKinds.h"
#include "GP_ImageControl.h"
#include "GP_Label.h"
#include "GP_Slider.h"
#include "GP_TextInput.h"
#include "InterfaceHostFixture.h"
#include "InterfacePack.h"

using namespace interfacehost;
using namespace interfacepack;
using resourcetest::CatchFatal;

namespace {

const GP_ControlKind EveryKind[] = {GP_KindButton,    GP_KindLabel,    GP_KindNumericDisplay,
                                    GP_KindCheckBox,  GP_KindSlider,   GP_KindTextInput,
                                    GP_KindHintLabel, GP_KindKeyLabel, GP_KindAnimation};

// A form of 100 x 80 at (20, 10) with one control of every kind, each 8 x 8 and without a picture.
void WriteEveryKindForm(CGP_ServerSet& tool)
{
    CGP_Form form(nullptr, nullptr, nullptr);
    Place(form, 20, 10, 100, 80);
    *form.GetFormID() = 0xA0009;
    *form.GetFillColor() = 0xF800;
    int i = 0;
    for (GP_ControlKind kind : EveryKind) {
        auto control = GP_CreateControl(kind, &form, nullptr, nullptr);
        Place(*control, static_cast<float>(i * 10), 5, 8, 8);
        *control->GetImageID() = GP_NoImage;
        *control->GetHoverSound() = 0x20000 + i++;
        form.AddControl(std::move(control));
    }
    auto* slider = static_cast<CGP_Slider*>(form.GetControl(4));
    slider->Block<GP_SliderBlock>()->highestPosition = 300;
    auto* label = static_cast<CGP_Label*>(form.GetControl(1));
    label->Block<GP_LabelBlock>()->verticalAlignment = 2;
    form.Write(&tool);
}

void WriteUnknownKindForm(CGP_ServerSet& tool)
{
    CGP_Form form(nullptr, nullptr, nullptr);
    form.Block<GP_FormBlock>()->controlCount = 1;
    tool.binary->WriteData(form.Block<GP_FormBlock>());
    tool.binary->Write(std::uint32_t{77});
    CGP_Button(nullptr, nullptr).Write(&tool);
}

std::string FileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class FormTest : public InterfacePackTest {
protected:
    void SetUp() override
    {
        InterfacePackTest::SetUp();
        AddWritten(Forms, "every kind", WriteEveryKindForm);
        AddWritten(Forms, "unknown kind", WriteUnknownKindForm);
        AddWritten(Forms, "empty", [](CGP_ServerSet& tool) {
            CGP_Form form(nullptr, nullptr, nullptr);
            Place(form, 4, 6, 10, 5);
            *form.GetFillColor() = 0x07E0;
            form.Write(&tool);
        });
        Build();
        GP_Interface() = GP_InterfaceState{};
    }

    std::unique_ptr<CGP_Form> Load(const char* name)
    {
        auto form = std::make_unique<CGP_Form>(nullptr, &cursor, &frame);
        servers->binary->OpenRead(ID(Forms, name));
        form->Load(servers.get());
        return form;
    }

    FakeMainFrame frame;
    FakeActions actions;
    CGP_MouseCursor cursor{&frame, nullptr, nullptr};
};

}  // namespace

TEST_F(FormTest, FormRecordsRoundTripThroughWriterAndLoader)
{
    auto form = Load("every kind");
    ASSERT_EQ(form->ControlCount(), std::size(EveryKind));
    for (std::size_t i = 0; i < form->ControlCount(); ++i) {
        CGP_Control* control = form->GetControl(i);
        EXPECT_EQ(control->Block<GP_ObjectBlock>()->type, EveryKind[i]);
        EXPECT_EQ(*control->GetHoverSound(), 0x20000u + i);
        EXPECT_EQ(control->parent, form.get());
        EXPECT_EQ(control->mouseCursor, &cursor);
    }
    EXPECT_EQ(*form->GetFormID(), 0xA0009u);
    EXPECT_EQ(static_cast<CGP_Slider*>(form->GetControl(4))->Block<GP_SliderBlock>()->highestPosition, 300);
    EXPECT_EQ(static_cast<CGP_Label*>(form->GetControl(1))->Block<GP_LabelBlock>()->verticalAlignment, 2);

    // Written again by the loaded form, the record is the same byte for byte.
    {
        CGP_IOManager toolIO(nullptr, nullptr, &source, nullptr);
        CGP_ServerSet tool(nullptr, &toolIO, nullptr, 1033);
        ASSERT_TRUE(tool.binary->OpenWrite(source.FindID("empty", Forms)));
        form->Write(&tool);
    }
    EXPECT_EQ(FileBytes("RESOURCE/FORMS/empty"), std::string(FileBytes("RESOURCE/FORMS/every kind")));
}

TEST_F(FormTest, AnUnknownTypeCodeShowsTheBoxAndEndsTheLoad)
{
    testing::internal::CaptureStderr();
    const auto fatal = CatchFatal([&] { Load("unknown kind"); });
    const std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(fatal.thrown);
    EXPECT_NE(shown.find("Unknown Info ID"), std::string::npos);
    EXPECT_NE(shown.find("Engine load form error"), std::string::npos);
}

TEST_F(FormTest, AFormWithoutControlsDrawsItsFill)
{
    auto form = Load("empty");
    display->backSurface->Clear(0);
    form->Draw();
    EXPECT_EQ(PixelAt(*display->backSurface, 4, 6), 0x07E0);
    // The whole rectangle, its last column and row included, so no stale pixels stay at the form's edges.
    EXPECT_EQ(PixelAt(*display->backSurface, 13, 10), 0x07E0);
    EXPECT_EQ(PixelAt(*display->backSurface, 14, 10), 0);
    EXPECT_EQ(PixelAt(*display->backSurface, 13, 11), 0);
    EXPECT_EQ(PixelAt(*display->backSurface, 3, 6), 0);
    form->visible = 0;
    display->backSurface->Clear(0);
    form->Draw();
    EXPECT_EQ(PixelAt(*display->backSurface, 4, 6), 0);
}

TEST_F(FormTest, HintEnterAndEscapeAreHandledInTheFrame)
{
    auto form = Load("empty");
    form->Block<GP_FormBlock>()->hintTextID = 0x40007;
    form->Block<GP_FormBlock>()->enterKeyAction = EnterKey;
    form->Block<GP_FormBlock>()->escapeKeyAction = EscapeKey;
    form->Bind(&actions);
    frame.TypedKeys[GP_KeyEnter] = 1;
    frame.TypedKeys[GP_KeyEscape] = 1;
    EXPECT_TRUE(form->Update(16));
    EXPECT_EQ(GP_Interface().HintTextId, 0x40007u);
    EXPECT_EQ(GP_Interface().HintChanged, 1);
    EXPECT_EQ(actions.log, "EX");
    EXPECT_EQ(frame.TypedKeys[GP_KeyEnter], 0);
    EXPECT_EQ(frame.TypedKeys[GP_KeyEscape], 0);
    // A hint already shown stays.
    GP_Interface().HintTextId = 0x40001;
    form->Update(16);
    EXPECT_EQ(GP_Interface().HintTextId, 0x40001u);
}

TEST_F(FormTest, AHandlerThatReplacesTheFormStopsItsUpdate)
{
    auto form = std::make_unique<CGP_Form>(nullptr, &cursor, &frame);
    int later = 0;
    struct CountingControl : CGP_Control {
        CountingControl(CGP_Object* parent, CGP_MouseCursor* cursor, int& count)
            : CGP_Control(parent, cursor), count(count)
        {
        }
        bool Update(float) override { return ++count, true; }
        int& count;
    };
    auto first = std::make_unique<CGP_Control>(form.get(), &cursor);
    Place(*first, 0, 0, 10, 10);
    *first->GetEnterAction() = Stop;
    form->AddControl(std::move(first));
    form->AddControl(std::make_unique<CountingControl>(form.get(), &cursor, later));
    form->Bind(&actions);
    actions.onStop = [&] { form.reset(); };
    Point(cursor, 5, 5, false);
    CGP_Form* running = form.get();
    EXPECT_FALSE(running->Update(16));
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(later, 0);
}

TEST_F(FormTest, TheNewGameFormTellsWhetherTheEditedSlotHoldsAName)
{
    CGP_Form form(nullptr, &cursor, &frame);
    *form.GetFormID() = GP_NewGameFormID;
    auto entry = std::make_unique<CGP_TextInput>(&form, &cursor, nullptr);
    CGP_TextInput* edited = entry.get();
    form.AddControl(std::move(entry));
    edited->editing = 1;
    std::strcpy(edited->editBuffer, "|");
    form.Update(16);
    EXPECT_EQ(GP_Interface().SlotInUse, 0);
    std::strcpy(edited->editBuffer, "ann|");
    form.Update(16);
    EXPECT_EQ(GP_Interface().SlotInUse, 1);
}

// A damaged or mis-authored form: a control whose block names the text-entry kind but which is not one is not
// read as one (its own memory after the control would be taken for an edited text).
TEST_F(FormTest, TheNewGameFormReadsOnlyRealTextEntries)
{
    struct Impostor : CGP_Control {
        using CGP_Control::CGP_Control;
        char beyond[4096];
    };
    CGP_Form form(nullptr, &cursor, &frame);
    *form.GetFormID() = GP_NewGameFormID;
    auto impostor = std::make_unique<Impostor>(&form, &cursor);
    std::memset(impostor->beyond, 'x', sizeof impostor->beyond - 1);
    impostor->beyond[sizeof impostor->beyond - 1] = 0;
    impostor->Block<GP_ObjectBlock>()->type = GP_KindTextInput;
    form.AddControl(std::move(impostor));
    form.Update(16);
    EXPECT_EQ(GP_Interface().SlotInUse, 0);
}

TEST_F(FormTest, AControlBeyondTheLimitIsRefusedAndDeleted)
{
    CGP_Form form(nullptr, &cursor, &frame);
    for (std::size_t i = 0; i < CGP_Form::MaxControls; ++i)
        ASSERT_TRUE(form.AddControl(std::make_unique<CGP_Control>(&form, &cursor)));
    int deleted = 0;
    struct Watched : CGP_Control {
        Watched(CGP_Object* parent, int& deleted) : CGP_Control(parent, nullptr), deleted(deleted) {}
        ~Watched() override { ++deleted; }
        int& deleted;
    };
    EXPECT_FALSE(form.AddControl(std::make_unique<Watched>(&form, deleted)));
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(form.ControlCount(), CGP_Form::MaxControls);
}
