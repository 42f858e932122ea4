// The lists and printed sections of guides, limit stops, skewed
// restraints, snubbers, nozzles and generic supports; see
// OtherSupportLists.h.
#include "supports/OtherSupportLists.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "kindbase/KindList.h"
#include "model/ListWindow.h"
#include "model/Nodes.h"
#include "platform/Dialog.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "printing/ReportOutput.h"
#include "printing/RowDetails.h"
#include "resultsfile/ResultPrint.h"
#include "services/Frame.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ReportMode.h"
#include "services/TableViews.h"
#include "services/Units.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/HangerDialogs.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

std::string NodeOf(int row) { return NodeNumberText(TheModel().row(row).node); }
std::string ConnectedText(std::int32_t node) { return node != 0 ? NodeNumberText(node) : ""; }
std::string Component8(float value) { return value == 0.0f ? "" : FormatFixedWidth(value, 8, 3); }
std::string Component10(float value) { return value == 0.0f ? "" : FormatFixedWidth(value, 10, 3); }
std::string Trimmed(std::string text) {
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  return text;
}

// A text line built by columns (1-based).
class Line {
 public:
  void Put(const std::string& text, int column) {
    PutValueInLine(text_, text, column);
  }
  void PutRight(const std::string& text, int endColumn) {
    if (!text.empty()) Put(text, std::max(1, endColumn - static_cast<int>(text.size()) + 1));
  }
  void PutCentred(const std::string& text, int first, int last) {
    Put(text, std::max(1, first + (last - first + 1 - static_cast<int>(text.size())) / 2));
  }
  std::string Text() const {
    std::string text = text_;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }

 private:
  std::string text_;
};

template <typename Kind>
const Kind& ItemOfRow(int row) {
  return static_cast<const Kind&>(*TheModel().row(row).item);
}

// A read-only kind list with headings from a table and one group heading.
struct ListShape {
  std::vector<std::function<std::string(int line)>> headings;  // by column - 1
  int groupFirst = 0, groupLast = 0;
  std::string groupText;
  // Further group headings that do not share their widths.
  std::vector<HeadingGroup> moreGroups = {};
};

class OtherSupportList : public KindListTable {
 public:
  OtherSupportList(DataType type, RowListKind list, const char* title, const char* itemName, ListShape shape,
                   void (*print)())
      : KindListTable(type, list, title, itemName, static_cast<int>(shape.headings.size()), 2),
        shape_(std::move(shape)),
        print_(print) {
    gapAfterHeading1 = true;
  }
  std::string HeadingText(int column, int line) override {
    if (column < 1 || column > columns) return {};
    return shape_.headings[static_cast<std::size_t>(column - 1)](line);
  }
  void EnterRow(bool /*control*/) override { EditCurrentItem(); }
  void WriteText() override { print_(); }
  // The columns of a group share the widest of their widths, and their
  // rules start below the group's heading.
  void DefineColumns() override {
    KindListTable::DefineColumns();
    if (shape_.groupFirst == 0) return;
    int width = 0;
    for (int column = shape_.groupFirst; column <= shape_.groupLast; ++column)
      width = std::max(width, widths[static_cast<std::size_t>(column)]);
    for (int column = shape_.groupFirst; column <= shape_.groupLast; ++column)
      widths[static_cast<std::size_t>(column)] = width;
  }
  void PaintExtra() override { PaintHeadingGroups(*this, Groups()); }
  void DrawColumnRule(int column) override {
    if (!DrawGroupColumnRule(*this, Groups(), column)) KindListTable::DrawColumnRule(column);
  }

 private:
  std::vector<HeadingGroup> Groups() const {
    std::vector<HeadingGroup> groups = shape_.moreGroups;
    if (shape_.groupFirst != 0) groups.push_back({shape_.groupFirst, shape_.groupLast, shape_.groupText});
    return groups;
  }
  ListShape shape_;
  void (*print_)();
};

std::function<std::string(int)> Heading(std::string first, std::string second = "") {
  return [first, second](int line) { return line == 0 ? first : second; };
}
std::function<std::string(int)> HeadingUnit(std::string first, int unit) {
  return [first, unit](int line) { return line == 0 ? first : std::string(UnitLabel(unit)); };
}

// --- guides ---------------------------------------------------------------------------

OtherSupportList& TheGuidesList() {
  static OtherSupportList list(DataType::Guide, RowListKind::Guides, "Guides", "Guide",
                               {{Heading("Node"), Heading("Tag"), Heading("Friction", "Coeff"),
                                 HeadingUnit("Stiffness", kUnitStiffness), HeadingUnit("Gap", kUnitDisplacement),
                                 Heading("CNode")},
                                0, 0, ""},
                               PrintGuidesDetails);
  return list;
}

// --- limit stops ------------------------------------------------------------------------

OtherSupportList& TheLimitStopsList() {
  static OtherSupportList list(
      DataType::LimitStop, RowListKind::LimitStops, "Limit stops", "Limit stop",
      {{Heading("Node"), Heading("Tag"), HeadingUnit("Lower Lmt", kUnitDisplacement),
        HeadingUnit("Upper Lmt", kUnitDisplacement), Heading("", "X comp"), Heading("", "Y comp"),
        Heading("", "Z comp"), Heading("Friction", "Coeff."), HeadingUnit("Stiffness", kUnitStiffness),
        Heading("CNode")},
       5, 7, "Direction"},
      PrintLimitStopsDetails);
  return list;
}

