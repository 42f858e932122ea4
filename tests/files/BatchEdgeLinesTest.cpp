// The edge lines of every section: one table of refused lines with their
// whole messages and line numbers, then the records and settings that
// accepted lines leave (units and code, temperature rows, pipe loads with
// their design values, soils, sections, beam tables, seismic, wind, layout
// rows with bends, anchors, restraints, names in force, continuation lines
// and the row limit).
#include <gtest/gtest.h>

#include "elements/Bend.h"
#include "elements/BranchSif.h"
#include "files/BatchSections.h"
#include "files/BatchTesting.h"
#include "model/RowObjects.h"
#include "records/LoadCaseList.h"
#include "services/LoadCaseTypes.h"
#include "services/NumberText.h"
#include "supports/Anchor.h"
#include "supports/Restraint.h"

namespace {

// The properties a LAYOUT line names, the LAYOUT header and a first row.
#define LAYOUT_PREFIX                                                                                   \
  "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,800,24.2E6,7.65E-6,10800\nPIPE\nS1,8.625,0.322\n" \
  "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1"

struct Refusal {
  const char* before;  // the lines between the title and the refused line
  const char* line;
  const char* message;  // "<message>" or "<message> :  <field>"
};

const Refusal kRefusals[] = {
    {"OPTIONS", "SI,NAVY", "NAVY code is presently not available"},
    {"OPTIONS", "B313 SE", "SE option is presently not available"},
    {"MATERIAL", ",0.283", "Material name is required"},
    {"MATERIAL", "STEEL1,0.283", "Material name should be <= 5 characters :  STEEL1"},
    {"MATERIAL", "A.1,0.283", "Material name should be alpha-numeric :  A.1"},
    {"MATERIAL", "A1,0.283,0.5", "Invalid Poisson's ratio :  0.5"},
    {"MATERIAL", "A1,0.283,0.3,1,1,ZZ", "Invalid material type :  ZZ"},
    // Cut to the two characters the model file keeps, CSX would be CS.
    {"MATERIAL", "A1,0.283,0.3,1,1,CSX", "Invalid material type :  CSX"},
    {"MATERIAL\nA1,0.283", "A1,0.283", "Elastic modulus is required"},
    {"MATERIAL\nA1,0.283", "A1,HOT,29E6", "Invalid temperature :  HOT"},
    {"MATERIAL\nA1,0.283\nA1,70,29.5E6\nA1,200,28E6,6.4E-6", "A1,150,28.5E6",
     "Temperatures are not in ascending order"},
    {"LOADS", "L1,300", "P1 is required"},
    {"LOADS", "L1,-500,150", "Invalid T1 :  -500"},
    {"LOADS", "L1,300,150,-1", "Invalid Specific Gravity :  -1"},
    {"SOILS", "SL12,0,120,0,30,2", "Soil name should be <= 3 characters :  SL12"},
    {"SOILS", "SL1,0,0,0,30,2", "Invalid density :  0"},
    {"SOILS", "SL1,0,120,X", "Invalid ground level"},
    {"SOILS", "SL1,0,120,0,80,2", "Invalid delta value :  80"},
    {"PIPE", "S1,2,1.5", "Thickness is greater than radius"},
    {"PIPE", "S1,8.625,0.322,0.4", "Corrosion allowance is >= wall thickness"},
    {"PIPE", "S1,8.625,0.322,0,80", "Invalid mill tolerance :  80"},
    {"PIPE", "S1,8.625,0.322,0.25,25", "Corrosion allowance + mill tolerance is too large"},
    // Below the wall, but what is left of it is under 0.0001 in.
    {"PIPE", "S1,8.625,0.322,0.32195", "Corrosion allowance + mill tolerance is too large"},
    {"PIPE", "S1,8.625,0.322,0,12.5,,,,,SL1", "Soil not defined :  SL1"},
    {"BMATERIALS", "B1,-29E6", "Invalid youngs modulus :  -29E6"},
    {"BSECTIONS", "W8,10,100", "Minor MOI is required"},
    {"BLOADS", "BL1,300,-600", "Invalid T2 :  -600"},
    {"SEISMIC", "0.1,Y", "Invalid Y seismic load :  Y"},
    {"WIND", "60,0.7", "Wind direction is required"},
    {"WIND", "60,0.7,0,0,0", "Invalid wind direction"},
    {LAYOUT_PREFIX, "T12Q", "Invalid node :  12Q"},
    {LAYOUT_PREFIX, "T*,X5", "Invalid node :  *"},
    {LAYOUT_PREFIX, "T20A,X5,KI", "Bend node should not have a suffix"},
    {LAYOUT_PREFIX, "KA,T20", "Node is not specified"},
    {LAYOUT_PREFIX, "X5", "Node is not specified"},
    {LAYOUT_PREFIX, "T20,KA,KA", "Code (K) can be specified only once"},
    {LAYOUT_PREFIX, "T20,KI,B0.005", "Invalid bend radius (B) :  0.005"},
    {LAYOUT_PREFIX, "T20,,X5", "Invalid field :  "},
    {LAYOUT_PREFIX, "T20,KA,*anchor", "Invalid field :  *ANCHOR"},
    {LAYOUT_PREFIX, "T20,KQ", "Invalid code (K)\n"},
    {LAYOUT_PREFIX, "T20,JQ", "Invalid joint code (J)"},
    {LAYOUT_PREFIX, "T20,JF", "Flexible joint (beam) is presently not available"},
    {LAYOUT_PREFIX, "T20,JB,CROTL(X,1)", "Invalid bending limit :  X"},
    {LAYOUT_PREFIX, "T20,KH,CRLIM=X", "Invalid rotation limit :  X"},
    {LAYOUT_PREFIX, "T20,X0", "This element has zero length"},
    {LAYOUT_PREFIX, "T20,KA,CFREEX", "This element has zero length"},
    {LAYOUT_PREFIX, "L98,CFY", "For Location, Node must be defined"},
    // The line after each refusal makes node 99: a Location stands only at a
    // node an earlier row made, as in the Layout.
    {LAYOUT_PREFIX, "L99,CFY", "For Location, Node must be defined"},
    // A joint and a Location have no length: an offset on their line would
    // be dropped, and on a joint every node after it would move.
    {LAYOUT_PREFIX "\nT20,X5", "T35,KH,X5,CHS=1000,DV(0,0,1)", "For a Hinge joint DX, DY, DZ should be zero :  X5"},
    {LAYOUT_PREFIX "\nT20,X5", "T35,JB,X5", "For a Ball joint DX, DY, DZ should be zero :  X5"},
    {LAYOUT_PREFIX "\nT20,X5", "T35,Y0,JB,Z-2'6", "For a Ball joint DX, DY, DZ should be zero :  Z-2'6"},
    {LAYOUT_PREFIX "\nT15,X5", "L15,X5,CFY", "For Location, DX, DY, DZ should be zero :  X5"},
    {LAYOUT_PREFIX "\nT15,X5", "L15,X0,Y-1,CFY", "For Location, DX, DY, DZ should be zero :  Y-1"},
    {LAYOUT_PREFIX "\nT20,X5", "T35*,KH,CHS=1000,DV(0,0,1)", "Hinge or Ball node can not be * :  T35*"},
    {LAYOUT_PREFIX "\nT20,X5", "T35*,JB", "Hinge or Ball node can not be * :  T35*"},
    {LAYOUT_PREFIX "\nT20,X5", "T20,Y5", "Node is same as previous node"},
    {LAYOUT_PREFIX, "T20,X5,KF,KA", "Code (K) can be specified only once"},
    {LAYOUT_PREFIX, "T20,X5,KT,CFY", "Only one data item per line is allowed\nUse Location (L) for additional items"},
    {LAYOUT_PREFIX, "T20,X5,KR,CTHK=0.2", "Fillet radius (R) is required"},
    {LAYOUT_PREFIX, "T20,X5,KR,CR=0.5", "Effective wall thickness (THK) is required"},
    {LAYOUT_PREFIX, "T20,X5,KP,CLEN=4", "Thickness (THK) is required"},
    {LAYOUT_PREFIX, "T20,X5,KP,CTHK=0.5", "Length (LEN) is required"},
    {LAYOUT_PREFIX, "T20,X5,KP,CTHK=0.0005", "Invalid Thickness :  0.0005"},
    {LAYOUT_PREFIX, "T20,X5,KP,CLEN=X", "Invalid Length :  X"},
    {LAYOUT_PREFIX, "T20,X5,KE,CCRTCH=0", "Invalid crotch radius: (CRTCH) :  0"},
    {LAYOUT_PREFIX, "T20,X5,KF,CPAD=-0.1", "Invalid pad thickness :  -0.1"},
    {LAYOUT_PREFIX, "T20,X5,KB,CR=0", "Invalid Fillet/Branch Radius :  0"},
    {LAYOUT_PREFIX, "T20,X5,KA,CDIS(0,0.0", "Unclosed parenthesis :  DIS(0,0.0"},
    {LAYOUT_PREFIX, "T20,G(1,X5", "Unclosed parenthesis :  G(1,X5"},
    {LAYOUT_PREFIX, "H,X5", "A hydrotest load row takes no node, offset or data item"},
    {LAYOUT_PREFIX, "T20,MXX", "Undefined material :  XX"},
    {LAYOUT_PREFIX, "T20,KA,CFX", "Only one data item per line is allowed\nUse Location (L) for additional items"},
    {LAYOUT_PREFIX, "T20,KI,CFY", "A bend row carries no data item\nUse Location (L) for additional items"},
    {LAYOUT_PREFIX, "T20,CXYZ=1", "Unknown comment :  XYZ=1"},
    {LAYOUT_PREFIX, "T20,CWTYPE=99", "Invalid weld type :  99"},
    {LAYOUT_PREFIX, "T20,CFIXR", "FIXR is not available"},
    {LAYOUT_PREFIX, "T20,KA,CDIS=0.1",
     "Invalid specified displacement : DIS=0.1\nDirectional entry such as DIS(0.1,0,-0.2) is required"},
    {LAYOUT_PREFIX, "T20,KA,CD=0.1",
     "Invalid specified displacement : D=0.1\nDirectional entry such as D(0.1,0,-0.2) is required"},
    {LAYOUT_PREFIX, "T20,KA,CDISX(0.1)",
     "Invalid specified displacement : DISX(0.1)\nScalar entry such as DISX=0.1 is required"},
    {LAYOUT_PREFIX, "T20,KA,CTRAK=5", "Invalid Translational Stiffness :  TRAK=5"},
    {LAYOUT_PREFIX, "T20,KA,CTRAK(1,-2,3)", "Invalid stiffness :  -2"},
    {LAYOUT_PREFIX, "T20,CF=1", "Invalid restraint : F=1\nDirectional entry such as F(1,0,1) is required"},
    {LAYOUT_PREFIX, "T20,CBMAT=ABCDEF", "Invalid bend material name :  ABCDEF"},
    {LAYOUT_PREFIX, "T20,CFF=0", "Invalid flexibility factor :  0"},
    {LAYOUT_PREFIX, "T20,CBSIF(0.9,2)", "Invalid inplane SIF :  0.9"},
    {LAYOUT_PREFIX, "T20,CIN1=5", "Invalid Intermediate Bend Node :  IN1=5"},
    {LAYOUT_PREFIX, "T20,CIN2(15,-3)", "Invalid intermediate node2 angle :  -3"},
    {LAYOUT_PREFIX, "T20,CAMB", "Reference temperature (AMB) not specified"},
    {LAYOUT_PREFIX, "T20,CL=L9", "Load not defined :  L9"},
    // Node 20 is made by row 2: its offsets would be dropped for a loop.
    {LAYOUT_PREFIX "\nT20,X10\nT30,Y10\nT40,Z10", "T20,KA,Z10", "Node 20 already exists, so DX, DY, DZ should be zero"},
    // 1.2E7 in out (1E6 ft) a coordinate moves in steps of 1: a pipe a foot
    // long is held there, the bend's arc, 6 in from its corner, is not
    // (refused on the bend's line).
    {LAYOUT_PREFIX "\nT20,X1000000", "T30,KI,Y4,B6",
     "Row 3: DX is too large:\nso far from the origin the node coordinates cannot hold the arc of the bend at node 30."},
};

class BatchEdgeLinesTest : public BatchFixture {
 protected:
  // The model of a file: a title, then `text`; the test fails on a refusal.
  const Model& Imported(const std::string& text) {
    model_ = Model();
    log_.clear();
    EXPECT_EQ(Import("Edge plant\n" + text + "\n", model_, &log_), "") << text;
    return model_;
  }
  Model model_;
  std::vector<std::string> log_;
};

TEST_F(BatchEdgeLinesTest, EveryRefusedLineGivesItsLineNumberAndMessage) {
  for (const Refusal& refusal : kRefusals) {
    const std::string before = std::string("Edge plant\n") + refusal.before + "\n";
    const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    Model model;
    EXPECT_EQ(Import(before + refusal.line + "\nLAYOUT\nT99,X1\n", model),
              LineError(line, refusal.line, refusal.message));
    EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], 0) << "the units are back after " << refusal.line;
  }
}

