// The flange qualification file reader: any file is read or refused with
// its message. A refused file leaves the open document and the unit
// choices as they were; a file read is written back, and that file reads to
// the same document and writes the same bytes. Seeds: the default flange
// and one of every flange type, written by the program's own writer.
#include "evaluations/FlangeFile.h"
#include "fuzz/EvaluationFileFuzz.h"
#include "fuzz/FuzzTarget.h"

namespace {

// The document open before the file is read: no field at its default.
FlangeQualificationData OpenDocument() {
  FlangeQualificationData d;
  d.type = kReverseFlange;
  for (float* field : {&d.outsideDiameter, &d.insideDiameter,        &d.reverseInsideDiameter,
                       &d.thickness,       &d.hubSmallEnd,           &d.hubLargeEnd,
                       &d.hubLength,       &d.flangeAllowableDesign, &d.flangeAllowableReference,
                       &d.modulusDesign,   &d.modulusReference,      &d.boltCircle,
                       &d.boltDiameter,    &d.boltAllowableDesign,   &d.boltAllowableReference,
                       &d.gasketOutside,   &d.gasketInside,          &d.gasketFactor,
                       &d.seatingStress,   &d.designPressure,        &d.designTemperature,
                       &d.axialForce,      &d.bendingMoment,         &d.allowablePressure})
    *field *= 1.25f;
  d.boltCount = 12;
  d.boltSize = kBoltSizeCount - 1;
  d.facingSketch = 4;
  d.facingColumn = 2;
  return d;
}

std::string Written(const FlangeQualificationData& d, const UnitsSettings& units) {
  return evaluation_fuzz::Written("flg", WriteFlangeFileFrom, d, units);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return evaluation_fuzz::ReadAndWriteBack(data, size, "flg", OpenDocument(), ReadFlangeFileInto, WriteFlangeFileFrom);
}

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds;
  UnitsSettings units{};
  seeds.push_back(Written(FlangeQualificationData{}, units));
  FlangeQualificationData d = OpenDocument();
  for (std::int32_t type = kIntegralFlange; type <= kReverseFlange; ++type) {
    d.type = type;
    d.boltSize = type;
    d.facingSketch = type + 1;
    units.unit[1] = type % UnitCount(1);
    seeds.push_back(Written(d, units));
  }
  return seeds;
}
