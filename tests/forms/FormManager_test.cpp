// The form manager: the page sequence of switches, modal pages, Back and Escape; substitutions; where forms come
// from; and the mended faults (controls of another class, a form replaced while its event runs, the current
// instance after destruction).
#include <map>

#include <gtest/gtest.h>

#include "FormsFixture.h"
#include "forms/FormManager.h"
#include "forms/TextControls.h"

namespace forms_test {
namespace {

std::string NavPage(const std::string& name, bool modal)
{
    return Page(name, std::string(modal ? "Is Modal Window=1\r\n" : "") + "Width=100\r\nHeight=80\r\n" +
                          RecordAction("Enter Action", name + "+") + RecordAction("Exit Action", name + "-") +
                          RecordAction("Escape Key Action", name + "!"));
}

const std::string kNav = FormText({NavPage("A", false), NavPage("B", false), NavPage("M1", true), NavPage("M2", true)});

// The manager with its key handler open to the tests.
class TestManager : public FormManager {
public:
    using FormManager::FormManager;
    using FormManager::OnKey;
};

class FormManagerTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        WriteFile("Resources/Nav.guiform.txt", kNav);
        manager = std::make_unique<TestManager>(nullptr, 320, 240, 1.0f);
    }
    void TearDown() override
    {
        manager.reset();
        FormsTest::TearDown();
    }
    std::string Name(const CFormControl* page) const { return page ? page->GetControlName().GetText() : "-"; }
    // The pages whose windows are the manager's children and stay, front first.
    std::string ShownOrder() const
    {
        std::string order;
        for (CJWindow* child = manager->GetFirstChild(); child; child = child->GetNextSibling()) {
            if (child->IsCloseRequested()) continue;
            for (int i = 0; i < manager->GetFormInUse()->GetPageCount(); ++i)
                if (manager->GetFormInUse()->GetPage(i)->GetWindow() == child)
                    order += (order.empty() ? "" : " ") + Name(manager->GetFormInUse()->GetPage(i));
        }
        return order;
    }
    void Run(const std::string& operation)
    {
        const std::string verb = operation.substr(0, operation.find(' '));
        const std::string argument =
            operation.find(' ') == std::string::npos ? "" : operation.substr(operation.find(' ') + 1);
        if (verb == "switch") manager->SwitchPage(CString(argument.c_str()));
        if (verb == "back") manager->BackToPreviousPage();
        if (verb == "esc") manager->OnKey(FormManager::kEscapeKey);
        if (verb == "close") manager->CloseAllPages();
        manager->Update(0.0f);
    }

    std::unique_ptr<TestManager> manager;
};

TEST_F(FormManagerTest, PagesFollowTheSwitchModalBackAndEscapeRules)
{
    struct Row {
        const char* start;
        std::vector<std::string> operations;
        const char* log;
        const char* current;
        const char* previous;
        const char* modal;
        const char* shown;  // front first
    };
    const Row rows[] = {
        {"A", {"switch a"}, "A+", "A", "-", "-", "A"},
        {"A", {"switch Nowhere"}, "A+", "A", "-", "-", "A"},
        {"A", {"switch B"}, "A- B+", "B", "A", "-", "B"},
        {"A", {"switch M1"}, "M1+", "A", "-", "M1", "M1 A"},
        {"A", {"switch M1", "switch B"}, "M1+ M1- A- B+", "B", "A", "-", "B"},
        {"A", {"switch M1", "switch M2"}, "M1+ M1- M2+", "A", "-", "M2", "M2 A"},
        {"A", {"switch M1", "switch M1"}, "M1+ M1- M1+", "A", "-", "M1", "M1 A"},
        {"A", {"switch M1", "esc"}, "M1+ A!", "A", "-", "M1", "M1 A"},
        {"A", {"esc"}, "A!", "A", "-", "-", "A"},
        {"A", {"switch B", "back", "back"}, "A- B+ B- A+ A- B+", "B", "A", "-", "B"},
        {"A", {"switch M1", "back"}, "M1+ M1- A+", "A", "-", "-", "A"},
        {"A", {"back"}, "", "A", "-", "-", "A"},
        {"A", {"switch M1", "close"}, "M1+ M1- A-", "-", "-", "-", ""},
        {"A", {"close", "esc", "back"}, "A-", "-", "-", "-", ""},
        {"M1", {}, "M1+", "-", "-", "M1", "M1"},
        {"M1", {"back"}, "M1+ M1-", "-", "-", "-", ""},
    };
    for (const Row& row : rows) {
        std::string name = row.start;
        for (const std::string& operation : row.operations) name += ", " + operation;
        manager = std::make_unique<TestManager>(nullptr, 320, 240, 1.0f);
        ASSERT_TRUE(manager->LoadForm(CString("Nav"), CString(row.start))) << name;
        if (std::string(row.start) == "A") ActionLog().clear();  // the start page's entry is not part of the row
        for (const std::string& operation : row.operations) Run(operation);
        EXPECT_EQ(JoinedLog(), row.log) << name;
        EXPECT_EQ(Name(manager->GetCurrentPage()), row.current) << name;
        EXPECT_EQ(Name(manager->GetPreviousPage()), row.previous) << name;
        EXPECT_EQ(Name(manager->GetModalPage()), row.modal) << name;
        EXPECT_EQ(ShownOrder(), row.shown) << name;
        ActionLog().clear();
    }
}

