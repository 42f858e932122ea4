// The highlight: one item of the picture at a time (a node, a row's element
// or data item, the rows of a material, section or load record, a value at a
// node) is marked in the graphics window. It blinks: phase 0 draws it in the
// highlight colour without labels, phase 1 in the contrast colour of the
// background with a boxed label (its node number) at its node, flipped by
// the painting window's blink timer. Line mode only: in render mode the
// entry points do nothing.
//
// Items are remembered by their number in the drawn model (row, node index,
// record), which the drawing of the graphics thread reads. Every operation
// here may be called from any thread: off the graphics thread it is sent to
// the painting window and runs there while the caller waits, so all drawing
// happens on the graphics thread. A paint hides the highlight before it
// starts (pending) and draws it again after it; dialogs and menus over the
// picture save it before and restore it after (saving does not nest: the
// first save wins until the restore; an item chosen meanwhile is the one the
// restore shows).
#pragma once

#include <string>

#include "platform/Types.h"

enum HighlightKind : int {
  kHighlightNone = 0,
  kHighlightNode = 1,
  kHighlightElementRow = 2,
  kHighlightDataItem = 3,
  kHighlightLocalAxes = 4,
  kHighlightMaterial = 5,
  kHighlightSection = 6,
  kHighlightLoad = 7,
  kHighlightPointValue = 9,
  kHighlightElementValue = 10,
  kHighlightSupportPoint = 11,
  kHighlightBeamMaterial = 12,
  kHighlightBeamSection = 13,
  kHighlightBeamLoad = 14,
};

// Entry points (each hides the current highlight first). The program's
// other floors reach the first ones through services/ViewRequests.h.
// `kind` is a HighlightKind of a node, an element row, a data item or a
// record; `index` the node index, the row or the 1-based record number.
void HighlightItem(int kind, int index);
// A value at a node, its label coloured by whether the ratio passes 1.0.
void HighlightPointValue(int nodeIndex, float value, float ratio);
void HighlightElementValue(int nodeIndex, float value);
void HighlightSupportPoint(int bendRow);
void ShowHighlightItem();
void HideHighlightItem();
// The picture goes with its model (the graphics window hidden, the model
// closed): whatever was highlighted, set aside for a dialog or pending for a
// repaint is dropped, so that nothing of it comes back over the next model.
void ForgetHighlight();
void HideHighlightForRepaint();
void DrawHighlight();
void SaveHighlight();
void RestoreSavedHighlight();
// After an entry point: blink phase 1, the item brought into view unless the
// view is frozen (a redraw when the view moved), else shown at once.
void UpdateHighlightAfterChange();
// The blink timer's step.
void BlinkHighlight();

// What is highlighted (for the window's menus and for tests).
struct HighlightStatus {
  int kind = kHighlightNone;
  int index = 0;
  bool saved = false;
  bool pending = false;
  bool blinkPhase = false;
  bool labelShown = false;
  std::string labelText;
  RECT labelBox{0, 0, 0, 0};
};
HighlightStatus CurrentHighlight();

// The painting window's handler of the messages the entry points send.
LRESULT HandleHighlightMessage(WPARAM entry, LPARAM request);
