// The concentrated masses list and its printed section; see
// ConcentratedMassList.h.
#include "elements/ConcentratedMassList.h"

#include "elements/ConcentratedMass.h"
#include "graphics/ReportOutput.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "shell/Message.h"
#include "shell/NumberText.h"
#include "shell/Units.h"

namespace {

constexpr int kColumns = 5;
constexpr const char* kHeadings[kColumns] = {"Node", "Weight", "DX", "DY", "DZ"};

const ConcentratedMass& MassOfRow(int row) { return static_cast<const ConcentratedMass&>(*TheModel().row(row).item); }

float* Field(ConcentratedMass& mass, int column) {
  float* fields[4] = {&mass.weight, &mass.dx, &mass.dy, &mass.dz};
  return fields[column - 2];
}

// --- report forms ----------------------------------------------------------------

void TextHeading() {
  ReportPutText("Weight", 15);
  ReportPutText("DX", 29);
  ReportPutText("DY", 40);
  ReportPutText("DZ", 51);
  ReportNewLine();
  ReportPutText("Node", 6);
  ReportPutCentred(UnitLabel(kUnitWeight), 15, 20);
  ReportPutCentred(UnitLabel(kUnitDimension), 27, 32);
  ReportPutCentred(UnitLabel(kUnitDimension), 38, 43);
  ReportPutCentred(UnitLabel(kUnitDimension), 49, 54);
  ReportNewLine();
}

void TextLine(int row) {
  const ConcentratedMass& mass = MassOfRow(row);
  ReportPutText(NodeNumberText(TheModel().row(row).node), 6);
  ReportPutDecimalAligned(TrimmedText(FormatWeight(mass.weight)), 19);
  const float offsets[3] = {mass.dx, mass.dy, mass.dz};
  const int ends[3] = {32, 43, 54};
  for (int i = 0; i < 3; ++i)
    if (offsets[i] != 0.0f) ReportPutTextRight(TrimmedText(FormatDimension(offsets[i])), ends[i]);
}

void CsvHeading() {
  ReportAppendLine(",Weight,DX,DY,DZ");
  ReportNewLine();
  g_LineText = "Node,";
  ReportPutUnits(kUnitWeight);
  for (int i = 0; i < 3; ++i) ReportPutUnits(kUnitDimension);
  EndCsvLine();
}

void CsvLine(int row) {
  const ConcentratedMass& mass = MassOfRow(row);
  ReportPutCell(NodeNumberText(TheModel().row(row).node));
  ReportPutCell(TrimmedText(FormatWeight(mass.weight)));
  for (float offset : {mass.dx, mass.dy, mass.dz}) ReportPutCell(TrimmedText(FormatDimension(offset)));
}

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

void PrintConcentratedMasses() {
  KindListPrintTable table(TheList());
  PrintKindSection(TheList(), table, {TextHeading, TextLine, CsvHeading, CsvLine});
}
