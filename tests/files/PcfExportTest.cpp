// The PCF export read back by a parser written from the format's public
// description (unindented lines open a record, indented lines are its
// keyword and values): the unit lines of both sets; END-POINTs at the nodes
// in east, north, up for either vertical axis; bores as nominal sizes (NPS
// or DN) within 0.1 inch, else the diameter; an ELBOW's CENTRE-POINT at the
// tangent intersection and its ends one radius from it on the two legs; the
// SKEYs of anchors, restraints and snubbers; one MATERIALS entry per item
// code; rows left out are listed; the Layout window's Export to PCF command.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "files/AutoSaveTesting.h"
#include "files/BatchTesting.h"
#include "files/FileCommands.h"
#include "files/PcfExport.h"
#include "model/MakeModel.h"
#include "model/RowObjects.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "services/AppTesting.h"

namespace {

struct PcfEntry {
  std::string keyword;
  std::vector<std::string> values;
};
struct PcfRecord {
  std::string keyword;
  std::string text;  // the rest of the opening line
  std::vector<PcfEntry> entries;
  std::vector<std::vector<double>> Points(const std::string& keyword) const {
    std::vector<std::vector<double>> points;
    for (const PcfEntry& entry : entries) {
      if (entry.keyword != keyword) continue;
      std::vector<double> values;
      for (const std::string& v : entry.values) values.push_back(std::stod(v));
      points.push_back(values);
    }
    return points;
  }
  std::string Value(const std::string& keyword) const {
    for (const PcfEntry& entry : entries)
      if (entry.keyword == keyword) {
        std::string joined;
        for (const std::string& v : entry.values) joined += (joined.empty() ? "" : " ") + v;
        return joined;
      }
    return "<none>";
  }
  // The raw value text after the keyword and one space (SKEYs may start
  // with a blank).
  std::string raw;
  std::map<std::string, std::string> rawValues;
};

std::vector<PcfRecord> ParsePcf(const std::string& text) {
  std::vector<PcfRecord> records;
  std::istringstream input(text);
  for (std::string line; std::getline(input, line);) {
    if (line.empty()) continue;
    const bool indented = line[0] == ' ';
    std::istringstream words(line);
    PcfEntry entry;
    words >> entry.keyword;
    for (std::string word; words >> word;) entry.values.push_back(word);
    if (!indented) {
      PcfRecord record;
      record.keyword = entry.keyword;
      const std::size_t space = line.find(' ');
      record.text = space == std::string::npos ? "" : line.substr(space + 1);
      records.push_back(record);
      continue;
    }
    EXPECT_FALSE(records.empty()) << line;
    if (records.empty()) continue;
    const std::size_t at = line.find(entry.keyword) + entry.keyword.size();
    records.back().rawValues[entry.keyword] = at < line.size() ? line.substr(at + 1) : "";
    records.back().entries.push_back(entry);
  }
  return records;
}

std::vector<const PcfRecord*> All(const std::vector<PcfRecord>& records, const std::string& keyword) {
  std::vector<const PcfRecord*> found;
  for (const PcfRecord& record : records)
    if (record.keyword == keyword) found.push_back(&record);
  return found;
}

double Distance(const std::vector<double>& a, const std::vector<double>& b) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

// Lengths in inches; a 90 degree bend at node 40 with the long radius of a
// 6 inch pipe (9 inches).
std::string Plant(const std::string& options) {
  return "Isometric plant\nOPTIONS\nB313,IN" + options +
         "\nMATERIAL\nA1,0.283,0.3,1,1,CS,CARBON STEEL\nA1,70,29.5E6,6.07E-6,20000\n"
         "PIPE\nS6,6.625,0.28\nS7,7.0,0.3\nLOADS\nL1,300,150\n"
         "LAYOUT\nF10,KA,MA1,PS6,CL=L1\nT20,X100\nT30,X100\nT40,KI,X100\nT50,Y100,CFIXD(1,0,1)\n"
         "T60,Y10,CSNUBBER,DV(0,1,0)\nT70,Y10,JD,COD1=6.625,THK1=0.28,OD2=7.0,THK2=0.3\nT80,Y10,PS7\n"
         "T90,X1,Y2,Z3\n";
}

class PcfExportTest : public BatchFixture {
 protected:
  static std::string Export(const std::string& batch, PcfUnits units, std::vector<std::string>* leftOut = nullptr) {
    Model model;
    const std::string error = Import(batch, model);
    EXPECT_EQ(error, "");
    std::vector<std::string> list;
    const std::string text = WritePcfText(model, units, list);
    if (leftOut != nullptr) *leftOut = list;
    return text;
  }
};

TEST_F(PcfExportTest, UnitLinesAndBoresOfBothSets) {
  const std::vector<PcfRecord> imperial = ParsePcf(Export(Plant(""), PcfUnits::Imperial));
  ASSERT_GE(imperial.size(), 7u);
  EXPECT_EQ(imperial[0].keyword, "ISOGEN-FILES");
  EXPECT_EQ(imperial[1].text, "INCH");
  EXPECT_EQ(imperial[2].keyword, "UNITS-CO-ORDS");
  EXPECT_EQ(imperial[2].text, "INCH");
  EXPECT_EQ(imperial[3].text, "LBS");
  EXPECT_EQ(imperial[6].text, "Isometric plant");
  const std::vector<PcfRecord> metric = ParsePcf(Export(Plant(""), PcfUnits::Metric));
  EXPECT_EQ(metric[1].text, "MM");
  EXPECT_EQ(metric[3].text, "KG");

  // The first pipe: 6.625 in gives NPS 6 and DN 150.
  const auto pipes = All(imperial, "PIPE");
  ASSERT_FALSE(pipes.empty());
  EXPECT_DOUBLE_EQ(pipes[0]->Points("END-POINT")[0][3], 6.0);
  EXPECT_DOUBLE_EQ(All(metric, "PIPE")[0]->Points("END-POINT")[0][3], 150.0);
  // The reducer's ends: 6.625 and 7.0 (no size within 0.1 inch: the
  // diameter itself, 177.8 mm).
  const auto reducers = All(imperial, "REDUCER-CONCENTRIC");
  ASSERT_EQ(reducers.size(), 1u);
  EXPECT_DOUBLE_EQ(reducers[0]->Points("END-POINT")[0][3], 6.0);
  EXPECT_DOUBLE_EQ(reducers[0]->Points("END-POINT")[1][3], 7.0);
  EXPECT_DOUBLE_EQ(All(metric, "REDUCER-CONCENTRIC")[0]->Points("END-POINT")[1][3], 177.8);
  EXPECT_DOUBLE_EQ(PcfNominalBore(6.7, PcfUnits::Imperial), 6.0);
  EXPECT_DOUBLE_EQ(PcfNominalBore(7.0, PcfUnits::Imperial), 7.0);
  EXPECT_NEAR(PcfNominalBore(16.0, PcfUnits::Metric) * 25.4, 400.0, 1e-9);
}

TEST_F(PcfExportTest, PointsAreEastNorthUpAndTheElbowSitsOnItsLegs) {
  // Y vertical: model (x, y, z) is east z, north x, up y.
  const std::vector<PcfRecord> records = ParsePcf(Export(Plant(""), PcfUnits::Imperial));
  const auto pipes = All(records, "PIPE");
  ASSERT_GE(pipes.size(), 3u);
  const auto first = pipes[0]->Points("END-POINT");
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0], (std::vector<double>{0, 0, 0, 6}));
  EXPECT_EQ(first[1], (std::vector<double>{0, 100, 0, 6}));
  // The last row is one run of (1, 2, 3) from node 80 at model (300, 130, 0):
  // node 90 at model (301, 132, 3) is east 3, north 301, up 132.
  const auto last = pipes.back()->Points("END-POINT");
  EXPECT_EQ(last[1], (std::vector<double>{3, 301, 132, 7}));

  // The long radius is 1.5 x the outside diameter: 9.9375 inches. The pipe
  // up to the bend stops where the arc begins, one radius before the corner
  // (a 90 degree bend's tangent is its radius); the ELBOW's centre point is
  // the corner, and each end is one radius from it along its leg.
  const double r = 1.5 * 6.625;
  const auto elbows = All(records, "ELBOW");
  ASSERT_EQ(elbows.size(), 1u);
  const auto ends = elbows[0]->Points("END-POINT");
  const auto centre = elbows[0]->Points("CENTRE-POINT");
  ASSERT_EQ(ends.size(), 2u);
  ASSERT_EQ(centre.size(), 1u);
  EXPECT_EQ(centre[0], (std::vector<double>{0, 300, 0}));
  EXPECT_NEAR(ends[0][1], 300.0 - r, 1e-3);
  EXPECT_NEAR(ends[0][2], 0.0, 1e-3);
  EXPECT_NEAR(ends[1][1], 300.0, 1e-3);
  EXPECT_NEAR(ends[1][2], r, 1e-3);
  EXPECT_NEAR(Distance(ends[0], centre[0]), r, 1e-3);
  EXPECT_NEAR(Distance(ends[1], centre[0]), r, 1e-3);
  EXPECT_EQ(elbows[0]->Value("SKEY"), "ELBW");
  EXPECT_EQ(elbows[0]->Value("BEND-RADIUS"), "9.9375");
  EXPECT_NEAR(std::stod(elbows[0]->Value("BEND-ANGLE")), 90.0, 1e-4);
  const auto beforeElbow = pipes[2]->Points("END-POINT");
  EXPECT_NEAR(beforeElbow[1][1], 300.0 - r, 1e-3);

  // Z vertical: model (x, y, z) is east x, north y, up z.
  const std::vector<PcfRecord> zUp = ParsePcf(Export(Plant(",Z"), PcfUnits::Imperial));
  EXPECT_EQ(All(zUp, "PIPE").back()->Points("END-POINT")[1], (std::vector<double>{301, 132, 3, 7}));
}

