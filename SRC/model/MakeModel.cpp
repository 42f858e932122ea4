// Making the model: see the header. The arc geometry of bends follows the
// book construction: with the deflection angle theta between the two legs
// and the bend radius R, the tangent length is T = R tan(theta / 2); the arc
// ends lie T from the tangent intersection along each leg, and the centre
// lies R / cos(theta / 2) from the intersection along the bisector.
#include "model/MakeModel.h"

#include "services/ViewRequests.h"

#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/ModelLoadCases.h"
#include "model/Regenerate.h"
#include "model/RowDrawing.h"
#include "model/RowObjects.h"
#include "model/RowOperations.h"
#include "model/RowRules.h"
#include "records/LoadCaseList.h"
#include "records/PipeDimensions.h"
#include "services/General.h"

namespace {

struct Point3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

Point3 operator+(Point3 a, Point3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point3 operator-(Point3 a, Point3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point3 operator*(float s, Point3 a) { return {s * a.x, s * a.y, s * a.z}; }
float Length(Point3 a) { return Length3(a.x, a.y, a.z); }

// While MakeModel runs, the first index of every id is kept in a map, so
// that finding a node is not a search of the whole table for every row; the
// first-match rule of FindNodeIndex holds because an id enters the map only
// once. Outside MakeModel (or for another table) the search is linear.
struct NodeLookup {
  const NodeTable* table = nullptr;
  std::unordered_map<NodeId, int> first;
};
thread_local NodeLookup* t_lookup = nullptr;

class NodeLookupScope {
 public:
  explicit NodeLookupScope(const NodeTable& table) : previous_(t_lookup) {
    lookup_.table = &table;
    t_lookup = &lookup_;
  }
  ~NodeLookupScope() { t_lookup = previous_; }
  NodeLookupScope(const NodeLookupScope&) = delete;
  NodeLookupScope& operator=(const NodeLookupScope&) = delete;

 private:
  NodeLookup lookup_;
  NodeLookup* previous_;
};

int FindNode(const Model& model, NodeId id) {
  if (id == 0) return 0;
  if (t_lookup == nullptr || t_lookup->table != &model.nodes) return FindNodeIndex(model.nodes, id);
  const auto found = t_lookup->first.find(id);
  return found == t_lookup->first.end() ? 0 : found->second;
}

// The node at an index, or null for 0 and for an index past the table (a
// stale index is never followed).
NodeRecord* NodeAt(Model& model, int index) {
  if (index < 1 || index > model.nodes.count) return nullptr;
  return &model.nodes[index];
}

Point3 PositionOf(const NodeRecord& node) { return {node.x, node.y, node.z}; }

void MoveNode(NodeRecord& node, Point3 at) {
  node.x = at.x;
  node.y = at.y;
  node.z = at.z;
}

int AddNode(Model& model, NodeId id, Point3 at, int row) {
  NodeRecord node;
  node.id = id;
  node.nodeKind = kOrdinaryNode;
  MoveNode(node, at);
  node.row = row;
  const int index = AppendNode(model.nodes, node);
  if (index == 0) throw NodeLimitMessage();
  if (t_lookup != nullptr && t_lookup->table == &model.nodes) t_lookup->first.emplace(id, index);
  return index;
}

int FindOrAddNode(Model& model, NodeId id, Point3 at, int row) {
  const int found = FindNode(model, id);
  return found != 0 ? found : AddNode(model, id, at, row);
}

// Step 1 and 2 of a row: rows that make no node.
void ClearCommentRow(Model& model, int number) {
  ClearDataType(model, number);
  LayoutRow& row = model.row(number);
  row.absolute = false;
  row.material.clear();
  row.section.clear();
  row.load.clear();
  row.node = 0;
  row.dx = row.dy = row.dz = 0.0f;
  // No index of a row without a node may outlive the node table it named.
  row.startNode = row.endNode = row.runStart = row.runEnd = 0;
}

void ClearRowWithoutNode(LayoutRow& row) {
  row.elementType = ElementType::None;  // the object stays until the next kind change
  row.dx = row.dy = row.dz = 0.0f;
  row.startNode = row.endNode = row.runStart = row.runEnd = 0;
}

void InheritRowProperties(Model& model, int number) {
  LayoutRow& row = model.row(number);
  if (row.elementType == ElementType::Beam) {
    // Beam rows name beam tables, so they inherit from Beam rows only.
    if (row.material.empty()) InheritBeamMaterial(model, number);
    if (row.section.empty()) InheritBeamSection(model, number);
    if (row.load.empty()) InheritBeamLoad(model, number);
    return;
  }
  if (row.material.empty()) InheritRowMaterial(model, number);
  if (row.section.empty()) InheritRowSection(model, number);
  if (row.load.empty()) InheritRowLoad(model, number);
}

// The jacket node beside the start node S of a jacketed element.
NodeId JacketCompanion(NodeId start) {
  const NodeId number = start % 100000;
  switch (start / 100000) {
    case 0: return number + kJacketNodeOffset;
    case 1: return number + kJacketNearOffset;
    case 2: return number + kJacketFarOffset;
    default: return number;
  }
}

void SetJacketStart(LayoutRow& row, int index) {
  if (JacketRecord* jacket = row.element != nullptr ? row.element->AsJacket() : nullptr) jacket->jacketStartNode = index;
}

bool IsJacketed(ElementType type) {
  return type == ElementType::JacketedPipe || type == ElementType::JacketedBend;
}

// Steps 11 to 13: the arc nodes of a bend row, all at the tangent
// intersection E until BendNodesGeometry places them.
void AddBendNodes(Model& model, int number, Point3 end) {
  LayoutRow& row = model.row(number);
  const bool jacketed = row.elementType == ElementType::JacketedBend;
  AddNode(model, row.node + kArcNearOffset, end, number);
  if (jacketed) AddNode(model, row.node + kJacketNearOffset, end, number);
  if (row.endNode == 0) {
    row.endNode = row.runEnd = AddNode(model, row.node, end, number);
    // The row's own node is where the tangents meet: not on the pipe.
    model.nodes[row.endNode].nodeKind = kBendNode;
  }
  BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
  if (bend) bend->BendGeometryValid = bend->arcLostInCoordinates = 0;
  AddNode(model, row.node + kArcFarOffset, end, number);
  if (jacketed) AddNode(model, row.node + kJacketFarOffset, end, number);
  if (!bend || row.elementType == ElementType::Miter) return;
  for (NodeId id : {bend->intermediateNode1, bend->intermediateNode2}) {
    if (id == 0) continue;
    const int index = AddNode(model, id, end, number);
    model.nodes[index].nodeKind = kBendIntermediateNode;
  }
}

// Step 4 of the arc construction: the tangent length, or false when the
// bend does not fit its legs. `clampRatio` is 1.0 for the pipe's arc and
// 0.995 for a jacket's.
bool TangentLength(float radius, float theta, float leg1, float leg2, float clampRatio,
                   float& tangent) {
  tangent = radius * std::tan(theta / 2.0f);
  if (!(tangent / leg1 < 1.02f && tangent / leg2 <= 1.02f)) return false;
  if (tangent / leg1 > clampRatio) tangent = leg1;
  if (tangent / leg2 > clampRatio) tangent = leg2;
  return true;
}

// The radius a bend uses: a Long or Short bend, or one whose radius is below
// 0.01, takes the standard radius of its section (written back); 0 when the
// section is not found.
float BendRadius(const Model& model, std::uint8_t radiusType, float& radius,
                 const std::string& sectionName) {
  if (radiusType == kBendRadiusLong || radiusType == kBendRadiusShort || radius < 0.01f) {
    const int section = FindSectionByName(model.sections, sectionName);
    if (section == 0) return 0.0f;
    radius = StandardBendRadius(model.sections[section], radiusType == kBendRadiusShort);
  }
  return radius;
}

struct Arc {
  Point3 near;    // A
  Point3 far;     // B
  Point3 centre;  // C
  float tangent = 0.0f;
  float radius = 0.0f;
};

Arc ArcThrough(Point3 p1, Point3 d1, Point3 d2, float leg1, float leg2, float radius,
               float tangent, float theta) {
  Arc arc;
  arc.near = p1 - (tangent / leg1) * d1;
  arc.far = p1 + (tangent / leg2) * d2;
  const Point3 m = 0.5f * (arc.near + arc.far) - p1;
  arc.centre = p1 + (radius / std::cos(theta / 2.0f) / Length(m)) * m;
  arc.tangent = tangent;
  arc.radius = radius;
  return arc;
}

void StoreCentre(float centre[3], Point3 c) {
  centre[0] = c.x;
  centre[1] = c.y;
  centre[2] = c.z;
}

// Step 7: the jacket's own arc; false when it cannot be placed.
bool PlaceJacketArc(Model& model, const JacketRecord& jacket, JacketedBendRecord& bend, NodeId id, Point3 p1,
                    Point3 d1, Point3 d2, float leg1, float leg2, float theta, Arc& jacketArc) {
  const float radius = BendRadius(model, bend.jacketRadiusType, bend.jacketRadius, jacket.jacketSection);
  if (radius < 0.01f) return false;
  float tangent = 0.0f;
  if (!TangentLength(radius, theta, leg1, leg2, 0.995f, tangent)) return false;
  jacketArc = ArcThrough(p1, d1, d2, leg1, leg2, radius, tangent, theta);
  StoreCentre(bend.jacketCentre, jacketArc.centre);
  const int near = FindNode(model, id + kJacketNearOffset);
  const int far = FindNode(model, id + kJacketFarOffset);
  if (near == 0 || far == 0) return false;
  MoveNode(model.nodes[near], jacketArc.near);
  MoveNode(model.nodes[far], jacketArc.far);
  bend.jacketNearNode = near;
  bend.jacketFarNode = far;
  return true;
}

// Whether the arc elements the analysis makes of the placed bend (its arc
// from the near to the far end through the nodes named on it; a jacketed
// bend's core arc whole and its jacket's arc through those nodes) each turn
// through an angle, as the analysis computes it from the nodes.
bool ArcElementsTurn(const Model& model, const BendRecord& bend, const ElementData& element, int near, bool miter) {
  std::vector<int> named;
  if (!miter)
    for (NodeId id : {bend.intermediateNode1, bend.intermediateNode2})
      if (id != 0) named.push_back(FindNode(model, id));
  const auto turns = [&](int from, const std::vector<int>& through, int to, const float centre[3], float radius) {
    for (int index : through) {
      if (!(BendArcAngle(model.nodes, from, index, centre, radius) > 0.0f)) return false;
      from = index;
    }
    return BendArcAngle(model.nodes, from, to, centre, radius) > 0.0f;
  };
  const JacketedBendRecord* jacketed = element.AsJacketedBend();
  if (jacketed == nullptr) return turns(near, named, bend.farNode, bend.centre, bend.radius);
  return turns(near, {}, bend.farNode, bend.centre, bend.radius) &&
         turns(jacketed->jacketNearNode, named, jacketed->jacketFarNode, jacketed->jacketCentre, jacketed->jacketRadius);
}

// Step 8: nodes named on the arc, at angle a from its near end:
// A + R sin(a) u + R (1 - cos(a)) v.
bool PlaceIntermediateNodes(Model& model, const BendRecord& bend, float theta, Point3 p1, const Arc& arc) {
  if (bend.intermediateNode1 == 0 && bend.intermediateNode2 == 0) return true;
  if (theta < bend.angle1 || theta < bend.angle2) return false;
  const Point3 u = (1.0f / arc.tangent) * (p1 - arc.near);
  const Point3 v = (1.0f / arc.radius) * (arc.centre - arc.near);
  const std::pair<NodeId, float> named[] = {{bend.intermediateNode1, bend.angle1},
                                            {bend.intermediateNode2, bend.angle2}};
  for (const auto& [id, angle] : named) {
    if (id == 0) continue;
    const int index = FindNode(model, id);
    if (index == 0) return false;
    MoveNode(model.nodes[index], arc.near + (arc.radius * std::sin(angle)) * u +
                                     (arc.radius * (1.0f - std::cos(angle))) * v);
  }
  return true;
}

using NameField = std::string LayoutRow::*;

// Copies the name of the nearest earlier row (down to row 2) that `source`
// accepts and that has one.
template <typename Accept>
void InheritName(Model& model, int number, NameField field, Accept source) {
  LayoutRow& row = model.row(number);
  if (!ElementTypeHasProperties(row.elementType)) {
    (row.*field).clear();
    return;
  }
  for (int earlier = number - 1; earlier >= 2; --earlier) {
    const LayoutRow& candidate = model.row(earlier);
    if (source(candidate.elementType) && !(candidate.*field).empty()) {
      row.*field = candidate.*field;
      return;
    }
  }
}

bool IsPipeSource(ElementType type) {
  return ElementTypeHasProperties(type) && type != ElementType::Beam;
}
bool IsBeamSource(ElementType type) { return type == ElementType::Beam; }

}  // namespace

bool ElementTypeHasProperties(ElementType type) {
  const int code = static_cast<int>(type);
  return (code >= 3 && code <= 11) || code == 14 || code == 16 || code == 17;
}

void InheritRowMaterial(Model& model, int row) { InheritName(model, row, &LayoutRow::material, IsPipeSource); }
void InheritRowSection(Model& model, int row) { InheritName(model, row, &LayoutRow::section, IsPipeSource); }
void InheritRowLoad(Model& model, int row) { InheritName(model, row, &LayoutRow::load, IsPipeSource); }
void InheritBeamMaterial(Model& model, int row) { InheritName(model, row, &LayoutRow::material, IsBeamSource); }
void InheritBeamSection(Model& model, int row) { InheritName(model, row, &LayoutRow::section, IsBeamSource); }
void InheritBeamLoad(Model& model, int row) { InheritName(model, row, &LayoutRow::load, IsBeamSource); }

void BendNodesGeometry(Model& model, ElementData& element, int bendRow) {
  BendRecord& bend = *element.AsBend();
  LayoutRow& row = model.row(bendRow);
  const NodeRecord* start = NodeAt(model, row.runStart);
  const NodeRecord* corner = NodeAt(model, row.endNode);
  const int next = NextElementRow(model, bendRow);
  const NodeRecord* after = next != 0 ? NodeAt(model, model.row(next).endNode) : nullptr;
  if (!start || !corner || !after) return;
  const Point3 p0 = PositionOf(*start), p1 = PositionOf(*corner), p2 = PositionOf(*after);
  const Point3 d1 = p1 - p0, d2 = p2 - p1;
  const float leg1 = Length(d1), leg2 = Length(d2);
  const float a[3] = {d1.x, d1.y, d1.z}, b[3] = {d2.x, d2.y, d2.z};
  const float theta = AngleBetween3(a, b);
  bend.bendAngle = theta;
  bend.arcLostInCoordinates = 0;
  // Written to refuse a NaN angle (coincident or damaged nodes) as well.
  if (!(theta >= 0.001f && theta <= 0.9f * 3.14159265f)) return;
  const float radius = BendRadius(model, bend.radiusType, bend.radius, row.section);
  if (radius < 0.01f) return;
  float tangent = 0.0f;
  if (!TangentLength(radius, theta, leg1, leg2, 1.0f, tangent)) return;
  Arc arc = ArcThrough(p1, d1, d2, leg1, leg2, radius, tangent, theta);
  StoreCentre(bend.centre, arc.centre);
  // So far from the origin that a coordinate moves in steps near the arc's
  // size, the arc's nodes would land anywhere about the corner.
  const float cornerAt[3] = {p1.x, p1.y, p1.z};
  const auto held = [&cornerAt](float length, const float centre[3]) {
    return CoordinatesHoldLength(cornerAt, length) && CoordinatesHoldLength(centre, length);
  };
  if (!held(tangent, bend.centre)) {
    bend.arcLostInCoordinates = 1;
    return;
  }
  const int near = FindNode(model, row.node + kArcNearOffset);
  const int far = FindNode(model, row.node + kArcFarOffset);
  if (near == 0 || far == 0) return;
  row.runEnd = near;
  MoveNode(model.nodes[near], arc.near);
  MoveNode(model.nodes[far], arc.far);
  bend.farNode = far;
  if (JacketedBendRecord* jacketed = element.AsJacketedBend()) {
    Arc jacketArc;
    if (!PlaceJacketArc(model, *element.AsJacket(), *jacketed, row.node, p1, d1, d2, leg1, leg2, theta, jacketArc))
      return;
    if (!held(jacketArc.tangent, jacketed->jacketCentre)) {
      bend.arcLostInCoordinates = 1;
      return;
    }
    arc = jacketArc;  // intermediate nodes of a jacketed bend lie on the jacket's arc
  }
  if (!PlaceIntermediateNodes(model, bend, theta, p1, arc)) return;
  // The analysis builds every arc element from its nodes and needs it to
  // turn: a bend whose nodes say otherwise is not placed.
  if (!ArcElementsTurn(model, bend, element, near, row.elementType == ElementType::Miter)) return;
  bend.BendGeometryValid = 1;
}

void MakeRowNodes(Model& model, int number) {
  LayoutRow& row = model.row(number);
  if (row.elementType == ElementType::Comment || row.elementType == ElementType::HydrotestLoad) {
    ClearCommentRow(model, number);
    return;
  }
  if (row.node == 0) {
    ClearRowWithoutNode(row);
    return;
  }
  if (row.elementType == ElementType::None) {
    row.elementType = ElementType::Pipe;
    row.element = CreateElementData(ElementType::Pipe);
  }
  row.drawn = true;
  row.startNode = 0;
  row.endNode = row.runStart = row.runEnd = FindNode(model, row.node);
  // A row that cannot keep offsets is made with them zero; an edit that
  // left it some is told why when it is settled, so none is lost unsaid.
  // A joint typed over an element is shown with its offsets zero, as its
  // Type cell takes it: that loss is the user's choice.
  const bool joint = row.elementType == ElementType::HingeJoint || row.elementType == ElementType::BallJoint;
  if ((row.dx != 0.0f || row.dy != 0.0f || row.dz != 0.0f) && (!joint || row.endNode != 0))
    if (std::string lost = OffsetsWithoutLengthText(row.elementType, row.endNode != 0, row.node);
        !lost.empty() && model.droppedOffsets.empty())
      model.droppedOffsets = std::move(lost);
  if (row.endNode != 0 || row.elementType == ElementType::HingeJoint ||
      row.elementType == ElementType::BallJoint)
    row.dx = row.dy = row.dz = 0.0f;
  if (row.elementType == ElementType::Location || row.elementType == ElementType::From) {
    row.absolute = false;
    row.material.clear();
    row.section.clear();
    row.load.clear();
    if (row.elementType == ElementType::Location) {
      row.dx = row.dy = row.dz = 0.0f;
      return;
    }
    // A From row's offsets are the absolute coordinates of its node.
    if (row.endNode == 0) row.endNode = row.runEnd = AddNode(model, row.node, {row.dx, row.dy, row.dz}, number);
    return;
  }
  if (ElementTypeHasProperties(row.elementType)) InheritRowProperties(model, number);

  const int previous = PreviousElementRow(model, number);
  const NodeRecord* start = NodeAt(model, model.row(previous).endNode);
  if (previous == 0 || !start) return;  // the element has no start
  row.startNode = row.runStart = model.row(previous).endNode;
  const Point3 startPoint = PositionOf(*start);
  if (IsJacketed(row.elementType) && start->nodeKind != kBendNode) {
    const NodeId startId = start->id;  // AddNode may move the table
    SetJacketStart(row, FindOrAddNode(model, JacketCompanion(startId), startPoint, number));
  }
  const Point3 offset{row.dx, row.dy, row.dz};
  const Point3 end = row.absolute ? offset : startPoint + offset;
  if (IsBendElementType(row.elementType)) {
    AddBendNodes(model, number, end);
  } else if (row.endNode == 0) {
    row.endNode = row.runEnd = AddNode(model, row.node, end, number);
  }

  const int bendRow = PreviousElementRow(model, number);
  LayoutRow& before = model.row(bendRow);
  if (bendRow != 0 && IsBendElementType(before.elementType)) {
    if (BendRecord* bend = before.element != nullptr ? before.element->AsBend() : nullptr) {
      BendNodesGeometry(model, *before.element, bendRow);
      if (bend->BendGeometryValid) {
        row.runStart = bend->farNode;
        const JacketedBendRecord* jacketedBefore = before.element->AsJacketedBend();
        if (jacketedBefore && IsJacketed(row.elementType)) SetJacketStart(row, jacketedBefore->jacketFarNode);
      }
    }
  }
  if (row.elementType == ElementType::JacketedPipe) {
    JacketedPipeRecord* pipe = row.element != nullptr ? row.element->AsJacketedPipe() : nullptr;
    const NodeRecord endRecord = model.nodes[row.endNode];
    const int companion =
        FindOrAddNode(model, endRecord.id + kJacketNodeOffset, PositionOf(endRecord), number);
    if (pipe) pipe->jacketEndNode = companion;
  }
}

void MakeModel(Model& model) {
  model.layoutChanged = false;
  ClearNodes(model.nodes);
  {
    // The lookup covers the second pass too: without it every row's end
    // node is a search of the whole table, and a model of thousands of rows
    // is made in quadratic time.
    NodeLookupScope lookup(model.nodes);
    try {
      for (int number = 1; number <= model.rowCount; ++number) MakeRowNodes(model, number);
    } catch (const std::string& message) {
      model.unmadeReason = message;
      throw;
    }
    for (int number = 1; number <= model.rowCount; ++number) {
      LayoutRow& row = model.row(number);
      if (row.node != 0) row.endNode = FindNode(model, row.node);
    }
  }
  // An offset so large that a coordinate or a bend made from it is not a
  // finite number would make every file written from the model unreadable.
  if (std::string refusal = NonFiniteRowRefusal(model); !refusal.empty()) {
    model.unmadeReason = refusal;
    throw refusal;
  }
  if (std::string refusal = DuplicateNodeRefusal(model); !refusal.empty()) {
    model.unmadeReason = refusal;
    throw refusal;
  }
  model.unmadeReason.clear();
  RegenerateModel(model);
  ComputeModelViewExtents(model);
  if (&model != &TheModel()) return;
  // The open model's load cases and picture follow every making of it: a
  // cut pipe or a hydrotest row given or taken away changes the cases that
  // Save writes and Analyze runs, and the graphics thread projects its copy
  // for the view.
  BuildLoadCases(model);
  RequestGraphicsRedraw();
}

void RefreshAfterDataItemEdit(Model& model, int row) {
  if (&model != &TheModel()) return;
  BuildLoadCases(model);
  RedrawRowDataItem(model, row);
}

void RefreshAfterElementValuesEdit(Model& model, int row) {
  if (&model != &TheModel()) return;
  BuildLoadCases(model);
  RedrawRowElement(model, row);
}

void RefreshAfterModelEdit(Model& model) {
  if (&model == &TheModel()) HideHighlight();
  MakeModel(model);
  model.modified = true;
}
