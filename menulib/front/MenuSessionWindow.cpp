#include "front/MenuSessionWindow.h"

#include <cstdio>

#include "foundation/FolderCollection.h"
#include "foundation/SmallBlockPool.h"
#include "frames/Sequence.h"
#include "front/ArcadeState.h"
#include "front/AssetVersions.h"
#include "front/CatalogRecords.h"
#include "ui/FontLibrary.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitStatics.h"

namespace {

// The toolkit's own sizes (bevels, scroll bars) grow half again over the layout scale.
constexpr float kToolkitScaleFactor = 1.5f;
// The toolkit's cursor slots that the session fills.
constexpr int kPointerCursor = 0;
constexpr int kTextCursor = 1;
constexpr int kFingerCursor = 23;

CString Decimal(int value)
{
    CString text;
    text.SetInt(value);
    return text;
}

CString PriceText(float price)
{
    char text[32];
    std::snprintf(text, sizeof text, "$%.2f", price);
    return CString(text);
}

// The session's screen window, whose size the session window takes.
CJWindow& SessionScreen() { return *GetArcadeState().ScreenWindow; }

}  // namespace

CSequence* RequiredSequence(const char* name)
{
    SequenceFolderCollection& sequences = GetSequenceCollection();
    return static_cast<CSequence*>(sequences.GetOrLoad(sequences.FindRequired(name, -1)));
}

void* MenuSessionWindow::operator new(std::size_t size) { return PoolAlloc(size); }

void MenuSessionWindow::operator delete(void* block, std::size_t size) { PoolFree(block, size); }

MenuSessionWindow::MenuSessionWindow(CJWindow* parent, int, float scale)
    : FormManager(parent, SessionScreen().GetWidth(), SessionScreen().GetHeight(), scale)
{
    FontLibrary& fonts = GetFontLibrary();
    for (int i = 0; i < fonts.GetCount(); ++i)
        if (CFont* font = fonts.GetFont(i)) font->ScalePointSize(scale);
    SetToolkitScale(scale * kToolkitScaleFactor);
    SetToolkitCursor(kPointerCursor, RequiredSequence("MousePointer"));
    SetToolkitCursor(kTextCursor, RequiredSequence("MouseText"));
    SetToolkitCursor(kFingerCursor, RequiredSequence("MouseFinger"));
    AddSessionSubstitutions();
    LoadForm(kFormName, CString());
    GetManagerData();
    GetArcadeState().SelectFilter(0);
}

void MenuSessionWindow::AddSessionSubstitutions()
{
    ArcadeState& state = GetArcadeState();
    const CArcadeManagerData* manager = GetManagerData();
    const CArcadeManagerData none;
    const CArcadeManagerData& urls = manager ? *manager : none;
    AddSubstitution("<%ApplicationName%>", state.ApplicationName);
    AddSubstitution("<%ApplicationID%>", Decimal(state.ApplicationID));
    AddSubstitution("<%ApplicationPrice%>", PriceText(state.Price));
    AddSubstitution("<%URLRoot%>", urls.m_URLRoot);
    AddSubstitution("<%URLRedirectAddition%>", urls.m_URLRedirectAddition);
    AddSubstitution("<%URLRedirectUpdateClientAddition%>", urls.m_URLRedirectUpdateClientAddition);
    AddSubstitution("<%URLRedirectDownloadApplicationAddition%>", urls.m_URLRedirectDownloadApplicationAddition);
    AddSubstitution("<%URLRedirectDownloadFeaturedApplicationAddition%>",
                    urls.m_URLRedirectDownloadFeaturedApplicationAddition);
    AddSubstitution("<%URLRedirectApplicationWebSiteAddition%>", urls.m_URLRedirectApplicationWebSiteAddition);
    AddSubstitution("<%URLRedirectFeaturedApplicationWebSiteAddition%>",
                    urls.m_URLRedirectFeaturedApplicationWebSiteAddition);
    AddSubstitution("<%URLRedirectArcadeWebSiteAddition%>", urls.m_URLRedirectArcadeWebSiteAddition);
    const AssetVersions& versions = AssetVersions::Instance();
    AddSubstitution("<%ArcadeVersionNumber%>", versions.GetArcadeVersionText());
    AddSubstitution("<%ApplicationVersionNumber%>", versions.GetApplicationVersionText());
    AddSubstitution("<%ChannelVersionNumber%>", versions.GetChannelVersionText());
    const int featured = state.GetFeaturedApplicationID();
    AddSubstitution("<%FeaturedApplicationID%>", Decimal(featured));
    // A featured application without its record shows empty texts.
    const CArcadeApplicationInformation* record = state.FindApplicationInformation(featured);
    const CArcadeApplicationInformation blank;
    const CArcadeApplicationInformation& info = record ? *record : blank;
    AddSubstitution("<%FeaturedApplicationName%>", info.m_GameDisplayName);
    AddSubstitution("<%FeaturedApplicationBitmapName%>", info.m_BitmapName);
    AddSubstitution("<%FeaturedApplicationDescriptionShort%>", info.m_DescriptionShort);
    AddSubstitution("<%FeaturedApplicationDescriptionMedium%>", info.m_DescriptionMedium);
    AddSubstitution("<%FeaturedApplicationDescriptionLong%>", info.m_DescriptionLong);
    AddSubstitution("<%LibVersionNumber%>", Decimal(state.LibVersion));
}
