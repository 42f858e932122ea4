// The plant-design export read back by a parser of each format, which
// rebuilds the primitives: a straight run's cylinders add up to its length;
// a 90 degree bend's torus angle reads 90.000000 in the macro and 1.570796
// radians in the dump; a node at model (1, 2, 3) inch is East 25.4,
// North -76.2, Up 50.8 with Y up; the valve's body, ball, stem and wheel, a
// flange's two discs and a bellows' cones by their hand-worked sizes; the
// empty model's fixed lines; and the Layout window's command with its file
// type choice.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "files/AutoSaveTesting.h"
#include "files/BatchTesting.h"
#include "files/FileCommands.h"
#include "files/PlantExport.h"
#include "model/MakeModel.h"
#include "model/RowObjects.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "services/AppTesting.h"

namespace {

struct Primitive {
  std::string kind;  // cyli, cone, dish, ctorus, box / cyl, cone, sph, tor
  std::vector<double> values;
  std::vector<double> position, direction, xdir, ydir;
};

// The macro: "New <Kind>" opens a primitive; position and direction blocks
// set !P0 / !zdir / !xdir / !ydir; "<keyword> <number>" lines give sizes.
std::vector<Primitive> ParseMacro(const std::string& text, std::vector<std::string>* lines = nullptr) {
  std::vector<Primitive> primitives;
  std::istringstream input(text);
  std::string current;
  for (std::string line; std::getline(input, line);) {
    if (lines != nullptr) lines->push_back(line);
    if (line.rfind("New ", 0) == 0) {
      Primitive p;
      p.kind = line.substr(4);
      primitives.push_back(p);
      continue;
    }
    if (primitives.empty()) continue;
    Primitive& p = primitives.back();
    if (line[0] == '!') {
      const std::size_t dot = line.find('.');
      const std::size_t eq = line.find(" = ");
      if (dot == std::string::npos || eq == std::string::npos || dot > eq) continue;
      const std::string name = line.substr(1, dot - 1);
      const std::string field = line.substr(dot + 1, eq - dot - 1);
      if (field == "origin") continue;
      const double value = std::stod(line.substr(eq + 3));
      auto& target = name == "P0" ? p.position : name == "zdir" ? p.direction : name == "xdir" ? p.xdir : p.ydir;
      target.push_back(value);
      continue;
    }
    std::istringstream words(line);
    std::string keyword;
    double value = 0.0;
    if (words >> keyword >> value) p.values.push_back(value);
  }
  return primitives;
}

// The dump: "I ;;" "1" then the kind and its numbers up to "#".
std::vector<Primitive> ParseDump(const std::string& text) {
  std::vector<Primitive> primitives;
  std::istringstream input(text);
  std::string word;
  while (input >> word) {
    if (word != "I") continue;
    std::string semis, one;
    input >> semis >> one;
    EXPECT_EQ(semis, ";;");
    EXPECT_EQ(one, "1");
    Primitive p;
    input >> p.kind;
    while (input >> word && word != "#") p.values.push_back(std::stod(word));
    primitives.push_back(p);
  }
  return primitives;
}

std::vector<Primitive> OfKind(const std::vector<Primitive>& all, const std::string& kind) {
  std::vector<Primitive> found;
  for (const Primitive& p : all)
    if (p.kind == kind) found.push_back(p);
  return found;
}

// Inch lengths, Y up: a run of 100 + 60 in along X, a 90 degree bend at 30
// turning to -Z, a valve, a flanged pipe, a bellows of 40 mm.
const char* const kPlant =
    "Plant design\nOPTIONS\nB313,IN\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6E-6,20000\n"
    "PIPE\nS2,2.375,0.154\nS4,3.937008,0.2\nLAYOUT\nF10,MA1,PS2\nT20,X100\nT25,X60\nT30,KI,X100\nT40,Z-100\n"
    "F100,PS4\nT110,X50\nT120,JV,X10\nT130,X20\n";

class PlantExportTest : public BatchFixture {
 protected:
  static std::string Export(Model& model, PlantFormat format, std::vector<std::string>* leftOut = nullptr) {
    std::vector<std::string> list;
    const std::string text = WritePlantText(model, format, list);
    if (leftOut != nullptr) *leftOut = list;
    return text;
  }
};

TEST_F(PlantExportTest, AnEmptyModelGivesTheFixedLinesOnly) {
  Model model;
  ASSERT_EQ(Import("Nothing\nOPTIONS\nB313\n", model), "");
  EXPECT_EQ(Export(model, PlantFormat::Pdms),
            "onerror golabel /end\nNEW STRU\nlabel /end\nhandle(41,8)\n"
            "!!alert.message('Navigate to Zone and import')\nendhandle\n");
  EXPECT_EQ(Export(model, PlantFormat::Cadmatic), "");
}

TEST_F(PlantExportTest, RunsAddUpAndTheBendReadsNinetyDegrees) {
  Model model;
  ASSERT_EQ(Import(kPlant, model), "");
  std::vector<std::string> lines;
  const std::vector<Primitive> macro = ParseMacro(Export(model, PlantFormat::Pdms), &lines);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[1], "NEW STRU");
  EXPECT_EQ(lines[2], "NEW SUBS");
  const auto cylinders = OfKind(macro, "Cyli");
  ASSERT_GE(cylinders.size(), 3u);
  // Node 20 at model (100, 0, 0) inch; pipe 10-20 is centred at East 1270
  // (Y up: North is -Z) and 2540 mm long, its diameter 25.4 x 2.375 as
  // single-precision values.
  EXPECT_EQ(cylinders[0].position, (std::vector<double>{1270.0, -0.0, 0.0}));
  EXPECT_EQ(cylinders[0].values, (std::vector<double>{60.325001, 2540.0}));
  EXPECT_EQ(cylinders[0].direction, (std::vector<double>{1.0, 0.0, 0.0}));
  // The straight parts from node 10 to the bend's near point: 100 + 60 +
  // (100 - R) inch, R the long radius 1.5 x 2.375 = 3.5625 inch.
  const double r = 1.5 * 2.375 * 25.4;
  const double run = cylinders[0].values[1] + cylinders[1].values[1] + cylinders[2].values[1];
  EXPECT_NEAR(run, 260 * 25.4 - r, 1e-2);
  const auto tori = OfKind(macro, "CTorus");
  ASSERT_EQ(tori.size(), 1u);
  ASSERT_EQ(tori[0].values.size(), 3u);
  EXPECT_NEAR(tori[0].values[0], r + 60.325 / 2, 1e-3);
  EXPECT_NEAR(tori[0].values[1], r - 60.325 / 2, 1e-3);
  // The angle made from single-precision coordinates reads 90.0000.
  EXPECT_NEAR(tori[0].values[2], 90.0, 5e-5);
  // The torus centre: R before the corner along X and R off it along the
  // new leg (model -Z is plant North).
  EXPECT_NEAR(tori[0].position[0], 260 * 25.4 - r, 1e-2);
  EXPECT_NEAR(tori[0].position[1], r, 1e-2);

