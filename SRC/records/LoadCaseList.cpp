// The load-case list, its selection flags and the rebuild; see the header.
#include "records/LoadCaseList.h"

#include <algorithm>
#include <initializer_list>

#include "services/NameTables.h"

namespace {

bool Between(int value, int low, int high) { return value >= low && value <= high; }

void Set(LoadCaseList& list, int id, bool on) { list.selected[static_cast<std::size_t>(id)] = on ? 1 : 0; }
bool IsSet(const LoadCaseList& list, int id) { return list.selected[static_cast<std::size_t>(id)] != 0; }

void ClearRange(LoadCaseList& list, int first, int last) {
  for (int id = first; id <= last; ++id) Set(list, id, false);
}

// The ranges in the order the rebuild visits them: 5, 6, 7, then 58 .. 99.
template <typename Visit>
void ForEachRange(Visit visit) {
  for (int id : {ThermalRangeCase(1, 2), ThermalRangeCase(1, 3), ThermalRangeCase(2, 3)}) visit(id);
  for (int id = ThermalRangeCase(1, 4); id <= ThermalRangeCase(9, 10); ++id) visit(id);
}

// Step 6 of the rebuild: the cases whose loads the model does not hold.
void ClearAbsentCases(LoadCaseList& list, const LoadCaseInputs& in) {
  if (!in.cutPipe) {
    ClearRange(list, kCaseIdColdSpringSustained, ColdSpringCase(3));
    ClearRange(list, ColdSpringCase(4), ColdSpringCase(10));
  }
  if (!in.settlement) Set(list, kCaseIdSettlement, false);
  if (!in.hydrotest) Set(list, kCaseIdHydrotest, false);
  if (!in.staticSeismic) Set(list, kCaseIdStaticSeismic, false);
  const int winds[4] = {kCaseIdWind, kCaseIdWind2, kCaseIdWind3, kCaseIdWind4};
  for (std::size_t k = 0; k < 4; ++k)
    if (!in.wind[k]) Set(list, winds[k], false);
  if (!in.responseSpectrum) Set(list, kCaseIdResponseSpectrum, false);
  if (!in.forceSpectrum) Set(list, kCaseIdForceSpectrum, false);
  if (!in.timeHistory) Set(list, kCaseIdTimeHistory, false);
  if (!in.harmonic) Set(list, kCaseIdHarmonic, false);
}

// Step 8: the fixed order of the list.
void WriteList(LoadCaseList& list) {
  list.cases.fill(0);
  list.count = 0;
  auto append = [&list](int id) {
    if (IsSet(list, id) && list.count < kLoadCaseListRoom) list.cases[static_cast<std::size_t>(++list.count)] = id;
  };
  for (int id : {kCaseIdStaticAnalysis, kCaseIdEmptyWeight, kCaseIdSustained}) append(id);
  for (int k = 1; k <= 3; ++k) append(OperatingCase(k));
  for (int k = 1; k <= 3; ++k) append(SingleThermalCase(k));
  for (int id : {ThermalRangeCase(1, 2), ThermalRangeCase(1, 3), ThermalRangeCase(2, 3)}) append(id);
  append(kCaseIdColdSpringSustained);
  for (int k = 1; k <= 10; ++k) append(ColdSpringCase(k));
  for (int id : {kCaseIdSettlement, kCaseIdHydrotest, kCaseIdStaticSeismic, kCaseIdWind, kCaseIdWind2, kCaseIdWind3,
                 kCaseIdWind4, kCaseIdModal, kCaseIdResponseSpectrum, kCaseIdForceSpectrum, kCaseIdTimeHistory,
                 kCaseIdHarmonic})
    append(id);
  for (int k = 1; k <= 10; ++k) append(SustainedPressureCase(k));
  for (int k = 4; k <= 10; ++k) append(OperatingCase(k));
  for (int k = 4; k <= 10; ++k) append(SingleThermalCase(k));
  for (int id = ThermalRangeCase(1, 4); id <= ThermalRangeCase(9, 10); ++id) append(id);
}

}  // namespace

