// The rows of a material's table against temperature as the two property
// tables edit them: the column layout by piping code and FRP flag, the cell
// texts, the cell store, the row commit, insert and delete, and storing the
// rows back sorted with duplicate temperatures removed.
//
// A working buffer holds up to 40 rows (1..count) plus, while the model is
// editable, the entry row behind the last. Columns (1-based) map to the
// eight values of a MaterialTempRow: Temp, E, Alpha, then the stress columns
// the code uses ("Allowable", "Yield", "Design", "Proof", "Rupture", "f",
// "fh", "fCR"); FRP tables show Temp, Axial Mod., Hoop Mod., Shear Mod.,
// Alpha and the three allowables. A column the code does not use has width 0
// and stores nothing. Start reading at PropertyRowsLayout.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "records/Material.h"

inline constexpr int kPropertyRowsRoom = 45;

struct PropertyRowsBuffer {
  std::array<MaterialTempRow, kPropertyRowsRoom> rows{};  // [0] holds nothing
  int count = 0;        // rows in use, the entry row included while editable
  bool frp = false;
  bool changed = false;
};

// One column of the table for a piping code: its two heading lines, the
// unit kind of its values, the value field (-1: nothing), and whether it is
// shown and editable.
struct PropertyColumnInfo {
  std::string heading;
  int unit = 0;
  int field = -1;
  bool shown = false;
};
constexpr int kPropertyColumns = 8;
PropertyColumnInfo PropertyColumnLayout(int column, bool frp, int pipingCode);

// The text of a cell; empty when the value is 0.
std::string PropertyCellText(const PropertyRowsBuffer& buffer, int row, int column, int pipingCode);
// Parses `text` for the column and stores it when it differs; throws the
// invalid-field message with the column's label. True when it stored.
bool StorePropertyCell(PropertyRowsBuffer& buffer, int row, int column, const std::string& text, int pipingCode);
// Enter on `row`: the row checks (temperature and modulus required, alpha 0
// made an explicit zero, FRP moduli required); on the last row a new entry
// row, refused past 40 rows. Throws a CI (message and column) or the text
// "Maximum number of temperatures exceeded". Returns the row to go to.
int CommitPropertyRow(PropertyRowsBuffer& buffer, int row);
// Insert before `row` (false when not allowed) and delete `row`.
bool InsertPropertyRow(PropertyRowsBuffer& buffer, int row);
void DeletePropertyRow(PropertyRowsBuffer& buffer, int row);

// Rows 1..n of the buffer as they are stored: a row without E is dropped,
// the rest sorted by temperature and of equal temperatures the later one
// kept. The count is that of the rows kept.
std::vector<MaterialTempRow> SortedPropertyRows(const PropertyRowsBuffer& buffer, int n);

// Loads a material's rows into the buffer (cleared first); `entryRow` adds
// the empty entry row.
void LoadPropertyRows(PropertyRowsBuffer& buffer, const Material& material, bool entryRow);
// Replaces the material's table by the rows kept from 1..n.
void StorePropertyRows(const PropertyRowsBuffer& buffer, int n, Material& material);
