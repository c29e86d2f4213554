// A slider: a knob dragged along x or y between two positions, writing an int32 game variable that maps
// linearly from the lowest to the highest value. Frames as a button's.
#pragma once
#include "GP_Control.h"

struct GP_SliderBlock : GP_ControlBlock {
    std::uint32_t valueVariable;
    std::uint32_t vertical;  // a byte: 1 moves the knob along y
    std::int32_t lowestPosition;
    std::int32_t highestPosition;
    std::int32_t lowestValue;
    std::int32_t highestValue;
};
static_assert(sizeof(GP_SliderBlock) == 108);

class CGP_Slider : public CGP_Control {
public:
    CGP_Slider(CGP_Object* parent, CGP_MouseCursor* mouseCursor);

    void Write(CGP_ServerSet* servers) override;
    void Bind(CGP_ActionLookup* actionTable) override;
    bool Update(float timeStep) override;

    std::int32_t* value = nullptr;
    bool dragging = false;
    std::int32_t lastCursor = 0;  // along the axis

private:
    GP_SliderBlock* SliderFields() const { return Block<GP_SliderBlock>(); }
    float& KnobPosition() const;
    std::int32_t CursorAlongAxis() const;
    // The knob where the value puts it; at the lowest position when the values span nothing.
    void PlaceKnob();
    void Drag();
};
