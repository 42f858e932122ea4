// The load-case list and its selection flags; see the header.
#include "loads/LoadCaseList.h"

bool IsSelectableLoadCase(int id) {
  return (id >= 1 && id <= 17) || id == 19 || (id >= 30 && id <= 32) || (id >= 35 && id <= 37) ||
         (id >= 41 && id <= 116) || id == 124;
}

void LoadCaseFlagsFromList(LoadCaseList& list) {
  list.selected.fill(0);
  const int count = list.count < 0 ? 0 : (list.count > kLoadCaseListRoom ? kLoadCaseListRoom : list.count);
  for (int index = 1; index <= count; ++index) {
    const int id = list.cases[static_cast<std::size_t>(index)];
    if (IsSelectableLoadCase(id)) list.selected[static_cast<std::size_t>(id)] = 1;
  }
}
