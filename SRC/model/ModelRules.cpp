// The rules of the whole model (see ModelRules.h).
#include "model/ModelRules.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/MakeModel.h"
#include "model/Model.h"
#include "model/RowRules.h"

namespace {

ModelRuleDoors& Doors() {
  static ModelRuleDoors doors;
  return doors;
}

constexpr const char* kFirstFromMessage = "First \"From\" row cannot be deleted";

// The first row that makes a node or carries an element, 0 when none does.
int FirstElementRow(const Model& model) {
  for (int row = 1; row <= model.rowCount; ++row) {
    const ElementType type = model.row(row).elementType;
    if (type != ElementType::None && type != ElementType::Comment && type != ElementType::HydrotestLoad) return row;
  }
  return 0;
}

}  // namespace

void SetModelRuleDoors(const ModelRuleDoors& doors) { Doors() = doors; }

std::string RowPlace(const Model& model, int row) {
  const std::uint32_t identity = model.row(row).identity;
  return identity != 0 ? "row " + std::to_string(identity) : "new row " + std::to_string(row);
}

namespace {

// Makes `model` and lists what its making and its rows break; the node
// references of `maker` too when it is given.
std::vector<BrokenRule> BrokenRules(Model& model, const Model* maker) {
  std::vector<BrokenRule> broken;
  // Rows that cannot be made keep the node table, the lists and the extents
  // they had: asking changes nothing of what is asked about.
  NodeTable nodes = model.nodes;
  RowIndexLists lists = model.lists;
  const GraphicsSettings graphics = model.graphics;
  try {
    MakeModel(model);
  } catch (const std::string& message) {
    model.nodes = std::move(nodes);
    model.lists = std::move(lists);
    model.graphics = graphics;
    broken.push_back({"made", "", message});
    return broken;
  }
  if (const int first = FirstElementRow(model); first != 0 && model.row(first).elementType != ElementType::From)
    broken.push_back({"first from", "", kFirstFromMessage});
  if (maker != nullptr && Doors().unmadeNodeReferences != nullptr)
    Doors().unmadeNodeReferences(model, *maker, broken);
  for (int row = 1; row <= model.rowCount; ++row) {
    std::string refusal = RowRuleRefusal(model, row);
    if (!refusal.empty()) broken.push_back({refusal, RowPlace(model, row), refusal});
    if (Doors().rowRefusal == nullptr) continue;
    refusal = Doors().rowRefusal(model, row);
    if (!refusal.empty()) broken.push_back({refusal, RowPlace(model, row), refusal});
  }
  return broken;
}

}  // namespace

std::vector<BrokenRule> BrokenModelRules(Model& model, const Model& maker) { return BrokenRules(model, &maker); }

std::vector<BrokenRule> BrokenRowRules(Model& model) { return BrokenRules(model, nullptr); }

std::string AddedRuleMessage(const std::vector<BrokenRule>& before, const std::vector<BrokenRule>& after) {
  std::map<std::pair<std::string, std::string>, int> held;
  for (const BrokenRule& rule : before) ++held[{rule.kind, rule.place}];
  for (const BrokenRule& rule : after)
    if (--held[{rule.kind, rule.place}] < 0) return rule.message;
  return {};
}
