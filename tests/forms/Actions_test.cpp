// The form actions: the truth tables of the flow actions, navigation against the form manager, the control
// actions with their class-checked lookups, the checks of typed text and choices, and the form string.
#include <gtest/gtest.h>

#include "FormsFixture.h"
#include "forms/FormManager.h"
#include "forms/FormStringActions.h"
#include "forms/InputControls.h"
#include "forms/TextControls.h"
#include "front/ArcadeState.h"
#include "platform/shell.h"
#include "platform/win32_registry.h"
#include "ui/ComboBox.h"

namespace forms_test {
namespace {

std::string Record(const std::string& key, const std::string& record, bool result)
{
    return Block(key, "CTestRecordAction", "Record=" + record + "\r\nResult=" + (result ? "1" : "0") + "\r\n");
}

class ActionsTest : public FormsTest {
protected:
    std::unique_ptr<CFormAction> Action(const std::string& className, const std::string& lines)
    {
        return ReadAction(className, lines);
    }
    bool Run(const std::string& className, const std::string& lines)
    {
        ActionLog().clear();
        return Action(className, lines)->Execute();
    }
    // A manager over a form of three pages, the first holding one control of each kind the actions use.
    FormManager& ShowControls()
    {
        WriteFile("Resources/Controls.guiform.txt",
                  FormText({Page("Main", "",
                                 {Child("CFormStaticControl", "Control Name=Warn\r\nText=Bad char %c\r\n"),
                                  Child("CFormStaticControl", "Control Name=Label\r\nText=default\r\n"),
                                  Child("CFormEditControl", "Control Name=Name\r\nDefault Text=bob\r\n"),
                                  Child("CFormCheckBoxControl", "Control Name=Check\r\nDefault Label=On\r\n"),
                                  Child("CFormChoiceBoxControl",
                                        "Control Name=Choice\r\nChoice List=Array\r\n{\r\nArray Count=3\r\n}\r\n"),
                                  Child("CFormProgressBarControl", "Control Name=Bar\r\nWidth=50\r\nHeight=8\r\n")}),
                            Page("Second", ""), Page("Modal", "Is Modal Window=1\r\n")}));
        WriteFile("Resources/Other.guiform.txt", FormText({Page("Elsewhere", "")}));
        manager = std::make_unique<FormManager>(nullptr, 320, 240, 1.0f);
        EXPECT_TRUE(manager->LoadForm(CString("Controls"), CString()));
        return *manager;
    }
    std::string Current() const
    {
        return manager->GetCurrentPage() ? manager->GetCurrentPage()->GetControlName().GetText() : "-";
    }
    template <typename Control>
    Control* Find(const char* name)
    {
        return manager->FindControlOfClass<Control>(CString(name));
    }
    void TearDown() override
    {
        manager.reset();
        FormsTest::TearDown();
    }

    std::unique_ptr<FormManager> manager;
};

// Filled item by item (a file without "Array Count"), a choice box's list and the form strings of its web-form
// action grow by a fifth, as the library's other lists do.
TEST(ItemArrays, TheChoiceListAndTheFormStringsGrowByAFifth)
{
    CFormChoiceBoxControl choiceBox;
    CFormActionAppendFormStringFromChoiceBoxControlAsWebForm action;
    const std::pair<CObject*, const char*> arrays[] = {{&choiceBox, "Choice List"}, {&action, "Form Strings"}};
    for (const auto& [object, name] : arrays) {
        const auto* info = dynamic_cast<const ItemArrayPropertyInfo*>(object->GetClassInfo()->FindProperty(name));
        ASSERT_NE(info, nullptr) << name;
        std::vector<int> capacities;
        for (int i = 0; i < 22; ++i) {
            ASSERT_NE(info->Append(HolderOf(object)), nullptr);
            const int capacity = info->Ref(HolderOf(object)).capacity;
            if (capacities.empty() || capacities.back() != capacity) capacities.push_back(capacity);
        }
        EXPECT_EQ(capacities, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 19, 22})) << name;
        EXPECT_EQ(info->Ref(HolderOf(object)).count, 22) << name;
    }
}

