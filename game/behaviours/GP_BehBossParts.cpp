// The shared words of the boss parts, and the gunner, maw, hatch gun, aiming gun, trembling, fly-off and core
// parts.
#include "GP_BehBossParts.h"

#include <algorithm>

#include "GP_Math.h"
#include "GP_PlayKinds.h"
#include "GP_Random.h"
#include "GP_SpriteDef.h"

namespace {
constexpr std::int32_t SpriteShown = 1;
constexpr std::int32_t SpriteIdle = 3;
constexpr float HitStep = 100;
constexpr float AnnounceTime = 2200;
constexpr float AnnounceStep = 100;
constexpr float AimingGunOffset = 42;
constexpr int FlapWait = 512;
constexpr float FlyOffRise = -0.2f;
}  // namespace

void CGP_PartBehaviour::AnimateUp(CGP_GameObject* object, float timeStep)
{
    Common(object).animPos += StateRate(object) * timeStep;
    FrameFromPosition(object);
}

void CGP_PartBehaviour::AnimateDown(CGP_GameObject* object, float timeStep)
{
    Common(object).animPos -= StateRate(object) * timeStep;
    FrameFromPosition(object);
}

void CGP_PartBehaviour::ArmSlots(CGP_GameObject* object, int first, int last)
{
    object->SetAttachment(true, true, 0);
    for (int slot = first; slot <= last; ++slot) {
        if (CGP_GameObject* attached = object->GetAttachment(slot)) attached->StartEffect(AnnounceTime, AnnounceStep);
    }
}

void CGP_PartBehaviour::EmitFrom(CGP_GameObject* object, float dx, float dy, float timeStep, int entry)
{
    const float x = *object->x;
    const float y = *object->y;
    *object->x += dx;
    *object->y += dy;
    object->EmitPrimary(timeStep, entry);
    *object->x = x;
    *object->y = y;
}

CGP_GunnerPartBehaviour::CGP_GunnerPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_GunnerPartBehaviour::Start);
    SetState(3, &CGP_GunnerPartBehaviour::Guard);
    SetState(4, &CGP_GunnerPartBehaviour::Die);
}

bool CGP_GunnerPartBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    if (Common(object).state == GP_BehaviourDying) return alive;
    object->EmitPrimary(HitStep, -1);
    EnergyHit();
    return alive;
}

void CGP_GunnerPartBehaviour::Start(CGP_GameObject* object, float)
{
    object->state = SpriteShown;
    Common(object).state = 3;
    *object->heading = static_cast<float>(Header(object).baseHeading);
    ArmSlots(object, 0, 3);
}

void CGP_GunnerPartBehaviour::Guard(CGP_GameObject* object, float)
{
    CGP_GameObject* player = Player();
    if (!player) return;
    const float reach = GP_SinDeg(*object->heading) * (GP_PlayHeight - *object->y) + *object->x;
    if (reach - static_cast<float>(Width(player)) < *player->x && *player->x < reach) object->Fire(true, 0);
}

CGP_MawPartBehaviour::CGP_MawPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_MawPartBehaviour::Start);
    SetState(1, &CGP_MawPartBehaviour::Flap);
    SetState(2, &CGP_MawPartBehaviour::Flap);
    SetState(3, &CGP_MawPartBehaviour::Open);
    SetState(6, &CGP_MawPartBehaviour::Close);
    SetState(4, &CGP_MawPartBehaviour::Vanish);
}

void CGP_MawPartBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    object->frameIndex = 0;
    block.state = 1;
    block.animEnd = 0;
    block.animPos = 0;
}

void CGP_MawPartBehaviour::MoveToward(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    const float step = StateRate(object) * timeStep;
    if (block.animPos < block.animEnd) block.animPos = std::min(block.animPos + step, block.animEnd);
    if (block.animPos > block.animEnd) block.animPos = std::max(block.animPos - step, block.animEnd);
    FrameFromPosition(object);
}

void CGP_MawPartBehaviour::Flap(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    const float wide = block.state == 1 ? 2.0f : 4.0f;
    block.timer -= timeStep;
    if (block.timer < 0) {
        block.timer = static_cast<float>(GP_Rand() % FlapWait);
        block.animEnd = block.animEnd == 0 ? wide : 0.0f;
    }
    MoveToward(object, timeStep);
}

