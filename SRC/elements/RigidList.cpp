// The Rigid elements list and its printed section; see RigidList.h.
#include "elements/RigidList.h"

#include <utility>

#include "elements/RigidElement.h"
#include "model/Model.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 4;
constexpr int kWeight = 3, kAddCil = 4;

const RigidElement& RigidOfRow(int row) { return static_cast<const RigidElement&>(*TheModel().row(row).element); }
std::string Weight(float value) { return TrimmedText(FormatWeight(value)); }

RigidElementsList& TheList() {
  static RigidElementsList list;
  return list;
}

}  // namespace

std::string RigidElement::CellText(int column) const {
  if (column == kWeight) return Weight(weight);
  if (column == kAddCil) return addCil != 0 ? "Y" : "N";
  return {};
}

RigidElementsList::RigidElementsList()
    : ElementKindListTable(ElementType::Rigid, RowListKind::RigidElements, "Rigid elements", "Rigid element", kColumns,
                           1) {}

void RigidElementsList::DefineColumns() {
  KindListTable::DefineColumns();
  ShareWidths(1, 2);
}

std::string RigidElementsList::HeadingText(int column, int line) {
  if (line != 0) return {};
  switch (column) {
    case 1: return "From";
    case 2: return "To";
    case kWeight: return std::string("Weight ") + UnitLabel(kUnitWeight);
    case kAddCil: return "Add CIL";
    default: return {};
  }
}

bool RigidElementsList::IsCellEditable(int, int column) { return column == kWeight; }

int RigidElementsList::FilterChar(int character) {
  return character == ' ' || IsNotNumberChar(static_cast<char>(character)) ? 0 : character;
}

bool RigidElementsList::StoreElementCell(ElementData& element, int column) {
  if (column != kWeight) return false;
  auto& rigid = static_cast<RigidElement&>(element);
  float value = 0.0f;
  if (ParseFieldWeight(value) != 0) ThrowInvalidField("Weight");
  if (value == rigid.weight) return false;
  rigid.weight = value;
  return true;
}

void RigidElementsList::WriteText() { PrintRigidElementsDetails(); }

TableWindow& RigidElementsListTable() { return TheList(); }

bool RigidElementsListOffered(const Model& model) { return model.lists[RowListKind::RigidElements].count > 0; }

void OpenRigidElementsList() {
  static const std::vector<int> lengths = {0, 0, 0, 16, 0};
  TheList().Open(OpenRigidElementsList, &lengths);
}

void RigidElementDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterToNode(RigidElementTextLine(row), ToNodeText(row));
    return;
  }
  const RigidElement& rigid = RigidOfRow(row);
  ReportPutCell(Weight(rigid.weight));
  ReportPutCell(rigid.addCil != 0 ? "Y" : "N");
}

void PrintRigidElementsDetails() {
  KindListPrintTable table(TheList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::Rigid), TheList().title,
      {{"Weight", 1, 21},
       {"Add CIL", 1, 35},
       {"From", 2, 6},
       {"To", 2, 13}},
      1,
      {{kUnitWeight, 2, 21, 26}},
      {}, 1);
  request.putText = RigidElementDetailsText;
  request.csvHeadings = {std::string("From,To,Weight ") + UnitLabel(kUnitWeight) + ",Add CIL"};
  PrintKindDetailsSection(TheList(), table, std::move(request));
}

std::string RigidElementTextLine(int row) {
  const RigidElement& rigid = RigidOfRow(row);
  std::string line;
  PutAtColumn(line, FromNodeText(row), 6);
  PutAtColumn(line, ToNodeText(row), 14);
  PutAtColumn(line, Weight(rigid.weight), 23);
  PutAtColumn(line, rigid.addCil != 0 ? "Y" : "N", 35);
  return line;
}
