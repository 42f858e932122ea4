// The load-case list: the `LoadCaseType` ids the analysis runs, in order,
// and the selection flags of the user-selectable case kinds. The model file
// holds the list; the flags are derived from it after reading
// (`LoadCaseFlagsFromList`). The list has room for 130 ids (the rebuild makes
// at most 100). The section reader and writer belong to the model file.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kLoadCaseListRoom = 130;
inline constexpr int kLoadCaseTypeCount = 125;  // ids 0..124

struct LoadCaseList {
  std::int32_t count = 0;
  std::array<std::int32_t, kLoadCaseListRoom + 1> cases{};  // ids from index 1
  // One flag per case id; only the user-selectable ids ever hold a 1.
  std::array<std::uint8_t, kLoadCaseTypeCount> selected{};
};

// True for the ids the user can choose: 1-17, 19, 30-32, 35-37, 41-116, 124.
bool IsSelectableLoadCase(int id);

// Clears every flag, then sets the flag of each id in the list; ids without
// a flag are ignored.
void LoadCaseFlagsFromList(LoadCaseList& list);
