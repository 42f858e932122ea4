// The Layout's own commands keep the rules of its cells and of Delete, on
// LayoutFixture::BuildRoadsModel: a refused road shows the cell's or
// Delete's message and leaves the model byte for byte as it was, unmarked,
// with no undo step; a road that stores what nothing keeps leaves no mark.
#include <cmath>
#include <cstdio>
#include <fstream>

#include "editing/LayoutRowEdits.h"
#include "elements/CommentData.h"
#include "elements/JacketList.h"
#include "model/KindRecords.h"
#include "model/ListWindow.h"
#include "model/Nodes.h"
#include "model/ToolTesting.h"
#include "records/AllowableLoad.h"
#include "records/Compressor.h"
#include "records/PipeSection.h"
#include "records/Pump.h"
#include "services/Settings.h"
#include "supports/LimitStop.h"

namespace {

constexpr int kCopy = 363, kPaste = 364, kUndo = 40050, kCombine = 40048, kGenerate = 117, kReplace = 40022, kSlope = 385;
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
  // The ball's own values from its dialog: the mark the dialog made goes.
  Choose("Ball", "Ball");
  platform::ExpectModal(platform::ModalKind::Dialog, "BALL_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  Refused(2, 1, kReplace, "");
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

// Text typed in a cell and left there is stored first by the command that
// follows: a refused command leaves nothing of its action, and the text is
// back in its cell as typed, still being edited.
TEST_F(LayoutRoadRulesTest, TextTypedBeforeARefusedCommandGoesBackToItsCell) {
  AppendPump(TheModel().pumps, Pump{"P1", 20});
  ReadBackModel();
  const std::string pump = "Element at Node 20 is referred by Pump 'P1'. \nHence cannot be deleted.";
  auto typedThenRefused = [&](int row, int column, const std::string& text, int id, const std::string& refusal) {
    At(row, column);
    Key(VK_END);
    for (int n = table().EditLength(); n > 0; --n) Key(VK_BACK);
    Type(text);
    const std::string before = Bytes();
    const int undo = UndoDepth();
    ExpectBox(refusal);
    Command(id);
    platform::CheckModalScript();
    EXPECT_EQ(FirstDifference(Bytes(), before), -1) << refusal;
    EXPECT_FALSE(TheModel().modified) << refusal;
    EXPECT_EQ(UndoDepth(), undo) << refusal;
    EXPECT_EQ(table().currentRow * 10 + table().currentColumn, row * 10 + column) << refusal;
    EXPECT_EQ(table().editBuffer, text) << refusal;
    EXPECT_TRUE(table().editChanged) << refusal;
  };
  Fill("COPY_ELEMENTS_DIALOG", {"10", "11"});
  Command(40036);
  typedThenRefused(4, 3, "12.5", kPaste, kZero);
  Choose("Ball", "Pipe");
  typedThenRefused(3, 3, "540", kReplace, kZero);
  typedThenRefused(4, 5, "7", kCombine, pump);
  typedThenRefused(3, 4, "3", 126, pump);
  // The Delete Rows dialog cancelled after the same refusal: the same end.
  platform::ExpectModal(platform::ModalKind::Dialog, "DELETE_ELEMENTS_DIALOG", [](HWND dialog) {
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  typedThenRefused(3, 4, "3", 279, pump);
  // Generate's dialog cancelled after its refusal.
  platform::ExpectModal(platform::ModalKind::Dialog, "GENERATE_DIALOG", [](HWND dialog) {
    for (int item = 1301; const char* field : {"10", "11", "1", "100"}) Set(dialog, item++, field);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  typedThenRefused(3, 3, "30", kGenerate, kZero);
  // A value its cell refuses stops Insert and Delete data before they run.
  for (int id : {128, 238}) {
    At(9, 3);
    Type("5");
    const std::string before = Bytes();
    messages.clear();
    Command(id);
    EXPECT_EQ(messages, std::vector<std::string>{"For Location, DX, DY, DZ should be zero"}) << id;
    EXPECT_EQ(FirstDifference(Bytes(), before), -1) << id;
    EXPECT_EQ(row(9).dataType, DataType::Restraint) << id;
    EXPECT_EQ(table().currentRow * 10 + table().currentColumn, 93) << id;
    EXPECT_TRUE(table().editChanged) << id;
    Key(VK_ESCAPE);
  }
  typedThenRefused(2, 3, "5", 129, "Only an element row of some length can be split.");
  platform::ExpectModal(platform::ModalKind::Dialog, "REFINE_LAYOUT",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  typedThenRefused(2, 3, "5", 40067, "Soil not modelled to refine layout.");
  // The text given back is stored as typed by the key that follows.
  Key(VK_TAB);
  EXPECT_FLOAT_EQ(row(2).dx, 5.0f);
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_TRUE(TheModel().modified);
  // No file keeps the spare row: what an earlier action stored on it stays.
  const int spare = TheModel().rowCount + 1;
  At(spare, 1);
  Type("990");
  Key(VK_TAB);
  Choose("Ball", "Pipe");
  TheModel().modified = false;  // as a save leaves it
  typedThenRefused(spare, 3, "5", kReplace, kZero);
  EXPECT_EQ(row(spare).node, 990);
}

// Text typed and left in a cell is stored first by an accepted command, as
// typed: Insert moves it down with its row, Generate copies it; and a
// refusal given back earlier gives nothing back to a later action.
TEST_F(LayoutRoadRulesTest, TextTypedBeforeAnAcceptedCommandIsStoredFirst) {
  const auto typeDx = [&](int at, const std::string& text) {
    At(at, 3);
    Key(VK_END);
    for (int n = table().EditLength(); n > 0; --n) Key(VK_BACK);
    Type(text);
  };
  typeDx(3, "12.5");
  Command(128);
  EXPECT_FLOAT_EQ(row(4).dx, 12.5f);
  EXPECT_EQ(row(3).node, 0);
  EXPECT_EQ(UndoDepth(), 1);
  Command(kUndo);
  typeDx(3, "12.5");
  platform::ExpectModal(platform::ModalKind::Dialog, "GENERATE_DIALOG", [](HWND dialog) {
    for (int item = 1301; const char* field : {"3", "4", "1", "100"}) Set(dialog, item++, field);
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Command(kGenerate);
  platform::CheckModalScript();
  ASSERT_EQ(TheModel().rowCount, 15);  // a From row, then the copies
  EXPECT_FLOAT_EQ(row(14).dx, 12.5f);
  EXPECT_EQ(UndoDepth(), 1);  // the Insert undone, then one step
  Command(kUndo);
  // Split refused and its text dropped; then an Insert with text typed.
  typeDx(2, "5");
  ExpectBox("Only an element row of some length can be split.");
  Command(129);
  platform::CheckModalScript();
  Key(VK_ESCAPE);
  typeDx(3, "12.5");
  Command(128);
  EXPECT_FLOAT_EQ(row(4).dx, 12.5f);
  EXPECT_EQ(table().currentRow, 3);
  EXPECT_FALSE(table().editChanged);
}

// A refused paste keeps its copy: Paste again is refused again and stores
// nothing, and the copy pastes once its cause is gone, then only once.
TEST_F(LayoutRoadRulesTest, ARefusedPasteKeepsItsCopyUntilItPastes) {
  Copy(4);  // Pipe 30: DX 0, along Y; onto Pipe 50's DX it leaves no length
  Refused(6, 3, kPaste, kZero);
  Refused(6, 3, kPaste, kZero);
  ASSERT_EQ(Store(6, 4, "5"), "");
  At(6, 3);
  Command(kPaste);
  EXPECT_EQ(row(6).dx, 0.0f);
  ASSERT_EQ(Store(6, 3, "7"), "");
  const int undo = UndoDepth();
  Command(kPaste);
  EXPECT_FLOAT_EQ(row(6).dx, 7.0f);
  EXPECT_EQ(UndoDepth(), undo);
}

// Undo over text typed in a cell takes back the typing only; the step
// stored before it is the next Undo's.
TEST_F(LayoutRoadRulesTest, UndoOverTypedTextTakesBackOnlyTheTyping) {
  ASSERT_EQ(Store(6, 3, "11"), "");
  At(3, 3);
  Type("41");
  ASSERT_TRUE(table().editChanged);
  Command(40050);
  EXPECT_FLOAT_EQ(row(6).dx, 11.0f);
  EXPECT_EQ(UndoDepth(), 1);
  EXPECT_EQ(table().currentRow * 10 + table().currentColumn, 33);
  EXPECT_FALSE(table().editChanged);
  EXPECT_EQ(table().editBuffer, table().CellText(3, 3, 0));
  Command(40050);
  EXPECT_FLOAT_EQ(row(6).dx, 10.0f);
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

// --- the rules of the whole model, asked where every edit is settled --------

const std::string kPump = "Element at Node 20 is referred by Pump 'P1'. \nHence cannot be deleted.";
const std::string kFirstFrom = "First \"From\" row cannot be deleted";
const std::string kJacket = "(Jacket I.D. - lining) < (core O.D. + insulation)";

class WholeModelRulesTest : public LayoutRoadRulesTest {
 protected:
  void AddPump() {
    AppendPump(TheModel().pumps, Pump{"P1", 20});
    ReadBackModel();
  }
  // Pipes (node, DX) appended after row 12 and the model read back.
  void Append(std::initializer_list<std::pair<int, float>> rows) {
    for (const auto& [node, dx] : rows) AddRow(TheModel(), node, ElementType::Pipe, dx);
    ReadBackModel();
  }
  // "Do you want to change Node" answered Yes.
  static void ChangeNodeYes(const std::string& from, const std::string& to) {
    ExpectBox("Do you want to change Node\nfrom  \"" + from + "\"  to  \"" + to + "\"  ?", true, IDOK);
  }
  // `name` with `fill` run on it, then OK, which the dialog takes; the
  // edit is refused after it with `refusal`.
  void RefusedAfter(int row, int column, int id, const char* name, const std::function<void(HWND)>& fill,
                    const std::string& refusal) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, [=](HWND dialog) {
      fill(dialog);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    ExpectBox(refusal);
    Refused(row, column, id, "");
  }
  // Sections S4, S6 and S8 of standard wall (outside diameter, wall, inches).
  static void SizeSections() {
    Model& model = TheModel();
    for (const auto& [name, diameter, wall] :
         {std::tuple{"S4", 4.5f, 0.237f}, {"S6", 6.625f, 0.28f}, {"S8", 8.625f, 0.322f}}) {
      int index = FindSectionByName(model.sections, name);
      if (index == 0) index = ModelRecordTableAppend(model.sections, 4);
      model.sections[index].name = name;
      model.sections[index].outsideDiameter = diameter;
      model.sections[index].thickness = wall;
    }
  }
  static std::function<void(HWND)> Fields(std::vector<std::string> fields, int first = 1301) {
    return [=](HWND dialog) {
      for (std::size_t i = 0; i < fields.size(); ++i) Set(dialog, first + static_cast<int>(i), fields[i]);
    };
  }
};

TEST_F(WholeModelRulesTest, NoRoadLosesANodeThatSomethingNames) {
  AddPump();
  Refused(3, 2, "", [&] { EXPECT_EQ(Store(3, 2, "COMMENT"), kPump); });
  Copy(10);
  Refused(3, 2, kPaste, kPump);
  platform::ExpectModal(platform::ModalKind::Dialog, "ETYPES_DIALOG", [](HWND dialog) { Click(dialog, 1400 + 19); });
  ExpectBox(kPump);
  Refused(3, 2, 182, "");
  ExpectBox("Do you want to erase this row ?", true, IDOK);
  Refused(3, 1, "", [&] { EXPECT_EQ(Store(3, 1, ""), kPump); });
  // Later rows closing at node 30 and 80 would make them themselves, of no
  // length, when Delete takes row 4 or Combine merges row 12 into row 13.
  Append({{90, 5.0f}, {30, 0.0f}, {80, 0.0f}});
  Refused(4, 1, 126, kZero);
  Refused(13, 1, kCombine, kZero);
  // Row 2 a Comment, the first From row 3: Delete Rows 2 to 4 leaves none.
  InsertLayoutRow(TheModel(), 2);
  SetElementType(TheModel(), 2, ElementType::Comment);
  InsertLayoutRow(TheModel(), 4);
  SetElementType(TheModel(), 4, ElementType::Comment);
  ReadBackModel();
  ASSERT_EQ(row(3).elementType, ElementType::From);
  RefusedAfter(2, 1, 279, "DELETE_ELEMENTS_DIALOG", Fields({"2", "4"}), kFirstFrom);
}

TEST_F(WholeModelRulesTest, TheNodeCellAsksTheRules) {
  ChangeNodeYes("20", "99");
  Refused(9, 1, "", [&] { EXPECT_EQ(Store(9, 1, "99"), kLocation); });
  ChangeNodeYes("10", "99");
  Refused(11, 1, "", [&] { EXPECT_EQ(Store(11, 1, "99"), kZero); });
  // Row 4 would close at node 10 and lose its DY 20.
  ChangeNodeYes("30", "10");
  Refused(4, 1, "", [&] { EXPECT_EQ(Store(4, 1, "10"), "Node 10 already exists, so DX, DY, DZ should be zero"); });
  EXPECT_FLOAT_EQ(row(4).dy, 20.0f);
  // Typed in the table: Enter after "99" on the closing row is refused there.
  messages.clear();
  At(11, 1);
  ChangeNodeYes("10", "99");
  Refused(11, 1, "", [&] {
    Type("99");  // before the "10" the cell shows, which goes next
    Key(VK_DELETE);
    Key(VK_DELETE);
    Key(VK_RETURN);
  });
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), kZero);
  EXPECT_EQ(row(11).node, 10);
  // A row inserted at row 3 and given node 20 would take row 4's DX 40.
  At(3, 1);
  Command(128);
  ASSERT_EQ(row(4).node, 20);
  ReadBackModel();
  Refused(3, 1, "", [&] { EXPECT_EQ(Store(3, 1, "20"), "Node 20 already exists, so DX, DY, DZ should be zero"); });
  EXPECT_FLOAT_EQ(row(4).dx, 40.0f);
}

TEST_F(WholeModelRulesTest, NoRoadLeavesAnElementWithoutLength) {
  for (const char* tiny : {"0", "-0.00002"}) Refused(12, 4, "", [&] { EXPECT_EQ(Store(12, 4, tiny), kZero); });
  RefusedAfter(3, 1, 116, "CHANGE_ELEMENTS_DIALOG", [](HWND dialog) {
    Fields({"3", "3"})(dialog);
    Click(dialog, 1105);
    Set(dialog, 1304, "0.00001");
  }, kZero);
  RefusedAfter(3, 1, 129, "SPLIT_DIALOG", Fields({"15", "0.00001"}), kZero);
  // A valve on row 6 given a length of 0.00001 in its dialog.
  SetElementType(TheModel(), 6, ElementType::Valve);
  ReadBackModel();
  RefusedAfter(6, 2, 201, "VALVE_DIALOG", Fields({"0.00001"}, 1302), kZero);
  EXPECT_FLOAT_EQ(row(6).dx, 10.0f);
}

TEST_F(WholeModelRulesTest, EveryNumberTheModelKeepsStaysFiniteAndItsRowIsNamed) {
  const std::string tail = " is too large:\nthe picture of the model made from it would not be finite.";
  // DX 6E37 and DY -9E37 make a view window wider than a float holds.
  Refused(3, 3, "", [&] { EXPECT_EQ(Store(3, 3, "6E37"), "Row 3: DX" + tail); });
  row(3).dx = 5.0e36f;  // as a model opened so: the pipes after it lost far out
  ReadBackModel();
  Refused(4, 4, "", [&] { EXPECT_EQ(Store(4, 4, "-9E37"), "Row 4: DY" + tail); });
  const GraphicsSettings& view = TheModel().graphics;
  for (float extent : {view.extentLeft, view.extentRight, view.extentBottom, view.extentTop}) {
    EXPECT_TRUE(std::isfinite(extent));
    EXPECT_TRUE(std::isfinite(extent * 4.0f)) << extent;  // with every margin the view adds
  }
  // A valve of 1E37 on row 6 after DX 5E36 on row 3: its own row is named,
  // and its dialog keeps nothing.
  SetElementType(TheModel(), 6, ElementType::Valve);
  ReadBackModel();
  RefusedAfter(6, 2, 201, "VALVE_DIALOG", Fields({"1E37"}, 1302), "Row 6: DX" + tail);
  EXPECT_FLOAT_EQ(row(6).dx, 10.0f);
  TheModel().path = TempFolder() + "/finite.mod";
  Command(104);
  EXPECT_TRUE(std::filesystem::exists(TheModel().path));
}

// A bend of radius 6 at row 3 (DX 40, then DY 20): arc ends 6 from the
// corner. 1E7 in out a coordinate moves in steps of 1 (2^23 <= 1E7 <
// 2^24), short of the eight an arc needs; 1E6 (steps of 1/16) holds it.
TEST_F(WholeModelRulesTest, NoRoadLosesABendsArcInCoordinatesFarOut) {
  SetElementType(TheModel(), 3, ElementType::Bend);
  TheModel().row(3).element->AsBend()->radiusType = kBendRadiusUser;
  TheModel().row(3).element->AsBend()->radius = 6.0f;
  ReadBackModel();
  const std::string lost = " is too large:\nso far from the origin the node coordinates cannot hold the arc of the bend at node 20.";
  Refused(3, 3, "", [&] { EXPECT_EQ(Store(3, 3, "1E7"), "Row 3: DX" + lost); });
  Refused(2, 3, "", [&] { EXPECT_EQ(Store(2, 3, "-1E7"), "Row 2: DX" + lost); });
  Fill("DX_DY_DZ_DIALOG", {"99999999", "0", "0"}, "Row 3: DX" + lost);
  Refused(3, 3, 40027, "");
  EXPECT_EQ(Store(3, 3, "1E6"), "");
}

// 1.2E6 in out a coordinate moves in steps of 1/8 (2^20 <= 1.2E6 < 2^21),
// so an element shorter than eight steps, 1 in, is not held. Whichever is
// typed, the short offset or the far From, the short element's own row is
// named, with the offset that put it so far out.
TEST_F(WholeModelRulesTest, NoRoadLosesAnElementInCoordinatesFarOut) {
  const std::string lost = "Row 6: the element is too short:\nso far from the origin (row 2's DX) the node "
                           "coordinates cannot hold the element at node 50.";
  EXPECT_EQ(Store(2, 3, "1.2E6"), "");
  ReadBackModel();
  Refused(6, 3, "", [&] { EXPECT_EQ(Store(6, 3, "-0.2"), lost); });
  Fill("DX_DY_DZ_DIALOG", {"0.5", "0", "0"}, lost);
  Refused(6, 3, 40027, "");
  EXPECT_EQ(Store(6, 3, "1"), "");
  row(6).dx = 0.5f;  // as a model made at the origin
  row(2).dx = 0.0f;
  ReadBackModel();
  Refused(2, 3, "", [&] { EXPECT_EQ(Store(2, 3, "1.2E6"), lost); });
}

// The gate of every edit asks what Save asks, of the model file's writer
// in memory: DZ values each cell takes (1.000001E-37 on row 3, then -1E-37
// on row 4) make node 30's Z of about 1E-43, which the file would record
// and Open refuse; the second edit is refused whole, naming the node and
// the row that made it.
TEST_F(WholeModelRulesTest, AnEditLeavingANumberSaveRefusesIsRefusedWhole) {
  EXPECT_EQ(Store(3, 5, "1.000001E-37"), "");
  ReadBackModel();
  char z[32];
  std::snprintf(z, sizeof z, "%.4G", static_cast<double>(1.000001e-37f + -1.0e-37f));
  Refused(4, 5, "", [&] {
    EXPECT_EQ(Store(4, 5, "-1E-37"), std::string("Node 30 (row 4): the Z ") + z +
                                         " is out of range (a value is zero, or from 1E-37 up to 1E38)");
  });
}

TEST_F(WholeModelRulesTest, TheOffsetsDialogRefusesAndACommentHasNoLengthToLose) {
  Fill("DX_DY_DZ_DIALOG", {"0", "0", "0"}, kZero);
  Refused(4, 3, 40027, "");
  EXPECT_FLOAT_EQ(row(4).dy, 20.0f);
  // COMMENT over the hinge of row 5: the hinge made nothing a row needs.
  ExpectBox("Do you want to change Element type\nfrom  \"Hinge\"  to  \"\" ?", true, IDOK);
  EXPECT_EQ(Store(5, 2, "COMMENT"), "");
  EXPECT_EQ(row(5).elementType, ElementType::Comment);
  EXPECT_EQ(NodeById(TheModel(), 50).x, 50.0f);
}

TEST_F(WholeModelRulesTest, NoRoadLeavesAJacketNarrowerThanItsCore) {
  Model& model = TheModel();
  SizeSections();
  SetElementType(model, 3, ElementType::JacketedPipe);
  model.row(3).element->AsJacket()->jacketSection = "S6";
  ReadBackModel();
  ASSERT_EQ(row(3).section, "S4");
  Refused(3, 7, "", [&] { EXPECT_EQ(Store(3, 7, "S8"), kJacket); });
  RefusedAfter(3, 1, 116, "CHANGE_ELEMENTS_DIALOG", [](HWND dialog) {
    Fields({"3", "3"})(dialog);
    Click(dialog, 1102);
    SendDlgItemMessage(dialog, 1202, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("S8"));
  }, kJacket);
  EXPECT_EQ(row(3).section, "S4");
}

// A jacketed pipe typed on the spare row takes its core's section from the
// row before only when it is entered, so its dialog could not weigh the
// jacket against it: the rules refuse it there, and what the user typed
// stays on the spare row to be mended rather than typed again.
TEST_F(WholeModelRulesTest, ASpareRowTheRulesRefuseKeepsWhatWasTyped) {
  SizeSections();
  ReadBackModel();
  const int spare = TheModel().rowCount + 1;
  // A jacket of S4 round a core of S4: bore 4.5 - 2 x 0.237 = 4.026 in,
  // short of the core's 4.5 in.
  platform::ExpectModal(platform::ModalKind::Dialog, "JPIPE_DIALOG", [](HWND dialog) {
    for (const auto& [item, name] : {std::pair{1201, "A106"}, std::pair{1202, "S4"}, std::pair{1203, "L1"}})
      SendDlgItemMessage(dialog, item, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  messages.clear();
  Refused(spare, 1, "", [&] {
    Type("90");
    Key(VK_TAB);
    Type("JP");  // whole at its second letter: the dialog opens and the caret goes on to DX
    Type("5");
    Key(VK_RETURN);
  });
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), kJacket);
  EXPECT_EQ(TheModel().rowCount, spare - 1);
  const LayoutRow& typed = row(spare);
  EXPECT_EQ(typed.node, 90);
  ASSERT_EQ(typed.elementType, ElementType::JacketedPipe);
  EXPECT_FLOAT_EQ(typed.dx, 5.0f);
  EXPECT_EQ(typed.section, "S4");
  ASSERT_NE(typed.element, nullptr);
  EXPECT_EQ(typed.element->AsJacket()->jacketSection, "S4");
  EXPECT_EQ(table().currentRow, spare);
  EXPECT_EQ(table().currentColumn, 1);
  EXPECT_EQ(table().rowCount, spare);
  // Mended there with a jacket of S6 (bore 6.625 - 2 x 0.28 = 6.065 in),
  // the same row goes in as one edit.
  platform::ExpectModal(platform::ModalKind::Dialog, "JPIPE_DIALOG", [](HWND dialog) {
    SendDlgItemMessage(dialog, 1202, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("S6"));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  At(spare, 2);
  table().DoubleClick();
  platform::CheckModalScript();
  const int undo = UndoDepth();
  Key(VK_RETURN);
  EXPECT_EQ(TheModel().rowCount, spare);
  EXPECT_EQ(row(spare).node, 90);
  EXPECT_FLOAT_EQ(row(spare).dx, 5.0f);
  EXPECT_EQ(row(spare).element->AsJacket()->jacketSection, "S6");
  EXPECT_EQ(UndoDepth(), undo + 1);
  EXPECT_TRUE(TheModel().modified);
}

// A type change across Beam asks for the three names inside the cell's own
// edit: one undo step that Undo takes back whole, and none when refused.
TEST_F(WholeModelRulesTest, ATypeChangeAcrossBeamIsOneEditWithItsPickers) {
  Model& model = TheModel();
  AddName(model.beamMaterials, "BM");
  AddName(model.beamSections, "W8");
  AddName(model.beamLoads, "BL");
  for (int beam : {3, 6}) {
    SetElementType(model, beam, ElementType::Beam);
    model.row(beam).material = "BM", model.row(beam).section = "W8", model.row(beam).load = "BL";
  }
  ReadBackModel();
  auto change = [](const char* to, const char* dialog, std::function<void(HWND)> fill) {
    ExpectBox(std::string("Do you want to change Element type\nfrom  \"Beam\"  to  \"") + to + "\" ?", true, IDOK);
    platform::ExpectModal(platform::ModalKind::Dialog, dialog, [fill](HWND box) {
      fill(box);
      SendMessage(box, WM_COMMAND, IDOK, 0);
    });
    for (int picker = 0; picker < 3; ++picker)
      platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG",
                            [](HWND pick) { SendMessage(pick, WM_COMMAND, IDOK, 0); });
  };
  // Typed: "C" completes "Cut pipe" and stores the cell.
  At(3, 2);
  const std::string before = Bytes();
  const int undo = UndoDepth();
  change("Cut pipe", "CUTPIPE_DIALOG", Fields({"2"}));
  Type("C");
  platform::CheckModalScript();
  EXPECT_EQ(row(3).elementType, ElementType::CutPipe);
  EXPECT_EQ(row(3).material, "A106");
  EXPECT_EQ(UndoDepth(), undo + 1);
  Command(40050);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_EQ(UndoDepth(), undo);
  ReadBackModel();
  change("Valve", "VALVE_DIALOG", Fields({"0.00001"}, 1302));
  Refused(6, 2, "", [&] { Type("V"); });
  EXPECT_EQ(messages.back(), kZero);
}

// A model opened with a row of no length (row 13) takes what keeps it so,
// moved by an Insert and renumbered, and refuses an edit that makes such a
// row elsewhere, whatever it mends. The Insert leaves its row no node: it
// is no element until it is typed. A limit stop that names a node no row
// makes moves with its row too, though its message names the row.
TEST_F(WholeModelRulesTest, ABreakIsKnownByItsPlace) {
  Append({{85, 0.0f}, {90, 5.0f}, {85, 0.0f}});
  static_cast<LimitStop&>(*SetDataType(TheModel(), 12, DataType::LimitStop)).connectedNode = 99;
  ReadBackModel();
  ChangeNodeYes("10", "85");
  Refused(11, 1, "", [&] { EXPECT_EQ(Store(11, 1, "85"), kZero); });
  Refused(13, 1, 126, kZero);  // row 15, closing at 85, would make it
  ProgramPreferences().automaticRenumbering = 1;
  const int undo = UndoDepth();
  At(3, 1);
  Command(128);
  ProgramPreferences() = Preferences{};
  ASSERT_EQ(UndoDepth(), undo + 1);
  EXPECT_EQ(row(3).node, 0);
  EXPECT_EQ(row(14).node, 90);  // 85, renumbered in steps of 10 from 10
  ReadBackModel();  // saved and read back as it is
  EXPECT_EQ(row(3).node, 0);
}

// What the rules of the whole model ask of the tables above the rows: each
// record that names node 30 keeps row 4 from losing it to a comment.
TEST_F(WholeModelRulesTest, EveryRecordThatNamesANodeKeepsIt) {
  Model& model = TheModel();
  const std::string tail = "Element at Node 30 is referred by ";
  using Name = std::pair<std::function<void()>, std::string>;
  for (const Name& record :
       {Name{[&] { AppendAllowable(model.allowables, Allowable{30, {}}); }, tail + "Allowable at '30'. \nHence cannot be deleted."},
        Name{[&] { AppendPump(model.pumps, Pump{"P2", 20, kNozzleTop, 30}); }, tail + "Pump 'P2'. \nHence cannot be deleted."},
        Name{[&] { AppendRotatingEquipment(model.compressors, RotatingEquipment{"C1", 0, 30}); },
             tail + "Compressor 'C1'. \nHence cannot be deleted."},
        Name{[&] { AppendRotatingEquipment(model.turbines, RotatingEquipment{"T1", 0, 0, 0, 30}); },
             tail + "Turbine 'T1'. Hence cannot be deleted."},
        Name{[&] { static_cast<LimitStop&>(*SetDataType(model, 8, DataType::LimitStop)).connectedNode = 30; },
             "Deletion is not possible. LimitStop/Hanger/etc. at row 8 \nis connected to this element (row 4)."}}) {
    StartEmptyLayoutModel(model);
    BuildRoadsModel();
    record.first();
    ReadBackModel();
    Refused(4, 2, "", [&] { EXPECT_EQ(Store(4, 2, "COMMENT"), record.second); });
  }
}

// A file whose Location row holds DX opens with a note naming the row; the
// offset is gone from the model, which is modified, and the next edit is
// not blamed for it. A ball pasted over a pipe with DX 10 drops its DX as
// its Type cell would.
TEST_F(WholeModelRulesTest, OffsetsARowCannotKeepAreDroppedWithANoteAndNotBlamedOnTheNextEdit) {
  TheModel().row(9).dx = 5.0f;
  const std::string path = TempFolder() + "/location-dx.mod";
  ASSERT_EQ(WriteModelFileFrom(TheModel(), path), "");
  std::vector<std::string> notes;
  ASSERT_EQ(ReadModelFile(path, &notes), "");
  ReloadLayoutTable();
  EXPECT_EQ(notes, std::vector<std::string>{
                       "Layout row 9: For Location, DX, DY, DZ should be zero: its DX, DY, DZ were set to zero"});
  EXPECT_EQ(row(9).dx, 0.0f);
  EXPECT_TRUE(TheModel().modified);
  const int undo = UndoDepth();
  EXPECT_EQ(Store(12, 4, "-20"), "");
  EXPECT_EQ(UndoDepth(), undo + 1);
  Copy(7);
  At(6, 2);
  Command(kPaste);
  EXPECT_EQ(row(6).elementType, ElementType::BallJoint);
  EXPECT_EQ(row(6).dx, 0.0f);
  EXPECT_EQ(UndoDepth(), undo + 2);
}

// The jacketed pipes list edits through the jacket's own dialog, wrapped in
// the table's Edit or alone: a jacketed bend whose intermediate node 41 a
// pump names is refused its move to 43 either way, leaving no undo step;
// that the move gives the allowable naming 43 its node mends another
// record's reference, not the pump's (a broken reference is known by its
// record and node, not counted).
TEST_F(WholeModelRulesTest, AJacketEditedFromItsListAsksTheRulesOnEveryRoad) {
  Model& model = TheModel();
  SizeSections();
  SetElementType(model, 3, ElementType::JacketedBend);
  JacketRecord& jacket = *model.row(3).element->AsJacket();
  jacket.jacketMaterial = "A106", jacket.jacketSection = "S6", jacket.jacketLoad = "L1";
  model.row(3).element->AsBend()->intermediateNode1 = 41, model.row(3).element->AsBend()->angle1 = 0.5f;
  AppendPump(model.pumps, Pump{"P1", 41});
  AppendAllowable(model.allowables, Allowable{43, {}});
  ReadBackModel();
  ASSERT_NE(FindNodeIndex(TheModel().nodes, 41), 0);
  ShowListByOpener(OpenJacketedList);
  for (const auto& road : {std::function<void()>([] { SendMessage(ListFrame().window, WM_COMMAND, 113, 0); }),
                           std::function<void()>([] { JacketedListTable().EditCurrentItem(); })}) {
    platform::ExpectModal(platform::ModalKind::Dialog, "JBEND_DIALOG", [](HWND dialog) {
      SetDlgItemText(dialog, 1305, "43");
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    ExpectBox("Element at Node 41 is referred by Pump 'P1'. \nHence cannot be deleted.");
    Refused(3, 1, "", road);
    EXPECT_EQ(row(3).element->AsBend()->intermediateNode1, 41);
  }
}

}  // namespace
