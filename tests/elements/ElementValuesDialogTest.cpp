// The numeric element dialogs (tie rod, slip, hinge and ball joints) on
// their shared fields: a field left as it was shown keeps the stored value
// to the last bit although its text is a rounding, a typed field is read,
// an OK that changed nothing stores nothing, and while results are shown
// every field is read-only and nothing is stored.
#include "elements/BallJoint.h"
#include "elements/HingeJoint.h"
#include "elements/InlineTesting.h"
#include "elements/SlipJoint.h"
#include "elements/TieRod.h"
#include "model/RowOperations.h"

namespace {

class ElementValuesDialogTest : public InlineFixture {
 protected:
  static constexpr int kRow = 3;
  template <typename Kind>
  static Kind& Make(ElementType type) {
    SetElementType(TheModel(), kRow, type);
    return static_cast<Kind&>(*TheModel().row(kRow).element);
  }
  // The value a field's text gives back: the test means something only
  // where it differs from the stored value.
  static float ReadBack(HWND dialog, int item, int (*parse)(std::string_view, float&)) {
    float value = 0.0f;
    EXPECT_EQ(parse(Field(dialog, item), value), 0);
    return value;
  }
};

TEST_F(ElementValuesDialogTest, FieldsLeftAsShownKeepTheStoredValuesAndATypedOneIsRead) {
  auto& rod = Make<TieRod>(ElementType::TieRod);
  rod.tensionStiffness = 1000.0f / 3.0f;
  rod.compressionStiffness = 2.0e6f / 7.0f;
  rod.tensionGap = 1.0f / 3.0f;
  rod.compressionGap = 2.0f / 7.0f;
  const float stiffnesses[2] = {rod.tensionStiffness, rod.compressionStiffness}, gap = rod.compressionGap;
  EditRow("TIE_ROD_DIALOG", kRow, [&](HWND dialog) {
    EXPECT_NE(ReadBack(dialog, 1301, ParseStiffness), stiffnesses[0]);
    EXPECT_NE(ReadBack(dialog, 1304, ParseDimension), gap);
    SetDlgItemText(dialog, 1303, "0.5");
    Ok(dialog);
  });
  EXPECT_EQ(rod.tensionStiffness, stiffnesses[0]);
  EXPECT_EQ(rod.compressionStiffness, stiffnesses[1]);
  EXPECT_EQ(rod.tensionGap, 0.5f);
  EXPECT_EQ(rod.compressionGap, gap);
  EXPECT_TRUE(TheModel().modified);
  TheModel().modified = false;
  EditRow("TIE_ROD_DIALOG", kRow, [](HWND dialog) { Ok(dialog); });
  EXPECT_FALSE(TheModel().modified);
}

TEST_F(ElementValuesDialogTest, TheHingeAxisAndTheBallStiffnessLeftAsShownKeepTheirs) {
  auto& hinge = Make<HingeJoint>(ElementType::HingeJoint);
  hinge.stiffness = 1.0e5f / 3.0f;
  hinge.axis[0] = 1.0f / 3.0f;
  hinge.axis[1] = 2.0f / 3.0f;
  hinge.axis[2] = 0.0f;
  const float stiffness = hinge.stiffness;
  const std::vector<float> axis(hinge.axis, hinge.axis + 3);
  EditRow("HINGE_DIALOG", kRow, [&](HWND dialog) {
    EXPECT_NE(ReadBack(dialog, 1301, ParseRotStiffness), stiffness);
    SetDlgItemText(dialog, 1304, "25");
    Ok(dialog);
  });
  EXPECT_EQ(hinge.stiffness, stiffness);
  EXPECT_EQ(std::vector<float>(hinge.axis, hinge.axis + 3), axis);
  EXPECT_GT(hinge.weight, 0.0f);
  // The axis typed anew is read as typed.
  EditRow("HINGE_DIALOG", kRow, [](HWND dialog) {
    SetDlgItemText(dialog, 1305, "0");
    SetDlgItemText(dialog, 1306, "0");
    SetDlgItemText(dialog, 1307, "-3");
    Ok(dialog);
  });
  EXPECT_EQ(std::vector<float>(hinge.axis, hinge.axis + 3), std::vector<float>({0.0f, 0.0f, -3.0f}));

  auto& ball = Make<BallJoint>(ElementType::BallJoint);
  ball.bendingStiffness = 1.0e5f / 7.0f;
  const float bending = ball.bendingStiffness;
  EditRow("BALL_DIALOG", kRow, [&](HWND dialog) {
    EXPECT_NE(ReadBack(dialog, 1301, ParseRotStiffness), bending);
    SetDlgItemText(dialog, 1307, "12");
    Ok(dialog);
  });
  EXPECT_EQ(ball.bendingStiffness, bending);
  EXPECT_GT(ball.weight, 0.0f);
}

TEST_F(ElementValuesDialogTest, WhileResultsAreShownEveryFieldIsReadOnlyAndNothingIsStored) {
  auto& joint = Make<SlipJoint>(ElementType::SlipJoint);
  joint.frictionForce = 40.0f;
  TheModel().modified = false;
  SetTableResultsShown(true);
  EditRow("SLIP_DIALOG", kRow, [](HWND dialog) {
    for (int item = 1301; item <= 1304; ++item) EXPECT_TRUE(ReadOnly(dialog, item)) << item;
    SetDlgItemText(dialog, 1301, "90");
    Ok(dialog);
  });
  SetTableResultsShown(false);
  EXPECT_EQ(joint.frictionForce, 40.0f);
  EXPECT_FALSE(TheModel().modified);
}

}  // namespace
