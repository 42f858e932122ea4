// The hanger steps of a run (see Hanger.h and HangerCatalogue.h), called by
// the analysis driver: which steps the model's hangers ask for, what each
// hanger step stores after its solve, the two steps without a solve (the
// design and the cold loads), and the design records written after the
// last step. The stiffness and loads of every step and the rod hanger's
// one-way rule are the hanger's own DataItem and RunPreparedSupport
// operations.
//
// The steps, ahead of the user's load cases: 20 "Calculating hanger loads"
// (each hanger a rigid vertical support: its reaction is the hot load), 21
// "Calculating hanger travel" (the hot loads as upward forces, operating:
// the node's vertical movement is the travel), 22 and 23 the same again
// for a nonlinear model, 24 "Designing hangers" and 25 the final
// "Calculating hanger loads" (the cold loads from the travels and rates).
#pragma once

#include <string>

struct BinaryFile;
struct Model;

// After the step table was reset: the flags of the hanger steps.
void RequestHangerSteps(Model& model);
// The steps 24 and 25, which solve nothing: true when `type` is one.
bool RunHangerComputationStep(Model& model, int type);
// After the solve of a step: the hot loads (20, 22) or the travels (21, 23
// and the operating T1 cases).
void StoreHangerStepResults(Model& model, int type);
// After the last step: one design record per hanger row, in row order.
void WriteHangerDesignRecords(const Model& model, BinaryFile& file);
