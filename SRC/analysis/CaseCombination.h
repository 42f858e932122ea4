// The combination cases of a run: blocks of the results file that are not
// solved but formed as the difference of two blocks written before them.
// An expansion case Tk, while "Solve thermal case" is off, is its operating
// case minus "Sustained (W+P)"; an expansion range Ti-Tj is Expansion (Ti)
// minus Expansion (Tj). Displacements, element forces and every support's
// loads are subtracted value by value, so a combination is exact to the
// last bit of the two f32 blocks it reads.
//
// g_CaseBlockPositions keeps, per LoadCaseType, where the case's block
// starts in the results file (0: not written); the step records it as its
// first action. Everything here works on g_ResultsFile, which must be open
// for reading and writing.
#pragma once

#include <array>
#include <cstdint>

#include "kindbase/LoadCaseKinds.h"

struct Model;

extern std::array<std::int64_t, kLastLoadCaseType + 1> g_CaseBlockPositions;
void ClearCaseBlockPositions();
// Records the results file's current position as the block of `type`.
void RecordCaseBlockPosition(int type);

// Whether a step of `type` forms its block by combination (the expansion
// cases only while "Solve thermal case" is off; the ranges always).
bool IsCombinationCase(int type, bool solveThermalCase);
// The two source types: the block is B minus C. False for other types.
bool CombinationSources(int type, int& b, int& c);

// Forms the block at `a` (the current end of the file) as block `b` minus
// block `c`, for the node and element counts of the run.
void CombineCaseResults(const Model& model, int elementCount, std::int64_t a, std::int64_t b, std::int64_t c);
// The combination step of `type`: its sources must have been written
// earlier in the run (a message naming both cases otherwise).
void FormCombinationBlock(const Model& model, int elementCount, int type);
