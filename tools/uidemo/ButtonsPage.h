// The demo's page of buttons, labels and progress bar.
#pragma once

class CJWindow;

// Adds the page, a framed window at the screen's lower left, to the screen.
CJWindow* AddButtonsPage(CJWindow& screen);