TEST_F(ActionsTest, AListOfActionsRunsInOrderAndStopsAtAFalseOnlyWhenAsked)
{
    const struct {
        bool exitOnFalse;
        std::vector<bool> results;
        bool expected;
        const char* log;
    } rows[] = {
        {false, {true, false, true}, true, "1 2 3"}, {false, {false, false}, false, "1 2"},
        {true, {false, true}, false, "1"},           {true, {true, false, true}, false, "1 2"},
        {true, {true, true}, true, "1 2"},           {false, {}, false, ""},
    };
    for (const auto& row : rows) {
        std::string actions;
        for (std::size_t i = 0; i < row.results.size(); ++i)
            actions += Record("Action", std::to_string(i + 1), row.results[i]);
        const std::string lines = std::string("Exit As Soon As An Action Returns False=") +
                                  (row.exitOnFalse ? "1" : "0") + "\r\nAction=Array\r\n{\r\n" + actions + "}\r\n";
        EXPECT_EQ(Run("CMultipleActionsFormAction", lines), row.expected) << row.log;
        EXPECT_EQ(JoinedLog(), row.log);
    }
}

TEST_F(ActionsTest, AChoiceRunsThenOrElseByTheResultOfIf)
{
    const struct {
        std::string lines;
        bool expected;
        const char* log;
    } rows[] = {
        {Record("Then", "then", true), false, ""},
        {Record("If", "if", true), true, "if"},
        {Record("If", "if", true) + Record("Then", "then", false) + Record("Else", "else", true), false, "if then"},
        {Record("If", "if", false), true, "if"},
        {Record("If", "if", false) + Record("Else", "else", false), false, "if else"},
        {Record("If", "if", false) + Record("Else", "else", true) + "Return failure if the If failes=1\r\n", false,
         "if else"},
        {Record("If", "if", false) + "Return failure if the If failes=1\r\n", false, "if"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Run("CIfFormAction", row.lines), row.expected) << row.lines;
        EXPECT_EQ(JoinedLog(), row.log) << row.lines;
    }
}

TEST_F(ActionsTest, NavigationActionsMoveThroughTheFormManagersPages)
{
    ShowControls();
    EXPECT_FALSE(Run("CFormActionSwitchPage", ""));
    EXPECT_EQ(Current(), "Main");
    EXPECT_TRUE(Run("CFormActionSwitchPage", "Page To Switch To=Second\r\n"));
    EXPECT_EQ(Current(), "Second");
    EXPECT_TRUE(Run("CFormActionSwitchPage", "Page To Switch To=Nowhere\r\n"));
    EXPECT_EQ(Current(), "Main") << "an unknown page is the first page";
    EXPECT_TRUE(Run("CFormActionBackToPreviousPage", ""));
    EXPECT_EQ(Current(), "Second");

    EXPECT_FALSE(Run("CFormActionLoadNewForm", ""));
    EXPECT_EQ(Current(), "Second");
    EXPECT_TRUE(Run("CFormActionLoadNewForm", "Form To Load=Other\r\n"));
    EXPECT_EQ(Current(), "Elsewhere");
    WriteFile("Broken.guiform.txt", "not a form at all\r\n");
    EXPECT_FALSE(Run("CFormActionLoadNewForm", "Form To Load=Broken\r\n"));
    EXPECT_EQ(Current(), "-") << "the pages were closed before the failed load";
    EXPECT_EQ(manager->GetModalPage(), nullptr);
}

