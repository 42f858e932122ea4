// The cut pipe (ElementType 16): a pipe installed cut short (positive cut) or
// long (negative cut), which the analysis turns into a cold-spring load.
// It is a pipe with one value more.
//
// Model-file record, the same in every version: the signed cut as a float.
#pragma once

#include "elements/PipeData.h"

class CutPipe : public PipeData {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;

  float cut = 0.0f;  // inch; positive = cut short, negative = cut long
};
