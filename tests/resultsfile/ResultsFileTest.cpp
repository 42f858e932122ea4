// The results file: the one the analysis writes is read back by the
// results reader with every block where the model puts it (size and
// offsets computed here from the model's counts, not from the writer), and
// hand-built files show the reader's layout for what the analysis cannot
// write yet (a modal block between result cases, a response spectrum case,
// soil restraints, hanger records) and its refusals: the older format, a
// foreign magic, another version, and every file that is not the results
// of the model beside it: results older than the model file (a save after
// the run, or a run that failed after its save), element records or counts
// that are not the model's (none, or far too many), soil records without
// buried pipe, a file one byte short or padded, counts that run past its
// end, a model that cannot be analysed. Each refusal says "Unable to read
// results file", then why and what to do. A refused file fills nothing and
// leaves the model as it was.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>

#include "analysis/AnalysisTesting.h"
#include "files/ByteEmitter.h"
#include "files/ModelFile.h"
#include "model/AnalysisElements.h"
#include "model/MakeModel.h"
#include "services/TempFiles.h"
#include "supports/Restraint.h"

namespace {

using namespace analysis_testing;

// The reader's refusals: the first line always, then why and what to do.
const std::string kCutShort =
    "Unable to read results file\nThe file is damaged or cut short.\nPlease reanalyze the model.";
const std::string kNotResults =
    "Unable to read results file\nThe file is not a results file.\nPlease reanalyze the model.";
const std::string kOtherModel =
    "Unable to read results file\nThe file holds the results of another model, or of this model before it was "
    "changed.\nPlease reanalyze the model.";
const std::string kShorter =
    "Unable to read results file\nThe file ends before the results of the model's load cases do.\nPlease "
    "reanalyze the model.";
const std::string kLonger =
    "Unable to read results file\nThe file holds more than the results of the model's load cases.\nPlease "
    "reanalyze the model.";

class ResultsFileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(ResultsPathOf(path_));
    std::filesystem::remove(path_);
    InitEmptyModel(TheModel(), AnalysisOptions());
  }
  // From 10 (anchor), pipe 20 (+60 X, Y restraint), bend 30 (+60 X, a
  // force), pipe 40 (+60 Z, anchor).
  Model& Build() {
    Model& model = TheModel();
    StartModel(model, 300.0, kDensity, path_);
    PipeRow(model, 10, ElementType::From, 0.0f);
    PutItem(model, 1, DataType::Anchor);
    PipeRow(model, 20, ElementType::Pipe, 60.0f);
    PutItem(model, 2, DataType::Restraint);
    static_cast<Restraint&>(*model.row(2).item).restrainY = 1;
    PipeRow(model, 30, ElementType::Bend, 60.0f);
    PipeRow(model, 40, ElementType::Pipe, 0.0f, 0.0f, 60.0f);
    PutItem(model, 4, DataType::Anchor);
    MakeModel(model);
    return model;
  }
  std::string ReadError(const Model& model, const std::string& bytes) {
    {
      std::ofstream out(ResultsPathOf(path_), std::ios::binary);
      out << bytes;
    }
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPathOf(path_)));
    ResultsFileContents contents;
    try {
      ReadResultsFile(file, ResultsPathOf(path_), model, contents);
    } catch (const std::string& message) {
      return message;
    }
    return {};
  }
  // Reads the results beside the model into `contents`; the refusal, or "".
  std::string ReadInto(const Model& model, ResultsFileContents& contents) {
    BinaryFile file;
    EXPECT_TRUE(BinaryFileOpenRead(file, ResultsPathOf(path_)));
    try {
      ReadResultsFile(file, ResultsPathOf(path_), model, contents);
    } catch (const std::string& message) {
      return message;
    }
    return {};
  }
  static std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  static void Header(ByteEmitter& out, const char* version = "900") {
    out.Fixed("QUORVELWRES", 11);
    out.Fixed(version, 3);
    out.Zeros(2);
  }
  std::string path_ = TempFolder() + "/results-file.mod";
};

