// Category titles, column symbols, labels and presence; see
// CodeCategories.h.
#include "codes/CodeCategories.h"

#include <algorithm>
#include <initializer_list>

#include "codes/Allowables.h"
#include "codes/Bs806Stress.h"
#include "codes/CodeModel.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "records/LoadCaseList.h"
#include "records/Material.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"
#include "services/NumberFormat.h"

namespace {

bool InCodes(int code, std::initializer_list<int> codes) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

struct Titles {
  int codes[5];  // the ids of the row; 0-terminated after the first
  const char* sustained;
  const char* expansion;
  const char* combined;
  const char* occasional;
  const char* settlement;
};

constexpr Titles kTitles[] = {
    {{3}, "Sustained", "Expansion", "", "Occasional (SHO = 1.33SH or 0.9WSy)", "Settlement"},
    {{4}, "Unrestrained (402.6.2)", "Unrestrained (402.5.2)", "Restrained (402.6.1)", "Occasional", "Settlement"},
    {{6}, "Unrestrained (833.6 a,b)", "Unrestrained (833.8)", "Restrained (833.3 a,b)", "Occasional", "Settlement"},
    {{8}, "Sustained (9)", "Expansion (11)", "Expansion (13)", "Occasional (10)", "Settlement (12)"},
    {{9, 10, 11, 101, 201}, "Sustained (8)", "Expansion (10)", "Expansion (11)", "Occasional (9)", "Settlement (10a)"},
    {{12}, "Sustained", "Expansion", "Hot", "Occasional", "Settlement"},
    {{13}, "Sustained (9.32)", "Expansion (9.34)", "Expansion (9.35)", "Occasional (9.33)", "Settlement"},
    {{14}, "Sustained (10.7)", "Expansion (10.9)", "Expansion (10.10)", "Occasional (10.8)", "Settlement"},
    {{15}, "Sustained (6)", "Expansion (7)", "Expansion (8)", "Occasional (10)", "Settlement (9)"},
    {{16}, "Sustained", "Expansion (1)", "Expansion (2)", "Occasional", "Settlement"},
    {{18}, "Sustained (9.37)", "Expansion (9.39)", "Expansion (9.40)", "Occasional (9.38)", "Settlement"},
    {{21}, "Sustained (12.3.2-1)", "Expansion (12.3.4-1)", "Expansion (12.3.4-2)", "Occasional (12.3.3-1)",
     "Settlement (12.3.6-1)"},
    {{22}, "Unrestrained (4.8.5)", "Unrestrained (4.8.4)", "Restrained (4.7.2.1)", "Occasional", "Settlement"},
};
constexpr Titles kOtherTitles = {{}, "Sustained", "Expansion", "", "Occasional", "Settlement"};

const Titles& TitlesOf(int code) {
  for (const Titles& row : kTitles)
    for (int i = 0; i < 5 && (i == 0 || row.codes[i] != 0); ++i)
      if (row.codes[i] == code) return row;
  return kOtherTitles;
}

}  // namespace

const char* SustainedCategoryTitle(int code) { return TitlesOf(code).sustained; }
const char* ExpansionCategoryTitle(int code) { return TitlesOf(code).expansion; }
const char* CombinedCategoryTitle(int code) { return TitlesOf(code).combined; }
const char* OccasionalCategoryTitle(int code) { return TitlesOf(code).occasional; }
const char* SettlementCategoryTitle(int code) { return TitlesOf(code).settlement; }
const char* CreepCategoryTitle(int code) { return code == 16 ? "Creep" : code == 21 ? "Creep (12.3.5-1)" : "None"; }
const char* BuriedCategoryTitle(int code) { return code == 21 ? "Buried Stress (5.2.4)" : "None"; }

const char* CategoryTitle(int code, CodeStressCategory category) {
  switch (category) {
    case CodeStressCategory::Sustained: return SustainedCategoryTitle(code);
    case CodeStressCategory::Expansion: return ExpansionCategoryTitle(code);
    case CodeStressCategory::Combined: return CombinedCategoryTitle(code);
    case CodeStressCategory::Occasional: return OccasionalCategoryTitle(code);
    case CodeStressCategory::Settlement: return SettlementCategoryTitle(code);
    case CodeStressCategory::Creep: return CreepCategoryTitle(code);
    case CodeStressCategory::Buried: return BuriedCategoryTitle(code);
  }
  return "";
}

std::string OccasionalAllowableLabel(const CodeSettings& s) {
  const int code = s.code, level = s.serviceLevel;
  const bool levelInRange = level >= 0 && level <= 2;
  if (code == 3) return "SHO";
  if (code == 4) return "0.80SY";
  if (code == 5 || code == 7) return "1.33SH";
  if (code == 6) return "0.75ST";
  if (code == 8 || code == 15) {
    static const char* const labels[] = {"1.2SH", "1.8SH", "2.4SH"};
    return levelInRange ? labels[level] : "";
  }
  if (IsClass2Or3Code(code)) {
    static const char* const labels[] = {"1.8SH", "2.25SH", "3.0SH"};
    return levelInRange ? labels[level] : "";
  }
  if (code == 16) return "1.2fh";
  if (code == 19 || code == 20) return "SH";
  if (code == 21) return CFormat("%.1f", static_cast<double>(s.seismicCoefficient)) + "ff";
  if (code == 22) return "SFLT";
  return "1.2SH";
}

