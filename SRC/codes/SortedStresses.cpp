// The storage and order of the sorted stresses; see SortedStresses.h.
#include "codes/SortedStresses.h"

#include <algorithm>
#include <cmath>

#include "codes/CodeCategories.h"
#include "services/Assert.h"

void StressRatio(GoverningStress& entry, double stress, double allowable) {
  QV_ASSERT(allowable > 0.0);
  const double ratio = std::fabs(stress) / allowable;
  if (!(ratio > entry.ratio)) return;
  entry.stress = static_cast<float>(stress);
  entry.allowable = static_cast<float>(allowable);
  entry.ratio = static_cast<float>(ratio);
}

SortedStressSection MakeSortedStressSection(int nodeCount) {
  SortedStressSection section;
  const auto size = static_cast<std::size_t>(std::max(nodeCount, 0)) + 1;
  section.entries.assign(size, GoverningStress{});
  section.order.resize(size);
  for (std::size_t i = 0; i < size; ++i) section.order[i] = static_cast<int>(i);
  return section;
}

int SortStressSection(SortedStressSection& section) {
  if (section.order.size() <= 1) return 0;
  const auto& entries = section.entries;
  auto ratioOf = [&entries](int node) { return entries[static_cast<std::size_t>(node)].ratio; };
  std::stable_sort(section.order.begin() + 1, section.order.end(),
                   [&ratioOf](int a, int b) { return ratioOf(a) > ratioOf(b); });
  int count = 0;
  for (std::size_t i = 1; i < section.order.size() && ratioOf(section.order[i]) >= 0.0f; ++i) ++count;
  return count;
}

void AllocateSortedStresses(SortedStresses& sorted, const CategoryPresence& p, int code, bool stressOnly,
                            bool showOperating, int nodeCount) {
  const bool pipeline = code == 4 || code == 6 || code == 22;
  sorted.present = {stressOnly || p.sustained,
                    stressOnly || p.expansion,
                    stressOnly || p.combined,
                    !stressOnly && !pipeline && code != 12 && p.occasional,
                    !stressOnly && p.settlement,
                    !stressOnly && p.creep,
                    !stressOnly && showOperating && p.operating,
                    !stressOnly && code == 21 && p.buried};
  int count = 0;
  for (bool present : sorted.present) count += present ? 1 : 0;
  sorted.showAllowables = !(5 * count > 35);
  sorted.currentSection = 0;
  for (int k = kSortedStressSections - 1; k >= 0; --k)
    if (sorted.present[static_cast<std::size_t>(k)]) sorted.currentSection = k;
  for (int k = 0; k < kSortedStressSections; ++k)
    sorted.sections[static_cast<std::size_t>(k)] =
        sorted.present[static_cast<std::size_t>(k)] ? MakeSortedStressSection(nodeCount) : SortedStressSection{};
  sorted.rowCount = 0;
}
