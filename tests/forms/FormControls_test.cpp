// The form controls: position methods, scaling and unescaping; finding controls; every control kind made, drawn
// and made again with its run-time values kept; the layout rules; embedded forms that embed themselves; pictures
// that change.
#include <gtest/gtest.h>

#include "FormsFixture.h"
#include "forms/ButtonControls.h"
#include "forms/Form.h"
#include "forms/FormManager.h"
#include "forms/InputControls.h"
#include "forms/TextControls.h"
#include "ui/AnimationWindow.h"
#include "ui/Button.h"
#include "ui/CheckButton.h"
#include "ui/ComboBox.h"
#include "ui/EditBox.h"
#include "ui/ListModel.h"
#include "ui/ProgressBar.h"
#include "ui/StaticText.h"

namespace forms_test {
namespace {

TEST(PositionMethods, MoveThePositionFromTheNamedPointToTheTopLeftCorner)
{
    CJWindow window(nullptr, "w");
    window.SetRect(platform::Rect::OfSize(101, 41));
    const struct {
        int method;
        int x, y;
    } rows[] = {{kPositionTopLeft, 200, 100},
                {kPositionCenter, 150, 80},
                {kPositionTopRight, 99, 100},
                {kPositionTopCenter, 150, 100},
                {7, 200, 100},
                {-1, 200, 100}};
    for (const auto& row : rows) {
        int x = 200;
        int y = 100;
        CFormControl::ApplyPositionMethod(&window, row.method, x, y);
        EXPECT_EQ(x, row.x) << row.method;
        EXPECT_EQ(y, row.y) << row.method;
    }
    EXPECT_EQ(PositionMethodList().Count(), 4);
    EXPECT_EQ(PositionMethodList().Find("position top center"), kPositionTopCenter);
}

TEST(LayoutScale, TruncatesTowardZero)
{
    const struct {
        float scale;
        int value, scaled;
    } rows[] = {{0.75f, 101, 75}, {0.75f, -3, -2}, {0.75f, 0, 0}, {1.0f, 37, 37}, {1.25f, 1024, 1280}, {0.5f, -1, 0}};
    for (const auto& row : rows) {
        int value = row.value;
        CFormControl::ScaleByFactor(row.scale, value);
        EXPECT_EQ(value, row.scaled) << row.value << " x " << row.scale;
    }
}

TEST(Unescaping, TurnsTheFiveEscapesIntoTheirCharacters)
{
    const struct {
        const char* text;
        const char* expected;
    } rows[] = {{"a\\nb", "a\nb"},    {"a\\tb", "a\tb"},          {"a\\rb", "a\rb"},
                {"a\\bb", "a\bb"},    {"a\\fb", "a\fb"},          {"\\n\\t\\r\\b\\f", "\n\t\r\b\f"},
                {"\\x \\", "\\x \\"}, {"no escape", "no escape"}, {"\\\\n", "\\\n"}};
    for (const auto& row : rows) {
        CString text(row.text);
        CFormControl::UnescapeText(text);
        EXPECT_STREQ(text.GetText(), row.expected) << row.text;
    }
}

class ControlsTest : public FormsTest {
protected:
    // A manager on the screen that shows the form's first page.
    FormManager& Show(const std::string& formText, float scale = 1.0f)
    {
        WriteFile("Resources/Shown.guiform.txt", formText);
        manager = new FormManager(&Screen(), 320, 240, scale);
        Screen().AddChild(manager, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        EXPECT_TRUE(manager->LoadForm(CString("Shown"), CString()));
        return *manager;
    }
    template <typename Control>
    Control* Find(const char* name)
    {
        return manager->FindControlOfClass<Control>(CString(name));
    }
    template <typename Window>
    Window* WindowOf(const char* name)
    {
        CFormControl* control = manager->FindControl(CString(name));
        return control ? dynamic_cast<Window*>(control->GetWindow()) : nullptr;
    }
    // Closes the page, lets the tree delete its windows and shows it again.
    void ShowAgain()
    {
        manager->CloseAllPages();
        Screen().Update(0.016f);
        manager->SwitchPage(CString());
    }
    Color PixelAt(int x, int y)
    {
        Color color;
        output.GetPixelColor(x, y, color);
        return color;
    }

    FormManager* manager = nullptr;
};

TEST_F(ControlsTest, FindControlIsWithoutCaseTheControlItselfFirstThenDepthFirst)
{
    Show(FormText({Page(
        "Main", "",
        {Child("CFormFrameControl", "Control Name=Panel\r\nChild Controls=Array\r\n{\r\n" +
                                        Child("CFormStaticControl", "Control Name=Twin\r\nText=inner\r\n") + "}\r\n"),
         Child("CFormStaticControl", "Control Name=twin\r\nText=outer\r\n"),
         Child("CFormStaticControl", "Control Name=main\r\nText=named like its page\r\n")})}));
    CFormControl* page = manager->GetCurrentPage();
    EXPECT_EQ(page->FindControl("MAIN"), page);
    auto* twin = ControlAs<CFormStaticControl>(page->FindControl("TWIN"));
    ASSERT_NE(twin, nullptr);
    EXPECT_STREQ(twin->GetDisplayedText().GetText(), "inner");
    EXPECT_EQ(page->FindControl(""), nullptr);
    EXPECT_EQ(page->FindControl("nobody"), nullptr);
    EXPECT_EQ(manager->FindControl(CString()), nullptr);
}

const std::string kEveryKind = FormText({Page(
    "Every", "Text=Every control\r\nWidth=300\r\nHeight=220\r\n",
    {Child("CFormPictureControl", "Control Name=Picture\r\nImage File Name=Red\r\nControl Position=10,30\r\n"),
     Child("CFormPictureSequenceControl", "Control Name=Animation\r\nSequence File Name=Spin\r\n"),
     Child("CFormEmbeddedForm", "Control Name=Embedded\r\nEmbedded Form File Name=Part\r\n"),
     Child("CFormStaticControl",
           "Control Name=Label\r\nText=Label <%X%>\r\nWrap Width=200\r\nControl Position=60,30\r\n"),
     Child("CFormButtonControl", "Control Name=Button\r\nButton Text=Press\r\nControl Position=10,70\r\n" +
                                     RecordAction("Action", "pressed <%X%>")),
     Child("CFormImageButtonControl", "Control Name=Image\r\nDefault Image Name=Blue\r\nControl Position=120,70\r\n"),
     Child("CFormEditControl",
           "Control Name=Edit\r\nDefault Text=typed\r\nControl Width=80\r\nControl Position=10,110\r\n"),
     Child("CFormCheckBoxControl",
           "Control Name=Check\r\nDefault Label=On\r\nUnChecked Label=Off\r\n"
           "Control Position=10,140\r\n"),
     Child("CFormChoiceBoxControl",
           "Control Name=Choice\r\nControl Position=120,140\r\nDefault Selection=1\r\n"
           "Choice List=Array\r\n{\r\nArray Count=3\r\n" +
               Block("Array Item", "CFormChoiceBoxSelection", "Selection=one\r\n") +
               Block("Array Item", "CFormChoiceBoxSelection", "Selection=two\r\n") +
               Block("Array Item", "CFormChoiceBoxSelection", "Selection=three\r\n") + "}\r\n"),
     Child("CFormProgressBarControl", "Control Name=Bar\r\nWidth=100\r\nHeight=12\r\nControl Position=10,180\r\n")})});

TEST_F(ControlsTest, EveryKindMakesItsWindowDrawsAndKeepsItsValuesWhenMadeAgain)
{
    WritePicture("Red", 40, 20, 255, 0, 0);
    WritePicture("Blue", 30, 30, 0, 0, 255);
    WriteFile("Resources/Part.guiform.txt",
              FormText({Page("PartPage", "Width=50\r\nHeight=20\r\nControl Position=200,10\r\n")}));
    WriteFile("Resources/Shown.guiform.txt", kEveryKind);
    manager = new FormManager(&Screen(), 320, 240, 1.0f);
    Screen().AddChild(manager, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    manager->AddSubstitution(CString("<%X%>"), CString("1"));
    ASSERT_TRUE(manager->LoadForm(CString("Shown"), CString()));

    EXPECT_NE(WindowOf<CJFrameWindow>("Every"), nullptr);
    EXPECT_NE(WindowOf<CJPictureWindow>("Picture"), nullptr);
    EXPECT_NE(WindowOf<CJAnimationWindow>("Animation"), nullptr);
    CForm* part = GetFormFileCollection().GetOrLoad(GetFormFileCollection().FindIndex("Part"));
    ASSERT_NE(part, nullptr);
    ASSERT_NE(dynamic_cast<CJFrameWindow*>(part->GetPage(0)->GetWindow()), nullptr);
    EXPECT_EQ(part->GetPage(0)->GetWindow()->GetParent(), WindowOf<CJFrameWindow>("Every"))
        << "the embedded form's page joins this page";
    EXPECT_NE(WindowOf<CJStaticText>("Label"), nullptr);
    EXPECT_NE(WindowOf<CJButton>("Button"), nullptr);
    EXPECT_NE(WindowOf<CJImageButton>("Image"), nullptr);
    EXPECT_NE(WindowOf<CJEditBox>("Edit"), nullptr);
    EXPECT_NE(WindowOf<CJCheckButton>("Check"), nullptr);
    EXPECT_NE(WindowOf<CJComboBox>("Choice"), nullptr);
    EXPECT_NE(WindowOf<CJProgressBar>("Bar"), nullptr);
    EXPECT_STREQ(WindowOf<CJStaticText>("Label")->GetTextChars(), "Label 1");
    EXPECT_EQ(WindowOf<CJComboBox>("Choice")->GetChosenItem(), 1);
    EXPECT_EQ(WindowOf<CJCheckButton>("Check")->GetChecked(), 1);
    Screen().DrawToBackBuffer();
    const platform::Rect picture = WindowOf<CJPictureWindow>("Picture")->GetScreenRect();
    EXPECT_GT(PixelAt(picture.left + 5, picture.top + 5).R, 200);
    const platform::Rect image = WindowOf<CJImageButton>("Image")->GetScreenRect();
    EXPECT_GT(PixelAt(image.left + image.Width() / 2, image.top + image.Height() / 2).B, 200);

    // Run-time values set on the controls and typed into the windows.
    WindowOf<CJEditBox>("Edit")->SetText("my name");
    WindowOf<CJComboBox>("Choice")->SelectItem(2, false);
    Find<CFormCheckBoxControl>("Check")->SetState(false);
    Find<CFormStaticControl>("Label")->SetText(CString("status"));
    Find<CFormProgressBarControl>("Bar")->Tick();
    Find<CFormProgressBarControl>("Bar")->Tick();
    CTestRecordAction other;
    other.m_record = "other";
    Find<CFormButtonControl>("Button")->SetAction(&other);
    EXPECT_EQ(Find<CFormButtonControl>("Button")->GetCurrentAction(), &other);
    EXPECT_STREQ(WindowOf<CJCheckButton>("Check")->GetTextChars(), "Off");

    ShowAgain();
    EXPECT_STREQ(WindowOf<CJEditBox>("Edit")->GetTextChars(), "my name");
    EXPECT_STREQ(Find<CFormEditControl>("Edit")->GetText().GetText(), "my name");
    EXPECT_EQ(WindowOf<CJComboBox>("Choice")->GetChosenItem(), 2);
    EXPECT_EQ(Find<CFormChoiceBoxControl>("Choice")->GetSelection(), 2);
    EXPECT_STREQ(WindowOf<CJComboBox>("Choice")->GetListPart()->GetModel()->ItemText(2).GetText(), "three");
    EXPECT_EQ(WindowOf<CJCheckButton>("Check")->GetChecked(), 0);
    EXPECT_STREQ(WindowOf<CJStaticText>("Label")->GetTextChars(), "status");
    EXPECT_EQ(WindowOf<CJProgressBar>("Bar")->GetValueInt(), 2);
    EXPECT_NE(Find<CFormButtonControl>("Button")->GetCurrentAction(), &other) << "the form file's action is back";
    Screen().DrawToBackBuffer();

    // The button runs its action, with the variable replaced in it.
    const platform::Rect button = WindowOf<CJButton>("Button")->GetScreenRect();
    ActionLog().clear();
    MouseState::Get().StorePosition(button.left + 3, button.top + 3);
    MouseState::Get().PressButton(0);
    Screen().Update(0.016f);
    MouseState::Get().ReleaseButton(0);
    Screen().Update(0.016f);
    EXPECT_EQ(JoinedLog(), "pressed 1");
    // A click on the check box reads its state back.
    const platform::Rect check = WindowOf<CJCheckButton>("Check")->GetScreenRect();
    MouseState::Get().StorePosition(check.left + 3, check.top + 3);
    MouseState::Get().PressButton(0);
    Screen().Update(0.016f);
    MouseState::Get().ReleaseButton(0);
    Screen().Update(0.016f);
    EXPECT_TRUE(Find<CFormCheckBoxControl>("Check")->GetState());
    EXPECT_STREQ(WindowOf<CJCheckButton>("Check")->GetTextChars(), "On");
}

TEST_F(ControlsTest, ControlsFollowTheLayoutRules)
{
    WritePicture("!None", 8, 8, 0, 255, 0);
    WritePicture("Wide", 40, 20, 255, 0, 0);
    Show(FormText(
        {Page("Full", "Full Screen=1\r\nPosition Method=Position Center\r\nControl Position=50,50\r\n",
              {Child("CFormStaticControl",
                     "Control Name=Long\r\nWrap Width=60\r\n"
                     "Text=A text far wider than its wrap width of sixty pixels\r\n"),
               Child("CFormStaticControl", "Control Name=Short\r\nText=Hi\r\nWrap Width=200\r\n"),
               Child("CFormStaticControl", "Control Name=Lines\r\nText=two\\nlines\r\nWrap Width=200\r\n"),
               Child("CFormCheckBoxControl", "Control Name=Same\r\nDefault Label=Sound\r\nDefault State=0\r\n"),
               Child("CFormButtonControl", "Control Name=Narrow\r\nButton Text=A long button text\r\nWidth=10\r\n"),
               Child("CFormButtonControl", "Control Name=Widened\r\nButton Text=Ok\r\nWidth=150\r\n"),
               Child("CFormPictureControl", "Control Name=Unknown\r\nImage File Name=Nowhere\r\n"),
               Child("CFormPictureControl",
                     "Control Name=Half\r\nImage File Name=Wide\r\nScaled Width=20\r\n"
                     "Position Method=Position Top Right\r\nControl Position=100,0\r\n")})}));
    CJWindow* page = manager->GetCurrentPage()->GetWindow();
    EXPECT_EQ(page->GetRect().left, 0) << "a full-screen page takes no position method";
    EXPECT_EQ(page->GetRect().top, 0);
    EXPECT_EQ(page->GetWidth(), 320);
    EXPECT_EQ(page->GetHeight(), 240);

    auto* wrapped = WindowOf<CJStaticText>("Long");
    EXPECT_EQ(wrapped->GetWidth(), 60);
    EXPECT_NE(CString(wrapped->GetTextChars()).FindChar('\n'), -1);
    auto* kept = WindowOf<CJStaticText>("Short");
    EXPECT_LT(kept->GetWidth(), 200);
    EXPECT_EQ(CString(kept->GetTextChars()).FindChar('\n'), -1);
    auto* lines = WindowOf<CJStaticText>("Lines");
    EXPECT_STREQ(lines->GetTextChars(), "two\nlines");
    EXPECT_TRUE(lines->IsMultiLine());

    EXPECT_STREQ(WindowOf<CJCheckButton>("Same")->GetTextChars(), "Sound");
    Find<CFormCheckBoxControl>("Same")->SetState(true);
    EXPECT_STREQ(WindowOf<CJCheckButton>("Same")->GetTextChars(), "Sound");

    auto* narrow = WindowOf<CJButton>("Narrow");
    EXPECT_GT(narrow->GetWidth(), 10) << "the text's width stays";
    EXPECT_EQ(WindowOf<CJButton>("Widened")->GetWidth(), 150);

    CFrameInterface* none = Find<CFormPictureControl>("Unknown")->GetShownPicture();
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->GetWidth(), 8) << "an unknown picture shows \"!None\"";
    auto* half = WindowOf<CJPictureWindow>("Half");
    EXPECT_EQ(half->GetWidth(), 20);
    EXPECT_EQ(half->GetHeight(), 20);
    EXPECT_EQ(half->GetRect().left, 80) << "top right: moved left by its width";
    Screen().DrawToBackBuffer();
}

TEST_F(ControlsTest, TheLayoutScaleSizesAndPlacesTheWindows)
{
    WritePicture("Wide", 40, 20, 255, 0, 0);
    Show(FormText({Page("Scaled", "Width=200\r\nHeight=100\r\nControl Position=101,-3\r\n",
                        {Child("CFormPictureControl",
                               "Control Name=Picture\r\nImage File Name=Wide\r\nControl Position=40,20\r\n")})}),
         0.75f);
    CJWindow* page = manager->GetCurrentPage()->GetWindow();
    EXPECT_EQ(page->GetRect().left, 75);
    EXPECT_EQ(page->GetRect().top, -2);
    EXPECT_EQ(page->GetWidth(), 150);
    auto* picture = WindowOf<CJPictureWindow>("Picture");
    EXPECT_EQ(picture->GetRect().left, 30);
    EXPECT_EQ(picture->GetWidth(), 30);
    EXPECT_EQ(picture->GetHeight(), 15);
}

TEST_F(ControlsTest, AFormThatEmbedsItselfIsMadeOnce)
{
    for (const std::string& chain : {std::string("Shown"), std::string("Other")}) {
        WriteFile("Resources/Other.guiform.txt",
                  FormText({Page("OtherPage", "",
                                 {Child("CFormEmbeddedForm", "Embedded Form File Name=Shown\r\n"),
                                  Child("CFormStaticControl", "Control Name=OtherLabel\r\n")})}));
        manager = nullptr;
        Show(FormText({Page("Self", "",
                            {Child("CFormEmbeddedForm", "Embedded Form File Name=" + chain + "\r\n"),
                             Child("CFormStaticControl", "Control Name=SelfLabel\r\n")})}));
        int labels = 0;
        int pages = 0;
        for (CJWindow* child = manager->GetCurrentPage()->GetWindow()->GetFirstChild(); child;
             child = child->GetNextSibling()) {
            labels += dynamic_cast<CJStaticText*>(child) ? 1 : 0;
            pages += dynamic_cast<CJFrameWindow*>(child) ? 1 : 0;
        }
        EXPECT_EQ(labels, 1) << chain;
        EXPECT_EQ(pages, chain == "Other" ? 1 : 0) << chain;
        Screen().DrawToBackBuffer();
        Screen().RemoveChild(manager);
        delete manager;
        GetFormFileCollection().LoadFromFolder(nullptr, "Resources", 0);
    }
}

TEST_F(ControlsTest, PicturesThatChangeShowTheNewFrameAndFreeTheOldCopy)
{
    WritePicture("Red", 40, 20, 255, 0, 0);
    WritePicture("Blue", 30, 30, 0, 0, 255);
    Show(
        FormText({Page("P", "Width=200\r\nHeight=100\r\n",
                       {Child("CFormPictureControl",
                              "Control Name=Picture\r\nImage File Name=Red\r\nScaled Width=20\r\nScaled Height=10\r\n"),
                        Child("CFormImageButtonControl",
                              "Control Name=Image\r\nDefault Image Name=Red\r\n"
                              "Control Position=100,0\r\n")})}));
    auto* picture = Find<CFormPictureControl>("Picture");
    for (const char* name : {"Blue", "Red", "Nowhere", "Blue"}) {
        manager->SetControlImage(CString("Picture"), CString(name));
        if (std::string(name) == "Nowhere") {
            EXPECT_EQ(picture->GetShownPicture(), nullptr) << "without \"!None\" nothing is shown";
        } else {
            ASSERT_NE(picture->GetShownPicture(), nullptr) << name;
            EXPECT_EQ(picture->GetShownPicture()->GetWidth(), 20) << name;
        }
        Screen().DrawToBackBuffer();
    }
    const platform::Rect shown = WindowOf<CJPictureWindow>("Picture")->GetScreenRect();
    EXPECT_GT(PixelAt(shown.left + 5, shown.top + 5).B, 200);

    // An image button asked for a frame the collection lacks keeps its picture (not the collection's first frame,
    // "Blue").
    auto* image = Find<CFormImageButtonControl>("Image");
    image->SetImage(CString("Nowhere"));
    Screen().DrawToBackBuffer();
    const platform::Rect button = WindowOf<CJImageButton>("Image")->GetScreenRect();
    EXPECT_GT(PixelAt(button.left + 10, button.top + 10).R, 200);
    image->SetImage(CString("Blue"));
    Screen().DrawToBackBuffer();
    EXPECT_GT(PixelAt(button.left + 10, button.top + 10).B, 200);
    manager->CloseAllPages();
    Screen().DrawToBackBuffer();  // the closing windows draw once more before the tree deletes them
    Screen().Update(0.016f);
}

}  // namespace
}  // namespace forms_test