// --- skewed restraints --------------------------------------------------------------------

constexpr int kSkewedStiffnessColumn = 4;
constexpr int kStiffnessCellLength = 16;

// Of its cells only the stiffness is typed in; it is read as its dialog
// reads it, by the restraint's type.
class SkewedRestraintsList : public OtherSupportList {
 public:
  using OtherSupportList::OtherSupportList;
  bool IsCellEditable(int /*row*/, int column) override { return column == kSkewedStiffnessColumn; }
  int FilterChar(int character) override {
    const char c = static_cast<char>(character);
    return c == ' ' || (IsNotNumberChar(c) && std::strchr("RIGDrigd", c) == nullptr) ? 0 : character;
  }
  bool StoreItemCell(DataItem& item, int column) override {
    if (column != kSkewedStiffnessColumn) return false;
    auto& skewed = static_cast<SkewedRestraint&>(item);
    float value = 0.0f;
    const int refused = skewed.rotational != 0 ? ParseFieldRotStiffness(value) : ParseFieldStiffness(value);
    if (refused != 0) ThrowInvalidField("Stiffness");
    if (value == 0.0f) ThrowRequiredField("Stiffness");
    if (value == skewed.stiffness) return false;
    skewed.stiffness = value;
    return true;
  }
};

SkewedRestraintsList& TheSkewedList() {
  static SkewedRestraintsList list(DataType::SkewedRestraint, RowListKind::SkewedRestraints, "Skewed restraints",
                                   "Skewed restraint",
                                   {{Heading("Node"), Heading("Tag"), Heading("Type"), Heading("Stiffness"),
                                     Heading("Units"), Heading("X comp"), Heading("Y comp"), Heading("Z comp"),
                                     Heading("CNode")},
                                    0, 0, ""},
                                   PrintSkewedRestraintsDetails);
  return list;
}

std::string SkewedStiffnessText(const SkewedRestraint& skewed) {
  return skewed.rotational != 0 ? FormatRotStiffnessOrRigid(skewed.stiffness) : FormatStiffnessOrRigid(skewed.stiffness);
}

// --- snubbers ------------------------------------------------------------------------------

OtherSupportList& TheSnubbersList() {
  static OtherSupportList list(DataType::Snubber, RowListKind::Snubbers, "Snubbers", "Snubber",
                               {{Heading("Node"), Heading("Tag"), HeadingUnit("Stiffness", kUnitStiffness),
                                 Heading("", "X comp"), Heading("", "Y comp"), Heading("", "Z comp")},
                                4, 6, "Direction"},
                               PrintSnubbersDetails);
  return list;
}

// --- nozzles ---------------------------------------------------------------------------------

OtherSupportList& TheNozzlesList() {
  static OtherSupportList list(
      DataType::Nozzle, RowListKind::Nozzles, "Nozzles", "Nozzle",
      {{Heading("Node"), Heading("Tag"), Heading("Vess.", "Type"), Heading("Rnf", "Pad"),
        HeadingUnit("OD/R", kUnitDimension), HeadingUnit("Thk", kUnitDimension), HeadingUnit("OD/R", kUnitDimension),
        HeadingUnit("Thk", kUnitDimension), HeadingUnit("L1", kUnitLength), HeadingUnit("L2", kUnitLength),
        HeadingUnit("Modulus", kUnitModulus), Heading("", "X comp"), Heading("", "Y comp"), Heading("", "Z comp")},
       12, 14, "Vessel axis direction", {{5, 6, "Nozzle"}, {7, 8, "Vessel"}}},
      PrintNozzlesDetails);
  return list;
}

// The stiffnesses the nozzle's vessel gives, one line per nozzle.
class NozzleStiffnessList : public OtherSupportList {
 public:
  NozzleStiffnessList()
      : OtherSupportList(DataType::Nozzle, RowListKind::Nozzles, "Nozzle stiffnesses", "Nozzle",
                         {{Heading("Node"), Heading("Vess.", "Type"), HeadingUnit("Radial (kp)", kUnitStiffness),
                           HeadingUnit("Circumferential (kmc)", kUnitRotStiffness),
                           HeadingUnit("Longitudinal (kml)", kUnitRotStiffness)},
                          0, 0, "", {}},
                         PrintNozzleStiffnesses) {}
  std::string CellText(int row, int column, int line) override {
    if (row < 1 || column < 2) return OtherSupportList::CellText(row, column, line);
    const auto* nozzle = dynamic_cast<const Nozzle*>(ItemOf(row));
    if (nozzle == nullptr) return {};
    switch (column) {
      case 2: return NozzleVesselTypeText(*nozzle);
      case 3: return Trimmed(FormatStiffnessOrRigid(nozzle->axialStiffness));
      case 4: return Trimmed(FormatRotStiffnessOrRigid(nozzle->circumferentialStiffness));
      case 5: return Trimmed(FormatRotStiffnessOrRigid(nozzle->longitudinalStiffness));
      default: return {};
    }
  }
};

NozzleStiffnessList& TheNozzleStiffnessList() {
  static NozzleStiffnessList list;
  return list;
}

std::string NozzleLengthText(float value) { return Trimmed(FormatLength(value)); }

