// The Bends list and its printed section; see BendList.h. Which columns
// show is read from the model's code and options whenever the list asks,
// so a list left open follows a change of code.
#include "elements/BendList.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "elements/Bend.h"
#include "elements/BendFields.h"
#include "model/ContextMenus.h"
#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "services/General.h"
#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/Units.h"

namespace {

constexpr int kColumns = 15;
constexpr int kRadius = 2, kType = 3, kThickness = 4, kMaterial = 5, kFactor = 6, kOutFactor = 7;
constexpr int kSif = 8, kOutSif = 9, kAxialSif = 10, kTorsionSif = 11;
constexpr int kNode1 = 12, kAngle1 = 13, kNode2 = 14, kAngle2 = 15;
constexpr int kCodeB31_3 = 3;

bool UseB31J() { return TheModel().options.UseB31J != 0; }
// The in-plane/out-plane SIF columns: the code's separate SIFs, or B31J.
bool SifPair() { return CodeUsesInOutPlaneSifs(TheModel().options.PipingCode) || UseB31J(); }
bool B31_3() { return TheModel().options.PipingCode == kCodeB31_3; }

std::string Trimmed(const char* text) {
  std::string result = text;
  TrimBlanks(result);
  return result;
}

std::string FactorText(float value) { return value >= 0.0f ? CFormat("%.5G", value) : std::string(); }
std::string SifText(float value) { return value > 1.0f ? Trimmed(FormatSif(value)) : std::string(); }
std::string AngleText(float value) { return value != 0.0f ? Trimmed(FormatAngleOrNone(value)) : std::string(); }
std::string NodeText(std::int32_t node) { return node != 0 ? NodeNumberText(node) : std::string(); }
const char* RadiusTypeName(std::uint8_t type) {
  return type == kBendRadiusShort ? "Short" : type == kBendRadiusUser ? "User" : "Long";
}

const Bend& BendOfRow(int row) { return static_cast<const Bend&>(*TheModel().row(row).element); }

// A factor typed into a cell: empty is computed (-1); a given one is above 0.
float ParseFactorCell() {
  if (g_EditFieldText.empty()) return -1.0f;
  float value = 0.0f;
  if (ParseFieldReal(value) != 0 || !(value > 0.0f)) ThrowInvalidField("Flexibility factor");
  return value;
}

template <typename Value>
bool StoreChanged(Value& field, const Value& value) {
  if (field == value) return false;
  field = value;
  return true;
}

bool StoreBendCell(Bend& bend, int column) {
  float value = 0.0f;
  switch (column) {
    case kRadius: {
      if (ParseFieldNonNegativeDimension(value) != 0) ThrowInvalidField("Radius");
      if (value == bend.radius) return false;
      bend.radius = value;
      bend.radiusType = kBendRadiusUser;
      MakeModel(TheModel());  // the arc's end nodes move
      return true;
    }
    case kThickness:
      if (ParseFieldNonNegativeDimension(value) != 0) ThrowInvalidField("Thickness");
      return StoreChanged(bend.thickness, value);
    case kMaterial:
      if (!g_EditFieldText.empty() && FindMaterialByName(TheModel().materials, g_EditFieldText) == 0)
        ThrowNotDefined("Material");
      return StoreChanged(bend.material, g_EditFieldText);
    case kFactor: {
      const float factor = ParseFactorCell();
      if (UseB31J()) CheckBendFactorsAgree(factor, bend.outPlaneFlexibilityFactor);
      return StoreChanged(bend.flexibilityFactor, factor);
    }
    case kOutFactor: {
      const float factor = ParseFactorCell();
      CheckBendFactorsAgree(bend.flexibilityFactor, factor);
      return StoreChanged(bend.outPlaneFlexibilityFactor, factor);
    }
    default: return false;
  }
}

// --- report forms ------------------------------------------------------------------

class BendsPrintTable : public KindListPrintTable {
 public:
  using KindListPrintTable::KindListPrintTable;
  void DefineColumns() override {
    KindListPrintTable::DefineColumns();
    if (SifPair()) widths[kSif] = widths[kOutSif] = std::max(widths[kSif], widths[kOutSif]);
  }
};

BendsList& TheBendsList() {
  static BendsList list;
  return list;
}

}  // namespace

