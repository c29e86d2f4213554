// The wandering, diving, sequencing and hatch bosses.
#include <cmath>

#include "GP_BehBosses.h"
#include "GP_Math.h"
#include "GP_Random.h"
#include "GP_SpriteDef.h"

namespace {
constexpr std::int32_t SpriteShown = 1;
constexpr std::int32_t SpriteHidden = 3;
constexpr float HitPuffStep = 100;
constexpr float RageTime = 3000;
constexpr float FadeTime = 750;
constexpr float HalfScreen = 320;

std::int32_t Centred(int screen, int size) { return (screen - size) / 2; }
}  // namespace

CGP_WandererBossBehaviour::CGP_WandererBossBehaviour(CGP_BehaviourHost* owner) : CGP_BossBehaviour(owner)
{
    SetState(0, &CGP_WandererBossBehaviour::Start);
    SetState(1, &CGP_WandererBossBehaviour::Patrol);
    SetState(2, &CGP_WandererBossBehaviour::Hunt);
    SetState(3, &CGP_WandererBossBehaviour::Rage);
    SetState(4, &CGP_WandererBossBehaviour::Die);
    SetState(5, &CGP_WandererBossBehaviour::Fade);
}

void CGP_WandererBossBehaviour::Attach(CGP_GameObject* object)
{
    GP_WandererState& block = EnsureBlock<GP_WandererState>(object);
    CGP_BossBehaviour::Attach(object);
    block.word = 0;
    object->state = SpriteHidden;
    *object->vx = *object->vy = 0;
    object->frameIndex = 0;
}

bool CGP_WandererBossBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    object->EmitPrimary(HitPuffStep, -1);
    object->effectOn = 1;
    object->effectTime = 150;
    object->effectStep = 50;
    EnergyHit();
    return alive;
}

void CGP_WandererBossBehaviour::Start(CGP_GameObject* object, float)
{
    SwitchOn(object, 0, 3);
    GP_BehaviourState& block = Common(object);
    block.state = 1;
    block.targetX = RandomBelow(GP_PlayWidth - Width(object));
    object->effectOn = 0;
    ResetForStage(20);
}

void CGP_WandererBossBehaviour::Patrol(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    if (!MoveX(object, timeStep)) block.targetX = RandomBelow(GP_PlayWidth - Width(object));
    if (!Gone(object, 2) && !Gone(object, 3)) return;
    block.targetX = Centred(GP_PlayWidth, Width(object));
    block.targetY = Centred(GP_PlayHeight, Height(object));
    block.state = 2;
}

void CGP_WandererBossBehaviour::Wander(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    if (!MoveX(object, timeStep)) block.targetX = GP_Rand() % 256 - 8;
    if (!MoveY(object, timeStep)) block.targetY = GP_Rand() % 128 + 39;
}

void CGP_WandererBossBehaviour::AimAndFire(CGP_GameObject* object)
{
    CGP_GameObject* player = Player();
    if (!player || !object->def) return;
    const float playerX = *player->x + static_cast<float>(Width(player) >> 1);
    const float playerY = *player->y + static_cast<float>(Height(player) >> 1);
    const int slot = *object->x + static_cast<float>(Width(object) >> 1) > playerX ? 1 : 0;
    const std::vector<GP_WeaponSlot>& slots = object->def->record.weapons;
    if (slot >= static_cast<int>(slots.size())) return;
    const float originX = *object->x + static_cast<float>(slots[slot].muzzleX);
    const float originY = *object->y + static_cast<float>(slots[slot].muzzleY);
    // The angle's arguments are crossed against the other aims; the weapon's base heading allows for it.
    *object->heading = GP_Atan2Deg(playerX - originX, playerY - originY);
    object->Fire(false, slot);
}

