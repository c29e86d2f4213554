// The block members with a move of their own: the splitter that splits into sliding clones, the diver that
// dives at the player while its place in the block marches on.
#include <algorithm>
#include <cmath>

#include "GP_BehFormation.h"
#include "GP_Math.h"
#include "GP_ObjectList.h"
#include "GP_PlayKinds.h"
#include "GP_Random.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"

namespace {
constexpr std::int32_t SpriteShown = 1;
constexpr std::int32_t SpriteMarching = 3;
constexpr std::int32_t FacingTurn = 5;
constexpr int PlayerAliveStates[] = {2, 3};  // the ship resting or moving
constexpr float DiveFireFrameFirst = 11;
constexpr float DiveFireFrameLast = 13;
constexpr float DiveFirePosition = 12;

bool InsideOf(CGP_GameObject* object, int x, int y)
{
    const float left = *object->x;
    const float top = *object->y;
    return left < x && x < left + *object->GetWidth() && top < y && y < top + *object->GetHeight();
}
}  // namespace

CGP_SplitterBehaviour::CGP_SplitterBehaviour(CGP_BehaviourHost* owner) : CGP_FormationBehaviour(owner)
{
    SetState(GP_FormationDying, &CGP_SplitterBehaviour::DieAndSplit);
}

void CGP_SplitterBehaviour::Attach(CGP_GameObject* object) { AttachFormation<GP_FormationState>(object).splits = 0; }

bool CGP_SplitterBehaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    const bool alive = CGP_FormationBehaviour::Hit(object, other);
    BlockOf<GP_FormationState>(object).splits = *other->spriteID == gp_sprites::SplittingShot;
    return alive;
}

void CGP_SplitterBehaviour::DieAndSplit(CGP_GameObject* object, float timeStep)
{
    const std::vector<GP_SpawnEntry>* second = object->def ? &object->def->record.spawns2 : nullptr;
    if (second && !second->empty()) {
        if (BlockOf<GP_FormationState>(object).splits && second->front().spriteID != GP_NoID) Split(object);
        for (int entry = 1; entry < static_cast<int>(second->size()); ++entry) object->EmitSecondary(timeStep, entry);
    }
    ScoreKill(object);
    Remove(object);
}

bool CGP_SplitterBehaviour::IsTaken(int x, int y) const
{
    for (std::uint16_t listIndex : {gp_lists::Enemies, gp_lists::Divers}) {
        CGP_ObjectList* list = owner->GetObjectList(listIndex);
        for (std::uint16_t i = 0; list && i < list->Count(); ++i) {
            CGP_GameObject* other = list->At(i);
            if (other->state != GP_StateGone && InsideOf(other, x, y)) return true;
        }
    }
    return false;
}

void CGP_SplitterBehaviour::Split(CGP_GameObject* object)
{
    const int cx = static_cast<int>(*object->x) + Width(object) / 2;
    const int cy = static_cast<int>(*object->y) + Height(object) / 2;
    const bool free[] = {false, !IsTaken(cx, cy - RowReach), !IsTaken(cx, cy + RowReach), !IsTaken(cx - SideReach, cy),
                         !IsTaken(cx + SideReach, cy)};
    const bool allFree = free[Up] && free[Down] && free[Left] && free[Right];
    const int kept = allFree ? GP_Rand() % 4 + 1 : None;
    const GP_SpawnEntry& entry = object->def->record.spawns2.front();
    for (int direction = Up; direction <= Right; ++direction) {
        if (free[direction] && direction != kept) MakeClone(object, entry, static_cast<Direction>(direction));
    }
}

void CGP_SplitterBehaviour::MakeClone(CGP_GameObject* object, const GP_SpawnEntry& entry, Direction direction)
{
    CGP_SpriteManager* sprites = owner->GetSpriteManager();
    CGP_GameObject* clone = sprites ? sprites->CreateObject(entry.spriteID, object->playField) : nullptr;
    if (!clone) return;
    *clone->x = *object->x + static_cast<float>(Width(object) / 2 - Width(clone) / 2);
    *clone->y = *object->y + static_cast<float>(Height(object) / 2 - Height(clone) / 2);
    *clone->value32 = *object->value32;
    *clone->depth = *object->depth;
    *clone->vy = *object->vy;
    *clone->vz = *object->vz;
    clone->state = object->state;
    clone->frameIndex = object->frameIndex;
    auto* block = dynamic_cast<GP_FormationState*>(clone->stateBlock.get());
    if (!block) return;  // a clone of another behaviour keeps its own block
    const auto& own = BlockOf<GP_FormationState>(object);
    if (object->state == SpriteShown) block->state = GP_FormationDive;
    if (object->state == SpriteMarching) block->state = GP_FormationMarch;
    block->targetY = own.targetY;
    block->aux = own.aux;
    block->knownDirection = own.knownDirection;
    block->dropCountdown = own.dropCountdown;
    block->rowY = entry.yBase + own.rowY;
    switch (direction) {
    case Up:
        block->rowY -= RowReach;
        block->targetY -= RowReach;
        break;
    case Down:
        block->rowY += RowReach;
        block->targetY += RowReach;
        break;
    case Left:
    case Right:
        block->anchorX = direction == Left ? -SideReach : SideReach;
        block->targetX = 0;
        break;
    default: break;
    }
}

