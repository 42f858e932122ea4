// The weld's record and copy; see the header.
#include "elements/Weld.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

const char* const kWeldTypeNames[kWeldTypeLast + 1] = {"", "Butt weld", "Fillet weld",
                                                       "Concave fillet weld", "Tapered transition"};

void Weld::Read(BinaryFile& file) {
  BinaryFileReadInt(file, type);
  BinaryFileReadFloat(file, mismatch);
  CheckKindRecord(file, "Weld");
  CheckKindRange(type, 0, kWeldTypeLast, "Weld", "weld type");
}

void Weld::Write(BinaryFile& file) const {
  BinaryFileWriteInt(file, type);
  BinaryFileWriteFloat(file, mismatch);
}

void Weld::CopyFrom(const DataItem& other) {
  const Weld& source = SameKind(*this, other);
  type = source.type;
  mismatch = source.mismatch;
}
