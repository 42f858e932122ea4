// The expansion joints as a user enters them: typed into the Layout
// table's type column, their dialogs with every refusal, the lists with
// their cells typed in place, and the printed sections as text and
// comma-separated lines; a joint too short to keep its flexibility is
// refused by the run, naming its row.
#include "elements/BallJoint.h"
#include "elements/BallJointDialog.h"
#include "elements/BallJointList.h"
#include "elements/Bellows.h"
#include "elements/BellowsList.h"
#include "elements/HingeJoint.h"
#include "elements/HingeJointList.h"
#include "elements/InlineTesting.h"
#include "elements/SlipJoint.h"
#include "elements/SlipJointDialog.h"
#include "elements/SlipJointList.h"
#include "elements/TieRod.h"
#include "elements/TieRodList.h"
#include "model/AnalysisElements.h"
#include "model/RowOperations.h"
#include "services/NumberText.h"

namespace {

class ExpansionJointsTest : public InlineFixture {
 protected:
  // Types `text` into row `row`'s type column; the kind's dialog follows.
  static void TypeKind(int row, const std::string& text) {
    ShowModelWindows();
    LayoutTable& layout = TheLayoutTable();
    TableGoTo(layout, row);
    layout.currentColumn = 2;
    TableLoadEditBuffer(layout);
    layout.editBuffer = text;
    layout.editChanged = true;
    TableCommitEdit(layout);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  template <typename Kind>
  static Kind& ElementAt(int row) {
    return dynamic_cast<Kind&>(*TheModel().row(row).element);
  }
  static std::string Trim(const char* text) { return TrimmedText(text); }
};

TEST_F(ExpansionJointsTest, ABellowsIsTypedRefusedFieldByFieldAndDerivesItsBendingRate) {
  platform::ExpectModal(platform::ModalKind::Dialog, "BELLOWS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Bellows from 20 to 30");
    EXPECT_EQ(Field(dialog, 1602), UnitLabel(kUnitRotStiffness));
    EXPECT_EQ(Field(dialog, 1605), UnitLabel(kUnitArea));
    ExpectRefused(dialog, "Axial stiffness is required", 1301);
    SetDlgItemText(dialog, 1301, "100");
    ExpectRefused(dialog, "Torsional stiffness is required", 1303);
    SetDlgItemText(dialog, 1303, "rigid");
    SetDlgItemText(dialog, 1304, "q");
    ExpectRefused(dialog, "Lateral stiffness =  Q  is invalid", 1304);
    SetDlgItemText(dialog, 1304, "0");
    SetDlgItemText(dialog, 1307, "-2");
    ExpectRefused(dialog, "Diameter =  -2  is invalid", 1307);
    SetDlgItemText(dialog, 1307, "");
    ExpectRefused(dialog, "Bending Stiffness or Mean diameter is required", 1302);
    SetDlgItemText(dialog, 1307, "10");
    SetDlgItemText(dialog, 1305, "28.5");
    SetDlgItemText(dialog, 1306, "75");
    Ok(dialog);
  });
  TypeKind(3, "Bellows");
  ASSERT_EQ(TheModel().row(3).elementType, ElementType::Bellows);
  const auto& b = ElementAt<Bellows>(3);
  EXPECT_EQ(b.axialStiffness, 100.0f);
  EXPECT_EQ(b.bendingStiffness, 1250.0f);  // 10^2 x 100 / 8
  EXPECT_TRUE(IsRigidStiffness(b.torsionalStiffness));
  EXPECT_EQ(b.lateralStiffness, 0.0f);
  EXPECT_EQ(b.pressureThrustArea, 28.5f);
  EXPECT_EQ(b.weight, 75.0f);
  EXPECT_EQ(b.meanDiameter, 10.0f);
  // Reopened: the derived rate is shown and OK changes nothing.
  TheModel().modified = false;
  EditRow("BELLOWS_DIALOG", 3, [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1302), Trim(FormatRotStiffnessOrRigid(1250.0f)));
    Ok(dialog);
  });
  EXPECT_FALSE(TheModel().modified);
}

