// The two tables that edit a material's rows against temperature (rows of
// MaterialPropertyRows.h): the material property pane, the second table of
// the List window beside the "Materials" table, which edits the current
// material and stores its rows back when it loses the focus; and the
// material properties dialog (MATERIAL_PROPERTIES_DIALOG, "Material
// Properties") that the material dialog's "&Properties" button opens on its
// edit buffer. Insert and Delete (the context menu's "&Insert" and
// "&Delete") add and remove rows.
#pragma once

#include "platform/Types.h"
#include "properties/DialogTable.h"
#include "properties/MaterialPropertyRows.h"

struct Material;

// The table both share.
class PropertyRowsTable : public DialogTableWindow {
 public:
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  void StoreCell() override;
  void EnterRow(bool control) override;
  void InsertRow() override;
  void DeleteRow() override;
  void ContextMenu() override;

  PropertyRowsBuffer buffer;
  bool inDialog = false;
  HWND menuOwner = nullptr;  // where the context menu's commands go
};

// The pane: the rows of material `record` of the open model.
class MaterialPropertyPane : public PropertyRowsTable {
 public:
  void AdjustClientRect(RECT& area) override;
  void LostFocus() override;
  int record = 0;
};
MaterialPropertyPane& TheMaterialPropertyPane();
// Loads material `record` into the pane (row 1, entry row while editable)
// and shows it beside the materials table; `keepRow` keeps the pane's row.
void LoadMaterialPropertyPane(int record, bool keepRow = false);
// Stores the pane's rows into its material when they changed (the model is
// then marked modified).
void StoreMaterialPropertyPane();
void HideMaterialPropertyPane();

// The dialog on `buffer` (the material dialog's edit buffer): ends with 1
// when it stored rows into it. The FRP flag picks the columns.
int MaterialPropertiesDialog(HWND owner, PropertyRowsBuffer& buffer, bool frp);

// The rows of a material printed on the printer under the heading bar
// "Pipe material %s: %s" (under a rule when `headingBar` is false: the
// material's report has printed the bar above its own lines).
void PrintMaterialPropertyRows(const Material& material, bool headingBar = true);
