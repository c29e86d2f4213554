// The main frame's player profiles, top list and hall-of-fame e-mail address, each kept by its own file or
// registry value; these members only hand them the start-up folder and the game's state.
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_Main.h"
#include "GP_Players.h"
#include "GP_ServerSet.h"
#include "GP_TextServer.h"
#include "GP_TopList.h"

namespace {

constexpr std::uint32_t kEmptySlotText = 0x50020;

}  // namespace

void CGP_GameMainFrame::LoadPlayers()
{
    const char* emptySlot = servers && servers->text ? servers->text->GetText(kEmptySlotText) : nullptr;
    players = std::make_unique<CGP_Players>(emptySlot ? emptySlot : "", GP_State.SlotInUse);
    GP_LoadPlayersFile(*players, GP_WorkingFolder);
}

void CGP_GameMainFrame::SavePlayers()
{
    if (players) GP_SavePlayersFile(*players, GP_WorkingFolder);
}

void CGP_GameMainFrame::LoadTopList() { topList = GP_LoadTopListFile(GP_WorkingFolder); }

void CGP_GameMainFrame::SaveTopList()
{
    if (topList) GP_SaveTopListFile(*topList, GP_WorkingFolder);
}

void CGP_GameMainFrame::PromptEMail(bool ask)
{
    account.putResults = PutResults;
    GP_PromptEMail(ask, account, static_cast<std::uint16_t>(InterfaceLanguage));
    PutResults = account.putResults;
}