TEST_F(BatchEdgeLinesTest, OptionsMaterialsAndPipeLoads) {
  const Model& si = Imported("OPTIONS\nSI,B313,Z");
  EXPECT_EQ(si.options.PipingCode, 3);
  EXPECT_EQ(si.options.ZVertical, 1);
  EXPECT_EQ(si.unitChoices[kUnitLength - 1], kLengthMillimetre);
  EXPECT_EQ(si.unitChoices[kUnitPressure - 1], 1);  // bar
  EXPECT_EQ(si.unitChoices[kUnitAngle - 1], 0);     // SI leaves degrees
  EXPECT_EQ(Imported("OPTIONS\nSI\nIN RAD").unitChoices[kUnitLength - 1], kLengthInch);
  EXPECT_EQ(model_.unitChoices[kUnitAngle - 1], 1);
  EXPECT_EQ(Imported("OPTIONS\nIN,SI,NONE").unitChoices[kUnitLength - 1], kLengthMillimetre);
  EXPECT_EQ(model_.options.PipingCode, 0);
  BatchReader reader;
  reader.model = &model_;
  reader.line = "HGRC FOO";
  ParseBatchOptions(reader);
  EXPECT_EQ(reader.defaultHangerType, 12);
  EXPECT_EQ(reader.log, std::vector<std::string>{"Line 0: OPTIONS word FOO is not known and was ignored"});

  const Model& steel = Imported(
      "MATERIAL\nA1,0.283,,0.85,,CS,Carbon steel pipe to ASTM A106 B\nA1,70,29.5E6\n"
      "A1,200,28E6,6.4E-6,20000,35000,60000\nPIPES,0.1");
  const Material& a1 = steel.materials[1];
  EXPECT_EQ(std::vector<float>({a1.density, a1.nu, a1.jointFactor, a1.circJointFactor}),
            std::vector<float>({0.283f, 0.3f, 0.85f, 1.0f}));
  EXPECT_EQ(a1.type + "|" + a1.description, "CS|CARBON STEEL PIPE TO ASTM A106 ");
  ASSERT_EQ(a1.numtemps, 2);
  EXPECT_EQ(a1.temps[2].values, (std::array<float, 8>{200.0f, 28e6f, 6.4e-6f, 20000.0f, 35000.0f, 60000.0f}));
  EXPECT_EQ(steel.materials[2].name, "PIPES");  // PIPES is no header
  EXPECT_EQ(log_, (std::vector<std::string>{"Line 3: Material description cut to 31 characters"}));
  // A ratio of 0.5 and more is a fibre-reinforced plastic's, whose type
  // comes later on the line.
  EXPECT_EQ(Imported("MATERIAL\nA1,0.283,0.600,1.00,1.00,FR\nA1,70,1.6E6").materials[1].nu, 0.6f);

  // L1 leaves T2 = T3 = 70 F, P2 = P3 = 0; L2's T2 above 70 F makes two
  // thermal loads. Design values are the largest of the pairs in use.
  const Model& loads = Imported("OPTIONS\nB313\nLOADS\nL1,300,150\nL2,300,150,1.0,400,200,,,5");
  const PipeLoad& l1 = loads.pipeLoads[1];
  const PipeLoad& l2 = loads.pipeLoads[2];
  EXPECT_EQ(loads.options.ThermalLoadCount, 2);
  EXPECT_EQ(std::vector<float>({l1.operating[1].temperature, l1.operating[2].temperature, l1.operating[1].pressure,
                                l1.designTemperature, l1.designPressure}),
            std::vector<float>({70.0f, 70.0f, 0.0f, 300.0f, 150.0f}));
  EXPECT_EQ(std::vector<float>({l2.operating[2].temperature, l2.designTemperature, l2.designPressure}),
            std::vector<float>({0.0f, 400.0f, 200.0f}));  // an empty T3 reads as 0 F
  EXPECT_FLOAT_EQ(l2.additionalWeight, 5.0f / 12.0f);     // lb/ft in, lb/in held
  EXPECT_EQ(std::vector<float>({l1.operating[3].temperature, l1.operating[9].pressure}),
            std::vector<float>({70.0f, kExplicitZero}));
  EXPECT_EQ(Imported("OPTIONS\nB313\nLOADS\nL1,300,150,0,60,0,200").options.ThermalLoadCount, 3);
  EXPECT_EQ(Imported("OPTIONS\nNONE\nLOADS\nL1,300,150,0,500,0,200").options.ThermalLoadCount, 1);
  EXPECT_FLOAT_EQ(model_.pipeLoads[1].designTemperature, 300.0f);
}

