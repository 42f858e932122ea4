// What the batch file writer used to lose on the way out and back in: the
// reference temperature (AMB), the spectrum assignment through the model
// file written beside the batch file, the digits an SI value needs to read
// back as itself (219.075 mm, a short bend's radius), a negative friction
// that the reader would refuse, and a model of 7000 rows whose items go on
// lines of their own; 0 F in SI, section words, what reads back otherwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "elements/Bellows.h"
#include "elements/Bend.h"
#include "elements/CommentData.h"
#include "elements/ConcentratedMass.h"
#include "elements/ElasticElement.h"
#include "elements/Flange.h"
#include "elements/HingeJoint.h"
#include "elements/JacketedBend.h"
#include "elements/JacketedPipe.h"
#include "elements/Reducer.h"
#include "elements/RigidElement.h"
#include "files/BatchAllFieldsModel.h"
#include "files/BatchExport.h"
#include "files/BatchExportChecks.h"
#include "files/BatchExportFields.h"
#include "files/BatchImport.h"
#include "files/BatchTesting.h"
#include "files/ModelFile.h"
#include "model/MakeModel.h"
#include "model/RowObjects.h"
#include "records/BeamMaterial.h"
#include "records/Compressor.h"
#include "records/Material.h"
#include "records/Pump.h"
#include "services/NumberText.h"
#include "supports/Anchor.h"
#include "supports/Guide.h"
#include "supports/LimitStop.h"
#include "supports/Nozzle.h"
#include "supports/Restraint.h"
#include "supports/SkewedRestraint.h"

namespace {

#define HEAD                                                                                      \
  "Round trips\nOPTIONS\nB313\nMATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nPIPE\nS1,8.625,0.322\n" \
  "LAYOUT\n"

constexpr BatchExportUnits kEverySet[] = {BatchExportUnits::English, BatchExportUnits::Inch, BatchExportUnits::Si};

class BatchExportRoundTripTest : public BatchFixture {
 protected:
  static std::string Export(const Model& model, BatchExportUnits units, std::vector<std::string>* leftOut = nullptr) {
    std::vector<std::string> list;
    const std::string text = WriteModelBatchText(model, units, list);
    if (leftOut != nullptr) *leftOut = list;
    return text;
  }

  // Exports `model`, imports the text into `again` and exports that again:
  // the two texts must be the same.
  static std::string RoundTrip(const Model& model, BatchExportUnits units, Model& again) {
    const std::string first = Export(model, units);
    EXPECT_EQ(Import(first, again), "") << first;
    EXPECT_EQ(Export(again, units), first);
    return first;
  }
};

bool HasText(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(BatchExportRoundTripTest, TheReferenceTemperatureGoesOutAndComesBack) {
  Model model;
  ASSERT_EQ(Import(HEAD "F10,KA,MA1,PS1,CAMB=60\nT20,X10\n", model), "");
  ASSERT_EQ(model.options.ReferenceTemperature, 60.0f);
  for (const BatchExportUnits units : kEverySet) {
    SCOPED_TRACE(static_cast<int>(units));
    Model again;
    const std::string text = RoundTrip(model, units, again);
    // 60 F is 15.5556 C: the SI text carries what reads back as 60 F.
    EXPECT_TRUE(HasText(text, units == BatchExportUnits::Si ? ",CAMB=15.5" : ",CAMB=60")) << text;
    EXPECT_EQ(again.options.ReferenceTemperature, 60.0f);
  }
}

// SPECX and FACX give the model's spectrum load, whose spectrum the model
// does not hold yet: the model file written beside the batch file keeps it.
TEST_F(BatchExportRoundTripTest, TheSpectrumAssignmentOfABatchFileSurvivesItsModelFile) {
  Model model;
  ASSERT_EQ(Import(HEAD "F10,KA,MA1,PS1,CSPECX=SITE-EW,FACX=0.5,SPECY=SITE-V\nT20,X10\n", model), "");
  const std::string path = ::testing::TempDir() + "/spectrum-assignment.mod";
  ASSERT_EQ(WriteModelFileFrom(model, path), "");
  Model read;
  ReadModelFileInto(path, read);
  std::filesystem::remove(path);
  EXPECT_EQ(read.spectrumLoad.name[0], "SITE-EW");
  EXPECT_EQ(read.spectrumLoad.factor[0], 0.5f);
  EXPECT_EQ(read.spectrumLoad.name[1], "SITE-V");
  EXPECT_EQ(read.spectrumLoad.factor[1], 1.0f);
  EXPECT_EQ(read.spectrumLoad.name[2], "");
  EXPECT_EQ(read.spectra.size(), 1u);  // the spare row alone: no spectrum was made up
}

// 8.625 in is 219.075 mm: written as 219.07 it read back as 8.62480 in, and
// a short bend's radius (its section's outside diameter) with it. Every SI
// value now reads back as the same float, and English and inch files keep
// their texts.
TEST_F(BatchExportRoundTripTest, SiValuesKeepTheDigitsTheyNeedToReadBackAsThemselves) {
  Model model;
  ASSERT_EQ(Import("Digits\nOPTIONS\nB313,SI\nMATERIAL\nA1,7833.4,0.3\nA1,21.1,203395,1.17E-5,137.9\n"
                   "PIPE\nS1,219.075,8.179,1.5875,12.5,128.15,50.8\nLOADS\nL1,204.44,13.79,1\n"
                   "LAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X3048\nT30,KI,B219.075,Y1524.7\nT40,Z2000\n"
                   "T50,X1000,JR,CWGT=36.287\nT60,X500,CCWGT=12.345,OFFSET(0,152.4,0)\n",
                   model),
            "");
  const float od = model.sections[1].outsideDiameter;
  EXPECT_NEAR(od, 8.625f, 1e-5f);
  for (const BatchExportUnits units : kEverySet) {
    SCOPED_TRACE(static_cast<int>(units));
    Model again;
    const std::string text = RoundTrip(model, units, again);
    if (units == BatchExportUnits::Si) {
      EXPECT_TRUE(HasText(text, "S1,219.075,")) << text;
    }
    EXPECT_EQ(again.sections[1].outsideDiameter, od);
    EXPECT_EQ(again.sections[1].thickness, model.sections[1].thickness);
    EXPECT_EQ(again.sections[1].corrosionAllowance, model.sections[1].corrosionAllowance);
    EXPECT_EQ(again.sections[1].insulationDensity, model.sections[1].insulationDensity);
    EXPECT_EQ(again.materials[1].density, model.materials[1].density);
    EXPECT_EQ(again.materials[1].temps[1].values[kMatModulus], model.materials[1].temps[1].values[kMatModulus]);
    EXPECT_EQ(again.pipeLoads[1].operating[0].temperature, model.pipeLoads[1].operating[0].temperature);
    EXPECT_EQ(again.pipeLoads[1].operating[0].pressure, model.pipeLoads[1].operating[0].pressure);
    const auto& bend = dynamic_cast<const Bend&>(*again.row(4).element);
    EXPECT_EQ(bend.radiusType, kBendRadiusShort);
    EXPECT_EQ(bend.radius, dynamic_cast<const Bend&>(*model.row(4).element).radius);
    EXPECT_EQ(dynamic_cast<const RigidElement&>(*again.row(6).element).weight,
              dynamic_cast<const RigidElement&>(*model.row(6).element).weight);
  }
  // The English file keeps the texts it always had for values typed in it.
  Model english;
  ASSERT_EQ(Import(HEAD "F10,KA,MA1,PS1\nT20,X10,JR,CWGT=250\n", english), "");
  const std::string text = Export(english, BatchExportUnits::English);
  EXPECT_TRUE(HasText(text, "\nS1,8.625,0.322,")) << text;
  EXPECT_TRUE(HasText(text, ",JR,") && HasText(text, "WGT=250")) << text;
}

// A guide or limit stop whose friction is below 0 (files of older versions
// hold them) goes out with no friction, which the reader reads back as none;
// the list of what was left out says so.
TEST_F(BatchExportRoundTripTest, ANegativeFrictionIsNotWritten) {
  Model model;
  ASSERT_EQ(Import(HEAD "F10,KA,MA1,PS1\nT20,X10,CG,MU=0.3\nT30,X10,CLS(-1,1),DV(0,1,0),MU=0.2\n", model), "");
  dynamic_cast<Guide&>(*model.row(3).item).frictionCoefficient = -0.3f;
  dynamic_cast<LimitStop&>(*model.row(4).item).frictionCoefficient = -0.25f;
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::English, &leftOut);
  EXPECT_FALSE(HasText(text, "MU=")) << text;
  EXPECT_EQ(leftOut, (std::vector<std::string>{
                         "Row 3: the negative friction coefficient was not written; it reads back as no friction",
                         "Row 4: the negative friction coefficient was not written; it reads back as no friction"}));
  Model again;
  ASSERT_EQ(Import(text, again), "") << text;
  EXPECT_EQ(dynamic_cast<const Guide&>(*again.row(3).item).frictionCoefficient, 0.0f);
  EXPECT_EQ(dynamic_cast<const LimitStop&>(*again.row(4).item).frictionCoefficient, 0.0f);
}

// A skewed restraint of stiffness 0 is not written (the reader refuses K=0).
TEST_F(BatchExportRoundTripTest, ASkewedRestraintWithoutStiffnessIsListedNotWritten) {
  Model model;
  ASSERT_EQ(Import(HEAD "F10,KA,MA1,PS1\nT20,X10,CK=1000,DV(1,0,0)\n", model), "");
  dynamic_cast<SkewedRestraint&>(*model.row(3).item).stiffness = 0.0f;
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::English, &leftOut);
  EXPECT_FALSE(HasText(text, "K=0")) << text;
  ASSERT_EQ(leftOut.size(), 1u);
  EXPECT_EQ(leftOut[0],
            "Row 3: the skewed restraint has no stiffness, which the batch file refuses; it was not written");
  Model again;
  EXPECT_EQ(Import(text, again), "") << text;
}

