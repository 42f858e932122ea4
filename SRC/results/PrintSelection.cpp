// The model report and its selection (see PrintSelection.h).
#include "results/PrintSelection.h"

#include <algorithm>
#include <functional>

#include "analysis/AnalysisOptionsReport.h"
#include "codes/CodeStressDriver.h"
#include "editing/LayoutEditors.h"
#include "editing/NodeList.h"
#include "editing/RevisionRecordDialog.h"
#include "editing/WeightAndCg.h"
#include "elements/CompressorList.h"
#include "elements/KindTable.h"
#include "evaluations/AllowablesList.h"
#include "evaluations/FlangeReport.h"
#include "evaluations/PumpList.h"
#include "loads/ForceSpectraTable.h"
#include "loads/LoadsReport.h"
#include "loads/SpectrumPrint.h"
#include "loads/TimeFunctionsTable.h"
#include "model/Model.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/PropertySheet.h"
#include "platform/Window.h"
#include "printing/PrintSheet.h"
#include "printing/PrinterReport.h"
#include "printing/PrinterSettings.h"
#include "printing/ReportOutput.h"
#include "properties/BeamMaterialsTable.h"
#include "properties/BeamSectionsTable.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "properties/SoilsTable.h"
#include "records/ForceSpectrum.h"
#include "records/LoadCaseList.h"
#include "records/Spectrum.h"
#include "records/StaticSeismic.h"
#include "records/TimeFunction.h"
#include "records/Wind.h"
#include "results/AccelerationsTable.h"
#include "results/BillOfMaterials.h"
#include "results/BranchConnectionTable.h"
#include "results/CodeComplianceTable.h"
#include "results/CodeStressResults.h"
#include "results/DisplacementTables.h"
#include "results/DynamicStresses.h"
#include "results/ElementForceReports.h"
#include "results/FrpStresses.h"
#include "results/JointDisplacementTables.h"
#include "results/ModalTables.h"
#include "results/OtherSelectors.h"
#include "results/QaBlock.h"
#include "results/RotatingEquipmentReport.h"
#include "results/SoilRestraintsTable.h"
#include "results/SortedStressesTable.h"
#include "resultsfile/ResultBlocks.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultsFile.h"
#include "services/Frame.h"
#include "services/LoadCaseTypes.h"
#include "services/NameTables.h"
#include "services/ProgramContext.h"
#include "services/ReportMode.h"
#include "services/TableWindow.h"
#include "services/TableWindowSupport.h"
#include "supports/DisplacementSets.h"
#include "supports/HangerResults.h"
#include "supports/SupportKindList.h"
#include "supports/SupportLoadSummary.h"

