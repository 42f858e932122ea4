// One input of the user, one undo step: a key that stores, a command from
// the menu (with the text typed before it), a picker and a dialog it opens;
// an action the rules refuse leaves the model's bytes, its mark and the
// undo stack as they were, and a command that changes no byte leaves no
// mark.
#include "editing/ModelWindows.h"
#include "files/FileCommands.h"
#include "model/LayoutTesting.h"
#include "platform/Dialog.h"

namespace {

class UserActionsTest : public LayoutFixture {
 protected:
  HWND frame() { return LayoutFrame().window; }
  // As the menu sends it: one action of its own.
  void Command(int id) {
    SendMessage(frame(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  // The model file, where the user looks (the view, the current rows) left
  // out: no edit changes it.
  static std::string Bytes() {
    const std::string path = TempFolder() + "/actions.mod";
    Model& model = TheModel();
    const GraphicsSettings view = model.graphics;
    const int current = model.currentRow, top = model.layoutTopRow;
    model.graphics.viewLeft = model.graphics.viewRight = model.graphics.viewBottom = model.graphics.viewTop = 0.0f;
    model.currentRow = model.layoutTopRow = 1;
    EXPECT_EQ(WriteModelFileFrom(model, path), "");
    model.graphics = view;
    model.currentRow = current;
    model.layoutTopRow = top;
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
  }
  // The picker chooses the record at line `line`.
  static void ExpectPick(int line) {
    platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG", [line](HWND dialog) {
      TableGoTo(*TableOfWindow(GetFocus()), line);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  void Cell(int rowNumber, int column) {
    TableGoTo(table(), rowNumber);
    TableSetColumn(table(), column);
  }
};

TEST_F(UserActionsTest, EachCommandIsAStepOfItsOwnAndTakesTheTextTypedBeforeIt) {
  TypeSmallModel();
  AddName(TheModel().materials, "AL");
  AddName(TheModel().sections, "S8");
  const int depth = UndoDepth();
  // Select Material, then Select Section: two steps; one Undo takes back
  // the section only.
  Cell(3, 6);
  ExpectPick(2);
  Command(280);
  ExpectPick(2);
  Command(281);
  EXPECT_EQ(row(3).material, "AL");
  EXPECT_EQ(row(3).section, "S8");
  EXPECT_EQ(UndoDepth(), depth + 2);
  Command(40050);
  EXPECT_EQ(row(3).material, "AL");
  EXPECT_EQ(row(3).section, "S4");
  // A DX stored with Tab, then Duplicate last row: two steps.
  Cell(4, 3);
  Type("700");
  Key(VK_TAB);
  const int typed = UndoDepth();
  Cell(5, 1);
  Command(384);
  EXPECT_EQ(TheModel().rowCount, 5);
  EXPECT_EQ(UndoDepth(), typed + 1);
  Command(40050);
  EXPECT_EQ(TheModel().rowCount, 4);
  EXPECT_FLOAT_EQ(row(4).dx, 700.0f / 25.4f);
  // DY typed with no key, then Edit > Offsets with DZ: one step, which one
  // Undo takes back whole.
  const std::string before = Bytes();
  Cell(3, 4);
  Type("15");
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1302)), "15");
    SetDlgItemText(dialog, 1303, "3");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(40027);
  EXPECT_FLOAT_EQ(row(3).dy, 15.0f / 25.4f);
  EXPECT_FLOAT_EQ(row(3).dz, 3.0f / 25.4f);
  const int offsets = UndoDepth();
  Command(40050);
  EXPECT_EQ(UndoDepth(), offsets - 1);
  EXPECT_TRUE(Bytes() == before);
  // The same with Select Material after a DX typed and left.
  Cell(3, 3);
  Type("5");
  ExpectPick(1);
  Command(280);
  EXPECT_EQ(row(3).material, "A106");
  EXPECT_EQ(UndoDepth(), offsets);
  Command(40050);
  EXPECT_TRUE(Bytes() == before);
}

// The mark follows the bytes, and a refused command keeps nothing of its
// action. Rows: From 10, pipes to 20 and to 30 that name no load, and
// between them an empty row that holds an anchor.
TEST_F(UserActionsTest, AnActionThatChangesNoByteLeavesNoMarkAndARefusedOneNothing) {
  Model& model = TheModel();
  AddRow(model, 10, ElementType::From);
  for (int row : {3, 5}) {
    if (row == 5) AddRow(model, 30, ElementType::Pipe, 0.0f, 12.0f);
    else AddRow(model, 20, ElementType::Pipe, 12.0f);
    model.row(row).material = "A106";
    model.row(row).section = "S4";
    if (row == 3) PutItem(model, ++model.rowCount, DataType::Anchor);
  }
  AddName(model.pipeLoads, "L2");
  ReadBackModel();
  const std::string before = Bytes();
  auto unchanged = [&](const std::string& what) {
    platform::CheckModalScript();
    EXPECT_TRUE(Bytes() == before) << what;
    EXPECT_FALSE(model.modified) << what;
    EXPECT_EQ(UndoDepth(), 0) << what;
  };
  // Duplicate last row on the spare row, the load picker answered.
  for (int answer : {IDOK, IDCANCEL}) {
    Cell(6, 1);
    platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG",
                          [answer](HWND dialog) { SendMessage(dialog, WM_COMMAND, answer, 0); });
    Command(384);
    unchanged("Duplicate last row " + std::to_string(answer));
    ClearLayoutRow(model.row(6));
  }
  // Element Types > Location, refused by the Type cell at a node no row
  // made, after the Data cell of the anchor's row emptied (the cell is left
  // as the user left it), or after a node typed on the spare row (its
  // store's mark goes).
  for (const auto& [rowNumber, column, text] : {std::tuple{4, 9, ""}, {6, 1, "40"}}) {
    Cell(rowNumber, column);
    Key(VK_END);
    for (int n = table().EditLength(); n > 0; --n) Key(VK_BACK);
    Type(text);
    platform::ExpectModal(platform::ModalKind::Dialog, "ETYPES_DIALOG", [](HWND dialog) {
      SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1418, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1418)));
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    messages.clear();
    Command(182);
    unchanged(std::string("Location after \"") + text + "\"");
    EXPECT_EQ(messages, std::vector<std::string>{"For Location, Node must be defined"});
    // What was typed is back in its cell, the spare row's too.
    EXPECT_EQ(model.row(6).node, 0);
    EXPECT_EQ(table().currentRow * 10 + table().currentColumn, rowNumber * 10 + column);
    EXPECT_EQ(table().editBuffer, text);
    EXPECT_TRUE(table().editChanged);
    Key(VK_ESCAPE);
  }
}