TEST_F(PcfExportTest, SupportsAndTheirSkeys) {
  const std::vector<PcfRecord> records = ParsePcf(Export(Plant(""), PcfUnits::Imperial));
  const auto supports = All(records, "SUPPORT");
  ASSERT_EQ(supports.size(), 3u);
  EXPECT_EQ(supports[0]->rawValues.at("SKEY"), "ANCH ");
  EXPECT_EQ(supports[0]->Value("ITEM-CODE"), "ANCHOR");
  // The bore of a CO-ORDS line is that of the row that made the node: a
  // From row names no section.
  EXPECT_EQ(supports[0]->Points("CO-ORDS")[0], (std::vector<double>{0, 0, 0, 0}));
  // FIXD(1,0,1) with Y vertical: model X is north, model Z is east.
  EXPECT_EQ(supports[1]->rawValues.at("SKEY"), " XY ");
  // A snubber along model Y (up when Y is vertical).
  EXPECT_EQ(supports[2]->rawValues.at("SKEY"), "ZSNB ");
  EXPECT_EQ(supports[2]->Value("ITEM-CODE"), "ZSNB-0.000-0.000-1.000");

  // With Z vertical the restraint in X and Z is " XZ".
  const std::vector<PcfRecord> zUp = ParsePcf(Export(Plant(",Z"), PcfUnits::Imperial));
  EXPECT_EQ(All(zUp, "SUPPORT")[1]->rawValues.at("SKEY"), " XZ ");
  EXPECT_EQ(All(zUp, "SUPPORT")[2]->rawValues.at("SKEY"), "YSNB ");
}

