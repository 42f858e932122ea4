// The reducer's record and copy; see the header.
#include "elements/Reducer.h"

#include "kindbase/KindRecord.h"
#include "model/ModelGeometry.h"
#include "services/BinaryFile.h"

int ReducerFieldMode(int code) {
  switch (code) {
    case 2: case 3: case 4: case 5: case 6: case 12: case 16: case 19: case 20: case 22: return 0;
    default: return IsSwedishOrNorwegianCode(code) ? 2 : 1;
  }
}

void Reducer::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, od1);
  BinaryFileReadFloat(file, thk1);
  BinaryFileReadFloat(file, od2);
  BinaryFileReadFloat(file, thk2);
  BinaryFileReadFloat(file, coneAngle);
  BinaryFileReadByte(file, knuckles);
  BinaryFileReadFloat(file, delta);
  CheckKindRecord(file, "Reducer");
}

void Reducer::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, od1);
  BinaryFileWriteFloat(file, thk1);
  BinaryFileWriteFloat(file, od2);
  BinaryFileWriteFloat(file, thk2);
  BinaryFileWriteFloat(file, coneAngle);
  BinaryFileWriteByte(file, knuckles);
  BinaryFileWriteFloat(file, delta);
}

void Reducer::CopyFrom(const ElementData& other) {
  const Reducer& source = SameKind(*this, other);
  od1 = source.od1;
  thk1 = source.thk1;
  od2 = source.od2;
  thk2 = source.thk2;
  coneAngle = source.coneAngle;
  knuckles = source.knuckles;
  delta = source.delta;
}
