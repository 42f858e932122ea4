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
  // The cells of the Cut pipes list (CutPipeList.cpp).
  std::string CellText(int column) const override;
  // The values into the open cut pipe dialog (CutPipeDialog.cpp).
  void FillDialog(HWND dialog) override;
  // Drawn as the pipe, with a cut mark across the middle of its line; a
  // click in its outline opens CUTPIPE_DIALOG (CutPipeDialog.cpp).
  void Draw2D(LayoutRow& row) override;
  bool EditDialog(int rowNumber, float x, float y) override;

  float cut = 0.0f;  // inch; positive = cut short, negative = cut long
};
