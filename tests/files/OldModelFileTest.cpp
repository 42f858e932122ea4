// Old-format model files: the written versions 400 and 401 of one model
// holding every old kind converted open into a model whose file equals, byte
// for byte, that of the same model built directly; the code, class, row
// count, title and kind edge cases; every refusal's message; every
// truncation and every flipped byte refused or read without a fault (the
// sanitizer build checks the memory); and File > Open asking first, then the
// first save keeping the old file and saying where it went. Nozzle rows of
// every version open with each field as written, and damaged nozzle records
// are refused.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <fstream>
#include <iterator>

#include "application/Application.h"
#include "elements/Bend.h"
#include "files/BatchExport.h"
#include "files/BatchTesting.h"
#include "files/FileCommands.h"
#include "files/ImportLogTesting.h"
#include "files/ModelFile.h"
#include "files/OldModelWriter.h"
#include "loads/TimeVaryingLoad.h"
#include "model/Model.h"
#include "records/LoadCaseList.h"
#include "platform/CommonDialog.h"
#include "platform/Input.h"
#include "services/AppTesting.h"
#include "services/Frame.h"
#include "services/NumberText.h"
#include "services/TempFiles.h"
#include "supports/Hanger.h"
#include "supports/Nozzle.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string Folder() {
  const std::string folder = TempFolder() + "/oldmodels";
  std::filesystem::create_directories(folder);
  return folder;
}

std::string SavedBytes(const Model& model, const std::string& name) {
  const std::string path = Folder() + "/" + name;
  EXPECT_EQ(WriteModelFileFrom(model, path), "");
  return Bytes(path);
}

// The message of a refused file ("" when it was converted).
std::string Refusal(const std::string& bytes, Model* converted = nullptr) {
  const std::string path = Folder() + "/case.mod";
  PutBytes(path, bytes);
  Model model;
  try {
    ReadModelFileInto(path, model);
  } catch (const std::string& message) {
    return message;
  }
  if (converted != nullptr) *converted = std::move(model);
  return {};
}

// The notes of a file that converts, and the model it converts into.
std::vector<std::string> ConversionNotes(const OldModelChoices& choices, Model& model) {
  const std::string path = Folder() + "/case.mod";
  PutBytes(path, OldModelFileBytes(choices));
  std::vector<std::string> notes;
  try {
    ReadModelFileInto(path, model, &notes);
  } catch (const std::string& message) {
    ADD_FAILURE() << message;
  }
  return notes;
}

// The notes given, then the four that every file of OldModelWriter.h gets.
const char* const kFirstIntermediateNote = "Row 5: bend intermediate node 29A is not a plain node number: 29 taken";
const char* const kSecondIntermediateNote = "Row 5: bend intermediate node 29B is not a plain node number: 31 taken";
const char* const kDescriptionNote =
    "Material description Carbon steel seamless pipe, grade has 33 characters, more than the 31 a model keeps: "
    "Carbon steel seamless pipe, gra taken";
const char* const kLocationNote = "Row 17: Location at node 140, a node no row makes: the row was left empty";
std::vector<std::string> WriterNotes(std::vector<std::string> notes = {}) {
  notes.insert(notes.end(), {kFirstIntermediateNote, kSecondIntermediateNote, kDescriptionNote, kLocationNote});
  return notes;
}

Model Converted(const OldModelChoices& choices) {
  Model model;
  const std::string message = Refusal(OldModelFileBytes(choices), &model);
  EXPECT_EQ(message, "");
  return model;
}

OldModelChoices WithNozzles(int version) {
  OldModelChoices choices;
  choices.version = version;
  choices.pipingCode = version < 372 ? 17 : 18;
  choices.nozzles = OldNozzleRows();
  return choices;
}

const LayoutRow* RowOfNode(const Model& model, std::int32_t node) {
  for (int i = 1; i <= model.rowCount; ++i)
    if (model.row(i).node == node) return &model.row(i);
  return nullptr;
}

