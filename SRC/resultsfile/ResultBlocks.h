// The blocks of the current result case, read from the open results file
// when a table asks for them: the displacements of every node (or the
// accelerations of the response spectrum case, or one mode's shape: the
// three share one node value buffer), the element force records, and the
// support loads, which every support row's item reads into itself.
//
// Displacements and support loads are read on every request, so a table
// that moved the current case only calls the loader again; the forces keep
// a one-case cache keyed by the case number, and a mode shape stays while
// the buffer holds it. Each load of displacements also finds the minimum
// and maximum of each component over the result nodes.
//
// The results file stays open while results are shown (ResultsReadFile).
// A block that cannot be read (the file shrank under us) leaves zeros, never
// values of another case. Start at LoadCaseDisplacements.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct BinaryFile;
struct Model;

// The results file, open for reading while results are shown.
BinaryFile& ResultsReadFile();

// Node values (records 1 .. N of six f32: X, Y, Z, XX, YY, ZZ) and element
// force records (1 .. E of twelve f32, Part of the end-force convention).
extern std::vector<std::array<float, 6>> g_CaseDisplacements;
extern std::vector<std::array<float, 12>> g_CaseElementForces;
// The LoadCaseType of the forces in g_CaseElementForces.
extern int g_ForceCaseType;
// The deflected-shape magnification, computed again after each load (0).
extern float g_Magnification;

// The extremes of one displacement component over the result nodes.
struct DisplacementExtreme {
  float minimum = 1.0e30f, maximum = -1.0e30f;
  int minimumNode = 0, maximumNode = 0;  // node indexes
};
extern std::array<DisplacementExtreme, 6> g_DisplacementExtremes;

// How many blocks were read from the file since the counts were reset; the
// tests check the caches with them.
struct ResultReadCounts {
  int displacements = 0, accelerations = 0, modeShapes = 0, forces = 0, supportLoads = 0;
};
ResultReadCounts& TheResultReadCounts();

// Sizes the buffers for the model and forgets every cached block.
void ResetResultsCache(const Model& model);
// Frees the buffers.
void FreeResultBuffers();

void LoadCaseDisplacements(const Model& model);
void LoadResponseAccelerations(const Model& model);
void LoadModeShape(const Model& model);
void LoadCaseElementForces();
void LoadCaseSupportLoads(Model& model);
// The extremes of the buffer's components over the result nodes; a value
// replaces an extreme only when strictly beyond it, so equal values keep the
// lower node.
void ComputeMinMaxDisplacements();
