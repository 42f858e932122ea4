// The keywords of guides, limit stops, skewed restraints and snubbers in
// LAYOUT lines: every refusal with its whole message; the items the accepted
// lines give, in English and SI units (a support stiffness left out is
// rigid, STIFF=0 and a lower limit above the upper one are refused even
// when one limit is 0); the one-item rule between them; and, once the model
// is made, connected nodes held to the rules of the supports' dialogs.
#include <gtest/gtest.h>

#include <cmath>

#include "files/BatchTesting.h"
#include "model/RowObjects.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"

namespace {

// The properties a LAYOUT line names, the LAYOUT header and a first row.
#define PREFIX                                                                                          \
  "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,800,24.2E6,7.65E-6,10800\nPIPE\nS1,8.625,0.322\n" \
  "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\n"

constexpr const char* kOneItem = "Only one data item per line is allowed\nUse Location (L) for additional items";

class BatchSupportKeywordsTest : public BatchFixture {
 protected:
  // The model of a file with the prefix and then `rows`; fails on a refusal.
  // Its rows: the title's comment, the anchor at 10, then one per line.
  const Model& Imported(const std::string& rows, const char* options = "") {
    model_ = Model();
    EXPECT_EQ(Import(std::string("Supports\n") + options + PREFIX + rows + "\n", model_), "") << rows;
    return model_;
  }
  // The refusal of the line `row` after the prefix (line 12).
  static std::string Refusal(const std::string& row) {
    Model model;
    return Import(std::string("Supports\n") + PREFIX + row + "\n", model);
  }
  template <typename Kind>
  const Kind& Item(int row) const {
    EXPECT_NE(model_.row(row).item, nullptr) << "row " << row;
    return dynamic_cast<const Kind&>(*model_.row(row).item);
  }
  Model model_;
};

TEST_F(BatchSupportKeywordsTest, EveryRefusalGivesItsMessage) {
  const std::pair<const char*, std::string> refusals[] = {
      {"T20,X5,CG=1", "Invalid guide: G=1"},
      {"T20,X5,CG(1)", "Invalid guide: G(1)"},
      {"T20,X5,CG,MU=-0.1", "Invalid friction coefficient (MU) :  -0.1"},
      {"T20,X5,CG,MU=HIGH", "Invalid friction coefficient (MU) :  HIGH"},
      {"T20,X5,CG,STIFF=", "Stiffness (k) is not specified"},
      {"T20,X5,CG,STIFF=0", "Invalid stiffness :  0"},
      {"T20,X5,CG,STIFF=-5", "Invalid stiffness :  -5"},
      {"T20,X5,CG,GGAP=-0.1", "Invalid gap :  -0.1"},
      {"T20,X5,CG,GGAP=WIDE", "Invalid gap :  WIDE"},
      {"T20,X5,CLS=1", "Invalid limit stop : LS=1\nDirectional entry such as LS(-1.0,1.50) is required"},
      {"T20,X5,CLS(NONE,NONE)", "No limits are specified\n"},
      {"T20,X5,CLS(,)", "No limits are specified\n"},
      {"T20,X5,CLS(LOW,1)", "Invalid lower limit :  LOW"},
      {"T20,X5,CLS(-1,HIGH)", "Invalid upper limit :  HIGH"},
      {"T20,X5,CLS(2,1)", "Invalid limit stop: LS(2,1)\nUpper limit should be greater than the lower limit"},
      {"T20,X5,CLS(0,-1)", "Invalid limit stop: LS(0,-1)\nUpper limit should be greater than the lower limit"},
      {"T20,X5,CLS(1,0)", "Invalid limit stop: LS(1,0)\nUpper limit should be greater than the lower limit"},
      {"T20,X5,CK", "Stiffness (k) is not specified"},
      {"T20,X5,CK=SOFT", "Invalid stiffness :  SOFT"},
      {"T20,X5,CK=-100", "Invalid stiffness :  -100"},
      {"T20,X5,CKR=", "Rotational stiffness (kr) is not specified"},
      {"T20,X5,CKR=-1", "Invalid rotational stiffness :  -1"},
      {"T20,X5,CK=100,DV=1", "Invalid direction vector : DV=1\nDirectional entry such as DV(0.5,0,-1.0) is required"},
      {"T20,X5,CK=100,DV(A,0,1)", "Invalid xcomp :  A"},
      {"T20,X5,CK=100,DV(0,B,1)", "Invalid ycomp :  B"},
      {"T20,X5,CK=100,DV(0,1,C)", "Invalid zcomp :  C"},
      {"T20,X5,CK=100,CNOD=X1", "Invalid connected node number"},
      {"T20,X5,CK=100,CNOD=0", "Invalid connected node number"},
      {"T20,X5,CK=100,KR=100", kOneItem},
      {"T20,X5,CG,LS(0,)", kOneItem},
      {"T20,X5,CG,FY", kOneItem},
      {"T20,X5,CSNUBBER,K=5", kOneItem},
      {"T20,X5,KA,CSNUBBER", kOneItem},
      {"T20,X5,KT,CLS(0,1)", kOneItem},
      // A K of 0 restrains nothing: refused as STIFF=0 is, not blamed on DV.
      {"T20,X5,CK=0,DV(1,0,0)", "Invalid stiffness :  0"},
  };
  for (const auto& [row, message] : refusals) EXPECT_EQ(Refusal(row), LineError(12, row, message));
}

TEST_F(BatchSupportKeywordsTest, GuidesAndLimitStopsTakeTheirValues) {
  const Model& m = Imported(
      "T20,X50,CG\nT30,X50,CG,MU=0.3,STIFF=5000,GGAP=0.125,CNOD=10\nT40,X50,CLS(0,NONE),DV(0,1,0)\n"
      "T50,X50,CLS(-1,1.50),DV(1,0,0),MU=0.2,STIFF=RIGID,CNOD=30\nT60,X50,CLS(NONE,0),DV(0,0,2),STIFF=250\n"
      "T70,X50,CLS(0.5,0.5),DV(0,1,0)\nT80,X50,CLS(,2),DV(0,1,0)");
  ASSERT_EQ(m.rowCount, 9);
  // A guide without STIFF is rigid.
  ASSERT_EQ(m.row(3).dataType, DataType::Guide);
  EXPECT_EQ(Item<Guide>(3).stiffness, 1.0e12f);
  EXPECT_EQ(Item<Guide>(3).frictionCoefficient, 0.0f);
  EXPECT_FALSE(Item<Guide>(3).IsNonlinear());
  const Guide& guide = Item<Guide>(4);
  EXPECT_EQ(std::vector<float>({guide.frictionCoefficient, guide.stiffness, guide.gap}),
            std::vector<float>({0.3f, 5000.0f, 0.125f}));
  EXPECT_EQ(guide.connectedNode, 10);
  // The stops: limits (none as the sentinels), direction as written.
  ASSERT_EQ(m.row(5).dataType, DataType::LimitStop);
  const LimitStop& vertical = Item<LimitStop>(5);
  EXPECT_EQ(std::vector<float>({vertical.lowerLimit, vertical.upperLimit, vertical.dirX, vertical.dirY, vertical.dirZ}),
            std::vector<float>({0.0f, 1.0e30f, 0.0f, 1.0f, 0.0f}));
  EXPECT_EQ(vertical.stiffness, 1.0e12f);
  const LimitStop& axial = Item<LimitStop>(6);
  EXPECT_EQ(std::vector<float>({axial.lowerLimit, axial.upperLimit, axial.frictionCoefficient, axial.stiffness}),
            std::vector<float>({-1.0f, 1.5f, 0.2f, 1.0e12f}));
  EXPECT_EQ(axial.connectedNode, 30);
  const LimitStop& upperOnly = Item<LimitStop>(7);
  EXPECT_EQ(std::vector<float>({upperOnly.lowerLimit, upperOnly.upperLimit, upperOnly.dirZ, upperOnly.stiffness}),
            std::vector<float>({-1.0e30f, 0.0f, 2.0f, 250.0f}));
  // Equal limits hold the pipe at that travel; an empty lower one is none.
  EXPECT_EQ(Item<LimitStop>(8).lowerLimit, 0.5f);
  EXPECT_EQ(Item<LimitStop>(8).upperLimit, 0.5f);
  EXPECT_EQ(Item<LimitStop>(9).lowerLimit, -1.0e30f);
}

TEST_F(BatchSupportKeywordsTest, SkewedRestraintsAndSnubbersTakeTheirValues) {
  const Model& m = Imported(
      "T20,X50,CK=2500,DV(0.5,0,-1.0)\nT30,X50,CKR=RIGID,DV(0,0,1)\nT40,X50,CK=1E4,CNOD=20\n"
      "T50,X50,CSNUBBER,DV(0,1,0)\nT60,X50,CSNUBBER,STIFF=8000,DV(1,1,0)");
  ASSERT_EQ(m.rowCount, 7);
  ASSERT_EQ(m.row(3).dataType, DataType::SkewedRestraint);
  const SkewedRestraint& translational = Item<SkewedRestraint>(3);
  EXPECT_EQ(translational.rotational, 0);
  EXPECT_EQ(std::vector<float>({translational.stiffness, translational.dirX, translational.dirY, translational.dirZ}),
            std::vector<float>({2500.0f, 0.5f, 0.0f, -1.0f}));
  const SkewedRestraint& rotational = Item<SkewedRestraint>(4);
  EXPECT_EQ(rotational.rotational, 1);
  EXPECT_EQ(rotational.stiffness, 1.0e12f);
  EXPECT_EQ(Item<SkewedRestraint>(5).connectedNode, 20);
  EXPECT_EQ(Item<SkewedRestraint>(5).stiffness, 1.0e4f);
  ASSERT_EQ(m.row(6).dataType, DataType::Snubber);
  EXPECT_EQ(Item<Snubber>(6).stiffness, 1.0e12f);  // rigid unless STIFF
  EXPECT_EQ(Item<Snubber>(6).dirY, 1.0f);
  EXPECT_EQ(Item<Snubber>(7).stiffness, 8000.0f);
  EXPECT_EQ(Item<Snubber>(7).dirX + Item<Snubber>(7).dirY, 2.0f);
}

TEST_F(BatchSupportKeywordsTest, ValuesAreReadInTheFilesUnits) {
  // SI: displacements in mm, stiffnesses in N/mm, rotational in N-m/deg.
  const Model& m = Imported("T20,X500,CG,STIFF=175.1268,GGAP=3.175\nT30,X500,CLS(-25.4,12.7),DV(0,1,0)\n"
                            "T40,X500,CKR=1.1298,DV(1,0,0)",
                            "OPTIONS\nSI,B313\n");
  ASSERT_EQ(m.rowCount, 5);
  EXPECT_NEAR(Item<Guide>(3).stiffness, 1000.0, 0.01);  // lb/in
  EXPECT_NEAR(Item<Guide>(3).gap, 0.125, 1e-6);         // in
  EXPECT_NEAR(Item<LimitStop>(4).lowerLimit, -1.0, 1e-6);
  EXPECT_NEAR(Item<LimitStop>(4).upperLimit, 0.5, 1e-6);
  // 1.1298 N-m/deg is 10 in-lb/deg, 572.96 in-lb/rad.
  EXPECT_NEAR(Item<SkewedRestraint>(5).stiffness, 572.96, 0.05);
}

TEST_F(BatchSupportKeywordsTest, ConnectedNodesAreHeldToTheDialogsRules) {
  Model model;
  // Refused with the line that gave them, once the model is made.
  EXPECT_EQ(Import("Supports\n" PREFIX "T20,X50,CG,CNOD=99\nT30,X50\n", model),
            LineError(12, "T20,X50,CG,CNOD=99", "Connected node is not defined"));
  model = Model();
  EXPECT_EQ(Import("Supports\n" PREFIX "T20,X50,KI\nT30,Y50\nL30,CK=10,CNOD=20\n", model),
            LineError(14, "L30,CK=10,CNOD=20", "Connected node cannot be a bend node"));
  model = Model();
  EXPECT_EQ(Import("Supports\n" PREFIX "T20,X50\nL20,CLS(0,),DV(0,1,0),CNOD=20\n", model),
            LineError(13, "L20,CLS(0,),DV(0,1,0),CNOD=20", "Node cannot be connected to itself"));
  // A node a later row makes is a node of the model.
  Imported("T20,X50,CLS(0,),CNOD=30\nT30,X50");
  EXPECT_EQ(Item<LimitStop>(3).connectedNode, 30);
}

}  // namespace