// Every field of each converted nozzle against the record written: the
// sixth value is L2 on a cylinder and the pad's presence on a flat bottom,
// the sets follow the displacement bits (none below 3.72) with the fourth
// old group (settlement) and the fifth (seismic) in their own slots.
void ExpectNozzlesAsWritten(const Model& model, const OldModelChoices& choices) {
  const bool sets = choices.version >= 372;
  for (const OldNozzleRow& old : choices.nozzles) {
    SCOPED_TRACE(old.node);
    const LayoutRow* row = RowOfNode(model, old.node);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->elementType, old.start ? ElementType::From : ElementType::Pipe);
    EXPECT_FLOAT_EQ(row->dx, static_cast<float>(old.offsets[0]));
    EXPECT_FLOAT_EQ(row->dz, static_cast<float>(old.offsets[2]));
    ASSERT_EQ(row->dataType, DataType::Nozzle);
    const auto& nozzle = static_cast<const Nozzle&>(*row->item);
    const bool flat = old.flatBottom != 0;
    EXPECT_EQ(nozzle.tag, "");
    EXPECT_EQ(nozzle.spherical, 0);
    EXPECT_EQ(nozzle.flatBottom, flat ? 1 : 0);
    EXPECT_EQ(nozzle.reinforcingPad, flat && old.values[5] != 0.0 ? 1 : 0);
    EXPECT_FLOAT_EQ(nozzle.nozzleOd, static_cast<float>(old.values[0]));
    EXPECT_FLOAT_EQ(nozzle.nozzleThickness, static_cast<float>(old.values[1]));
    EXPECT_FLOAT_EQ(nozzle.vesselOd, static_cast<float>(old.values[2]));
    EXPECT_FLOAT_EQ(nozzle.vesselThickness, static_cast<float>(old.values[3]));
    EXPECT_FLOAT_EQ(nozzle.l1, static_cast<float>(old.values[4]));
    EXPECT_FLOAT_EQ(nozzle.l2, flat ? 0.0f : static_cast<float>(old.values[5]));
    EXPECT_FLOAT_EQ(nozzle.elasticModulus, static_cast<float>(old.values[6]));
    for (std::size_t k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(nozzle.vesselAxis[k], static_cast<float>(old.values[7 + k]));
    EXPECT_FLOAT_EQ(nozzle.axialStiffness, static_cast<float>(old.values[10]));
    EXPECT_FLOAT_EQ(nozzle.circumferentialStiffness, static_cast<float>(old.values[11]));
    EXPECT_FLOAT_EQ(nozzle.longitudinalStiffness, static_cast<float>(old.values[12]));
    const std::size_t slotOfBit[5] = {0, 1, 2, kSettlementSlot, kSeismicSlot};
    std::array<std::uint8_t, kDisplacementSlots> flags{};
    for (std::size_t group = 0; group < 5; ++group)
      if (sets && ((old.flags >> (6 + group)) & 1)) flags[slotOfBit[group]] = 1;
    EXPECT_EQ(nozzle.displacements.flags, flags);
    ASSERT_EQ(nozzle.displacements.sets != nullptr, nozzle.displacements.HasAny());
    if (!nozzle.displacements.HasAny()) continue;
    for (std::size_t k = 0; k < 30; ++k)
      EXPECT_FLOAT_EQ(nozzle.displacements.sets->values[6 * slotOfBit[k / 6] + k % 6 + 1],
                      static_cast<float>(old.sets[k]))
          << k;
  }
}

class OldVersion4 : public testing::TestWithParam<int> {};

TEST_P(OldVersion4, OpensIntoTheModelBuiltDirectlyByteForByte) {
  OldModelChoices choices;
  choices.version = GetParam();
  const Model model = Converted(choices);
  EXPECT_FALSE(model.modified);
  EXPECT_EQ(model.unmadeReason, "");
  Model direct;
  BuildConvertedModel(choices, 10, direct);
  const std::string expected = SavedBytes(direct, "direct.mod");
  const std::string actual = SavedBytes(model, "converted.mod");
  EXPECT_EQ(actual.size(), expected.size());
  EXPECT_TRUE(actual == expected);
  // The conversions a byte comparison could hide behind the same default.
  EXPECT_EQ(model.title, "Old plant \xE9");
  EXPECT_EQ(model.options.PipingCode, 10);
  EXPECT_EQ(model.soils.count, choices.version > 400 ? 1 : 0);
  EXPECT_EQ(model.sections[1].soil, choices.version > 400 ? "S1" : "");
  EXPECT_FLOAT_EQ(model.materials[2].temps[1].values[6], 400.0f);
  EXPECT_FLOAT_EQ(model.materials[2].temps[1].values[4], 0.0f);
  EXPECT_FLOAT_EQ(model.materials[1].temps[1].values[4], 6.1e-6f);
  EXPECT_EQ(model.row(3).node, 10);
  EXPECT_EQ(model.row(16).node, 0);  // the row of an empty element
  EXPECT_EQ(model.row(16).dataType, DataType::None);
}

INSTANTIATE_TEST_SUITE_P(Versions, OldVersion4, testing::Values(400, 401));

class OldVersion3 : public testing::TestWithParam<int> {};

TEST_P(OldVersion3, OpensIntoTheModelBuiltDirectlyByteForByte) {
  OldModelChoices choices;
  choices.version = GetParam();
  // Ids above 4 moved up by one in 3.72: 17 was then what 18 is now.
  choices.pipingCode = choices.version < 372 ? 17 : 18;
  const Model model = Converted(choices);
  EXPECT_EQ(model.unmadeReason, "");
  Model direct;
  BuildConvertedModel(choices, 10, direct);
  EXPECT_TRUE(SavedBytes(model, "converted.mod") == SavedBytes(direct, "direct.mod"));
  EXPECT_EQ(model.options.ServiceLevel, choices.version < 371 ? 0 : 1);
  EXPECT_EQ(model.options.IncludeMissingMass, choices.version < 372 ? 0 : 1);
  EXPECT_EQ(model.spectrumLoad.name[2], "Z spectrum");
  EXPECT_FLOAT_EQ(model.pumps[1].centre[2], choices.version < 373 ? 0.0f : 30.0f);
  EXPECT_FLOAT_EQ(model.beamSections[1].depth, 8.0f);
}

INSTANTIATE_TEST_SUITE_P(Versions, OldVersion3, testing::Values(370, 371, 372, 373, 374, 375));

