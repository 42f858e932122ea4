// The CAESAR II neutral file reader: the version rule, counts and indexes
// checked before use, every refusal with its line and the units left as
// they were, the conversion's values against hand values, and the log of
// everything not taken.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <tuple>

#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/HydrotestLoad.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "elements/UserSif.h"
#include "elements/Valve.h"
#include "elements/Weld.h"
#include "files/BatchTesting.h"
#include "files/CiiImport.h"
#include "files/CiiSample.h"
#include "files/ModelFile.h"
#include "loads/Force.h"
#include "model/LayoutRow.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "services/Units.h"
#include "supports/Restraint.h"

namespace {

class CiiImportTest : public BatchFixture {
 protected:
  static std::string Read(const std::string& text, Model& model, std::vector<std::string>* log = nullptr) {
    std::istringstream input(text);
    std::vector<std::string> warnings;
    try {
      ReadCiiFile(input, model, warnings);
    } catch (const std::string& message) {
      return message;
    }
    if (log != nullptr) *log = warnings;
    return {};
  }
  static bool Logged(const std::vector<std::string>& log, const std::string& text) {
    for (const std::string& entry : log)
      if (entry == text) return true;
    return false;
  }
  // The row at `node` holding `item`; 0 when none.
  static int RowWith(const Model& model, NodeId node, DataType item) {
    for (int number = 1; number <= model.rowCount; ++number)
      if (model.row(number).node == node && model.row(number).dataType == item) return number;
    return 0;
  }
  // The element row ending at `node`.
  static int ElementRow(const Model& model, NodeId node) {
    for (int number = 1; number <= model.rowCount; ++number) {
      const LayoutRow& row = model.row(number);
      if (row.node == node && row.elementType != ElementType::Location && row.elementType != ElementType::From)
        return number;
    }
    return 0;
  }
  static std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream input(text);
    for (std::string line; std::getline(input, line);) lines.push_back(line);
    return lines;
  }
  // "line = n\n<line n>\n<message>" of a text.
  static std::string LineError(const std::string& text, int line, const std::string& message) {
    return "line = " + std::to_string(line) + "\n" + LinesOf(text)[std::size_t(line - 1)] + "\n" + message;
  }
  static int LineOf(const std::string& text, const std::string& start) {
    const std::vector<std::string> lines = LinesOf(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].rfind(start, 0) == 0) return int(i + 1);
    return 0;
  }
  static std::string ReplaceLine(const std::string& text, int line, const std::string& with) {
    std::vector<std::string> lines = LinesOf(text);
    lines[std::size_t(line - 1)] = with;
    std::string joined;
    for (const std::string& l : lines) joined += l + "\n";
    return joined;
  }

  static CiiSample Plant() {
    CiiSample sample;
    CiiSampleElement pipe;
    pipe.from = 10;
    pipe.to = 20;
    pipe.dx = 120;
    sample.elements.push_back(pipe);
    CiiSampleElement bend = pipe;
    bend.from = 20;
    bend.to = 30;
    bend.dx = 0;
    bend.dy = 120;
    bend.bend = 1;
    sample.elements.push_back(bend);
    CiiSampleElement down = pipe;
    down.from = 30;
    down.to = 40;
    down.dx = 0;
    down.dz = 60;
    sample.elements.push_back(down);
    CiiSampleElement joint = down;
    joint.from = 40;
    joint.to = 50;
    joint.dz = 10;
    joint.joint = 1;
    joint.p1 = 150.002;  // a load of its own
    sample.elements.push_back(joint);
    sample.bends.push_back({12, 0, 0, 0, 0, 0});
    sample.joints.push_back({1000, 500, 200, 300, 10});
    sample.restraints.push_back({10, 1});
    sample.restraints.push_back({20, 3});
    sample.restraints.push_back({50, 1});
    sample.hangerNodes = {30};
    sample.hangerTables = {2};
    sample.forces.push_back({40, 100, -200, 0, 0, 0, 5000});
    sample.tees.push_back({20, 2, 0, 0});
    return sample;
  }
};