// --- hangers and threaded joints ------------------------------------------------------------

// Tag, number of hangers, load variation and short range are typed in their
// cells and read as the dialog reads them; variation and short range belong
// to designed hangers only.
class HangersList : public OtherSupportList {
 public:
  using OtherSupportList::OtherSupportList;
  bool IsCellEditable(int row, int column) override {
    if (column == 2 || column == 4) return true;
    const auto* hanger = dynamic_cast<const Hanger*>(ItemOf(row));
    return (column == 5 || column == 6) && hanger != nullptr && IsDesignedHanger(hanger->kind);
  }
  int FilterChar(int character) override {
    const int column = currentColumn;
    if (column == 4 || column == 5) return std::isdigit(character) != 0 ? character : 0;
    if (column == 6) return YesNoChar(character);
    return character;
  }
  bool StoreItemCell(DataItem& item, int column) override {
    auto& hanger = static_cast<Hanger&>(item);
    switch (column) {
      case 2: {
        std::string tag = g_EditFieldText;
        while (!tag.empty() && tag.back() == ' ') tag.pop_back();
        if (tag.size() > kHangerTagLength) ThrowFieldError("Tag", "is too long");
        if (tag == hanger.tag) return false;
        hanger.tag = tag;
        return true;
      }
      case 4: {
        const std::int32_t number = ParseNumberOfHangers("Number of Hangers");
        if (number == hanger.numberOfHangers) return false;
        hanger.numberOfHangers = number;
        return true;
      }
      case 5: {
        const std::int32_t variation = ParseLoadVariation();
        if (variation == hanger.maximumLoadVariation) return false;
        hanger.maximumLoadVariation = variation;
        return true;
      }
      case 6: {
        bool flag = false;
        if (ParseFieldYesNo(flag) != 0) ThrowInvalidField("Short Range");
        const std::uint8_t shortRange = flag ? 1 : 0;
        if (shortRange == hanger.shortRange) return false;
        hanger.shortRange = shortRange;
        return true;
      }
      default: return false;
    }
  }
};

HangersList& TheHangersList() {
  static HangersList list(
      DataType::Hanger, RowListKind::Hangers, "Hangers", "Hanger",
      {{Heading("Node"), Heading("Tag"), Heading("Type"), Heading("No", "of"), Heading("Load", "var%"),
        Heading("Short", "range"), HeadingUnit("Spring rate", kUnitStiffness), HeadingUnit("Load", kUnitForce),
        Heading("Load", "Type"), Heading("CNode")},
       0, 0, "", {}},
      PrintHangersDetails);
  return list;
}

OtherSupportList& TheThreadedJointsList() {
  static OtherSupportList list(DataType::ThreadedJoint, RowListKind::ThreadedJoints, "Threaded Joints",
                               "Threaded joint", {{Heading("Node")}, 0, 0, "", {}}, PrintThreadedJoints);
  return list;
}

// --- generic supports ------------------------------------------------------------------------

std::string GenericUnitsText(std::int32_t index, int line) {
  const std::string stiffness = UnitLabel(kUnitStiffness), rotational = UnitLabel(kUnitRotStiffness);
  const std::string b = GroupBUnitLabel(index);
  switch (line) {
    case 1: return "K11/K12/K13 = " + stiffness + "; K14/K15/K16 = " + b;
    case 2: return "K22/K23 = " + stiffness + "; K24/K25/K26 = " + b;
    case 3: return "K33 = " + stiffness + "; K34/K35/K36 = " + b;
    case 4: return "K44/K45/K46 = " + rotational;
    case 5: return "K55/K56 = " + rotational;
    default: return "K66 = " + rotational;
  }
}

class GenericSupportsList : public OtherSupportList {
 public:
  GenericSupportsList()
      : OtherSupportList(DataType::GenericSupport, RowListKind::GenericSupports, "Generic Supports", "Generic support",
                         {{Heading("Node"), Heading("Tag"), Heading("", "1"), Heading("", "2"), Heading("", "3"),
                           Heading("", "4"), Heading("", "5"), Heading("", "6"), Heading("Units")},
                          3, 8, "6x6 Stiffness"},
                         PrintGenericSupportsDetails) {
    linesPerRow = 6;
  }
  std::string CellText(int row, int column, int line) override {
    const int layoutRow = LayoutRowOf(row);
    if (layoutRow == 0) return {};
    auto& support = const_cast<GenericSupport&>(ItemOfRow<GenericSupport>(layoutRow));
    RepairUnit(support, layoutRow);
    const int i = line + 1;
    if (column == 1) return line == 0 ? NodeOf(layoutRow) : "";
    if (column == 2) return line == 0 ? support.tag : "";
    if (column == 9) return GenericUnitsText(support.groupBUnitIndex, i);
    const int j = column - 2;
    if (j < i || j > 6) return {};
    return FormatGenericSupportTerm(support, i, j);
  }

 private:
  // The dialog never stores such an index; a damaged or foreign file can.
  static void RepairUnit(GenericSupport& support, int layoutRow) {
    if (support.groupBUnitIndex >= 0 && support.groupBUnitIndex <= kGroupBUnitLast) return;
    const bool yes = MessageBoxDialog(MainFrame().window,
                                      "Rotational stiffness units for Generic Support at node " + NodeOf(layoutRow) +
                                          " is invalid. Do you want to fix it to lb/deg?",
                                      IDYES);
    support.groupBUnitIndex = 0;
    TheModel().modified = true;
    if (!yes) PostMessage(MainFrame().window, WM_CLOSE, 0, 0);
  }
};

