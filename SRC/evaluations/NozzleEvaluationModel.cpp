// The nozzle evaluation document (see NozzleEvaluationModel.h).
#include "evaluations/NozzleEvaluationModel.h"

#include "model/Model.h"

const char* const kNozzleAnalysisNames[2] = {"Allowable Loads on Nozzles - EN13445-3 (2009)",
                                             "Local Shell Stresses at Nozzles - WRC Bulletin 537"};
const char* const kNozzleLoadCaseNames[3] = {"Sustained", "Sustained + Occasional", "Operating"};

NozzleDocument& TheNozzleDocument() {
  static NozzleDocument document;
  return document;
}

void NewNozzleEvaluation() {
  NozzleDocument& document = TheNozzleDocument();
  document.data = NozzleEvaluation{};
  document.analysed = false;
  SetNozzleModified(true);
}

bool NozzleModified() { return TheModel().modified; }

void SetNozzleModified(bool modified) { TheModel().modified = modified; }
