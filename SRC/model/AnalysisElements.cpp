// Analysis elements from the layout rows (see AnalysisElements.h).
#include "model/AnalysisElements.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "model/RowObjects.h"
#include "model/RowRules.h"
#include "records/PipeLoad.h"
#include "services/Assert.h"
#include "services/NumberFormat.h"
#include "services/Units.h"

namespace {

constexpr float kMergeDistance = 0.01f;

std::string Text(const char* format, int row) {
  char text[128];
  std::snprintf(text, sizeof text, format, row);
  return text;
}

std::string Text(const char* format, int row, const std::string& name) {
  char text[160];
  std::snprintf(text, sizeof text, format, row, name.c_str());
  return text;
}

[[noreturn]] void Refuse(AnalysisElementList& list, int row, const std::string& message) {
  list.errorRow = row;
  throw message;
}

int NodeIndex(const Model& model, std::int32_t id) { return id != 0 ? FindNodeIndex(model.nodes, id) : 0; }

// The names an element looks up: the row's, or the jacket's for jacket
// elements, or the bend's own material for bend arcs and miters.
struct ElementNames {
  std::string material, section, load;
};

ElementNames NamesOf(const LayoutRow& row, int kind) {
  ElementNames names{row.material, row.section, row.load};
  if (kind == 6 || kind == 7) {
    if (const JacketRecord* jacket = row.element != nullptr ? row.element->AsJacket() : nullptr)
      names = {jacket->jacketMaterial, jacket->jacketSection, jacket->jacketLoad};
  }
  return names;
}

// The records of an element by its names, in its own tables (`own`) with
// the other family's tables (`other`) named in the refusal: "Row %d: Pipe
// has beam material." when the name is only the other family's, "Row %d:
// material index = 0" when it is nobody's.
struct RecordLookup {
  std::function<int(const std::string&)> own, other;
  const char* found_in_other;
  const char* missing;
};

int LookUp(AnalysisElementList& list, int row, const std::string& name, const RecordLookup& lookup) {
  const int found = lookup.own(name);
  if (found != 0) return found;
  Refuse(list, row, Text(lookup.other(name) != 0 ? lookup.found_in_other : lookup.missing, row));
}

void FindRecords(const Model& model, AnalysisElementList& list, AnalysisElement& e, const ElementNames& names,
                 bool beam) {
  auto pipeMaterial = [&](const std::string& n) { return FindMaterialByName(model.materials, n); };
  auto pipeSection = [&](const std::string& n) { return FindSectionByName(model.sections, n); };
  auto pipeLoad = [&](const std::string& n) { return FindPipeLoadByName(model.pipeLoads, n); };
  auto beamMaterial = [&](const std::string& n) { return FindRecordByName(model.beamMaterials, n); };
  auto beamSection = [&](const std::string& n) { return FindRecordByName(model.beamSections, n); };
  auto beamLoad = [&](const std::string& n) { return FindRecordByName(model.beamLoads, n); };
  if (beam) {
    e.material = LookUp(list, e.row, names.material,
                        {beamMaterial, pipeMaterial, "Row %d: Beam has pipe material.", "Row %d: material index = 0"});
    e.section = LookUp(list, e.row, names.section,
                       {beamSection, pipeSection, "Row %d: Beam has pipe section.", "Row %d: section index = 0"});
    e.load = LookUp(list, e.row, names.load, {beamLoad, pipeLoad, "Row %d: Beam has pipe load.", "Row %d: load index = 0"});
    return;
  }
  e.material = LookUp(list, e.row, names.material,
                      {pipeMaterial, beamMaterial, "Row %d: Pipe has beam material.", "Row %d: material index = 0"});
  e.section = LookUp(list, e.row, names.section,
                     {pipeSection, beamSection, "Row %d: Pipe has beam section.", "Row %d: section index = 0"});
  e.load = LookUp(list, e.row, names.load, {pipeLoad, beamLoad, "Row %d: Pipe has beam load.", "Row %d: load index = 0"});
}

void AddBendElements(const Model& model, AnalysisElementList& list, int number) {
  const LayoutRow& row = model.row(number);
  const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
  if (bend == nullptr || bend->BendGeometryValid == 0) {
    list.invalidBendRow = number;
    Refuse(list, number, Text("Bend at Row #  %d  is invalid.", number));
  }
  AddAnalysisElement(model, list, 3, number, row.runStart, row.runEnd);  // the straight lead-in
  const int near = row.runEnd, far = bend->farNode;
  if (row.elementType == ElementType::Miter) {
    AddAnalysisElement(model, list, 5, number, near, far);
    return;
  }
  std::vector<int> arc;
  for (std::int32_t id : {bend->intermediateNode1, bend->intermediateNode2})
    if (const int index = NodeIndex(model, id)) arc.push_back(index);
  if (const JacketedBendRecord* jacketed = row.element->AsJacketedBend()) {
    // The intermediate nodes lie on the jacket's arc; the core arc runs
    // straight from its near to its far end.
    AddAnalysisElement(model, list, 6, number, row.element->AsJacket()->jacketStartNode, jacketed->jacketNearNode);
    int from = jacketed->jacketNearNode;
    for (int index : arc) {
      AddAnalysisElement(model, list, 7, number, from, index);
      from = index;
    }
    AddAnalysisElement(model, list, 4, number, near, far);
    AddAnalysisElement(model, list, 7, number, from, jacketed->jacketFarNode);
    return;
  }
  int from = near;
  for (int index : arc) {
    AddAnalysisElement(model, list, 4, number, from, index);
    from = index;
  }
  AddAnalysisElement(model, list, 4, number, from, far);
}

}  // namespace

