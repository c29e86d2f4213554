#include "GP_BehPlayerShip.h"

#include <algorithm>
#include <cmath>

#include "GP_BehFormation.h"
#include "GP_ObjectList.h"
#include "GP_PlayField.h"
#include "GP_PlayKinds.h"
#include "GP_Scene.h"
#include "GP_SpriteDef.h"

namespace {
constexpr int ReserveSpawnEntries = -1;  // the whole death spawn while reserve ships are left
constexpr int LastDeathSpawnEntry = 9;
constexpr int SkippedLastLossEntry = 1;  // not emitted at the last loss

bool Live(const CGP_GameObject* object) { return object->state != GP_StateGone; }

// A member still waiting for its turn or joining has no place in the block yet: pushed into a drop, it would
// skip its join and stay hidden for good, and the stage could never end.
bool InBlock(const CGP_GameObject* object)
{
    if (!dynamic_cast<const GP_FormationState*>(object->stateBlock.get())) return true;
    const std::int32_t state = object->stateBlock->state;
    return state != GP_FormationWait && state != GP_FormationJoin;
}

bool AwayFromBlock(std::int32_t state)
{
    return state == GP_FormationDive || state == GP_FormationDying || state == GP_FormationBelow ||
           state == GP_FormationFallBack;
}
}  // namespace

CGP_PlayerShipBehaviour::CGP_PlayerShipBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_ShipEnter, &CGP_PlayerShipBehaviour::Enter);
    SetState(GP_ShipRest, &CGP_PlayerShipBehaviour::Rest);
    SetState(GP_ShipMove, &CGP_PlayerShipBehaviour::Move);
    SetState(GP_ShipDestroyed, &CGP_PlayerShipBehaviour::Destroyed);
    SetState(GP_ShipRespawn, &CGP_PlayerShipBehaviour::Respawn);
}

void CGP_PlayerShipBehaviour::Attach(CGP_GameObject* object)
{
    CGP_GameBehaviour::Attach(object);
    object->state = GP_ShipHidden;
    Common(object).state = GP_ShipEnter;
}

void CGP_PlayerShipBehaviour::Enter(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->frameIndex = 0;
    block.state = GP_ShipMove;
    object->state = GP_ShipShown;
    *object->y = LineY;
    *object->x = static_cast<float>((GP_PlayWidth - Width(object)) / 2);
    block.animEnd = block.animPos = static_cast<float>(object->GetStateValue());
    block.targetY = static_cast<std::int32_t>(object->GetAbsY());
    block.targetX = static_cast<std::int32_t>(object->GetAbsX());
    object->SetAttachment(true, false, 0);
    object->SetAttachment(true, false, 1);
    object->effectOn = 1;
    object->effectTime = InvulnerableTime;
    object->Fire(true, 0);
    Play().ShipReady = 1;
}

void CGP_PlayerShipBehaviour::Blink(CGP_GameObject* object, float timeStep)
{
    if (!object->effectOn) return;
    object->effectTime -= timeStep;
    object->effectStep -= timeStep;
    if (object->effectStep < 0) {
        object->effectStep = BlinkTime;
        object->visible = !object->visible;
    }
    if (object->effectTime < 0) {
        object->effectOn = 0;
        object->visible = 1;
    }
}

void CGP_PlayerShipBehaviour::Lean(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    const float step = StateRate(object) * timeStep;
    if (block.animPos > block.animEnd) block.animPos -= step;
    if (block.animPos < block.animEnd) block.animPos += step;
    FrameFromPosition(object);
}

void CGP_PlayerShipBehaviour::Rest(CGP_GameObject* object, float timeStep)
{
    Blink(object, timeStep);
    GP_BehaviourState& block = Common(object);
    if (*object->vx != 0) {
        block.state = GP_ShipMove;
        object->state = GP_ShipShown;
        return;
    }
    block.animEnd = static_cast<float>(object->GetStateValue());
    if (ApproachX(object, timeStep))
        *object->x += timeStep * *object->vx;
    else
        *object->vx = 0;
    Lean(object, timeStep);
    object->EmitPrimary(timeStep, 0);
    object->EmitPrimary(timeStep, 1);
}

