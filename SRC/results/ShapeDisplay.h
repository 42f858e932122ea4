// The deflected shape of the current load case and the shape of the current
// mode in the graphics window, still or animated, and the magnification
// that scales them (command 300, "Magnification").
//
// Which shape: the current result table decides. A displacement table
// shows the case's deflected shape; the Frequencies and Mode shapes tables
// show the current mode's shape. Command 216 switches the still shape,
// 221 the animation.
//
// Drawing: every analysis element becomes a polyline of N segments (8 still;
// fewer for the animation of larger models). A pipe or beam follows the
// Hermite cubic of its end translations and rotations in its local axes
// (axial linear); a bend arc follows its arc, moved by its end translations
// interpolated along it; every other kind is a straight line between its
// displaced ends. The polylines are handed to the graphics window
// (results/ShapeOverlay.h), which draws them at the magnification.
//
// Magnification: 0 until computed; the default makes the largest projected
// node translation 5 % of the view width (the largest allowed spans the
// whole width, at most 1.0e6); loading another case or mode sets it back to
// 0. The dialog takes a positive number no larger than the largest allowed.
//
// Animation: a thread of its own steps the scale through sin(k·range/F)
// times the magnification (a full cycle for a mode, rest to full deflection
// for a deflected shape, which then pauses 500 ms), 30 ms between frames,
// and asks the graphics window to repaint each frame. Stopping sets an
// atomic flag and wakes the thread's wait; the caller joins it. No thread is
// ever suspended.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;
struct ShapePoint;

extern float g_MaxMagnification;

bool DeflectedShapeShown();
bool ModeShapeShown();
bool AnimationRunning();
// The current texts of items 216 and 221 for the table shown.
std::string ShapeItemText();
std::string AnimationItemText();

// Commands 216 and 221: switch the still shape and the animation.
void ToggleShape();
void ToggleAnimation();
void ShowModeShape();
void HideModeShape();
void ShowDeflectedShape();
void HideDeflectedShape();
void StartAnimation();
void StopAnimation();
// Hides whatever shape is shown and stops the animation (leaving a table,
// leaving the results).
void HideShapeDisplays();
// Shows a result table again for new values without its closing (which
// hides the shapes when the user leaves the table) hiding them.
void RefreshKeepingShapes(class ResultTableWindow& table);
// Hides the shapes unless a refresh of the table shown is under way.
void HideShapesOnClose();

// The current mode or case changed: a shape shown or animated follows it.
void ShapeSourceChanged();
inline void ModeChanged() { ShapeSourceChanged(); }

// Command 300: the magnification dialog ("MAGNIFICATION_DIALOG").
void MagnificationDialog(HWND owner);
// The value typed in the dialog checked: a positive number no larger than
// the largest magnification; the message of a refusal, else empty.
std::string CheckMagnification(const std::string& text, float largest, float& value);

// --- the geometry, for the tests -----------------------------------------------------------
// Points of a pipe or beam from P1 to P2 in N segments, with end translations
// t1, t2 and rotations r1, r2 (global): each point's base on the chord and
// its displacement at scale 1 along the Hermite cubic in the element's axes.
std::vector<ShapePoint> BeamShapePoints(const std::array<float, 3>& p1, const std::array<float, 3>& p2,
                                        const std::array<float, 6>& d1, const std::array<float, 6>& d2, int segments);
// The polylines of every analysis element of the results with node
// displacements `values` (by node index).
std::vector<std::vector<ShapePoint>> ShapeLines(const Model& model, const std::vector<std::array<float, 6>>& values,
                                                int segments);
// Segments per element for the animation by the number of analysis elements.
int AnimationSegments(int elements);
// Frames per cycle for the animation by the number of analysis elements.
int AnimationFrames(int elements);
