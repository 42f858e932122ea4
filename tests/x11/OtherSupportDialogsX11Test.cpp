// The dialogs of guides, limit stops, skewed restraints, snubbers and
// generic supports in real X windows on a private Xvfb server, each filled
// with an item's values, no control covering another (a unit label under a
// button hides the button's text), and the lists of limit stops and generic
// supports with their group headings. What the server shows must be what the layer drew; the pictures are kept
// in the build folder (x11-other-*.png) to be looked at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/KindTable.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Rect.h"
#include "supports/GenericSupport.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/OtherSupportLists.h"
#include "supports/SkewedRestraint.h"
#include "supports/Snubber.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class OtherSupportDialogsX11Test : public OnXvfb<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfb<ListFixture>::SetUp();
    ShowModelWindows();
  }
  // The row's dialog of `type`, compared with the screen and cancelled;
  // `look` checks a field while the dialog is up.
  template <typename Look>
  int Dialog(const char* templateName, int row, DataType type, const std::string& name, Look look) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&](HWND dialog) {
      platform::RunUntilIdle();
      look(dialog);
      EXPECT_EQ(CoveredControls(dialog), std::vector<std::string>{}) << name;
      pictured = CompareWindowWithScreen(display_, dialog, std::string(QUORVEL_BINARY_DIR) + "/x11-other-" + name);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    RunDataKindDialog(LayoutFrame().window, row, type, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return pictured;
  }
  static std::string Field(HWND dialog, int item) { return TextOf(GetDlgItem(dialog, item)); }
  // The names of controls whose rectangles cross; group boxes hold others
  // and are left out.
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

TEST_F(OtherSupportDialogsX11Test, TheFiveDialogsAreOnTheScreenWithTheirValues) {
  Model& model = TheModel();
  SetDataType(model, 2, DataType::Guide);
  auto& guide = static_cast<Guide&>(*model.row(2).item);
  guide.frictionCoefficient = 0.3f;
  guide.gap = 0.25f;
  EXPECT_EQ(Dialog("GUIDE_DIALOG", 2, DataType::Guide, "guide",
                   [](HWND dialog) { EXPECT_NE(Field(dialog, 1301).find("0.3"), std::string::npos); }),
            0);

  SetDataType(model, 2, DataType::LimitStop);
  auto& stop = static_cast<LimitStop&>(*model.row(2).item);
  stop.lowerLimit = 0.0f;
  stop.dirY = 1.0f;
  EXPECT_EQ(Dialog("LIMIT_STOP_DIALOG", 2, DataType::LimitStop, "limit-stop",
                   [](HWND dialog) {
                     EXPECT_EQ(Field(dialog, 1301), "None");
                     EXPECT_EQ(Field(dialog, 1304), "1.000");
                   }),
            0);

  SetDataType(model, 2, DataType::SkewedRestraint);
  auto& skewed = static_cast<SkewedRestraint&>(*model.row(2).item);
  skewed.dirX = 1.0f;
  skewed.dirZ = 1.0f;
  EXPECT_EQ(Dialog("SKEWED_RESTRAINT_DIALOG", 2, DataType::SkewedRestraint, "skewed", [](HWND) {}), 0);

  SetDataType(model, 2, DataType::Snubber);
  static_cast<Snubber&>(*model.row(2).item).dirZ = 1.0f;
  EXPECT_EQ(Dialog("SNUBBER_DIALOG", 2, DataType::Snubber, "snubber", [](HWND) {}), 0);

  SetDataType(model, 2, DataType::GenericSupport);
  auto& generic = static_cast<GenericSupport&>(*model.row(2).item);
  generic.terms[static_cast<std::size_t>(GenericSupport::TermIndex(1, 2))] = 5.0e4f;
  EXPECT_EQ(Dialog("GENERIC_SUPPORT_DIALOG", 2, DataType::GenericSupport, "generic", [](HWND) {}), 0);
}

TEST_F(OtherSupportDialogsX11Test, TheListsOfLimitStopsAndGenericSupportsAreOnTheScreen) {
  Model& model = TheModel();
  SetDataType(model, 2, DataType::LimitStop);
  auto& stop = static_cast<LimitStop&>(*model.row(2).item);
  stop.lowerLimit = -0.5f;
  stop.upperLimit = 0.25f;
  stop.dirX = 1.0f;
  stop.frictionCoefficient = 0.3f;
  stop.tag = "LS-1";
  SetDataType(model, 3, DataType::GenericSupport);
  MakeModel(model);
  const auto pictured = [](void (*opener)(), const std::string& name) {
    ShowListByOpener(opener);
    platform::RunUntilIdle();
    ShowWindow(LayoutFrame().window, SW_HIDE);
    SetForegroundWindow(ListFrame().window);
    platform::RunUntilIdle();
    return CompareWindowWithScreen(display_, ListFrame().window,
                                   std::string(QUORVEL_BINARY_DIR) + "/x11-other-" + name);
  };
  EXPECT_EQ(pictured(OpenLimitStopsList, "limit-stops-list"), 0);
  EXPECT_EQ(LimitStopsListTable().rowCount, 1);
  EXPECT_EQ(pictured(OpenGenericSupportsList, "generic-list"), 0);
  EXPECT_GE(GenericSupportsListTable().rowCount, 1);
}

}  // namespace
