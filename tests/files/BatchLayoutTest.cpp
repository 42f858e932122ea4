// LAYOUT lines and their attribute keywords: one table of refused lines
// with their messages, one of accepted lines with the row they give, the
// names and values in force across lines, continuation lines, and the row
// limit.
#include <gtest/gtest.h>

#include <functional>

#include "BatchTesting.h"
#include "elements/Bend.h"
#include "elements/CommentData.h"
#include "files/BatchLayout.h"
#include "model/RowObjects.h"
#include "shell/NumberText.h"
#include "supports/Anchor.h"
#include "supports/Restraint.h"

namespace {

// Lines 1 to 11; the line under test is line 12.
const char* const kPrefix =
    "Edge rows of a layout\n"
    "MATERIAL\n"
    "A1,0.283\n"
    "A1,70,29.5E6,6.07E-6,20000\n"
    "A1,800,24.2E6,7.65E-6,10800\n"
    "PIPE\n"
    "S1,8.625,0.322\n"
    "LOADS\n"
    "L1,300,150\n"
    "LAYOUT\n"
    "F10,KA,MA1,PS1,CL=L1\n";
constexpr int kLineUnderTest = 12;

class BatchLayoutTest : public BatchFixture {
 protected:
  // The row the line gives (row 3: title, From, then it).
  const LayoutRow& RowOf(const std::string& line) {
    model_ = Model();
    const std::string error = Import(std::string(kPrefix) + line + "\n", model_);
    EXPECT_EQ(error, "") << line;
    static const LayoutRow blank;
    return model_.rowCount == 3 ? model_.row(3) : blank;
  }
  Model model_;
};

struct Refusal {
  const char* line;
  const char* message;
};

const Refusal kRefusals[] = {
    {"T12Q", "Invalid node :  12Q"},
    {"T*,X5", "Invalid node :  *"},
    {"T12A", "Invalid node :  12A"},
    {"T100000", "Invalid node :  100000"},
    {"KA,T20", "Node is not specified"},
    {"X5", "Node is not specified"},
    {"T20,KA,KA", "Code (K) can be specified only once"},
    {"T20,KI,B0.005", "Invalid bend radius (B) :  0.005"},
    {"T20,,X5", "Invalid field :  "},
    {"T20,QQ", "Invalid field :  QQ"},
    {"T20,KA,*anchor", "Invalid field :  *ANCHOR"},
    {"T20,XABC", "Invalid X :  ABC"},
    {"T20,Z1'2'3", "Invalid Z :  1'2'3"},
    {"T20,KQ", "Invalid code (K)\n"},
    {"T20,JQ", "Invalid joint code (J)"},
    {"T20,JF", "Flexible joint (beam) is presently not available"},
    {"T20,JV", "Valve rows (JV) are not available yet"},
    {"T20,KM", "Miter rows (KM) are not available yet"},
    {"T20,KF", "Branch SIF rows (KF) are not available yet"},
    {"H", "Hydrotest load rows (H) are not available yet"},
    {"T20,MXX", "Undefined material :  XX"},
    {"T20,PXX", "Undefined pipe section :  XX"},
    {"T20,KA,CFX", "Only one data item per line is allowed\nUse Location (L) for additional items"},
    {"T20,KI,CFY", "A bend row carries no data item\nUse Location (L) for additional items"},
    {"T20,CXYZ=1", "Unknown comment :  XYZ=1"},
    {"T20,CFREEX,,FREEY", "Unknown comment :  "},
    {"T20,CCS", "CS is not available yet"},
    {"T20,CLS(-1,1.5)", "LS is not available yet"},
    {"T20,CFIXR", "FIXR is not available"},
    {"T20,CFIXRY", "FIXRY is not available"},
    {"T20,KA,CDIS=0.1",
     "Invalid specified displacement : DIS=0.1\nDirectional entry such as DIS(0.1,0,-0.2) is required"},
    {"T20,KA,CD=0.1", "Invalid specified displacement : D=0.1\nDirectional entry such as D(0.1,0,-0.2) is required"},
    {"T20,KA,CDISX(0.1)", "Invalid specified displacement : DISX(0.1)\nScalar entry such as DISX=0.1 is required"},
    {"T20,KA,CSERO=1", "Invalid specified rotation : SERO=1\nDirectional entry such as SERO(0.1,0,-0.2) is required"},
    {"T20,KA,CDIS(A,0,0)", "Invalid displacement :  A"},
    {"T20,KA,CROT(0,B,0)", "Invalid rotation :  B"},
    {"T20,KA,CTRAK=5", "Invalid Translational Stiffness :  TRAK=5"},
    {"T20,KA,CTRAK(1,-2,3)", "Invalid stiffness :  -2"},
    {"T20,KA,CROTK(1,X,3)", "Invalid Rot.stiffness :  X"},
    {"T20,CF=1", "Invalid restraint : F=1\nDirectional entry such as F(1,0,1) is required"},
    {"T20,CFIXD(1,A,0)", "Invalid restraint"},
    {"T20,CFX(1)", "Invalid restraint :  FX(1)"},
    {"T20,CFY=A", "Invalid restraint :  A"},
    {"T20,CBMAT=ABCDEF", "Invalid bend material name :  ABCDEF"},
    {"T20,CBMAT=Q1", "Bend Material not defined :  Q1"},
    {"T20,CBMAT(A1)", "Invalid Bend Material :  BMAT(A1)"},
    {"T20,CBTHK=-1", "Invalid Bend thickness :  -1"},
    {"T20,CFF=0", "Invalid flexibility factor :  0"},
    {"T20,CBSIF=2", "Invalid Bend SIF :  BSIF=2"},
    {"T20,CBSIF(0.9,2)", "Invalid inplane SIF :  0.9"},
    {"T20,CBSIF(2,)", "Invalid outplane SIF :  "},
    {"T20,CIN1=5", "Invalid Intermediate Bend Node :  IN1=5"},
    {"T20,CIN1(5Q,30)", "Invalid intermediate node1 :  5Q"},
    {"T20,CIN2(15,-3)", "Invalid intermediate node2 angle :  -3"},
    {"T20,CAMB", "Reference temperature (AMB) not specified"},
    {"T20,CAMB=HOT", "Invalid temperature: (AMB) :  HOT"},
    {"T20,CT=-500", "Invalid temperature :  -500"},
    {"T20,CP=X", "Invalid pressure :  X"},
    {"T20,CSG=-1", "Invalid specific gravity :  -1"},
    {"T20,CU=-1", "Invalid uniform load :  -1"},
    {"T20,CL=L9", "Load not defined :  L9"},
};

TEST_F(BatchLayoutTest, EveryRefusedLineGivesItsMessage) {
  for (const Refusal& refusal : kRefusals) {
    Model model;
    EXPECT_EQ(Import(std::string(kPrefix) + refusal.line + "\nT99,X1\n", model),
              LineError(kLineUnderTest, refusal.line, refusal.message));
  }
}

TEST_F(BatchLayoutTest, NodesKindsOffsetsAndBends) {
  const LayoutRow& absolute = RowOf("T30*,X12");
  EXPECT_EQ(absolute.node, 30);
  EXPECT_TRUE(absolute.absolute);
  EXPECT_EQ(absolute.elementType, ElementType::Pipe);
  EXPECT_FLOAT_EQ(absolute.dx, 144.0f);  // 12 ft in the feet-and-inches unit
  EXPECT_EQ(absolute.material, "A1");
  EXPECT_EQ(absolute.section, "S1");
  EXPECT_EQ(absolute.load, "L1");

  const LayoutRow& offsets = RowOf("T20 G1 Y-2'6 Z3\"");
  EXPECT_FLOAT_EQ(offsets.dy, -30.0f);
  EXPECT_FLOAT_EQ(offsets.dz, 3.0f);

  // The last node field decides the kind: T after KI makes a pipe again.
  EXPECT_EQ(RowOf("T20,KI,T30").elementType, ElementType::Pipe);
  EXPECT_EQ(model_.row(3).node, 30);
  EXPECT_EQ(RowOf("L10").elementType, ElementType::Location);

  const LayoutRow& bend = RowOf("T20,KI,B0.01,X5,CBTHK=0.5,BMAT=A1,FF=2,IN1(15,30),IN2(16,60),BSIF(2,1.5)");
  ASSERT_EQ(bend.elementType, ElementType::Bend);
  const auto& data = dynamic_cast<const Bend&>(*bend.element);
  EXPECT_FLOAT_EQ(data.radius, 0.01f);
  EXPECT_EQ(data.radiusType, kBendRadiusUser);
  EXPECT_FLOAT_EQ(data.thickness, 0.5f);
  EXPECT_EQ(data.material, "A1");
  EXPECT_FLOAT_EQ(data.flexibilityFactor, 2.0f);
  EXPECT_EQ(data.intermediateNode1, 15);
  EXPECT_EQ(data.intermediateNode2, 16);
  EXPECT_NEAR(data.angle1, 30.0 * 3.14159265358979 / 180.0, 1e-6);
  EXPECT_NEAR(data.angle2, 60.0 * 3.14159265358979 / 180.0, 1e-6);
  EXPECT_FLOAT_EQ(data.inPlaneSif, 2.0f);
  EXPECT_FLOAT_EQ(data.outPlaneSif, 1.5f);

  const auto& plain = dynamic_cast<const Bend&>(*RowOf("T20,KI,X5").element);
  EXPECT_EQ(plain.radiusType, kBendRadiusLong);
  EXPECT_FLOAT_EQ(plain.flexibilityFactor, -1.0f);

  // Bend keywords on a pipe row are checked and change nothing.
  EXPECT_EQ(RowOf("T20,X5,CBTHK=0.5").elementType, ElementType::Pipe);

  const LayoutRow& comment = RowOf("*Header of Unit 2, lower case kept");
  EXPECT_EQ(comment.elementType, ElementType::Comment);
  EXPECT_EQ(comment.element->Text(), "Header of Unit 2, lower case kept");
  EXPECT_EQ(comment.node, 0);
}

TEST_F(BatchLayoutTest, AnchorsAndRestraints) {
  const LayoutRow& anchored =
      RowOf("T20,X5,KA,CDIS(0.1,,-0.2),ROTX(0.1),SEIS(0,0.5,0),TRAK(0,RIGID,1000),ROTK(5000,0,0),FREEY,FREEZZ");
  ASSERT_EQ(anchored.dataType, DataType::Anchor);
  const auto& anchor = dynamic_cast<const Anchor&>(*anchored.item);
  ASSERT_TRUE(anchor.displacements.sets);
  const auto& values = anchor.displacements.sets->values;
  EXPECT_FLOAT_EQ(values[1], 0.1f);
  EXPECT_FLOAT_EQ(values[2], 0.0f);
  EXPECT_FLOAT_EQ(values[3], -0.2f);
  EXPECT_NEAR(values[4], 0.1, 1e-6);  // degrees, as the anchor holds rotations
  EXPECT_FLOAT_EQ(values[6 * kSeismicSlot + 2], 0.5f);
  EXPECT_EQ(anchor.displacements.flags[0], 1);
  EXPECT_EQ(anchor.displacements.flags[1], 0);
  EXPECT_EQ(anchor.displacements.flags[kSeismicSlot], 1);
  // A zero stiffness leaves its direction free; RIGID is rigid; rotational
  // stiffnesses are held per radian (5000 in-lb/deg is 286479 in-lb/rad).
  EXPECT_EQ(anchor.stiffness[0], 0.0f);
  EXPECT_EQ(anchor.stiffness[1], 1.0e12f);
  EXPECT_EQ(anchor.stiffness[2], 1000.0f);
  EXPECT_NEAR(anchor.stiffness[3], 286478.9, 0.5);
  EXPECT_EQ(anchor.stiffness[4] + anchor.stiffness[5], 0.0f);
  EXPECT_EQ(anchor.releases, (std::array<std::uint8_t, 6>{0, 1, 0, 0, 0, 1}));

  const auto& rigid = dynamic_cast<const Anchor&>(*RowOf("T20,X5,KA,CFREE").item);
  EXPECT_TRUE(IsRigidAnchor(rigid.stiffness));
  EXPECT_FALSE(rigid.displacements.HasAny());
  EXPECT_EQ(rigid.releases, (std::array<std::uint8_t, 6>{1, 1, 1, 1, 1, 1}));

  const auto& vector = dynamic_cast<const Restraint&>(*RowOf("T20,X5,CF(1,0,1)").item);
  EXPECT_EQ(RestraintDirectionCode(vector), 6);  // X and Z
  const auto& flags = dynamic_cast<const Restraint&>(*RowOf("T20,X5,CFY,FIXDZ=2,FX=0").item);
  EXPECT_EQ(RestraintDirectionCode(flags), 5);  // Y and Z; FX=0 fixes nothing
  EXPECT_EQ(RowOf("T20,X5,CFX=0").dataType, DataType::None);
  EXPECT_EQ(RowOf("L10,CFY").dataType, DataType::Restraint);
}

TEST_F(BatchLayoutTest, NamesAndValuesInForceOutlastTheirLine) {
  Model model;
  std::vector<std::string> log;
  ASSERT_EQ(Import(std::string(kPrefix) + "T20,X5,CAMB=60\n"
                                          "MATERIAL\nA2,0.29\nA2,70,28E6\nLOADS\nL2,500,100\nLAYOUT\n"
                                          "T30,X5,MA2,CL=L2,T=650,P=300\n"
                                          "T40,X5\n"
                                          "F50,X0\n",
                   model, &log),
            "");
  EXPECT_FLOAT_EQ(model.options.ReferenceTemperature, 60.0f);
  EXPECT_EQ(model.row(3).material, "A1");
  EXPECT_EQ(model.row(3).load, "L1");
  for (int row : {4, 5}) {
    EXPECT_EQ(model.row(row).material, "A2") << row;
    EXPECT_EQ(model.row(row).section, "S1") << row;
    EXPECT_EQ(model.row(row).load, "L2") << row;
  }
  EXPECT_TRUE(model.row(6).material.empty());  // a From row names nothing
  // Pairs beyond T3 take the reference temperature at the end of the import.
  EXPECT_FLOAT_EQ(model.pipeLoads[2].operating[5].temperature, 60.0f);
  // The temperature and pressure in force are checked, and the log says
  // that rows take theirs from their pipe load.
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].rfind("Line 19: T, P, SG and U were checked but not applied", 0), 0u) << log[0];
}

