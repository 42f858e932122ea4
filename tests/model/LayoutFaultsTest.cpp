// Faults of the Layout editing found by review, each through the command or
// cell a user reaches it by: a paste past the node limit is refused with the
// model exactly as it was, so is a regenerate of rows that cannot be made,
// and a new node typed into a row of the full model; a model whose rows
// cannot be made is never saved, so every file saved reads back;
// the offsets dialog keeps the offsets the user did not touch; a change to
// or from Beam makes the model and asks for the names; renaming a node
// leaves the jacket's node positions alone.
#include <fstream>
#include <iterator>

#include "elements/JacketedPipe.h"
#include "files/ModelFile.h"
#include "model/EditTesting.h"
#include "model/LayoutTesting.h"
#include "services/TempFiles.h"

namespace {

class LayoutFaultsTest : public LayoutFixture {
 protected:
  HWND frame() { return LayoutFrame().window; }
  void Command(int id) {
    SendMessage(frame(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    platform::RunUntilIdle();
  }
  static std::string ModelBytes() {
    const std::string path = TempFolder() + "/faults.mod";
    EXPECT_EQ(WriteModelFileFrom(TheModel(), path), "");
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
  }
  static void ExpectCancelledPicker() {
    platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  }
  static void ExpectMessage(const std::string& name, const std::string& line, int button = IDOK) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [line, button](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog).at(0), line);
      SendMessage(dialog, WM_COMMAND, button, 0);
    });
  }
  // A From row, then `bends` bend rows turning in the XY plane: each bend
  // row makes three nodes (its node and the two arc ends).
  static void AddBends(Model& model, int bends) {
    int number = model.rowCount + 1;
    if (model.rowCount < 2) {
      model.row(number).node = 10;
      model.row(number).elementType = ElementType::From;
      model.row(number).element = CreateElementData(ElementType::From);
      model.rowCount = number++;
    }
    for (int i = 0; i < bends; ++i, ++number) {
      LayoutRow& row = model.row(number);
      row.node = number * 10;
      row.elementType = ElementType::Bend;
      row.element = CreateElementData(ElementType::Bend);
      row.dx = 100.0f;
      row.dy = (number % 2) ? 100.0f : 0.0f;
      model.rowCount = number;
    }
  }
};

TEST_F(LayoutFaultsTest, APastePastTheNodeLimitIsRefusedAndTheModelStaysAsItWas) {
  AddBends(TheModel(), 3329);
  OpenAsReadBack(TheModel());
  Model& model = TheModel();
  ASSERT_EQ(model.nodes.count, 1 + 3 * 3329);
  UpdateLayoutTitle();
  platform::RunUntilIdle();
  const int rows = model.rowCount;
  // Copy the last two bends; pasting them needs six nodes more than the
  // 9990 the table holds.
  TableGoTo(table(), rows);
  platform::ExpectModal(platform::ModalKind::Dialog, "COPY_ELEMENTS_DIALOG", [rows](HWND dialog) {
    SetDlgItemText(dialog, 1301, std::to_string(rows - 1).c_str());
    SetDlgItemText(dialog, 1302, std::to_string(rows).c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(40036);
  const std::string before = ModelBytes();
  const int undo = UndoDepth();
  ExpectMessage("MESSAGE1_DIALOG", NodeLimitMessage());
  Command(364);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().rowCount, rows);
  EXPECT_EQ(TheModel().nodes.count, 1 + 3 * 3329);
  EXPECT_TRUE(ModelBytes() == before);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), undo);
  EXPECT_TRUE(IsWindow(frame()));
  EXPECT_EQ(table().rowCount, rows + 1);

  // Regenerate of rows that cannot be made (one row more than the table
  // holds, added without making the model) keeps the node table it had.
  AddBends(TheModel(), 1);
  const int count = TheModel().nodes.count;
  const int bends = TheModel().lists[RowListKind::Bends].count;
  ExpectMessage("MESSAGE1_DIALOG", NodeLimitMessage());
  Command(118);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().nodes.count, count);
  EXPECT_EQ(TheModel().lists[RowListKind::Bends].count, bends);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), undo);
}

// 9990 nodes: a new node typed into an inserted row is refused in its cell,
// the model is as the insert left it, and Save writes a file that reads
// back. Rows that cannot be made (added behind the table's back) are never
// saved: the file on disk stays as it was.
TEST_F(LayoutFaultsTest, AtTheNodeLimitANewNodeIsRefusedAndNoSavedFileFailsToReadBack) {
  AddBends(TheModel(), 3329);
  OpenAsReadBack(TheModel());
  const std::string path = TempFolder() + "/full.mod";
  TheModel().path = path;
  UpdateLayoutTitle();
  platform::RunUntilIdle();
  TableGoTo(table(), TheModel().rowCount + 1);
  TypeRow({"50000", "P", "100", "", "", "A106", "S4", "L1"});
  TypeRow({"50010", "P", "100"});
  ASSERT_EQ(TheModel().nodes.count, kMaxNodes);
  const int rows = TheModel().rowCount;
  TableGoTo(table(), 5);
  Command(128);  // Insert
  ASSERT_EQ(TheModel().rowCount, rows + 1);
  const std::string inserted = ModelBytes();
  messages.clear();
  Type("60000");
  Key(VK_TAB);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], NodeLimitMessage());
  EXPECT_EQ(TheModel().row(5).node, 0);
  EXPECT_EQ(TheModel().nodes.count, kMaxNodes);
  EXPECT_TRUE(TheModel().unmadeReason.empty());
  EXPECT_TRUE(ModelBytes() == inserted);
  Key(VK_ESCAPE);
  Command(104);  // Save
  platform::CheckModalScript();
  Model read;
  ReadModelFileInto(path, read);
  EXPECT_EQ(read.rowCount, rows + 1);
  EXPECT_EQ(read.nodes.count, kMaxNodes);

  std::ifstream before(path, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(before)), std::istreambuf_iterator<char>());
  AddBends(TheModel(), 1);
  ExpectMessage("MESSAGE1_DIALOG", NodeLimitMessage());
  Command(118);  // Regenerate: refused, the rows stay unmade
  EXPECT_FALSE(TheModel().unmadeReason.empty());
  TheModel().modified = true;
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{NodeLimitMessage(), "The model was not saved."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(104);
  platform::CheckModalScript();
  EXPECT_TRUE(TheModel().modified);
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()) == saved);
  TheModel().modified = false;
}

