// The interface forms of the main frame: a table with one slot per kind-8 name of the active pack, each form
// loaded the first time it is shown.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "GP_BinaryServer.h"
#include "GP_Campaigns.h"
#include "GP_Effects.h"
#include "GP_Exception.h"
#include "GP_FontCache.h"
#include "GP_Form.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_GraphServer.h"
#include "GP_Log.h"
#include "GP_MouseCursor.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"

namespace {

constexpr std::uint32_t kFormKind = 8;

void RunSwitchHandler(CGP_Form* form, GP_ActionHandler handler)
{
    if (handler && form->actions) handler(*form->actions, form);
}

}  // namespace

std::uint32_t GP_MissionFormID(std::uint32_t formID)
{
    const CampaignFile* campaign = GP_State.CurrentCampaign;
    if (formID != GP_MainMenuForm || !GP_CampaignPackStream || !campaign) return formID;
    const std::int32_t missions = std::atoi(campaign->missionCountText.c_str() + 1);
    // No mission done, or a campaign without missions, would name the form before the first.
    const std::int32_t shown = std::max(1, std::min(GP_State.MissionsDone, missions));
    return 0x9FFFF + static_cast<std::uint32_t>(shown);
}

void CGP_GameMainFrame::ShowForm(std::uint32_t formID, bool fadeOut, bool fadeIn)
{
    formID = GP_MissionFormID(formID);
    const std::int32_t index = names ? names->GetIndex(formID) : -1;
    if (index < 0 || static_cast<std::size_t>(index) >= forms.size()) {
        std::unique_ptr<char[]> line(FormatNew("Form %X is not a form of the active pack\n", formID));
        GP_LogWrite(line.get());
        return;
    }
    if (!forms[index]) forms[index] = LoadForm(formID);
    CGP_Form* form = forms[index].get();
    form->visible = 1;
    form->active = 1;
    if (currentForm) {
        RunSwitchHandler(currentForm, *currentForm->GetLeaveHandler());
        currentForm->Draw();
        if (fadeOut) GP_FadeOut();
    }
    currentForm = form;
    RunSwitchHandler(form, *form->GetEnterHandler());
    GP_Interface().HintTextId = form->Block<GP_FormBlock>()->hintTextID;
    GP_Interface().HintChanged = 1;
    if (fadeIn) {
        form->Draw();
        GP_FadeIn();
    }
}

std::unique_ptr<CGP_Form> CGP_GameMainFrame::LoadForm(std::uint32_t formID)
{
    auto form = std::make_unique<CGP_Form>(nullptr, mouseCursor.get(), this);
    servers->binary->OpenRead(formID);
    form->Read(servers.get());
    form->Bind(actions);
    form->visible = 0;
    form->active = 0;
    *form->GetFormID() = formID;
    return form;
}

// A handler may reset the forms from inside its own form's update: the forms are parked, not deleted, until the
// frame's step is over.
void CGP_GameMainFrame::ResetForms()
{
    for (std::unique_ptr<CGP_Form>& form : forms)
        if (form) formGraveyard.push_back(std::move(form));
    forms.clear();
    forms.resize(names ? names->GetCount(kFormKind) : 0);
}

void CGP_GameMainFrame::ReleaseFormSurfaces()
{
    if (servers && servers->graphics) servers->graphics->FreeSurfaces(false);
    for (const std::unique_ptr<CGP_Form>& form : forms)
        if (form) form->ReleaseSurfaces();
}

void CGP_GameMainFrame::FreeServerSurfaces(bool withFonts)
{
    if (servers && servers->graphics) servers->graphics->FreeSurfaces(withFonts);
    backgroundSurface = nullptr;
}

void CGP_GameMainFrame::ReloadImages()
{
    if (fonts) fonts->LoadImages(servers.get());
    if (backgroundSurface && servers && servers->graphics) {
        servers->graphics->pendingColorKey = backgroundColorKey.get();
        backgroundSurface = servers->graphics->LoadSurface(GP_BackgroundImage, 0xFFFFFFFF, 0, nullptr);
        backgroundColorKey->useColorKey = 0;
    }
    if (mouseCursor) mouseCursor->ReloadImages(servers.get());
    for (const std::unique_ptr<CGP_Form>& form : forms)
        if (form) form->ReloadImages(servers.get());
}
