// The generic support's record and copy; see the header.
#include "supports/GenericSupport.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

namespace {

constexpr const char* kKind = "Generic support";

}  // namespace

int GenericSupport::TermIndex(int i, int j) {
  // Rows 1..i-1 of the upper triangle hold 6 + 5 + ... terms before row i.
  return (i - 1) * 6 - (i - 1) * (i - 2) / 2 + (j - i);
}

GenericSupport::GenericSupport() {
  for (int i = 1; i <= 6; ++i) terms[static_cast<std::size_t>(TermIndex(i, i))] = 1.0e12f;
}

void GenericSupport::Read(BinaryFile& file) {
  ReadTagIfPresent(file, tag, kKind);
  BinaryFileReadInt(file, groupBUnitIndex);
  BinaryFileReadFloats(file, terms.data(), terms.size());
  CheckKindRecord(file, kKind);
}

void GenericSupport::Write(BinaryFile& file) const {
  WriteTag(file, tag);
  BinaryFileWriteInt(file, groupBUnitIndex);
  BinaryFileWriteFloats(file, terms.data(), terms.size());
}

void GenericSupport::CopyFrom(const DataItem& other) {
  const GenericSupport& source = SameKind(*this, other);
  tag = source.tag;
  groupBUnitIndex = source.groupBUnitIndex;
  terms = source.terms;
}
