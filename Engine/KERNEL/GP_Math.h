// Angle and rounding helpers of the game logic.
#pragma once

float GP_SinDeg(float degrees);
float GP_CosDeg(float degrees);
// The angle of (x, y) in degrees.
float GP_Atan2Deg(float y, float x);
// Rounds halves toward zero: 2.5 gives 2, 2.6 gives 3, -2.5 gives -2.
int GP_Round(float value);
