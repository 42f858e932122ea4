// The cut pipe's record and copy; see the header.
#include "elements/CutPipe.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

void CutPipe::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, cut);
  CheckKindRecord(file, "Cut pipe");
}

void CutPipe::Write(BinaryFile& file) const { BinaryFileWriteFloat(file, cut); }

void CutPipe::CopyFrom(const ElementData& other) { cut = SameKind(*this, other).cut; }