void CGP_PlayerShipBehaviour::Move(CGP_GameObject* object, float timeStep)
{
    Blink(object, timeStep);
    GP_BehaviourState& block = Common(object);
    block.targetX = std::max(std::min(block.targetX, GP_PlayWidth - Width(object)), 0);
    if (ApproachX(object, timeStep)) {
        *object->x += timeStep * *object->vx;
    } else {
        block.state = GP_ShipRest;
        *object->x = static_cast<float>(block.targetX);
        *object->vx = 0;
    }
    const float level = static_cast<float>(object->GetStateValue());
    // The strip leans from frame 0 (left) through the level frame c to 2c (right): into the move, and the
    // other way while braking.
    const float right = 2 * level;
    const float left = 0;
    if (*object->vx > 0)
        block.animEnd = block.brakingX ? left : right;
    else if (*object->vx < 0)
        block.animEnd = block.brakingX ? right : left;
    else
        block.animEnd = level;
    Lean(object, timeStep);
    if (Play().LevelPose)
        object->frameIndex = std::clamp(object->GetStateValue(), 0, std::max(FrameCount(object) - 1, 0));
}

void CGP_PlayerShipBehaviour::Event3(CGP_GameObject* object, std::int32_t dx, std::int32_t, float elapsed)
{
    Steer(object, dx, elapsed);
}

std::int32_t CGP_PlayerShipBehaviour::Event5(CGP_GameObject* object)
{
    Fire2(object);
    return 0;
}

void CGP_PlayerShipBehaviour::Steer(CGP_GameObject* object, std::int32_t dx, float elapsed)
{
    if (dx == 0 || !object->stateBlock) return;
    if (dx > 0) {
        if (static_cast<float>(dx) > elapsed) dx = static_cast<std::int32_t>(elapsed);
        dx = std::min(dx, MaxSteer);
    } else {
        if (static_cast<float>(dx) < -elapsed) dx = static_cast<std::int32_t>(-elapsed);
        dx = std::max(dx, -MaxSteer);
    }
    GP_BehaviourState& block = Common(object);
    block.targetX = std::max(std::min(block.targetX + dx, GP_PlayWidth - Width(object)), 0);
}

bool CGP_PlayerShipBehaviour::Disabled(CGP_GameObject* object)
{
    return !object->stateBlock || object->state == GP_StateGone || Common(object).state == GP_ShipRespawn;
}

void CGP_PlayerShipBehaviour::Fire1(CGP_GameObject* object)
{
    if (Disabled(object)) return;
    CGP_ObjectList* shots = owner->GetObjectList(ShotList);
    if (shots && shots->CountLive() > 0) return;
    if (object->Fire(false, 0)) Play().ShotFired = 1;
}

void CGP_PlayerShipBehaviour::Fire2(CGP_GameObject* object)
{
    if (Disabled(object)) return;
    GP_PlayState& play = Play();
    for (int weapon = 0; weapon < SpecialWeapons; ++weapon) {
        if (play.WeaponCounts[weapon] < FullCharge || !object->Fire(false, weapon + 1)) continue;
        play.WeaponCounts[weapon] = 0;
        play.ShotFired = 1;
        play.SpecialFired = 1;
        play.SpecialKillsA = 0;
        play.SpecialKillsB = 0;
        owner->SelectWeapon(0);
        owner->SetWeaponIndicator(-1);
        owner->RewindWeaponIcon(weapon);
    }
}

void CGP_PlayerShipBehaviour::SelectWeapon(CGP_GameObject* object, int weapon)
{
    GP_PlayState& play = Play();
    if (object->state == GP_StateGone || !play.HiddenMode) return;
    std::fill(std::begin(play.WeaponCounts), std::end(play.WeaponCounts), 0);
    play.WeaponCounts[weapon] = FullCharge;
    owner->SelectWeapon(weapon);
}

bool CGP_PlayerShipBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    if (object->effectOn) return true;
    return CGP_GameBehaviour::Hit(object, other);
}

void CGP_PlayerShipBehaviour::DropWeapons()
{
    GP_PlayState& play = Play();
    std::fill(std::begin(play.WeaponCounts), std::end(play.WeaponCounts), 0);
    play.OptionOn = 0;
    play.ShieldOn = 0;
    owner->RewindWeaponIcon(owner->GetSelectedWeapon());
    owner->SetWeaponIndicator(-1);
}

