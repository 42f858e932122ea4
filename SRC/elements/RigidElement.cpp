// The rigid element's record and copy; see the header.
#include "elements/RigidElement.h"

#include "kindbase/KindRecord.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"

void RigidElement::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, weight);
  if (g_ModelFileVersion >= 781) BinaryFileReadByte(file, addCil);
  CheckKindRecord(file, "Rigid element");
}

void RigidElement::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, weight);
  BinaryFileWriteByte(file, addCil);
}

void RigidElement::CopyFrom(const ElementData& other) {
  const RigidElement& source = SameKind(*this, other);
  weight = source.weight;
  addCil = source.addCil;
}
