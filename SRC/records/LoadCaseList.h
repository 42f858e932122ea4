// The load-case list: the `LoadCaseType` ids the analysis runs, in order,
// and the selection flags of the user-selectable case kinds. The user
// chooses flags in the "Load cases" dialog (LoadCaseDialog.h); the rebuild
// (BuildLoadCases) turns the flags into the list, enforcing what each case
// needs (a thermal range its two single thermal cases, a thermal case the
// sustained and operating cases it is derived from) and dropping the cases
// whose loads are absent or whose temperatures are not in use. The model
// file holds the list; the flags are derived from it after reading
// (`LoadCaseFlagsFromList`). The list has room for 130 ids (the rebuild
// makes at most 100); the section reader and writer belong to the model
// file.
//
// The thermal families are numbered by k = 1 .. 10: single thermal cases
// (Expansion Tk) 2, 3, 4, 51 .. 57; operating cases 8, 9, 10, 100 .. 106;
// sustained cases with one pressure 41 .. 50 (only with ten thermal loads);
// cold spring cases 15, 16, 17, 110 .. 116; the ranges of Ti and Tj
// (i < j): 5, 6, 7 among T1 .. T3, 58 .. 99 for j >= 4; and the buried
// cases 38, 39, 40, 117 .. 123, steps the analysis adds by itself.
//
// Start reading at RebuildLoadCases.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "services/LoadCaseTypes.h"

struct Model;

inline constexpr int kLoadCaseListRoom = 130;
inline constexpr int kLoadCaseTypeCount = kLastLoadCaseType + 1;  // ids 0 .. 124

struct LoadCaseList {
  std::int32_t count = 0;
  std::array<std::int32_t, kLoadCaseListRoom + 1> cases{};  // ids from index 1
  // One flag per case id; only the user-selectable ids ever hold a 1.
  std::array<std::uint8_t, kLoadCaseTypeCount> selected{};
};

// True for the ids the user can choose: 1-17, 19, 30-32, 35-37, 41-116, 124.
bool IsSelectableLoadCase(int id);

// Whether the list's entries 1 .. count hold the id.
bool LoadCaseListHas(const LoadCaseList& list, int id);

// Clears every flag, then sets the flag of each id in the list; ids without
// a flag are ignored.
void LoadCaseFlagsFromList(LoadCaseList& list);

// The ids of the thermal families for k = 1 .. 10 (0 for any other k).
int SingleThermalCase(int k);
int OperatingCase(int k);
int SustainedPressureCase(int k);
int ColdSpringCase(int k);
int BuriedCase(int k);
// The range of Ti and Tj, 1 <= i < j <= 10; 0 for any other pair.
int ThermalRangeCase(int i, int j);
// The k of a single thermal or operating case id, 0 for other ids.
int ThermalIndexOfSingle(int id);
int ThermalIndexOfOperating(int id);
// The temperatures of a range id; false for other ids.
bool ThermalRangeOf(int id, int& i, int& j);
// A single thermal case or a range: the cases whose stresses are expansion
// stresses.
bool IsExpansionOrRangeCase(int id);

// What the rebuild and the dialog read of the model.
struct LoadCaseInputs {
  std::int32_t pipingCode = 0;
  std::int32_t thermalLoadCount = 1;  // 4 or more counts as ten
  bool solveThermalCase = false;
  bool cutPipe = false;
  bool settlement = false;  // the code has settlement and an anchor or nozzle carries a settlement set
  bool hydrotest = false;
  bool staticSeismic = false;
  std::array<bool, 4> wind{};
  bool responseSpectrum = false;
  bool forceSpectrum = false;
  bool timeHistory = false;
  bool harmonic = false;
};

// The rebuild on its own: normalises the flags of `list` for the inputs and
// writes the list in the fixed order. With no piping code the thermal-load
// count becomes 1 (`thermalLoadCount` is the model's).
void RebuildLoadCases(LoadCaseList& list, std::int32_t& thermalLoadCount, const LoadCaseInputs& inputs);

// The number of thermal loads a case needs, as the option "Number of thermal
// loads" takes it: 1 for the cases of T1, 2 and 3 for those of T2 and T3
// (the ranges among T1 .. T3 by their higher temperature), 10 for every
// case of T4 .. T10, the ranges that reach them and the sustained cases of
// one pressure (41 .. 50), which only ten thermal loads offer. The buried
// steps count as their temperature's cases. 0 for any other case: those of
// no thermal load, and the static analysis and hanger travel steps, which
// take T1.
int ThermalLoadsNeededBy(int id);
// Whether the case needs more thermal loads than `count` holds (4 or more
// count as ten).
bool CaseNeedsMoreThermalLoads(int id, int count);

// Clears the flag of every case that needs more thermal loads than
// `count`: the rebuild's first rule, and what lowering the count does.
void ClearCasesBeyondThermalCount(LoadCaseList& list, int count);
// Takes every case that needs more thermal loads than `count` out of the
// list (the others keep their order) and clears its flag; returns the ids
// taken, in list order.
std::vector<int> DropCasesBeyondThermalCount(LoadCaseList& list, int count);
// The first case of the list that needs more thermal loads than `count`;
// 0 when none does.
int FirstCaseBeyondThermalCount(const LoadCaseList& list, int count);
// What such a case lacks, as the engineer reads it: the case's title in
// double quotes, then "needs 10 thermal loads, but the model has 1".
std::string CaseBeyondThermalCountText(int id, int count);
// The refusal of a run whose list holds such a case (its first), naming the
// case and what is missing; empty when every case has its thermal loads.
std::string LoadCasesBeyondThermalCountRefusal(const LoadCaseList& list, int count);
