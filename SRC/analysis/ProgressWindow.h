// The analysis progress window: the child window of the analysis dialog in
// whose areas the step titles, phase texts and percentages of a run are
// drawn. Its class "QuorvelAnalysis" is registered at start-up with the
// other window classes: its own device context and the yellow background.
// The window keeps that context from creation to destruction, with the
// background colour set to the yellow and the default GUI font selected, so
// a text can be drawn into an area (GetDC gives the same context) the moment
// the run sends it, without waiting for a paint.
#pragma once

#include "platform/Types.h"

// Throws "Unable to register window class : QuorvelAnalysis" when the class
// cannot be registered.
void RegisterProgressWindowClass();
constexpr const char* kProgressWindowClass = "QuorvelAnalysis";
