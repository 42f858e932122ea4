// The restraint's record and copy; see the header.
#include "supports/Restraint.h"

#include "elements/KindRecord.h"
#include "shell/BinaryFile.h"

void Restraint::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, "Restraint");
  BinaryFileReadByte(file, restrainX);
  BinaryFileReadByte(file, restrainY);
  BinaryFileReadByte(file, restrainZ);
  CheckKindRecord(file, "Restraint");
}

void Restraint::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteByte(file, restrainX);
  BinaryFileWriteByte(file, restrainY);
  BinaryFileWriteByte(file, restrainZ);
}

void Restraint::CopyFrom(const DataItem& other) {
  const Restraint& source = SameKind(*this, other);
  tag = source.tag;
  restrainX = source.restrainX;
  restrainY = source.restrainY;
  restrainZ = source.restrainZ;
}
