// The .noz reader and writer (see NozzleEvaluationFile.h).
#include "evaluations/NozzleEvaluationFile.h"

#include <cstdio>
#include <cstring>

#include "platform/SiblingTemporary.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"
#include "services/NumberFormat.h"

namespace {

constexpr std::size_t kMagicBytes = 16;
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
  char magic[kMagicBytes] = {};
  std::memcpy(magic, kNozzleFileMagic, std::strlen(kNozzleFileMagic));
  BinaryFileWriteBytes(file, magic, kMagicBytes);
  BinaryFileWriteInt(file, d.analysis);
  BinaryFileWriteByte(file, d.spherical ? 1 : 0);
  for (std::size_t i = 0; i < kEnFieldCount; ++i) BinaryFileWriteFloat(file, *EnFields(d, i));
  BinaryFileWriteInt(file, d.loadCase);
  for (std::size_t i = 0; i < kWrcFieldCount; ++i) BinaryFileWriteFloat(file, *WrcFields(d, i));
  BinaryFileWriteInts(file, &units.unit[1], kUnitKindCount);
}

std::string WithPath(const char* text, const std::string& path) { return std::string(text) + path; }

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
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    if (units[kind - 1] < 0 || units[kind - 1] >= UnitCount(kind)) return false;
  return true;
}

}  // namespace

void WriteNozzleFileFrom(const std::string& path, const NozzleEvaluation& data, const UnitsSettings& units) {
  const std::string failed = "Unable to write data file";
  platform::RemoveStaleTemporaries(path);
  platform::SiblingTemporary temporary(path, 0644);
  if (!temporary.ok()) throw failed;
  BinaryFile file;
  bool written = BinaryFileOpenWrite(file, temporary.path());
  if (written) {
    WriteFields(file, data, units);
    written = BinaryFileClose(file) && !BinaryFileHasError(file);
  }
  if (!written || !temporary.Commit()) throw failed;
}

void ReadNozzleFileInto(const std::string& path, NozzleEvaluation& data, UnitsSettings& units) {
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) throw WithPath("Nozzle Evaluation file: ", path) + "\nDoes not exist.";
  BinaryFileRequireFinite(file);
  char magic[kMagicBytes + 1] = {};
  BinaryFileReadBytes(file, magic, kMagicBytes);
  if (BinaryFileReadFailed(file) || std::strncmp(magic, kNozzleFileMagic, kKindBytes) != 0) {
    BinaryFileClose(file);
    throw WithPath("Unable to read nozzle data file:\n", path);
  }
  const int version = VersionOf(magic);
  if (version < kOldestVersion || version > kVersion) {
    BinaryFileClose(file);
    throw WithPath("Unable to read nozzle data:\n", path) + CFormat("\nVersion = %.2f", version * 0.01);
  }
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
  const bool failed = BinaryFileReadFailed(file) || BinaryFileNonFiniteAt(file) >= 0;
  BinaryFileClose(file);
  if (failed || !Sound(read, shell, unitChoices))
    throw WithPath("There was an error while reading nozzle evaluation file:\n", path);
  data = read;
  for (int kind = 1; kind <= kUnitKindCount; ++kind) units.unit[kind] = unitChoices[kind - 1];
}

void WriteNozzleEvaluationFile() {
  NozzleDocument& document = TheNozzleDocument();
  QV_ASSERT(!document.file.path.empty() && "nozzle_file_path");
  WriteNozzleFileFrom(document.file.path, document.data, g_UnitsSettings);
  SetNozzleModified(false);
}
