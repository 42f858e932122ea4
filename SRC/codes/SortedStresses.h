// Sorted stresses: for every node and each code-compliance category of the
// current results, the governing stress with its allowable and their
// ratio, and the nodes of each category ordered by ratio, worst first.
// The code stress routines record every end stress through StressRatio and
// sort each category when it is complete; the sorted-stress table and the
// graphics' stress displays read what is left here.
//
// Eight sections in a fixed order: 0 sustained (von Mises with no code),
// 1 expansion (maximum principal), 2 the third check (minimum principal),
// 3 occasional, 4 settlement, 5 creep, 6 operating, 7 buried. Entries are
// indexed by node 0 .. N; a fresh entry is stress 0, allowable 0, ratio
// -1.0 (none); an allowable of 2.0 or less counts as empty.
#pragma once

#include <array>
#include <vector>

struct CategoryPresence;

struct GoverningStress {
  float stress = 0.0f;
  float allowable = 0.0f;
  float ratio = -1.0f;
};

struct SortedStressSection {
  std::vector<GoverningStress> entries;  // by node index 0 .. N
  std::vector<int> order;                // node indexes; 1 .. N sorted by ratio
};

constexpr int kSortedStressSections = 8;

struct SortedStresses {
  std::array<bool, kSortedStressSections> present{};
  std::array<SortedStressSection, kSortedStressSections> sections;
  bool showAllowables = true;
  int currentSection = 0;
  int rowCount = 0;  // leading sorted entries with a ratio of 0 or more
};

// Records a stress: ratio = |stress| / allowable, kept (with the stress and
// allowable) only when strictly larger than the entry's, so the first of
// equal ratios stays. An allowable of 0 or less is a programming error.
void StressRatio(GoverningStress& entry, double stress, double allowable);

// A zeroed section of N + 1 entries (ratios -1.0) with the identity order.
SortedStressSection MakeSortedStressSection(int nodeCount);
// Orders entries 1 .. N by ratio, largest first; equal ratios keep their
// order, so nodes never reached (-1.0) come last. Returns the number of
// leading entries with a ratio of 0 or more.
int SortStressSection(SortedStressSection& section);

// Which sections the results hold (see the head comment), the allowable
// columns (hidden when all eight are present), the first present section
// current, and a fresh table for each present section. `stressOnly`: the
// model has no piping code; `showOperating`: the operating section is on.
void AllocateSortedStresses(SortedStresses& sorted, const CategoryPresence& presence, int code, bool stressOnly,
                            bool showOperating, int nodeCount);
