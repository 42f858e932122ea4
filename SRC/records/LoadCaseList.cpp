// The load-case list, its selection flags and the rebuild; see the header.
#include "records/LoadCaseList.h"

#include <initializer_list>


namespace {

bool Between(int value, int low, int high) { return value >= low && value <= high; }

void Set(LoadCaseList& list, int id, bool on) { list.selected[static_cast<std::size_t>(id)] = on ? 1 : 0; }
bool IsSet(const LoadCaseList& list, int id) { return list.selected[static_cast<std::size_t>(id)] != 0; }

void ClearRange(LoadCaseList& list, int first, int last) {
  for (int id = first; id <= last; ++id) Set(list, id, false);
}

void Clear(LoadCaseList& list, std::initializer_list<int> ids) {
  for (int id : ids) Set(list, id, false);
}

// The ranges in the order the rebuild visits them: 5, 6, 7, then 58 .. 99.
template <typename Visit>
void ForEachRange(Visit visit) {
  for (int id : {5, 6, 7}) visit(id);
  for (int id = 58; id <= 99; ++id) visit(id);
}

// Step 6 of the rebuild: the cases whose loads the model does not hold.
void ClearAbsentCases(LoadCaseList& list, const LoadCaseInputs& in) {
  if (!in.cutPipe) {
    ClearRange(list, 14, 17);
    ClearRange(list, 110, 116);
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
  for (int id : {32, 124, 1, 8, 9, 10, 2, 3, 4, 5, 6, 7, 14, 15, 16, 17}) append(id);
  for (int id = 110; id <= 116; ++id) append(id);
  for (int id : {11, 19, 12, 13, 107, 108, 109, 30, 31, 37, 35, 36}) append(id);
  for (int id = 41; id <= 50; ++id) append(id);
  for (int id = 100; id <= 106; ++id) append(id);
  for (int id = 51; id <= 57; ++id) append(id);
  for (int id = 58; id <= 99; ++id) append(id);
}

}  // namespace

bool IsSelectableLoadCase(int id) {
  return Between(id, 1, 17) || id == 19 || Between(id, 30, 32) || Between(id, 35, 37) || Between(id, 41, 116) ||
         id == 124;
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

int ThermalRangeCase(int i, int j) {
  if (!Between(i, 1, 9) || !Between(j, i + 1, 10)) return 0;
  if (j <= 3) return i == 1 ? 3 + j : 7;  // T1-T2 5, T1-T3 6, T2-T3 7
  int id = 58;
  for (int first = 1; first < i; ++first) id += 10 - (first < 4 ? 4 : first + 1) + 1;
  return id + j - (i < 4 ? 4 : i + 1);
}

int ThermalIndexOfSingle(int id) { return Between(id, 2, 4) ? id - 1 : Between(id, 51, 57) ? id - 47 : 0; }
int ThermalIndexOfOperating(int id) { return Between(id, 8, 10) ? id - 7 : Between(id, 100, 106) ? id - 96 : 0; }

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
  const int count = thermalLoadCount;
  if (count < 4) ClearRange(list, 41, 106);
  if (count < 3) Clear(list, {4, 6, 7, 10});
  if (count < 2) Clear(list, {3, 5, 9});
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

void ClearCasesBeyondThermalCount(LoadCaseList& list, int count) {
  if (count >= 4) return;
  // Every case of T4 .. T10, the ranges that reach them and the sustained
  // cases of one pressure, which only ten thermal loads offer.
  ClearRange(list, 41, 106);
  ClearRange(list, 110, 116);
  if (count < 3) Clear(list, {4, 6, 7, 10, 17});
  if (count < 2) Clear(list, {3, 5, 9, 16});
}