// The bending rate D^2 x Ka / 8 keeps the rule of a stored value: 10^2 x
// 1E37 / 8 = 1.25E38 is refused; 10^2 x 5E36 / 8 = 6.25E37 is taken.
TEST_F(ExpansionJointsTest, ABendingRateDerivedPastAStoredValuesRangeIsRefusedOnTheDiameter) {
  platform::ExpectModal(platform::ModalKind::Dialog, "BELLOWS_DIALOG", [](HWND dialog) {
    for (const auto& [item, text] : {std::pair{1301, "1E37"}, {1303, "95"}, {1304, "4"}, {1307, "10"}})
      SetDlgItemText(dialog, item, text);
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND message) {
      EXPECT_EQ(LinesOfDialog(message).at(0), "Diameter =  10  is invalid:");
      Ok(message);
    });
    Ok(dialog);
    SetDlgItemText(dialog, 1301, "5E36");
    Ok(dialog);
  });
  TypeKind(3, "Bellows");
  EXPECT_FLOAT_EQ(ElementAt<Bellows>(3).bendingStiffness, 6.25e37f);
}

TEST_F(ExpansionJointsTest, TheBellowsListTakesTypedCellsAndPrints) {
  Model& model = TheModel();
  SetElementType(model, 3, ElementType::Bellows);
  auto& b = ElementAt<Bellows>(3);
  b.axialStiffness = 900.0f;
  b.bendingStiffness = 4.0e4f;
  b.torsionalStiffness = 6.0e5f;
  b.lateralStiffness = 1200.0f;
  b.pressureThrustArea = 30.0f;
  b.weight = 55.0f;
  MakeModel(model);
  ShowModelWindows();
  ChooseList("&Bellows");
  ASSERT_EQ(CurrentListOpener(), &OpenBellowsList);
  TableWindow& list = BellowsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(7, 0), "Thrust");
  EXPECT_EQ(list.HeadingText(7, 1), "area");
  EXPECT_EQ(list.HeadingText(4, 2), UnitLabel(kUnitRotStiffness));
  EXPECT_EQ(list.CellText(1, 1, 0), "20");
  EXPECT_EQ(list.CellText(1, 2, 0), "30");
  EXPECT_EQ(list.CellText(1, 3, 0), Trim(FormatStiffnessOrRigid(900.0f)));
  // An empty stiffness is refused as required; a typed 0 is taken; the
  // list derives no bending rate.
  TypeCell(list, 1, 6, "");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Lateral stiffness is required");
  EXPECT_EQ(b.lateralStiffness, 1200.0f);
  TypeCell(list, 1, 6, "0");
  EXPECT_EQ(b.lateralStiffness, 0.0f);
  TypeCell(list, 1, 9, "-1");
  EXPECT_EQ(messages.back(), "Diameter =  -1  is invalid");
  TypeCell(list, 1, 9, "12");
  EXPECT_EQ(b.meanDiameter, 12.0f);
  EXPECT_EQ(b.bendingStiffness, 4.0e4f);
  EXPECT_TRUE(model.modified);
  // Printed: axial, lateral, angular, torsional, area, weight, diameter.
  const std::string line = LineWith(Report("bellows.txt", PrintBellowsDetails), "   20");
  EXPECT_EQ(At(line, 6, 7), "20");
  EXPECT_EQ(At(line, 13, 14), "30");
  EXPECT_EQ(At(line, 18, 28), Trim(FormatStiffnessOrRigid(900.0f)));
  EXPECT_EQ(At(line, 29, 39), Trim(FormatStiffnessOrRigid(0.0f)));
  EXPECT_EQ(At(line, 40, 50), Trim(FormatRotStiffnessOrRigid(4.0e4f)));
  EXPECT_EQ(At(line, 73, 79), Trim(FormatWeight(55.0f)));
  const std::vector<std::string> csv = Report("bellows.csv", PrintBellowsDetails);
  EXPECT_FALSE(LineWith(csv, ",,Axial,Lateral,Angular,Torsional,Thrust area,Weight,Mean Dia").empty());
  EXPECT_EQ(LineWith(csv, "20,30,"),
            "20,30," + Trim(FormatStiffnessOrRigid(900.0f)) + "," + Trim(FormatStiffnessOrRigid(0.0f)) + "," +
                Trim(FormatRotStiffnessOrRigid(4.0e4f)) + "," + Trim(FormatRotStiffnessOrRigid(6.0e5f)) + "," +
                Trim(FormatArea(30.0f)) + "," + Trim(FormatWeight(55.0f)) + "," + Trim(FormatDimension(12.0f)) + ",");
}

