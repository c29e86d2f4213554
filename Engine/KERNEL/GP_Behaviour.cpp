#include "GP_Behaviour.h"

#include "GP_GameObject.h"
#include "GP_SpriteDef.h"

CGP_Behaviour::CGP_Behaviour()
{
    for (StateCallback& callback : stateCallbacks) callback = &CGP_Behaviour::NoOp;
}

void CGP_Behaviour::Attach(CGP_GameObject* object)
{
    if (!object->stateBlock) object->stateBlock = std::make_unique<GP_BehaviourState>();
    object->behaviour = this;
    GP_BehaviourState& block = *object->stateBlock;
    block.state = 0;
    block.timer = 0;
    block.def = object->def ? &object->def->record : nullptr;
}

bool CGP_Behaviour::Hit(CGP_GameObject* object, CGP_GameObject* other)
{
    object->health -= other->GetHitDamage();
    return IsAlive(object);
}

bool CGP_Behaviour::IsAlive(CGP_GameObject* object)
{
    if (object->health > 0) return true;
    if (object->stateBlock) object->stateBlock->state = GP_BehaviourDying;
    return false;
}

void CGP_Behaviour::Update(CGP_GameObject* object, float timeStep)
{
    if (!object->stateBlock) return;
    const std::int32_t state = object->stateBlock->state;
    if (state < 0 || state >= StateCount) return;
    (this->*stateCallbacks[state])(object, timeStep);
}
