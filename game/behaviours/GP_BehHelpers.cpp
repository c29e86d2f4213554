// The helpers at the player's side: the option that launches homing missiles, the shield, and the carrier
// whose end pays the special-kill bonus.
#include <algorithm>

#include "GP_BehPickups.h"
#include "GP_BehShots.h"
#include "GP_KillBonus.h"
#include "GP_ObjectList.h"
#include "GP_PlayKinds.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"
#include "GP_Weapon.h"

namespace {
constexpr std::int32_t SpriteShown = 1;
constexpr std::int32_t SpriteHidden = 3;

struct LaunchSide {
    std::int32_t frame;
    float heading;
    float missileX;  // from the option's x
    float puffX;
    float puffVx;
};
constexpr LaunchSide LeftSide{12, 135, 4, 0, -0.05f};
constexpr LaunchSide RightSide{4, 45, 43, 36, 0.05f};
constexpr float MissileY = -8;
constexpr float PuffY = -10;
constexpr float PuffVy = -0.05f;

float CentreX(CGP_GameObject* object) { return object->GetAbsX() + static_cast<float>(*object->GetWidth() / 2); }
}  // namespace

CGP_OptionBehaviour::CGP_OptionBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_PickupStart, &CGP_OptionBehaviour::Wait);
    SetState(GP_PickupAppear, &CGP_OptionBehaviour::Appear);
    SetState(GP_PickupWork, &CGP_OptionBehaviour::Work);
    SetState(GP_PickupLeave, &CGP_OptionBehaviour::Leave);
}

void CGP_OptionBehaviour::Attach(CGP_GameObject* object)
{
    GP_OptionState& block = EnsureBlock<GP_OptionState>(object);
    CGP_GameBehaviour::Attach(object);
    block.targets.clear();
    object->state = SpriteHidden;
}

void CGP_OptionBehaviour::Hide(CGP_GameObject* object)
{
    Common(object).state = GP_PickupStart;
    object->state = SpriteHidden;
}

void CGP_OptionBehaviour::TakeParentLook(CGP_GameObject* object, bool frameToo)
{
    auto* parent = dynamic_cast<CGP_Element*>(object->parent);
    if (!parent) return;
    object->visible = parent->visible;
    if (frameToo) object->frameIndex = parent->frameIndex;
}

void CGP_OptionBehaviour::Wait(CGP_GameObject* object, float)
{
    if (!Play().OptionOn) return;
    GP_BehaviourState& block = Common(object);
    object->state = GP_StateFirst;
    object->frameIndex = 0;
    block.state = GP_PickupAppear;
    block.timer = 0;
    block.animPos = 0;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    Play().LevelPose = 1;
}

void CGP_OptionBehaviour::Appear(CGP_GameObject* object, float timeStep)
{
    if (!Play().OptionOn) {
        Hide(object);
        return;
    }
    GP_BehaviourState& block = Common(object);
    TakeParentLook(object, false);
    block.animPos += StateRate(object) * timeStep;
    if (block.animPos <= block.animEnd) {
        FrameFromPosition(object);
        return;
    }
    object->state = SpriteShown;
    Play().LevelPose = 0;
    TakeParentLook(object, true);
    block.state = GP_PickupWork;
    block.timer = 0;
}

void CGP_OptionBehaviour::Work(CGP_GameObject* object, float timeStep)
{
    GP_PlayState& play = Play();
    if (!play.OptionOn) {
        Hide(object);
        return;
    }
    play.OptionTime -= timeStep;
    if (play.OptionTime < 0) {
        GP_BehaviourState& block = Common(object);
        object->state = GP_StateFirst;
        block.animEnd = 0;
        block.state = GP_PickupLeave;
        block.animPos = static_cast<float>(FrameCount(object) - 1);
        play.LevelPose = 1;
        object->frameIndex = std::max(FrameCount(object) - 1, 0);
        return;
    }
    TakeParentLook(object, false);
    std::vector<CGP_GameObject*>& targets = BlockOf<GP_OptionState>(object).targets;
    std::erase_if(targets, [](CGP_GameObject* target) { return target->state == GP_StateGone; });
    LaunchAtNewTargets(object);
    TakeParentLook(object, true);
}

