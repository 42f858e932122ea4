// The rebuild of the load-case list from the flags for every thermal-load
// count and for no piping code, the cases of absent loads dropped, the
// thermal families' ids, the dialog's rows and templates, and the rules a
// click on a box applies.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "loads/LoadCaseDialog.h"
#include "records/LoadCaseList.h"

namespace {

// Every user-selectable flag set.
LoadCaseList AllSelected() {
  LoadCaseList list;
  for (int id = 0; id < kLoadCaseTypeCount; ++id)
    if (IsSelectableLoadCase(id)) list.selected[static_cast<std::size_t>(id)] = 1;
  return list;
}

std::vector<int> Cases(const LoadCaseList& list) {
  return std::vector<int>(list.cases.begin() + 1, list.cases.begin() + 1 + list.count);
}

std::vector<int> Range(int first, int last) {
  std::vector<int> ids(static_cast<std::size_t>(last - first + 1));
  std::iota(ids.begin(), ids.end(), first);
  return ids;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const std::vector<int>& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

LoadCaseInputs CodeWithCutPipe(int count) {
  LoadCaseInputs in;
  in.pipingCode = 3;
  in.thermalLoadCount = count;
  in.cutPipe = true;
  return in;
}

std::vector<int> Rebuilt(LoadCaseList list, const LoadCaseInputs& in, int* count = nullptr) {
  std::int32_t thermal = in.thermalLoadCount;
  RebuildLoadCases(list, thermal, in);
  if (count != nullptr) *count = thermal;
  return Cases(list);
}

}  // namespace

TEST(LoadCaseFamilies, IdsOfTheThermalCasesAndRanges) {
  EXPECT_EQ(SingleThermalCase(1), 2);
  EXPECT_EQ(SingleThermalCase(3), 4);
  EXPECT_EQ(SingleThermalCase(4), 51);
  EXPECT_EQ(SingleThermalCase(10), 57);
  EXPECT_EQ(OperatingCase(2), 9);
  EXPECT_EQ(OperatingCase(6), 102);
  EXPECT_EQ(SustainedPressureCase(10), 50);
  EXPECT_EQ(ColdSpringCase(3), 17);
  EXPECT_EQ(ColdSpringCase(4), 110);
  EXPECT_EQ(ThermalRangeCase(1, 2), 5);
  EXPECT_EQ(ThermalRangeCase(1, 3), 6);
  EXPECT_EQ(ThermalRangeCase(2, 3), 7);
  EXPECT_EQ(ThermalRangeCase(1, 4), 58);
  EXPECT_EQ(ThermalRangeCase(2, 4), 65);
  EXPECT_EQ(ThermalRangeCase(3, 6), 74);
  EXPECT_EQ(ThermalRangeCase(4, 5), 79);
  EXPECT_EQ(ThermalRangeCase(9, 10), 99);
  EXPECT_EQ(ThermalRangeCase(3, 3), 0);
  EXPECT_EQ(ThermalRangeCase(0, 2), 0);
  // Every range id from 5 to 7 and 58 to 99 names exactly one pair.
  int found = 0;
  for (int id = 1; id < kLoadCaseTypeCount; ++id) {
    int i = 0, j = 0;
    if (!ThermalRangeOf(id, i, j)) continue;
    ++found;
    EXPECT_EQ(ThermalRangeCase(i, j), id);
  }
  EXPECT_EQ(found, 45);
  EXPECT_EQ(ThermalIndexOfSingle(53), 6);
  EXPECT_EQ(ThermalIndexOfOperating(102), 6);
  EXPECT_EQ(ThermalIndexOfOperating(11), 0);
}

// The buried steps, "Buried (W+P1+T1)" 38 to "Buried (W+P10+T10)" 123, and
// the expansion cases of the results: the single thermal cases 2-4 and
// 51-57 and the ranges 5-7 and 58-99, nothing else.
TEST(LoadCaseFamilies, BuriedStepsAndTheExpansionCases) {
  EXPECT_EQ(BuriedCase(1), 38);
  EXPECT_EQ(BuriedCase(3), 40);
  EXPECT_EQ(BuriedCase(4), 117);
  EXPECT_EQ(BuriedCase(10), 123);
  EXPECT_EQ(BuriedCase(0), 0);
  EXPECT_EQ(BuriedCase(11), 0);
  std::vector<int> expansion;
  for (int id = -1; id <= kLoadCaseTypeCount; ++id)
    if (IsExpansionOrRangeCase(id)) expansion.push_back(id);
  std::vector<int> expected{2, 3, 4, 5, 6, 7};
  for (int id = 51; id <= 99; ++id) expected.push_back(id);
  EXPECT_EQ(expansion, expected);
}

TEST(LoadCaseRebuild, EveryFlagForOneTwoThreeAndTenThermalLoads) {
  // A B31.3 model with a cut pipe and no other loads. The cold spring cases
  // follow the count as the other cases of a temperature do: a cold spring
  // case of a temperature out of use has no pressure to run with.
  EXPECT_EQ(Rebuilt(AllSelected(), CodeWithCutPipe(1)), Join({{124, 1, 8, 2}, {14, 15}, {30}}));
  EXPECT_EQ(Rebuilt(AllSelected(), CodeWithCutPipe(2)), Join({{124, 1, 8, 9, 2, 3, 5}, {14, 15, 16}, {30}}));
  EXPECT_EQ(Rebuilt(AllSelected(), CodeWithCutPipe(3)),
            Join({{124, 1, 8, 9, 10, 2, 3, 4, 5, 6, 7}, {14, 15, 16, 17}, {30}}));
  const std::vector<int> coldSpring = Join({{14, 15, 16, 17}, Range(110, 116)});
  const std::vector<int> ten = Rebuilt(AllSelected(), CodeWithCutPipe(10));
  EXPECT_EQ(ten, Join({{124, 1, 8, 9, 10, 2, 3, 4, 5, 6, 7}, coldSpring, {30}, Range(41, 50), Range(100, 106),
                       Range(51, 57), Range(58, 99)}));
  EXPECT_EQ(ten.size(), 89u);
}

TEST(LoadCaseRebuild, NoPipingCodeKeepsStaticAndTheChosenModalAnalysis) {
  LoadCaseInputs in = CodeWithCutPipe(10);
  in.pipingCode = 0;
  in.staticSeismic = true;
  int count = 0;
  EXPECT_EQ(Rebuilt(AllSelected(), in, &count), (std::vector<int>{32, 30}));
  EXPECT_EQ(count, 1);
  LoadCaseList noModal;
  noModal.selected[1] = noModal.selected[8] = 1;
  EXPECT_EQ(Rebuilt(noModal, in), (std::vector<int>{32}));
  // A code again: Static analysis leaves the list.
  LoadCaseList list;
  list.selected[32] = list.selected[30] = 1;
  EXPECT_EQ(Rebuilt(list, CodeWithCutPipe(1)), (std::vector<int>{30}));
}

TEST(LoadCaseRebuild, ARangeBringsItsThermalSustainedAndOperatingCases) {
  LoadCaseList list;
  list.selected[74] = 1;  // Expansion (T3 - T6)
  LoadCaseInputs in = CodeWithCutPipe(10);
  EXPECT_EQ(Rebuilt(list, in), (std::vector<int>{1, 10, 4, 102, 53, 74}));
  // Solving the thermal case needs neither the sustained nor the operating case.
  in.solveThermalCase = true;
  EXPECT_EQ(Rebuilt(list, in), (std::vector<int>{4, 53, 74}));
}

TEST(LoadCaseRebuild, FewerThermalLoadsAndRemovedLoadsDropTheirCases) {
  LoadCaseList list;
  for (int id : {74, 45, 110, 3, 5}) list.selected[static_cast<std::size_t>(id)] = 1;
  // Ten to two: T3 .. T10 and the sustained cases of one pressure go, and
  // the cold spring case of T4 with them, cut pipe or not.
  EXPECT_EQ(Rebuilt(list, CodeWithCutPipe(2)), (std::vector<int>{1, 8, 9, 2, 3, 5}));
  LoadCaseList coldSpring;
  for (int id : {14, 15, 16, 17, 110, 116}) coldSpring.selected[static_cast<std::size_t>(id)] = 1;
  EXPECT_EQ(Rebuilt(coldSpring, CodeWithCutPipe(1)), (std::vector<int>{14, 15}));
  EXPECT_EQ(Rebuilt(coldSpring, CodeWithCutPipe(3)), (std::vector<int>{14, 15, 16, 17}));
  LoadCaseInputs in = CodeWithCutPipe(2);
  in.cutPipe = false;  // the last cut pipe removed
  EXPECT_EQ(Rebuilt(list, in), (std::vector<int>{1, 8, 9, 2, 3, 5}));
  // Cases whose loads are absent, then present.
  LoadCaseList loads;
  for (int id : {11, 12, 13, 19, 31, 35, 36, 37, 107, 108, 109}) loads.selected[static_cast<std::size_t>(id)] = 1;
  EXPECT_TRUE(Rebuilt(loads, CodeWithCutPipe(1)).empty());
  LoadCaseInputs all = CodeWithCutPipe(1);
  all.settlement = all.hydrotest = all.staticSeismic = all.responseSpectrum = all.forceSpectrum = true;
  all.timeHistory = all.harmonic = true;
  all.wind = {true, false, true, true};
  EXPECT_EQ(Rebuilt(loads, all), (std::vector<int>{11, 19, 12, 13, 108, 109, 31, 37, 35, 36}));
}

TEST(LoadCaseRebuild, LoweringTheThermalCountClearsEveryCaseBeyondIt) {
  for (int count : {1, 2, 3}) {
    LoadCaseList list = AllSelected();
    ClearCasesBeyondThermalCount(list, count);
    for (int id = 41; id <= 116; ++id)
      if (id < 107 || id > 109) {
        EXPECT_EQ(list.selected[static_cast<std::size_t>(id)], 0) << count << ": " << id;
      }
    for (int k = 1; k <= 3; ++k) {
      const bool kept = k <= count;
      EXPECT_EQ(list.selected[static_cast<std::size_t>(SingleThermalCase(k))] != 0, kept) << count << ": T" << k;
      EXPECT_EQ(list.selected[static_cast<std::size_t>(OperatingCase(k))] != 0, kept) << count << ": T" << k;
      EXPECT_EQ(list.selected[static_cast<std::size_t>(ColdSpringCase(k))] != 0, kept) << count << ": T" << k;
    }
    EXPECT_EQ(list.selected[1], 1);
    EXPECT_EQ(list.selected[14], 1);
  }
  LoadCaseList ten = AllSelected();
  ClearCasesBeyondThermalCount(ten, 10);
  EXPECT_EQ(ten.selected, AllSelected().selected);
}

TEST(LoadCaseDialogRows, RowsTemplatesAndWidths) {
  LoadCaseInputs none;
  std::vector<LoadCaseRow> rows = LoadCaseDialogRows(none);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].label, "Static");
  EXPECT_EQ(rows[1].label, "Modal analysis");
  LoadCaseInputs three = CodeWithCutPipe(3);
  three.staticSeismic = true;
  three.wind = {true, true, false, false};
  rows = LoadCaseDialogRows(three);
  std::vector<int> ids;
  for (const LoadCaseRow& row : rows) ids.push_back(row.id);
  EXPECT_EQ(ids, (std::vector<int>{124, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 15, 16, 17, 12, 13, 107, 30}));
  EXPECT_EQ(rows[5].label, "Expansion (T1 - T2)");
  EXPECT_EQ(rows[15].label, "Static seismic (g's)");
  // The pipeline codes Z183 and Z184 offer no wind case.
  three.pipingCode = 20;
  EXPECT_EQ(LoadCaseDialogRows(three).size(), 17u);
  // Ten thermal loads and a cut pipe: 89 rows, the widest dialog.
  const int tenRows = static_cast<int>(LoadCaseDialogRows(CodeWithCutPipe(10)).size());
  EXPECT_EQ(tenRows, 89);
  EXPECT_EQ(LoadCaseDialogRows(CodeWithCutPipe(10))[22].label, "Expansion (T1 - T2)");
  EXPECT_EQ(LoadCaseDialogTemplate(2), "LOAD_CASES3_DIALOG");
  EXPECT_EQ(LoadCaseDialogTemplate(5), "LOAD_CASES5_DIALOG");
  EXPECT_EQ(LoadCaseDialogTemplate(7), "LOAD_CASES8_DIALOG");
  EXPECT_EQ(LoadCaseDialogTemplate(24), "LOAD_CASES24_DIALOG");
  EXPECT_EQ(LoadCaseDialogTemplate(25), "LOAD_CASES110_DIALOG");
  EXPECT_EQ(LoadCaseDialogWidth(22), 0);
  EXPECT_EQ(LoadCaseDialogWidth(44), 200);
  EXPECT_EQ(LoadCaseDialogWidth(66), 300);
  EXPECT_EQ(LoadCaseDialogWidth(88), 400);
  EXPECT_EQ(LoadCaseDialogWidth(tenRows), 500);
}