class OldNozzleRows : public testing::TestWithParam<int> {};

TEST_P(OldNozzleRows, OpenWithEveryFieldAsWrittenAndSaveAsTheModelBuiltDirectly) {
  const OldModelChoices choices = WithNozzles(GetParam());
  const Model model = Converted(choices);
  EXPECT_EQ(model.unmadeReason, "");
  ExpectNozzlesAsWritten(model, choices);
  Model direct;
  BuildConvertedModel(choices, 10, direct);
  EXPECT_TRUE(SavedBytes(model, "converted.mod") == SavedBytes(direct, "direct.mod"));
}

INSTANTIATE_TEST_SUITE_P(Versions, OldNozzleRows, testing::Values(370, 371, 372, 373, 374, 375, 400, 401));

// Bits the layout does not define in the displacement word, a real that is
// not finite or does not fit a single, and a record or set block cut short.
TEST(OldModelFile, DamagedNozzleRecordsAreRefused) {
  const std::string path = Folder() + "/case.mod";
  const std::string unable = "Unable to read model file:\n" + path;
  for (int version : {370, 372, 401}) {
    SCOPED_TRACE(version);
    OldModelChoices choices = WithNozzles(version);
    choices.nozzles[1].extraWrittenBits = version < 400 ? 1 << 5 : 1 << 11;
    EXPECT_EQ(Refusal(OldModelFileBytes(choices)), unable);
    choices = WithNozzles(version);
    choices.nozzles[2].values[4] = std::nan("");
    EXPECT_EQ(Refusal(OldModelFileBytes(choices)), unable);
    choices = WithNozzles(version);
    choices.nozzles[0].values[12] = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Refusal(OldModelFileBytes(choices)), unable);
    choices = WithNozzles(version);
    OldModelChoices plain = choices;
    plain.nozzles.clear();
    const std::string whole = OldModelFileBytes(choices);
    // The layouts without the nozzle rows differ only in the row count.
    const std::size_t first = OldModelFileBytes(plain).size();
    for (std::size_t length = first; length < whole.size(); ++length)
      ASSERT_EQ(Refusal(whole.substr(0, length)), unable) << length;
    int refused = 0;
    for (std::size_t at = first; at < whole.size(); ++at) {
      std::string flipped = whole;
      flipped[at] = static_cast<char>(flipped[at] ^ 0xFF);
      Model model;
      if (!Refusal(flipped, &model).empty()) {
        ++refused;
      } else {
        EXPECT_EQ(model.unmadeReason, "");
      }
    }
    EXPECT_GT(refused, 0);
  }
  OldModelChoices wide = WithNozzles(400);
  wide.nozzles[1].values[2] = 1.0e39;  // past a single
  EXPECT_EQ(Refusal(OldModelFileBytes(wide)), unable);
}

TEST(OldModelFile, OlderLayoutCodeFactorAndRefusals) {
  OldModelChoices choices;
  choices.version = 371;
  choices.pipingCode = 18;  // 19 in 3.72 terms: the new 20
  choices.codeFactor = 4;   // 5 once moved up
  Model model = Converted(choices);
  EXPECT_EQ(model.options.PipingCode, 20);
  EXPECT_EQ(model.options.Z184ClassLocation, 2);
  EXPECT_EQ(model.options.Z184SourService, 1);
  choices.version = 372;
  model = Converted(choices);
  EXPECT_EQ(model.options.PipingCode, 10);
  choices.extraRows = 1;
  choices.lastDataCode = 18;  // no time varying loads in this layout
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "*** Invalid type 18 in allocate data ***");
  choices = OldModelChoices{};
  choices.version = 374;
  choices.temperatureRows = 41;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "This model has invalid data");
  choices.temperatureRows = 2;
  const std::string whole = OldModelFileBytes(choices);
  const std::string path = Folder() + "/case.mod";
  for (std::size_t length = 16; length < whole.size(); length += 3)
    ASSERT_EQ(Refusal(whole.substr(0, length)), "Unable to read model file:\n" + path) << length;
}

TEST(OldModelFile, PipingCodesTakeTheCurrentNumbering) {
  const std::pair<int, int> cases[] = {{18, 10}, {9, 11}, {17, 19}, {19, 20}, {6, 6}, {0, 0}, {7, 8}, {8, 9}};
  for (auto [old, current] : cases) {
    OldModelChoices choices;
    choices.pipingCode = old;
    EXPECT_EQ(Converted(choices).options.PipingCode, current) << old;
  }
}