AnalysisElementList& TheAnalysisElements() {
  static AnalysisElementList list;
  return list;
}

void ClearAnalysisElements(AnalysisElementList& list) { list = AnalysisElementList{}; }

void GenerateAnalysisElements(const Model& model, AnalysisElementList& list) {
  ClearAnalysisElements(list);
  for (int number = 1; number <= model.rowCount; ++number) GenerateRowElements(model, list, number);
  list.jacketCouplings = FindJacketCouplings(model, &list.errorRow);
}

void GenerateRowElements(const Model& model, AnalysisElementList& list, int number) {
  const LayoutRow& row = model.row(number);
  // An element node coordinates so far out cannot hold (a model file older
  // than the rule brings it) would be analysed at a length its row does not
  // give, or merged away; a bend whose arc was lost is not placed, and is
  // refused as such below.
  const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
  if (bend == nullptr || bend->BendGeometryValid != 0)
    if (std::string lost = LostInCoordinatesRefusal(model, number); !lost.empty()) Refuse(list, number, lost);
  switch (row.elementType) {
    case ElementType::HydrotestLoad: list.hydrotestRow = number; return;
    case ElementType::None:
    case ElementType::From:
    case ElementType::Location:
    case ElementType::Comment: return;
    case ElementType::CutPipe: AddAnalysisElement(model, list, 3, number, row.runStart, row.runEnd); return;
    case ElementType::JacketedPipe: {
      AddAnalysisElement(model, list, 3, number, row.runStart, row.runEnd);
      const JacketedPipeRecord* pipe = row.element != nullptr ? row.element->AsJacketedPipe() : nullptr;
      if (pipe != nullptr) AddAnalysisElement(model, list, 6, number, row.element->AsJacket()->jacketStartNode, pipe->jacketEndNode);
      return;
    }
    case ElementType::Bend:
    case ElementType::Miter:
    case ElementType::JacketedBend: AddBendElements(model, list, number); return;
    default:
      AddAnalysisElement(model, list, static_cast<int>(row.elementType), number, row.runStart, row.runEnd);
      return;
  }
}

void AddAnalysisElement(const Model& model, AnalysisElementList& list, int kind, int row, int node1, int node2) {
  // A row whose element lost a node (a damaged or half-typed layout) is
  // refused with a message rather than stopping the program.
  if (node1 < 1 || node1 > model.nodes.count || node2 < 1 || node2 > model.nodes.count)
    Refuse(list, row, Text("Row %d: the element has no start or end node", row));
  if (node1 == node2) return;
  const bool joint = kind == 12 || kind == 13 || kind == 15;
  if (!joint && NodeDistance(model.nodes, node1, node2) < kMergeDistance) {
    // Merged nodes carry no element, and a valve's or rigid element's own
    // weight would go with it unnoticed.
    if (kind == 8 || kind == 14)
      Refuse(list, row, Text(kind == 8 ? "Row %d: Valve is shorter than 0.01 in; its weight would be lost"
                                       : "Row %d: Rigid element is shorter than 0.01 in; its weight would be lost",
                             row));
    // A bellows, slip joint or tie rod so short would be a rigid link: its
    // flexibility, thrust and weight would be lost.
    if (kind == 10 || kind == 11 || kind == 19)
      Refuse(list, row, Text("Row %d: %s is shorter than 0.01 in; its flexibility would be lost", row,
                             kind == 10 ? "Bellows" : kind == 11 ? "Slip joint" : "Tie rod"));
    list.mergedNodes.insert(list.mergedNodes.begin(), {node1, node2});
    return;
  }
  AnalysisElement element;
  element.kind = kind;
  element.row = row;
  element.node1 = node1;
  element.node2 = node2;
  SetupAnalysisElement(model, list, element);
  element.hydrotestRow = list.hydrotestRow;
  list.elements.push_back(element);
  list.count = static_cast<int>(list.elements.size()) - 1;
}

