#include "front/CatalogScreens.h"

#include "forms/ButtonControls.h"
#include "forms/FormManager.h"
#include "front/ApplicationList.h"
#include "front/ArcadeState.h"
#include "front/CatalogActions.h"
#include "front/CatalogRecords.h"
#include "front/FilterList.h"

namespace {

constexpr int kOtherApplications = 5;
constexpr int kTopApplications = 10;
constexpr const char* kNameMissing = "<NAME MISSING>";

CString FrameNameOf(int id)
{
    CString name;
    name.SetInt(id);
    name.Append("L");
    return name;
}

CString Numbered(const char* prefix, int n, const char* suffix)
{
    CString name(prefix);
    CString number;
    number.SetInt(n);
    name.Append(number);
    name.Append(suffix);
    return name;
}

// An image button showing the application's large picture that opens its game information page.
void ShowApplicationButton(const CString& control, int id)
{
    auto* button = FindCurrentControl<CFormImageButtonControl>(control);
    if (!button) return;
    button->SetImage(FrameNameOf(id));
    button->SetAction(GameInfoActions(id));
}

// An application without a record shows empty texts and pictures.
const CArcadeApplicationInformation& RecordOf(int id)
{
    static const CArcadeApplicationInformation blank;
    const CArcadeApplicationInformation* record = GetArcadeState().FindApplicationInformation(id);
    return record ? *record : blank;
}

}  // namespace

CString TopListButtonText(int n, const CString& name)
{
    CString text;
    text.SetInt(n);
    text.Append(". &");
    text.Append(name.IsEmpty() ? CString(kNameMissing) : name);
    text.Append("&");
    return text;
}

int LayoutPixels(float scale, int value)
{
    CFormControl::ScaleByFactor(scale, value);
    return value;
}

CString FirstTwoLines(const CString& wrapped)
{
    const std::string text = wrapped.GetText();
    const std::size_t first = text.find('\n');
    const std::size_t second = first == std::string::npos ? first : text.find('\n', first + 1);
    if (second == std::string::npos) return wrapped;
    return CString((text.substr(0, second) + "...").c_str());
}

void FillFrontPage()
{
    ArcadeState& state = GetArcadeState();
    const int featured = state.GetFeaturedApplicationID();
    ShowApplicationButton("FeaturedApplicationImageButton", featured);
    if (auto* more = FindCurrentControl<CFormButtonControl>("FeaturedApplicationMoreInfoButton"))
        more->SetAction(GameInfoActions(featured));
    for (int n = 1; n <= kOtherApplications; ++n)
        ShowApplicationButton(Numbered("OtherGame", n, "ImageButton"), state.GetOtherApplicationID(n - 1));
    for (int n = 1; n <= kTopApplications; ++n) {
        const int id = state.GetTopApplicationID(n - 1);
        auto* button = FindCurrentControl<CFormButtonControl>(Numbered("TopGame", n, "Button"));
        if (!button) continue;
        button->SetAction(GameInfoActions(id));
        button->SetButtonText(TopListButtonText(n, RecordOf(id).m_GameDisplayName));
    }
}

void ArcadeState::ShowGameInformation(int id)
{
    FormManager* manager = FormManager::GetCurrent();
    if (!manager) return;
    const CArcadeApplicationInformation& record = RecordOf(id);
    manager->SetControlImage("Application Image", record.m_BitmapName);
    manager->SetControlImage("Developer Image", record.m_DeveloperLogoBitmapName);
    manager->SetControlImage("ESRB Image", record.m_ESRBBitmapName);
    manager->SetControlText("Developer Information", record.m_DeveloperInformation);
    manager->SetControlText("Requirements", record.m_MachineRequirements);
    manager->SetControlText("Application Title", record.m_GameDisplayName);
    manager->SetControlText("Application Title2", record.m_GameDisplayName);
    manager->SetControlText("Application Description", record.m_DescriptionLong);
    manager->SetControlText("Download Size", record.m_DownloadSize);
    manager->SetControlText("Price", record.m_Price);
    const CArcadeManagerData* urls = GetManagerData();
    if (!urls) return;
    if (auto* download = manager->FindControlOfClass<CFormButtonControl>("GameInfoDownloadButton"))
        download->SetAction(PortalBrowserAction(urls->m_URLRedirectDownloadApplicationAddition, id));
    if (auto* site = manager->FindControlOfClass<CFormButtonControl>("GameInfoWebPageButton"))
        site->SetAction(PortalBrowserAction(urls->m_URLRedirectApplicationWebSiteAddition, id));
}

void ArcadeState::SelectFilter(int index)
{
    if (auto* filters = FindCurrentControl<CFormReferralFilterListControl>("Filter List"))
        filters->SetSelectedIndex(index);
    if (auto* list = FindCurrentControl<CFormReferralApplicationListControl>("Application List")) {
        list->SetFilterIndex(index);
        list->UpdateWindow();
    }
}
