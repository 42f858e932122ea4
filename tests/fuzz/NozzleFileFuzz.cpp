// The nozzle evaluation file reader: any file is read or refused with its
// message. A refused file leaves the open document and the unit choices as
// they were; a file read is written back, and that file reads to the same
// document and writes the same bytes. Seeds: files of the current version
// for both analysis kinds, shells and load cases, and an older (version
// 720) file made from the program's own writer's bytes.
#include <cstring>

#include "evaluations/NozzleEvaluationFile.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/ReaderFuzz.h"

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

UnitsSettings OpenUnits() {
  UnitsSettings units;
  for (int kind = 1; kind <= kUnitKindCount; ++kind) units.unit[kind] = UnitCount(kind) - 1;
  return units;
}

bool SameUnits(const UnitsSettings& a, const UnitsSettings& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string Written(const NozzleEvaluation& d, const UnitsSettings& units) {
  return scratch::Written("written.noz", [&](const std::string& path) { WriteNozzleFileFrom(path, d, units); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = scratch::Write("fuzz.noz", data, size);
  const NozzleEvaluation before = OpenDocument();
  const UnitsSettings unitsBefore = OpenUnits();
  NozzleEvaluation document = before;
  UnitsSettings units = unitsBefore;
  try {
    ReadNozzleFileInto(path, document, units);
  } catch (const std::string&) {
    if (!(document == before) || !SameUnits(units, unitsBefore))
      scratch::Fault("a refused file changed the open document");
    return 0;
  }
  const std::string written = Written(document, units);
  const std::string again = scratch::Write("again.noz", written);
  NozzleEvaluation reread = before;
  UnitsSettings rereadUnits = unitsBefore;
  ReadNozzleFileInto(again, reread, rereadUnits);
  if (!(reread == document) || !SameUnits(rereadUnits, units))
    scratch::Fault("what was read and written back read differently");
  if (Written(reread, rereadUnits) != written)
    scratch::Fault("what was read and written back wrote other bytes the second time");
  return 0;
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
