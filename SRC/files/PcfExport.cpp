// The piping component file writer and its command (see PcfExport.h).
#include "files/PcfExport.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/Flange.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/Valve.h"
#include "files/BatchExport.h"
#include "files/ExportFiles.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/RowOperations.h"
#include "platform/CommonDialog.h"
#include "platform/Messages.h"
#include "properties/ValveLibrary.h"
#include "services/NameTables.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kShortestPipe = 0.04 / kMillimetresPerInch;      // inch
constexpr double kShortestStraight = 0.05 / kMillimetresPerInch;  // inch
constexpr double kBoreTolerance = 0.1;                            // inch
constexpr int kWidestValue = 64;  // characters: any float with its decimals

struct PipeSize {
  double od;   // inch
  double nps;  // inch
  double dn;   // mm
};

std::vector<PipeSize> BuildPipeSizes() {
  std::vector<PipeSize> sizes = {
      {0.405, 0.125, 5},   {0.540, 0.25, 8},    {0.675, 0.375, 10}, {0.840, 0.5, 15},   {1.050, 0.75, 20},
      {1.315, 1, 25},      {1.660, 1.25, 32},   {1.900, 1.5, 40},   {2.375, 2, 50},     {2.875, 2.5, 65},
      {3.500, 3, 80},      {4.000, 3.5, 90},    {4.500, 4, 100},    {5.563, 5, 125},    {6.625, 6, 150},
      {8.625, 8, 200},     {10.750, 10, 250},   {12.750, 12, 300}};
  for (int nps = 14; nps <= 64; nps += 2) sizes.push_back({double(nps), double(nps), 25.0 * nps});
  return sizes;
}

const std::vector<PipeSize>& PipeSizes() {
  static const std::vector<PipeSize> sizes = BuildPipeSizes();
  return sizes;
}


using Formatter = const char* (*)(float);

struct ItemCode {
  std::string code, type, material, grade;
};

class PcfWriter {
 public:
  PcfWriter(const Model& model, PcfUnits units, std::vector<std::string>& leftOut)
      : model_(model), units_(units), leftOut_(leftOut) {}

  std::string text;

  void Line(const std::string& line) { text += line + "\n"; }
  void LeftOut(int row, const std::string& what) { leftOut_.push_back("Row " + std::to_string(row) + ": " + what); }

