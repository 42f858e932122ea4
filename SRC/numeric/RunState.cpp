// The run state of the analysis: the step table, the flags, the work-file
// names and the progress operations; see RunState.h.
#include "numeric/RunState.h"

#include <array>
#include <string>

#include "services/NumberFormat.h"
#include "services/TempFiles.h"

std::vector<LoadCaseStep> g_LoadCaseSteps;
int g_StepCount = 0;
int g_CurrentStep = 0;
AnalysisFlags g_AnalysisFlags;

namespace {

constexpr std::array<const char*, kWorkFileKinds> kWorkFilePrefixes = {
    "X_Seismic_",   "Y_Seismic_", "Z_Seismic_", "Seismic_Disp_", "Missing_mass_", "Lof_file_",
    "HangerDisp_",  "Stiffness_", "Eigen_File", "Mode_Shape_",   "Response_",     "Mforce_"};

std::array<std::string, kWorkFileKinds>& WorkFileNames() {
  static std::array<std::string, kWorkFileKinds> names;
  return names;
}

std::size_t Slot(WorkFile file) { return static_cast<std::size_t>(file); }

}  // namespace

void ClearStepTable() {
  g_LoadCaseSteps.clear();
  g_StepCount = 0;
  g_CurrentStep = 0;
}

LoadCaseStep& AppendLoadCaseStep(std::int32_t type) {
  ++g_StepCount;
  // Entries past the count may hold an earlier run's steps: a new step is
  // always fresh.
  if (static_cast<int>(g_LoadCaseSteps.size()) <= g_StepCount)
    g_LoadCaseSteps.resize(static_cast<std::size_t>(g_StepCount) + 1);
  LoadCaseStep& step = g_LoadCaseSteps[static_cast<std::size_t>(g_StepCount)];
  step = LoadCaseStep{};
  step.type = type;
  return step;
}

const LoadCaseStep& CurrentLoadCaseStep() {
  static const LoadCaseStep kNoStep;
  if (g_CurrentStep < 1 || g_CurrentStep > g_StepCount) return kNoStep;
  return g_LoadCaseSteps[static_cast<std::size_t>(g_CurrentStep)];
}

namespace {

std::string& HangerDisplacementsResults() {
  static std::string path;
  return path;
}

}  // namespace

void ResetRunState() {
  ClearStepTable();
  g_AnalysisFlags = AnalysisFlags{};
  DeleteWorkFile(WorkFile::HangerDisplacements);
  HangerDisplacementsResults().clear();
}

const char* WorkFilePrefix(WorkFile file) { return kWorkFilePrefixes[Slot(file)]; }

const std::string& MakeWorkFileName(WorkFile file) {
  DeleteWorkFile(file);
  std::string path = CreateTempFile(WorkFilePrefix(file));
  if (path.empty())
    throw CFormat("Unable to create the work file %s in the temporary folder\n%s", WorkFilePrefix(file),
                  TempFolder().c_str());
  WorkFileNames()[Slot(file)] = std::move(path);
  return WorkFileNames()[Slot(file)];
}

const std::string& WorkFileName(WorkFile file) { return WorkFileNames()[Slot(file)]; }

void DeleteWorkFile(WorkFile file) {
  std::string& name = WorkFileNames()[Slot(file)];
  if (name.empty()) return;
  DeleteTempFile(name);
  name.clear();
}

void DeleteAllWorkFiles() {
  for (int kind = 0; kind < kWorkFileKinds; ++kind)
    if (static_cast<WorkFile>(kind) != WorkFile::HangerDisplacements) DeleteWorkFile(static_cast<WorkFile>(kind));
}

void HoldHangerDisplacements(const std::string& resultsPath) {
  HangerDisplacementsResults() = WorkFileName(WorkFile::HangerDisplacements).empty() ? std::string() : resultsPath;
}

std::string HangerDisplacementsFileFor(const std::string& resultsPath) {
  if (resultsPath.empty() || HangerDisplacementsResults() != resultsPath) return {};
  return WorkFileName(WorkFile::HangerDisplacements);
}

void ThrowRowError(int row, const std::string& text) { throw CFormat("Row %d : %s", row, text.c_str()); }

AnalysisProgress& SilentProgress() {
  static AnalysisProgress silent;
  return silent;
}

void ProgressCounterStart(ProgressCounter& counter, std::int64_t itemCount, ProgressArea area) {
  counter.scale = itemCount > 0 ? 100.0f / static_cast<float>(itemCount) : 0.0f;
  counter.lastShown = 0;
  counter.area = area;
}

void ProgressCounterStep(AnalysisProgress& progress, ProgressCounter& counter, std::int64_t item) {
  // The product is truncated toward zero; the float scale makes 3 items show
  // 33, 66 and 99.
  const auto percent = static_cast<std::int32_t>(static_cast<double>(item) * static_cast<double>(counter.scale));
  if (percent == counter.lastShown) return;
  counter.lastShown = percent;
  progress.ShowText(counter.area, std::to_string(percent) + " %");
}

void ProgressAreaClear(AnalysisProgress& progress, const ProgressCounter& counter) {
  progress.ClearArea(counter.area);
}
