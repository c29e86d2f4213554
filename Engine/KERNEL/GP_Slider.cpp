#include "GP_Slider.h"

#include <algorithm>

#include "GP_Button.h"
#include "GP_FormKinds.h"
#include "GP_MouseCursor.h"

CGP_Slider::CGP_Slider(CGP_Object* parent, CGP_MouseCursor* mouseCursor) : CGP_Control(parent, mouseCursor)
{
    GrowBlock<GP_SliderBlock>(GP_KindSlider)->valueVariable = GP_NoID;
    *GetFrameCount() = 4;
}

void CGP_Slider::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_SliderBlock)); }

void CGP_Slider::Bind(CGP_ActionLookup* actionTable)
{
    CGP_Control::Bind(actionTable);
    value = static_cast<std::int32_t*>(Variable(SliderFields()->valueVariable));
}

float& CGP_Slider::KnobPosition() const
{
    GP_SliderBlock* fields = SliderFields();
    return static_cast<std::uint8_t>(fields->vertical) ? fields->y : fields->x;
}

std::int32_t CGP_Slider::CursorAlongAxis() const
{
    return static_cast<std::uint8_t>(SliderFields()->vertical) ? mouseCursor->y : mouseCursor->x;
}

void CGP_Slider::PlaceKnob()
{
    const GP_SliderBlock& f = *SliderFields();
    const double valueSpan = static_cast<double>(f.highestValue) - f.lowestValue;
    const double positionSpan = static_cast<double>(f.highestPosition) - f.lowestPosition;
    const double offset = valueSpan == 0 ? 0 : (*value - static_cast<double>(f.lowestValue)) * positionSpan / valueSpan;
    KnobPosition() = static_cast<float>(offset + f.lowestPosition);
}

void CGP_Slider::Drag()
{
    frameIndex = GP_ButtonPressed;
    mouseState = GP_MousePressed;
    const GP_SliderBlock& f = *SliderFields();
    const std::int32_t cursor = CursorAlongAxis();
    const float low = static_cast<float>(std::min(f.lowestPosition, f.highestPosition));
    const float high = static_cast<float>(std::max(f.lowestPosition, f.highestPosition));
    float& position = KnobPosition();
    position = std::clamp(position + static_cast<float>(cursor - lastCursor), low, high);
    lastCursor = cursor;
    if (!mouseCursor->leftDown) dragging = false;
    // Positions that span nothing map to no value: the knob stays at the lowest position and nothing is written.
    if (!value || f.highestPosition == f.lowestPosition) return;
    const double written = (position - static_cast<double>(f.lowestPosition)) *
                               (static_cast<double>(f.highestValue) - f.lowestValue) /
                               (static_cast<double>(f.highestPosition) - f.lowestPosition) +
                           f.lowestValue;
    *value = static_cast<std::int32_t>(written);
}

bool CGP_Slider::Update(float timeStep)
{
    if (!mouseCursor) return true;
    if (value) PlaceKnob();
    frameIndex = GP_ButtonFrameOf(mouseState, IsEnabled(), frameIndex);
    const bool wasPressed = mouseState == GP_MousePressed;
    if (!CGP_Control::Update(timeStep)) return false;
    if (dragging) Drag();
    if (!wasPressed && mouseState == GP_MousePressed) {
        dragging = true;
        lastCursor = CursorAlongAxis();
    }
    return true;
}