  std::string Num(double value, Formatter format) {
    if (!std::isfinite(value)) {
      invalid_ = true;
      value = 0.0;
    }
    return format(static_cast<float>(value));
  }
  std::string Fixed(double value, int width, int decimals) {
    if (!std::isfinite(value)) {
      invalid_ = true;
      value = 0.0;
    }
    return FormatFixedWidth(value, width, decimals);
  }
  // A unitless value with `decimals` decimals, as wide as it takes: the
  // file's values stand between blanks, so a negative or large one has no
  // width to overflow; a value that rounds to zero is written without a
  // sign.
  std::string Decimals(double value, int decimals) {
    std::string text = Fixed(value, kWidestValue, decimals);
    if (text.size() > 1 && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
  }
  // A friction coefficient, or nothing for one below 0 (files of older
  // versions hold them), which the row's entry in the list names.
  std::string Friction(int row, float friction, int decimals) {
    if (friction < 0.0f) {
      LeftOut(row, "the negative friction coefficient was not written");
      return {};
    }
    return Decimals(friction, decimals);
  }
  bool TakeInvalid() {
    const bool invalid = invalid_;
    invalid_ = false;
    return invalid;
  }

  // East, north, up of a node.
  // A node index outside the table (a model that could not be made) is the
  // origin; the command refuses such a model before writing.
  std::array<double, 3> Plant(int index) const {
    if (index < 1 || index > model_.nodes.count) return {0.0, 0.0, 0.0};
    const NodeRecord& n = model_.nodes[index];
    if (model_.options.ZVertical != 0) return {n.x, n.y, n.z};
    return {n.z, n.x, n.y};
  }
  std::string Coordinates(const std::array<double, 3>& p) {
    return Num(p[0], FormatLength) + " " + Num(p[1], FormatLength) + " " + Num(p[2], FormatLength);
  }
  std::string Bore(double od) { return Num(PcfNominalBore(od, units_), FormatDimension); }

  const PipeSection* Section(const std::string& name) const {
    const int index = FindSectionByName(model_.sections, name);
    return index == 0 ? nullptr : &model_.sections[index];
  }
  double SectionOd(const std::string& name) const {
    const PipeSection* section = Section(name);
    return section == nullptr ? 0.0 : section->outsideDiameter;
  }

  void EndPoint(int node, double od) { Line("    END-POINT " + Coordinates(Plant(node)) + " " + Bore(od)); }
  void BranchPoint(int node, double od) { Line("    BRANCH1-POINT " + Coordinates(Plant(node)) + " " + Bore(od)); }
  void CentrePoint(int node) { Line("    CENTRE-POINT " + Coordinates(Plant(node))); }
  void MidCentrePoint(int a, int b) {
    const auto p = Plant(a), q = Plant(b);
    Line("    CENTRE-POINT " + Coordinates({(p[0] + q[0]) / 2, (p[1] + q[1]) / 2, (p[2] + q[2]) / 2}));
  }
  void Coords(int node) {
    const int row = model_.nodes[node].row;
    const double od = row >= 1 && row <= model_.rowCount ? SectionOd(model_.row(row).section) : 0.0;
    Line("    CO-ORDS " + Coordinates(Plant(node)) + " " + (od > 0.0 ? Bore(od) : std::string("0")));
  }
  void Skey(const std::string& key) { Line("    SKEY " + key); }
  void Support(int node, const std::string& key) {
    Line("SUPPORT");
    Coords(node);
    Line("    SKEY " + key + " ");
  }

  void NamedItemCode(const std::string& code, const std::string& type, const std::string& material,
                     const std::string& grade) {
    Line("    ITEM-CODE " + code);
    Line("    FABRICATION-ITEM");
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const ItemCode& i) { return i.code == code; });
    if (found == items_.end()) items_.push_back({code, type, material, grade});
  }
  void NamedItemCode(const std::string& code) { NamedItemCode(code, code, "", ""); }
  void ItemCodeOf(const LayoutRow& row, const std::string& prefix) {
    std::string material, grade;
    if (const int index = FindMaterialByName(model_.materials, row.material); index != 0) {
      material = model_.materials[index].type;
      grade = model_.materials[index].description;
    }
    NamedItemCode(prefix + "-" + row.material + "-" + row.section, prefix, material, grade);
  }
  void ComponentAttributes(const LayoutRow& row) {
    const PipeSection* s = Section(row.section);
    const int loadIndex = FindPipeLoadByName(model_.pipeLoads, row.load);
    const PipeLoad* load = loadIndex == 0 ? nullptr : &model_.pipeLoads[loadIndex];
    const std::array<std::string, 8> values = {
        s ? Num(s->outsideDiameter, FormatDimension) : "",
        s ? Num(s->thickness, FormatDimension) : "",
        s ? Num(s->corrosionAllowance, FormatDimension) : "",
        s ? Decimals(s->millTolerance, 2) : "",
        s ? Num(s->insulationDensity, FormatInsulationDensity) : "",
        s ? Num(s->insulationThickness, FormatDimension) : "",
        load ? Num(load->operating[0].temperature, FormatTemperature) : "",
        load ? Num(load->operating[0].pressure > kExplicitZero ? load->operating[0].pressure : 0.0f, FormatPressure)
             : ""};
    for (std::size_t i = 0; i < values.size(); ++i)
      Line("    COMPONENT-ATTRIBUTE" + std::to_string(i + 1) + " " + values[i] + " ");
  }
  void Attribute(int number, const std::string& value) {
    Line("    COMPONENT-ATTRIBUTE" + std::to_string(number) + " " + value);
  }

  const Model& model() const { return model_; }
  PcfUnits units() const { return units_; }
  const std::vector<ItemCode>& items() const { return items_; }

 private:
  const Model& model_;
  PcfUnits units_;
  std::vector<std::string>& leftOut_;
  std::vector<ItemCode> items_;
  bool invalid_ = false;
};