GenericSupportsList& TheGenericList() {
  static GenericSupportsList list;
  return list;
}

}  // namespace

// --- cells of the lists ------------------------------------------------------------------------

std::string Guide::CellText(int column) const {
  switch (column) {
    case 2: return tag;
    case 3: return frictionCoefficient == 0.0f ? "" : FormatFixedWidth(frictionCoefficient, 10, 3);
    case 4: return FormatStiffnessOrRigid(stiffness);
    case 5: return gap == 0.0f ? "" : FormatDisplacementOrNone(gap);
    case 6: return ConnectedText(connectedNode);
    default: return {};
  }
}

std::string LimitStop::CellText(int column) const {
  switch (column) {
    case 2: return tag;
    case 3: return FormatDisplacementOrNone(lowerLimit);
    case 4: return FormatDisplacementOrNone(upperLimit);
    case 5: return Component8(dirX);
    case 6: return Component8(dirY);
    case 7: return Component8(dirZ);
    case 8: return frictionCoefficient == 0.0f ? "" : FormatFixedWidth(frictionCoefficient, 10, 3);
    case 9: return FormatStiffnessOrRigid(stiffness);
    case 10: return ConnectedText(connectedNode);
    default: return {};
  }
}

std::string SkewedRestraint::CellText(int column) const {
  switch (column) {
    case 2: return tag;
    case 3: return rotational != 0 ? "Rotational" : "Translational";
    case 4: return SkewedStiffnessText(*this);
    case 5: return UnitLabel(rotational != 0 ? kUnitRotStiffness : kUnitStiffness);
    case 6: return Component8(dirX);
    case 7: return Component8(dirY);
    case 8: return Component8(dirZ);
    case 9: return ConnectedText(connectedNode);
    default: return {};
  }
}

std::string Snubber::CellText(int column) const {
  switch (column) {
    case 2: return tag;
    case 3: return FormatStiffnessOrRigid(stiffness);
    case 4: return Component8(dirX);
    case 5: return Component8(dirY);
    case 6: return Component8(dirZ);
    default: return {};
  }
}

std::string Nozzle::CellText(int column) const {
  const bool sphere = spherical != 0, flat = !sphere && flatBottom != 0;
  switch (column) {
    case 2: return tag;
    case 3: return NozzleVesselTypeText(*this);
    case 4: return flat ? (reinforcingPad != 0 ? "Yes" : "No") : "";
    case 5: return Trimmed(FormatDimension(nozzleOd));
    case 6: return Trimmed(FormatDimension(nozzleThickness));
    case 7: return Trimmed(FormatDimension(vesselOd));
    case 8: return Trimmed(FormatDimension(vesselThickness));
    case 9: return sphere ? "" : NozzleLengthText(l1);
    case 10: return sphere || flat ? "" : NozzleLengthText(l2);
    case 11: return Trimmed(FormatModulus(elasticModulus));
    case 12: case 13: case 14: return sphere ? "" : Component8(vesselAxis[static_cast<std::size_t>(column - 12)]);
    default: return {};
  }
}

// --- guides ---------------------------------------------------------------------------------

TableWindow& GuidesListTable() { return TheGuidesList(); }
bool GuidesListOffered(const Model& model) { return model.lists[RowListKind::Guides].count > 0; }
void OpenGuidesList() { TheGuidesList().Open(OpenGuidesList, nullptr); }

std::string DescribeGuide(int row) {
  const Guide& guide = ItemOfRow<Guide>(row);
  Line line;
  line.Put(NodeOf(row), 6);
  if (guide.frictionCoefficient != 0.0f) line.PutRight(FormatFixedWidth(guide.frictionCoefficient, 10, 3), 24);
  line.Put(FormatStiffnessOrRigid(guide.stiffness), 42);
  return line.Text();
}

void GuideDetailsText(int row) {
  const Guide& guide = ItemOfRow<Guide>(row);
  if (!g_ReportToFile) {
    PutDescribedAfterNode(DescribeGuide(row), NodeOf(row));
    return;
  }
  ReportPutCell(guide.tag);
  ReportPutCell(Trimmed(FormatFixedWidth(guide.frictionCoefficient, 10, 3)));
  ReportPutCell(FormatStiffnessOrRigid(guide.stiffness));
}

void PrintGuidesDetails() {
  KindListPrintTable table(TheGuidesList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsDataRows, static_cast<int>(DataType::Guide), TheGuidesList().title,
      {{"Node", 1, 6}, {"Friction coefficient", 1, 14}, {"Stiffness", 1, 38}}, 0, {}, {}, 1);
  request.putText = GuideDetailsText;
  request.csvHeadings = {std::string("Node,Tag,Friction coefficient,Stiffness ,") + UnitLabel(kUnitStiffness)};
  PrintKindDetailsSection(TheGuidesList(), table, std::move(request));
}

// --- limit stops ----------------------------------------------------------------------------

