// Every road of the Layout window keeps the rules its cells and Delete keep,
// on one model (LayoutFixture::BuildRoadsModel) and through the Layout's own
// commands: Copy, Paste, Combine, Generate, Replace and Slope refuse what the
// Type cell, the offset cells and Delete refuse, with their message, the
// model byte for byte as it was, not marked modified and with no undo step;
// what a road would store that nothing keeps leaves no mark; a value whose
// coordinates are not finite is refused by the cell, the model reader and
// Save, each naming its row and field; Find and Replace opens with From #
// selected.
#include <fstream>

#include "elements/CommentData.h"
#include "model/ToolTesting.h"
#include "records/Pump.h"
#include "supports/Anchor.h"

namespace {

constexpr int kCopy = 363, kPaste = 364, kCopyRows = 40036, kCombine = 40048, kGenerate = 117, kReplace = 40022,
              kSlope = 385, kDeleteRow = 126, kSave = 104;
const std::string kPumpRefusal = "Element at Node 20 is referred by Pump 'P1'. \nHence cannot be deleted.";

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
  // Copy of row `from` (Ctrl+C), Paste into cell (row, column).
  void CopyPaste(int from, int row, int column) {
    At(from, 1);
    Command(kCopy);
    At(row, column);
    Command(kPaste);
  }
  void CopyRows(int from, int to) {
    WithDialog(kCopyRows, "COPY_ELEMENTS_DIALOG", [from, to](HWND dialog) {
      Set(dialog, 1301, std::to_string(from));
      Set(dialog, 1302, std::to_string(to));
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  // Generate Rows of rows from..to once, node numbers up by 100, refused
  // in the dialog with `message`.
  void GenerateRefused(int from, int to, const std::string& message) {
    WithDialog(kGenerate, "GENERATE_DIALOG", [=](HWND dialog) {
      for (const auto& [item, text] : {std::pair{1301, std::to_string(from)}, std::pair{1302, std::to_string(to)},
                                       std::pair{1303, std::string("1")}, std::pair{1304, std::string("100")}})
        Set(dialog, item, text);
      OkRefused(dialog, message);
    });
  }
  // Find and Replace of element type `find` by `with` over every row; a
  // refusal's box is expected after the dialog.
  void Replace(const char* find, const char* with, const std::string& refusal = {}) {
    platform::ExpectModal(platform::ModalKind::Dialog, "REPLACE_ELEMENTS_DATAS", [=](HWND dialog) {
      for (const auto& [item, name] : {std::pair{1201, find}, std::pair{1202, with}}) {
        SendDlgItemMessage(dialog, item, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(item, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
      }
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    if (!refusal.empty()) ExpectBox(refusal);
    Command(kReplace);
  }
  // Runs `road` (which expects the boxes it shows and leaves the Layout on
  // the row it found): the model is as it was, byte for byte, unmarked, with
  // no undo step.
  void Refused(const std::function<void()>& road) {
    const std::string before = Bytes();
    const int undo = UndoDepth();
    road();
    platform::CheckModalScript();
    EXPECT_EQ(FirstDifference(Bytes(), before), -1);
    EXPECT_FALSE(TheModel().modified);
    EXPECT_EQ(UndoDepth(), undo);
  }
  // Copy of row `from`, then Paste into cell (row, column) refused with
  // `message` (none when empty).
  void PasteRefused(int from, int row, int column, const std::string& message) {
    At(row, column);
    Refused([&] {
      if (!message.empty()) ExpectBox(message);
      CopyPaste(from, row, column);
    });
  }
  // Copy of rows from..to, then Paste refused with `message`.
  void PasteRowsRefused(int from, int to, const std::string& message) {
    CopyRows(from, to);
    Refused([&] {
      ExpectBox(message);
      Command(kPaste);
    });
  }
};

TEST_F(LayoutRoadRulesTest, ALocationStandsOnlyAtANodeThatARowMakes) {
  PasteRefused(9, 4, 1, "For Location, Node must be defined");
  PasteRowsRefused(9, 12, "For Location, Node must be defined");
  Refused([&] { GenerateRefused(9, 12, "For Location, Node must be defined"); });
  // A Location pasted after the row that makes its node stands.
  CopyRows(8, 9);
  Command(kPaste);
  ASSERT_EQ(TheModel().rowCount, 14);
  EXPECT_EQ(row(14).elementType, ElementType::Location);
  EXPECT_EQ(row(14).node, row(13).node);
}

TEST_F(LayoutRoadRulesTest, ANodeThatSomethingNamesIsNotLost) {
  Pump pump;
  pump.name = "P1";
  pump.suctionNode = 20;
  AppendPump(TheModel().pumps, pump);
  ReadBackModel();
  auto command = [this](int row, int id, const std::string& message) {
    At(row, 1);
    Refused([&] {
      ExpectBox(message);
      Command(id);
    });
  };
  command(4, kCombine, kPumpRefusal);
  PasteRefused(6, 3, 1, kPumpRefusal);
  // Without the pump the Location at node 20 holds it, for Delete too.
  TheModel().pumps[1].suctionNode = 0;
  ReadBackModel();
  const std::string location = "Element at Node 20 is referred by Location at row 9. \nHence cannot be deleted.";
  command(4, kCombine, location);
  command(3, kDeleteRow, location);
}

TEST_F(LayoutRoadRulesTest, NoRoadMakesAnElementOfZeroLength) {
  const std::string zero = "This element has zero length";
  PasteRefused(11, 6, 1, zero);
  PasteRowsRefused(10, 11, zero);
  Refused([&] { GenerateRefused(10, 12, zero); });
  for (int joint : {5, 7}) {
    At(joint, 2);
    Refused([&] { EXPECT_EQ(Store(joint, 2, "PIPE"), zero); });
  }
  Refused([&] { Replace("Ball", "Pipe", zero); });
}

TEST_F(LayoutRoadRulesTest, APasteGoesOnlyWhereTypingGoesAndAsTypingDoes) {
  Model& model = TheModel();
  const int hydrotest = ++model.rowCount;
  SetElementType(model, hydrotest, ElementType::HydrotestLoad);
  SetElementType(model, 4, ElementType::Bend);
  SetDataType(model, 6, DataType::Anchor);
  ReadBackModel();
  PasteRefused(3, hydrotest, 1, "");
  PasteRefused(10, hydrotest, 2, "");
  PasteRefused(3, 5, 6, "");  // a material on the hinge
  // The Slope of a row whose menu item is greyed opens nothing.
  for (int greyed : {2, 9, 10}) {
    At(greyed, 3);
    Refused([&] { Command(kSlope); });
  }
  // The bend takes its type as typed: without the anchor.
  CopyPaste(4, 6, 2);
  EXPECT_EQ(row(6).elementType, ElementType::Bend);
  EXPECT_EQ(row(6).dataType, DataType::None);
  EXPECT_EQ(row(6).item, nullptr);
  EXPECT_TRUE(model.modified);
}

TEST_F(LayoutRoadRulesTest, WhatNothingKeepsLeavesNoMark) {
  const std::string closing = "Node 10 already exists, so DX, DY, DZ should be zero";
  PasteRefused(6, 3, 2, "");  // a pipe onto a pipe
  PasteRefused(3, 9, 6, "");  // a material onto the Location
  PasteRefused(3, 2, 6, "");  // and onto the From row
  At(11, 3);
  Refused([&] { EXPECT_EQ(Store(11, 3, "5"), closing); });
  PasteRefused(3, 11, 3, closing);
  At(11, 3);
  Refused([&] {
    WithDialog(kSlope, "SLOPE_DIALOG", [&closing](HWND dialog) {
      Set(dialog, 1301, "5");
      Set(dialog, 1302, "1");
      OkRefused(dialog, closing);
    });
  });
  // Comment for Comment keeps the comment's text.
  Refused([&] { Replace("Comment", "Comment"); });
  EXPECT_EQ(static_cast<const CommentData&>(*row(10).element).Text(), "keep this note");
}

TEST_F(LayoutRoadRulesTest, AValueWhoseCoordinatesAreNotFiniteIsRefusedNamingItsRowAndField) {
  Model& model = TheModel();
  SetElementType(model, 4, ElementType::Bend);
  ReadBackModel();
  g_UnitsSettings.unit[kUnitLength] = kLengthMillimetre;
  const std::string dz = "Row 4: DZ is too large:\nthe node coordinates or bend made from it are not finite numbers.";
  At(4, 5);
  Refused([&] { EXPECT_EQ(Store(4, 5, "1E34"), dz); });

  // A model file whose DZ of row 4 is 2.6E33 inches is refused by the reader
  // (open, merge and the automatic save's recovery read through it).
  std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/examples/SteamLine.mod", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 1757u);
  ASSERT_EQ(bytes[1757], '\0');
  bytes[1757] = '\x77';
  const std::string damaged = TempFolder() + "/damaged.mod";
  std::ofstream(damaged, std::ios::binary) << bytes;
  EXPECT_EQ(CatchModelRead(damaged, [&] {
              Model read;
              ReadModelFileInto(damaged, read);
            }),
            dz);

  // Save names the row and field of a model that holds such a value.
  model.path = TempFolder() + "/roads.mod";
  model.row(4).dz = 3.9e32f;
  EXPECT_THROW(MakeModel(model), std::string);
  model.modified = true;
  ExpectBox(dz + "\nThe model was not saved.");
  Command(kSave);
  platform::CheckModalScript();
  EXPECT_FALSE(std::filesystem::exists(model.path));
  model.modified = false;
}

TEST_F(LayoutRoadRulesTest, FindAndReplaceOpensWithFromSelected) {
  WithDialog(kReplace, "REPLACE_ELEMENTS_DATAS", [](HWND dialog) {
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 1301));
    platform::TestTypeText("739");
    platform::RunUntilIdle();
    EXPECT_EQ(Get(dialog, 1301), "739");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  platform::CheckModalScript();
}

}  // namespace
