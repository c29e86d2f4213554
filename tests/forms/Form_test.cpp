// Forms and form files: the shape of a form file read and written back, the collection of form files, and the
// guard against a form file that asks for itself while it is read.
#include <gtest/gtest.h>

#include "FormsFixture.h"
#include "forms/ButtonControls.h"
#include "forms/Form.h"
#include "forms/FrameControls.h"
#include "forms/TextControls.h"
#include "foundation/CFileBuf.h"
#include "foundation/FileFlags.h"
#include "foundation/PropertyStream.h"

namespace forms_test {
namespace {

std::string Written(const CObject& object)
{
    PropertyStream stream;
    stream.Attach(new CMemoryFileBuf, kFileCreate | kFileWrite, true);
    object.WriteText(stream, true);
    auto* memory = static_cast<CMemoryFileBuf*>(stream.GetStream());
    return std::string(reinterpret_cast<const char*>(memory->GetData()), memory->Size());
}

// "Class:Name" of every control, depth first, pages separated by '|'.
std::string Outline(const CFormControl* control)
{
    std::string text = std::string(control->GetClassInfo()->GetName()) + ":" + control->GetControlName().GetText();
    for (int i = 0; i < control->GetChildCount(); ++i) text += " " + Outline(control->GetChild(i));
    return text;
}

std::string Outline(const CForm& form)
{
    std::string text;
    for (int i = 0; i < form.GetPageCount(); ++i) text += (i ? "|" : "") + Outline(form.GetPage(i));
    return text;
}

const std::string kTwoPages = FormText({
    Page(
        "Main", "Text=Welcome\r\nWidth=300\r\nPosition Method=Position Center\r\n" + RecordAction("Enter Action", "M+"),
        {Child("CFormStaticControl", "Control Name=Title\r\nText=Hello <%Player%>\r\nControl Position=10,20\r\n"),
         Child("CFormFrameControl",
               "Control Name=Panel\r\nChild Controls=Array\r\n{\r\n" +
                   Child("CFormButtonControl", "Control Name=Go\r\nButton Text=Go\r\n" + RecordAction("Action", "go")) +
                   "}\r\n")}),
    Page("Options", "Is Modal Window=1\r\n", {Child("CFormEditControl", "Control Name=Name\r\nDefault Text=abc\r\n")}),
});

TEST_F(FormsTest, ATwoPageFormIsReadInOrderWithItsNestedControlsAndWrittenBackUnchanged)
{
    WriteFile("Resources/Two.guiform.txt", kTwoPages);
    CForm form;
    ASSERT_TRUE(form.LoadFromFile("Resources/Two.guiform.txt", 0));
    EXPECT_EQ(Outline(form),
              "CFormFrameControl:Main CFormStaticControl:Title CFormFrameControl:Panel CFormButtonControl:Go"
              "|CFormFrameControl:Options CFormEditControl:Name");
    auto* main = ControlAs<CFormFrameControl>(form.GetPage(0));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->GetPositionMethod(), kPositionCenter);
    ASSERT_NE(main->GetEnterAction(), nullptr);
    EXPECT_TRUE(ControlAs<CFormFrameControl>(form.GetPage(1))->IsModalWindow());
    auto* title = ControlAs<CFormStaticControl>(form.GetPage(0)->FindControl("title"));
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title->GetDisplayedText().GetText(), "Hello <%Player%>") << "variables stay as text when read";
    EXPECT_EQ(title->GetPosition().first, 10);
    EXPECT_EQ(title->GetPosition().second, 20);

    const std::string written = Written(form);
    CForm again;
    WriteFile("Resources/Again.guiform.txt", written);
    ASSERT_TRUE(again.LoadFromFile("Resources/Again.guiform.txt", 0));
    EXPECT_EQ(Outline(again), Outline(form));
    EXPECT_EQ(Written(again), written);
    EXPECT_NE(written.find("Position Method=Position Center"), std::string::npos) << written;
}

TEST_F(FormsTest, TheCollectionListsEachFormOnceWithoutItsDashAndFolderAndFallsBackToTheCache)
{
    const std::string one = FormText({Page("One", "")});
    WriteFile("Resources/-Main.guiform.txt", one);
    WriteFile("Resources/main.guiform.txt", one);
    WriteFile("Resources/Sub/Other.guiform.txt", one);
    WriteFile("Resources/NotAForm.txt", one);
    FormFileCollection& forms = GetFormFileCollection();
    ASSERT_EQ(forms.GetCount(), 2);
    EXPECT_STREQ(forms.GetName(0), "Main");
    EXPECT_STREQ(forms.GetName(1), "Sub/Other");
    EXPECT_EQ(forms.FindIndex("MAIN"), 0);
    EXPECT_EQ(forms.FindIndex("Other"), 1) << "found by its last path component too";
    EXPECT_EQ(forms.FindIndex("Missing"), -1);
    ASSERT_NE(forms.GetOrLoad(0), nullptr);
    EXPECT_EQ(forms.GetOrLoad(-1), forms.GetOrLoad(0)) << "an unknown name's index selects the first form";

    // With no form file in the folder, the converted copies under "Cache" are the items.
    std::filesystem::remove_all("Arcade/Resources/Sub");
    for (const char* name : {"-Main.guiform.txt", "main.guiform.txt"})
        std::filesystem::remove(std::string("Arcade/Resources/") + name);
    WriteFile("Cache/Resources/Cached.property", one);
    forms.LoadFromFolder(nullptr, "Resources", 0);
    ASSERT_EQ(forms.GetCount(), 1);
    EXPECT_STREQ(forms.GetName(0), "Cached");
    ASSERT_NE(forms.GetOrLoad(0), nullptr);
    EXPECT_EQ(forms.GetOrLoad(0)->GetPageCount(), 1);
}

TEST_F(FormsTest, AnEmptyCollectionGivesNoForm)
{
    EXPECT_EQ(GetFormFileCollection().GetCount(), 0);
    EXPECT_EQ(GetFormFileCollection().GetOrLoad(GetFormFileCollection().FindIndex("Main")), nullptr);
}

// A control that asks the collection for a form as soon as its form has been read.
class CTestFormFetcher : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CTestFormFetcher)
public:
    CTestFormFetcher() { ConstructOwnMembers(); }
    ~CTestFormFetcher() override { DestroyOwnMembers(); }
    void AfterLoad(ReferenceSlot*) override
    {
        FormFileCollection& forms = GetFormFileCollection();
        forms.GetOrLoad(forms.FindIndex(m_formName.GetText()));
    }
    CJWindow* CreateWindow(CJWindow*, CJWindow* container) override { return container; }
    CString m_formName;
};

void DeclareTestFormFetcher(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Fetch", Member<&CTestFormFetcher::m_formName>()));
}

FORM_CLASS(CTestFormFetcher, CFormControl, DeclareTestFormFetcher)

TEST_F(FormsTest, AFormThatAsksForItselfWhileItIsReadEndsTheProcessNamingItself)
{
    WriteFile("Resources/Loop.guiform.txt",
              FormText({Page("Only", "", {Child("CTestFormFetcher", "Fetch=Loop\r\n")})}));
    EXPECT_EXIT(GetFormFileCollection().GetOrLoad(GetFormFileCollection().FindIndex("Loop")),
                testing::ExitedWithCode(255),
                "Got stuck in an infinite loop while trying to load \"Loop\"\\.  This is usually caused by that file "
                "refering to itself");
}

}  // namespace
}  // namespace forms_test
