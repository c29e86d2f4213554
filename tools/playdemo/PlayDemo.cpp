#include "PlayDemo.h"

#include <cmath>

#include "GP_GameObject.h"
#include "GP_Math.h"
#include "GP_PlayField.h"
#include "GP_Random.h"
#include "GP_SpriteDef.h"

namespace {

constexpr std::uint32_t SparkSprite = 0x30003;  // "Sprites|spark" of the demo's pack

bool Overlap(CGP_GameObject* a, CGP_GameObject* b) { return !a->GetRect().Intersected(b->GetRect()).IsEmpty(); }

}  // namespace

void Pilot::Update(CGP_GameObject* object, float timeStep)
{
    object->stateBlock->timer += timeStep;
    *object->x = 304.0f + 250.0f * std::sin(object->stateBlock->timer / 900.0f);
    if (object->Fire(false, 0)) ++counts.shotsFired;
}

void Rock::Update(CGP_GameObject* object, float timeStep)
{
    *object->x += *object->vx * timeStep;
    *object->y += *object->vy * timeStep;
    if (*object->y > 480) *object->y = -24.0f - static_cast<float>(GP_Rand() % 200);
    if (!object->playField) return;
    object->playField->GetCandidatesNear(object, near, 24);
    for (std::uint16_t i = 0; i < near.GetCount(); ++i) {
        auto* other = static_cast<CGP_GameObject*>(near.Get(i));
        if (other->list != object->list->owner->GetObjectList(ShotList) || other->state == GP_StateGone) continue;
        if (!Overlap(object, other)) continue;
        other->state = GP_StateGone;
        if (!object->Hit(other)) Break(object);
        return;
    }
}

// A spark where the rock was, and the rock back above the screen at full health.
void Rock::Break(CGP_GameObject* rock)
{
    ++counts.rocksBroken;
    if (CGP_GameObject* spark = rock->owner->GetSpriteManager()->CreateObject(SparkSprite, rock->playField)) {
        *spark->x = *rock->x + 4;
        *spark->y = *rock->y + 4;
    }
    *rock->y = -24.0f - static_cast<float>(GP_Rand() % 200);
    rock->health = rock->def->record.header.initialHealth;
}

void Shot::Update(CGP_GameObject* object, float timeStep)
{
    const float step = object->def->record.header.speed * timeStep;
    *object->x += GP_CosDeg(*object->heading) * step;
    *object->y -= GP_SinDeg(*object->heading) * step;
    if (*object->y < -10) object->state = GP_StateGone;
}

void Spark::Update(CGP_GameObject* object, float timeStep)
{
    object->visible = 1;
    object->stateBlock->animPos += object->GetStateSpeed() * timeStep;
    object->frameIndex = static_cast<std::int32_t>(object->stateBlock->animPos);
    if (object->frameIndex >= *object->GetFrameCount()) object->state = GP_StateGone;
}

DemoHost::DemoHost(CGP_ServerSet* servers, CGP_NameServer* names) : servers(servers), sprites(this, names)
{
    for (auto& list : lists) list = std::make_unique<CGP_ObjectList>(this);
}

CGP_ObjectList* DemoHost::GetObjectList(std::uint16_t kindIndex)
{
    return kindIndex < ListCount ? lists[kindIndex].get() : nullptr;
}

CGP_Behaviour* DemoHost::GetBehaviour(std::uint16_t behaviourIndex)
{
    CGP_Behaviour* const table[] = {&pilot, &rock, &shot, &spark};
    return behaviourIndex < 4 ? table[behaviourIndex] : nullptr;
}

void DemoHost::Frame(float timeStep)
{
    field->Update(timeStep);
    for (auto& list : lists) list->Update(timeStep);
    field->Draw();
    for (auto& list : lists) list->DrawShadows();
    for (auto& list : lists) list->Draw();
}
