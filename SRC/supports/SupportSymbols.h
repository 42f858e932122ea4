// What the support symbols share in the picture: whether a support kind is
// shown (its switch of the Show dialog), the colour a support's solid takes
// (orange unless the kind has its own, translucent on a translucent row,
// grey while the stresses or ratios colour the picture), the pipe radius
// that sizes a symbol, the screen direction of a support's direction, and
// the pick of a support's symbol by its kind's own hit test. The guide, the
// limit stop, the skewed restraint, the snubber and the generic support
// answer that test through SupportSymbol; a click on one that its kind
// shows makes its row current and opens its dialog (EditPickedSupport).
//
// Everything here runs on the graphics thread for the drawn model.
#pragma once

#include "model/LayoutRow.h"
#include "records/DrawingGeometry.h"

struct Model;
class DataItem;

// A support kind whose symbol answers the pick itself.
class SupportSymbol {
 public:
  virtual ~SupportSymbol() = default;
  // Whether the point (view units) lies on the symbol as drawn: in the
  // rendered picture its solids' outlines, in lines its marks.
  virtual bool SymbolHit(float x, float y, bool rendered) const = 0;
};

// The Show switch of the kind (kinds without one: shown).
bool SupportKindShown(const Model& model, DataType type);
// glColor of a support's solid on the row: orange, or the kind's colour.
void SetSupportGlColour(const LayoutRow& row);
void SetSupportGlColour(const LayoutRow& row, float red, float green, float blue);
// The screen direction (unit) of a model direction; false when it points at
// the viewer, or nearly (its projection shorter than a fifth), or is zero.
bool SupportScreenDirection(const Vec3& direction, float& ux, float& uy);
// Pixels in view units at the current scale: screen pixels, or on paper
// pixels of 150 to the inch whatever the printer's resolution.
float SupportPixels(float pixels);
// The pick outline of a line between two screen points (view units): a
// band a few pixels wide, so that a slanting link is not picked by the
// whole rectangle it spans.
void SupportLinkOutline(float x1, float y1, float x2, float y2, Quad2& outline);
// The ring a support draws round its node when its direction points at the
// viewer, and the box it takes.
void DrawSupportEndOnRing(float x, float y);
void SupportEndOnRingExtendRect(float x, float y, Rect2& rect);
// The pick's edit of a kind that answers through SupportSymbol: on the
// graphics thread, a hit on the symbol of a shown kind asks for the row's
// dialog (true); the Layout table's call opens the dialog at once.
bool EditPickedSupport(DataItem& item, int rowNumber, float x, float y);
// The radius an anchor's symbol is sized from, scaled by the support symbol
// scale: the jacket at a jacket node or on a jacketed element, else the
// pipe at the row (never 0).
float AnchorSymbolRadius(const Model& model, int row);
// Whether the point (view units) hits the symbol of the row's support, in
// the picture shown (rendered or lines); false for kinds without a symbol
// of their own and for kinds switched off.
bool SupportSymbolHit(const Model& model, const LayoutRow& row, float x, float y);
