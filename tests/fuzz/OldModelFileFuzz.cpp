// The converter of old-format model files: any file is converted into a
// fresh model or refused with its message. Seeds: the old files the tests
// write, of every layout version, without and with nozzle rows, and one
// whose options, hanger and load hold values the model file does not.
#include "files/ModelFile.h"
#include "files/OldModelFile.h"
#include "files/OldModelWriter.h"
#include "fuzz/FuzzTarget.h"
#include "model/Model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzWriteFile("fuzz.mod", data, size);
  Model model;
  std::vector<std::string> notes;
  // The converter is reached through the model reader: what the program's
  // roads catch, and no more.
  CatchModelRead(path, [&] { ConvertOldModelFile(path, model, &notes); });
  return 0;
}

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
  return seeds;
}
