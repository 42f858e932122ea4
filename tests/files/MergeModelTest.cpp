// File > Merge of the Layout window: a second model file appended to the
// open one through the "Merge Model" dialog. Clashing names are renamed and
// every merged reference follows (rows, bend and jacket materials, beam
// rows, the soil of a merged section); clashing nodes are renumbered on Yes
// (a start the open model uses is refused) and joined on No; each refusal
// leaves the model as it was, byte for byte; Undo gives the model back byte
// for byte; a merged time varying load whose function the model lacks is
// listed afterwards; a merged file ends at the check Open ends at, and a
// Location's dropped offset is noted.
#include <functional>
#include <sstream>

#include "elements/Bend.h"
#include "elements/JacketedPipe.h"
#include "files/BatchImport.h"
#include "files/ImportLogTesting.h"
#include "files/MergeModel.h"
#include "loads/TimeVaryingLoad.h"
#include "model/RowObjects.h"
#include "model/ToolTesting.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "services/BinaryFile.h"

namespace {

constexpr int kMerge = 40028;
constexpr int kUndo = 40050;

const char* const kOpenModel =
    "Open plant\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nSOILS\nSL1,0,0.07,0,30,2\n"
    "PIPE\nS1,8.625,0.322\nS9,8.625,0.322,0,12.5,0,0,0,0,SL1\nLOADS\nL1,300,150\nBMATERIALS\nBM1,29E6\n"
    "LAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X10\nT30,Y10\n";

// The same names as the open model, other values; nodes 500 on.
const char* const kOtherModel =
    "Other plant\nOPTIONS\nB313\nMATERIAL\nA1,0.29\nA1,70,28E6,9E-6,18000\nBM1,0.3\nBM1,70,28E6,9E-6,18000\n"
    "SOILS\nSL1,1,0.065,0,800\nPIPE\nS1,12.75,0.375\nS2,16,0.375\nS3,8.625,0.322,0,12.5,0,0,0,0,SL1\n"
    "LOADS\nL1,200,100\nBMATERIALS\nA1,29E6\nBSECTIONS\nW8,10,100,30\nBLOADS\nL1,300\n"
    "LAYOUT\nF500,MA1,PS1,CL=L1\nT510,X10\nT520,KI,Y10,CBMAT=A1\nT530,Y10,JP,CJMAT=A1,JSEC=S2,JLOAD=L1\n"
    "T540,X10,PS3\nF600\nT610,JM,Y10,CMAT=A1,SEC=W8,LOAD=L1\nPUMPS\nP-1,1,510,520\nALLOW\n510,1,2,3,4,5,6\n";

class MergeModelTest : public ToolFixture {
 protected:
  // A batch text as a model file in the test folder.
  static std::string ModelFileOf(const std::string& text, const std::string& name) {
    std::istringstream input(text);
    Model model;
    std::vector<std::string> log;
    ReadModelBatchFile(input, model, log);
    g_UnitsSettings.unit[kUnitLength] = kLengthInch;
    const std::string path = TempFolder() + "/" + name;
    EXPECT_EQ(WriteModelFileFrom(model, path), "");
    return path;
  }
  void OpenText(const std::string& text) {
    Model read;
    ReadModelFileInto(ModelFileOf(text, "open.mod"), read);
    SwapModel(read);
    TheModel().unitChoices = ProgramUnitChoices();
    TheModel().modified = false;
    ReloadLayoutTable();
    platform::RunUntilIdle();
  }
  // File > Merge with `path` typed in the dialog.
  // File > Merge with `path` typed in the dialog; `then` expects what
  // follows the dialog.
  void Merge(const std::string& path, const std::function<void()>& then = {}) {
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Merge Model", [path](HWND dialog) {
      SetDlgItemText(dialog, edt1, path.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
    if (then) then();
    Command(kMerge);
    platform::CheckModalScript();
  }
  static void AnswerClash(int button) {
    platform::ExpectModal(platform::ModalKind::Dialog, "APPROVE_MERGE_DIALOG", [button](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog),
                (std::vector<std::string>{"New elements' node numbers are clashing with old elements' node numbers.",
                                          "Do you want to Renumber Nodes to be merged?"}));
      SendMessage(dialog, WM_COMMAND, button, 0);
    });
  }
};

