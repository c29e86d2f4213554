// The play step: one frame of the level in play. The objects move (some layers slowed while slow motion is on),
// a random enemy fires now and then, the field, the shadows, the objects, the level display and the centre
// message are drawn, and a cleared stage leads to the next stage or to the end of the mission.
#include "GP_Display.h"
#include "GP_Effects.h"
#include "GP_Form.h"
#include "GP_GameMainFrame.h"
#include "GP_GameObject.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_IDList.h"
#include "GP_Label.h"
#include "GP_Log.h"
#include "GP_NameServer.h"
#include "GP_ObjectList.h"
#include "GP_PlayField.h"
#include "GP_Random.h"
#include "GP_Scene.h"
#include "GP_SoundPlayer.h"
#include "GP_Surface.h"

namespace {

constexpr std::uint32_t kNoStage = 0xFFFFFFFF;
constexpr std::uint32_t kGetReadyText = 0x50002;
constexpr std::uint32_t kMissionCompleteText = 0x50031;
constexpr std::uint16_t kEnemyList = 0;
constexpr std::uint16_t kHoldingList = 12;  // its objects hold the stage open while their behaviour state is not 0
constexpr std::uint16_t kClearedLists[] = {0, 9, 7, 14, 15, 1};
constexpr std::uint32_t kSlowLayers[] = {0x30000, 0x30001, 0x30009};
constexpr float kSlowFactor = 0.1f;
constexpr std::int32_t kStageClearWait = 1000;
constexpr std::int32_t kLevelEndWait = 5000;
constexpr std::int32_t kResultsWait = 10000;
constexpr std::uint8_t kPauseKey = 19;

bool IsSlowLayer(std::uint32_t nameID)
{
    for (std::uint32_t slow : kSlowLayers)
        if (nameID == slow) return true;
    return false;
}

}  // namespace

void CGP_GameMainFrame::PlayStep(float elapsed)
{
    if (currentForm) currentForm->Update(elapsed);
    if (GP_State.SkipPlayStep) {
        GP_State.SkipPlayStep = false;
        return;
    }
    if (GP_State.ResultsShown) {
        GP_State.EndTimer += static_cast<std::int32_t>(elapsed);
        if (GP_State.EndTimer > kResultsWait) OnKeyDown(this, GP_KeyEscape, 0, 0);
        return;
    }
    if (!GP_State.Paused) UpdatePlay(elapsed);
    DrawPlay(elapsed);
    if (GP_State.MissionComplete || GP_State.GameOver) {
        GP_State.EndTimer += static_cast<std::int32_t>(elapsed);
        if (GP_State.EndTimer > kLevelEndWait) OnKeyDown(this, GP_KeyEscape, 0, 0);
        return;
    }
    CheckStageEnd(elapsed);
    CGP_Surface* back = display ? display->backSurface.get() : nullptr;
    if (OverlayPicture && back)
        OverlayPicture->BltFast(back, overlayX, overlayY, 0, 0, OverlayPicture->width, OverlayPicture->height);
    if (!currentForm) return;
    currentForm->Draw();
    if (mouseCursor) mouseCursor->Draw();
}

void CGP_GameMainFrame::UpdatePlay(float elapsed)
{
    if (scene && scene->playField) scene->playField->Update(elapsed);
    GP_State.FrameSharedDone = 0;
    for (std::size_t i = 0; i < objectLists.size(); ++i) {
        const bool slow =
            GP_State.SlowMotion && names && IsSlowLayer(names->GetID(static_cast<std::int32_t>(i), GP_LevelListKind));
        objectLists[i]->Update(slow ? elapsed * kSlowFactor : elapsed);
    }
    if (GP_State.SlowMotion) {
        GP_State.SlowMotionTime -= elapsed;
        if (GP_State.SlowMotionTime < 0) GP_State.SlowMotion = 0;
    }
    if (!GP_State.GameOver) {
        GP_State.EnemyFireTimer -= GP_State.SlowMotion ? elapsed * kSlowFactor : elapsed;
        if (GP_State.EnemyFireTimer < 0) FireRandomEnemy();
    }
    if (soundPlayer) soundPlayer->Update();
}

// The next shot comes after the scene's period P to 2P; a period below one millisecond takes no random part.
void CGP_GameMainFrame::FireRandomEnemy()
{
    const float period = scene ? scene->parameters->enemyFirePeriod : 0.0f;
    const std::int32_t whole = static_cast<std::int32_t>(period);
    GP_State.EnemyFireTimer = whole > 0 ? static_cast<float>(GP_Rand() % whole) + period : period;
    CGP_ObjectList* enemies = GetObjectList(kEnemyList);
    if (!enemies || enemies->Count() == 0) return;
    std::int32_t k = GP_Rand() % enemies->Count();
    for (std::uint16_t i = 0; i < enemies->Count(); ++i) {
        CGP_GameObject* enemy = enemies->At(i);
        if (enemy->state == GP_StateGone) continue;
        if (k-- == 0) {
            enemy->Fire(true, 0);
            return;
        }
    }
}

void CGP_GameMainFrame::DrawPlay(float elapsed)
{
    CGP_PlayField* field = scene ? scene->playField.get() : nullptr;
    if (field) field->Draw();
    CGP_Surface* back = display ? display->backSurface.get() : nullptr;
    if (GlobalShadowEnabled && field && field->hasShadow && back && back->Lock() == GP_SurfaceOk) {
        for (auto& list : objectLists) list->DrawShadows();
        back->Unlock();
    }
    for (const GP_DrawOrderEntry& entry : drawOrder) entry.list->Draw();
    levelDisplay->Draw(elapsed, GP_State, GP_State.Paused);
}

void CGP_GameMainFrame::CheckStageEnd(float elapsed)
{
    bool cleared = !GP_State.InGameMenu && !GP_State.Paused;
    for (std::uint16_t index : kClearedLists) {
        const CGP_ObjectList* list = GetObjectList(index);
        if (list && list->CountLive() != 0) cleared = false;
    }
    if (!cleared) {
        GP_State.EndTimer = 0;
        return;
    }
    if (const CGP_ObjectList* holding = GetObjectList(kHoldingList)) {
        for (std::uint16_t i = 0; i < holding->Count(); ++i) {
            const CGP_GameObject* object = holding->At(i);
            if (object->state != GP_StateGone && object->stateBlock && object->stateBlock->state != 0) return;
        }
    }
    GP_State.EndTimer += static_cast<std::int32_t>(elapsed);
    if (GP_State.EndTimer <= kStageClearWait) return;
    GP_State.ShipReady = false;
    const std::uint32_t next = stageList ? stageList->Next() : kNoStage;
    if (next == kNoStage) {
        ShowCentreMessage(kMissionCompleteText);
        GP_State.MissionComplete = 1;
        GP_State.EndTimer = 0;
        EndMission();
        return;
    }
    GP_State.EndTimer = 0;
    CGP_Surface* back = display ? display->backSurface.get() : nullptr;
    if (back && back->Lock() == GP_SurfaceOk) {
        GP_DarkenRect(0, 0, 640, 480);
        back->Unlock();
    }
    if (levelDisplay->messageLabel) {
        ShowCentreMessage(kGetReadyText);
        levelDisplay->messageLabel->Draw();
        HideMessage();
    }
    if (display) display->Present(1);
    EndStage();
    ++GP_State.StageNumber;
    StartStage(next);
    if (scene && scene->playField) scene->playField->Draw();
    GP_FadeIn();
    TypedKeys[kPauseKey] = 0;
}
