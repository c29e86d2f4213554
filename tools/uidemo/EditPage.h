// The demo's page of the entry controls: two edit boxes (free text, and a number in a range), a grid of pilots
// under its header and an animation window, on a panel along the top of the screen, with the first box holding
// the keyboard focus.
#pragma once

class CFont;
class CJWindow;

CJWindow* AddEditPage(CJWindow& screen, CFont* font);
