// The Layout's own commands keep the rules of its cells and of Delete, on
// LayoutFixture::BuildRoadsModel: a refused road shows the cell's or
// Delete's message and leaves the model byte for byte as it was, unmarked,
// with no undo step; a road that stores what nothing keeps leaves no mark.
#include <fstream>

#include "elements/CommentData.h"
#include "model/ToolTesting.h"
#include "records/Pump.h"

namespace {

constexpr int kCopy = 363, kPaste = 364, kCombine = 40048, kGenerate = 117, kReplace = 40022, kSlope = 385;
const std::string kZero = "This element has zero length", kLocation = "For Location, Node must be defined";
const std::string kDz = "Row 4: DZ is too large:\nthe node coordinates or bend made from it are not finite numbers.";

class LayoutRoadRulesTest : public ToolFixture {
 protected:
  void SetUp() override {
    ToolFixture::SetUp();
    BuildRoadsModel();
  }
  void At(int row, int column) {
    TableGoTo(table(), row);
    TableSetColumn(table(), column);
    platform::RunUntilIdle();
  }
  void Copy(int row) {
    At(row, 1);
    Command(kCopy);
  }
  // Dialog `name` with fields 1301, 1302 ... filled, then OK: refused with
  // `refusal` and cancelled, or ended.
  static void Fill(const char* name, std::vector<std::string> fields, const std::string& refusal = {}) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [=](HWND dialog) {
      for (std::size_t i = 0; i < fields.size(); ++i) Set(dialog, 1301 + static_cast<int>(i), fields[i]);
      if (refusal.empty()) SendMessage(dialog, WM_COMMAND, IDOK, 0);
      else OkRefused(dialog, refusal);
    });
  }
  static void Choose(const char* find, const char* with) {
    platform::ExpectModal(platform::ModalKind::Dialog, "REPLACE_ELEMENTS_DATAS", [=](HWND dialog) {
      for (const auto& [item, name] : {std::pair{1201, find}, std::pair{1202, with}}) {
        SendDlgItemMessage(dialog, item, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(item, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
      }
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  // Runs `road` on cell (row, column) with the box `refusal` (none when
  // empty) after the dialogs expected before: the model is as it was.
  void Refused(int row, int column, const std::string& refusal, const std::function<void()>& road) {
    At(row, column);
    const std::string before = Bytes();
    const int undo = UndoDepth();
    if (!refusal.empty()) ExpectBox(refusal);
    road();
    platform::CheckModalScript();
    EXPECT_EQ(FirstDifference(Bytes(), before), -1) << refusal;
    EXPECT_FALSE(TheModel().modified) << refusal;
    EXPECT_EQ(UndoDepth(), undo) << refusal;
  }
  void Refused(int row, int column, int id, const std::string& refusal) {
    Refused(row, column, refusal, [&] { Command(id); });
  }
  // Row `from` pasted whole onto `row`; rows first..last pasted after the
  // last row, and generated once: each refused with `refusal`.
  void CopiesRefused(int from, int row, int first, int last, const std::string& refusal) {
    Copy(from);
    Refused(row, 1, kPaste, refusal);
    Fill("COPY_ELEMENTS_DIALOG", {std::to_string(first), std::to_string(last)});
    Command(40036);
    Refused(2, 1, kPaste, refusal);
    Fill("GENERATE_DIALOG", {std::to_string(first), std::to_string(last), "1", "100"}, refusal);
    Refused(2, 1, kGenerate, "");
  }
};

TEST_F(LayoutRoadRulesTest, ALocationStandsOnlyAtANodeThatARowMakes) { CopiesRefused(9, 4, 9, 12, kLocation); }

TEST_F(LayoutRoadRulesTest, ANodeThatSomethingNamesIsNotLost) {
  AppendPump(TheModel().pumps, Pump{"P1", 20});
  ReadBackModel();
  const std::string pumpRefusal = "Element at Node 20 is referred by Pump 'P1'. \nHence cannot be deleted.";
  Refused(4, 1, kCombine, pumpRefusal);
  Copy(6);
  Refused(3, 1, kPaste, pumpRefusal);
  TheModel().pumps[1].suctionNode = 0;
  ReadBackModel();
  // The Location at node 20 holds it, for Delete (Ctrl+X) too.
  const std::string location = "Element at Node 20 is referred by Location at row 9. \nHence cannot be deleted.";
  Refused(4, 1, kCombine, location);
  Refused(3, 1, 126, location);
}

TEST_F(LayoutRoadRulesTest, NoRoadMakesAnElementOfZeroLength) {
  CopiesRefused(11, 6, 10, 11, kZero);
  for (int joint : {5, 7}) Refused(joint, 2, "", [&] { EXPECT_EQ(Store(joint, 2, "PIPE"), kZero); });
  Choose("Ball", "Pipe");
  Refused(2, 1, kReplace, kZero);
}

TEST_F(LayoutRoadRulesTest, APasteGoesOnlyWhereTypingGoesAndAsTypingDoes) {
  Model& model = TheModel();
  const int hydrotest = ++model.rowCount;
  SetElementType(model, hydrotest, ElementType::HydrotestLoad);
  SetElementType(model, 4, ElementType::Bend);
  SetDataType(model, 6, DataType::Anchor);
  ReadBackModel();
  using Cell = std::tuple<int, int, int>;  // copied row, target row and column
  for (const auto& [from, target, column] : {Cell{3, hydrotest, 1}, Cell{10, hydrotest, 2}, Cell{3, 5, 6}}) {
    Copy(from);
    Refused(target, column, kPaste, "");  // a material on the hinge is ignored
  }
  for (int greyed : {2, 9, 10}) Refused(greyed, 1, kSlope, "");  // the menu greys Slope there
  // A bend takes its type as typed: without the anchor.
  Copy(4);
  At(6, 2);
  Command(kPaste);
  EXPECT_EQ(row(6).elementType, ElementType::Bend);
  EXPECT_EQ(row(6).item, nullptr);
  EXPECT_TRUE(model.modified);
}

TEST_F(LayoutRoadRulesTest, WhatNothingKeepsLeavesNoMark) {
  // A pipe onto a pipe, a material onto the Location and the From row.
  using Cell = std::tuple<int, int, int>;
  for (const auto& [from, target, column] : {Cell{6, 3, 2}, Cell{3, 9, 6}, Cell{3, 2, 6}}) {
    Copy(from);
    Refused(target, column, kPaste, "");
  }
  const std::string closing = "Node 10 already exists, so DX, DY, DZ should be zero";
  Refused(11, 3, "", [&] { EXPECT_EQ(Store(11, 3, "5"), closing); });
  Copy(3);
  Refused(11, 3, kPaste, closing);
  Fill("SLOPE_DIALOG", {"5", "1"}, closing);
  Refused(11, 3, kSlope, "");
  // A DX typed on the spare row, which no file holds until it is entered.
  const int spare = TheModel().rowCount + 1;
  Refused(spare, 3, "", [&] { EXPECT_EQ(Store(spare, 3, "5"), ""); });
  Choose("Comment", "Comment");
  Refused(2, 1, kReplace, "");
  EXPECT_EQ(static_cast<const CommentData&>(*row(10).element).Text(), "keep this note");
}

TEST_F(LayoutRoadRulesTest, AValueWhoseCoordinatesAreNotFiniteIsRefusedNamingItsRowAndField) {
  Model& model = TheModel();
  SetElementType(model, 4, ElementType::Bend);
  ReadBackModel();
  g_UnitsSettings.unit[kUnitLength] = kLengthMillimetre;
  Refused(4, 5, "", [&] { EXPECT_EQ(Store(4, 5, "1E34"), kDz); });
  // A file whose row 4 holds DZ 2.6E33 in: refused by the reader, which
  // open, merge and the automatic save's recovery read through.
  std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/examples/SteamLine.mod", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.at(1757), '\0');
  bytes[1757] = '\x77';
  const std::string damaged = TempFolder() + "/damaged.mod";
  std::ofstream(damaged, std::ios::binary) << bytes;
  Model read;
  EXPECT_EQ(CatchModelRead(damaged, [&] { ReadModelFileInto(damaged, read); }), kDz);
  // Save names the row and field of a model that holds such a value.
  model.path = TempFolder() + "/roads.mod";
  model.row(4).dz = 3.9e32f;
  EXPECT_THROW(MakeModel(model), std::string);
  ExpectBox(kDz + "\nThe model was not saved.");
  Command(104);
  EXPECT_FALSE(std::filesystem::exists(model.path));
  model.modified = false;
}

TEST_F(LayoutRoadRulesTest, FindAndReplaceOpensWithFromSelected) {
  WithDialog(kReplace, "REPLACE_ELEMENTS_DATAS", [](HWND dialog) {
    platform::TestTypeText("739");
    platform::RunUntilIdle();
    EXPECT_EQ(Get(dialog, 1301), "739");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  platform::CheckModalScript();
}

}  // namespace