// Every row kind whose item goes on a Location line of its own, then pipes
// up to the 7000 rows a model holds: the model reads back from its own
// export with its 7000 rows, each item on its own row.
TEST_F(BatchExportRoundTripTest, ASevenThousandRowModelReadsBackFromItsOwnExport) {
  Model model;
  ASSERT_EQ(Import(HEAD "F10,KA,MA1,PS1\nT20,X10\nT30,KH,CHS=1000,DV(0,0,1),WGT=20\nT40,X5,JR,CWGT=250\n"
                        "T50,X5,JV,CVWGT=100,AWGT=50,OFFSET(0,6,0)\nT60,JL,CTRAK(1000,2000,3000)\nT70,X5\n",
                   model),
            "");
  ASSERT_EQ(model.rowCount, 8);
  auto put = [&model](int number, DataType type) -> DataItem& {
    LayoutRow& row = model.row(number);
    row.dataType = type;
    row.item = CreateDataItem(type);
    return *row.item;
  };
  dynamic_cast<Anchor&>(put(4, DataType::Anchor)).stiffness[1] = 500.0f;  // on the hinge
  auto& flange = dynamic_cast<Flange&>(put(5, DataType::Flange));         // on the rigid element
  flange.type = 3;
  flange.weight = 80.0f;
  auto& mass = dynamic_cast<ConcentratedMass&>(put(6, DataType::ConcentratedMass));  // on the valve
  mass.weight = 100.0f;
  mass.dy = 3.0f;
  dynamic_cast<Anchor&>(put(7, DataType::Anchor)).stiffness[0] = 400.0f;  // on the elastic element
  dynamic_cast<Restraint&>(put(8, DataType::Restraint)).restrainY = 1;
  for (int number = model.rowCount + 1; number <= kMaxLayoutRows; ++number) {
    LayoutRow& row = model.row(number);
    row.node = static_cast<NodeId>(10 * number);
    row.elementType = ElementType::Pipe;
    row.element = CreateElementData(ElementType::Pipe);
    row.dx = 12.0f;
    row.material = "A1";
    row.section = "S1";
  }
  model.rowCount = kMaxLayoutRows;
  for (const BatchExportUnits units : {BatchExportUnits::English, BatchExportUnits::Si}) {
    SCOPED_TRACE(static_cast<int>(units));
    Model again;
    const std::string text = RoundTrip(model, units, again);
    ASSERT_EQ(again.rowCount, kMaxLayoutRows);
    for (int number = 1; number <= 8; ++number) {
      SCOPED_TRACE(number);
      EXPECT_EQ(again.row(number).elementType, model.row(number).elementType);
      EXPECT_EQ(again.row(number).dataType, model.row(number).dataType);
    }
    // Within the float's last digits: a lb/in value that no N/mm text
    // divides back to exactly comes back as its nearest neighbour.
    EXPECT_FLOAT_EQ(dynamic_cast<const Anchor&>(*again.row(4).item).stiffness[1], 500.0f);
    EXPECT_FLOAT_EQ(dynamic_cast<const HingeJoint&>(*again.row(4).element).weight, 20.0f);
    EXPECT_FLOAT_EQ(dynamic_cast<const Flange&>(*again.row(5).item).weight, 80.0f);
    EXPECT_FLOAT_EQ(dynamic_cast<const RigidElement&>(*again.row(5).element).weight, 250.0f);
    EXPECT_FLOAT_EQ(dynamic_cast<const ConcentratedMass&>(*again.row(6).item).weight, 100.0f);
    EXPECT_FLOAT_EQ(dynamic_cast<const Anchor&>(*again.row(7).item).stiffness[0], 400.0f);
    EXPECT_EQ(again.row(kMaxLayoutRows).node, model.row(kMaxLayoutRows).node);
  }
}

// The sample model's third operating temperature is 20 F, colder than the
// 70 F a pair not written takes: its export, in every unit set, reads back
// with its three thermal loads and its ten load cases, and lists nothing
// of its pipe loads as left out.
TEST_F(BatchExportRoundTripTest, TheSampleModelKeepsItsColdThermalLoadAndItsLoadCases) {
  Model big;
  ReadModelFileInto(std::string(QUORVEL_SOURCE_DIR) + "/examples/BigModel.mod", big);
  ASSERT_EQ(big.options.ThermalLoadCount, 3);
  ASSERT_EQ(big.loadCases.count, 10);
  const std::vector<std::int32_t> cases(big.loadCases.cases.begin() + 1, big.loadCases.cases.begin() + 11);
  for (const BatchExportUnits units : kEverySet) {
    std::vector<std::string> leftOut;
    const std::string text = Export(big, units, &leftOut);
    std::erase_if(leftOut, [](const std::string& entry) { return HasText(entry, ": its design temperature and"); });
    for (const std::string& entry : leftOut)
      EXPECT_TRUE(entry.rfind("Load ", 0) != 0 && entry.rfind("Pipe loads", 0) != 0) << entry;
    Model again;
    ASSERT_EQ(Import(text, again), "") << text;
    EXPECT_EQ(again.options.ThermalLoadCount, 3);
    ASSERT_EQ(again.loadCases.count, 10);
    EXPECT_EQ(std::vector<std::int32_t>(again.loadCases.cases.begin() + 1, again.loadCases.cases.begin() + 11), cases);
  }
}

