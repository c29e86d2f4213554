// The vortex bomb, the homing missile, the shot that detaches and flies at the player, and the blast.
#include <algorithm>
#include <cmath>

#include "GP_BehShots.h"
#include "GP_KillBonus.h"
#include "GP_Math.h"
#include "GP_PlayField.h"
#include "GP_PlayKinds.h"
#include "GP_Random.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"

namespace {
constexpr std::int32_t SpriteFlying = 1;
constexpr std::int32_t SpriteBurst = 3;
constexpr std::int32_t SpriteAttached = 3;
constexpr float ColumnsPerPixel = 0.015625f;
constexpr float RowsPerPixel = 0.0208333f;
constexpr int HomingFrameMask = 31;

struct Centre {
    float x;
    float y;
};

Centre CentreOf(CGP_GameObject* object)
{
    return {object->GetAbsX() + static_cast<float>(*object->GetWidth() / 2),
            object->GetAbsY() + static_cast<float>(*object->GetHeight() / 2)};
}

bool IsPulledKind(std::uint32_t kind)
{
    return kind == gp_kinds::Enemy || kind == gp_kinds::MarchingEnemy || kind == gp_kinds::Obstacle;
}

bool IsGoneOrDying(CGP_GameObject* object)
{
    return object->state == GP_StateGone || (object->stateBlock && object->stateBlock->state == GP_BehaviourDying);
}

// An angle brought into 0 .. 360.
float Wrapped360(float degrees)
{
    const float rest = std::fmod(degrees, 360.0f);
    return rest < 0 ? rest + 360.0f : rest;
}
}  // namespace

CGP_VortexBombBehaviour::CGP_VortexBombBehaviour(CGP_BehaviourHost* owner) : CGP_ShotBehaviour(owner)
{
    SetState(GP_ShotDying, &CGP_VortexBombBehaviour::Burst);
    SetState(GP_ShotActive, &CGP_VortexBombBehaviour::Fuse);
    SetState(GP_ShotPull, &CGP_VortexBombBehaviour::Pull);
}

void CGP_VortexBombBehaviour::Attach(CGP_GameObject* object)
{
    CGP_ShotBehaviour::Attach(object);
    BlockOf<GP_ShotState>(object).victims.clear();
}

void CGP_VortexBombBehaviour::Burst(CGP_GameObject* object, float)
{
    GP_ShotState& block = BlockOf<GP_ShotState>(object);
    object->state = SpriteBurst;
    block.state = GP_ShotActive;
    object->visible = 0;
    int created = 0;
    CGP_SpriteManager* sprites = owner->GetSpriteManager();
    const GP_SpawnEntry* entry =
        object->def && !object->def->record.spawns2.empty() ? &object->def->record.spawns2.front() : nullptr;
    const int count = entry ? entry->countBase : 0;
    for (int k = 0; sprites && k < count; ++k) {
        CGP_GameObject* piece = sprites->CreateObject(entry->spriteID, object->playField);
        if (!piece) continue;
        *piece->x = *object->x + static_cast<float>(entry->xBase);
        *piece->y = *object->y + static_cast<float>(entry->yBase);
        *piece->heading = static_cast<float>(k) * (360.0f / static_cast<float>(count));
        ++created;
    }
    block.timer = static_cast<float>(created);
}

void CGP_VortexBombBehaviour::Fuse(CGP_GameObject* object, float timeStep)
{
    GP_ShotState& block = BlockOf<GP_ShotState>(object);
    if (block.timer < static_cast<float>(Header(object).interval)) {
        block.timer += timeStep;
        return;
    }
    Gather(object, block);
    block.timer = 0;
    block.state = GP_ShotPull;
}

void CGP_VortexBombBehaviour::Gather(CGP_GameObject* object, GP_ShotState& block)
{
    block.victims.clear();
    CGP_PlayField* field = object->playField;
    if (!field || field->columns <= 0 || field->rows <= 0) return;
    const Centre bomb = CentreOf(object);
    const auto cell = [](float position, float perPixel, int count) {
        return std::clamp(static_cast<int>(position * perPixel), 0, count - 1);
    };
    const int lastColumn = cell(bomb.x + Reach, ColumnsPerPixel, field->columns);
    const int lastRow = cell(bomb.y + Reach, RowsPerPixel, field->rows);
    for (int row = cell(bomb.y - Reach, RowsPerPixel, field->rows); row <= lastRow; ++row) {
        for (int column = cell(bomb.x - Reach, ColumnsPerPixel, field->columns); column <= lastColumn; ++column) {
            const CGP_PtrList& objects = field->Cell(column, row);
            for (std::uint16_t i = 0; i < objects.count; ++i) {
                auto* other = static_cast<CGP_GameObject*>(objects.block[i]);
                const Centre centre = CentreOf(other);
                if (!IsPulledKind(Header(other).kind) || std::hypot(centre.x - bomb.x, centre.y - bomb.y) >= Reach)
                    continue;
                if (std::find(block.victims.begin(), block.victims.end(), other) == block.victims.end())
                    block.victims.push_back(other);
            }
        }
    }
}