void WriteHeader(PcfWriter& w) {
  w.Line("ISOGEN-FILES ISOGEN.FLS");
  const bool metric = w.units() == PcfUnits::Metric;
  w.Line(metric ? "UNITS-BORE MM" : "UNITS-BORE INCH");
  w.Line(metric ? "UNITS-CO-ORDS MM" : "UNITS-CO-ORDS INCH");
  w.Line(metric ? "UNITS-WEIGHT KG" : "UNITS-WEIGHT LBS");
  w.Line(metric ? "UNITS-BOLT-DIA MM" : "UNITS-BOLT-DIA INCH");
  w.Line(metric ? "UNITS-BOLT-LENGTH MM" : "UNITS-BOLT-LENGTH INCH");
  w.Line("SYSTEM-ISOMETRIC-REFERENCE " + w.model().title);
}

void PipelineReference(PcfWriter& w, int number) {
  const Model& model = w.model();
  for (int r = number; r != 0 && r <= model.rowCount; r = NextElementRow(model, r)) {
    const LayoutRow& row = model.row(r);
    if (row.load.empty()) continue;
    const int index = FindPipeLoadByName(model.pipeLoads, row.load);
    if (index == 0) return;
    const PipeLoad& load = model.pipeLoads[index];
    w.Line("PIPELINE-REFERENCE P" + std::to_string(model.row(number).node));
    w.Line("    PIPELINE-TEMP " + w.Num(load.operating[0].temperature, FormatTemperature));
    w.Line("    ATTRIBUTE1 " +
           w.Num(load.operating[0].pressure > kExplicitZero ? load.operating[0].pressure : 0.0f, FormatPressure));
    return;
  }
}

double Distance(const Model& model, int a, int b) {
  if (a == 0 || b == 0) return 0.0;
  return NodeDistanceDouble(model.nodes, a, b);
}

void Pipe(PcfWriter& w, const LayoutRow& row, int from, int to) {
  const double od = w.SectionOd(row.section);
  w.Line("PIPE");
  w.EndPoint(from, od);
  w.EndPoint(to, od);
  w.ItemCodeOf(row, "P");
  w.ComponentAttributes(row);
}

void BendValues(PcfWriter& w, double radius, double angle) {
  if (radius != 0.0) w.Line("    BEND-RADIUS " + w.Num(radius, FormatDimension) + " ");
  if (angle != 0.0) w.Line("    BEND-ANGLE " + w.Num(angle, FormatAngle) + " ");
}

// False when the row gives no component and its item is to be left out too.
bool ValidNode(const Model& model, int index) { return index >= 1 && index <= model.nodes.count; }