TEST(OldModelFile, CodeFactorIndexBecomesTheCodesOwnSetting) {
  OldModelChoices choices;
  choices.pipingCode = 19;  // the new 20
  choices.codeFactor = 5;
  Model model = Converted(choices);
  EXPECT_EQ(model.options.Z184ClassLocation, 2);
  EXPECT_EQ(model.options.Z184SourService, 1);
  choices.codeFactor = 2;
  model = Converted(choices);
  EXPECT_EQ(model.options.Z184ClassLocation, 3);
  EXPECT_EQ(model.options.Z184SourService, 0);
  choices.pipingCode = 6;
  choices.codeFactor = 4;
  EXPECT_EQ(Converted(choices).options.DesignFactorIndex, 4);
  // An index no factor has keeps the new model's factor, and is said.
  const AnalysisOptions fresh = ProgramAnalysisOptions();
  choices.codeFactor = 5;
  Model model5;
  EXPECT_EQ(ConversionNotes(choices, model5),
            WriterNotes({"Analysis options: code factor index 5 out of range 0 to 4: the new model's factor taken"}));
  EXPECT_EQ(model5.options.DesignFactorIndex, fresh.DesignFactorIndex);
  choices.pipingCode = 17;  // the new 19
  choices.codeFactor = 1;
  EXPECT_EQ(Converted(choices).options.Z183LocationFactorIndex, 1);
  choices.codeFactor = 2;
  Model model2;
  EXPECT_EQ(ConversionNotes(choices, model2),
            WriterNotes({"Analysis options: code factor index 2 out of range 0 to 1: the new model's factor taken"}));
  EXPECT_EQ(model2.options.Z183LocationFactorIndex, fresh.Z183LocationFactorIndex);
}

// Options a model file holds only within a range, outside it in an old
// file (an old version wrote a cut-off of 0 and no modes): the conversion
// takes the new model's value rather than refuse the user's model, says so
// for each one, and the model it makes is saved and opens again. Before,
// such a model converted with them, was saved, and its file was then
// refused as damaged.
// An old model's list may hold cases of temperatures that its number of
// thermal loads leaves out of use (the file takes any case): in either
// layout they are dropped, a note each in list order, and the other cases
// stay in their order with their flags.
TEST(OldModelFile, CasesOfTemperaturesOutOfUseAreDroppedAndSaidSo) {
  for (const int version : {372, 401}) {
    SCOPED_TRACE(version);
    OldModelChoices choices;
    choices.version = version;
    choices.thermalLoads = 1;
    choices.loadCases = {1, 8, 2, 4, 17, 110, 15, 3};
    Model model;
    EXPECT_EQ(ConversionNotes(choices, model),
              WriterNotes({
                  "Load cases: \"Expansion (T3)\" needs 3 thermal loads, but the model has 1: the case was dropped",
                  "Load cases: \"Cold spring (W+P3+T3)\" needs 3 thermal loads, but the model has 1: the case was "
                  "dropped",
                  "Load cases: \"Cold spring (W+P4+T4)\" needs 10 thermal loads, but the model has 1: the case was "
                  "dropped",
                  "Load cases: \"Expansion (T2)\" needs 2 thermal loads, but the model has 1: the case was dropped"}));
    const LoadCaseList& list = model.loadCases;
    EXPECT_EQ(std::vector<int>(list.cases.begin() + 1, list.cases.begin() + 1 + list.count),
              (std::vector<int>{1, 8, 2, 15}));
    for (int id = 0; id < kLoadCaseTypeCount; ++id)
      EXPECT_EQ(list.selected[static_cast<std::size_t>(id)], id == 1 || id == 8 || id == 2 || id == 15 ? 1 : 0) << id;
    EXPECT_EQ(model.options.ThermalLoadCount, 1);
  }
  // Three thermal loads keep T2 and T3; the cold spring case of T4 goes.
  OldModelChoices three;
  three.loadCases = {1, 4, 17, 110};
  Model model;
  EXPECT_EQ(ConversionNotes(three, model),
            WriterNotes({"Load cases: \"Cold spring (W+P4+T4)\" needs 10 thermal loads, but the model "
                         "has 3: the case was dropped"}));
  EXPECT_EQ(model.loadCases.count, 3);
}