void CGP_PlayerShipBehaviour::Destroyed(CGP_GameObject* object, float timeStep)
{
    GP_PlayState& play = Play();
    if (play.Lives > 0) {
        object->EmitSecondary(timeStep, ReserveSpawnEntries);
    } else {
        for (int entry = 0; entry <= LastDeathSpawnEntry; ++entry)
            if (entry != SkippedLastLossEntry) object->EmitSecondary(timeStep, entry);
    }
    if (!play.HiddenMode) DropWeapons();
    if (play.Lives <= 0) {
        object->state = GP_StateGone;
        owner->GameOver();
        return;
    }
    PushEnemiesBack();
    if (!play.HiddenMode) play.Lives -= 1;
    MakeInvulnerable(object);
    object->effectStep = BlinkTime;
    object->state = GP_ShipHidden;
    Common(object).state = GP_ShipRespawn;
    Common(object).timer = 0;
}

void CGP_PlayerShipBehaviour::MakeInvulnerable(CGP_GameObject* object)
{
    object->effectOn = 1;
    object->effectTime = InvulnerableTime;
}

std::int32_t CGP_PlayerShipBehaviour::PushBackShift() const
{
    std::int32_t shift = GP_PlayHeight;
    if (CGP_ObjectList* enemies = owner->GetObjectList(gp_lists::Enemies)) {
        for (std::uint16_t i = 0; i < enemies->Count(); ++i) {
            const CGP_GameObject* enemy = enemies->At(i);
            if (Live(enemy) && *enemy->y < static_cast<float>(shift)) shift = static_cast<std::int32_t>(*enemy->y);
        }
    }
    CGP_Scene* scene = owner->GetScene();
    if (scene && scene->parameters) shift = std::min(shift, 2 * static_cast<std::int32_t>(scene->parameters->word24));
    // An enemy still above the screen would otherwise push the others down.
    return std::max(shift, 0);
}

void CGP_PlayerShipBehaviour::PushUp(CGP_GameObject* enemy, std::int32_t shift)
{
    enemy->stateBlock->state = GP_FormationDrop;
    enemy->stateBlock->targetY = static_cast<std::int32_t>(*enemy->y - static_cast<float>(shift));
    *enemy->vy = PushBackSpeed;
    if (auto* member = dynamic_cast<GP_FormationState*>(enemy->stateBlock.get())) member->rowY -= shift;
}

void CGP_PlayerShipBehaviour::PushEnemiesBack()
{
    const std::int32_t shift = PushBackShift();
    if (CGP_ObjectList* enemies = owner->GetObjectList(gp_lists::Enemies)) {
        for (std::uint16_t i = 0; i < enemies->Count(); ++i) {
            CGP_GameObject* enemy = enemies->At(i);
            const std::uint32_t sprite = *enemy->spriteID;
            if (!Live(enemy) || !enemy->stateBlock || enemy->stateBlock->state == GP_BehaviourDying) continue;
            if (!InBlock(enemy)) continue;
            if (sprite >= FirstUnmovedSprite && sprite <= LastUnmovedSprite) continue;
            PushUp(enemy, shift);
        }
    }
    CGP_ObjectList* divers = owner->GetObjectList(gp_lists::Divers);
    if (!divers) return;
    for (std::uint16_t i = 0; i < divers->Count(); ++i) {
        CGP_GameObject* diver = divers->At(i);
        if (!Live(diver) || !diver->stateBlock || !InBlock(diver)) continue;
        if (!AwayFromBlock(diver->stateBlock->state)) {
            PushUp(diver, shift);
            continue;
        }
        // A diver away from the block moves its place in the block instead.
        auto* away = dynamic_cast<GP_DiverState*>(diver->stateBlock.get());
        if (!away) continue;
        away->snapshot.state = GP_FormationDrop;
        away->targetY = static_cast<std::int32_t>(away->snapshot.y - static_cast<float>(shift));
        away->snapshot.vy = PushBackSpeed;
        away->rowY -= shift;
    }
}

void CGP_PlayerShipBehaviour::Respawn(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.timer += timeStep;
    if (block.timer <= RespawnTime) return;
    block.state = GP_ShipRest;
    object->state = GP_ShipShown;
    object->frameIndex = 0;
    *object->x = static_cast<float>(GP_PlayWidth - Width(object)) * 0.5f;
    block.targetX = static_cast<std::int32_t>(*object->x);
    // The reserve ship comes whole: a ship worn down before its loss would otherwise die at the first hit.
    object->health = Header(object).initialHealth;
}
