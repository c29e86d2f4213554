// Falling pick-ups, weapon pick-ups, the crossing bonus ship and the rain emitter.
#include "GP_BehPickups.h"

#include <algorithm>

#include "GP_ObjectList.h"
#include "GP_PlayKinds.h"
#include "GP_SpriteDef.h"

namespace {
constexpr std::int32_t SpriteFalling = 1;
constexpr std::int32_t SpriteCrossing = 3;
constexpr float MessageY = 50;
constexpr float MessageShowTime = 4000;
constexpr float SlowMotionTime = 10000;
constexpr float RainTimePerPickup = 5000;
constexpr std::uint16_t OtherEnemies = 14;  // with lists 0 and 9, the enemies a lone ship waits for
constexpr float RainX = 320;
}  // namespace

CGP_PickupBehaviour::CGP_PickupBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_PickupStart, &CGP_PickupBehaviour::Start);
    SetState(GP_PickupFall, &CGP_PickupBehaviour::Fall);
}

void CGP_PickupBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    *object->vy = Header(object).speed;
    object->frameIndex = 0;
    object->state = SpriteFalling;
    block.state = GP_PickupFall;
    object->visible = 1;
    block.animPos = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_PickupBehaviour::Fall(CGP_GameObject* object, float timeStep)
{
    *object->y += *object->vy * timeStep;
    if (FindHitObject(object) && !Play().MissionComplete) {
        TakeEffect(object);
        return;
    }
    AnimateAndFallOut(object, timeStep);
}

void CGP_PickupBehaviour::TakeEffect(CGP_GameObject* object)
{
    GP_PlayState& play = Play();
    const std::uint32_t id = *object->spriteID;
    switch (id) {
    case OptionID:
        play.OptionOn = 1;
        play.OptionTime = CGP_OptionBehaviour::OptionTime;
        break;
    case SlowMotionID:
        play.SlowMotion = 1;
        play.SlowMotionTime = SlowMotionTime;
        owner->ShowSlowMotionIcon();
        break;
    case ShieldID: play.ShieldOn = 1; break;
    case LifeID: ++play.Lives; break;
    case RainID:
        play.RainOn = 1;
        play.RainTime += RainTimePerPickup;
        break;
    case ScoreID: AddScore(object); break;
    default: break;
    }
    ShowMessage(id - MessageOffset);
    Remove(object);
    PlayerSound(3);
}

void CGP_PickupBehaviour::AnimateAndFallOut(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.animPos += StateRate(object) * timeStep;
    if (block.animPos > block.animEnd) block.animPos = 0;
    FrameFromPosition(object);
    if (*object->y >= GP_PlayHeight) Remove(object);
}

void CGP_PickupBehaviour::PlayerSound(int spriteState)
{
    if (CGP_GameObject* player = Player()) PlayStateSound(player, spriteState);
}

void CGP_PickupBehaviour::ShowMessage(std::uint32_t textID)
{
    owner->ShowMessage(textID, MessageY);
    Play().MessageTime = MessageShowTime;
}

CGP_WeaponPickupBehaviour::CGP_WeaponPickupBehaviour(CGP_BehaviourHost* owner) : CGP_PickupBehaviour(owner)
{
    SetState(GP_PickupStart, &CGP_WeaponPickupBehaviour::StartWeapon);
    SetState(GP_PickupFall, &CGP_WeaponPickupBehaviour::FallWeapon);
}

void CGP_WeaponPickupBehaviour::StartWeapon(CGP_GameObject* object, float timeStep) { Start(object, timeStep); }

void CGP_WeaponPickupBehaviour::FallWeapon(CGP_GameObject* object, float timeStep)
{
    *object->y += *object->vy * timeStep;
    if (!FindHitObject(object)) {
        AnimateAndFallOut(object, timeStep);
        return;
    }
    const std::uint32_t id = *object->spriteID;
    const std::int64_t k = static_cast<std::int64_t>(id) - FirstWeaponID;
    if (IsWeaponIndex(k)) RaiseLevel(id);  // a pick-up of no weapon raises nothing
    Remove(object);
    if (IsWeaponIndex(static_cast<std::int64_t>(lastWeapon) - FirstWeaponID))
        owner->SelectWeapon(static_cast<std::int32_t>(lastWeapon - FirstWeaponID));
    AddScore(object);
    PlayerSound(1);
}

void CGP_WeaponPickupBehaviour::RaiseLevel(std::uint32_t id)
{
    GP_PlayState& play = Play();
    std::int32_t* counts = play.WeaponCounts;
    const std::uint32_t k = id - FirstWeaponID;
    if (lastWeapon == 0 || id == lastWeapon) {
        lastWeapon = id;
        ++counts[k];
    } else if (counts[lastWeapon - FirstWeaponID] < FullLevel) {
        lastWeapon = id;
        std::fill(counts, counts + GP_PlayState::WeaponCount, 0);
        ++counts[k];
    }
    if (counts[k] != FullLevel) return;
    ShowMessage(id - FullMessageOffset);
    PlayerSound(0);
}

CGP_CrossingShipBehaviour::CGP_CrossingShipBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_PickupStart, &CGP_CrossingShipBehaviour::Wait);
    SetState(GP_PickupFall, &CGP_CrossingShipBehaviour::Cross);
    SetState(GP_PickupDying, &CGP_CrossingShipBehaviour::Die);
}

void CGP_CrossingShipBehaviour::Attach(CGP_GameObject* object)
{
    CGP_GameBehaviour::Attach(object);
    object->state = GP_StateFirst;
}

bool CGP_CrossingShipBehaviour::EnemiesLeft() const
{
    for (std::uint16_t index : {gp_lists::Enemies, gp_lists::Divers, OtherEnemies}) {
        CGP_ObjectList* list = owner->GetObjectList(index);
        if (list && list->CountLive() > 0) return true;
    }
    return false;
}

void CGP_CrossingShipBehaviour::Wait(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer += timeStep;
    if (block.timer < static_cast<float>(*object->startDelay)) return;
    if (Header(object).kind != LoneKind) {
        Play().SlowMotion = 0;
        Play().SlowMotionTime = 0;
    } else if (!EnemiesLeft()) {
        Remove(object);
        return;
    }
    block.state = GP_PickupFall;
    block.animPos = 0;
    object->state = SpriteCrossing;
    block.animEnd = static_cast<float>(FrameCount(object));
}

void CGP_CrossingShipBehaviour::Cross(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    *object->x += *object->vx * timeStep;
    if ((*object->vx > 0 && *object->x > GP_PlayWidth) || (*object->vx < 0 && *object->x < -Width(object))) {
        Remove(object);
        return;
    }
    block.animPos += StateRate(object) * timeStep;
    if (block.animPos > block.animEnd) block.animPos = 0;
    FrameFromPosition(object);
}

void CGP_CrossingShipBehaviour::Die(CGP_GameObject* object, float timeStep)
{
    RemoveOnDeath(object, timeStep);
    AddScore(object);
}

CGP_RainEmitterBehaviour::CGP_RainEmitterBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_PickupStart, &CGP_RainEmitterBehaviour::Emit);
}

void CGP_RainEmitterBehaviour::Emit(CGP_GameObject* object, float timeStep)
{
    *object->x = RainX;
    *object->y = 0;
    GP_PlayState& play = Play();
    if (!play.RainOn) return;
    object->EmitPrimary(timeStep, -1);
    play.RainTime -= timeStep;
    if (play.RainTime >= 0) return;
    play.RainTime = 0;
    play.RainOn = 0;
}
