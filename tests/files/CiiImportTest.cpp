// The CAESAR II neutral file reader: the version rule, counts and indexes
// checked before use, every refusal with its line and the units left as
// they were, the conversion's values against hand values, and the log of
// everything not taken.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "BatchTesting.h"
#include "CiiSample.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "files/CiiImport.h"
#include "loads/Force.h"
#include "model/LayoutRow.h"
#include "supports/Anchor.h"
#include "supports/Hanger.h"
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

}  // namespace