TEST_F(ActionsTest, ReturningToTheGameEndsTheMenuSession)
{
    static FormManager* session = nullptr;
    session = &ShowControls();
    ArcadeState& state = GetArcadeState();
    state.closeSessionForms = [] { session->CloseAllPages(); };
    state.SessionRunning = true;
    state.AddPendingObject(new CTestRecordAction);
    EXPECT_TRUE(Run("CFormActionReturnToGame", ""));
    EXPECT_FALSE(state.SessionRunning);
    EXPECT_EQ(state.GetPendingObjectCount(), 0);
    EXPECT_EQ(Current(), "-") << "the session's pages are closed";
    state.closeSessionForms = nullptr;
}

// The DWORD value of the library's key in one hive; -1 when it is not there.
long long HiveDword(HKEY hive, const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, "SOFTWARE\\TollarineArcade\\", 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    DWORD type = 0, value = 0, size = sizeof value;
    const LSTATUS status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD ? static_cast<long long>(value) : -1;
}

TEST_F(ActionsTest, TheConnectionFlagsAreSetAndReadAndAlwaysConnectedGoesToTheMachinesHive)
{
    ArcadeState& state = GetArcadeState();
    for (bool on : {true, false}) {
        const std::string lines = std::string("New State=") + (on ? "1" : "0") + "\r\n";
        EXPECT_TRUE(Run("CFormActionSetAlwaysConnectedToInternetFlagState", lines));
        EXPECT_EQ(state.AlwaysConnected, on);
        EXPECT_EQ(Run("CFormActionGetAlwaysConnectedToInternetFlagState", ""), on);
        EXPECT_EQ(HiveDword(HKEY_LOCAL_MACHINE, "AlwaysConnected"), on ? 1 : 0);
        EXPECT_EQ(HiveDword(HKEY_CURRENT_USER, "AlwaysConnected"), -1);

        EXPECT_TRUE(Run("CFormActionSetLastWebAccessSuccessFlagState", lines));
        EXPECT_EQ(state.LastWebAccessSucceeded, on);
        EXPECT_EQ(Run("CFormActionGetLastWebAccessSuccessFlagState", ""), on);
        EXPECT_EQ(HiveDword(HKEY_LOCAL_MACHINE, "LastWebAccessSucceeded"), -1) << "kept in memory only";
    }
    state.LastWebAccessSucceeded = true;
}

TEST_F(ActionsTest, ProgressBarActionsTickOnlyAProgressBar)
{
    ShowControls();
    auto* bar = Find<CFormProgressBarControl>("Bar");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(Run("CFormActionTickProgressBarForm", "Name Of Progress Bar Form Control=bar\r\n"));
    EXPECT_TRUE(Run("CFormActionTickProgressBarForm", "Name Of Progress Bar Form Control=Bar\r\n"));
    EXPECT_EQ(bar->GetTickCount(), 2);
    EXPECT_FALSE(Run("CFormActionTickProgressBarForm", "Name Of Progress Bar Form Control=Label\r\n"));
    EXPECT_FALSE(Run("CFormActionTickProgressBarForm", ""));
    EXPECT_STREQ(Find<CFormStaticControl>("Label")->GetDisplayedText().GetText(), "default");
    EXPECT_TRUE(Run("CFormActionResetProgressBarForm", "Name Of Progress Bar Form Control=Bar\r\n"));
    EXPECT_EQ(bar->GetTickCount(), 0);
    EXPECT_FALSE(Run("CFormActionResetProgressBarForm", "Name Of Progress Bar Form Control=Check\r\n"));
}

