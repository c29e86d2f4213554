#include "GP_GameObject.h"

#include "GP_Display.h"
#include "GP_PlayField.h"
#include "GP_SpriteDef.h"

namespace {

// A position truncated toward zero, held within a million pixels of the screen so that an object that flew far
// away still converts to a defined whole number.
int Truncated(float position)
{
    constexpr float Far = 1.0e6f;
    if (!(position > -Far)) return -static_cast<int>(Far);
    return position < Far ? static_cast<int>(position) : static_cast<int>(Far);
}

}  // namespace

CGP_GameObject::CGP_GameObject(CGP_Object* parent, CGP_PlayField* playField, CGP_PlayHost* owner)
    : CGP_Element(parent), playField(playField), owner(owner)
{
    GP_GameObjectBlock* fields = GrowBlock<GP_GameObjectBlock>(GP_TypeGameObject);
    // The element's picture fields lie where the object keeps its own: all of them start at zero.
    *fields = GP_GameObjectBlock{};
    fields->size = sizeof(GP_GameObjectBlock);
    fields->type = GP_TypeGameObject;
    fields->startDelaySpread = 1;
    spriteID = &fields->spriteID;
    startDelay = &fields->startDelay;
    startDelaySpread = &fields->startDelaySpread;
    value60 = &fields->value60;
    value68 = &fields->value68;
    value32 = &fields->value32;
    heading = &fields->heading;
    pitch = &fields->pitch;
    vx = &fields->vx;
    vy = &fields->vy;
    vz = &fields->vz;
    x = &fields->x;
    y = &fields->y;
    depth = &fields->depth;
    visible = 0;
}

// The frame sets belong to the definition; the element has none of its own to free.
CGP_GameObject::~CGP_GameObject() = default;

const GP_SpriteState* CGP_GameObject::CurrentState() const
{
    if (!def || !CGP_SpriteDef::ValidState(state)) return nullptr;
    return &def->record.states[state];
}

std::int32_t* CGP_GameObject::GetWidth()
{
    const GP_SpriteState* current = CurrentState();
    if (current) Fields()->width = current->FrameWidth();
    return &Fields()->width;
}

std::int32_t* CGP_GameObject::GetHeight()
{
    const GP_SpriteState* current = CurrentState();
    if (current) Fields()->height = current->FrameHeight();
    return &Fields()->height;
}

void CGP_GameObject::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_GameObjectBlock)); }

std::int32_t* CGP_GameObject::GetFrameCount()
{
    if (!def || !CGP_SpriteDef::ValidState(state)) return &noFrameCount;
    return &def->record.states[state].frameCount;
}

void CGP_GameObject::UpdatePlain(float timeStep)
{
    if (behaviour) behaviour->Update(this, timeStep);
}

void CGP_GameObject::UpdateInGrid(float timeStep)
{
    if (inGrid) LeaveGrid();
    if (behaviour) behaviour->Update(this, timeStep);
    if (!playField) return;
    gridX = GetAbsX();
    gridY = GetAbsY();
    gridCells = playField->EnterGrid(this, gridX, gridY);
    inGrid = 1;
}

void CGP_GameObject::EnterGrid()
{
    if (!playField || !def || !def->record.header.inGrid) return;
    gridX = GetAbsX();
    gridY = GetAbsY();
    gridCells = playField->EnterGrid(this, gridX, gridY);
    inGrid = 1;
}

void CGP_GameObject::LeaveGrid()
{
    if (!inGrid) return;
    if (playField) playField->LeaveGrid(this, gridCells);
    gridCells = GP_CellRange{};
    inGrid = 0;
}

const platform::Rect& CGP_GameObject::GetRect()
{
    const GP_SpriteState* current = CurrentState();
    const platform::Rect box = current ? current->collisionRect : platform::Rect{};
    rect = box.Offset(Truncated(GetAbsX()), Truncated(GetAbsY()));
    return rect;
}

void CGP_GameObject::Draw()
{
    const GP_SpriteState* current = CurrentState();
    CGP_Surface* back = BackBuffer();
    if (!current || !back) return;
    const int left = Truncated(GetAbsX());
    const int top = Truncated(GetAbsY());
    CGP_SurfaceFrames* stateFrames = def->FramesOf(state);
    if (stateFrames) {
        stateFrames->Draw(back, left, top, frameIndex);
        return;
    }
    back->FillRect(left, top, left + current->FrameWidth(), top + current->FrameHeight(), 0xFFFFFFFF);
}

void CGP_GameObject::DrawShadow()
{
    if (!def || !playField) return;
    GP_PixelMask* stateMask = def->MaskOf(state);
    if (!stateMask) return;
    mask = stateMask;
    playField->DrawShadow(stateMask, Truncated(GetAbsX() + *depth), Truncated(GetAbsY() + *depth), frameIndex);
}

void CGP_GameObject::StartEffect(float time, float step)
{
    effectOn = 1;
    effectTime = time;
    effectStep = step;
    effectLeft = step;
}
