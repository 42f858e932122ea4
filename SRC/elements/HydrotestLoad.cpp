// The hydrotest load's record and copy; see the header.
#include "elements/HydrotestLoad.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

void HydrotestLoad::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, specificGravity);
  BinaryFileReadFloat(file, pressure);
  BinaryFileReadByte(file, excludeInsulation);
  CheckKindRecord(file, "Hydrotest load");
}

void HydrotestLoad::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, specificGravity);
  BinaryFileWriteFloat(file, pressure);
  BinaryFileWriteByte(file, excludeInsulation);
}

void HydrotestLoad::CopyFrom(const ElementData& other) {
  const HydrotestLoad& source = SameKind(*this, other);
  specificGravity = source.specificGravity;
  pressure = source.pressure;
  excludeInsulation = source.excludeInsulation;
}
