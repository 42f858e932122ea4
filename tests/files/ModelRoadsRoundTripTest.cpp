// Every road into a model ends in a model file that the model reader opens
// again: a batch file, a piping neutral file, a CAESAR II neutral file, an
// old model and a merge each give a model that is written, read back and
// written again byte for byte, and so does every model the program makes in
// memory, for each code (File > New, which Merge then takes). A value the reader refuses never reaches a
// file: the roads refuse it on its line or take the default and say so,
// and a save reads its file back before it replaces the previous one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "editing/DeleteRows.h"
#include "files/BatchImport.h"
#include "files/CiiImport.h"
#include "files/MergeModel.h"
#include "files/ModelFile.h"
#include "files/NeutralImport.h"
#include "files/NeutralSamples.h"
#include "files/OldModelWriter.h"
#include "model/ToolTesting.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "services/BinaryFile.h"
#include "services/NameTables.h"
#include "services/TempFiles.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ModelRoadsRoundTripTest : public ToolFixture {
 protected:
  void TearDown() override {
    g_UnitsSettings = UnitsSettings{};
    ToolFixture::TearDown();
  }
  static std::string PathOf(const std::string& name) { return TempFolder() + "/roads-" + name; }

  // Writes `model`, reads the file back and writes what was read: the
  // first refusal on the way, or "" when the two files are the same bytes.
  static std::string RoundTrip(const Model& model, const std::string& name) {
    const std::string first = PathOf(name + "-1.mod"), second = PathOf(name + "-2.mod");
    if (std::string refused = WriteModelFileFrom(model, first); !refused.empty()) return refused;
    Model read;
    try {
      ReadModelFileInto(first, read);
    } catch (const std::string& message) {
      return message;
    }
    if (std::string refused = WriteModelFileFrom(read, second); !refused.empty()) return refused;
    return FileBytes(first) == FileBytes(second) ? "" : "the file read back is written otherwise";
  }

  using Reader = void (*)(std::istream&, Model&, std::vector<std::string>&);
  static std::string Imported(Reader reader, const std::string& text, Model& model) {
    std::istringstream input(text);
    std::vector<std::string> log;
    try {
      reader(input, model, log);
    } catch (const std::string& message) {
      return message;
    }
    return {};
  }
};

TEST_F(ModelRoadsRoundTripTest, EveryRoadGivesAModelFileTheReaderOpensAgain) {
  {
    SCOPED_TRACE("batch file");
    const char* const text =
        "Batch plant\nOPTIONS\nB313\nMATERIAL\nA1,0.29\nA1,70,28E6,9E-6,18000\nBM1,0.3\nBM1,70,28E6,9E-6,18000\n"
        "SOILS\nSL1,1,0.065,0,800\nPIPE\nS1,12.75,0.375\nS2,16,0.375\nS3,8.625,0.322,0,12.5,0,0,0,0,SL1\n"
        "LOADS\nL1,200,100\nBMATERIALS\nA1,29E6\nBSECTIONS\nW8,10,100,30\nBLOADS\nL1,300\n"
        "LAYOUT\nF500,MA1,PS1,CL=L1\nT510,X10\nT520,KI,Y10,CBMAT=A1\nT530,Y10,JP,CJMAT=A1,JSEC=S2,JLOAD=L1\n"
        "T540,X10,PS3\nF600\nT610,JM,Y10,CMAT=A1,SEC=W8,LOAD=L1\nPUMPS\nP-1,1,510,520\nALLOW\n510,1,2,3,4,5,6\n";
    Model model;
    ASSERT_EQ(Imported(ReadModelBatchFile, text, model), "");
    EXPECT_EQ(RoundTrip(model, "batch"), "");
  }
  {
    SCOPED_TRACE("piping neutral file");
    Model model;
    ASSERT_EQ(Imported(ReadPnfFile, kEveryKindPnf, model), "");
    EXPECT_EQ(RoundTrip(model, "pnf"), "");
    // Its cut-off frequency, when given, is one the model file holds.
    Model given;
    ASSERT_EQ(Imported(ReadPnfFile, std::string(kEveryKindPnf) + "GLOBAL B31.3 70 * * * 25\n", given), "");
    EXPECT_EQ(given.options.CutOffFrequency, 25);
    EXPECT_EQ(RoundTrip(given, "pnf-cutoff"), "");
  }
  {
    SCOPED_TRACE("CAESAR II neutral file");
    CiiSample sample = EveryKindCii();
    sample.restraints.push_back({25, 8, 0, 0.1, -0.3});  // friction below 0
    sample.restraints.push_back({80, 3, 0, 0, 0.2});    // friction a restraint has not
    Model model;
    ASSERT_EQ(Imported(ReadCiiFile, sample.Text(), model), "");
    EXPECT_EQ(RoundTrip(model, "cii"), "");
  }
  {
    SCOPED_TRACE("old model");
    OldModelChoices choices;
    choices.cutOffFrequency = 0;
    choices.modeCount = 0;
    choices.thermalLoads = 0;
    const std::string path = PathOf("old.mod");
    std::ofstream(path, std::ios::binary) << OldModelFileBytes(choices);
    Model model;
    ASSERT_NO_THROW(ReadModelFileInto(path, model));
    EXPECT_EQ(RoundTrip(model, "old"), "");
    // A B31.3 model of 3.70, older than "Include axial force", opens with
    // the option the code forces.
    choices = OldModelChoices{};
    choices.version = 370;
    choices.pipingCode = 3;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << OldModelFileBytes(choices);
    ASSERT_EQ(ReadModelFile(path), "");
    EXPECT_EQ(TheModel().options.IncludeAxialForce, 1);
    EXPECT_EQ(RoundTrip(TheModel(), "old-370"), "");
  }
  {
    SCOPED_TRACE("merge");
    Model open;
    ASSERT_EQ(Imported(ReadModelBatchFile,
                       "Open plant\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\n"
                       "PIPE\nS1,8.625,0.322\nLOADS\nL1,300,150\nLAYOUT\nF5000,KA,MA1,PS1,CL=L1\nT5010,X10\n",
                       open),
              "");
    SwapModel(open);
    ReloadLayoutTable();
    Model other;
    ASSERT_EQ(Imported(ReadPnfFile, kEveryKindPnf, other), "");
    const std::string merged = PathOf("merged.mod");
    ASSERT_EQ(WriteModelFileFrom(other, merged), "");
    ASSERT_TRUE(MergeModelFile(LayoutFrame().window, merged));
    EXPECT_GT(TheModel().rowCount, 3);
    EXPECT_EQ(RoundTrip(TheModel(), "merge"), "");
  }
}

