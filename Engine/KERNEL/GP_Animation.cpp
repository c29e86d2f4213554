#include "GP_Animation.h"

#include "GP_FormKinds.h"
#include "GP_Math.h"
#include "GP_RecordBounds.h"
#include "GP_ServerSet.h"

CGP_Animation::CGP_Animation(CGP_Object* parent, CGP_MouseCursor* mouseCursor) : CGP_Control(parent, mouseCursor)
{
    GP_AnimationBlock* fields = GrowBlock<GP_AnimationBlock>(GP_KindAnimation);
    fields->columns = 1;
    fields->rows = 1;
}

void CGP_Animation::Read(CGP_ServerSet* servers)
{
    CGP_Control::Read(servers);
    const GP_AnimationBlock& f = *Block<GP_AnimationBlock>();
    const std::int64_t cells = f.columns < 0 || f.rows < 0 ? -1 : static_cast<std::int64_t>(f.columns) * f.rows;
    GP_CheckFrameCount(*servers->binary, cells, "frame grid");
}

void CGP_Animation::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_AnimationBlock)); }

void CGP_Animation::CreateFrames(CGP_ServerSet* servers)
{
    CGP_Surface* surface = LoadPicture(servers);
    if (!surface) return;
    const GP_AnimationBlock& f = *Block<GP_AnimationBlock>();
    frames = std::make_unique<CGP_SurfaceFrames>();
    frames->AddGrid(surface, 0, 0, *GetWidth(), *GetHeight(), f.columns, f.rows);
}

bool CGP_Animation::Update(float timeStep)
{
    if (!CGP_Control::Update(timeStep)) return false;
    const float last = static_cast<float>(*GetFrameCount()) - 0.5f;
    position += timeStep * Block<GP_AnimationBlock>()->rate;
    if (position > last) position = -0.5f;
    if (position < -0.5f) position = last;
    frameIndex = GP_Round(position);
    return true;
}

void CGP_Animation::Draw()
{
    if (IsEnabled()) CGP_Element::Draw();
}
