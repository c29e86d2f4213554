// The star field behind every screen, and the pictures of the interface forms other than the start-up screen and the main menu: the forms' backgrounds,
// the hover face of text buttons, check-box, knob and arrow strips, the selected-row marks and the digit strip.
#pragma once
#include <string>

#include "PictureKit.h"

// A deep blue sky darkening upwards, with stars from a fixed generator so every build draws the same picture;
// the whole screen unless a size is given.
contentkit::Picture StarField(int width = 640, int height = 480);

// Writes the pictures as BMP files into the folder; false when one cannot be written.
bool WriteFormPictures(const std::string& folder, contentkit::GlyphRenderer& digitFont);