// Every model the program makes in memory is the model its file reads back,
// for each of the 25 codes, whatever forced options the program's own
// options lack (the registry may hold a B31.3 without "Include axial
// force"): File > New, the same after Delete of the rows typed, and the
// empty model behind a library or evaluation window. So File > New and then
// File > Merge of a valid model merges, where the merge's save check found
// the forced option and the view direction the reader settles different.
TEST_F(ModelRoadsRoundTripTest, EveryModelMadeInMemoryIsTheModelItsFileReadsBack) {
  Model other;
  ASSERT_EQ(Imported(ReadModelBatchFile,
                     "Other plant\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\n"
                     "LOADS\nL1,300,150\nLAYOUT\nF500,KA,MA1,PS1,CL=L1\nT510,X10\n",
                     other),
            "");
  const std::string merged = PathOf("other.mod");
  ASSERT_EQ(WriteModelFileFrom(other, merged), "");
  for (int position = 0; position < kPipingCodePositions; ++position) {
    const std::int32_t code = CodeAtListPosition(position);
    SCOPED_TRACE(code);
    AnalysisOptions& program = ProgramAnalysisOptions();
    program = AnalysisOptions{};
    program.PipingCode = code;
    Model empty;
    InitEmptyModel(empty, program);
    EXPECT_EQ(RoundTrip(empty, "empty"), "");
    TheModel().modified = false;
    platform::ExpectModal(platform::ModalKind::Dialog, "NEW_DIALOG",
                          [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
    Command(101);
    ASSERT_EQ(TheModel().rowCount, 2);
    EXPECT_EQ(TheModel().options.PipingCode, code);
    EXPECT_EQ(RoundTrip(TheModel(), "new"), "");
    AddRow(TheModel(), 20, ElementType::Pipe, 0.0f, 0.0f, 12.0f);
    RefreshAfterModelEdit(TheModel());
    ASSERT_TRUE(DeleteLayoutRows(TheModel(), 3, 3, LayoutFrame().window));
    EXPECT_EQ(RoundTrip(TheModel(), "deleted"), "");
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Merge Model", [merged](HWND dialog) {
      SetDlgItemText(dialog, edt1, merged.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
    Command(40028);
    platform::CheckModalScript();
    ASSERT_EQ(TheModel().rowCount, 2 + other.rowCount);
    EXPECT_EQ(TheModel().row(TheModel().rowCount).node, 510);
    EXPECT_EQ(RoundTrip(TheModel(), "merged"), "");
  }
  ProgramAnalysisOptions() = AnalysisOptions{};
}

// A value the reader refuses, whatever road brought it into the model: the
// file that holds it is refused with the value and its range, and a save
// does not write it, leaving the previous file as it was.
TEST_F(ModelRoadsRoundTripTest, AValueTheReaderRefusesIsNeverSaved) {
  Model model;
  InitEmptyModel(model, ProgramAnalysisOptions());
  model.options.CutOffFrequency = 0;
  const std::string refusal =
      "The file is damaged.\nAnalysis options: cut off frequency 0 out of range 1 to 2147483647";
  // Written past the save's check, the reader refuses the file.
  const std::string unchecked = PathOf("unchecked.mod");
  {
    BinaryFile file;
    ASSERT_TRUE(BinaryFileOpenWrite(file, unchecked));
    WriteModelStream(file, model);
    ASSERT_TRUE(BinaryFileClose(file));
  }
  Model read;
  try {
    ReadModelFileInto(unchecked, read);
    ADD_FAILURE() << "the file was read";
  } catch (const std::string& message) {
    EXPECT_EQ(message, refusal);
  }
  // A save of that model writes nothing, and the previous file stays.
  const std::string saved = PathOf("saved.mod");
  Model good;
  InitEmptyModel(good, ProgramAnalysisOptions());
  ASSERT_EQ(WriteModelFileFrom(good, saved), "");
  const std::string before = FileBytes(saved);
  EXPECT_EQ(WriteModelFileFrom(model, saved),
            "The model file written could not be read back:\n" + refusal + "\nThe model was not saved.");
  EXPECT_TRUE(FileBytes(saved) == before);
  for (const auto& entry : std::filesystem::directory_iterator(TempFolder()))
    EXPECT_EQ(entry.path().filename().string().find("saved.mod."), std::string::npos) << entry.path();
  // The same for a field of the section beside the options record.
  model.options.CutOffFrequency = 33;
  model.harmonic.combination = 2;
  EXPECT_EQ(WriteModelFileFrom(model, saved),
            "The model file written could not be read back:\nThe file is damaged.\nAnalysis options: harmonic "
            "combination 2 out of range 0 to 1\nThe model was not saved.");
  EXPECT_TRUE(FileBytes(saved) == before);
}

}  // namespace
