// What the rotating-equipment reports read: the report's load cases (up to
// 10 load-case types with their titles, numbered from 1, and the current
// one), the equipment list (every pump, then every compressor, then every
// turbine, each entry its kind and its number in its own table, and the
// current entry) and the evaluation of every pump, compressor and turbine.
// The results side fills it after a results file is read; the reports and
// their table read it. Nothing of it is stored in files.
#pragma once

#include <string>
#include <vector>

#include "evaluations/Api617Nema.h"
#include "evaluations/PumpEvaluation.h"

enum EquipmentKind : int { kEquipmentPump = 0, kEquipmentCompressor = 1, kEquipmentTurbine = 2 };

struct EquipmentEntry {
  int kind = kEquipmentPump;
  int number = 0;  // in g_Pumps, the compressors or the turbines
};

struct RotatingEquipmentData {
  bool available = false;
  std::vector<int> caseTypes;         // [0] is case 1
  std::vector<std::string> caseTitles;
  int currentCase = 0;                // 1-based, 0 none
  std::vector<EquipmentEntry> entries;
  int currentEntry = 0;               // 1-based, 0 none
  bool pumps = false, compressors = false, turbines = false;
  std::vector<PumpEvaluation> pumpEvaluations;        // [number - 1]
  std::vector<MachineEvaluation> compressorEvaluations;
  std::vector<MachineEvaluation> turbineEvaluations;
};

RotatingEquipmentData& TheRotatingEquipmentData();
// The title of report case `number` (1-based); empty outside the list.
std::string RotatingReportCaseTitle(int number);
