// The "Materials" list of the List window: one row per pipe material of the
// model and a spare row after the last, edited in place (name, description,
// type, density, Nu, joint factors, strength) with the material dialog's
// checks, with Insert, Delete (refused while the material is in use), Edit
// (the material dialog), the type chooser on the Type column, Copy and
// Paste of a material's values, and beside it the property pane of the
// current material (MaterialPropertyTable.h). The output of the materials
// to the printer, a text or comma-separated report and the export file
// "Materials.csv" is MaterialOutput.cpp. The same list, titled "Material
// Library" and without the Name column, is the body of the material
// library window (MaterialLibraryWindow.h): there no name is asked for,
// Insert works on any material, and the model's own commands (the library
// pick, the list chooser, the graphics buttons) are not offered.
#pragma once

#include <cstdio>
#include <string>

#include "services/TableWindow.h"

struct Model;

class MaterialsTable : public ItemListTableWindow {
 public:
  void UpdateMenu() override;
  void Close() override;
  void EditCurrentItem() override;
  void InsertRow() override;
  void DeleteRow() override;
  void EnterRow(bool control) override;
  void CurrentRowChanged() override;
  void WriteText() override;  // MaterialOutput.cpp
  void Prepare() override;
  void DefineColumns() override;
  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  bool IsCellEditable(int row, int column) override;
  int FilterChar(int character) override;
  void StoreCell() override;
  bool MustKeepFocus() override;
  void ContextMenu() override;
  void CellContextMenu(int column) override;
  bool RowOfCurrentLayoutRow(ItemListEntries& entries) override;
  std::string PrintName() override;  // "Material Library" in the library window
  bool CanInsert() override;
  bool CanDelete() override;
};

MaterialsTable& TheMaterialsTable();

// The List window's opener of "&Materials": at the current Layout row's
// material (the List window reopens it when the row changes).
void OpenMaterialsTable();
// The List frame's Copy and Paste on this table; Paste is offered while a
// copy is held.
void CopyMaterial();
void PasteMaterial();
bool MaterialCopied();

// The text of a cell of material `record` (columns 1 to 8).
std::string MaterialCellText(const Model& model, int record, int column);
// The Type chooser (MATERIAL_TYPES_DIALOG): the chosen type index 0..11,
// or -1 for Cancel.
int MaterialTypesDialog(HWND owner, int selected);

// Output (MaterialOutput.cpp): the materials on the current report road,
// and the export of every material as comma-separated text (CR LF lines).
void PrintMaterials();
std::string MaterialsExportText(const Model& model);
// The List frame's "&Export..." on this table: asks for the file.
void ExportMaterials(HWND owner);