namespace {

using S = PrintSection;

constexpr S kFirstPerCase = S::SupportLoads;
constexpr S kLastPerCase = S::FlexJointDisplacements;

const char* const kTexts[kPrintSectionCount] = {
    "Q.A.Block",          "Rev. Record",        "Options",
    "Layout",             "Details",            "Coordinates",
    "Materials",          "Sections",           "Loads",
    "Spectrums",          "Force spectrums",    "Time functions",
    "Sorted stresses",    "Code compliance",    "Branch conn stresses",
    "Hanger report",      "Flange report",      "Rot. equipment report",
    "Soil restraints",    "Support load summary", "Support loads",
    "Element forces (local)", "Element forces (global)", "FRP Stresses",
    "Sorted FRP Stresses", "Displacements",     "Flex joint displacements",
    "Frequencies",        "Mode shapes",        "Dynamic susceptibility",
    "Dynamic stresses",   "Accelerations",      "Center of gravity",
    "Bill of materials",  "Table of contents"};

bool AnyWindDefined(const Model& model) {
  for (int i = 0; i < 4; ++i)
    if (IsWindDefined(model.wind, i)) return true;
  return false;
}

int CaseCount() { return TableResultsShown() ? TheResultCases().count : 0; }

// Load-case bytes for the cases of the results shown; a case new to the
// choice is chosen.
void SizeLoadCases(PrintChoices& choices) {
  const std::size_t wanted = static_cast<std::size_t>(CaseCount()) + 1;
  if (choices.loadCase.size() < wanted) choices.loadCase.resize(wanted, 1);
}

bool AnyLoadCase(const PrintChoices& choices) {
  const int cases = CaseCount();
  for (int i = 1; i <= cases && static_cast<std::size_t>(i) < choices.loadCase.size(); ++i)
    if (choices.loadCase[static_cast<std::size_t>(i)] != 0) return true;
  return false;
}

bool On(const PrintChoices& choices, S s) { return choices[s] != 0 && PrintSectionAvailable(s); }

// --- the sheets' pages ---------------------------------------------------------------

enum class PageKind { LayoutModel, ResultsModel, LoadCases, Results, Misc };

struct PageBox {
  int id = 0;
  S section = S::Count;  // S::Count: the box of load case `loadCase`
  int loadCase = 0;
};

struct PageData {
  PageKind kind = PageKind::LayoutModel;
  int index = 0;  // in its sheet
  std::vector<PageBox> boxes;
};

struct SheetWork {
  PrintChoices work;
  std::vector<PageData> pages;
  int current = 0;
  bool resultsSheet = false;
};

SheetWork& Work() {
  static SheetWork work;
  return work;
}

int& LastResultsPage() {
  static int page = 0;
  return page;
}

// The boxes a sheet's model page hides when the data are missing, in the
// order they take the free places.
constexpr S kHideable[] = {S::Spectrums, S::ForceSpectrums, S::TimeFunctions};

// A shown box after a hidden one moves up to the first free place.
void PlaceHideableBoxes(HWND page, const PageData& data) {
  std::vector<RECT> places;
  std::vector<HWND> shown;
  for (S s : kHideable) {
    for (const PageBox& box : data.boxes) {
      if (box.section != s) continue;
      HWND control = GetDlgItem(page, box.id);
      if (control == nullptr) continue;
      RECT rect{};
      GetWindowRect(control, &rect);
      POINT corner{rect.left, rect.top};
      ScreenToClient(page, &corner);
      places.push_back(RECT{corner.x, corner.y, rect.right - rect.left, rect.bottom - rect.top});
      if (PrintSectionAvailable(s)) shown.push_back(control);
      else ShowWindow(control, SW_HIDE);
    }
  }
  // Places are kept in the template's order, which is the order of the boxes.
  std::sort(places.begin(), places.end(), [](const RECT& a, const RECT& b) {
    return a.left != b.left ? a.left < b.left : a.top < b.top;
  });
  for (std::size_t i = 0; i < shown.size() && i < places.size(); ++i)
    MoveWindow(shown[i], places[i].left, places[i].top, places[i].right, places[i].bottom, TRUE);
}

// Per-load-case kinds need a load case, and the contents need something
// else to list. A section the model lacks keeps its flag (it prints
// nothing), so the next model that has it prints it as chosen before.
void Normalize(PrintChoices& choices) {
  if (TableResultsShown() && !AnyLoadCase(choices))
    for (int s = static_cast<int>(kFirstPerCase); s <= static_cast<int>(kLastPerCase); ++s)
      choices[static_cast<S>(s)] = 0;
  PrintChoices others = choices;
  others[S::TableOfContents] = 0;
  if (!AnyPrintSelected(others)) choices[S::TableOfContents] = 0;
}

bool BoxEnabled(const PrintChoices& choices, const PageBox& box) {
  if (box.section == S::Count) return true;
  if (!PrintSectionAvailable(box.section)) return false;
  if (IsPerLoadCaseSection(box.section)) return AnyLoadCase(choices);
  if (box.section == S::TableOfContents) return choices[S::TableOfContents] != 0 || [&] {
    PrintChoices others = choices;
    others[S::TableOfContents] = 0;
    return AnyPrintSelected(others);
  }();
  return true;
}

bool BoxChecked(const PrintChoices& choices, const PageBox& box) {
  if (box.section == S::Count) return choices.loadCase[static_cast<std::size_t>(box.loadCase)] != 0;
  return choices[box.section] != 0 && BoxEnabled(choices, box);
}

void FillPage(HWND page, const PageData& data) {
  const PrintChoices& choices = Work().work;
  for (const PageBox& box : data.boxes) {
    HWND control = GetDlgItem(page, box.id);
    if (control == nullptr) continue;
    const bool enabled = BoxEnabled(choices, box);
    EnableWindow(control, enabled ? TRUE : FALSE);
    CheckDlgButton(page, box.id, BoxChecked(choices, box) ? BST_CHECKED : BST_UNCHECKED);
  }
}

bool SheetAnySelected() { return AnyPrintSelected(Work().work, !Work().resultsSheet); }

void SetBox(PrintChoices& choices, const PageBox& box, bool on) {
  if (box.section == S::Count) choices.loadCase[static_cast<std::size_t>(box.loadCase)] = on ? 1 : 0;
  else choices[box.section] = on ? 1 : 0;
}

// All (true) or None on one page's boxes, in the working choice.
void SetPage(const PageData& data, bool on) {
  PrintChoices& choices = Work().work;
  for (const PageBox& box : data.boxes) {
    if (box.section != S::Count && !PrintSectionAvailable(box.section)) continue;
    SetBox(choices, box, on);
  }
}

void Refresh(HWND sheet) {
  Normalize(Work().work);
  HWND page = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  const int current = Work().current;
  if (page != nullptr && current >= 0 && static_cast<std::size_t>(current) < Work().pages.size())
    FillPage(page, Work().pages[static_cast<std::size_t>(current)]);
  EnablePrintChoice(sheet, SheetAnySelected());
}

INT_PTR SelectionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* sheetPage = reinterpret_cast<PROPSHEETPAGE*>(lParam);
    SetWindowLongPtr(page, DWLP_USER, sheetPage->lParam);
    auto* data = reinterpret_cast<PageData*>(sheetPage->lParam);
    if (data->kind == PageKind::LayoutModel || data->kind == PageKind::ResultsModel) PlaceHideableBoxes(page, *data);
    FillPage(page, *data);
    return TRUE;
  }
  auto* data = reinterpret_cast<PageData*>(GetWindowLongPtr(page, DWLP_USER));
  if (data == nullptr) return FALSE;
  HWND sheet = GetParent(page);
  if (message == WM_NOTIFY) {
    const auto* notify = reinterpret_cast<const NMHDR*>(lParam);
    if (notify->code == PSN_SETACTIVE) {
      Work().current = data->index;
      Normalize(Work().work);
      FillPage(page, *data);
      EnablePrintChoice(sheet, SheetAnySelected());
    }
    return FALSE;
  }
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
  const int id = LOWORD(wParam);
  if (data->kind == PageKind::LayoutModel && (id == 1001 || id == 1002)) {
    SetPage(*data, id == 1001);
    Refresh(sheet);
    return TRUE;
  }
  for (const PageBox& box : data->boxes) {
    if (box.id != id) continue;
    SetBox(Work().work, box, IsDlgButtonChecked(page, id) == BST_CHECKED);
    Refresh(sheet);
    return TRUE;
  }
  return FALSE;
}

