// The piping neutral file reader: units and their Metric scaling, the
// section lines, the element and support records with their values against
// hand values, every refusal with its line and the units left as they were,
// and the log entry of everything passed over.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "elements/CutPipe.h"
#include "elements/Reducer.h"
#include "elements/Valve.h"
#include "files/BatchExport.h"
#include "files/BatchTesting.h"
#include "files/NeutralImport.h"
#include "loads/Force.h"
#include "model/LayoutRow.h"
#include "model/Nodes.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/Hanger.h"
#include "supports/LimitStop.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"

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

// A friction coefficient below 0 (of ONEWAY or LIMITSTOP) would push the
// pipe along its movement: it is not taken, the stop keeps none, and the log
// says so with its line; one of at least 0 is taken. The model's own batch
// export then reads back.
// A T2 or T3 given on either side of 70 F puts its pair in use, as in a
// batch file: a cold operating temperature is a thermal load as a hot one
// is. 70 F, "*" and a written 0 give none.
TEST_F(NeutralImportTest, AColdOperatingTemperatureIsAThermalLoadInUse) {
  struct Case {
    const char* loads;
    std::int32_t count;
  };
  const Case kCases[] = {
      {"LOAD L1 400 150 -20 0\n", 2},
      {"LOAD L1 400 150 20\n", 2},
      {"LOAD L1 -50 100 * * -320 50\n", 3},
      {"LOAD L1 400 150\nLOAD L2 300 100 300\nLOAD L3 300 100 * * 80\n", 3},
      {"LOAD L1 400 150 70 0 70 0\n", 1},
      {"LOAD L1 400 150 0 0 0 0\n", 1},
  };
  for (const Case& c : kCases) {
    Model model;
    ASSERT_EQ(Read(std::string("TITLE Loads\nUNIT ENGLISH\n") + c.loads, model), "") << c.loads;
    EXPECT_EQ(model.options.ThermalLoadCount, c.count) << c.loads;
  }
}

TEST_F(NeutralImportTest, ANegativeFrictionIsNotTakenAndTheLogSaysSo) {
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Read(std::string(kHeader) +
                     "FROM A 0 0 0 S1 CS L1\nTO B 100 0 0\nTO C 0 100 0\nTO D 0 0 50\n"
                     "ONEWAY B * -Y -0.3\nLIMITSTOP C * * 2 3 -0.25\nONEWAY D * +Y 0.4\n",
                 model, &log),
            "");
  ASSERT_EQ(model.rowCount, 8);
  const auto& oneWay = static_cast<LimitStop&>(*model.row(6).item);
  EXPECT_EQ(oneWay.frictionCoefficient, 0.0f);
  EXPECT_EQ(oneWay.dirY, 1.0f);  // the stop itself is taken
  EXPECT_EQ(static_cast<LimitStop&>(*model.row(7).item).frictionCoefficient, 0.0f);
  EXPECT_FLOAT_EQ(static_cast<LimitStop&>(*model.row(8).item).frictionCoefficient, 0.4f);
  EXPECT_TRUE(Logged(log, "Line 10: the friction coefficient -0.3 is not taken: a friction coefficient is at least 0"));
  EXPECT_TRUE(
      Logged(log, "Line 11: the friction coefficient -0.25 is not taken: a friction coefficient is at least 0"));
  for (const std::string& entry : log) EXPECT_EQ(entry.find("friction coefficient 0.4"), std::string::npos) << entry;
  std::vector<std::string> leftOut;
  const std::string batch = WriteModelBatchText(model, BatchExportUnits::English, leftOut);
  Model again;
  EXPECT_EQ(Import(batch, again), "") << batch;
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
      // The "(" opens a group that takes the rest of the line: the name it
      // ends is refused for the "(", not for the length of the line.
      {"MATERIAL P(1 carbon 0.283 0.3\n",
       LineError(1, "MATERIAL P(1 carbon 0.283 0.3", "Material name should be alpha-numeric") + " :  P(1"},
      {"PIPE S(1 8 40 8.625 0.322\n",
       LineError(1, "PIPE S(1 8 40 8.625 0.322", "Section name should be alpha-numeric") + " :  S(1"},
      {"LOAD L(1 300 150\n", LineError(1, "LOAD L(1 300 150", "Load name should be alpha-numeric") + " :  L(1"},
      // An element of no length, as the batch import and every cell refuse.
      {"FROM A 0 0 0\nTO B 10 0 0\nTO C 0 0 0\n", LineError(3, "TO C 0 0 0", "This element has zero length")},
      {"MATERIAL CS x 0.28 0.5\n", LineError(1, "MATERIAL CS x 0.28 0.5", "Invalid Poisson's ratio") + " :  0.5"},
      {"LOAD L1 -500 0\n", LineError(1, "LOAD L1 -500 0", "Invalid T1") + " :  -500"},
      {"GLOBAL B31.3 -500\n", LineError(1, "GLOBAL B31.3 -500", "Invalid temperature") + " :  -500"},
      {"LOAD L1 300\n", LineError(1, "LOAD L1 300", "P1 is required")},
      {"FROM A\nTO B x 0 0\n", LineError(2, "TO B x 0 0", "Invalid DX") + " :  X"},
      {"FROM A\nTO B 1 0 0\nTEE B BRANCH\n", LineError(3, "TEE B BRANCH", "For Branch Connection, radius is required")},
      {"FROM A\nTO B 1 0 0\nSIF B 0.9\n", LineError(3, "SIF B 0.9", "Invalid inplane SIF") + " :  0.9"},
      {"FROM A\nTO B 1 0 0\nGUIDE B * nan\n", LineError(3, "GUIDE B * nan", "Invalid spring rate") + " :  NAN"},
      // No model file holds a cut-off frequency below 1 Hz.
      {"GLOBAL B31.3 70 * * * 0\n", LineError(1, "GLOBAL B31.3 70 * * * 0", "Invalid cut-off frequency") + " :  0"},
      {"GLOBAL B31.3 70 * * * -5\n", LineError(1, "GLOBAL B31.3 70 * * * -5", "Invalid cut-off frequency") + " :  -5"},
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

