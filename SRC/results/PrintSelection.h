// The model report and the choice of what it prints.
//
// One flag per section, kept for the life of the process so that a sheet
// reopens with the last choice, and one per load case telling whether its
// result sections print. Two sheets choose them: the Layout window's
// "Print Model" sheet has the model page (PRINT_MODEL_DIALOG, the input
// sections) before its printer page; while results are shown the Layout
// window opens the "Print Results" sheet instead (Model, Load cases,
// Results, Misc and Printer pages) and prints the whole model report. The
// sheets work on a copy of the flags: OK stores it, Cancel forgets it, and
// OK with nothing chosen says "There is nothing to print" and stays open.
//
// A section is offered only when its data exist and the program can write
// it; the result kinds are listed after the results are read
// (PrintResultsChoices) in the report's order.
//
// Every writer here serves the three report roads (printer, text, CSV).
// The model report puts the current load case, its result data and the
// table shown back on every exit, failures included.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

enum class PrintSection : int {
  QaBlock,
  RevisionRecord,
  Options,
  Layout,
  Details,
  Coordinates,
  Materials,
  Sections,
  Loads,
  Spectrums,
  ForceSpectrums,
  TimeFunctions,
  SortedStresses,
  CodeCompliance,
  BranchConnection,
  HangerReport,
  FlangeReport,
  RotatingEquipment,
  SoilRestraints,
  SupportLoadSummary,
  SupportLoads,  // the per-load-case sections start here
  ElementForcesLocal,
  ElementForcesGlobal,
  FrpStresses,
  SortedFrpStresses,
  Displacements,
  FlexJointDisplacements,  // ... and end here
  Frequencies,
  ModeShapes,
  DynamicSusceptibility,
  DynamicStresses,
  Accelerations,
  CentreOfGravity,
  BillOfMaterials,
  TableOfContents,
  Count
};
constexpr int kPrintSectionCount = static_cast<int>(PrintSection::Count);

struct PrintChoices {
  std::array<std::uint8_t, kPrintSectionCount> section{};
  std::vector<std::uint8_t> loadCase = std::vector<std::uint8_t>(1);  // 1 .. number of cases

  std::uint8_t& operator[](PrintSection s) { return section[static_cast<std::size_t>(s)]; }
  std::uint8_t operator[](PrintSection s) const { return section[static_cast<std::size_t>(s)]; }
};

// The program's choice. Its table-of-contents flag is g_CollectContents's
// source: the report sets that flag from it while it runs.
PrintChoices& ThePrintChoices();
// The check box text of a section ("Q.A.Block", "Sorted stresses", ...).
const char* PrintSectionText(PrintSection section);
bool IsPerLoadCaseSection(PrintSection section);
// Whether the model (and the results shown) hold what `section` prints and
// the program can write it.
bool PrintSectionAvailable(PrintSection section);

// The result kinds of the Results page, in the report's order; made by
// PrintResultsChoices after the results are read, empty without results.
std::vector<PrintSection>& PrintResultKinds();
void PrintResultsChoices();
// The load-case page's template for `cases` load cases (PRINT_RESULTS1A_DIALOG ...),
// the Results page's for `kinds` result boxes (PRINT_RESULTS2A_DIALOG ...).
std::string LoadCasePageTemplate(int cases);
std::string ResultKindsPageTemplate(int kinds);

// Something of `choices` would print: a section flag, or a load case with
// a per-load-case section. `modelOnly`: only the model page's sections count.
bool AnyPrintSelected(const PrintChoices& choices, bool modelOnly = false);
// Every available section and load case (all pages).
void SelectEverythingAvailable(PrintChoices& choices);

// The model page of the Layout window's print sheet.
INT_PTR PrintModelSettingsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// The "Print Results" sheet over `owner`; on OK the owner receives
// WM_USER+1, +2 or +3. In a batch run everything available is chosen and
// the owner receives WM_USER+2 without a sheet.
void PrintResultsSheet(HWND owner);
// The Layout window's "Print Model" sheet (the model page and the printer page).
void ShowModelPrintSheet(HWND owner);

// Writes the selected model sections (the Layout window's report).
void PrintSelectedSections();
// Writes the whole model report: cover, revision record, input sections,
// result sections of the chosen load cases, misc sections, contents.
void PrintModelReport();
// The result sections of each chosen load case.
void PrintLoadCaseSection();
// The report of the Layout window: the model report while results are
// shown, else the chosen model sections.
void PrintLayoutReport();
// Before the printer road records the model report: whether its first
// pages are the cover and the revision record (their pages are not
// numbered; the body is numbered from 1).
void PrepareModelReportPages();