PageData ModelPage(PageKind kind) {
  PageData data;
  data.kind = kind;
  if (kind == PageKind::LayoutModel) {
    int id = 1101;
    for (S s : {S::Options, S::Layout, S::Details, S::Coordinates, S::Materials, S::Sections, S::Loads, S::Spectrums,
                S::ForceSpectrums, S::TimeFunctions})
      data.boxes.push_back(PageBox{id++, s, 0});
    return data;
  }
  int id = 1101;
  for (S s : {S::QaBlock, S::Options, S::Layout, S::Details, S::Coordinates, S::Materials, S::Sections, S::Loads,
              S::Spectrums, S::ForceSpectrums, S::TimeFunctions, S::RevisionRecord})
    data.boxes.push_back(PageBox{id++, s, 0});
  return data;
}

// The load-case page's and the Results page's boxes are labelled and
// shown by the program.
INT_PTR LabelledPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* data = reinterpret_cast<PageData*>(reinterpret_cast<PROPSHEETPAGE*>(lParam)->lParam);
    for (const PageBox& box : data->boxes) {
      std::string text = box.section == S::Count
                             ? LoadCaseTitle(TheResultCases().cases[static_cast<std::size_t>(box.loadCase)].type)
                             : PrintSectionText(box.section);
      SetDlgItemText(page, box.id, text.c_str());
      ShowWindow(GetDlgItem(page, box.id), SW_SHOW);
    }
  }
  return SelectionPageProc(page, message, wParam, lParam);
}

void ApplyAllOrNone(HWND sheet, int id) {
  const bool on = id == 1003;
  // With Shift held only the current page changes.
  if (GetKeyState(VK_SHIFT) < 0) {
    const int current = Work().current;
    if (current >= 0 && static_cast<std::size_t>(current) < Work().pages.size())
      SetPage(Work().pages[static_cast<std::size_t>(current)], on);
  } else if (on) {
    SelectEverythingAvailable(Work().work);
  } else {
    Work().work.section.fill(0);
    std::fill(Work().work.loadCase.begin(), Work().work.loadCase.end(), 0);
  }
  Refresh(sheet);
}

