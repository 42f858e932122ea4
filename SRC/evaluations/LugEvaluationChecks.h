// The run-pipe stress checks at a welded lug: ASME III Appendix Y (Y-3410
// rectangular, Y-5410 hollow circular) or EN 13480-3 clause 11, then a
// check of the attachment weld under the absolute maximum loads. Nothing is
// stored: the report computes them each time it is built.
//
// For each load set the attachment term P is a sum of absolute stresses;
// the sustained and occasional sets use the primary indices (B), the
// thermal and settlement sets the secondary ones (K). The thermal,
// settlement and creep rows carry half the weld factor.
//
// The rectangular indices are fits whose base (-u - v^2/c) must be
// positive: very slender lugs fall outside them and are refused naming
// L1/Ro and L2/Ro (never a NaN). A torsion stress is the larger in
// magnitude of its two moduli's, its sign kept.
#pragma once

#include <string>
#include <vector>

#include "evaluations/LugEvaluationModel.h"

struct LugResultRow {
  std::string label;
  float calculated = 0, allowed = 0;
};

struct LugCheckResult {
  std::string refusal;  // the fits do not cover the lug: nothing else is set
  std::string sectionTitle;
  std::vector<LugResultRow> rows;
  std::string weldTitle;
  std::vector<LugResultRow> weldRows;
  // Rectangular: K1, K2, K3 (thrust, longitudinal, circumferential moment);
  // hollow circular: KN, KL, KC, KT.
  float K[4] = {1, 1, 1, 1};
  float B[4] = {1, 1, 1, 1};
  double tau1 = 0, tau2 = 0, tauT = 0;  // of the sustained loads
  double P[kLugLoadSetCount] = {};      // Psus, Pocc, Pth, Pset (index by set)
};

LugCheckResult CheckLug(const LugInputs& d);
// The refusal of the rectangular fits; empty when they cover the lug.
std::string LugFitRefusal(const LugInputs& d);