void CGP_VortexBombBehaviour::Pull(CGP_GameObject* object, float timeStep)
{
    GP_ShotState& block = BlockOf<GP_ShotState>(object);
    const Centre bomb = CentreOf(object);
    std::vector<CGP_GameObject*>& victims = block.victims;
    for (std::size_t i = 0; i < victims.size();) {
        CGP_GameObject* victim = victims[i];
        if (IsGoneOrDying(victim)) {
            ++i;
            continue;
        }
        const Centre centre = CentreOf(victim);
        const float dx = bomb.x - centre.x;
        const float dy = bomb.y - centre.y;
        if (std::hypot(dx, dy) >= CaptureDistance) {
            const float angle = std::atan2(dy, dx);
            *victim->x += std::cos(angle) * timeStep * PullSpeed;
            *victim->y += std::sin(angle) * timeStep * PullSpeed;
            ++i;
            continue;
        }
        if (victim->stateBlock) victim->stateBlock->state = GP_BehaviourDying;
        victims[i] = victims.back();
        victims.pop_back();
    }
    block.timer += timeStep;
    if (block.timer <= static_cast<float>(Header(object).interval)) return;
    victims.clear();
    Remove(object);
    GP_PaySpecialKillBonusWhenDone(owner);
}

CGP_HomingMissileBehaviour::CGP_HomingMissileBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_ShotStart, &CGP_HomingMissileBehaviour::Start);
    SetState(GP_ShotActive, &CGP_HomingMissileBehaviour::Home);
    SetState(GP_ShotDying, &CGP_HomingMissileBehaviour::Gone);
}

void CGP_HomingMissileBehaviour::Attach(CGP_GameObject* object)
{
    GP_HomingState& block = EnsureBlock<GP_HomingState>(object);
    object->behaviour = this;
    object->state = SpriteFlying;
    block.state = GP_ShotStart;
    block.timer = 0;
    block.target = nullptr;  // whoever launches it gives it one
    block.def = object->def ? &object->def->record : nullptr;
    object->frameIndex = 0;
    PlayStateSound(object, SpriteFlying);
}

bool CGP_HomingMissileBehaviour::SetTarget(CGP_GameObject* missile, CGP_GameObject* target)
{
    if (!missile || !dynamic_cast<CGP_HomingMissileBehaviour*>(missile->behaviour)) return false;
    auto* block = dynamic_cast<GP_HomingState*>(missile->stateBlock.get());
    if (!block) return false;
    block->target = target;
    return true;
}

void CGP_HomingMissileBehaviour::Start(CGP_GameObject* object, float)
{
    GP_HomingState& block = BlockOf<GP_HomingState>(object);
    block.state = GP_ShotActive;
    block.turnHeading = static_cast<float>(GP_Rand() % 360);
    const float parameter = object->GetStateParam();
    block.frameFactor = parameter != 0 ? 1.0f / parameter : 0.0f;
}

void CGP_HomingMissileBehaviour::Home(CGP_GameObject* object, float timeStep)
{
    GP_HomingState& block = BlockOf<GP_HomingState>(object);
    CGP_GameObject* target = block.target;
    if (!target || target->state == GP_StateGone) {
        block.state = GP_ShotDying;
        return;
    }
    const float dx = static_cast<float>(Width(target) - Width(object)) * 0.5f + *target->x - object->GetAbsX();
    const float dy = static_cast<float>(Height(object) - Height(target)) * 0.5f + object->GetAbsY() - *target->y;
    block.turnHeading = GP_Atan2Deg(dy, dx) + 180;
    const float d = Wrapped360(*object->heading - block.turnHeading);
    const float turn = StateRate(object) * object->GetStateParam() * timeStep;
    if (d > 180) *object->heading -= turn;
    if (d < 180) *object->heading += turn;
    const float speed = Header(object).speed;
    *object->x += GP_CosDeg(*object->heading) * speed * timeStep;
    *object->y -= GP_SinDeg(*object->heading) * speed * timeStep;
    const int count = FrameCount(object);
    int frame = GP_Round(block.frameFactor * *object->heading);
    if (count > 0 && frame < 0) frame = frame % count + count;
    object->frameIndex = std::min(frame & HomingFrameMask, std::max(count - 1, 0));
    object->EmitPrimary(timeStep, -1);
}

