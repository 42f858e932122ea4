// The hanger and nozzle dialogs, their lists and their symbols in real X
// windows on a private Xvfb server: each dialog filled with an item's values
// and no control covering another, the "Hangers", "Nozzles" and "Nozzle
// stiffnesses" lists, and a line with a spring hanger, a rod hanger and a
// nozzle in lines and rendered (the hangers' green rods and the nozzle's
// orange-brown stub on the picture). What the server shows must be what the
// layer drew; the pictures are kept in the build folder (x11-hangers-*.png).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/KindTable.h"
#include "graphics/GraphicsTesting.h"
#include "model/DrawingColours.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Rect.h"
#include "platform/Window.h"
#include "records/DrawingGeometry.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "supports/Hanger.h"
#include "supports/Nozzle.h"
#include "supports/NozzleStiffness.h"
#include "supports/OtherSupportLists.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

void FillNozzle(Nozzle& n) {
  n.nozzleOd = 8.625f;
  n.nozzleThickness = 0.5f;
  n.vesselOd = 48.0f;
  n.vesselThickness = 0.5f;
  n.l1 = n.l2 = 60.0f;
  n.elasticModulus = 29.0e6f;
  n.vesselAxis = {0.0f, 1.0f, 0.0f};
  n.tag = "N-1";
  ComputeNozzleStiffness(n);
}

class HangersNozzlesDialogsX11Test : public OnXvfb<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfb<ListFixture>::SetUp();
    ShowModelWindows();
  }
  template <typename Look>
  int Dialog(const char* templateName, int row, std::int32_t subtype, DataType type, const std::string& name, Look look) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&](HWND dialog) {
      platform::RunUntilIdle();
      look(dialog);
      EXPECT_EQ(CoveredControls(dialog), std::vector<std::string>{}) << name;
      pictured = CompareWindowWithScreen(display_, dialog, std::string(QUORVEL_BINARY_DIR) + "/x11-hangers-" + name);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    RunDataKindDialog(LayoutFrame().window, row, type, subtype);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return pictured;
  }
  static std::string Field(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  static std::vector<std::string> CoveredControls(HWND dialog) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      char kind[32] = {};
      GetClassName(child, kind, sizeof kind);
      const bool groupBox = std::string(kind) == "Button" && (GetWindowLong(child, GWL_STYLE) & 0xF) == BS_GROUPBOX;
      if (IsWindowVisible(child) && !groupBox) controls.push_back(child);
    }
    std::vector<std::string> covered;
    for (std::size_t i = 0; i < controls.size(); ++i)
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        RECT a{}, b{}, both{};
        GetWindowRect(controls[i], &a);
        GetWindowRect(controls[j], &b);
        if (IntersectRect(&both, &a, &b)) covered.push_back(TextOf(controls[i]) + " / " + TextOf(controls[j]));
      }
    return covered;
  }
};

TEST_F(HangersNozzlesDialogsX11Test, TheFiveDialogsAreOnTheScreenWithTheirValues) {
  Model& model = TheModel();
  SetDataType(model, 2, DataType::Hanger);
  auto& hanger = static_cast<Hanger&>(*model.row(2).item);
  hanger.numberOfHangers = 2;
  EXPECT_EQ(Dialog("HANGER_DIALOG", 2, 0, DataType::Hanger, "designed",
                   [](HWND dialog) { EXPECT_EQ(Field(dialog, 1301), "2"); }),
            0);
  EXPECT_EQ(Dialog("USER_HANGER_DIALOG", 3, 1, DataType::Hanger, "user", [](HWND) {}), 0);
  EXPECT_EQ(Dialog("ROD_HANGER_DIALOG", 3, 2, DataType::Hanger, "rod",
                   [](HWND dialog) { EXPECT_EQ(Field(dialog, 1301), "1"); }),
            0);
  EXPECT_EQ(Dialog("CONSTANT_SUPPORT_DIALOG", 3, 3, DataType::Hanger, "constant", [](HWND) {}), 0);
  SetDataType(model, 3, DataType::Nozzle);
  FillNozzle(static_cast<Nozzle&>(*model.row(3).item));
  EXPECT_EQ(Dialog("NOZZLE_DIALOG", 3, 0, DataType::Nozzle, "nozzle",
                   [](HWND dialog) { EXPECT_EQ(Field(dialog, 1311), "N-1"); }),
            0);
}

