// What the support symbols share in the picture: whether a support kind is
// shown (its switch of the Show dialog), the colour a support's solid takes
// (orange, translucent on a translucent row, grey while the stresses or
// ratios colour the picture), the pipe radius that sizes a symbol, and the
// pick of a support's symbol by its kind's own hit test.
//
// Everything here runs on the graphics thread for the drawn model.
#pragma once

#include "model/LayoutRow.h"

struct Model;

// The Show switch of the kind (kinds without one: shown).
bool SupportKindShown(const Model& model, DataType type);
// glColor of a support's solid on the row.
void SetSupportGlColour(const LayoutRow& row);
// The radius an anchor's symbol is sized from, scaled by the support symbol
// scale: the jacket at a jacket node or on a jacketed element, else the
// pipe at the row (never 0).
float AnchorSymbolRadius(const Model& model, int row);
// Whether the point (view units) hits the symbol of the row's support, in
// the picture shown (rendered or lines); false for kinds without a symbol
// of their own and for kinds switched off.
bool SupportSymbolHit(const Model& model, const LayoutRow& row, float x, float y);
