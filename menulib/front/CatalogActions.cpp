#include "front/CatalogActions.h"

#include "forms/FlowActions.h"
#include "forms/FormManager.h"
#include "forms/NavigationActions.h"
#include "front/ArcadeState.h"
#include "front/CatalogRecords.h"
#include "front/CatalogScreens.h"

namespace {

constexpr const char* kGameInfoPage = "Game Info";

// Sets an action's property as a form file would.
void SetProperty(CObject& object, const char* key, const CString& text)
{
    if (PropertyInfo* property = object.GetClassInfo()->FindProperty(key))
        property->SetFromText(&object, text, nullptr);
}

CString Decimal(int value)
{
    CString text;
    text.SetInt(value);
    return text;
}

template <typename Action>
Action* Pending(Action* action)
{
    GetArcadeState().AddPendingObject(action);
    return action;
}

}  // namespace

// ---- The front page

FORM_CLASS(CFormActionDoFrontPageCustomization, CFormAction, nullptr)

CFormActionDoFrontPageCustomization::CFormActionDoFrontPageCustomization() { ConstructOwnMembers(); }

CFormActionDoFrontPageCustomization::~CFormActionDoFrontPageCustomization() { DestroyOwnMembers(); }

bool CFormActionDoFrontPageCustomization::Execute()
{
    FillFrontPage();
    return true;
}

// ---- The chosen application

void DeclareSelectCurrentGame(ClassInfo* record)
{
    record->AddProperty(new IntegerPropertyInfo(
        "ApplicationID To Display", Member<&CFormActionSelectCurrentGameOnGameInformationScreen::m_applicationID>(),
        {.defaultValue = 1}));
}

FORM_CLASS(CFormActionSelectCurrentGameOnGameInformationScreen, CFormAction, DeclareSelectCurrentGame)

CFormActionSelectCurrentGameOnGameInformationScreen::CFormActionSelectCurrentGameOnGameInformationScreen()
{
    ConstructOwnMembers();
}

CFormActionSelectCurrentGameOnGameInformationScreen::~CFormActionSelectCurrentGameOnGameInformationScreen()
{
    DestroyOwnMembers();
}

bool CFormActionSelectCurrentGameOnGameInformationScreen::Execute()
{
    GetArcadeState().ShowGameInformation(m_applicationID);
    return true;
}

// ---- The chosen filter

void DeclareSelectCurrentFilter(ClassInfo* record)
{
    record->AddProperty(new IntegerPropertyInfo(
        "Filter Index To Select", Member<&CFormActionSelectCurrentFilterOnGameListScreen::m_filterIndex>()));
}

FORM_CLASS(CFormActionSelectCurrentFilterOnGameListScreen, CFormAction, DeclareSelectCurrentFilter)

CFormActionSelectCurrentFilterOnGameListScreen::CFormActionSelectCurrentFilterOnGameListScreen()
{
    ConstructOwnMembers();
}

CFormActionSelectCurrentFilterOnGameListScreen::~CFormActionSelectCurrentFilterOnGameListScreen()
{
    DestroyOwnMembers();
}

bool CFormActionSelectCurrentFilterOnGameListScreen::Execute()
{
    GetArcadeState().SelectFilter(m_filterIndex);
    return true;
}

// ---- Actions made for buttons

CFormAction* GameInfoActions(int id)
{
    auto* select = new CFormActionSelectCurrentGameOnGameInformationScreen;
    SetProperty(*select, "ApplicationID To Display", Decimal(id));
    auto* show = new CFormActionSwitchPage;
    SetProperty(*show, "Page To Switch To", kGameInfoPage);
    auto* both = new CMultipleActionsFormAction;
    const auto& actions = *static_cast<ArrayPropertyInfo*>(both->GetClassInfo()->FindProperty("Action"));
    actions.Resize(both, 2);
    *static_cast<CObject**>(actions.Element(both, 0)) = select;
    *static_cast<CObject**>(actions.Element(both, 1)) = show;
    return Pending(both);
}

CFormAction* PortalBrowserAction(const CString& addition, int id)
{
    const CArcadeManagerData* manager = GetManagerData();
    CString address;
    if (manager) {
        address = manager->m_URLRoot;
        address.Append(manager->m_URLRedirectAddition);
        address.Append(addition);
    }
    if (FormManager* current = FormManager::GetCurrent()) current->ApplySubstitutions(address);
    address.ReplaceAll("<%ChosenApplicationID%>", Decimal(id));
    auto* browser = new CFormActionLaunchWebBrowser;
    SetProperty(*browser, "URL", address);
    return Pending(browser);
}
