// The analysis progress window: the child window of the analysis dialog in
// whose areas the step titles, phase texts and percentages of a run are
// drawn. Its class "QuorvelAnalysis" is registered at start-up with the
// other window classes: its own device context and the yellow background.
// The window keeps that context from creation to destruction, with the
// background colour set to the yellow and the default GUI font selected.
//
// The window keeps the text of each area (ProgressArea, RunState.h) and
// paints them from there, so a covered and exposed window shows them
// again. Setting a text repaints its area before the call returns, so the
// run's phases are on screen while the run goes on. Areas, one line each:
// the step title; the phase with the percentage at its right; the mode,
// iteration and misconvergence of the eigen solver and the nonlinear
// iteration; the frequency and the file phase.
#pragma once

#include <string>

#include "numeric/RunState.h"
#include "platform/Types.h"

// Throws "Unable to register window class : QuorvelAnalysis" when the class
// cannot be registered.
void RegisterProgressWindowClass();
constexpr const char* kProgressWindowClass = "QuorvelAnalysis";

// The text of an area; an empty text clears the area to the background.
void SetProgressAreaText(HWND window, ProgressArea area, const std::string& text);
const std::string& ProgressAreaText(HWND window, ProgressArea area);
// The area's rectangle in the window's client coordinates.
RECT ProgressAreaRect(HWND window, ProgressArea area);