void CGP_WandererBossBehaviour::Hunt(CGP_GameObject* object, float timeStep)
{
    Wander(object, timeStep);
    AimAndFire(object);
    if (!Gone(object, 2) || !Gone(object, 3)) return;
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    block.targetX = Centred(GP_PlayWidth, Width(object));
    block.targetY = Centred(GP_PlayHeight, Height(object)) - 100;
    block.state = 3;
    Command(object, 1, 2);
    SwitchOn(object, 4, 7);
    StartEffects(object, 4, 7);
    block.timer = 0;
}

void CGP_WandererBossBehaviour::Rage(CGP_GameObject* object, float timeStep)
{
    Wander(object, timeStep);
    AimAndFire(object);
    GP_BehaviourState& block = Common(object);
    block.timer += timeStep;
    if (block.timer <= RageTime) return;
    block.timer = 0;
    CGP_GameObject* part = Part(object, 1);
    if (!Gone(object, 1) && part->stateBlock && part->stateBlock->state != 3) part->stateBlock->state = 3;
}

void CGP_WandererBossBehaviour::Die(CGP_GameObject* object, float timeStep)
{
    object->EmitSecondary(timeStep, -1);
    AllSlots(object, false);
    Common(object).timer = 0;
    Common(object).state = 5;
}

void CGP_WandererBossBehaviour::Fade(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer += timeStep;
    if (block.timer <= FadeTime) return;
    AllSlots(object, false);
    Defeated(object);
}

CGP_DivingBossBehaviour::CGP_DivingBossBehaviour(CGP_BehaviourHost* owner) : CGP_BossBehaviour(owner)
{
    SetState(0, &CGP_DivingBossBehaviour::Start);
    SetState(1, &CGP_DivingBossBehaviour::Watch);
    SetState(2, &CGP_DivingBossBehaviour::Roam);
    SetState(3, &CGP_DivingBossBehaviour::Dive);
    SetState(4, &CGP_DivingBossBehaviour::Die);
}

bool CGP_DivingBossBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    object->EmitPrimary(HitPuffStep, 3);
    EnergyHit();
    return alive;
}

void CGP_DivingBossBehaviour::NewTargets(CGP_GameObject* object)
{
    GP_BehaviourState& block = Common(object);
    block.targetX = GP_Rand() % 180 + (block.animEnd < HalfScreen ? 0 : 320);
    block.targetY = GP_Rand() % 120;
}

void CGP_DivingBossBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteHidden;
    block.state = 1;
    SwitchOn(object, 0, 2);
    block.animEnd = *object->x;
    NewTargets(object);
    ResetForStage(30);
}

void CGP_DivingBossBehaviour::HalfScreenWander(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    if (!MoveX(object, timeStep)) block.targetX = GP_Rand() % 180 + (block.animEnd < HalfScreen ? 0 : 320);
    if (!MoveY(object, timeStep)) block.targetY = GP_Rand() % 120;
}

void CGP_DivingBossBehaviour::PhaseChange(CGP_GameObject* object)
{
    if (!Gone(object, 2)) return;
    SwitchOn(object, 3, 6);
    StartEffects(object, 3, 6);
    GP_BehaviourState& block = Common(object);
    block.state = 2;
    block.targetX = 250;
    block.targetY = 50;
    object->state = SpriteShown;
}

bool CGP_DivingBossBehaviour::PlayerBelow(CGP_GameObject* object) const
{
    CGP_GameObject* player = Player();
    if (!player) return false;
    const float x = *object->x;
    return x + DiveMargin < *player->x &&
           *player->x + static_cast<float>(Width(player)) < x + static_cast<float>(Width(object) - DiveMargin);
}

void CGP_DivingBossBehaviour::Watch(CGP_GameObject* object, float timeStep)
{
    HalfScreenWander(object, timeStep);
    PhaseChange(object);
    GP_BehaviourState& block = Common(object);
    if (block.state == 1 && PlayerBelow(object)) {
        block.state = 3;
        SetAux2Float(object, Header(object).acceleration);
    }
    object->EmitPrimary(timeStep, 1);
    object->EmitPrimary(timeStep, 2);
}

