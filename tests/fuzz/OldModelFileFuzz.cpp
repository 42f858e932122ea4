// The converter of old-format model files, as File > Open reaches it: any
// file is converted into a fresh model or refused with its message, and a
// model converted is one the program can show and save
// (AcceptedModelCheck.h). Seeds: the old files the tests write, of every
// layout version, without and with nozzle rows, one whose options, hanger
// and load hold values the model file does not, and ones holding what the
// other roads refuse or read otherwise: a wind shape factor of 0 and a
// response spectrum with a negative abscissa, in either layout.
#include "files/ModelFile.h"
#include "files/ModelIntake.h"
#include "files/OldModelFile.h"
#include "files/OldModelWriter.h"
#include "fuzz/AcceptedModelCheck.h"
#include "fuzz/FuzzTarget.h"
#include "model/Model.h"
#include "services/Units.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzWriteFile("fuzz.mod", data, size);
  g_UnitsSettings = UnitsSettings{};
  Model model;
  std::vector<std::string> notes;
  // What the program's roads catch, and no more; then Open's one check of
  // the model, as ReadModelFile asks it.
  if (CatchModelRead(path, [&] { ReadModelFileInto(path, model, &notes); }).empty() &&
      ModelIntakeRefusal(model, IntakeRoad::kModelFile).empty())
    CheckAcceptedModel(model, "old model file", RoadRules::kMaking, notes);
  return 0;
}

std::size_t FuzzSeedBudget() { return kAcceptedModelSeedBudget; }

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds;
  for (int version : {370, 371, 372, 373, 375, 400, 401}) {
    OldModelChoices choices;
    choices.version = version;
    choices.pipingCode = version < 372 ? 17 : 18;
    seeds.push_back(OldModelFileBytes(choices));
    choices.nozzles = OldNozzleRows();
    seeds.push_back(OldModelFileBytes(choices));
  }
  // Values the model file does not hold, which the conversion replaces.
  OldModelChoices outside;
  outside.cutOffFrequency = 0;
  outside.modeCount = -1;
  outside.thermalLoads = 7;
  outside.modeSum = 9;
  outside.hangerKind = 0;
  outside.timeVaryingDirection = 12;
  seeds.push_back(OldModelFileBytes(outside));
  // The spectra of a version-3 header and a version-4 record, and the wind.
  for (int version : {373, 401}) {
    OldModelChoices choices;
    choices.version = version;
    choices.spectrumFirstAbscissa = -0.1;
    seeds.push_back(OldModelFileBytes(choices));
    choices.spectrumFirstAbscissa = 0.1;
    choices.windShapeFactor = 0.0;
    seeds.push_back(OldModelFileBytes(choices));
  }
  return seeds;
}
