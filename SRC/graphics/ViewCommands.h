// The view commands the zoom, the painting window and the standard views
// share: the reset view of a new window, the previous view ("&Previous
// View", F5) and the views along the axes (commands 122 to 125). The
// viewpoint, show and hide dialogs are built with their own work.
#pragma once

// The view of a new window: -12 .. 12 both ways, viewpoint (1, 1, 1), turn
// mode and the Center cursor off, the zoom buttons enabled.
void ResetViewWindow();
// Copies the viewpoint, view window, extents and scale into the previous view
// (before every viewpoint change, zoom and centring).
void SaveViewAsPrevious();
bool PreviousViewExists();
// Exchanges the current and the previous view and redraws.
void SwapWithPreviousView();
// Looks along a direction, fitted to the window; nothing when it is the
// viewpoint already.
void ViewAlongDirection(float x, float y, float z);