void CGP_DivingBossBehaviour::Roam(CGP_GameObject* object, float timeStep)
{
    HalfScreenWander(object, timeStep);
    for (int entry = 0; entry <= 2; ++entry) object->EmitPrimary(timeStep, entry);
}

void CGP_DivingBossBehaviour::Dive(CGP_GameObject* object, float timeStep)
{
    *object->vy = std::fmin(*object->vy + timeStep * Aux2Float(object), Header(object).maxSpeed);
    *object->y += *object->vy * timeStep;
    PhaseChange(object);
    if (Common(object).state != 3 || *object->y <= DiveBottom) return;
    *object->vy = 0;
    NewTargets(object);
    Common(object).state = 1;
}

void CGP_DivingBossBehaviour::Die(CGP_GameObject* object, float timeStep)
{
    object->EmitSecondary(timeStep, -1);
    RemovePart(object, 0);
    RemovePart(object, 1);
    Defeated(object);
}

CGP_SequencerBossBehaviour::CGP_SequencerBossBehaviour(CGP_BehaviourHost* owner) : CGP_BossBehaviour(owner)
{
    SetState(0, &CGP_SequencerBossBehaviour::Start);
    SetState(1, &CGP_SequencerBossBehaviour::First);
    SetState(2, &CGP_SequencerBossBehaviour::Second);
    SetState(3, &CGP_SequencerBossBehaviour::Third);
    SetState(4, &CGP_SequencerBossBehaviour::Ending);
    SetState(5, &CGP_SequencerBossBehaviour::End);
}

void CGP_SequencerBossBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    block.state = 1;
    block.timer = 0;
    *object->y = 80;
    block.targetX = GP_Rand() % 298;
    AllSlots(object, true);
    Play().SequenceIndex = 0;
    Play().SequenceStep = 1;
    ResetForStage(31);
}

void CGP_SequencerBossBehaviour::Sequence(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer += timeStep;
    if (block.timer <= SequenceTime) return;
    GP_PlayState& play = Play();
    if (!Gone(object, play.SequenceIndex)) Command(object, play.SequenceIndex, 2);
    block.timer = 0;
    play.SequenceIndex += play.SequenceStep;
    if (play.SequenceIndex > 4) {
        play.SequenceIndex = 4;
        play.SequenceStep = -1;
    } else if (play.SequenceIndex < 0) {
        play.SequenceIndex = 0;
        play.SequenceStep = 1;
    }
}

void CGP_SequencerBossBehaviour::First(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    if (!MoveX(object, timeStep)) block.targetX = GP_Rand() % 298;
    Sequence(object, timeStep);
    int remaining = 0;
    for (int k = 0; k <= 4; ++k) remaining += !Gone(object, k);
    if (remaining >= 4) return;
    block.state = 2;
    block.targetX = Centred(GP_PlayWidth, Width(object));
    block.targetY = 0;
    Announce(object, 5);
    Announce(object, 6);
}

void CGP_SequencerBossBehaviour::Wander(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    if (!MoveX(object, timeStep)) block.targetX = GP_Rand() % 298 + 50;
    if (!MoveY(object, timeStep)) block.targetY = GP_Rand() % 50 + 80;
    Sequence(object, timeStep);
}

void CGP_SequencerBossBehaviour::Second(CGP_GameObject* object, float timeStep)
{
    Wander(object, timeStep);
    if (!Gone(object, 5) || !Gone(object, 6)) return;
    GP_BehaviourState& block = Common(object);
    block.targetX = Centred(GP_PlayWidth, Width(object));
    block.targetY = 0;
    Announce(object, 7);
    Announce(object, 8);
    block.state = 3;
}