TEST_F(FormManagerTest, SwitchingToTheShownPageEntersItAgainInTheSameWindow)
{
    ASSERT_TRUE(manager->LoadForm(CString("Nav"), CString("A")));
    CJWindow* before = manager->GetCurrentPage()->GetWindow();
    manager->SwitchPage(CString("A"));
    EXPECT_EQ(manager->GetCurrentPage()->GetWindow(), before);
    EXPECT_EQ(JoinedLog(), "A+ A+");
}

TEST_F(FormManagerTest, SubstitutionsResolveEachOtherWhateverTheOrderAndNeverLoop)
{
    struct Row {
        std::vector<std::pair<const char*, const char*>> pairs;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {{{"<%A%>", "x<%B%>"}, {"<%B%>", "y"}}, "<%A%>!", "xy!"},
        {{{"<%B%>", "y"}, {"<%A%>", "x<%B%>"}}, "<%A%>!", "xy!"},
        {{{"<%S%>", "[<%S%>]"}}, "<%S%>", "[[<%S%>]]"},
        {{{"<%B%>", "y"}, {"<%A%>", "x<%B%>"}, {"<%C%>", "<%A%>"}}, "<%C%>", "x<%B%>"},
        {{{"<%A%>", "1"}}, "<%a%> <%A%><%A%>", "<%a%> 11"},
    };
    for (const Row& row : rows) {
        FormManager substituting(nullptr, 10, 10, 1.0f);
        for (const auto& [name, value] : row.pairs) substituting.AddSubstitution(CString(name), CString(value));
        CString text(row.text);
        substituting.ApplySubstitutions(text);
        EXPECT_STREQ(text.GetText(), row.expected) << row.text;
    }
}

TEST_F(FormManagerTest, ALoadedFormHasItsVariablesReplacedInTextsAndActions)
{
    WriteFile("Resources/Hello.guiform.txt",
              FormText({Page("Start", RecordAction("Enter Action", "hi <%Player%>"),
                             {Child("CFormStaticControl", "Control Name=Greeting\r\nText=Hello <%Player%>\r\n")})}));
    manager->AddSubstitution(CString("<%Player%>"), CString("Ann <%Rank%>"));
    manager->AddSubstitution(CString("<%Rank%>"), CString("(3)"));
    ASSERT_TRUE(manager->LoadForm(CString("Hello"), CString()));
    EXPECT_EQ(JoinedLog(), "hi Ann (3)");
    auto* greeting = manager->FindControlOfClass<CFormStaticControl>(CString("GREETING"));
    ASSERT_NE(greeting, nullptr);
    greeting->SetText(CString("changed"));
    greeting->RestoreDefaultText();
    EXPECT_STREQ(greeting->GetDisplayedText().GetText(), "Hello Ann (3)") << "the default text holds the value too";
}

TEST_F(FormManagerTest, FormsComeFromLooseFilesFirstThenFromTheCollection)
{
    WriteFile("Resources/Other.guiform.txt", FormText({Page("Collected", "")}));
    struct Row {
        const char* name;
        const char* looseText;  // null: no loose file
        bool loads;
        const char* page;  // the current page afterwards
    };
    const Row rows[] = {
        {"Loose", "cform\r\n{\r\nFields=Array\r\n{\r\n", true, "LooseStart"},
        {"Button", "CFormButtonControl\r\n{\r\nButton Text=x\r\n}\r\n", false, "A"},
        {"Blank", "\r\n   \r\n", false, "A"},
        {"Other", nullptr, true, "Collected"},
        {"Unknown", nullptr, true, "A"},  // the collection's first form, "Nav"
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(manager->LoadForm(CString("Nav"), CString("A")));
        std::string text = row.looseText ? row.looseText : "";
        if (text.rfind("cform", 0) == 0) text += Page("LooseStart", "") + "}\r\n}\r\n";
        if (row.looseText) WriteFile(std::string(row.name) + ".guiform.txt", text);
        manager->CloseAllPages();
        EXPECT_EQ(manager->LoadForm(CString(row.name), CString()), row.loads) << row.name;
        if (!row.loads) manager->SwitchPage(CString("A"));
        EXPECT_EQ(Name(manager->GetCurrentPage()), row.page) << row.name;
        manager->Update(0.0f);
    }
}