TableWindow& LimitStopsListTable() { return TheLimitStopsList(); }
bool LimitStopsListOffered(const Model& model) { return model.lists[RowListKind::LimitStops].count > 0; }
void OpenLimitStopsList() { TheLimitStopsList().Open(OpenLimitStopsList, nullptr); }

std::string DescribeLimitStop(int row) {
  const LimitStop& stop = ItemOfRow<LimitStop>(row);
  Line line;
  line.Put(NodeOf(row), 6);
  if (stop.connectedNode != 0) line.Put(NodeNumberText(stop.connectedNode), 12);
  line.Put(FormatDisplacementOrNone(stop.lowerLimit), 18);
  line.Put(FormatDisplacementOrNone(stop.upperLimit), 28);
  line.Put(Component10(stop.dirX), 37);
  line.Put(Component10(stop.dirY), 46);
  line.Put(Component10(stop.dirZ), 54);
  if (stop.frictionCoefficient != 0.0f) line.Put(FormatFixedWidth(stop.frictionCoefficient, 8, 3), 62);
  line.Put(FormatStiffnessOrRigid(stop.stiffness), 70);
  return line.Text();
}

void LimitStopDetailsText(int row) {
  const LimitStop& stop = ItemOfRow<LimitStop>(row);
  if (!g_ReportToFile) {
    PutDescribedAfterNode(DescribeLimitStop(row), NodeOf(row));
    return;
  }
  ReportPutCell(stop.tag);
  ReportPutCell(ConnectedText(stop.connectedNode));
  ReportPutCell(Trimmed(FormatDisplacementOrNone(stop.lowerLimit)));
  ReportPutCell(Trimmed(FormatDisplacementOrNone(stop.upperLimit)));
  for (float c : {stop.dirX, stop.dirY, stop.dirZ}) ReportPutCell(Trimmed(FormatFixedWidth(c, 10, 3)));
  ReportPutCell(Trimmed(FormatFixedWidth(stop.frictionCoefficient, 8, 3)));
  ReportPutCell(FormatStiffnessOrRigid(stop.stiffness));
}

void PrintLimitStopsDetails() {
  KindListPrintTable table(TheLimitStopsList());
  const std::string displacement = UnitLabel(kUnitDisplacement);
  DetailsRequest request = InitDetailsRequest(
      kDetailsDataRows, static_cast<int>(DataType::LimitStop), TheLimitStopsList().title,
      {{"Cnect", 1, 11},
       {"Lower Lmt Upper Lmt", 1, 17},
       {"Direction", 1, 44},
       {"Friction", 1, 61},
       {"Stiffness", 1, 70},
       {"Node", 2, 6},
       {"Node", 2, 12},
       {"X comp", 2, 37},
       {"Y comp", 2, 46},
       {"Z comp", 2, 54},
       {"Coeff.", 2, 62}},
      1, {{kUnitDisplacement, 2, 17, 25}, {kUnitDisplacement, 2, 27, 35}, {kUnitStiffness, 2, 70, 78}}, {}, 1);
  request.putText = LimitStopDetailsText;
  request.csvHeadings = {",,Connected,Lower Limit,Upper Limit,,Direction,,Friction,Stiffness",
                         "Node,Tag, Node," + displacement + "," + displacement + ",Xcomp,Ycomp,Zcomp,Coeff," +
                             UnitLabel(kUnitStiffness)};
  PrintKindDetailsSection(TheLimitStopsList(), table, std::move(request));
}

// --- skewed restraints --------------------------------------------------------------------

TableWindow& SkewedRestraintsListTable() { return TheSkewedList(); }
bool SkewedRestraintsListOffered(const Model& model) { return model.lists[RowListKind::SkewedRestraints].count > 0; }
void OpenSkewedRestraintsList() {
  static const std::vector<int> lengths = {0, 0, 0, 0, kStiffnessCellLength};
  TheSkewedList().Open(OpenSkewedRestraintsList, &lengths);
}

std::string DescribeSkewedRestraint(int row) {
  const SkewedRestraint& skewed = ItemOfRow<SkewedRestraint>(row);
  Line line;
  line.Put(NodeOf(row), 6);
  line.Put(skewed.CellText(3), 13);
  line.Put(SkewedStiffnessText(skewed), 29);
  line.PutCentred(skewed.CellText(5), 39, 49);
  line.PutRight(Component10(skewed.dirX), 58);
  line.PutRight(Component10(skewed.dirY), 67);
  line.PutRight(Component10(skewed.dirZ), 76);
  return line.Text();
}

void SkewedRestraintDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterNode(DescribeSkewedRestraint(row), NodeOf(row));
    return;
  }
  const SkewedRestraint& skewed = ItemOfRow<SkewedRestraint>(row);
  ReportPutCell(skewed.tag);
  ReportPutCell(skewed.CellText(3));
  ReportPutCell(SkewedStiffnessText(skewed));
  ReportPutCell(skewed.CellText(5));
  for (float c : {skewed.dirX, skewed.dirY, skewed.dirZ}) ReportPutCell(Trimmed(FormatFixedWidth(c, 10, 3)));
}

