// The flanges list and its printed section; see FlangeList.h.
#include "elements/FlangeList.h"

#include <utility>

#include "elements/Flange.h"
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
constexpr const char* kHeadings[kColumns] = {"Node", "Type", "Weight", "Gasket Dia", "Allow Pres"};
constexpr int kUnits[kColumns] = {0, 0, kUnitWeight, kUnitDimension, kUnitPressure};

const Flange& FlangeOfRow(int row) { return static_cast<const Flange&>(*TheModel().row(row).item); }

const char* TypeName(const Flange& flange) {
  return flange.type >= 0 && flange.type < kFlangeTypeCount ? kFlangeTypeNames[flange.type] : kFlangeTypeNames[0];
}

// --- report forms ----------------------------------------------------------------

FlangesList& TheList() {
  static FlangesList list;
  return list;
}

}  // namespace

std::string Flange::CellText(int column) const {
  switch (column) {
    case 2: return TypeName(*this);
    case 3: return FormatWeight(weight);
    case 4: return gasketDiameter != 0.0f ? std::string(FormatDimension(gasketDiameter)) : std::string();
    case 5: return FormatPressure(allowablePressure);
    default: return {};
  }
}

FlangesList::FlangesList() : KindListTable(DataType::Flange, RowListKind::Flanges, "Flanges", "Flange", kColumns, 2) {}

std::string FlangesList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kHeadings[column - 1];
  return kUnits[column - 1] != 0 ? UnitLabel(kUnits[column - 1]) : "";
}

bool FlangesList::IsCellEditable(int, int column) { return column >= 3 && column <= kColumns; }

int FlangesList::FilterChar(int character) {
  const char c = static_cast<char>(character);
  if (character == ' ') return 0;
  return (currentColumn == 4 ? IsNotLengthChar(c) : IsNotNumberChar(c)) ? 0 : character;
}

bool FlangesList::StoreItemCell(DataItem& item, int column) {
  auto& flange = static_cast<Flange&>(item);
  float value = 0.0f;
  float* field = nullptr;
  if (column == 3) {
    if (ParseFieldWeight(value) != 0) ThrowInvalidField("Weight");
    field = &flange.weight;
  } else if (column == 4) {
    if (ParseFieldNonNegativeDimension(value) != 0) ThrowInvalidField("Gasket Diameter");
    field = &flange.gasketDiameter;
  } else {
    if (ParseFieldPressure(value) != 0 || value < 0.0f) ThrowInvalidField("Allowable Pressure");
    field = &flange.allowablePressure;
  }
  if (*field == value) return false;
  *field = value;
  return true;
}

void FlangesList::WriteText() { PrintFlanges(); }

TableWindow& FlangesListTable() { return TheList(); }
bool FlangesListOffered(const Model& model) { return model.lists[RowListKind::Flanges].count > 0; }

void OpenFlangesList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 16, 16};
  TheList().Open(OpenFlangesList, &lengths);
}

void FlangeDetailsText(int row) {
  const Flange& flange = FlangeOfRow(row);
  if (g_ReportToFile) {
    ReportPutCell(TypeName(flange));
    ReportPutCell(TrimmedText(FormatWeight(flange.weight)));
    ReportPutCell(TrimmedText(FormatDimension(flange.gasketDiameter)));
    ReportPutCell(TrimmedText(FormatPressure(flange.allowablePressure)));
    return;
  }
  ReportPutText(TypeName(flange), 13);
  ReportPutText(TrimmedText(FormatWeight(flange.weight)), 38);
  if (flange.gasketDiameter != 0.0f) ReportPutText(TrimmedText(FormatDimension(flange.gasketDiameter)), 48);
  if (flange.allowablePressure != 0.0f) ReportPutText(TrimmedText(FormatPressure(flange.allowablePressure)), 59);
}

void PrintFlanges() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsDataRows, static_cast<int>(DataType::Flange), TheList().title,
      {{"Node", 1, 6}, {"Type", 1, 13}, {"Weight", 1, 37}, {"Gasket Dia", 1, 46}, {"Allowable pressure", 1, 58}}, 1,
      {{kUnitWeight, 2, 35, 44}, {kUnitDimension, 2, 46, 55}, {kUnitPressure, 2, 57, 66}}, {}, 1);
  request.putText = FlangeDetailsText;
  // The unit line as the CSV cell routines write it, then taken whole.
  g_LineText = ",,";
  for (int unit : {kUnitWeight, kUnitDimension, kUnitPressure}) ReportPutUnits(unit);
  g_LineText.pop_back();
  request.csvHeadings = {"Node,Type,Weight,Gasket Dia,Allowable pressure", g_LineText};
  g_LineText.clear();
  PrintKindDetailsSection(TheList(), table, std::move(request));
}

namespace {

void (*g_FlangeRowFollower)(int layoutRow) = nullptr;

}  // namespace

void SetFlangeRowFollower(void (*follower)(int layoutRow)) { g_FlangeRowFollower = follower; }

void FlangesList::CurrentRowChanged() {
  KindListTable::CurrentRowChanged();
  if (g_FlangeRowFollower == nullptr) return;
  if (const int layoutRow = LayoutRowOf(currentRow); layoutRow != 0) g_FlangeRowFollower(layoutRow);
}
