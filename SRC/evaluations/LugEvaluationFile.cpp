// The .lug reader and writer (see LugEvaluationFile.h).
#include "evaluations/LugEvaluationFile.h"

#include <cstring>

#include "platform/SiblingTemporary.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"

namespace {

constexpr std::size_t kMagicBytes = 16;
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
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    if (units[kind - 1] < 0 || units[kind - 1] >= UnitCount(kind)) return false;
  return true;
}

}  // namespace

void WriteLugFileFrom(const std::string& path, const LugInputs& data, const UnitsSettings& units) {
  const std::string failed = "Unable to write lug data file";
  platform::RemoveStaleTemporaries(path);
  platform::SiblingTemporary temporary(path, 0644);
  if (!temporary.ok()) throw failed;
  BinaryFile file;
  bool written = BinaryFileOpenWrite(file, temporary.path());
  if (written) {
    char magic[kMagicBytes] = {};
    std::memcpy(magic, kLugFileMagic, std::strlen(kLugFileMagic));
    BinaryFileWriteBytes(file, magic, kMagicBytes);
    BinaryFileWriteInt(file, data.code);
    BinaryFileWriteInt(file, data.level);
    BinaryFileWriteInt(file, data.lugType);
    for (const float* value : Floats(data)) BinaryFileWriteFloat(file, *value);
    BinaryFileWriteInt(file, data.weldType);
    for (LugLoadSet set : kFileSets)
      for (LugLoad load : kFileLoads) BinaryFileWriteFloat(file, data.loads[set][load]);
    BinaryFileWriteInts(file, &units.unit[1], kUnitKindCount);
    written = BinaryFileClose(file) && !BinaryFileHasError(file);
  }
  if (!written || !temporary.Commit()) throw failed;
}

void ReadLugFileInto(const std::string& path, LugInputs& data, UnitsSettings& units) {
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) throw "Lug evaluation file: " + path + "\nDoes not exist.";
  BinaryFileRequireFinite(file);
  char magic[kMagicBytes + 1] = {};
  BinaryFileReadBytes(file, magic, kMagicBytes);
  if (BinaryFileReadFailed(file) || std::memcmp(magic, kLugFileMagic, kMagicBytes) != 0) {
    BinaryFileClose(file);
    throw "Unable to read lug evaluation file:\n" + path;
  }
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
  const bool failed = BinaryFileReadFailed(file) || BinaryFileNonFiniteAt(file) >= 0;
  BinaryFileClose(file);
  if (failed || !Sound(read, unitChoices)) throw "There was an error while reading lug evaluation file:\n" + path;
  data = read;
  for (int kind = 1; kind <= kUnitKindCount; ++kind) units.unit[kind] = unitChoices[kind - 1];
}

void WriteLugFile() {
  LugDocument& document = TheLugDocument();
  QV_ASSERT(!document.file.path.empty() && "lug_file_path");
  WriteLugFileFrom(document.file.path, document.data, g_UnitsSettings);
  SetLugModified(false);
}