// The section, material and load names of FROM and TO records keep the
// rules of the PIPE, MATERIAL and LOAD lines and name a record an earlier
// line defined: a name the model file cannot keep would make a model no
// Save takes, one holding a zero byte a row that takes the row before's.
TEST_F(NeutralImportTest, FromAndToNamesKeepTheRulesOfThePropertyLines) {
  using namespace std::string_literals;
  const struct {
    std::string line, message, detail;
  } cases[] = {
      {"FROM A 0 0 0 STITLE", "Section name should be <= 5 characters", "STITLE"},
      {"FROM A 0 0 0 S1 CARBON", "Material name should be <= 5 characters", "CARBON"},
      {"FROM A 0 0 0 S1 CS LOAD12", "Load name should be <= 5 characters", "LOAD12"},
      {"TO B 10 0 0 * SECTION2", "Section name should be <= 5 characters", "SECTION2"},
      {"TO B 10 0 0 * S1 C\0S"s, "Material name should be alpha-numeric", "C<00>S"},
      {"TO B 10 0 0 * S9", "Section name is not defined", "S9"},
      {"TO B 10 0 0 * S1 CS L2", "Load name is not defined", "L2"},
  };
  const int first = 6;  // the five header lines, then FROM
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const bool from = c.line.rfind("FROM", 0) == 0;
    const std::string text = std::string(kHeader) + (from ? "" : "FROM A 0 0 0\n") + c.line + "\n";
    Model model;
    EXPECT_EQ(Read(text, model), LineError(from ? first : first + 1, c.line, c.message) + " :  " + c.detail);
  }
  Model model;
  EXPECT_EQ(Read(std::string(kHeader) + "FROM A 0 0 0 S1 CS L1\nTO B 10 0 0\n", model), "");
  EXPECT_EQ(model.row(3).section, "S1");  // the title's row, FROM, then TO
  EXPECT_EQ(model.row(3).load, "L1");
}

