// A frame animation: a picture cut into columns x rows cells, played at a rate in frames per millisecond and
// drawn only while enabled.
#pragma once
#include "GP_Control.h"

struct GP_AnimationBlock : GP_ControlBlock {
    float rate;  // frames per millisecond
    std::int32_t columns;
    std::int32_t rows;
};
static_assert(sizeof(GP_AnimationBlock) == 96);

class CGP_Animation : public CGP_Control {
public:
    CGP_Animation(CGP_Object* parent, CGP_MouseCursor* mouseCursor);

    // The control's record, with columns x rows no more than a frame grid's cells.
    void Read(CGP_ServerSet* servers) override;
    void Write(CGP_ServerSet* servers) override;
    void CreateFrames(CGP_ServerSet* servers) override;
    bool Update(float timeStep) override;
    void Draw() override;

    float position = 0;  // in frames; wraps between -0.5 and frame count - 0.5
};
