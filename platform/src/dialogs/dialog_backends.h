// The two ways of showing a dialog.
#pragma once
#include <memory>

#include "dialogs/dialog_model.h"

namespace platform::dialogs {

// Starts GTK once; false (with the reason on stderr) when it cannot open the display.
bool EnsureGtk();

// Prints the dialog and what changes in it to stderr, and plays the scripted answers as the user.
std::unique_ptr<DialogView> MakeHeadlessView();

// A GTK window for the dialog, or nullptr (with the reason on stderr) when GTK cannot open the display.
std::unique_ptr<DialogView> MakeGtkView(Dialog& dialog);

// Once the dialog is on the screen: gives the test hook, if one is set, the dialog and its window's rectangle.
void ReportShown(Dialog& dialog, const RECT& onScreen);

// The primary monitor's size through GTK; false when GTK cannot open the display.
bool GtkScreenSize(int& width, int& height);

}  // namespace platform::dialogs
