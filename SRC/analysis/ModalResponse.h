// The three runs that drive the modes of the run's modal case with loads
// of their own: the force spectrum (each mode at the spectrum's value at
// its frequency, modes combined by SRSS), the harmonic (steady-state
// response to sine forces, frequencies combined by the harmonic
// combination) and the time history (each mode integrated exactly under
// its piecewise-linear load, modes superposed at every output step). They
// use the N true modes only, never missing-mass columns.
//
// Element forces and support loads are linear in the modal coordinates: a
// mode's quantities are recovered once, from its M-normalised shape, by the
// output steps of a static case (`RecoverModalBlocks`), with every kind in
// the state the eigenproblem held it in (CaseUsesModalStiffness,
// services/LoadCaseTypes.h), and every run scales and sums those blocks.
// A support load that is the size of two components (a limit stop's
// friction, RunPreparedSupport::SizedLoadIndex) is the one exception: the
// size of a sum is not the sum of the modes' sizes, whose signs are the
// shapes' arbitrary ones. Its two components are recovered per mode beside
// the blocks; the time history and the harmonic superpose them and take
// the size of the result. The force spectrum keeps the sizes: its root of
// the sum of squares of the modes' sizes is the size of the components'
// own roots of sums of squares.
// The case's block in the results file is then written as displacements,
// element forces, support loads.
//
// Harmonic amplitudes: each frequency's response is S·sin Ωt + C·cos Ωt
// per quantity, S and C the modal sums of its sine and cosine parts, so its
// amplitude is √(S² + C²); loads of one frequency that differ in phase
// combine with their cross terms. A sized load's two components need not
// be in phase: its amplitude is the largest size the pair reaches over the
// cycle, the half major axis of the ellipse it traces, never more than the
// root of the sum of the components' squared amplitudes. "Absolute Sum"
// adds the amplitudes of the frequencies, "Root Mean Square" takes
// √(½·Σ amplitude²), the root mean square over the cycles. The mean square
// of a size over a cycle is ½(|a|² + |b|²) of its components' amplitudes
// a and b, so under "Root Mean Square" a sized load enters with |a|² + |b|²,
// not with the square of its largest size. The phase is held in degrees.
//
// Time history: modal loads at times (k − 1)·dt, computed as doubles, never
// summed step by step; the exact recursion of the Duhamel integral for a
// load linear between time points; peaks are the signed values of largest
// magnitude over the output steps (the earlier on equal magnitude); the
// superposition of the steps is ModalSuperposition's. With
// "Save results" every output step goes into the time-history file beside
// the model (`TimeHistoryPathOf`): "QUORVELWRTH5100" and NUL, the output
// interval T (f32), the step count S (int32), then per step the
// displacements (six f32 per node of the node table), element forces and
// support loads. The file is written under a sibling temporary name and
// only put in place by `CommitTimeHistoryFile` when the run's results are
// committed; a run always removes the file of an earlier run first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class AnalysisProgress;
struct AnalysisElementList;
struct Model;

// The checks before a run with these cases: the named force spectrum and
// time function exist and have points (throws "Row %d: Force spectrum: %s
// is not defined" and the like, setting `refusedRow`); with a time history
// case, a time step above 0 and a damping from 0 to 99 %; with a harmonic
// case, a damping from 0 to 99 %.
void CheckDynamicLoadRows(const Model& model, int* refusedRow = nullptr);

// The steps, with the modal results of the run's modal case in memory.
void RunForceSpectrumStep(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
void RunHarmonicStep(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
void RunTimeHistoryStep(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);

// One mode's steady-state sine and cosine coefficients under a modal force
// Pc·sin Ωt + Ps·cos Ωt with unit modal mass: q = s·sin Ωt + c·cos Ωt.
// Throws "Harmonic excitation at resonance without damping".
struct HarmonicCoefficients {
  double s = 0.0, c = 0.0;
};
HarmonicCoefficients HarmonicModeResponse(double omega, double forcing, double zeta, double Pc, double Ps);

// The response from rest of q'' + 2ζωq' + ω²q = p(t), p linear between the
// points p[0..K-1] at times k·dt: q at every n-th point after the first
// (points n, 2n, ...), (K − 1) / n values.
std::vector<double> IntegrateModalResponse(const std::vector<double>& p, double omega, double zeta, double dt,
                                           int interval);


// Removes the time-history file beside the model (and its leftovers).
void RemoveTimeHistoryFile(const std::string& modelPath);
// Puts the file the run wrote in place; true when there was none to put.
bool CommitTimeHistoryFile();
// Drops an uncommitted file (a failed run).
void DiscardTimeHistoryFile();