TEST_F(ActionsTest, ActionsRunOutsideAMenuSessionAnswerFalse)
{
    ASSERT_EQ(FormManager::GetCurrent(), nullptr);
    const struct {
        const char* className;
        const char* lines;
    } rows[] = {
        {"CFormActionSwitchPage", "Page To Switch To=Main\r\n"},
        {"CFormActionBackToPreviousPage", ""},
        {"CFormActionLoadNewForm", "Form To Load=Controls\r\n"},
        {"CFormActionTickProgressBarForm", "Name Of Progress Bar Form Control=Bar\r\n"},
        {"CFormActionSetTextInFormStaticControl", "Name Of Form Static Control=Label\r\nText=x\r\n"},
        {"CFormActionValidateFormEditControlGeneral", "Name Of Form Edit Control=Name\r\n"},
        {"CFormActionClearFormString", ""},
        {"CFormActionAppendFormString", "String=x\r\n"},
        {"CFormActionAppendFormStringFromEditControl", "Name Of Form Edit Control=Name\r\n"},
        {"CFormActionAppendFormStringNameValuePairAsWebForm", "Field Name=a\r\nField Value=1\r\n"},
    };
    for (const auto& row : rows) EXPECT_FALSE(Run(row.className, row.lines)) << row.className;
}

TEST_F(ActionsTest, TheWebBrowserOpensOnlyWebAndMailAddressesWithTheirVariablesReplaced)
{
    platform::ClearRecordedShellRequests();
    auto browse = Action("CFormActionLaunchWebBrowser", "URL=https://example.org/<%Game%>?from=<%Game%>\r\n");
    browse->ReplaceText(CString("<%Game%>"), CString("velmorine"));
    EXPECT_TRUE(browse->Execute());
    EXPECT_TRUE(Run("CFormActionLaunchWebBrowser", "URL=MAILTO:team@example.org\r\n"));
    EXPECT_TRUE(Run("CFormActionLaunchWebBrowser", "URL=/usr/bin/xterm\r\n"));
    EXPECT_TRUE(Run("CFormActionLaunchWebBrowser", "URL=file:///etc/passwd\r\n"));
    EXPECT_TRUE(Run("CFormActionLaunchWebBrowser", ""));
    EXPECT_TRUE(Run("CFormActionMinimizeApplication", ""));
    const auto requests = platform::RecordedShellRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].text, "https://example.org/velmorine?from=velmorine");
    EXPECT_EQ(requests[1].text, "MAILTO:team@example.org");
}

TEST_F(ActionsTest, ControlActionsReachOnlyControlsOfTheirClass)
{
    ShowControls();
    auto* label = Find<CFormStaticControl>("Label");
    EXPECT_TRUE(Run("CFormActionSetTextInFormStaticControl", "Name Of Form Static Control=Label\r\nText=shown\r\n"));
    EXPECT_STREQ(label->GetDisplayedText().GetText(), "shown");
    EXPECT_FALSE(Run("CFormActionSetTextInFormStaticControl", "Name Of Form Static Control=Name\r\nText=shown\r\n"));
    EXPECT_STREQ(Find<CFormEditControl>("Name")->GetText().GetText(), "bob") << "an edit box is no label";
    EXPECT_TRUE(Run("CFormActionRestoreDefaultTextInFormStaticControl", "Name Of Form Static Control=Label\r\n"));
    EXPECT_STREQ(label->GetDisplayedText().GetText(), "default");
    EXPECT_FALSE(Run("CFormActionRestoreDefaultTextInFormStaticControl", "Name Of Form Static Control=Check\r\n"));

    EXPECT_FALSE(Run("CFormActionClearFormEditControl", "Name Of Form Edit Control=Label\r\n"));
    EXPECT_TRUE(Run("CFormActionClearFormEditControl", "Name Of Form Edit Control=Name\r\n"));
    EXPECT_STREQ(Find<CFormEditControl>("Name")->GetText().GetText(), "");

    EXPECT_TRUE(Run("CFormActionGetFormCheckBoxControlState", "Name Of Form Check Box Control=Check\r\n"));
    EXPECT_TRUE(
        Run("CFormActionSetFormCheckBoxControlState", "Name Of Form Check Box Control=Check\r\nNew State=0\r\n"));
    EXPECT_FALSE(Find<CFormCheckBoxControl>("Check")->GetState());
    EXPECT_FALSE(Run("CFormActionGetFormCheckBoxControlState", "Name Of Form Check Box Control=Check\r\n"));
    EXPECT_FALSE(
        Run("CFormActionSetFormCheckBoxControlState", "Name Of Form Check Box Control=Bar\r\nNew State=1\r\n"));
    EXPECT_FALSE(Run("CFormActionGetFormCheckBoxControlState", ""));
}

