// The piping neutral file reader: units and their Metric scaling, the
// section lines, the element and support records with their values against
// hand values, every refusal with its line and the units left as they were,
// and the log entry of everything passed over.
#include <gtest/gtest.h>

#include <sstream>

#include "BatchTesting.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CommentData.h"
#include "files/NeutralImport.h"
#include "loads/Force.h"
#include "model/LayoutRow.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/Restraint.h"

namespace {

class NeutralImportTest : public BatchFixture {
 protected:
  static std::string Read(const std::string& text, Model& model, std::vector<std::string>* log = nullptr) {
    std::istringstream input(text);
    std::vector<std::string> warnings;
    try {
      ReadPnfFile(input, model, warnings);
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
};

const char* const kHeader =
    "TITLE Neutral plant\n"
    "GLOBAL B31.3 70\n"
    "MATERIAL CS carbon 0.283 0.3\n"
    "LOAD L1 300 150\n"
    "PIPE S1 8 40 8.625 0.322\n";

TEST_F(NeutralImportTest, EnglishRunGivesRowsNodesBendAndSupportValues) {
  Model model;
  std::vector<std::string> log;
  const std::string text = std::string(kHeader) +
                           "FROM A 0 0 0 S1 CS L1\n"
                           "TO B 100 0 0 * S1 CS L1\n"
                           "TO C 0 100 0 LONG\n"
                           "TO D 0 0 50\n"
                           "ANCHOR A\n"
                           "GUIDE C NEAR\n"
                           "RIGID B\n"
                           "LIMITSTOP D * * 2 3\n"
                           "ONEWAY B * -Y\n"
                           "FORCE D * 100 -200 0 0 0 5000\n"
                           "TEE B UNREINFORCED 0.5\n";
  ASSERT_EQ(Read(text, model, &log), "");
  ASSERT_EQ(model.rowCount, 12);
  EXPECT_EQ(model.title, "NEUTRAL PLANT ");
  EXPECT_EQ(model.options.PipingCode, 3);
  // Nodes take consecutive numbers by the increment.
  EXPECT_EQ(model.row(2).elementType, ElementType::From);
  const NodeId a = model.row(2).node;
  EXPECT_EQ(model.row(3).node, a + 10);
  EXPECT_EQ(model.row(4).node, a + 20);
  EXPECT_EQ(model.row(4).elementType, ElementType::Bend);
  EXPECT_EQ(static_cast<Bend&>(*model.row(4).element).radiusType, kBendRadiusLong);
  EXPECT_FLOAT_EQ(model.row(3).dx, 100.0f * 12.0f);  // English lengths are feet
  EXPECT_EQ(model.row(3).section, "S1");
  // The names a FROM record gives reach the first element after it.
  EXPECT_EQ(model.row(2).section, "");
  Model carried;
  ASSERT_EQ(Read(std::string(kHeader) + "FROM A 0 0 0 S1 CS L1\nTO B 1 0 0\nTO C 0 1 0\n", carried), "");
  EXPECT_EQ(carried.row(3).section, "S1");
  EXPECT_EQ(carried.row(3).material, "CS");
  EXPECT_EQ(carried.row(3).load, "L1");
  EXPECT_EQ(carried.row(4).section, "S1");  // filled from the row before when the model is made

  const auto& anchor = static_cast<Anchor&>(*model.row(6).item);
  for (float k : anchor.stiffness) EXPECT_EQ(k, 1.0e12f);
  EXPECT_EQ(model.row(7).node, a + 20 + kArcNearOffset);
  EXPECT_EQ(static_cast<Guide&>(*model.row(7).item).stiffness, 1.0e12f);  // "*" is rigid
  const auto& rigid = static_cast<Restraint&>(*model.row(8).item);
  EXPECT_EQ(rigid.restrainY, 1);
  EXPECT_EQ(rigid.restrainX + rigid.restrainZ, 0);

  const auto& stop = static_cast<LimitStop&>(*model.row(9).item);
  EXPECT_FLOAT_EQ(stop.upperLimit, 2.0f);
  EXPECT_FLOAT_EQ(stop.lowerLimit, -3.0f);
  EXPECT_EQ(stop.dirY, 1.0f);  // no direction given: vertical
  const auto& oneWay = static_cast<LimitStop&>(*model.row(10).item);
  EXPECT_EQ(oneWay.dirX, 0.0f);
  EXPECT_EQ(oneWay.dirY, 1.0f);
  EXPECT_EQ(oneWay.dirZ, 0.0f);
  EXPECT_EQ(oneWay.upperLimit, 1.0e30f);
  EXPECT_EQ(oneWay.lowerLimit, 0.0f);
  EXPECT_EQ(oneWay.stiffness, 1.0e12f);

  const auto& force = static_cast<NodalForce&>(*model.row(11).item);
  EXPECT_EQ(force.Component(0), 100.0f);
  EXPECT_EQ(force.Component(1), -200.0f);
  EXPECT_EQ(force.Component(5), 5000.0f);  // English moments are inch-pounds
  const auto& tee = static_cast<BranchSif&>(*model.row(12).item);
  EXPECT_EQ(tee.type, 2);
  EXPECT_FLOAT_EQ(tee.dimension1, 0.5f);
  EXPECT_TRUE(Logged(log, "Line 3: material CS takes a placeholder temperature table (70 F: E 3.0e7 psi, 6.0e-6 "
                          "in/in/F, 20000 psi; 1200 F: 2.0e7 psi, 8.0e-6 in/in/F, 1000 psi): enter its own"));
}

TEST_F(NeutralImportTest, MetricFileScalesCentimetresAndSiDoesNot) {
  Model metric;
  ASSERT_EQ(Read("UNIT METRIC\nPIPE S1 10 40 11.43 0.6\nFROM A\nTO B 100 0 0 * S1\nLIMITSTOP B * * 2 3\n", metric), "");
  EXPECT_NEAR(metric.row(2).dx, 1000.0f / 25.4f, 1e-3f);  // 39.37 in
  EXPECT_NEAR(metric.sections[1].outsideDiameter, 114.3f / 25.4f, 1e-4f);
  const auto& stop = static_cast<LimitStop&>(*metric.row(3).item);
  EXPECT_NEAR(stop.upperLimit, 20.0f / 25.4f, 1e-5f);
  EXPECT_NEAR(stop.lowerLimit, -30.0f / 25.4f, 1e-5f);
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], kLengthMillimetre);
  const auto label = [](int kind) { return std::string(UnitLabelAt(kind, g_UnitsSettings.unit[kind])); };
  EXPECT_EQ(label(kUnitPressure), "(kg/cm2)");
  EXPECT_EQ(label(kUnitRotStiffness), "(kg-m/deg)");
  EXPECT_EQ(label(kUnitForce), "(kg)");

