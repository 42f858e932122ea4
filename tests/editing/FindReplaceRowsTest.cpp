// Find and Replace through Edit > Find and Replace: Valve rows in a range
// turned into Pipe rows and Undo giving back the file, restraints replaced
// by anchors whose values come from the anchor dialog, guides deleted after
// the question (and kept on No), names replaced (and a name replaced by
// itself changing nothing), the lists offering only the kinds the model
// holds, every refusal of the dialog, rows turned across the Beam line
// taking names of their kind (or refused whole without them), and a bend
// whose intermediate node a pump names refusing the whole replacement.
#include "editing/FindReplaceRows.h"
#include "elements/Bend.h"
#include "model/ToolTesting.h"
#include "supports/Anchor.h"

namespace {

constexpr int kReplace = 40022;

class FindReplaceRowsTest : public ToolFixture {
 protected:
  void SetUp() override {
    ToolFixture::SetUp();
    Model& model = TheModel();
    AddName(model.materials, "CS2");
    AddRow(model, 10, ElementType::From);              // row 2
    AddRow(model, 20, ElementType::Pipe, 12.0f);       // row 3
    model.row(3).material = "A106";
    AddRow(model, 30, ElementType::Valve, 12.0f);      // row 4
    AddRow(model, 40, ElementType::Pipe, 12.0f);       // row 5
    PutItem(model, 5, DataType::Restraint);
    AddRow(model, 50, ElementType::Valve, 12.0f);      // row 6
    PutItem(model, 6, DataType::Guide);
    AddRow(model, 60, ElementType::Pipe, 12.0f);       // row 7
    PutItem(model, 7, DataType::Guide);
    Open();
  }