TEST_F(MergeModelTest, ClashingNamesAreRenamedAndEveryMergedReferenceFollows) {
  OpenText(kOpenModel);
  const std::string before = Bytes();
  Merge(ModelFileOf(kOtherModel, "other.mod"));
  const Model& model = TheModel();
  EXPECT_TRUE(model.modified);
  // The open model's records and rows are untouched.
  ASSERT_EQ(model.materials.count, 3);
  EXPECT_EQ(model.materials[1].name, "A1");
  EXPECT_FLOAT_EQ(model.materials[1].density, 0.283f);
  // The merged A1 takes "1"; BM1, a beam material's name in the open
  // model, takes "2".
  EXPECT_EQ(model.materials[2].name, "1");
  EXPECT_FLOAT_EQ(model.materials[2].density, 0.29f);
  EXPECT_EQ(model.materials[3].name, "2");
  // The merged beam material A1 clashes with the open pipe A1: it takes the
  // next free number after the pipe renames.
  ASSERT_EQ(model.beamMaterials.count, 2);
  EXPECT_EQ(model.beamMaterials[2].name, "3");
  ASSERT_EQ(model.beamLoads.count, 1);
  EXPECT_EQ(model.beamLoads[1].name, "2");
  ASSERT_EQ(model.sections.count, 5);
  EXPECT_EQ(model.sections[3].name, "1");  // the merged S1
  EXPECT_EQ(model.sections[4].name, "S2");
  EXPECT_EQ(model.sections[5].name, "S3");
  // The merged soil SL1 is renamed and its section follows it, so the
  // merged buried pipe does not bind to the open model's soil.
  ASSERT_EQ(model.soils.count, 2);
  EXPECT_EQ(model.soils[2].name, "1");
  EXPECT_EQ(model.soils[2].type, kSoilCohesive);
  EXPECT_EQ(model.sections[5].soil, "1");
  EXPECT_EQ(model.sections[2].soil, "SL1");
  ASSERT_EQ(model.pipeLoads.count, 2);
  EXPECT_EQ(model.pipeLoads[2].name, "1");
  // Rows: the open model's first, then the merged ones from its title row.
  ASSERT_EQ(model.rowCount, 4 + 8);
  EXPECT_EQ(model.row(5).elementType, ElementType::Comment);
  EXPECT_EQ(model.row(3).material, "A1");
  EXPECT_EQ(model.row(3).section, "S1");
  EXPECT_EQ(model.row(6).node, 500);
  EXPECT_EQ(model.row(7).material, "1");
  EXPECT_EQ(model.row(7).section, "1");
  EXPECT_EQ(model.row(7).load, "1");
  EXPECT_EQ(model.row(10).section, "S3");
  EXPECT_EQ(static_cast<const Bend&>(*model.row(8).element).material, "1");
  const auto& jacket = static_cast<const JacketedPipe&>(*model.row(9).element);
  EXPECT_EQ(jacket.jacketMaterial, "1");
  EXPECT_EQ(jacket.jacketSection, "S2");
  EXPECT_EQ(jacket.jacketLoad, "1");
  // A beam row names beam records: it follows the beam renames, never the
  // pipe ones of the same old name.
  EXPECT_EQ(model.row(12).elementType, ElementType::Beam);
  EXPECT_EQ(model.row(12).material, "3");
  EXPECT_EQ(model.row(12).section, "W8");
  EXPECT_EQ(model.row(12).load, "2");
  EXPECT_EQ(model.pumps.count, 1);
  EXPECT_EQ(model.allowables.count, 1);
  EXPECT_EQ(model.currentRow, 5);

  // One undo step gives the model back byte for byte.
  Command(kUndo);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
}

