// The Valves list and its printed section; see ValveList.h.
#include "elements/ValveList.h"

#include <algorithm>
#include <utility>

#include "elements/Valve.h"
#include "elements/ValveDialog.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "properties/PropertyTables.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 10;
enum Column { kWeight = 3, kLength, kThickness, kInsulation, kAddedWeight, kDx, kDy, kDz };
constexpr const char* kOffsetsHeading = "Offsets of Add.Wgt";

const Valve& ValveOfRow(int row) { return static_cast<const Valve&>(*TheModel().row(row).element); }

std::string OffsetHeading(int column) {
  return std::string(column == kDx ? "DX " : column == kDy ? "DY " : "DZ ") + UnitLabel(kUnitDimension);
}

template <typename Value>
bool StoreChanged(Value& field, const Value& value) {
  if (field == value) return false;
  field = value;
  return true;
}

int RowOfElement(const ElementData& element) {
  const Model& model = TheModel();
  for (int row = 1; row <= model.rowCount; ++row)
    if (model.row(row).element.get() == &element) return row;
  return 0;
}

bool StoreValveCell(Valve& valve, int column) {
  float value = 0.0f;
  switch (column) {
    case kWeight:
      if (ParseFieldWeight(value) != 0) ThrowInvalidField("Weight");
      return StoreChanged(valve.weight, value);
    case kLength: {
      if (ParseFieldNonNegativeDimension(value) != 0) ThrowInvalidField("Length");
      if (!StoreChanged(valve.length, value)) return false;
      Model& model = TheModel();
      if (SetOffsetsFromValveLength(model, RowOfElement(valve), value)) RefreshAfterModelEdit(model);
      return true;
    }
    case kThickness: return StoreChanged(valve.thicknessMultiplier, ParseValveMultiplier("3.0", "Thickness multiplier"));
    case kInsulation:
      return StoreChanged(valve.insulationWeightMultiplier, ParseValveMultiplier("1.75", "Insulation weight multiplier"));
    case kAddedWeight: {
      if (ParseFieldWeight(value) != 0) ThrowInvalidField("Weight");
      if (!StoreChanged(valve.additionalWeight, value)) return false;
      if (value == 0.0f) valve.dx = valve.dy = valve.dz = 0.0f;
      RedrawRowElement(TheModel(), RowOfElement(valve));
      return true;
    }
    case kDx:
    case kDy:
    case kDz: {
      if (ParseFieldDimension(value) != 0) ThrowInvalidField(column == kDx ? "DX" : column == kDy ? "DY" : "DZ");
      float& field = column == kDx ? valve.dx : column == kDy ? valve.dy : valve.dz;
      if (!StoreChanged(field, value)) return false;
      RedrawRowElement(TheModel(), RowOfElement(valve));
      return true;
    }
    default: return false;
  }
}

ValvesList& TheValvesList() {
  static ValvesList list;
  return list;
}

}  // namespace

std::string Valve::CellText(int column) const {
  const bool added = additionalWeight != 0.0f;
  switch (column) {
    case kWeight: return TrimmedText(FormatWeight(weight));
    case kLength: return length != 0.0f ? TrimmedText(FormatDimension(length)) : std::string();
    case kThickness: return TrimmedText(ValveThicknessText(thicknessMultiplier, 7).c_str());
    case kInsulation: return TrimmedText(ValveInsulationText(insulationWeightMultiplier, 7).c_str());
    case kAddedWeight: return added ? TrimmedText(FormatWeight(additionalWeight)) : std::string();
    case kDx: return added ? TrimmedText(FormatDimension(dx)) : std::string();
    case kDy: return added ? TrimmedText(FormatDimension(dy)) : std::string();
    case kDz: return added ? TrimmedText(FormatDimension(dz)) : std::string();
    default: return {};
  }
}

ValvesList::ValvesList() : ElementKindListTable(ElementType::Valve, RowListKind::Valves, "Valves", "Valve", kColumns, 2) {}

void ValvesList::DefineColumns() {
  KindListTable::DefineColumns();
  ShareWidths(1, 2);
  ShareWidths(kDx, kDz);
  // Each offset column is at least a third of the heading over the three.
  const int third = (DcTextWidth(Dc(), kOffsetsHeading) + 2) / 3;
  for (int column = kDx; column <= kDz; ++column)
    widths[static_cast<std::size_t>(column)] = std::max(widths[static_cast<std::size_t>(column)], third);
}