TEST_F(FormManagerTest, AnEmptyCollectionLeavesTheFormInUse)
{
    std::filesystem::rename("Arcade/Resources/Nav.guiform.txt", "Arcade/Nav.guiform.txt");
    ASSERT_TRUE(manager->LoadForm(CString("Nav"), CString("A")));
    CForm* nav = manager->GetFormInUse();
    EXPECT_FALSE(manager->LoadForm(CString("Missing"), CString("A")));
    EXPECT_EQ(manager->GetFormInUse(), nav);
    EXPECT_EQ(Name(manager->GetCurrentPage()), "A");
}

TEST_F(FormManagerTest, TextAndPictureSettersLeaveAControlOfAnotherClassAlone)
{
    WritePicture("Dot", 4, 4, 255, 0, 0);
    WriteFile("Resources/Mixed.guiform.txt",
              FormText({Page("P", "",
                             {Child("CFormPictureControl", "Control Name=Status\r\nImage File Name=Dot\r\n"),
                              Child("CFormStaticControl", "Control Name=Banner\r\nText=plain\r\n")})}));
    ASSERT_TRUE(manager->LoadForm(CString("Mixed"), CString()));
    manager->SetControlText(CString("Status"), CString("Downloading"));
    manager->SetControlImage(CString("Banner"), CString("Dot"));
    auto* status = ControlAs<CFormPictureControl>(manager->FindControl(CString("Status")));
    auto* banner = ControlAs<CFormStaticControl>(manager->FindControl(CString("Banner")));
    ASSERT_NE(status, nullptr);
    ASSERT_NE(banner, nullptr);
    EXPECT_STREQ(status->GetImageName().GetText(), "Dot");
    EXPECT_STREQ(banner->GetDisplayedText().GetText(), "plain");
    EXPECT_EQ(manager->FindControlOfClass<CFormStaticControl>(CString("Status")), nullptr);
    manager->SetControlText(CString("Banner"), CString("set"));
    EXPECT_STREQ(banner->GetDisplayedText().GetText(), "set");
}

// The button's action loads the loose form that holds it, then goes on through its own list of actions.
TEST_F(FormManagerTest, AnActionThatReloadsItsOwnLooseFormRunsToItsEndAndTheNewPageShows)
{
    WriteFile("Reload.guiform.txt",
              FormText({Page("Only", "Width=200\r\nHeight=100\r\n" + RecordAction("Enter Action", "entered"),
                             {Child("CFormButtonControl",
                                    "Control Name=Again\r\nButton Text=Again\r\n"
                                    "Control Position=20,30\r\n" +
                                        Block("Action", "CMultipleActionsFormAction",
                                              "Action=Array\r\n{\r\n" +
                                                  Block("Action", "CFormActionLoadNewForm", "Form To Load=Reload\r\n") +
                                                  RecordAction("Action", "after Reload") + "}\r\n"))})}));
    manager.reset();
    auto* shown = new FormManager(&Screen(), 320, 240, 1.0f);
    Screen().AddChild(shown, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    ASSERT_TRUE(shown->LoadForm(CString("Reload"), CString()));
    CJWindow* button = shown->FindControl(CString("Again"))->GetWindow();
    ASSERT_NE(button, nullptr);
    const platform::Rect where = button->GetScreenRect();
    MouseState::Get().StorePosition(where.left + 3, where.top + 3);
    MouseState::Get().PressButton(0);
    Screen().Update(0.016f);
    MouseState::Get().ReleaseButton(0);
    Screen().Update(0.016f);
    Screen().Update(0.016f);
    EXPECT_EQ(JoinedLog(), "entered entered after Reload");
    ASSERT_NE(shown->GetCurrentPage(), nullptr);
    EXPECT_NE(shown->GetCurrentPage()->GetWindow(), nullptr);
    EXPECT_NE(shown->FindControl(CString("Again"))->GetWindow(), button) << "the page was made again";
    Screen().DrawToBackBuffer();
}

TEST_F(FormManagerTest, TheCurrentInstanceGoesWithItsManager)
{
    EXPECT_EQ(FormManager::GetCurrent(), manager.get());
    auto later = std::make_unique<FormManager>(nullptr, 10, 10, 1.0f);
    EXPECT_EQ(FormManager::GetCurrent(), later.get());
    later.reset();
    EXPECT_EQ(FormManager::GetCurrent(), nullptr);
    manager.reset();
    EXPECT_EQ(FormManager::GetCurrent(), nullptr);
}

TEST(ScaledFrames, TheSameSizeIsALookupAndAnotherSizeReplacesTheCopy)
{
    SetDisplayBitDepth(16);
    CFrame source;
    source.Create(8, 8, 16);
    source.Fill(MakeColor(0, 255, 0));
    CFrame* first = GetScaledFrame(&source, 16, 4);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetWidth(), 16);
    EXPECT_EQ(GetScaledFrame(&source, 16, 4), first);
    CFrame* second = GetScaledFrame(&source, 4, 4);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetWidth(), 4);
    EXPECT_EQ(GetScaledFrame(nullptr, 4, 4), nullptr);
}

}  // namespace
}  // namespace forms_test
