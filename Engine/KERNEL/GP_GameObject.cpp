#include "GP_GameObject.h"

#include "GP_Behaviour.h"

void CGP_GameObject::Event3(std::int32_t a, std::int32_t b, float c)
{
    if (behaviour) behaviour->Event3(this, a, b, c);
}

void CGP_GameObject::Event4()
{
    if (behaviour) behaviour->Event4(this);
}

void CGP_GameObject::Event5()
{
    if (behaviour) behaviour->Event5(this);
}