TEST_F(PcfExportTest, ASupportsDirectionIsTakenAsAUnitVector) {
  // Z vertical: the plant axes are the model's. 1 / sqrt(2) = 0.707.
  const std::vector<PcfRecord> records = ParsePcf(Export(
      Plant(",Z") + "T91,X10,CK=1E6,DV(1,0,1)\nT92,X10,CLS(-0.5,1.0),DV(1,1,0)\nT93,X10,CSNUBBER,DV(0,0,2)\n",
      PcfUnits::Imperial));
  const auto supports = All(records, "SUPPORT");
  ASSERT_EQ(supports.size(), 6u);
  EXPECT_EQ(supports[3]->rawValues.at("SKEY"), "SKEW ");
  EXPECT_EQ(supports[3]->Value("ITEM-CODE"), "SKEW0.707-0.000-0.707");
  EXPECT_EQ(supports[4]->rawValues.at("SKEY"), "LIM ");
  EXPECT_EQ(supports[4]->Value("ITEM-CODE"), "LS-0.707-0.707-0.000");
  EXPECT_EQ(supports[5]->rawValues.at("SKEY"), "ZSNB ");
  EXPECT_EQ(supports[5]->Value("ITEM-CODE"), "ZSNB-0.000-0.000-1.000");
}

TEST_F(PcfExportTest, OneMaterialsEntryPerItemCodeAndThePipelineReference) {
  const std::vector<PcfRecord> records = ParsePcf(Export(Plant(""), PcfUnits::Imperial));
  const auto references = All(records, "PIPELINE-REFERENCE");
  ASSERT_EQ(references.size(), 1u);
  EXPECT_EQ(references[0]->text, "P10");
  EXPECT_EQ(references[0]->Value("PIPELINE-TEMP"), "300");
  EXPECT_EQ(references[0]->Value("ATTRIBUTE1"), "150");
  // Every item code written once in MATERIALS, in the order first met.
  std::vector<std::string> codes;
  for (const PcfRecord& record : records)
    for (const PcfEntry& entry : record.entries)
      if (entry.keyword == "ITEM-CODE" && record.keyword != "ITEM-CODE") {
        const std::string code = record.rawValues.at("ITEM-CODE");
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
      }
  std::vector<std::string> listed;
  bool inMaterials = false;
  for (const PcfRecord& record : records) {
    if (record.keyword == "MATERIALS") inMaterials = true;
    if (inMaterials && record.keyword == "ITEM-CODE") listed.push_back(record.text);
  }
  EXPECT_EQ(listed, codes);
  EXPECT_NE(std::find(listed.begin(), listed.end(), "P-A1-S6"), listed.end());
  const auto materials = All(records, "ITEM-CODE");
  for (const PcfRecord* material : materials)
    if (material->text == "P-A1-S6") {
      EXPECT_EQ(material->Value("TYPE"), "P");
      EXPECT_EQ(material->Value("MATERIAL"), "CS");
      EXPECT_EQ(material->Value("GRADE"), "CARBON STEEL");
    }
  // Without a load anywhere after the From row there is no reference.
  std::string noLoad = Plant("");
  noLoad.replace(noLoad.find(",CL=L1"), 6, "");
  EXPECT_TRUE(All(ParsePcf(Export(noLoad, PcfUnits::Imperial)), "PIPELINE-REFERENCE").empty());
}