// The "Details" part of the model report: every kind's section, and the
// tables that sit among them, in the order of their names, so a reader
// finds a kind where the alphabet puts it. Each prints nothing when its
// kind has nothing. The compressor and turbine inputs share one module
// but stand at their own names.
void PrintElementDetails() {
  if (!g_ReportFileOpen) BeginReportSection("Details", 0);
  const auto data = [](DataType type) {
    if (const DataKindModule* kind = DataKindModuleOf(type); kind != nullptr && kind->printSection != nullptr)
      kind->printSection();
  };
  const auto element = [](ElementType type) {
    if (const ElementKindModule* kind = ElementKindModuleOf(type); kind != nullptr && kind->printSection != nullptr)
      kind->printSection();
  };
  data(DataType::Anchor);
  PrintAllowables();
  element(ElementType::BallJoint);
  element(ElementType::Beam);
  element(ElementType::Bellows);
  element(ElementType::Bend);
  data(DataType::BranchSif);
  data(DataType::ConcentratedMass);
  PrintCompressors();
  element(ElementType::CutPipe);
  element(ElementType::Elastic);
  data(DataType::Flange);
  data(DataType::Force);
  data(DataType::ForceSpectrumLoad);
  data(DataType::Guide);
  data(DataType::GenericSupport);
  data(DataType::Hanger);
  data(DataType::HarmonicLoad);
  element(ElementType::HingeJoint);
  data(DataType::Spider);  // the jacket connections: spiders and end caps
  element(ElementType::JacketedPipe);
  data(DataType::LimitStop);
  element(ElementType::Miter);
  data(DataType::Nozzle);  // with the nozzle stiffnesses after the nozzles
  WritePumpsReport();
  element(ElementType::Reducer);
  data(DataType::Restraint);
  element(ElementType::Rigid);
  data(DataType::SkewedRestraint);
  element(ElementType::SlipJoint);
  data(DataType::Snubber);
  PrintSpecifiedDisplacements();
  data(DataType::ThreadedJoint);
  element(ElementType::TieRod);
  data(DataType::TimeVaryingLoad);
  PrintTurbines();
  data(DataType::UserSif);
  element(ElementType::Valve);
  data(DataType::Weld);
}

// The report writers of the model sections.
void PrintInputSections(const PrintChoices& c) {
  if (On(c, S::Options)) PrintAnalysisOptions();
  if (On(c, S::Layout)) PrintLayout();
  if (On(c, S::Details)) PrintElementDetails();
  if (On(c, S::Coordinates)) PrintNodeList();
  if (On(c, S::Materials)) {
    PrintMaterials();
    PrintBeamMaterials();
  }
  if (On(c, S::Sections)) {
    PrintSections();
    PrintBeamSections();
    PrintSoils();
  }
  if (On(c, S::Loads)) PrintModelLoads();
  if (On(c, S::Spectrums)) PrintSpectra();
  if (On(c, S::ForceSpectrums)) PrintForceSpectra();
  if (On(c, S::TimeFunctions)) PrintTimeFunctions();
}

// The load case, the axes of the forces and the table shown when the
// report began, put back however it ends: the report opens the result
// tables it prints through, in every case chosen.
class ResultStateGuard {
 public:
  ResultStateGuard()
      : resultCase_(g_ResultCase),
        globalForces_(g_ShowGlobalForces),
        opener_(ResultsReopenCommand()),
        shown_(ShownResultTable() != nullptr),
        lastDisplacements_(DisplacementFamily().last),
        lastForces_(ForceFamily().last),
        caption_(WindowText(ResultsFrame().window)) {}
  ~ResultStateGuard() {
    g_ShowGlobalForces = globalForces_;
    g_ResultCase = resultCase_;
    DisplacementFamily().last = lastDisplacements_;
    ForceFamily().last = lastForces_;
    try {
      if (g_ResultCase > 0) {
        LoadCaseDisplacements(TheModel());
        LoadCaseElementForces();
        LoadCaseSupportLoads(TheModel());
      }
      SetResultsReopenCommand(opener_);
      if (shown_ && opener_ != nullptr) {
        ReopenResultTable();
      } else if (!shown_ && ShownResultTable() != nullptr) {
        TableWindowClose(ResultsTableWindow());
        SetResultsReopenCommand(opener_);
      }
      if (ResultsFrame().window != nullptr) SetWindowText(ResultsFrame().window, caption_.c_str());
    } catch (...) {
      // A destructor must not throw; the next table opened loads its data.
    }
  }
  ResultStateGuard(const ResultStateGuard&) = delete;
  ResultStateGuard& operator=(const ResultStateGuard&) = delete;

