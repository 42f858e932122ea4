// The values grid of a response spectrum: the second table of the List
// window beside the spectra list (in the model and in the spectrum
// library's window), editing a working copy of the points of the spectrum
// current there, in input order. Column 1 is the abscissa, headed
// "Frequency"/"(Hz)" or "Period"/"(Sec)" by the spectrum's abscissa kind;
// column 2 the ordinate, "Displacement" or "Acceleration" over the unit's
// label, shown and typed in the spectrum's own unit. Values are not
// negative; a typed 0 is kept as 1.0e-36; exactly 0 shows empty. Unless
// results are shown an empty row ends the copy as the entry row.
//
// Leaving the grid stores a changed copy into the spectrum. The lookup
// needs ascending abscissas: while a point's abscissa is not above the one
// before it, leaving the grid names that row and keeps the focus, and the
// copy is not stored. A spectrum without a name takes no points: name it
// first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "loads/Spectrum.h"
#include "shell/TableWindow.h"

class SpectrumValuesGrid : public TableWindow {
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
  void UpdateMenu() override;
  bool MustKeepFocus() override;
  void LostFocus() override;
  void AdjustClientRect(RECT& area) override;

  // Shows spectrum `index` of the open model's spectra beside the list.
  void Load(std::size_t index, bool keepRow = false);
  // Stores a changed copy whose abscissas ascend; true when it stored.
  bool Commit();
  void Hide();

  std::size_t Index() const { return index_; }
  bool Loaded() const { return loaded_; }
  const std::vector<FloatPair>& Points() const { return points_; }

 private:
  const ResponseSpectrum* Spectrum() const;
  bool OnEntryRow() const;
  // The first row (from 1) whose abscissa is not above the one before it; 0
  // when they ascend.
  int FirstRowOutOfOrder() const;
  std::size_t index_ = 0;
  bool loaded_ = false;
  bool changed_ = false;
  std::vector<FloatPair> points_;
};

SpectrumValuesGrid& TheSpectrumValuesGrid();
