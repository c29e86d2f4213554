#include "GP_LevelDisplay.h"

#include "GP_Behaviour.h"
#include "GP_MouseCursor.h"
#include "GP_NameGroup.h"
#include "GP_PlayHost.h"
#include "GP_PlayState.h"
#include "GP_ServerSet.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"
#include "GP_TextServer.h"

namespace {
constexpr int DigitWidth = 14, DigitHeight = 17;
constexpr float IconSettleTime = 100.0f;  // the update that gives a new weapon icon its first frame
constexpr int ChargesShown = 4;
constexpr std::int32_t Left = 0, Centred = 1, Right = 2;
}  // namespace

CGP_LevelDisplay::CGP_LevelDisplay() = default;
CGP_LevelDisplay::~CGP_LevelDisplay() = default;

void CGP_LevelDisplay::Build(const GP_LevelDisplaySources& sources)
{
    BuildLabel(topRightCaption, {481, 23, 110, 16, Right, Centred}, TopRightText, sources);
    BuildLabel(missionCaption, {520, 8, 110, 16, Right, Centred}, FirstMissionText + sources.missionIndex, sources);
    BuildLabel(messageLabel, {0, -16, 640, 16, Centred, Centred}, GP_NoID, sources);
    BuildCounter(scoreCounter, {285, 10, 0, 0, 10, ScoreVariable}, sources);
    BuildCounter(stageCounter, {601, 25, 28, 17, 2, ScoreVariable}, sources);
    BuildCounter(livesCounter, {LivesCounterX, 10, 42, 17, 3, ScoreVariable}, sources);
    stageCounter->value = sources.stageNumber;
    livesCounter->value = sources.lives;
    livesCounter->Block<GP_ObjectBlock>()->x = LivesCounterX;
    BuildPicture(reservePanel, {ReservePanelX, 10, 162, 57, ReservePanelImage, 1, true}, sources);
    for (int i = 0; i < WeaponIcons; ++i)
        BuildWeaponIcon(weaponIcons[i], FirstWeaponIcon + static_cast<std::uint32_t>(i), sources);
    BuildPicture(livesPicture, {LivesPictureX, 0, 39, 33, LivesImage, 1, true}, sources);
    livesPicture->Block<GP_ObjectBlock>()->x = LivesPictureX;
    const bool newIndicator = !weaponIndicator;
    BuildPicture(weaponIndicator, {14, 29, 34, 34, WeaponIndicatorImage, WeaponIcons, true}, sources);
    if (newIndicator) weaponIndicator->frameIndex = NoSelection;
    BuildPicture(bottomLeftPicture, {10, 460, 16, 10, BottomLeftImage, 1, false}, sources);
    BuildPicture(slowMotionIcon, {600, 440, 29, 29, SlowMotionImage, 1, true}, sources);
    slowMotionIcon->visible = 0;
    BuildCounter(spareCounter, {600, 460, 130, 0, 3, SpareCounterVariable}, sources);
}

void CGP_LevelDisplay::BuildLabel(std::unique_ptr<CGP_Label>& label, const LabelLook& look, std::uint32_t textID,
                                  const GP_LevelDisplaySources& sources)
{
    if (!label) {
        label = std::make_unique<CGP_Label>(nullptr, sources.cursor, sources.fonts);
        GP_LabelBlock& f = *label->Block<GP_LabelBlock>();
        f.x = look.x;
        f.y = look.y;
        f.width = look.width;
        f.height = look.height;
        f.fontID = HudFont;
        f.horizontalAlignment = look.horizontal;
        f.verticalAlignment = look.vertical;
        label->servers = sources.servers;
        label->CreateFrames(sources.servers);
    } else {
        label->servers = sources.servers;
        label->fontCache = sources.fonts;
        label->ReloadImages(sources.servers);
    }
    label->Block<GP_LabelBlock>()->textID = textID;
    label->Bind(sources.actions);
}

void CGP_LevelDisplay::BuildCounter(std::unique_ptr<CGP_ImageControl>& counter, const CounterLook& look,
                                    const GP_LevelDisplaySources& sources)
{
    if (counter) {
        counter->ReloadImages(sources.servers);
        return;
    }
    counter = std::make_unique<CGP_ImageControl>(nullptr, sources.cursor);
    GP_ImageControlBlock& f = *counter->Block<GP_ImageControlBlock>();
    f.x = look.x;
    f.y = look.y;
    f.width = look.width;
    f.height = look.height;
    f.places = look.places;
    f.digitWidth = DigitWidth;
    f.digitHeight = DigitHeight;
    f.digitStripID = DigitStrip;
    f.valueVariable = look.variable;
    counter->CreateFrames(sources.servers);
    counter->Bind(sources.actions);
}

void CGP_LevelDisplay::BuildPicture(std::unique_ptr<CGP_Element>& picture, const PictureLook& look,
                                    const GP_LevelDisplaySources& sources)
{
    if (picture) {
        picture->ReloadImages(sources.servers);
        return;
    }
    picture = std::make_unique<CGP_Element>(nullptr);
    GP_ElementBlock& f = *picture->Block<GP_ElementBlock>();
    f.x = look.x;
    f.y = look.y;
    f.width = look.width;
    f.height = look.height;
    f.imageID = look.image;
    f.frameCount = look.frames;
    f.useColorKey = look.colorKey ? 1 : 0;
    picture->CreateFrames(sources.servers);
}

