// The kinds of load case the analysis runs: for every LoadCaseType, which
// loads, thermal state, wind and seismic directions a step of that type
// carries, and which element and item behaviour applies. The answers are one
// table indexed by the type (LoadCaseKindOf); the titles of the types are the
// load-case title table of the name tables (LoadCaseTitle, NameTables.h).
//
// The engine, the element kinds and the data items ask through the
// predicates below, which take no argument and answer for the type of the
// current step (g_LoadCaseSteps at g_CurrentStep, RunState.h). Four answers
// also depend on the open model: "Include hanger stiffness" and "Use cold
// modulus" of its analysis options, and the pipeline codes 19 and 20, which
// carry wind load 1 in every case with sustained loads instead of in the
// wind case.
//
// Thermal state k (T1 .. T10) belongs to its expansion case (2, 3, 4, 51 ..
// 57), its operating case (8, 9, 10, 100 .. 106), its cold spring case and
// its buried case; T1 also to the hanger travel steps and the static
// analysis of a model without a piping code.
#pragma once

#include <cstdint>

#include "services/LoadCaseTypes.h"

// What a type carries, as bits of LoadCaseKind::traits.
enum LoadCaseTrait : std::uint32_t {
  kCaseSustained = 1u << 0,           // weight and pressure
  kCaseThermal = 1u << 1,             // a thermal state
  kCaseOperatingT1 = 1u << 2,
  kCaseColdSpring = 1u << 3,
  kCaseWind1 = 1u << 4,
  kCaseWind2 = 1u << 5,
  kCaseWind3 = 1u << 6,
  kCaseWind4 = 1u << 7,
  kCaseExpansion = 1u << 8,           // a single thermal expansion case
  kCaseSettlement = 1u << 9,
  kCaseSeismicDisplacement = 1u << 10,
  kCaseModal = 1u << 11,
  kCaseHangerLoadOrHydrotest = 1u << 12,
  kCaseRecalculatingHangerLoads = 1u << 13,
  kCaseHangerStep = 1u << 14,         // the hanger load, travel and design steps 20 .. 25
  kCaseSeismicDirections = 1u << 15,  // sets the seismic direction flags
  kCaseDynamic = 1u << 16,            // spectrum, time history, harmonic, force spectrum
};

// Seismic directions as bits of LoadCaseKind::seismicDirections.
constexpr std::uint8_t kSeismicX = 1, kSeismicY = 2, kSeismicZ = 4;

struct LoadCaseKind {
  std::uint32_t traits = 0;
  std::int8_t thermalState = 0;          // k of Tk, 0 none
  std::uint8_t seismicDirections = 0;    // with kCaseSeismicDirections
};

// The row of a type; a type outside 1 .. kLastLoadCaseType carries nothing.
const LoadCaseKind& LoadCaseKindOf(int type);

// The three seismic direction flags the inertia loads read; set by
// CaseSetSeismicDirections and CaseIsSeismicOrDynamic.
struct SeismicDirectionFlags {
  std::uint8_t x = 0, y = 0, z = 0;
};
extern SeismicDirectionFlags g_SeismicDirections;

// The operating cases of T1 ("Operating (W+P1+T1)" and, without a piping
// code, the static analysis): every state-dependent kind keeps the state
// they leave for the modes.
bool CaseTypeIsOperatingT1(int type);

// The predicates of the current step.
int CurrentCaseType();
bool CaseIsOperatingT1();
// Only while "Include hanger stiffness" is set, and never in the hanger steps.
bool IncludeHangerStiffnessInStep();
bool CaseHasSustainedLoads();
bool CaseHasThermalLoads();
// k from 1 to 10; false for any other k.
bool CaseIncludesTk(int k);
inline bool CaseIncludesT1() { return CaseIncludesTk(1); }
inline bool CaseIncludesT2() { return CaseIncludesTk(2); }
inline bool CaseIncludesT3() { return CaseIncludesTk(3); }
inline bool CaseIncludesT4() { return CaseIncludesTk(4); }
inline bool CaseIncludesT5() { return CaseIncludesTk(5); }
inline bool CaseIncludesT6() { return CaseIncludesTk(6); }
inline bool CaseIncludesT7() { return CaseIncludesTk(7); }
inline bool CaseIncludesT8() { return CaseIncludesTk(8); }
inline bool CaseIncludesT9() { return CaseIncludesTk(9); }
inline bool CaseIncludesT10() { return CaseIncludesTk(10); }
// For the seismic types sets the three direction flags and answers true;
// for every other type answers false and leaves the flags as they are.
bool CaseSetSeismicDirections();
bool CaseIncludesWind1();
bool CaseIsWind2();
bool CaseIsWind3();
bool CaseIsWind4();
// The seismic types (setting the flags as CaseSetSeismicDirections does) and
// the dynamic runs.
bool CaseIsSeismicOrDynamic();
bool CaseIncludesColdSpring();
bool CaseIsModal();
// The modal case and the responses built from its modes (CaseUsesModalStiffness):
// every state-dependent kind takes the state the eigenproblem held it in.
bool CaseUsesModalState();
// The single expansion cases; every type while "Use cold modulus" is set.
bool CaseIsExpansion();
bool CaseIsSettlement();
bool CaseIsSeismicDisplacement();
bool CaseIsHangerLoadOrHydrotest();
bool CaseIsRecalculatingHangerLoads();