TEST_F(ExpansionJointsTest, ATieRodNeedsAStiffnessAndTakesNoNegativeGap) {
  platform::ExpectModal(platform::ModalKind::Dialog, "TIE_ROD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Tie rod from 20 to 30");
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitStiffness));
    EXPECT_EQ(Field(dialog, 1602), UnitLabel(kUnitDimension));
    ExpectRefused(dialog, "At least one stiffness is required", 1301);
    SetDlgItemText(dialog, 1302, "k");
    ExpectRefused(dialog, "Stiffness =  K  is invalid", 1302);
    SetDlgItemText(dialog, 1302, "5000");
    SetDlgItemText(dialog, 1304, "-0.1");
    ExpectRefused(dialog, "Gap =  -0.1  is invalid", 1304);
    SetDlgItemText(dialog, 1304, "0.25");
    Ok(dialog);
  });
  TypeKind(3, "Tie rod");
  ASSERT_EQ(TheModel().row(3).elementType, ElementType::TieRod);
  auto& rod = ElementAt<TieRod>(3);
  EXPECT_EQ(std::vector<float>({rod.tensionStiffness, rod.compressionStiffness, rod.tensionGap, rod.compressionGap}),
            std::vector<float>({0.0f, 5000.0f, 0.0f, 0.25f}));
  EXPECT_TRUE(rod.IsNonlinear());
  // A compression-only rod starts each case in tension, with no spring.
  rod.ResetIteration();
  EXPECT_EQ(rod.state, kTieRodTension);
  EXPECT_EQ(rod.AxialStiffness(), 0.0);
  rod.state = kTieRodCompression;
  EXPECT_EQ(rod.AxialStiffness(), 5000.0);
  EXPECT_EQ(rod.GapForce(), -5000.0 * 0.25f);
  rod.state = kTieRodSlack;
  EXPECT_EQ(rod.AxialStiffness(), 0.001);
  EXPECT_EQ(rod.GapForce(), 0.0);
  // The list: a stiffness that would leave none is refused; printed.
  MakeModel(TheModel());
  ShowModelWindows();
  ChooseList("&Tie rods");
  TableWindow& list = TieRodsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(3, 0), "Stiffness");
  EXPECT_EQ(list.HeadingText(6, 1), "Compression");
  EXPECT_EQ(list.HeadingText(5, 2), UnitLabel(kUnitDimension));
  TypeCell(list, 1, 4, "0");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "At least one stiffness is required");
  EXPECT_EQ(rod.compressionStiffness, 5000.0f);
  TypeCell(list, 1, 3, "8000");
  EXPECT_EQ(rod.tensionStiffness, 8000.0f);
  TypeCell(list, 1, 4, "0");
  EXPECT_EQ(rod.compressionStiffness, 0.0f);
  const std::vector<std::string> text = Report("rods.txt", PrintTieRodsDetails);
  EXPECT_FALSE(LineWith(text, "Tension   Compression").empty());
  const std::string line = LineWith(text, "     20");
  EXPECT_EQ(At(line, 23, 32), Trim(FormatStiffnessOrRigid(8000.0f)));
  EXPECT_EQ(At(line, 64, 75), Trim(FormatDimension(0.25f)));
  const std::vector<std::string> csv = Report("rods.csv", PrintTieRodsDetails);
  EXPECT_FALSE(LineWith(csv, "From,To,Tension,Compression,Tension,Compression").empty());
  EXPECT_EQ(LineWith(csv, "20,30,"), "20,30," + Trim(FormatStiffnessOrRigid(8000.0f)) + "," +
                                         Trim(FormatStiffnessOrRigid(0.0f)) + "," + Trim(FormatDimension(0.0f)) + "," +
                                         Trim(FormatDimension(0.25f)) + ",");
}

