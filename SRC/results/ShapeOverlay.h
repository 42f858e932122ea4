// The deflected or mode shape drawn over the model in the graphics window.
//
// The Results side (results/ShapeDisplay.h) turns the displacements of the
// case or mode into polylines of points, each a model point and its
// displacement, so that a point drawn at scale S lies at base + S·move (the
// Hermite cubic of a pipe and the arc of a bend are linear in the end
// displacements, so S scales the whole curve). This module holds them for
// the graphics thread, which owns the view: the paint projects each point
// at the current scale and draws the lines, dotted black on a white
// background and green on a dark one while still, red or green while
// animated. Under it the model is drawn in grey (DrawingColours.h).
//
// The overlay and its scale are guarded by a mutex: the GUI thread sets
// them, the animation thread changes the scale between frames, the
// graphics thread reads them in its paint. Nothing here touches the model.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

struct ShapePoint {
  std::array<float, 3> base{};  // model coordinates
  std::array<float, 3> move{};  // displacement at scale 1
};

struct ShapeOverlay {
  std::vector<std::vector<ShapePoint>> lines;
  std::vector<std::array<float, 3>> nodeMoves;  // the translations of every node (magnification)
  // Nodes circled where they are drawn (the dynamic stress views: the
  // mode's largest stress, and its largest movement when elsewhere).
  std::vector<ShapePoint> marks;
  bool animated = false;
};

// Shows the overlay at `scale` and redraws (any thread).
void SetShapeOverlay(std::shared_ptr<const ShapeOverlay> overlay, float scale);
// A new scale for the overlay shown; the picture is redrawn (any thread).
void SetShapeOverlayScale(float scale);
void ClearShapeOverlay();
bool ShapeOverlayShown();
// An animated overlay is shown: the paint leaves out the node dots and
// numbers, which the moving shape would leave behind.
bool ShapeOverlayAnimated();
float ShapeOverlayScale();
// The circled nodes of the overlay shown (0 without one).
std::size_t ShapeOverlayMarkCount();

// The largest projected length of the node translations in the current view
// (graphics thread state; from another thread it is asked of the graphics
// thread). 0 without an overlay.
float LargestProjectedMove(const ShapeOverlay& overlay);
// The largest projected length of the translations of `moves` by the view
// projection given as a function (for the tests and for the overlay).
float LargestProjectedLength(const std::vector<std::array<float, 3>>& moves,
                             void (*project)(float x, float y, float z, float& vx, float& vy));
// The view width in view units (graphics thread state).
float ViewWidthUnits();

// Graphics thread, inside a paint: draws the overlay shown, polling the abort
// flag before each line. `paper`: for the printed page and the picture's
// files, in black.
void DrawShapeOverlay(bool paper = false);
