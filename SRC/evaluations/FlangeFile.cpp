// The .flg reader and writer (see FlangeFile.h).
#include "evaluations/FlangeFile.h"

#include "evaluations/EvaluationInputFile.h"
#include "services/Assert.h"
#include "services/BinaryFile.h"

namespace {

void WriteFields(BinaryFile& file, const FlangeQualificationData& d, const UnitsSettings& units) {
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
  return UnitChoicesSound(units);
}

}  // namespace

void WriteFlangeFileFrom(const std::string& path, const FlangeQualificationData& data, const UnitsSettings& units) {
  WriteEvaluationFile(path, kFlangeFileMagic, "Unable to write flange data file",
                      [&](BinaryFile& file) { WriteFields(file, data, units); });
}

void ReadFlangeFileInto(const std::string& path, FlangeQualificationData& data, UnitsSettings& units) {
  EvaluationFileReader reader(path, "Flange Qualification");
  if (!reader.MagicIs(kFlangeFileMagic)) reader.Refuse("Unable to read flange qualification file:\n");
  FlangeQualificationData read;
  std::uint8_t unitChoices[kFlangeFileUnitKinds] = {};
  ReadFields(reader.file(), read, unitChoices);
  reader.Finish(Sound(read, unitChoices), "There was an error while reading flange qualification file:\n");
  if (read.facingSketch == 0) read.facingSketch = 1;
  if (read.facingColumn == 0) read.facingColumn = 1;
  read.boltDiameter = g_BoltSizes[static_cast<std::size_t>(read.boltSize)].diameter;
  data = read;
  TakeUnitChoices(unitChoices, units);
}

void WriteFlangeFile() {
  FlangeDocument& document = TheFlangeDocument();
  QV_ASSERT(!document.path.empty() && "flange_file_path");
  WriteFlangeFileFrom(document.path, document.data, g_UnitsSettings);
  SetFlangeModified(false);
}
