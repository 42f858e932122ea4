// The miter bend (ElementType 5): a bend made of mitred cuts, described like
// a bend by its corner node and an equivalent radius that the user gives, so
// a new miter has the User radius type. It adds the spacing of the cuts.
// Model-file record: the bend's record (same version rules), then the
// spacing as an int32.
#pragma once

#include <cstdint>

#include "elements/Bend.h"

// MiterBend::spacing
inline constexpr std::int32_t kMiterClosely = 1;
inline constexpr std::int32_t kMiterWidely = 2;

class MiterBend : public Bend {
 public:
  MiterBend();
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const ElementData& other) override;
  // The cells of the Miter bends list (MiterList.cpp); drawn and picked as
  // the bend is.
  std::string CellText(int column) const override;
  // The values into the open miter dialog (MiterDialog.cpp).
  void FillDialog(HWND dialog) override;

  std::int32_t spacing = kMiterClosely;
};
