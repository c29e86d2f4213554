// The demo's page of lists: a sortable list of files under a column header with its scroll bar, a tree of
// folders, a combo box and a horizontal scroll bar, in a framed window of their own.
#pragma once
#include "DemoInput.h"

class CJWindow;

// Adds the page to the screen, in front, with its top-left corner at (x, y).
CJWindow* AddListsPage(CJWindow& screen, int x, int y);