  const std::vector<Primitive> dump = ParseDump(Export(model, PlantFormat::Cadmatic));
  const auto dumpTori = OfKind(dump, "tor");
  ASSERT_EQ(dumpTori.size(), 1u);
  EXPECT_NEAR(dumpTori[0].values[0], r, 1e-3);
  EXPECT_EQ(dumpTori[0].values[2], 1.570796);
  // The dump's cylinders start at their base: the first at node 10.
  const auto dumpCylinders = OfKind(dump, "cyl");
  ASSERT_FALSE(dumpCylinders.empty());
  EXPECT_EQ(dumpCylinders[0].values, (std::vector<double>{30.1625, 2540.0, 0, 0, 0, 1, 0, 0}));
}

TEST_F(PlantExportTest, PlantAxesOfEitherVerticalAxis) {
  Model yUp;
  ASSERT_EQ(Import("Axes\nOPTIONS\nB313,IN\nPIPE\nS2,2.375,0.154\nLAYOUT\nF10,PS2\nT20*,X1,Y2,Z3\n", yUp), "");
  const auto cylinder = OfKind(ParseMacro(Export(yUp, PlantFormat::Pdms)), "Cyli");
  ASSERT_EQ(cylinder.size(), 1u);
  // From the origin to (1, 2, 3) inch: the centre is half of (25.4, -76.2,
  // 50.8).
  EXPECT_NEAR(cylinder[0].position[0], 12.7, 1e-4);
  EXPECT_NEAR(cylinder[0].position[1], -38.1, 1e-4);
  EXPECT_NEAR(cylinder[0].position[2], 25.4, 1e-4);
  Model zUp;
  ASSERT_EQ(Import("Axes\nOPTIONS\nB313,IN,Z\nPIPE\nS2,2.375,0.154\nLAYOUT\nF10,PS2\nT20*,X1,Y2,Z3\n", zUp), "");
  const auto up = OfKind(ParseMacro(Export(zUp, PlantFormat::Pdms)), "Cyli");
  ASSERT_EQ(up.size(), 1u);
  EXPECT_NEAR(up[0].position[1], 25.4, 1e-4);
  EXPECT_NEAR(up[0].position[2], 38.1, 1e-4);
}

