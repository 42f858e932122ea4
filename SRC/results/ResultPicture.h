// The result pictures of the graphics window: the model coloured by the
// stresses or stress ratios of the Results window, with the colour bar of
// their scale in the rendered picture, or their values written beside the
// nodes in the line picture.
//
// The Results side (results/StressDisplays.h) makes the picture from the
// code stresses (the value at each end of every pipe-kind analysis element,
// the value range, the labels and the bar's texts) and hands it over here;
// the graphics thread, which owns the view and the drawn copy of the model,
// reads it in its paint: the elements it colours are drawn in their result
// colours in place of their ordinary rendering (DrawElementContourGl), the
// bar (DrawColourScale) over the rendered picture, the labels in place of
// the node numbers of the line picture. The picture is guarded by a mutex
// and shared read-only once handed over. Nothing here touches the model.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;

struct ResultPictureElement {
  int kind = 0;  // ElementType
  int row = 0;   // layout row
  int node1 = 0, node2 = 0;  // node indexes
  float value1 = 0.0f, value2 = 0.0f;
};

struct ResultPictureLabel {
  int node = 0;  // node index
  float value = 0.0f;
  bool over = false;  // its ratio is above 1: drawn in red
};

struct ResultPicture {
  bool ratios = false;    // the values are ratios (else stresses)
  bool coloured = false;  // the rendered picture is coloured
  // The jackets of jacketed pipes and bends are coloured by their own
  // results (their cores hidden inside them); else the cores are coloured
  // and the jackets drawn see-through around them.
  bool jackets = false;
  float minimum = 0.0f, maximum = 0.0f;
  std::vector<ResultPictureElement> elements;
  std::vector<ResultPictureLabel> labels;
  // The colour bar's five texts from the top: the maximum, three quarters,
  // the middle, a quarter and the minimum of the range.
  std::array<std::string, 5> scaleTexts;
};

// Shows the picture and redraws (any thread).
void SetResultPicture(std::shared_ptr<const ResultPicture> picture);
void ClearResultPicture();
bool ResultPictureShown();
// The picture shown (null without one), for the tests.
std::shared_ptr<const ResultPicture> ShownResultPicture();

// Graphics thread, inside a drawing: whether a row's element is drawn by
// the coloured picture instead of its ordinary rendering; the coloured
// elements; the colour bar over the rendered picture; the labels of the
// line picture (false without a picture: the node numbers are drawn).
bool RowDrawnByResultPicture(const Model& model, int row);
void DrawResultPictureGl();
void DrawColourScale(HDC dc);
bool DrawResultPictureLabels();
// One element in its result colours (kinds Pipe, Bend, Miter and Reducer,
// and with `jackets` the jacket pipes and jacket arcs; others draw
// nothing), when its row is in view and has a radius.
void DrawElementContourGl(const ResultPictureElement& element, bool jackets);