TEST_F(ActionsTest, TheEditCheckRunsTheActionOfTheFirstFailureAndShowsTheOffendingCharacter)
{
    ShowControls();
    const std::string actions = Record("Empty Action", "empty", true) + Record("Too Short Action", "short", true) +
                                Record("Too Long Action", "long", true) +
                                Record("Illegal Character Action", "illegal", true) +
                                Record("Missing Character Action", "missing", true) +
                                "Name Of Illegal Character Warning String Control=Warn\r\n"
                                "Name Of Missing Character Warning String Control=Warn\r\n"
                                "Name Of Form Edit Control=Name\r\n";
    const struct {
        const char* limits;
        const char* text;
        bool expected;
        const char* log;
        const char* warning;
    } rows[] = {
        {"Minimum Length=3\r\n", "ab", false, "short", "Bad char %c"},
        {"Minimum Length=3\r\n", "", false, "empty", "Bad char %c"},
        {"", "", true, "", "Bad char %c"},
        {"Maximum Length=3\r\n", "abcd", false, "long", "Bad char %c"},
        {"Legal Characters=0123456789\r\n", "12a4", false, "illegal", "Bad char a"},
        {"Required Characters=xy\r\n", "ax", false, "missing", "Bad char y"},
        {"Legal Characters=abc\r\nRequired Characters=c\r\nMinimum Length=1\r\nMaximum Length=5\r\n", "abc", true, "",
         "Bad char %c"},
    };
    auto* warn = Find<CFormStaticControl>("Warn");
    for (const auto& row : rows) {
        warn->RestoreDefaultText();
        Find<CFormEditControl>("Name")->SetText(CString(row.text));
        EXPECT_EQ(Run("CFormActionValidateFormEditControlGeneral", actions + row.limits), row.expected) << row.limits;
        EXPECT_EQ(JoinedLog(), row.log) << row.limits << row.text;
        EXPECT_STREQ(warn->GetDisplayedText().GetText(), row.warning) << row.limits << row.text;
    }
    // The warning takes the shown text as its template: a second failure leaves the first warning shown.
    for (const char* text : {"12a4", "1z"}) {
        Find<CFormEditControl>("Name")->SetText(CString(text));
        EXPECT_FALSE(Run("CFormActionValidateFormEditControlGeneral", actions + "Legal Characters=0123456789\r\n"));
        EXPECT_STREQ(warn->GetDisplayedText().GetText(), "Bad char a") << text;
    }
    EXPECT_FALSE(Run("CFormActionValidateFormEditControlGeneral", "Name Of Form Edit Control=Warn\r\n"));
}

TEST_F(ActionsTest, TheChoiceCheckFailsOnTheFirstEntry)
{
    ShowControls();
    const std::string lines =
        "Name Of Form Choice Box Control=Choice\r\n" + Record("No Selection Action", "none", true);
    EXPECT_FALSE(Run("CFormActionValidateFormChoiceBoxControlGeneral", lines));
    EXPECT_EQ(JoinedLog(), "none");
    auto* combo = dynamic_cast<CJComboBox*>(manager->FindControl(CString("Choice"))->GetWindow());
    ASSERT_NE(combo, nullptr);
    combo->SelectItem(2, false);
    EXPECT_TRUE(Run("CFormActionValidateFormChoiceBoxControlGeneral", lines));
    EXPECT_EQ(JoinedLog(), "");
    EXPECT_FALSE(Run("CFormActionValidateFormChoiceBoxControlGeneral", "Name Of Form Choice Box Control=Label\r\n"));
}

