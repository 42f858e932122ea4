// The lug evaluation document (see LugEvaluationModel.h).
#include "evaluations/LugEvaluationModel.h"

#include "model/Model.h"

const char* const kLugCodeNames[3] = {"ASME Sec III, Div 1 - NC (2010)", "ASME Sec III, Div 1 - ND (2010)",
                                      "EN 13480-3 (2017)"};
const char* const kLugLevelNames[4] = {"A", "B", "C", "D"};
const char* const kLugRectangularWelds[3] = {"Full Penetration", "Fillet or Partial (4 Sides)",
                                             "Fillet or Partial (<= 3 Sides)"};
const char* const kLugCircularWelds[2] = {"Full Penetration", "Fillet or Partial"};

LugDocument& TheLugDocument() {
  static LugDocument document;
  return document;
}

void ResetLugInputs() {
  LugDocument& document = TheLugDocument();
  document.data = LugInputs{};
  document.analysed = false;
  SetLugModified(true);
}

bool LugModified() { return TheModel().modified; }

void SetLugModified(bool modified) { TheModel().modified = modified; }

bool LugIsAsme(const LugInputs& d) { return d.code != kLugEn13480; }

const char* LugWeldName(const LugInputs& d) {
  if (d.lugType == kLugRectangular) return kLugRectangularWelds[d.weldType >= 0 && d.weldType < 3 ? d.weldType : 0];
  return kLugCircularWelds[d.weldType >= 0 && d.weldType < 2 ? d.weldType : 0];
}
