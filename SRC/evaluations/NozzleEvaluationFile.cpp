// The .noz reader and writer (see NozzleEvaluationFile.h).
#include "evaluations/NozzleEvaluationFile.h"

#include <cstring>

#include "evaluations/EvaluationInputFile.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/NumberFormat.h"

namespace {

constexpr std::size_t kKindBytes = 11;  // "QUORVELWNOZ"
constexpr int kVersion = 810;
constexpr int kOldestVersion = 720;

float* EnFields(NozzleEvaluation& d, std::size_t index) {
  float* fields[] = {&d.R, &d.e, &d.de, &d.eb, &d.d, &d.e2, &d.d2, &d.ec, &d.f, &d.fb, &d.f2, &d.c};
  return index < std::size(fields) ? fields[index] : nullptr;
}
constexpr std::size_t kEnFieldCount = 12;
float* WrcFields(NozzleEvaluation& d, std::size_t index) {
  float* fields[] = {&d.P, &d.V1, &d.V2, &d.M1, &d.M2, &d.MT, &d.T,  &d.Rm,
                     &d.rm, &d.ro, &d.r, &d.Pm, &d.Pb, &d.All, &d.Kn, &d.Kb};
  return index < std::size(fields) ? fields[index] : nullptr;
}
constexpr std::size_t kWrcFieldCount = 16;

void WriteFields(BinaryFile& file, NozzleEvaluation d, const UnitsSettings& units) {
  BinaryFileWriteInt(file, d.analysis);
  BinaryFileWriteByte(file, d.spherical ? 1 : 0);
  for (std::size_t i = 0; i < kEnFieldCount; ++i) BinaryFileWriteFloat(file, *EnFields(d, i));
  BinaryFileWriteInt(file, d.loadCase);
  for (std::size_t i = 0; i < kWrcFieldCount; ++i) BinaryFileWriteFloat(file, *WrcFields(d, i));
  BinaryFileWriteInts(file, &units.unit[1], kUnitKindCount);
}

// The version of a magic of the right kind; -1 when the digits are not
// digits.
int VersionOf(const char* magic) {
  int version = 0;
  for (std::size_t i = kKindBytes; i < kKindBytes + 3; ++i) {
    if (magic[i] < '0' || magic[i] > '9') return -1;
    version = version * 10 + (magic[i] - '0');
  }
  return version;
}

bool Sound(const NozzleEvaluation& d, std::uint8_t shell, const std::int32_t (&units)[kUnitKindCount]) {
  if (d.analysis != kNozzleEn13445 && d.analysis != kNozzleWrc537) return false;
  if (shell > 1) return false;
  if (d.loadCase < kNozzleSustained || d.loadCase > kNozzleOperating) return false;
  return UnitChoicesSound(units);
}

}  // namespace

void WriteNozzleFileFrom(const std::string& path, const NozzleEvaluation& data, const UnitsSettings& units) {
  WriteEvaluationFile(path, kNozzleFileMagic, "Unable to write data file",
                      [&](BinaryFile& file) { WriteFields(file, data, units); });
}

void ReadNozzleFileInto(const std::string& path, NozzleEvaluation& data, UnitsSettings& units) {
  EvaluationFileReader reader(path, "Nozzle Evaluation");
  if (!reader.MagicRead() || std::strncmp(reader.magic(), kNozzleFileMagic, kKindBytes) != 0)
    reader.Refuse("Unable to read nozzle data file:\n");
  const int version = VersionOf(reader.magic());
  if (version < kOldestVersion || version > kVersion)
    reader.Refuse("Unable to read nozzle data:\n", CFormat("\nVersion = %.2f", version * 0.01));
  BinaryFile& file = reader.file();
  const bool current = version >= kVersion;
  NozzleEvaluation read = data;
  if (current)
    BinaryFileReadInt(file, read.analysis);
  else
    read.analysis = kNozzleEn13445;
  std::uint8_t shell = 0;
  BinaryFileReadByte(file, shell);
  read.spherical = shell != 0;
  for (std::size_t i = 0; i < kEnFieldCount; ++i) BinaryFileReadFloat(file, *EnFields(read, i));
  if (current) {
    BinaryFileReadInt(file, read.loadCase);
    for (std::size_t i = 0; i < kWrcFieldCount; ++i) BinaryFileReadFloat(file, *WrcFields(read, i));
  }
  std::int32_t unitChoices[kUnitKindCount] = {};
  BinaryFileReadInts(file, unitChoices, kUnitKindCount);
  reader.Finish(Sound(read, shell, unitChoices), "There was an error while reading nozzle evaluation file:\n");
  data = read;
  TakeUnitChoices(unitChoices, units);
}

void WriteNozzleEvaluationFile() {
  NozzleDocument& document = TheNozzleDocument();
  QV_ASSERT(!document.file.path.empty() && "nozzle_file_path");
  WriteNozzleFileFrom(document.file.path, document.data, g_UnitsSettings);
  SetNozzleModified(false);
}
