// The type codes of the controls a form record holds, and the loader's table from code to class.
#pragma once
#include <cstdint>
#include <memory>

class CGP_Control;
class CGP_FontCache;
class CGP_Form;
class CGP_MouseCursor;

enum GP_ControlKind : std::uint32_t {
    GP_KindButton = 1,
    GP_KindLabel = 5,
    GP_KindNumericDisplay = 9,
    GP_KindCheckBox = 18,
    GP_KindSlider = 19,
    GP_KindTextInput = 20,
    GP_KindHintLabel = 22,
    GP_KindKeyLabel = 23,
    GP_KindAnimation = 24,
};

// A new control of the kind with the form as parent; null for a code the table does not hold.
std::unique_ptr<CGP_Control> GP_CreateControl(std::uint32_t kind, CGP_Form* form, CGP_MouseCursor* mouseCursor,
                                              CGP_FontCache* fonts);
