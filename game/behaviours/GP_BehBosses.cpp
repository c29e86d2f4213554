// The shared commands of the boss controllers, and the fortress boss.
#include "GP_BehBosses.h"

#include "GP_Random.h"
#include "GP_SpriteDef.h"

namespace {
constexpr std::int32_t SpriteShown = 1;
constexpr std::int32_t SpriteBurning = 3;
constexpr std::int32_t PartAnnounced = 3;
constexpr int OwnBlinkingSlots = 4;
constexpr float BurnTime = 3000;

enum FortressState : std::int32_t {
    Start = 0,
    Guard = 1,
    WallDown = 2,
    CoreOpen = 3,
    Fall = 4,
    Burn = 5,
    BothOpen = 6,
    LastStand = 7,
};
}  // namespace

CGP_GameObject* CGP_BossBehaviour::Part(CGP_GameObject* boss, int k) { return boss->GetAttachment(k); }

bool CGP_BossBehaviour::Gone(CGP_GameObject* boss, int k)
{
    CGP_GameObject* part = Part(boss, k);
    return !part || part->state == GP_StateGone;
}

void CGP_BossBehaviour::SwitchOn(CGP_GameObject* boss, int first, int last)
{
    for (int k = first; k <= last; ++k) boss->SetAttachment(true, false, k);
}

void CGP_BossBehaviour::AllSlots(CGP_GameObject* boss, bool on) { boss->SetAttachment(on, true, 0); }

void CGP_BossBehaviour::Announce(CGP_GameObject* boss, int k)
{
    CGP_GameObject* part = Part(boss, k);
    if (!part) return;
    part->state = SpriteShown;
    if (part->stateBlock) part->stateBlock->state = PartAnnounced;
    AllSlots(part, true);
    for (int slot = 0; slot < OwnBlinkingSlots; ++slot) {
        if (CGP_GameObject* own = part->GetAttachment(slot)) own->StartEffect(AnnounceTime, AnnounceStep);
    }
}

void CGP_BossBehaviour::Command(CGP_GameObject* boss, int k, std::int32_t state)
{
    CGP_GameObject* part = Part(boss, k);
    if (part && part->stateBlock) part->stateBlock->state = state;
}

void CGP_BossBehaviour::StartEffects(CGP_GameObject* boss, int first, int last)
{
    for (int k = first; k <= last; ++k) {
        if (CGP_GameObject* part = Part(boss, k)) part->StartEffect(AnnounceTime, AnnounceStep);
    }
}

void CGP_BossBehaviour::RemovePart(CGP_GameObject* boss, int k)
{
    if (CGP_GameObject* part = Part(boss, k)) Remove(part);
}

std::int32_t CGP_BossBehaviour::RandomBelow(std::int32_t n) { return n > 0 ? GP_Rand() % n : 0; }

bool CGP_BossBehaviour::MoveX(CGP_GameObject* boss, float timeStep)
{
    if (!ApproachX(boss, timeStep)) return false;
    *boss->x += *boss->vx * timeStep;
    return true;
}

bool CGP_BossBehaviour::MoveY(CGP_GameObject* boss, float timeStep)
{
    if (!ApproachY(boss, timeStep)) return false;
    *boss->y += *boss->vy * timeStep;
    return true;
}

void CGP_BossBehaviour::Defeated(CGP_GameObject* boss)
{
    Remove(boss);
    AddScore(boss);
}

CGP_FortressBossBehaviour::CGP_FortressBossBehaviour(CGP_BehaviourHost* owner) : CGP_BossBehaviour(owner)
{
    SetState(FortressState::Start, &CGP_FortressBossBehaviour::Start);
    SetState(FortressState::Guard, &CGP_FortressBossBehaviour::Guard);
    SetState(FortressState::WallDown, &CGP_FortressBossBehaviour::WallDown);
    SetState(FortressState::CoreOpen, &CGP_FortressBossBehaviour::CoreOpen);
    SetState(FortressState::BothOpen, &CGP_FortressBossBehaviour::BothOpen);
    SetState(FortressState::LastStand, &CGP_FortressBossBehaviour::LastStand);
    SetState(FortressState::Fall, &CGP_FortressBossBehaviour::Fall);
    SetState(FortressState::Burn, &CGP_FortressBossBehaviour::Burn);
}

void CGP_FortressBossBehaviour::Start(CGP_GameObject* object, float)
{
    SwitchOn(object, 0, 8);
    SwitchOn(object, 10, 10);
    object->state = GP_StateFirst;
    Common(object).state = FortressState::Guard;
    ResetForStage(30);
}

void CGP_FortressBossBehaviour::OpenSlotNine(CGP_GameObject* object)
{
    SwitchOn(object, 9, 9);
    Command(object, 8, 1);
}

void CGP_FortressBossBehaviour::Guard(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    if (Gone(object, 4)) {
        OpenSlotNine(object);
        block.state = FortressState::WallDown;
    }
    if (!Gone(object, 5)) return;
    Announce(object, 1);
    block.state = FortressState::CoreOpen;
}

void CGP_FortressBossBehaviour::WallDown(CGP_GameObject* object, float)
{
    if (!Gone(object, 5)) return;
    Announce(object, 1);
    Common(object).state = FortressState::BothOpen;
}

void CGP_FortressBossBehaviour::CoreOpen(CGP_GameObject* object, float)
{
    if (!Gone(object, 4)) return;
    OpenSlotNine(object);
    Common(object).state = FortressState::BothOpen;
}

void CGP_FortressBossBehaviour::BothOpen(CGP_GameObject* object, float)
{
    if (!Gone(object, 1) && !Gone(object, 8)) return;
    Announce(object, 6);
    Announce(object, 7);
    Command(object, 2, 2);
    Command(object, 3, 2);
    if (CGP_GameObject* part = Part(object, 3); part && part->stateBlock) part->stateBlock->timer /= 2;
    Common(object).state = FortressState::LastStand;
}

void CGP_FortressBossBehaviour::LastStand(CGP_GameObject* object, float)
{
    if (!Gone(object, 6) || !Gone(object, 7) || !Gone(object, 1) || !Gone(object, 8)) return;
    RemovePart(object, 9);
    RemovePart(object, 10);
    Command(object, 2, GP_BehaviourDying);
    Command(object, 3, GP_BehaviourDying);
    Common(object).state = FortressState::Fall;
    Common(object).timer = static_cast<float>(Header(object).interval);
}

void CGP_FortressBossBehaviour::Fall(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer -= timeStep;
    if (block.timer >= 0) return;
    object->EmitSecondary(timeStep, -1);
    object->state = SpriteBurning;
    block.state = FortressState::Burn;
    block.timer = BurnTime;
    RemovePart(object, 0);
}

void CGP_FortressBossBehaviour::Burn(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer -= timeStep;
    if (block.timer < 0) Defeated(object);
}