TEST_F(ResultsFileTest, TheAnalysisWritesEveryBlockWhereTheReaderLooks) {
  Model& model = Build();
  // An entry 0 takes no room.
  SetCases(model, {1, 0, 8, 2});
  const RunResults run = AnalyseAndRead(model);
  const AnalysisElementList& elements = TheAnalysisElements();
  const std::int64_t N = model.nodes.count, E = elements.count;
  ASSERT_EQ(E, 4);  // lead-in, arc and two pipes
  const std::int64_t SB = 4 * (6 + 3 + 6);
  const std::int64_t block = 24 * N + 48 * E + SB;
  const std::int64_t first = 16 + 4 + 32 * E + 4;
  EXPECT_EQ(run.fileSize, first + 3 * block);
  EXPECT_EQ(run.contents.endOffset, run.fileSize);
  ASSERT_EQ(run.contents.cases.size(), 4u);
  for (int k = 1; k <= 3; ++k) {
    const ResultCaseOffsets& at = run.contents.cases[static_cast<std::size_t>(k)];
    EXPECT_EQ(at.type, (std::array<int, 3>{1, 8, 2})[static_cast<std::size_t>(k - 1)]);
    EXPECT_EQ(at.displacements, first + (k - 1) * block);
    EXPECT_EQ(at.forces, at.displacements + 24 * N);
    EXPECT_EQ(at.supportLoads, at.forces + 48 * E);
  }
  // The header and the element records, byte for byte.
  std::ifstream in(ResultsPathOf(path_), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes.substr(0, 16), std::string("QUORVELWRES900\0\0", 16));
  ASSERT_EQ(run.contents.elementCount, E);
  for (int e = 1; e <= E; ++e) {
    const AnalysisElement &read = run.contents.elements[static_cast<std::size_t>(e)], &made = elements[e];
    EXPECT_EQ(std::tie(read.kind, read.row, read.node1, read.node2, read.material, read.section, read.load),
              std::tie(made.kind, made.row, made.node1, made.node2, made.material, made.section, made.load));
  }
  // Supports in kind order (anchors, then restraints), each at its offset.
  EXPECT_EQ(run.contents.supportList, (std::vector<int>{1, 4, 2}));
  EXPECT_EQ(run.contents.supportOffset[2], 24);
  EXPECT_EQ(run.contents.supportOffset[4], 36);
  EXPECT_EQ(run.contents.supportValueCount[2], 3);
  // Every element end carries results; the bend's corner node does not.
  EXPECT_EQ(run.contents.resultNodes.size(), 5u);
  for (int node : run.contents.resultNodes) EXPECT_NE(model.nodes[node].id, 30);
  EXPECT_EQ(run.contents.stressElements.size(), 4u);
  // Every node is written, including the corner node without equations
  // (six zeros), and the restraint holds the weight share it carries.
  const int corner = FindNodeIndex(model.nodes, 30);
  for (float value : run.cases[0].nodes[static_cast<std::size_t>(corner)]) EXPECT_EQ(value, 0.0f);
  EXPECT_LT(SupportValues(run, run.cases[0], 2)[1], -1.0);
}

TEST_F(ResultsFileTest, AModalBlockASpectrumCaseSoilAndHangersAreLaidOutAsTheReaderSays) {
  Model& model = Build();
  PutItem(model, 3, DataType::Hanger);  // the reader reads any model
  model.sections[1].soil = "CLAY";      // buried: soil records belong to it
  SetCases(model, {1, 30, 31, 8});
  AnalysisElementList elements;
  GenerateAnalysisElements(model, elements);
  const std::int64_t N = model.nodes.count;
  const int E = elements.count, S = 1, M = 2;
  ByteEmitter out;
  Header(out);
  out.Int(E);
  for (int e = 1; e <= E; ++e) {
    const AnalysisElement& element = elements[e];
    for (std::int32_t field : {element.kind, element.row, element.node1, element.node2, element.material,
                               element.section, element.load, element.hydrotestRow})
      out.Int(field);
  }
  out.Int(S);
  out.Int(2);
  out.Floats({1, 2, 3, 4, 5, 6, 7, 8});
  out.Zeros(4);
  const std::int64_t SB = 4 * (6 + 3 + 1 + 6);
  auto resultBlock = [&](int nodeSets) { out.Zeros(static_cast<std::size_t>(24 * N * nodeSets + 48 * E + SB)); };
  resultBlock(1);
  out.Int(M);
  out.Floats({2.5f, 7.0f});
  out.Zeros(static_cast<std::size_t>(24 * N * M));
  out.Floats({3, 4, 0, 0, 1, 0});
  out.Float(10.0f);
  resultBlock(2);
  resultBlock(1);
  out.Fixed("B-268", 6);
  out.Fixed("12", 6);
  out.Floats({150.0f, 1, 2, 3, 4});
  const std::string bytes = out.bytes();
  ASSERT_EQ(ReadError(model, bytes), "");
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, ResultsPathOf(path_)));
  ResultsFileContents r;
  ReadResultsFile(file, ResultsPathOf(path_), model, r);
  const std::int64_t first = 24 + 32 * E + 40 * S;
  const std::int64_t plain = 24 * N + 48 * E + SB;
  ASSERT_EQ(r.cases.size(), 4u);
  EXPECT_EQ(r.cases[1].displacements, first);
  const std::int64_t modal = first + plain;
  EXPECT_EQ(r.modal.shapes, modal + 4 + 4 * M);
  EXPECT_EQ(r.modal.frequencies, (std::vector<float>{2.5f, 7.0f}));
  EXPECT_EQ(r.modal.totalMass, 10.0f);
  EXPECT_FLOAT_EQ(r.modal.massSums[0], (9.0f + 0.0f) / 10.0f);
  EXPECT_FLOAT_EQ(r.modal.massSums[1], (16.0f + 1.0f) / 10.0f);
  const std::int64_t spectrum = modal + 8 + 16 * M + 24 * N * M;
  EXPECT_EQ(r.cases[2].displacements, spectrum);
  EXPECT_EQ(r.cases[2].accelerations, spectrum + 24 * N);
  EXPECT_EQ(r.cases[2].forces, spectrum + 48 * N);
  EXPECT_EQ(r.cases[3].displacements, spectrum + plain + 24 * N);
  EXPECT_EQ(r.endOffset, static_cast<std::int64_t>(bytes.size()));
  ASSERT_EQ(r.soil.size(), 2u);
  EXPECT_EQ(r.soil[1].element, 2);
  EXPECT_EQ(r.soil[1].values[7], 8.0f);
  ASSERT_EQ(r.hangers.size(), 1u);
  EXPECT_EQ(r.hangers[0].figure, "B-268");
  EXPECT_EQ(r.hangers[0].design[3], 4.0f);
  EXPECT_EQ(r.supportList, (std::vector<int>{1, 4, 3, 2}));  // anchors, hangers, restraints
  // A mode count that runs past the end of the file.
  std::string modes = bytes;
  const std::int32_t tooMany = 1000000;
  std::memcpy(modes.data() + modal, &tooMany, 4);
  EXPECT_EQ(ReadError(model, modes), kCutShort);
  // One byte short of the last hanger record: refused, never read as zeros.
  EXPECT_EQ(ReadError(model, bytes.substr(0, bytes.size() - 1)), kShorter);
  // Without buried pipe the soil record is not this model's.
  model.sections[1].soil.clear();
  EXPECT_EQ(ReadError(model, bytes), kOtherModel);
}

