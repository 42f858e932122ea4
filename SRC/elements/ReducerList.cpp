// The Reducers list and its printed section; see ReducerList.h.
#include "elements/ReducerList.h"

#include <utility>

#include <cctype>

#include "elements/Reducer.h"
#include "elements/ReducerDialog.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/RowDrawing.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 9;
enum Column { kOd1 = 3, kThk1, kOd2, kThk2, kCone, kKnuckles, kDelta };

const Reducer& ReducerOfRow(int row) { return static_cast<const Reducer&>(*TheModel().row(row).element); }
int Mode() { return ReducerFieldMode(TheModel().options.PipingCode); }
bool Shown(int column) {
  if (column == kCone) return Mode() >= 1;
  if (column == kKnuckles || column == kDelta) return Mode() == 2;
  return column >= 1 && column <= kColumns;
}

std::string Dimension(float value) { return TrimmedText(FormatDimension(value)); }
std::string Cone(float degrees) { return TrimmedText(FormatAngle(ConeAngleToInternal(degrees))); }

template <typename Value>
bool StoreChanged(Value& field, const Value& value) {
  if (field == value) return false;
  field = value;
  return true;
}

float ParseSizeCell(const char* label, const char* invalidLabel) {
  if (g_EditFieldText.empty()) ThrowRequiredField(label);
  float value = 0.0f;
  if (ParseFieldNonNegativeDimension(value) != 0 || value < 0.0001f) ThrowInvalidField(invalidLabel);
  return value;
}

bool StoreReducerCell(Reducer& r, int column) {
  float value = 0.0f;
  switch (column) {
    case kOd1:
      value = ParseSizeCell("OD1", "OD1");
      if (2.0f * r.thk1 > value) throw std::string("OD1 < 2.0*Thk1");
      return StoreChanged(r.od1, value);
    case kThk1:
      value = ParseSizeCell("Thk1", "Thickness");
      if (value > 0.5f * r.od1) throw std::string("Thk1 > 0.5*OD1");
      return StoreChanged(r.thk1, value);
    case kOd2:
      value = ParseSizeCell("OD2", "OD2");
      if (2.0f * r.thk2 > value) throw std::string("OD2 < 2.0*Thk2");
      return StoreChanged(r.od2, value);
    case kThk2:
      value = ParseSizeCell("Thk2", "Thickness");
      if (value > 0.5f * r.od2) throw std::string("Thk2 > 0.5*OD2");
      return StoreChanged(r.thk2, value);
    case kCone:
      if (ParseFieldAngle(value) != 0 || value < 0.0f || !StoredValueAcceptable(ConeAngleFromInternal(value)))
        ThrowInvalidField("Cone angle");
      return StoreChanged(r.coneAngle, ConeAngleFromInternal(value));
    case kKnuckles: {
      bool flag = false;
      if (ParseFieldYesNo(flag) != 0) ThrowInvalidField("Knuckles");
      return StoreChanged(r.knuckles, static_cast<std::uint8_t>(flag ? 1 : 0));
    }
    case kDelta:
      if (ParseFieldNonNegativeDimension(value) != 0) ThrowInvalidField("Delta");
      return StoreChanged(r.delta, value);
    default: return false;
  }
}

ReducersList& TheReducersList() {
  static ReducersList list;
  return list;
}

}  // namespace

std::string Reducer::CellText(int column) const {
  switch (column) {
    case kOd1: return Dimension(od1);
    case kThk1: return Dimension(thk1);
    case kOd2: return Dimension(od2);
    case kThk2: return Dimension(thk2);
    case kCone: return coneAngle != 0.0f ? Cone(coneAngle) : std::string();
    case kKnuckles: return knuckles != 0 ? "Y" : "";
    case kDelta: return delta != 0.0f ? Dimension(delta) : std::string();
    default: return {};
  }
}

ReducersList::ReducersList()
    : ElementKindListTable(ElementType::Reducer, RowListKind::Reducers, "Reducers", "Reducer", kColumns, 2) {}

void ReducersList::DefineColumns() {
  KindListTable::DefineColumns();
  ShareWidths(1, 2);
  for (int column = kCone; column <= kDelta; ++column)
    if (!Shown(column)) widths[static_cast<std::size_t>(column)] = 0;
}

