// The .lug reader and writer (see LugEvaluationFile.h).
#include "evaluations/LugEvaluationFile.h"

#include <array>

#include "evaluations/EvaluationInputFile.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"

namespace {

// The order of the sets and of the loads in a set as the file keeps them.
constexpr LugLoadSet kFileSets[kLugLoadSetCount] = {kLugSustained, kLugThermal, kLugOccasional, kLugSettlement,
                                                    kLugAbsMax};
constexpr LugLoad kFileLoads[kLugLoadCount] = {kLugW, kLugQ1, kLugQ2, kLugML, kLugMN, kLugMT};

template <typename Data>
auto Floats(Data& d) {
  return std::array{&d.OD, &d.Thk, &d.L1, &d.L2, &d.od, &d.thk, &d.s1, &d.s2, &d.s3, &d.s4, &d.s5,
                    &d.fh, &d.fa, &d.fcr, &d.ReHt, &d.sh, &d.sy, &d.sa};
}

bool Sound(const LugInputs& d, const std::int32_t (&units)[kUnitKindCount]) {
  if (d.code < kLugAsmeNc || d.code > kLugEn13480) return false;
  if (d.level < 0 || d.level > 3) return false;
  if (d.lugType != kLugRectangular && d.lugType != kLugHollowCircular) return false;
  if (d.weldType < 0 || d.weldType > (d.lugType == kLugRectangular ? 2 : 1)) return false;
  return UnitChoicesSound(units);
}

}  // namespace

void WriteLugFileFrom(const std::string& path, const LugInputs& data, const UnitsSettings& units) {
  WriteEvaluationFile(path, kLugFileMagic, "Unable to write lug data file", [&](BinaryFile& file) {
    BinaryFileWriteInt(file, data.code);
    BinaryFileWriteInt(file, data.level);
    BinaryFileWriteInt(file, data.lugType);
    for (const float* value : Floats(data)) BinaryFileWriteFloat(file, *value);
    BinaryFileWriteInt(file, data.weldType);
    for (LugLoadSet set : kFileSets)
      for (LugLoad load : kFileLoads) BinaryFileWriteFloat(file, data.loads[set][load]);
    BinaryFileWriteInts(file, &units.unit[1], kUnitKindCount);
  });
}

void ReadLugFileInto(const std::string& path, LugInputs& data, UnitsSettings& units) {
  EvaluationFileReader reader(path, "Lug evaluation");
  if (!reader.MagicIs(kLugFileMagic)) reader.Refuse("Unable to read lug evaluation file:\n");
  BinaryFile& file = reader.file();
  LugInputs read;
  BinaryFileReadInt(file, read.code);
  BinaryFileReadInt(file, read.level);
  BinaryFileReadInt(file, read.lugType);
  for (float* value : Floats(read)) BinaryFileReadFloat(file, *value);
  BinaryFileReadInt(file, read.weldType);
  for (LugLoadSet set : kFileSets)
    for (LugLoad load : kFileLoads) BinaryFileReadFloat(file, read.loads[set][load]);
  std::int32_t unitChoices[kUnitKindCount] = {};
  BinaryFileReadInts(file, unitChoices, kUnitKindCount);
  reader.Finish(Sound(read, unitChoices), "There was an error while reading lug evaluation file:\n");
  data = read;
  TakeUnitChoices(unitChoices, units);
}

void WriteLugFile() {
  LugDocument& document = TheLugDocument();
  QV_ASSERT(!document.file.path.empty() && "lug_file_path");
  WriteLugFileFrom(document.file.path, document.data, g_UnitsSettings);
  SetLugModified(false);
}