CGP_DiverBehaviour::CGP_DiverBehaviour(CGP_BehaviourHost* owner) : CGP_FormationBehaviour(owner)
{
    SetState(GP_FormationJoin, &CGP_DiverBehaviour::JoinAndArm);
    SetState(GP_FormationMarch, &CGP_DiverBehaviour::MarchAndWait);
    SetState(GP_FormationDive, &CGP_DiverBehaviour::Dive);
    SetState(GP_FormationBelow, &CGP_DiverBehaviour::StayBelow);
    SetState(GP_FormationFallBack, &CGP_DiverBehaviour::FallBack);
    SetState(GP_FormationDrop, &CGP_DiverBehaviour::DropAndFace);
}

void CGP_DiverBehaviour::Attach(CGP_GameObject* object)
{
    GP_DiverState& block = AttachFormation<GP_DiverState>(object);
    object->frameIndex = StripFrame(object, FirstFrame);
    block.animPos = static_cast<float>(FirstFrame);
    block.baseFrame = Header(object).word22;
    block.target = nullptr;
}

std::int32_t CGP_DiverBehaviour::StripFrame(CGP_GameObject* object, std::int32_t frame)
{
    const std::int32_t count = FrameCount(object);
    if (count <= 0) return 0;
    frame %= count;
    if (frame < 0) frame += count;
    return std::min(frame & FrameMask, count - 1);
}

bool CGP_DiverBehaviour::PlayerAlive() const
{
    CGP_GameObject* player = Player();
    if (!player || !player->stateBlock) return false;
    const std::int32_t state = player->stateBlock->state;
    return std::find(std::begin(PlayerAliveStates), std::end(PlayerAliveStates), state) != std::end(PlayerAliveStates);
}

void CGP_DiverBehaviour::JoinAndArm(CGP_GameObject* object, float timeStep)
{
    Join(object, timeStep);
    auto& block = BlockOf<GP_DiverState>(object);
    object->state = SpriteMarching;
    block.timer = 0;
    object->frameIndex = StripFrame(object, block.baseFrame);
    block.animPos = block.framePos = block.animEnd = static_cast<float>(block.baseFrame);
    block.diveWait = *object->value60;
    object->Fire(true, 0);
}

void CGP_DiverBehaviour::Face(CGP_GameObject* object, float timeStep)
{
    auto& block = BlockOf<GP_DiverState>(object);
    const std::int32_t direction = Play().FormationDirection;
    if (direction > 0) block.animEnd = static_cast<float>(block.baseFrame + FacingTurn);
    if (direction < 0) block.animEnd = static_cast<float>(block.baseFrame - FacingTurn);
    const float step = StateRate(object) * timeStep;
    if (block.framePos < block.animEnd) block.framePos = std::min(block.framePos + step, block.animEnd);
    if (block.framePos > block.animEnd) block.framePos = std::max(block.framePos - step, block.animEnd);
    object->frameIndex = StripFrame(object, GP_Round(block.framePos));
}

void CGP_DiverBehaviour::MarchAndWait(CGP_GameObject* object, float timeStep)
{
    March(object, timeStep);
    if (Common(object).state != GP_FormationMarch) return;  // dropping now
    Face(object, timeStep);
    auto& block = BlockOf<GP_DiverState>(object);
    if (block.timer <= static_cast<float>(block.diveWait)) {
        block.timer += timeStep;
        return;
    }
    StartDive(object);
}

void CGP_DiverBehaviour::StartDive(CGP_GameObject* object)
{
    auto& block = BlockOf<GP_DiverState>(object);
    block.target = Player();
    if (!block.target) return;  // nobody to dive at
    block.snapshot = {*object->vx, *object->x, *object->vy, *object->y, object->frameIndex, block.state};
    block.state = GP_FormationDive;
    block.timer = 0;
    CGP_GameObject* player = block.target;
    if (!PlayerAlive()) {
        *object->vx = 0;
        *object->vy = Header(object).speed;
    } else {
        const auto half = [](int size) { return static_cast<float>(size / 2); };
        const float dx = (*player->x + half(Width(player))) - (*object->x + half(Width(object)));
        const float dy = (*player->y + half(Height(player))) - (*object->y + half(Height(object)));
        *object->vx = dy != 0 ? dx * 480 / dy * 0.00025f : 0.0f;
        *object->vy = DiveSpeedY;
    }
    PlayStateSound(object, SpriteMarching);
}

