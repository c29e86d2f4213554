// The aiming and pop-up cannons, the swing arm, the sweeper, the launcher and firing hatches and the pulsing
// side parts.
#include <algorithm>

#include "GP_BehBossParts.h"
#include "GP_Math.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"

namespace {
constexpr std::int32_t SpriteShown = 1;
constexpr std::int32_t SpriteIdle = 3;
constexpr float HitStep = 100;
constexpr float Middle = 320;
constexpr float CannonFrameFactor = 0.19875737f;
constexpr float MuzzleTurn = 35;
constexpr float MuzzleDistance = 20;
constexpr float ArmRate = 0.65857214f;  // degrees per ms for each pixel per ms along the arc
constexpr float ArmFrameFactor = 0.1722222f;
constexpr float NozzleDistance = 38;
constexpr float LaunchLine = -25;  // the launched object leaves once this far out of the hatch
constexpr float LaunchGrowth = 0.05f;
constexpr float FallSpeed = 0.4f;
constexpr float HoldTime = 600;
}  // namespace

CGP_AimingCannonPartBehaviour::CGP_AimingCannonPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_AimingCannonPartBehaviour::Start);
    SetState(2, &CGP_AimingCannonPartBehaviour::Aim);
    SetState(3, &CGP_AimingCannonPartBehaviour::AimAndFire);
    SetState(4, &CGP_AimingCannonPartBehaviour::Vanish);
}

bool CGP_AimingCannonPartBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    object->EmitPrimary(HitStep, 1);
    EnergyHit();
    return alive;
}

void CGP_AimingCannonPartBehaviour::Start(CGP_GameObject* object, float)
{
    object->state = SpriteIdle;
    Common(object).state = 2;
}

void CGP_AimingCannonPartBehaviour::Aim(CGP_GameObject* object, float)
{
    float angle = 0;
    if (!AimFormA(object, angle)) return;
    *object->heading = angle - (object->GetAbsX() <= Middle ? 55.0f : 45.0f);
    const int frame = GP_Round(*object->heading * CannonFrameFactor);
    object->frameIndex = std::clamp(frame, 0, std::max(FrameCount(object) - 1, 0));
}

void CGP_AimingCannonPartBehaviour::AimAndFire(CGP_GameObject* object, float timeStep)
{
    Aim(object, timeStep);
    const float turn = *object->heading - MuzzleTurn;
    EmitFrom(object, GP_SinDeg(turn) * MuzzleDistance, GP_CosDeg(turn) * MuzzleDistance, timeStep, 0);
}

CGP_PopUpCannonPartBehaviour::CGP_PopUpCannonPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_PopUpCannonPartBehaviour::Start);
    SetState(3, &CGP_PopUpCannonPartBehaviour::Open);
    SetState(2, &CGP_PopUpCannonPartBehaviour::Close);
    SetState(6, &CGP_PopUpCannonPartBehaviour::Delay);
    SetState(4, &CGP_PopUpCannonPartBehaviour::Vanish);
}

bool CGP_PopUpCannonPartBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const std::int32_t state = Common(object).state;
    if (state != 2 && state != 3) {  // closed: the armour takes it
        EnergyHit();
        return true;
    }
    const bool alive = CGP_Behaviour::Hit(object, other);
    object->EmitPrimary(HitStep, 1);
    EnergyHit();
    return alive;
}

void CGP_PopUpCannonPartBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteIdle;
    object->frameIndex = 0;
    block.state = 1;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    block.animPos = 0;
}

void CGP_PopUpCannonPartBehaviour::Open(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    AnimateUp(object, timeStep);
    if (block.animPos <= block.animEnd) return;
    float angle = 0;
    if (AimFormB(object, angle)) *object->heading = angle;
    object->EmitPrimary(timeStep, 0);
    block.state = 2;
    block.animEnd = 0;
}

void CGP_PopUpCannonPartBehaviour::Close(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    AnimateDown(object, timeStep);
    if (block.animPos >= block.animEnd) return;
    block.animPos = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    block.state = 3;
}