TEST_F(LayoutFaultsTest, TheOffsetsDialogKeepsTheOffsetsThatWereNotTouched) {
  g_UnitsSettings.unit[kUnitLength] = kLengthFeet;
  TypeSmallModel();
  Model& model = TheModel();
  model.row(3).dx = 0.1f;  // shown as 0.0083 ft, which reads back as 0.0996 in
  model.row(3).dy = 12.3456f;
  RefreshAfterModelEdit(model);
  model.modified = false;
  TableGoTo(table(), 3);
  const int undo = UndoDepth();
  // OK as shown: nothing changes, nothing to undo.
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  Command(40027);
  EXPECT_EQ(model.row(3).dx, 0.1f);
  EXPECT_EQ(model.row(3).dy, 12.3456f);
  EXPECT_FALSE(model.modified);
  EXPECT_EQ(UndoDepth(), undo);
  // DZ edited: it alone takes the typed value.
  platform::ExpectModal(platform::ModalKind::Dialog, "DX_DY_DZ_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1303, "2");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(40027);
  EXPECT_EQ(model.row(3).dx, 0.1f);
  EXPECT_EQ(model.row(3).dy, 12.3456f);
  EXPECT_EQ(model.row(3).dz, 24.0f);
  EXPECT_TRUE(model.modified);
  EXPECT_EQ(UndoDepth(), undo + 1);
}

TEST_F(LayoutFaultsTest, AnOffsetThatIsNotAFiniteNumberIsInvalid) {
  g_UnitsSettings.unit[kUnitLength] = kLengthFeet;
  TypeSmallModel();
  const float dx = row(3).dx;
  // 1E38 ft is more inches than a float holds.
  for (const char* text : {"nan", "inf", "-INF", "1E38", "1E39"})
    EXPECT_EQ(Store(3, 3, text), std::string("DX =  ") + text + "  is invalid") << text;
  EXPECT_EQ(row(3).dx, dx);
  // A finite value is kept, on the last row: the pipe of row 4 after it
  // would be lost in coordinates so far out.
  EXPECT_EQ(Store(4, 4, "1E20"), "");
  EXPECT_FLOAT_EQ(row(4).dy, 1.2e21f);
}

TEST_F(LayoutFaultsTest, AChangeToOrFromBeamMakesTheModelAndAsksForTheNames) {
  TypeSmallModel();
  Model& model = TheModel();
  AddName(model.beamMaterials, "BM");
  AddName(model.beamSections, "W8");
  AddName(model.beamLoads, "BL");
  ASSERT_EQ(model.lists[RowListKind::Beams].count, 0);
  // The beam material picker left without a choice: the material is
  // required, but the row is a beam in the model already.
  ExpectCancelledPicker();
  EXPECT_EQ(Store(3, 2, "BEAM"), "Material is required");
  platform::CheckModalScript();
  EXPECT_EQ(row(3).elementType, ElementType::Beam);
  EXPECT_EQ(row(3).material, "");
  EXPECT_EQ(model.lists[RowListKind::Beams].count, 1);
  EXPECT_EQ(RowListEntry(model.lists[RowListKind::Beams], 1), 3);
  // And back to a pipe: confirmed, then out of the beams list.
  ExpectMessage("MESSAGE2_DIALOG", "Do you want to change Element type");
  ExpectCancelledPicker();
  EXPECT_EQ(Store(3, 2, "PIPE"), "Material is required");
  platform::CheckModalScript();
  EXPECT_EQ(row(3).elementType, ElementType::Pipe);
  EXPECT_EQ(model.lists[RowListKind::Beams].count, 0);
}

TEST_F(LayoutFaultsTest, RenamingANodeLeavesTheJacketsNodePositionsAlone) {
  TypeSmallModel();
  Model& model = TheModel();
  // Row 4 becomes a jacketed pipe; making the model sets its jacket nodes,
  // which are places in the node table.
  model.row(4).elementType = ElementType::JacketedPipe;
  model.row(4).element = CreateElementData(ElementType::JacketedPipe);
  MakeModel(model);
  auto* jacket = dynamic_cast<JacketedPipe*>(model.row(4).element.get());
  ASSERT_NE(jacket, nullptr);
  const std::int32_t start = jacket->jacketStartNode;
  ASSERT_GT(start, 0);
  // Give row 3 the node number that equals that position, then rename it:
  // the position must not follow the number.
  const NodeId original = model.row(3).node;
  model.row(3).node = start;
  MakeModel(model);
  ASSERT_EQ(jacket->jacketStartNode, start);
  TableGoTo(table(), 3);
  ExpectMessage("MESSAGE2_DIALOG", "Do you want to change Node");
  EXPECT_EQ(Store(3, 1, std::to_string(original)), "");
  platform::CheckModalScript();
  EXPECT_EQ(model.row(3).node, original);
  EXPECT_EQ(jacket->jacketStartNode, start);
}

}  // namespace