TEST(OldModelFile, OptionsOutOfRangeTakeTheNewModelsValuesAndSaySo) {
  const AnalysisOptions fresh = ProgramAnalysisOptions();
  Model newModel;
  InitEmptyModel(newModel, fresh);
  for (const int version : {374, 401}) {
    SCOPED_TRACE(version);
    OldModelChoices choices;
    choices.version = version;
    choices.cutOffFrequency = 0;
    choices.modeCount = 0;
    choices.thermalLoads = 5;
    choices.modeSum = 9;
    Model model;
    const std::vector<std::string> notes = ConversionNotes(choices, model);
    std::vector<std::string> expected = {
        "Analysis options: number of thermal loads 5 out of range 1, 2, 3 or 10: " +
            std::to_string(fresh.ThermalLoadCount) + " taken",
        "Analysis options: cut off frequency 0 out of range 1 to 2147483647: " +
            std::to_string(fresh.CutOffFrequency) + " taken",
        "Analysis options: number of modes 0 out of range 1 to 2147483647: " + std::to_string(fresh.ModeCount) +
            " taken",
        "Analysis options: mode sum method 9 out of range 0 to 4: " + std::to_string(newModel.spectrumLoad.modeSum) +
            " taken"};
    // The written list's Expansion (T3) cannot run with fewer thermal loads.
    if (fresh.ThermalLoadCount < 3)
      expected.push_back("Load cases: \"Expansion (T3)\" needs 3 thermal loads, but the model has " +
                         std::to_string(fresh.ThermalLoadCount) + ": the case was dropped");
    EXPECT_EQ(notes, WriterNotes(expected));
    EXPECT_EQ(model.options.CutOffFrequency, fresh.CutOffFrequency);
    EXPECT_EQ(model.options.ModeCount, fresh.ModeCount);
    EXPECT_EQ(model.options.ThermalLoadCount, fresh.ThermalLoadCount);
    // What was in range is as written.
    EXPECT_FLOAT_EQ(model.options.PeakPressureFactor, 1.25f);
    // The converted model saves, and its file opens again as it was saved.
    const std::string saved = Folder() + "/converted.mod";
    ASSERT_EQ(WriteModelFileFrom(model, saved), "");
    Model reopened;
    ASSERT_NO_THROW(ReadModelFileInto(saved, reopened));
    EXPECT_EQ(reopened.options.CutOffFrequency, fresh.CutOffFrequency);
    EXPECT_EQ(SavedBytes(reopened, "again.mod"), Bytes(saved));
  }
  // A hanger kind no model file holds (an old catalogue index 0) is the
  // new hanger's, and said with its row.
  OldModelChoices hangerChoices;
  hangerChoices.hangerKind = 0;
  Model withHanger;
  const std::vector<std::string> hangerNotes = ConversionNotes(hangerChoices, withHanger);
  int hangerRow = 0;
  for (int number = 1; number <= withHanger.rowCount; ++number)
    if (withHanger.row(number).dataType == DataType::Hanger) hangerRow = number;
  ASSERT_NE(hangerRow, 0);
  const int grinnell = Hanger().kind;
  EXPECT_EQ(hangerNotes, WriterNotes({"Row " + std::to_string(hangerRow) +
                                      ": hanger type 0 out of range 1 to 34, 101 to 103: " +
                                      std::to_string(grinnell) + " taken"}));
  EXPECT_EQ(static_cast<const Hanger&>(*withHanger.row(hangerRow).item).kind, grinnell);
  EXPECT_EQ(WriteModelFileFrom(withHanger, Folder() + "/hanger.mod"), "");
  Model hangerReopened;
  EXPECT_NO_THROW(ReadModelFileInto(Folder() + "/hanger.mod", hangerReopened));
  // The same for a time varying load's direction.
  OldModelChoices loadChoices;
  loadChoices.timeVaryingDirection = 9;
  Model withLoad;
  const std::vector<std::string> loadNotes = ConversionNotes(loadChoices, withLoad);
  int loadRow = 0;
  for (int number = 1; number <= withLoad.rowCount; ++number)
    if (withLoad.row(number).dataType == DataType::TimeVaryingLoad) loadRow = number;
  ASSERT_NE(loadRow, 0);
  EXPECT_EQ(loadNotes, WriterNotes({"Row " + std::to_string(loadRow) +
                                    ": time varying load direction 9 out of range 0 to 6: " +
                                    std::to_string(TimeVaryingLoad().Direction) + " taken"}));
  EXPECT_EQ(WriteModelFileFrom(withLoad, Folder() + "/load.mod"), "");
  // A file within every range gets only the notes of its texts and nodes.
  Model model;
  EXPECT_EQ(ConversionNotes(OldModelChoices{}, model), WriterNotes());
  EXPECT_EQ(model.options.CutOffFrequency, 40);
}

// A text that fills its old field to the end, without its terminator,
// holds one character more than the model keeps: the conversion cuts it to
// what the model file holds and says so, and the model saves and opens
// again. A pump name of 14, the older layout's whole field, fits. Before,
// the conversion kept such a text whole and the first save failed.
TEST(OldModelFile, ATextThatFillsItsFieldIsCutToWhatTheModelKeepsAndSaidSo) {
  const std::string title = "Old plant with a title that fills its fifty bytes.";
  ASSERT_EQ(title.size(), 50u);
  struct Case {
    int version;
    const char* pumpName;
    const char* keptName;
  };
  for (const Case c : {Case{401, "P-101 FEED PUMP1", "P-101 FEED PUMP"}, Case{374, "P-101 FEED PU", "P-101 FEED PU"}}) {
    SCOPED_TRACE(c.version);
    OldModelChoices choices;
    choices.version = c.version;
    choices.title = title;
    choices.schedule = "XS40";
    choices.pumpName = c.pumpName;
    Model model;
    std::vector<std::string> expected = {
        kFirstIntermediateNote, kSecondIntermediateNote,
        "Title " + title + " has 50 characters, more than the 49 a model keeps: " + title.substr(0, 49) + " taken",
        kDescriptionNote, "Schedule XS40 has 4 characters, more than the 3 a model keeps: XS4 taken"};
    if (c.version == 401)
      expected.push_back(
          "Pump name P-101 FEED PUMP1 has 16 characters, more than the 15 a model keeps: P-101 FEED PUMP taken");
    expected.push_back(kLocationNote);
    EXPECT_EQ(ConversionNotes(choices, model), expected);
    EXPECT_EQ(model.title, title.substr(0, 49));
    EXPECT_EQ(model.sections[1].schedule, "XS4");
    EXPECT_EQ(model.pumps[1].name, c.keptName);
    const std::string saved = Folder() + "/full-texts.mod";
    ASSERT_EQ(WriteModelFileFrom(model, saved), "");
    Model reopened;
    ASSERT_NO_THROW(ReadModelFileInto(saved, reopened));
    EXPECT_EQ(reopened.pumps[1].name, c.keptName);
    EXPECT_EQ(reopened.sections[1].schedule, "XS4");
  }
}

