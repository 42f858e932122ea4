// The modal step of a run: the lowest natural frequencies and mode shapes of
// the model as assembled for the modal case (stiffness with the supports in
// the state the operating case left them, lumped masses), found by the
// kernel's eigen solver (Eigen.h), then cut, written and kept for the
// dynamic steps that follow in the same run.
//
// Cut: the solver returns the modes in ascending order; the first mode above
// the cut-off frequency stays among the results (it tells the engineer
// where the next frequency lies), none after it, and never more than
// `ModeCount`, but for the members of a repeated root, which stay or go
// together.
//
// The modal block of the results file: N (int32); N frequencies in Hz (f32);
// the shapes of modes 1..N, six f32 per node of the node table (zeros for a
// node without equations, no small-value cut); Γx, Γy, Γz of every mode
// (f32); the total mass (f32). Γd(k) = Σ φk(i)·M(i) over the equations of
// direction d, with φᵀMφ = 1, so Γd(k)² is mode k's effective mass in d and
// the sum over all modes of a direction is that direction's total mass.
//
// What the dynamic steps read stays in `TheModalResults()` until the run
// ends (ClearModalResults): ω, the M-normalised shapes, the participation
// factors and the masses.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

class AnalysisProgress;
struct AnalysisElementList;
struct Model;

struct ModalStepResults {
  bool present = false;
  std::int32_t modes = 0;                        // N
  std::vector<double> omega;                     // ω(1..N) in rad/s, 1-based
  std::vector<std::vector<double>> shapes;       // φ(1..N), each 1-based of size E + 1
  std::array<std::vector<double>, 3> gamma;      // Γx, Γy, Γz (1..N), 1-based
  std::vector<double> masses;                    // M(1..E), 1-based
  double totalMass = 0.0;                        // the masses of the X translations
  // With the missing mass: per direction d, the share of a unit ground
  // acceleration in d that the N modes leave out at each translation,
  // δ(dir(i), d) − Σk φk(i)·Γd(k) (0 at the rotations), and the static
  // displacements under its forces 386.4·M(i)·share (1-based, size E + 1).
  bool missingMass = false;
  std::array<std::vector<double>, 3> leftOut;
  std::array<std::vector<double>, 3> missingShapes;
};

ModalStepResults& TheModalResults();
void ClearModalResults();

// How many of the ascending roots λ stay: up to and including the first
// above the cut-off (Hz), then at most modeCount, and then the rest of a
// repeated root the cut would split.
std::int32_t KeptModeCount(std::span<const double> lambdas, double cutOffHz, std::int32_t modeCount);

// Γ of every kept mode for the three global directions (1-based arrays) and
// the total mass, from the masses and the shapes; a product below 1.0e-30 in
// size counts as 0.
void ComputeParticipationFactors(ModalStepResults& results);

// Turns the members of every cluster of equal frequencies within the
// cluster so that the first carries all of its participation in X, the
// next what is left in Y, then Z; the others carry none. The result of an
// excitation then no longer depends on the angle the solver chose.
void AlignRepeatedModes(ModalStepResults& results);

// The left-out shares of every direction from the kept modes (sets leftOut).
void ComputeLeftOutShares(ModalStepResults& results);

// The step, after the modal case has been assembled into the global system
// (StiffnessValues, g_MassVector): solves, keeps and writes the modal block
// into g_ResultsFile. With `missingMass` the static displacements under the
// left-out forces are solved with the same stiffness (the supports in the
// states the modes saw), which the factorisation then replaces in
// StiffnessValues. Throws the message text of a failure.
void RunModalStep(const Model& model, AnalysisProgress& progress, bool missingMass = false);

// With the environment variable "VORSTEL" set, the modal step ends by
// writing the dynamic susceptibility file (SusceptibilityPathOf): every
// kept mode's element records from the element force recovery. An earlier
// file is removed first, and the new one is written under a temporary name
// and put in place only when whole. Throws "Unable to create rds file".
void WriteDynamicSusceptibilityFile(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
