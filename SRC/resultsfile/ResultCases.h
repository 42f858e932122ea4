// The result cases: every analysed load case of the results file but the
// modal case is one result case, numbered 1, 2, ... in a fixed display
// order of LoadCaseType (static and weight cases, sustained, expansion
// ranges, operating, cold spring, settlement, hydrotest, then the
// occasional cases), whatever their order in the file. The tables work on
// one case at a time, the current result case (g_ResultCase), and move
// between cases with wrapping; the modal results have their current mode
// (g_CurrentMode).
//
// Beside the numbering this module keeps which kinds of load case the
// results hold: one flag per LoadCaseType and the derived flags that the
// result tables, the chooser and the code stresses test. They are made
// once, by OrderResultCases, when a results file is read.
//
// A file that holds a case type outside the accepted list, the same type
// twice, or a settlement case under a code that does not take one never
// comes from our writer: OrderResultCases refuses it with the results
// reader's refusal (ResultsRefusalText) before anything is numbered. Start at OrderResultCases.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records/LoadCaseList.h"

struct ResultsFileContents;

// Where the blocks of one result case lie in the results file.
struct ResultCase {
  int type = 0;
  std::int64_t displacements = 0;
  std::int64_t accelerations = 0;  // response spectrum only
  std::int64_t forces = 0;
  std::int64_t supportLoads = 0;
};

// What the results hold, by LoadCaseType and derived from it.
struct ResultAvailability {
  std::array<bool, kLoadCaseTypeCount> present{};
  bool expansion = false;        // a type 2 to 7 or 51 to 99
  bool operating = false;        // a type 8, 9, 10 or 100 to 106
  bool bs806 = false;            // code 12: an operating or cold spring case
  bool occasional = false;       // seismic, wind, spectra, time history, harmonic (never code 12)
  bool codeStress = false;       // any case that has code stresses
  bool codeGroupH = false;       // code 2, 3, 4, 5, 6 or 16
  bool codeHasCombined = false;  // the code has a combined category
  bool combined = false;         // ... and the cases for it
  bool branchConnection = false; // Class 2/3 branch connection stresses
  bool creep = false;            // set by the post-read steps
  bool buried = false;           // set by the post-read steps
};

// The result case table; entry 0 unused, entries 1 .. count in display order.
struct ResultCaseTable {
  std::vector<ResultCase> cases = std::vector<ResultCase>(1);
  int count = 0;
  ResultAvailability flags;
};

ResultCaseTable& TheResultCases();
// The current result case (1-based, 0 with no cases) and the current mode
// (1-based); both 1 after results are read.
extern int g_ResultCase;
extern int g_CurrentMode;

// The display order of LoadCaseType (every type that a result case may have).
const std::vector<int>& ResultCaseDisplayOrder();
// True for the types a results file may hold (30 included), for `pipingCode`.
bool IsAcceptedResultCaseType(int type, int pipingCode);
// Code ids whose settlement case (11) counts.
bool CodeTakesSettlement(int pipingCode);

// Numbers the cases of `contents` (file order) in display order, sets the
// flags for `pipingCode`, and makes case 1 and mode 1 current. `hasSoil`:
// some pipe section names a soil; `branchSifRows`: the number of Branch SIF
// rows. Throws the reader's refusal for a file whose cases no writer of
// ours makes (see the head comment).
void OrderResultCases(const ResultsFileContents& contents, int pipingCode, bool hasSoil, int branchSifRows);
// Forgets every case and flag.
void ClearResultCases();

// The derived flags of the present types (SetCaseTypeFlags).
void SetCaseTypeFlags(ResultAvailability& flags, int pipingCode, bool hasSoil, int branchSifRows);

// Makes the case of `type` current; a type without a case is a programming
// error.
void SelectLoadCaseByType(int type);
// The number of the case of `type`, 0 when the results have none.
int ResultCaseOfType(int type);
// Next and previous case, wrapping; nothing is loaded.
void NextLoadCase();
void PreviousLoadCase();
// The LoadCaseType of the current case (0 with none).
int CurrentResultCaseType();
// The title of the current case's type ("Sustained (W+P)" ...).
std::string CurrentCaseTitle();
// Types 12, 31, 36 and 37.
bool IsDynamicLoadCase();
bool IsDynamicCaseType(int type);