void CGP_OptionBehaviour::LaunchAtNewTargets(CGP_GameObject* object)
{
    CGP_ObjectList* enemies = owner->GetObjectList(gp_lists::Targets);
    std::vector<CGP_GameObject*>& targets = BlockOf<GP_OptionState>(object).targets;
    for (std::uint16_t i = 0; enemies && i < enemies->Count(); ++i) {
        CGP_GameObject* enemy = enemies->At(i);
        if (enemy->state == GP_StateGone || std::find(targets.begin(), targets.end(), enemy) != targets.end()) continue;
        if (targets.size() < GP_OptionState::MaxTargets) targets.push_back(enemy);
        Launch(object, enemy);
    }
}

void CGP_OptionBehaviour::Launch(CGP_GameObject* object, CGP_GameObject* target)
{
    const std::vector<GP_WeaponSlot>* slots = object->def ? &object->def->record.weapons : nullptr;
    CGP_Weapon* weapon = slots && !slots->empty() ? owner->GetWeapon(slots->front().weaponID) : nullptr;
    CGP_SpriteManager* sprites = owner->GetSpriteManager();
    if (!weapon || !sprites) return;
    const LaunchSide& side = CentreX(target) < CentreX(object) ? LeftSide : RightSide;
    const float x = object->GetAbsX();
    const float y = object->GetAbsY();
    if (CGP_GameObject* missile = sprites->CreateObject(weapon->record.projectileID, object->playField)) {
        missile->frameIndex = side.frame;
        *missile->heading = side.heading;
        *missile->x = x + side.missileX;
        *missile->y = y + MissileY;
        CGP_HomingMissileBehaviour::SetTarget(missile, target);  // only a homing missile takes one
    }
    if (weapon->record.flashID == GP_NoID) return;
    if (CGP_GameObject* puff = sprites->CreateObject(weapon->record.flashID, object->playField)) {
        *puff->x = x + side.puffX;
        *puff->vx = side.puffVx;
        *puff->y = y + PuffY;
        *puff->vy = PuffVy;
    }
}

void CGP_OptionBehaviour::Leave(CGP_GameObject* object, float timeStep)
{
    GP_PlayState& play = Play();
    if (!play.OptionOn) {
        Hide(object);
        return;
    }
    GP_BehaviourState& block = Common(object);
    TakeParentLook(object, false);
    block.animPos -= StateRate(object) * timeStep;
    if (block.animPos >= 0) {
        FrameFromPosition(object);
        return;
    }
    Hide(object);
    play.LevelPose = 0;
    play.OptionOn = 0;
}

CGP_ShieldBehaviour::CGP_ShieldBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_PickupStart, &CGP_ShieldBehaviour::Wait);
    SetState(GP_PickupFall, &CGP_ShieldBehaviour::Up);
    SetState(GP_PickupDying, &CGP_ShieldBehaviour::Broken);
}

void CGP_ShieldBehaviour::Wait(CGP_GameObject* object, float)
{
    if (!Play().ShieldOn) return;
    GP_BehaviourState& block = Common(object);
    object->frameIndex = 0;
    object->state = SpriteShown;
    object->health = Header(object).initialHealth;  // a shield that broke before starts whole
    block.animPos = 0;
    block.state = GP_PickupFall;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
}

void CGP_ShieldBehaviour::Up(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    GP_PlayState& play = Play();
    if (!play.ShieldOn) {
        block.state = GP_PickupStart;
        object->state = GP_StateFirst;
    }
    if (auto* parent = dynamic_cast<CGP_Element*>(object->parent)) object->visible = parent->visible;
    if (block.animPos < block.animEnd) block.animPos += StateRate(object) * timeStep;
    FrameFromPosition(object);
    if (!play.ShotFired) return;
    object->frameIndex = 0;
    block.animPos = 0;
    play.ShotFired = 0;
}

void CGP_ShieldBehaviour::Broken(CGP_GameObject* object, float)
{
    Play().ShieldOn = 0;
    object->state = GP_StateFirst;
    Common(object).state = GP_PickupStart;
}

CGP_CarrierBehaviour::CGP_CarrierBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_PickupStart, &CGP_CarrierBehaviour::Start);
    SetState(GP_PickupWork, &CGP_CarrierBehaviour::Carry);
}

void CGP_CarrierBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    block.state = GP_PickupWork;
    object->state = SpriteShown;
    block.timer = 0;
    object->SetAttachment(true, true, 0);
    PlayStateSound(object, GP_StateFirst);
}

void CGP_CarrierBehaviour::Carry(CGP_GameObject* object, float)
{
    if (object->UpdateAttachments() > 0) return;
    Remove(object);
    GP_PaySpecialKillBonusWhenDone(owner);
}
