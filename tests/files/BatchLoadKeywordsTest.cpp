// The LAYOUT keywords of forces, harmonic loads and the spectrum load:
// FOR(...) and MOM(...) in the force and moment units, FORX= .. MOMZ=, FRE=
// (a harmonic load, whose amplitudes FOR gives and which takes no moment),
// PH= in the angle unit, SPECX .. FACZ setting the model's spectrum load as
// its dialog would (a factor of 1 unless given, none kept with a factor of
// 0, a name the model lacks said in the log); and every refusal with its
// line and message.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "files/BatchTesting.h"
#include "files/ModelFile.h"
#include "loads/Force.h"
#include "loads/HarmonicLoad.h"
#include "model/RowObjects.h"
#include "records/Spectrum.h"

namespace {

#define PREFIX                                                                                          \
  "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,800,24.2E6,7.65E-6,10800\nPIPE\nS1,8.625,0.322\n" \
  "LOADS\nL1,300,150\nLAYOUT\nF10,KA,MA1,PS1,CL=L1"

class BatchLoadKeywordsTest : public BatchFixture {
 protected:
  const Model& Imported(const std::string& text) {
    model_ = Model();
    log_.clear();
    EXPECT_EQ(Import("Loads plant\n" + text + "\n", model_, &log_), "") << text;
    return model_;
  }
  // The refusal of `line` after the prefix (line 12 of the file).
  static std::string Refused(const std::string& line) {
    Model model;
    return Import(std::string("Loads plant\n") + PREFIX + "\n" + line + "\n", model);
  }
  static std::string Expected(const std::string& line, const std::string& message) {
    return LineError(12, line, message);
  }
  Model model_;
  std::vector<std::string> log_;
};

TEST_F(BatchLoadKeywordsTest, ForcesAndMomentsInTheirUnits) {
  const Model& model = Imported(PREFIX "\nT20,X5,CFOR(100,,-50),MOMZ=10\nT30,X5,CMOMX=2,FORY=-7.5");
  ASSERT_EQ(model.row(2).dataType, DataType::Force);
  const auto& force = static_cast<const NodalForce&>(*model.row(2).item);
  EXPECT_EQ(force.FX, 100.0f);
  EXPECT_EQ(force.FY, 0.0f);
  EXPECT_EQ(force.FZ, -50.0f);
  EXPECT_FLOAT_EQ(force.MZ, 120.0f);  // 10 ft-lb
  EXPECT_EQ(force.AddedTo, kAddedToWeightAndPressure);
  const auto& second = static_cast<const NodalForce&>(*model.row(3).item);
  EXPECT_FLOAT_EQ(second.MX, 24.0f);
  EXPECT_EQ(second.FY, -7.5f);
  // In SI units: newtons and newton-metres.
  const Model& si = Imported("OPTIONS\nSI\n" PREFIX "\nT20,X5,CFOR(444.82198,0,0),MOM(0,11.2985,0)");
  const auto& metric = static_cast<const NodalForce&>(*si.row(2).item);
  EXPECT_NEAR(metric.FX, 100.0f, 1e-3f);
  EXPECT_NEAR(metric.MY, 100.0f, 1e-2f);
}

TEST_F(BatchLoadKeywordsTest, AFrequencyMakesAHarmonicLoad) {
  const Model& model = Imported(PREFIX "\nT20,X5,CFRE=12.5,PH=-30,FOR(0,250,0)\nT30,X5,CFRE=3");
  ASSERT_EQ(model.row(2).dataType, DataType::HarmonicLoad);
  const auto& load = static_cast<const HarmonicLoad&>(*model.row(2).item);
  EXPECT_EQ(load.Frequency, 12.5f);
  EXPECT_FLOAT_EQ(load.Phase, -30.0f);  // degrees, as the load keeps it
  EXPECT_EQ(load.FY, 250.0f);
  // No amplitude: a harmonic load all the same (a phase alone is refused).
  EXPECT_EQ(model.row(3).dataType, DataType::HarmonicLoad);
}

TEST_F(BatchLoadKeywordsTest, TheSpectrumLoadAsItsDialogSetsIt) {
  const Model& model = Imported(PREFIX "\nT20,X5,CSPECX=EL,FACX=1.5,SPECY=EL\nT30,X5,CSPECZ=DBE,FACZ=0");
  const SpectrumLoad& load = model.spectrumLoad;
  EXPECT_EQ(load.name[0], "EL");
  EXPECT_FLOAT_EQ(load.factor[0], 1.5f);
  EXPECT_EQ(load.name[1], "EL");
  EXPECT_EQ(load.factor[1], 1.0f);
  EXPECT_EQ(load.name[2], "");  // a factor of 0 keeps no spectrum
  EXPECT_EQ(model.row(2).dataType, DataType::None);
  ASSERT_EQ(std::count_if(log_.begin(), log_.end(),
                          [](const std::string& line) { return line.find("the model has no spectrum") != std::string::npos; }),
            2);
  EXPECT_EQ(log_[0], "Line 12: SPECX=EL: the model has no spectrum of that name; add it in the Spectrums list");
}

// The model file keeps 31 characters of a spectrum's name: a name of 31
// goes through the model file as written, one of 32 is refused on its line.
TEST_F(BatchLoadKeywordsTest, ASpectrumNameTakesTheThirtyOneCharactersTheModelFileKeeps) {
  const std::string name = "DESIGN-BASIS-EARTHQUAKE-EAST-WE";
  ASSERT_EQ(name.size(), 31u);
  const Model& model = Imported(PREFIX "\nT20,X5,CSPECX=" + name);
  const std::string path = ::testing::TempDir() + "/spectrum-name.mod";
  ASSERT_EQ(WriteModelFileFrom(model, path), "");
  Model back;
  ReadModelFileInto(path, back);
  std::filesystem::remove(path);
  EXPECT_EQ(back.spectrumLoad.name[0], name);
  const std::string over = "T20,X5,CSPECY=" + name + "S";
  EXPECT_EQ(Refused(over), Expected(over, "Spectrum name should be <= 31 characters :  SPECY=" + name + "S"));
}

TEST_F(BatchLoadKeywordsTest, EveryRefusalWithItsLineAndMessage) {
  const std::pair<const char*, const char*> refusals[] = {
      {"T20,X5,CFOR=100", "Invalid force : FOR=100\nDirectional entry such as FOR(100,0,-50) is required"},
      {"T20,X5,CMOM=100", "Invalid moment : MOM=100\nDirectional entry such as MOM(100,0,-50) is required"},
      {"T20,X5,CFORX(100)", "Invalid force : FORX(100)\nScalar entry such as FORX=100 is required"},
      {"T20,X5,CMOMZ(5)", "Invalid moment : MOMZ(5)\nScalar entry such as MOMZ=100 is required"},
      {"T20,X5,CFOR(1,X,2)", "Invalid force :  X"},
      {"T20,X5,CMOMY=Q", "Invalid moment :  Q"},
      {"T20,X5,CFRE=0", "Invalid frequency :  0"},
      {"T20,X5,CFRE=-2", "Invalid frequency :  -2"},
      {"T20,X5,CFRE=5,MOM(1,0,0)",
       "A harmonic load (FRE) has no moments: MOM, MOMX, MOMY and MOMZ cannot go with it"},
      {"T20,X5,CPH=A", "Invalid phase :  A"},
      {"T20,X5,CPH=45", "PH is given to harmonic loads (FRE) only :  PH=45"},
      {"T20,X5,CFACY=2", "FACY is given to a spectrum named on the same line (SPECY) only :  FACY=2"},
      {"T20,X5,CSPECX=ABCDEFGHIJABCDEFGHIJABCDEFGHIJABC",
       "Spectrum name should be <= 31 characters :  SPECX=ABCDEFGHIJABCDEFGHIJABCDEFGHIJABC"},
      {"T20,X5,CFACY=-1", "Invalid y spectrum factor :  -1"},
      {"T20,X5,CFACZ=Z", "Invalid z spectrum factor :  Z"},
      {"T20,X5,KA,CFOR(1,0,0)", "Only one data item per line is allowed\nUse Location (L) for additional items"},
      {"T20,X5,CFY,FORX=1", "Only one data item per line is allowed\nUse Location (L) for additional items"},
      {"T20,X5,CFY,FRE=2", "Only one data item per line is allowed\nUse Location (L) for additional items"},
  };
  for (const auto& [line, message] : refusals) EXPECT_EQ(Refused(line), Expected(line, message)) << line;
  const std::string empty = Refused("T20,X5,CSPECX=");
  EXPECT_EQ(empty.substr(0, empty.find('\n') + 1), "Line = 12 :  T20,X5,CSPECX=\n");
  EXPECT_NE(empty.find("Invalid spectrum name"), std::string::npos);
}

}  // namespace
