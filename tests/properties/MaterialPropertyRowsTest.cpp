// The rows of a material's table against temperature as the property tables
// edit them: the columns by piping code and FRP, cell stores and their
// messages, the row commit (alpha made an explicit zero, required values,
// the 40-row limit), insert and delete, and storing back sorted with equal
// temperatures and rows without E removed.
#include <gtest/gtest.h>

#include "properties/MaterialPropertyRows.h"
#include "services/ErrorRecords.h"
#include "services/NumberText.h"

namespace {

std::vector<std::string> Headings(bool frp, int code) {
  std::vector<std::string> shown;
  for (int c = 1; c <= kPropertyColumns; ++c) {
    const PropertyColumnInfo info = PropertyColumnLayout(c, frp, code);
    if (info.shown && info.field >= 0) shown.push_back(info.heading);
  }
  return shown;
}

std::string Thrown(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::string& message) {
    return message;
  } catch (const CI& error) {
    return error.message + " @" + std::to_string(error.column);
  }
  return {};
}

TEST(MaterialPropertyRows, ColumnsFollowTheCodeAndFrp) {
  EXPECT_EQ(Headings(false, 3), (std::vector<std::string>{"Temp", "E", "Alpha", "Allowable"}));
  EXPECT_EQ(Headings(false, 12), (std::vector<std::string>{"Temp", "E", "Alpha", "Design", "Proof", "Rupture"}));
  EXPECT_EQ(Headings(false, 10), (std::vector<std::string>{"Temp", "E", "Alpha", "Allowable", "Yield"}));
  EXPECT_EQ(Headings(false, 17), (std::vector<std::string>{"Temp", "E", "Alpha", "Yield", "Rupture"}));
  EXPECT_EQ(Headings(false, 16), (std::vector<std::string>{"Temp", "E", "Alpha", "fh", "fCR"}));
  EXPECT_EQ(Headings(false, 19), (std::vector<std::string>{"Temp", "E", "Alpha"}));
  EXPECT_EQ(Headings(true, 3), (std::vector<std::string>{"Temp", "Axial Mod.", "Hoop Mod.", "Shear Mod.", "Alpha",
                                                          "Hoop All.", "Torsional All.", "Axial All."}));
  // Code 17 takes its first stress from the yield column.
  EXPECT_EQ(PropertyColumnLayout(4, false, 17).field, kMatYield);
  EXPECT_EQ(PropertyColumnLayout(5, false, 17).field, kMatRupture);
}

TEST(MaterialPropertyRows, CellsStoreInTheirUnitAndRefuseBadText) {
  PropertyRowsBuffer buffer;
  buffer.count = 1;
  EXPECT_TRUE(StorePropertyCell(buffer, 1, 1, "400", 3));
  EXPECT_TRUE(StorePropertyCell(buffer, 1, 2, "2.77E7", 3));
  EXPECT_TRUE(StorePropertyCell(buffer, 1, 4, "20000", 3));
  EXPECT_FALSE(StorePropertyCell(buffer, 1, 4, "20000", 3));  // the same value stores nothing
  EXPECT_FALSE(StorePropertyCell(buffer, 1, 5, "999", 3));    // no second stress for B31.3
  EXPECT_FLOAT_EQ(buffer.rows[1].values[kMatTemperature], 400.0f);
  EXPECT_FLOAT_EQ(buffer.rows[1].values[kMatModulus], 2.77e7f);
  EXPECT_FLOAT_EQ(buffer.rows[1].values[kMatAllowable], 20000.0f);
  EXPECT_TRUE(buffer.changed);
  EXPECT_EQ(PropertyCellText(buffer, 1, 3, 3), "");  // alpha left empty
  EXPECT_EQ(Thrown([&] { StorePropertyCell(buffer, 1, 1, "hot", 3); }), "Temperature =  hot  is invalid");
  EXPECT_EQ(Thrown([&] { StorePropertyCell(buffer, 1, 4, "x", 12); }), "Design stress =  x  is invalid");
  buffer.frp = true;
  EXPECT_EQ(Thrown([&] { StorePropertyCell(buffer, 1, 8, "x", 3); }), "Rupture stress =  x  is invalid");
  EXPECT_EQ(Thrown([&] { StorePropertyCell(buffer, 1, 3, "x", 3); }), "Modulus =  x  is invalid");
  EXPECT_FLOAT_EQ(buffer.rows[1].values[kMatTemperature], 400.0f);  // a refused value leaves the row
}