CategorySymbols ComplianceSymbols(const CodeSettings& s, CodeStressCategory category, bool occasionalPresent) {
  const int code = s.code;
  const bool en = code == 16 || code == 21, nordic = InCodes(code, {13, 14, 18});
  switch (category) {
    case CodeStressCategory::Sustained: {
      std::string stress = code == 12 ? "fc" : en ? "S1" : (IsPipelineCode(code) && occasionalPresent) ? "SL+SO" : "SL";
      std::string allowable = code == 12 ? "max" : code == 16 ? "fh" : code == 21 ? "ff" : code == 6 ? "0.75ST"
                              : code == 4 ? (occasionalPresent ? "0.80SY" : "0.75SY") : code == 22 ? "SFLT"
                              : IsClass2Or3Code(code) ? "1.5SH" : "SH";
      return {stress, allowable};
    }
    case CodeStressCategory::Expansion:
      return {code == 12 ? "fc" : en ? "S3" : "SE",
              code == 12 ? "max" : en ? "fa" : code == 22 ? "0.72ST" : nordic ? "SR" : "SA"};
    case CodeStressCategory::Combined:
      return {code == 12 ? "fc" : en ? "S4" : (code == 4 || code == 6) ? "Seq" : code == 22 ? "Sh-SL+SB"
              : IsClass2Or3Code(code) ? "STE" : "SL+SE",
              code == 12 ? "Rupture" : code == 16 ? "fh+fa" : code == 21 ? "ff+fa" : code == 6 ? "0.9ST"
              : code == 4 ? "0.9SY" : code == 22 ? "ST" : nordic ? "SH+SR" : "SH+SA"};
    case CodeStressCategory::Occasional: return {en ? "S2" : "SL+SO", OccasionalAllowableLabel(s)};
    case CodeStressCategory::Settlement: return {code == 21 ? "S6" : "SS", code == 21 ? "S6a" : "3.0SC"};
    case CodeStressCategory::Creep: return {"S5", "fCR"};
    case CodeStressCategory::Buried: return {"SL", "SLa"};
  }
  return {};
}

std::string PipingCodeTitle(int code) {
  const int position = CodeListPosition(code);
  return position < 0 ? std::string() : PipingCodeLongName(position);
}

const std::vector<int>& OccasionalCaseOrder() {
  static const std::vector<int> order = {kCaseIdStaticSeismic, kCaseIdWind, kCaseIdWind2, kCaseIdWind3, kCaseIdWind4,
                                         kCaseIdResponseSpectrum, kCaseIdForceSpectrum, kCaseIdTimeHistory,
                                         kCaseIdHarmonic};
  return order;
}

namespace {

// Expansion case type -> (i, j), built once in the order of the cases.
struct ExpansionCase {
  int type, i, j;
};

const std::vector<ExpansionCase>& ExpansionCases() {
  static const std::vector<ExpansionCase> cases = [] {
    std::vector<ExpansionCase> list;
    for (int i = 1; i <= 10; ++i) list.push_back({SingleThermalCase(i), i, 0});
    // The ranges Ti-Tj by Ti, then by Tj.
    for (int i = 1; i <= 9; ++i)
      for (int j = i + 1; j <= 10; ++j) list.push_back({ThermalRangeCase(i, j), i, j});
    return list;
  }();
  return cases;
}

}  // namespace

const std::vector<int>& ExpansionCaseOrder() {
  static const std::vector<int> order = [] {
    std::vector<int> types;
    for (const ExpansionCase& c : ExpansionCases()) types.push_back(c.type);
    return types;
  }();
  return order;
}

bool ExpansionCaseTemperatures(int caseType, int& i, int& j) {
  for (const ExpansionCase& c : ExpansionCases())
    if (c.type == caseType) {
      i = c.i;
      j = c.j;
      return true;
    }
  return false;
}

CategoryPresence CategoriesPresent(const CodeModel& cm, const std::vector<int>& caseTypes) {
  const int code = cm.settings.code;
  auto has = [&caseTypes](int type) { return std::find(caseTypes.begin(), caseTypes.end(), type) != caseTypes.end(); };
  CategoryPresence p;
  p.sustained = has(kCaseIdSustained);
  for (int type : ExpansionCaseOrder()) p.expansion = p.expansion || has(type);
  p.operating = has(kCaseIdOperating);
  if (code != 12)
    for (int type : OccasionalCaseOrder()) p.occasional = p.occasional || has(type);
  p.settlement = has(kCaseIdSettlement) && InCodes(code, {8, 9, 10, 11, 101, 201, 15, 21});
  p.hydrotest = has(kCaseIdHydrotest);
  p.uncoded = has(kCaseIdStaticAnalysis);
  const bool soil = ModelHasBuriedPipe(cm.model);
  const bool pipeline = IsPipelineCode(code);
  p.combined = p.sustained && (p.expansion || pipeline) &&
               (InCodes(code, {8, 9, 10, 11, 101, 201, 13, 14, 15, 16, 18, 21}) || (pipeline && soil));
  if ((code == 21 || code == 16) && p.combined) {
    for (int e = 1; e <= cm.ElementCount() && !p.creep; ++e) {
      const AnalysisElement& element = cm.Element(e);
      const Material* m = cm.MaterialOf(element);
      if (m != nullptr && CreepTemperature(*m) != 0.0 &&
          CreepAllowableAtTemperature(*m, ElementMaxTemp(cm.model, element)) > 0.0)
        p.creep = true;
    }
  }
  p.buried = code == 21 && soil;
  // BS 806 has its hot check in the combined place: the operating and cold
  // spring cases.
  if (code == 12) {
    p.combined = false;
    for (int i = 1; i <= 10 && !p.combined; ++i) p.combined = Bs806HotCaseType(caseTypes, i) != 0;
  }
  return p;
}

bool ComplianceShowsRatios(const CategoryPresence& p) {
  const int columns = 3 * (p.sustained + p.expansion + p.combined + p.occasional) +
                      2 * (p.settlement + p.creep + p.buried);
  return columns < 17;
}
