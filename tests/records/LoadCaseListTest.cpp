// The load-case list's flags derived from the list, and the static seismic
// record's presence test.
#include <gtest/gtest.h>

#include "records/LoadCaseList.h"
#include "records/StaticSeismic.h"

TEST(LoadCaseList, FlagsFollowTheListAndIgnoreIdsWithoutAFlag) {
  LoadCaseList list;
  list.selected[13] = 1;  // a flag the list does not hold is cleared
  // The list of "Expansion (T3 - T6)" with ten thermal loads, then ids the
  // analysis adds itself (20, 33) and ones without a title (0, 200, -4).
  const int ids[] = {1, 10, 4, 102, 53, 74, 20, 33, 0, 200, -4, 124};
  for (int id : ids) list.cases[static_cast<std::size_t>(++list.count)] = id;
  LoadCaseFlagsFromList(list);
  for (int id = 0; id < kLoadCaseTypeCount; ++id) {
    const bool expected = id == 1 || id == 10 || id == 4 || id == 102 || id == 53 || id == 74 || id == 124;
    EXPECT_EQ(list.selected[static_cast<std::size_t>(id)], expected ? 1 : 0) << "id " << id;
  }
}

TEST(LoadCaseList, SelectableIds) {
  for (int id : {1, 17, 19, 30, 31, 32, 35, 36, 37, 41, 116, 124}) EXPECT_TRUE(IsSelectableLoadCase(id)) << id;
  for (int id : {0, 18, 20, 29, 33, 34, 38, 40, 117, 123, 125}) EXPECT_FALSE(IsSelectableLoadCase(id)) << id;
}

TEST(LoadCaseList, CountBeyondTheRoomIsNotFollowed) {
  LoadCaseList list;
  list.count = 5000;  // never trusted past the room
  list.cases[kLoadCaseListRoom] = 30;
  LoadCaseFlagsFromList(list);
  EXPECT_EQ(list.selected[30], 1);
}

TEST(StaticSeismic, PresentWhenAnyAccelerationIsNonZero) {
  StaticSeismic seismic;
  EXPECT_FALSE(HasStaticSeismicLoad(seismic));
  seismic.g[2] = 0.15f;
  EXPECT_TRUE(HasStaticSeismicLoad(seismic));
}
