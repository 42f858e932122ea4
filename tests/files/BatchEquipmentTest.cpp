// The PUMPS, COMPRESSORS, TURBINES and ALLOW sections: every refusal with its
// whole message, the records accepted lines leave (nodes with suffixes,
// locations, axes, centres and allowable loads in the units in force), the
// tables growing past their first four records, and the model left as it
// was when a line is refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/BatchTesting.h"
#include "files/ModelFile.h"
#include "model/Nodes.h"

namespace {

struct Refusal {
  const char* section;
  const char* line;
  const char* message;
};

const Refusal kRefusals[] = {
    {"PUMPS", "", "Pump description is required"},
    {"PUMPS", ",1,10,20", "Pump description is required"},
    {"PUMPS", "P-101 FEED PUMP NO7,1,10,20", "Pump desc should be <= 15 characters :  P-101 FEED PUMP NO7"},
    {"PUMPS", "P-101", "Pump type is required"},
    {"PUMPS", "P-101,", "Pump type is required"},
    {"PUMPS", "P-101,2,10,20", "Invalid Pump type :  2"},
    {"PUMPS", "P-101,X,10,20", "Invalid Pump type :  X"},
    {"PUMPS", "P-101,1", "Suction or Dischage node required"},
    {"PUMPS", "P-101,1,,", "Suction or Dischage node required"},
    {"PUMPS", "P-101,1,10Q,20", "Invalid Suction node :  10Q"},
    {"PUMPS", "P-101,1,10,100000", "Invalid discharge node :  100000"},
    {"PUMPS", "P-101,0,1,0", "Shaft axis direction required"},
    {"PUMPS", "P-101,0,1,X,0", "Invalid ycomp :  X"},
    {"PUMPS", "P-101,0,Q,0,0", "Invalid xcomp :  Q"},
    {"PUMPS", "P-101,0,1,0,Z,1,2,3", "Invalid zcomp :  Z"},
    {"PUMPS", "P-101,0,1,0,0,1,2", "Centre of pump required"},
    {"PUMPS", "P-101,0,1,0,0,A,2,3,10", "Invalid x coordinate :  A"},
    {"PUMPS", "P-101,0,1,0,0,1,B,3,10", "Invalid y coordinate :  B"},
    {"PUMPS", "P-101,0,1,0,0,1,2,C,10", "Invalid z coordinate :  C"},
    {"PUMPS", "P-101,0,1,0,0,1,2,3", "Suction or Dischage node required"},
    {"PUMPS", "P-101,0,1,0,0,1,2,3,0", "Invalid Suction node :  0"},
    {"PUMPS", "P-101,0,1,0,0,1,2,3,10,3", "Invalid Suction location :  3"},
    {"PUMPS", "P-101,0,1,0,0,1,2,3,10,1,20X", "Invalid discharge node :  20X"},
    {"PUMPS", "P-101,0,1,0,0,1,2,3,10,1,20,-1", "Invalid discharge location :  -1"},
    {"PUMPS", "P-101,0,0,0,0,1,2,3,10", "invalid shaft axis direction"},
    {"PUMPS", "P-101,0,1,0.2,0,1,2,3,10", "Pump P-101: the shaft axis of a horizontal pump must be level"},
    {"PUMPS", "P-102,0,1,0,0,0,0,0,30,1,40,2", "Invalid centre of pump"},
    {"COMPRESSORS", "", "Compressor description is required"},
    {"COMPRESSORS", "COMPRESSOR K-1010,0,1,0", "Compressor desc should be <= 15 characters :  COMPRESSOR K-1010"},
    {"COMPRESSORS", "K-1,0,1", "Shaft axis direction required"},
    {"COMPRESSORS", "K-1,0,Y,0", "Invalid ycomp :  Y"},
    {"COMPRESSORS", "K-1,0,0,0", "shaft axis direction required"},
    {"COMPRESSORS", "K-1,0,1,0,100Z", "Invalid inlet node number"},
    {"COMPRESSORS", "K-1,0,1,0,100,-5", "Invalid exhaust node number"},
    {"COMPRESSORS", "K-1,0,1,0,100,110,1.5", "Invalid extraction1 node number"},
    {"COMPRESSORS", "K-1,0,1,0,100,110,120,0", "Invalid extraction2 node number"},
    {"COMPRESSORS", "K-1,0,1,0,100,110,120, ,", "Invalid extraction2 node number"},
    {"COMPRESSORS", "K-1,0,1,0,100,110,120,ABC", "Invalid extraction2 node number"},
    {"TURBINES", ",1,0,0", "Turbine description is required"},
    {"TURBINES", "STEAM TURBINE T-1A,1,0,0", "Turbine desc should be <= 15 characters :  STEAM TURBINE T-1A"},
    {"TURBINES", "T-1", "Shaft axis direction required"},
    {"TURBINES", "T-1,,,", "Shaft axis direction required"},  // a trailing comma gives no field
    {"TURBINES", "T-1,,,,", "shaft axis direction required"},
    {"ALLOW", "", "force and moment required"},
    {"ALLOW", "55,1000,1000,1000,2000,2000", "force and moment required"},
    {"ALLOW", "56,,-5,,,7,", "force and moment required"},  // a trailing comma gives no field
    {"ALLOW", "55X,1,2,3,4,5,6", "Invalid node :  55X"},
    {"ALLOW", "100000,1,2,3,4,5,6", "Invalid node :  100000"},
    {"ALLOW", ",1,2,3,4,5,6", "Node required"},
    {"ALLOW", "55,F,2,3,4,5,6", "Invalid FX :  F"},
    {"ALLOW", "55,1,F,3,4,5,6", "Invalid FY :  F"},
    {"ALLOW", "55,1,2,F,4,5,6", "Invalid FZ :  F"},
    {"ALLOW", "55,1,2,3,M,5,6", "Invalid MX :  M"},
    {"ALLOW", "55,1,2,3,4,M,6", "Invalid MY :  M"},
    {"ALLOW", "55,1,2,3,4,5,M", "Invalid MZ :  M"},
};

class BatchEquipmentTest : public BatchFixture {};

TEST_F(BatchEquipmentTest, EveryBadLineIsRefusedWithItsMessageAndLine) {
  for (const Refusal& refusal : kRefusals) {
    SCOPED_TRACE(std::string(refusal.section) + " / " + refusal.line);
    Model model;
    // A good line before the bad one: the refusal names the third line.
    const std::string good = std::string(refusal.section) == "PUMPS"         ? "P-1,1,5"
                             : std::string(refusal.section) == "ALLOW"       ? "5,1,1,1,1,1,1"
                                                                              : "E-1,1,0,0";
    EXPECT_EQ(Import(std::string("T\n") + refusal.section + "\n" + good + "\n" + refusal.line + "\n", model),
              LineError(4, refusal.line, refusal.message));
  }
}

TEST_F(BatchEquipmentTest, PumpLinesOfBothTypes) {
  Model model;
  ASSERT_EQ(Import("T\nPUMPS\nP-101 feed,1,10,20\nP-2,1,,30A\nPUMPS 1A,0,0,0,-1,12,-24,36,99999A,2,40,1\n"
                   "P-4,0,1,0,1,1,0,0,,,50\nP-5,0,1,0,0,0,0,7,8\nCOD\n",
                   model),
            "");
  ASSERT_EQ(model.pumps.count, 5);
  const Pump& feed = model.pumps[1];
  EXPECT_EQ(feed.name, "P-101 FEED");  // blanks kept, upper-cased
  EXPECT_EQ(feed.vertical, 1);
  EXPECT_EQ(feed.suctionNode, 10);
  EXPECT_EQ(feed.dischargeNode, 20);
  EXPECT_EQ(feed.shaftAxis, (std::array<float, 3>{}));
  EXPECT_EQ(feed.centre, (std::array<float, 3>{}));
  EXPECT_EQ(feed.standard, 0);
  const Pump& second = model.pumps[2];
  EXPECT_EQ(second.suctionNode, 0);
  NodeId suffixed = 0;
  ASSERT_EQ(ParseNodeNumber("30A", suffixed), kNodeOk);
  EXPECT_EQ(second.dischargeNode, suffixed);
  const Pump& third = model.pumps[3];
  EXPECT_EQ(third.name, "PUMPS 1A");
  EXPECT_EQ(third.vertical, 0);
  EXPECT_EQ(third.shaftAxis, (std::array<float, 3>{0.0f, 0.0f, -1.0f}));
  // English lengths are feet: 12 ft = 144 in.
  EXPECT_EQ(third.centre, (std::array<float, 3>{144.0f, -288.0f, 432.0f}));
  NodeId top = 0;
  ASSERT_EQ(ParseNodeNumber("99999A", top), kNodeOk);
  EXPECT_EQ(third.suctionNode, top);
  EXPECT_EQ(third.suctionLocation, kNozzleEnd);
  EXPECT_EQ(third.dischargeNode, 40);
  EXPECT_EQ(third.dischargeLocation, kNozzleSide);
  // Empty suction and location: none and top; the line may end after the
  // discharge node.
  const Pump& fourth = model.pumps[4];
  EXPECT_EQ(fourth.suctionNode, 0);
  EXPECT_EQ(fourth.suctionLocation, kNozzleTop);
  EXPECT_EQ(fourth.dischargeNode, 50);
  EXPECT_EQ(fourth.dischargeLocation, kNozzleTop);
  // A line ending after the suction node has only the suction.
  EXPECT_EQ(model.pumps[5].suctionNode, 8);
  EXPECT_EQ(model.pumps[5].dischargeNode, 0);
  EXPECT_EQ(model.pumps.capacity, 8);  // grown by four records at a time
}

TEST_F(BatchEquipmentTest, PumpCentreIsALengthInTheUnitsInForce) {
  Model model;
  ASSERT_EQ(Import("T\nOPTIONS\nSI\nPUMPS\nP-1,0,1,0,0,1000,-500,254,10\n", model), "");
  ASSERT_EQ(model.pumps.count, 1);
  // SI lengths are millimetres: 1000 mm = 39.3701 in, 254 mm = 10 in.
  EXPECT_NEAR(model.pumps[1].centre[0], 39.37008f, 1e-4f);
  EXPECT_NEAR(model.pumps[1].centre[1], -19.68504f, 1e-4f);
  EXPECT_NEAR(model.pumps[1].centre[2], 10.0f, 1e-5f);
}

TEST_F(BatchEquipmentTest, CompressorAndTurbineTables) {
  Model model;
  ASSERT_EQ(Import("T\nCOMPRESSORS\nK-1,0,1,0,100,110\nCOMPRESSOR K-11,1,0,0,,120,130,140D\nK-3,0,0,1\n"
                   "TURBINES\nT-1,0.5,0,-0.5,200,210,220\nCOMPRESSORS\nK-4,1,1,1,1,2,3,4\nK-5,1,1,1\n",
                   model),
            "");
  ASSERT_EQ(model.compressors.count, 5);
  ASSERT_EQ(model.turbines.count, 1);
  const RotatingEquipment& first = model.compressors[1];
  EXPECT_EQ(first.description, "K-1");
  EXPECT_EQ(first.shaftAxis, (std::array<float, 3>{0.0f, 1.0f, 0.0f}));
  EXPECT_EQ(first.inletNode, 100);
  EXPECT_EQ(first.exhaustNode, 110);
  EXPECT_EQ(first.extractionNode1, 0);
  EXPECT_EQ(first.extractionNode2, 0);
  const RotatingEquipment& second = model.compressors[2];
  EXPECT_EQ(second.description, "COMPRESSOR K-11");
  EXPECT_EQ(second.inletNode, 0);
  EXPECT_EQ(second.exhaustNode, 120);
  EXPECT_EQ(second.extractionNode1, 130);
  NodeId suffixed = 0;
  ASSERT_EQ(ParseNodeNumber("140D", suffixed), kNodeOk);
  EXPECT_EQ(second.extractionNode2, suffixed);
  EXPECT_EQ(model.compressors[3].inletNode, 0);  // none at all is accepted
  EXPECT_EQ(model.compressors[4].extractionNode2, 4);
  EXPECT_EQ(model.compressors.capacity, 8);
  const RotatingEquipment& turbine = model.turbines[1];
  EXPECT_EQ(turbine.description, "T-1");
  EXPECT_EQ(turbine.shaftAxis, (std::array<float, 3>{0.5f, 0.0f, -0.5f}));  // kept as given
  EXPECT_EQ(turbine.inletNode, 200);
  EXPECT_EQ(turbine.exhaustNode, 210);
  EXPECT_EQ(turbine.extractionNode1, 220);
}

TEST_F(BatchEquipmentTest, AllowableLoadsInEnglishAndSiUnits) {
  Model english;
  ASSERT_EQ(Import("T\nALLOW\n55,1000,1000,1000,2000,2000,2000\n56,,-5,,,7,0\n57,1,1,1,1,1,1\n58,1,1,1,1,1,1\n"
                   "55,1,2,3,4,5,6\n",
                   english),
            "");
  ASSERT_EQ(english.allowables.count, 5);
  EXPECT_EQ(english.allowables[1].node, 55);
  // Forces in lb; moments in ft-lb, held in in-lb.
  EXPECT_EQ(english.allowables[1].values, (std::array<float, 6>{1000, 1000, 1000, 24000, 24000, 24000}));
  EXPECT_EQ(english.allowables[2].values, (std::array<float, 6>{0, -5, 0, 0, 84, 0}));
  // Records are kept in file order past the first four, a repeated node
  // included; the first record of a node is the one found.
  EXPECT_EQ(english.allowables[5].node, 55);
  EXPECT_EQ(english.allowables[5].values[5], 72.0f);
  EXPECT_EQ(english.allowables.capacity, 8);
  EXPECT_EQ(FindAllowableByNode(english.allowables, 55), 1);

  Model si;
  ASSERT_EQ(Import("T\nOPTIONS\nSI\nALLOW\n10,4448.2216,0,0,112.98483,0,0\n", si), "");
  ASSERT_EQ(si.allowables.count, 1);
  // 4448.2216 N = 1000 lbf; 112.98483 N.m = 1000 in.lb.
  EXPECT_NEAR(si.allowables[1].values[0], 1000.0f, 0.01f);
  EXPECT_NEAR(si.allowables[1].values[3], 1000.0f, 0.01f);
}

// The model file keeps 15 characters of a description: a description of
// 15 is taken and goes through the model file as it was written; one of 16
// is refused on its line, not cut and not left for the save to fail on.
TEST_F(BatchEquipmentTest, DescriptionsTakeTheFifteenCharactersTheModelFileKeeps) {
  Model model;
  ASSERT_EQ(Import("T\nPUMPS\nP-101 FEED PUMP,1,10,20\nCOMPRESSORS\nK-1010 AIR COMP,0,1,0,100\n"
                   "TURBINES\nT-1A STEAM TURB,1,0,0,100\n",
                   model),
            "");
  const std::string path = ::testing::TempDir() + "/descriptions.mod";
  ASSERT_EQ(WriteModelFileFrom(model, path), "");
  Model back;
  ReadModelFileInto(path, back);
  std::filesystem::remove(path);
  ASSERT_EQ(back.pumps.count + back.compressors.count + back.turbines.count, 3);
  EXPECT_EQ(back.pumps[1].name, "P-101 FEED PUMP");
  EXPECT_EQ(back.compressors[1].description, "K-1010 AIR COMP");
  EXPECT_EQ(back.turbines[1].description, "T-1A STEAM TURB");

  const Refusal kOneOver[] = {
      {"PUMPS", "P-101 FEED PUMPS,1,10,20", "Pump desc should be <= 15 characters :  P-101 FEED PUMPS"},
      {"COMPRESSORS", "K-1010 AIR COMPR,0,1,0,100",
       "Compressor desc should be <= 15 characters :  K-1010 AIR COMPR"},
      {"TURBINES", "T-1A STEAM TURBN,1,0,0,100", "Turbine desc should be <= 15 characters :  T-1A STEAM TURBN"},
  };
  for (const Refusal& refusal : kOneOver) {
    Model refused;
    EXPECT_EQ(Import(std::string("T\n") + refusal.section + "\n" + refusal.line + "\n", refused),
              LineError(3, refusal.line, refusal.message));
  }
}

TEST_F(BatchEquipmentTest, ARefusedLineLeavesTheOpenModelAndItsFileAlone) {
  // Through the program's Import road: the refusal is shown and the open
  // model is the one before.
  Model model;
  ASSERT_EQ(Import("T\nPUMPS\nP-1,1,5\nALLOW\n5,1,1,1,1,1,1\n", model), "");
  EXPECT_EQ(model.pumps.count, 1);
  EXPECT_EQ(model.allowables.count, 1);
  Model refused;
  EXPECT_EQ(Import("T\nPUMPS\nP-1,1,5\nALLOW\n5,1,1,1,1,1,1\n,1,2,3,4,5,6\n", refused),
            LineError(6, ",1,2,3,4,5,6", "Node required"));
}

}  // namespace
