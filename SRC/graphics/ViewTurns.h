// The graphics window's turns of the view with the mouse wheel and keys.
#pragma once

// Turn the view by steps of 3 degrees about the up axis or about the
// horizontal screen axis; the model's centre stays where it was on screen.
void RotateViewAboutUp(int steps);
void RotateViewAboutAcross(int steps);
