// Cruisers, spawners, blocks and the effect objects.
#include <algorithm>

#include "GP_BehFlyers.h"
#include "GP_PlayKinds.h"
#include "GP_Random.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"

namespace {
constexpr std::int32_t SpriteShown = 1;
constexpr std::int32_t SpriteCruising = 3;
constexpr float BurstStep = 100;  // the time step of a spawn made all at once
constexpr float StarfieldHeight = 480;
}  // namespace

CGP_SideCruiserBehaviour::CGP_SideCruiserBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_FlyerFirst, &CGP_SideCruiserBehaviour::Wait);
    SetState(GP_FlyerSecond, &CGP_SideCruiserBehaviour::Cruise);
    SetState(GP_FlyerDying, &CGP_SideCruiserBehaviour::Die);
}

void CGP_SideCruiserBehaviour::Wait(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    if (static_cast<float>(*object->startDelay) > block.timer) {
        block.timer += timeStep;
        return;
    }
    object->state = SpriteCruising;
    block.state = GP_FlyerSecond;
    object->visible = 1;
}

void CGP_SideCruiserBehaviour::Cruise(CGP_GameObject* object, float timeStep)
{
    *object->x += *object->vx * timeStep;
    const bool fullyOnScreen = *object->x > 0 && *object->x < static_cast<float>(GP_PlayWidth - Width(object));
    if (fullyOnScreen) object->EmitPrimary(timeStep, -1);
}

void CGP_SideCruiserBehaviour::Die(CGP_GameObject* object, float) { Remove(object); }

CGP_SpawnerBehaviour::CGP_SpawnerBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_FlyerStart, &CGP_SpawnerBehaviour::Start);
    SetState(GP_FlyerSecond, &CGP_SpawnerBehaviour::Count);
    SetState(GP_FlyerAttack, &CGP_SpawnerBehaviour::Open);
    SetState(GP_FlyerDying, &CGP_SpawnerBehaviour::Die);
}

void CGP_SpawnerBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    block.state = GP_FlyerFirst;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    block.animPos = 0;
    block.timer = static_cast<float>(Header(object).interval);
}

void CGP_SpawnerBehaviour::Count(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer -= timeStep;
    if (block.timer >= 0) return;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    block.animPos = 0;
    block.state = GP_FlyerAttack;
}

void CGP_SpawnerBehaviour::Open(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.animPos += StateRate(object) * timeStep;
    FrameFromPosition(object);
    if (block.animPos <= block.animEnd) return;
    object->EmitPrimary(BurstStep, 0);
    object->frameIndex = 0;
    block.state = GP_FlyerSecond;
    block.timer = static_cast<float>(Header(object).interval);
}

void CGP_SpawnerBehaviour::Die(CGP_GameObject* object, float timeStep) { RemoveOnDeath(object, timeStep); }

CGP_BlockBehaviour::CGP_BlockBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_FlyerStart, &CGP_BlockBehaviour::Start);
    SetState(GP_FlyerAttack, &CGP_BlockBehaviour::Pushed);
    SetState(GP_FlyerDying, &CGP_BlockBehaviour::Die);
}

void CGP_BlockBehaviour::Start(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    object->frameIndex = 0;
    if (static_cast<float>(*object->startDelay) > block.timer) {
        block.timer += timeStep;
        return;
    }
    object->EmitPrimary(timeStep, -1);
    object->visible = 1;
    object->state = SpriteShown;
    block.state = GP_FlyerSecond;
    block.targetY = static_cast<std::int32_t>(*object->y);
}

void CGP_BlockBehaviour::Pushed(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    if (!ApproachY(object, timeStep)) {
        object->EmitPrimary(BurstStep, 0);
        object->EmitPrimary(BurstStep, 1);
        block.state = GP_FlyerSecond;
        *object->vy = 0;
        return;
    }
    *object->y += *object->vy * timeStep;
    const int first = block.brakingY ? 2 : 0;
    object->EmitPrimary(timeStep, first);
    object->EmitPrimary(timeStep, first + 1);
}

bool CGP_BlockBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    GP_BehaviourState& block = Common(object);
    if (block.state == GP_BehaviourDying) return alive;
    const std::int32_t count = FrameCount(object);
    const float initial = Header(object).initialHealth;
    const std::int32_t frame =
        initial > 0 ? count - static_cast<std::int32_t>(static_cast<float>(count) * object->health / initial) : 0;
    if (frame < 0 || frame >= count) {
        object->frameIndex = 0;
        block.state = GP_BehaviourDying;
        return alive;
    }
    object->frameIndex = frame;
    if (*other->spriteID != gp_sprites::SplittingShot) return alive;
    block.state = GP_FlyerAttack;
    block.targetY -= PushDistance;
    object->EmitPrimary(BurstStep, 2);
    object->EmitPrimary(BurstStep, 3);
    return alive;
}

void CGP_BlockBehaviour::Die(CGP_GameObject* object, float timeStep) { RemoveOnDeath(object, timeStep); }