 private:
  static std::string WindowText(HWND window) {
    if (window == nullptr) return {};
    char text[256] = {};
    GetWindowText(window, text, sizeof text);
    return text;
  }
  int resultCase_;
  bool globalForces_;
  ResultOpener opener_;
  bool shown_;
  ResultOpener lastDisplacements_, lastForces_;
  std::string caption_;
};

// Prints the table `opener` shows (the tables print what they show).
void PrintThroughTable(ResultOpener opener) {
  opener();
  if (ShownResultTable() != nullptr) TableWindowPrint(ResultsTableWindow());
}

// The revision record pages, unnumbered, and the count that makes the
// body start at page 1.
void PrintRevisionPages(bool afterCover) {
  if (!g_ReportFileOpen) {
    PrinterPageGeometry& page = PrinterPage();
    if (afterCover) {
      g_SuppressPageNumber = true;
      PrinterPageHeading();
    }
    const int first = g_PrinterPage;
    g_SuppressPageNumber = true;
    PrintRevisionRecord();
    g_RevisionPageCount = g_PrinterPage - first + 1;
    g_SuppressPageNumber = false;
    if (page.y > page.bodyTop) PrinterPageHeading();
    return;
  }
  if (g_ReportToFile) {
    PrintRevisionRecord();
    return;
  }
  // The header of the page the record starts on is made already, unnumbered.
  const int first = g_ReportPage;
  g_ReportPageNumberOff = true;
  PrintRevisionRecord();
  g_ReportPageNumberOff = false;
  g_ReportUnnumberedPages += g_ReportPage - first + 1;
  ReportNewPage();
}

// Text road: the page numbers are put back however the report ends.
class PageNumberGuard {
 public:
  PageNumberGuard() = default;
  ~PageNumberGuard() {
    g_ReportUnnumberedPages = 0;
    g_ReportPageNumberOff = false;
    g_SuppressPageNumber = false;
  }
  PageNumberGuard(const PageNumberGuard&) = delete;
  PageNumberGuard& operator=(const PageNumberGuard&) = delete;
};

void PrintResultSections(const PrintChoices& c) {
  if (On(c, S::SortedStresses)) PrintThroughTable(OpenSortedStressesTable);
  if (On(c, S::CodeCompliance)) PrintThroughTable(OpenCodeComplianceTable);
  if (On(c, S::BranchConnection)) PrintBranchConStresses();
  if (On(c, S::HangerReport)) PrintThroughTable(OpenHangerReport);
  if (On(c, S::FlangeReport)) PrintFlangeReport();
  if (On(c, S::RotatingEquipment)) PrintRotatingEquipmentReports();
  if (On(c, S::SoilRestraints)) PrintSoilRestraints();
  if (On(c, S::SupportLoadSummary)) PrintSupportLoadSummaries();
  if (AnyLoadCase(c)) PrintLoadCaseSection();
  if (On(c, S::Frequencies)) PrintThroughTable(OpenFrequenciesTable);
  if (On(c, S::ModeShapes)) PrintThroughTable(OpenModeShapeTable);
  if (On(c, S::DynamicSusceptibility)) PrintThroughTable(OpenDynamicSusceptibilityTable);
  if (On(c, S::DynamicStresses)) PrintThroughTable(OpenDynamicStressesTable);
  if (On(c, S::Accelerations)) PrintThroughTable(OpenResponseAccelerationsTable);
}

}  // namespace

PrintChoices& ThePrintChoices() {
  static PrintChoices choices = [] {
    PrintChoices made;
    made.section.fill(1);
    return made;
  }();
  return choices;
}

const char* PrintSectionText(PrintSection section) {
  const int i = static_cast<int>(section);
  return i >= 0 && i < kPrintSectionCount ? kTexts[i] : "";
}

bool IsPerLoadCaseSection(PrintSection section) { return section >= kFirstPerCase && section <= kLastPerCase; }