// The converted model's batch export reads back in each unit set: a ground
// level of 0 held as 1e-36 and bend intermediate nodes 29A and 29B were refused.
class OldModelBatchTest : public BatchFixture {};

TEST_F(OldModelBatchTest, TheConvertedModelsBatchExportReadsBack) {
  const Model model = Converted(OldModelChoices{});
  ASSERT_EQ(model.soils.count, 1);
  EXPECT_EQ(model.soils[1].groundLevel, 0.0f);
  for (const BatchExportUnits units : {BatchExportUnits::English, BatchExportUnits::Inch, BatchExportUnits::Si}) {
    std::vector<std::string> leftOut;
    Model read;
    ASSERT_EQ(Import(WriteModelBatchText(model, units, leftOut), read), "") << static_cast<int>(units);
    const LayoutRow* row = RowOfNode(read, 30);
    ASSERT_TRUE(row != nullptr && row->elementType == ElementType::Bend);
    const auto& bend = static_cast<const Bend&>(*row->element);
    EXPECT_EQ(std::pair(bend.intermediateNode1, bend.intermediateNode2), std::pair(29, 31));
  }
}

TEST(OldModelFile, FifteenHundredRowsAreTakenAndOneMoreIsRefused) {
  OldModelChoices choices;
  choices.extraRows = 1500 - 28;
  const Model model = Converted(choices);
  EXPECT_EQ(model.rowCount, 1500 + 2);
  EXPECT_EQ(model.row(model.rowCount).node, 1000 + choices.extraRows);
  choices.extraRows += 1;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "Number of rows exceed maximum");
}

TEST(OldModelFile, AnEmptySecondTitleGivesNoSecondCommentRow) {
  OldModelChoices choices;
  EXPECT_EQ(Converted(choices).row(3).node, 10);
  choices.secondTitle.clear();
  const Model model = Converted(choices);
  EXPECT_EQ(model.row(1).elementType, ElementType::Comment);
  EXPECT_EQ(model.row(2).node, 10);
  EXPECT_EQ(model.row(2).elementType, ElementType::From);
  Model direct;
  BuildConvertedModel(choices, 10, direct);
  EXPECT_TRUE(SavedBytes(model, "a.mod") == SavedBytes(direct, "b.mod"));
}

TEST(OldModelFile, EveryRefusalSaysWhy) {
  OldModelChoices choices;
  choices.extraRows = 1;
  choices.lastElementCode = 18;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "*** Invalid type 18 in Element::allocate ***");
  choices.lastElementCode = -1;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "*** Invalid type -1 in Element::allocate ***");
  choices.lastElementCode = 3;
  choices.lastDataCode = 20;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "*** Invalid type 20 in allocate data ***");
  choices = OldModelChoices{};
  choices.temperatureRows = 41;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "This model has invalid data");
  choices.temperatureRows = -1;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "This model has invalid data");
  choices.temperatureRows = 40;
  EXPECT_EQ(Refusal(OldModelFileBytes(choices)), "");
  std::string old = OldModelFileBytes(OldModelChoices{});
  old[14] = static_cast<char>(369 & 0xFF);
  old[15] = static_cast<char>(369 >> 8);
  EXPECT_EQ(Refusal(old), "Unable to read Quorvel V 3.69 mod file");
  // A time function whose times do not ascend: (0, 0) then (0, 1), its 0.5
  // (a double in this layout) made 0.
  old = OldModelFileBytes(OldModelChoices{});
  const double half = 0.5;
  const std::string halfBytes(reinterpret_cast<const char*>(&half), sizeof half);
  const std::size_t at = old.find(halfBytes, old.find("Pulse"));
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(Refusal(old), "");
  old.replace(at, sizeof half, sizeof half, '\0');
  EXPECT_EQ(Refusal(old), "Unable to read model file:\n" + Folder() +
                              "/case.mod\nTime functions: time function Pulse, point 2: the time is not above that of "
                              "point 1");
}

// The file with the reals `pattern` as written (doubles in the newer
// layout, singles in the older), found after `from`, holding `by` in place
// of the pattern's value `which`.
template <typename Real>
std::string WithReal(std::string bytes, std::initializer_list<Real> pattern, std::size_t which, Real by,
                     std::size_t from = 0) {
  std::string written;
  for (const Real value : pattern) written.append(reinterpret_cast<const char*>(&value), sizeof value);
  const std::size_t at = bytes.find(written, from);
  EXPECT_NE(at, std::string::npos);
  if (at != std::string::npos) bytes.replace(at + which * sizeof by, sizeof by, reinterpret_cast<const char*>(&by), sizeof by);
  return bytes;
}

