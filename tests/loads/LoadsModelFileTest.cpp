// The loads through the model file: a model carrying ten thermal loads,
// four wind loads, a static seismic load, spectra with their load, a full
// load-case list and twelve sets of specified displacements is saved with
// File > Save, read back and written again byte for byte; a model without
// spectra keeps every later section in place, and one with spectra too.
// The dynamic loads (a force on T2, a harmonic load, a time varying and a
// force spectrum load, their time functions and force spectra, the
// harmonic and time history settings) travel the same way.
#include "files/ModelFile.h"
#include "loads/Force.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/LoadsTesting.h"
#include "loads/TimeVaryingLoad.h"
#include "model/ModelLoadCases.h"
#include "model/RowOperations.h"
#include "records/ForceSpectrum.h"
#include "records/LoadCaseList.h"
#include "records/Soil.h"
#include "records/TimeFunction.h"
#include "services/NumberText.h"
#include "supports/Anchor.h"
#include "supports/DisplacementSets.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class LoadsModelFileTest : public LoadsFixture {
 protected:
  // Saves the open model with File > Save and reads the file back. The
  // model is first made as the reader leaves every model: the options its
  // code forces, and a view that has been looked at.
  std::string SaveAndReread(Model& read) {
    ApplyCodeForcedOptions(TheModel().options);
    TheModel().graphics.viewDirection = {1.0f, 1.0f, 1.0f};
    TheModel().graphics.viewLeft = -10.0f;
    TheModel().graphics.viewRight = 30.0f;
    TheModel().graphics.viewBottom = -5.0f;
    TheModel().graphics.viewTop = 20.0f;
    const std::string path = Path("loads.mod");
    TheModel().path = path;
    TheModel().modified = true;
    Layout(104);  // File > Save
    EXPECT_FALSE(TheModel().modified);
    const std::string written = Bytes(path);
    EXPECT_NO_THROW(ReadModelFileInto(path, read));
    return written;
  }
  static std::string Rewritten(const Model& model, const std::string& path) {
    EXPECT_EQ(WriteModelFileFrom(model, path), "");
    return Bytes(path);
  }
};

TEST_F(LoadsModelFileTest, EveryLoadRoundTripsByteForByte) {
  Model& model = TheModel();
  model.options.PipingCode = 8;  // seismic and settlement sets
  model.options.ThermalLoadCount = 10;
  for (int pair = 0; pair < 10; ++pair)
    model.pipeLoads[1].operating[static_cast<std::size_t>(pair)] = {100.0f + 10.0f * static_cast<float>(pair), 50.0f + static_cast<float>(pair)};
  model.seismic.g = {0.1f, 0.2f, 0.3f};
  model.seismic.combination = kSeismicAbsoluteSum;
  model.wind.profileIsVelocity = 1;
  model.wind.elevationUnit = 1;
  model.wind.velocityUnit = 2;
  for (int k = 0; k < kWindLoadCount; ++k) {
    WindLoad& load = model.wind.loads[static_cast<std::size_t>(k)];
    load.shapeFactor = 0.5f + 0.1f * static_cast<float>(k);
    load.direction = {1.0f, 0.0f, static_cast<float>(k)};
    load.velocityProfile = {{kExplicitZero, 60.0f + static_cast<float>(k)}, {1200.0f, 100.0f}};
    load.pressureProfile = {{600.0f, 0.1f}};  // the other kind is not stored
  }
  ResponseSpectrum spectrum;
  spectrum.name = "Design basis earthquake, 5%";
  spectrum.logInterpolation1 = 1;
  spectrum.ordinateUnit = kOrdinateG;
  spectrum.points = {{0.5f, 77.28f}, {33.0f, 386.4f}};
  SetLastSpectrum(model.spectra, spectrum);
  SetDirectionSpectrum(model.spectrumLoad, 2, spectrum.name, 0.67f);
  auto* anchor = dynamic_cast<Anchor*>(model.row(1).item.get());
  ASSERT_NE(anchor, nullptr);
  anchor->displacements.flags.fill(1);
  anchor->displacements.sets = std::make_unique<DisplacementSets>();
  for (int value = 1; value <= 72; ++value) anchor->displacements.sets->values[static_cast<std::size_t>(value)] = 0.01f * static_cast<float>(value);
  anchor->DisplacementsInPipeLcs = 1;
  for (int id = 0; id < kLoadCaseTypeCount; ++id)
    model.loadCases.selected[static_cast<std::size_t>(id)] = IsSelectableLoadCase(id) ? 1 : 0;
  BuildLoadCases(model);
  ASSERT_GT(model.loadCases.count, 80);

  Model read;
  const std::string written = SaveAndReread(read);
  EXPECT_EQ(Rewritten(read, Path("again.mod")), written);
  EXPECT_EQ(read.loadCases.count, model.loadCases.count);
  EXPECT_EQ(read.loadCases.selected, model.loadCases.selected);
  EXPECT_EQ(read.wind.loads[3].velocityProfile.size(), 2u);
  EXPECT_EQ(read.spectrumLoad.name[2], spectrum.name);
  EXPECT_FLOAT_EQ(read.pipeLoads[1].operating[9].temperature, 190.0f);
  const auto* readAnchor = dynamic_cast<const Anchor*>(read.row(1).item.get());
  ASSERT_NE(readAnchor, nullptr);
  EXPECT_FLOAT_EQ(readAnchor->displacements.sets->values[72], 0.72f);
  EXPECT_EQ(readAnchor->DisplacementsInPipeLcs, 1);
}