TEST_F(MergeModelTest, ClashingNodesAreRenumberedOnYesAndJoinedOnNo) {
  OpenText(kOpenModel);
  const std::string clashing = ModelFileOf(
      "Clash\nOPTIONS\nB313\nMATERIAL\nA2,0.283\nA2,70,29E6,6E-6,20000\nPIPE\nS2,4.5,0.237\n"
      "LAYOUT\nF20,MA2,PS2\nT40,X5\nT50,KI,X5,CIN1(45,30)\nT60,Y5\nALLOW\n40,1,1,1,1,1,1\n",
      "clash.mod");
  // No: the rows join with their own numbers.
  Merge(clashing, [] { AnswerClash(IDNO); });
  ASSERT_EQ(TheModel().rowCount, 4 + 5);
  EXPECT_EQ(TheModel().row(6).node, 20);
  Command(kUndo);
  ASSERT_EQ(TheModel().rowCount, 4);

  // Cancel: nothing.
  const std::string before = Bytes();
  Merge(clashing, [] { AnswerClash(IDCANCEL); });
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);

  // Yes: a start that gives a number the open model uses is refused and
  // names the merged node it came from; then 100 renumbers the merged rows,
  // their bend's intermediate node and their allowable load.
  Merge(clashing, [] {
  AnswerClash(IDYES);
  platform::ExpectModal(platform::ModalKind::Dialog, "RENUMBER_NODES", [](HWND dialog) {
    EXPECT_EQ(Get(dialog, 1301), "1");
    EXPECT_EQ(Get(dialog, 1302), "5");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1301)));
    Set(dialog, 1303, "10");
    Set(dialog, 1304, "10");
    ExpectBox("New node number 10  generated out of node 20\nalready exists");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    // Numbers go out in row order, a bend's arc node after its row's node:
    // 20 -> 27, 40 -> 28, 50 -> 29, its arc node 45 -> 30, which is taken.
    Set(dialog, 1303, "27");
    Set(dialog, 1304, "1");
    ExpectBox("New node number 30  generated out of node 45\nalready exists");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
    Set(dialog, 1303, "100");
    Set(dialog, 1304, "10");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  });
  const Model& model = TheModel();
  ASSERT_EQ(model.rowCount, 9);
  EXPECT_EQ(model.row(6).node, 100);
  EXPECT_EQ(model.row(7).node, 110);
  EXPECT_EQ(model.row(8).node, 120);
  EXPECT_EQ(static_cast<const Bend&>(*model.row(8).element).intermediateNode1, 130);
  EXPECT_EQ(model.row(9).node, 140);
  ASSERT_EQ(model.allowables.count, 1);
  EXPECT_EQ(model.allowables[1].node, 110);
}

TEST_F(MergeModelTest, EachRefusalLeavesTheModelAsItWas) {
  OpenText(kOpenModel);
  const std::string before = Bytes();
  // The other vertical axis.
  const std::string zUp = ModelFileOf("Z up\nOPTIONS\nB313,Z\nLAYOUT\nF700\nT710,X5\n", "zup.mod");
  Merge(zUp, [] { ExpectBox("Vertical axis differs from original model"); });
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  // An old-format file.
  const std::string old = TempFolder() + "/old.mod";
  std::ofstream(old, std::ios::binary) << std::string("QUORVEL.MOD\0\x90\x01", 14) << std::string(100, '\0');
  Merge(old, [] { ExpectBox("Version 4.xx model cannot be merged"); });
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  // Not a model file.
  const std::string text = TempFolder() + "/text.mod";
  std::ofstream(text) << "not a model file at all";
  Merge(text, [&text] { ExpectBox("Unable to read model file:\n" + text); });
  // More rows than the layout holds.
  std::string many = "Many\nOPTIONS\nB313\nLAYOUT\nF1000\n";
  for (int n = 1; n <= 6995; ++n) many += "T" + std::to_string(1000 + n) + ",X1\n";
  const std::string manyPath = ModelFileOf(many, "many.mod");
  Merge(manyPath, [] {
    ExpectBox("*** Number of rows after merging model will be equal to 7001, which is > than maximum = 7000 ***");
  });
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_FALSE(TheModel().modified);
}

// Bends at every row: three nodes a row.
std::string BendRun(int first, int count) {
  std::string text = "Bends\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6E-6,20000\nPIPE\nS1,4.5,0.237\n"
                     "LAYOUT\nF" + std::to_string(first) + ",MA1,PS1\n";
  for (int n = 1; n <= count; ++n)
    text += "T" + std::to_string(first + n) + ",KI," + (n % 2 != 0 ? "X" : "Y") + "10\n";
  return text;
}