void PrintSkewedRestraintsDetails() {
  KindListPrintTable table(TheSkewedList());
  DetailsRequest request =
      InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::SkewedRestraint), TheSkewedList().title,
                         {{"Node", 1, 6},
                          {"Type", 1, 18},
                          {"Stiffness", 1, 28},
                          {"Units", 1, 42},
                          {"X comp", 1, 54},
                          {"Y comp", 1, 63},
                          {"Z comp", 1, 72}},
                         0, {}, {}, 1);
  request.putText = SkewedRestraintDetailsText;
  request.csvHeadings = {"Node,Tag,Type,Stiffness,Units,X comp,Y comp,Z comp"};
  PrintKindDetailsSection(TheSkewedList(), table, std::move(request));
}

// --- snubbers ------------------------------------------------------------------------------

TableWindow& SnubbersListTable() { return TheSnubbersList(); }
bool SnubbersListOffered(const Model& model) { return model.lists[RowListKind::Snubbers].count > 0; }
void OpenSnubbersList() { TheSnubbersList().Open(OpenSnubbersList, nullptr); }

std::string DescribeSnubber(int row) {
  const Snubber& snubber = ItemOfRow<Snubber>(row);
  Line line;
  line.Put(NodeOf(row), 6);
  line.Put(FormatStiffnessOrRigid(snubber.stiffness), 14);
  line.PutRight(Component10(snubber.dirX), 30);
  line.PutRight(Component10(snubber.dirY), 39);
  line.PutRight(Component10(snubber.dirZ), 48);
  return line.Text();
}

void SnubberDetailsText(int row) {
  if (!g_ReportToFile) {
    PutDescribedAfterNode(DescribeSnubber(row), NodeOf(row));
    return;
  }
  const Snubber& snubber = ItemOfRow<Snubber>(row);
  ReportPutCell(snubber.tag);
  ReportPutCell(FormatStiffnessOrRigid(snubber.stiffness));
  for (float c : {snubber.dirX, snubber.dirY, snubber.dirZ}) ReportPutCell(Trimmed(FormatFixedWidth(c, 10, 3)));
}

void PrintSnubbersDetails() {
  KindListPrintTable table(TheSnubbersList());
  DetailsRequest request = InitDetailsRequest(
      kDetailsDataRows, static_cast<int>(DataType::Snubber), TheSnubbersList().title,
      {{"Stiffness", 1, 13},
       {"Direction", 1, 32},
       {"Node", 2, 6},
       {"X comp", 2, 25},
       {"Y comp", 2, 34},
       {"Z comp", 2, 43}},
      1, {}, {}, 1);
  request.putText = SnubberDetailsText;
  request.csvHeadings = {",,Stiffness,,Direction,,",
                         std::string("Node,Tag,") + UnitLabel(kUnitStiffness) + ",X comp,Y comp,Z comp"};
  PrintKindDetailsSection(TheSnubbersList(), table, std::move(request));
}

// --- generic supports ------------------------------------------------------------------------

TableWindow& GenericSupportsListTable() { return TheGenericList(); }
bool GenericSupportsListOffered(const Model& model) { return model.lists[RowListKind::GenericSupports].count > 0; }
void OpenGenericSupportsList() { TheGenericList().Open(OpenGenericSupportsList, nullptr); }

namespace {

constexpr int kGenericTextColumns[6] = {16, 26, 36, 46, 58, 70};

std::string GenericUnitOfTerm(const GenericSupport& support, int i, int j) {
  switch (GenericSupportTermGroup(i, j)) {
    case 'A': return UnitLabel(kUnitStiffness);
    case 'B': return GroupBUnitLabel(support.groupBUnitIndex);
    default: return UnitLabel(kUnitRotStiffness);
  }
}

}  // namespace

// Twelve lines: each matrix row's terms from the diagonal on, then their
// unit labels under them.
void GenericSupportDetailsText(int row) {
  const GenericSupport& support = ItemOfRow<GenericSupport>(row);
  for (int i = 1; i <= 6; ++i) {
    if (i > 1) {
      EndRowDetailsLine();
      ReportNewLine();
    }
    if (g_ReportToFile) {
      if (i > 1) ReportPutCell("");  // under the node
      ReportPutCell(i == 1 ? support.tag : "");
      for (int j = 1; j < i; ++j) ReportPutCell("");
      for (int j = i; j <= 6; ++j) ReportPutCell(FormatGenericSupportTerm(support, i, j));
      EndRowDetailsLine();
      ReportNewLine();
      ReportPutCell("");
      ReportPutCell("");
      for (int j = 1; j < i; ++j) ReportPutCell("");
      for (int j = i; j <= 6; ++j) ReportPutCell(GenericUnitOfTerm(support, i, j));
    } else {
      for (int j = i; j <= 6; ++j) {
        const std::string term = FormatGenericSupportTerm(support, i, j);
        if (!term.empty()) ReportPutText(term, kGenericTextColumns[j - 1]);
      }
      ReportNewLine();
      for (int j = i; j <= 6; ++j) {
        const std::string unit = GenericUnitOfTerm(support, i, j);
        if (!unit.empty()) ReportPutText(unit, kGenericTextColumns[j - 1]);
      }
    }
  }
}

void PrintGenericSupportsDetails() {
  KindListPrintTable table(TheGenericList());
  std::vector<DetailsHeading> headings = {{"6x6 Stiffness", 1, 35}, {"Node", 2, 6}};
  for (int j = 1; j <= 6; ++j) headings.push_back({std::to_string(j), 2, kGenericTextColumns[j - 1]});
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::GenericSupport),
                                              TheGenericList().title, std::move(headings), 1, {}, {}, 12);
  request.putText = GenericSupportDetailsText;
  request.csvHeadings = {",,,,6x6 Stiffness", "Node,Tag, 1,2,3,4,5,6"};
  PrintKindDetailsSection(TheGenericList(), table, std::move(request));
}

