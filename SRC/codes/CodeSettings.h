// The piping-code settings that every code-compliance routine reads: the
// model's piping code and the analysis options that shape the code
// stresses, copied once from the model's options into a value the checks
// own. Opening or viewing results never changes the model: where a code
// needs another value than the one stored (code 14 counts at least 100
// thermal cycles, only some codes know the liberal allowable) the change is
// made here, on the copy.
//
// Also here: the code groups the rules test, the stress range reduction
// factors f of the expansion and operating allowables, and the refusal of
// the models whose checks are not built yet (BS 806, buried pipe, the
// ASME Class 2 and 3 branch connections). Start at EffectiveCodeSettings.
#pragma once

#include <cstdint>
#include <string>

struct AnalysisOptions;
struct Model;

struct CodeSettings {
  std::int32_t code = 0;                 // PipingCodeId
  std::int32_t serviceLevel = 0;         // 0, 1, 2
  std::int32_t designFactorIndex = 0;    // B31.8 design factor F by index
  std::int32_t z183LocationFactorIndex = 0;
  std::int32_t z184ClassLocation = 1;    // 1 .. 4
  bool z184SourService = false;
  bool liberalAllowable = false;
  bool includeAxialForce = false;
  bool useB31J = false;
  bool pressureStressOption = false;     // Pd^2 / (D^2 - d^2) instead of PD / 4t
  bool pressureCorrection = false;
  bool useColdModulus = false;
  bool zVertical = false;
  float referenceTemperature = 70.0f;    // degrees F
  float peakPressureFactor = 1.0f;       // k of the occasional pressure increment
  float seismicCoefficient = 1.2f;       // the occasional load factor of EN 13480
  std::int32_t thermalCycles = 7000;     // N
  std::int32_t thermalLoadCount = 1;
};

// The settings of a model's options, with the effective values the codes
// call for (see the head comment); the options themselves are not touched.
CodeSettings EffectiveCodeSettings(const AnalysisOptions& options);

// Code groups.
bool IsClass2Or3Code(int code);        // 9, 10, 11, 101, 201
bool IsClass2Or3Edition2015(int code); // 11, 101, 201: the later B2 and branch rules
bool IsPipelineCode(int code);         // 4, 6, 22
bool IsTensileStrengthCode(int code);  // 13, 14, 17, 18, 21: the strength value is Rm

// The stress range reduction factor f of the expansion allowables for N
// cycles: code 14 (7000 / N)^0.2 with N at least 100 (no upper bound);
// codes 1, 3, 6, 7 6.0 N^-0.2 at most 1.0 (codes 1, 3, 7 at least 0.15);
// the table of steps from 1.0 down to 0.3 for every other code. N below 1
// counts as 1.
double ExpansionRangeFactor(int code, std::int32_t cycles);
// The factor of the operating allowable: 6.0 N^-0.2, at most 1.0.
double OperatingRangeFactor(std::int32_t cycles);

// Why the code stresses of this model cannot be computed yet, or empty
// when they can. `sustainedPresent`: the results hold "Sustained (W+P)".
std::string CodeStressRefusal(const Model& model, const CodeSettings& settings, bool sustainedPresent);
