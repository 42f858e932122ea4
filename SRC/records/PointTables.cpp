// The shared operations of the named point tables; see PointTables.h.
#include "records/PointTables.h"

#include <algorithm>
#include <numeric>

#include "services/Interpolation.h"
#include "services/NumberText.h"

bool IsBlankPointTable(const NamedPoints& record) { return record.name.empty() && record.points.empty(); }

std::size_t SavedPointTableCount(const NamedPointsList& list) {
  return !list.empty() && IsBlankPointTable(list.back()) ? list.size() - 1 : list.size();
}

int FindPointTable(const NamedPointsList& list, const std::string& name) {
  if (name.empty()) return -1;
  for (std::size_t index = 0; index < SavedPointTableCount(list); ++index)
    if (list[index].name == name) return static_cast<int>(index);
  return -1;
}

std::string KeptTableName(const std::string& text) {
  constexpr const char* kBlanks = " \t";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return {};
  std::string name = text.substr(first, kPointTableNameLength);
  name.erase(name.find_last_not_of(kBlanks) + 1);
  return name;
}

void EnsureTrailingBlank(NamedPointsList& list) {
  if (list.empty() || !IsBlankPointTable(list.back())) list.emplace_back();
}

std::vector<FloatPair> SortedPoints(std::vector<FloatPair> points) {
  std::vector<FloatPair> sorted;
  InterpolateTable(points, sorted);
  return sorted;
}

int FirstNearDuplicate(const std::vector<FloatPair>& points) {
  // The order InterpolateTable keeps: zeros out, then a stable sort.
  std::vector<std::size_t> order(points.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::erase_if(order, [&points](std::size_t i) { return IsZeroFloat(points[i].x); });
  std::stable_sort(order.begin(), order.end(),
                   [&points](std::size_t a, std::size_t b) { return FloatLess(points[a].x, points[b].x); });
  int dropped = -1;
  for (std::size_t k = 1, kept = order.empty() ? 0 : order[0]; k < order.size(); ++k) {
    if (!FloatNearlyEqual(points[order[k]].x, points[kept].x)) {
      kept = order[k];
      continue;
    }
    if (dropped < 0 || order[k] < static_cast<std::size_t>(dropped)) dropped = static_cast<int>(order[k]);
  }
  return dropped;
}

int FirstValueWithoutAbscissa(const std::vector<FloatPair>& points) {
  for (std::size_t i = 0; i < points.size(); ++i)
    if (IsZeroFloat(points[i].x) && !IsZeroFloat(points[i].y)) return static_cast<int>(i);
  return -1;
}

std::size_t PlacePointTable(NamedPointsList& list, const std::string& name, std::size_t currentRow) {
  EnsureTrailingBlank(list);
  const int existing = FindPointTable(list, name);
  if (existing >= 0) return static_cast<std::size_t>(existing);
  const std::size_t at = std::min(currentRow, list.size() - 1);
  if (!IsBlankPointTable(list[at])) list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), NamedPoints{});
  return at;
}

std::string PointValueText(float value) { return value == 0.0f ? std::string() : FormatG6(value); }
