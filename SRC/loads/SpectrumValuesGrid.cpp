// The values grid of a response spectrum; see SpectrumValuesGrid.h.
#include "loads/SpectrumValuesGrid.h"

#include "loads/ListEdits.h"
#include "model/Model.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/TableWindowSupport.h"
#include "services/Units.h"

SpectrumValuesGrid& TheSpectrumValuesGrid() {
  static SpectrumValuesGrid grid;
  return grid;
}

const ResponseSpectrum* SpectrumValuesGrid::Spectrum() const {
  const SpectrumList& list = TheModel().spectra;
  return loaded_ && index_ < list.size() ? &list[index_] : nullptr;
}

SpectrumValuesGrid::RowFault SpectrumValuesGrid::FirstFault() const {
  const std::vector<FloatPair> given = GivenPoints();
  for (std::size_t i = 0; i < given.size(); ++i) {
    const int empty = given[i].x == 0.0f ? 1 : given[i].y == 0.0f ? 2 : 0;
    if (empty != 0) return {static_cast<int>(i) + 1, empty, std::string(RequiredField(empty)) + " is required"};
  }
  std::size_t index = 0;
  const SpectrumPointFault fault = FirstSpectrumPointFault(given, index);
  const int row = static_cast<int>(index) + 1;
  if (fault == SpectrumPointFault::None) return {};
  if (fault != SpectrumPointFault::AbscissaNotAscending)
    return {row, fault == SpectrumPointFault::NegativeAbscissa ? 1 : 2,
            "Row " + std::to_string(row) + ": " + SpectrumPointFaultText(fault)};
  return {row, 1,
          "The abscissa of row " + std::to_string(row) + " is not above that of row " + std::to_string(row - 1) +
              ".\nThe abscissas of a spectrum must ascend."};
}

std::string SpectrumValuesGrid::HeadingText(int column, int line) {
  const ResponseSpectrum* spectrum = Spectrum();
  if (spectrum == nullptr) return {};
  const bool period = spectrum->periodAbscissa != 0;
  if (column == 1) return line == 0 ? (period ? "Period" : "Frequency") : (period ? "(Sec)" : "(Hz)");
  if (column != 2) return {};
  if (line == 0) return IsAccelerationUnit(spectrum->ordinateUnit) ? "Acceleration" : "Displacement";
  return OrdinateUnitLabel(spectrum->ordinateUnit);
}

std::string SpectrumValuesGrid::CellText(int row, int column, int /*line*/) {
  const ResponseSpectrum* spectrum = Spectrum();
  if (spectrum == nullptr || row < 1 || row > static_cast<int>(points_.size())) return {};
  const FloatPair& point = points_[static_cast<std::size_t>(row - 1)];
  const float value = column == 1 ? point.x : point.y;
  if (value == 0.0f) return {};
  return column == 1 ? std::string(FormatG6(value)) : std::string(FormatSpectrumOrdinate(value, spectrum->ordinateUnit));
}

void SpectrumValuesGrid::StoreCell() {
  const ResponseSpectrum* spectrum = Spectrum();
  if (spectrum == nullptr || currentRow < 1 || currentRow > static_cast<int>(points_.size())) return;
  float value = 0.0f;
  const bool bad = currentColumn == 1 ? ParseReal(g_EditFieldText, value) != 0 || value < 0.0f
                                      : ParseSpectrumOrdinate(g_EditFieldText, spectrum->ordinateUnit, value) != 0;
  if (bad) ThrowInvalidField("Value");
  StoreTyped(value);
}

bool SpectrumValuesGrid::Record(std::size_t index, std::string& name, std::vector<FloatPair>& points) const {
  const SpectrumList& list = TheModel().spectra;
  if (index >= list.size()) return false;
  name = list[index].name;
  points = list[index].points;
  return true;
}

bool SpectrumValuesGrid::MustKeepFocus() {
  if (!changed_ || TableResultsShown()) return false;
  const RowFault fault = FirstFault();
  if (fault.row == 0) return false;
  ShowTableMessage(Window(), fault.message, TableMessageKind::Error);
  // The keyboard goes to the cell at fault, as after a refused Enter.
  if (fault.row != currentRow) TableGoTo(*this, fault.row);
  returnColumn = fault.column;
  return true;
}

bool SpectrumValuesGrid::Commit() {
  if (!loaded_ || !changed_ || TableResultsShown() || FirstFault().row != 0) return false;
  SpectrumList& list = TheModel().spectra;
  if (index_ >= list.size()) return false;
  changed_ = false;
  const std::vector<FloatPair> given = GivenPoints();
  RunEdit(frame, [&] {
    list[index_].points = given;
    return true;
  }, EditMessage::GoesOn, EditRefusal::Thrown);
  Reload();
  return true;
}
