// The nozzle evaluation tool's document: one nozzle on a pressure vessel,
// checked either for the maximum allowable individual loads of EN 13445-3
// (analysis kind 0) or for the local shell stresses of WRC Bulletin 537
// (kind 1), in a spherical or a cylindrical shell. The record holds both
// blocks of inputs; the WRC nozzle thickness t and the EN nozzle thickness
// eb are one field. Values are in the internal English units (inch, lb,
// in-lb, psi).
//
// The tool has one document at a time; it lives for the process. The
// tool's modified state is the program's modified flag (the model is
// closed while the tool is open): New sets it, every stored change sets
// it, writing and reading a file clear it. Analysed is cleared by the same
// changes and set by Analyze.
#pragma once

#include <cstdint>
#include <string>

#include "evaluations/EvaluationFrame.h"

enum NozzleAnalysisKind : std::int32_t { kNozzleEn13445 = 0, kNozzleWrc537 = 1 };
enum NozzleLoadCase : std::int32_t { kNozzleSustained = 0, kNozzleSustainedOccasional = 1, kNozzleOperating = 2 };

extern const char* const kNozzleAnalysisNames[2];
extern const char* const kNozzleLoadCaseNames[3];

struct NozzleEvaluation {
  std::int32_t analysis = kNozzleEn13445;
  bool spherical = true;
  // EN 13445-3
  float R = 0;   // mean shell radius (sphere) or mean shell diameter D (cylinder)
  float e = 0;   // nominal shell thickness
  float de = 0;  // nozzle outside diameter (reported only)
  float eb = 0;  // nozzle thickness; also the WRC nozzle thickness t
  float d = 0;   // mean nozzle diameter
  float e2 = 0;  // pad thickness
  float d2 = 0;  // pad outside diameter (reported only)
  float ec = 0;  // entered shell + pad thickness
  float f = 0, fb = 0, f2 = 0;  // design stresses of shell, nozzle, pad
  float c = 0;                  // corrosion allowance
  // WRC 537
  std::int32_t loadCase = kNozzleOperating;
  float P = 0, V1 = 0, V2 = 0, M1 = 0, M2 = 0, MT = 0;  // V1/V2, M1/M2: VC/VL, MC/ML on a cylinder
  float T = 0, Rm = 0, rm = 0, ro = 0, r = 0;
  float Pm = 0, Pb = 0, All = 0;
  float Kn = 0, Kb = 0;  // 0: computed from the fillet radius

  bool operator==(const NozzleEvaluation&) const = default;
};

struct NozzleDocument {
  NozzleEvaluation data;
  EvaluationDocumentPath file;
  bool analysed = false;
  bool windowOpen = false;
};

NozzleDocument& TheNozzleDocument();
// New: the defaults (EN 13445-3, spherical, operating, every value 0),
// not analysed and modified.
void NewNozzleEvaluation();
bool NozzleModified();
void SetNozzleModified(bool modified);