std::string Bend::CellText(int column) const {
  switch (column) {
    case kRadius: return Trimmed(FormatDimension(radius));
    case kType: return RadiusTypeName(radiusType);
    case kThickness: return thickness != 0.0f ? Trimmed(FormatDimension(thickness)) : std::string();
    case kMaterial: return material;
    case kFactor: return FactorText(flexibilityFactor);
    case kOutFactor: return FactorText(outPlaneFlexibilityFactor);
    case kSif: return SifText(inPlaneSif);
    case kOutSif: return SifText(outPlaneSif);
    case kAxialSif: return SifText(axialSif);
    case kTorsionSif: return SifText(torsionSif);
    case kNode1: return NodeText(intermediateNode1);
    case kAngle1: return AngleText(angle1);
    case kNode2: return NodeText(intermediateNode2);
    case kAngle2: return AngleText(angle2);
    default: return {};
  }
}

BendsList::BendsList() : KindListTable(ElementType::Bend, RowListKind::Bends, "Bends", "Bend", kColumns, 2) {}

bool BendsList::ColumnShown(int column) {
  switch (column) {
    case kOutFactor:
    case kTorsionSif: return UseB31J();
    case kOutSif: return SifPair();
    case kAxialSif: return B31_3();
    default: return column >= 1 && column <= kColumns;
  }
}

void BendsList::DefineColumns() {
  KindListTable::DefineColumns();
  for (int column = 1; column <= kColumns; ++column)
    if (!ColumnShown(column)) widths[static_cast<std::size_t>(column)] = 0;
  if (SifPair()) widths[kSif] = widths[kOutSif] = std::max(widths[kSif], widths[kOutSif]);
}

std::string BendsList::HeadingText(int column, int line) {
  if (!ColumnShown(column)) return {};
  static const char* const kFirst[kColumns + 1] = {"",       "Bend",   "Radius", "Rad.",  "Thk",  "Bend",
                                                    "Flex.F", "Flex.F", "SIF",    "Out Pln", "Axial", "Torsion",
                                                    "Int.",   "Angle",  "Int.",   "Angle"};
  if (line == 0) return column == kSif && SifPair() ? "In Pln" : kFirst[column];
  switch (column) {
    case 1: return "Node";
    case kRadius:
    case kThickness: return UnitLabel(kUnitDimension);
    case kType: return "Type";
    case kMaterial: return "Matl";
    case kFactor: return UseB31J() ? "In Pln" : "";
    case kOutFactor: return "Out Pln";
    case kSif: return SifPair() ? "SIF" : "";
    case kNode1:
    case kNode2: return "Node";
    case kAngle1:
    case kAngle2: return UnitLabel(kUnitAngle);
    default: return "SIF";
  }
}

std::string BendsList::CellText(int row, int column, int line) {
  return ColumnShown(column) ? KindListTable::CellText(row, column, line) : std::string();
}

bool BendsList::IsCellEditable(int /*row*/, int column) {
  return column == kRadius || column == kThickness || column == kMaterial || column == kFactor ||
         (column == kOutFactor && UseB31J());
}

int BendsList::FilterChar(int character) {
  const char c = static_cast<char>(std::toupper(character));
  if (c == ' ') return 0;
  if (currentColumn == kMaterial) return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '/' ? c : 0;
  if (currentColumn == kNode1 || currentColumn == kNode2) return std::isdigit(static_cast<unsigned char>(c)) ? c : 0;
  return IsNotNumberChar(c) ? 0 : c;
}

bool BendsList::StoreElementCell(ElementData& element, int column) {
  return StoreBendCell(static_cast<Bend&>(element), column);
}

void BendsList::ContextMenu() { TablePopupEditMenu(*this, itemName); }
void BendsList::Prepare() { DisableTableDeleteItem(*this); }
void BendsList::Close() { EnableTableDeleteItem(*this); }
void BendsList::WriteText() { PrintBendsDetails(); }

TableWindow& BendsListTable() { return TheBendsList(); }

bool BendsListOffered(const Model& model) { return model.lists[RowListKind::Bends].count > 0; }

void OpenBendsList() {
  static const std::vector<int> lengths = {0, 0, 16, 0, 16, kShortNameLength, 16, 16, 0, 0, 0, 0, 0, 0, 0, 0};
  TheBendsList().Open(OpenBendsList, &lengths);
}