TEST_F(CiiImportTest, EnglishVersionFiveTenConvertsElementsSupportsAndLoadsToHandValues) {
  CiiSample sample = Plant();
  sample.versionText = "0 5.10";
  sample.bourdon = 1;
  sample.ambient = 60;
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Read(sample.Text(), model, &log), "");
  EXPECT_EQ(model.title, "CII PLANT");
  EXPECT_EQ(model.row(2).elementType, ElementType::From);
  EXPECT_EQ(model.row(2).node, 10);
  const int bendRow = ElementRow(model, 30);
  const int pipeRow = ElementRow(model, 20);
  ASSERT_NE(bendRow, 0);
  EXPECT_EQ(model.row(bendRow).elementType, ElementType::Bend);
  EXPECT_FLOAT_EQ(static_cast<Bend&>(*model.row(bendRow).element).radius, 12.0f);
  EXPECT_FLOAT_EQ(model.row(bendRow).dy, 120.0f);

  // The joint of effective diameter 10 is a bellows of area pi/4 * 10^2.
  int bellowsRow = 0;
  for (int n = 1; n <= model.rowCount; ++n)
    if (model.row(n).elementType == ElementType::Bellows) bellowsRow = n;
  ASSERT_NE(bellowsRow, 0);
  const auto& bellows = static_cast<Bellows&>(*model.row(bellowsRow).element);
  EXPECT_NEAR(bellows.pressureThrustArea, 78.54f, 0.01f);
  EXPECT_FLOAT_EQ(bellows.axialStiffness, 1000.0f);
  EXPECT_NEAR(bellows.bendingStiffness, 200.0 * 180.0 / std::numbers::pi, 0.01);

  // Loads shared within 0.001; the pressure 0.002 apart gives a second.
  EXPECT_EQ(model.pipeLoads.count, 2);
  EXPECT_EQ(model.row(pipeRow).load, model.row(bendRow).load);
  EXPECT_NE(model.row(bellowsRow).load, model.row(pipeRow).load);
  EXPECT_EQ(model.sections.count, 1);

  // Supports at the rows of their nodes.
  ASSERT_NE(RowWith(model, 10, DataType::Anchor), 0);
  const auto& anchor = static_cast<Anchor&>(*model.row(RowWith(model, 10, DataType::Anchor)).item);
  for (float k : anchor.stiffness) EXPECT_EQ(k, 1.0e12f);
  const int restraintRow = RowWith(model, 20, DataType::Restraint);
  ASSERT_NE(restraintRow, 0);
  EXPECT_EQ(static_cast<Restraint&>(*model.row(restraintRow).item).restrainY, 1);
  // The hanger at the bend's node goes to its far point, right after it.
  const int hangerRow = RowWith(model, 30 + kArcFarOffset, DataType::Hanger);
  ASSERT_EQ(hangerRow, bendRow + 1);
  EXPECT_EQ(static_cast<Hanger&>(*model.row(hangerRow).item).kind, 3);
  // The hanger nodes follow the material numbers and two lines.
  const std::string text = sample.Text();
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(LineOf(text, "#$ MISCEL_1") + 4) +
                              ": the hanger at node 30 takes the catalogue " + HangerKindText(3) +
                              ", whose load table is not carried: choose another before the analysis"));
  const auto& force = static_cast<NodalForce&>(*model.row(RowWith(model, 40, DataType::Force)).item);
  EXPECT_EQ(force.Component(1), -200.0f);
  EXPECT_EQ(force.Component(5), 5000.0f);
  const int teeRow = RowWith(model, 20, DataType::BranchSif);
  ASSERT_NE(teeRow, 0);
  EXPECT_EQ(static_cast<BranchSif&>(*model.row(teeRow).item).type, 3);
  EXPECT_EQ(model.options.ThermalLoadCount, 10);
  EXPECT_EQ(model.options.BourdonEffect, 1);
  EXPECT_EQ(model.options.LiberalAllowable, 0);
  EXPECT_FLOAT_EQ(model.options.ReferenceTemperature, 60.0f);  // the ambient, set before the model is written
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(sample.elements.size() > 0 ? LineOf(sample.Text(), "#$ ELEMENTS") + 1 : 0) +
                              ": material 1 (106.000000) takes a placeholder temperature table (70 F: E 3.0e7 psi, "
                              "6.0e-6 in/in/F, 20000 psi; 1200 F: 2.0e7 psi, 8.0e-6 in/in/F, 1000 psi): enter its own"));
}

TEST_F(CiiImportTest, MetricFactorsChooseUnitsAndConvertValues) {
  CiiSample sample = Plant();
  sample.factors[0] = 25.4;                // length
  sample.factors[20] = 25.4;               // diameter
  sample.factors[21] = 25.4;               // wall
  sample.factors[6] = 0.5555555555555556;  // temperature
  sample.elements[0].dx = 1000;
  sample.elements[0].od = 219.075;
  sample.elements[0].t1 = 150;
  Model model;
  ASSERT_EQ(Read(sample.Text(), model), "");
  EXPECT_NEAR(model.row(ElementRow(model, 20)).dx, 39.37f, 0.001f);
  EXPECT_NEAR(model.sections[1].outsideDiameter, 8.625f, 0.0001f);
  EXPECT_NEAR(model.pipeLoads[1].operating[0].temperature, 302.0f, 0.01f);  // 150 C
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], 4);
  EXPECT_EQ(g_UnitsSettings.unit[kUnitTemperature], 1);
}

