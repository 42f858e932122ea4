// The one check before a model made from a file is shown: an import whose
// model holds a value no cell stores is refused with its reason, the open
// model and the folder as they were; a model that changes when saved and
// read again (a shape factor of 0, which every reader takes as 0.6) is
// refused with the byte that differs; Open refuses a file's number out of
// range wherever it stands, whatever the making does with it, or mends it
// with a note.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/AllKindsModel.h"
#include "files/BatchImport.h"
#include "files/ModelFile.h"
#include "files/ModelIntake.h"
#include "files/SampleModel.h"
#include "model/KindRecords.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "records/Soil.h"
#include "records/Wind.h"
#include "services/BinaryFile.h"
#include "services/NumberText.h"
#include "platform/TestSupport.h"
#include "records/Spectrum.h"
#include "records/TimeFunction.h"
#include "services/AppTesting.h"
#include "services/Frame.h"
#include "services/TempFiles.h"

namespace {

class ModelIntakeTest : public AppFixture {
 protected:
  // The import's reader: the sample with a time function value no cell stores.
  static void Reader(std::istream&, Model& model, std::vector<std::string>&) {
    BuildSampleModel(model);
    model.timeFunctions.insert(model.timeFunctions.begin(), TimeFunction{"F1", {{1.0f, 2.0e38f}}});
  }
};

TEST_F(ModelIntakeTest, AnImportsModelMeetsTheValueRuleAndSave) {
  const std::string path = TempFolder() + "/plant.pnf";
  std::ofstream(path) << "TITLE plant\n";
  TheModel().title = "Before";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog),
              (std::vector<std::string>{"Time function F1, point 1: the value 2E+38 is out of range (a value is zero, "
                                        "or from 1E-37 up to 1E38)",
                                        "The model was not imported."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(ImportBatchFile(MainFrame().window, path, Reader));
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().title, "Before");
  EXPECT_FALSE(std::filesystem::exists(TempFolder() + "/plant.mod"));
  // A shape factor of 0 is written as it is and read as 0.6: the model
  // would change once saved and opened.
  Model model;
  BuildSampleModel(model);
  model.wind.loads[0].shapeFactor = 0.0f;
  const std::string refusal = ModelIntakeRefusal(model, IntakeRoad::kModelFile);
  EXPECT_EQ(refusal.rfind("The model changes when it is saved and read again (byte ", 0), 0u) << refusal;
  EXPECT_EQ(refusal.substr(refusal.size() - 26), "\nThe model was not opened.");
  model.wind.loads[0].shapeFactor = 0.6f;
  EXPECT_EQ(ModelIntakeRefusal(model, IntakeRoad::kModelFile), "");
}

// A model file's own numbers keep the rule too, not only its point tables:
// Open once showed an occasional load factor of 1.41E-38 or a row's DZ of
// 1E-40 that no cell takes, named now by record and field.
TEST_F(ModelIntakeTest, AModelFilesOptionsAndRowsMeetTheValueRule) {
  Model model;
  BuildSampleModel(model);
  model.options.OccasionalLoadFactor = 1.41e-38f;
  EXPECT_EQ(ModelIntakeRefusal(model, IntakeRoad::kModelFile),
            "Analysis options: the occasional load factor 1.41E-38 is out of range (a value is zero, or from 1E-37 "
            "up to 1E38)\nThe model was not opened.");
  model.options.OccasionalLoadFactor = 1.2f;
  model.row(3).dz = -1.0e-40f;
  EXPECT_EQ(ModelIntakeRefusal(model, IntakeRoad::kModelFile).rfind("Row 3: the DZ -1E-40 is out of range", 0), 0u);
}

// Every float the writer gives for `model`'s file (a point list's two a
// point), with the place of each in it; `bytes`: the file so written.
std::vector<std::pair<std::int64_t, float>> Floats(const Model& model, std::string* bytes = nullptr) {
  std::vector<BinaryFileValue> values;
  BinaryFile file;
  BinaryFileOpenRecorder(file, values);
  WriteModelStream(file, model);
  std::vector<std::pair<std::int64_t, float>> floats;
  for (const BinaryFileValue& value : values) {
    if (value.kind == BinaryFileValue::kFloat) floats.emplace_back(value.at, value.real);
    for (std::int64_t k = 0; k < static_cast<std::int64_t>(value.pairs.size()); ++k) {
      const FloatPair& pair = value.pairs[static_cast<std::size_t>(k)];
      floats.insert(floats.end(), {{value.at + 4 + 8 * k, pair.x}, {value.at + 8 + 8 * k, pair.y}});
    }
  }
  const std::string path = TempFolder() + "/written.mod";
  if (bytes == nullptr || !BinaryFileOpenWrite(file, path)) return floats;
  WriteModelStream(file, model);
  BinaryFileClose(file);
  std::ifstream in(path, std::ios::binary);
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return floats;
}

// Each float the program writes for the every-kind model set in turn to
// 1E-40 and to 3E38 in its file: Open refuses the file, or opens it mended
// with a note and holding no such value. Once ten opened with the value
// kept (a spectrum load's factors, the view), and a bend's or a jacket's
// radius, or a value the making computes, was replaced without a word.
TEST_F(ModelIntakeTest, EveryFloatOfAFileOutOfRangeIsRefusedOrMendedWithANote) {
  Model model;
  BuildAllKindsModel(model);
  std::string bytes;
  const auto floats = Floats(model, &bytes);
  const std::string path = TempFolder() + "/every.mod";
  std::vector<std::string> opened;
  for (const auto& [place, original] : floats)
    for (const float bad : {1.0e-40f, 3.0e38f}) {
      std::string changed = bytes;
      std::memcpy(&changed[static_cast<std::size_t>(place)], &bad, 4);  // little-endian, as the file
      std::ofstream(path, std::ios::binary | std::ios::trunc) << changed;
      std::vector<std::string> notes;
      if (!ReadModelFile(path, &notes).empty()) continue;
      const auto read = Floats(TheModel());
      if (notes.empty() || !std::all_of(read.begin(), read.end(), [](auto f) { return StoredValueAcceptable(f.second); }))
        opened.push_back("byte " + std::to_string(place) + " = " + std::to_string(bad));
    }
  EXPECT_TRUE(opened.empty()) << opened.size() << " of " << 2 * floats.size() << ", first: " << opened.front();
}

// Open ends at the one check: a model file's number out of range is refused
// by record and field (row 3's DZ of -1E-40 once opened silently), a bend
// radius the making would replace included; a wind profile's value past
// the limit too, which its reader reads as it stands, while one below 1E-37
// that an older wind cell or spectrum table stored is mended with a note.
TEST_F(ModelIntakeTest, OpenRefusesAFilesNumberOutOfRangeWhereverItStands) {
  const std::string path = TempFolder() + "/refused.mod", range = " is out of range (" + std::string(kStoredValueRange) + ")";
  TheModel().title = "Before";
  const auto refused = [&](const Model& model, const std::string& fault) {
    std::string written;
    Floats(model, &written);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << written;
    EXPECT_EQ(ReadModelFile(path), "Model file: " + path + "\n" + fault + range + "\nThe model was not opened.");
    EXPECT_EQ(TheModel().title, "Before");
  };
  Model model;
  BuildSampleModel(model);
  model.row(3).dz = -1.0e-40f;
  refused(model, "Row 3: the DZ -1E-40");
  BuildAllKindsModel(model);
  int bend = 1;
  while (model.row(bend).elementType != ElementType::Bend) ++bend;
  model.row(bend).element->AsBend()->radius = 1.0e-40f;
  refused(model, "Row " + std::to_string(bend) + ": the bend radius 1E-40");
  BuildSampleModel(model);
  model.wind.profileIsVelocity = 1;
  model.wind.loads[0].direction = {1.0f, 0.0f, 0.0f};
  model.wind.loads[0].velocityProfile = {{1.0e-40f, 50.0f}, {400.0f, 2.0e38f}};
  refused(model, "Analysis options: wind load 1 profile, point 2: the value 2E+38");
  model.wind.loads[0].velocityProfile[1].value = 60.0f;
  std::string written;
  Floats(model, &written);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << written;
  std::vector<std::string> notes;
  ASSERT_EQ(ReadModelFile(path, &notes), "");
  EXPECT_EQ(notes, std::vector<std::string>{"Wind load 1 profile, point 1: the elevation 1E-40 is below 1E-37, the "
                                            "least a value may be but zero, and is taken as 0"});
  EXPECT_EQ(TheModel().wind.loads[0].velocityProfile[0].elevation, kExplicitZero);
  BuildAllKindsModel(model);
  model.spectra[0].points[0].x = 1.0e-40f;
  Floats(model, &written);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << written;
  ASSERT_EQ(ReadModelFile(path, &notes), "");
  EXPECT_NE(std::find(notes.begin(), notes.end(),
                      "Spectra: spectrum \"Quake\", point 1: the abscissa 1E-40 is below 1E-37, the least a value "
                      "may be but zero, and is taken as 0"),
            notes.end())
      << ::testing::PrintToString(notes);
  EXPECT_EQ(TheModel().spectra[0].points[0].x, kExplicitZero);
}

// A model file holding a value its cell refuses opened without a word and
// was analysed (Sample.mod's density made -460: a displacement 400 times
// the true one): Open refuses it naming record and field, the open model as
// it was, while every value the cells take opens, on both sides of each
// edge, in the temperature rule's degrees F.
TEST_F(ModelIntakeTest, OpenRefusesAFieldItsCellsRefuseAndOpensEveryValueTheyTake) {
  const std::string path = TempFolder() + "/fields.mod";
  const auto open = [&](const std::string& bytes) {
    TheModel().title = "Before";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    const std::string message = ReadModelFile(path);
    if (!message.empty()) {
      EXPECT_EQ(TheModel().title, "Before");
    }
    return message;
  };
  std::ifstream sample(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(sample), std::istreambuf_iterator<char>()};
  bytes.replace(703, 4, std::string("\x00\x00\xE6\xC3", 4));
  EXPECT_EQ(open(bytes), "Model file: " + path + "\nMaterial 1: the density -460 is invalid (below 0)\nThe model was not opened.");
  const struct {
    void (*change)(Model&);
    const char* fault;  // null: the file opens
  } cases[] = {
      {[](Model& m) { m.materials[1].nu = 1.5f; }, "Material 1: the Poisson's ratio 1.5 is invalid (Nu should be < 0.5)"},
      {[](Model& m) { m.materials[1].nu = -1.0f; }, "Material 1: the Poisson's ratio -1 is invalid (below 0)"},
      {[](Model& m) { m.materials[1].nu = 0.4999f; }, nullptr},
      {[](Model& m) { SetMaterialType(m.materials[1], "FR"), m.materials[1].nu = 1.5f; }, nullptr},
      // A stored joint factor of 0 is one not given (1.0), as the format has it.
      {[](Model& m) { m.materials[1].jointFactor = m.materials[2].circJointFactor = 0.0f; }, nullptr},
      {[](Model& m) { m.materials[2].jointFactor = 1.01f; }, "Material 2: the joint factor 1.01 is invalid (not above 0 and up to 1)"},
      {[](Model& m) { m.materials[1].jointFactor = 0.85f; }, nullptr},
      {[](Model& m) { m.materials[1].temps[2].values[kMatAllowable] = -1.0f; },
       "Material 1, temperature row 2: the allowable stress -1 is invalid (below 0)"},
      {[](Model& m) { m.materials[1].temps[1].values[kMatAllowable] = -1.0f; },
       "Material 1, temperature row 1: the allowable stress -1 is invalid (below 0)"},
      {[](Model& m) { AppendSoil(m.soils, Soil{"SL1", kSoilCohesionless, 0.07f, 0.0f, 1.5f, 2.0f}); },
       "Soil 1: the delta 1.5 is invalid (not from 0 to 75 degrees)"},
      {[](Model& m) { AppendSoil(m.soils, Soil{"SL1", kSoilCohesionless, -0.07f, 0.0f, 0.5f, 2.0f}); },
       "Soil 1: the density -0.07 is invalid (not above 0)"},
      // The stiffness divides by every row's modulus.
      {[](Model& m) { m.materials[2].temps[1].values[kMatModulus] = 0.0f; },
       "Material 2, temperature row 1: the elastic modulus 0 is invalid (not above 2E-36)"},
      {[](Model& m) { m.sections[1].corrosionAllowance = -0.01f; }, "Pipe section 1: the corrosion allowance -0.01 is invalid (below 0)"},
      {[](Model& m) { m.sections[1].corrosionAllowance = 0.322f; },
       "Pipe section 1: the corrosion allowance 0.322 is invalid (Corrosion allowance >= Thickness)"},
      // The wall 0.322 less 12.5 % leaves 0.28175, of which 0.0001 must stay.
      {[](Model& m) { m.sections[1].corrosionAllowance = 0.2816f; }, nullptr},
      {[](Model& m) { m.sections[1].corrosionAllowance = 0.2818f; },
       "Pipe section 1: the corrosion allowance 0.2818 is invalid (Corrosion allowance + mill tolerance is too large)"},
      {[](Model& m) { m.materials[1].density = kExplicitZero, m.materials[1].nu = 0.0f; }, nullptr},
      {[](Model& m) { m.sections[1].millTolerance = -1.0f; }, "Pipe section 1: the mill tolerance (%) -1 is invalid (not from 0 to 75 %)"},
      {[](Model& m) { m.sections[1].millTolerance = 75.5f; }, "Pipe section 1: the mill tolerance (%) 75.5 is invalid (not from 0 to 75 %)"},
      {[](Model& m) { m.sections[1].millTolerance = 75.0f; }, nullptr},
      {[](Model& m) { m.sections[1].millTolerance = 0.0f; }, nullptr},
      {[](Model& m) { m.sections[1].insulationDensity = -1.0f; }, "Pipe section 1: the insulation density -1 is invalid (below 0)"},
      {[](Model& m) { m.sections[1].insulationThickness = -1.0f; }, "Pipe section 1: the insulation thickness -1 is invalid (below 0)"},
      {[](Model& m) { m.pipeLoads[1].operating[0].temperature = -1000.0f; },
       "Load 1: the T1 -1000 is invalid (below absolute zero, -460 F)"},
      {[](Model& m) { m.pipeLoads[1].operating[0].temperature = -460.5f; },
       "Load 1: the T1 -460.5 is invalid (below absolute zero, -460 F)"},
      {[](Model& m) { m.pipeLoads[1].operating[0].temperature = -460.0f; }, nullptr},
      // A pair out of use too: once in use, it would refuse every edit.
      {[](Model& m) { m.pipeLoads[1].operating[9].temperature = -1000.0f; },
       "Load 1: the T10 -1000 is invalid (below absolute zero, -460 F)"},
      {[](Model& m) { m.beamLoads[1].temperature[0] = -461.0f; }, "Beam load 1: the T1 -461 is invalid (below absolute zero, -460 F)"},
      // New loads start at the reference temperature.
      {[](Model& m) { m.options.ReferenceTemperature = -500.0f; },
       "Analysis options: the reference temperature -500 is invalid (below absolute zero, -460 F)"},
      {[](Model& m) { m.options.ReferenceTemperature = -460.0f; }, nullptr},
  };
  for (const auto& c : cases) {
    Model model;
    BuildSampleModel(model);
    BeamLoad load;
    InitBeamLoad(load, 70.0f);
    load.name = "B1";
    AppendBeamLoad(model.beamLoads, load);
    c.change(model);
    Floats(model, &bytes);
    const std::string message = open(bytes);
    EXPECT_EQ(message, c.fault ? "Model file: " + path + "\n" + c.fault + "\nThe model was not opened." : "");
  }
}

}  // namespace
