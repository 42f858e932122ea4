// Flanges, user SIFs, welds and concentrated masses in LAYOUT lines: a file
// with one of each read into the rows' items (the flange's weight by WGT,
// the mass's offset by OFFSET), the same items written to a model file and
// read back byte for byte, then every refusal of their keywords with its
// whole message.
#include <gtest/gtest.h>

#include <algorithm>

#include "elements/BallJoint.h"
#include "elements/Bellows.h"
#include "elements/ConcentratedMass.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "elements/UserSif.h"
#include "elements/Weld.h"
#include "files/BatchTesting.h"

namespace {

#define JOINT_PREFIX                                                                                    \
  "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,800,24.2E6,7.65E-6,10800\nPIPE\nS1,8.625,0.322\n" \
  "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1"

class BatchJointKindsTest : public BatchFixture {
 protected:
  template <typename Kind>
  static const Kind& ItemAt(const Model& model, int row) {
    return dynamic_cast<const Kind&>(*model.row(row).item);
  }
};

TEST_F(BatchJointKindsTest, EachItemIsReadIntoItsRow) {
  Model model;
  ASSERT_EQ(Import("Node items\n" JOINT_PREFIX
                   "\nT20,X5,CFLANGE=SO,WGT=180,GDIA=10.5,AP=740\n"
                   "T30,X5,CSIF(2,1.5)\n"
                   "T40,X5,CSIF=1.25\n"
                   "T50,X5,CWTYPE=4,DELTA=0.0625\n"
                   "T60,X5,CWTYPE=2\n"
                   "T70,X5,CCWGT=100,OFFSET(10,0,-2)\n"
                   "T80,X5,CFLANGE\n"
                   "T90,X5,CCWGT=0\n",
                   model),
            "");
  // Row 1 is the title's comment, row 2 the From.
  const auto& flange = ItemAt<Flange>(model, 3);
  EXPECT_EQ(flange.type, 3);
  EXPECT_EQ(std::vector<float>({flange.weight, flange.gasketDiameter, flange.allowablePressure}),
            std::vector<float>({180.0f, 10.5f, 740.0f}));
  EXPECT_EQ(ItemAt<UserSif>(model, 4).inPlaneSif, 2.0f);
  EXPECT_EQ(ItemAt<UserSif>(model, 4).outPlaneSif, 1.5f);
  EXPECT_EQ(ItemAt<UserSif>(model, 5).inPlaneSif, 1.25f);
  EXPECT_EQ(ItemAt<UserSif>(model, 5).outPlaneSif, 1.25f);
  EXPECT_EQ(ItemAt<Weld>(model, 6).type, 4);
  EXPECT_EQ(ItemAt<Weld>(model, 6).mismatch, 0.0625f);
  EXPECT_EQ(ItemAt<Weld>(model, 7).type, 2);
  EXPECT_EQ(ItemAt<Weld>(model, 7).mismatch, 0.0f);  // a fillet weld has none
  const auto& mass = ItemAt<ConcentratedMass>(model, 8);
  EXPECT_EQ(std::vector<float>({mass.weight, mass.dx, mass.dy, mass.dz}),
            std::vector<float>({100.0f, 10.0f, 0.0f, -2.0f}));  // offsets in the Dimension unit, inch
  EXPECT_EQ(ItemAt<Flange>(model, 9).type, 1);  // a flange given without its code is a weld neck
  EXPECT_EQ(model.row(10).dataType, DataType::None);  // a zero weight chooses no mass
}

// The seven codes give the flange types 1 to 7, weld neck to threaded.
TEST_F(BatchJointKindsTest, EveryFlangeCodeGivesItsType) {
  Model model;
  ASSERT_EQ(Import("Flanges\n" JOINT_PREFIX
                   "\nT20,X5,CFLANGE=WN\nT30,X5,CFLANGE=DW\nT40,X5,CFLANGE=SO\nT50,X5,CFLANGE=FW\n"
                   "T60,X5,CFLANGE=SW\nT70,X5,CFLANGE=LJ\nT80,X5,CFLANGE(TH)\n",
                   model),
            "");
  for (int type = 1; type <= 7; ++type) EXPECT_EQ(ItemAt<Flange>(model, 2 + type).type, type);
}

struct Refusal {
  const char* line;
  const char* message;
};

const Refusal kRefusals[] = {
    {"T20,X5,CSIF=0.9", "Invalid SIF :  0.9"},
    // A fillet weld has no mismatch to keep.
    {"T20,X5,CWTYPE=2,DELTA=0.0625",
     "DELTA is given to butt welds (WTYPE=1) and tapered transitions (WTYPE=4) only :  DELTA=0.0625"},
    {"T20,X5,CSIF=A", "Invalid SIF :  A"},
    {"T20,X5,CSIF(0.5,2)", "Invalid inplane SIF :  0.5"},
    {"T20,X5,CSIF(2,X)", "Invalid outplane SIF :  X"},
    // A code not in the list is no flange the program knows, whatever it
    // was meant to be: none is taken for a weld neck.
    {"T20,X5,CFLANGE=ZZ", "Invalid flange type :  ZZ"},
    {"T20,X5,CFLANGE=99", "Invalid flange type :  99"},
    {"T20,X5,CFLANGE=BL", "Invalid flange type :  BL"},
    {"T20,X5,CFLANGE(WNX)", "Invalid flange type :  WNX"},
    {"T20,X5,CFLANGE,GDIA=-1", "Invalid Gasket Diameter (GDIA) :  -1"},
    {"T20,X5,CFLANGE,AP=P", "Invalid allowable pressure :  P"},
    {"T20,X5,CFLANGE,WGT=W", "Invalid weight (WGT) :  W"},
    {"T20,X5,CWTYPE=5", "Invalid weld type :  5"},
    {"T20,X5,CWTYPE=-1", "Invalid weld type :  -1"},
    {"T20,X5,CWTYPE=1,DELTA=-0.1", "Invalid delta value :  -0.1"},
    {"T20,X5,CCWGT=heavy", "Invalid concentrated weight (CWGT) :  HEAVY"},
    {"T20,X5,CCWGT=10,OFFSET=3", "Invalid OFFSET : OFFSET=3\nDirectional entry such as OFFSET(0,18,0) is required"},
    {"T20,X5,CSIF=2,FLANGE", "Only one data item per line is allowed\nUse Location (L) for additional items"},
    {"T20,X5,KA,CCWGT=5", "Only one data item per line is allowed\nUse Location (L) for additional items"},
    {"T20,X5,CWTYPE=1,FX", "Only one data item per line is allowed\nUse Location (L) for additional items"},
    {"T20,JE,X1,CES=500", "Invalid expansion joint stiffnesses: ES=500\nEnter as ES(axial stiffness, lateral stiffness, "
                          "torsional stiffness)"},
    {"T20,JE,X1,CES(500,A,1)", "Invalid lateral stiffness :  A"},
    {"T20,JE,X1,CBK=-5", "Invalid bending stiffness :  -5"},
    {"T20,JE,X1,CTA=T", "Invalid thrust area :  T"},
    {"T20,JT,X1", "At least one stiffness is required"},
    {"T20,JS,X1,CFFOR=F", "Invalid friction force :  F"},
    {"T20,KH,CHS=", "Hinge stiffness (HS) is not specified"},
    {"T20,JB,CRK=5", "Invalid Rotational Stiffness :  RK=5"},
    {"T20,JB,CROTL(1,X)", "Invalid torsion limit :  X"},
    {"T20,JB,CFRCT(-1,0)", "Invalid bending friction torque :  -1"},
    {"T20,KH,CHS=Q", "Invalid hinge stiffness :  Q"},
    {"T20,KH,CRLIM=-1", "Invalid rotation limit :  -1"},
    {"T20,JS,X1,CFTOR=T", "Invalid friction torque :  T"},
    {"T20,JT,X1,CKTIE(0,0)", "At least one stiffness is required"},
    {"T20,JT,X1,CKTIE=5", "Invalid Tie rod input :  KTIE=5"},
    {"T20,JT,X1,CKTIE(5,-1)", "Invalid compression stiffness  :  -1"},
    {"T20,JT,X1,CKTIE(5,0),GAP(X,0)", "Invalid tension gap :  X"},
};

TEST_F(BatchJointKindsTest, EveryRefusalNamesItsLine) {
  const std::string before = "Node items\n" JOINT_PREFIX "\n";
  const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  for (const Refusal& refusal : kRefusals) {
    Model model;
    EXPECT_EQ(Import(before + refusal.line + "\n", model), LineError(line, refusal.line, refusal.message));
  }
}

// JE with ES (each rate raised to at least 1), BK, TA and WGT; without BK
// the bending rate is rigid.
TEST_F(BatchJointKindsTest, ABellowsTakesItsRatesThrustAreaAndWeight) {
  Model model;
  ASSERT_EQ(Import("Bellows\n" JOINT_PREFIX
                   "\nT20,X5\n"
                   "T30,JE,X1,CES(1500,0.5,2E5),BK=3E4,TA=40,WGT=65\n"
                   "T40,X5\n"
                   "T50,JE,X1,CES(800,900,1000)\n",
                   model),
            "");
  const auto& b = dynamic_cast<const Bellows&>(*model.row(4).element);
  EXPECT_EQ(std::vector<float>({b.axialStiffness, b.lateralStiffness, b.pressureThrustArea, b.weight}),
            std::vector<float>({1500.0f, 1.0f, 40.0f, 65.0f}));
  // Rotational rates in in-lb per degree, kept per radian.
  const double perDegree = 180.0 / 3.14159265358979;
  EXPECT_NEAR(b.torsionalStiffness, 2.0e5 * perDegree, 1.0);
  EXPECT_NEAR(b.bendingStiffness, 3.0e4 * perDegree, 0.1);
  EXPECT_EQ(dynamic_cast<const Bellows&>(*model.row(6).element).bendingStiffness, 1.0e12f);
}

TEST_F(BatchJointKindsTest, EachJointKindTakesItsValues) {
  Model model;
  ASSERT_EQ(Import("Tie rod\n" JOINT_PREFIX
                   "\nT20,X5\n"
                   "T30,JT,X1,CKTIE(2E4,0),GAP(0.125,0.5)\n"
                   "F20\n"
                   "T40,JS,X1,CFFOR=2500,FTOR=1200,TA=12.5,WGT=40\n"
                   "T45,KH,CHS=500,FTOR=100,WGT=30,DV(0,0,1)\n"
                   "T50,X5\n"
                   "T55,KH,CHS=RIGID,RLIM=2,DV(1,0,0)\n"
                   "T60,X5\n"
                   "T65,JB,CRK(100,200),ROTL(NONE,2),FRCT(10,20),WGT=15\n"
                   "T70,X5\n",
                   model),
            "");
  const auto& rod = dynamic_cast<const TieRod&>(*model.row(4).element);
  const auto& joint = dynamic_cast<const SlipJoint&>(*model.row(6).element);
  EXPECT_EQ(std::vector<float>({joint.frictionForce, joint.pressureThrustArea, joint.weight}),
            std::vector<float>({2500.0f, 12.5f, 40.0f}));
  EXPECT_NEAR(joint.frictionTorque, 1200.0f * 12.0f, 0.01f);  // ft-lb, kept in in-lb
  // A hinge without RLIM has no limit (a limit of 0 would lock it).
  const auto& hinge = dynamic_cast<const HingeJoint&>(*model.row(7).element);
  EXPECT_EQ(hinge.rotationLimit, 1.0e30f);
  EXPECT_NEAR(hinge.stiffness, 500.0 * 180.0 / 3.14159265358979, 0.01);
  EXPECT_EQ(std::vector<float>({hinge.frictionTorque, hinge.weight, hinge.axis[0], hinge.axis[2]}),
            std::vector<float>({1200.0f, 30.0f, 0.0f, 1.0f}));
  const auto& limited = dynamic_cast<const HingeJoint&>(*model.row(9).element);
  EXPECT_NEAR(limited.rotationLimit, 2.0 * 3.14159265358979 / 180.0, 1e-6);
  EXPECT_EQ(limited.axis[0], 1.0f);
  const auto& ball = dynamic_cast<const BallJoint&>(*model.row(11).element);
  EXPECT_EQ(ball.bendingRotationLimit, 1.0e30f);
  EXPECT_NEAR(ball.torsionalRotationLimit, 2.0 * 3.14159265358979 / 180.0, 1e-6);
  EXPECT_EQ(std::vector<float>({ball.bendingFrictionTorque, ball.torsionalFrictionTorque, ball.weight}),
            std::vector<float>({120.0f, 240.0f, 15.0f}));
  EXPECT_NEAR(ball.torsionalStiffness, 200.0 * 180.0 / 3.14159265358979, 0.01);
  EXPECT_EQ(std::vector<float>({rod.tensionStiffness, rod.compressionStiffness, rod.tensionGap, rod.compressionGap}),
            std::vector<float>({2.0e4f, 0.0f, 0.125f, 0.5f}));
}

}  // namespace
