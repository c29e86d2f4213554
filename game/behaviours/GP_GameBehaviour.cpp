#include "GP_GameBehaviour.h"

#include <algorithm>
#include <cmath>

#include "GP_Math.h"
#include "GP_PlayField.h"
#include "GP_Scene.h"
#include "GP_SpriteDef.h"

namespace {
constexpr float ColumnsPerPixel = 0.015625f;  // 1 / 64
constexpr float RowsPerPixel = 0.0208333f;    // 1 / 48

int CellOf(float position, float perPixel, int count)
{
    return std::clamp(static_cast<int>(position * perPixel), 0, count - 1);
}

bool KindHits(CGP_BehaviourHost* owner, CGP_GameObject* object, CGP_GameObject* other)
{
    if (!object->def || !other->def) return false;
    return owner->IsIdInList(GP_IndexOf(object->def->record.header.kind), other->def->record.header.kind);
}

// One axis of the approach: the new velocity toward a distance d, with braking set when it slowed.
float Approach(float d, float v, float a, float maxSpeed, float brakingDistance, std::uint8_t& braking)
{
    if (d > 0) {
        if (v <= 0) {
            v += a;
            braking = 1;
        } else {
            if (std::fabs(d) > brakingDistance && v < maxSpeed) v += a;
            if (std::fabs(d) < brakingDistance) {
                v -= a;
                braking = 1;
            }
        }
    } else if (v < 0) {
        if (std::fabs(d) > brakingDistance && v > -maxSpeed) v -= a;
        if (std::fabs(d) < brakingDistance) {
            v += a;
            braking = 1;
        }
    } else {
        v -= a;
        braking = 1;
    }
    if (v <= 0 && v < -maxSpeed) return -maxSpeed;
    if (v > maxSpeed) return maxSpeed;
    return v;
}

float BrakingDistance(float v, float acceleration) { return v * v / (2 * acceleration); }
}  // namespace

const GP_SpriteHeader& CGP_GameBehaviour::Header(CGP_GameObject* object)
{
    static const GP_SpriteHeader none{};
    return object->def ? object->def->record.header : none;
}

CGP_GameObject* CGP_GameBehaviour::FindHitObject(CGP_GameObject* object)
{
    CGP_PlayField* field = object->playField;
    if (!field || field->columns <= 0 || field->rows <= 0) return nullptr;
    const float x = object->GetAbsX();
    const float y = object->GetAbsY();
    const int firstColumn = CellOf(x, ColumnsPerPixel, field->columns);
    const int lastColumn = CellOf(x + Width(object), ColumnsPerPixel, field->columns);
    const int firstRow = CellOf(y, RowsPerPixel, field->rows);
    const int lastRow = CellOf(y + Height(object), RowsPerPixel, field->rows);
    const platform::Rect mine = object->GetRect();
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            CGP_PtrList& cell = field->Cell(column, row);
            for (std::uint16_t i = 0; i < cell.count; ++i) {
                auto* other = static_cast<CGP_GameObject*>(cell.block[i]);
                if (KindHits(owner, object, other) && !mine.Intersected(other->GetRect()).IsEmpty()) return other;
            }
        }
    }
    return nullptr;
}

bool CGP_GameBehaviour::ApproachX(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.brakingX = 0;
    const float d = static_cast<float>(block.targetX) - *object->x;
    if (std::fabs(d) < 1) return false;
    const GP_SpriteHeader& header = Header(object);
    *object->vx = Approach(d, *object->vx, header.acceleration * timeStep, header.maxSpeed, BrakingDistanceX(object),
                           block.brakingX);
    return true;
}

bool CGP_GameBehaviour::ApproachY(CGP_GameObject* object, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    block.brakingY = 0;
    const float d = static_cast<float>(block.targetY) - *object->y;
    if (std::fabs(d) < 1) return false;
    const GP_SpriteHeader& header = Header(object);
    *object->vy = Approach(d, *object->vy, header.acceleration * timeStep, header.maxSpeed, BrakingDistanceY(object),
                           block.brakingY);
    return true;
}

float CGP_GameBehaviour::BrakingDistanceX(CGP_GameObject* object)
{
    return BrakingDistance(*object->vx, Header(object).acceleration);
}

float CGP_GameBehaviour::BrakingDistanceY(CGP_GameObject* object)
{
    return BrakingDistance(*object->vy, Header(object).acceleration);
}

