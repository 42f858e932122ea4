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

#include "loads/PairsGrid.h"
#include "records/Spectrum.h"

class SpectrumValuesGrid : public PairsGrid {
 public:
  SpectrumValuesGrid() : PairsGrid(true) {}

  std::string HeadingText(int column, int line) override;
  std::string CellText(int row, int column, int line) override;
  void StoreCell() override;
  bool MustKeepFocus() override;
  // Stores a changed copy whose abscissas ascend; true when it stored.
  bool Commit() override;

 private:
  bool Record(std::size_t index, std::string& name, std::vector<FloatPair>& points) const override;
  int HeadingLines() const override { return 2; }
  const char* RequiredField(int /*column*/) const override { return "Value"; }
  const ResponseSpectrum* Spectrum() const;
  // The first row (from 1) whose abscissa is not above the one before it; 0
  // when they ascend.
  int FirstRowOutOfOrder() const;
};

SpectrumValuesGrid& TheSpectrumValuesGrid();
