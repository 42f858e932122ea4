// The commands a list brings to the List window and the keys its menu
// shows: every shortcut the menu names is an accelerator of the same
// command, Ctrl+Z and Ctrl+Y undo and redo from the List window through
// the program's own key translation, the node list's Distance dialog
// measures between two nodes and names every bad field, the spectra list
// keeps its File items through reads and reopenings, and its options
// dialog takes clicks on the radios inside its group boxes.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "editing/NodeList.h"
#include "loads/SpectraTable.h"
#include "model/DistanceDialog.h"
#include "model/ListTesting.h"
#include "model/ListWindow.h"
#include "model/MakeModel.h"
#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Menu.h"
#include "platform/ResourceTemplates.h"
#include "records/Spectrum.h"
#include "services/General.h"
#include "services/Units.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

class ListCommandsTest : public ListFixture {
 protected:
  void TearDown() override {
    std::error_code ignored;
    for (const std::string& path : files_) std::filesystem::remove(path, ignored);
    ListFixture::TearDown();
  }

  static void ControlKey(UINT key) {
    platform::TestKeyDown(VK_CONTROL);
    platform::TestKeyPress(key);
    PumpAsTheMainLoop();
    platform::TestKeyUp(VK_CONTROL);
    PumpAsTheMainLoop();
  }
  static std::string Item(HWND dialog, int id) {
    std::string text = TextOf(GetDlgItem(dialog, id));
    TrimBlanks(text);
    return text;
  }
  static std::string Trimmed(const char* text) {
    std::string value = text;
    TrimBlanks(value);
    return value;
  }
  std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << text;
    files_.push_back(path);
    return path;
  }
  // The File popup's items, a separator as "-".
  static std::vector<std::string> FileMenu() {
    HMENU file = GetSubMenu(ListFrame().menu, 0);
    std::vector<std::string> items;
    for (int position = 0; position < GetMenuItemCount(file); ++position) {
      char text[64] = {};
      GetMenuString(file, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
      items.push_back(text[0] == '\0' ? "-" : text);
    }
    return items;
  }

  std::vector<std::string> files_;
};

