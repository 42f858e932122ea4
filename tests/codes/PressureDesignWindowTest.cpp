// The EN 13480-3 pressure designs as the user starts them from the Layout
// window (commands 40057 and 40058): the refusals of a model with nothing to
// design, the table in the List frame with its own menu, the rows left out
// named in one warning, the comma-separated report and the refused text
// report, and the List window's own menu back when another list shows.
//
// The List fixture's line, its rows 2 and 3 on a 6.625 x 0.280 in pipe with
// c 0.04 in and 12.5 % mill tolerance, f 18,000 psi, p 600 psi: e 0.10861,
// ea 0.205, Uf 0.53 (PressureDesignTest.cpp works them out).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "codes/PressureDesign.h"
#include "codes/PressureDesignWindow.h"
#include "model/ListTesting.h"
#include "model/RowOperations.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "printing/PrintSheet.h"
#include "services/ListFrameState.h"
#include "services/TableWindow.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PressureDesignWindowTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    Model& model = TheModel();
    PipeSection& s = model.sections[1];
    s.outsideDiameter = 6.625f;
    s.thickness = 0.280f;
    s.corrosionAllowance = 0.04f;
    s.millTolerance = 12.5f;
    model.materials[1].temps[1].values[3] = 18000.0f;
    model.materials[1].jointFactor = 1.0f;
    model.pipeLoads[1].designPressure = 600.0f;
    model.pipeLoads[1].designTemperature = 70.0f;
    model.row(3).material = "CS";
    model.row(3).section = "S4";
    model.row(3).load = "L1";
  }
  void TearDown() override {
    FreePressureDesignRecords();
    ListFixture::TearDown();
  }
  static void Command(int id) {
    SendMessage(LayoutFrame().window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  // A message box of `lines` lines that holds `text`.
  static void ExpectMessage(const std::string& text, int lines = 1) {
    const std::string name = "MESSAGE" + std::to_string(lines) + "_DIALOG";
    platform::ExpectModal(platform::ModalKind::Dialog, name, [text](HWND box) {
      EXPECT_NE(LinesOfDialog(box).size(), 0u);
      std::string all;
      for (const std::string& line : LinesOfDialog(box)) all += line + "\n";
      EXPECT_NE(all.find(text), std::string::npos) << all;
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
  }
  static TableWindow* Shown() {
    HWND window = ListTableWindow(0);
    return window != nullptr ? TableOfWindow(window) : nullptr;
  }
  static std::string FrameTitle() {
    char text[256] = {};
    GetWindowText(ListFrame().window, text, sizeof text);
    return text;
  }
};

TEST_F(PressureDesignWindowTest, NothingToDesignIsSaidAndNothingOpens) {
  Model& model = TheModel();
  // Row 2 and 3 made valves: no qualifying row.
  for (int row : {2, 3}) SetElementType(model, row, ElementType::Valve);
  ExpectMessage("There are no elements");
  Command(40057);
  platform::CheckModalScript();
  EXPECT_EQ(CurrentListFrameTool(), nullptr);
  // Pipe rows, but no negative pressure.
  SetElementType(model, 2, ElementType::Pipe);
  ExpectMessage("External pressure not defined.");
  Command(40058);
  platform::CheckModalScript();
  EXPECT_EQ(CurrentListFrameTool(), nullptr);
  EXPECT_TRUE(ExternalDesignRecords().empty());
}

TEST_F(PressureDesignWindowTest, InternalDesignShowsItsTableWithItsMenuAndGivesTheFrameBack) {
  Command(40057);
  ASSERT_NE(CurrentListFrameTool(), nullptr);
  EXPECT_TRUE(PressureDesignShown());
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  TableWindow* table = Shown();
  ASSERT_EQ(table, &InternalPressureDesignTable());
  EXPECT_NE(FrameTitle().find("Internal Pressure Design: EN 13480-3 (2017)"), std::string::npos) << FrameTitle();
  ASSERT_EQ(table->rowCount, 2);
  EXPECT_EQ(table->HeadingText(3, 0), "Element");
  EXPECT_EQ(table->HeadingText(16, 1), "(ep1/ea1)");
  EXPECT_EQ(table->CellText(1, 1, 0), "10");
  EXPECT_EQ(table->CellText(1, 2, 0), "20");
  EXPECT_EQ(table->CellText(1, 3, 0), "Pipe");
  EXPECT_NEAR(std::stod(table->CellText(1, 12, 0)), 0.205, 0.0005);
  EXPECT_NEAR(std::stod(table->CellText(1, 14, 0)), 0.1086, 0.0005);
  EXPECT_EQ(table->CellText(1, 16, 0).find("0.53") != std::string::npos, true) << table->CellText(1, 16, 0);
  EXPECT_EQ(table->CellText(2, 1, 0), "20");
  // The frame carries the design's menu: File holds Print alone.
  HMENU file = GetSubMenu(ListFrame().menu, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemCount(file), 1);
  // Another list gives the List window its own menu back.
  ChooseList("Nodes");
  EXPECT_EQ(CurrentListFrameTool(), nullptr);
  EXPECT_FALSE(PressureDesignShown());
  EXPECT_GT(GetMenuItemCount(GetSubMenu(ListFrame().menu, 0)), 1);
  // Another document leaves the design without a question.
  Command(40057);
  ASSERT_TRUE(PressureDesignShown());
  EXPECT_TRUE(LeaveListFrameTool(LayoutFrame().window));
  EXPECT_FALSE(PressureDesignShown());
  EXPECT_EQ(CurrentListFrameTool(), nullptr);
  EXPECT_GT(GetMenuItemCount(GetSubMenu(ListFrame().menu, 0)), 1);
}

TEST_F(PressureDesignWindowTest, RowsLeftOutAreNamedAndTheRestDesigned) {
  TheModel().row(3).load = "NONE";
  ExpectMessage("Row 3: no pipe load", 2);
  Command(40057);
  platform::CheckModalScript();
  ASSERT_EQ(InternalDesignRecords().size(), 1u);
  EXPECT_EQ(InternalDesignRecords()[0].row, 2);
  // Closing the frame gives it back and hides it.
  SendMessage(ListFrame().window, WM_CLOSE, 0, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(CurrentListFrameTool(), nullptr);
  EXPECT_FALSE(PressureDesignShown());
  EXPECT_FALSE(IsWindowVisible(ListFrame().window));
}

TEST_F(PressureDesignWindowTest, ExternalDesignOfANegativePressureAndItsReports) {
  Model& model = TheModel();
  model.pipeLoads[1].operating[0].pressure = -14.7f;
  model.materials[1].temps[1].values[4] = 30000.0f;  // the yield
  Command(40058);
  ASSERT_TRUE(PressureDesignShown());
  TableWindow* table = Shown();
  ASSERT_EQ(table, &ExternalPressureDesignTable());
  ASSERT_EQ(table->rowCount, 2);
  EXPECT_NE(FrameTitle().find("External Pressure Design: EN 13480-3 (2017)"), std::string::npos) << FrameTitle();
  const ExternalDesignRecord& r = ExternalDesignRecords()[0];
  EXPECT_FLOAT_EQ(r.Pc, 14.7f);
  EXPECT_FLOAT_EQ(r.KPc, 1.5f * 14.7f);
  EXPECT_FLOAT_EQ(r.sigmaE, 30000.0f);
  EXPECT_FLOAT_EQ(r.L, 12.0f);
  EXPECT_EQ(table->CellText(1, 3, 0), "Pipe");
  EXPECT_EQ(table->HeadingText(19, 1), "(Pr/K.Pc)");
  // Print to File from the frame: a text report is refused before any file
  // is written; a comma-separated one holds the title, the units and one
  // line per record.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quorvel-pressure-design";
  std::filesystem::create_directories(folder);
  const std::string text = (folder / "external.txt").string(), path = (folder / "external.csv").string();
  std::filesystem::remove(text);
  std::filesystem::remove(path);
  auto printTo = [](const std::string& target, const std::string& message, bool written) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [target](HWND dialog) {
      SetDlgItemText(dialog, edt1, target.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
    if (!written) ExpectMessage(message);
    else
      platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [message](HWND dialog) {
        char shown[64] = {};
        GetDlgItemText(dialog, 1501, shown, sizeof shown);
        EXPECT_EQ(std::string(shown), message);
      });
    SendMessage(ListFrame().window, kPrintToFileMessage, 0, 0);
    platform::RunUntilIdle();
  };
  printTo(text, "Text file printing not possible for Pressure Design", false);
  platform::CheckModalScript();
  EXPECT_FALSE(std::filesystem::exists(text));
  printTo(path, "csv written.", true);
  platform::CheckModalScript();
  const std::string csv = Bytes(path);
  EXPECT_NE(csv.find("External Pressure Design: EN 13480-3 (2017)"), std::string::npos) << csv;
  EXPECT_NE(csv.find("From,To,Element Type,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("Pr/K.Pc"), std::string::npos) << csv;
  EXPECT_NE(csv.find("10,20,Pipe,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("20,30,Pipe,"), std::string::npos) << csv;
  std::filesystem::remove_all(folder);
}

}  // namespace