TEST_F(LoadsModelFileTest, TheSectionsAfterTheSpectraStayInPlaceWithAndWithoutSpectra) {
  Model& model = TheModel();
  // A soil after the spectra section: misread if the spectrum load's six
  // values were written when the reader does not read them, or left out
  // when it does.
  Soil soil;
  soil.name = "CL";
  soil.density = 120.0f;
  AppendSoil(model.soils, soil);
  for (bool spectra : {false, true}) {
    if (spectra) {
      ResponseSpectrum s;
      s.name = "S";
      s.points = {{1.0f, 2.0f}};
      SetLastSpectrum(model.spectra, s);
      SetDirectionSpectrum(model.spectrumLoad, 0, "S", 2.0f);
    }
    Model read;
    const std::string written = SaveAndReread(read);
    EXPECT_EQ(HasSpectra(read.spectra), spectra);
    ASSERT_EQ(read.soils.count, 1) << spectra;
    EXPECT_EQ(read.soils[1].name, "CL");
    EXPECT_FLOAT_EQ(read.soils[1].density, 120.0f);
    EXPECT_EQ(read.spectrumLoad.name[0], spectra ? "S" : "");
    EXPECT_EQ(Rewritten(read, Path("again.mod")), written);
  }
}

TEST_F(LoadsModelFileTest, TheDynamicLoadsAndTheirTablesRoundTripByteForByte) {
  Model& model = TheModel();
  model.options.ThermalLoadCount = 2;
  model.harmonic = {1, 2.5f};
  model.timeHistory = {0.001f, 2000, 5, 1, 3.0f};
  model.timeFunctions.insert(model.timeFunctions.begin(),
                             TimeFunction{"Water hammer V-12", {{1.0e-36f, 1.0e-36f}, {0.05f, -250.0f}, {0.4f, 10.0f}}});
  model.forceSpectra.insert(model.forceSpectra.begin(),
                            ForceSpectrum{"Relief RV-101", {{1.0e-36f, 1.0e-36f}, {5.0f, 1800.0f}, {50.0f, 2100.0f}}});
  AddRow(model, 30, ElementType::Location);
  AddRow(model, 40, ElementType::Location);
  auto* force = dynamic_cast<NodalForce*>(SetDataType(model, 3, DataType::Force));
  auto* harmonic = dynamic_cast<HarmonicLoad*>(SetDataType(model, 4, DataType::HarmonicLoad));
  auto* varying = dynamic_cast<TimeVaryingLoad*>(SetDataType(model, 6, DataType::TimeVaryingLoad));
  auto* spectral = dynamic_cast<ForceSpectrumLoad*>(SetDataType(model, 7, DataType::ForceSpectrumLoad));
  ASSERT_TRUE(force != nullptr && harmonic != nullptr && varying != nullptr && spectral != nullptr);
  force->FY = -800.0f;
  force->MZ = 1.5e4f;
  force->AddedTo = 3;  // T2
  harmonic->Frequency = 7.5f;
  harmonic->Phase = -30.0f;
  harmonic->FX = 640.0f;
  varying->Direction = 5;
  varying->Units = 3;
  varying->TimeFunctionName = "Water hammer V-12";
  varying->ScaleFactor = -2.0f;
  varying->UnitFactor = 0.011521246f;
  spectral->Direction = 2;
  spectral->Units = 1;
  spectral->SpectrumName = "Relief RV-101";
  spectral->ScaleFactor = 0.5f;
  spectral->UnitFactor = 4.4482198f;
  MakeModel(model);

  Model read;
  const std::string written = SaveAndReread(read);
  EXPECT_EQ(Rewritten(read, Path("again.mod")), written);
  const auto* readForce = dynamic_cast<const NodalForce*>(read.row(3).item.get());
  const auto* readHarmonic = dynamic_cast<const HarmonicLoad*>(read.row(4).item.get());
  const auto* readVarying = dynamic_cast<const TimeVaryingLoad*>(read.row(6).item.get());
  const auto* readSpectral = dynamic_cast<const ForceSpectrumLoad*>(read.row(7).item.get());
  ASSERT_TRUE(readForce != nullptr && readHarmonic != nullptr && readVarying != nullptr && readSpectral != nullptr);
  EXPECT_EQ(readForce->FY, -800.0f);
  EXPECT_EQ(readForce->MZ, 1.5e4f);
  EXPECT_EQ(readForce->AddedTo, 3);
  EXPECT_EQ(readHarmonic->Frequency, 7.5f);
  EXPECT_EQ(readHarmonic->Phase, -30.0f);
  EXPECT_EQ(readVarying->TimeFunctionName, "Water hammer V-12");
  EXPECT_EQ(readVarying->Units, 3);
  EXPECT_EQ(readVarying->ScaleFactor, -2.0f);
  EXPECT_EQ(readSpectral->SpectrumName, "Relief RV-101");
  EXPECT_EQ(readSpectral->UnitFactor, 4.4482198f);
  EXPECT_EQ(read.harmonic.combination, 1);
  EXPECT_EQ(read.harmonic.damping, 2.5f);
  EXPECT_EQ(read.timeHistory.stepCount, 2000);
  EXPECT_EQ(read.timeHistory.outputInterval, 5);
  EXPECT_EQ(read.timeHistory.writeResults, 1);
  ASSERT_EQ(read.timeFunctions.size(), 2u);
  EXPECT_EQ(read.timeFunctions[0].points[1].y, -250.0f);
  ASSERT_EQ(read.forceSpectra.size(), 2u);
  EXPECT_EQ(read.forceSpectra[0].points[2].y, 2100.0f);
}

}  // namespace