TEST_F(BatchLayoutTest, AttributeListsContinueOnTheNextLine) {
  Model model;
  ASSERT_EQ(Import(std::string(kPrefix) + "T20,X5,KA,CDIS(0.1,0,0),\nROT(0,0,1),\n\nT30,X5\n", model), "");
  ASSERT_EQ(model.rowCount, 4);
  const auto& anchor = dynamic_cast<const Anchor&>(*model.row(3).item);
  EXPECT_NEAR(anchor.displacements.sets->values[6], 1.0, 1e-6);
  EXPECT_EQ(model.row(4).node, 30);

  // An error in the continuation names that line.
  Model refused;
  EXPECT_EQ(Import(std::string(kPrefix) + "T20,X5,KA,CDIS(0.1,0,0),\nXYZ\n", refused),
            LineError(13, "XYZ", "Unknown comment :  XYZ"));

  // A header where the continuation was expected ends the list; the line
  // after it goes to its own section.
  Model switched;
  ASSERT_EQ(Import(std::string(kPrefix) + "T20,X5,CFY,\nLOADS\nL2,400,10\n", switched), "");
  EXPECT_EQ(switched.rowCount, 3);
  EXPECT_EQ(switched.pipeLoads.count, 2);
}

TEST_F(BatchLayoutTest, TheRowAfterTheLastIsRefused) {
  std::string text = "Rows\nLAYOUT\nF1\n";
  // The title row, the From row and 6998 pipes make 7000 rows.
  for (int node = 2; node <= 6999; ++node) text += "T" + std::to_string(node) + ",X1\n";
  Model full;
  ASSERT_EQ(Import(text, full), "");
  EXPECT_EQ(full.rowCount, 7000);
  Model over;
  EXPECT_EQ(Import(text + "T7000,X1\n", over), LineError(7002, "T7000,X1", "Maximum number of rows exceeded"));
}

TEST(BatchAttributeTest, EntriesSplitIntoKeywordFormAndComponents) {
  BatchEntry entry = SplitBatchAttribute("DIS(0.1,, -0.2,9)");
  EXPECT_EQ(entry.keyword, "DIS");
  EXPECT_TRUE(entry.directional);
  EXPECT_EQ(entry.components, (std::array<std::string, 3>{"0.1", "", "-0.2"}));
  entry = SplitBatchAttribute("TEMP=650");
  EXPECT_EQ(entry.keyword, "TEMP");
  EXPECT_FALSE(entry.directional);
  EXPECT_EQ(entry.components[0], "650");
  entry = SplitBatchAttribute("FREEX");
  EXPECT_EQ(entry.keyword, "FREEX");
  EXPECT_FALSE(entry.hasValue);
  EXPECT_EQ(entry.components[0], "");
  entry = SplitBatchAttribute("ROTX(0.1)x");
  EXPECT_EQ(entry.components[0], "0.1");
}

}  // namespace
