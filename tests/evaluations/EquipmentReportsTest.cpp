// The report sections of the pumps, compressors, turbines and allowables
// in the text and comma-separated report files: the headings at their
// columns, each pump's lines by its kind (horizontal with its centre,
// ANSI/HI with type, size, material and temperature, a vertical turbine
// pump with its flange position), the machines' nodes and components, an
// allowable of 0 empty in the text report and a formatted 0 in the CSV row.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "elements/CompressorList.h"
#include "evaluations/AllowablesList.h"
#include "evaluations/PumpList.h"
#include "model/ListTesting.h"
#include "printing/ReportOutput.h"
#include "services/TempFiles.h"

namespace {

class EquipmentReportsTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    Model& model = TheModel();
    Pump horizontal;
    InitPumpRecord(horizontal);
    horizontal.name = "P-1";
    horizontal.suctionNode = 10;
    horizontal.suctionLocation = kNozzleEnd;
    horizontal.dischargeNode = 20;
    horizontal.shaftAxis = {1, 0, 0};
    horizontal.centre = {120, 24, 0};
    AppendPump(model.pumps, horizontal);
    Pump ansi = horizontal;
    ansi.name = "P-2";
    ansi.standard = kPumpAnsiHi962;
    ansi.category = 3;
    ansi.size = 0;
    ansi.boltOrMounting = 1;
    ansi.materialGroup = 2;
    ansi.temperature = 250.0f;
    AppendPump(model.pumps, ansi);
    Pump turbine = ansi;
    turbine.name = "P-3";
    turbine.category = 5;
    turbine.dischargeLocation = 1;
    turbine.shaftAxis = {};
    turbine.centre = {};
    AppendPump(model.pumps, turbine);
    RotatingEquipment machine;
    machine.description = "K-1";
    machine.inletNode = 20;
    machine.exhaustNode = 30;
    machine.extractionNode2 = 40;
    machine.shaftAxis = {0.5f, 0, -1};
    AppendRotatingEquipment(model.compressors, machine);
    Allowable allowable;
    allowable.node = 30;
    allowable.values = {1500, 0, 800, 0, 2400, 0};
    AppendAllowable(model.allowables, allowable);
  }
  std::vector<std::string> Report(const std::string& name) {
    const std::string path = TempFolder() + "/" + name;
    EXPECT_TRUE(ReportOpenFile(nullptr, path));
    WritePumpsReport();
    PrintCompressors();
    PrintTurbines();  // none: nothing
    PrintAllowables();
    EXPECT_TRUE(ReportCloseFile());
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  static std::string Starting(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
      if (line.find(text) != std::string::npos) return line;
    return {};
  }
};

}  // namespace

TEST_F(EquipmentReportsTest, TextReportHasEachKindAtItsColumns) {
  const std::vector<std::string> lines = Report("equipment.txt");
  const std::string heading = Starting(lines, "Description");
  ASSERT_FALSE(heading.empty());
  EXPECT_EQ(heading.find("Description"), 4u);
  EXPECT_EQ(heading.find("Type"), 22u);
  EXPECT_EQ(heading.find("X comp"), 56u);
  const std::string p1 = Starting(lines, "P-1");
  EXPECT_EQ(p1.find("P-1"), 3u);
  EXPECT_EQ(p1.find("Horizontal"), 17u);
  EXPECT_EQ(p1.find("End"), 39u);
  EXPECT_NE(p1.find("1.000"), std::string::npos);
  EXPECT_FALSE(Starting(lines, "Location of center:").empty());
  const std::string p2 = Starting(lines, "P-2");
  EXPECT_EQ(p2.find("ANSI/HI"), 17u);
  EXPECT_EQ(p2.find("End"), std::string::npos);  // no location word for ANSI/HI
  EXPECT_NE(Starting(lines, "Pump Type:").find("Hori. end suction pump - B73.5"), std::string::npos);
  EXPECT_NE(Starting(lines, "Bolt/Mounting:").find("Stilt-mounted metal baseplate"), std::string::npos);
  EXPECT_EQ(Starting(lines, "P-3").find("Below"), 50u);
  // The compressor: nodes at 21, 29, 37, 45; the components right-aligned to 58 and 78.
  const std::string k1 = Starting(lines, "K-1");
  EXPECT_EQ(k1.find("20"), 20u);
  EXPECT_EQ(k1.find("30"), 28u);
  EXPECT_EQ(k1.find("40"), 44u);
  EXPECT_EQ(k1.find("0.500") + 5, 58u);
  EXPECT_EQ(k1.find("-1.000") + 6, 78u);
  EXPECT_TRUE(Starting(lines, "Turbines").empty());
  // The allowable: the node, FX and MY decimal-aligned at 7, 20 and 64; 0 is empty.
  const std::string heads = Starting(lines, "FX/P");
  EXPECT_EQ(heads.find("FX/P"), 16u);
  EXPECT_EQ(heads.find("MZ/ML"), 71u);
  std::string row;
  for (const std::string& line : lines)
    if (line.rfind("    30 ", 0) == 0) row = line;
  ASSERT_FALSE(row.empty());
  EXPECT_EQ(row.find("1500") + 4, 19u);
  EXPECT_EQ(row.find("800") + 3, 41u);
  EXPECT_EQ(row.find("200") + 3, 63u);  // 2400 in-lb in ft-lb
  EXPECT_EQ(row.find(" 0 "), std::string::npos);
}

TEST_F(EquipmentReportsTest, CsvRowsCarryEveryValueAndZerosAsFields) {
  const std::vector<std::string> lines = Report("equipment.csv");
  EXPECT_FALSE(Starting(lines, ",,Suction,,Discharge,,Shaft axis direction,,,").empty());
  const std::string p2 = Starting(lines, "P-2,");
  EXPECT_NE(p2.find("B73.5M"), std::string::npos);
  EXPECT_NE(p2.find("Stilt-mounted metal baseplate"), std::string::npos);
  EXPECT_FALSE(Starting(lines, "Description,Node,Node,Node1,Node2,X comp,Y comp,Z comp").empty());
  const std::string k1 = Starting(lines, "K-1,");
  EXPECT_EQ(k1.substr(0, 14), "K-1,20,30,,40,");
  std::string allowable;
  for (const std::string& line : lines)
    if (line.rfind("30,", 0) == 0) allowable = line;
  ASSERT_FALSE(allowable.empty());
  // Seven fields (each followed by its comma), the zeros written as numbers.
  EXPECT_EQ(allowable, "30,1500,0,800,0,200,0,");
}
