// The generic support (DataType 21): ties the row's node to the ground
// through a full symmetric 6x6 stiffness matrix in global axes, given as the
// 21 terms of its upper triangle row by row (K11, K12 ... K16, K22 ... K66).
// The coupling terms (K14..K36) are shown in the item's own group B unit.
//
// Model-file record: the tag (above version 720), the group B unit index as
// an int32, then the 21 terms as floats. An index above the last unit is a
// damaged file; a negative one is kept for the list to repair, as the list
// does when it shows the support.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "kindbase/NonlinearSupports.h"
#include "model/SymbolFrames.h"
#include "supports/SupportLoads.h"
#include "supports/SupportSymbols.h"

inline constexpr std::int32_t kGroupBUnitLast = 5;
inline constexpr int kGenericSupportTerms = 21;

class GenericSupport : public SupportItem<6>, public RunPreparedSupport, public SupportSymbol {
 public:
  GenericSupport();
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  void FillDialog(HWND dialog) override;
  // The symbol (GenericSupportDrawing.cpp): a square in lines, a box
  // rendered.
  void ComputeSymbolBounds(LayoutRow& row) override;
  void BuildSymbol(LayoutRow& row) override;
  void Draw2D(LayoutRow& row) override;
  void DrawGl(LayoutRow& row) override;
  void DrawPickAreas() override;
  bool EditDialog(int rowNumber, float x, float y) override;
  bool SymbolHit(float x, float y, bool rendered) const override;
  // The analysis (GenericSupportAnalysis.cpp).
  void PrepareForRun(int rowNumber) override;
  void AddStiffness(int rowNumber) override;
  void ComputeSupportLoads(int rowNumber) override;
  // K(i, j) of the symmetric matrix, 1 <= i, j <= 6.
  double Term(int i, int j) const;

  // Place of K(i,j), 1 <= i <= j <= 6, in `terms`.
  static int TermIndex(int i, int j);

  std::string tag;
  std::int32_t groupBUnitIndex = 0;  // 0 "(lb/deg)"
  std::array<float, kGenericSupportTerms> terms{};

  // The symbol, made again with the view: the square of the lines picture
  // and the rendered box.
  Quad2 square{};
  BoxSymbol box;
};

constexpr std::size_t kGenericSupportTagLength = 12;

// Whether the matrix is positive semi-definite (a support that could give
// energy back would make the system unsolvable or plainly wrong).
bool GenericSupportMatrixSound(const GenericSupport& support);

// The group B (coupling) units: label and the factor from the internal
// lb/rad to the unit.
const char* GroupBUnitLabel(std::int32_t index);
double GroupBUnitFactor(std::int32_t index);
// Which unit group K(i, j) falls in: 'A' translational, 'B' coupling, 'C' rotational.
char GenericSupportTermGroup(int i, int j);
// A group B term in the unit `index`: "0", "Rigid", "%.5g" up to 99999,
// else exponent form.
std::string FormatGenericSupportStiffness(float value, std::int32_t index);
// Empty gives 0, a leading part of "RIGID" 1.0e12, else a number in the
// unit (negative accepted); false for any other text.
bool ParseGenericSupportStiffness(const std::string& text, std::int32_t index, float& value);
// A term of any group in its unit (group B in `index`).
std::string FormatGenericSupportTerm(const GenericSupport& support, int i, int j);