void CGP_PopUpCannonPartBehaviour::Delay(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer -= timeStep;
    if (block.timer >= 0) return;
    block.animPos = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    block.state = 3;
}

CGP_SwingArmPartBehaviour::CGP_SwingArmPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(1, &CGP_SwingArmPartBehaviour::Start);
    SetState(3, &CGP_SwingArmPartBehaviour::SwingDown);
    SetState(2, &CGP_SwingArmPartBehaviour::SwingUp);
    SetState(6, &CGP_SwingArmPartBehaviour::Pause);
    SetState(4, &CGP_SwingArmPartBehaviour::Wreck);
}

bool CGP_SwingArmPartBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    object->EmitPrimary(HitStep, 1);
    EnergyHit();
    return alive;
}

void CGP_SwingArmPartBehaviour::Start(CGP_GameObject* object, float)
{
    *object->x = CentreX + Radius;
    *object->y = CentreY;
    *object->heading = 180;
    Common(object).state = 3;
    object->state = SpriteShown;
    SetAux2Float(object, Header(object).speed * ArmRate);
    ArmSlots(object, 0, 3);
}

void CGP_SwingArmPartBehaviour::PlaceOnArc(CGP_GameObject* object, float timeStep)
{
    const float heading = *object->heading;
    *object->x = CentreX - GP_CosDeg(heading) * Radius;
    *object->y = GP_SinDeg(heading) * Radius + CentreY;
    object->frameIndex = std::clamp(static_cast<int>(heading * ArmFrameFactor), 0, std::max(FrameCount(object) - 1, 0));
    if (heading > 30 && heading < 150) object->EmitPrimary(timeStep, 0);
    if (heading > 10 && heading < 170) object->EmitPrimary(timeStep, 2);
}

void CGP_SwingArmPartBehaviour::SwingDown(CGP_GameObject* object, float timeStep)
{
    *object->heading -= Aux2Float(object) * timeStep;
    if (*object->heading >= 0) {
        PlaceOnArc(object, timeStep);
        return;
    }
    Common(object).state = 6;
    object->frameIndex = 0;
    object->state = SpriteIdle;
    *object->x = CentreX - Radius;
    *object->y = CentreY;
    *object->heading = 0;
    Common(object).timer = static_cast<float>(Header(object).interval);
}

void CGP_SwingArmPartBehaviour::SwingUp(CGP_GameObject* object, float timeStep)
{
    *object->heading += Aux2Float(object) * timeStep;
    if (*object->heading <= 180) {
        PlaceOnArc(object, timeStep);
        return;
    }
    Common(object).state = 6;
    *object->x = CentreX + Radius;
    *object->y = CentreY;
    *object->heading = 180;
    Common(object).timer = static_cast<float>(Header(object).interval);
    object->state = SpriteIdle;
    object->frameIndex = std::max(FrameCount(object) - 1, 0);
}

void CGP_SwingArmPartBehaviour::Pause(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer -= timeStep;
    if (block.timer >= 0) return;
    block.state = *object->heading == 180 ? 3 : 2;
    object->state = SpriteShown;
}

void CGP_SwingArmPartBehaviour::Wreck(CGP_GameObject* object, float)
{
    const std::vector<GP_SpawnEntry>* second = object->def ? &object->def->record.spawns2 : nullptr;
    CGP_SpriteManager* sprites = owner->GetSpriteManager();
    CGP_GameObject* wreck = second && !second->empty() && sprites
                                ? sprites->CreateObject(second->front().spriteID, object->playField)
                                : nullptr;
    if (wreck) {
        if (CGP_Behaviour* idle = owner->GetDefaultBehaviour()) idle->Attach(wreck);
        *wreck->x = object->GetAbsX();
        *wreck->y = object->GetAbsY();
        wreck->visible = 1;
        wreck->state = SpriteShown;
        wreck->frameIndex = object->frameIndex;
    }
    Remove(object);
}

