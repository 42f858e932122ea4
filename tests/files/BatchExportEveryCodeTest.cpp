// The every-kind model (results/EveryKindModel.h) read back from its own
// batch export under each of the 25 piping codes, with "Use B31J" on and
// off: the import takes every file the writer writes, and each row read back
// (its element and data item, byte for byte as the model file keeps them)
// and each property table is the original's, or the list of what the export
// left out names the row or the record. The branch SIF types a code does
// not offer (a welding tee under the Swedish code) read back as the model
// holds them, with a note in the import log; a reinforced tee comes back
// reinforced. What the batch file has no line for (spectra, force spectra,
// time functions, the load-case list, the dynamic analysis settings) is
// named in the list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>

#include "KindRecordTesting.h"
#include "elements/BranchSif.h"
#include "elements/ElasticElement.h"
#include "elements/HydrotestLoad.h"
#include "files/BatchExport.h"
#include "files/BatchTesting.h"
#include "files/ModelFileSections.h"
#include "model/MakeModel.h"
#include "records/AnalysisOptions.h"
#include "records/BeamLoad.h"
#include "records/BeamMaterial.h"
#include "records/BeamSection.h"
#include "records/ForceSpectrum.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "records/Soil.h"
#include "records/TimeFunction.h"
#include "results/EveryKindModel.h"

namespace {

// The piping code ids in the order of the code list.
constexpr std::int32_t kEveryCode[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 101,
                                       201, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};

Bytes Written(const std::function<void(BinaryFile&)>& write) {
  const std::string path = KindTestPath();
  BinaryFile file;
  EXPECT_TRUE(BinaryFileOpenWrite(file, path));
  write(file);
  EXPECT_TRUE(BinaryFileClose(file));
  Bytes bytes = ReadWholeFile(path);
  std::remove(path.c_str());
  return bytes;
}

bool Names(const std::vector<std::string>& list, const std::string& start) {
  for (const std::string& line : list)
    if (line.rfind(start, 0) == 0) return true;
  return false;
}

bool Contains(const std::vector<std::string>& list, const std::string& line) {
  return std::find(list.begin(), list.end(), line) != list.end();
}

// The import log's notes of branch SIF types the code does not offer.
std::vector<std::string> BranchNotes(const std::vector<std::string>& log) {
  std::vector<std::string> notes;
  for (const std::string& line : log)
    if (line.find("'Branch SIF = ") != std::string::npos) notes.push_back(line);
  return notes;
}

class BatchExportEveryCodeTest : public BatchFixture {
 protected:
  void SetUp() override {
    BatchFixture::SetUp();
    path_ = ::testing::TempDir() + "/every-code.mod";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    BatchFixture::TearDown();
  }

  // The every-kind model of `code` with what its dialogs would have given
  // it besides: joint factors of 1, an FRP material of type FR, a section
  // of a nominal size, the elastic element's axes, a hydrotest pressure.
  void Build(Model& model, std::int32_t code, bool b31j) {
    every_kind::BuildEveryKind(model, path_, code);
    model.options.UseB31J = b31j ? 1 : 0;
    for (int i = 1; i <= model.materials.count; ++i) {
      Material& material = model.materials[i];
      material.jointFactor = material.circJointFactor = 1.0f;
      if (material.isFrp != 0) SetMaterialType(material, "FR");
    }
    model.sections[1].nominalSize = "4";
    model.sections[1].schedule = "40";
    for (int number = 1; number <= model.rowCount; ++number) {
      ElementData* element = model.row(number).element.get();
      if (auto* elastic = dynamic_cast<ElasticElement*>(element)) {
        elastic->localX[2] = 1.0f;
        elastic->localY[0] = 1.0f;
      } else if (auto* test = dynamic_cast<HydrotestLoad*>(element)) {
        test->pressure = 450.0f;
      }
    }
  }