// Rows reach a table's first record of a name: a material of a name given
// again is left out, and the log says so.
TEST_F(NeutralImportTest, AMaterialOfANameGivenAgainIsLeftOut) {
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Read("TITLE t\nMATERIAL CS carbon 0.283 0.3\nMATERIAL CS other 0.290 0.3\n", model, &log), "");
  ASSERT_EQ(model.materials.count, 1);
  EXPECT_EQ(model.materials[1].description, "CARBON");
  EXPECT_EQ(model.materials[1].density, 0.283f);
  EXPECT_TRUE(Logged(log, "Line 3: material CS is defined again: the line is not taken"));
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
      "INCLINED B * * 30 60\n"
      "VALVE Z * 100\n"
      "GUIDE B SOMEWHERE\n"
      "COD\n"
      "TO C 10 0 0\n";
  ASSERT_EQ(Read(text, model, &log), "");
  EXPECT_EQ(model.rowCount, 4);
  const std::vector<std::string> expected = {
      "Line 12: 1 lines after COD are not read",
      "Line 2: piping code WHATEVER is not known: B31.1 taken in its place",
      "Line 2: the F factor 1.0 is not taken",
      "Line 2: the number of dynamic loads 3 is not taken",
      "Line 4: the allowable stresses of material CS are checked and not taken",
      "Line 5: ALLOWABLE of material XX, which is not defined: not taken",
      "Line 8: unknown record WIDGET: not taken",
      "Line 9: the INCLINED value 30 is not taken",
      "Line 9: the INCLINED value 60 is not taken",
      "Line 11: position SOMEWHERE is not taken: the support is at node B",
      "Line 10: VALVE at node Z, where no element starts: not taken",
  };
  for (const std::string& entry : expected) EXPECT_TRUE(Logged(log, entry)) << entry;
  EXPECT_EQ(model.options.PipingCode, 1);
}

// A text cut to what the model keeps is cut on whole characters: a UTF-8
// "É" at the cut is one character, kept whole as the program's; the log says
// so with its line.
TEST_F(NeutralImportTest, ACutTextIsLoggedAndKeepsWholeCharacters) {
  const std::string e = "\xC3\x89";  // E acute in UTF-8
  const std::string text = "TITLE " + std::string(39, 'T') + e + "X\nMATERIAL CS " + std::string(30, 'D') + e +
                           "X 0.283 0.3\nCOMMENT " + std::string(78, 'C') + e + "X\n";
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Read(text, model, &log), "");
  EXPECT_EQ(model.title, std::string(39, 'T') + "\xC9");
  EXPECT_EQ(model.materials[1].description, std::string(30, 'D') + "\xC9");
  ASSERT_EQ(model.rowCount, 2);
  EXPECT_EQ(model.row(2).element->Text(), std::string(78, 'C') + "\xC9");
  for (const char* entry : {"Line 1: the title is cut to 48 characters",
                            "Line 2: the material description is cut to 31 characters",
                            "Line 3: the comment is cut to 79 characters"})
    EXPECT_TRUE(Logged(log, entry)) << entry;
}

// NEAR and FAR name the ends of a bend's arc. On a straight pipe there are
// no such nodes: the support stands at the node the record names, the log
// says so, and the model is one whose batch export reads back.
TEST_F(NeutralImportTest, NearAndFarOffABendPutTheSupportAtTheNamedNode) {
  Model model;
  std::vector<std::string> log;
  const std::string text = std::string(kHeader) +  // lines 1 to 5
                           "FROM A 0 0 0 S1 CS L1\n"
                           "TO B 10 0 0\n"
                           "TO C 0 10 0 LONG\n"
                           "TO D 0 0 10\n"
                           "ANCHOR A\n"
                           "GUIDE B NEAR\n"      // line 11
                           "RIGID B FAR\n"       // line 12
                           "GUIDE C NEAR\n"
                           "LINESTOP C FAR\n"
                           "ANCHOR D NEAR\n";    // line 15
  ASSERT_EQ(Read(text, model, &log), "");
  const NodeId a = model.row(2).node;
  const NodeId b = a + 10, c = a + 20, d = a + 30;
  ASSERT_EQ(model.row(3).node, b);
  ASSERT_EQ(model.row(4).elementType, ElementType::Bend);
  // Rows 6 to 10: the supports, at the named node off the bend.
  EXPECT_EQ(model.row(7).dataType, DataType::Guide);
  EXPECT_EQ(model.row(7).node, b);
  EXPECT_EQ(model.row(8).dataType, DataType::Restraint);
  EXPECT_EQ(model.row(8).node, b);
  EXPECT_EQ(model.row(10).node, c + kArcFarOffset);
  EXPECT_EQ(model.row(9).node, c + kArcNearOffset);
  EXPECT_EQ(model.row(11).node, d);
  for (const char* entry : {"Line 11: position NEAR is not taken: the support is at node B",
                            "Line 12: position FAR is not taken: the support is at node B",
                            "Line 15: position NEAR is not taken: the support is at node D"})
    EXPECT_TRUE(Logged(log, entry)) << entry;
  EXPECT_FALSE(Logged(log, "Line 13: position NEAR is not taken: the support is at node C"));
  // Every support stands at a node the model has.
  for (int number = 6; number <= model.rowCount; ++number)
    EXPECT_NE(FindNodeIndex(model.nodes, model.row(number).node), 0) << "row " << number;

  // The model's own batch file reads back, with the supports where they were.
  std::vector<std::string> leftOut;
  const std::string batch = WriteModelBatchText(model, BatchExportUnits::English, leftOut);
  Model again;
  std::istringstream input(batch);
  std::vector<std::string> batchLog;
  try {
    ReadModelBatchFile(input, again, batchLog);
  } catch (const std::string& message) {
    FAIL() << message << "\n" << batch;
  }
  std::vector<NodeId> guides;
  for (int number = 1; number <= again.rowCount; ++number)
    if (again.row(number).dataType == DataType::Guide) guides.push_back(again.row(number).node);
  EXPECT_EQ(guides, (std::vector<NodeId>{b, c + kArcNearOffset}));
}

