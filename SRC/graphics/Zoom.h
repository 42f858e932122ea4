// Zoom and fit: the operations that change the graphics window's view window
// (ViewWindow, GraphicsScale and ViewExtents of Drawing2D.h) as a whole: fit
// the whole model ("Zoom All"), zoom in and out by steps or continuously
// while a toolbar button is held, zoom to a rubber band, and the fixed view
// of the first-run sample model. They run on the graphics thread; from any
// other thread FitViewToModel and RedrawAll are posted to it.
//
// Limits: zooming in stops when the view window is 2.5 % of the model's
// width, zooming out when the window passes the model extents by 0.9 of
// their width on every side; a fit never divides by an empty model (its
// extents are at least 2 by 2 units) nor by a tiny window (at least 200 by
// 150 pixels count).
#pragma once

void FitViewToModel();
// Fits the whole model and redraws (Zoom All).
void RedrawAll();
bool CanZoomIn();
bool CanZoomOut();
// 1.02 for a fine step, else 1.05.
float ZoomStep(bool fine);
void ZoomIn(bool fine);
void ZoomOut(bool fine);
// While the toolbar button 133 (135) is held; the graphics window stops
// them when the button is released or the pointer leaves it.
void ZoomInContinuous();
void ZoomOutContinuous();
void StopContinuousZoom();
// The rubber band's corners (pixels of the painting window) were set with
// SetRubberBand.
void SetRubberBand(int x0, int y0, int x1, int y1);
void ZoomToRubberBand();
void ShowSampleModelView();
// "Recover Graphics": fits again until the model's right edge stays put.
void RecoverGraphics();