  static std::vector<std::string> Entries(HWND dialog, int item) {
    std::vector<std::string> names;
    const int count = static_cast<int>(SendDlgItemMessage(dialog, item, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[64] = {};
      SendDlgItemMessage(dialog, item, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      names.push_back(text);
    }
    return names;
  }
  // Chooses the entry `name` of list `item` and confirms it.
  static void Choose(HWND dialog, int item, const std::string& name) {
    const std::vector<std::string> names = Entries(dialog, item);
    const auto found = std::find(names.begin(), names.end(), name);
    ASSERT_NE(found, names.end()) << name;
    SendDlgItemMessage(dialog, item, CB_SETCURSEL, static_cast<WPARAM>(found - names.begin()), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(item, CBN_SELENDOK), reinterpret_cast<LPARAM>(GetDlgItem(dialog, item)));
    platform::RunUntilIdle();
  }
  void Replace(const std::string& from, const std::string& to, std::function<void(HWND)> fill) {
    WithDialog(kReplace, "REPLACE_ELEMENTS_DATAS", [=](HWND dialog) {
      Set(dialog, 1301, from);
      Set(dialog, 1302, to);
      fill(dialog);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  static ElementType Type(int r) { return TheModel().row(r).elementType; }
  static DataType Data(int r) { return TheModel().row(r).dataType; }
};

TEST_F(FindReplaceRowsTest, ValvesInTheRangeBecomePipesAndUndo) {
  const std::string before = Bytes();
  Replace("2", "5", [](HWND dialog) {
    EXPECT_EQ(Get(dialog, 1301), "2");
    // Only the kinds the model holds are found.
    EXPECT_EQ(Entries(dialog, 1201), (std::vector<std::string>{"", "From", "Pipe", "Valve", "Comment"}));
    Choose(dialog, 1201, "Valve");
    Choose(dialog, 1202, "Pipe");
  });
  EXPECT_EQ(Type(4), ElementType::Pipe);
  EXPECT_EQ(Type(6), ElementType::Valve);  // outside the range
  EXPECT_EQ(TheModel().row(0).elementType, ElementType::None);  // the template is gone
  const std::string edited = Bytes();
  Command(40050);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  Command(40051);
  EXPECT_EQ(FirstDifference(Bytes(), edited), -1);
}

TEST_F(FindReplaceRowsTest, RestraintsBecomeAnchorsWithTheDialogsValues) {
  Replace("2", "7", [](HWND dialog) {
    Click(dialog, 1402);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1203)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1201)));
    platform::ExpectModal(platform::ModalKind::Dialog, "ANCHOR_DIALOG",
                          [](HWND anchor) { SendMessage(anchor, WM_COMMAND, IDOK, 0); });
    Choose(dialog, 1203, "Restraint");
    Choose(dialog, 1204, "Anchor");
  });
  EXPECT_EQ(Data(5), DataType::Anchor);
  EXPECT_NE(dynamic_cast<const Anchor*>(TheModel().row(5).item.get()), nullptr);
  EXPECT_EQ(Data(6), DataType::Guide);
}

TEST_F(FindReplaceRowsTest, DeletingGuidesAsksFirst) {
  auto deleteGuides = [&](int answer) {
    Replace("2", "6", [answer](HWND dialog) {
      Click(dialog, 1402);
      Choose(dialog, 1203, "Guide");
      ExpectBox("Delete Guide(s) for the specified range. \nDo you want to proceed?", true, answer);
    });
  };
  deleteGuides(IDCANCEL);  // No
  EXPECT_EQ(Data(6), DataType::Guide);
  EXPECT_FALSE(CanUndo());
  deleteGuides(IDOK);
  EXPECT_EQ(Data(6), DataType::None);
  EXPECT_EQ(Data(7), DataType::Guide);  // outside the range
  EXPECT_TRUE(CanUndo());
}

TEST_F(FindReplaceRowsTest, NamesReplacedAndANameByItselfChangesNothing) {
  Replace("2", "7", [](HWND dialog) {
    Click(dialog, 1403);
    EXPECT_EQ(Get(dialog, 1121), "Material");
    SendDlgItemMessage(dialog, 1205, CB_SETCURSEL, 1, 0);  // A106
    SendDlgItemMessage(dialog, 1206, CB_SETCURSEL, 1, 0);  // A106
  });
  EXPECT_FALSE(CanUndo());
  Replace("2", "7", [](HWND dialog) {
    Click(dialog, 1403);
    SendDlgItemMessage(dialog, 1205, CB_SETCURSEL, 1, 0);  // A106
    SendDlgItemMessage(dialog, 1206, CB_SETCURSEL, 2, 0);  // CS2
  });
  EXPECT_EQ(TheModel().row(3).material, "CS2");
  EXPECT_TRUE(TheModel().modified);
}

TEST_F(FindReplaceRowsTest, EveryRefusalKeepsTheModel) {
  const std::string before = Bytes();
  auto refused = [&](const std::string& from, const std::string& to, std::function<void(HWND)> fill,
                     const std::string& message) {
    WithDialog(kReplace, "REPLACE_ELEMENTS_DATAS", [=](HWND dialog) {
      Set(dialog, 1301, from);
      Set(dialog, 1302, to);
      fill(dialog);
      OkRefused(dialog, message);
    });
  };
  auto nothing = [](HWND) {};
  refused("", "5", nothing, "From  #  is required");
  refused("1", "5", nothing, "From  #  must be > 1");
  refused("9", "5", nothing, "From  #  > number of rows");
  refused("2", "", nothing, "To  #  is required");
  refused("2", "1", nothing, "To  #  must be > 1");
  refused("2", "99", nothing, "To  #  > number of rows");
  refused("5", "3", nothing, "From  #  > To  #");
  refused("2", "5", nothing, "Find what is unset");
  refused("2", "5", [](HWND dialog) { Choose(dialog, 1201, "Valve"); }, "Replace with is unset");
  refused("2", "5", [](HWND dialog) { Click(dialog, 1404); }, "Find what is unset");
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_FALSE(CanUndo());
}

// Pipes turned into Beams take beam names, picked once for them all; the
// first picker left without a choice refuses the whole replacement.
TEST_F(FindReplaceRowsTest, RowsAcrossTheBeamLineTakeNamesOfTheirKind) {
  AddName(TheModel().beamMaterials, "BM");
  AddName(TheModel().beamSections, "W8");
  AddName(TheModel().beamLoads, "BL");
  auto ok = [](HWND modal) { SendMessage(modal, WM_COMMAND, IDOK, 0); };
  const std::string before = Bytes();
  const bool mark = TheModel().modified;
  Replace("2", "7", [ok](HWND dialog) {
    platform::ExpectModal(platform::ModalKind::Dialog, "BEAM_DIALOG1", ok);
    platform::ExpectModal(platform::ModalKind::Dialog, "SELECT_DIALOG",
                          [](HWND picker) { SendMessage(picker, WM_COMMAND, IDCANCEL, 0); });
    ExpectBox("Material is required");
    Choose(dialog, 1201, "Pipe");
    Choose(dialog, 1202, "Beam");
  });
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_EQ(TheModel().modified, mark);
  EXPECT_FALSE(CanUndo());
  Replace("2", "7", [ok](HWND dialog) {
    for (const char* name : {"BEAM_DIALOG1", "SELECT_DIALOG", "SELECT_DIALOG", "SELECT_DIALOG"})
      platform::ExpectModal(platform::ModalKind::Dialog, name, ok);
    Choose(dialog, 1201, "Pipe");
    Choose(dialog, 1202, "Beam");
  });
  for (int r : {3, 5, 7})
    EXPECT_EQ(TheModel().row(r).material + TheModel().row(r).section + TheModel().row(r).load, "BMW8BL") << r;
}

TEST_F(FindReplaceRowsTest, ABendWhoseIntermediateNodeIsNamedIsKept) {
  Model& model = TheModel();
  model.sections[1].outsideDiameter = 4.5f;
  model.sections[1].thickness = 0.237f;
  model.row(3).section = "S4";
  SetElementType(model, 5, ElementType::Bend);
  auto& bend = dynamic_cast<Bend&>(*model.row(5).element);
  bend.intermediateNode1 = 35;
  model.row(6).dx = 0.0f;
  model.row(6).dy = 12.0f;
  const int pump = ModelRecordTableAppend(model.pumps, 4);
  model.pumps[pump].suctionNode = 35;
  Open();
  const std::string before = Bytes();
  Replace("2", "7", [](HWND dialog) {
    Choose(dialog, 1201, "Bend");
    Choose(dialog, 1202, "Pipe");
    ExpectBox("Intermediate node 35 of the bend at row 5 is still referred to.\nNothing was replaced.");
  });
  EXPECT_EQ(Type(5), ElementType::Bend);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
}

TEST_F(FindReplaceRowsTest, ATemplatesArcNodeGoesToOneBendOnly) {
  Model& model = TheModel();
  LayoutRow& pattern = model.row(0);
  pattern.elementType = ElementType::Bend;
  pattern.element = CreateElementData(ElementType::Bend);
  pattern.element->AsBend()->intermediateNode1 = 55;
  pattern.element->AsBend()->angle1 = 0.3f;
  ReplaceRequest request;
  request.from = 3;
  request.to = 5;  // two Pipe rows
  request.findType = static_cast<std::int32_t>(ElementType::Pipe);
  request.replaceType = static_cast<std::int32_t>(ElementType::Bend);
  const std::string before = Bytes();
  std::string refusal;
  try {
    ApplyReplaceRequest(model, request, nullptr);
  } catch (const std::string& message) {
    refusal = message;
  }
  EXPECT_EQ(refusal, "Intermediate node 55 would be given to 2 bends.\nNothing was replaced.");
  EXPECT_EQ(Type(3), ElementType::Pipe);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  ClearLayoutRow(model.row(0));
}

TEST_F(FindReplaceRowsTest, AMaterialReplacedReachesABendsOwnMaterial) {
  Model& model = TheModel();
  SetElementType(model, 5, ElementType::Bend);
  model.row(5).element->AsBend()->material = "A106";
  ReplaceRequest request;
  request.from = 2;
  request.to = 7;
  request.mode = ReplaceMode::Material;
  request.findName = "A106";
  request.replaceName = "CS2";
  EXPECT_TRUE(ApplyReplaceRequest(model, request, nullptr));
  EXPECT_EQ(model.row(3).material, "CS2");
  EXPECT_EQ(model.row(5).element->AsBend()->material, "CS2");
}

}  // namespace
