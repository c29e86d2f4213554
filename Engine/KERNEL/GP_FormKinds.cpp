#include "GP_FormKinds.h"

#include "GP_Animation.h"
#include "GP_Button.h"
#include "GP_CheckBox.h"
#include "GP_Form.h"
#include "GP_ImageControl.h"
#include "GP_Label.h"
#include "GP_Slider.h"
#include "GP_TextInput.h"

std::unique_ptr<CGP_Control> GP_CreateControl(std::uint32_t kind, CGP_Form* form, CGP_MouseCursor* mouseCursor,
                                              CGP_FontCache* fonts)
{
    switch (kind) {
    case GP_KindButton: return std::make_unique<CGP_Button>(form, mouseCursor);
    case GP_KindLabel: return std::make_unique<CGP_Label>(form, mouseCursor, fonts);
    case GP_KindNumericDisplay: return std::make_unique<CGP_ImageControl>(form, mouseCursor);
    case GP_KindCheckBox: return std::make_unique<CGP_CheckBox>(form, mouseCursor);
    case GP_KindSlider: return std::make_unique<CGP_Slider>(form, mouseCursor);
    case GP_KindTextInput: return std::make_unique<CGP_TextInput>(form, mouseCursor, fonts);
    case GP_KindHintLabel: return std::make_unique<CGP_HintLabel>(form, mouseCursor, fonts);
    case GP_KindKeyLabel: return std::make_unique<CGP_KeyLabel>(form, mouseCursor, fonts);
    case GP_KindAnimation: return std::make_unique<CGP_Animation>(form, mouseCursor);
    default: return nullptr;
    }
}
