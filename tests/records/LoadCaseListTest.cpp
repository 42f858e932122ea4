// The load-case list's flags derived from the list, the thermal loads each
// case needs with the cases of temperatures out of use taken out of a list
// and refused by name, and the static seismic record's presence test.
#include <gtest/gtest.h>

#include <vector>

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

// The option "Number of thermal loads" takes 1, 2, 3 or 10: the cases of
// T2 and T3 (ranges by their higher temperature) need 2 and 3, the cases of
// T4 .. T10 and the sustained cases of one pressure all ten, whatever
// family: expansion, operating, cold spring, buried.
TEST(LoadCaseList, ThermalLoadsEachCaseNeeds) {
  struct Need {
    int id, loads;
  };
  const Need needs[] = {{2, 1},   {8, 1},   {15, 1},   {38, 1},   {3, 2},    {5, 2},    {9, 2},   {16, 2},
                        {39, 2},  {4, 3},   {6, 3},    {7, 3},    {10, 3},   {17, 3},   {40, 3},  {41, 10},
                        {50, 10}, {51, 10}, {57, 10},  {58, 10},  {99, 10},  {100, 10}, {106, 10}, {110, 10},
                        {113, 10}, {116, 10}, {117, 10}, {123, 10}};
  for (const Need& need : needs) EXPECT_EQ(ThermalLoadsNeededBy(need.id), need.loads) << need.id;
  // No temperature, or T1 alone (static analysis, hanger travel).
  for (int id : {0, 1, 11, 12, 13, 14, 18, 19, 20, 21, 22, 23, 24, 25, 29, 30, 31, 32, 33, 35, 36, 37, 107, 108, 109,
                 124, 125, -3})
    EXPECT_EQ(ThermalLoadsNeededBy(id), 0) << id;
  EXPECT_TRUE(CaseNeedsMoreThermalLoads(16, 1));
  EXPECT_FALSE(CaseNeedsMoreThermalLoads(16, 2));
  EXPECT_TRUE(CaseNeedsMoreThermalLoads(110, 3));
  EXPECT_FALSE(CaseNeedsMoreThermalLoads(110, 10));
  EXPECT_FALSE(CaseNeedsMoreThermalLoads(116, 4));  // four or more count as ten
  EXPECT_TRUE(CaseNeedsMoreThermalLoads(3, 0));     // no count below one
}

// Cases of temperatures out of use leave the list in order, their flags
// with them; what stays keeps its order and its flags. The first such case
// names the refusal of a run, with the number of thermal loads it needs.
TEST(LoadCaseList, CasesBeyondTheThermalLoadsAreTakenOutAndNamed) {
  LoadCaseList list;
  const int ids[] = {1, 8, 2, 14, 15, 16, 17, 110, 3, 4, 30};
  for (int id : ids) list.cases[static_cast<std::size_t>(++list.count)] = id;
  LoadCaseFlagsFromList(list);
  const LoadCaseList before = list;
  EXPECT_EQ(FirstCaseBeyondThermalCount(list, 2), 17);
  EXPECT_EQ(LoadCasesBeyondThermalCountRefusal(list, 2),
            "The load case \"Cold spring (W+P3+T3)\" needs 3 thermal loads, but the model has 2.\n"
            "Set the number of thermal loads in the analysis options, or choose the load cases again.");
  EXPECT_EQ(CaseBeyondThermalCountText(110, 1),
            "\"Cold spring (W+P4+T4)\" needs 10 thermal loads, but the model has 1");
  EXPECT_EQ(list.cases, before.cases);  // naming changes nothing

  EXPECT_EQ(DropCasesBeyondThermalCount(list, 2), (std::vector<int>{17, 110, 4}));
  ASSERT_EQ(list.count, 8);
  EXPECT_EQ(std::vector<int>(list.cases.begin() + 1, list.cases.begin() + 9),
            (std::vector<int>{1, 8, 2, 14, 15, 16, 3, 30}));
  EXPECT_EQ(list.cases[9], 0);
  for (int id : ids)
    EXPECT_EQ(list.selected[static_cast<std::size_t>(id)], id == 17 || id == 110 || id == 4 ? 0 : 1) << id;
  EXPECT_EQ(FirstCaseBeyondThermalCount(list, 2), 0);
  EXPECT_EQ(LoadCasesBeyondThermalCountRefusal(list, 2), "");

  // With ten thermal loads every case stays.
  LoadCaseList ten = before;
  EXPECT_TRUE(DropCasesBeyondThermalCount(ten, 10).empty());
  EXPECT_EQ(ten.count, before.count);
  EXPECT_EQ(ten.cases, before.cases);
  EXPECT_EQ(ten.selected, before.selected);
}

TEST(StaticSeismic, PresentWhenAnyAccelerationIsNonZero) {
  StaticSeismic seismic;
  EXPECT_FALSE(HasStaticSeismicLoad(seismic));
  seismic.g[2] = 0.15f;
  EXPECT_TRUE(HasStaticSeismicLoad(seismic));
}