// Each key a List menu item shows ("&Undo\tCtrl+Z") is parsed as the
// accelerator files are, and the List window's table must hold that key
// for that command: a shortcut the menu promises never does nothing.
TEST_F(ListCommandsTest, EveryShortcutTheListMenuShowsIsAKeyOfTheListWindow) {
  ShowListByOpener(OpenNodeList);  // adds Distance with its Ctrl+D
  std::vector<ACCEL> keys(static_cast<std::size_t>(CopyAcceleratorTable(ListAccelerators, nullptr, 0)));
  ASSERT_FALSE(keys.empty());
  CopyAcceleratorTable(ListAccelerators, keys.data(), static_cast<int>(keys.size()));
  int shortcuts = 0;
  HMENU bar = ListFrame().menu;
  for (int top = 0; top < GetMenuItemCount(bar); ++top) {
    HMENU popup = GetSubMenu(bar, top);
    for (int position = 0; popup != nullptr && position < GetMenuItemCount(popup); ++position) {
      char text[96] = {};
      GetMenuString(popup, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
      const std::string label = text;
      const std::size_t tab = label.find('\t');
      if (tab == std::string::npos) continue;
      ++shortcuts;
      std::string shown = label.substr(tab + 1);
      TrimBlanks(shown);
      const UINT command = GetMenuItemID(popup, position);
      platform::AcceleratorTemplate parsed;
      std::string error;
      ASSERT_TRUE(platform::ParseAcceleratorTemplate("MENU_KEY", shown + " " + std::to_string(command), &parsed,
                                                     &error))
          << label << ": " << error;
      const platform::AcceleratorTemplateEntry& wanted = parsed.entries.at(0);
      bool found = false;
      for (const ACCEL& key : keys)
        found = found || (key.fVirt == wanted.flags && key.key == wanted.key && key.cmd == command);
      EXPECT_TRUE(found) << "\"" << label << "\" (" << command << ") has no key in LIST_ACCEL";
    }
  }
  EXPECT_GE(shortcuts, 15);
}

TEST_F(ListCommandsTest, CtrlZAndCtrlYUndoAndRedoFromTheListWindow) {
  ShowModelWindows();
  ShowListByOpener(OpenNodeList);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  ASSERT_EQ(ActiveAccelerators, ListAccelerators);
  TakeUndoSnapshot();
  TheModel().row(3).dx = 48.0f;
  RefreshAfterModelEdit(TheModel());
  ControlKey('Z');
  EXPECT_EQ(TheModel().row(3).dx, 12.0f);
  // Undo shows the model windows again, the Layout in front; the List
  // window is brought back for the redo.
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  ControlKey('Y');
  EXPECT_EQ(TheModel().row(3).dx, 48.0f);
}

// Hand values: from (0, 0, 0) to (3, 4, 12) inches the distance is 13,
// phi = acos(3/13) and Beta = acos(5/13); the same offset downwards turns
// Beta negative; straight down phi is 90 degrees and Beta -90; a node to
// itself gives zeros.
TEST_F(ListCommandsTest, TheDistanceBetweenTwoNodesAndItsAngles) {
  NodeRecord origin, far, low, below;
  far.x = 3.0f, far.y = 4.0f, far.z = 12.0f;
  low.x = 3.0f, low.y = 4.0f, low.z = -12.0f;
  below.z = -5.0f;
  NodeDistanceResult result = MeasureNodeDistance(origin, far);
  EXPECT_DOUBLE_EQ(result.distance, 13.0);
  EXPECT_NEAR(result.phi, std::acos(3.0 / 13.0), 1e-12);
  EXPECT_NEAR(result.beta, std::acos(5.0 / 13.0), 1e-12);
  result = MeasureNodeDistance(origin, low);
  EXPECT_NEAR(result.beta, -std::acos(5.0 / 13.0), 1e-12);
  EXPECT_DOUBLE_EQ(result.dz, -12.0);
  result = MeasureNodeDistance(origin, below);
  EXPECT_NEAR(result.phi, 90.0 * kDegree, 1e-12);
  EXPECT_NEAR(result.beta, -90.0 * kDegree, 1e-12);
  result = MeasureNodeDistance(far, far);
  EXPECT_EQ(result.distance, 0.0);
  EXPECT_EQ(result.phi, 0.0);
  EXPECT_EQ(result.beta, 0.0);
}

// Through the List window: View > Distance (and Ctrl+D) while the node
// list is shown; each bad field is named and the outputs stay empty.
TEST_F(ListCommandsTest, TheNodeListsDistanceDialogMeasuresAndNamesBadFields) {
  Model& model = TheModel();
  AddRow(model, 50, ElementType::Pipe, 0.0f, 12.0f, -16.0f);  // from 40 at (36, 0, 0)
  MakeModel(model);
  ShowModelWindows();
  ShowListByOpener(OpenNodeList);
  SetForegroundWindow(ListFrame().window);
  platform::RunUntilIdle();
  std::vector<std::string> shown;
  platform::ExpectModal(platform::ModalKind::Dialog, "DISTANCE_DIALOG", [&](HWND dialog) {
    EXPECT_EQ(Item(dialog, 1601), UnitLabel(kUnitLength));
    SetDlgItemText(dialog, 1301, "40");
    SetDlgItemText(dialog, 1302, "50");
    SendMessage(dialog, WM_COMMAND, 999, 0);
    for (int id = 1501; id <= 1506; ++id) shown.push_back(Item(dialog, id));
    auto refused = [dialog](const char* from, const char* to, const std::string& message) {
      platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE1_DIALOG", [message](HWND box) {
        EXPECT_EQ(LinesOfDialog(box), std::vector<std::string>{message});
        SendMessage(box, WM_COMMAND, IDOK, 0);
      });
      SetDlgItemText(dialog, 1301, from);
      SetDlgItemText(dialog, 1302, to);
      SendMessage(dialog, WM_COMMAND, 999, 0);
      EXPECT_EQ(Item(dialog, 1506), "") << from << " " << to;
    };
    refused("", "50", "From node is required");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    refused("4x", "50", "From node =  4x  is invalid");
    refused("40", "", "To node is required");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1302));
    refused("40", "77", "Node =  77  is not defined");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ControlKey('D');
  platform::CheckModalScript();
  ASSERT_EQ(shown.size(), 6u);
  // 12 inches along Y and 16 down: 20 inches apart; phi 90 degrees; Beta
  // -acos(12/20).
  EXPECT_EQ(shown[0], Trimmed(FormatLength(0.0f)));
  EXPECT_EQ(shown[1], Trimmed(FormatLength(12.0f)));
  EXPECT_EQ(shown[2], Trimmed(FormatLength(-16.0f)));
  EXPECT_EQ(shown[5], Trimmed(FormatLength(20.0f)));
  EXPECT_EQ(shown[3], "90.0000");
  EXPECT_EQ(shown[4], "-53.1301");
  // Without the node list the key does nothing (no dialog is expected).
  ShowListByOpener(OpenSpectraTable);
  ControlKey('D');
  platform::CheckModalScript();
}

