// The miter bend's record and copy; see the header.
#include "elements/MiterBend.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Miter bend";

}  // namespace

MiterBend::MiterBend() { radiusType = kBendRadiusUser; }

void MiterBend::Read(BinaryFile& file) {
  ReadBendRecord(file, kKind);
  BinaryFileReadInt(file, spacing);
  CheckKindRecord(file, kKind);
  CheckKindRange(spacing, kMiterClosely, kMiterWidely, kKind, "spacing");
}

void MiterBend::Write(BinaryFile& file) const {
  WriteBendRecord(file);
  BinaryFileWriteInt(file, spacing);
}

void MiterBend::CopyFrom(const ElementData& other) {
  const MiterBend& source = SameKind(*this, other);
  CopyBendInput(source);
  spacing = source.spacing;
}
