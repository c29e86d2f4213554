#include "front/CatalogScreens.h"
#include "SessionFixture.h"
#include "forms/ButtonControls.h"
#include "forms/FormManager.h"
#include "forms/NavigationActions.h"
#include "forms/TextControls.h"
#include "front/ApplicationList.h"
#include "front/CatalogRecords.h"
#include "front/FilterList.h"
#include "ui/Button.h"

using namespace fronttest;

TEST(CatalogTexts, TheTopListNamesItsEntriesAndADescriptionKeepsTwoLines)
{
    EXPECT_STREQ(TopListButtonText(1, "").GetText(), "1. &<NAME MISSING>&");
    EXPECT_STREQ(TopListButtonText(2, "Xyz").GetText(), "2. &Xyz&");
    EXPECT_STREQ(FirstTwoLines("one").GetText(), "one");
    EXPECT_STREQ(FirstTwoLines("one\ntwo").GetText(), "one\ntwo");
    EXPECT_STREQ(FirstTwoLines("one\ntwo\nthree").GetText(), "one\ntwo...");
}

class CatalogScreens : public Session {
protected:
    void SetUp() override
    {
        Session::SetUp();
        ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
        MakeHost(640, 480);
        Draw();
    }
    static FormManager& Manager() { return *FormManager::GetCurrent(); }
    static CString TextOf(const char* control)
    {
        auto* text = Manager().FindControlOfClass<CFormStaticControl>(control);
        return text ? text->GetDisplayedText() : CString("(none)");
    }
    // The address the button's web browser action opens.
    static CString AddressOf(const char* control)
    {
        auto* button = Manager().FindControlOfClass<CFormButtonControl>(control);
        CFormAction* action = button ? button->GetCurrentAction() : nullptr;
        CString url;
        if (action && action->IsKindOf(CFormActionLaunchWebBrowser::GetStaticClassInfo()))
            action->GetClassInfo()->FindProperty("URL")->ValueToText(action, url);
        return url;
    }
};

TEST_F(CatalogScreens, TheFrontPageShowsTheTopTenByName)
{
    auto* first = Manager().FindControlOfClass<CFormButtonControl>("TopGame1Button");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->GetWindow(), nullptr);
    EXPECT_STREQ(first->GetWindow()->GetTextChars(), "1. Velmorine");
    auto* tenth = Manager().FindControlOfClass<CFormButtonControl>("TopGame10Button");
    EXPECT_STREQ(tenth->GetWindow()->GetTextChars(), "10. Paper Foxes");
    EXPECT_NE(tenth->GetCurrentAction(), nullptr);
}

TEST_F(CatalogScreens, TheGameInformationPageShowsTheRecordAndItsPortalAddresses)
{
    Manager().SwitchPage("Game Info");
    GetArcadeState().ShowGameInformation(61);
    EXPECT_STREQ(TextOf("Application Title").GetText(), "Quiet Harbour");
    EXPECT_STREQ(TextOf("Developer Information").GetText(), "Lantern Works");
    EXPECT_STREQ(TextOf("Price").GetText(), "$4.99");
    EXPECT_STREQ(AddressOf("GameInfoDownloadButton").GetText(), "http://127.0.0.1:8089/redirect?target=download&id=61");
    EXPECT_STREQ(AddressOf("GameInfoWebPageButton").GetText(), "http://127.0.0.1:8089/redirect?target=site&id=61");

    // An application without a record shows empty texts.
    GetArcadeState().ShowGameInformation(999);
    EXPECT_STREQ(TextOf("Application Title").GetText(), "");
    EXPECT_STREQ(AddressOf("GameInfoDownloadButton").GetText(),
                 "http://127.0.0.1:8089/redirect?target=download&id=999");
}

TEST_F(CatalogScreens, ChoosingAFilterMarksItsEntryAndListsItsApplications)
{
    Manager().SwitchPage("Game List");
    Draw();
    auto* list = FindCurrentControl<CFormReferralApplicationListControl>("Application List");
    auto* filters = FindCurrentControl<CFormReferralFilterListControl>("Filter List");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(filters, nullptr);
    EXPECT_EQ(list->Grid()->Rows().size(), 11u);
    ASSERT_EQ(filters->RadioList()->GetEntryCount(), 3);

    GetArcadeState().SelectFilter(2);
    EXPECT_EQ(filters->RadioList()->GetSelectedIndex(), 2);
    EXPECT_EQ(list->Grid()->Rows().size(), ApplicationsOfFilter(2).size());

    // A filter past the subsets lists nothing and keeps its index.
    GetArcadeState().SelectFilter(7);
    EXPECT_EQ(list->GetFilterIndex(), 7);
    EXPECT_EQ(list->Grid()->GetRowCount(), 0u);
}

TEST_F(CatalogScreens, AFilterListsItsApplicationsInOrderOnceEachRecord)
{
    const std::vector<int> all = ApplicationsOfFilter(0);
    ASSERT_EQ(all.size(), 11u);
    std::vector<int> ids;
    for (int index : ApplicationsOfFilter(1))
        ids.push_back(GetGameInformationFiles().GetOrLoad(index)->m_ApplicationID);
    EXPECT_EQ(ids, (std::vector<int>{60, 63, 65, 67, 69}));
    EXPECT_TRUE(ApplicationsOfFilter(-1).empty());
    EXPECT_TRUE(ApplicationsOfFilter(3).empty());
}
