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
  std::vector<int> order{32, 124, 1};
  auto run = [&order](int first, int last) {
    for (int type = first; type <= last; ++type) order.push_back(type);
  };
  run(41, 50);
  order.insert(order.end(), {2, 3, 4});
  run(51, 57);
  order.insert(order.end(), {5, 6});
  run(58, 64);
  order.push_back(7);
  run(65, 99);
  order.insert(order.end(), {8, 9, 10});
  run(100, 106);
  order.insert(order.end(), {14, 15, 16, 17});
  run(110, 116);
  order.insert(order.end(), {11, 19, 12, 13, 107, 108, 109, 31, 37, 35, 36});
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
  auto any = [&p](int first, int last) {
    for (int type = first; type <= last; ++type)
      if (p[static_cast<std::size_t>(type)]) return true;
    return false;
  };
  auto has = [&p](int type) { return p[static_cast<std::size_t>(type)]; };
  flags.expansion = any(2, 7) || any(51, 99);
  flags.operating = any(8, 10) || any(100, 106);
  flags.bs806 = code == 12 && (flags.operating || any(15, 17) || any(110, 116));
  flags.occasional = any(12, 13) || has(31) || any(35, 37) || any(107, 109);
  if (code == 12) flags.occasional = false;
  flags.codeStress = has(1) || flags.expansion || flags.occasional || has(11) || (code == 12 && flags.bs806);
  flags.codeGroupH = flags.codeHasCombined = flags.combined = flags.branchConnection = false;
  if (code == 12 && !flags.bs806) return;
  flags.codeGroupH = IsOneOf(code, {2, 3, 4, 5, 6, 16});
  flags.codeHasCombined = IsOneOf(code, {8, 9, 10, 11, 101, 201, 13, 14, 15, 16, 18, 21}) ||
                          (IsOneOf(code, {4, 6, 22}) && hasSoil);
  flags.combined = flags.codeHasCombined && has(1) && (flags.expansion || IsOneOf(code, {4, 6, 22}));
  flags.branchConnection = IsOneOf(code, {9, 10, 11, 101, 201}) && has(1) && branchSifRows > 0;
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