bool WriteComponent(PcfWriter& w, const LayoutRow& row, int number) {
  const Model& model = w.model();
  const int start = row.runStart, end = row.runEnd;
  // Indexes held by rows are valid only for the node table they were made
  // with; one outside it is a row without nodes.
  for (const int index : {row.runStart, row.runEnd, row.startNode, row.endNode})
    if (index != 0 && !ValidNode(model, index)) {
      w.LeftOut(number, "the row has no nodes to place it; it and its item were not written");
      return false;
    }
  if (const auto* bend = dynamic_cast<const Bend*>(row.element.get()); bend && bend->farNode != 0 &&
                                                                       !ValidNode(model, bend->farNode)) {
    w.LeftOut(number, "the row has no nodes to place it; it and its item were not written");
    return false;
  }
  const double od = w.SectionOd(row.section);
  switch (row.elementType) {
    case ElementType::From: PipelineReference(w, number); return true;
    case ElementType::Pipe:
    case ElementType::JacketedPipe:
      if (start == 0 || end == 0 || Distance(model, start, end) < kShortestPipe) {
        w.LeftOut(number, "the pipe is shorter than 0.04 mm; it and its item were not written");
        return false;
      }
      Pipe(w, row, start, end);
      return true;
    case ElementType::Bend:
    case ElementType::JacketedBend:
    case ElementType::Miter: {
      const auto& bend = static_cast<const Bend&>(*row.element);
      if (bend.BendGeometryValid == 0 || bend.farNode == 0 || end == 0) {
        w.LeftOut(number, "the bend has no arc (its next row is missing or the bend cannot be placed)");
        return true;
      }
      if (Distance(model, start, end) > kShortestStraight) Pipe(w, row, start, end);
      const bool miter = row.elementType == ElementType::Miter;
      // Making the model stores the radius a bend of any kind takes.
      const double radius = bend.radius;
      w.Line("ELBOW");
      w.EndPoint(end, od);
      w.EndPoint(bend.farNode, od);
      w.CentrePoint(row.endNode);
      w.ItemCodeOf(row, std::string(miter ? "M-" : "B-") + w.Num(radius, FormatDimension) + "-" +
                            w.Num(bend.bendAngle, FormatAngle));
      w.Skey(miter ? "BEBW" : "ELBW");
      w.ComponentAttributes(row);
      BendValues(w, radius, bend.bendAngle);
      return true;
    }
    case ElementType::Valve: {
      const auto& valve = static_cast<const Valve&>(*row.element);
      static const char* const kSkeys[] = {"VS**", "VG**", "VG**", "CK**", "ZB**", "VC**", "VB**", "VP**"};
      const int type = valve.valveType >= 0 && valve.valveType < kValveTypeCount ? valve.valveType : 0;
      w.Line("VALVE");
      w.EndPoint(start, od);
      w.EndPoint(end, od);
      w.ItemCodeOf(row, std::string("V-") + kValveTypeNames[type]);
      w.Skey(kSkeys[type]);
      w.ComponentAttributes(row);
      if (valve.weight != 0.0f) w.Line("    WEIGHT " + w.Num(valve.weight, FormatWeight) + " ");
      return true;
    }
    case ElementType::Reducer: {
      const auto& reducer = static_cast<const Reducer&>(*row.element);
      w.Line("REDUCER-CONCENTRIC");
      w.EndPoint(start, reducer.od1);
      w.EndPoint(end, reducer.od2);
      w.ItemCodeOf(row, "R");
      w.Skey("RCBW");
      w.ComponentAttributes(row);
      return true;
    }
    case ElementType::Bellows:
    case ElementType::SlipJoint:
    case ElementType::CutPipe: {
      w.Line("MISC-COMPONENT");
      w.EndPoint(start, od);
      w.EndPoint(end, od);
      w.MidCentrePoint(start, end);
      if (row.elementType == ElementType::Bellows) {
        w.NamedItemCode("BELLOW");
        w.Skey("EXPJ");
        const float weight = static_cast<const Bellows&>(*row.element).weight;
        if (weight != 0.0f) w.Line("    WEIGHT " + w.Num(weight, FormatWeight) + " ");
      } else if (row.elementType == ElementType::SlipJoint) {
        w.NamedItemCode("SLIP");
        w.Skey("SLIP");
      } else {
        w.NamedItemCode("CUT-PIPE");
        w.Skey("CUTP");
      }
      w.ComponentAttributes(row);
      return true;
    }
    case ElementType::Rigid: {
      const bool instrument = Distance(model, start, end) > od;
      w.Line(instrument ? "INSTRUMENT" : "FLANGE");
      w.EndPoint(start, od);
      w.EndPoint(end, od);
      if (instrument) w.MidCentrePoint(start, end);
      w.NamedItemCode(instrument ? "INST" : "FLNG");
      w.Skey(instrument ? "INST" : "FL**");
      w.ComponentAttributes(row);
      const float weight = static_cast<const RigidElement&>(*row.element).weight;
      if (weight != 0.0f) w.Line("    WEIGHT " + w.Num(weight, FormatWeight) + " ");
      return true;
    }
    default: return true;
  }
}