  // The next import starts in the English system again: no UNIT line, no
  // centimetres.
  Model english;
  ASSERT_EQ(Read("FROM A\nTO B 100 0 0\n", english), "");
  EXPECT_FLOAT_EQ(english.row(2).dx, 1200.0f);

  Model si;
  EXPECT_EQ(label(kUnitMoment), "(in-lb)");
  EXPECT_EQ(label(kUnitLength), "(ft'in\")");
  ASSERT_EQ(Read("UNIT si\nFROM A\nTO B 100 0 0\n", si), "");
  EXPECT_NEAR(si.row(2).dx, 100.0f / 25.4f, 1e-4f);
  EXPECT_EQ(label(kUnitStress), "(MPa)");
  EXPECT_EQ(label(kUnitPressure), "(bar)");
  EXPECT_EQ(label(kUnitForce), "(N)");
}

TEST_F(NeutralImportTest, RefusalsNameTheirLineAndLeaveTheUnitsAsTheyWere) {
  struct Case {
    const char* text;
    std::string expected;
  };
  const Case cases[] = {
      {"UNIT\n", LineError(1, "UNIT", "Unit is required")},
      {"UNIT IMPERIAL\n", LineError(1, "UNIT IMPERIAL", "Invalid UNIT Type") + " :  IMPERIAL"},
      {"UNIT METRIC\nFROM A\nANCHOR B\n", LineError(3, "ANCHOR B", "No element ends at node") + " :  B"},
      {"FROM\n", LineError(1, "FROM", "FROM needs a node")},
      {"PIPE S1 2 40 2.375 1.2\n", LineError(1, "PIPE S1 2 40 2.375 1.2", "Thickness is greater than radius")},
      {"PIPE S1 2 40 2.375 0.2 0.2\n",
       LineError(1, "PIPE S1 2 40 2.375 0.2 0.2", "Corrosion allowance is >= wall thickness")},
      {"MATERIAL CARBON\n", LineError(1, "MATERIAL CARBON", "Material name should be <= 5 characters") + " :  CARBON"},
      {"MATERIAL CS x 0.28 0.5\n", LineError(1, "MATERIAL CS x 0.28 0.5", "Invalid Poisson's ratio") + " :  0.5"},
      {"LOAD L1 -500 0\n", LineError(1, "LOAD L1 -500 0", "Invalid T1") + " :  -500"},
      {"LOAD L1 300\n", LineError(1, "LOAD L1 300", "P1 is required")},
      {"FROM A\nTO B x 0 0\n", LineError(2, "TO B x 0 0", "Invalid DX") + " :  X"},
      {"FROM A\nTO B 1 0 0\nTEE B BRANCH\n", LineError(3, "TEE B BRANCH", "For Branch Connection, radius is required")},
      {"FROM A\nTO B 1 0 0\nSIF B 0.9\n", LineError(3, "SIF B 0.9", "Invalid inplane SIF") + " :  0.9"},
      {"FROM A\nTO B 1 0 0\nGUIDE B * nan\n", LineError(3, "GUIDE B * nan", "Invalid spring rate") + " :  NAN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    g_UnitsSettings.unit[kUnitForce] = 1;  // the user's own choice
    const UnitsSettings before = g_UnitsSettings;
    Model model;
    EXPECT_EQ(Read(c.text, model), c.expected);
    for (int kind = 0; kind <= kUnitKindCount; ++kind) EXPECT_EQ(g_UnitsSettings.unit[kind], before.unit[kind]);
  }
}

TEST_F(NeutralImportTest, EverythingNotTakenIsLoggedWithItsLine) {
  Model model;
  std::vector<std::string> log;
  const std::string text =
      "* a comment line\n"
      "GLOBAL WHATEVER 70 1.0 1.0 3\n"
      "MATERIAL CS\n"
      "ALLOWABLE CS 70 20000\n"
      "ALLOWABLE XX 70 20000\n"
      "FROM A\n"
      "TO B 10 0 0\n"
      "WIDGET B\n"
      "SPRING B * 100 200\n"
      "VALVE A * 100\n"
      "GUIDE B SOMEWHERE\n"
      "COD\n"
      "TO C 10 0 0\n";
  ASSERT_EQ(Read(text, model, &log), "");
  EXPECT_EQ(model.rowCount, 3);
  const std::vector<std::string> expected = {
      "Line 12: 1 lines after COD are not read",
      "Line 2: piping code WHATEVER is not known: B31.1 taken in its place",
      "Line 2: the F factor 1.0 is not taken",
      "Line 2: the number of dynamic loads 3 is not taken",
      "Line 4: the allowable stresses of material CS are checked and not taken",
      "Line 5: ALLOWABLE of material XX, which is not defined: not taken",
      "Line 8: unknown record WIDGET: not taken",
      "Line 9: SPRING records are not imported yet: the record is not taken",
      "Line 11: position SOMEWHERE is not taken: the support is at node B",
      "Line 10: VALVE records are not imported yet: the record is not taken",
  };
  for (const std::string& entry : expected) EXPECT_TRUE(Logged(log, entry)) << entry;
  EXPECT_EQ(model.options.PipingCode, 1);
}

}  // namespace