// A T2 or T3 written on a LOADS line is a thermal load in use on either
// side of 70 F: a cold operating temperature gives its pair, and its load
// cases, as a hot one does. 70 F (what a missing field takes), an empty
// field and the 0 that writers of the format put in a pair not in use give
// none.
TEST_F(BatchEdgeLinesTest, AColdOperatingTemperatureIsAThermalLoadInUse) {
  struct Case {
    const char* loads;
    std::int32_t count;
  };
  const Case kCases[] = {
      {"L1,400,150,1,-20,0", 2},
      {"L1,400,150,1,20", 2},
      {"L1,-50,100,1,,,-320,50", 3},
      {"L1,400,150\nL2,300,100,1,-20", 2},
      {"L1,400,150,1,70,0,70,0", 1},
      {"L1,400,150,1,0,0,0,0", 1},
      {"L1,400,150,1,,,,,5", 1},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(Imported(std::string("OPTIONS\nB313\nLOADS\n") + c.loads).options.ThermalLoadCount, c.count)
        << c.loads;
  // -29 C is -20.2 F.
  EXPECT_EQ(Imported("OPTIONS\nB313,SI\nLOADS\nL1,200,10,1,-29").options.ThermalLoadCount, 2);
}

// The thermal loads in use are analysed: each state some load holds away
// from the reference temperature has its expansion and operating cases, and
// two states on opposite sides of it the range between them, which exceeds
// either expansion (400 F and -20 F from 70 F: 420 F against 330 F and
// 90 F); two states on one side are enveloped by the larger.
TEST_F(BatchEdgeLinesTest, EveryThermalLoadInUseHasItsLoadCases) {
  auto cases = [this](const char* loads) {
    const LoadCaseList& list = Imported(std::string("OPTIONS\nB313\nLOADS\n") + loads).loadCases;
    return std::vector<std::int32_t>(list.cases.begin() + 1, list.cases.begin() + 1 + list.count);
  };
  const std::int32_t weight = kCaseIdEmptyWeight, sustained = kCaseIdSustained;
  EXPECT_EQ(cases("L1,400,150"), (std::vector<std::int32_t>{weight, sustained, OperatingCase(1), SingleThermalCase(1)}));
  EXPECT_EQ(cases("L1,400,150,1,-20,0"),
            (std::vector<std::int32_t>{weight, sustained, OperatingCase(1), OperatingCase(2), SingleThermalCase(1),
                                       SingleThermalCase(2), ThermalRangeCase(1, 2)}));
  EXPECT_EQ(cases("L1,400,150,1,200,0"),
            (std::vector<std::int32_t>{weight, sustained, OperatingCase(1), OperatingCase(2), SingleThermalCase(1),
                                       SingleThermalCase(2)}));
  // A cold third state in one load and a hot one in another: T3's cases,
  // and the ranges to the states across the reference in the first load.
  EXPECT_EQ(cases("L1,600,150,1,650,160,20\nL2,300,50,1,338,60,300"),
            (std::vector<std::int32_t>{weight, sustained, OperatingCase(1), OperatingCase(2), OperatingCase(3),
                                       SingleThermalCase(1), SingleThermalCase(2), SingleThermalCase(3),
                                       ThermalRangeCase(1, 3), ThermalRangeCase(2, 3)}));
}

TEST_F(BatchEdgeLinesTest, SoilsSectionsBeamsSeismicAndWind) {
  const Model& m = Imported(
      "SOILS\nSL1,0,120,0,30,2\nSL2,1,110,-5,800\nPIPE\nS1,8.625,0.322,0,12.5,,,,,SL1\n"
      "S2,4.5,0.237,0.05,,11,2,40,0.125\nBMATERIALS\nB1,29E6,0.3,0.283,6.5E-6\nB2,29E6,0,0.2836\nBSECTIONS\nW8,10,100,50\n"
      "BLOADS\nBL1,300\nBL2,300,,,20\nSEISMIC\n0.1,,0.3\nWIND\n60,0,1,0,0");
  EXPECT_NEAR(m.soils[1].delta, 30.0 * 3.14159265358979 / 180.0, 1e-6);
  EXPECT_EQ(std::vector<float>({m.soils[1].Ks, m.soils[1].density, m.soils[2].groundLevel, m.soils[2].strength}),
            std::vector<float>({2.0f, 120.0f / 1728.0f, -60.0f, 800.0f}));
  EXPECT_EQ(m.soils[2].type, kSoilCohesive);
  EXPECT_EQ(m.sections[1].soil + "|" + m.sections[1].nominalSize, "SL1|Non Std");
  const PipeSection& s2 = m.sections[2];
  EXPECT_EQ(std::vector<float>({s2.corrosionAllowance, s2.insulationThickness, s2.liningDensity, s2.liningThickness}),
            std::vector<float>({0.05f, 2.0f, 40.0f / 1728.0f, 0.125f}));
  const BeamSection& w8 = m.beamSections[1];
  EXPECT_EQ(w8.Imin, 50.0f);
  EXPECT_EQ(m.beamMaterials[2].nu, 0.0f);  // a written 0 is the ratio not given, as an empty field
  EXPECT_EQ(w8.J + w8.Asmaj + w8.Asmin + w8.depth + w8.width, 0.0f);
  // A beam load's missing T2 is the reference temperature, an empty one 0 F.
  EXPECT_EQ(std::vector<float>({m.beamLoads[1].temperature[1], m.beamLoads[2].temperature[1]}),
            std::vector<float>({70.0f, 0.0f}));
  // The additional weight is a weight per length: 20 lb/ft is 20/12 lb/in.
  EXPECT_FLOAT_EQ(m.beamLoads[2].additionalWeight, 20.0f / 12.0f);
  EXPECT_EQ(m.seismic.g, (std::array<float, 3>{0.1f, 0.0f, 0.3f}));
  const WindLoad& wind = m.wind.loads[0];
  EXPECT_EQ(wind.shapeFactor, 0.6f);
  EXPECT_EQ(wind.direction, (std::array<float, 3>{1.0f, 0.0f, 0.0f}));
  ASSERT_EQ(wind.velocityProfile.size(), 1u);
  EXPECT_EQ(wind.velocityProfile[0].value, 60.0f);
}

TEST_F(BatchEdgeLinesTest, LayoutRowsBendsAnchorsAndRestraints) {
  const Model& m =
      Imported(LAYOUT_PREFIX
               "\nT30*,X12\nT40 G1 Y-2'6 Z3\"\nT50,KI,T60,X1\n*Header, lower case kept\n"
               "T70,KI,B0.01,X5,CBTHK=0.5,BMAT=A1,FF=2,IN1(15,30),BSIF(2,1.5)\nT80,Z5\n"
               "T90,X5,KA,CDIS(0.1,,-0.2),ROTX(0.1),SEIS(0,0.5,0),TRAK(0,RIGID,1000),ROTK(5000,0,0),FREEY,\n"
               "FREEZZ\nT100,X5,CF(1,0,1)\nT110,X5,CFY,FIXDZ=2,FX=0\nT120,X5,CFX=0");
  ASSERT_EQ(m.rowCount, 12);
  EXPECT_TRUE(m.row(3).absolute);
  EXPECT_EQ(std::vector<float>({m.row(3).dx, m.row(4).dy, m.row(4).dz}),
            std::vector<float>({144.0f, -30.0f, 3.0f}));  // feet and inches
  EXPECT_EQ(m.row(3).material + m.row(3).section + m.row(3).load, "A1S1L1");
  EXPECT_EQ(m.row(5).elementType, ElementType::Pipe);  // the later T decides
  EXPECT_EQ(m.row(5).node, 60);
  EXPECT_EQ(m.row(6).element->Text(), "Header, lower case kept");
  const auto& bend = dynamic_cast<const Bend&>(*m.row(7).element);
  EXPECT_EQ(
      std::vector<float>({bend.radius, bend.thickness, bend.flexibilityFactor, bend.inPlaneSif, bend.outPlaneSif}),
      std::vector<float>({0.01f, 0.5f, 2.0f, 2.0f, 1.5f}));
  EXPECT_EQ(bend.radiusType, kBendRadiusUser);
  EXPECT_EQ(bend.material, "A1");
  EXPECT_EQ(bend.intermediateNode1, 15);
  EXPECT_NEAR(bend.angle1, 30.0 * 3.14159265358979 / 180.0, 1e-6);

  // The attribute list goes on in the next line after a trailing comma.
  const auto& anchor = dynamic_cast<const Anchor&>(*m.row(9).item);
  const auto& d = anchor.displacements.sets->values;
  EXPECT_EQ(std::vector<float>({d[1], d[2], d[3], d[6 * kSeismicSlot + 2]}),
            std::vector<float>({0.1f, 0.0f, -0.2f, 0.5f}));
  EXPECT_NEAR(d[4], 0.1, 1e-6);  // degrees, as the anchor holds rotations
  EXPECT_EQ(anchor.displacements.flags[0] + anchor.displacements.flags[kSeismicSlot], 2);
  // A zero stiffness leaves its direction free; rotational ones are held
  // per radian (5000 in-lb/deg is 286479 in-lb/rad).
  EXPECT_EQ(std::vector<float>({anchor.stiffness[0], anchor.stiffness[1], anchor.stiffness[2], anchor.stiffness[4]}),
            std::vector<float>({0.0f, 1.0e12f, 1000.0f, 0.0f}));
  EXPECT_NEAR(anchor.stiffness[3], 286478.9, 0.5);
  EXPECT_EQ(anchor.releases, (std::array<std::uint8_t, 6>{0, 1, 0, 0, 0, 1}));
  EXPECT_EQ(RestraintDirectionCode(dynamic_cast<const Restraint&>(*m.row(10).item)), 6);  // X and Z
  EXPECT_EQ(RestraintDirectionCode(dynamic_cast<const Restraint&>(*m.row(11).item)), 5);  // Y and Z
  EXPECT_EQ(m.row(12).dataType, DataType::None);                                          // FX=0 fixes nothing
}

// A specified movement is an anchor's alone: on the line of any other item,
// or of none, every movement keyword is refused with its line and entry,
// also on a continuation line, and the units are back; on an anchor's line
// the same entries give the anchor its sets.
TEST_F(BatchEdgeLinesTest, SpecifiedMovementsAreRefusedOnAnyLineButAnAnchors) {
  const std::string message = "Specified displacements and rotations are given to anchors (KA) only :  ";
  const char* const entries[] = {"D(0.1,0,0)",  "DIS(0.1,0,0)", "D2(0,1,0)",   "DIS2(0,1,0)", "D3(0,0,1)",
                                 "DIS3(0,0,1)", "D4(1,0,0)",    "SEIS(1,0,0)", "D5(0,-1,0)",  "SETT(0,-1,0)",
                                 "DX=0.1",      "DISX=0.1",     "DY=0.2",      "DISY=0.2",    "DZ=0.3",
                                 "DISZ=0.3",    "ROT(1,0,0)",   "ROT2(0,1,0)", "ROT3(0,0,1)", "SERO(1,0,0)",
                                 "STRO(1,0,0)", "ROTX=1",       "ROTY=2",      "ROTZ=3"};
  const char* const lines[] = {
      "T20,X5,C",                                                       // a pipe without an item
      "T20,X5,CNOZZLE=297,NOD=8.625,NTHK=0.5,VOD=48,VTHK=0.5,",         // a nozzle
      "T20,X5,CFY,",                                                    // a restraint
      "T20,X5,KT,C",                                                    // a branch SIF
      "L10,CG,",                                                        // a guide on a Location line
  };
  for (const char* line : lines) {
    for (const char* entry : entries) {
      Model model;
      const std::string refused = std::string(line) + entry;
      EXPECT_EQ(Import("Edge plant\n" LAYOUT_PREFIX "\n" + refused + "\nT99,X1\n", model),
                LineError(12, refused, message + entry));
      EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], 0);
    }
  }
  // An entry on the next line of a list is refused with that line.
  Model model;
  EXPECT_EQ(Import("Edge plant\n" LAYOUT_PREFIX "\nT20,X5,CFY,\nD(0.1,0,0)\n", model),
            LineError(13, "D(0.1,0,0)", message + "D(0.1,0,0)"));

  // On the anchor's line: the sets, in inch and degrees.
  const Model& m = Imported(LAYOUT_PREFIX "\nT20,X5,KA,CD(0.1,0,0),DIS2(0,0.25,0),ROTZ=3\nT30,X5,KA,CSETT(0,-0.5,0)");
  ASSERT_EQ(m.rowCount, 4);
  const auto& moved = dynamic_cast<const Anchor&>(*m.row(3).item);
  ASSERT_NE(moved.displacements.sets, nullptr);
  const auto& d = moved.displacements.sets->values;
  EXPECT_FLOAT_EQ(d[1], 0.1f);
  EXPECT_FLOAT_EQ(d[6 + 2], 0.25f);
  EXPECT_FLOAT_EQ(d[6], 3.0f);
  EXPECT_EQ(moved.displacements.flags[0] + moved.displacements.flags[1], 2);
  const auto& settled = dynamic_cast<const Anchor&>(*m.row(4).item);
  ASSERT_NE(settled.displacements.sets, nullptr);
  EXPECT_FLOAT_EQ(settled.displacements.sets->values[6 * kSettlementSlot + 2], -0.5f);
}