// --- nozzles ---------------------------------------------------------------------------------

TableWindow& NozzlesListTable() { return TheNozzlesList(); }
bool NozzlesListOffered(const Model& model) { return model.lists[RowListKind::Nozzles].count > 0; }
void OpenNozzlesList() { TheNozzlesList().Open(OpenNozzlesList, nullptr); }
TableWindow& NozzleStiffnessesListTable() { return TheNozzleStiffnessList(); }
void OpenNozzleStiffnessesList() { TheNozzleStiffnessList().Open(OpenNozzleStiffnessesList, nullptr); }

void RegisterNozzleStiffnessesList() {
  RegisterListKind("&Nozzle stiffnesses", NozzlesListOffered, OpenNozzleStiffnessesList);
  RegisterInputTableView(TheNozzleStiffnessList());
}

std::string DescribeNozzle(int row, bool csv) {
  const Nozzle& nozzle = ItemOfRow<Nozzle>(row);
  std::string text;
  if (nozzle.spherical != 0) {
    text = "Vessel Type = Spherical";
  } else if (nozzle.flatBottom != 0) {
    text = (csv ? ",Flat bottom = Yes, L = " : "Flat bottom = Yes    L =") + NozzleLengthText(nozzle.l1) +
           (csv ? ",Reinforcing pad = " : "    Reinforcing pad = ") + (nozzle.reinforcingPad != 0 ? "Yes" : "No");
  } else {
    text = (csv ? ",Vessel Type = Cylindrical,L1 = " : "Vessel Type = Cylindrical L1 =") + NozzleLengthText(nozzle.l1) +
           (csv ? ",L2 = " : "    L2 = ") + NozzleLengthText(nozzle.l2);
  }
  const std::string kp = Trimmed(FormatStiffnessOrRigid(nozzle.axialStiffness));
  const std::string kmc = Trimmed(FormatRotStiffnessOrRigid(nozzle.circumferentialStiffness));
  const std::string kml = Trimmed(FormatRotStiffnessOrRigid(nozzle.longitudinalStiffness));
  if (csv)
    return text + ",Axial stiffness = " + kp + ",Circumferential bending stiffness = " + kmc +
           ",Longitudinal bending stiffness = " + kml;
  return text + "\n" + "Axial stiffness =" + kp + "\n" + "Circumferential bending stiffness =" + kmc + "\n" +
         "Longitudinal    bending stiffness =" + kml;
}

void NozzleDetailsText(int row) {
  const Nozzle& nozzle = ItemOfRow<Nozzle>(row);
  if (g_ReportToFile) {
    ReportPutCell(nozzle.tag);
    for (float value : {nozzle.nozzleOd, nozzle.nozzleThickness, nozzle.vesselOd, nozzle.vesselThickness})
      ReportPutCell(Trimmed(FormatDimension(value)));
    ReportPutCell(Trimmed(FormatModulus(nozzle.elasticModulus)));
    for (float c : nozzle.vesselAxis) ReportPutCell(Trimmed(FormatFixedWidth(c, 10, 3)));
    ReportPutCell(DescribeNozzle(row, true));
    return;
  }
  const std::string node = NodeOf(row);
  Line line;
  line.Put(node, 6);
  line.PutRight(Trimmed(FormatDimension(nozzle.nozzleOd)), 20);
  line.PutRight(Trimmed(FormatDimension(nozzle.nozzleThickness)), 29);
  line.PutRight(Trimmed(FormatDimension(nozzle.vesselOd)), 38);
  line.PutRight(Trimmed(FormatDimension(nozzle.vesselThickness)), 47);
  line.PutRight(Trimmed(FormatModulus(nozzle.elasticModulus)), 58);
  if (nozzle.spherical == 0)
    for (int i = 0; i < 3; ++i) line.PutRight(Component10(nozzle.vesselAxis[static_cast<std::size_t>(i)]), 66 + 10 * i);
  PutDescribedAfterNode(line.Text(), node);
  // The vessel and the stiffnesses, a line each, under the nozzle's data.
  const std::string details = DescribeNozzle(row, false);
  std::size_t start = 0;
  while (start != std::string::npos) {
    const std::size_t end = details.find('\n', start);
    Line part;
    part.Put(details.substr(start, end == std::string::npos ? end : end - start), 13);
    ReportNewLine();
    ReportAppendLine(part.Text());
    start = end == std::string::npos ? end : end + 1;
  }
}

