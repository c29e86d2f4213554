// The shot and the variants that keep its block: charged, bursting, falling, bouncing and curling shots.
#include "GP_BehShots.h"

#include <algorithm>

#include "GP_KillBonus.h"
#include "GP_Math.h"
#include "GP_PlayKinds.h"
#include "GP_Random.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"
#include "platform/win32_time.h"

namespace {
constexpr std::int32_t SpriteFlying = 1;
constexpr float BurstLine = 50;         // a burst shot bursts above this y
constexpr int BurstAboveLineEntry = 2;  // the death spawn's entry for a burst above the line
constexpr float FragmentSpread = 20;    // degrees between fragments
constexpr float CurlMiddle = 320;
}  // namespace

CGP_ShotBehaviour::CGP_ShotBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_ShotLaunch, &CGP_ShotBehaviour::Launch);
    SetState(GP_ShotFly, &CGP_ShotBehaviour::Fly);
    SetState(GP_ShotDying, &CGP_ShotBehaviour::Die);
}

void CGP_ShotBehaviour::Attach(CGP_GameObject* object)
{
    GP_ShotState& block = EnsureBlock<GP_ShotState>(object);
    object->behaviour = this;
    object->state = GP_StateFirst;
    object->frameIndex = 0;
    block.timer = 0;
    block.spare = 0;
    block.state = GP_ShotLaunch;
    block.armed = 1;
    block.acceleration = Header(object).acceleration;
    block.def = object->def ? &object->def->record : nullptr;
}

bool CGP_ShotBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    if (Header(other).kind == gp_kinds::ScoredTarget) Play().Score += Header(other).scoreValue;
    return alive;
}

void CGP_ShotBehaviour::Launch(CGP_GameObject* object, float)
{
    GP_ShotState& block = BlockOf<GP_ShotState>(object);
    object->state = SpriteFlying;
    block.state = GP_ShotFly;
    object->visible = 1;
    block.animPos = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    block.flySpeed = Header(object).speed;
    block.timer = 0;
    PlayStateSound(object, SpriteFlying);
}

void CGP_ShotBehaviour::Fly(CGP_GameObject* object, float timeStep)
{
    GP_ShotState& block = BlockOf<GP_ShotState>(object);
    const GP_SpriteHeader& header = Header(object);
    if (block.acceleration < 0 && block.flySpeed != 0)
        block.flySpeed = std::max(block.flySpeed + timeStep * header.acceleration, 0.0f);
    if (block.acceleration > 0 && block.flySpeed != header.maxSpeed)
        block.flySpeed = std::min(block.flySpeed + timeStep * block.acceleration, header.maxSpeed);
    if (block.flySpeed == 0) block.state = GP_ShotDying;
    MoveAlongHeading(object, timeStep * block.flySpeed);
    ExchangeHits(object);
    if (FrameCount(object) > 1 && StateRate(object) != 0 && AnimateToLastFrame(object, StateRate(object), timeStep))
        return;
    object->EmitPrimary(timeStep, -1);
    if (!OnScreen(object)) End(object);
}

void CGP_ShotBehaviour::Die(CGP_GameObject* object, float timeStep)
{
    RemoveOnDeath(object, timeStep);
    Common(object).state = GP_ShotEnded;
    PayBonusIfSpecial(object);
}

void CGP_ShotBehaviour::PayBonusIfSpecial(CGP_GameObject* object)
{
    if (Header(object).kind == gp_kinds::SpecialShot) GP_PaySpecialKillBonusWhenDone(owner);
}

void CGP_ShotBehaviour::MoveAlongHeading(CGP_GameObject* object, float distance)
{
    *object->y -= GP_SinDeg(*object->heading) * distance;
    *object->x += GP_CosDeg(*object->heading) * distance;
}

void CGP_ShotBehaviour::End(CGP_GameObject* object)
{
    Remove(object);
    Common(object).state = GP_ShotEnded;
    PayBonusIfSpecial(object);
}

