#include "GP_ObjectList.h"

#include "GP_GameObject.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"

CGP_ObjectList::~CGP_ObjectList() { DeleteAll(); }

bool CGP_ObjectList::Add(CGP_GameObject* object)
{
    if (objects.count >= CGP_PtrList::MaxEntries) return false;
    object->deadFrames = 0;
    objects.Append(object);
    return true;
}

CGP_GameObject* CGP_ObjectList::FindReusable(std::uint32_t spriteID)
{
    for (std::uint16_t i = 0; i < objects.count; ++i) {
        CGP_GameObject* object = At(i);
        if (*object->spriteID != spriteID || object->deadFrames <= CGP_GameObject::DeadFramesBeforeReuse) continue;
        object->deadFrames = 0;
        return object;
    }
    return nullptr;
}

void CGP_ObjectList::Update(float timeStep)
{
    liveCount = 0;
    for (std::uint16_t i = 0; i < objects.count; ++i) {
        CGP_GameObject* object = At(i);
        if (object->state != GP_StateGone) {
            // Taken into a local first: the sanitizer build mis-checks a member pointer read from the object itself.
            const CGP_GameObject::UpdateFunction update = object->update;
            if (update) (object->*update)(timeStep);
            ++liveCount;
            continue;
        }
        if (object->deadFrames > CGP_GameObject::DeadFramesBeforeReuse && object->inGrid) object->LeaveGrid();
        // Saturates: an object gone for a long time stays reusable.
        if (object->deadFrames < UINT16_MAX) ++object->deadFrames;
    }
}

void CGP_ObjectList::Draw()
{
    for (std::uint16_t i = 0; i < objects.count; ++i) {
        CGP_GameObject* object = At(i);
        if (object->state != GP_StateGone && object->visible) object->Draw();
    }
}

void CGP_ObjectList::DrawShadows()
{
    for (std::uint16_t i = 0; i < objects.count; ++i) {
        CGP_GameObject* object = At(i);
        if (object->state != GP_StateGone && object->visible) object->DrawShadow();
    }
}

std::uint32_t CGP_ObjectList::CountLive() const
{
    std::uint32_t live = 0;
    for (std::uint16_t i = 0; i < objects.count; ++i) live += At(i)->state != GP_StateGone;
    return live;
}

void CGP_ObjectList::KillAll()
{
    for (std::uint16_t i = 0; i < objects.count; ++i) {
        At(i)->state = GP_StateGone;
        At(i)->deadFrames = CGP_GameObject::DeadFramesBeforeReuse + 2;
    }
}

void CGP_ObjectList::ReloadDefinitions(CGP_SpriteManager* sprites)
{
    for (std::uint16_t i = 0; i < objects.count; ++i) {
        CGP_GameObject* object = At(i);
        object->def = sprites->GetDefinition(*object->spriteID, true);
        if (object->stateBlock) object->stateBlock->def = &object->def->record;
    }
}

void CGP_ObjectList::SetPlayField(CGP_PlayField* field)
{
    for (std::uint16_t i = 0; i < objects.count; ++i) At(i)->playField = field;
}

void CGP_ObjectList::DeleteAll()
{
    for (std::uint16_t i = 0; i < objects.count; ++i) delete At(i);
    objects.count = 0;
}
