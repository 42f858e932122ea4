// The lug evaluation tool's document: a run pipe at one welded integral
// attachment, rectangular or hollow circular, checked against ASME III
// Appendix Y (class 2 "NC" or class 3 "ND") or EN 13480-3 clause 11. The
// record keeps both attachments' dimensions and both codes' allowables;
// the dialog clears the ones it does not read. Values are in the internal
// English units (inch, psi, lb, in-lb).
//
// One document at a time, for the process. The program's modified flag is
// the tool's (the model is closed while the tool is open); analysed is
// cleared by every stored change, New and a file read, set by Analyze.
#pragma once

#include <array>
#include <cstdint>

#include "evaluations/EvaluationFrame.h"

enum LugCode : std::int32_t { kLugAsmeNc = 0, kLugAsmeNd = 1, kLugEn13480 = 2 };
enum LugType : std::int32_t { kLugRectangular = 1, kLugHollowCircular = 2 };
// The load sets, in the order of the dialog and the report.
enum LugLoadSet : int { kLugSustained, kLugOccasional, kLugThermal, kLugSettlement, kLugAbsMax, kLugLoadSetCount };
// The loads of a set, in the order of the dialog and the report.
enum LugLoad : int { kLugW, kLugQ1, kLugQ2, kLugMT, kLugMN, kLugML, kLugLoadCount };

extern const char* const kLugCodeNames[3];
extern const char* const kLugLevelNames[4];
extern const char* const kLugRectangularWelds[3];
extern const char* const kLugCircularWelds[2];

struct LugInputs {
  std::int32_t code = kLugAsmeNc;
  std::int32_t level = 0;
  std::int32_t lugType = kLugRectangular;
  std::int32_t weldType = 0;
  float OD = 0, Thk = 0;  // run pipe
  float L1 = 0, L2 = 0;   // rectangular: half lengths, circumferential and longitudinal
  float od = 0, thk = 0;  // hollow circular attachment
  float s1 = 0, s2 = 0, s3 = 0, s4 = 0, s5 = 0;  // run-pipe stresses (meaning by code)
  float sh = 0, sa = 0, sy = 0;                  // ASME allowables
  float fh = 0, fa = 0, ReHt = 0, fcr = 0;       // EN allowables
  std::array<std::array<float, kLugLoadCount>, kLugLoadSetCount> loads{};

  bool operator==(const LugInputs&) const = default;
};

struct LugDocument {
  LugInputs data;
  EvaluationDocumentPath file;
  bool analysed = false;
  bool windowOpen = false;
};

LugDocument& TheLugDocument();
// New: the defaults (NC, level A, rectangular, full penetration, zeros),
// not analysed and modified.
void ResetLugInputs();
bool LugModified();
void SetLugModified(bool modified);
bool LugIsAsme(const LugInputs& d);
const char* LugWeldName(const LugInputs& d);