void CGP_MawPartBehaviour::Open(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    MoveToward(object, timeStep);
    if (object->frameIndex != FrameCount(object) - 1) return;
    block.animEnd = 0;
    block.state = 6;
}

void CGP_MawPartBehaviour::Close(CGP_GameObject* object, float timeStep)
{
    MoveToward(object, timeStep);
    if (object->frameIndex != FrameCount(object) - 3) return;  // a maw of fewer frames stays open: a data rule
    object->EmitPrimary(timeStep, -1);
    Common(object).state = 2;
}

CGP_HatchGunPartBehaviour::CGP_HatchGunPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_HatchGunPartBehaviour::Start);
    SetState(2, &CGP_HatchGunPartBehaviour::Command);
    SetState(3, &CGP_HatchGunPartBehaviour::Open);
    SetState(6, &CGP_HatchGunPartBehaviour::Close);
    SetState(4, &CGP_HatchGunPartBehaviour::Die);
}

bool CGP_HatchGunPartBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    object->EmitPrimary(HitStep, 1);
    EnergyHit();
    return alive;
}

void CGP_HatchGunPartBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    block.state = 1;
    object->frameIndex = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    block.animPos = 0;
    ArmSlots(object, 0, 3);
}

void CGP_HatchGunPartBehaviour::Command(CGP_GameObject* object, float)
{
    Common(object).state = 3;
    Common(object).animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_HatchGunPartBehaviour::Open(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    AnimateUp(object, timeStep);
    if (block.animPos <= block.animEnd) return;
    object->EmitPrimary(timeStep, 0);
    block.animEnd = 0;
    block.state = 6;
}

void CGP_HatchGunPartBehaviour::Close(CGP_GameObject* object, float timeStep)
{
    AnimateDown(object, timeStep);
    if (Common(object).animPos < Common(object).animEnd) Common(object).state = 1;
}

CGP_AimingGunPartBehaviour::CGP_AimingGunPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_AimingGunPartBehaviour::Start);
    SetState(2, &CGP_AimingGunPartBehaviour::Aim);
    SetState(3, &CGP_AimingGunPartBehaviour::AimAndFire);
    SetState(4, &CGP_AimingGunPartBehaviour::Die);
}

bool CGP_AimingGunPartBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    object->EmitPrimary(HitStep, -1);
    EnergyHit();
    return alive;
}

void CGP_AimingGunPartBehaviour::Start(CGP_GameObject* object, float)
{
    object->state = SpriteIdle;
    Common(object).state = 2;
    const float parameter = object->def ? object->def->record.states[SpriteShown].stateParam : 0.0f;
    SetAux2Float(object, parameter != 0 ? 1.0f / parameter : 0.0f);
}

void CGP_AimingGunPartBehaviour::Aim(CGP_GameObject* object, float)
{
    float angle = 0;
    if (!AimFormA(object, angle)) return;
    const int frame = static_cast<int>((angle - AimingGunOffset) * Aux2Float(object));
    object->frameIndex = std::clamp(frame, 0, std::max(FrameCount(object) - 1, 0));
}

void CGP_AimingGunPartBehaviour::AimAndFire(CGP_GameObject* object, float timeStep)
{
    Aim(object, timeStep);
    if (Player()) object->Fire(true, 0);
}

CGP_TremblingPartBehaviour::CGP_TremblingPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_TremblingPartBehaviour::Start);
    SetState(2, &CGP_TremblingPartBehaviour::Tremble);
    SetState(3, &CGP_TremblingPartBehaviour::Shake);
    SetState(4, &CGP_TremblingPartBehaviour::Die);
}

void CGP_TremblingPartBehaviour::Attach(CGP_GameObject* object)
{
    EnsureBlock<GP_TremblingState>(object);
    CGP_PartBehaviour::Attach(object);
}

bool CGP_TremblingPartBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    object->EmitPrimary(HitStep, 0);
    EnergyHit();
    return alive;
}

