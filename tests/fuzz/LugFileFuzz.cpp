// The lug evaluation file reader: any file is read or refused with its
// message. A refused file leaves the open document and the unit choices as
// they were; a file read is written back, and that file reads to the same
// document and writes the same bytes. Seeds: files of both lug types and
// every code, written by the program's own writer.
#include "evaluations/LugEvaluationFile.h"
#include "fuzz/EvaluationFileFuzz.h"
#include "fuzz/FuzzTarget.h"

namespace {

// The document open before the file is read: no field at its default.
LugInputs OpenDocument() {
  LugInputs d;
  d.code = kLugEn13480;
  d.level = 2;
  d.lugType = kLugHollowCircular;
  d.weldType = 1;
  float value = 2.5f;
  for (float* field : {&d.OD, &d.Thk, &d.L1, &d.L2, &d.od, &d.thk, &d.s1, &d.s2, &d.s3, &d.s4, &d.s5, &d.sh, &d.sa,
                       &d.sy, &d.fh, &d.fa, &d.ReHt, &d.fcr})
    *field = value += 0.5f;
  for (auto& set : d.loads)
    for (float& load : set) load = value += 10.0f;
  return d;
}

std::string Written(const LugInputs& d, const UnitsSettings& units) {
  return evaluation_fuzz::Written("lug", WriteLugFileFrom, d, units);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return evaluation_fuzz::ReadAndWriteBack(data, size, "lug", OpenDocument(), ReadLugFileInto, WriteLugFileFrom);
}

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds;
  UnitsSettings units{};
  seeds.push_back(Written(LugInputs{}, units));
  LugInputs d = OpenDocument();
  for (std::int32_t code : {kLugAsmeNc, kLugAsmeNd, kLugEn13480}) {
    d.code = code;
    d.level = code;
    d.lugType = code == kLugAsmeNd ? kLugHollowCircular : kLugRectangular;
    d.weldType = code == kLugEn13480 ? 2 : 0;
    units.unit[1] = code;
    seeds.push_back(Written(d, units));
  }
  return seeds;
}
