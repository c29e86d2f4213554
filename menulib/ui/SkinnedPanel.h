// A plain window whose theme is a named skin of the skin library.
#pragma once
#include "ui/JWindow.h"

class CJSkinnedPanel : public CJWindow {
public:
    // The skin of that name (the library's first skin for an unknown name); the classic theme without skins.
    explicit CJSkinnedPanel(const char* skinName);
};
