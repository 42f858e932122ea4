// The nozzle evaluation file reader: any file is read or refused with its
// message. A refused file leaves the open document and the unit choices as
// they were; a file read is written back, and that file reads to the same
// document and writes the same bytes. Seeds: files of the current version
// for both analysis kinds, shells and load cases, and an older (version
// 720) file made from the program's own writer's bytes.
#include "evaluations/NozzleEvaluationFile.h"
#include "fuzz/EvaluationFileFuzz.h"
#include "fuzz/FuzzTarget.h"

namespace {

// The document open before the file is read: no field at its default.
NozzleEvaluation OpenDocument() {
  NozzleEvaluation d;
  d.analysis = kNozzleWrc537;
  d.spherical = false;
  float value = 1.5f;
  for (float* field : {&d.R,  &d.e,  &d.de, &d.eb, &d.d, &d.e2, &d.d2, &d.ec, &d.f, &d.fb, &d.f2, &d.c,   &d.P,  &d.V1,
                       &d.V2, &d.M1, &d.M2, &d.MT, &d.T, &d.Rm, &d.rm, &d.ro, &d.r, &d.Pm, &d.Pb, &d.All, &d.Kn, &d.Kb})
    *field = value += 0.25f;
  d.loadCase = kNozzleSustainedOccasional;
  return d;
}

std::string Written(const NozzleEvaluation& d, const UnitsSettings& units) {
  return evaluation_fuzz::Written("noz", WriteNozzleFileFrom, d, units);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return evaluation_fuzz::ReadAndWriteBack(data, size, "noz", OpenDocument(), ReadNozzleFileInto, WriteNozzleFileFrom);
}

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds;
  NozzleEvaluation d = OpenDocument();
  UnitsSettings units{};
  seeds.push_back(Written(NozzleEvaluation{}, units));
  for (bool spherical : {false, true}) {
    d.spherical = spherical;
    d.analysis = spherical ? kNozzleEn13445 : kNozzleWrc537;
    d.loadCase = spherical ? kNozzleOperating : kNozzleSustained;
    units.unit[1] = spherical ? 3 : 0;
    seeds.push_back(Written(d, units));
  }
  // Version 720: no analysis kind, no load case and WRC block.
  std::string old = seeds.back().substr(0, 16) + seeds.back().substr(20, 49) + seeds.back().substr(137);
  old.replace(11, 3, "720");
  seeds.push_back(old);
  return seeds;
}
