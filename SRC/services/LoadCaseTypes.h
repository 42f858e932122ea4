// The load-case types (`LoadCaseType`): the ids of the cases the analysis
// runs and the results hold, 1 .. 124, titled by LoadCaseTitle
// (NameTables.h). The model and results files hold them, so they never
// change. The numbered families of the thermal states (T1 .. T10) are
// records/LoadCaseList.h's; the ids the code names one by one are written
// here and nowhere else.
#pragma once

enum LoadCaseId : int {
  kCaseIdSustained = 1,
  kCaseIdOperating = 8,  // W+P1+T1
  kCaseIdSettlement = 11,
  kCaseIdStaticSeismic = 12,
  kCaseIdWind = 13,
  kCaseIdColdSpringSustained = 14,
  kCaseIdEmpty = 18,
  kCaseIdHydrotest = 19,
  // The hanger design's steps.
  kCaseIdHangerLoads = 20,
  kCaseIdHangerTravel = 21,
  kCaseIdRecalculatingHangerLoads = 22,
  kCaseIdRecalculatingHangerTravel = 23,
  kCaseIdDesigningHangers = 24,
  kCaseIdHangerColdLoads = 25,
  // The seismic steps: an acceleration along X, Y and Z, their combination,
  // and (33) the anchors' seismic movements.
  kCaseIdXAcceleration = 26,
  kCaseIdYAcceleration = 27,
  kCaseIdZAcceleration = 28,
  kCaseIdCombiningAccelerations = 29,
  kCaseIdModal = 30,
  kCaseIdResponseSpectrum = 31,
  kCaseIdStaticAnalysis = 32,
  kCaseIdSeismicDisplacement = 33,
  kCaseIdMissingMass = 34,
  kCaseIdTimeHistory = 35,
  kCaseIdHarmonic = 36,
  kCaseIdForceSpectrum = 37,
  kCaseIdWind2 = 107,
  kCaseIdWind3 = 108,
  kCaseIdWind4 = 109,
  kCaseIdEmptyWeight = 124,
};

inline constexpr int kLastLoadCaseType = kCaseIdEmptyWeight;

// The cases built from the mode shapes of the run's modal case: the modal
// case itself, whose eigenproblem the shapes solve, and the response
// spectrum, time history, harmonic and force spectrum runs, which scale and
// combine those shapes. A mode's forces are only in equilibrium with its
// shape when they are recovered with the stiffness that shaped it, so every
// kind whose stiffness depends on a state (joints, tie rods, gaps, limit
// stops, friction, one-way supports) takes the state of the eigenproblem
// in all of these cases, never the one the last static case left, and
// adds no load of a state (friction pair, gap closure): a mode is a free
// vibration and carries none.
inline constexpr bool CaseUsesModalStiffness(int type) {
  return type == kCaseIdModal || type == kCaseIdResponseSpectrum || type == kCaseIdTimeHistory ||
         type == kCaseIdHarmonic || type == kCaseIdForceSpectrum;
}