CGP_EffectBehaviour::CGP_EffectBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_FlyerStart, &CGP_EffectBehaviour::Wait);
    SetState(GP_FlyerSecond, &CGP_EffectBehaviour::Animate);
    SetState(GP_FlyerDying, &CGP_EffectBehaviour::Die);
}

void CGP_EffectBehaviour::Attach(CGP_GameObject* object)
{
    GP_EffectState& block = EnsureBlock<GP_EffectState>(object);
    CGP_GameBehaviour::Attach(object);
    object->frameIndex = 0;
    block.animPos = 0;
    block.played = 0;
    object->visible = 1;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_EffectBehaviour::Wait(CGP_GameObject* object, float timeStep)
{
    if (*object->startDelay > 0) *object->startDelay -= static_cast<std::int32_t>(timeStep);
    if (*object->startDelay > 0) return;
    GP_BehaviourState& block = Common(object);
    object->state = SpriteShown;
    object->visible = 1;
    PlayStateSound(object, SpriteShown);
    block.state = GP_FlyerSecond;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    object->EmitPrimary(timeStep, -1);
    object->SetAttachment(true, true, 0);
}

void CGP_EffectBehaviour::Blink(CGP_GameObject* object, float timeStep)
{
    if (!object->effectOn) return;
    object->effectTime -= timeStep;
    if (object->effectTime < 0) {
        object->effectOn = 0;
        object->visible = 1;
        return;
    }
    object->effectStep -= timeStep;
    if (object->effectStep >= 0) return;
    object->visible = !object->visible;
    object->effectStep = object->effectLeft;
}

void CGP_EffectBehaviour::Animate(CGP_GameObject* object, float timeStep)
{
    auto& block = BlockOf<GP_EffectState>(object);
    Blink(object, timeStep);
    *object->x += *object->vx * timeStep;
    *object->y += *object->vy * timeStep;
    const float rate = StateRate(object);
    if (rate != 0) {
        const std::int32_t last = FrameCount(object) - 1;
        if (object->frameIndex == last) {
            if (object->GetStateLoop()) {
                block.animPos = 0;
                block.animEnd = static_cast<float>(last);
            } else {
                block.animEnd = 0;
            }
            block.played = 1;
        }
        AnimateTowardEnd(object, rate, timeStep);
    }
    if (block.played && !object->GetStateLoop() && !object->effectOn) block.state = GP_FlyerDying;
    object->EmitPrimary(timeStep, -1);
}

void CGP_EffectBehaviour::Die(CGP_GameObject* object, float timeStep) { RemoveOnDeath(object, timeStep); }

CGP_ListenerEffectBehaviour::CGP_ListenerEffectBehaviour(CGP_BehaviourHost* owner) : CGP_EffectBehaviour(owner)
{
    SetState(GP_FlyerStart, &CGP_ListenerEffectBehaviour::WaitAndListen);
    SetState(GP_FlyerDying, &CGP_ListenerEffectBehaviour::GiveBackAndDie);
}

void CGP_ListenerEffectBehaviour::WaitAndListen(CGP_GameObject* object, float timeStep)
{
    Wait(object, timeStep);
    owner->SetSoundListener(object);
}

void CGP_ListenerEffectBehaviour::GiveBackAndDie(CGP_GameObject* object, float timeStep)
{
    owner->SetSoundListener(Player());
    Die(object, timeStep);
}

CGP_StarfieldBehaviour::CGP_StarfieldBehaviour(CGP_BehaviourHost* owner) : CGP_EffectBehaviour(owner)
{
    SetState(GP_FlyerStart, &CGP_StarfieldBehaviour::WaitAndFill);
}

int CGP_StarfieldBehaviour::StarCount(const GP_SpawnEntry& entry)
{
    const float product = static_cast<float>(entry.intervalBase) * entry.speedBase;
    if (!(product > 0)) return 0;
    const float count = StarfieldHeight / product;
    return count >= MaxStarsPerEntry ? MaxStarsPerEntry : static_cast<int>(count);
}

void CGP_StarfieldBehaviour::WaitAndFill(CGP_GameObject* object, float timeStep)
{
    Wait(object, timeStep);
    if (Common(object).state == GP_FlyerSecond) Fill(object);
}

void CGP_StarfieldBehaviour::Fill(CGP_GameObject* object)
{
    CGP_SpriteManager* sprites = owner->GetSpriteManager();
    if (!sprites || !object->def) return;
    for (const GP_SpawnEntry& entry : object->def->record.spawns1) {
        const int count = StarCount(entry);
        const auto spread = static_cast<std::int32_t>(entry.speedSpread * 2000);
        for (int i = 0; i < count; ++i) {
            CGP_GameObject* star = sprites->CreateObject(entry.spriteID, object->playField);
            if (!star) break;
            *star->x = static_cast<float>(GP_Rand() % 630 + 5);
            *star->y = static_cast<float>(GP_Rand() % 470 + 5);
            *star->vx = 0;
            const std::int32_t drawn = spread > 0 ? GP_Rand() % spread : 0;
            *star->vy = static_cast<float>(drawn) * 0.001f + entry.speedBase - entry.speedSpread;
        }
    }
}
