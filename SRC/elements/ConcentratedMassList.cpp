// The concentrated masses list and its printed section; see
// ConcentratedMassList.h.
#include "elements/ConcentratedMassList.h"

#include <utility>

#include "elements/ConcentratedMass.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 5;
constexpr const char* kHeadings[kColumns] = {"Node", "Weight", "DX", "DY", "DZ"};

const ConcentratedMass& MassOfRow(int row) { return static_cast<const ConcentratedMass&>(*TheModel().row(row).item); }

float* Field(ConcentratedMass& mass, int column) {
  float* fields[4] = {&mass.weight, &mass.dx, &mass.dy, &mass.dz};
  return fields[column - 2];
}

// --- report forms ----------------------------------------------------------------

ConcentratedMassesList& TheList() {
  static ConcentratedMassesList list;
  return list;
}

}  // namespace

std::string ConcentratedMass::CellText(int column) const {
  if (column == 2) return FormatWeight(weight);
  if (column < 3 || column > kColumns || !Offset()) return {};
  const float offsets[3] = {dx, dy, dz};
  return FormatDimension(offsets[column - 3]);
}

ConcentratedMassesList::ConcentratedMassesList()
    : KindListTable(DataType::ConcentratedMass, RowListKind::ConcentratedMasses, "Concentrated masses",
                    "Concentrated mass", kColumns, 2) {}

std::string ConcentratedMassesList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kHeadings[column - 1];
  if (column == 1) return {};
  return UnitLabel(column == 2 ? kUnitWeight : kUnitDimension);
}

bool ConcentratedMassesList::IsCellEditable(int, int column) { return column >= 2 && column <= kColumns; }

int ConcentratedMassesList::FilterChar(int character) {
  const char c = static_cast<char>(character);
  if (character == ' ') return 0;
  return (currentColumn == 2 ? IsNotNumberChar(c) : IsNotLengthChar(c)) ? 0 : character;
}

bool ConcentratedMassesList::StoreItemCell(DataItem& item, int column) {
  auto& mass = static_cast<ConcentratedMass&>(item);
  float value = 0.0f;
  if (column == 2) {
    if (ParseFieldWeight(value) != 0) ThrowInvalidField("Weight");
  } else if (ParseFieldDimension(value) != 0) {
    ThrowInvalidField(kHeadings[column - 1]);
  }
  float& field = *Field(mass, column);
  if (field == value) return false;
  field = value;
  return true;
}

void ConcentratedMassesList::WriteText() { PrintConcentratedMasses(); }

TableWindow& ConcentratedMassesListTable() { return TheList(); }

bool ConcentratedMassesListOffered(const Model& model) {
  return model.lists[RowListKind::ConcentratedMasses].count > 0;
}

void OpenConcentratedMassesList() {
  static const std::vector<int> lengths = {0, 0, 16, 16, 16, 16};
  TheList().Open(OpenConcentratedMassesList, &lengths);
}

void ConcentratedMassDetailsText(int row) {
  const ConcentratedMass& mass = MassOfRow(row);
  if (g_ReportToFile) {
    ReportPutCell(TrimmedText(FormatWeight(mass.weight)));
    for (float offset : {mass.dx, mass.dy, mass.dz}) ReportPutCell(TrimmedText(FormatDimension(offset)));
    return;
  }
  ReportPutDecimalAligned(TrimmedText(FormatWeight(mass.weight)), 19);
  const float offsets[3] = {mass.dx, mass.dy, mass.dz};
  const int ends[3] = {32, 43, 54};
  for (int i = 0; i < 3; ++i)
    if (offsets[i] != 0.0f) ReportPutTextRight(TrimmedText(FormatDimension(offsets[i])), ends[i]);
}

void PrintConcentratedMasses() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsDataRows, static_cast<int>(DataType::ConcentratedMass), TheList().title,
      {{"Weight", 1, 15}, {"DX", 1, 29}, {"DY", 1, 40}, {"DZ", 1, 51}, {"Node", 2, 6}}, 1,
      {{kUnitWeight, 2, 15, 20}, {kUnitDimension, 2, 27, 32}, {kUnitDimension, 2, 38, 43}, {kUnitDimension, 2, 49, 54}},
      {}, 1);
  request.putText = ConcentratedMassDetailsText;
  // The unit line as the CSV cell routines write it, then taken whole.
  g_LineText = "Node,";
  for (int unit : {kUnitWeight, kUnitDimension, kUnitDimension, kUnitDimension}) ReportPutUnits(unit);
  g_LineText.pop_back();
  request.csvHeadings = {",Weight,DX,DY,DZ", g_LineText};
  g_LineText.clear();
  PrintKindDetailsSection(TheList(), table, std::move(request));
}