TEST_F(CiiImportTest, VersionRuleAcceptsTenAndRefusesBeyondAndBelow) {
  CiiSample sample = Plant();
  sample.version = 10.0;
  Model model;
  ASSERT_EQ(Read(sample.Text(), model), "");  // the layout above 8.0
  EXPECT_NE(RowWith(model, 20, DataType::Restraint), 0);

  sample.versionText = "0 10.01";
  EXPECT_EQ(Read(sample.Text(), model),
            LineError(sample.Text(), 2, "Cannot Import CAESAR II Neutral file with Rversion > 10.0"));
  sample.versionText = "11 4.0";
  EXPECT_EQ(Read(sample.Text(), model),
            LineError(sample.Text(), 2, "Cannot Import CAESAR II Neutral file version < 4.5"));
}

TEST_F(CiiImportTest, RefusalsNameTheirLineAndLeaveTheUnitsAsTheyWere) {
  const std::string good = Plant().Text();
  const int control = LineOf(good, "#$ CONTROL") + 1;
  const int elements = LineOf(good, "#$ ELEMENTS");
  const int units = LineOf(good, "#$ UNITS") + 1;
  std::string cut;
  for (int i = 0; i < elements + 3; ++i) cut += LinesOf(good)[std::size_t(i)] + "\n";
  CiiSample badIndex = Plant();
  badIndex.elements[1].bend = 5;
  CiiSample negative = Plant();
  negative.elements[0].from = -10;
  CiiSample zeroFactor = Plant();
  zeroFactor.factors[0] = 0;
  // 10-20 (120, 0, 0) then 20-30 of no length: an element the batch import
  // and every cell refuse.
  CiiSample noLength;
  CiiSampleElement first;
  first.from = 10;
  first.to = 20;
  first.dx = 120;
  CiiSampleElement second = first;
  second.from = 20;
  second.to = 30;
  second.dx = 0;
  noLength.elements = {first, second};
  CiiSample cold = Plant();  // T1 of -1000 F on the element's second line
  cold.elements[0].t1 = -1000;
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {cut, LineError(cut, elements + 3, "End of file reached")},
      {ReplaceLine(good, control, " -1 0 1 0 0 0"),
       LineError(ReplaceLine(good, control, " -1 0 1 0 0 0"), control + 2, "Invalid number of elements")},
      {ReplaceLine(good, control, " 99999999 0 1 0 0 0"),
       LineError(ReplaceLine(good, control, " 99999999 0 1 0 0 0"), control + 2,
                 "The number of elements goes beyond the end of the file")},
      {ReplaceLine(good, elements + 1, " 10 20 nan 0 0 8.625"),
       LineError(ReplaceLine(good, elements + 1, " 10 20 nan 0 0 8.625"), elements + 1, "Invalid number")},
      {badIndex.Text(), LineError(badIndex.Text(), LineOf(badIndex.Text(), " 20 30"), "The bend index is outside its section")},
      {negative.Text(), LineError(negative.Text(), elements + 1, "Node numbers cannot be negative")},
      {zeroFactor.Text(), LineError(zeroFactor.Text(), units, "UNITS factor 1 is 0")},
      {ReplaceLine(good, 1, "#$ VERSON"), "line = 1\n#$ VERSON\n#$ VERSION not found"},
      {noLength.Text(), LineError(noLength.Text(), LineOf(noLength.Text(), " 20 30"), "This element has zero length")},
      {cold.Text(), LineError(cold.Text(), elements + 2, "Temperature -1000 is below absolute zero")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    g_UnitsSettings.unit[kUnitForce] = 1;  // the user's own choice
    const UnitsSettings before = g_UnitsSettings;
    Model model;
    EXPECT_EQ(Read(c.text, model), c.expected);
    for (int kind = 0; kind <= kUnitKindCount; ++kind) EXPECT_EQ(g_UnitsSettings.unit[kind], before.unit[kind]);
  }
}

// The outside diameter and the wall of an element, edge values against the
// section cell: a value is read as a cell reads it (no hex, no INF or NAN)
// and stored by the cell's rules (the number rule of the stored value, an
// outside diameter of at least 0.001, a wall of at least 0.0001 and no more
// than the radius). Each pair agrees; the cell's verdict is its parser and
// those rules worked out by hand; a refusal names the value's own line.
TEST_F(CiiImportTest, EdgeValuesOfASectionAgreeWithTheSectionCell) {
  const std::string good = Plant().Text();
  const int first = LineOf(good, "#$ ELEMENTS") + 1;
  const std::vector<std::string> values{"1E39", "3E38",  "1E38",  "9.9E37", "-1",    "1E-40", "1E-45", "1E-46",
                                        "0x1p3", "inf", "nan", "1E-37", "0.5", "2", "4.3125"};
  int pairs = 0, agree = 0;
  for (const bool wall : {true, false}) {
    const int line = wall ? first + 1 : first;
    std::vector<std::string> fields;
    std::istringstream split(LinesOf(good)[std::size_t(line - 1)]);
    for (std::string field; split >> field;) fields.push_back(field);
    for (const std::string& value : values) {
      SCOPED_TRACE((wall ? "wall " : "outside diameter ") + value);
      fields[wall ? 0 : 5] = value;
      std::string changed;
      for (const std::string& field : fields) changed += " " + field;
      float stored = 0.0f;
      const bool parsed = ParseNonNegativeDimension(value, stored) == 0;
      const bool cell = parsed && (wall ? stored >= 0.0001f && stored <= 8.625f / 2.0f
                                        : stored >= 0.001f && stored / 2.0f >= 0.322f);
      Model model;
      const std::string refusal = Read(ReplaceLine(good, line, changed), model);
      const bool file = refusal.empty();
      ++pairs;
      agree += cell == file;
      EXPECT_EQ(file, cell);
      // A wall beyond the radius is named on the wall's line.
      const int named = refusal.find("greater than radius") != std::string::npos ? first + 1 : line;
      EXPECT_EQ(file || refusal.rfind("line = " + std::to_string(named) + "\n", 0) == 0, true) << refusal;
    }
  }
  EXPECT_EQ(agree, pairs);
}

