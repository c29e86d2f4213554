// The marching block: join, march with the shared speed, bob, drop after reversals, die with score and tally.
#include "GP_BehFormation.h"

#include <algorithm>

#include "GP_Math.h"
#include "GP_ObjectList.h"
#include "GP_PlayField.h"
#include "GP_PlayKinds.h"
#include "GP_Random.h"
#include "GP_Scene.h"
#include "GP_SpriteDef.h"

namespace {
constexpr std::int32_t SpriteMarching = 3;
constexpr float DefaultSpeedFactor = 0.0005f;
constexpr int BobRange = 5;  // the bobbing target lies within ±2 px of the row

bool HitsInMarch(CGP_GameObject* other)
{
    const std::uint32_t sprite = *other->spriteID;
    return sprite == gp_sprites::Player || sprite == gp_sprites::PlayerPart ||
           (other->def && other->def->record.header.kind == gp_kinds::Obstacle);
}

bool Marching(CGP_GameObject* object) { return object->stateBlock && object->stateBlock->state == GP_FormationMarch; }
}  // namespace

CGP_FormationBehaviour::CGP_FormationBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_FormationWait, &CGP_FormationBehaviour::Wait);
    SetState(GP_FormationJoin, &CGP_FormationBehaviour::Join);
    SetState(GP_FormationMarch, &CGP_FormationBehaviour::March);
    SetState(GP_FormationDrop, &CGP_FormationBehaviour::Drop);
    SetState(GP_FormationDying, &CGP_FormationBehaviour::Die);
}

template <class Block>
Block& CGP_FormationBehaviour::AttachFormation(CGP_GameObject* object)
{
    Block& block = EnsureBlock<Block>(object);
    object->behaviour = this;
    object->state = GP_StateFirst;
    object->frameIndex = 0;
    block.state = GP_FormationWait;
    block.timer = 0;
    block.def = object->def ? &object->def->record : nullptr;
    block.scores = 1;
    block.tallied = 1;
    block.spare = 0;
    return block;
}

template GP_FormationState& CGP_FormationBehaviour::AttachFormation<GP_FormationState>(CGP_GameObject*);
template GP_DiverState& CGP_FormationBehaviour::AttachFormation<GP_DiverState>(CGP_GameObject*);

void CGP_FormationBehaviour::Attach(CGP_GameObject* object) { AttachFormation<GP_FormationState>(object); }

bool CGP_FormationBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_Behaviour::Hit(object, other);
    auto& block = BlockOf<GP_FormationState>(object);
    const std::uint32_t kind = Header(other).kind;
    block.scores = kind != gp_kinds::Obstacle && kind != gp_kinds::ScoredTarget;
    block.tallied = kind == gp_kinds::SpecialShot;
    return alive;
}

GP_FormationParameters CGP_FormationBehaviour::Parameters() const
{
    GP_FormationParameters result;
    CGP_Scene* scene = owner->GetScene();
    if (!scene || !scene->parameters) return result;
    const GP_SceneParameters& p = *scene->parameters;
    result.speedFactor = p.speed != 0 ? scene->speedFactor : DefaultSpeedFactor;
    result.bottomLine = static_cast<std::int32_t>(p.word12);
    result.dropDelay = static_cast<std::int32_t>(p.word16);
    result.dropStep = static_cast<std::int32_t>(p.word24);
    return result;
}

void CGP_FormationBehaviour::Wait(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    if (block.timer < static_cast<float>(*object->startDelay)) {
        block.timer += static_cast<float>(static_cast<std::int32_t>(timeStep));
        return;
    }
    block.state = GP_FormationJoin;
}

void CGP_FormationBehaviour::Join(CGP_GameObject* object, float)
{
    auto& block = BlockOf<GP_FormationState>(object);
    object->visible = 1;
    object->frameIndex = 0;
    block.state = GP_FormationMarch;
    object->state = SpriteMarching;
    const std::int32_t count = FrameCount(object);
    block.animPos = count > 2 ? static_cast<float>(GP_Rand() % (count - 2) + 1) : 0.0f;
    block.animEnd = static_cast<float>(count - 1);
    block.anchorX = static_cast<std::int32_t>(object->GetAbsX());
    block.rowY = block.targetY = static_cast<std::int32_t>(object->GetAbsY());
    block.aux = block.depthAtJoin = static_cast<std::int32_t>(*object->depth);
    block.targetX = *object->value32 + block.anchorX;
    block.knownDirection = Play().FormationDirection;
    block.dropCountdown = Parameters().dropDelay;
    block.startY = object->GetAbsY();
    *object->vx = *object->vy = *object->vz = 0;
}

void CGP_FormationBehaviour::ShareFormationSpeed(CGP_GameObject* object)
{
    GP_PlayState& play = Play();
    if (play.FrameSharedDone) {
        *object->vx = play.FormationSpeed;
        return;
    }
    float left = GP_PlayWidth;
    float right = 0;
    for (std::uint16_t listIndex : {gp_lists::Enemies, gp_lists::Divers}) {
        CGP_ObjectList* list = owner->GetObjectList(listIndex);
        for (std::uint16_t i = 0; list && i < list->Count(); ++i) {
            CGP_GameObject* member = list->At(i);
            if (member->state == GP_StateGone) continue;
            if (listIndex == gp_lists::Divers && !Marching(member)) continue;
            left = std::min(left, *member->x);
            right = std::max(right, *member->x + static_cast<float>(Width(member)));
        }
    }
    if (right > GP_PlayWidth) play.FormationDirection = -1;
    if (left < 0) play.FormationDirection = 1;
    play.FormationSpeed = (left - right + GP_PlayWidth) * Parameters().speedFactor;
    play.FrameSharedDone = 1;
}

