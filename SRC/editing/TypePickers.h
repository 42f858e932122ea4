// The two type pickers of the Layout window: ETYPES_DIALOG ("Element Types")
// and DTYPES_DIALOG ("Data Types") choose the current row's element type or
// data type from radio buttons. A button that takes the focus (the arrow
// keys move it) becomes the choice; a click or its mnemonic chooses it and
// ends the dialog at once, as OK would.
//
// Which buttons a row offers is worked out by ElementTypeButtonStates and
// DataTypeButtonStates, so the rules can be read (and tested) apart from the
// dialogs. The element picker ends with the chosen ElementType code, or 0
// for no change; the data picker ends with the chosen DataType code (its
// subtype in g_KeywordSubtype), or 0 for no change.
//
// PickRowElementType and PickRowDataType are the Layout table's commands:
// they bracket the pickers with the undo snapshot and give the row its new
// type through the table's own Type and Data stores, so a type chosen here
// deletes and creates the row's objects exactly as typing it would.
#pragma once

#include <array>
#include <cstdint>

#include "platform/Types.h"

struct Model;
class LayoutTable;

struct TypeButton {
  int id;
  const char* text;
  int type;
  std::int32_t subtype;
};

constexpr int kFirstTypeButton = 1401;
constexpr int kElementTypeButtons = 20;
constexpr int kDataTypeButtons = 24;

const std::array<TypeButton, kElementTypeButtons>& ElementTypeButtons();
const std::array<TypeButton, kDataTypeButtons>& DataTypeButtons();

// The radio index (1-based) last chosen in each picker; 0 for none.
extern int g_ElementTypeChoice;
extern int g_DataTypeChoice;

// Enabled state of each button ([0] is button 1401) for layout row `row`.
std::array<bool, kElementTypeButtons> ElementTypeButtonStates(const Model& model, int row);
std::array<bool, kDataTypeButtons> DataTypeButtonStates(const Model& model, int row);
// The button (1-based index) that stands for the row's type; 0 for none.
int ElementTypeButtonOfRow(const Model& model, int row);
int DataTypeButtonOfRow(const Model& model, int row);

// The first row of type From; 0 when there is none.
int FirstFromRow(const Model& model);

// The dialog procedures; lParam of WM_INITDIALOG is the layout row.
INT_PTR ElementTypesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR DataTypesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs a picker over `owner` for a row of the open model.
int RunElementTypesDialog(HWND owner, int row);
int RunDataTypesDialog(HWND owner, int row);

// The Layout table's commands (menu 182 and 183, the Type and Data headings
// and popups).
void PickRowElementType(LayoutTable& table);
void PickRowDataType(LayoutTable& table);
