// The global system of the analysis step being assembled and solved: the
// stiffness in profile storage (StiffnessValues over its SkylineProfile) and
// the load vector g_DisplacementVector, which holds the loads while the
// step is assembled and the displacements once it is solved. Both are
// 1-based, as the skyline routines index them. The results file of the run
// (g_ResultsFile) is where the supports write their loads after a solve.
//
// The element kinds and the data items add their terms through the two
// doors below, so that none of them touches the profile arithmetic: a
// support adds its packed 6 x 6 matrix at its node's equations, and load
// terms go straight into g_DisplacementVector at the node's equations.
// While a term log is current the two doors also log what they add: the
// nonlinear iteration adds a case's linear supports and loads again from
// the log rather than asking every item (Assembly.h).
//
// The analysis driver sizes the system once the profile is known
// (AllocateGlobalSystem) and releases it when the run ends; everything here
// belongs to the GUI thread that runs the analysis.
#pragma once

#include <vector>

#include "numeric/EquationNumbers.h"
#include "numeric/Skyline.h"
#include "numeric/SkylineAssembly.h"
#include "numeric/SystemTermLog.h"

struct BinaryFile;
struct NodeTable;

extern SkylineProfile g_StiffnessProfile;
// Positions 1 .. nme; position 0 unused.
extern std::vector<double> StiffnessValues;
// Equations 1 .. E; position 0 unused.
extern std::vector<double> g_DisplacementVector;
// The lumped masses of the modal step, by equation like the load vector.
extern std::vector<double> g_MassVector;
// The results file open for writing during a run; null otherwise.
extern BinaryFile* g_ResultsFile;

// Takes the profile and sizes the arrays, zeroed.
void AllocateGlobalSystem(SkylineProfile profile);
void ReleaseGlobalSystem();

// The six equations of the node at `nodeIndex` (its renumbered position);
// all 0 when the node takes no part in the analysis.
LocationVector NodeLocationVector(const NodeTable& nodes, int nodeIndex);

// Adds a packed matrix at the vector's equations. A term outside the
// profile is a programming error of the profile build.
void AddSupportMatrix(const ElementMatrixPacked& packed, const LocationVector& vector);
// Adds a load term at an equation (0: none, skipped).
void AddLoadTerm(std::int32_t equation, double value);
// Adds a mass at an equation (0: none, skipped).
void AddMassTerm(std::int32_t equation, double value);
// The solved value of an equation (0: none, gives 0).
double SolvedValue(std::int32_t equation);

// The current term log (SystemTermLog.h); null, the rule, logs nothing.
extern SystemTermLog* g_SystemTermLog;