// A material number becomes its material's description, of which the model
// file keeps 31 characters: 1E24 (24 digits, a point and six decimals: 31
// characters) is taken and saved; 2E24 (25 digits) is refused on the line
// of the material numbers rather than fail the save.
TEST_F(CiiImportTest, AMaterialNumberTakesTheThirtyOneCharactersOfADescription) {
  CiiSample sample = Plant();
  sample.elements[0].material = 1e24;
  Model model;
  ASSERT_EQ(Read(sample.Text(), model), "");
  ASSERT_GE(model.materials.count, 1);
  EXPECT_EQ(model.materials[1].description, "999999999999999983222784.000000");
  const std::string path = ::testing::TempDir() + "/material-number.mod";
  EXPECT_EQ(WriteModelFileFrom(model, path), "");
  std::filesystem::remove(path);

  CiiSample over = Plant();
  over.elements[0].material = 2e24;
  const std::string text = over.Text();
  Model refused;
  EXPECT_EQ(Read(text, refused),
            LineError(text, LineOf(text, "#$ MISCEL_1") + 1,
                      "Material number 2e+024 is longer than the 31 characters of a material description"));
}

// A title beyond the 49 characters a model keeps is cut, and logged: a
// UTF-8 "É" is one character, kept whole as the program's; the blanks round
// the title count for none of them.
TEST_F(CiiImportTest, ALongTitleIsCutOnACharacterAndLogged) {
  const std::string start(48, 'T');
  const std::tuple<std::string, std::string, bool> cases[] = {{start + "AB", start + "A", true},
                                                              {start + "\xC3\x89N", start + "\xC9", true},
                                                              {"      " + start + "Z      ", start + "Z", false}};
  for (const auto& [title, kept, cut] : cases) {
    CiiSample sample = Plant();
    sample.title = title;
    Model model;
    std::vector<std::string> log;
    ASSERT_EQ(Read(sample.Text(), model, &log), "") << title;
    EXPECT_EQ(model.title, kept) << title;
    EXPECT_EQ(Logged(log, "Line 3: the title is cut to 49 characters"), cut) << title;
  }
}

TEST_F(CiiImportTest, EverythingNotTakenIsLoggedWithItsLine) {
  CiiSample sample = Plant();
  sample.nodeNames = 2;
  sample.uniforms = 1;
  sample.winds = 1;
  sample.offsets = 1;
  sample.allowables = 1;
  sample.flanges = 1;
  sample.restraints.push_back({999, 1});
  sample.restraints.push_back({40, 99});
  sample.tees.push_back({777, 2, 0, 0});
  const std::string text = sample.Text();
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Read(text, model, &log), "");
  for (const char* section : {"NODENAME (2 records)", "UNIFORM (1 records)", "WIND (1 records)",
                              "OFFSETS (1 records)", "ALLOWBLS (1 records)", "FLANGES (1 records)"}) {
    bool found = false;
    for (const std::string& entry : log)
      found = found || entry.find(std::string("section ") + section + " is read and not used") != std::string::npos;
    EXPECT_TRUE(found) << section;
  }
  const int restraints = LineOf(text, "#$ RESTRANT");
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(restraints + 7) +
                              ": restraint at node 999, which no element makes: not taken"));
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(restraints + 9) + ": restraint type 99 at node 40 has no item: not taken"));
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(LineOf(text, "#$ SIF&TEES") + 6) +
                              ": SIF at node 777, which no element makes: not taken"));
}

