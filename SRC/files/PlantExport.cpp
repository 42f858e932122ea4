// The plant-design writer and its command (see PlantExport.h).
#include "files/PlantExport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "elements/Bend.h"
#include "elements/ConcentratedMass.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/Reducer.h"
#include "elements/Valve.h"
#include "files/ExportFiles.h"
#include "model/Model.h"
#include "platform/CommonDialog.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "services/FileDialogs.h"

namespace {

using Point = std::array<float, 3>;

constexpr float kMillimetresPerInch = 25.4f;
constexpr double kPi = 3.141592653589793;
constexpr float kDefaultOd = 152.4f;   // mm, six inches
constexpr float kSmallest = 0.5f;      // mm; shorter shapes are not written

Point Add(const Point& a, const Point& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Point Scale(const Point& a, float t) { return {a[0] * t, a[1] * t, a[2] * t}; }
Point Along(const Point& p, const Point& d, float t) { return Add(p, Scale(d, t)); }
Point Mid(const Point& a, const Point& b) { return Scale(Add(a, b), 0.5f); }
float Distance(const Point& a, const Point& b) {
  const float dx = b[0] - a[0], dy = b[1] - a[1], dz = b[2] - a[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}
Point Unit(const Point& a, const Point& b) {
  const float d = Distance(a, b);
  return d > 0.0f ? Point{(b[0] - a[0]) / d, (b[1] - a[1]) / d, (b[2] - a[2]) / d} : Point{0, 0, 0};
}
Point Cross(const Point& a, const Point& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

class PlantWriter {
 public:
  PlantWriter(const Model& model, PlantFormat format, std::vector<std::string>& leftOut)
      : model_(model), format_(format), leftOut_(leftOut) {}

  std::string text;

  const Model& model() const { return model_; }
  bool Pdms() const { return format_ == PlantFormat::Pdms; }
  void LeftOut(int row, const std::string& what) { leftOut_.push_back("Row " + std::to_string(row) + ": " + what); }

  Point Plant(float x, float y, float z) const {
    if (model_.options.ZVertical != 0) return {x * kMillimetresPerInch, y * kMillimetresPerInch, z * kMillimetresPerInch};
    return {x * kMillimetresPerInch, -z * kMillimetresPerInch, y * kMillimetresPerInch};
  }
  // A node index outside the table (a model that could not be made) is the
  // origin; the command refuses such a model before writing.
  Point Node(int index) const {
    if (index < 1 || index > model_.nodes.count) return {0.0f, 0.0f, 0.0f};
    const NodeRecord& n = model_.nodes[index];
    return Plant(n.x, n.y, n.z);
  }
  float SectionOd(const std::string& name) const {
    const int index = FindSectionByName(model_.sections, name);
    return index == 0 ? 0.0f : model_.sections[index].outsideDiameter * kMillimetresPerInch;
  }
  // A neighbouring row's diameter: a jacketed row's is its jacket's.
  float RowOd(const LayoutRow& row) const {
    if (const auto* pipe = dynamic_cast<const JacketedPipe*>(row.element.get())) return SectionOd(pipe->jacketSection);
    if (const auto* bend = dynamic_cast<const JacketedBend*>(row.element.get())) return SectionOd(bend->jacketSection);
    return SectionOd(row.section);
  }

  void Line(const std::string& line) { text += line + "\n"; }
  void Number(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, std::isfinite(value) ? value : 0.0);
    text += buffer;
  }
  void Block(const char* kind, const char* name, const Point& p) {
    Line(std::string("!") + name + " = Object " + kind + "()");
    Line(std::string("!") + name + ".origin = world");
    const char* axes[3] = {"East", "North", "Up"};
    for (int i = 0; i < 3; ++i) {
      text += std::string("!") + name + "." + axes[i] + " = ";
      Number("%f", p[static_cast<std::size_t>(i)]);
      text += "\n";
    }
  }
  void Value(const char* keyword, double value) {
    text += keyword;
    Number(" %f", value);
    text += "\n";
  }
  void Values(const Point& p) {
    for (float v : p) Number("%f ", v);
  }

  // A cylinder by its centre, diameter, height and axis.
  void Cylinder(const Point& centre, float diameter, float height, const Point& axis) {
    if (!(height > kSmallest)) return;
    if (Pdms()) {
      Line("New Cyli");
      Block("Position", "P0", centre);
      Block("Direction", "zdir", axis);
      Line("pos $!p0");
      Value("dia", diameter);
      Value("hei", height);
      Line("ori z is $!zdir");
      return;
    }
    text += "I ;; \n 1 \n cyl ";
    Number("%f ", diameter / 2);
    Number("%f ", height);
    Values(Along(centre, axis, -height / 2));
    Values(axis);
    text += "\n # \n";
  }
  void Cone(const Point& centre, float bottom, float top, float height, const Point& axis) {
    if (!(height > kSmallest)) return;
    if (Pdms()) {
      Line("New Cone");
      Block("Position", "P0", centre);
      Block("Direction", "zdir", axis);
      Line("pos $!p0");
      Value("dtop", top);
      Value("dbottom", bottom);
      Value("hei", height);
      Line("ori z is $!zdir");
      return;
    }
    text += "I ;; \n 1 \n cone ";
    Number("%f ", bottom / 2);
    Number("%f ", top / 2);
    Number("%f \n", height);
    Values(Along(centre, axis, -height / 2));
    Values(axis);
    text += "\n # \n";
  }
  // A box in PDMS; a cylinder of the box's cross-section in CADMATIC.
  void Box(const Point& centre, float length, float width, const Point& axis) {
    if (!Pdms()) {
      Cylinder(centre, width, length, axis);
      return;
    }
    if (!(length > kSmallest && width > kSmallest)) return;
    Line("New Box");
    Block("Position", "P0", centre);
    Block("Direction", "xdir", axis);
    Line("pos $!p0");
    Value("Xlength", length);
    Value("Ylength", width);
    Value("Zlength", width);
    Line("ori x is $!xdir");
  }
  void Sphere(const Point& centre, float diameter) {
    if (Pdms()) {
      for (const char* way : {"U", "D"}) {
        Line("New DISH");
        Block("Position", "P0", centre);
        Line("pos $!p0");
        Value("dia", diameter);
        Value("hei", diameter / 2);
        Line(std::string("ori Y is N and Z is ") + way);
      }
      return;
    }
    text += "I ;; \n 1 \n sph ";
    Number("%f ", diameter / 2);
    Values(centre);
    text += "\n # \n";
  }
  // A bend's torus: arc centre C0, near tangent point A, far tangent point
  // B, the tangents' intersection K.
  void Torus(const Point& c0, const Point& a, const Point& b, const Point& k, float radius, float od,
             double degrees) {
    if (Pdms()) {
      Line("New CTorus");
      Block("Position", "P0", c0);
      Line("pos $!P0");
      Block("Direction", "xdir", Unit(c0, b));
      Block("Direction", "ydir", Unit(c0, a));
      Value("Routside", radius + od / 2);
      Value("Rinside", radius - od / 2);
      Value("angle", degrees);
      Line("ori x is $!xdir and y is $!ydir");
      return;
    }
    const Point x = Unit(a, k);
    const Point n = Cross(x, Unit(k, b));
    const Point y = Cross(n, x);
    text += "I ;; \n 1 \n tor ";
    Number("%f ", radius);
    Number("%f ", od / 2);
    Number("%f ", degrees * kPi / 180.0);
    Values(a);
    Values(x);
    Values(y);
    text += "\n # \n";
  }

 private:
  const Model& model_;
  PlantFormat format_;
  std::vector<std::string>& leftOut_;
};

// What a row's shape writers work from.
struct RowGeometry {
  const LayoutRow& row;
  int number;
  Point p1{}, p2{};
  float length = 0.0f;
  Point axis{}, centre{};
  float od = 0.0f;  // of the row's own section
};

// The diameter of the nearest row with one before `number` (after it when
// the walk meets a From row or row 1), or after it.
int NeighbourRowAfter(const PlantWriter& w, int number) {
  const Model& model = w.model();
  for (int r = number + 1; r <= model.rowCount; ++r) {
    const LayoutRow& row = model.row(r);
    if ((row.dx != 0.0f || row.dy != 0.0f || row.dz != 0.0f) && w.RowOd(row) > 0.0f) return r;
  }
  return model.rowCount;
}
int NeighbourRowBefore(const PlantWriter& w, int number) {
  const Model& model = w.model();
  for (int r = number - 1; r >= 1; --r) {
    const LayoutRow& row = model.row(r);
    if (row.elementType == ElementType::From) break;
    if ((row.dx != 0.0f || row.dy != 0.0f || row.dz != 0.0f) && w.RowOd(row) > 0.0f) return r;
  }
  return NeighbourRowAfter(w, number);
}
float NeighbourOd(const PlantWriter& w, int number) {
  const int r = NeighbourRowBefore(w, number);
  const float od = r >= 1 && r <= w.model().rowCount ? w.RowOd(w.model().row(r)) : 0.0f;
  return od > 0.0f ? od : kDefaultOd;
}

float OwnOd(const RowGeometry& g) { return g.od > 0.0f ? g.od : kDefaultOd; }

void PipeShape(PlantWriter& w, const RowGeometry& g) {
  if (g.length > kSmallest) w.Cylinder(g.centre, OwnOd(g), g.length, g.axis);
}

void JacketedPipeShape(PlantWriter& w, const RowGeometry& g) {
  PipeShape(w, g);
  const auto& pipe = static_cast<const JacketedPipe&>(*g.row.element);
  if (pipe.jacketStartNode == 0 || pipe.jacketEndNode == 0) return;
  const Point q1 = w.Node(pipe.jacketStartNode), q2 = w.Node(pipe.jacketEndNode);
  const float length = Distance(q1, q2);
  const float od = w.SectionOd(pipe.jacketSection);
  if (length > kSmallest) w.Cylinder(Mid(q1, q2), od > 0.0f ? od : kDefaultOd, length, Unit(q1, q2));
}

void ReducerShape(PlantWriter& w, const RowGeometry& g) {
  const auto& r = static_cast<const Reducer&>(*g.row.element);
  if (g.length > kSmallest)
    w.Cone(g.centre, r.od1 * kMillimetresPerInch, r.od2 * kMillimetresPerInch, g.length, g.axis);
}

void ValveShape(PlantWriter& w, const RowGeometry& g) {
  const auto& valve = static_cast<const Valve&>(*g.row.element);
  const float od = OwnOd(g);
  w.Cylinder(g.centre, od, g.length, g.axis);
  w.Sphere(g.centre, 1.7f * od);
  if (valve.additionalWeight != 0.0f || g.length <= 0.0f) return;
  Point stem{};
  const float horizontal = std::hypot(g.axis[0], g.axis[1]);
  if (horizontal > 0.0f) {
    const Point h = {-g.axis[1] / horizontal, g.axis[0] / horizontal, 0.0f};
    stem = Cross(g.axis, h);
  } else {
    stem = w.model().options.ZVertical != 0 ? Point{0, 1, 0} : Point{1, 0, 0};
  }
  const Point q = Along(g.centre, stem, od + od);
  w.Cylinder(Mid(g.centre, q), 0.3f * od, Distance(g.centre, q), Unit(g.centre, q));
  w.Cylinder(q, 1.15f * od, 0.15f * od, Unit(g.centre, q));
}

void BellowsShape(PlantWriter& w, const RowGeometry& g) {
  if (!(g.length > kSmallest)) return;
  const float od = OwnOd(g);
  if (g.length <= 1.0f) {
    w.Cylinder(g.centre, od, 1.0f, g.axis);
    return;
  }
  const int count = std::max(1, static_cast<int>(g.length / (0.5f * od)));
  const float pitch = g.length / static_cast<float>(count);
  Point at = g.p1;
  for (int i = 0; i < count; ++i) {
    const Point middle = Along(at, g.axis, pitch / 2);
    w.Cone(Along(at, g.axis, pitch / 4), od, 1.2f * od, pitch / 2, g.axis);
    w.Cone(Along(middle, g.axis, pitch / 4), 1.2f * od, od, pitch / 2, g.axis);
    at = Along(at, g.axis, pitch);
  }
}

void SlipJointShape(PlantWriter& w, const RowGeometry& g) {
  if (!(g.length > kSmallest)) return;
  const float od = OwnOd(g);
  if (0.15f * od <= g.length) {
    w.Cylinder(g.centre, od, g.length, g.axis);
    const float collar = 0.3f * od;
    w.Cylinder(Along(g.p1, g.axis, collar / 2), 1.5f * od, collar, g.axis);
    w.Cylinder(Along(g.p2, g.axis, -collar / 2), 1.5f * od, collar, g.axis);
  } else {
    w.Cylinder(g.centre, 1.5f * od, 0.15f * od, g.axis);
  }
}

void RigidShape(PlantWriter& w, const RowGeometry& g, float od) {
  if (g.length > kSmallest) w.Box(g.centre, g.length, 0.25f * od, g.axis);
}
void RigidOwn(PlantWriter& w, const RowGeometry& g) { RigidShape(w, g, OwnOd(g)); }
void ElasticShape(PlantWriter& w, const RowGeometry& g) { RigidShape(w, g, NeighbourOd(w, g.number)); }
void TieRodShape(PlantWriter& w, const RowGeometry& g) {
  if (g.length > kSmallest) w.Cylinder(g.centre, 0.15f * NeighbourOd(w, g.number), g.length, g.axis);
}

Point StartPoint(const PlantWriter& w, const LayoutRow& row) {
  return row.startNode != 0 ? w.Node(row.startNode) : w.Node(row.endNode);
}

void HingeShape(PlantWriter& w, const RowGeometry& g) {
  const float d = NeighbourOd(w, g.number);
  const Point start = StartPoint(w, g.row);
  w.Sphere(start, 1.5f * d);
  const auto& hinge = static_cast<const HingeJoint&>(*g.row.element);
  const Point axis = w.model().options.ZVertical != 0 ? Point{hinge.axis[0], hinge.axis[1], hinge.axis[2]}
                                                      : Point{hinge.axis[0], -hinge.axis[2], hinge.axis[1]};
  w.Cylinder(start, d * 0.5f * 0.3f, d + d, axis);
}

void BallJointShape(PlantWriter& w, const RowGeometry& g) {
  w.Sphere(StartPoint(w, g.row), 1.5f * NeighbourOd(w, g.number));
}

void BendShape(PlantWriter& w, const RowGeometry& g) {
  const auto& bend = static_cast<const Bend&>(*g.row.element);
  PipeShape(w, g);
  if (bend.BendGeometryValid == 0 || bend.farNode == 0) {
    w.LeftOut(g.number, "the bend's arc is not placed; only its straight part was written");
    return;
  }
  const Point c0 = w.Plant(bend.centre[0], bend.centre[1], bend.centre[2]);
  w.Torus(c0, g.p2, w.Node(bend.farNode), w.Node(g.row.endNode), bend.radius * kMillimetresPerInch, OwnOd(g),
          bend.bendAngle * 180.0 / kPi);
  const auto* jacketed = dynamic_cast<const JacketedBend*>(&bend);
  if (jacketed == nullptr || jacketed->jacketNearNode == 0 || jacketed->jacketFarNode == 0) return;
  const float jacketOd = w.SectionOd(jacketed->jacketSection);
  const float od = jacketOd > 0.0f ? jacketOd : kDefaultOd;
  const Point near = w.Node(jacketed->jacketNearNode);
  if (jacketed->jacketStartNode != 0) {
    const Point start = w.Node(jacketed->jacketStartNode);
    const float lead = Distance(start, near);
    if (lead > kSmallest) w.Cylinder(Mid(start, near), od, lead, Unit(start, near));
  }
  w.Torus(w.Plant(jacketed->jacketCentre[0], jacketed->jacketCentre[1], jacketed->jacketCentre[2]), near,
          w.Node(jacketed->jacketFarNode), w.Node(g.row.endNode), jacketed->jacketRadius * kMillimetresPerInch, od,
          bend.bendAngle * 180.0 / kPi);
}

// The axis points and diameter of a flange or guide: its node row's element
// (a bend's derived node: from the bend's node to its far point), or the
// nearest row with a diameter.
struct ItemAxis {
  Point f1{}, f2{};
  float d = 0.0f;
};

ItemAxis FittingAxis(const PlantWriter& w, const LayoutRow& row, bool guide) {
  const Model& model = w.model();
  ItemAxis a;
  const int nodeRow = model.nodes[row.endNode].row;
  const LayoutRow& own = nodeRow >= 1 && nodeRow <= model.rowCount ? model.row(nodeRow) : row;
  const auto* bend = dynamic_cast<const Bend*>(own.element.get());
  if (row.node > kMaxNodeNumber && bend != nullptr && bend->farNode != 0 && own.endNode != 0) {
    a.f1 = w.Node(own.endNode);
    a.f2 = w.Node(bend->farNode);
  } else if (own.runStart != 0 && own.runEnd != 0) {
    a.f1 = w.Node(own.runStart);
    a.f2 = w.Node(own.runEnd);
  } else {
    a.f1 = a.f2 = w.Node(row.endNode);
  }
  a.d = w.RowOd(own);
  if (a.d <= 0.0f) {
    const int neighbour = own.elementType == ElementType::From ? NeighbourRowAfter(w, nodeRow)
                                                               : NeighbourRowBefore(w, nodeRow);
    if (neighbour >= 1 && neighbour <= model.rowCount) {
      const LayoutRow& other = model.row(neighbour);
      const Point rowNode = other.endNode != 0 ? w.Node(other.endNode) : a.f2;
      const Point start = other.startNode != 0 ? w.Node(other.startNode) : rowNode;
      a.f1 = guide ? start : rowNode;
      a.f2 = guide ? rowNode : start;
      if (Distance(a.f1, a.f2) == 0.0f) a.f1[0] += 1.0f;
      a.d = w.RowOd(other);
    }
    if (a.d <= 0.0f) a.d = kDefaultOd;
  }
  return a;
}

// The fitting's axis; false when it has none.
bool FittingDirection(const PlantWriter& w, const LayoutRow& row, const ItemAxis& a, Point& u) {
  if (Distance(a.f1, a.f2) > 0.0f) {
    u = Unit(a.f1, a.f2);
    return true;
  }
  const Point node = w.Node(row.endNode);
  if (Distance(a.f1, node) == 0.0f) return false;
  u = Unit(a.f1, node);
  return true;
}

void FlangeShape(PlantWriter& w, const LayoutRow& row, int number) {
  const ItemAxis a = FittingAxis(w, row, false);
  Point u{};
  if (!FittingDirection(w, row, a, u)) {
    w.LeftOut(number, "the flange has no direction; it was not written");
    return;
  }
  const float g = 1.75f * a.d;
  const float t = g * 0.14285714285714285f;
  const float disc = t - 0.075f * t;
  w.Cylinder(Along(a.f2, u, -(t + 0.075f * t) / 2), g, disc, u);
  w.Cylinder(Along(a.f2, u, (t + 0.075f * t) / 2), g, disc, u);
}

void GuideShape(PlantWriter& w, const LayoutRow& row, int number) {
  const ItemAxis a = FittingAxis(w, row, true);
  Point u{};
  if (!FittingDirection(w, row, a, u)) {
    w.LeftOut(number, "the guide has no direction; it was not written");
    return;
  }
  const int nodeRow = w.model().nodes[row.endNode].row;
  const bool from = nodeRow >= 1 && w.model().row(nodeRow).elementType == ElementType::From;
  w.Cylinder(from ? a.f1 : a.f2, 0.6f * a.d * 2.5f, 0.6f * a.d * 2.66f, u);
}

void MassShape(PlantWriter& w, const LayoutRow& row, int) {
  const auto& mass = static_cast<const ConcentratedMass&>(*row.item);
  const float d = FittingAxis(w, row, false).d;
  const Point m = w.Node(row.endNode);
  const Point offset = w.Plant(mass.dx, mass.dy, mass.dz);
  const Point q = Add(m, offset);
  if (Distance(m, q) > 0.0f) w.Cylinder(Mid(m, q), 1.75f * d * 0.2f, Distance(m, q), Unit(m, q));
  w.Sphere(q, 1.75f * d);
}

void EndCapShape(PlantWriter& w, const LayoutRow& row, int) {
  const Model& model = w.model();
  const int nodeRow = model.nodes[row.endNode].row;
  if (nodeRow < 1 || nodeRow > model.rowCount) return;
  const LayoutRow& own = model.row(nodeRow);
  Point e1{}, e2{};
  float od = 0.0f;
  if (const auto* pipe = dynamic_cast<const JacketedPipe*>(own.element.get())) {
    if (pipe->jacketStartNode == 0 || pipe->jacketEndNode == 0) return;
    e1 = w.Node(pipe->jacketStartNode);
    e2 = w.Node(pipe->jacketEndNode);
    od = w.SectionOd(pipe->jacketSection);
  } else if (const auto* bend = dynamic_cast<const JacketedBend*>(own.element.get())) {
    if (bend->farNode == 0 || own.endNode == 0) return;
    e1 = w.Node(own.endNode);
    e2 = w.Node(bend->farNode);
    od = w.SectionOd(bend->jacketSection);
  } else {
    return;
  }
  if (od > 0.0f && Distance(e1, e2) > 0.0f) w.Cylinder(e2, od, 0.0765f * od, Unit(e1, e2));
}

using ElementShape = void (*)(PlantWriter&, const RowGeometry&);
struct ElementEntry {
  ElementType type;
  ElementShape shape;
};
constexpr ElementEntry kElementShapes[] = {
    {ElementType::Pipe, PipeShape},           {ElementType::CutPipe, PipeShape},
    {ElementType::Bend, BendShape},           {ElementType::Miter, BendShape},
    {ElementType::JacketedBend, BendShape},   {ElementType::JacketedPipe, JacketedPipeShape},
    {ElementType::Valve, ValveShape},         {ElementType::Reducer, ReducerShape},
    {ElementType::Bellows, BellowsShape},     {ElementType::SlipJoint, SlipJointShape},
    {ElementType::HingeJoint, HingeShape},    {ElementType::BallJoint, BallJointShape},
    {ElementType::Rigid, RigidOwn},           {ElementType::Elastic, ElasticShape},
    {ElementType::TieRod, TieRodShape},
};

using ItemShape = void (*)(PlantWriter&, const LayoutRow&, int);
struct ItemEntry {
  DataType type;
  ItemShape shape;
};
constexpr ItemEntry kItemShapes[] = {
    {DataType::Guide, GuideShape},
    {DataType::JacketEndCap, EndCapShape},
    {DataType::Flange, FlangeShape},
    {DataType::ConcentratedMass, MassShape},
};

void WriteRows(PlantWriter& w) {
  const Model& model = w.model();
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    if (row.elementType != ElementType::None) {
      if (w.Pdms() && row.elementType == ElementType::From) w.Line("NEW SUBS");
      const auto entry = std::find_if(std::begin(kElementShapes), std::end(kElementShapes),
                                      [&](const ElementEntry& e) { return e.type == row.elementType; });
      if (entry != std::end(kElementShapes)) {
        const auto valid = [&model](int index) { return index >= 0 && index <= model.nodes.count; };
        const auto* bend = dynamic_cast<const Bend*>(row.element.get());
        if (row.element == nullptr || row.endNode == 0 || (row.runStart == 0 && row.startNode == 0) ||
            !valid(row.runStart) || !valid(row.runEnd) || !valid(row.startNode) || !valid(row.endNode) ||
            (bend != nullptr && !valid(bend->farNode))) {
          w.LeftOut(number, "the element has no nodes to place it; it was not written");
        } else {
          RowGeometry g{row, number};
          g.p1 = w.Node(row.runStart != 0 ? row.runStart : row.startNode);
          g.p2 = w.Node(row.runEnd != 0 ? row.runEnd : row.endNode);
          g.length = Distance(g.p1, g.p2);
          g.axis = Unit(g.p1, g.p2);
          g.centre = Mid(g.p1, g.p2);
          g.od = w.SectionOd(row.section);
          entry->shape(w, g);
        }
      }
    }
    if (row.dataType != DataType::None && row.item != nullptr && row.endNode != 0 &&
        row.endNode <= model.nodes.count) {
      const auto entry = std::find_if(std::begin(kItemShapes), std::end(kItemShapes),
                                      [&](const ItemEntry& e) { return e.type == row.dataType; });
      if (entry != std::end(kItemShapes)) entry->shape(w, row, number);
    }
  }
}

// The dialog's file types, in order, and their extensions.
constexpr const char* kExtensions[] = {"mac", "3dd"};

UINT_PTR PlantDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* notify = reinterpret_cast<const OFNOTIFY*>(lParam);
    HWND dialog = GetParent(hook);
    if (notify->hdr.code == CDN_TYPECHANGE && notify->lpOFN != nullptr) {
      std::string text = FileDialogSpec(dialog);
      if (!text.empty()) {
        const std::size_t dot = text.find_last_of('.');
        if (dot != std::string::npos) text.resize(dot);
        const DWORD type = notify->lpOFN->nFilterIndex;
        text += std::string(".") + kExtensions[type == 2 ? 1 : 0];
        SendMessage(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(text.c_str()));
      }
    }
  }
  return ExportDialogHook(hook, message, wParam, lParam);
}

