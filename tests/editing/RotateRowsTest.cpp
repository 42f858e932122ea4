// Rotating rows through Edit > Rotate and the change of the vertical axis
// through the analysis options: a quarter turn about Y takes (12000, 5, -3)
// to (-3, 5, -12000) exactly, a slope of 2 turns by 26.565 degrees whatever
// the angle field says, the kinds that are not turned keep their values,
// every refusal keeps the model, Undo and Redo give back the files; Y to Z
// vertical turns the layout to (z, x, y) and cycles every per-axis value,
// and back to Y gives back the model file byte for byte; the Layout window
// shows the turned rows as soon as the axis changes.
#include <cmath>
#include <fstream>
#include <iterator>

#include "analysis/AnalysisOptionsSheet.h"
#include "editing/RotateRows.h"
#include "elements/Valve.h"
#include "loads/Force.h"
#include "loads/TimeVaryingLoad.h"
#include "model/ListWindow.h"
#include "model/ToolTesting.h"
#include "platform/Paint.h"
#include "supports/Anchor.h"
#include "supports/GenericSupport.h"
#include "supports/Restraint.h"
#include "supports/RestraintList.h"

namespace {

constexpr int kRotate = 40012;
constexpr const char* kAxisQuestion = "Changing axis will rotate the layout. Press 'No' to proceed without rotation.";

class RotateRowsTest : public ToolFixture {
 protected:
  void SetUp() override {
    ToolFixture::SetUp();
    Model& model = TheModel();
    AddRow(model, 10, ElementType::From);                           // row 2
    AddRow(model, 20, ElementType::Pipe, 12000.0f, 5.0f, -3.0f);    // row 3
    AddRow(model, 30, ElementType::Pipe, 10.0f);                    // row 4
    AddRow(model, 40, ElementType::BallJoint);                      // row 5
    AddRow(model, 50, ElementType::Pipe, 0.0f, 24.0f);              // row 6
  }
  void Rotate(const std::string& from, const std::string& to, int axisButton, const std::string& angle,
              const std::string& slope) {
    WithDialog(kRotate, "ROTATE_ELEMENTS_DIALOG", [=](HWND dialog) {
      Set(dialog, 1301, from);
      Set(dialog, 1302, to);
      Click(dialog, axisButton);
      Set(dialog, 1303, angle);
      Set(dialog, 1304, slope);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static void ExpectRow(int r, float dx, float dy, float dz) {
    EXPECT_EQ(TheModel().row(r).dx, dx) << r;
    EXPECT_EQ(TheModel().row(r).dy, dy) << r;
    EXPECT_EQ(TheModel().row(r).dz, dz) << r;
  }
};

TEST_F(RotateRowsTest, AQuarterTurnAboutYIsExactAndUndone) {
  Open();
  const std::string before = Bytes();
  Rotate("3", "4", 1402, "90", "");
  ExpectRow(3, -3.0f, 5.0f, -12000.0f);
  ExpectRow(4, 0.0f, 0.0f, -10.0f);
  ExpectRow(6, 0.0f, 24.0f, 0.0f);  // outside the range
  EXPECT_EQ(NodeById(TheModel(), 30).z, -12010.0f);
  const std::string edited = Bytes();
  Command(40050);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  Command(40051);
  EXPECT_EQ(FirstDifference(Bytes(), edited), -1);
}

TEST_F(RotateRowsTest, ASlopeWinsOverTheAngleAndExcludedKindsStay) {
  TheModel().row(5).dx = 0.0f;
  Open();
  Rotate("4", "6", 1403, "45", "2");
  // atan(1/2) = 26.565 degrees: cos = 2/sqrt(5), sin = 1/sqrt(5).
  EXPECT_NEAR(TheModel().row(4).dx, 20.0 / std::sqrt(5.0), 1e-5);
  EXPECT_NEAR(TheModel().row(4).dy, 10.0 / std::sqrt(5.0), 1e-5);
  EXPECT_NEAR(SlopeAngle(2.0), 26.565, 5e-4);
  ExpectRow(5, 0.0f, 0.0f, 0.0f);  // the ball joint
  EXPECT_NEAR(TheModel().row(6).dx, -24.0 / std::sqrt(5.0), 1e-5);
  // A quarter turn about Z leaves an exact zero, not 1e-7.
  ASSERT_TRUE(RotateRows(TheModel(), 4, 4, 90.0, 2));
  Model fresh;
  LayoutRow& row = fresh.row(1);
  fresh.rowCount = 1;
  row.elementType = ElementType::Pipe;
  row.dx = 10.0f;
  ASSERT_TRUE(RotateRows(fresh, 1, 1, 90.0, 2));
  EXPECT_EQ(row.dx, 0.0f);
  EXPECT_EQ(row.dy, 10.0f);
}

TEST_F(RotateRowsTest, EveryRefusalKeepsTheModelAndRowOneOpensEmpty) {
  Open();
  const std::string before = Bytes();
  auto refused = [&](const std::string& from, const std::string& to, const std::string& angle,
                     const std::string& slope, const std::string& message) {
    WithDialog(kRotate, "ROTATE_ELEMENTS_DIALOG", [=](HWND dialog) {
      Set(dialog, 1301, from);
      Set(dialog, 1302, to);
      Set(dialog, 1303, angle);
      Set(dialog, 1304, slope);
      OkRefused(dialog, message);
    });
  };
  refused("", "3", "90", "", "From  #  is required");
  refused("3", "", "90", "", "To  #  is required");
  refused("4", "3", "90", "", "From  #  > To  #");
  refused("3", "4", "A", "", "Rotation angle =  A  is invalid");
  refused("3", "4", "", "-1", "Slope =  -1  is invalid");
  refused("3", "4", "", "", "Rotation angle or Slope is required");
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_FALSE(CanUndo());
  table().currentRow = 1;
  WithDialog(kRotate, "ROTATE_ELEMENTS_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Get(dialog, 1301), "");
    EXPECT_EQ(Get(dialog, 1302), "");
    EXPECT_EQ(Get(dialog, 1303), "");
    EXPECT_EQ(SendDlgItemMessage(dialog, 1401, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
}

TEST_F(RotateRowsTest, VerticalAxisTurnsAndCyclesAndTurnsBack) {
  Model& model = TheModel();
  AddRow(model, 60, ElementType::Valve, 0.0f, 0.0f, 18.0f);  // row 7
  auto& valve = dynamic_cast<Valve&>(*model.row(7).element);
  valve.dx = 1.0f;
  valve.dy = 2.0f;
  valve.dz = 3.0f;
  auto* anchor = dynamic_cast<Anchor*>(SetDataType(model, 2, DataType::Anchor));
  anchor->stiffness = {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f};
  anchor->releases = {1, 0, 0, 0, 0, 1};
  auto* force = dynamic_cast<NodalForce*>(SetDataType(model, 4, DataType::Force));
  force->FY = -500.0f;
  force->MX = 70.0f;
  auto* varying = dynamic_cast<TimeVaryingLoad*>(SetDataType(model, 6, DataType::TimeVaryingLoad));
  varying->Direction = 5;  // MY
  auto* generic = dynamic_cast<GenericSupport*>(SetDataType(model, 3, DataType::GenericSupport));
  generic->terms[static_cast<std::size_t>(GenericSupport::TermIndex(1, 2))] = 12.0f;  // K(x, y)
  generic->terms[static_cast<std::size_t>(GenericSupport::TermIndex(2, 2))] = 22.0f;  // K(y, y)
  model.seismic.g = {0.1f, 0.2f, 0.3f};
  Open();
  const std::string before = Bytes();
  AnalysisOptions options = TheModel().options;
  options.ZVertical = 1;
  ExpectBox(kAxisQuestion, true, IDOK);
  ConfirmAnalysisOptions(TheModel(), options, LayoutFrame().window);
  platform::RunUntilIdle();
  const Model& turned = TheModel();
  // (x, y, z) becomes (z, x, y): the pipe up Y now goes up Z.
  ExpectRow(3, -3.0f, 12000.0f, 5.0f);
  ExpectRow(6, 0.0f, 0.0f, 24.0f);
  ExpectRow(7, 18.0f, 0.0f, 0.0f);
  const auto& v = dynamic_cast<const Valve&>(*turned.row(7).element);
  EXPECT_EQ(v.dx, 3.0f);
  EXPECT_EQ(v.dy, 1.0f);
  EXPECT_EQ(v.dz, 2.0f);
  const auto& a = dynamic_cast<const Anchor&>(*turned.row(2).item);
  EXPECT_EQ(a.stiffness, (std::array<float, 6>{3.0f, 1.0f, 2.0f, 6.0f, 4.0f, 5.0f}));
  EXPECT_EQ(a.releases, (std::array<std::uint8_t, 6>{0, 1, 0, 1, 0, 0}));
  const auto& f = dynamic_cast<const NodalForce&>(*turned.row(4).item);
  EXPECT_EQ(f.FZ, -500.0f);
  EXPECT_EQ(f.MY, 70.0f);
  EXPECT_EQ(dynamic_cast<const TimeVaryingLoad&>(*turned.row(6).item).Direction, 6);  // MY -> MZ
  const auto& g = dynamic_cast<const GenericSupport&>(*turned.row(3).item);
  EXPECT_EQ(g.terms[static_cast<std::size_t>(GenericSupport::TermIndex(2, 3))], 12.0f);  // K(y', z')
  EXPECT_EQ(g.terms[static_cast<std::size_t>(GenericSupport::TermIndex(3, 3))], 22.0f);
  EXPECT_EQ(turned.seismic.g, (std::array<float, 3>{0.3f, 0.1f, 0.2f}));
  // Back to Y vertical: the very same file.
  options.ZVertical = 0;
  ExpectBox(kAxisQuestion, true, IDOK);
  ConfirmAnalysisOptions(TheModel(), options, LayoutFrame().window);
  platform::RunUntilIdle();
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  // No: the axis changes, the layout stays.
  options.ZVertical = 1;
  ExpectBox(kAxisQuestion, true, IDCANCEL);
  ConfirmAnalysisOptions(TheModel(), options, LayoutFrame().window);
  EXPECT_EQ(TheModel().options.ZVertical, 1);
  ExpectRow(6, 0.0f, 24.0f, 0.0f);
}

// The Layout window shows the turned layout as soon as the options close:
// what is on the screen is what a fresh paint of the table draws (the new
// DX, DZ and the restraint's new axis), not the old rows until some later
// repaint.
TEST_F(RotateRowsTest, TheLayoutShowsTheTurnedRowsAsSoonAsTheAxisChanges) {
  auto* restraint = dynamic_cast<Restraint*>(SetDataType(TheModel(), 4, DataType::Restraint));
  restraint->restrainY = 1;
  Open();
  HWND layout = LayoutFrame().window;
  // The List window shows the restraints beside it; the keyboard is in the
  // Layout, where the options were opened.
  ShowListByOpener(OpenRestraintsList);
  SetFocus(LayoutTableWindow());
  platform::RunUntilIdle();
  ASSERT_EQ(GetActiveWindow(), layout);
  const std::string shown = std::string(QUORVEL_BINARY_DIR) + "/vertical-axis-shown.png";
  const std::string fresh = std::string(QUORVEL_BINARY_DIR) + "/vertical-axis-fresh.png";
  auto picture = [layout](const std::string& path) {
    EXPECT_TRUE(platform::WriteWindowPng(layout, path));
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  const std::string before = picture(shown);
  AnalysisOptions options = TheModel().options;
  options.ZVertical = 1;
  ExpectBox(kAxisQuestion, true, IDOK);
  ConfirmAnalysisOptions(TheModel(), options, layout);
  platform::RunUntilIdle();
  ExpectRow(3, -3.0f, 12000.0f, 5.0f);
  EXPECT_EQ(dynamic_cast<const Restraint&>(*TheModel().row(4).item).restrainZ, 1);
  const std::string after = picture(shown);
  InvalidateRect(LayoutTableWindow(), nullptr, TRUE);
  platform::RunUntilIdle();
  const std::string repainted = picture(fresh);
  EXPECT_NE(repainted, before);
  EXPECT_TRUE(after == repainted) << "the Layout table still shows the rows before the turn (" << shown << ", "
                                  << fresh << ")";
  EXPECT_EQ(GetFocus(), LayoutTableWindow());
  EXPECT_EQ(GetActiveWindow(), layout);
}

}  // namespace