CGP_SweeperPartBehaviour::CGP_SweeperPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_SweeperPartBehaviour::Start);
    SetState(2, &CGP_SweeperPartBehaviour::Sweep);
    SetState(4, &CGP_SweeperPartBehaviour::Die);
}

bool CGP_SweeperPartBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    if (Common(object).state != GP_BehaviourDying) object->EmitPrimary(HitStep, 1);
    EnergyHit();
    return alive;
}

void CGP_SweeperPartBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    block.state = 2;
    block.animPos = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    *object->heading = 0;
    block.timer = 0;
    block.targetX = 0;
    block.aux2 = 0;
    ArmSlots(object, 0, 3);
}

void CGP_SweeperPartBehaviour::Sweep(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.animPos += StateRate(object) * timeStep;
    if (block.animPos > block.animEnd) block.animPos = block.animEnd > 0 ? block.animPos - block.animEnd : 0;
    FrameFromPosition(object);
    block.timer -= timeStep;
    if (block.timer >= 0) return;
    block.timer = static_cast<float>(Header(object).interval);
    float& heading = *object->heading;
    if (object->GetAbsX() >= Middle) {
        heading -= Step;
        if (heading < -Limit) heading += Wrap;
    } else {
        heading += Step;
        if (heading > Limit) heading -= Wrap;
    }
    const float dx = GP_SinDeg(heading) * NozzleDistance;
    const float dy = GP_CosDeg(heading) * NozzleDistance;
    EmitFrom(object, dx, dy, timeStep, 0);
    EmitFrom(object, dx, dy, timeStep, 2);
}

CGP_LauncherHatchPartBehaviour::CGP_LauncherHatchPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_LauncherHatchPartBehaviour::Start);
    SetState(2, &CGP_LauncherHatchPartBehaviour::Launch);
    SetState(3, &CGP_LauncherHatchPartBehaviour::Lower);
    SetState(7, &CGP_LauncherHatchPartBehaviour::Raise);
    SetState(4, &CGP_LauncherHatchPartBehaviour::Break);
    SetState(6, &CGP_LauncherHatchPartBehaviour::Sink);
}

void CGP_LauncherHatchPartBehaviour::Start(CGP_GameObject* object, float)
{
    object->state = SpriteShown;
    Common(object).state = 1;
    object->frameIndex = std::max(FrameCount(object) - 1, 0);
}

void CGP_LauncherHatchPartBehaviour::Launch(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    const std::int32_t last = FrameCount(object) - 1;
    block.animEnd = 0;
    block.animPos = static_cast<float>(last);
    object->frameIndex = std::max(last, 0);
    block.state = 3;
    GP_PlayState& play = Play();
    play.LaunchedObject = nullptr;
    const std::vector<GP_SpawnEntry>* first = object->def ? &object->def->record.spawns1 : nullptr;
    CGP_SpriteManager* sprites = owner->GetSpriteManager();
    if (!first || first->empty() || !sprites) return;
    const GP_SpawnEntry& entry = first->front();
    CGP_GameObject* launched = sprites->CreateObject(entry.spriteID, object->playField);
    if (!launched) return;
    launched->parent = object;
    *launched->x = static_cast<float>(entry.xBase);
    *launched->y = static_cast<float>(entry.yBase);
    *launched->depth = *object->depth;
    play.LaunchedObject = launched;
}