TEST_F(ExpansionJointsTest, ASlipJointShowsZeroAsBlankAndIsNonlinearOnlyWithFriction) {
  platform::ExpectModal(platform::ModalKind::Dialog, "SLIP_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Slip joint from 20 to 30");
    EXPECT_EQ(Field(dialog, 1601), UnitLabel(kUnitForce));
    EXPECT_EQ(Field(dialog, 1602), UnitLabel(kUnitMoment));
    SetDlgItemText(dialog, 1301, "f");
    ExpectRefused(dialog, "Friction force =  F  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "1200");
    SetDlgItemText(dialog, 1303, "?");
    ExpectRefused(dialog, "Pressure thrust area =  ?  is invalid", 1303);
    SetDlgItemText(dialog, 1303, "30");
    SetDlgItemText(dialog, 1304, "80");
    Ok(dialog);
  });
  TypeKind(3, "Slip");
  ASSERT_EQ(TheModel().row(3).elementType, ElementType::SlipJoint);
  auto& joint = ElementAt<SlipJoint>(3);
  EXPECT_EQ(std::vector<float>({joint.frictionForce, joint.frictionTorque, joint.pressureThrustArea, joint.weight}),
            std::vector<float>({1200.0f, 0.0f, 30.0f, 80.0f}));
  EXPECT_TRUE(joint.IsNonlinear());
  TheModel().modified = false;
  EditRow("SLIP_DIALOG", 3, [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1302), "");  // 0 shows blank
    EXPECT_EQ(Field(dialog, 1301), Trim(FormatForce(1200.0f)));
    Ok(dialog);
  });
  EXPECT_FALSE(TheModel().modified);
  // Listed: blank cells for 0; typed cells parsed with the dialog's labels.
  MakeModel(TheModel());
  ShowModelWindows();
  ChooseList("&Slip joints");
  TableWindow& list = SlipJointsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(4, 0), "Frict.torque");
  EXPECT_EQ(list.HeadingText(4, 1), UnitLabel(kUnitMoment));
  EXPECT_EQ(list.CellText(1, 4, 0), "");
  TypeCell(list, 1, 3, "0");
  EXPECT_EQ(joint.frictionForce, 0.0f);
  EXPECT_FALSE(joint.IsNonlinear());  // no friction: linear, a spring of 1
  TypeCell(list, 1, 6, "-");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Weight =  -  is invalid");
  TypeCell(list, 1, 4, "900");
  EXPECT_EQ(joint.frictionTorque, 900.0f * 12.0f);  // typed in ft-lb, kept in in-lb
  const std::string line = LineWith(Report("slips.txt", PrintSlipJointsDetails), "     20");
  EXPECT_EQ(At(line, 23, 34), "");  // no friction force
  EXPECT_EQ(At(line, 37, 50), Trim(FormatMoment(10800.0f)));
  EXPECT_EQ(At(line, 64, 75), Trim(FormatWeight(80.0f)));
  const std::vector<std::string> csv = Report("slips.csv", PrintSlipJointsDetails);
  EXPECT_FALSE(LineWith(csv, ",,Frict force,Frict torque,Thrust area,Weight").empty());
  EXPECT_EQ(LineWith(csv, "20,30,"), "20,30," + Trim(FormatForce(0.0f)) + "," + Trim(FormatMoment(10800.0f)) + "," +
                                         Trim(FormatArea(30.0f)) + "," + Trim(FormatWeight(80.0f)) + ",");
}