// A stored shape factor of 0 is read as 0.6 on every road, so the wind
// results do not change once the converted model is saved and opened, and
// a wind speed or a spectrum abscissa below the least a value may be but
// zero is taken as 0 with a note; a spectrum point no road keeps (a
// negative abscissa) refuses the conversion by its spectrum and point
// rather than give a model no Save takes.
TEST(OldModelFile, AShapeFactorOf0Is06AndANegativeSpectrumAbscissaIsRefused) {
  for (const int version : {401, 373}) {
    SCOPED_TRACE(version);
    OldModelChoices choices;
    choices.version = version;
    const std::string bytes = OldModelFileBytes(choices);
    const bool wide = version >= 400;
    // The wind velocity 90, then its shape factor 0.8 made 0.
    Model model;
    ASSERT_EQ(Refusal(wide ? WithReal<double>(bytes, {90.0, 0.8}, 1, 0.0) : WithReal<float>(bytes, {90.0f, 0.8f}, 1, 0.0f),
                      &model),
              "");
    EXPECT_EQ(model.wind.loads[0].shapeFactor, 0.6f);
    // A wind speed below 1E-37, which no cell holds, is no wind.
    choices.windSpeed = 1.0e-40;
    const std::vector<std::string> notes = ConversionNotes(choices, model);
    EXPECT_TRUE(model.wind.loads[0].velocityProfile.empty());
    EXPECT_NE(std::find(notes.begin(), notes.end(),
                        "Analysis options: wind speed 1E-40 is below 1E-37, the least a value may be but zero, and is "
                        "taken as 0"),
              notes.end())
        << ::testing::PrintToString(notes);
    // A first spectrum abscissa below 1E-37, which no cell holds, is read as
    // the typed zero with a note, not refused with the whole file.
    choices.spectrumFirstAbscissa = 1.0e-40;
    const std::vector<std::string> mended = ConversionNotes(choices, model);
    EXPECT_NE(std::find(mended.begin(), mended.end(),
                        "Spectra: spectrum \"" + std::string(wide ? "El Centro" : "X spectrum") +
                            "\", point 1: the abscissa 1E-40 is below 1E-37, the least a value may be but zero, and "
                            "is taken as 0"),
              mended.end())
        << ::testing::PrintToString(mended);
    EXPECT_EQ(model.spectra[0].points[0].x, kExplicitZero);
    // The first abscissa, 0.1, of the spectrum record (after its name) or
    // of the X direction's block (its abscissas 0.1 and 1).
    const std::string negative = wide ? WithReal<double>(bytes, {0.1, 0.2}, 0, -0.1, bytes.rfind("El Centro"))
                                      : WithReal<float>(bytes, {0.1f, 1.0f}, 0, -0.1f);
    EXPECT_EQ(Refusal(negative), "Unable to read model file:\n" + Folder() + "/case.mod\nSpectra: spectrum " +
                                     (wide ? "El Centro" : "X spectrum") + ", point 1: Invalid spectrum values");
  }
}

TEST(OldModelFile, EveryTruncationIsRefusedAndNoFlippedByteFaults) {
  const std::string whole = OldModelFileBytes(OldModelChoices{});
  const std::string path = Folder() + "/case.mod";
  for (std::size_t length = 16; length < whole.size(); ++length)
    ASSERT_EQ(Refusal(whole.substr(0, length)), "Unable to read model file:\n" + path) << length;
  int refused = 0;
  for (std::size_t at = 16; at < whole.size(); ++at) {
    std::string flipped = whole;
    flipped[at] = static_cast<char>(flipped[at] ^ 0xFF);
    Model model;
    if (!Refusal(flipped, &model).empty()) {
      ++refused;
    } else {
      EXPECT_EQ(model.unmadeReason, "");
      EXPECT_LE(model.rowCount, 1502);
    }
  }
  EXPECT_GT(refused, 0);
}

class OldModelOpenTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    std::filesystem::remove_all(Folder());
    path_ = Folder() + "/pipe.mod";
    old_ = OldModelFileBytes(OldModelChoices{});
    PutBytes(path_, old_);
    // Not a first run: no sample model opens.
    std::filesystem::create_directories(std::filesystem::path(FirstRunMarkerPath()).parent_path());
    std::ofstream(FirstRunMarkerPath()).put('\n');
    InitApplication("");
    platform::RunUntilIdle();
  }
  void TearDown() override {
    CloseModel();
    AppFixture::TearDown();
  }
  // The question's Yes is its OK button, No its Cancel.
  void OpenThroughTheMenu(int answer, const std::string& version = "4.01", const std::string& refusal = "") {
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [this](HWND dialog) {
      SetDlgItemText(dialog, edt1, path_.c_str());
      platform::TestKeyPress(VK_RETURN);
    });
    platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG", [this, answer, version](HWND dialog) {
      EXPECT_EQ(LinesOfDialog(dialog),
                (std::vector<std::string>{path_, " Model data is in Version " + version + " format.",
                                          "Do you want to convert to 9 format ?"}));
      SendMessage(dialog, WM_COMMAND, answer, 0);
    });
    if (!refusal.empty())
      platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE2_DIALOG", [this, refusal](HWND dialog) {
        EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{refusal, path_}));
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
      });
    else if (answer == IDOK)
      ExpectConversionLog(WriterNotes());
    SendMessage(MainFrame().window, WM_COMMAND, 102, 0);
    platform::CheckModalScript();
  }
  static void ExpectConversionLog(std::vector<std::string> notes) {
    notes.insert(notes.begin(), "The conversion gave " + std::to_string(notes.size()) + " warnings:");
    platform::ExpectModal(platform::ModalKind::Dialog, "IMPORT_LOG_DIALOG", [notes](HWND dialog) {
      EXPECT_EQ(ImportLogLines(dialog), notes);
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
  }
  std::string path_;
  std::string old_;
};

TEST_F(OldModelOpenTest, NoLeavesTheOpenModelYesConvertsAndTheFirstSaveKeepsTheOldFile) {
  const std::string before = SavedBytes(TheModel(), "before.mod");
  OpenThroughTheMenu(IDCANCEL);
  EXPECT_NE(TheModel().path, path_);
  EXPECT_TRUE(SavedBytes(TheModel(), "after.mod") == before);
  EXPECT_TRUE(Bytes(path_) == old_);

  OpenThroughTheMenu(IDOK);
  ASSERT_EQ(TheModel().path, path_);
  Model direct;
  BuildConvertedModel(OldModelChoices{}, 10, direct);
  EXPECT_TRUE(SavedBytes(TheModel(), "converted.mod") == SavedBytes(direct, "direct.mod"));
  EXPECT_TRUE(Bytes(path_) == old_);  // opening alone writes nothing

  const std::string backup = Folder() + "/pipe.401";
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG", [backup](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Model was converted to Version 9 format.",
                                                               "Original model was saved as:", backup}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  platform::CheckModalScript();
  EXPECT_TRUE(Bytes(backup) == old_);
  EXPECT_EQ(Bytes(path_).substr(0, 14), "QUORVELWMOD900");
  EXPECT_TRUE(Bytes(path_) == SavedBytes(TheModel(), "open.mod"));

  // Later saves neither copy nor report again.
  std::filesystem::remove(backup);
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  platform::CheckModalScript();
  EXPECT_FALSE(std::filesystem::exists(backup));
}