void CGP_LauncherHatchPartBehaviour::Lower(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    AnimateDown(object, timeStep);
    GP_PlayState& play = Play();
    CGP_GameObject* launched = play.LaunchedObject;
    if (launched && launched->parent != object) launched = nullptr;  // not this hatch's (any more)
    if (launched && *launched->y < LaunchLine) {
        *launched->y += LaunchGrowth * timeStep;
        return;
    }
    if (block.animPos >= 0) return;
    if (launched) {
        const float x = launched->GetAbsX();
        const float y = launched->GetAbsY();
        launched->parent = nullptr;
        *launched->x = x;
        *launched->y = y;
        if (launched->stateBlock) launched->stateBlock->state = 3;
        play.LaunchedObject = nullptr;
    }
    block.animPos = 0;
    block.state = 7;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_LauncherHatchPartBehaviour::Raise(CGP_GameObject* object, float timeStep)
{
    AnimateUp(object, timeStep);
    if (Common(object).animPos > Common(object).animEnd) Common(object).state = 0;
}

void CGP_LauncherHatchPartBehaviour::Break(CGP_GameObject* object, float)
{
    SetAux2Float(object, 50);
    Common(object).state = 6;
}

void CGP_LauncherHatchPartBehaviour::Sink(CGP_GameObject* object, float timeStep)
{
    *object->y += FallSpeed * timeStep;
    SetAux2Float(object, Aux2Float(object) - FallSpeed * timeStep);
    if (Aux2Float(object) < 0) Die(object, timeStep);
}

CGP_FiringHatchPartBehaviour::CGP_FiringHatchPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_FiringHatchPartBehaviour::Start);
    SetState(2, &CGP_FiringHatchPartBehaviour::Open);
    SetState(3, &CGP_FiringHatchPartBehaviour::Hold);
    SetState(6, &CGP_FiringHatchPartBehaviour::Close);
    SetState(4, &CGP_FiringHatchPartBehaviour::Break);
    SetState(7, &CGP_FiringHatchPartBehaviour::Rise);
}

void CGP_FiringHatchPartBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    block.state = 1;
    block.animPos = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_FiringHatchPartBehaviour::Open(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    AnimateUp(object, timeStep);
    if (block.animPos <= block.animEnd) return;
    block.state = 3;
    object->EmitPrimary(timeStep, -1);
    block.timer = HoldTime;
}

void CGP_FiringHatchPartBehaviour::Hold(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer -= timeStep;
    if (block.timer >= 0) return;
    block.animEnd = 0;
    block.state = 6;
}

void CGP_FiringHatchPartBehaviour::Close(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    AnimateDown(object, timeStep);
    if (block.animPos >= block.animEnd) return;
    block.state = 1;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_FiringHatchPartBehaviour::Break(CGP_GameObject* object, float)
{
    Common(object).state = 7;
    SetAux2Float(object, 50);
}

void CGP_FiringHatchPartBehaviour::Rise(CGP_GameObject* object, float timeStep)
{
    *object->y -= FallSpeed * timeStep;
    SetAux2Float(object, Aux2Float(object) - FallSpeed * timeStep);
    if (Aux2Float(object) < 0) Die(object, timeStep);
}

CGP_PulsingSidePartBehaviour::CGP_PulsingSidePartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_PulsingSidePartBehaviour::Start);
    SetState(2, &CGP_PulsingSidePartBehaviour::Swell);
    SetState(6, &CGP_PulsingSidePartBehaviour::Shrink);
    SetState(4, &CGP_PulsingSidePartBehaviour::Break);
    SetState(7, &CGP_PulsingSidePartBehaviour::FallOff);
}

void CGP_PulsingSidePartBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->frameIndex = 0;
    object->state = SpriteShown;
    block.state = 2;
    block.animPos = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_PulsingSidePartBehaviour::Swell(CGP_GameObject* object, float timeStep)
{
    AnimateUp(object, timeStep);
    if (Common(object).animPos <= Common(object).animEnd) return;
    Common(object).animEnd = 0;
    Common(object).state = 6;
}

void CGP_PulsingSidePartBehaviour::Shrink(CGP_GameObject* object, float timeStep)
{
    AnimateDown(object, timeStep);
    if (Common(object).animPos >= Common(object).animEnd) return;
    Common(object).state = 2;
    Common(object).animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_PulsingSidePartBehaviour::Break(CGP_GameObject* object, float)
{
    Common(object).state = 7;
    SetAux2Float(object, 100);
}

void CGP_PulsingSidePartBehaviour::FallOff(CGP_GameObject* object, float timeStep)
{
    const float step = FallSpeed * timeStep;
    *object->x += *object->spriteID == LeftSideID ? -step : step;
    SetAux2Float(object, Aux2Float(object) - step);
    if (Aux2Float(object) < 0) Die(object, timeStep);
}
