// The skewed restraint (DataType 3): a translational or rotational spring at
// the row's node along a direction given by its components, or, when they
// are all 0, by the line from a connected node.
//
// Model-file record: the tag (above version 720), the rotational flag as a
// byte, stiffness and direction X, Y, Z as floats, and the connected node as
// an int32 (recoded in files of version 681 and below).
#pragma once

#include <cstdint>
#include <string>

#include "kindbase/NonlinearSupports.h"
#include "model/SymbolFrames.h"
#include "supports/SupportLoads.h"
#include "supports/SupportSymbols.h"

class SkewedRestraint : public SupportItem<1>, public RunPreparedSupport, public SupportSymbol {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;
  void FillDialog(HWND dialog) override;
  bool HasConnectedNode() const override { return connectedNode != 0; }
  std::int32_t ConnectedNode() const override { return connectedNode; }
  // The symbol (SkewedRestraintDrawing.cpp): a spring to the ground along
  // the direction, or a link to the connected node.
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool SymbolHit(float x, float y, bool rendered) const override;
  // The analysis (SkewedRestraintAnalysis.cpp).
  void PrepareForRun(int rowNumber) override;
  void AddStiffness(int rowNumber) override;
  void ComputeSupportLoads(int rowNumber) override;

  std::string tag;
  std::uint8_t rotational = 0;  // 0 translational, 1 rotational
  float stiffness = 0.0f;       // lb/inch or inch-pound per radian; 1.0e12 rigid
  float dirX = 0.0f, dirY = 0.0f, dirZ = 0.0f;  // as entered
  std::int32_t connectedNode = 0;  // NodeId; 0 none

  // Analysis state: the unit direction of the run and the connected node's index.
  Direction3 analysisDirection{};
  int connectedIndex = 0;

  // The symbol, made again with the view: the
  // screen direction of the spring (none when end on or zero), the rendered
  // strut and its ground block, or the link to the connected node with its
  // outline in lines.
  bool endOn = false;
  float screenX = 1.0f, screenY = 0.0f;
  TubeSymbol strut;
  BoxSymbol ground;
  bool drawn = false;
  TubeSymbol link;
  bool linked = false;
  Quad2 linkOutline{};
};

constexpr std::size_t kSkewedRestraintTagLength = 12;

// The direction the results show: the input components, or the connected
// node's line when they are all but zero.
Direction3 SkewedRestraintShownDirection(const SkewedRestraint& restraint, int nodeIndex);
