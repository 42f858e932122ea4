// Run state shared by every part of the analysis while a run is in progress:
// the step table with its current step, the analysis flags (with the
// misconvergence record and the hanger requests), the names of the work files
// in the temporary folder, the row error of the run, and the progress record
// through which renumbering, the skyline solver and the eigen solver show
// their texts and numbers, with the percentage counter.
//
// The step table has no fixed size: entries are numbered from 1 and the
// table grows by whatever the step builder appends. The case predicates
// (LoadCaseKinds.h) answer for the type of the entry at g_CurrentStep.
//
// Work files are made through the temporary-file service, so each is a
// unique empty file in the temporary folder from the moment it is named,
// and whatever a failed run leaves is deleted with DeleteAllWorkFiles (and,
// as a last resort, at exit). Everything here belongs to the GUI thread that
// runs the analysis.
//
// The kernels never talk to a window. They call an `AnalysisProgress`, whose
// operations do nothing by default; the analysis window (built with the
// analysis driver) overrides them to draw into its progress areas and value
// fields. Tests override them to record what a kernel showed.
//
// The percentage counter keeps its scale as a 32-bit float, so a counter over
// 3 items shows 33 %, 66 % and 99 %, and at most 101 texts are shown however
// many items a loop has.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One entry of the step table. A fresh entry holds type 0, no hanger loads
// and all three outputs on.
struct LoadCaseStep {
  std::int32_t type = 0;                // LoadCaseType
  std::int32_t hangerLoads = 0;         // 1: the hangers' loads are applied as forces
  std::int32_t writeDisplacements = 1;
  std::int32_t elementForces = 1;
  std::int32_t supportLoads = 1;
};

// Entries 1 .. g_StepCount (entry 0 is never a step); g_CurrentStep is the
// entry being built or run, 0 between runs.
extern std::vector<LoadCaseStep> g_LoadCaseSteps;
extern int g_StepCount;
extern int g_CurrentStep;

// Empties the step table (count and current step 0).
void ClearStepTable();
// Appends a fresh entry of `type`, growing the table as needed, and returns
// it; g_StepCount counts it.
LoadCaseStep& AppendLoadCaseStep(std::int32_t type);
// The entry at g_CurrentStep; a fresh entry of type 0 when no step is current.
const LoadCaseStep& CurrentLoadCaseStep();

// The nonlinear test that failed last: its ratio, the element kind
// (ElementType or 0), the data kind (DataType, 101 for a buried restraint,
// or 0) and the node index (0 none).
struct MisconvergenceRecord {
  float ratio = 0.0f;
  std::int32_t elementKind = 0;
  std::int32_t dataKind = 0;
  std::int32_t node = 0;
};

struct AnalysisFlags {
  std::uint8_t modelNonlinear = 0;
  std::int32_t seismicAnchorMovements = 0;
  std::uint8_t dynamicSusceptibility = 0;
  MisconvergenceRecord misconvergence;
  // Raised by the hanger check of every hanger row.
  std::int32_t hangerLoadsRequested = 0;
  std::int32_t hangerTravelRequested = 0;
  std::int32_t hangerDesignRequested = 0;
  std::int32_t hangerRecalculationRequested = 0;
};
extern AnalysisFlags g_AnalysisFlags;

// What a run starts from: an empty step table and every flag cleared.
void ResetRunState();

// The work files of a run, each named from its fixed prefix.
enum class WorkFile {
  XSeismic,             // "X_Seismic_"
  YSeismic,             // "Y_Seismic_"
  ZSeismic,             // "Z_Seismic_"
  SeismicDisplacement,  // "Seismic_Disp_"
  MissingMass,          // "Missing_mass_"
  LeftOutForce,         // "Lof_file_"
  HangerDisplacements,  // "HangerDisp_"
  Stiffness,            // "Stiffness_"
  Eigen,                // "Eigen_File"
  ModeShape,            // "Mode_Shape_"
  Response,             // "Response_"
  ModalForce,           // "Mforce_"
};
constexpr int kWorkFileKinds = 12;
const char* WorkFilePrefix(WorkFile file);
// Names the work file: a new unique empty file in the temporary folder whose
// name begins with the prefix. A file named before for the same work file is
// deleted first. Throws the message text when the folder refuses it.
const std::string& MakeWorkFileName(WorkFile file);
// The name held for the work file; empty when it is not in use.
const std::string& WorkFileName(WorkFile file);
// Deletes the work file and forgets its name (nothing when not in use).
void DeleteWorkFile(WorkFile file);
// Every work file but the hanger displacements, which the results of the
// run read afterwards: that one goes when the next run starts.
void DeleteAllWorkFiles();
// The hanger displacement file belongs to results file `resultsPath` once
// the run that wrote both has ended well.
void HoldHangerDisplacements(const std::string& resultsPath);
// The hanger displacement file held for results file `resultsPath`; empty
// when the run of those results wrote none (or another run came since).
std::string HangerDisplacementsFileFor(const std::string& resultsPath);

// Throws "Row <row> : <text>" as the message text that ends the run.
[[noreturn]] void ThrowRowError(int row, const std::string& text);

// The places of the progress window where one kind of text is shown.
enum class ProgressArea {
  StepTitle,
  Phase,           // assembly, solve and output texts
  Percentage,      // the percentage counter
  Mode,            // eigen solver: "Mode %d  "
  Iteration,       // eigen solver and nonlinear iteration: "Iteration %d  "
  Misconvergence,  // eigen solver: "Misconvergence = %.2f %"
  Frequency,       // eigen solver: "Mode %d: %.2f Hz"
  File,            // eigen solver: factorisation phase and its percentage
};

// Value fields of the analysis window that the kernels fill.
enum ProgressField : int {
  kFieldOriginalBandwidth = 1501,
  kFieldNewBandwidth = 1502,
  kFieldAverageBandwidth = 1503,
  kFieldEquationCount = 1504,
  kFieldStiffnessSize = 1505,
  kFieldStiffnessKilobytes = 1506,
};

class AnalysisProgress {
 public:
  virtual ~AnalysisProgress() = default;
  // Shows the text in the area (the window draws it before the call returns).
  virtual void ShowText(ProgressArea area, const std::string& text) { (void)area, (void)text; }
  // Clears the area to the window's background.
  virtual void ClearArea(ProgressArea area) { (void)area; }
  // Sets the text of one value field of the analysis window.
  virtual void SetField(int field, const std::string& text) { (void)field, (void)text; }
};

// The progress record used when the caller passes none.
AnalysisProgress& SilentProgress();

inline void ProgressBegin(AnalysisProgress& progress, const std::string& text, ProgressArea area) {
  progress.ShowText(area, text);
}
inline void ProgressEnd(AnalysisProgress& progress, ProgressArea area) { progress.ClearArea(area); }

struct ProgressCounter {
  float scale = 0.0f;        // 100 / number of items
  std::int32_t lastShown = 0;
  ProgressArea area = ProgressArea::Percentage;
};

void ProgressCounterStart(ProgressCounter& counter, std::int64_t itemCount,
                          ProgressArea area = ProgressArea::Percentage);
// Shows "<percent> %" when the whole percentage of item `item` differs from
// the one shown last.
void ProgressCounterStep(AnalysisProgress& progress, ProgressCounter& counter, std::int64_t item);
void ProgressAreaClear(AnalysisProgress& progress, const ProgressCounter& counter);