TEST_F(ResultsFileTest, TheReaderRefusesOtherFormatsVersionsAndForeignFiles) {
  Model& model = Build();
  SetCases(model, {1});
  ByteEmitter old;
  old.Fixed("QUORVEL.RES", 12);
  old.Zeros(2);
  old.Bytes({0x2A, 0x03});  // 810
  EXPECT_EQ(ReadError(model, old.bytes()), "Results file is in Version 8.10 format.\nUnable to read results file.");
  ByteEmitter other;
  other.Fixed("QUORVELWMOD900", 16);
  EXPECT_EQ(ReadError(model, other.bytes()), kNotResults);
  // Shorter than a header: an empty file, or one cut in its header.
  EXPECT_EQ(ReadError(model, ""), kCutShort);
  EXPECT_EQ(ReadError(model, std::string("QUORVELWRES900", 14)), kCutShort);
  ByteEmitter older;
  Header(older, "850");
  EXPECT_EQ(ReadError(model, older.bytes()), "Program version = 9.00\nResults version = 8.50\nPlease reanalyze the model.");
  ByteEmitter foreign;
  Header(foreign);
  foreign.Int(1);
  foreign.Int(3), foreign.Int(2), foreign.Int(1), foreign.Int(model.nodes.count + 1);
  foreign.Int(1), foreign.Int(1), foreign.Int(1), foreign.Int(0);
  foreign.Int(0);
  EXPECT_EQ(ReadError(model, foreign.bytes()), kOtherModel);
  ByteEmitter huge;
  Header(huge);
  huge.Int(1000000);
  EXPECT_EQ(ReadError(model, huge.bytes()), kCutShort);
}