TEST_F(MergeModelTest, AMergeThatFillsTheNodeTablePutsTheModelBack) {
  OpenText(BendRun(10, 1800));
  const int nodes = TheModel().nodes.count;
  ASSERT_GT(nodes, 5000);
  ASSERT_LT(nodes, kMaxNodes);
  // DX of row 3 typed and left: the merge stores it first, and gives it
  // back to its cell as typed.
  TableGoTo(table(), 3);
  TableSetColumn(table(), 3);
  const std::string before = Bytes();
  Key(VK_END);
  for (int n = table().EditLength(); n > 0; --n) Key(VK_BACK);
  Type("7");
  const std::string other = ModelFileOf(BendRun(5000, 1800), "bends.mod");
  Merge(other, [] { ExpectBox(NodeLimitMessage()); });
  EXPECT_EQ(TheModel().rowCount, 1 + 1 + 1800);
  EXPECT_EQ(TheModel().nodes.count, nodes);
  EXPECT_EQ(TheModel().materials.count, 1);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  EXPECT_EQ(table().currentRow * 10 + table().currentColumn, 33);
  EXPECT_EQ(table().editBuffer, "7");
  EXPECT_TRUE(table().editChanged);
}

TEST_F(MergeModelTest, MergedLoadsNamingAFunctionTheModelLacksAreListed) {
  OpenText(kOpenModel);
  std::istringstream input("Timed\nOPTIONS\nB313\nLAYOUT\nF800\nT810,X5\n");
  Model other;
  std::vector<std::string> log;
  ReadModelBatchFile(input, other, log);
  other.row(3).dataType = DataType::TimeVaryingLoad;
  other.row(3).item = CreateDataItem(DataType::TimeVaryingLoad);
  static_cast<TimeVaryingLoad&>(*other.row(3).item).TimeFunctionName = "PULSE";
  const std::string path = TempFolder() + "/loads.mod";
  ASSERT_EQ(WriteModelFileFrom(other, path), "");
  Merge(path, [] {
    ExpectBox("The merged rows name 1 item the model does not have:\nRow 7: time function PULSE is not in the model");
  });
  EXPECT_EQ(TheModel().rowCount, 7);
  EXPECT_EQ(MissingMergedReferences(TheModel(), 5),
            std::vector<std::string>{"Row 7: time function PULSE is not in the model"});
}

// A merged file ends at the check Open ends at: a number out of range is
// refused by the merged file's row before anything changes (a bend radius of
// 1E-40, which the making would replace, was once merged silently), and so
// is a field its cell refuses (a mill tolerance of 80 %, once merged); a
// Location's DX, which no Location keeps, is noted as Open notes it, under
// its merged row, not dropped without a word.
TEST_F(MergeModelTest, AMergedFileEndsAtTheCheckAndADroppedOffsetIsNoted) {
  OpenText(kOpenModel);
  const std::string before = Bytes(), path = TempFolder() + "/other.mod";
  std::istringstream input("Bent\nOPTIONS\nB313\nPIPE\nS1,4.5,0.237\nLAYOUT\nF800,PS1\nT810,X10\nT820,KI,Y10\nT830,X10\n");
  Model other;
  std::vector<std::string> log;
  ReadModelBatchFile(input, other, log);
  const auto merge = [&](const std::function<void()>& then) {
    BinaryFile file;
    ASSERT_TRUE(BinaryFileOpenWrite(file, path));
    WriteModelStream(file, other);  // past Save's check
    BinaryFileClose(file);
    Merge(path, then);
  };
  other.row(4).element->AsBend()->radius = 1.0e-40f;
  merge([&] {
    ExpectBox("Model file: " + path + "\nRow 4: the bend radius 1E-40 is out of range (a value is zero, or from 1E-37 "
              "up to 1E38)\nThe model was not merged.");
  });
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  other.row(4).element->AsBend()->radius = 0.0f;
  other.sections[1].millTolerance = 80.0f;
  merge([&] {
    ExpectBox("Model file: " + path + "\nPipe section 1: the mill tolerance (%) 80 is invalid (not from 0 to 75 %)\n"
              "The model was not merged.");
  });
  EXPECT_EQ(FirstDifference(Bytes(), before), -1);
  other.sections[1].millTolerance = 0.0f;
  AddRow(other, 810, ElementType::Location, 5.0f);  // row 6, merged as row 10
  merge([] {
    platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [](HWND dialog) {
      EXPECT_EQ(ImportLogLines(dialog)[1], "Layout row 10: For Location, DX, DY, DZ should be zero: its DX, DY, DZ "
                                           "were set to zero");
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  });
  EXPECT_EQ(TheModel().rowCount, 10);
}

}  // namespace