// 1 in-lb/deg is 180/pi in-lb/rad, the unit the records keep.
constexpr double kPerDegree = 180.0 / std::numbers::pi;

TEST_F(NeutralImportTest, HangersSkewedRestraintsBallJointsAndAnchorMovementsTakeTheirValues) {
  Model model;
  std::vector<std::string> log;
  const std::string text = std::string(kHeader) +
                           "FROM A 0 0 0 S1 CS L1\n"    // 2
                           "TO B 10 0 0\n"              // 3
                           "TO C 0 10 0 LONG\n"         // 4
                           "TO D 0 0 10\n"              // 5
                           "SPRING B * 100 200\n"       // 6
                           "SPRING D * * *\n"           // 7
                           "CONSTANT C NEAR 5 300\n"    // 8
                           "HANGER D\n"                 // 9
                           "LINESTOP B\n"               // 10
                           "ROTATIONAL D * 500 0 0 1\n" // 11
                           "INCLINED B * FREE\n"        // 12
                           "GUIDE C MID\n"              // 13
                           "BSJ * 1000\n"               // 14
                           "BSJ X FREE\n"               // 15
                           "TO BA14 0 0 5\n"            // 16: the file's own name beside the joints'
                           "ANCHOR A * * * * * * * 1 2 3 0.5 * * 4\n"  // 17
                           "LINESTOP C HALF\n";                         // 18
  ASSERT_EQ(Read(text, model, &log), "");
  ASSERT_EQ(model.rowCount, 18);
  const NodeId a = model.row(2).node, b = a + 10, c = a + 20, d = a + 30;

  const auto& spring = static_cast<Hanger&>(*model.row(6).item);
  EXPECT_EQ(spring.kind, kUserHanger);
  EXPECT_EQ(spring.numberOfHangers, 1);
  EXPECT_FLOAT_EQ(spring.springRate, 100.0f);
  EXPECT_FLOAT_EQ(spring.load, 200.0f);
  EXPECT_EQ(spring.loadType, 1);  // the file gives the cold load
  const auto& noRate = static_cast<Hanger&>(*model.row(7).item);
  EXPECT_FLOAT_EQ(noRate.springRate, 1.0f);  // a rate of 0 would be no spring at all
  EXPECT_FLOAT_EQ(noRate.load, 0.0f);
  EXPECT_EQ(model.row(8).node, c + kArcNearOffset);
  const auto& constant = static_cast<Hanger&>(*model.row(8).item);
  EXPECT_EQ(constant.kind, kConstantSupport);
  EXPECT_FLOAT_EQ(constant.springRate, 0.0f);
  EXPECT_FLOAT_EQ(constant.load, 0.0f);
  EXPECT_TRUE(Logged(log, "Line 12: the constant support's value 5 is not taken"));
  EXPECT_TRUE(Logged(log, "Line 12: the constant support's cold load 300 is not taken: the run finds its load"));
  const auto& designed = static_cast<Hanger&>(*model.row(9).item);
  EXPECT_EQ(designed.kind, kGrinnellCatalogue);
  EXPECT_EQ(designed.maximumLoadVariation, 25);

  // A line stop without a direction acts along the pipe at its node: A-B runs along X.
  const auto& lineStop = static_cast<SkewedRestraint&>(*model.row(10).item);
  EXPECT_EQ(lineStop.rotational, 0);
  EXPECT_EQ(lineStop.stiffness, 1.0e12f);
  EXPECT_NEAR(lineStop.dirX, 1.0f, 1e-6f);
  EXPECT_NEAR(lineStop.dirY, 0.0f, 1e-6f);
  EXPECT_NEAR(lineStop.dirZ, 0.0f, 1e-6f);
  const auto& rotational = static_cast<SkewedRestraint&>(*model.row(11).item);
  EXPECT_EQ(rotational.rotational, 1);
  EXPECT_NEAR(rotational.stiffness, 500.0 * kPerDegree, 0.05);
  EXPECT_EQ(rotational.dirZ, 1.0f);
  EXPECT_EQ(rotational.dirX, 0.0f);
  const auto& inclined = static_cast<SkewedRestraint&>(*model.row(12).item);
  EXPECT_EQ(inclined.stiffness, 1.0f);  // FREE

  // A position that is no end of the bend is the point half way round it.
  EXPECT_EQ(model.row(13).node, c + 5);
  const auto& bend = static_cast<Bend&>(*model.row(4).element);
  EXPECT_EQ(bend.intermediateNode1, c + 5);
  EXPECT_NEAR(bend.angle1, std::numbers::pi / 4.0, 1e-5);
  EXPECT_NE(FindNodeIndex(model.nodes, c + 5), 0);
  // Half way round the bend from +Y to +Z the pipe runs along (0, 1, 1) / sqrt 2.
  const auto& onArc = static_cast<SkewedRestraint&>(*model.row(18).item);
  EXPECT_EQ(model.row(18).node, c + 5);
  EXPECT_NEAR(onArc.dirX, 0.0f, 1e-5f);
  EXPECT_NEAR(onArc.dirY, std::sqrt(0.5f), 1e-5f);
  EXPECT_NEAR(onArc.dirZ, std::sqrt(0.5f), 1e-5f);

  // Ball joints at nodes of their own; the file's name "BA14" is another node.
  ASSERT_EQ(model.row(14).elementType, ElementType::BallJoint);
  const auto& joint = static_cast<BallJoint&>(*model.row(14).element);
  EXPECT_NEAR(joint.bendingStiffness, 1000.0 * kPerDegree, 0.1);
  EXPECT_NEAR(joint.torsionalStiffness, 1000.0 * kPerDegree, 0.1);
  EXPECT_EQ(joint.bendingRotationLimit, 1.0e30f);
  EXPECT_NEAR(static_cast<BallJoint&>(*model.row(15).element).bendingStiffness, kPerDegree, 1e-4);
  EXPECT_TRUE(Logged(log, "Line 19: the BSJ value X is not taken"));
  EXPECT_NE(model.row(14).node, model.row(15).node);
  EXPECT_NE(model.row(16).node, model.row(14).node);
  EXPECT_NE(model.row(16).node, model.row(15).node);
  for (NodeId node : {b, d}) EXPECT_NE(model.row(14).node, node);

  const auto& anchor = static_cast<Anchor&>(*model.row(17).item);
  for (float k : anchor.stiffness) EXPECT_EQ(k, 1.0e12f);
  EXPECT_EQ(anchor.displacements.flags[0], 1);
  EXPECT_EQ(anchor.displacements.flags[1], 1);
  EXPECT_EQ(anchor.displacements.flags[2], 0);
  ASSERT_TRUE(anchor.displacements.sets);
  const auto& values = anchor.displacements.sets->values;
  EXPECT_FLOAT_EQ(values[1], 1.0f);  // inch
  EXPECT_FLOAT_EQ(values[3], 3.0f);
  EXPECT_EQ(values[4], 0.5f);  // degrees, as typed
  EXPECT_FLOAT_EQ(values[5], 0.0f);
  EXPECT_FLOAT_EQ(values[7], 4.0f);  // set 2: its dx alone

  // A line stop where no pipe runs keeps no direction, and says so.
  Model lone;
  std::vector<std::string> loneLog;
  ASSERT_EQ(Read("FROM A\nLINESTOP A\n", lone, &loneLog), "");
  EXPECT_TRUE(Logged(loneLog, "Row 2: the skewed restraint at node " + std::to_string(lone.row(1).node) +
                                  " finds no pipe direction: enter its direction"));

  // In a Metric file the movements are centimetres and the rotational
  // stiffness kg-m/deg.
  Model metric;
  ASSERT_EQ(Read("UNIT METRIC\nFROM A\nTO B 100 0 0\nANCHOR A * * * * * * * 1\nBSJ * 1\n", metric), "");
  const auto& moved = static_cast<Anchor&>(*metric.row(3).item);
  EXPECT_NEAR(moved.displacements.sets->values[1], 10.0f / 25.4f, 1e-5f);
  EXPECT_NEAR(static_cast<BallJoint&>(*metric.row(4).element).bendingStiffness, kPerDegree / 0.011521246, 0.05);
}