// The largest and smallest outside diameters of the pipes meeting at a node.
std::pair<double, double> BranchDiameters(const Model& model, int node) {
  std::vector<int> others;
  for (int r = 1; r <= model.rowCount && others.size() <= 2; ++r) {
    const LayoutRow& row = model.row(r);
    if (row.node == 0 || row.startNode == 0 || row.endNode == 0) continue;
    switch (row.elementType) {
      case ElementType::From:
      case ElementType::Location:
      case ElementType::Comment:
      case ElementType::HydrotestLoad: continue;
      default: break;
    }
    if (row.runStart == node) others.push_back(row.runEnd);
    if (row.endNode == node) others.push_back(row.runStart);
  }
  double largest = 0.0, smallest = 0.0;
  bool first = true;
  for (const int other : others) {
    if (other < 1 || other > model.nodes.count) continue;
    const int creator = model.nodes[other].row;
    const int index =
        creator >= 1 && creator <= model.rowCount ? FindSectionByName(model.sections, model.row(creator).section) : 0;
    const double od = index == 0 ? 0.0 : model.sections[index].outsideDiameter;
    largest = first ? od : std::max(largest, od);
    smallest = first ? od : std::min(smallest, od);
    first = false;
  }
  return {largest, smallest};
}

// A direction in the file's axes.
std::array<double, 3> PlantDirection(const Model& model, double x, double y, double z) {
  if (model.options.ZVertical != 0) return {x, y, z};
  return {z, x, y};
}

// A support's direction as the plant axes take it, made a unit vector: a
// direction is stored as typed, and only its unit vector tells an axis
// support ((0,0,2) is Z) from a skewed one ((1,0,1) is none).
std::array<double, 3> PlantUnitDirection(const Model& model, double x, double y, double z) {
  std::array<double, 3> d = PlantDirection(model, x, y, z);
  const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  if (length > 0.0 && std::isfinite(length))
    for (double& component : d) component /= length;
  return d;
}

std::string DirectionCode(PcfWriter& w, const std::array<double, 3>& d) {
  return w.Decimals(d[0], 3) + "-" + w.Decimals(d[1], 3) + "-" + w.Decimals(d[2], 3);
}

