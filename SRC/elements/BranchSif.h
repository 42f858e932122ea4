// The branch SIF (DataType 12): the kind of branch connection at the row's
// node (welding tee, fabricated tee, extruded tee ...), with the one or two
// dimensions that its type takes, and for the "Use B31J" rules the number of
// flanges or rigid elements at the run pipe ends near the branch. A new
// branch SIF is a welding tee, or an unreinforced branch under the Swedish
// code, which has no welding tee. The item adds no stiffness, load or mass:
// the code checks read it for the SIFs of the elements at the node.
//
// Model-file record: the type as an int32, dimension 1 and dimension 2 as
// floats, and the flanges as an int32 from version 781 (older files give 0).
//
// The module: BranchSif.cpp (record, texts, the types a code offers),
// BranchSifDialog.cpp (BRANCH_SIF_DIALOG), BranchSifList.cpp (the "Branch
// SIFs" list, its printed section and the check of the types against the
// piping code before a save).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/RowObjects.h"

inline constexpr std::int32_t kBranchSifTypeLast = 9;
inline constexpr std::int32_t kBranchSifWeldingTee = 1;
inline constexpr std::int32_t kBranchSifUnreinforced = 3;

class BranchSif : public DataItem {
 public:
  BranchSif();
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;  // column 2: BranchSifText
  void FillDialog(HWND dialog) override;

  std::int32_t type = kBranchSifWeldingTee;  // BranchSifType 1 to 9
  float dimension1 = 0.0f;  // inch; pad thickness, crotch radius ... by type
  float dimension2 = 0.0f;  // inch; effective thickness or length by type
  std::int32_t flanges = 0;  // 0, 1 or 2
};

// The long text of a type under a piping code ("Welding tee", "Reinforced
// branch (Item 7)" ...); "???" for a type outside 1 .. 9.
std::string BranchSifLongName(std::int32_t type, std::int32_t code);
// The item's one-line text: the long name, the dimensions its type shows
// with their unit, and with "Use B31J" the number of flanges.
std::string BranchSifText(const BranchSif& item, std::int32_t code, bool useB31J);
// The types a code offers, in the order of the dialog's list.
const std::vector<std::int32_t>& BranchSifTypesOffered(std::int32_t code, bool useB31J);
// The type has no rule under the code.
bool IsBranchSifTypeInvalidForCode(std::int32_t type, std::int32_t code, bool useB31J);
// The type a new branch SIF takes under the code, and the one saving offers
// in place of a type the code does not offer: the unreinforced branch under
// the Swedish code, which has no welding tee, else the welding tee.
std::int32_t BranchSifTypeForCode(std::int32_t code);
// "'Branch SIF = <type>' not valid for 'Piping Code = <code>' at Node <node>".
std::string BranchSifNotValidText(std::int32_t type, std::int32_t code, std::int32_t node);
