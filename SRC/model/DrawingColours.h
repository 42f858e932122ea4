// The drawing colours of the graphics window: one colour per drawn kind
// (elements, supports, labels, node numbers, lengths, row numbers, the
// highlight, the rubber band ...) for the current background, and the pens
// and brushes made from them. The drawing code of every kind reads the
// current style; the highlight swaps the element, support and label colours
// for the highlight or the contrast colours while it draws its item, then
// puts the normal ones back.
//
// The pens and brushes belong to the graphics thread: SetBackgroundColours
// makes them (at the painting window's creation and after a background
// change) and DeleteDrawingTools releases them with the window, so no handle
// outlives its object.
#pragma once

#include "platform/Types.h"

struct DrawingStyle {
  COLORREF background = 0;
  COLORREF element = 0;
  COLORREF support = 0;
  COLORREF label = 0;        // item labels and their text
  COLORREF nodeNumber = 0;
  COLORREF length = 0;
  COLORREF rowNumber = 0;
  COLORREF axes = 0;
  COLORREF legendText = 0;
  COLORREF scaleText = 0;
  COLORREF dot = 0;
  COLORREF construction = 0;
  COLORREF load = 0;         // nodal force arrows and their labels
  HPEN elementPen = nullptr;
  HPEN supportPen = nullptr;
  HPEN labelPen = nullptr;       // the box of a highlight label (drawn in XOR)
  HPEN axesPen = nullptr;
  HPEN rubberBandPen = nullptr;  // drawn in XOR
  HPEN backgroundPen = nullptr;
  HPEN highlightPen = nullptr;
  // Construction lines (a bend's tangents): dotted, in a quiet colour that
  // the highlight leaves as it is.
  HPEN constructionPen = nullptr;
  HPEN loadPen = nullptr;
  HBRUSH dotBrush = nullptr;
  HBRUSH supportBrush = nullptr;
  HBRUSH highlightBrush = nullptr;
  HBRUSH backgroundBrush = nullptr;
};

// The style the drawing reads now.
DrawingStyle& CurrentDrawingStyle();

// White or black background (the "Background" option).
bool WhiteBackground();
void SetWhiteBackground(bool white);

// Makes the colours, pens and brushes for the current background and makes
// them current.
void SetBackgroundColours();
// The highlight draws its item in the highlight colours (phase 0) or the
// contrast colours of the background (phase 1: dark on white, light on black).
void UseHighlightColours(bool contrast);
void UseNormalColours();
// While a deflected or mode shape is drawn over it, the model stands back:
// its elements, supports, labels and loads in grey.
void UseShapeBackdropColours();
void DeleteDrawingTools();

// The highlight colour and the label colours for values above and within
// their limit.
COLORREF HighlightColour();
COLORREF ValueColour(bool aboveLimit);