void SetupAnalysisElement(const Model& model, AnalysisElementList& list, AnalysisElement& e) {
  const LayoutRow& row = model.row(e.row);
  const int kind = e.kind;
  if (kind == 12 || kind == 13 || kind == 15 || kind == 19) return;
  ElementNames names = NamesOf(row, kind);
  if (row.elementType == ElementType::Beam) {
    FindRecords(model, list, e, names, true);
    return;
  }
  if (kind == 4 || kind == 5) {
    const BendRecord* bend = row.element != nullptr ? row.element->AsBend() : nullptr;
    if (bend != nullptr && !bend->material.empty()) {
      if (FindMaterialByName(model.materials, bend->material) == 0)
        Refuse(list, e.row, Text("Row %d: Bend material %s is not defined", e.row, bend->material));
      names.material = bend->material;
    }
  }
  FindRecords(model, list, e, names, false);
  if (IsJacketCoreElement(model, e) && !model.sections[e.section].soil.empty())
    Refuse(list, e.row, Text("Row %d: Core pipe section is buried", e.row));
  const Material& material = model.materials[e.material];
  if (material.numtemps < 1) {
    char text[128];
    std::snprintf(text, sizeof text, "Row = %d, Material = %s does not have properties", e.row, material.name.c_str());
    Refuse(list, e.row, text);
  }
  const float highest = ElementMaxTemp(model, e);
  if (highest > MaterialMaxTemp(material)) {
    char text[128];
    std::snprintf(text, sizeof text, "Row = %d, temperature = %s > maximum material temperature = ", e.row,
                  FormatTemperature(highest));
    Refuse(list, e.row, std::string(text) + FormatTemperature(MaterialMaxTemp(material)));
  }
}

namespace {

// The companion kind of a node kind: plain and J, A and C, B and D.
int CompanionKind(int kind) {
  switch (kind) {
    case 0: return 5;
    case 1: return 3;
    case 2: return 4;
    case 3: return 1;
    case 4: return 2;
    case 5: return 0;
    default: QV_ASSERT(false && "jacket connection node kind"); return 0;
  }
}

bool ValidNode(const NodeTable& nodes, int index) { return index >= 1 && index <= nodes.count; }

}  // namespace

Vector3 SpiderDirection(const Model& model, int node) {
  Vector3 direction{};
  if (PipeDirectionAtNode(model, node, direction, false) != 0)
    throw CFormat("Unable to find spider direction at node %s", NodeNumberText(model.nodes[node].id));
  return direction;
}

std::vector<JacketCoupling> FindJacketCouplings(const Model& model, int* errorRow) {
  std::vector<JacketCoupling> couplings;
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& layout = model.row(row);
    if (layout.dataType != DataType::Spider && layout.dataType != DataType::JacketEndCap) continue;
    const NodeId id = layout.node;
    const int kind = id / 100000, number = id % 100000;
    const int jacket = FindNodeIndex(model.nodes, CompanionKind(kind) * 100000 + number);
    try {
      if (jacket == 0 || !ValidNode(model.nodes, layout.endNode))
        throw CFormat("Jacket connection at point %s is not on a jacketed pipe", NodeNumberText(id));
      JacketCoupling tie;
      tie.row = row;
      tie.core = layout.endNode;
      tie.jacket = jacket;
      tie.spider = layout.dataType == DataType::Spider;
      if (tie.spider) SpiderDirection(model, tie.core);
      couplings.insert(couplings.begin(), tie);
    } catch (const std::string&) {
      if (errorRow != nullptr) *errorRow = row;
      throw;
    }
  }
  return couplings;
}

bool IsJacketCoreElement(const Model& model, const AnalysisElement& e) {
  const ElementType type = model.row(e.row).elementType;
  return (type == ElementType::JacketedPipe || type == ElementType::JacketedBend) && e.kind != 6 && e.kind != 7;
}

float ElementMaxTemp(const Model& model, const AnalysisElement& e) {
  if (e.load < 1 || e.load > model.pipeLoads.count) return 0.0f;
  const PipeLoad* load = &model.pipeLoads[e.load];
  float highest = load->operating[0].temperature;
  for (int i = 2; i <= PipeLoadPairsInUse(model.options.ThermalLoadCount); ++i)
    highest = std::max(highest, load->operating[static_cast<std::size_t>(i - 1)].temperature);
  return highest;
}