// File > Open of an old model whose options a model file cannot hold:
// the model opens with the new model's values, and the log says which.
TEST_F(OldModelOpenTest, WhatTheConversionTookInPlaceOfValuesOutOfRangeIsShown) {
  OldModelChoices choices;
  choices.cutOffFrequency = 0;
  choices.modeCount = -3;
  PutBytes(path_, OldModelFileBytes(choices));
  const AnalysisOptions fresh = ProgramAnalysisOptions();
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Open", [this](HWND dialog) {
    SetDlgItemText(dialog, edt1, path_.c_str());
    platform::TestKeyPress(VK_RETURN);
  });
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE3_DIALOG",
                        [](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDOK, 0); });
  ExpectConversionLog(WriterNotes({"Analysis options: cut off frequency 0 out of range 1 to 2147483647: " +
                                       std::to_string(fresh.CutOffFrequency) + " taken",
                                   "Analysis options: number of modes -3 out of range 1 to 2147483647: " +
                                       std::to_string(fresh.ModeCount) + " taken"}));
  SendMessage(MainFrame().window, WM_COMMAND, 102, 0);
  platform::CheckModalScript();
  EXPECT_EQ(TheModel().path, path_);
  EXPECT_EQ(TheModel().options.CutOffFrequency, fresh.CutOffFrequency);
}

TEST_F(OldModelOpenTest, AnOldFileThatCannotBeKeptIsNotOverwritten) {
  OpenThroughTheMenu(IDOK);
  ASSERT_EQ(TheModel().path, path_);
  // A folder where the copy must go: the copy fails.
  std::filesystem::create_directories(Folder() + "/pipe.401/inside");
  platform::ExpectModal(platform::ModalKind::Dialog, "MESSAGE4_DIALOG", [this](HWND dialog) {
    EXPECT_EQ(LinesOfDialog(dialog), (std::vector<std::string>{"Model file: " + path_,
                                                               "The original model could not be copied to",
                                                               Folder() + "/pipe.401", "The model was not saved."}));
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 104, 0);
  platform::CheckModalScript();
  EXPECT_TRUE(Bytes(path_) == old_);
}

// File > Open converts the nozzle rows of both layouts with every field as
// written; a damaged nozzle record is refused with the file's name and leaves
// the model that was open untouched.
TEST_F(OldModelOpenTest, NozzleRowsOpenThroughTheMenuAndADamagedOneIsRefused) {
  for (int version : {401, 372}) {
    SCOPED_TRACE(version);
    const OldModelChoices choices = WithNozzles(version);
    PutBytes(path_, OldModelFileBytes(choices));
    OpenThroughTheMenu(IDOK, version == 401 ? "4.01" : "3.72");
    ASSERT_EQ(TheModel().path, path_);
    ExpectNozzlesAsWritten(TheModel(), choices);
    Model direct;
    BuildConvertedModel(choices, 10, direct);
    EXPECT_TRUE(SavedBytes(TheModel(), "open.mod") == SavedBytes(direct, "direct.mod"));
  }
  const std::string before = SavedBytes(TheModel(), "before.mod");
  OldModelChoices damaged = WithNozzles(401);
  damaged.nozzles[0].extraWrittenBits = 1 << 12;
  PutBytes(path_, OldModelFileBytes(damaged));
  OpenThroughTheMenu(IDOK, "4.01", "Unable to read model file:");
  EXPECT_TRUE(SavedBytes(TheModel(), "after.mod") == before);
}

}  // namespace