void PrintBendsDetails() {
  BendsPrintTable table(TheBendsList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsElementRows, static_cast<int>(ElementType::Bend), TheBendsList().title,
      {{"Bend   Radius   Thickness  Bend  Flex.   Int.  Angle  Int.  Angle", 1, 6},
       {"Node", 2, 6},
       {"Matl", 2, 33},
       {"Factor", 2, 39},
       {"Node", 2, 47},
       {"Node", 2, 60}},
      1,
      {{kUnitDimension, 2, 11, 20}, {kUnitDimension, 2, 22, 30}, {kUnitAngle, 2, 52, 0}, {kUnitAngle, 2, 65, 0}}, {},
      1);
  request.putText = BendDetailsText;
  const std::string dimension = UnitLabel(kUnitDimension);
  const std::string angle = UnitLabel(kUnitAngle);
  request.csvHeadings = {
      "Bend,Radius,Thickness,Bend Matl,Int. Node,Angle,Int. Node,Angle, Flex. Fact., Flex. Fact., In Pln, Out Pln, "
      "Axial, Torsion",
      "Node," + dimension + "," + dimension + ",,," + angle + ",," + angle + ",In Pln, Out Pln, SIF, SIF, SIF, SIF"};
  PrintKindDetailsSection(TheBendsList(), table, std::move(request));
}

void BendDetailsText(int row) {
  if (g_ReportToFile)
    DescribeBend(row);
  else
    PutDescribedAfterNode(BendTextLine(row), NodeNumberText(TheModel().row(row).node));
}

void DescribeBend(int row) {
  const Bend& bend = BendOfRow(row);
  const char letter[] = {' ', "LSU"[std::min<int>(bend.radiusType, 2)], '\0'};
  ReportPutCell(Trimmed(FormatDimension(bend.radius)) + letter);
  ReportPutCell(Trimmed(FormatDimension(bend.thickness)));
  ReportPutCell(bend.material);
  ReportPutCell(NodeText(bend.intermediateNode1));
  ReportPutCell(bend.intermediateNode1 != 0 ? AngleText(bend.angle1) : std::string());
  ReportPutCell(NodeText(bend.intermediateNode2));
  ReportPutCell(bend.intermediateNode2 != 0 ? AngleText(bend.angle2) : std::string());
  auto factor = [](float value) { return Trimmed(FormatFixedWidth(value, 10, 3)); };
  ReportPutCell(bend.flexibilityFactor >= 0.0f ? factor(bend.flexibilityFactor) : std::string());
  ReportPutCell(UseB31J() && bend.outPlaneFlexibilityFactor > 0.0f ? factor(bend.outPlaneFlexibilityFactor)
                                                                   : std::string());
  auto sif = [](bool shown, float value) { return shown && value > 0.0f ? Trimmed(FormatSif(value)) : std::string(); };
  ReportPutCell(sif(true, bend.inPlaneSif));
  ReportPutCell(sif(SifPair(), bend.outPlaneSif));
  ReportPutCell(sif(B31_3(), bend.axialSif));
  ReportPutCell(sif(UseB31J(), bend.torsionSif));
}

std::string BendTextLine(int row) {
  const Bend& bend = BendOfRow(row);
  std::string line(80, ' ');
  auto put = [&line](const std::string& text, int column) { PutValueInLine(line, text, column); };
  put(NodeNumberText(TheModel().row(row).node), 6);
  put(Trimmed(FormatDimension(bend.radius)), 13);
  put(std::string(1, "LSU"[std::min<int>(bend.radiusType, 2)]), 20);
  if (bend.thickness != 0.0f) put(Trimmed(FormatDimension(bend.thickness)), 23);
  if (!bend.material.empty()) put(bend.material, 33);
  if (bend.flexibilityFactor >= 0.0f) put(CFormat("%.5g", bend.flexibilityFactor), 39);
  if (bend.intermediateNode1 != 0) {
    put(NodeNumberText(bend.intermediateNode1), 47);
    put(AngleText(bend.angle1), 53);
  }
  if (bend.intermediateNode2 != 0) {
    put(NodeNumberText(bend.intermediateNode2), 60);
    put(AngleText(bend.angle2), 66);
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}