// A pair not in use is left empty, whatever temperature the load still
// holds for it; written, any temperature but 0 and 70 F would put it in use.
// A pair in use whose temperature is 70 F in every load cannot be told from
// one not written: the export lists it.
TEST_F(BatchExportRoundTripTest, PipeLoadPairsNotInUseAreLeftEmptyAndOneThatReadsAsNoneIsListed) {
  Model one;
  ASSERT_EQ(Import("Loads\nOPTIONS\nB313\nLOADS\nL1,300,150,1\nL2,200,100,0,,,,,6\n", one), "");
  ASSERT_EQ(one.options.ThermalLoadCount, 1);
  one.pipeLoads[1].operating[1] = {500.0f, 100.0f};  // left from when it had two
  std::vector<std::string> leftOut;
  const std::string text = Export(one, BatchExportUnits::English, &leftOut);
  EXPECT_TRUE(HasText(text, "\nL1,300,150,1.0\nL2,200,100,0,,,,,6\n")) << text;
  // The pair the load still holds is what does not come back.
  EXPECT_EQ(leftOut, (std::vector<std::string>{
                         "Load L1: its T2, 500 F, was not written (the batch file does not carry it); it reads back as "
                         "70 F",
                         "Load L1: its P2, 100 psi, was not written (the batch file does not carry it); it reads back "
                         "as 0 psi"}));
  Model again;
  ASSERT_EQ(Import(text, again), "") << text;
  EXPECT_EQ(again.options.ThermalLoadCount, 1);

  Model two;
  ASSERT_EQ(Import("Loads\nOPTIONS\nB313\nLOADS\nL1,300,150,1,-20,75\n", two), "");
  ASSERT_EQ(two.options.ThermalLoadCount, 2);
  const std::string cold = Export(two, BatchExportUnits::English);
  EXPECT_TRUE(HasText(cold, "\nL1,300,150,1.0,-20,75.0\n")) << cold;
  two.pipeLoads[1].operating[1].temperature = 70.0f;
  Export(two, BatchExportUnits::English, &leftOut);
  // The load-case list rebuilt from one thermal load lacks the second's
  // cases; the thermal-load count is not named twice.
  EXPECT_EQ(leftOut, (std::vector<std::string>{"Pipe loads: T2 is 70 F or 0 in every load, which the file reads as no "
                                               "temperature: it reads back with 1 thermal load in use instead of 2",
                                               "Load cases: the load-case list was not written (the batch file does "
                                               "not carry it); the import rebuilds it without Operating (W+P2+T2), "
                                               "Expansion (T2), Expansion (T1-T2)"}));
  // No load at all to carry a temperature: the count is named on its own.
  Model bare;
  bare.options.ThermalLoadCount = 2;
  Export(bare, BatchExportUnits::English, &leftOut);
  EXPECT_TRUE(std::find(leftOut.begin(), leftOut.end(),
                        "Analysis options: the number of thermal loads, 2, is carried only by the loads' "
                        "temperatures; it reads back as 1") != leftOut.end());
}

// 0 F (1e-36) is -17.777778 C, once written empty in SI and read as none;
// a ground level of 1e-36 and a bend's intermediate node 29A once refused.
TEST_F(BatchExportRoundTripTest, ZeroFahrenheitAndOldModelValuesReadBack) {
  Model model, si;
  ASSERT_EQ(Import("t\nOPTIONS\nB311\nMATERIAL\nA1,0.283\nA1,0,29.5E6,6.07E-6,20000\nSOILS\nS1,1,120.96,0,10\n"
                   "LOADS\nL1,0,150\nLAYOUT\nF10,KA,MA1,CL=L1,AMB=0\nT20,X10\nT30,KI,X5\nT40,Z-8\n",
                   model),
            "");
  model.soils[1].groundLevel = kExplicitZero;
  auto& bend = dynamic_cast<Bend&>(*model.row(4).element);
  bend.intermediateNode1 = 100029;
  bend.angle1 = 0.5f;
  for (const BatchExportUnits units : kEverySet) {
    std::vector<std::string> leftOut;
    const std::string text = Export(model, units, &leftOut);
    Model again;
    ASSERT_EQ(Import(text, again), "") << text;
    EXPECT_EQ(ApartFromUnits(leftOut),
              std::vector<std::string>{"Row 4: the bend's intermediate node 29A is a derived node, which the "
                                       "batch file refuses; it was not written"});
    for (const float read : {again.options.ReferenceTemperature, again.materials[1].temps[1].values[kMatTemperature],
                             again.pipeLoads[1].operating[0].temperature})
      EXPECT_EQ(read, kExplicitZero) << text;
    EXPECT_EQ(again.soils[1].groundLevel, 0.0f) << text;
  }
  ASSERT_EQ(Import("t\nOPTIONS\nB311,SI\nLOADS\nL1,204.44,10,1,-17.7777778,10\n", si), "");
  EXPECT_EQ(si.pipeLoads[1].operating[1].temperature, kExplicitZero);
}

// A title or pump name that begins with a section word is written after a
// ' and named, a record named by one is written under a name that reads
// back; a title cut to 48 characters and names read in capitals are named
// too.
TEST_F(BatchExportRoundTripTest, TextsThatBeginWithASectionWordAreMarkedAndNamed) {
  Model model, again;
  ASSERT_EQ(Import(HEAD "F10,KA,MA1,PS1\nT20,X10,KA\nPUMPS\nP1,1,10\nP2,1,10\nP3,1,10\nP4,1,10\nP5,1,10\nP6,1,10\n"
                        "P7,1,10\n",
                   model),
            "");
  const std::pair<std::string, std::string> pumps[] = {{"Layout A", "'LAYOUT A"},   {"Pipe booster", "'PIPE BOOSTER"},
                                                       {"Wind pump", "'WIND PUMP"}, {"Loads pump", "'LOADS PUMP"},
                                                       {"Soils 2", "'SOILS 2"},     {"Cod pump", "'COD PUMP"},
                                                       {"Booster", "BOOSTER"}};
  for (int i = 1; i <= 7; ++i) model.pumps[i].name = pumps[i - 1].first;
  model.beamMaterials[AppendBeamMaterial(model.beamMaterials, {})].name = "WIND";
  model.title = "Options study of the rack from unit 3 to tank T-2";
  std::vector<std::string> leftOut;
  const std::string text = Export(model, BatchExportUnits::Si, &leftOut);
  ASSERT_EQ(Import(text, again), "") << text;
  ASSERT_EQ(again.pumps.count, 7);
  for (int i = 1; i <= 7; ++i) {
    EXPECT_EQ(again.pumps[i].name, pumps[i - 1].second);
    EXPECT_EQ(leftOut.at(static_cast<std::size_t>(i + 1)).rfind("Pump " + pumps[i - 1].first + ": its name ", 0), 0u);
  }
  EXPECT_EQ(again.title, "'Options study of the rack from unit 3 to tank T");
  EXPECT_EQ(leftOut[0],
            "Title: it begins with OPTIONS, which the batch file reads as a section header, so it "
            "was written with a ' before it; it has 50 characters, of which the batch file keeps 48; "
            "it reads back as \"'Options study of the rack from unit 3 to tank T\"");
  EXPECT_EQ(leftOut[1],
            "Beam material WIND: its name is a section word of the batch file, which reads its line as "
            "a header; it was written as WIND1, and so are the rows that name it");
  ASSERT_EQ(again.beamMaterials.count, 1);
  EXPECT_EQ(again.beamMaterials[1].name, "WIND1");
}

}  // namespace