bool IsSelectableLoadCase(int id) {
  // 1 .. 17 and 41 .. 116 run without a gap: every case of the thermal
  // states, their ranges, settlement, static seismic, the winds and cold spring.
  return Between(id, kCaseIdSustained, ColdSpringCase(3)) || id == kCaseIdHydrotest ||
         Between(id, kCaseIdModal, kCaseIdStaticAnalysis) || Between(id, kCaseIdTimeHistory, kCaseIdForceSpectrum) ||
         Between(id, SustainedPressureCase(1), ColdSpringCase(10)) || id == kCaseIdEmptyWeight;
}

bool LoadCaseListHas(const LoadCaseList& list, int id) {
  for (int entry = 1; entry <= list.count; ++entry)
    if (list.cases[static_cast<std::size_t>(entry)] == id) return true;
  return false;
}

void LoadCaseFlagsFromList(LoadCaseList& list) {
  list.selected.fill(0);
  const int count = list.count < 0 ? 0 : (list.count > kLoadCaseListRoom ? kLoadCaseListRoom : list.count);
  for (int index = 1; index <= count; ++index) {
    const int id = list.cases[static_cast<std::size_t>(index)];
    if (IsSelectableLoadCase(id)) list.selected[static_cast<std::size_t>(id)] = 1;
  }
}

int SingleThermalCase(int k) { return Between(k, 1, 3) ? k + 1 : Between(k, 4, 10) ? k + 47 : 0; }
int OperatingCase(int k) { return Between(k, 1, 3) ? k + 7 : Between(k, 4, 10) ? k + 96 : 0; }
int SustainedPressureCase(int k) { return Between(k, 1, 10) ? k + 40 : 0; }
int ColdSpringCase(int k) { return Between(k, 1, 3) ? k + 14 : Between(k, 4, 10) ? k + 106 : 0; }
int BuriedCase(int k) { return Between(k, 1, 3) ? k + 37 : Between(k, 4, 10) ? k + 113 : 0; }

int ThermalRangeCase(int i, int j) {
  if (!Between(i, 1, 9) || !Between(j, i + 1, 10)) return 0;
  if (j <= 3) return i == 1 ? 3 + j : 7;  // T1-T2 5, T1-T3 6, T2-T3 7
  int id = 58;
  for (int first = 1; first < i; ++first) id += 10 - (first < 4 ? 4 : first + 1) + 1;
  return id + j - (i < 4 ? 4 : i + 1);
}

int ThermalIndexOfSingle(int id) {
  for (int k = 1; k <= 10; ++k)
    if (id == SingleThermalCase(k)) return k;
  return 0;
}

int ThermalIndexOfOperating(int id) {
  for (int k = 1; k <= 10; ++k)
    if (id == OperatingCase(k)) return k;
  return 0;
}

bool ThermalRangeOf(int id, int& i, int& j) {
  for (int first = 1; first <= 9; ++first)
    for (int second = first + 1; second <= 10; ++second)
      if (ThermalRangeCase(first, second) == id) {
        i = first;
        j = second;
        return true;
      }
  return false;
}

bool IsExpansionOrRangeCase(int id) {
  int i = 0, j = 0;
  return ThermalIndexOfSingle(id) != 0 || ThermalRangeOf(id, i, j);
}