bool CGP_DiverBehaviour::MoveSlot(CGP_GameObject* object, float timeStep)
{
    auto& block = BlockOf<GP_DiverState>(object);
    const std::int32_t ownState = block.state;
    const GP_FormationSnapshot dive{*object->vx, *object->x, *object->vy, *object->y, object->frameIndex, ownState};
    GP_FormationSnapshot& slot = block.snapshot;
    *object->vx = slot.vx;
    *object->x = slot.x;
    *object->vy = slot.vy;
    *object->y = slot.y;
    object->frameIndex = slot.frame;
    block.state = slot.state;
    // The place only marches and drops with the block: its own dive wait does not run while the diver is away,
    // or the place would start a dive of its own and never take the diver back.
    if (slot.state == GP_FormationMarch)
        March(object, timeStep);
    else if (slot.state == GP_FormationDrop)
        Drop(object, timeStep);
    slot = {*object->vx, *object->x, *object->vy, *object->y, object->frameIndex, block.state};
    if (object->state == GP_StateGone) return false;
    *object->vx = dive.vx;
    *object->x = dive.x;
    *object->vy = dive.vy;
    *object->y = dive.y;
    object->frameIndex = dive.frame;
    block.state = ownState;
    return true;
}

void CGP_DiverBehaviour::FrameFromVelocity(CGP_GameObject* object)
{
    auto& block = BlockOf<GP_DiverState>(object);
    float angle = GP_Atan2Deg(-100 * *object->vy, 100 * *object->vx) + 90;
    CGP_GameObject* player = Player();
    if (player && PlayerAlive()) {
        const float playerCentre = *player->x + static_cast<float>(Width(player) / 2);
        const float ownCentre = *object->x + static_cast<float>(Width(object) / 2);
        angle = GP_Atan2Deg(*object->y - *player->y, playerCentre - ownCentre) + 90;
    }
    const float parameter = object->GetStateParam();
    const float turned = parameter != 0 ? angle / parameter : 0.0f;
    object->frameIndex = StripFrame(object, static_cast<std::int32_t>(turned) + block.baseFrame);
}

void CGP_DiverBehaviour::FireAtPlayer(CGP_GameObject* object)
{
    CGP_GameObject* player = Player();
    const float frame = static_cast<float>(object->frameIndex);
    if (Play().SlowMotion || !player || !PlayerAlive()) return;
    if (frame < DiveFireFrameFirst || frame > DiveFireFrameLast) return;
    if (*object->y >= static_cast<float>(GP_PlayHeight - Height(object))) return;
    const float animPos = Common(object).animPos;
    const bool playerRight = *player->x >= *object->x;
    if ((playerRight && animPos > DiveFirePosition) || (!playerRight && animPos < DiveFirePosition))
        object->Fire(true, 0);
}

void CGP_DiverBehaviour::Dive(CGP_GameObject* object, float timeStep)
{
    if (!MoveSlot(object, timeStep)) return;
    *object->x += *object->vx * timeStep;
    *object->y += *object->vy * timeStep;
    FrameFromVelocity(object);
    FireAtPlayer(object);
    ExchangeHits(object);
    if (*object->y < GP_PlayHeight) return;
    Common(object).state = GP_FormationBelow;
    Common(object).timer = 0;
}

void CGP_DiverBehaviour::StayBelow(CGP_GameObject* object, float timeStep)
{
    if (!MoveSlot(object, timeStep)) return;
    auto& block = BlockOf<GP_DiverState>(object);
    block.timer += timeStep;
    if (block.timer < BelowTime) return;
    *object->y = static_cast<float>(-Height(object));
    *object->vy = (block.snapshot.y + static_cast<float>(Height(object))) * 0.001f;
    block.state = GP_FormationFallBack;
}

void CGP_DiverBehaviour::FallBack(CGP_GameObject* object, float timeStep)
{
    if (!MoveSlot(object, timeStep)) return;
    auto& block = BlockOf<GP_DiverState>(object);
    *object->y += *object->vy * timeStep;
    FrameFromVelocity(object);
    if (*object->y < block.snapshot.y) return;
    const GP_FormationSnapshot& slot = block.snapshot;
    *object->vx = slot.vx;
    *object->x = slot.x;
    *object->vy = slot.vy;
    *object->y = slot.y;
    object->frameIndex = slot.frame;
    block.state = slot.state;
    block.timer = 0;
    block.diveWait = static_cast<std::int32_t>(*object->value68);
}

void CGP_DiverBehaviour::DropAndFace(CGP_GameObject* object, float timeStep)
{
    Drop(object, timeStep);
    Face(object, timeStep);
}