TEST(MaterialPropertyRows, RowCommitChecksAndGrowsToForty) {
  PropertyRowsBuffer buffer;
  buffer.count = 1;
  EXPECT_EQ(Thrown([&] { CommitPropertyRow(buffer, 1); }), "Temperature is required @1");
  buffer.rows[1].values[kMatTemperature] = 70.0f;
  EXPECT_EQ(Thrown([&] { CommitPropertyRow(buffer, 1); }), "Modulus is required @2");
  buffer.rows[1].values[kMatModulus] = 2.95e7f;
  EXPECT_EQ(CommitPropertyRow(buffer, 1), 2);
  EXPECT_EQ(buffer.count, 2);  // a new entry row
  EXPECT_TRUE(IsExplicitZero(buffer.rows[1].values[kMatAlpha]));
  buffer.frp = true;
  EXPECT_EQ(Thrown([&] { CommitPropertyRow(buffer, 1); }), "Modulus is required @3");
  buffer.frp = false;
  // 39 temperatures and the entry row: committing the entry row is refused.
  buffer.count = 40;
  for (int r = 1; r <= 40; ++r) buffer.rows[static_cast<std::size_t>(r)].values = {10.0f * r, 1.0e7f, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Thrown([&] { CommitPropertyRow(buffer, 40); }), "Maximum number of temperatures exceeded");
  EXPECT_EQ(buffer.count, 40);
  EXPECT_FALSE(InsertPropertyRow(buffer, 3));  // no room either
}

TEST(MaterialPropertyRows, InsertAndDelete) {
  PropertyRowsBuffer buffer;
  buffer.count = 3;  // two rows and the entry row
  buffer.rows[1].values[0] = 100.0f;
  buffer.rows[2].values[0] = 200.0f;
  EXPECT_TRUE(InsertPropertyRow(buffer, 2));
  EXPECT_EQ(buffer.count, 4);
  EXPECT_FLOAT_EQ(buffer.rows[2].values[0], 0.0f);
  EXPECT_FLOAT_EQ(buffer.rows[3].values[0], 200.0f);
  EXPECT_FALSE(InsertPropertyRow(buffer, 2));  // not on a row without a temperature
  EXPECT_FALSE(InsertPropertyRow(buffer, 4));  // nor on the entry row
  DeletePropertyRow(buffer, 2);
  EXPECT_EQ(buffer.count, 3);
  EXPECT_FLOAT_EQ(buffer.rows[2].values[0], 200.0f);
  buffer.rows[3].values[0] = 300.0f;
  DeletePropertyRow(buffer, 3);  // the last row is only cleared
  EXPECT_EQ(buffer.count, 3);
  EXPECT_FLOAT_EQ(buffer.rows[3].values[0], 0.0f);
}

TEST(MaterialPropertyRows, StoredRowsAreSortedWithDuplicatesAndEmptyModuliDropped) {
  PropertyRowsBuffer buffer;
  const float rows[][2] = {{300, 2.8e7f}, {100, 2.9e7f}, {200, 2.85e7f}, {100, 2.91e7f}, {250, 0.0f}};
  buffer.count = 5;
  for (int r = 0; r < 5; ++r) {
    buffer.rows[static_cast<std::size_t>(r) + 1].values[kMatTemperature] = rows[r][0];
    buffer.rows[static_cast<std::size_t>(r) + 1].values[kMatModulus] = rows[r][1];
  }
  Material m;
  StorePropertyRows(buffer, 5, m);
  ASSERT_EQ(m.numtemps, 3);
  ASSERT_EQ(m.temps.size(), 4u);
  EXPECT_FLOAT_EQ(m.temps[1].values[kMatTemperature], 100.0f);
  EXPECT_FLOAT_EQ(m.temps[1].values[kMatModulus], 2.91e7f);  // the later of the two 100s
  EXPECT_FLOAT_EQ(m.temps[2].values[kMatTemperature], 200.0f);
  EXPECT_FLOAT_EQ(m.temps[3].values[kMatTemperature], 300.0f);
  // Loading back gives the rows and, while editable, the entry row.
  PropertyRowsBuffer loaded;
  LoadPropertyRows(loaded, m, true);
  EXPECT_EQ(loaded.count, 4);
  EXPECT_FLOAT_EQ(loaded.rows[3].values[kMatTemperature], 300.0f);
}

}  // namespace
