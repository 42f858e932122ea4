// Rotating layout rows (ROTATE_ELEMENTS_DIALOG, Edit > Rotate): a range of
// rows turned about a global axis by an angle, or by a slope of 1 in s, and
// the change of the model's vertical axis, which turns the whole layout a
// quarter turn twice and then cycles every value the model gives per
// global axis.
//
// The matrix is built in double precision with exact cosines at multiples
// of 90 degrees, and a turned component smaller than 5e-6 of the vector's
// length becomes exactly 0, so a quarter turn of a 1000 ft offset leaves no
// residue and turning the vertical axis there and back gives back the very
// same rows. Comment, Hydrotest load, Location, Ball joint and Hinge joint
// rows are not turned by the Rotate command (their values are not a
// direction of the pipe); the change of the vertical axis turns Location
// rows too, since it turns the whole model.
#pragma once

#include "platform/Types.h"

struct Model;

// Turns rows from..to by `degrees` about axis 0 X, 1 Y, 2 Z; true when any
// value changed. The caller makes the model again.
bool RotateRows(Model& model, int from, int to, double degrees, int axis);
// The angle of a slope of 1 in s, in degrees.
double SlopeAngle(double s);

// Cycles the per-axis values of rows from..to and of the model-wide data
// for a new vertical axis: (x, y, z) becomes (z, x, y) when Z becomes
// vertical and (y, z, x) when Y does.
void ReorientAxisData(Model& model, int from, int to, bool zVertical);

// After the analysis options stored a changed vertical axis: asks whether
// the layout turns with it and turns it (the model's ZVertical is the new
// axis). True when the model changed.
bool ChangeVerticalAxis(HWND owner, Model& model);

// The dialog over the current row; 1 when rows turned.
int RotateRowsDialog(HWND owner, int currentRow);
