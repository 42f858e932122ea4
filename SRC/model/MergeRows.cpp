// Merged rows; see the header.
#include "model/MergeRows.h"

#include <unordered_set>

#include "model/MakeModel.h"
#include "model/Model.h"
#include "services/Assert.h"

bool MergedNodeIdsClash(const Model& model, const NodeTable& merged) {
  std::unordered_set<NodeId> ids;
  for (int index = 1; index <= model.nodes.count; ++index) ids.insert(model.nodes[index].id);
  for (int index = 1; index <= merged.count; ++index)
    if (ids.count(merged[index].id) != 0) return true;
  return false;
}

void AppendMergedRows(Model& model, std::vector<LayoutRow>& merged, int count) {
  if (count <= 0) return;
  QV_ASSERT(model.rowCount + count <= kMaxLayoutRows);
  QV_ASSERT(merged.size() >= static_cast<std::size_t>(count) + 2);
  const int first = model.rowCount + 1;
  for (int number = 1; number <= count + 1; ++number)
    model.row(model.rowCount + number) = std::move(merged[static_cast<std::size_t>(number)]);
  model.rowCount += count;
  RefreshAfterModelEdit(model);
  model.currentRow = first;
}