void CGP_TremblingPartBehaviour::Start(CGP_GameObject* object, float)
{
    auto& block = BlockOf<GP_TremblingState>(object);
    block.anchorX = static_cast<std::int32_t>(*object->x);
    block.anchorY = static_cast<std::int32_t>(*object->y);
    block.targetX = GP_Rand() % 5 + block.anchorX - 2;
    block.targetY = GP_Rand() % 5 + block.anchorY - 2;
    object->state = SpriteIdle;
    block.state = 2;
}

void CGP_TremblingPartBehaviour::Tremble(CGP_GameObject* object, float timeStep)
{
    auto& block = BlockOf<GP_TremblingState>(object);
    if (ApproachX(object, timeStep))
        *object->x += *object->vx * timeStep;
    else
        block.targetX = GP_Rand() % 5 + block.anchorX - 2;
}

void CGP_TremblingPartBehaviour::Shake(CGP_GameObject* object, float timeStep)
{
    auto& block = BlockOf<GP_TremblingState>(object);
    Tremble(object, timeStep);
    if (ApproachY(object, timeStep))
        *object->y += *object->vy * timeStep;
    else
        block.targetY = GP_Rand() % 5 + block.anchorY - 2;
    for (int entry = 1; entry <= 3; ++entry) object->EmitPrimary(timeStep, entry);
}

CGP_FlyOffPartBehaviour::CGP_FlyOffPartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_FlyOffPartBehaviour::Start);
    SetState(2, &CGP_FlyOffPartBehaviour::PingPong);
    SetState(3, &CGP_FlyOffPartBehaviour::FlyOff);
    SetState(4, &CGP_FlyOffPartBehaviour::Away);
}

void CGP_FlyOffPartBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    block.state = 2;
    block.animPos = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    block.brakingX = 0;
}

void CGP_FlyOffPartBehaviour::PingPong(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    const float step = StateRate(object) * timeStep;
    const float last = static_cast<float>(FrameCount(object) - 1);
    block.animPos += block.brakingX ? -step : step;
    if (block.animPos < 0) {
        block.animPos = 0;
        block.brakingX = 0;
        block.animEnd = last;
    } else if (block.animPos > last) {
        block.animEnd = 0;
        block.brakingX = 1;
        block.animPos = last;
    }
    FrameFromPosition(object);
}

void CGP_FlyOffPartBehaviour::FlyOff(CGP_GameObject* object, float)
{
    const float x = object->GetAbsX();
    const float y = object->GetAbsY();
    object->parent = nullptr;
    *object->x = x;
    *object->y = y;
    *object->vx = Header(object).speed;
    *object->vy = FlyOffRise;
    Common(object).state = 4;
    Common(object).timer = 0;
}

void CGP_FlyOffPartBehaviour::Away(CGP_GameObject* object, float timeStep)
{
    *object->x += *object->vx * timeStep;
    *object->y += *object->vy * timeStep;
    Common(object).timer += timeStep;
    if (Common(object).timer >= static_cast<float>(Header(object).interval)) Die(object, timeStep);
}

CGP_CorePartBehaviour::CGP_CorePartBehaviour(CGP_BehaviourHost* owner) : CGP_PartBehaviour(owner)
{
    SetState(0, &CGP_CorePartBehaviour::Start);
    SetState(2, &CGP_CorePartBehaviour::Burn);
    SetState(4, &CGP_CorePartBehaviour::DieWithSlot);
}

bool CGP_CorePartBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    const float under = *other->x - (object->GetAbsX() + static_cast<float>(Width(object) / 2));
    EmitFrom(object, under, 0, HitStep, 0);
    EnergyHit();
    return alive;
}

void CGP_CorePartBehaviour::Start(CGP_GameObject* object, float)
{
    object->state = SpriteShown;
    Common(object).state = 2;
    ArmSlots(object, 1, 4);
}

void CGP_CorePartBehaviour::Burn(CGP_GameObject* object, float)
{
    CGP_GameObject* other = FindHitObject(object);
    if (other && *other->spriteID == gp_sprites::Player) other->Hit(object);
}

void CGP_CorePartBehaviour::DieWithSlot(CGP_GameObject* object, float timeStep)
{
    Die(object, timeStep);
    if (CGP_GameObject* held = object->GetAttachment(0)) Remove(held);
}