void CGP_HomingMissileBehaviour::Gone(CGP_GameObject* object, float) { Remove(object); }

CGP_DetachingShotBehaviour::CGP_DetachingShotBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_ShotStart, &CGP_DetachingShotBehaviour::Start);
    SetState(GP_ShotLaunch, &CGP_DetachingShotBehaviour::WaitAttached);
    SetState(GP_ShotActive, &CGP_DetachingShotBehaviour::FlyAtPlayer);
    SetState(GP_ShotDying, &CGP_DetachingShotBehaviour::Die);
}

void CGP_DetachingShotBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteAttached;
    object->visible = 1;
    block.timer = static_cast<float>(Header(object).interval);
    block.state = GP_ShotLaunch;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    block.animPos = 0;
}

void CGP_DetachingShotBehaviour::WaitAttached(CGP_GameObject* object, float timeStep)
{
    *object->startDelay -= static_cast<std::int32_t>(timeStep);
    if (*object->startDelay < 0) Detach(object);
    AdvanceWrapped(object, timeStep);
}

void CGP_DetachingShotBehaviour::Detach(CGP_GameObject* object)
{
    GP_BehaviourState& block = Common(object);
    const float x = object->GetAbsX() + 1;
    const float y = object->GetAbsY() + 1;
    object->parent = nullptr;
    *object->x = x;
    *object->y = y;
    object->state = SpriteFlying;
    block.state = GP_ShotActive;
    block.animEnd = static_cast<float>(FrameCount(object) - 1);
    const float speed = Header(object).speed;
    CGP_GameObject* player = Player();
    if (!player) {  // nobody to fly at: straight down
        *object->vx = 0;
        *object->vy = speed;
        return;
    }
    const float dx = static_cast<float>((Width(object) - Width(player)) / 2) + x - *player->x;
    const float dy = static_cast<float>((Height(object) + Height(player)) / 2) + *player->y - y;
    *object->heading = GP_Atan2Deg(dy, dx);
    *object->vx = -GP_CosDeg(*object->heading) * speed;
    *object->vy = GP_SinDeg(*object->heading) * speed;
}

void CGP_DetachingShotBehaviour::AdvanceWrapped(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.animPos += StateRate(object) * timeStep;
    if (block.animPos > block.animEnd) block.animPos = block.animEnd > 0 ? block.animPos - block.animEnd : 0;
    FrameFromPosition(object);
}

void CGP_DetachingShotBehaviour::FlyAtPlayer(CGP_GameObject* object, float timeStep)
{
    *object->x += *object->vx * timeStep;
    *object->y += *object->vy * timeStep;
    CGP_GameObject* other = FindHitObject(object);
    if (other && *other->spriteID == gp_sprites::Player) {
        other->Hit(object);
        object->Hit(other);
        IsAlive(object);
    }
    if (*object->y >= GP_PlayHeight) Remove(object);
    AdvanceWrapped(object, timeStep);
}

void CGP_DetachingShotBehaviour::Die(CGP_GameObject* object, float timeStep) { RemoveOnDeath(object, timeStep); }

CGP_BlastBehaviour::CGP_BlastBehaviour(CGP_BehaviourHost* owner) : CGP_GameBehaviour(owner)
{
    SetState(GP_ShotStart, &CGP_BlastBehaviour::Start);
    SetState(GP_ShotActive, &CGP_BlastBehaviour::Blast);
}

void CGP_BlastBehaviour::Start(CGP_GameObject* object, float)
{
    GP_BehaviourState& block = Common(object);
    object->state = SpriteFlying;
    object->visible = 1;
    object->frameIndex = 0;
    block.state = GP_ShotActive;
    block.animEnd = static_cast<float>(FrameCount(object));
    block.animPos = 0;
}

void CGP_BlastBehaviour::Blast(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.animPos += StateRate(object) * timeStep;
    if (block.animPos > block.animEnd) {
        block.animPos = 0;
        object->frameIndex = 0;
        Remove(object);
        return;
    }
    FrameFromPosition(object);
    if (CGP_GameObject* other = FindHitObject(object)) other->Hit(object);
}
