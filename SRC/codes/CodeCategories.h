// The vocabulary of the code compliance results per piping code: the seven
// stress categories with their titles (the code's clause or equation
// number), the stress and allowable symbols of the compliance columns, the
// occasional allowable label, the long code name, whether the compliance
// table starts with its ratio columns shown, and which categories a set of
// results holds (from its load-case types) with the temperatures of each
// expansion case.
//
// Titles and symbols are constant texts; labels that are built (the
// occasional allowable of EN 13480) are returned as owned strings.
#pragma once

#include <string>
#include <vector>

class CodeModel;
struct CodeSettings;

enum class CodeStressCategory { Sustained, Expansion, Combined, Occasional, Settlement, Creep, Buried };

const char* SustainedCategoryTitle(int code);
const char* ExpansionCategoryTitle(int code);
const char* CombinedCategoryTitle(int code);  // empty for codes without the combined check
const char* OccasionalCategoryTitle(int code);
const char* SettlementCategoryTitle(int code);
const char* CreepCategoryTitle(int code);     // "None" for codes without creep
const char* BuriedCategoryTitle(int code);    // "None" but for EN 13480
const char* CategoryTitle(int code, CodeStressCategory category);

// "SHO", "1.2SH", "1.8SH" ... by code and service level; EN 13480 the
// seismic coefficient with one decimal and "ff" ("1.2ff"); empty for a
// service level out of range.
std::string OccasionalAllowableLabel(const CodeSettings& settings);

// Heading line 1 of a category's stress and allowable columns.
struct CategorySymbols {
  std::string stress;
  std::string allowable;
};
CategorySymbols ComplianceSymbols(const CodeSettings& settings, CodeStressCategory category, bool occasionalPresent);

// "B31.3 (2016)" ...; empty for an id outside the code list.
std::string PipingCodeTitle(int code);

// The categories a set of results holds and the cases each computes.
struct CategoryPresence {
  bool sustained = false;
  bool expansion = false;
  bool operating = false;    // the case "Operating (W+P1+T1)"
  bool occasional = false;
  bool settlement = false;
  bool hydrotest = false;
  bool combined = false;
  bool creep = false;
  bool buried = false;
  bool uncoded = false;
};
CategoryPresence CategoriesPresent(const CodeModel& cm, const std::vector<int>& caseTypes);

// The compliance table shows its ratio columns when the category groups
// present take fewer than 17 columns.
bool ComplianceShowsRatios(const CategoryPresence& presence);

// The occasional case types in the order they are computed.
const std::vector<int>& OccasionalCaseOrder();
// The expansion case types in the order they are computed.
const std::vector<int>& ExpansionCaseOrder();
// The temperatures of an expansion case type: Ti alone (j = 0, the
// reference temperature is the other) or the range Ti-Tj; false for
// another type.
bool ExpansionCaseTemperatures(int caseType, int& i, int& j);