bool PrintSectionAvailable(PrintSection section) {
  const Model& model = TheModel();
  switch (section) {
    case S::QaBlock:
    case S::Options: return true;
    case S::RevisionRecord: return model.revisions.count > 0;
    case S::Layout:
    case S::Details:
    case S::Coordinates: return model.rowCount > 0;
    case S::Materials: return model.materials.count > 0 || model.beamMaterials.count > 0;
    case S::Sections: return model.sections.count > 0 || model.beamSections.count > 0;
    case S::Loads:
      return model.pipeLoads.count > 0 || model.beamLoads.count > 0 || HasStaticSeismicLoad(model.seismic) ||
             HasResponseSpectrumLoad(model.spectrumLoad) || AnyWindDefined(model);
    case S::Spectrums: return HasSpectra(model.spectra);
    case S::ForceSpectrums: return HasForceSpectra(model.forceSpectra);
    case S::TimeFunctions: return HasTimeFunctions(model.timeFunctions);
    case S::CentreOfGravity: return TableResultsShown() && model.rowCount > 0;
    case S::BillOfMaterials: return TableResultsShown() && model.rowCount > 0;
    case S::TableOfContents: return TableResultsShown();
    default: break;
  }
  if (!TableResultsShown()) return false;
  const std::vector<PrintSection>& kinds = PrintResultKinds();
  return std::find(kinds.begin(), kinds.end(), section) != kinds.end();
}

std::vector<PrintSection>& PrintResultKinds() {
  static std::vector<PrintSection> kinds;
  return kinds;
}

void PrintResultsChoices() {
  std::vector<PrintSection>& kinds = PrintResultKinds();
  kinds.clear();
  const ResultAvailability& flags = TheResultCases().flags;
  const bool cases = TheResultCases().count > 0;
  const bool staticAnalysis = ResultCaseOfType(kCaseIdStaticAnalysis) != 0;
  if ((flags.codeStress || staticAnalysis) && SortedStressesOffered()) {
    kinds.push_back(S::SortedStresses);
    if (flags.codeStress && CodeStressesAvailable() && !TheCodeStresses().stressOnly)
      kinds.push_back(S::CodeCompliance);
  }
  if (flags.branchConnection && BranchConnectionStressesOffered()) kinds.push_back(S::BranchConnection);
  if (HangerReportOffered()) kinds.push_back(S::HangerReport);
  if (FlangeReportAvailable()) kinds.push_back(S::FlangeReport);
  if (RotatingEquipmentReportAvailable()) kinds.push_back(S::RotatingEquipment);
  if (SoilRestraintsAvailable()) kinds.push_back(S::SoilRestraints);
  if (SupportLoadSummaryAvailable()) kinds.push_back(S::SupportLoadSummary);
  if (cases) {
    if (!SupportKinds().empty()) kinds.push_back(S::SupportLoads);
    if (ElementForceSectionsOffered()) {
      kinds.push_back(S::ElementForcesLocal);
      kinds.push_back(S::ElementForcesGlobal);
    }
    if (FrpStressesOffered()) {
      kinds.push_back(S::FrpStresses);
      kinds.push_back(S::SortedFrpStresses);
    }
    kinds.push_back(S::Displacements);
    if (!TheResults().flexibleJoints.empty()) kinds.push_back(S::FlexJointDisplacements);
  }
  if (ResultModeCount() > 0) {
    kinds.push_back(S::Frequencies);
    kinds.push_back(S::ModeShapes);
  }
  if (TheDynamicStresses().available) {
    kinds.push_back(S::DynamicSusceptibility);
    kinds.push_back(S::DynamicStresses);
  }
  if (ResultCaseOfType(kCaseIdResponseSpectrum) != 0) kinds.push_back(S::Accelerations);
}

std::string LoadCasePageTemplate(int cases) {
  const struct {
    int below;
    const char* suffix;
  } sizes[] = {{4, "1A"}, {6, "1B"}, {8, "1C"}, {13, "1D"}, {17, "1E"}, {21, "1F"},
               {23, "1G"}, {45, "1H"}, {67, "1I"}, {89, "1J"}};
  for (const auto& size : sizes)
    if (cases < size.below) return std::string("PRINT_RESULTS") + size.suffix + "_DIALOG";
  return "PRINT_RESULTS1K_DIALOG";
}