bool CGP_ShotBehaviour::AnimateToLastFrame(CGP_GameObject* object, float rate, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    const int last = FrameCount(object) - 1;
    if (last < 1) return false;  // one frame: nothing to animate, no end by animation
    AnimateTowardEnd(object, rate, timeStep);
    if (GP_Round(block.animPos) != last) return false;
    if (!object->GetStateLoop()) {
        Remove(object);
        block.state = GP_ShotEnded;
        return true;
    }
    block.animPos = 0;
    FrameFromPosition(object);
    return false;
}

CGP_ChargedShotBehaviour::CGP_ChargedShotBehaviour(CGP_BehaviourHost* owner) : CGP_ShotBehaviour(owner)
{
    SetState(GP_ShotLaunch, &CGP_ChargedShotBehaviour::Charge);
}

void CGP_ChargedShotBehaviour::Attach(CGP_GameObject* object)
{
    CGP_ShotBehaviour::Attach(object);
    GP_ShotState& block = BlockOf<GP_ShotState>(object);
    object->state = GP_StateFirst;
    object->frameIndex = 0;
    block.animPos = 0;
    object->visible = 1;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_ChargedShotBehaviour::Charge(CGP_GameObject* object, float timeStep)
{
    object->visible = 1;
    AnimateTowardEnd(object, StateRate(object), timeStep);
    if (object->frameIndex < FrameCount(object) - 1) return;
    const float x = object->GetAbsX();
    const float y = object->GetAbsY();
    *object->x = x - 7;
    *object->y = y - 7;
    object->parent = nullptr;
    Launch(object, timeStep);
}

CGP_BurstShotBehaviour::CGP_BurstShotBehaviour(CGP_BehaviourHost* owner) : CGP_ShotBehaviour(owner)
{
    SetState(GP_ShotFly, &CGP_BurstShotBehaviour::FlyToBurst);
    SetState(GP_ShotDying, &CGP_BurstShotBehaviour::Burst);
}

void CGP_BurstShotBehaviour::FlyToBurst(CGP_GameObject* object, float timeStep)
{
    Fly(object, timeStep);
    if (object->state != GP_StateGone && *object->y >= BurstLine) return;
    object->state = SpriteFlying;
    Common(object).state = GP_ShotDying;
}

void CGP_BurstShotBehaviour::Burst(CGP_GameObject* object, float timeStep)
{
    if (*object->y < BurstLine) object->EmitSecondary(timeStep, BurstAboveLineEntry);
    const std::vector<GP_SpawnEntry>& second = object->def ? object->def->record.spawns2 : std::vector<GP_SpawnEntry>{};
    CGP_SpriteManager* sprites = owner->GetSpriteManager();
    if (sprites && !second.empty() && second.front().spriteID != GP_NoID) {
        const GP_SpawnEntry& entry = second.front();
        for (int k = 0; k < Fragments; ++k) {
            CGP_GameObject* fragment = sprites->CreateObject(entry.spriteID, object->playField);
            if (!fragment) continue;
            const float turn = 90 + static_cast<float>(k % 4) * FragmentSpread;
            *fragment->x = *object->x + static_cast<float>(entry.xBase);
            *fragment->y = *object->y + static_cast<float>(entry.yBase);
            fragment->visible = 0;
            *fragment->depth = *object->depth;
            *fragment->heading = k < 4 ? *object->heading + turn : *object->heading - turn;
        }
    }
    Remove(object);
    Common(object).state = GP_ShotEnded;
}

CGP_FallingShotBehaviour::CGP_FallingShotBehaviour(CGP_BehaviourHost* owner) : CGP_ShotBehaviour(owner)
{
    SetState(GP_ShotFly, &CGP_FallingShotBehaviour::FlyAndBend);
}

void CGP_FallingShotBehaviour::FlyAndBend(CGP_GameObject* object, float timeStep)
{
    Fly(object, timeStep);
    const float bend = object->GetStateParam() * timeStep;
    float& heading = *object->heading;
    if (heading > -90 && heading < 90)
        heading -= bend;
    else if (heading > 90 && heading < 270)
        heading += bend;
}

CGP_BouncerBehaviour::CGP_BouncerBehaviour(CGP_BehaviourHost* owner) : CGP_ShotBehaviour(owner)
{
    SetState(GP_ShotLaunch, &CGP_BouncerBehaviour::LaunchBouncing);
    SetState(GP_ShotFly, &CGP_BouncerBehaviour::Bounce);
}

float CGP_BouncerBehaviour::DrawRate(CGP_GameObject* object)
{
    const int modulus = GP_Round(StateRate(object) * 2000);
    const int drawn = modulus > 0 ? GP_Rand() % modulus : 0;
    return static_cast<float>(drawn) * 0.001f + 0.01f;
}

void CGP_BouncerBehaviour::LaunchBouncing(CGP_GameObject* object, float timeStep)
{
    Launch(object, timeStep);
    GP_SeedRandom(timeGetTime());
    BlockOf<GP_ShotState>(object).animRate = DrawRate(object);
    if (*object->spriteID == gp_sprites::SplitBouncer) Play().BouncerSplit = 0;
}

void CGP_BouncerBehaviour::Bounce(CGP_GameObject* object, float timeStep)
{
    GP_ShotState& block = BlockOf<GP_ShotState>(object);
    const GP_SpriteHeader& header = Header(object);
    block.flySpeed = std::min(block.flySpeed + timeStep * header.acceleration, header.maxSpeed);
    MoveAlongHeading(object, timeStep * block.flySpeed);
    if (CGP_GameObject* other = FindHitObject(object)) {
        other->Hit(object);
        object->Hit(other);
        IsAlive(object);
        if (*object->spriteID == gp_sprites::SplitBouncer && !Play().BouncerSplit) {
            object->EmitPrimary(timeStep, 1);
            object->EmitPrimary(timeStep, 2);
            Play().BouncerSplit = 1;
        } else {
            *object->heading = static_cast<float>(GP_Rand() % 181);
            block.animRate = DrawRate(object);
        }
    }
    if (AnimateToLastFrame(object, block.animRate, timeStep)) return;
    object->EmitPrimary(timeStep, 0);
    if (!OnScreen(object)) End(object);
}

CGP_CurlShotBehaviour::CGP_CurlShotBehaviour(CGP_BehaviourHost* owner) : CGP_ShotBehaviour(owner)
{
    SetState(GP_ShotLaunch, &CGP_CurlShotBehaviour::LaunchCurling);
    SetState(GP_ShotFly, &CGP_CurlShotBehaviour::Curl);
}

void CGP_CurlShotBehaviour::LaunchCurling(CGP_GameObject* object, float timeStep)
{
    Launch(object, timeStep);
    Common(object).targetX = static_cast<std::int32_t>(object->GetAbsX());
}

void CGP_CurlShotBehaviour::Curl(CGP_GameObject* object, float timeStep)
{
    GP_ShotState& block = BlockOf<GP_ShotState>(object);
    const GP_SpriteHeader& header = Header(object);
    if (block.flySpeed < header.maxSpeed) {
        block.flySpeed = std::min(block.flySpeed + timeStep * header.acceleration, header.maxSpeed);
    } else {
        ExchangeHits(object);
        block.timer += timeStep;
        const std::int32_t drawn = header.interval > 0 ? GP_Rand() % header.interval : 0;
        if (static_cast<float>(drawn + header.interval / 2) < block.timer) block.state = GP_ShotDying;
    }
    MoveAlongHeading(object, timeStep * block.flySpeed);
    if (AnimateToLastFrame(object, StateRate(object), timeStep)) return;
    object->EmitPrimary(timeStep, -1);
    const float turn = object->GetStateParam() * timeStep;
    *object->heading += block.targetX >= CurlMiddle ? turn : -turn;
}