void WriteItem(PcfWriter& w, const LayoutRow& row, int number) {
  const Model& model = w.model();
  const int node = row.endNode;
  if (row.item == nullptr || node == 0) return;
  switch (row.dataType) {
    case DataType::Anchor:
      w.Support(node, "ANCH");
      w.NamedItemCode("ANCHOR");
      return;
    case DataType::BranchSif: {
      const auto [header, branch] = BranchDiameters(model, node);
      if (!(header > 0.0001) || !(branch > 0.0001)) {
        w.LeftOut(number, "the branch SIF has no pipes of a diameter at its node; no tee was written");
        return;
      }
      const std::string sizes = w.Bore(header) + "x" + w.Bore(branch);
      const int type = static_cast<const BranchSif&>(*row.item).type;
      if (type == 1) {
        w.Line("TEE");
        w.EndPoint(node, header);
        w.EndPoint(node, header);
        w.CentrePoint(node);
        w.BranchPoint(node, branch);
        w.Skey("TEBW");
        w.NamedItemCode("TEE BW-" + sizes);
      } else if (type == 2 || type == 3) {
        w.Line("TEE-SET-ON");
        w.BranchPoint(node, branch);
        w.CentrePoint(node);
        w.Skey("TESO");
        w.NamedItemCode("TEE SET ON-" + sizes);
      } else {
        w.Line("TEE-STUB");
        w.BranchPoint(node, branch);
        w.CentrePoint(node);
        w.Skey("TSSO");
        w.NamedItemCode("TEE STUB-" + sizes);
      }
      return;
    }
    case DataType::Flange: {
      std::string section = row.section;
      for (int r = number + 1; section.empty() && r <= model.rowCount; ++r) section = model.row(r).section;
      if (section.empty()) {
        w.LeftOut(number, "the flange has no pipe section on its row or after it; it was not written");
        return;
      }
      const auto& flange = static_cast<const Flange&>(*row.item);
      const double od = w.SectionOd(section);
      w.Line("FLANGE");
      w.EndPoint(node, od);
      w.EndPoint(node, od);
      w.Skey("FL**");
      w.NamedItemCode(FlangeTypeName(flange.type));
      if (flange.weight != 0.0f) w.Line("    WEIGHT " + w.Num(flange.weight, FormatWeight) + " ");
      return;
    }
    case DataType::Guide: {
      const auto& g = static_cast<const Guide&>(*row.item);
      w.Support(node, "GUI");
      w.NamedItemCode("GUIDE");
      if (const std::string friction = w.Friction(number, g.frictionCoefficient, 1); !friction.empty())
        w.Attribute(1, friction);
      w.Attribute(2, w.Num(g.stiffness, FormatStiffnessOrRigid));
      w.Attribute(3, w.Num(g.gap, FormatDisplacementOrNone));
      return;
    }
    case DataType::Hanger: {
      const auto& h = static_cast<const Hanger&>(*row.item);
      const std::string count = IntegerToText(h.numberOfHangers);
      if (h.kind == kUserHanger) {
        w.Support(node, "HANG");
        w.NamedItemCode("USER-HANGER");
        w.Attribute(1, w.Num(h.springRate, FormatStiffnessOrRigid));
        w.Attribute(2, count);
        w.Attribute(3, w.Num(h.load, FormatForceTrim));
        w.Attribute(4, h.loadType == 1 ? "COLD" : "HOT");
      } else if (h.kind == kRodHanger) {
        w.Support(node, "ROD");
        w.NamedItemCode("ROD-HANGER");
        w.Attribute(1, count);
      } else if (h.kind == kConstantSupport) {
        w.Support(node, "CS");
        w.NamedItemCode("CONSTANT-HANGER");
        w.Attribute(1, count);
      } else {
        const std::string code = std::string(HangerCatalogueName(h.kind)) + "-" + count;
        w.Support(node, "SPRG");
        w.NamedItemCode(code);
        w.Attribute(1, code);
        w.Attribute(2, count);
      }
      return;
    }
    case DataType::LimitStop: {
      const auto& s = static_cast<const LimitStop&>(*row.item);
      const auto d = PlantUnitDirection(model, s.dirX, s.dirY, s.dirZ);
      const std::string key = d[0] == 1.0 ? "LSX" : d[1] == 1.0 ? "LSY" : d[2] == 1.0 ? "LSZ" : "LIM";
      w.Support(node, key);
      w.NamedItemCode("LS-" + DirectionCode(w, d));
      w.Attribute(1, w.Num(s.upperLimit, FormatDisplacementOrNone));
      w.Attribute(2, w.Num(s.lowerLimit, FormatDisplacementOrNone));
      w.Attribute(3, w.Num(s.stiffness, FormatStiffnessOrRigid));
      if (const std::string friction = w.Friction(number, s.frictionCoefficient, 2); !friction.empty())
        w.Attribute(4, friction);
      return;
    }
    case DataType::Nozzle:
      w.Line("NOZZLE");
      w.Coords(node);
      return;
    case DataType::Restraint: {
      const auto& r = static_cast<const Restraint&>(*row.item);
      const auto d = PlantDirection(model, r.restrainX, r.restrainY, r.restrainZ);
      std::string key = " ";
      if (d[0] != 0.0) key += "X";
      if (d[1] != 0.0) key += "Y";
      if (d[2] != 0.0) key += "Z";
      w.Support(node, key);
      w.NamedItemCode(key);
      return;
    }
    case DataType::SkewedRestraint: {
      const auto& r = static_cast<const SkewedRestraint&>(*row.item);
      const std::string prefix = r.rotational != 0 ? "R" : "T";
      const auto d = PlantUnitDirection(model, r.dirX, r.dirY, r.dirZ);
      const std::string key = d[0] == 1.0   ? prefix + "X"
                              : d[1] == 1.0 ? prefix + "Y"
                              : d[2] == 1.0 ? prefix + "Z"
                                            : std::string("SKEW");
      w.Support(node, key);
      w.NamedItemCode(key + DirectionCode(w, d));
      w.Attribute(1, w.Num(r.stiffness, r.rotational != 0 ? FormatRotStiffnessOrRigid : FormatStiffnessOrRigid));
      return;
    }
    case DataType::Snubber: {
      const auto& s = static_cast<const Snubber&>(*row.item);
      const auto d = PlantUnitDirection(model, s.dirX, s.dirY, s.dirZ);
      const std::string key = d[0] == 1.0 ? "XSNB" : d[1] == 1.0 ? "YSNB" : d[2] == 1.0 ? "ZSNB" : "SNUB";
      w.Support(node, key);
      w.NamedItemCode(key + "-" + DirectionCode(w, d));
      w.Attribute(1, w.Num(s.stiffness, FormatStiffnessOrRigid));
      return;
    }
    case DataType::GenericSupport:
      w.Support(node, "GNSP");
      w.NamedItemCode("GENERIC-SUPP");
      return;
    default: return;
  }
}