// A restraint's friction coefficient below 0 would push the pipe along its
// movement: a guide's or a limit stop's is not taken (none) and the log says
// so with the restraint's line; one of at least 0 is taken.
TEST_F(CiiImportTest, ANegativeFrictionIsNotTakenAndTheLogSaysSo) {
  CiiSample sample = Plant();
  sample.restraints.push_back({40, 8, 0, 0, -0.3});               // a guide
  sample.restraints.push_back({30, 13, 0, 0, -0.25, 0, 0, 1, 0});  // a stop in +Y
  sample.restraints.push_back({20, 8, 0, 0, 0.4});
  const std::string text = sample.Text();
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Read(text, model, &log), "");
  const int guide = RowWith(model, 40, DataType::Guide), stop = RowWith(model, 30, DataType::LimitStop),
            kept = RowWith(model, 20, DataType::Guide);
  ASSERT_NE(guide * stop * kept, 0);
  EXPECT_EQ(static_cast<const Guide&>(*model.row(guide).item).frictionCoefficient, 0.0f);
  const auto& limit = static_cast<const LimitStop&>(*model.row(stop).item);
  EXPECT_EQ(limit.frictionCoefficient, 0.0f);
  EXPECT_EQ(limit.dirY, 1.0f);  // the stop itself is taken
  EXPECT_FLOAT_EQ(static_cast<const Guide&>(*model.row(kept).item).frictionCoefficient, 0.4f);
  const int restraints = LineOf(text, "#$ RESTRANT");
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(restraints + 7) +
                              ": the friction coefficient -0.3 of the restraint at node 40 is not taken: a friction "
                              "coefficient is at least 0"));
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(restraints + 9) +
                              ": the friction coefficient -0.25 of the restraint at node 30 is not taken: a friction "
                              "coefficient is at least 0"));
  for (const std::string& entry : log) EXPECT_EQ(entry.find("friction coefficient 0.4"), std::string::npos) << entry;
}

// Only guides and limit stops keep a friction coefficient: one given to a
// restraint that becomes a plain or skewed restraint, an anchor or a
// snubber is not taken, positive or negative, and the log says so with the
// restraint's line.
TEST_F(CiiImportTest, AFrictionTheSupportCannotKeepIsLoggedWithItsLine) {
  CiiSample sample;
  for (int node = 10; node < 70; node += 10) {
    CiiSampleElement pipe;
    pipe.from = node;
    pipe.to = node + 10;
    pipe.dx = 120;
    sample.elements.push_back(pipe);
  }
  sample.restraints = {
      {10, 1},
      {20, 8, 0, 0.1, -0.3},                 // a guide
      {30, 9, 0, 0.5, -0.25, 0, 0, 1, 0},    // a stop along Y
      {40, 3, 0, 0, -0.2},                   // a Y restraint
      {50, 13, 0, 0, -0.15, 0, 0, 1, 0},     // a stop in +Y
      {60, 1, 0, 0, 0.4},                    // an anchor
      {70, 3, 0, 0, 0.2, 0, 0.6, 0.8, 0},    // skewed: two cosines given
      {20, 10, 0, 0, 0.1, 0, 1, 0, 0},       // a snubber along X
  };
  const std::string text = sample.Text();
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Read(text, model, &log), "");
  const int first = LineOf(text, "#$ RESTRANT") + 1;
  const auto line = [&](int index) { return "Line " + std::to_string(first + 2 * index) + ": "; };
  const int restraint = RowWith(model, 40, DataType::Restraint);
  ASSERT_NE(restraint, 0);
  EXPECT_EQ(static_cast<const Restraint&>(*model.row(restraint).item).restrainY, 1);
  ASSERT_NE(RowWith(model, 70, DataType::SkewedRestraint), 0);
  ASSERT_NE(RowWith(model, 20, DataType::Snubber), 0);
  ASSERT_NE(RowWith(model, 60, DataType::Anchor), 0);
  EXPECT_TRUE(Logged(log, line(3) + "the friction coefficient -0.2 of the restraint at node 40 is not taken: "
                                    "a restraint has no friction"));
  EXPECT_TRUE(Logged(log, line(5) + "the friction coefficient 0.4 of the restraint at node 60 is not taken: "
                                    "an anchor has no friction"));
  EXPECT_TRUE(Logged(log, line(6) + "the friction coefficient 0.2 of the restraint at node 70 is not taken: "
                                    "a skewed restraint has no friction"));
  EXPECT_TRUE(Logged(log, line(7) + "the friction coefficient 0.1 of the restraint at node 20 is not taken: "
                                    "a snubber has no friction"));
  // The guide and the stops keep theirs where it is at least 0; below 0
  // they are logged as before.
  for (const auto& [index, node, mu] : {std::tuple{1, 20, "-0.3"}, {2, 30, "-0.25"}, {4, 50, "-0.15"}})
    EXPECT_TRUE(Logged(log, line(index) + "the friction coefficient " + mu + " of the restraint at node " +
                                std::to_string(node) + " is not taken: a friction coefficient is at least 0"));
  // The anchor at 10 gave none: nothing is said of it.
  for (const std::string& entry : log) EXPECT_EQ(entry.rfind(line(0), 0), std::string::npos) << entry;
}