void CGP_LevelDisplay::BuildWeaponIcon(std::unique_ptr<CGP_GameObject>& icon, std::uint32_t spriteID,
                                       const GP_LevelDisplaySources& sources)
{
    if (!sources.play || !sources.play->GetSpriteManager()) return;
    if (!icon) icon = std::make_unique<CGP_GameObject>(nullptr, nullptr, sources.play);
    *icon->spriteID = spriteID;
    icon->def = sources.play->GetSpriteManager()->GetDefinition(spriteID, true);
    CGP_Behaviour* behaviour = sources.play->GetBehaviour(GP_IndexOf(icon->def->record.header.behaviourID));
    if (behaviour)
        behaviour->Attach(icon.get());
    else
        icon->behaviour = nullptr;
    icon->visible = 1;
    icon->UpdatePlain(IconSettleTime);
    *icon->vx = 0;
    *icon->vy = 0;
    *icon->y = IconsY;
}

void CGP_LevelDisplay::Draw(float elapsed, GP_PlayState& play, bool paused)
{
    if (play.ReserveShown) DrawWeaponPanel(elapsed, play);
    CGP_Element* const inOrder[] = {livesPicture.get(),     livesCounter.get(), scoreCounter.get(),
                                    topRightCaption.get(),  stageCounter.get(), missionCaption.get(),
                                    bottomLeftPicture.get()};
    for (CGP_Element* element : inOrder)
        if (element) element->Draw();
    if (play.SlowMotion) DrawSlowMotionIcon(elapsed, play);
    DrawMessage(elapsed, play, paused);
}

void CGP_LevelDisplay::DrawWeaponPanel(float elapsed, const GP_PlayState& play)
{
    if (reservePanel) reservePanel->Draw();
    if (CGP_GameObject* icon = SelectedIcon()) {
        const std::int32_t charge = play.WeaponCounts[selectedWeapon];
        if (charge >= ChargesShown)
            icon->UpdatePlain(elapsed);
        else
            icon->frameIndex = 0;
        for (int i = 0; i < ChargesShown && charge > i; ++i) {
            *icon->x = IconsX + static_cast<float>(i) * IconStep;
            icon->Draw();
        }
    }
    if (weaponIndicator && weaponIndicator->frameIndex != NoSelection) weaponIndicator->Draw();
}

void CGP_LevelDisplay::DrawSlowMotionIcon(float elapsed, const GP_PlayState& play)
{
    if (!slowMotionIcon) return;
    if (play.SlowMotionTime < SlowMotionWarning) {
        slowMotionBlinkTime -= elapsed;
        if (slowMotionBlinkTime < 0) {
            slowMotionBlinkTime = SlowMotionBlink;
            slowMotionIcon->visible = !slowMotionIcon->visible;
        }
    }
    slowMotionIcon->Draw();
}

void CGP_LevelDisplay::DrawMessage(float elapsed, GP_PlayState& play, bool paused)
{
    if (play.MessageTime <= 0) return;
    if (!paused && !play.GameOver && !play.MissionComplete) play.MessageTime -= elapsed;
    if (messageLabel) messageLabel->Draw();
}

CGP_GameObject* CGP_LevelDisplay::SelectedIcon() const
{
    if (selectedWeapon < 0 || selectedWeapon >= WeaponIcons) return nullptr;
    return weaponIcons[selectedWeapon].get();
}

void CGP_LevelDisplay::ShowMessage(std::uint32_t textID, float y)
{
    if (!messageLabel) return;
    messageLabel->Block<GP_LabelBlock>()->textID = textID;
    CGP_ServerSet* servers = messageLabel->servers;
    messageLabel->text = servers && servers->text ? servers->text->GetText(textID) : "";
    messageLabel->changed = 1;
    messageLabel->Block<GP_ObjectBlock>()->y = y;
}

void CGP_LevelDisplay::HideMessage()
{
    if (messageLabel) messageLabel->Block<GP_ObjectBlock>()->y = static_cast<float>(-*messageLabel->GetHeight());
}

void CGP_LevelDisplay::SelectWeapon(std::int32_t weapon)
{
    selectedWeapon = weapon;
    SetWeaponIndicator(weapon);
}

void CGP_LevelDisplay::SetWeaponIndicator(std::int32_t selection)
{
    if (weaponIndicator) weaponIndicator->frameIndex = selection;
}

void CGP_LevelDisplay::RewindWeaponIcon(std::int32_t index)
{
    if (index < 0 || index >= WeaponIcons || !weaponIcons[index]) return;
    CGP_GameObject* icon = weaponIcons[index].get();
    icon->frameIndex = 0;
    if (icon->stateBlock) icon->stateBlock->animPos = 0;
}

void CGP_LevelDisplay::ResetWeaponDisplay()
{
    RewindWeaponIcon(selectedWeapon);
    SetWeaponIndicator(NoSelection);
    if (reservePanel) reservePanel->Block<GP_ObjectBlock>()->x = ReservePanelX;
    if (CGP_GameObject* icon = SelectedIcon()) *icon->x = ResetIconX;
}

void CGP_LevelDisplay::ShowSlowMotionIcon()
{
    if (slowMotionIcon) slowMotionIcon->visible = 1;
    slowMotionBlinkTime = SlowMotionBlink;
}