void WriteComponents(PcfWriter& w) {
  const Model& model = w.model();
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    switch (row.elementType) {
      case ElementType::None:
      case ElementType::Comment:
      case ElementType::HydrotestLoad: continue;
      default: break;
    }
    if (!row.section.empty() && w.Section(row.section) == nullptr && row.elementType != ElementType::Beam)
      w.LeftOut(number, "the pipe section " + row.section + " is not in the model; its bores are written as 0");
    const bool written = WriteComponent(w, row, number);
    if (written) WriteItem(w, row, number);
    if (w.TakeInvalid()) w.LeftOut(number, "a value that is not a number was written as 0");
  }
}

void WriteMaterials(PcfWriter& w) {
  w.Line("MATERIALS");
  for (const ItemCode& item : w.items()) {
    w.Line("ITEM-CODE " + item.code);
    w.Line("    TYPE " + item.type);
    w.Line("    MATERIAL " + item.material);
    w.Line("    GRADE " + item.grade);
  }
}

}  // namespace

PcfUnits ChoosePcfUnits() { return ChosenUnit(kUnitLength) >= kLengthMetre ? PcfUnits::Metric : PcfUnits::Imperial; }

double PcfNominalBore(double outsideDiameter, PcfUnits units) {
  for (const PipeSize& size : PipeSizes())
    if (std::fabs(size.od - outsideDiameter) <= kBoreTolerance)
      return units == PcfUnits::Imperial ? size.nps : size.dn / kMillimetresPerInch;
  return outsideDiameter;
}

std::string WritePcfText(const Model& model, PcfUnits units, std::vector<std::string>& leftOut) {
  // The metric set is the batch file's SI set; the imperial one has inch
  // lengths. Angles are degrees in both.
  const ExportUnitsScope scope(units == PcfUnits::Imperial ? BatchExportUnits::Inch : BatchExportUnits::Si);
  PcfWriter w(model, units, leftOut);
  WriteHeader(w);
  WriteComponents(w);
  WriteMaterials(w);
  return w.text;
}

std::string WritePcfFile(const Model& model, const std::string& path, std::vector<std::string>& leftOut) {
  return WriteExportFile(path, WritePcfText(model, ChoosePcfUnits(), leftOut));
}

void ExportPcfFile(HWND parent) {
  if (!ModelMayBeExported(parent)) return;
  ExportFileQuestion question;
  question.title = "Export Model to PCF File";
  question.filter = "PCF file (*.pcf)\0*.pcf\0";
  question.extension = "pcf";
  const std::string path = ChooseExportFile(parent, question);
  if (path.empty()) return;
  std::vector<std::string> leftOut;
  const std::string failure = WritePcfFile(TheModel(), path, leftOut);
  ShowExportOutcome(parent, failure, leftOut);
}