bool ChoosePlantExportFile(HWND parent, std::string& path, PlantFormat& format) {
  ExportFileQuestion question;
  question.title = "Export Model to 3D Plant Design";
  question.filter = "PDMS Geometry macro file (*.mac)\0*.mac\0CADMATIC 3D Dump file (*.3dd)\0*.3dd\0";
  question.extension = kExtensions[0];
  question.hook = PlantDialogHook;
  DWORD type = 1;
  path = ChooseExportFile(parent, question, &type);
  if (path.empty()) return false;
  format = type == 2 ? PlantFormat::Cadmatic : PlantFormat::Pdms;
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    path += std::string(".") + kExtensions[format == PlantFormat::Cadmatic ? 1 : 0];
  return true;
}

}  // namespace

std::string WritePlantText(const Model& model, PlantFormat format, std::vector<std::string>& leftOut) {
  PlantWriter w(model, format, leftOut);
  if (w.Pdms()) {
    w.Line("onerror golabel /end");
    w.Line("NEW STRU");
  }
  WriteRows(w);
  if (w.Pdms()) {
    w.Line("label /end");
    w.Line("handle(41,8)");
    w.Line("!!alert.message('Navigate to Zone and import')");
    w.Line("endhandle");
  }
  return w.text;
}

std::string WritePlantFile(const Model& model, const std::string& path, PlantFormat format,
                           std::vector<std::string>& leftOut) {
  return WriteExportFile(path, WritePlantText(model, format, leftOut));
}

void ExportPlantDesign(HWND parent) {
  if (!ModelMayBeExported(parent)) return;
  std::string path;
  PlantFormat format = PlantFormat::Pdms;
  if (!ChoosePlantExportFile(parent, path, format)) return;
  std::vector<std::string> leftOut;
  const std::string failure = WritePlantFile(TheModel(), path, format, leftOut);
  ShowExportOutcome(parent, failure, leftOut);
}
