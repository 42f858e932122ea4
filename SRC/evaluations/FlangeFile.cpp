// The .flg reader and writer (see FlangeFile.h).
#include "evaluations/FlangeFile.h"

#include <cstring>

#include "platform/SiblingTemporary.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"

namespace {

constexpr std::size_t kMagicBytes = 16;

std::string WithPath(const char* text, const std::string& path) { return std::string(text) + path; }

void WriteFields(BinaryFile& file, const FlangeQualificationData& d, const UnitsSettings& units) {
  char magic[kMagicBytes] = {};
  std::memcpy(magic, kFlangeFileMagic, std::strlen(kFlangeFileMagic));
  BinaryFileWriteBytes(file, magic, kMagicBytes);
  BinaryFileWriteInt(file, d.type);
  for (float value : {d.outsideDiameter, d.insideDiameter, d.reverseInsideDiameter, d.thickness, d.hubSmallEnd,
                      d.hubLargeEnd, d.hubLength, d.flangeAllowableDesign, d.flangeAllowableReference,
                      d.modulusDesign, d.modulusReference, d.boltCircle})
    BinaryFileWriteFloat(file, value);
  BinaryFileWriteInt(file, d.boltCount);
  BinaryFileWriteInt(file, d.boltSize);
  for (float value : {d.boltDiameter, d.boltAllowableDesign, d.boltAllowableReference, d.gasketOutside,
                      d.gasketInside, d.gasketFactor, d.seatingStress})
    BinaryFileWriteFloat(file, value);
  BinaryFileWriteInt(file, d.facingSketch);
  BinaryFileWriteInt(file, d.facingColumn);
  for (float value : {d.designPressure, d.designTemperature, d.axialForce, d.bendingMoment, d.allowablePressure})
    BinaryFileWriteFloat(file, value);
  for (int kind = 1; kind <= kFlangeFileUnitKinds; ++kind)
    BinaryFileWriteByte(file, static_cast<std::uint8_t>(units.unit[kind]));
}

void ReadFields(BinaryFile& file, FlangeQualificationData& d, std::uint8_t (&units)[kFlangeFileUnitKinds]) {
  BinaryFileReadInt(file, d.type);
  for (float* value : {&d.outsideDiameter, &d.insideDiameter, &d.reverseInsideDiameter, &d.thickness,
                       &d.hubSmallEnd, &d.hubLargeEnd, &d.hubLength, &d.flangeAllowableDesign,
                       &d.flangeAllowableReference, &d.modulusDesign, &d.modulusReference, &d.boltCircle})
    BinaryFileReadFloat(file, *value);
  BinaryFileReadInt(file, d.boltCount);
  BinaryFileReadInt(file, d.boltSize);
  for (float* value : {&d.boltDiameter, &d.boltAllowableDesign, &d.boltAllowableReference, &d.gasketOutside,
                       &d.gasketInside, &d.gasketFactor, &d.seatingStress})
    BinaryFileReadFloat(file, *value);
  BinaryFileReadInt(file, d.facingSketch);
  BinaryFileReadInt(file, d.facingColumn);
  for (float* value : {&d.designPressure, &d.designTemperature, &d.axialForce, &d.bendingMoment,
                       &d.allowablePressure})
    BinaryFileReadFloat(file, *value);
  BinaryFileReadBytes(file, units, kFlangeFileUnitKinds);
}

// Whether what was read can be taken: the enumerations and indexes in
// range (the sketch and column are the calculation's to check).
bool Sound(const FlangeQualificationData& d, const std::uint8_t (&units)[kFlangeFileUnitKinds]) {
  if (d.type < kIntegralFlange || d.type > kReverseFlange) return false;
  if (d.boltSize < 0 || d.boltSize >= kBoltSizeCount) return false;
  for (int kind = 1; kind <= kFlangeFileUnitKinds; ++kind)
    if (units[kind - 1] >= UnitCount(kind)) return false;
  return true;
}

}  // namespace

void WriteFlangeFileFrom(const std::string& path, const FlangeQualificationData& data, const UnitsSettings& units) {
  const std::string failed = "Unable to write flange data file";
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

void ReadFlangeFileInto(const std::string& path, FlangeQualificationData& data, UnitsSettings& units) {
  BinaryFile file;
  if (!BinaryFileOpenRead(file, path)) throw WithPath("Flange Qualification file: ", path) + "\nDoes not exist.";
  BinaryFileRequireFinite(file);
  char magic[kMagicBytes + 1] = {};
  BinaryFileReadBytes(file, magic, kMagicBytes);
  if (BinaryFileReadFailed(file) || std::strcmp(magic, kFlangeFileMagic) != 0)
    throw WithPath("Unable to read flange qualification file:\n", path);
  FlangeQualificationData read;
  std::uint8_t unitChoices[kFlangeFileUnitKinds] = {};
  ReadFields(file, read, unitChoices);
  const bool failed = BinaryFileReadFailed(file) || BinaryFileNonFiniteAt(file) >= 0;
  BinaryFileClose(file);
  if (failed || !Sound(read, unitChoices))
    throw WithPath("There was an error while reading flange qualification file:\n", path);
  if (read.facingSketch == 0) read.facingSketch = 1;
  if (read.facingColumn == 0) read.facingColumn = 1;
  read.boltDiameter = g_BoltSizes[static_cast<std::size_t>(read.boltSize)].diameter;
  data = read;
  for (int kind = 1; kind <= kFlangeFileUnitKinds; ++kind) units.unit[kind] = unitChoices[kind - 1];
}

void WriteFlangeFile() {
  FlangeDocument& document = TheFlangeDocument();
  QV_ASSERT(!document.path.empty() && "flange_file_path");
  WriteFlangeFileFrom(document.path, document.data, g_UnitsSettings);
  SetFlangeModified(false);
}
