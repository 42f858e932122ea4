// The operations around the Layout table that act on its current row: making
// a row current from anywhere (the List window follows it), opening the
// editors of the row's element, data item, material, section and load,
// picking a material, section or load by name, the bend and branch-point
// checks, and the popup menu of each column.
//
// Every editor commits the cell being edited first and stops when the cell
// is refused, so an editor never opens over a half-typed value. The kinds'
// own dialogs answer through their virtual EditDialog; the material and
// section dialogs and the six list pickers are the properties' own
// (properties/MaterialDialog.h, SectionDialog.h, ListPickers.h), and so are
// the beam records' (BeamMaterialDialog.h, BeamSectionDialog.h,
// BeamLoadDialog.h). The printed layout is LayoutPrint.cpp.
//
// The popup menus send their command to the Layout frame, whose command
// switch (LayoutCommand) carries it out; a popup with no item shows nothing.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

class LayoutTable;
struct Model;

// Makes `row` the current Layout row (the model's current row), goes to it
// in the Layout table when that window is visible and keeps the List window
// on it. Text typed in the cell left is stored first, as a click on another
// row stores it: false, the row not changed, when that store is refused
// (its message shown, the caret in the refused cell).
bool SetCurrentLayoutRow(int row);

// The bend check: the model is made again and the first Bend, Miter or
// Jacketed bend row whose geometry is invalid becomes current with an error
// message. Returns that row, or 0 when every bend is sound (or the model
// could not be made: the message then says why).
int CheckBends(HWND owner);
// The branch-point check: one message per branch point without a Branch
// SIF, its row made current. Returns the number of such points.
int CheckBranchSifs(HWND owner);

// The popup menu of `column` at the table's recorded mouse position.
void ShowLayoutPopupMenu(LayoutTable& table, int column);
// The texts of that menu, in order, with their command ids; empty when the
// column shows no menu on the current row.
struct LayoutMenuItem {
  int command;
  std::string text;
  bool operator==(const LayoutMenuItem&) const = default;
};
std::vector<LayoutMenuItem> LayoutPopupMenuItems(const LayoutTable& table, int column);

// The popups' "&List ..." items: the List window shows the list of the
// current row's element kind (command 236) or data kind (237) on the
// entry of the row. A kind whose list later work builds says so.
void ShowRowKindList(LayoutTable& table, bool dataKind);

// The table's DoubleClick and HeadingClicked slots.
void LayoutDoubleClick(LayoutTable& table);
void LayoutHeadingClicked(LayoutTable& table, int column);

// The editors of the current row.
void EditRowElementType(LayoutTable& table);
// The offsets dialog for the current row (after its own undo snapshot);
// true when the offsets were changed (the model is then made again and the
// row redrawn).
bool EditRowOffsets(LayoutTable& table);
// Edit > "&Slope...": the current row's offsets as a length and a direction.
bool EditRowSlope(LayoutTable& table);
void EditRowDataType(LayoutTable& table);
void EditRowMaterial(LayoutTable& table);
void EditRowSection(LayoutTable& table);
void EditRowLoad(LayoutTable& table);
// An editor of a beam record (columns 6 to 8) registered in place of the
// built-in beam dialog: it edits record `record` and returns true when it
// stored a change. The pipe records' dialogs are always the built-in ones.
using PropertyEditor = bool (*)(HWND owner, int record);
void SetPropertyEditor(bool beam, int column, PropertyEditor editor);
// The pickers of a named record for the current row; true when a record
// was chosen.
bool SelectMaterialDialog(LayoutTable& table);
bool SelectSectionDialog(LayoutTable& table);
bool SelectLoadDialog(LayoutTable& table);

// The "Layout" section on the current report road; nothing for an empty
// model. One row's line of it (text or comma-separated).
void PrintLayout();
void PrintLayoutRowLine(int row);

// The row rules shared with the Layout window's Edit menu.
bool IsComponentLayoutRow(const Model& model, int row);
bool CanCombineLayoutRow(const Model& model, int row);
bool HasEditableLayoutElement(const Model& model, int row);