TEST_F(NeutralImportTest, SecondPassTurnsPipesIntoValvesCutPipesReducersAndBellows) {
  Model model;
  std::vector<std::string> log;
  const std::string text =
      "PIPE S1 8 40 8.625 0.322\n"
      "PIPE S2 6 40 6.625 0.28\n"
      "FROM A 0 0 0 S1\n"                              // 1
      "TO B 10 0 0\n"                                  // 2
      "TO C 10 0 0\n"                                  // 3
      "TO D 10 0 0\n"                                  // 4
      "TO E 10 0 0 * S2\n"                             // 5
      "TO F 10 0 0\n"                                  // 6
      "TO G 0 10 0 LONG\n"                             // 7
      "TO H 0 0 10\n"                                  // 8
      "VALVE A * 150 2.0\n"                            // line 11
      "CUT B 0.5\n"                                    // 12
      "REDUCER D\n"                                    // 13
      "BELLOW E 20 50 1000 500 * 2000 * 300\n"         // 14
      "CUT H 1\n"                                      // 15: nothing starts at H
      "VALVE F 1 100\n";                               // 16: the bend starts at F
  ASSERT_EQ(Read(text, model, &log), "");
  ASSERT_EQ(model.rowCount, 8);
  ASSERT_EQ(model.row(2).elementType, ElementType::Valve);
  const auto& valve = static_cast<Valve&>(*model.row(2).element);
  EXPECT_FLOAT_EQ(valve.weight, 150.0f);
  EXPECT_FLOAT_EQ(valve.insulationWeightMultiplier, 2.0f);
  EXPECT_FLOAT_EQ(valve.thicknessMultiplier, 3.0f);
  ASSERT_EQ(model.row(3).elementType, ElementType::CutPipe);
  EXPECT_FLOAT_EQ(static_cast<CutPipe&>(*model.row(3).element).cut, 0.5f);
  ASSERT_EQ(model.row(5).elementType, ElementType::Reducer);
  const auto& reducer = static_cast<Reducer&>(*model.row(5).element);
  EXPECT_FLOAT_EQ(reducer.od1, 8.625f);
  EXPECT_FLOAT_EQ(reducer.thk1, 0.322f);
  EXPECT_FLOAT_EQ(reducer.od2, 6.625f);
  EXPECT_FLOAT_EQ(reducer.thk2, 0.28f);
  ASSERT_EQ(model.row(6).elementType, ElementType::Bellows);
  const auto& bellows = static_cast<Bellows&>(*model.row(6).element);
  EXPECT_FLOAT_EQ(bellows.weight, 20.0f);
  EXPECT_FLOAT_EQ(bellows.pressureThrustArea, 50.0f);
  EXPECT_FLOAT_EQ(bellows.axialStiffness, 1000.0f);
  EXPECT_FLOAT_EQ(bellows.lateralStiffness, 500.0f);
  EXPECT_NEAR(bellows.bendingStiffness, 2000.0 * kPerDegree, 0.5);
  EXPECT_NEAR(bellows.torsionalStiffness, 300.0 * kPerDegree, 0.05);
  EXPECT_EQ(model.row(7).elementType, ElementType::Bend);
  EXPECT_TRUE(Logged(log, "Line 15: CUT at node H, where no element starts: not taken"));
  EXPECT_TRUE(Logged(log, "Line 16: VALVE at node F: the element starting there is no straight pipe: not taken"));

  // A bellows record that ends early keeps the rigid bending default;
  // Metric areas are square centimetres and cut lengths centimetres.
  Model metric;
  ASSERT_EQ(Read("UNIT METRIC\nFROM A\nTO B 100 0 0\nTO C 100 0 0\nBELLOW A * 10\nCUT B 1\n", metric), "");
  const auto& short_ = static_cast<Bellows&>(*metric.row(2).element);
  EXPECT_NEAR(short_.pressureThrustArea, 1000.0f / 645.16f, 1e-4f);
  EXPECT_EQ(short_.bendingStiffness, 1.0e12f);
  EXPECT_EQ(short_.axialStiffness, 0.0f);
  EXPECT_NEAR(static_cast<CutPipe&>(*metric.row(3).element).cut, 10.0f / 25.4f, 1e-5f);
}