TEST_F(PcfExportTest, RowsLeftOutAreListed) {
  Model model;
  ASSERT_EQ(Import(Plant(""), model), "");
  // A pipe of 0.001 inch (0.0254 mm) with an anchor on it, and a row naming
  // a section the model lacks.
  model.row(3).dx = 0.001f;
  model.row(3).dataType = DataType::Anchor;
  model.row(3).item = CreateDataItem(DataType::Anchor);
  model.row(9).section = "ZZ";
  MakeModel(model);
  std::vector<std::string> leftOut;
  const std::string text = WritePcfText(model, PcfUnits::Imperial, leftOut);
  EXPECT_EQ(leftOut, (std::vector<std::string>{
                         "Row 3: the pipe is shorter than 0.04 mm; it and its item were not written",
                         "Row 9: the pipe section ZZ is not in the model; its bores are written as 0"}));
  // One anchor is left: F10's.
  EXPECT_EQ(All(ParsePcf(text), "SUPPORT").size(), 3u);
  for (const char* bad : {"nan", "NAN", "inf", "INF"}) EXPECT_EQ(text.find(bad), std::string::npos);
}

class PcfExportCommandTest : public AutoSaveFixture {
 protected:
  void TearDown() override {
    CloseModel();
    g_UnitsSettings = UnitsSettings{};
    AutoSaveFixture::TearDown();
  }
};

TEST_F(PcfExportCommandTest, ExportToPcfFromTheLayoutMenu) {
  Start();
  const std::string batch = InFolder("iso.mbf");
  Put(batch, Plant(""));
  ASSERT_TRUE(ImportBatchFile(MainFrame().window, batch));
  const std::string out = InFolder("iso-out.pcf");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Export Model to PCF File", [&](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), "&Export");
    char name[300] = {};
    GetDlgItemText(dialog, edt1, name, sizeof name);
    EXPECT_EQ(std::string(name), "iso.pcf");
    // Proposed beside the model, whatever the current folder.
    SendMessage(dialog, CDM_GETFOLDERPATH, sizeof name, reinterpret_cast<LPARAM>(name));
    EXPECT_EQ(std::filesystem::path(name), std::filesystem::path(TheModel().path).parent_path());
    SetDlgItemText(dialog, edt1, out.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 40056, 0);
  platform::CheckModalScript();
  std::vector<std::string> ignored;
  EXPECT_EQ(Bytes(out), WritePcfText(TheModel(), ChoosePcfUnits(), ignored));
  EXPECT_FALSE(TheModel().modified);
  // A model whose rows could not be made into nodes has no geometry to
  // write: refused before the dialog.
  TheModel().unmadeReason = "Too many nodes";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"The model cannot be exported:", "Too many nodes"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 40056, 0);
  platform::CheckModalScript();
  TheModel().unmadeReason.clear();
  const std::string missing = InFolder("nowhere/out.pcf");
  EXPECT_EQ(WritePcfFile(TheModel(), missing, ignored), "Unable to open export file:\n" + missing);
  EXPECT_FALSE(std::filesystem::exists(missing + ".partial"));
}

}  // namespace