TEST_F(BatchEdgeLinesTest, BranchSifsByTheirCodesWithTheDimensionsOfTheirTypes) {
  // No code: every type is known. Dimensions in inches, then in mm.
  const Model& m = Imported("OPTIONS\nNONE\n" LAYOUT_PREFIX
                            "\nT20,X5,KT\nT30,X5,KF\nT40,X5,KF,CPAD=0.375\nT50,X5,KF,CPAD=0\nT60,X5,KE,CCRTCH=1.5\n"
                            "T70,X5,KS\nT80,X5,KW\nT90,X5,KR,CR=0.75,THK=0.5\nT100,X5,KP,CLEN=8,\nTHK=0.6\n"
                            "T110,X5,KB,CR=2.5\nL30,KT");
  ASSERT_EQ(m.rowCount, 13);
  struct Sif {
    std::int32_t type;
    float dimension1, dimension2;
    bool operator==(const Sif&) const = default;
  };
  std::vector<Sif> sifs;
  for (int row = 3; row <= 13; ++row) {
    ASSERT_EQ(m.row(row).dataType, DataType::BranchSif) << "row " << row;
    const auto& sif = dynamic_cast<const BranchSif&>(*m.row(row).item);
    sifs.push_back({sif.type, sif.dimension1, sif.dimension2});
  }
  // KF with a pad is the reinforced tee.
  EXPECT_EQ(sifs, (std::vector<Sif>{{1, 0, 0},
                                    {3, 0, 0},
                                    {2, 0.375f, 0},
                                    {3, 0, 0},
                                    {4, 1.5f, 0},
                                    {5, 0, 0},
                                    {6, 0, 0},
                                    {7, 0.75f, 0.5f},
                                    {8, 0.6f, 8},
                                    {9, 2.5f, 0},
                                    {1, 0, 0}}));
  // A dimension the type does not keep is refused, not dropped.
  Model dropped;
  EXPECT_EQ(Import("Edge plant\nOPTIONS\nNONE\n" LAYOUT_PREFIX "\nL10,KT,CTHK=0.5\n", dropped),
            LineError(14, "L10,KT,CTHK=0.5",
                      "THK is given to radiused branches (KR) and branches on thickened pipe (KP) only :  THK=0.5"));
  const Model& si = Imported("OPTIONS\nSI,NONE\n" LAYOUT_PREFIX "\nT20,X500,KP,CTHK=12.7,LEN=254");
  const auto& thick = dynamic_cast<const BranchSif&>(*si.row(3).item);
  EXPECT_NEAR(thick.dimension1, 0.5, 1e-6);
  EXPECT_NEAR(thick.dimension2, 10.0, 1e-5);

  // A type the file's code does not offer is kept, as the model keeps it
  // when its code changes; the import log names it with the line that gave
  // it, though the code is chosen after the layout.
  Model kept;
  std::vector<std::string> log;
  EXPECT_EQ(Import("T\n" LAYOUT_PREFIX "\nT20,X5,KT\nT30,X5,KB,CR=3\nOPTIONS\nB313\n", kept, &log), "");
  ASSERT_EQ(kept.row(4).dataType, DataType::BranchSif);
  EXPECT_EQ(dynamic_cast<const BranchSif&>(*kept.row(4).item).type, 9);
  EXPECT_EQ(dynamic_cast<const BranchSif&>(*kept.row(4).item).dimension1, 3.0f);
  EXPECT_EQ(log, (std::vector<std::string>{
                     "Line 13: 'Branch SIF = Branch conn.' not valid for 'Piping Code = B31.3' at Node 30; it was "
                     "kept (saving offers to replace it with 'Welding tee')"}));
  EXPECT_EQ(Imported("OPTIONS\nB311\n" LAYOUT_PREFIX "\nT20,X5,KB,CR=3").row(3).dataType, DataType::BranchSif);
}