TEST_F(NeutralImportTest, RefusalsOfTheNewRecordsNameTheirLineAndLeaveTheUnitsAsTheyWere) {
  const std::string run = "PIPE S1 8 40 8.625 0.322\nFROM A 0 0 0 S1\nTO B 1 0 0\nTO C 1 0 0\n";
  struct Case {
    std::string line;
    std::string message;
    std::string detail;
  };
  const Case cases[] = {
      {"SPRING B * X", "Invalid spring rate", "X"},
      {"SPRING B * 100 Y", "Invalid cold load", "Y"},
      {"LINESTOP B * Z", "Invalid translational stiffness", "Z"},
      {"ROTATIONAL B * Q", "Invalid rotational stiffness", "Q"},
      {"ROTATIONAL B * 1 R", "Invalid xcomp", "R"},
      {"ROTATIONAL B * 1 0 S", "Invalid ycomp", "S"},
      {"BSJ * K", "Invalid stiffness ky", "K"},
      {"ANCHOR B * * * * * * * D", "Invalid displacement x", "D"},
      {"ANCHOR B * * * * * * * 1 2 3 R", "Invalid rot. displacement x", "R"},
      {"ANCHOR B * * * * * * * 1 2 3 0 0 0 1 2 W", "Invalid displacement z", "W"},
      {"VALVE A * W", "Invalid Valve weight", "W"},
      {"VALVE A * 1 M", "Invalid insulation factor", "M"},
      {"CUT B 0", "Cut value required", ""},
      {"CUT B -1", "Cut value required", ""},
      {"BELLOW A * * A", "Invalid axial stiffness", "A"},
      {"BELLOW A * * * L", "Invalid lateral stiffness", "L"},
      {"BELLOW A * * * * * B", "Invalid bending stiffness", "B"},
      {"BELLOW A * * * * * * * T", "Invalid torsional stiffness", "T"},
      {"BELLOW A * -5", "Invalid insulation factor", "-5"},
      {"REDUCER A", "The element before the reducer has no pipe section", "*"},
      {"BELLOW", "BELLOW needs a node", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    g_UnitsSettings.unit[kUnitForce] = 1;  // the user's own choice
    const UnitsSettings before = g_UnitsSettings;
    Model model;
    std::string expected = LineError(5, c.line, c.message);
    if (!c.detail.empty()) expected += " :  " + c.detail;
    EXPECT_EQ(Read(run + c.line + "\n", model), expected);
    for (int kind = 0; kind <= kUnitKindCount; ++kind) EXPECT_EQ(g_UnitsSettings.unit[kind], before.unit[kind]);
  }
  // A reducer whose own section is unknown: no end takes a zero diameter.
  // A name no PIPE line defined is refused on its own line, before the
  // reducer could take it.
  Model model;
  const std::string unknown = "PIPE S1 8 40 8.625 0.322\nFROM A 0 0 0 S1\nTO B 1 0 0\nTO C 1 0 0 * S9\nREDUCER B\n";
  EXPECT_EQ(Read(unknown, model), LineError(4, "TO C 1 0 0 * S9", "Section name is not defined") + " :  S9");
}

TEST_F(NeutralImportTest, TheRowThatWouldBeRow7001IsRefused) {
  std::string text = "FROM N0\n";
  for (int i = 1; i < 7000; ++i) text += "TO N" + std::to_string(i) + " 1 0 0\n";
  Model model;
  ASSERT_EQ(Read(text, model), "");
  EXPECT_EQ(model.rowCount, 7000);
  Model over;
  EXPECT_EQ(Read(text + "BSJ\n", over), LineError(7001, "BSJ", "Maximum number of rows exceeded"));
}

}  // namespace
