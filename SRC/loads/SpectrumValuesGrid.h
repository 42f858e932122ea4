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
// Leaving the grid stores a changed copy into the spectrum. Every point
// needs both its values (as Enter on its row says), and the points keep
// the rules of every spectrum (FirstSpectrumPointFault: the lookup needs
// ascending abscissas): while a row breaks one, leaving the grid names it,
// keeps the focus in that row, and the copy is not stored. A spectrum
// without a name takes no points: name it first.
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
  // Stores a changed copy that keeps the rules; true when it stored.
  bool Commit() override;

 private:
  bool Record(std::size_t index, std::string& name, std::vector<FloatPair>& points) const override;
  int HeadingLines() const override { return 2; }
  const char* RequiredField(int /*column*/) const override { return "Value"; }
  const ResponseSpectrum* Spectrum() const;
  // The first row (from 1) of the copy that breaks a rule, the column at
  // fault and the message; row 0 when the copy keeps them.
  struct RowFault {
    int row = 0;
    int column = 0;
    std::string message;
  };
  RowFault FirstFault() const;
};

SpectrumValuesGrid& TheSpectrumValuesGrid();