TEST_F(ExpansionJointsTest, AHingeTakesNoneAsNoLimitAndRefusesANegativeOne) {
  platform::ExpectModal(platform::ModalKind::Dialog, "HINGE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Hinge joint from 20 to 30");
    EXPECT_EQ(Field(dialog, 1602), UnitLabel(kUnitAngle));
    SetDlgItemText(dialog, 1301, "x");
    ExpectRefused(dialog, "Stiffness =  X  is invalid", 1301);
    SetDlgItemText(dialog, 1301, "1000");
    SetDlgItemText(dialog, 1302, "-2");
    ExpectRefused(dialog, "Rotation limit should be positive", 1302);
    SetDlgItemText(dialog, 1302, "nonexistent");
    ExpectRefused(dialog, "Rotation limit =  NONEXISTENT  is invalid", 1302);
    SetDlgItemText(dialog, 1302, "no");  // a leading part of None
    ExpectRefused(dialog, "Direction is invalid", 1305);
    SetDlgItemText(dialog, 1307, "2");
    Ok(dialog);
  });
  TypeKind(3, "Hinge");
  ASSERT_EQ(TheModel().row(3).elementType, ElementType::HingeJoint);
  auto& hinge = ElementAt<HingeJoint>(3);
  EXPECT_EQ(hinge.rotationLimit, 1.0e30f);
  EXPECT_EQ(hinge.axis[2], 2.0f);  // kept as entered
  EXPECT_FALSE(hinge.IsNonlinear());
  // Reopened: "None"; a limit given makes it nonlinear.
  TheModel().modified = false;
  EditRow("HINGE_DIALOG", 3, [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1302), "None");
    Ok(dialog);
  });
  EXPECT_FALSE(TheModel().modified);
  EditRow("HINGE_DIALOG", 3, [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "5");
    Ok(dialog);
  });
  EXPECT_NEAR(hinge.rotationLimit, 5.0 * 3.14159265358979 / 180.0, 1e-6);  // degrees typed, radians kept
  EXPECT_TRUE(hinge.IsNonlinear());
  // Listed: a negative friction torque refused; printed without the limit.
  MakeModel(TheModel());
  ShowModelWindows();
  ChooseList("&Hinge joints");
  TableWindow& list = HingeJointsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(4, 0), "Rot.Limit");
  EXPECT_EQ(list.CellText(1, 9, 0), TrimmedText(FormatFixedWidth(2.0, 8, 3)));
  TypeCell(list, 1, 5, "-10");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Friction Torque =  -10  is invalid");
  TypeCell(list, 1, 4, "N");
  EXPECT_EQ(hinge.rotationLimit, 1.0e30f);
  TypeCell(list, 1, 7, "0");
  TypeCell(list, 1, 9, "0");
  EXPECT_EQ(messages.back(), "Direction is invalid");
  EXPECT_EQ(hinge.axis[2], 2.0f);
  const std::vector<std::string> csv = Report("hinges.csv", PrintHingeJointsDetails);
  EXPECT_FALSE(LineWith(csv, ",,Rot.stiff,Frict.torq,Weight,,Axis direction").empty());
  EXPECT_EQ(LineWith(csv, "20,30,"), "20,30," + Trim(FormatRotStiffnessOrRigid(hinge.stiffness)) + "," +
                                         Trim(FormatMoment(0.0f)) + "," + Trim(FormatWeight(0.0f)) + ",0.000,0.000," +
                                         TrimmedText(FormatFixedWidth(2.0, 8, 3)) + ",");
  const std::string line = LineWith(Report("hinges.txt", PrintHingeJointsDetails), "     20");
  EXPECT_EQ(At(line, 73, 80), TrimmedText(FormatFixedWidth(2.0, 8, 3)));
  EXPECT_EQ(At(line, 55, 63), "");  // a zero component is left out
}

