// The jacketed bend (ElementType 7): a bend whose core pipe runs inside a
// jacket bend. The core is the bend itself with the row's material, section
// and load; the jacket has its own names, radius, radius type and thickness,
// and the geometry that making the model computes for it (start, near and far
// node indexes and centre of curvature). The intermediate nodes lie on the
// jacket arc.
//
// Model-file record: the bend's record, then the three jacket names (4 bytes
// each before version 681, 6 bytes from it), jacket start and near node,
// jacket radius and thickness, jacket radius type, the jacket flag byte, the
// jacket centre and the jacket far node. The record's order differs from the
// order in which the fields are told; the file's order rules.
#pragma once

#include <cstdint>
#include <string>

#include "elements/Bend.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

// The jacket's share of the picture, beside the core's (the bend's own
// BendDrawing): its lead-in and arc, made again with every view.
struct JacketDrawing {
  bool valid = false;        // the jacket's arc is placed
  bool shown = false;        // the jacket's start exists
  TubeSymbol leadIn;         // rendered lead-in
  Quad2 leadInQuad = {};     // line picture, 7 pixels either side
  Triangle2 triangle = {};   // near point, corner, far point (screen)
  Quad2 thirds[3] = {};      // rendered arc's outlines
  Vec3 centre{}, near{}, far{};
  float bendRadius = 0.0f, pipeRadius = 0.0f, sweep = 0.0f;
  float startX = 0.0f, startY = 0.0f, nearX = 0.0f, nearY = 0.0f, cornerX = 0.0f, cornerY = 0.0f;
  float farX = 0.0f, farY = 0.0f;
};

class JacketedBend : public Bend, public JacketRecord, public JacketedBendRecord {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  // The bend's input, the jacket names, radius, thickness and radius type;
  // the flag byte is kept, never copied.
  void CopyFrom(const ElementData& other) override;
  // The cells of the "Jacketed pipes/bends" list (JacketList.cpp).
  std::string CellText(int column) const override;
  // The values into the open JBEND_DIALOG (JacketDialogs.cpp).
  void FillDialog(HWND dialog) override;
  // The picture (JacketDrawing.cpp): the core as the bend draws, grey, then
  // the jacket's lead-in and arc around it, translucent; picked by the
  // jacket's outlines.
  void ComputeShape(LayoutRow& row) override;
  void BuildGeometry(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;

  JacketRecord* AsJacket() override { return this; }
  const JacketRecord* AsJacket() const override { return this; }
  JacketedBendRecord* AsJacketedBend() override { return this; }
  const JacketedBendRecord* AsJacketedBend() const override { return this; }

  JacketDrawing jacketDrawing;  // not stored
};
