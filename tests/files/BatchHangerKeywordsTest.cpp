// The hanger and threaded-joint keywords in LAYOUT lines: every refusal with
// its whole message, the hangers the accepted lines give (constant support,
// rod hanger, the OPTIONS section's default type, a user hanger with its
// rate, load and cold load type, a catalogue by HTYP with short range and
// load variation, a connected node) and the threaded joint.
#include <gtest/gtest.h>

#include "files/BatchTesting.h"
#include "model/RowObjects.h"
#include "supports/Hanger.h"
#include "supports/ThreadedJoint.h"

namespace {

#define PREFIX                                                                                          \
  "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,800,24.2E6,7.65E-6,10800\nPIPE\nS1,8.625,0.322\n" \
  "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\n"

class BatchHangerKeywordsTest : public BatchFixture {
 protected:
  const Model& Imported(const std::string& rows) {
    model_ = Model();
    EXPECT_EQ(Import(std::string("Hangers\n") + PREFIX + rows + "\n", model_), "") << rows;
    return model_;
  }
  static std::string Refusal(const std::string& row) {
    Model model;
    return Import(std::string("Hangers\n") + PREFIX + row + "\n", model);
  }
  const Hanger& At(int row) const { return dynamic_cast<const Hanger&>(*model_.row(row).item); }
  Model model_;
};

TEST_F(BatchHangerKeywordsTest, EveryRefusalGivesItsMessage) {
  const std::pair<std::string, std::string> refusals[] = {
      {"T20,X50,CCS(2)", "Invalid constant support :  CS(2)"},
      {"T20,X50,CRH(1)", "Invalid rod hanger :  RH(1)"},
      {"T20,X50,CVS(1)", "Invalid hanger :  VS(1)"},
      {"T20,X50,CCS=9", "Invalid number of hangers :  9"},
      {"T20,X50,CRH=0", "Invalid number of hangers :  0"},
      {"T20,X50,CUS=2", "Invalid user defined hanger :  US=2"},
      {"T20,X50,CUS(X,100,500)", "Invalid number of hangers :  X"},
      {"T20,X50,CUS(1,SOFT,500)", "Invalid spring rate for user defined hanger :  SOFT"},
      {"T20,X50,CUS(1,100,HEAVY)", "Invalid load for user defined hanger :  HEAVY"},
      {"T20,X50,CUS(1,100,500),CLD=2", "Invalid load type for user defined hanger :  2"},
      {"T20,X50,CUS(1,100,500),CLD=-1", "Invalid load type for user defined hanger :  -1"},
      {"T20,X50,CHTYP=35", "Invalid hanger type :  35"},
      {"T20,X50,CHTYP=0", "Invalid hanger type :  0"},
      {"T20,X50,CVS,MLV=100", "Invalid load variation (MLV) :  100"},
      {"T20,X50,CVS,MLV=0.5", "Invalid load variation (MLV) :  0.5"},
      {"T20,X50,CVS,MLV=LOW", "Invalid load variation (MLV) :  LOW"},
      {"T20,X50,CVS,G", "Only one data item per line is allowed\nUse Location (L) for additional items"},
      {"T20,X50,CTJOINT,RH", "Only one data item per line is allowed\nUse Location (L) for additional items"},
  };
  for (const auto& [row, message] : refusals) EXPECT_EQ(Refusal(row), LineError(12, row, message));
}

TEST_F(BatchHangerKeywordsTest, HangerLinesGiveTheirHangers) {
  const Model& m = Imported(
      "T20,X50,CCS\nT30,X50,CRH=2,CNOD=10\nT40,X50,CVS,SR,MLV=30.7\nT50,X50,CUS(3,200,1500),CLD=1\n"
      "T60,X50,CHTYP=18\nT70,X50,CTJOINT");
  ASSERT_EQ(m.rowCount, 8);
  ASSERT_EQ(m.row(3).dataType, DataType::Hanger);
  EXPECT_EQ(At(3).kind, kConstantSupport);
  EXPECT_EQ(At(3).numberOfHangers, 1);
  EXPECT_EQ(At(4).kind, kRodHanger);
  EXPECT_EQ(At(4).numberOfHangers, 2);
  EXPECT_EQ(At(4).connectedNode, 10);
  EXPECT_EQ(At(5).kind, kGrinnellCatalogue);  // the default type
  EXPECT_EQ(At(5).shortRange, 1);
  EXPECT_EQ(At(5).maximumLoadVariation, 30);
  const Hanger& user = At(6);
  EXPECT_EQ(user.kind, kUserHanger);
  EXPECT_EQ(std::vector<float>({user.springRate, user.load}), std::vector<float>({200.0f, 1500.0f}));
  EXPECT_EQ(user.numberOfHangers, 3);
  EXPECT_EQ(user.loadType, 1);
  EXPECT_EQ(At(7).kind, 18);
  EXPECT_EQ(At(7).maximumLoadVariation, 25);  // not given: the dialog's 25
  EXPECT_EQ(m.row(8).dataType, DataType::ThreadedJoint);
  EXPECT_NE(dynamic_cast<const ThreadedJoint*>(m.row(8).item.get()), nullptr);
}

}  // namespace
