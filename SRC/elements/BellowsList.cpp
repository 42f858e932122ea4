// The bellows list and its printed section; see BellowsList.h.
#include "elements/BellowsList.h"

#include <cstring>
#include <utility>

#include "elements/Bellows.h"
#include "model/Model.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 9;
// Columns 3 to 9: the field, its heading lines, its unit and its label.
struct Column {
  float Bellows::*field;
  const char* heading;
  const char* heading2;
  UnitKind unit;
  const char* label;
};
const Column kValueColumns[7] = {
    {&Bellows::axialStiffness, "Axial", "", kUnitStiffness, "Axial stiffness"},
    {&Bellows::bendingStiffness, "Bending", "", kUnitRotStiffness, "Bending stiffness"},
    {&Bellows::torsionalStiffness, "Torsional", "", kUnitRotStiffness, "Torsional stiffness"},
    {&Bellows::lateralStiffness, "Lateral", "", kUnitStiffness, "Lateral stiffness"},
    {&Bellows::pressureThrustArea, "Thrust", "area", kUnitArea, "Pressure thrust area"},
    {&Bellows::weight, "Weight", "", kUnitWeight, "Weight"},
    {&Bellows::meanDiameter, "Mean Dia.", "", kUnitDimension, "Diameter"},
};

const Column& ColumnOf(int column) { return kValueColumns[column - 3]; }

const Bellows& BellowsOfRow(int row) { return static_cast<const Bellows&>(*TheModel().row(row).element); }

std::string ValueText(const Bellows& b, int column) {
  const Column& c = ColumnOf(column);
  const float value = b.*c.field;
  switch (c.unit) {
    case kUnitStiffness: return TrimmedText(FormatStiffnessOrRigid(value));
    case kUnitRotStiffness: return TrimmedText(FormatRotStiffnessOrRigid(value));
    case kUnitArea: return TrimmedText(FormatArea(value));
    case kUnitWeight: return TrimmedText(FormatWeight(value));
    default: return TrimmedText(FormatDimension(value));
  }
}

// --- report forms: axial, lateral, bending, torsional, area, weight, diameter --

constexpr int kPrintOrder[7] = {3, 6, 4, 5, 7, 8, 9};
constexpr int kPrintColumns[7] = {18, 29, 40, 51, 62, 73, 80};

std::string BellowsUnitsLine() {
  std::string line = "From,To,";
  for (int i = 0; i < 7; ++i) line += CsvUnitCells({ColumnOf(kPrintOrder[i]).unit});
  return CsvCellsLine(line);
}

BellowsList& TheList() {
  static BellowsList list;
  return list;
}

}  // namespace

std::string Bellows::CellText(int column) const {
  if (column < 3 || column > kColumns) return {};
  return ValueText(*this, column);
}

BellowsList::BellowsList()
    : ElementKindListTable(ElementType::Bellows, RowListKind::Bellows, "Bellows", "Bellows", kColumns, 3) {}

std::string BellowsList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (column < 3) return line == 0 ? (column == 1 ? "From" : "To") : "";
  const Column& c = ColumnOf(column);
  if (line == 0) return c.heading;
  if (line == 1) return c.heading2;
  return UnitLabel(c.unit);
}

bool BellowsList::IsCellEditable(int, int column) { return column >= 3 && column <= kColumns; }

int BellowsList::FilterChar(int character) {
  if (character == ' ') return 0;
  const char c = static_cast<char>(character);
  if (currentColumn <= 6) return IsNotNumberChar(c) && std::strchr("RIGDrigd", c) == nullptr ? 0 : character;
  return (currentColumn == 9 ? IsNotLengthChar(c) : IsNotNumberChar(c)) ? 0 : character;
}

bool BellowsList::StoreElementCell(ElementData& element, int column) {
  auto& b = static_cast<Bellows&>(element);
  const Column& c = ColumnOf(column);
  float value = 0.0f;
  int refused = 0;
  switch (c.unit) {
    case kUnitStiffness:
    case kUnitRotStiffness:
      if (g_EditFieldText.empty()) ThrowRequiredField(c.label);
      refused = c.unit == kUnitStiffness ? ParseFieldStiffness(value) : ParseFieldRotStiffness(value);
      break;
    case kUnitArea: refused = ParseFieldArea(value); break;
    case kUnitWeight: refused = ParseFieldWeight(value); break;
    default: refused = ParseFieldNonNegativeDimension(value); break;
  }
  if (refused != 0) ThrowInvalidField(c.label);
  float& field = b.*c.field;
  if (field == value) return false;
  field = value;
  return true;
}

void BellowsList::WriteText() { PrintBellowsDetails(); }

TableWindow& BellowsListTable() { return TheList(); }
bool BellowsListOffered(const Model& model) { return model.lists[RowListKind::Bellows].count > 0; }

void OpenBellowsList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 16, 16, 16, 16, 16, 16};
  TheList().Open(OpenBellowsList, &lengths);
}

void BellowsDetailsText(int row) {
  if (!g_ReportToFile) {
    const Bellows& b = BellowsOfRow(row);
    for (int i = 0; i < 7; ++i) ReportPutText(ValueText(b, kPrintOrder[i]), kPrintColumns[i]);
    return;
  }
  const Bellows& b = BellowsOfRow(row);
  for (int column : kPrintOrder) ReportPutCell(ValueText(b, column));
}

void PrintBellowsDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::Bellows), TheList().title,
      {{"Axial     Lateral     Angular   Torsional Thrust area", 1, 19},
       {"Weight", 1, 73},
       {"Mean Dia.", 1, 80},
       {"From", 2, 6},
       {"To", 2, 13}},
      1,
      {{kUnitStiffness, 2, 17, 25},
       {kUnitStiffness, 2, 28, 36},
       {kUnitRotStiffness, 2, 39, 49},
       {kUnitRotStiffness, 2, 50, 60},
       {kUnitArea, 2, 62, 70},
       {kUnitWeight, 2, 74, 77},
       {kUnitDimension, 2, 80, 85}},
      {}, 1);
  request.putText = BellowsDetailsText;
  request.csvHeadings = {",,Axial,Lateral,Angular,Torsional,Thrust area,Weight,Mean Dia", BellowsUnitsLine()};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}
