// The result case table and its flags; see ResultCases.h.
#include "resultsfile/ResultCases.h"

#include <algorithm>

#include "records/LoadCaseList.h"
#include "resultsfile/ResultsFile.h"
#include "services/Assert.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"

int g_ResultCase = 0;
int g_CurrentMode = 1;

namespace {

bool IsOneOf(int value, std::initializer_list<int> values) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

std::vector<int> MakeDisplayOrder() {
  std::vector<int> order{kCaseIdStaticAnalysis, kCaseIdEmptyWeight, kCaseIdSustained};
  for (int k = 1; k <= 10; ++k) order.push_back(SustainedPressureCase(k));
  for (int k = 1; k <= 10; ++k) order.push_back(SingleThermalCase(k));
  // The ranges by their first temperature, then by their second.
  for (int i = 1; i <= 9; ++i)
    for (int j = i + 1; j <= 10; ++j) order.push_back(ThermalRangeCase(i, j));
  for (int k = 1; k <= 10; ++k) order.push_back(OperatingCase(k));
  order.push_back(kCaseIdColdSpringSustained);
  for (int k = 1; k <= 10; ++k) order.push_back(ColdSpringCase(k));
  order.insert(order.end(), {kCaseIdSettlement, kCaseIdHydrotest, kCaseIdStaticSeismic, kCaseIdWind, kCaseIdWind2,
                             kCaseIdWind3, kCaseIdWind4, kCaseIdResponseSpectrum, kCaseIdForceSpectrum,
                             kCaseIdTimeHistory, kCaseIdHarmonic});
  return order;
}

}  // namespace

ResultCaseTable& TheResultCases() {
  static ResultCaseTable table;
  return table;
}

const std::vector<int>& ResultCaseDisplayOrder() {
  static const std::vector<int> order = MakeDisplayOrder();
  return order;
}

bool CodeTakesSettlement(int pipingCode) { return IsOneOf(pipingCode, {8, 9, 10, 11, 101, 201, 15, 21}); }

bool IsAcceptedResultCaseType(int type, int pipingCode) {
  if (type == kCaseIdSettlement) return CodeTakesSettlement(pipingCode);
  return IsSelectableLoadCase(type);
}

void SetCaseTypeFlags(ResultAvailability& flags, int code, bool hasSoil, int branchSifRows) {
  const auto& p = flags.present;
  auto has = [&p](int caseType) { return p[static_cast<std::size_t>(caseType)]; };
  auto anyOf = [&has](std::initializer_list<int> caseTypes) {
    return std::any_of(caseTypes.begin(), caseTypes.end(), has);
  };
  // Any case of a thermal family (T1 .. T10).
  auto anyOfFamily = [&has](int (*family)(int)) {
    for (int k = 1; k <= 10; ++k)
      if (has(family(k))) return true;
    return false;
  };
  bool range = false;
  for (int i = 1; i <= 9; ++i)
    for (int j = i + 1; j <= 10; ++j) range = range || has(ThermalRangeCase(i, j));
  flags.expansion = anyOfFamily(SingleThermalCase) || range;
  flags.operating = anyOfFamily(OperatingCase);
  flags.bs806 = code == 12 && (flags.operating || anyOfFamily(ColdSpringCase));
  flags.occasional = anyOf({kCaseIdStaticSeismic, kCaseIdWind, kCaseIdResponseSpectrum, kCaseIdTimeHistory,
                            kCaseIdHarmonic, kCaseIdForceSpectrum, kCaseIdWind2, kCaseIdWind3, kCaseIdWind4});
  if (code == 12) flags.occasional = false;
  flags.codeStress = has(kCaseIdSustained) || flags.expansion || flags.occasional || has(kCaseIdSettlement) ||
                     (code == 12 && flags.bs806);
  flags.codeGroupH = flags.codeHasCombined = flags.combined = flags.branchConnection = false;
  if (code == 12 && !flags.bs806) return;
  flags.codeGroupH = IsOneOf(code, {2, 3, 4, 5, 6, 16});
  flags.codeHasCombined = IsOneOf(code, {8, 9, 10, 11, 101, 201, 13, 14, 15, 16, 18, 21}) ||
                          (IsOneOf(code, {4, 6, 22}) && hasSoil);
  flags.combined = flags.codeHasCombined && has(kCaseIdSustained) && (flags.expansion || IsOneOf(code, {4, 6, 22}));
  flags.branchConnection = IsOneOf(code, {9, 10, 11, 101, 201}) && has(kCaseIdSustained) && branchSifRows > 0;
}

void ClearResultCases() {
  TheResultCases() = ResultCaseTable{};
  g_ResultCase = 0;
  g_CurrentMode = 1;
}

void OrderResultCases(const ResultsFileContents& contents, int pipingCode, bool hasSoil, int branchSifRows) {
  ResultCaseTable table;
  const int read = static_cast<int>(contents.cases.size()) - 1;
  for (int k = 1; k <= read; ++k) {
    const int type = contents.cases[static_cast<std::size_t>(k)].type;
    if (type == kCaseIdModal || !IsAcceptedResultCaseType(type, pipingCode))
      throw ResultsRefusalText(ResultsRefusal::UnknownCase);
    bool& present = table.flags.present[static_cast<std::size_t>(type)];
    if (present) throw ResultsRefusalText(ResultsRefusal::RepeatedCase);
    present = true;
  }
  for (int type : ResultCaseDisplayOrder()) {
    if (!table.flags.present[static_cast<std::size_t>(type)]) continue;
    for (int k = 1; k <= read; ++k) {
      const ResultCaseOffsets& at = contents.cases[static_cast<std::size_t>(k)];
      if (at.type != type) continue;
      table.cases.push_back({at.type, at.displacements, at.accelerations, at.forces, at.supportLoads});
      break;
    }
  }
  table.count = static_cast<int>(table.cases.size()) - 1;
  QV_ASSERT(table.count == read);
  SetCaseTypeFlags(table.flags, pipingCode, hasSoil, branchSifRows);
  TheResultCases() = std::move(table);
  g_ResultCase = TheResultCases().count > 0 ? 1 : 0;
  g_CurrentMode = 1;
}

int ResultCaseOfType(int type) {
  const ResultCaseTable& table = TheResultCases();
  for (int k = 1; k <= table.count; ++k)
    if (table.cases[static_cast<std::size_t>(k)].type == type) return k;
  return 0;
}

void SelectLoadCaseByType(int type) {
  const int k = ResultCaseOfType(type);
  QV_ASSERT(k != 0);
  g_ResultCase = k;
}

void NextLoadCase() {
  const int count = TheResultCases().count;
  if (count == 0) return;
  g_ResultCase = g_ResultCase >= count ? 1 : g_ResultCase + 1;
}

void PreviousLoadCase() {
  const int count = TheResultCases().count;
  if (count == 0) return;
  g_ResultCase = g_ResultCase <= 1 ? count : g_ResultCase - 1;
}

int CurrentResultCaseType() {
  const ResultCaseTable& table = TheResultCases();
  if (g_ResultCase < 1 || g_ResultCase > table.count) return 0;
  return table.cases[static_cast<std::size_t>(g_ResultCase)].type;
}

std::string CurrentCaseTitle() { return LoadCaseTitle(CurrentResultCaseType()); }

bool IsDynamicCaseType(int type) {
  return type == kCaseIdStaticSeismic || type == kCaseIdResponseSpectrum || type == kCaseIdHarmonic ||
         type == kCaseIdForceSpectrum;
}
bool IsDynamicLoadCase() { return IsDynamicCaseType(CurrentResultCaseType()); }