std::string ResultKindsPageTemplate(int kinds) {
  const struct {
    int below;
    const char* suffix;
  } sizes[] = {{4, "2A"}, {6, "2B"}, {7, "2C"}, {9, "2D"}, {11, "2E"}, {13, "2F"}, {15, "2G"}, {17, "16"}, {19, "18"}};
  for (const auto& size : sizes)
    if (kinds < size.below) return std::string("PRINT_RESULTS") + size.suffix + "_DIALOG";
  return "PRINT_RESULTS20_DIALOG";
}

bool AnyPrintSelected(const PrintChoices& choices, bool modelOnly) {
  for (int i = 0; i < kPrintSectionCount; ++i) {
    const S s = static_cast<S>(i);
    if (modelOnly && (s < S::Options || s > S::TimeFunctions)) continue;
    if (!On(choices, s)) continue;
    if (IsPerLoadCaseSection(s) && !AnyLoadCase(choices)) continue;
    return true;
  }
  return false;
}

void SelectEverythingAvailable(PrintChoices& choices) {
  SizeLoadCases(choices);
  for (int i = 0; i < kPrintSectionCount; ++i)
    if (PrintSectionAvailable(static_cast<S>(i))) choices.section[static_cast<std::size_t>(i)] = 1;
  for (std::size_t i = 1; i < choices.loadCase.size(); ++i) choices.loadCase[i] = 1;
}

INT_PTR PrintModelSettingsPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return SelectionPageProc(page, message, wParam, lParam);
}

void PrintResultsSheet(HWND owner) {
  PrintChoices& choices = ThePrintChoices();
  SizeLoadCases(choices);
  if (g_BatchRun) {
    SelectEverythingAvailable(choices);
    PostMessage(owner, kPrintToFileMessage, 0, 0);
    return;
  }
  SheetWork& work = Work();
  work = SheetWork{};
  work.work = choices;
  work.resultsSheet = true;
  Normalize(work.work);
  const int cases = CaseCount();
  work.pages.push_back(ModelPage(PageKind::ResultsModel));
  PageData casesPage;
  casesPage.kind = PageKind::LoadCases;
  for (int i = 1; i <= cases; ++i) casesPage.boxes.push_back(PageBox{1100 + i, S::Count, i});
  work.pages.push_back(casesPage);
  PageData kindsPage;
  kindsPage.kind = PageKind::Results;
  int id = 1101;
  for (S s : PrintResultKinds()) kindsPage.boxes.push_back(PageBox{id++, s, 0});
  work.pages.push_back(kindsPage);
  PageData misc;
  misc.kind = PageKind::Misc;
  misc.boxes = {{1101, S::CentreOfGravity, 0}, {1102, S::BillOfMaterials, 0}, {1103, S::TableOfContents, 0}};
  work.pages.push_back(misc);
  const std::string templates[] = {"PRINT_RESULTS_MODEL_DIALOG", LoadCasePageTemplate(cases),
                                   ResultKindsPageTemplate(static_cast<int>(PrintResultKinds().size())),
                                   "PRINT_RESULTS3_DIALOG"};
  std::vector<PROPSHEETPAGE> pages;
  for (std::size_t i = 0; i < work.pages.size(); ++i) {
    work.pages[i].index = static_cast<int>(i);
    PROPSHEETPAGE page{};
    page.dwSize = sizeof page;
    page.hInstance = InstanceHandle;
    page.pszTemplate = templates[i].c_str();
    const bool labelled = work.pages[i].kind == PageKind::LoadCases || work.pages[i].kind == PageKind::Results;
    page.pfnDlgProc = labelled ? LabelledPageProc : SelectionPageProc;
    page.lParam = reinterpret_cast<LPARAM>(&work.pages[i]);
    pages.push_back(page);
  }
  PrintSheetHooks hooks;
  hooks.toFileText = "To &File";
  hooks.extraButtons = {{1003, "&All"}, {1004, "&None"}};
  hooks.anySelected = SheetAnySelected;
  hooks.command = ApplyAllOrNone;
  work.current = std::clamp(LastResultsPage(), 0, 3);
  const UINT output = RunPrintSheet(owner, "Print Results", pages, &TextPrinter(), work.current, hooks);
  LastResultsPage() = work.current;
  if (output == 0) return;
  choices = work.work;
  PostMessage(owner, output, 0, 0);
}