std::string ValvesList::HeadingText(int column, int line) {
  static const char* const kFirst[kColumns + 1] = {"", "From", "To", "Weight", "Length", "Thick", "Insul", "Add.Wgt",
                                                   "",  "",     ""};
  if (column < 1 || column > kColumns) return {};
  if (line == 0) return kFirst[column];
  switch (column) {
    case kWeight:
    case kAddedWeight: return UnitLabel(kUnitWeight);
    case kLength: return UnitLabel(kUnitDimension);
    case kThickness: return "X";
    case kInsulation: return "Wgt X";
    case kDx:
    case kDy:
    case kDz: return OffsetHeading(column);
    default: return {};
  }
}

bool ValvesList::IsCellEditable(int, int column) { return column >= kWeight && column <= kDz; }

int ValvesList::FilterChar(int character) {
  if (character == ' ') return 0;
  return IsNotNumberChar(static_cast<char>(character)) ? 0 : character;
}

bool ValvesList::StoreElementCell(ElementData& element, int column) {
  return StoreValveCell(static_cast<Valve&>(element), column);
}

void ValvesList::PaintExtra() {
  TableHeadingCentred(*this, kDx, kDz, 0, kOffsetsHeading);
  TableHeadingRule(*this, kDx, kDz, 2);
}

void ValvesList::WriteText() { PrintValvesDetails(); }

TableWindow& ValvesListTable() { return TheValvesList(); }

bool ValvesListOffered(const Model& model) { return model.lists[RowListKind::Valves].count > 0; }

void OpenValvesList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 16, 16, 16, 16, 16, 16, 16};
  TheValvesList().Open(OpenValvesList, &lengths);
}

void ValveDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterToNode(ValveTextLine(row), ToNodeText(row));
    return;
  }
  const Valve& valve = ValveOfRow(row);
  ReportPutCell(TrimmedText(FormatWeight(valve.weight)));
  ReportPutCell(valve.length != 0.0f ? TrimmedText(FormatDimension(valve.length)) : std::string());
  ReportPutCell(TrimmedText(ValveThicknessText(valve.thicknessMultiplier, 7).c_str()));
  ReportPutCell(TrimmedText(ValveInsulationText(valve.insulationWeightMultiplier, 7).c_str()));
  const bool added = valve.additionalWeight != 0.0f;
  ReportPutCell(added ? TrimmedText(FormatWeight(valve.additionalWeight)) : std::string());
  for (float offset : {valve.dx, valve.dy, valve.dz})
    ReportPutCell(added ? TrimmedText(FormatDimension(offset)) : std::string());
}

void PrintValvesDetails() {
  KindListPrintTable table(TheValvesList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::Valve), TheValvesList().title,
      {{"Weight", 1, 19},
       {"Length", 1, 27},
       {"Thick Insul Add Wght", 1, 35},
       {"DX", 1, 58},
       {"DY", 1, 66},
       {"DZ", 1, 74},
       {"From", 2, 6},
       {"To", 2, 13},
       {"X", 2, 37},
       {"Wgt X", 2, 41}},
      1,
      {{kUnitWeight, 2, 19, 24},
       {kUnitDimension, 2, 26, 33},
       {kUnitWeight, 2, 47, 52},
       {kUnitDimension, 2, 55, 62},
       {kUnitDimension, 2, 63, 70},
       {kUnitDimension, 2, 71, 78}},
      {}, 1);
  request.putText = ValveDetailsText;
  request.csvHeadings = {
      CsvCellsLine("From,To," + CsvUnitCells({kUnitWeight, kUnitDimension}) + ",," +
                   CsvUnitCells({kUnitWeight, kUnitDimension, kUnitDimension, kUnitDimension})),
      ",,Weight,Length,Thick X,Insul Wgt X,Add Wght,DX,DY,DZ"};
  PrintKindDetailsSection(TheValvesList(), table, std::move(request));
}

std::string ValveTextLine(int row) {
  const Valve& valve = ValveOfRow(row);
  std::string line;
  PutAtColumn(line, FromNodeText(row), 6);
  PutAtColumn(line, ToNodeText(row), 14);
  PutAtColumn(line, TrimmedText(FormatWeight(valve.weight)), 19);
  if (valve.length != 0.0f) PutAtColumn(line, TrimmedText(FormatDimension(valve.length)), 27);
  // Six wide: the insulation multiplier starts at column 41.
  PutAtColumn(line, ValveThicknessText(valve.thicknessMultiplier, 6), 35);
  PutAtColumn(line, ValveInsulationText(valve.insulationWeightMultiplier, 7), 41);
  if (valve.additionalWeight != 0.0f) {
    PutAtColumn(line, TrimmedText(FormatWeight(valve.additionalWeight)), 48);
    const float offsets[3] = {valve.dx, valve.dy, valve.dz};
    for (int i = 0; i < 3; ++i) PutAtColumn(line, TrimmedText(FormatDimension(offsets[i])), 56 + 8 * i);
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}