  std::string path_;
};

// Two values alike: the same, within the float's last digits (a value in
// a unit the file converts from), or both zero, the typed zero (1e-36)
// being the zero the reader keeps for a value written as 0.
bool Alike(float a, float b) {
  if (a == b) return true;
  if (std::fabs(a) <= 1.0e-30f && std::fabs(b) <= 1.0e-30f) return true;
  return std::fabs(a - b) <= 1.0e-6f * std::max(std::fabs(a), std::fabs(b));
}

// Two records alike word by word, each word taken as a float.
bool AlikeRecords(const Bytes& a, const Bytes& b) {
  if (a == b) return true;
  if (a.size() != b.size()) return false;
  for (std::size_t at = 0; at + 4 <= a.size(); at += 4) {
    float x = 0.0f, y = 0.0f;
    std::memcpy(&x, a.data() + at, 4);
    std::memcpy(&y, b.data() + at, 4);
    if (std::memcmp(&x, &y, 4) != 0 && !Alike(x, y)) return false;
  }
  return std::equal(a.end() - static_cast<std::ptrdiff_t>(a.size() % 4), a.end(),
                    b.end() - static_cast<std::ptrdiff_t>(b.size() % 4));
}

// Each original row against the rows read back. An item the writer puts on
// a Location line of its own comes back on the next row; the rows of the
// original are then matched one further on.
void CompareRows(const Model& model, const Model& again, const std::vector<std::string>& leftOut) {
  int next = 1;
  for (int number = 1; number <= model.rowCount; ++number) {
    SCOPED_TRACE("row " + std::to_string(number));
    const LayoutRow& row = model.row(number);
    const bool listed = Names(leftOut, "Row " + std::to_string(number) + ":");
    ASSERT_LE(next, again.rowCount);
    const LayoutRow& read = again.row(next++);
    const LayoutRow* item = &read;
    if (row.dataType != DataType::None && read.dataType == DataType::None && next <= again.rowCount &&
        again.row(next).elementType == ElementType::Location && again.row(next).node == row.node)
      item = &again.row(next++);
    if (listed) continue;
    EXPECT_EQ(read.elementType, row.elementType);
    EXPECT_EQ(read.node, row.node);
    EXPECT_EQ(read.dx, row.dx);
    EXPECT_EQ(read.dy, row.dy);
    EXPECT_EQ(read.dz, row.dz);
    // Names of kinds that use them (a hinge or a tie rod has none).
    if (ElementTypeHasProperties(row.elementType) && row.elementType != ElementType::Beam) {
      EXPECT_EQ(read.material, row.material);
      EXPECT_EQ(read.section, row.section);
      EXPECT_EQ(read.load, row.load);
    }
    EXPECT_EQ(item->dataType, row.dataType);
    ASSERT_TRUE(read.element != nullptr && row.element != nullptr);
    EXPECT_TRUE(AlikeRecords(WriteKindRecord(*read.element), WriteKindRecord(*row.element)))
        << ::testing::PrintToString(WriteKindRecord(*read.element)) << "\n"
        << ::testing::PrintToString(WriteKindRecord(*row.element));
    if (row.item != nullptr && item->item != nullptr && item->dataType == row.dataType) {
      EXPECT_TRUE(AlikeRecords(WriteKindRecord(*item->item), WriteKindRecord(*row.item)))
          << ::testing::PrintToString(WriteKindRecord(*item->item)) << "\n"
          << ::testing::PrintToString(WriteKindRecord(*row.item));
    }
  }
  EXPECT_EQ(next, again.rowCount + 1);
}

void CompareTables(const Model& model, const Model& again, const std::vector<std::string>& leftOut) {
  ASSERT_EQ(again.materials.count, model.materials.count);
  for (int i = 1; i <= model.materials.count; ++i) {
    const Material& m = model.materials[i];
    const Material& r = again.materials[i];
    SCOPED_TRACE("material " + m.name);
    EXPECT_EQ(r.name, m.name);
    EXPECT_EQ(r.type, m.type);
    EXPECT_EQ(r.isFrp, m.isFrp);
    EXPECT_TRUE(Alike(r.nu, m.nu) && Alike(r.density, m.density) && Alike(r.jointFactor, m.jointFactor) &&
                Alike(r.circJointFactor, m.circJointFactor));
    ASSERT_EQ(r.numtemps, m.numtemps);
    const bool moduliListed = Names(leftOut, "Material " + m.name + ": the hoop and shear moduli");
    for (int t = 1; t <= m.numtemps; ++t)
      for (std::size_t v = 0; v < 8; ++v)
        if (!(moduliListed && (v == kMatHoopModulus || v == kMatShearModulus))) {
          EXPECT_TRUE(Alike(r.temps[static_cast<std::size_t>(t)].values[v],
                            m.temps[static_cast<std::size_t>(t)].values[v]))
              << "temperature row " << t << ", value " << v;
        }
  }
  ASSERT_EQ(again.sections.count, model.sections.count);
  for (int i = 1; i <= model.sections.count; ++i) {
    const PipeSection& m = model.sections[i];
    const PipeSection& r = again.sections[i];
    SCOPED_TRACE("section " + m.name);
    if (!Names(leftOut, "Pipe section " + m.name + ":")) {
      EXPECT_EQ(r.standard, m.standard);
      EXPECT_TRUE(m.nominalSize.empty() || r.nominalSize == m.nominalSize);
    }
    EXPECT_EQ(r.name, m.name);
    EXPECT_EQ(r.soil, m.soil);
    for (const auto field : {&PipeSection::outsideDiameter, &PipeSection::thickness, &PipeSection::corrosionAllowance,
                             &PipeSection::millTolerance, &PipeSection::insulationDensity,
                             &PipeSection::insulationThickness, &PipeSection::liningDensity,
                             &PipeSection::liningThickness})
      EXPECT_TRUE(Alike(r.*field, m.*field));
  }
  ASSERT_EQ(again.pipeLoads.count, model.pipeLoads.count);
  for (int i = 1; i <= model.pipeLoads.count; ++i) {
    const PipeLoad& m = model.pipeLoads[i];
    const PipeLoad& r = again.pipeLoads[i];
    SCOPED_TRACE("load " + m.name);
    EXPECT_EQ(r.name, m.name);
    if (!Names(leftOut, "Load " + m.name + ": its wind flag")) {
      EXPECT_EQ(r.wind, m.wind);
    }
    EXPECT_TRUE(Alike(r.specificGravity, m.specificGravity) && Alike(r.additionalWeight, m.additionalWeight));
    // The temperatures in use.
    for (int t = 0; t < model.options.ThermalLoadCount; ++t) {
      EXPECT_TRUE(Alike(r.operating[static_cast<std::size_t>(t)].temperature,
                        m.operating[static_cast<std::size_t>(t)].temperature));
      EXPECT_TRUE(Alike(r.operating[static_cast<std::size_t>(t)].pressure,
                        m.operating[static_cast<std::size_t>(t)].pressure));
    }
  }
  EXPECT_EQ(Written([&](BinaryFile& f) { WriteSoils(f, again.soils); }),
            Written([&](BinaryFile& f) { WriteSoils(f, model.soils); }));
  EXPECT_EQ(Written([&](BinaryFile& f) { WriteBeamSections(f, again.beamSections); }),
            Written([&](BinaryFile& f) { WriteBeamSections(f, model.beamSections); }));
  ASSERT_EQ(again.beamMaterials.count, model.beamMaterials.count);
  for (int i = 1; i <= model.beamMaterials.count; ++i) {
    const BeamMaterial& m = model.beamMaterials[i];
    const BeamMaterial& r = again.beamMaterials[i];
    EXPECT_EQ(r.name, m.name);
    EXPECT_TRUE(Alike(r.E, m.E) && Alike(r.nu, m.nu) && Alike(r.density, m.density) && Alike(r.alpha, m.alpha));
  }
  ASSERT_EQ(again.beamLoads.count, model.beamLoads.count);
  for (int i = 1; i <= model.beamLoads.count; ++i) {
    const BeamLoad& m = model.beamLoads[i];
    const BeamLoad& r = again.beamLoads[i];
    EXPECT_EQ(r.name, m.name);
    if (!Names(leftOut, "Beam load " + m.name + ": its wind flag")) {
      EXPECT_EQ(r.wind, m.wind);
    }
    EXPECT_TRUE(Alike(r.additionalWeight, m.additionalWeight));
    for (int t = 0; t < model.options.ThermalLoadCount; ++t)
      EXPECT_TRUE(Alike(r.temperature[static_cast<std::size_t>(t)], m.temperature[static_cast<std::size_t>(t)]));
  }
  EXPECT_EQ(again.seismic.g, model.seismic.g);
  EXPECT_EQ(again.spectrumLoad.name, model.spectrumLoad.name);
  EXPECT_EQ(again.spectrumLoad.factor, model.spectrumLoad.factor);
  EXPECT_EQ(again.options.PipingCode, model.options.PipingCode);
  EXPECT_EQ(again.options.ReferenceTemperature, model.options.ReferenceTemperature);
}

TEST_F(BatchExportEveryCodeTest, TheEveryKindModelReadsBackFromItsExportUnderEveryCode) {
  for (const std::int32_t code : kEveryCode) {
    for (const bool b31j : {false, true}) {
      SCOPED_TRACE("code " + std::to_string(code) + (b31j ? ", B31J" : ""));
      Model model;
      Build(model, code, b31j);
      std::vector<std::string> leftOut;
      const std::string text = WriteModelBatchText(model, BatchExportUnits::English, leftOut);
      Model again;
      std::vector<std::string> log;
      ASSERT_EQ(Import(text, again, &log), "") << text;
      EXPECT_FALSE(Names(leftOut, "The file written")) << ::testing::PrintToString(leftOut);
      CompareRows(model, again, leftOut);
      CompareTables(model, again, leftOut);
      // What the batch file has no line for is named.
      EXPECT_TRUE(Contains(leftOut, "Response spectra: FLAT was not written (the batch file does not carry them)"));
      // The import takes "Use B31J" from the program's options, as a new
      // model does.
      const bool offered = !IsBranchSifTypeInvalidForCode(kBranchSifWeldingTee, code, again.options.UseB31J != 0);
      EXPECT_EQ(BranchNotes(log).size(), offered ? 0u : 1u) << ::testing::PrintToString(log);
    }
  }
}

// Under the Swedish code the welding tee at 25 is one the code does not
// offer: the model keeps it (saving asks whether to replace it), and so does
// the import, with a line in its log in the words of the save's question.
TEST_F(BatchExportEveryCodeTest, AWeldingTeeUnderTheSwedishCodeReadsBackWithANote) {
  Model model;
  Build(model, 18, false);
  std::vector<std::string> leftOut;
  const std::string text = WriteModelBatchText(model, BatchExportUnits::English, leftOut);
  ASSERT_NE(text.find("\nT25,KT,"), std::string::npos) << text;
  Model again;
  std::vector<std::string> log;
  ASSERT_EQ(Import(text, again, &log), "");
  ASSERT_EQ(again.row(2).dataType, DataType::BranchSif);
  EXPECT_EQ(dynamic_cast<const BranchSif&>(*again.row(2).item).type, kBranchSifWeldingTee);
  // The line's number: the newlines before it, plus one.
  const auto before = text.begin() + static_cast<std::ptrdiff_t>(text.find("\nT25,KT,") + 1);
  const std::size_t line = static_cast<std::size_t>(std::count(text.begin(), before, '\n')) + 1;
  EXPECT_EQ(BranchNotes(log), (std::vector<std::string>{"Line " + std::to_string(line) +
                                           ": 'Branch SIF = Welding tee' not valid for 'Piping Code = Swedish' at Node "
                                           "25; it was kept (saving offers to replace it with 'Unreinf tee')"}));
}

// KF is the unreinforced tee and KF with a pad the reinforced one: a
// reinforced tee comes back reinforced with its pad; one without a pad has
// nothing to tell it by, and the list says what it reads back as.
TEST_F(BatchExportEveryCodeTest, AReinforcedTeeReadsBackReinforced) {
  Model model;
  Build(model, 3, false);
  auto& tee = dynamic_cast<BranchSif&>(*model.row(2).item);
  tee.type = 2;
  tee.dimension1 = 0.25f;
  for (const BatchExportUnits units : {BatchExportUnits::English, BatchExportUnits::Si}) {
    std::vector<std::string> leftOut;
    const std::string text = WriteModelBatchText(model, units, leftOut);
    EXPECT_NE(text.find("\nT25,KF,"), std::string::npos) << text;
    EXPECT_FALSE(Names(leftOut, "Row 2:"));
    Model again;
    ASSERT_EQ(Import(text, again), "");
    const auto& read = dynamic_cast<const BranchSif&>(*again.row(2).item);
    EXPECT_EQ(read.type, 2);
    EXPECT_EQ(read.dimension1, 0.25f);
  }
  tee.dimension1 = 0.0f;
  std::vector<std::string> leftOut;
  const std::string text = WriteModelBatchText(model, BatchExportUnits::English, leftOut);
  EXPECT_TRUE(Contains(leftOut, "Row 2: the reinforced tee has no pad thickness, without which the batch file cannot "
                                "tell it from an unreinforced tee; it reads back as an unreinforced tee"));
  Model again;
  ASSERT_EQ(Import(text, again), "");
  EXPECT_EQ(dynamic_cast<const BranchSif&>(*again.row(2).item).type, kBranchSifUnreinforced);
}

// A branch dimension the dialog leaves 0 (the B31.1 extruded tee's crotch
// radius, a branch connection without a radius) is not written as a 0 the
// reader refuses; a radiused branch without its dimensions is listed.
TEST_F(BatchExportEveryCodeTest, BranchDimensionsOfZeroAreNotWrittenAsRefusedZeros) {
  Model model;
  Build(model, 1, false);
  auto& tee = dynamic_cast<BranchSif&>(*model.row(2).item);
  for (const std::int32_t type : {4, 9}) {
    SCOPED_TRACE(type);
    tee.type = type;
    tee.dimension1 = 0.0f;
    std::vector<std::string> leftOut;
    const std::string text = WriteModelBatchText(model, BatchExportUnits::English, leftOut);
    Model again;
    ASSERT_EQ(Import(text, again), "") << text;
    EXPECT_EQ(dynamic_cast<const BranchSif&>(*again.row(2).item).type, type);
    EXPECT_FALSE(Names(leftOut, "Row 2:"));
  }
  Model nordic;
  Build(nordic, 13, false);
  auto& radiused = dynamic_cast<BranchSif&>(*nordic.row(2).item);
  radiused.type = 7;
  radiused.dimension1 = 0.5f;
  radiused.dimension2 = 0.0f;
  std::vector<std::string> leftOut;
  const std::string text = WriteModelBatchText(nordic, BatchExportUnits::English, leftOut);
  EXPECT_TRUE(Contains(leftOut, "Row 2: the radiused branch's fillet radius or wall thickness is below 0.001 inch, "
                                "which the batch file refuses; it was not written"));
  Model again;
  EXPECT_EQ(Import(text, again), "") << text;
}

// The other branch dimensions the reader refuses, and a type it does not
// know, are listed with their row.
TEST_F(BatchExportEveryCodeTest, BranchDimensionsTheReaderRefusesAreListed) {
  Model model;
  Build(model, 1, false);
  auto& tee = dynamic_cast<BranchSif&>(*model.row(2).item);
  const struct {
    std::int32_t type;
    float dimension1, dimension2;
    const char* listed;
  } cases[] = {
      {8, 0.25f, 0.0f, "the thickened pipe's thickness or length is below 0.001 inch, which the batch file refuses"},
      {8, 0.0005f, 2.0f, "the thickened pipe's thickness or length is below 0.001 inch, which the batch file refuses"},
      {9, 0.0005f, 0.0f, "the branch radius is below 0.001 inch, which the batch file refuses"},
      {42, 0.0f, 0.0f, "the branch SIF has no type the batch file knows"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    tee.type = c.type;
    tee.dimension1 = c.dimension1;
    tee.dimension2 = c.dimension2;
    std::vector<std::string> leftOut;
    WriteModelBatchText(model, BatchExportUnits::English, leftOut);
    EXPECT_TRUE(Contains(leftOut, std::string("Row 2: ") + c.listed + "; it was not written"));
  }
}

// The spectra, force spectra and time functions have no batch lines; an
// edited load-case list and dynamic settings other than the import's come
// back otherwise, and each is named with what the import gives instead.
TEST_F(BatchExportEveryCodeTest, RecordsWithoutBatchLinesAreNamed) {
  Model model;
  Build(model, 3, false);
  NamedPoints force;
  force.name = "PULSE";
  force.points = {{1.0f, 100.0f}, {10.0f, 100.0f}};
  model.forceSpectra.insert(model.forceSpectra.begin(), force);
  NamedPoints ramp;
  ramp.name = "RAMP";
  ramp.points = {{0.0f, 0.0f}, {1.0f, 1.0f}};
  model.timeFunctions.insert(model.timeFunctions.begin(), ramp);
  ramp.name = "STEP";
  model.timeFunctions.insert(model.timeFunctions.begin() + 1, ramp);
  model.harmonic.damping = 3.0f;
  model.timeHistory.timeStep = 0.005f;
  std::vector<std::string> leftOut;
  const std::string text = WriteModelBatchText(model, BatchExportUnits::English, leftOut);
  EXPECT_TRUE(Contains(leftOut, "Response spectra: FLAT was not written (the batch file does not carry them)"));
  EXPECT_TRUE(Contains(leftOut, "Force spectra: PULSE was not written (the batch file does not carry them)"));
  EXPECT_TRUE(Contains(leftOut, "Time functions: RAMP, STEP were not written (the batch file does not carry them)"));
  // The model's 4 modes below 1000 Hz against the new model's 20 below 33.
  EXPECT_TRUE(Contains(leftOut, "Dynamic analysis settings: the cut off frequency (Hz), 1000, was not written (the "
                                "batch file does not carry it); it reads back as 33"));
  EXPECT_TRUE(Contains(leftOut, "Dynamic analysis settings: the number of modes, 4, was not written (the batch file "
                                "does not carry it); it reads back as 20"));
  EXPECT_TRUE(Contains(leftOut, "Dynamic analysis settings: the harmonic damping (%), 3, was not written (the batch "
                                "file does not carry it); it reads back as 0"));
  EXPECT_TRUE(Contains(leftOut, "Dynamic analysis settings: the time history time step (s), 0.005, was not written "
                                "(the batch file does not carry it); it reads back as 0"));
  // Values of records the property lines have no field for.
  EXPECT_TRUE(Contains(leftOut, "Material FRP: the hoop and shear moduli of its temperature rows were not written "
                                "(the batch file does not carry them)"));
  EXPECT_TRUE(Contains(leftOut, "Pipe section S4: its standard, nominal size and schedule were not written (the batch "
                                "file does not carry them); it reads back as Non Std"));
  EXPECT_TRUE(Contains(leftOut, "Load LJ: its wind flag, off, was not written (the batch file does not carry it); it "
                                "reads back as on"));
  EXPECT_TRUE(Contains(leftOut, "Beam load BL: its wind flag, off, was not written (the batch file does not carry "
                                "it); it reads back as on"));
  // The model's list drops the response spectrum case the import keeps for
  // the spectrum load it reads: the list read back has it.
  analysis_testing::SetCases(model, {1, 8, 2, 19, 12, 30});
  leftOut.clear();
  WriteModelBatchText(model, BatchExportUnits::English, leftOut);
  EXPECT_TRUE(Names(leftOut, "Load cases: the load-case list was not written (the batch file does not carry it); the "
                             "import rebuilds it"))
      << ::testing::PrintToString(leftOut);
}

// A model whose records all read back names none of them.
TEST_F(BatchExportEveryCodeTest, AModelTheBatchFileCarriesWholeNamesNothing) {
  Model model;
  ASSERT_EQ(Import("Whole\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\n"
                   "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X10,KT\nT30,X10\nT40,Z10,KA\n",
                   model),
            "");
  std::vector<std::string> leftOut;
  WriteModelBatchText(model, BatchExportUnits::English, leftOut);
  EXPECT_EQ(leftOut, std::vector<std::string>{});
}

}  // namespace