std::string ReducersList::HeadingText(int column, int line) {
  static const char* const kFirst[kColumns + 1] = {"", "From", "To", "OD1", "Thk1", "OD2", "Thk2", "Cone angle",
                                                   "Knuc", "Delta"};
  if (column < 1 || column > kColumns || !Shown(column)) return {};
  if (line == 0) return kFirst[column];
  if (column == kCone) return UnitLabel(kUnitAngle);
  if (column == kKnuckles) return "kles";
  return column >= kOd1 ? UnitLabel(kUnitDimension) : "";
}

std::string ReducersList::CellText(int row, int column, int line) {
  return Shown(column) ? KindListTable::CellText(row, column, line) : std::string();
}

bool ReducersList::IsCellEditable(int, int column) { return column >= kOd1 && column <= kDelta && Shown(column); }

int ReducersList::FilterChar(int character) {
  if (character == ' ') return 0;
  if (currentColumn == kKnuckles) return YesNoChar(character);
  return IsNotNumberChar(static_cast<char>(character)) ? 0 : character;
}

bool ReducersList::StoreElementCell(ElementData& element, int column) {
  if (!StoreReducerCell(static_cast<Reducer&>(element), column)) return false;
  if (column == kOd1 || column == kOd2) RedrawRowElement(TheModel(), LayoutRowOf(currentRow));
  return true;
}

void ReducersList::WriteText() { PrintReducersDetails(); }

TableWindow& ReducersListTable() { return TheReducersList(); }

bool ReducersListOffered(const Model& model) { return model.lists[RowListKind::Reducers].count > 0; }

void OpenReducersList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 16, 16, 16, 16, 1, 16};
  TheReducersList().Open(OpenReducersList, &lengths);
}

void ReducerDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterToNode(ReducerTextLine(row), ToNodeText(row));
    return;
  }
  const Reducer& r = ReducerOfRow(row);
  for (float value : {r.od1, r.thk1, r.od2, r.thk2}) ReportPutCell(Dimension(value));
  ReportPutCell(r.coneAngle != 0.0f ? Cone(r.coneAngle) : std::string());
  if (IsSwedishOrNorwegianCode(TheModel().options.PipingCode)) {
    ReportPutCell(r.knuckles != 0 ? "Y" : "N");
    ReportPutCell(r.delta != 0.0f ? Dimension(r.delta) : std::string());
  } else {
    ReportPutCell("");
  }
}

void PrintReducersDetails() {
  KindListPrintTable table(TheReducersList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::Reducer), TheReducersList().title,
      {{"OD1", 1, 22},
       {"Thk1", 1, 31},
       {"OD2", 1, 41},
       {"Thk2", 1, 50},
       {"Cone Angle", 1, 56},
       {"Knuc Delta", 1, 67},
       {"From", 2, 6},
       {"To", 2, 13},
       {"kles", 2, 67}},
      1,
      {{kUnitDimension, 2, 19, 27},
       {kUnitDimension, 2, 29, 36},
       {kUnitDimension, 2, 38, 46},
       {kUnitDimension, 2, 48, 55},
       {kUnitDimension, 2, 71, 78},
       {kUnitAngle, 2, 57, 64}},
      {}, 1);
  request.putText = ReducerDetailsText;
  request.csvHeadings = {CsvCellsLine("From,To," + CsvUnitCells({kUnitDimension, kUnitDimension, kUnitDimension, kUnitDimension, kUnitAngle}) + "," + CsvUnitCells({kUnitDimension})),
                         ",,OD1,Thk1,OD2,Thk2,Cone Angle,Knuckles,Delta"};
  PrintKindDetailsSection(TheReducersList(), table, std::move(request));
}

std::string ReducerTextLine(int row) {
  const Reducer& r = ReducerOfRow(row);
  std::string line;
  PutAtColumn(line, FromNodeText(row), 6);
  PutAtColumn(line, ToNodeText(row), 14);
  PutAtColumn(line, Dimension(r.od1), 20);
  PutAtColumn(line, Dimension(r.thk1), 30);
  PutAtColumn(line, Dimension(r.od2), 39);
  PutAtColumn(line, Dimension(r.thk2), 49);
  if (r.coneAngle != 0.0f) PutAtColumn(line, Cone(r.coneAngle), 58);
  if (IsSwedishOrNorwegianCode(TheModel().options.PipingCode)) {
    if (r.knuckles != 0) PutAtColumn(line, "Y", 68);
    if (r.delta != 0.0f) PutAtColumn(line, Dimension(r.delta), 72);
  }
  return line;
}
