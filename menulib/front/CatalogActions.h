// The catalog screens' scripted actions (the front page filled from the catalog, an application chosen for the
// game information page, a filter chosen on the list page) and the actions the screens make for their buttons:
// the "Game Info actions" of an application and the web browser opened at a portal address.
#pragma once
#include "forms/FormAction.h"

class CFormActionDoFrontPageCustomization : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionDoFrontPageCustomization)
public:
    CFormActionDoFrontPageCustomization();
    ~CFormActionDoFrontPageCustomization() override;
    bool Execute() override;
};

class CFormActionSelectCurrentGameOnGameInformationScreen : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionSelectCurrentGameOnGameInformationScreen)
public:
    CFormActionSelectCurrentGameOnGameInformationScreen();
    ~CFormActionSelectCurrentGameOnGameInformationScreen() override;
    bool Execute() override;

private:
    friend void DeclareSelectCurrentGame(ClassInfo* record);
    std::int32_t m_applicationID = 1;
};

class CFormActionSelectCurrentFilterOnGameListScreen : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionSelectCurrentFilterOnGameListScreen)
public:
    CFormActionSelectCurrentFilterOnGameListScreen();
    ~CFormActionSelectCurrentFilterOnGameListScreen() override;
    bool Execute() override;

private:
    friend void DeclareSelectCurrentFilter(ClassInfo* record);
    std::int32_t m_filterIndex = 0;
};

// The action that shows an application's game information page: its selection, then the switch to "Game Info".
// Kept in the session's pending objects, which delete it when the session ends.
CFormAction* GameInfoActions(int id);
// A web browser action at the portal address "URL Root" + "URL Redirect Addition" + the addition, with the
// session's substitutions and "<%ChosenApplicationID%>" as the id; kept in the session's pending objects.
CFormAction* PortalBrowserAction(const CString& addition, int id);
