// The texts a layout row gives to tables: the nine cells of the Layout table,
// the cells of the per-kind element and data lists, and the subtype that
// names a data item more closely ("XY restraint", a hanger kind, a weld
// type). Texts are returned as strings; node numbers go through
// NodeNumberText and lengths through the units module.
#pragma once

#include <string>

#include "platform/Types.h"

struct Model;
struct LayoutRow;

// Restraint: its direction combination 1 .. 7 (X, Y, Z, XY, YZ, XZ, XYZ);
// Hanger: 1, 2 or 3 for kinds 101, 102 and 103, else 0; Branch SIF and Weld:
// the item's own type; every other kind 0.
int DataItemSubtype(const LayoutRow& row);

// The element's Text (the Comment kind's comment), or the empty text.
std::string LayoutRowElementText(const LayoutRow& row);
// Column 1 the "from" node, 2 the row's node, others the element's cells.
std::string RowItemText(const Model& model, int row, int column);
// Column 1 the row's node, others the item's cells.
std::string DataItemText(const Model& model, int row, int column);
// The nine Layout cells: node ("*" when absolute), element type, DX, DY, DZ
// (empty for an exact 0), material, section, load, data type with subtype.
std::string LayoutRowCellText(const Model& model, int row, int column);

// A kind's dialog fills itself from the row when the row is of its kind.
void FillElementDialog(const LayoutRow& row, HWND dialog, int elementType);
void FillDataItemDialog(const LayoutRow& row, HWND dialog, int dataType);
void FillDataItemDialogBySubtype(const LayoutRow& row, HWND dialog, int dataType, int subtype);