TEST_F(PlantExportTest, ValveFlangeAndBellowsByTheirProportions) {
  Model model;
  ASSERT_EQ(Import(kPlant, model), "");
  // Pipe S4 is 100 mm; the valve 10 inch long on a horizontal line.
  const std::vector<Primitive> macro = ParseMacro(Export(model, PlantFormat::Pdms));
  const auto dishes = OfKind(macro, "DISH");
  ASSERT_EQ(dishes.size(), 2u);  // the valve's ball
  EXPECT_NEAR(dishes[0].values[0], 170.0, 1e-3);
  EXPECT_NEAR(dishes[0].values[1], 85.0, 1e-3);
  const auto cylinders = OfKind(macro, "Cyli");
  // Body, stem (0.3 OD, 2 OD long, upwards) and wheel (1.15 OD, 0.15 OD).
  std::vector<Primitive> stems;
  for (const Primitive& c : cylinders)
    if (!c.direction.empty() && std::fabs(c.direction[2] - 1.0) < 1e-6) stems.push_back(c);
  ASSERT_EQ(stems.size(), 2u);
  EXPECT_NEAR(stems[0].values[0], 30.0, 1e-3);
  EXPECT_NEAR(stems[0].values[1], 200.0, 1e-3);
  EXPECT_NEAR(stems[1].values[0], 115.0, 1e-3);
  EXPECT_NEAR(stems[1].values[1], 15.0, 1e-3);
  EXPECT_NEAR(stems[1].position[2], 200.0, 1e-3);

  // A flange on the 100 mm pipe's end node 110: two discs of 175, each
  // 23.125 thick, 1.875 mm either side of the node (50 inch = 1270 mm).
  const int row = 8;  // T110
  ASSERT_EQ(model.row(row).node, 110);
  model.row(row).dataType = DataType::Flange;
  model.row(row).item = CreateDataItem(DataType::Flange);
  // A bellows of 40 mm on the 2.375 inch pipe: n = 1, two cones of 20 mm.
  model.row(3).elementType = ElementType::Bellows;
  model.row(3).element = CreateElementData(ElementType::Bellows);
  model.row(3).dx = 40.0f / 25.4f;
  MakeModel(model);
  const std::vector<Primitive> again = ParseMacro(Export(model, PlantFormat::Pdms));
  std::vector<Primitive> discs;
  for (const Primitive& c : OfKind(again, "Cyli"))
    if (std::fabs(c.values[0] - 175.0) < 1e-3) discs.push_back(c);
  ASSERT_EQ(discs.size(), 2u);
  EXPECT_NEAR(discs[0].values[1], 23.125, 1e-3);
  EXPECT_NEAR(discs[0].position[0], 1270.0 - 1.875 - 23.125 / 2, 1e-3);
  EXPECT_NEAR(discs[1].position[0], 1270.0 + 1.875 + 23.125 / 2, 1e-3);
  const auto cones = OfKind(again, "Cone");
  ASSERT_EQ(cones.size(), 2u);
  EXPECT_NEAR(cones[0].values[2], 20.0, 1e-3);
  EXPECT_NEAR(cones[0].values[1], 60.325, 1e-3);          // bottom
  EXPECT_NEAR(cones[0].values[0], 1.2 * 60.325, 1e-3);    // top
  EXPECT_NEAR(cones[1].values[1], 1.2 * 60.325, 1e-3);
}

TEST_F(PlantExportTest, ABellowsWithoutASectionTakesTheDefaultDiameter) {
  Model model;
  ASSERT_EQ(Import("No section\nOPTIONS\nB313,IN\nLAYOUT\nF10\nT20,X10\n", model), "");
  model.row(3).elementType = ElementType::Bellows;
  model.row(3).element = CreateElementData(ElementType::Bellows);
  MakeModel(model);
  // 254 mm on 152.4: n = 3 convolutions of two cones.
  const auto cones = OfKind(ParseMacro(Export(model, PlantFormat::Pdms)), "Cone");
  EXPECT_EQ(cones.size(), 6u);
}

class PlantExportCommandTest : public AutoSaveFixture {
 protected:
  void TearDown() override {
    CloseModel();
    g_UnitsSettings = UnitsSettings{};
    AutoSaveFixture::TearDown();
  }
};

TEST_F(PlantExportCommandTest, TheCommandWritesTheChosenFormat) {
  Start();
  const std::string batch = InFolder("plant.mbf");
  Put(batch, kPlant);
  ASSERT_TRUE(ImportBatchFile(MainFrame().window, batch));
  // The CADMATIC type chosen and a name without extension: ".3dd" is added.
  const std::string out = InFolder("pipes");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Export Model to 3D Plant Design", [&](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), "&Export");
    char name[300] = {};
    GetDlgItemText(dialog, edt1, name, sizeof name);
    EXPECT_EQ(std::string(name), "plant.mac");
    SetFocus(GetDlgItem(dialog, cmb1));
    platform::TestKeyPress(VK_DOWN);
    platform::RunUntilIdle();
    GetDlgItemText(dialog, edt1, name, sizeof name);
    EXPECT_EQ(std::string(name), "plant.3dd");
    SetDlgItemText(dialog, edt1, out.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 40026, 0);
  platform::CheckModalScript();
  std::vector<std::string> ignored;
  EXPECT_EQ(Bytes(out + ".3dd"), WritePlantText(TheModel(), PlantFormat::Cadmatic, ignored));
  TheModel().unmadeReason = "Too many nodes";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"The model cannot be exported:", "Too many nodes"}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 40026, 0);
  platform::CheckModalScript();
  TheModel().unmadeReason.clear();
  const std::string missing = InFolder("nowhere/out.mac");
  EXPECT_EQ(WritePlantFile(TheModel(), missing, PlantFormat::Pdms, ignored), "Unable to open export file:\n" + missing);
}

}  // namespace
