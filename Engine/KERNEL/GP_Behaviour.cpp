#include "GP_Behaviour.h"

#include "GP_GameObject.h"
#include "GP_SpriteDef.h"

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
    return object->health > 0;
}
