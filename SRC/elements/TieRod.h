// The tie rod (ElementType 19): an axial member that takes up a free gap in
// tension and another in compression before it acts with the stiffness of
// that side.
//
// Model-file record, the same in every version: tension stiffness,
// compression stiffness, tension gap and compression gap as floats. The
// iteration state of the analysis is not stored.
#pragma once

#include <cstdint>
#include <string>

#include "kindbase/NonlinearSupports.h"
#include "model/RowObjects.h"
#include "model/SymbolFrames.h"
#include "records/DrawingGeometry.h"

inline constexpr std::int32_t kTieRodSlack = 0;
inline constexpr std::int32_t kTieRodCompression = 1;
inline constexpr std::int32_t kTieRodTension = 2;

class TieRod : public ElementData, public RunPreparedSupport {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  std::string CellText(int column) const override;  // TieRodList.cpp: columns 3 to 6
  void FillDialog(HWND dialog) override;             // TieRodDialog.cpp
  // The picture (TieRodDrawing.cpp): a line between the nodes, a thin rod
  // rendered.
  void ComputeShape(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawOutline() override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool IsNonlinear() const override { return true; }
  // The run's iteration (TieRodAnalysis.cpp).
  void PrepareForRun(int rowNumber) override;
  bool Iterates() const override { return true; }
  void ResetIteration() override;
  void UpdateIteration(int rowNumber) override;
  // The axial spring of the state, and the force of its gap (tension
  // positive) that the assembly applies as end loads.
  double AxialStiffness() const;
  double GapForce() const;

  float tensionStiffness = 0.0f;      // lb per inch
  float compressionStiffness = 0.0f;
  float tensionGap = 0.0f;            // inch
  float compressionGap = 0.0f;

  std::int32_t state = kTieRodTension;
  double previousAxial = 0.0;  // the axial stretch of the pass before
  // The state the operating case found, which the modal case and the
  // responses built from its modes take (they are not iterated, and the
  // static case solved last may be another).
  std::int32_t operatingState = kTieRodTension;

  // Not stored: made again with every view.
  bool shown = false;
  float symbolSize = 0.0f;  // the pipe's outer radius at the start node
  Quad2 pickQuad = {};      // the line picture's pick outline
  TubeSymbol rod;
};

struct AnalysisElementInput;
struct ElementForceBuild;
// The assembly's part (stiffness and gap loads) and the force routine's
// build.
void AssembleTieRod(const AnalysisElementInput& input);
ElementForceBuild TieRodForceBuild(const AnalysisElementInput& input);
