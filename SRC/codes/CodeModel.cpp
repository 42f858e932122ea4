// The code checks' view of the analysed model; see CodeModel.h.
#include "codes/CodeModel.h"

#include <unordered_map>

#include "elements/BranchSif.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "services/Assert.h"

namespace {

constexpr int kBeamKind = 17;
constexpr int kTieRodKind = 19;

const std::vector<int>& NoIndexes() {
  static const std::vector<int> none;
  return none;
}

}  // namespace

CodeModel::CodeModel(const Model& m, const AnalysisElementList& list, const CodeSettings& s)
    : model(m), elements(list), settings(s) {
  const auto nodeCount = static_cast<std::size_t>(model.nodes.count);
  ends_.resize(nodeCount + 1);
  branchRows_.resize(nodeCount + 1);
  itemRows_.resize(nodeCount + 1);
  for (int i = 1; i <= elements.count; ++i) {
    const AnalysisElement& e = elements[i];
    for (int node : {e.node1, e.node2})
      if (node >= 1 && static_cast<std::size_t>(node) <= nodeCount) ends_[static_cast<std::size_t>(node)].push_back(i);
  }
  // Every row's node found once through a map of the first index of each
  // id: a search of the node table per row is quadratic in the model.
  std::unordered_map<NodeId, int> firstIndex;
  firstIndex.reserve(nodeCount);
  for (int index = 1; index <= model.nodes.count; ++index) firstIndex.emplace(model.nodes[index].id, index);
  rowNodes_.assign(static_cast<std::size_t>(model.rowCount) + 1, 0);
  for (int row = 1; row <= model.rowCount; ++row) {
    const NodeId id = model.row(row).node;
    if (id == 0) continue;
    const auto found = firstIndex.find(id);
    if (found != firstIndex.end()) rowNodes_[static_cast<std::size_t>(row)] = found->second;
  }
  for (int row = 1; row <= model.rowCount; ++row) {
    const LayoutRow& r = model.row(row);
    if (r.dataType == DataType::None || r.item == nullptr) continue;
    const int node = NodeOfRow(row);
    if (node < 1) continue;
    itemRows_[static_cast<std::size_t>(node)].push_back(row);
    if (r.dataType == DataType::BranchSif) branchRows_[static_cast<std::size_t>(node)].push_back(row);
  }
}

CodeModel::CodeModel(const Model& m, const AnalysisElementList& list)
    : CodeModel(m, list, EffectiveCodeSettings(m.options)) {}

const AnalysisElement& CodeModel::Element(int index) const {
  QV_ASSERT(index >= 1 && index <= elements.count);
  return elements[index];
}

int CodeModel::ElementCount() const { return elements.count; }

const PipeSection* CodeModel::SectionOf(const AnalysisElement& e) const {
  if (e.kind == kBeamKind || e.kind == kTieRodKind) return nullptr;
  return e.section >= 1 && e.section <= model.sections.count ? &model.sections[e.section] : nullptr;
}

const Material* CodeModel::MaterialOf(const AnalysisElement& e) const {
  if (e.kind == kBeamKind || e.kind == kTieRodKind) return nullptr;
  return e.material >= 1 && e.material <= model.materials.count ? &model.materials[e.material] : nullptr;
}

const std::vector<int>& CodeModel::EndsAt(int node) const {
  if (node < 1 || static_cast<std::size_t>(node) >= ends_.size()) return NoIndexes();
  return ends_[static_cast<std::size_t>(node)];
}

const std::vector<int>& CodeModel::ItemRowsAt(int node) const {
  if (node < 1 || static_cast<std::size_t>(node) >= itemRows_.size()) return NoIndexes();
  return itemRows_[static_cast<std::size_t>(node)];
}

int CodeModel::NodeOfRow(int row) const {
  return row >= 1 && static_cast<std::size_t>(row) < rowNodes_.size() ? rowNodes_[static_cast<std::size_t>(row)] : 0;
}

const std::vector<int>& CodeModel::BranchSifRowsAt(int node) const {
  if (node < 1 || static_cast<std::size_t>(node) >= branchRows_.size()) return NoIndexes();
  return branchRows_[static_cast<std::size_t>(node)];
}

namespace {

// The section at the node that `better` prefers; the first found on a tie.
template <typename Better>
int PickSectionAtNode(const CodeModel& cm, int node, Better better) {
  int found = 0;
  for (int index : cm.EndsAt(node)) {
    const AnalysisElement& e = cm.Element(index);
    if (cm.SectionOf(e) == nullptr) continue;
    if (found == 0 || better(cm.model.sections[e.section], cm.model.sections[found])) found = e.section;
  }
  return found;
}

}  // namespace

int LargestSectionAtNode(const CodeModel& cm, int node) {
  return PickSectionAtNode(cm, node, [](const PipeSection& a, const PipeSection& b) {
    return a.outsideDiameter > b.outsideDiameter;
  });
}

int SmallestSectionAtNode(const CodeModel& cm, int node) {
  const int found = PickSectionAtNode(cm, node, [](const PipeSection& a, const PipeSection& b) {
    return a.outsideDiameter < b.outsideDiameter;
  });
  if (found != 0 || node < 1 || node > cm.model.nodes.count) return found;
  const int row = cm.model.nodes[node].row;
  if (row < 1 || row > cm.model.rowCount) return 0;
  return FindSectionByName(cm.model.sections, cm.model.row(row).section);
}

int ThinnestSectionAtNode(const CodeModel& cm, int node) {
  return PickSectionAtNode(cm, node, [](const PipeSection& a, const PipeSection& b) {
    return a.thickness < b.thickness;
  });
}

const BranchSif* FindBranchItemAtNode(const CodeModel& cm, int node) {
  for (int row : cm.BranchSifRowsAt(node)) {
    const auto* item = dynamic_cast<const BranchSif*>(cm.model.row(row).item.get());
    if (item == nullptr) continue;
    const int type = item->type;
    if (type == 1 || type == 2 || type == 3 || type == 9) return item;
    if (cm.settings.useB31J && type >= 4 && type <= 6) return item;
  }
  return nullptr;
}

bool NodeHasCodeBranchSif(const CodeModel& cm, int node) {
  if (!cm.IsBranchPoint(node)) return false;
  const BranchSif* item = FindBranchItemAtNode(cm, node);
  if (item == nullptr) return false;
  if (cm.settings.useB31J) return true;
  const int code = cm.settings.code;
  const bool connectionCodes = code == 1 || code == 7 || code == 8 || code == 15 || IsClass2Or3Code(code);
  if (!connectionCodes) return false;
  return item->type == 9 || (IsClass2Or3Edition2015(code) && item->type <= 3);
}
