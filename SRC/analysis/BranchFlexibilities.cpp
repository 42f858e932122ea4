// The run's B31J factors at branch connections; see BranchFlexibilities.h.
#include "analysis/BranchFlexibilities.h"

#include <memory>
#include <vector>

#include "codes/B31jFlexibility.h"
#include "codes/CodeModel.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"

namespace {

// Found on first use: an element's outside diameter comes with its input.
struct Entry {
  bool known = false;
  bool applies = false;
  BranchFlexibility factors;
};

struct RunTable {
  std::unique_ptr<CodeModel> codeModel;
  std::vector<Entry> entries;  // by element, [0] unused
};

RunTable& Table() {
  static RunTable table;
  return table;
}

}  // namespace

void PrepareBranchFlexibilities(const Model& model, const AnalysisElementList& elements) {
  ReleaseBranchFlexibilities();
  if (model.options.UseB31J == 0) return;
  RunTable& table = Table();
  table.codeModel = std::make_unique<CodeModel>(model, elements);
  table.entries.assign(static_cast<std::size_t>(elements.count) + 1, Entry{});
}

void ReleaseBranchFlexibilities() {
  RunTable& table = Table();
  table.codeModel.reset();
  table.entries.clear();
}

const BranchFlexibility* ElementBranchFlexibility(int element, double outsideDiameter) {
  RunTable& table = Table();
  if (!table.codeModel || element < 1 || static_cast<std::size_t>(element) >= table.entries.size()) return nullptr;
  Entry& entry = table.entries[static_cast<std::size_t>(element)];
  if (!entry.known) {
    entry.applies = B31jElementFlexibility(*table.codeModel, element, outsideDiameter, entry.factors);
    entry.known = true;
  }
  return entry.applies ? &entry.factors : nullptr;
}