TEST_F(ActionsTest, TheFormStringIsClearedAndAppendedToAsItStands)
{
    ShowControls();
    EXPECT_TRUE(Run("CFormActionAppendFormString", "String=a=1&\r\n"));
    EXPECT_TRUE(Run("CFormActionAppendFormString", "String=b=\r\n"));
    EXPECT_TRUE(Run("CFormActionAppendFormStringFromEditControl", "Name Of Form Edit Control=Name\r\n"));
    EXPECT_STREQ(manager->GetFormString().GetText(), "a=1&b=bob");
    EXPECT_FALSE(Run("CFormActionAppendFormStringFromEditControl", "Name Of Form Edit Control=Label\r\n"));
    EXPECT_FALSE(Run("CFormActionAppendFormStringFromEditControl", ""));
    EXPECT_TRUE(Run("CFormActionLoadNewForm", "Form To Load=Other\r\n"));
    EXPECT_STREQ(manager->GetFormString().GetText(), "a=1&b=bob") << "the form string outlives the form";
    EXPECT_TRUE(Run("CFormActionClearFormString", ""));
    EXPECT_STREQ(manager->GetFormString().GetText(), "");
}

TEST_F(ActionsTest, WebFormFieldsAreEscapedAndFollowAnAmpersand)
{
    ShowControls();
    Find<CFormEditControl>("Name")->SetText(CString("a&b=c+d 100%"));
    const std::string strings = "Form Strings=Array\r\n{\r\nArray Count=2\r\n" +
                                Block("Array Item", "CFormSelectionString", "Selection String=none\r\n") +
                                Block("Array Item", "CFormSelectionString", "Selection String=easy\r\n") + "}\r\n";
    const std::string choice = "Field Name=level\r\nName Of Form Choice Box Control=Choice\r\n";
    const std::string check = "Checked String=yes\r\nUnChecked String=no\r\nField Name=news\r\n";
    const struct {
        std::string className;
        std::string lines;
        int chosen;
        const char* appended;
    } rows[] = {
        {"NameValuePair", "Field Name=a\r\nField Value=1\r\n", 0, "a=1"},
        {"NameValuePair", "Field Name=b\r\nField Value=x&c=3\r\n", 0, "&b=x%26c%3D3"},
        {"FromEditControl", "Field Name=name\r\nName Of Form Edit Control=Name\r\n", 0, "&name=a%26b%3Dc%2Bd+100%25"},
        {"FromEditControl", "Field Name=name\r\nName Of Form Edit Control=Label\r\n", 0, "&name="},
        {"FromEditControl", "Field Name=name\r\n", 0, "&name="},
        {"FromCheckBoxControl", check + "Name Of Form Check Box Control=Check\r\n", 0, "&news=yes"},
        {"FromCheckBoxControl", check + "Name Of Form Check Box Control=Nothing\r\n", 0, "&news="},
        {"FromChoiceBoxControl", choice + strings, 0, "&level=none"},
        {"FromChoiceBoxControl", choice + strings, 1, "&level=easy"},
        {"FromChoiceBoxControl", choice + strings, 2, "&level=easy"},
        {"FromChoiceBoxControl", choice, 1, "&level="},
        {"FromChoiceBoxControl", "Field Name=level\r\nName Of Form Choice Box Control=Bar\r\n" + strings, 1, "&level="},
    };
    auto* combo = dynamic_cast<CJComboBox*>(manager->FindControl(CString("Choice"))->GetWindow());
    ASSERT_NE(combo, nullptr);
    for (const auto& row : rows) {
        const std::string before = manager->GetFormString().GetText();
        combo->SelectItem(row.chosen, false);
        EXPECT_TRUE(Run("CFormActionAppendFormString" + row.className + "AsWebForm", row.lines)) << row.lines;
        EXPECT_EQ(manager->GetFormString().GetText(), before + row.appended) << row.className << " " << row.lines;
    }
}

}  // namespace
}  // namespace forms_test
