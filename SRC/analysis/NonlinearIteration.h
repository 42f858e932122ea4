// The nonlinear support iteration: a static step of a model with gaps,
// limits or friction is solved by repeated linear solves. Each pass
// assembles and solves with the current state of every nonlinear item, then
// lets each compare its new response with the last one and change its state;
// the passes end when nothing changed in a pass (after at least two), or
// when the user accepts or abandons the state at a checkpoint.
//
// A support whose status changed in a pass (free or reached, open or in
// contact, sliding or stuck) counts as not converged, so that the loads of a
// converged step always come from a solve made with the final states.
//
// Tolerance: 1 % for the solves 1 to 100, 2 % for 101 to 200 and so on, at
// most 10 %. The checkpoint interval N is the whole number in "QVITER"
// (at least 1), else 500: before iteration N + 1, 2N + 1 ... the checkpoint
// asks Continue, Accept or Exit (a batch run accepts without asking). An
// accepted state is never a success: each case accepted unconverged is kept
// with its iterations and the largest misconvergence of its last pass, and
// the run's caller warns about them (UnconvergedWarning).
//
// Runs on the GUI thread with the analysis; everything here is run state.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "numeric/RunState.h"
#include "platform/Types.h"

struct Model;

// The checkpoint interval from the text of "QVITER" (null: not set).
std::int32_t NonlinearCheckpointInterval(const char* text);


// "Guide", "Limit stop" ...; empty for a combination no kind makes.
std::string MisconvergenceKindName(int elementKind, int dataKind);
// "Maximum misconvergence = 5 % for the Guide at node 10" ("> 100 %" above 1).
std::string MisconvergencePercentText(float ratio);
std::string MisconvergenceText(const Model& model, const MisconvergenceRecord& record);

class DataItem;
class RunPreparedSupport;

// A row whose item or element iterates. The rows are found once per run,
// when the supports prepare, so that the passes walk the few that iterate
// rather than cast every row's item and element to find them.
struct IteratingRow {
  std::int32_t row = 0;
  DataItem* item = nullptr;                    // the row's item when it iterates
  RunPreparedSupport* itemState = nullptr;     // the same item's iteration
  RunPreparedSupport* elementState = nullptr;  // the row's element when it iterates
};

// Every support of the model that prepares itself, in row order; then the
// iterating rows of the run.
void PrepareSupportsForRun(Model& model);
// In row order; from PrepareSupportsForRun to the end of the run.
const std::vector<IteratingRow>& IteratingRows();
void ClearIteratingRows();
void ResetNonlinearStates(Model& model);
void UpdateNonlinearStates(Model& model);

enum class CheckpointAnswer { Continue = 0, Accept = 1, Exit = 2 };
// Whether a run accepts at every checkpoint without asking (a batch run).
extern bool g_NonlinearAutoAccept;
// The window that owns the checkpoint dialog (the analysis window).
extern HWND g_NonlinearDialogOwner;
// NONLINEAR_DIALOG over the owner: Continue, Accept or Exit.
CheckpointAnswer AskNonlinearCheckpoint(const Model& model);

// Iterates the current step; `solve` assembles and solves it once. Throws
// "Non linearities not converged" on Exit.
void IterateNonlinearSupports(Model& model, const std::function<void()>& solve, AnalysisProgress& progress);

// The cases of the last run accepted before they converged.
struct UnconvergedCase {
  std::int32_t type = 0;
  std::int32_t iterations = 0;
  MisconvergenceRecord largest;
};
const std::vector<UnconvergedCase>& UnconvergedCases();
void ClearUnconvergedCases();
// The warning that names each of them; empty when there is none.
std::string UnconvergedWarning(const Model& model);