namespace {

#define THREE_ROWS                                                                                         \
  "Three rows\nOPTIONS\nB313\nMATERIAL\nCS,0.283\nCS,70,29.5E6,6.07E-6,20000\nPIPE\nS4,4.5,0.237\nLOADS\n" \
  "L1,300,0\nLAYOUT\nF10,KA,MCS,PS4,CL=L1\nT20,X100\nT30,Y100,KA\n"

bool Listed(const std::vector<std::string>& list, const std::string& start) {
  return std::any_of(list.begin(), list.end(), [&start](const std::string& line) { return line.rfind(start, 0) == 0; });
}

// Exports `model` in `units` and reads the file back into `again`; the list
// of what was left out.
std::vector<std::string> ExportAndRead(const Model& model, BatchExportUnits units, Model& again) {
  std::vector<std::string> leftOut;
  const std::string text = WriteModelBatchText(model, units, leftOut);
  std::istringstream input(text);
  std::vector<std::string> log;
  try {
    ReadModelBatchFile(input, again, log);
  } catch (const std::string& message) {
    ADD_FAILURE() << message << "\n" << text;
  }
  return leftOut;
}

// A pump, compressor or turbine named with the comma splitter's "," or its
// "(" read back as other fields, or not at all: each is written with ';'
// and '[' in their place and named, and every field after it reads back.
TEST_F(BatchExportRoundTripTest, NamesWithTheGrammarsCharactersAreWrittenSoThatTheyReadBack) {
  Model model;
  ASSERT_EQ(Import(THREE_ROWS, model), "");
  Pump pump;
  InitPumpRecord(pump);
  pump.name = "P,1";
  pump.vertical = 1;
  pump.suctionNode = 20;
  AppendPump(model.pumps, pump);
  RotatingEquipment machine;
  machine.description = "P,1";
  machine.shaftAxis = {1.0f, 0.0f, 0.0f};
  machine.inletNode = 10;
  AppendRotatingEquipment(model.compressors, machine);
  machine.description = "P(1";
  AppendRotatingEquipment(model.turbines, machine);
  for (const BatchExportUnits units : kEverySet) {
    SCOPED_TRACE(static_cast<int>(units));
    Model again;
    const std::vector<std::string> leftOut = ExportAndRead(model, units, again);
    ASSERT_EQ(again.pumps.count, 1);
    EXPECT_EQ(again.pumps[1].name, "P;1");
    EXPECT_EQ(again.pumps[1].suctionNode, 20);
    EXPECT_EQ(again.pumps[1].dischargeNode, 0);
    ASSERT_EQ(again.compressors.count, 1);
    EXPECT_EQ(again.compressors[1].description, "P;1");
    EXPECT_EQ(again.compressors[1].inletNode, 10);
    ASSERT_EQ(again.turbines.count, 1);
    EXPECT_EQ(again.turbines[1].description, "P[1");
    EXPECT_EQ(again.turbines[1].inletNode, 10);
    const char* kWritten = ": its name holds a character the batch file takes for the end or the start of a field";
    EXPECT_TRUE(Listed(leftOut, std::string("Pump P,1") + kWritten));
    EXPECT_TRUE(Listed(leftOut, "Compressor P,1: its description holds a character"));
    EXPECT_TRUE(Listed(leftOut, "Turbine P(1: its description holds a character"));
  }
}

// Names the reader takes in capitals: two materials of one name but for
// its case (written one after the other, or apart), and a lower-case
// material, section and load of their own. Each reads back as a record of
// its own, under a name that the rows that name it carry too.
TEST_F(BatchExportRoundTripTest, NamesThatDifferOnlyInCaseReadBackAsRecordsOfTheirOwn) {
  for (const bool apart : {false, true}) {
    SCOPED_TRACE(apart);
    Model model;
    ASSERT_EQ(Import(apart ? THREE_ROWS "MATERIAL\nX1,0.3\nX1,70,29E6,7E-6,20000\n" : THREE_ROWS, model), "");
    Material lower = model.materials[1];
    lower.name = "cs";
    lower.temps[1].values[kMatAlpha] = 3.0e-6f;  // half CS's
    AppendMaterial(model.materials, lower);
    model.row(4).material = "cs";
    Model again;
    const std::vector<std::string> leftOut = ExportAndRead(model, BatchExportUnits::English, again);
    const int record = FindRecordByName(again.materials, "CS1");
    ASSERT_NE(record, 0);
    EXPECT_EQ(again.materials[record].temps[1].values[kMatAlpha], 3.0e-6f);
    EXPECT_EQ(again.row(4).material, "CS1");
    EXPECT_EQ(again.row(3).material, "CS");
    EXPECT_TRUE(Listed(leftOut,
                       "Material cs: its name reads back as CS, the name of another material; it was "
                       "written as CS1, and so are the rows that name it"));
  }
  Model model;
  ASSERT_EQ(Import(THREE_ROWS, model), "");
  model.materials[1].name = "cs";
  model.sections[1].name = "s4";
  model.pipeLoads[1].name = "l1";
  for (int number = 2; number <= 4; ++number) {
    model.row(number).material = "cs";
    model.row(number).section = "s4";
    model.row(number).load = "l1";
  }
  Model again;
  const std::vector<std::string> leftOut = ExportAndRead(model, BatchExportUnits::English, again);
  EXPECT_EQ(leftOut,
            (std::vector<std::string>{"Material cs: its name reads back as CS: the batch file is read in capitals",
                                      "Pipe section s4: its name reads back as S4: the batch file is read in capitals",
                                      "Load l1: its name reads back as L1: the batch file is read in capitals"}));
  EXPECT_EQ(again.row(4).material, "CS");
  EXPECT_EQ(again.row(4).load, "L1");
}

// A new model's row 1 is "Title = " with an empty title: it comes back as
// row 1, every row in its place. A row-1 comment that is not the title's
// keeps its text, a row further on, and the list says so.
TEST_F(BatchExportRoundTripTest, AnEmptyTitleAndAnotherRowOneCommentKeepTheirRows) {
  Model model;
  ASSERT_EQ(Import(THREE_ROWS, model), "");
  model.title.clear();
  static_cast<CommentData&>(*model.row(1).element).SetText("Title = ");
  for (const BatchExportUnits units : kEverySet) {
    SCOPED_TRACE(static_cast<int>(units));
    Model again;
    EXPECT_EQ(ApartFromUnits(ExportAndRead(model, units, again)), std::vector<std::string>{});
    ASSERT_EQ(again.rowCount, 4);
    EXPECT_EQ(again.row(1).element->Text(), "Title = ");
    EXPECT_EQ(again.title, "");
    for (int number = 2; number <= 4; ++number) EXPECT_EQ(again.row(number).node, model.row(number).node);
  }
  Model comment;
  ASSERT_EQ(Import(THREE_ROWS, comment), "");
  static_cast<CommentData&>(*comment.row(1).element).SetText("Pump house");
  Model again;
  const std::vector<std::string> leftOut = ExportAndRead(comment, BatchExportUnits::English, again);
  EXPECT_EQ(leftOut, std::vector<std::string>{"Row 1: it reads back as row 2 (the rows after it move with it)"});
  ASSERT_EQ(again.rowCount, 5);
  EXPECT_EQ(again.row(1).element->Text(), "Title = Three rows");
  EXPECT_EQ(again.row(2).element->Text(), "Pump house");
  EXPECT_EQ(again.row(5).node, 30);
}

// A vertical pump's line holds its nozzle nodes only: its centre, and the
// shaft axis and nozzle locations a converted older model gives it, are
// named with what they read back as.
TEST_F(BatchExportRoundTripTest, AVerticalPumpsCentreAxisAndLocationsAreNamed) {
  Model model;
  ASSERT_EQ(Import(THREE_ROWS "PUMPS\nP1,1,20,30\n", model), "");
  Pump& pump = model.pumps[1];
  pump.centre = {120.0f, 240.0f, 36.0f};
  pump.shaftAxis = {0.0f, 1.0f, 0.0f};
  pump.suctionLocation = kNozzleEnd;
  pump.dischargeLocation = kNozzleSide;
  Model again;
  const std::vector<std::string> leftOut = ExportAndRead(model, BatchExportUnits::Inch, again);
  EXPECT_EQ(ApartFromUnits(leftOut),
            (std::vector<std::string>{
                "Pump P1: its suction location, 2, was not written (the batch file does not carry it); it reads "
                "back as 0",
                "Pump P1: its discharge location, 1, was not written (the batch file does not carry it); it reads "
                "back as 0",
                "Pump P1: its shaft axis Y, 1, was not written (the batch file does not carry it); it reads back as 0",
                "Pump P1: its centre X, 120 inch, was not written (the batch file does not carry it); it reads back as "
                "0 inch",
                "Pump P1: its centre Y, 240 inch, was not written (the batch file does not carry it); it reads back as "
                "0 inch",
                "Pump P1: its centre Z, 36 inch, was not written (the batch file does not carry it); it reads back as "
                "0 inch"}));
  EXPECT_EQ(again.pumps[1].suctionNode, 20);
  EXPECT_EQ(again.pumps[1].dischargeNode, 30);
}

// A material, section or load named by a section word (PIPE, COD, ...)
// would make its line a header and the rows that name it refused: each is
// written under a name that reads back, which the rows name too, and the
// list says which.
TEST_F(BatchExportRoundTripTest, RecordsNamedWithASectionWordAreWrittenUnderANameThatReadsBack) {
  Model model;
  ASSERT_EQ(Import(THREE_ROWS "MATERIAL\nM2,0.3\nM2,70,29E6,7E-6,20000\nPIPE\nS5,2.375,0.154\nS6,6.625,0.28\n"
                              "LOADS\nL2,200,10\nL3,150,20\nL4,100,30\n",
                   model),
            "");
  model.materials[1].name = "PIPE";
  model.materials[2].name = "WIND";
  model.sections[2].name = "COD";
  model.sections[3].name = "PUMPS";
  model.pipeLoads[2].name = "JOINT";
  model.pipeLoads[3].name = "LOADS";
  model.pipeLoads[4].name = "ALLOW";
  for (int number = 2; number <= 4; ++number) model.row(number).material = "PIPE";
  model.row(3).section = "COD";
  model.row(4).section = "PUMPS";
  model.row(3).load = "JOINT";
  model.row(4).load = "ALLOW";
  for (const BatchExportUnits units : kEverySet) {
    SCOPED_TRACE(static_cast<int>(units));
    Model again;
    const std::vector<std::string> leftOut = ExportAndRead(model, units, again);
    ASSERT_EQ(again.materials.count, 2);
    ASSERT_EQ(again.rowCount, 4);
    EXPECT_EQ(again.materials[1].name, "PIPE1");
    EXPECT_EQ(again.materials[2].name, "WIND1");
    EXPECT_EQ(again.row(3).section, "COD1");
    EXPECT_EQ(again.row(4).section, "PUMP1");
    EXPECT_EQ(again.row(3).load, "JOIN1");
    EXPECT_EQ(again.row(4).load, "ALLO1");
    EXPECT_EQ(again.row(4).material, "PIPE1");
    EXPECT_EQ(FindRecordByName(again.pipeLoads, "LOAD1"), 3);
    for (const char* start :
         {"Material PIPE: its name is a section word of the batch file, which reads its line as "
          "a header; it was written as PIPE1, and so are the rows that name it",
          "Pipe section PUMPS: its name is a section word", "Load LOADS: its name is a section word"})
      EXPECT_TRUE(Listed(leftOut, start)) << start;
  }
}

// A material's strength, which the codes Z183 to Z662 take for the
// allowable, has no batch field: it is named in every unit set with what it
// reads back as.
TEST_F(BatchExportRoundTripTest, AMaterialsStrengthIsNamed) {
  Model model;
  ASSERT_EQ(Import("Strength\nOPTIONS\nZ183\nMATERIAL\nCS,0.283\nCS,70,29.5E6,6.07E-6,20000\nPIPE\nS4,4.5,0.237\n"
                   "LAYOUT\nF10,KA,MCS,PS4\nT20,X100\n",
                   model),
            "");
  model.materials[1].strength = 52000.0f;
  for (const BatchExportUnits units : kEverySet) {
    SCOPED_TRACE(static_cast<int>(units));
    Model again;
    const std::vector<std::string> leftOut = ApartFromUnits(ExportAndRead(model, units, again));
    ASSERT_EQ(leftOut.size(), 1u);
    // 52000 psi is 358.53 MPa.
    const bool si = units == BatchExportUnits::Si;
    EXPECT_TRUE(Listed(leftOut, si ? "Material CS: its strength, 358.5" : "Material CS: its strength, 52000 psi,"));
    EXPECT_TRUE(HasText(leftOut[0], si ? " MPa, was not written (the batch file does not carry it); it reads back as "
                                         "0 MPa"
                                       : "was not written (the batch file does not carry it); it reads back as 0 psi"));
  }
}

// A fibre-reinforced plastic keeps a Poisson's ratio of 0.5 and more on its
// way out and back.
TEST_F(BatchExportRoundTripTest, AnFrpMaterialsRatioGoesOutAndComesBack) {
  Model model;
  ASSERT_EQ(Import(HEAD "F10,KA,MA1,PS1\nT20,X10\n", model), "");
  SetMaterialType(model.materials[1], "FR");
  model.materials[1].nu = 0.6f;
  Model again;
  EXPECT_TRUE(HasText(RoundTrip(model, BatchExportUnits::English, again), "A1,0.283,0.600,1.00,1.00,FR"));
  EXPECT_EQ(again.materials[1].nu, 0.6f);
  EXPECT_EQ(again.materials[1].type, "FR");
}

// A reducer's knuckles flag and knuckle dimension, which the Swedish and
// Norwegian codes take for its SIF, have no batch keyword: both are named.
TEST_F(BatchExportRoundTripTest, AReducersKnucklesAreNamed) {
  Model model;
  ASSERT_EQ(
      Import("Knuckles\nOPTIONS\nNORWEGIAN-83\nMATERIAL\nCS,0.283\nCS,70,29.5E6,6.07E-6,20000\nPIPE\n"
             "S4,4.5,0.237\nLAYOUT\nF10,KA,MCS,PS4\nT20,X100\nT30,JD,X10,COD1=4.5,THK1=0.237,OD2=2.375,THK2=0.154\n",
             model),
      "");
  auto& reducer = dynamic_cast<Reducer&>(*model.row(4).element);
  reducer.knuckles = 1;
  reducer.delta = 0.5f;
  Model again;
  EXPECT_EQ(
      ExportAndRead(model, BatchExportUnits::English, again),
      (std::vector<std::string>{
          "Row 4: its knuckles flag, on, was not written (the batch file does not carry it); it reads back as off",
          "Row 4: its knuckle dimension, 0.5 inch, was not written (the batch file does not carry it); it reads "
          "back as 0 inch"}));
}

// Beam material and beam section descriptions are named; beam loads take
// the reference temperature that AMB gives later in the file for the
// temperatures their line does not give.
TEST_F(BatchExportRoundTripTest, BeamDescriptionsAndBeamLoadTemperaturesComeBackOrAreNamed) {
  Model model;
  ASSERT_EQ(Import("Beams\nOPTIONS\nB313\nBMATERIALS\nBM1,29E6,0.3,0.283,6.5E-6\nBSECTIONS\nW8,10,100,30\n"
                   "BLOADS\nBL1,300\nBL2,300,200,100,10\nLAYOUT\nF10,CAMB=60\nT20,JM,X100,CMAT=BM1,SEC=W8,LOAD=BL1\n",
                   model),
            "");
  ASSERT_EQ(model.options.ReferenceTemperature, 60.0f);
  for (int t = 1; t < 10; ++t) EXPECT_EQ(model.beamLoads[1].temperature[static_cast<std::size_t>(t)], 60.0f) << t;
  for (int t = 3; t < 10; ++t) EXPECT_EQ(model.beamLoads[2].temperature[static_cast<std::size_t>(t)], 60.0f) << t;
  model.beamMaterials[1].description = "ROLLED";
  model.beamSections[1].description = "WIDE FLANGE";
  Model again;
  EXPECT_EQ(ExportAndRead(model, BatchExportUnits::English, again),
            (std::vector<std::string>{"Beam material BM1: its description, \"ROLLED\", was not written (the batch file "
                                      "does not carry it); it reads back as \"\"",
                                      "Beam section W8: its description, \"WIDE FLANGE\", was not written (the batch "
                                      "file does not carry it); it reads back as \"\""}));
  EXPECT_EQ(again.beamLoads[1].temperature[9], 60.0f);
}

// Values no text of their own reads back as: a bellows' thrust area too
// small for any text is written 0, never as the empty text of no area; a
// load's T1 not given is written as 0 F, a row's offset held as the typed
// zero as 0, and a pressure too small for its decimals takes the exponent
// form; each file reads back.
TEST_F(BatchExportRoundTripTest, ValuesWithoutATextOfTheirOwnStillReadBack) {
  Model model;
  ASSERT_EQ(Import(THREE_ROWS "T40,JE,X10,CES(1000,1000,1000)\nBSECTIONS\nW8,10,100,30\n", model), "");
  dynamic_cast<Bellows&>(*model.row(5).element).pressureThrustArea = 1.0e-44f;
  model.beamSections[1].A = 1.0e-44f;
  model.pipeLoads[1].operating[0].temperature = 0.0f;
  model.pipeLoads[1].operating[0].pressure = 1.0e-20f;
  model.row(3).dy = kExplicitZero;
  for (const BatchExportUnits units : kEverySet) {
    SCOPED_TRACE(static_cast<int>(units));
    Model again;
    std::vector<std::string> leftOut;
    EXPECT_TRUE(HasText(WriteModelBatchText(model, units, leftOut), ",TA=0\n"));
    ExportAndRead(model, units, again);
    ASSERT_EQ(again.beamSections.count, 1);
    EXPECT_EQ(again.beamSections[1].A, 0.0f);
    EXPECT_EQ(again.pipeLoads[1].operating[0].temperature, kExplicitZero);
    EXPECT_NEAR(again.pipeLoads[1].operating[0].pressure, 1.0e-20f, 1.0e-26f);
    EXPECT_EQ(again.row(3).dy, 0.0f);
  }
}

// Text files are UTF-8: the export writes "é" as its two UTF-8 bytes, the
// import takes them as the program's one character, and a line written
// byte for byte (an older export) as it stands; a character the program
// has no code for is read as '?' and logged. Every cut is on whole
// characters: a title of 48, a marked pump name of 15.
TEST_F(BatchExportRoundTripTest, TextsGoOutAndComeInAsUtf8CutOnWholeCharacters) {
  Model model;
  ASSERT_EQ(Import(THREE_ROWS "PUMPS\nP1,1,20\n", model), "");
  model.title = std::string(44, 'T') + "Caf\xE9";
  static_cast<CommentData&>(*model.row(1).element).SetText("Title = " + model.title);
  model.pumps[1].name = "Wind \xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9";
  const std::string path = ::testing::TempDir() + "/utf8.mbf";
  std::vector<std::string> leftOut;
  ASSERT_EQ(WriteModelBatchFile(model, path, leftOut), "");
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  EXPECT_EQ(bytes.substr(0, 44 + 5 + 2), std::string(44, 'T') + "Caf\xC3\xA9\n\n") << bytes;
  EXPECT_TRUE(HasText(bytes, "\n'Wind \xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9,1,20\n"))
      << bytes;
  Model again;
  ASSERT_EQ(Import(bytes, again), "");
  EXPECT_EQ(again.title, model.title);
  EXPECT_EQ(again.pumps[1].name, "'WIND \xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9");

  Model cut, old, lacking;
  std::vector<std::string> log;
  ASSERT_EQ(Import(std::string(47, 'T') + "\xC3\xA9X\nOPTIONS\n", cut, &log), "");
  EXPECT_EQ(cut.title, std::string(47, 'T') + "\xE9");
  EXPECT_EQ(log, std::vector<std::string>{"Line 1: Title cut to 48 characters"});
  ASSERT_EQ(Import("Caf\xE9\nOPTIONS\n", old), "");
  EXPECT_EQ(old.title, "Caf\xE9");
  ASSERT_EQ(Import("\xE4\xB8\xAD pipe\nOPTIONS\n", lacking, &log), "");
  EXPECT_EQ(lacking.title, "? pipe");
  EXPECT_EQ(log, std::vector<std::string>{"Line 1: 1 character that Windows-1252 lacks read as ?"});
}

// --- Every field ----------------------------------------------------------------

// Whether a value is the one a new record holds (a value the new record has
// no field for counts as new when it is zero or empty).
bool IsNewValue(const RecordField& field, const RecordField* fresh) {
  if (fresh != nullptr) return SameFieldValue(field, fresh->value);
  const BinaryFileValue& v = field.value;
  return v.integer == 0 && v.real == 0.0f && v.bytes.find_first_not_of('\0') == std::string::npos && v.pairs.empty();
}

// Every field of `fields` (the records of one kind) that no record sets
// away from a new record's value.
std::vector<std::string> FieldsNeverSet(const std::vector<std::vector<RecordField>>& records,
                                        const std::vector<RecordField>& fresh) {
  std::vector<std::string> never;
  std::size_t widest = 0;
  for (const auto& fields : records) widest = std::max(widest, fields.size());
  for (std::size_t i = 0; i < widest; ++i) {
    bool set = false;
    std::string name;
    for (const auto& fields : records) {
      if (i >= fields.size()) continue;
      name = fields[i].name;
      set = set || fields[i].entry.show == FieldShow::kMade ||
            !IsNewValue(fields[i], i < fresh.size() ? &fresh[i] : nullptr);
    }
    if (!set) never.push_back(name);
  }
  return never;
}

// The all-fields model sets every field of every kind of record the model
// file stores, as its writer writes them, away from a new record's value.
void ExpectEveryFieldSet(const Model& model) {
  // A new model of no code: a code may force a field (B31.3 its axial
  // force) to the value the model sets.
  AnalysisOptions uncoded;
  uncoded.PipingCode = kCodeNone;
  Model fresh;
  InitEmptyModel(fresh, uncoded);
  EXPECT_EQ(FieldsNeverSet({OptionsFields(model)}, OptionsFields(fresh)), std::vector<std::string>{});
  EXPECT_EQ(FieldsNeverSet({QaBlockFields(model)}, QaBlockFields(fresh)), std::vector<std::string>{});
  EXPECT_EQ(FieldsNeverSet({RevisionFields(model)}, RevisionFields(fresh)), std::vector<std::string>{});
  auto table = [](const auto& records, auto fields, const auto& blank) {
    std::vector<std::vector<RecordField>> all;
    for (int i = 1; i <= records.count; ++i) all.push_back(fields(records[i]));
    return FieldsNeverSet(all, fields(blank));
  };
  Material material;
  PipeSection section;
  InitSection(section);
  PipeLoad load;
  InitPipeLoad(load, 70.0f);
  BeamMaterial beamMaterial;
  InitBeamMaterial(beamMaterial);
  BeamSection beamSection;
  InitBeamSection(beamSection);
  BeamLoad beamLoad;
  InitBeamLoad(beamLoad, 70.0f);
  Pump pump;
  InitPumpRecord(pump);
  const std::vector<std::string> none;
  EXPECT_EQ(table(model.materials, MaterialFields, material), none);
  EXPECT_EQ(table(model.sections, SectionFields, section), none);
  EXPECT_EQ(table(model.pipeLoads, PipeLoadFields, load), none);
  EXPECT_EQ(table(model.beamMaterials, BeamMaterialFields, beamMaterial), none);
  EXPECT_EQ(table(model.beamSections, BeamSectionFields, beamSection), none);
  EXPECT_EQ(table(model.beamLoads, BeamLoadFields, beamLoad), none);
  EXPECT_EQ(table(model.pumps, PumpFields, pump), none);
  EXPECT_EQ(table(model.compressors, RotatingEquipmentFields, RotatingEquipment{}), none);
  EXPECT_EQ(table(model.turbines, RotatingEquipmentFields, RotatingEquipment{}), none);
  EXPECT_EQ(table(model.soils, SoilFields, Soil{}), none);
  EXPECT_EQ(table(model.allowables, AllowableFields, Allowable{}), none);
  // Rows: their own fields in some row, each kind's element and item in the
  // row that has it.
  std::vector<std::vector<RecordField>> headers;
  for (int number = 1; number <= model.rowCount; ++number) {
    const LayoutRow& row = model.row(number);
    const std::vector<RecordField> fields = RowFields(row);
    headers.push_back(PartOf(fields, RowPart::kHeader));
    LayoutRow blank;
    blank.elementType = row.elementType;
    blank.element = CreateElementData(row.elementType);
    blank.dataType = row.dataType;
    if (row.dataType != DataType::None) blank.item = CreateDataItem(row.dataType);
    const std::vector<RecordField> blankFields = RowFields(blank);
    for (const RowPart part : {RowPart::kElement, RowPart::kItem})
      EXPECT_EQ(FieldsNeverSet({PartOf(fields, part)}, PartOf(blankFields, part)), none)
          << "row " << number << " part " << static_cast<int>(part);
  }
  EXPECT_EQ(FieldsNeverSet(headers, PartOf(RowFields(LayoutRow{}), RowPart::kHeader)), none);
}

// Every field of `held` that `read` does not give back but for a float's
// rounding, with no line of the list for its record.
std::vector<std::string> Unnamed(const std::vector<std::string>& leftOut, const std::string& where,
                                 const std::vector<RecordField>& held, const std::vector<RecordField>& read) {
  std::vector<std::string> unnamed;
  for (std::size_t i = 0; i < held.size() && i < read.size(); ++i)
    if (!SameFieldValue(held[i], read[i].value) && !Names(leftOut, where))
      unnamed.push_back(where + ": " + held[i].name);
  if (held.size() != read.size() && !Names(leftOut, where)) unnamed.push_back(where + ": its number of fields");
  return unnamed;
}

template <typename Record>
void CollectUnnamed(const std::vector<std::string>& leftOut, const char* kind, const ModelRecordTable<Record>& held,
                    const ModelRecordTable<Record>& read, std::vector<RecordField> (*fields)(const Record&),
                    std::string (*name)(const Record&), std::vector<std::string>& unnamed) {
  EXPECT_EQ(read.count, held.count) << kind;
  for (int i = 1; i <= held.count && i <= read.count; ++i)
    for (std::string& field :
         Unnamed(leftOut, std::string(kind) + " " + name(held[i]), fields(held[i]), fields(read[i])))
      unnamed.push_back(std::move(field));
}

// A model that sets every field of every record away from a new record's
// value, exported and read back in every unit set: every field that does
// not come back, but for a float's rounding, has a line in the list for its
// record, and every line names its field by name.
TEST_F(BatchExportRoundTripTest, EveryFieldOfEveryRecordComesBackOrIsNamed) {
  Model model;
  BuildAllFieldsModel(model);
  ASSERT_EQ(model.unmadeReason, "");
  ExpectEveryFieldSet(model);
  for (const BatchExportUnits units : kEverySet) {
    SCOPED_TRACE(static_cast<int>(units));
    std::vector<std::string> leftOut;
    const std::string text = WriteModelBatchText(model, units, leftOut);
    Model again;
    ASSERT_EQ(Import(text, again), "") << text;
    for (const std::string& line : leftOut)
      EXPECT_FALSE(HasText(line, "its field ") || HasText(line, "the field ")) << line;
    std::vector<std::string> unnamed;
    const std::vector<RecordField> options = OptionsFields(model), optionsRead = OptionsFields(again);
    for (std::size_t i = 0; i < options.size(); ++i) {
      const FieldEntry& entry = options[i].entry;
      if (SameFieldValue(options[i], optionsRead[i].value)) continue;
      if (entry.applies != nullptr && !entry.applies(model.options.PipingCode)) continue;
      const bool units = entry.show == FieldShow::kUnitChoice || entry.show == FieldShow::kWindUnit;
      if (!Names(leftOut, units ? "Units" : entry.group != nullptr ? entry.group : "Analysis options"))
        unnamed.push_back(options[i].name);
    }
    for (auto& field : Unnamed(leftOut, "Quality Assurance Block", QaBlockFields(model), QaBlockFields(again)))
      unnamed.push_back(field);
    for (auto& field : Unnamed(leftOut, "Revision record", RevisionFields(model), RevisionFields(again)))
      unnamed.push_back(field);
    auto name = [](const auto& record) { return record.name; };
    CollectUnnamed<Material>(leftOut, "Material", model.materials, again.materials, MaterialFields, name, unnamed);
    CollectUnnamed<PipeSection>(leftOut, "Pipe section", model.sections, again.sections, SectionFields, name, unnamed);
    CollectUnnamed<PipeLoad>(leftOut, "Load", model.pipeLoads, again.pipeLoads, PipeLoadFields, name, unnamed);
    CollectUnnamed<BeamMaterial>(leftOut, "Beam material", model.beamMaterials, again.beamMaterials, BeamMaterialFields,
                                 name, unnamed);
    CollectUnnamed<BeamSection>(leftOut, "Beam section", model.beamSections, again.beamSections, BeamSectionFields,
                                name, unnamed);
    CollectUnnamed<BeamLoad>(leftOut, "Beam load", model.beamLoads, again.beamLoads, BeamLoadFields, name, unnamed);
    CollectUnnamed<Pump>(leftOut, "Pump", model.pumps, again.pumps, PumpFields, name, unnamed);
    auto description = [](const RotatingEquipment& record) { return record.description; };
    CollectUnnamed<RotatingEquipment>(leftOut, "Compressor", model.compressors, again.compressors,
                                      RotatingEquipmentFields, description, unnamed);
    CollectUnnamed<RotatingEquipment>(leftOut, "Turbine", model.turbines, again.turbines, RotatingEquipmentFields,
                                      description, unnamed);
    CollectUnnamed<Soil>(leftOut, "Soil", model.soils, again.soils, SoilFields, name, unnamed);
    CollectUnnamed<Allowable>(
        leftOut, "Allowable load", model.allowables, again.allowables, AllowableFields,
        [](const Allowable&) { return std::string("1"); }, unnamed);
    for (int row = 1; row <= model.rowCount; ++row) {
      const auto [element, item] = RowsReadFor(model, row, again);
      const std::string where = "Row " + std::to_string(row);
      const std::vector<RecordField> held = RowFields(model.row(row));
      if (element == 0) {
        if (!Names(leftOut, where)) unnamed.push_back(where);
        continue;
      }
      const std::vector<RecordField> readElement = RowFields(again.row(element)), readItem = RowFields(again.row(item));
      for (const RowPart part : {RowPart::kHeader, RowPart::kElement, RowPart::kItem})
        for (auto& field :
             Unnamed(leftOut, where, PartOf(held, part), PartOf(part == RowPart::kItem ? readItem : readElement, part)))
          unnamed.push_back(field);
    }
    EXPECT_EQ(unnamed, std::vector<std::string>{});
  }
}

// A jacketed bend whose own jacket wall (1.2 in on the 6.625 in S6) leaves
// its arc a bore of 4.225 round the 4.5 in core: the import refuses such a
// line, so the row is written as a pipe and named, and the file reads back.
TEST_F(BatchExportRoundTripTest, AJacketedBendWhoseOwnWallDoesNotClearTheCoreIsWrittenAsAPipe) {
  Model model;
  ASSERT_EQ(Import(THREE_ROWS "PIPE\nS6,6.625,0.28\nLAYOUT\nT40,JI,X100,CJMAT=CS,JSEC=S6,JLOAD=L1,JTHK=1\nT50,Y100\n",
                   model),
            "");
  ASSERT_EQ(model.row(5).elementType, ElementType::JacketedBend);
  dynamic_cast<JacketedBend&>(*model.row(5).element).jacketThickness = 1.2f;
  Model again;
  const std::vector<std::string> leftOut = ExportAndRead(model, BatchExportUnits::English, again);
  EXPECT_EQ(again.row(5).elementType, ElementType::Pipe);
  EXPECT_TRUE(Listed(leftOut, "Row 5: the jacket's section does not clear the core's; the row was written as a pipe"));
}

// Rows the model holds as no dialog leaves them, which the import would
// refuse: a jacket that does not clear its core and an elastic element
// whose axes are not square are written as pipes, a flat-bottom tank
// nozzle without its L2, a nozzle of a spherical vessel that the file
// would give as a flat-bottom tank's too small a tank is left out; each is
// named, and the file reads back.
TEST_F(BatchExportRoundTripTest, RowsTheImportWouldRefuseAreWrittenSoThatTheFileReadsBack) {
  Model model;
  ASSERT_EQ(Import(THREE_ROWS "PIPE\nS6,6.625,0.28\nLAYOUT\nT40,JP,X10,CJMAT=CS,JSEC=S6,JLOAD=L1\nT50,X10,JL\n"
                              "T60,X10\nL60,CNOZZLE=650,NOD=8.625,NTHK=0.5,VOD=300,VTHK=1,L1=0.8,E=29E6,DV(0,1,0)\n"
                              "T70,X10\nL70,CNOZZLE=650,NOD=8.625,NTHK=0.5,VOD=300,VTHK=1,L1=0.8,E=29E6,DV(0,1,0)\n",
                   model),
            "");
  ASSERT_EQ(model.rowCount, 10);
  dynamic_cast<JacketedPipe&>(*model.row(5).element).jacketSection = "S4";  // 4.5 in round a 4.5 in core
  auto& elastic = dynamic_cast<ElasticElement&>(*model.row(6).element);
  elastic.localX[0] = 1.0f;
  elastic.localY[0] = 1.0f;
  elastic.localY[1] = 1.0f;
  dynamic_cast<Nozzle&>(*model.row(8).item).l2 = 6.0f;
  auto& sphere = dynamic_cast<Nozzle&>(*model.row(10).item);
  sphere.spherical = 1;
  sphere.vesselOd = 96.0f;
  for (const BatchExportUnits units : kEverySet) {
    SCOPED_TRACE(static_cast<int>(units));
    Model again;
    const std::vector<std::string> leftOut = ExportAndRead(model, units, again);
    EXPECT_EQ(again.row(5).elementType, ElementType::Pipe);
    EXPECT_EQ(again.row(6).elementType, ElementType::Pipe);
    EXPECT_EQ(again.row(8).dataType, DataType::Nozzle);
    for (const char* start : {"Row 5: the jacket's section does not clear the core's; the row was written as a pipe",
                              "Row 6: the elastic element's axes are not square; the row was written as a pipe",
                              "Row 8: the flat-bottom tank nozzle's L2 was not written",
                              "Row 10: the nozzle is refused (Nozzle OD/Vessel OD > 0.04); it was not written"})
      EXPECT_TRUE(Listed(leftOut, start)) << start;
  }
}

}  // namespace