// The Layout window's sheet without results: its model page works on the
// same copy of the choice.
void ShowModelPrintSheet(HWND owner) {
  SheetWork& work = Work();
  work = SheetWork{};
  work.work = ThePrintChoices();
  Normalize(work.work);
  work.pages.push_back(ModelPage(PageKind::LayoutModel));
  PROPSHEETPAGE page{};
  page.dwSize = sizeof page;
  page.hInstance = InstanceHandle;
  page.pszTemplate = "PRINT_MODEL_DIALOG";
  page.pfnDlgProc = PrintModelSettingsPage;
  page.lParam = reinterpret_cast<LPARAM>(&work.pages[0]);
  std::vector<PROPSHEETPAGE> pages{page};
  PrintSheetHooks hooks;
  hooks.anySelected = SheetAnySelected;
  const UINT output = RunPrintSheet(owner, "Print Model", pages, &TextPrinter(), 0, hooks);
  if (output == 0) return;
  ThePrintChoices() = work.work;
  PostMessage(owner, output, 0, 0);
}

void PrintSelectedSections() {
  // Without results there is nothing for a table of contents to follow.
  if (!TableResultsShown()) g_CollectContents = false;
  PrintInputSections(ThePrintChoices());
}

void PrintLoadCaseSection() {
  const PrintChoices& c = ThePrintChoices();
  ResultStateGuard guard;
  Model& model = TheModel();
  const int cases = CaseCount();
  for (int i = 1; i <= cases; ++i) {
    if (static_cast<std::size_t>(i) >= c.loadCase.size() || c.loadCase[static_cast<std::size_t>(i)] == 0) continue;
    g_ResultCase = i;
    if (!g_ReportFileOpen) BeginReportSection("Load case = " + CurrentCaseTitle(), 0);
    LoadCaseDisplacements(model);
    LoadCaseElementForces();
    LoadCaseSupportLoads(model);
    if (On(c, S::SupportLoads)) PrintSupportLoadsSection();
    if (On(c, S::ElementForcesLocal)) PrintPipeElementForcesLocal();
    if (On(c, S::ElementForcesGlobal)) PrintElementForcesGlobal();
    if (On(c, S::FrpStresses)) PrintFrpStresses();
    if (On(c, S::SortedFrpStresses)) PrintSortedFrpStresses();
    if (On(c, S::Displacements)) PrintThroughTable(OpenDisplacementsTable);
    if (On(c, S::FlexJointDisplacements)) PrintThroughTable(OpenFlexJointDisplacementsTable);
  }
}

void PrepareModelReportPages() {
  const PrintChoices& c = ThePrintChoices();
  const bool results = TableResultsShown();
  g_QaCoverPrinted = results && On(c, S::QaBlock);
  g_RevisionPagesPrinted = results && On(c, S::RevisionRecord);
  g_RevisionPageCount = 0;
  g_RomanPageNumbers = false;
  g_ContentsFirstPage = 0;
  ContentsEntries().clear();
}

void PrintModelReport() {
  const PrintChoices& c = ThePrintChoices();
  ResultStateGuard state;
  PageNumberGuard numbers;
  g_CollectContents = On(c, S::TableOfContents);
  const bool cover = On(c, S::QaBlock);
  const bool revisions = On(c, S::RevisionRecord);
  if (g_ReportFileOpen) {
    g_RomanPageNumbers = false;
    g_ContentsFirstPage = 0;
    if (g_CollectContents) OpenContentsFile();
  }
  if (g_ReportFileOpen && !g_ReportToFile && (cover || revisions)) {
    // The cover and the record pages are not numbered; the body starts at 1.
    g_ReportUnnumberedPages = cover ? 1 : 0;
    g_ReportPageNumberOff = revisions;
    if (g_ReportPage == 1 && g_ReportLine == kReportBodyLine) {
      g_ReportPage = 0;
      ReportPageHeader();
    }
  }
  if (cover) {
    PrintQaBlock();  // the text road's cover ends with a new page
    if (!g_ReportFileOpen && !revisions) PrinterPageHeading();
  }
  if (revisions) PrintRevisionPages(cover);
  PrintInputSections(c);
  PrintResultSections(c);
  if (On(c, S::CentreOfGravity)) PrintWeightAndCg();
  if (On(c, S::BillOfMaterials)) PrintBillOfMaterials();
  if (g_CollectContents) {
    if (!g_ReportFileOpen) PrintTableOfContents();
    else if (!g_ReportToFile) ReportTableOfContents();
  }
}

void PrintLayoutReport() {
  if (TableResultsShown()) PrintModelReport();
  else PrintSelectedSections();
}