TEST_F(UserActionsTest, ARefusedActionLeavesTheBytesAndRegenerateMarksNothing) {
  Model read;
  ReadModelFileInto(std::string(QUORVEL_SOURCE_DIR) + "/examples/SteamLine.mod", read);
  SwapModel(read);
  g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  TheModel().modified = false;
  ShowModelWindows();
  platform::RunUntilIdle();
  // Row 5 deleted: a Bend is the last row. A cut pipe typed on the spare
  // row with a DZ beyond what a model holds is refused, and nothing of the
  // key's action stays, the bend's own data included.
  Cell(5, 1);
  Command(126);
  TheModel().modified = false;
  DeleteUndoRedoFiles();
  const std::string before = Bytes();
  const int spare = TheModel().rowCount + 1;
  Cell(spare, 2);
  Type("C");
  Key(VK_RETURN);
  Cell(spare, 5);
  Type("1E37");
  Key(VK_RETURN);
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages.back().find("too large"), std::string::npos) << messages.back();
  EXPECT_TRUE(Bytes() == before);
  EXPECT_EQ(UndoDepth(), 0);
  EXPECT_FALSE(TheModel().modified);
  // Regenerate of a model made already changes no byte: no mark, no step.
  Command(118);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), 0);
}

}  // namespace
