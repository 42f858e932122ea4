// The response spectrum step: the modes of the run's modal case scaled by
// the spectra of the three global directions and combined into one
// envelope of displacements, accelerations, element forces and support
// loads, written as the case's block (displacements, accelerations, forces,
// support loads); and "_MFM.csv" beside the model, the element forces of
// every mode in local axes.
//
// Per mode i and direction d, v = Sd(ωi)·Γd(i) (Sd the spectral
// displacement times the direction's factor); the mode's amplitude combines
// the three by the direction sum (Absolute |vx| + |vy| + |vz|, SRSS the
// root of the squares) and scales the M-normalised shape. The modal values
// of a quantity are then combined by the mode sum: Absolute Σ|r|, SRSS
// √Σr², Closely spaced √(Σr² + Σ 2|ri·rj|) over the pairs of modes within
// 10 % of the lower frequency, NRL the largest |r| plus the root of the
// squares of the others.
//
// Missing mass (option "Include missing mass"): the static response to the
// mass the N modes leave out is three more columns, one per direction,
// scaled by Zd, the largest spectral acceleration (in g) at and above the
// highest mode's frequency; they join the mode sum as modes of their own
// (never as a close pair), and the accelerations take 386.4·Zd times the
// left-out share at each translation.
//
// Seismic anchor movements (SeismicCombination.h) add their absolute values
// to the combined displacements, element forces and support loads, not to
// the accelerations; their element forces follow the modes in the export.
//
// On a large model the modal forces outweigh the rest: every element's
// stiffness, loads and frames are built once for all the columns
// (ElementForceBuilds, StepResults.h), the export's line pairs are
// assembled in memory from number texts printed by FixedWidthText, and the
// closely-spaced pairs are found once per case, not for every quantity.
#pragma once

#include <span>
#include <string>
#include <vector>

class AnalysisProgress;
struct AnalysisElementList;
struct Model;
struct ResponseSpectrum;
struct SpectrumLoad;

// Two modes of the closely-spaced rule (0-based, first < second).
struct CloseModePair {
  int first = 0;
  int second = 0;
};
// The pairs of the first `trueModes` modes within 10 % of the lower
// frequency, with their circular frequencies omega (1-based, as the modal
// results keep them), in the order the rule adds them. The pairs are the
// same for every quantity of a case: the step finds them once.
std::vector<CloseModePair> CloselySpacedPairs(std::span<const double> omega, int trueModes);

// One quantity's modal values r (modes 1..M at [0..M-1]) by the rule; the
// pair term of the closely-spaced rule runs over `pairs`.
double CombineModes(std::span<const double> r, int rule, std::span<const CloseModePair> pairs);
// The same, the pairs found among the first `trueModes` of r.
double CombineModes(std::span<const double> r, std::span<const double> omega, int trueModes, int rule);
// The three directions' values by the direction sum.
double CombineDirections(double x, double y, double z, int rule);
// Zd in g: the largest spectral acceleration of the direction at frequencies
// at or above that of omega (a period spectrum: at or below its period),
// also when omega lies outside the points; a displacement ordinate counts
// as ω²·y at its own frequency. Times the direction's factor; 0 without a
// spectrum or factor.
double MissingMassFactor(const std::vector<ResponseSpectrum>& list, const SpectrumLoad& load, double omega,
                         int direction);
// "<model path without extension>_MFM.csv".
std::string ModalForcesPath(const std::string& modelPath);

// The step, with the modal results of the run's modal case in memory.
void RunResponseSpectrumStep(const Model& model, const AnalysisElementList& elements, AnalysisProgress& progress);