TEST_F(CiiImportTest, ElementPassesMakeReducerEndsBallJointsValvesFluidWeightHalfAnglesAndHydrotestRows) {
  CiiSample sample;
  const auto element = [&](int from, int to, double dx, double dy, double dz) -> CiiSampleElement& {
    CiiSampleElement e;
    e.from = from;
    e.to = to;
    e.dx = dx;
    e.dy = dy;
    e.dz = dz;
    sample.elements.push_back(e);
    return sample.elements.back();
  };
  element(10, 20, 120, 0, 0).hydro = 300;
  CiiSampleElement& valve = element(20, 30, 24, 0, 0);
  valve.rigid = 1;
  valve.hydro = 300.0005;  // the same test pressure within 0.001
  CiiSampleElement& flanges = element(30, 40, 6, 0, 0);
  flanges.rigid = 2;
  flanges.fluid = 1.0 / 27.62430939226519;  // specific gravity 1.0
  element(40, 50, 12, 0, 0).reducer = 1;
  CiiSampleElement& small = element(50, 60, 60, 0, 0);
  small.od = 6.625;
  small.wall = 0.28;
  small.hydro = 400;
  CiiSampleElement& reducer = element(60, 70, 12, 0, 0);
  reducer.od = 6.625;
  reducer.wall = 0.28;
  reducer.reducer = 2;
  CiiSampleElement& joint = element(70, 80, 0, 0, 0);
  joint.od = 6.625;
  joint.wall = 0.28;
  joint.joint = 1;
  CiiSampleElement& bend = element(80, 90, 0, 120, 0);
  bend.od = 4.5;
  bend.wall = 0.237;
  bend.bend = 1;
  CiiSampleElement& last = element(90, 100, 0, 0, 60);
  last.od = 4.5;
  last.wall = 0.237;
  CiiSampleElement& onArc = element(100, 85, 5, 0, 0);  // ends at the bend's own point
  onArc.od = 4.5;
  onArc.wall = 0.237;
  sample.rigids = {500, 100};
  sample.reducers = {{0, 0}, {4.5, 0.237}};
  sample.joints.push_back({1000, 500, 200, 300, 0});
  sample.bends.push_back({12, 0, 0, -85, 0, 0});
  sample.restraints.push_back({85, 3});
  sample.restraints.push_back({10, 1});
  Model model;
  std::vector<std::string> log;
  const std::string text = sample.Text();
  ASSERT_EQ(Read(text, model, &log), "");

  // One hydrotest row per test pressure, put in where the element gave it.
  std::vector<int> tests;
  for (int n = 1; n <= model.rowCount; ++n)
    if (model.row(n).elementType == ElementType::HydrotestLoad) tests.push_back(n);
  ASSERT_EQ(tests.size(), 2u);
  EXPECT_FLOAT_EQ(static_cast<HydrotestLoad&>(*model.row(tests[0]).element).pressure, 300.0f);
  EXPECT_FLOAT_EQ(static_cast<HydrotestLoad&>(*model.row(tests[0]).element).specificGravity, 1.0f);
  EXPECT_FLOAT_EQ(static_cast<HydrotestLoad&>(*model.row(tests[1]).element).pressure, 400.0f);
  EXPECT_LT(tests[1], ElementRow(model, 60));
  EXPECT_GT(tests[1], ElementRow(model, 50));
  // The run goes on across the hydrotest row: one From row only.
  int froms = 0;
  for (int n = 1; n <= model.rowCount; ++n) froms += model.row(n).elementType == ElementType::From;
  EXPECT_EQ(froms, 1);

  // The 24 in rigid is longer than its 8.625 in pipe: a valve of its weight.
  const LayoutRow& valveRow = model.row(ElementRow(model, 30));
  ASSERT_EQ(valveRow.elementType, ElementType::Valve);
  EXPECT_FLOAT_EQ(static_cast<const Valve&>(*valveRow.element).weight, 500.0f);
  EXPECT_FLOAT_EQ(static_cast<const Valve&>(*valveRow.element).thicknessMultiplier, 10.0f);
  // The 6 in rigid takes its water: pi/4 (8.625 - 2 x 0.322)^2 x 1.0 x 6 x 0.0362 = 10.866 lb.
  const LayoutRow& rigidRow = model.row(ElementRow(model, 40));
  ASSERT_EQ(rigidRow.elementType, ElementType::Rigid);
  EXPECT_NEAR(static_cast<const RigidElement&>(*rigidRow.element).weight, 100.0 + 10.866, 0.005);

  // The reducer without a second end takes the next pipe's; the other its record's.
  const auto& open = static_cast<const Reducer&>(*model.row(ElementRow(model, 50)).element);
  EXPECT_FLOAT_EQ(open.od1, 8.625f);
  EXPECT_FLOAT_EQ(open.od2, 6.625f);
  EXPECT_FLOAT_EQ(open.thk2, 0.28f);
  const auto& given = static_cast<const Reducer&>(*model.row(ElementRow(model, 70)).element);
  EXPECT_FLOAT_EQ(given.od1, 6.625f);
  EXPECT_FLOAT_EQ(given.od2, 4.5f);
  EXPECT_FLOAT_EQ(given.thk2, 0.237f);

  // The joint of no length is a ball joint keeping its turning springs.
  const LayoutRow& jointRow = model.row(ElementRow(model, 80));
  ASSERT_EQ(jointRow.elementType, ElementType::BallJoint);
  EXPECT_NEAR(static_cast<const BallJoint&>(*jointRow.element).bendingStiffness, 200.0 * 180.0 / std::numbers::pi, 0.01);
  EXPECT_NEAR(static_cast<const BallJoint&>(*jointRow.element).torsionalStiffness, 300.0 * 180.0 / std::numbers::pi,
              0.01);
  const int elementsLine = LineOf(text, "#$ ELEMENTS") + 1;
  const int recordLines = 11;  // version 5.1: 6 + 2 + 3 lines
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(elementsLine + 6 * recordLines) +
                              ": the expansion joint of no length at node 80 becomes a ball joint: its axial and "
                              "lateral springs are not taken"));

  // The negative node is the point half way round the 90 degree bend; the
  // restraint there finds the bend.
  const auto& arc = static_cast<const Bend&>(*model.row(ElementRow(model, 90)).element);
  EXPECT_EQ(arc.intermediateNode1, 85);
  EXPECT_NEAR(arc.angle1, std::numbers::pi / 4.0, 1e-5);
  EXPECT_EQ(RowWith(model, 85, DataType::Restraint), ElementRow(model, 90) + 1);
  EXPECT_NE(FindNodeIndex(model.nodes, 85), 0);
  EXPECT_EQ(ElementRow(model, 85), 0);
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(elementsLine + 9 * recordLines) +
                              ": element 100-85 ends at a point of the bend at node 90: passed over"));
}

