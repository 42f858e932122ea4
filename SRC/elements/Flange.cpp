// The flange's record and copy; see the header.
#include "elements/Flange.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

const char* const kFlangeTypeNames[kFlangeTypeCount] = {
    "???",           "Weld neck",     "Double welded slip on", "Single welded slip on",
    "Fillet welded", "Socket welded", "Lap joint",             "Threaded"};

namespace {

constexpr const char* kKind = "Flange";

}  // namespace

void Flange::Read(BinaryFile& file) {
  BinaryFileReadInt(file, type);
  BinaryFileReadFloat(file, weight);
  BinaryFileReadFloat(file, gasketDiameter);
  BinaryFileReadFloat(file, allowablePressure);
  CheckKindRecord(file, kKind);
  CheckKindRange(type, 0, kFlangeTypeCount - 1, kKind, "flange type");
}

void Flange::Write(BinaryFile& file) const {
  BinaryFileWriteInt(file, type);
  BinaryFileWriteFloat(file, weight);
  BinaryFileWriteFloat(file, gasketDiameter);
  BinaryFileWriteFloat(file, allowablePressure);
}

void Flange::CopyFrom(const DataItem& other) {
  const Flange& source = SameKind(*this, other);
  type = source.type;
  weight = source.weight;
  gasketDiameter = source.gasketDiameter;
  allowablePressure = source.allowablePressure;
}