TEST_F(HangersNozzlesDialogsX11Test, TheListsAreOnTheScreen) {
  Model& model = TheModel();
  SetDataType(model, 2, DataType::Hanger);
  SetDataType(model, 3, DataType::Nozzle);
  FillNozzle(static_cast<Nozzle&>(*model.row(3).item));
  MakeModel(model);
  const auto pictured = [](void (*opener)(), const std::string& name) {
    ShowListByOpener(opener);
    platform::RunUntilIdle();
    ShowWindow(LayoutFrame().window, SW_HIDE);
    SetForegroundWindow(ListFrame().window);
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, ListFrame().window,
                                   std::string(QUORVEL_BINARY_DIR) + "/x11-hangers-" + name);
  };
  EXPECT_EQ(pictured(OpenHangersList, "hangers-list"), 0);
  EXPECT_EQ(HangersListTable().rowCount, 1);
  EXPECT_EQ(pictured(OpenNozzlesList, "nozzles-list"), 0);
  EXPECT_EQ(NozzlesListTable().rowCount, 1);
  EXPECT_EQ(pictured(OpenNozzleStiffnessesList, "nozzle-stiffnesses-list"), 0);
}

class HangersNozzlesSymbolsX11Test : public OnXvfb<GraphicsFixture> {
 protected:
  void ExpectOnScreen(const std::string& name) {
    platform::RunUntilIdle();
    EXPECT_EQ(CompareWindowWithScreen(display_, Frame(), std::string(QUORVEL_BINARY_DIR) + "/x11-hangers-" + name), 0)
        << name;
  }
  template <typename Test>
  static int Count(Test test) {
    RECT client{};
    GetClientRect(Painting(), &client);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) count += test(Pixel(x, y)) ? 1 : 0;
    return count;
  }
};

TEST_F(HangersNozzlesSymbolsX11Test, HangersAndANozzleAreDrawnAndRendered) {
  Model& model = TheModel();
  PlantModelBuilder::AddPlantProperties(model);
  AddRows({{10, ElementType::From, 0, 0, ""},
           {20, ElementType::Pipe, 120, 0, "S8"},
           {30, ElementType::Pipe, 120, 0, "S8"},
           {40, ElementType::Pipe, 120, 0, "S8"}});
  PutItem(model, 1, DataType::Anchor);
  PutItem(model, 2, DataType::Hanger);
  PutItem(model, 3, DataType::Hanger);
  dynamic_cast<Hanger&>(*model.row(3).item).kind = kRodHanger;
  PutItem(model, 4, DataType::Nozzle);
  FillNozzle(dynamic_cast<Nozzle&>(*model.row(4).item));
  model.graphics.viewDirection = {0.7f, 0.5f, 1.0f};
  ShowModel();
  ShowWindow(LayoutFrame().window, SW_HIDE);
  SetWindowPos(Frame(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SizeClient(900, 620);
  Command(131);
  const COLORREF support = CurrentDrawingStyle().support;
  EXPECT_GT(Count([support](COLORREF c) { return c == support; }), 100);
  ExpectOnScreen("lines");
  Command(130);
  ASSERT_TRUE(RenderMode());
  // The rods and springs are green, the stub and the wall orange-brown.
  EXPECT_GT(Count([](COLORREF c) { return GetGValue(c) > GetRValue(c) + 30 && GetGValue(c) > GetBValue(c) + 60; }), 30);
  EXPECT_GT(Count([](COLORREF c) { return GetRValue(c) > GetGValue(c) + 30 && GetGValue(c) > GetBValue(c) + 30; }), 30);
  ExpectOnScreen("rendered");
}

}  // namespace
