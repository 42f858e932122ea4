// The weld (DataType 14): a girth weld at the row's node whose type and
// mismatch set the stress intensification there.
//
// Model-file record, the same in every version: the weld type as an int32
// and the mismatch as a float. Types run from 1 "Butt weld" to 4 "Tapered
// transition"; 0 (no type) is also met in files and kept.
#pragma once

#include <cstdint>

#include <string>

#include "model/RowObjects.h"

inline constexpr std::int32_t kWeldTypeLast = 4;
// Texts of the weld types 1 to 4 by type number; index 0 is unused.
extern const char* const kWeldTypeNames[kWeldTypeLast + 1];

class Weld : public DataItem {
 public:
  void Read(BinaryFile& file) override;
  void Write(BinaryFile& file) const override;
  void CopyFrom(const DataItem& other) override;
  std::string CellText(int column) const override;  // column 2: WeldText (UserSifList.cpp)
  void FillDialog(HWND dialog) override;            // WeldDialog.cpp

  std::int32_t type = 1;
  float mismatch = 0.0f;  // inch; types 1 and 4
};

// The weld's one-line text: the type name, with ", Mismatch = " and the
// mismatch and its unit for a butt weld or a tapered transition; "???"
// for a weld of no type.
std::string WeldText(const Weld& weld);
