// The jacketed pipe (ElementType 6): a straight core pipe running inside a
// jacket pipe. The row's material, section and load are the core's; the
// object names the jacket's, and keeps the node indexes of the jacket's two
// companion nodes that making the model sets.
//
// Model-file record: jacket material, section and load (4 bytes each before
// version 681, 6 bytes from it; always 6 when written), then the jacket start
// and end node indexes as int32.
#pragma once

#include <cstdint>
#include <string>

#include "model/KindRecords.h"
#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

class JacketedPipe : public ElementData, public JacketRecord, public JacketedPipeRecord {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  // The three names; the node indexes come with the next making of the model.
  void CopyFrom(const ElementData& other) override;
  // The cells of the "Jacketed pipes/bends" list (JacketList.cpp).
  std::string CellText(int column) const override;
  // The values into the open JPIPE_DIALOG (JacketDialogs.cpp).
  void FillDialog(HWND dialog) override;
  // The picture (JacketDrawing.cpp): a line between the jacket's nodes; the
  // core as a grey tube and the jacket around it as a translucent one.
  void ComputeShape(LayoutRow& row) override;
  void BuildGeometry(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;

  JacketRecord* AsJacket() override { return this; }
  const JacketRecord* AsJacket() const override { return this; }
  JacketedPipeRecord* AsJacketedPipe() override { return this; }
  const JacketedPipeRecord* AsJacketedPipe() const override { return this; }

  // Not stored: made again with every view.
  bool shown = false;
  Quad2 pickQuad = {};
  TubeSymbol core;
  TubeSymbol jacket;
};

// The jacket alone of a jacketed pipe or bend row, translucent as in its
// ordinary picture (other rows draw nothing): the coloured result pictures
// draw the core in its result colours and the jacket around it.
void DrawJacketShellGl(LayoutRow& row);