void PrintNozzlesDetails() {
  KindListPrintTable table(TheNozzlesList());
  // The nozzle's line and its described lines: the most any nozzle takes.
  int linesPerRow = 1;
  for (int index = 1; index <= TheNozzlesList().EntryCount(); ++index) {
    const std::string details = DescribeNozzle(TheNozzlesList().LayoutRowOf(index), false);
    linesPerRow = std::max(linesPerRow, 2 + static_cast<int>(std::count(details.begin(), details.end(), '\n')));
  }
  DetailsRequest request =
      InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::Nozzle), TheNozzlesList().title,
                         {{"Nozzl OD Nozl Thk Vessl OD Vesl Thk  Modulus", 1, 13},
                          {"Node", 2, 6},
                          {"X comp", 2, 61},
                          {"Y comp", 2, 71},
                          {"Z comp", 2, 81}},
                         1, {}, {}, linesPerRow);
  request.putText = NozzleDetailsText;
  const std::string dimension = UnitLabel(kUnitDimension);
  request.csvHeadings = {",,Nozzle OD,Nozzle Thk, Vessel OD/R, Vessel Thk, Modulus,,Vessel Axis,,",
                         "Node,Tag," + dimension + "," + dimension + "," + dimension + "," + dimension + "," +
                             UnitLabel(kUnitModulus) + ",Xcomp,Ycomp,Zcomp"};
  PrintKindDetailsSection(TheNozzlesList(), table, std::move(request));
  PrintNozzleStiffnesses();
}

// Printed on the printer only: the text reports carry the stiffnesses in the
// nozzles' own section.
void PrintNozzleStiffnesses() {
  if (g_ReportFileOpen) return;
  KindListPrintTable table(TheNozzleStiffnessList());
  PrintKindSection(TheNozzleStiffnessList(), table);
}

// --- hangers ---------------------------------------------------------------------------------

TableWindow& HangersListTable() { return TheHangersList(); }
bool HangersListOffered(const Model& model) { return model.lists[RowListKind::Hangers].count > 0; }
void OpenHangersList() {
  static const std::vector<int> lengths = {0, 0, static_cast<int>(kHangerTagLength), 0, 3, 2, 1};
  TheHangersList().Open(OpenHangersList, &lengths);
}

std::string DescribeHanger(int row, bool csv) {
  const Hanger& h = ItemOfRow<Hanger>(row);
  const std::string number = std::to_string(h.numberOfHangers);
  const std::string rate = Trimmed(FormatStiffnessOrRigid(h.springRate));
  const std::string load = h.load != 0.0f ? Trimmed(FormatForce(h.load)) : "";
  const std::string temperature = h.loadType == 1 ? "Cold" : "Hot";
  if (csv) {
    switch (h.kind) {
      case kUserHanger: return h.tag + ",User Hanger," + number + ",," + rate + "," + load + "," + temperature;
      case kRodHanger: return h.tag + ",Rod Hanger," + number + ",,,,";
      case kConstantSupport: return h.tag + ",Constant Support," + number + ",,,,";
      default:
        return h.tag + "," + HangerKindText(h.kind) + "," + number + "," + std::to_string(h.maximumLoadVariation) + "," +
               (h.shortRange != 0 ? "Y" : "") + ",,";
    }
  }
  Line line;
  line.Put(NodeOf(row), 6);
  line.PutRight(number, 40);
  switch (h.kind) {
    case kUserHanger:
      line.Put("User hanger", 13);
      line.PutRight(rate, 60);
      line.PutRight(load, 71);
      line.Put(temperature, 74);
      break;
    case kRodHanger: line.Put("Rod Hanger", 13); break;
    case kConstantSupport: line.Put("Constant Support", 13); break;
    default:
      line.Put(HangerKindText(h.kind), 13);
      line.PutRight(std::to_string(h.maximumLoadVariation), 46);
      if (h.shortRange != 0) line.Put("Y", 50);
  }
  return line.Text();
}

void HangerDetailsText(int row) {
  if (g_ReportToFile)
    g_LineText += DescribeHanger(row, true) + ",";
  else
    PutDescribedAfterNode(DescribeHanger(row, false), NodeOf(row));
}

void PrintHangersDetails() {
  KindListPrintTable table(TheHangersList());
  DetailsRequest request =
      InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::Hanger), TheHangersList().title,
                         {{"No.  Load  Short SpringRate HangerLoad Load", 1, 37},
                          {"Node", 2, 6},
                          {"Type", 2, 13},
                          {"of  var(%) Range", 2, 37},
                          {"type", 2, 74}},
                         1, {}, {}, 1);
  request.putText = HangerDetailsText;
  request.csvHeadings = {",,,No.of,Load,Short,SpringRate,HangerLoad,Load",
                         std::string("Node,Tag, Type,Hangers,var(%),Range,") + UnitLabel(kUnitStiffness) + "," +
                             UnitLabel(kUnitForce) + ",type"};
  PrintKindDetailsSection(TheHangersList(), table, std::move(request));
}

// --- threaded joints ---------------------------------------------------------------------------

TableWindow& ThreadedJointsListTable() { return TheThreadedJointsList(); }
bool ThreadedJointsListOffered(const Model& model) { return model.lists[RowListKind::ThreadedJoints].count > 0; }
void OpenThreadedJointsList() { TheThreadedJointsList().Open(OpenThreadedJointsList, nullptr); }

void PrintThreadedJoints() {
  KindListPrintTable table(TheThreadedJointsList());
  DetailsRequest request = InitDetailsRequest(kDetailsDataRows, static_cast<int>(DataType::ThreadedJoint),
                                              TheThreadedJointsList().title, {{"Node", 1, 6}}, 0, {}, {}, 1);
  request.csvHeadings = {"Node"};
  PrintKindDetailsSection(TheThreadedJointsList(), table, std::move(request));
}