TEST_F(BatchEdgeLinesTest, DerivedNodesAsTheLayoutWindowTakesThem) {
  // A support at the far end of bend 30's arc, a pipe to node 12A, and a
  // row without offset to a node an earlier row made.
  const Model& m = Imported(LAYOUT_PREFIX "\nT20,X10\nT30,KI,X10\nT40,Z10\nL30B,CFY\nT12A,Y5\nT10\nT20J*,X3");
  ASSERT_EQ(m.rowCount, 9);
  EXPECT_EQ(m.row(6).node, kArcFarOffset + 30);
  EXPECT_EQ(m.row(6).dataType, DataType::Restraint);
  EXPECT_EQ(m.row(7).node, kArcNearOffset + 12);
  EXPECT_EQ(m.row(8).node, 10);
  EXPECT_EQ(m.row(9).node, kJacketNodeOffset + 20);
  EXPECT_NE(FindNodeIndex(m.nodes, kArcFarOffset + 30), 0);
  EXPECT_NE(FindNodeIndex(m.nodes, kArcNearOffset + 12), 0);
}

// A hinge, a ball joint and a Location written with zero offsets stand at
// the node before them, and the rows after them keep their places: node 10
// at the origin, 20 and 30 five feet along X, 40 and 50 ten feet along, 60
// five feet up from 40.
TEST_F(BatchEdgeLinesTest, JointsAndLocationsWithZeroOffsetsLeaveTheNodesAfterThemInPlace) {
  const Model& m = Imported(LAYOUT_PREFIX
                            "\nT20,X5\nT30,KH,X0,CHS=1000,DV(0,0,1)\nT40,X5\nT50,JB,Z0\nL40,Y0,CFY\nT60,Y5");
  ASSERT_EQ(m.rowCount, 8);
  EXPECT_EQ(m.row(4).elementType, ElementType::HingeJoint);
  EXPECT_EQ(m.row(6).elementType, ElementType::BallJoint);
  EXPECT_EQ(m.row(7).dataType, DataType::Restraint);
  struct Place {
    NodeId node;
    float x, y, z;  // inch
  };
  const Place kPlaces[] = {{10, 0, 0, 0},   {20, 60, 0, 0},  {30, 60, 0, 0},
                           {40, 120, 0, 0}, {50, 120, 0, 0}, {60, 120, 60, 0}};
  for (const Place& place : kPlaces) {
    const int index = FindNodeIndex(m.nodes, place.node);
    ASSERT_NE(index, 0) << place.node;
    EXPECT_EQ(std::vector<float>({m.nodes[index].x, m.nodes[index].y, m.nodes[index].z}),
              std::vector<float>({place.x, place.y, place.z}))
        << place.node;
  }
}

