// The game object's events, forwarded to its behaviour, and its accessors of the definition and current state.
#include "GP_GameObject.h"
#include "GP_SpriteDef.h"

void CGP_GameObject::Event3(std::int32_t a, std::int32_t b, float c)
{
    if (behaviour) behaviour->Event3(this, a, b, c);
}

void CGP_GameObject::Event4()
{
    if (behaviour) behaviour->Event4(this);
}

std::int32_t CGP_GameObject::Event5() { return behaviour ? behaviour->Event5(this) : 0; }

// Events 6 to 15 carry nothing but the object.
#define GP_FORWARD_EVENT(name)                \
    void CGP_GameObject::name()               \
    {                                         \
        if (behaviour) behaviour->name(this); \
    }
GP_FORWARD_EVENT(Event6)
GP_FORWARD_EVENT(Event7)
GP_FORWARD_EVENT(Event8)
GP_FORWARD_EVENT(Event9)
GP_FORWARD_EVENT(Event10)
GP_FORWARD_EVENT(Event11)
GP_FORWARD_EVENT(Event12)
GP_FORWARD_EVENT(Event13)
GP_FORWARD_EVENT(Event14)
GP_FORWARD_EVENT(Event15)
#undef GP_FORWARD_EVENT

void CGP_GameObject::Event16(std::int32_t a, std::int32_t b)
{
    if (behaviour) behaviour->Event16(this, a, b);
}

bool CGP_GameObject::Hit(CGP_GameObject* other) { return behaviour ? behaviour->Hit(this, other) : false; }

std::uint32_t CGP_GameObject::GetBehaviourID() const { return def ? def->record.header.behaviourID : GP_NoID; }

float CGP_GameObject::GetHitDamage() const { return def ? def->record.header.damage : 0.0f; }

std::int32_t CGP_GameObject::GetStateValue() const { return CurrentState() ? CurrentState()->stateValue : 0; }

float CGP_GameObject::GetStateSpeed() const { return CurrentState() ? CurrentState()->animRate : 0.0f; }

std::uint8_t CGP_GameObject::GetStateLoop() const { return CurrentState() ? CurrentState()->loop : 0; }

float CGP_GameObject::GetStateParam() const { return CurrentState() ? CurrentState()->stateParam : 0.0f; }

std::uint8_t CGP_GameObject::GetStateFlag() const { return CurrentState() ? CurrentState()->stateFlag : 0; }

void CGP_GameObject::GetSoundPlace(float& placeX, float& placeY, float& width, float& height)
{
    placeX = GetAbsX();
    placeY = GetAbsY();
    width = static_cast<float>(*GetWidth());
    height = static_cast<float>(*GetHeight());
}

bool CGP_GameObject::StopsSoundOnDeath()
{
    const GP_SpriteState* current = CurrentState();
    return current && current->stopSoundOnDeath != 0;
}