// Reading a spectrum and opening the list again and again leave the File
// menu as the list first made it: Library, Read Spectrum and Export before
// Print, one separator between.
TEST_F(ListCommandsTest, TheSpectraListKeepsItsFileItemsThroughReadsAndReopenings) {
  ShowModelWindows();
  const std::vector<std::string> plain = FileMenu();
  SendMessage(ListFrame().window, WM_COMMAND, 251, 0);
  platform::RunUntilIdle();
  ASSERT_EQ(CurrentListOpener(), &OpenSpectraTable);
  const std::vector<std::string> withSpectra = FileMenu();
  EXPECT_EQ(withSpectra.size(), plain.size() + 4);
  const std::string path = WriteFile("quorvel-spectrum-s1.txt", "S1\n0 4\n1 0.2\n10 0.8\n33 0.3\n");
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Read Spectrum from a Text File", [path](HWND dialog) {
    SetDlgItemText(dialog, edt1, path.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG",
                        [](HWND box) { SendMessage(box, WM_COMMAND, IDOK, 0); });
  SendMessage(ListFrame().window, WM_COMMAND, 250, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  ASSERT_TRUE(HasSpectra(TheModel().spectra));
  EXPECT_EQ(FileMenu(), withSpectra);
  for (int turn = 0; turn < 3; ++turn) {
    ShowListByOpener(OpenSpectraTable);
    EXPECT_EQ(FileMenu(), withSpectra) << "reopening " << turn;
  }
  ShowListByOpener(OpenNodeList);
  EXPECT_EQ(FileMenu(), plain);
  ShowListByOpener(OpenSpectraTable);
  EXPECT_EQ(FileMenu(), withSpectra);
}

// Options > Spectrum... on the spectra list; the abscissa and ordinate
// radios sit inside group boxes and are clicked with the mouse.
TEST_F(ListCommandsTest, TheSpectrumOptionsTakeClicksOnTheRadiosInTheirGroupBoxes) {
  ShowModelWindows();
  SendMessage(ListFrame().window, WM_COMMAND, 251, 0);
  platform::RunUntilIdle();
  ASSERT_EQ(CurrentListOpener(), &OpenSpectraTable);
  auto click = [](HWND dialog, int id) {
    HWND radio = GetDlgItem(dialog, id);
    RECT r{};
    GetClientRect(radio, &r);
    platform::TestMouse(radio, WM_LBUTTONDOWN, 6, r.bottom / 2);
    platform::TestMouse(radio, WM_LBUTTONUP, 6, r.bottom / 2);
    platform::RunUntilIdle();
  };
  platform::ExpectModal(platform::ModalKind::Dialog, "SPECTRUM_OPTIONS_DIALOG", [&](HWND dialog) {
    click(dialog, 1402);  // Period (Sec)
    click(dialog, 1409);  // g's
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1402), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1409), static_cast<UINT>(BST_CHECKED));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(ListFrame().window, WM_COMMAND, 306, 0);
  platform::RunUntilIdle();
  platform::CheckModalScript();
  const ResponseSpectrum& spectrum = TheModel().spectra.at(0);
  EXPECT_NE(spectrum.periodAbscissa, 0);
  EXPECT_TRUE(IsAccelerationUnit(spectrum.ordinateUnit));
}

}  // namespace