void CGP_SequencerBossBehaviour::Third(CGP_GameObject* object, float timeStep)
{
    Wander(object, timeStep);
    for (int k = 0; k <= 8; ++k) {
        if (!Gone(object, k)) return;
    }
    GP_BehaviourState& block = Common(object);
    block.state = 4;
    Command(object, 9, 3);
    Command(object, 10, 3);
    *object->vy = std::fabs(*object->vy);
    object->EmitSecondary(timeStep, 0);
    object->EmitSecondary(timeStep, 1);
    block.timer = 0;
}

void CGP_SequencerBossBehaviour::Ending(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer += timeStep;
    if (block.timer <= 1000) return;
    block.timer = 0;
    block.state = 5;
    object->EmitSecondary(timeStep, 2);
}

void CGP_SequencerBossBehaviour::End(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer += timeStep;
    if (block.timer > 200) Defeated(object);
}

CGP_HatchBossBehaviour::CGP_HatchBossBehaviour(CGP_BehaviourHost* owner) : CGP_BossBehaviour(owner)
{
    SetState(0, &CGP_HatchBossBehaviour::Start);
    SetState(1, &CGP_HatchBossBehaviour::Roam);
    SetState(2, &CGP_HatchBossBehaviour::Centre);
    SetState(3, &CGP_HatchBossBehaviour::Launching);
    SetState(4, &CGP_HatchBossBehaviour::Die);
}

bool CGP_HatchBossBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    object->EmitPrimary(HitPuffStep, 0);
    EnergyHit();
    return alive;
}

void CGP_HatchBossBehaviour::HideLights(CGP_GameObject* object)
{
    for (int k = 7; k <= 12; ++k) {
        if (CGP_GameObject* part = Part(object, k)) part->visible = 0;
    }
}

void CGP_HatchBossBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    AllSlots(object, true);
    block.state = 1;
    block.targetX = GP_Rand() % 385;
    block.targetY = GP_Rand() % 50 + 50;
    *object->y = 40;
    block.timer = static_cast<float>(Header(object).interval);
    StartEffects(object, 13, 16);
    ResetForStage(10);
}

void CGP_HatchBossBehaviour::Roam(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    HideLights(object);
    if (!MoveX(object, timeStep)) block.targetX = GP_Rand() % 385;
    block.timer -= timeStep;
    if (block.timer < 0) {
        const int first = Play().SideToggle ? 10 : 7;
        for (int k = first; k < first + 3; ++k) {
            CGP_GameObject* light = Part(object, k);
            if (!light) continue;
            light->visible = 1;
            light->effectOn = 1;
            light->effectTime = 60000;
            light->effectStep = light->effectLeft = 100;
        }
        block.state = 2;
        block.targetY = 50;
        block.targetX = Centred(GP_PlayWidth, Width(object));
    }
    for (int entry = 1; entry <= 4; ++entry) object->EmitPrimary(timeStep, entry);
}

void CGP_HatchBossBehaviour::Centre(CGP_GameObject* object, float timeStep)
{
    if (MoveX(object, timeStep)) return;
    Common(object).state = 3;
    Command(object, 6, 2);
    Command(object, 1, 2);
}

void CGP_HatchBossBehaviour::Launching(CGP_GameObject* object, float)
{
    CGP_GameObject* hatch = Part(object, 6);
    const bool back = !hatch || !hatch->stateBlock || hatch->stateBlock->state == 1 || hatch->state == GP_StateGone;
    if (!back) return;
    GP_BehaviourState& block = Common(object);
    block.state = 1;
    block.timer = static_cast<float>(Header(object).interval);
    for (int k = 7; k <= 12; ++k) {
        if (CGP_GameObject* light = Part(object, k)) {
            light->visible = 0;
            light->effectOn = 0;
        }
    }
}

void CGP_HatchBossBehaviour::Die(CGP_GameObject* object, float timeStep)
{
    for (int k : {6, 4, 5, 1}) Command(object, k, GP_BehaviourDying);
    for (int k : {2, 3, 0, 7, 8, 9, 10, 11, 12}) RemovePart(object, k);
    object->EmitSecondary(timeStep, -1);
    Defeated(object);
}