void CGP_FormationBehaviour::AnimateInRow(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    const std::int32_t last = FrameCount(object) - 1;
    block.animPos += StateRate(object) * timeStep;
    if (block.animPos > static_cast<float>(last)) {
        object->frameIndex = std::max(last, 0);
        block.animPos = 0;
        return;
    }
    FrameFromPosition(object);
}

void CGP_FormationBehaviour::March(CGP_GameObject* object, float timeStep)
{
    auto& block = BlockOf<GP_FormationState>(object);
    CGP_GameObject* other = FindHitObject(object);
    if (other && other != object && HitsInMarch(other)) {
        other->Hit(object);
        object->Hit(other);
    }
    ShareFormationSpeed(object);
    GP_PlayState& play = Play();
    if (block.knownDirection != play.FormationDirection) {
        if (block.dropCountdown >= 1) {
            --block.dropCountdown;
        } else if (!play.GameOver) {
            const std::int32_t step = Parameters().dropStep;
            block.state = GP_FormationDrop;
            block.targetY = static_cast<std::int32_t>(*object->y + static_cast<float>(step));
            *object->vy = static_cast<float>(step) * 0.01f;
            block.rowY += step;
        }
        block.knownDirection = play.FormationDirection;
    }
    *object->x += static_cast<float>(play.FormationDirection) * play.FormationSpeed * timeStep;
    // A drop begun this frame keeps its own speed: the bobbing would take it over, and for a sprite without a
    // vertical speed of its own it would be none, leaving the member in its drop for good.
    if (block.state == GP_FormationDrop) {
        AnimateInRow(object, timeStep);
        return;
    }
    if (ApproachY(object, timeStep))
        *object->y += *object->vy * timeStep;
    else
        block.targetY = GP_Rand() % BobRange + block.rowY - 2;
    AnimateInRow(object, timeStep);
}

void CGP_FormationBehaviour::Drop(CGP_GameObject* object, float timeStep)
{
    auto& block = BlockOf<GP_FormationState>(object);
    const float bottom = *object->y + static_cast<float>(Height(object));
    const bool belowLine = bottom > static_cast<float>(Parameters().bottomLine);
    if (belowLine && static_cast<float>(block.targetY) > *object->y && *object->spriteID != gp_sprites::Bottomless) {
        CGP_GameObject* player = Player();
        if (player && player->stateBlock) player->stateBlock->state = GP_BehaviourDying;
        return;
    }
    *object->y += *object->vy * timeStep;
    if (static_cast<float>(block.rowY) < block.startY)
        block.rowY = block.targetY = static_cast<std::int32_t>(block.startY);
    const float target = static_cast<float>(block.targetY);
    if ((*object->vy >= 0 && *object->y > target) || (*object->vy < 0 && *object->y < target)) {
        *object->y = target;
        block.state = GP_FormationMarch;
    }
    AnimateInRow(object, timeStep);
}

void CGP_FormationBehaviour::Die(CGP_GameObject* object, float timeStep)
{
    RemoveOnDeath(object, timeStep);
    ScoreKill(object);
}

void CGP_FormationBehaviour::ScoreKill(CGP_GameObject* object)
{
    auto& block = BlockOf<GP_FormationState>(object);
    GP_PlayState& play = Play();
    if (block.scores) AddScore(object);
    if (!play.SpecialFired || !block.tallied) return;
    if (Header(object).kind == gp_kinds::MarchingEnemy)
        ++play.SpecialKillsA;
    else
        ++play.SpecialKillsB;
}

CGP_SlidingFormationBehaviour::CGP_SlidingFormationBehaviour(CGP_BehaviourHost* owner) : CGP_FormationBehaviour(owner)
{
    SetState(GP_FormationMarch, &CGP_SlidingFormationBehaviour::MarchAndSlide);
    SetState(GP_FormationDrop, &CGP_SlidingFormationBehaviour::DropAndSlide);
}

void CGP_SlidingFormationBehaviour::MarchAndSlide(CGP_GameObject* object, float timeStep)
{
    March(object, timeStep);
    Slide(object, timeStep);
}

void CGP_SlidingFormationBehaviour::DropAndSlide(CGP_GameObject* object, float timeStep)
{
    Drop(object, timeStep);
    Slide(object, timeStep);
}

void CGP_SlidingFormationBehaviour::Slide(CGP_GameObject* object, float timeStep)
{
    auto& block = BlockOf<GP_FormationState>(object);
    const auto step = static_cast<std::int32_t>(timeStep * SlidePerMs);
    if (block.anchorX <= 0 && block.targetX > block.anchorX) {
        block.targetX -= step;
        *object->x -= static_cast<float>(step);
    } else if (block.anchorX > 0 && block.targetX < block.anchorX) {
        block.targetX += step;
        *object->x += static_cast<float>(step);
    }
}