TEST(LoadCaseDialogRules, ClicksCheckWhatACaseNeedsAndUncheckWhatNeedsIt) {
  LoadCaseBoxes boxes;
  boxes.fill(-1);
  for (const LoadCaseRow& row : LoadCaseDialogRows(CodeWithCutPipe(10))) boxes[static_cast<std::size_t>(row.id)] = 0;
  // Checking T3 - T6 checks T3, T6, the sustained and their operating cases.
  boxes[74] = 1;
  ApplyLoadCaseClick(boxes, 74, false);
  for (int id : {4, 53, 1, 10, 102}) EXPECT_EQ(boxes[static_cast<std::size_t>(id)], 1) << id;
  // Unchecking T6 unchecks the ranges that end in it, not those from it.
  boxes[90] = 1;  // T6 - T7
  boxes[53] = 0;
  ApplyLoadCaseClick(boxes, 53, false);
  for (int id : {60, 67, 74, 80, 85}) EXPECT_EQ(boxes[static_cast<std::size_t>(id)], 0) << id;
  EXPECT_EQ(boxes[90], 1);
  // Unchecking an operating case unchecks its thermal case and that case's ranges.
  boxes[5] = boxes[2] = boxes[3] = 1;
  boxes[8] = 0;
  ApplyLoadCaseClick(boxes, 8, false);
  EXPECT_EQ(boxes[2], 0);
  EXPECT_EQ(boxes[5], 0);
  EXPECT_EQ(boxes[3], 1);
  // A dynamic case needs the modal and the sustained case; unchecking the
  // modal case unchecks it again; unchecking the sustained case unchecks
  // every thermal case and range.
  boxes[1] = 0;
  boxes[30] = 0;
  boxes[31] = boxes[35] = 1;  // present for this test
  ApplyLoadCaseClick(boxes, 31, false);
  EXPECT_EQ(boxes[30], 1);
  EXPECT_EQ(boxes[1], 1);
  boxes[30] = 0;
  ApplyLoadCaseClick(boxes, 30, false);
  EXPECT_EQ(boxes[31], 0);
  EXPECT_EQ(boxes[35], 0);
  boxes[1] = 0;
  ApplyLoadCaseClick(boxes, 1, false);
  for (int id = 2; id < kLoadCaseTypeCount; ++id) {
    int i = 0, j = 0;
    if (ThermalIndexOfSingle(id) != 0 || ThermalRangeOf(id, i, j)) {
      EXPECT_NE(boxes[static_cast<std::size_t>(id)], 1) << id;
    }
  }
  // With the thermal case solved a thermal case needs nothing, and the
  // sustained case keeps the thermal cases.
  boxes[4] = 1;
  ApplyLoadCaseClick(boxes, 4, true);
  EXPECT_EQ(boxes[1], 0);
  EXPECT_EQ(boxes[10], 1);  // as the earlier click left it
  ApplyLoadCaseClick(boxes, 1, true);
  EXPECT_EQ(boxes[4], 1);
  // A box the dialog does not show is never set.
  EXPECT_EQ(boxes[12], -1);
  boxes[13] = -1;
  ApplyLoadCaseClick(boxes, 13, false);
  EXPECT_EQ(boxes[13], -1);
}