TEST_F(BatchEdgeLinesTest, NamesAndValuesInForceAndTheRowLimit) {
  const Model& m = Imported(LAYOUT_PREFIX
                            "\nT20,X5,CAMB=60\nMATERIAL\nA2,0.29\nA2,70,28E6\nLOADS\nL2,500,100\nLAYOUT\n"
                            "T30,X5,MA2,CL=L2,T=650,P=300,\nLOADS\nL3,200,50\nLAYOUT\nT40,X5\nF50,X0");
  EXPECT_EQ(m.options.ReferenceTemperature, 60.0f);
  EXPECT_EQ(m.row(3).material + m.row(3).load, "A1L1");
  EXPECT_EQ(m.row(4).material + m.row(4).section + m.row(4).load, "A2S1L2");
  EXPECT_EQ(m.row(5).material + m.row(5).section + m.row(5).load, "A2S1L2");
  EXPECT_TRUE(m.row(6).material.empty());  // a From row names nothing
  // A header where a continuation was expected ends the list; its line goes
  // to its own section.
  EXPECT_EQ(m.pipeLoads.count, 3);
  EXPECT_EQ(m.pipeLoads[2].operating[5].temperature, 60.0f);  // pairs beyond T3: the reference temperature
  ASSERT_EQ(log_.size(), 1u);
  EXPECT_EQ(log_[0].rfind("Line 19: T, P, SG and U were checked but not applied", 0), 0u) << log_[0];

  // An error in a continuation line names that line.
  Model refused;
  EXPECT_EQ(Import("T\n" LAYOUT_PREFIX "\nT20,X5,KA,CDIS(0.1,0,0),\nXYZ\n", refused),
            LineError(13, "XYZ", "Unknown comment :  XYZ"));

  // The title row, the From row and 6998 pipes make 7000 rows.
  std::string rows = "Rows\nLAYOUT\nF1\n";
  for (int node = 2; node <= 6999; ++node) rows += "T" + std::to_string(node) + ",X1\n";
  EXPECT_EQ(Imported(rows).rowCount, 7000);
  Model over;
  EXPECT_EQ(Import(rows + "T7000,X1\n", over), LineError(7002, "T7000,X1", "Maximum number of rows exceeded"));
}

}  // namespace