TEST_F(ExpansionJointsTest, ABallJointSitsAtThePreviousNodeAndRefusesANegativeFriction) {
  platform::ExpectModal(platform::ModalKind::Dialog, "BALL_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Ball joint from 20 to 30");
    SetDlgItemText(dialog, 1301, "5000");
    SetDlgItemText(dialog, 1303, "nonexistent");
    ExpectRefused(dialog, "Rotation limit =  NONEXISTENT  is invalid", 1303);
    SetDlgItemText(dialog, 1303, "n");
    SetDlgItemText(dialog, 1304, "-1");
    ExpectRefused(dialog, "Rotation limit should be positive", 1304);
    SetDlgItemText(dialog, 1304, "3");
    SetDlgItemText(dialog, 1305, "-100");
    ExpectRefused(dialog, "Bending friction torque =  -100  is invalid", 1305);
    SetDlgItemText(dialog, 1305, "");
    Ok(dialog);
  });
  TypeKind(3, "Ball");
  ASSERT_EQ(TheModel().row(3).elementType, ElementType::BallJoint);
  const LayoutRow& row = TheModel().row(3);
  EXPECT_EQ(std::vector<float>({row.dx, row.dy, row.dz}), std::vector<float>({0.0f, 0.0f, 0.0f}));  // was 12, 0, 0
  auto& ball = ElementAt<BallJoint>(3);
  EXPECT_EQ(ball.bendingRotationLimit, 1.0e30f);
  EXPECT_NEAR(ball.torsionalRotationLimit, 3.0 * 3.14159265358979 / 180.0, 1e-6);
  EXPECT_TRUE(ball.IsNonlinear());
  TheModel().modified = false;
  EditRow("BALL_DIALOG", 3, [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1302), "");  // 0 blank
    EXPECT_EQ(Field(dialog, 1303), "None");
    Ok(dialog);
  });
  EXPECT_FALSE(TheModel().modified);
  MakeModel(TheModel());
  ShowModelWindows();
  ChooseList("&Ball joints");
  TableWindow& list = BallJointsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.HeadingText(5, 0), "Rotation limit");
  EXPECT_EQ(list.HeadingText(6, 1), "Torsional");
  EXPECT_EQ(list.CellText(1, 5, 0), "None");
  TypeCell(list, 1, 8, "-5");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Torsional friction torque =  -5  is invalid");
  TypeCell(list, 1, 6, "none");
  EXPECT_EQ(ball.torsionalRotationLimit, 1.0e30f);
  EXPECT_FALSE(ball.IsNonlinear());
  const std::vector<std::string> csv = Report("balls.csv", PrintBallJointsDetails);
  EXPECT_FALSE(LineWith(csv, ",,Bending,Torsional,Bending,Torsional,Weight").empty());
  EXPECT_EQ(LineWith(csv, "20,"), "20,30," + Trim(FormatRotStiffnessOrRigid(ball.bendingStiffness)) + "," +
                                      Trim(FormatRotStiffnessOrRigid(0.0f)) + "," + Trim(FormatMoment(0.0f)) + "," +
                                      Trim(FormatMoment(0.0f)) + "," + Trim(FormatWeight(0.0f)) + ",");
}

TEST_F(ExpansionJointsTest, AJointShorterThanTheMergingDistanceIsRefusedByRow) {
  Model& model = TheModel();
  SetElementType(model, 3, ElementType::Bellows);
  model.row(3).dx = 0.005f;
  MakeModel(model);
  AnalysisElementList elements;
  try {
    GenerateAnalysisElements(model, elements);
    ADD_FAILURE() << "a bellows of 0.005 in was made a rigid link";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "Row 3: Bellows is shorter than 0.01 in; its flexibility would be lost");
  }
  EXPECT_EQ(elements.errorRow, 3);
}

}  // namespace

// A friction torque of a few inch-pounds shown in foot-pounds keeps its
// digits: 5 in-lb is 5/12 ft-lb, 6.5 in-lb is 6.5/12, neither "0" nor "1".
TEST(JointFrictionTorqueText, ASmallTorqueInFootPoundsNeverShowsAsAWholeNumber) {
  g_UnitsSettings = UnitsSettings{};
  SlipJoint slip;
  slip.frictionTorque = 5.0f;
  EXPECT_EQ(SlipJointValueText(slip, 1), "0.41667");
  BallJoint ball;
  ball.bendingFrictionTorque = 6.5f;
  EXPECT_EQ(BallJointValueText(ball, 4), "0.54167");
}
