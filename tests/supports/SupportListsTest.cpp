// The anchors and restraints lists of the List window, reached through the
// list chooser, and their printed sections: cells typed in are stored
// through the dialog's checks (a refusal keeps the value and names it),
// Delete takes the item off its row, and the sections print as text and
// comma-separated files that read back column by column.
#include "model/ListTesting.h"

#include <fstream>
#include <sstream>

#include "model/ListWindow.h"
#include "model/RowOperations.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "printing/ReportOutput.h"
#include "services/TempFiles.h"
#include "services/Units.h"
#include "supports/Anchor.h"
#include "supports/AnchorList.h"
#include "supports/Restraint.h"
#include "supports/RestraintList.h"

namespace {

class SupportListsTest : public ListFixture {
 protected:
  void SetUp() override {
    ListFixture::SetUp();
    Model& model = TheModel();
    PutItem(model, 3, DataType::Restraint);
    auto& restraint = static_cast<Restraint&>(*model.row(3).item);
    restraint.restrainY = 1;
    restraint.tag = "R, 1";
    PutItem(model, 4, DataType::Anchor);
    auto& anchor = static_cast<Anchor&>(*model.row(4).item);
    anchor.stiffness = {1000.0f, 0.0f, 1.0e12f, 0.0f, 0.0f, 5.0e5f};
    anchor.releases[2] = 1;
    anchor.tag = "A4";
    MakeModel(model);
    model.modified = false;
  }
  // Types `text` into the current row's `column` and commits it.
  static void Type(TableWindow& table, int column, const std::string& text) {
    table.currentColumn = column;
    TableLoadEditBuffer(table);
    table.editBuffer = text;
    table.editChanged = true;
    TableCommitEdit(table);
  }
  static const Anchor& AnchorAt(int row) { return static_cast<const Anchor&>(*TheModel().row(row).item); }
  static std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  // Writes the model report's kind sections to `path` (text or CSV by its extension).
  static std::string Report(const std::string& path) {
    EXPECT_TRUE(ReportOpenFile(nullptr, path));
    PrintAnchorsDetails();
    PrintRestraintsDetails();
    EXPECT_TRUE(ReportCloseFile());
    return ReadFile(path);
  }
};

TEST_F(SupportListsTest, TheAnchorsListShowsEveryAnchorAndStoresTypedCells) {
  ChooseList("&Anchors");
  TableWindow& list = AnchorsListTable();
  ASSERT_EQ(CurrentListOpener(), &OpenAnchorsList);
  ASSERT_EQ(list.rowCount, 2);
  EXPECT_EQ(list.HeadingText(3, 0), "KX/kx");
  EXPECT_EQ(list.HeadingText(3, 1), UnitLabel(kUnitStiffness));
  EXPECT_EQ(list.HeadingText(10, 1), "Y");
  std::vector<std::string> second = {"40", "A4", FormatStiffnessOrRigid(1000.0f)};
  second.push_back(FormatStiffnessOrRigid(0.0f));
  second.push_back("Rigid");
  second.push_back(FormatRotStiffnessOrRigid(0.0f));
  second.push_back(second.back());
  second.push_back(FormatRotStiffnessOrRigid(5.0e5f));
  for (const char* text : {"", "", "Y", "", "", "", "GCS"}) second.push_back(text);
  for (int column = 1; column <= 15; ++column) EXPECT_EQ(list.CellText(2, column, 0), second[static_cast<std::size_t>(column - 1)]) << column;
  // A stiffness typed in: stored, the model marked, undo offered.
  TableGoToRow(list, 2);
  Type(list, 4, "250");
  EXPECT_FLOAT_EQ(AnchorAt(4).stiffness[1], 250.0f);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  // Refusals keep the stored value and say why.
  messages.clear();
  Type(list, 3, "1x");
  Type(list, 11, "Q");
  EXPECT_EQ(messages, (std::vector<std::string>{"KX =  1x  is invalid", "Release =  Q  is invalid"}));
  EXPECT_FLOAT_EQ(AnchorAt(4).stiffness[0], 1000.0f);
  // Six zeros are refused with the dialog's message.
  Type(list, 3, "0");
  Type(list, 4, "0");
  Type(list, 5, "0");
  Type(list, 8, "0");
  EXPECT_EQ(messages.back(), "No stiffnesses input");
  EXPECT_FLOAT_EQ(AnchorAt(4).stiffness[5], 5.0e5f);
  // Y in the axes column puts the anchor in pipe axes and clears its releases,
  // whose cells then take nothing.
  Type(list, 15, "Y");
  EXPECT_EQ(AnchorAt(4).AnchorInPipeLcs, 1);
  EXPECT_EQ(AnchorAt(4).releases, (std::array<std::uint8_t, 6>{}));
  EXPECT_EQ(list.CellText(2, 15, 0), "Pipe LCS");
  EXPECT_FALSE(list.IsCellEditable(2, 11));
  // The same value again stores nothing and leaves no snapshot.
  const int depth = UndoDepth();
  Type(list, 2, "A4");
  EXPECT_EQ(UndoDepth(), depth);
}

TEST_F(SupportListsTest, TheRestraintsListEditsDeletesAndOpensTheDialog) {
  ChooseList("&Restraints");
  TableWindow& list = RestraintsListTable();
  ASSERT_EQ(list.rowCount, 1);
  EXPECT_EQ(list.CellText(1, 1, 0), "30");
  EXPECT_EQ(list.CellText(1, 2, 0), "R, 1");
  EXPECT_EQ(list.CellText(1, 3, 0), "");
  EXPECT_EQ(list.CellText(1, 4, 0), "Y");
  Type(list, 3, "Y");
  const auto& restraint = static_cast<const Restraint&>(*TheModel().row(3).item);
  EXPECT_EQ(RestraintDirectionCode(restraint), 4);
  // Enter opens the dialog on the row's restraint.
  platform::ExpectModal(platform::ModalKind::Dialog, "RESTRAINT_DIALOG", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, 1101), BST_CHECKED);
    CheckDlgButton(dialog, 1103, BST_CHECKED);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  list.EnterRow(false);
  platform::CheckModalScript();
  EXPECT_EQ(RestraintDirectionCode(restraint), 7);
  // Delete takes the restraint off its row; the list empties.
  SendMessage(ListFrame().window, WM_COMMAND, 126, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(TheModel().row(3).dataType, DataType::None);
  EXPECT_EQ(list.rowCount, 0);
}

TEST_F(SupportListsTest, TheSectionsPrintAsTextAndCommaSeparatedLines) {
  g_UnitsSettings.unit[kUnitStiffness] = 0;
  const std::string folder = TempFolder();
  const std::vector<std::string> text = Lines(Report(folder + "/supports.txt"));
  auto at = [&text](const std::string& start) {
    return std::find_if(text.begin(), text.end(), [&start](const std::string& line) { return line.find(start) != std::string::npos; });
  };
  auto heading = at("X Y Z XXYYZZ");
  ASSERT_NE(heading, text.end());
  EXPECT_EQ(heading->substr(5, 4), "Node");
  EXPECT_EQ(heading->substr(11, 5), "KX/kx");
  EXPECT_EQ(heading->substr(64, 12), "X Y Z XXYYZZ");
  EXPECT_EQ(heading->substr(77, 7), "In Pipe");
  // Node 40: KX at column 12, KY (zero) left blank, the Z release at 69
  // under the heading's Z, GCS at 79.
  auto anchor = std::find_if(heading, text.end(), [](const std::string& line) { return line.rfind("     40", 0) == 0; });
  ASSERT_NE(anchor, text.end());
  const std::string kx = FormatStiffnessOrRigid(1000.0f);
  EXPECT_EQ(anchor->substr(11, kx.size()), kx);
  EXPECT_EQ(anchor->substr(20, 9), std::string(9, ' '));
  EXPECT_EQ(anchor->substr(29, 5), "Rigid");
  EXPECT_EQ(anchor->substr(68, 1), "Y");
  EXPECT_EQ(heading->substr(68, 1), "Z");
  EXPECT_EQ(anchor->substr(78, 3), "GCS");
  auto restraint = std::find_if(text.begin(), text.end(), [](const std::string& line) { return line.rfind("     30", 0) == 0; });
  ASSERT_NE(restraint, text.end());
  EXPECT_EQ(*restraint, "     30" + std::string(19 - 7, ' ') + "Yes");  // Y held: "Yes" at column 20

  const std::vector<std::string> csv = Lines(Report(folder + "/supports.csv"));
  auto header = std::find(csv.begin(), csv.end(), "Node,Tag,KX/kx,KY/ky,KZ/kz,KXX/kxx,KYY/kyy,KZZ/kzz,Releases,Anchor in Pipe,");
  ASSERT_NE(header, csv.end());
  EXPECT_EQ(*(header + 1), std::string(",,") + UnitLabel(kUnitStiffness) + "," + UnitLabel(kUnitStiffness) + "," +
                               UnitLabel(kUnitStiffness) + "," + UnitLabel(kUnitRotStiffness) + "," +
                               UnitLabel(kUnitRotStiffness) + "," + UnitLabel(kUnitRotStiffness) + ",X Y Z XX YY ZZ,");
  // The formatters share one buffer: each text is taken before the next call.
  const std::string zero = FormatStiffnessOrRigid(0.0f);
  const std::string zeroRot = FormatRotStiffnessOrRigid(0.0f);
  const std::string kzz = FormatRotStiffnessOrRigid(5.0e5f);
  EXPECT_NE(std::find(header, csv.end(),
                      "40,A4," + kx + "," + zero + ",Rigid," + zeroRot + "," + zeroRot + "," + kzz + ",N N Y N  N  N  ,GCS,"),
            csv.end());
  auto restraints = std::find(csv.begin(), csv.end(), "Node,Tag,X,Y,Z,");
  ASSERT_NE(restraints, csv.end());
  EXPECT_EQ(*(restraints + 1), "");  // the heading's closing rule
  EXPECT_EQ(*(restraints + 2), "30,\"R, 1\",,Yes,,");
  // A kind without rows prints no section at all.
  ClearDataType(TheModel(), 3);
  EXPECT_EQ(Report(folder + "/none.csv").find("Restraints"), std::string::npos);
  g_UnitsSettings = UnitsSettings{};
}

}  // namespace
