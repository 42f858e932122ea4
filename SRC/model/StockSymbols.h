// The stock line symbols: eleven fixed shapes (arrow heads, hangers, springs,
// stops, dash-pots, squares) as line segments in symbol units with their
// boxes. A symbol is placed at a point along a direction and scaled by a
// size (view units per symbol unit, so callers pass pixels divided by the
// scale) times the graphics window's symbol scale; direction components
// below 0.005 count as 0, so a nearly axial symbol stands straight.
#pragma once

#include "records/DrawingGeometry.h"

constexpr int kStockSymbolCount = 11;

struct StockSegment {
  float x1, y1, x2, y2;
};

// The segments of a symbol (none for a number outside 0 .. 10) and its box
// (xmin, ymin, xmax, ymax; the box of symbol 5 is stored reversed in x).
int StockSymbolSegments(int symbol, const StockSegment*& segments);
const float* StockSymbolBox(int symbol);

void DrawStockSymbol2(int symbol, float x, float y, float dx, float dy, float size);
// The same, used by the hanger symbols.
void DrawHangerSymbol2(int symbol, float x, float y, float dx, float dy, float size);
// Extends by the four corners of the symbol's box placed the same way, with
// the caller's size alone (without the symbol scale).
void StockSymbolExtendRect(int symbol, float x, float y, float dx, float dy, float size, Rect2& rect);