// Results of the model as it was, beside the model as it is now: the same
// shapes, other values. After the save that a run begins with, a run that
// fails or is killed leaves the earlier results beside the new model file.
TEST_F(ResultsFileTest, ResultsOlderThanTheModelFileAreRefused) {
  Model& model = Build();
  SetCases(model, {1, 8, 2});
  ASSERT_EQ(WriteModelFileFrom(model, path_), "");
  AnalyseAndRead(model);
  const std::string results = ResultsPathOf(path_);
  const std::string earlier = FileBytes(results);
  // The engineer raises the temperature and saves; the run that follows
  // never gets to write its results.
  model.pipeLoads[1].operating[0].temperature = 600.0f;
  ASSERT_EQ(WriteModelFileFrom(model, path_), "");
  // The save comes after the run, even on a file system whose clock does
  // not tick between the two.
  const auto saved = std::filesystem::last_write_time(path_);
  std::filesystem::last_write_time(results, saved - std::chrono::seconds(1));
  ResultsFileContents contents;
  contents.elementCount = 99;
  EXPECT_EQ(ReadInto(model, contents),
            "Unable to read results file\nThe model was changed after it was analysed.\nPlease reanalyze the model.");
  EXPECT_EQ(contents.elementCount, 0);  // nothing read
  EXPECT_TRUE(contents.cases.size() == 1 && contents.elements.size() == 1);
  EXPECT_EQ(FileBytes(results), earlier);
  EXPECT_EQ(model.pipeLoads[1].operating[0].temperature, 600.0f);
  // Written no earlier than the model file, the same bytes are read.
  std::filesystem::last_write_time(results, saved);
  EXPECT_EQ(ReadInto(model, contents), "");
  EXPECT_EQ(contents.elementCount, 4);
  // Analysed again, the model's own results are read.
  AnalyseAndRead(model);
  EXPECT_EQ(ReadInto(model, contents), "");
}

// Results beside a model that can no longer be made into elements (a row
// names a material the model does not have): what is wrong with the model
// comes after the first line, and the model is to be mended first.
TEST_F(ResultsFileTest, AModelThatCannotBeAnalysedHasNoResults) {
  Model& model = Build();
  SetCases(model, {1});
  AnalyseAndRead(model);
  const std::string bytes = FileBytes(ResultsPathOf(path_));
  model.row(2).material = "NONE";
  MakeModel(model);
  AnalysisElementList elements;
  std::string fault;
  try {
    GenerateAnalysisElements(model, elements);
  } catch (const std::string& message) {
    fault = message;
  }
  ASSERT_NE(fault, "");
  EXPECT_EQ(ReadError(model, bytes), "Unable to read results file\nThe model cannot be analysed as it stands:\n" + fault +
                                         "\nPlease correct the model and reanalyze it.");
}

// Every change of an analysed file that keeps its header: padded, counts
// that are not the model's (0, or 200 000 for a model of four elements),
// an element record of another model, a soil record where the model has no
// buried pipe even when the length still adds up.
TEST_F(ResultsFileTest, FilesWhoseCountsRecordsOrLengthAreNotTheModelsAreRefused) {
  Model& model = Build();
  SetCases(model, {1, 8});
  AnalyseAndRead(model);
  const std::string bytes = FileBytes(ResultsPathOf(path_));
  ASSERT_EQ(ReadError(model, bytes), "");
  auto withInt = [&bytes](std::size_t offset, std::int32_t value) {
    std::string changed = bytes;
    std::memcpy(changed.data() + offset, &value, 4);
    return changed;
  };
  EXPECT_EQ(ReadError(model, bytes + std::string(4, '\0')), kLonger);
  EXPECT_EQ(ReadError(model, bytes.substr(0, bytes.size() - 1)), kShorter);
  EXPECT_EQ(ReadError(model, withInt(16, 0)), kOtherModel);
  EXPECT_EQ(ReadError(model, withInt(16, 200000) + std::string(32 * 200000, '\0')), kOtherModel);
  EXPECT_EQ(ReadError(model, withInt(16, 3)), kOtherModel);
  EXPECT_EQ(ReadError(model, withInt(16, -1)), kCutShort);
  // Element 2's material (record 1) named as record 2; then its row.
  EXPECT_EQ(ReadError(model, withInt(20 + 32 + 16, 2)), kOtherModel);
  EXPECT_EQ(ReadError(model, withInt(20 + 32 + 4, 4)), kOtherModel);
  // Cut in the element records, and in the soil count after them.
  EXPECT_EQ(ReadError(model, bytes.substr(0, 20 + 32 * 3)), kCutShort);
  EXPECT_EQ(ReadError(model, bytes.substr(0, 20 + 32 * 4 + 2)), kCutShort);
  // Soil records past the end of the file.
  EXPECT_EQ(ReadError(model, withInt(20 + 32 * 4, 1000000)), kCutShort);
  // One soil record for element 1 in place of the last 40 bytes.
  const std::size_t soilCount = 20 + 32 * 4;
  ByteEmitter soil;
  soil.Int(1);
  soil.Floats({1, 2, 3, 4, 5, 6, 7, 8});
  soil.Zeros(4);
  std::string buried = withInt(soilCount, 1);
  buried.insert(soilCount + 4, soil.bytes());
  buried.resize(bytes.size());
  EXPECT_EQ(ReadError(model, buried), kOtherModel);
  // The unchanged file still reads.
  EXPECT_EQ(ReadError(model, bytes), "");
}

}  // namespace
