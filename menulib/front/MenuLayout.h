// Where the menu's fixed 1024 x 768 design lies in the host's area: the scale that fits it, the size of the
// scaled design (the session's back buffer) and the offsets that centre it in the side or top bands.
#pragma once

struct MenuLayout {
    float scale = 0;
    int layoutWidth = 0;
    int layoutHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
};

constexpr int kMenuDesignWidth = 1024;
constexpr int kMenuDesignHeight = 768;

// Areas wider than 4:3 fill the height and centre sideways; the others (4:3 itself included) fill the width and
// centre vertically. Both sizes must be greater than 0.
MenuLayout ComputeMenuLayout(int width, int height);