void CGP_GameBehaviour::PlayStateSound(CGP_GameObject* object, int spriteState)
{
    if (!object->def || !CGP_SpriteDef::ValidState(spriteState)) return;
    const GP_SpriteState& state = object->def->record.states[spriteState];
    if (state.soundID == GP_NoID) return;
    owner->PlaySound(object, state.soundID, state.soundLoops != 0, true, state.soundFollows != 0);
}

void CGP_GameBehaviour::ResetForStage(std::int32_t count)
{
    GP_PlayState& play = Play();
    std::fill(std::begin(play.WeaponCounts), std::end(play.WeaponCounts), 0);
    play.ReserveShown = 0;
    play.SlowMotion = 0;
    play.SlowMotionTime = -1.0f;
    owner->ResetWeaponDisplay();
    play.BossEnergy = count;
}

void CGP_GameBehaviour::ExchangeHits(CGP_GameObject* object)
{
    CGP_GameObject* other = FindHitObject(object);
    if (!other) return;
    other->Hit(object);
    object->Hit(other);
    IsAlive(object);
}

CGP_GameObject* CGP_GameBehaviour::Player() const
{
    CGP_Scene* scene = owner->GetScene();
    return scene ? scene->player : nullptr;
}

std::int32_t CGP_GameBehaviour::FrameCount(CGP_GameObject* object)
{
    const GP_SpriteState* state = object->CurrentState();
    return state ? state->frameCount : 0;
}

void CGP_GameBehaviour::FrameFromPosition(CGP_GameObject* object)
{
    const int last = std::max(FrameCount(object) - 1, 0);
    object->frameIndex = std::clamp(GP_Round(Common(object).animPos), 0, last);
}

void CGP_GameBehaviour::AnimateTowardEnd(CGP_GameObject* object, float rate, float timeStep)
{
    GP_BehaviourState& block = Common(object);
    if (block.animPos < block.animEnd)
        block.animPos += rate * timeStep;
    else if (block.animPos > block.animEnd)
        block.animPos -= rate * timeStep;
    FrameFromPosition(object);
}

void CGP_GameBehaviour::HeadingToFrame(CGP_GameObject* object, float factor)
{
    const int count = FrameCount(object);
    if (count <= 0) {
        object->frameIndex = 0;
        return;
    }
    int frame = GP_Round(*object->heading * factor) % count;
    if (frame < 0) frame += count;
    object->frameIndex = frame;
}

bool CGP_GameBehaviour::AimAtPlayer(CGP_GameObject* object, float& angle) const
{
    CGP_GameObject* player = Player();
    if (!player) return false;
    const float dx =
        (*object->x + static_cast<float>(Width(object) >> 1)) - (*player->x + static_cast<float>(Width(player) >> 1));
    const float dy =
        (*player->y + static_cast<float>(Height(player))) - *object->y + static_cast<float>(Height(object) / 2);
    angle = GP_Atan2Deg(dy, dx);
    return true;
}

bool CGP_GameBehaviour::AimFormA(CGP_GameObject* object, float& angle) const
{
    CGP_GameObject* player = Player();
    if (!player) return false;
    const float x = object->GetAbsX();
    const float y = object->GetAbsY();
    const float dx = static_cast<float>((Width(object) - Width(player)) >> 1) + x - *player->x;
    const float dy = static_cast<float>(Height(player)) + *player->y - y + static_cast<float>(Height(object) >> 1);
    angle = GP_Atan2Deg(dy, dx);
    return true;
}

bool CGP_GameBehaviour::AimFormB(CGP_GameObject* object, float& angle) const
{
    CGP_GameObject* player = Player();
    if (!player) return false;
    const float x = object->GetAbsX();
    const float y = object->GetAbsY();
    const float dx = static_cast<float>((Width(object) - Width(player)) >> 1) + x - *player->x;
    const float dy = static_cast<float>((Height(object) + Height(player)) >> 1) + *player->y - y;
    angle = GP_Atan2Deg(dy, dx);
    return true;
}

bool CGP_GameBehaviour::OnScreen(CGP_GameObject* object)
{
    const float x = *object->x;
    const float y = *object->y;
    return -Height(object) < y && y < GP_PlayHeight && -Width(object) < x && x < GP_PlayWidth;
}

void CGP_GameBehaviour::RemoveOnDeath(CGP_GameObject* object, float timeStep)
{
    object->EmitSecondary(timeStep, -1);
    Remove(object);
}

void CGP_GameBehaviour::AddScore(CGP_GameObject* object) { Play().Score += Header(object).scoreValue; }