TEST_F(CiiImportTest, NozzlesDisplacementsWeldsAndThreadedJointsReachTheRowsOfTheirNodes) {
  CiiSample sample = Plant();
  sample.nozzles.push_back({40, 0, 0, 8.625, 0.322, 120, 0.5, 0, 0, 100, 100, 0, 1, 0});
  sample.nozzles.push_back({555, 0, 0, 8.625, 0.322, 120, 0.5, 0, 0, 100, 100, 0, 1, 0});
  CiiSampleDisplacement anchored;
  anchored.node = 50;
  anchored.vectors[0] = {1, 2, 3, 0.5, 0, 9999.99};
  anchored.vectors[1] = {4, 0, 0, 0, 0, 0};
  CiiSampleDisplacement atNozzle;
  atNozzle.node = 40;
  atNozzle.vectors[0] = {0.25, 0, 0, 0, 0, 0};
  CiiSampleDisplacement nowhere;
  nowhere.node = 20;  // a restraint in Y, no anchor
  sample.displacements = {anchored, atNozzle, nowhere};
  sample.tees.push_back({20, 7, 0, 0});
  sample.tees.push_back({40, 10, 0, 0});
  sample.tees.push_back({50, 12, 0, 0});
  sample.tees.push_back({10, 13, 0, 0});
  sample.tees.push_back({30, 11, 0, 0});
  sample.tees.push_back({20, 8, 0, 0});
  sample.tees.push_back({40, 20, 1.5, 1.2});
  const std::string text = sample.Text();
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Read(text, model, &log), "");

  const int nozzleRow = RowWith(model, 40, DataType::Nozzle);
  ASSERT_EQ(nozzleRow, ElementRow(model, 40));  // the pipe's own row had no item yet
  const auto& nozzle = static_cast<const Nozzle&>(*model.row(nozzleRow).item);
  EXPECT_FLOAT_EQ(nozzle.nozzleOd, 8.625f);
  EXPECT_FLOAT_EQ(nozzle.nozzleThickness, 0.322f);
  EXPECT_FLOAT_EQ(nozzle.vesselOd, 120.0f);
  EXPECT_FLOAT_EQ(nozzle.vesselThickness, 0.5f);
  EXPECT_FLOAT_EQ(nozzle.l1, 100.0f);
  EXPECT_FLOAT_EQ(nozzle.l2, 100.0f);
  EXPECT_EQ(nozzle.vesselAxis[1], 1.0f);
  EXPECT_EQ(nozzle.flatBottom, 0);
  EXPECT_GT(nozzle.axialStiffness, 0.0f);  // the springs are computed
  const int miscellaneous = LineOf(text, "#$ MISCEL_1");
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(miscellaneous + 2) +
                              ": the nozzle at node 40 takes the vessel modulus 3.0e7 psi (the file gives none): "
                              "enter its own"));
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(miscellaneous + 5) +
                              ": nozzle at node 555, which no element makes: not taken"));
  // The force at 40 goes on a row of its own after the nozzle.
  const int forceRow = RowWith(model, 40, DataType::Force);
  EXPECT_GT(forceRow, nozzleRow);
  EXPECT_EQ(model.row(forceRow).elementType, ElementType::Location);

  const auto& anchor = static_cast<const Anchor&>(*model.row(RowWith(model, 50, DataType::Anchor)).item);
  ASSERT_TRUE(anchor.displacements.sets);
  EXPECT_EQ(anchor.displacements.flags[0], 1);
  EXPECT_EQ(anchor.displacements.flags[2], 1);
  EXPECT_EQ(anchor.displacements.flags[3], 0);
  EXPECT_FLOAT_EQ(anchor.displacements.sets->values[1], 1.0f);
  EXPECT_FLOAT_EQ(anchor.displacements.sets->values[3], 3.0f);
  EXPECT_FLOAT_EQ(anchor.displacements.sets->values[4], 0.5f);  // degrees as they stand
  EXPECT_FLOAT_EQ(anchor.displacements.sets->values[6], 0.0f);  // 9999.99: free, held
  EXPECT_FLOAT_EQ(anchor.displacements.sets->values[7], 4.0f);
  ASSERT_TRUE(nozzle.displacements.sets);
  EXPECT_FLOAT_EQ(nozzle.displacements.sets->values[1], 0.25f);
  const int displacements = LineOf(text, "#$ DISPLMNT");
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(displacements + 1) +
                              ": the free directions (9999.99) of the displacements at node 50 are held by its "
                              "anchor or nozzle"));
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(displacements + 21) +
                              ": the displacements at node 20 have no anchor or nozzle to take them: not taken"));

  const auto weldAt = [&](NodeId node) -> int {
    const int row = RowWith(model, node, DataType::Weld);
    return row == 0 ? -1 : static_cast<const Weld&>(*model.row(row).item).type;
  };
  EXPECT_EQ(weldAt(20), 1);
  EXPECT_EQ(weldAt(40), 4);
  EXPECT_EQ(weldAt(50), 2);
  EXPECT_EQ(weldAt(10), 3);
  EXPECT_NE(RowWith(model, 30, DataType::ThreadedJoint), 0);
  const int bare = RowWith(model, 20, DataType::UserSif);
  ASSERT_NE(bare, 0);
  EXPECT_EQ(static_cast<const UserSif&>(*model.row(bare).item).inPlaneSif, 0.0f);
  const int sifs = LineOf(text, "#$ SIF&TEES");
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(sifs + 1 + 6 * 5) +
                              ": SIF type 8 at node 20 becomes a user SIF without values: enter them"));
  const int user = RowWith(model, 40, DataType::UserSif);
  ASSERT_NE(user, 0);
  EXPECT_FLOAT_EQ(static_cast<const UserSif&>(*model.row(user).item).inPlaneSif, 1.5f);
  EXPECT_FLOAT_EQ(static_cast<const UserSif&>(*model.row(user).item).outPlaneSif, 1.2f);
}

