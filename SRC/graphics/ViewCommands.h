// The view commands the zoom, the painting window and the standard views
// share: the reset view of a new window, the previous view ("&Previous
// View", F5), the views along the axes (commands 122 to 125), and the saved
// view set within which printing and the exports change the view and which
// they give back afterwards.
#pragma once

#include "records/DrawingGeometry.h"

// The view of a new window: -12 .. 12 both ways, viewpoint (1, 1, 1), turn
// mode and the Center cursor off, the zoom buttons enabled.
void ResetViewWindow();
// Copies the viewpoint, view window, extents and scale into the previous view
// (before every viewpoint change, zoom and centring).
void SaveViewAsPrevious();
bool PreviousViewExists();
// The same asked from any thread (the menus of the other windows).
// The viewpoint of the previous view (meaningful while one exists).
Vec3 PreviousViewpoint();
// Exchanges the current and the previous view and redraws.
void SwapWithPreviousView();
// Looks along a direction, fitted to the window; nothing when it is the
// viewpoint already.
void ViewAlongDirection(float x, float y, float z);

// The view values that printing and the exports change (scale, output
// size, mark, arrow and label sizes, the view window, the background and
// the rendering quality) are kept while they draw and given back after,
// with the scale, the colours and the extents made again. Graphics thread.
void SaveViewSettings();
void RestoreViewSettings();
// Only the saved view window back.
void ApplyViewWindow();
