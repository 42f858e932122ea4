// The drawing dispatch from a layout row to its two objects: geometry for
// the view, bounds, the 2D and OpenGL drawing (with the colour-by-property
// palette), erasing, the in-view tests, the length and row-number labels,
// the kind switches of the node-number filter and the pipe radius that sizes
// symbols. Rows are given by number in the model passed in; the drawing code
// of the graphics thread passes the drawn copy (GraphicsThread.h).
//
// A node index counts as set when it is nonzero, and an index the node table
// does not hold is treated as unset: a row is never drawn from stale indexes.
// Nothing here throws or changes what the user entered.
#pragma once

#include <cstdint>

#include "platform/Types.h"

struct LayoutRow;
struct Model;

// The number of the row whose objects the dispatch below is calling now, on
// this thread (0 outside such a call): the kinds' geometry reads it where a
// rule needs the row's place (the end of its run).
int DispatchedRow();

// With its end node: the element's BuildGeometry, then UpdateRowBounds.
void UpdateRowGeometry(Model& model, int row);
// The row's two bounds from its end node, the element's shape and the
// symbol margin, the item's symbol built at the current scale and its
// bounds, and the view extents grown by all of them (not for Comment and
// Hydrotest load rows).
void UpdateRowBounds(Model& model, int row);
// The element's 2D drawing when the row is drawn, has its element and end
// node and meets the drawing limits; whether it drew.
bool DrawRowElementIfVisible(Model& model, int row);
// The row's OpenGL drawing: translucent when dimmed, in the palette colour of
// its material, section or pipe load while the picture is coloured by
// property. Without `element` only its data item (the result picture
// draws the element in its result colours).
void DrawRowGl(Model& model, int row, bool element = true);
void DrawRowGlByProperty(Model& model, int row);
// The palette of the coloured picture and its legend, indexed modulo its 31
// entries so that every record number has a colour (0: no record, grey).
COLORREF PropertyPaletteColour(int number);
// The record number that colours the row: of its material, section or pipe
// load by the list the List window shows (the first pipe load with the same
// specific gravity when grouped so); 0 when none.
int RowPropertyColourNumber(const Model& model, int row);
// Whether the drawing of a row's element sets its own colour: not while it
// is drawn translucent or by property, when the current colour stands.
bool GlElementColourIsSet();
// The colour a pipe or bend of the row sets for itself while
// GlElementColourIsSet(): ochre for a fibre-reinforced material, grey
// otherwise, with alpha 0.6 on a translucent row.
void SetElementGlColour(const Model& model, const LayoutRow& row);

// After an element or data edit: the picture is drawn again from the model.
void RedrawRowElement(Model& model, int row);
void RedrawRowDataItem(Model& model, int row);
// In the 2D picture: the row's object drawn again in the background colour
// (its own pen selections suppressed), as it is drawn now.
void EraseRowElement(Model& model, int row);
void EraseRowDataItem(Model& model, int row);
// The item's 2D symbol with its own pens.
void DrawRowDataItemSymbol(Model& model, int row);
bool RowElementInView(const Model& model, int row);
bool RowDataItemInView(const Model& model, int row);
// The highlighted node markers at both ends of the row's run, then its length
// and row-number labels when those are shown.
void HighlightRowNodes(Model& model, int row);
void DrawRowLengthLabel(const Model& model, int row);
void DrawRowNumberLabel(const Model& model, int row);
// Whether the row's element kind or data kind has its node-number switch on.
bool RowKindShown(const Model& model, int row);

// Radii that size support and SIF symbols, times the symbol scale.
float PipeRadiusAtRow(const Model& model, int row);
float PipeRadiusAtNode(const Model& model, std::int32_t nodeId);
// Half the outside diameter of the row's pipe section (beams: half their
// larger dimension); 0 when the section is not found.
float SectionOuterRadius(const Model& model, int row);
// The outer radius of what the row's element shows at its node: the jacket
// of a jacketed pipe or bend (its core while stresses are coloured and the
// jacket stresses are not), else the row's section; 0 when no section is
// found. Not scaled.
float ElementOuterRadius(const Model& model, int row);