TEST_F(CiiImportTest, AnElementBeforeTheOneItStartsFromIsPlacedThroughTheChainOfElements) {
  CiiSample sample;
  const auto element = [&](int from, int to, double dx, double dy, double dz) {
    CiiSampleElement e;
    e.from = from;
    e.to = to;
    e.dx = dx;
    e.dy = dy;
    e.dz = dz;
    sample.elements.push_back(e);
  };
  element(10, 20, 100, 0, 0);
  element(30, 40, 0, 50, 0);   // 30 is reached only by the next element
  element(20, 30, 0, 0, 70);
  element(200, 210, 10, 0, 0);  // joined to nothing
  const std::string text = sample.Text();
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Read(text, model, &log), "");
  const int node40 = FindNodeIndex(model.nodes, 40);
  ASSERT_NE(node40, 0);
  EXPECT_FLOAT_EQ(model.nodes[node40].x, 100.0f);
  EXPECT_FLOAT_EQ(model.nodes[node40].y, 50.0f);
  EXPECT_FLOAT_EQ(model.nodes[node40].z, 70.0f);
  const int node30 = FindNodeIndex(model.nodes, 30);
  EXPECT_FLOAT_EQ(model.nodes[node30].z, 70.0f);
  const int elements = LineOf(text, "#$ ELEMENTS");
  EXPECT_TRUE(Logged(log, "Line " + std::to_string(elements + 1 + 3 * 11) +
                              ": element 200-210 starts at a node no element joins to a placed node: it starts at "
                              "the origin"));
  for (const std::string& entry : log) EXPECT_EQ(entry.find("element 30-40"), std::string::npos) << entry;
}

TEST_F(CiiImportTest, TheElementThatWouldMakeRow7001IsRefusedOnItsLine) {
  CiiSample sample;
  for (int i = 1; i <= 6999; ++i) {
    CiiSampleElement e;
    e.from = i;
    e.to = i + 1;
    e.dx = 12;
    sample.elements.push_back(e);
  }
  const std::string text = sample.Text();
  // The title, the From row and 6998 elements fill the 7000 rows.
  const int line = LineOf(text, "#$ ELEMENTS") + 1 + 6998 * 11;
  Model model;
  EXPECT_EQ(Read(text, model), LineError(text, line, "Maximum number of elements exceeded"));
}

}  // namespace
