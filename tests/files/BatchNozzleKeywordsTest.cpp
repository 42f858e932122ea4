// The nozzle keywords in LAYOUT lines: every refusal with its whole message
// (the keyword's own and the nozzle dialog's checks of the geometry), the
// nozzle an accepted line gives (cylinder or flat-bottom tank, the pad byte,
// the vessel axis from DV) with its springs computed as the dialog's OK
// computes them, and the one-item rule.
#include <gtest/gtest.h>

#include "files/BatchTesting.h"
#include "model/RowObjects.h"
#include "supports/Nozzle.h"

namespace {

#define PREFIX                                                                                          \
  "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,800,24.2E6,7.65E-6,10800\nPIPE\nS1,8.625,0.322\n" \
  "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\n"

constexpr const char* kCylinder = "T20,X50,CNOZZLE=297,NOD=8.625,NTHK=0.5,VOD=48,VTHK=0.5,L1=5,L2=5,E=29E6,DV(0,1,0)";

class BatchNozzleKeywordsTest : public BatchFixture {
 protected:
  const Model& Imported(const std::string& rows) {
    model_ = Model();
    EXPECT_EQ(Import(std::string("Nozzles\n") + PREFIX + rows + "\n", model_), "") << rows;
    return model_;
  }
  static std::string Refusal(const std::string& row) {
    Model model;
    return Import(std::string("Nozzles\n") + PREFIX + row + "\n", model);
  }
  const Nozzle& At(int row) const { return dynamic_cast<const Nozzle&>(*model_.row(row).item); }
  Model model_;
};

TEST_F(BatchNozzleKeywordsTest, EveryRefusalGivesItsMessage) {
  const std::string tank = "T20,X50,CNOZZLE=650,NOD=8,NTHK=0.5,VOD=800,VTHK=1,L1=0.8,E=29E6,DV(0,1,0)";
  const std::pair<std::string, std::string> refusals[] = {
      {"T20,X50,CNOZZLE=300", "Invalid Nozzle type :  300"},
      {"T20,X50,CNOZZLE=CYL", "Invalid Nozzle type :  CYL"},
      {"T20,X50,CNOZZLE=297,RPAD=2", "Invalid Reinforcing pad input"},
      {"T20,X50,CNOZZLE=297,NOD=0.0005", "Invalid nozzle od :  0.0005"},
      {"T20,X50,CNOZZLE=297,NTHK=BIG", "Invalid nozzle thickness :  BIG"},
      {"T20,X50,CNOZZLE=297,VOD=-48", "Invalid vessel od :  -48"},
      {"T20,X50,CNOZZLE=297,VTHK=0", "Invalid vessel thickness :  0"},
      {"T20,X50,CNOZZLE=297,L1=0", "Invalid length 1 :  0"},
      {"T20,X50,CNOZZLE=297,L2=X", "Invalid length 2 :  X"},
      {"T20,X50,CNOZZLE=297,E=STEEL", "Invalid modulus :  STEEL"},
      // The dialog's checks.
      {"T20,X50,CNOZZLE=297,NTHK=0.5,VOD=48,VTHK=0.5,L1=5,L2=5,E=29E6,DV(0,1,0)", "Nozzle OD =  0  is invalid"},
      {std::string(kCylinder) + ",NTHK=5", "Thickness is greater than radius"},
      {std::string(kCylinder) + ",VOD=6", "Nozzle OD > Vessel OD"},
      {std::string(kCylinder) + ",E=0", "Invalid modulus :  0"},
      // E left out: no spring could come of it.
      {"T20,X50,CNOZZLE=297,NOD=8.625,NTHK=0.5,VOD=48,VTHK=0.5,L1=5,L2=5,DV(0,1,0)",
       "Elastic modulus of vessel material must be greater than 0"},
      {"T20,X50,CNOZZLE=297,NOD=8.625,NTHK=0.5,VOD=48,VTHK=0.5,L1=5,E=29E6,DV(0,1,0)", "L2 =  0  is invalid"},
      {"T20,X50,CNOZZLE=297,NOD=8.625,NTHK=0.5,VOD=48,VTHK=0.5,L1=5,L2=5,E=29E6", "Direction is invalid"},
      // What the other vessel's nozzle keeps.
      {std::string(kCylinder) + ",RPAD=1", "RPAD is given to flat-bottom tank nozzles (NOZZLE=650) only :  RPAD=1"},
      {tank + ",L2=5", "L2 is given to cylindrical vessel nozzles (NOZZLE=297) only :  L2=5"},
      {tank + ",VOD=2000", "Nozzle OD/Vessel OD < 0.005"},
      {tank + ",VOD=150", "Nozzle OD/Vessel OD > 0.04"},
      {tank + ",L1=0.5", "L/Nozzle OD < 1.0"},
      {tank + ",L1=1.5", "L/Nozzle OD > 1.5"},
      {std::string(kCylinder) + ",G", "Only one data item per line is allowed\nUse Location (L) for additional items"},
  };
  for (const auto& [row, message] : refusals) EXPECT_EQ(Refusal(row), LineError(12, row, message));
}

TEST_F(BatchNozzleKeywordsTest, ANozzleLineGivesTheNozzleWithItsSprings) {
  const Model& m = Imported(std::string(kCylinder) + "\n" +
                            "T30,X50,CNOZZLE=650,RPAD=1,NOD=8,NTHK=0.5,VOD=800,VTHK=1,L1=0.8,E=29E6,DV(0,1,0)");
  ASSERT_EQ(m.row(3).dataType, DataType::Nozzle);
  const Nozzle& cylinder = At(3);
  EXPECT_EQ(cylinder.flatBottom, 0);
  EXPECT_EQ(cylinder.reinforcingPad, 0);  // a pad belongs to a tank only
  EXPECT_EQ(std::vector<float>({cylinder.nozzleOd, cylinder.nozzleThickness, cylinder.vesselOd,
                                cylinder.vesselThickness, cylinder.l1, cylinder.l2, cylinder.elasticModulus}),
            std::vector<float>({8.625f, 0.5f, 48.0f, 0.5f, 60.0f, 60.0f, 29.0e6f}));
  EXPECT_EQ(cylinder.vesselAxis, (std::array<float, 3>{0.0f, 1.0f, 0.0f}));
  // The springs are those of the worked cylinder (NozzleTest), not zeros.
  EXPECT_NEAR(cylinder.axialStiffness, 520097.0f, 520.0f);
  EXPECT_NEAR(cylinder.circumferentialStiffness, 5.1055e6f, 5.1e3f);
  EXPECT_NEAR(cylinder.longitudinalStiffness, 2.7104e7f, 2.7e4f);
  const Nozzle& tank = At(4);
  EXPECT_EQ(tank.flatBottom, 1);
  EXPECT_EQ(tank.reinforcingPad, 1);
  EXPECT_GT(tank.axialStiffness, 0.0f);
}

}  // namespace