void RebuildLoadCases(LoadCaseList& list, std::int32_t& thermalLoadCount, const LoadCaseInputs& in) {
  if (in.pipingCode == 0) {
    // Without a code only the static analysis and, as chosen, the modal one.
    const bool modal = IsSet(list, kCaseIdModal);
    list.selected.fill(0);
    Set(list, kCaseIdModal, modal);
    Set(list, kCaseIdStaticAnalysis, true);
    thermalLoadCount = 1;
    WriteList(list);
    return;
  }
  Set(list, kCaseIdStaticAnalysis, false);
  // Every case of a temperature out of use goes, the cold spring ones too:
  // the analysis would take the pressure and temperature of a pair that
  // the model does not use.
  ClearCasesBeyondThermalCount(list, thermalLoadCount);
  ForEachRange([&list](int id) {
    int i = 0, j = 0;
    if (!IsSet(list, id) || !ThermalRangeOf(id, i, j)) return;
    Set(list, SingleThermalCase(i), true);
    Set(list, SingleThermalCase(j), true);
  });
  if (!in.solveThermalCase)
    for (int k = 1; k <= 10; ++k) {
      if (!IsSet(list, SingleThermalCase(k))) continue;
      Set(list, kCaseIdSustained, true);
      Set(list, OperatingCase(k), true);
    }
  ClearAbsentCases(list, in);
  WriteList(list);
}

int ThermalLoadsNeededBy(int id) {
  // The option offers 1, 2, 3 or 10: T4 .. T10 come together.
  auto loadsFor = [](int k) { return k <= 3 ? k : 10; };
  if (Between(id, SustainedPressureCase(1), SustainedPressureCase(10))) return 10;
  for (int k = 1; k <= 10; ++k)
    if (id == SingleThermalCase(k) || id == OperatingCase(k) || id == ColdSpringCase(k) || id == BuriedCase(k))
      return loadsFor(k);
  int i = 0, j = 0;
  if (ThermalRangeOf(id, i, j)) return loadsFor(j);
  return 0;
}

bool CaseNeedsMoreThermalLoads(int id, int count) {
  const int inUse = count >= 4 ? 10 : std::max(count, 1);
  return ThermalLoadsNeededBy(id) > inUse;
}

void ClearCasesBeyondThermalCount(LoadCaseList& list, int count) {
  for (int id = 0; id < kLoadCaseTypeCount; ++id)
    if (CaseNeedsMoreThermalLoads(id, count)) Set(list, id, false);
}

std::vector<int> DropCasesBeyondThermalCount(LoadCaseList& list, int count) {
  std::vector<int> dropped;
  const int entries = std::clamp(list.count, 0, kLoadCaseListRoom);
  int kept = 0;
  for (int entry = 1; entry <= entries; ++entry) {
    const int id = list.cases[static_cast<std::size_t>(entry)];
    if (CaseNeedsMoreThermalLoads(id, count))
      dropped.push_back(id);
    else
      list.cases[static_cast<std::size_t>(++kept)] = id;
  }
  if (dropped.empty()) return dropped;
  for (int entry = kept + 1; entry <= entries; ++entry) list.cases[static_cast<std::size_t>(entry)] = 0;
  list.count = kept;
  ClearCasesBeyondThermalCount(list, count);
  return dropped;
}

int FirstCaseBeyondThermalCount(const LoadCaseList& list, int count) {
  const int entries = std::clamp(list.count, 0, kLoadCaseListRoom);
  for (int entry = 1; entry <= entries; ++entry) {
    const int id = list.cases[static_cast<std::size_t>(entry)];
    if (CaseNeedsMoreThermalLoads(id, count)) return id;
  }
  return 0;
}

std::string CaseBeyondThermalCountText(int id, int count) {
  return std::string("\"") + LoadCaseTitle(id) + "\" needs " + std::to_string(ThermalLoadsNeededBy(id)) +
         " thermal loads, but the model has " + std::to_string(count);
}

std::string LoadCasesBeyondThermalCountRefusal(const LoadCaseList& list, int count) {
  const int id = FirstCaseBeyondThermalCount(list, count);
  if (id == 0) return {};
  return "The load case " + CaseBeyondThermalCountText(id, count) +
         ".\nSet the number of thermal loads in the analysis options, or choose the load cases again.";
}
