// The in-line kinds in real X windows on a private Xvfb server: a line
// through a valve, a reducer, a rigid and an elastic element, a cut pipe, a
// miter, jacketed pipes and a jacketed bend with their spider and end caps
// in the graphics window (lines and rendered), and the kinds' dialogs, the
// hydrotest load's and the valve library's window with its find-and-replace
// dialog. What the server shows must be what the layer drew, pixel for
// pixel; the pictures are kept in the build folder (x11-inline-*.png) to be
// looked at.
#include <gtest/gtest.h>

#include <string>

#include "elements/ElasticElement.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/KindTable.h"
#include "elements/Reducer.h"
#include "elements/Valve.h"
#include "graphics/GraphicsTesting.h"
#include "graphics/PlantModel.h"
#include "model/DrawingColours.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "model/SymbolFrames.h"
#include "platform/Dialog.h"
#include "platform/Menu.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "properties/ValveLibrary.h"
#include "properties/ValveLibraryWindow.h"
#include "records/DrawingGeometry.h"
#include "records/GraphicsSettings.h"
#include "services/ProgramContext.h"
#include "services/ViewRequests.h"
#include "x11/ScreenCompare.h"
#include "x11/XvfbServer.h"

namespace {

class InlinePictureX11Test : public OnXvfb<GraphicsFixture> {
 protected:
  // From 10 along X: a valve, a reducer from the 8-inch pipe to the
  // 4.5-inch, a rigid element, an elastic element, a cut pipe, a miter
  // turning up Z, jacketed pipes and a jacketed bend turning along Y, the
  // jacket closed by end caps and held by a spider; seen from above and
  // aside.
  void ShowInlineLine() {
    Model& model = TheModel();
    PlantModelBuilder::AddPlantProperties(model);
    struct Line {
      NodeId node;
      ElementType type;
      float dx, dy, dz;
      const char* section;
    };
    const Line rows[] = {
        {10, ElementType::From, 0, 0, 0, "S8"},           {20, ElementType::Pipe, 60, 0, 0, "S8"},
        {30, ElementType::Valve, 24, 0, 0, "S8"},         {40, ElementType::Pipe, 48, 0, 0, "S8"},
        {50, ElementType::Reducer, 20, 0, 0, "S8"},       {60, ElementType::Pipe, 48, 0, 0, "S4"},
        {70, ElementType::Rigid, 20, 0, 0, "S4"},         {80, ElementType::Pipe, 48, 0, 0, "S4"},
        {90, ElementType::Elastic, 0, 0, 12, "S4"},       {100, ElementType::Pipe, 48, 0, 0, "S4"},
        {110, ElementType::CutPipe, 60, 0, 0, "S4"},      {120, ElementType::Miter, 60, 0, 0, "S4"},
        {130, ElementType::Pipe, 0, 0, 80, "S4"},         {140, ElementType::JacketedPipe, 0, 0, 80, "S4"},
        {150, ElementType::JacketedBend, 0, 0, 80, "S4"}, {160, ElementType::JacketedPipe, 0, 80, 0, "S4"},
        {170, ElementType::Pipe, 0, 60, 0, "S4"},
    };
    for (const Line& line : rows) {
      const int row = AddRow(model, line.node, line.type, line.dx, line.dy, line.dz);
      model.row(row).material = "CS";
      model.row(row).section = line.section;
      model.row(row).load = "L1";
    }
    PutItem(model, 1, DataType::Anchor);
    PutItem(model, 17, DataType::Anchor);
    auto& valve = static_cast<Valve&>(*model.row(3).element);
    valve.weight = 300.0f;
    auto& reducer = static_cast<Reducer&>(*model.row(5).element);
    reducer.od1 = 8.625f;
    reducer.od2 = 4.5f;
    auto& elastic = static_cast<ElasticElement&>(*model.row(9).element);
    elastic.kx = elastic.ky = elastic.kz = 1.0e5f;
    for (int row : {14, 16}) {
      auto& pipe = static_cast<JacketedPipe&>(*model.row(row).element);
      pipe.jacketMaterial = "CS";
      pipe.jacketSection = "S8";
      pipe.jacketLoad = "L1";
    }
    auto& bend = static_cast<JacketedBend&>(*model.row(15).element);
    bend.jacketMaterial = "CS";
    bend.jacketSection = "S8";
    bend.jacketLoad = "L1";
    PutItem(model, 15, DataType::Spider);
    AddRow(model, 130, ElementType::Location);
    PutItem(model, 18, DataType::JacketEndCap);
    AddRow(model, 160, ElementType::Location);
    PutItem(model, 19, DataType::JacketEndCap);
    model.graphics.show[kShowJacketConnections] = 1;
    model.graphics.viewDirection = {1.0f, 0.6f, 1.4f};
    ShowModel();
    ShowWindow(LayoutFrame().window, SW_HIDE);
    SetWindowPos(Frame(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SizeClient(900, 620);
    Command(131);
  }
  void ExpectOnScreen(const std::string& name) {
    platform::RunUntilIdle();
    EXPECT_EQ(CompareWindowWithScreen(display_, Frame(), std::string(QUORVEL_BINARY_DIR) + "/x11-inline-" + name), 0)
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

TEST_F(InlinePictureX11Test, EveryInlineKindIsDrawnInLinesAndRendered) {
  ShowInlineLine();
  const COLORREF support = CurrentDrawingStyle().support;
  EXPECT_GT(Count([support](COLORREF c) { return c == support; }), 40);  // anchors, spider, end caps
  ExpectOnScreen("lines");
  TheModel().graphics.show[kShowCurvedBends] = 1;
  RequestGraphicsRedraw();
  ExpectOnScreen("curved");
  Command(130);
  ASSERT_TRUE(RenderMode());
  // The valve's brown body and the jacket's blue-grey.
  EXPECT_GT(Count([](COLORREF c) { return GetRValue(c) > GetGValue(c) + 25 && GetGValue(c) > GetBValue(c) + 10; }),
            50);
  EXPECT_GT(Count([](COLORREF c) { return GetBValue(c) > GetRValue(c) + 30; }), 200);
  ExpectOnScreen("rendered");
}

class InlineDialogsX11Test : public OnXvfb<ListFixture> {
 protected:
  void SetUp() override {
    OnXvfb<ListFixture>::SetUp();
    ShowModelWindows();
  }
  void TearDown() override {
    TheValveLibrary().modified = false;
    CloseValveLibraryWindow();
    ClearValveLibrary(TheValveLibrary());
    OnXvfb<ListFixture>::TearDown();
  }
  int CompareWithScreen(HWND window, const std::string& name) {
    return CompareWindowWithScreen(display_, window, std::string(QUORVEL_BINARY_DIR) + "/x11-inline-" + name);
  }
  // The kind's dialog for `row`, compared with the screen and cancelled.
  int Dialog(const char* templateName, int row, ElementType type, const std::string& name) {
    int pictured = -1;
    platform::ExpectModal(platform::ModalKind::Dialog, templateName, [&](HWND dialog) {
      platform::RunUntilIdle();
      pictured = CompareWithScreen(dialog, name);
      SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    RunElementKindDialog(nullptr, row, type);
    platform::CheckModalScript();
    return pictured;
  }
};

TEST_F(InlineDialogsX11Test, TheKindsDialogsAreOnTheScreen) {
  static_cast<Valve&>(*TheModel().row(4).element).weight = 250.0f;
  EXPECT_EQ(Dialog("VALVE_DIALOG", 4, ElementType::Valve, "valve"), 0);
  EXPECT_EQ(Dialog("REDUCER_DIALOG", 3, ElementType::Reducer, "reducer"), 0);
  EXPECT_EQ(Dialog("RIGID_DIALOG", 3, ElementType::Rigid, "rigid"), 0);
  EXPECT_EQ(Dialog("ELASTIC_DIALOG", 3, ElementType::Elastic, "elastic"), 0);
  EXPECT_EQ(Dialog("CUTPIPE_DIALOG", 3, ElementType::CutPipe, "cutpipe"), 0);
  EXPECT_EQ(Dialog("MITER_DIALOG", 3, ElementType::Miter, "miter"), 0);
  EXPECT_EQ(Dialog("JPIPE_DIALOG", 3, ElementType::JacketedPipe, "jpipe"), 0);
  EXPECT_EQ(Dialog("JBEND_DIALOG", 3, ElementType::JacketedBend, "jbend"), 0);
  EXPECT_EQ(Dialog("HYDROTEST_LOAD_DIALOG", 6, ElementType::HydrotestLoad, "hydrotest"), 0);
}

TEST_F(InlineDialogsX11Test, TheValveLibraryAndItsFindAndReplaceAreOnTheScreen) {
  ValveLibrary& library = TheValveLibrary();
  const struct {
    const char* description;
    const char* size;
    float diameter, length, weight;
    int type;
  } valves[] = {{"Gate valve class 150", "4", 4.5f, 9.0f, 120.0f, 1},
                {"Globe valve class 300", "6", 6.625f, 16.0f, 310.0f, 2},
                {"Check valve class 150", "8", 8.625f, 19.5f, 420.0f, 3}};
  for (const auto& v : valves) {
    InsertValveEntry(library, library.entries.count + 1);
    ValveLibraryEntry& entry = library.entries[library.entries.count];
    entry.description = v.description;
    entry.nominalSize = v.size;
    entry.rating = "150";
    entry.outsideDiameter = v.diameter;
    entry.length = v.length;
    entry.weight = v.weight;
    entry.valveType = v.type;
  }
  library.modified = false;
  OpenValveLibraryWindow(MainFrame().window);
  platform::RunUntilIdle();
  ASSERT_TRUE(ValveLibraryWindowOpen());
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWithScreen(ListFrame().window, "library"), 0);
  int pictured = -1;
  platform::ExpectModal(platform::ModalKind::Dialog, "FINDANDREPLACE", [&](HWND dialog) {
    platform::RunUntilIdle();
    pictured = CompareWithScreen(dialog, "find-replace");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 40022, 0);  // Find and replace
  platform::RunUntilIdle();
  platform::CheckModalScript();
  EXPECT_EQ(pictured, 0);
}

}  // namespace
