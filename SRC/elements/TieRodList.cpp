// The tie rods list and its printed section; see TieRodList.h.
#include "elements/TieRodList.h"

#include <cstring>
#include <utility>

#include "elements/TieRod.h"
#include "elements/TieRodDialog.h"
#include "model/Model.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 6;

const TieRod& RodOfRow(int row) { return static_cast<const TieRod&>(*TheModel().row(row).element); }

float* Field(TieRod& rod, int column) {
  float* fields[4] = {&rod.tensionStiffness, &rod.compressionStiffness, &rod.tensionGap, &rod.compressionGap};
  return fields[column - 3];
}

std::string ValueText(const TieRod& rod, int column) {
  switch (column) {
    case 3: return TrimmedText(FormatStiffnessOrRigid(rod.tensionStiffness));
    case 4: return TrimmedText(FormatStiffnessOrRigid(rod.compressionStiffness));
    case 5: return TrimmedText(FormatDimension(rod.tensionGap));
    case 6: return TrimmedText(FormatDimension(rod.compressionGap));
    default: return {};
  }
}

TieRodsList& TheList() {
  static TieRodsList list;
  return list;
}

}  // namespace

std::string TieRod::CellText(int column) const { return ValueText(*this, column); }

TieRodsList::TieRodsList()
    : ElementKindListTable(ElementType::TieRod, RowListKind::TieRods, "Tie rods", "Tie rod", kColumns, 3) {}

std::string TieRodsList::HeadingText(int column, int line) {
  if (column < 1 || column > kColumns) return {};
  if (column < 3) return line == 1 ? (column == 1 ? "From" : "To") : "";
  switch (line) {
    case 0: return column == 3 ? "Stiffness" : column == 5 ? "Gap" : "";
    case 1: return column % 2 == 1 ? "Tension" : "Compression";
    default: return UnitLabel(column < 5 ? kUnitStiffness : kUnitDimension);
  }
}

bool TieRodsList::IsCellEditable(int, int column) { return column >= 3 && column <= kColumns; }

int TieRodsList::FilterChar(int character) {
  if (character == ' ') return 0;
  const char c = static_cast<char>(character);
  if (currentColumn < 5) return IsNotNumberChar(c) && std::strchr("RIGDrigd", c) == nullptr ? 0 : character;
  return IsNotLengthChar(c) ? 0 : character;
}

bool TieRodsList::StoreElementCell(ElementData& element, int column) {
  auto& rod = static_cast<TieRod&>(element);
  float value = 0.0f;
  if (column < 5) {
    if (ParseFieldStiffness(value) != 0) ThrowInvalidField("Stiffness");
    const float other = column == 3 ? rod.compressionStiffness : rod.tensionStiffness;
    if (static_cast<double>(value) + other < kLeastTieRodStiffness) throw std::string("At least one stiffness is required");
  } else if (ParseFieldNonNegativeDimension(value) != 0) {
    ThrowInvalidField("Gap");
  }
  float& field = *Field(rod, column);
  if (field == value) return false;
  field = value;
  return true;
}

void TieRodsList::WriteText() { PrintTieRodsDetails(); }

TableWindow& TieRodsListTable() { return TheList(); }
bool TieRodsListOffered(const Model& model) { return model.lists[RowListKind::TieRods].count > 0; }

void OpenTieRodsList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 16, 16, 16};
  TheList().Open(OpenTieRodsList, &lengths);
}

void TieRodDetailsText(int row) {
  if (!g_ReportToFile) {
    const TieRod& rod = RodOfRow(row);
    const int at[4] = {23, 37, 52, 64};
    for (int i = 0; i < 4; ++i) ReportPutText(ValueText(rod, 3 + i), at[i]);
    return;
  }
  const TieRod& rod = RodOfRow(row);
  for (int column = 3; column <= kColumns; ++column) ReportPutCell(ValueText(rod, column));
}

void PrintTieRodsDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::TieRod), TheList().title,
      {{std::string("Stiffness ") + UnitLabel(kUnitStiffness), 1, 25},
       {std::string("Gap ") + UnitLabel(kUnitDimension), 1, 54},
       {"Tension", 2, 23},
       {"Compression", 2, 33},
       {"Tension", 2, 50},
       {"Compression", 2, 60},
       {"From", 2, 6},
       {"To", 2, 13}},
      1,
      {},
      {}, 1);
  request.putText = TieRodDetailsText;
  request.csvHeadings = {std::string(",,Stiffness ") + UnitLabel(kUnitStiffness) + ",Gap " + UnitLabel(kUnitDimension),
                         "From,To,Tension,Compression,Tension,Compression"};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}
