// The model file: the all-kinds model written, read and written identical;
// files of older versions built byte by byte read with their field widths,
// node recoding and remapped displacement sets; every prefix of a valid file
// refused while the open model stays as it was; seeded byte flips; the
// messages of the frame; saving through a temporary file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "files/AllKindsModel.h"
#include "files/ByteEmitter.h"
#include "files/ModelFile.h"
#include "model/Model.h"
#include "model/RowObjects.h"
#include "services/BinaryFile.h"
#include "supports/Anchor.h"

namespace {

std::string TempPath(const std::string& name) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder ? folder : "/tmp") + "/" + name;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string WrittenBytes(const Model& model) {
  const std::string path = TempPath("written.mod");
  EXPECT_EQ(WriteModelFileFrom(model, path), "");
  return FileBytes(path);
}

std::string ReadError(const std::string& path) {
  Model model;
  try {
    ReadModelFileInto(path, model);
  } catch (const std::string& message) {
    return message;
  }
  return {};
}

TEST(ModelFile, AllKindsModelWrittenReadAndWrittenAgainIsIdentical) {
  Model built;
  BuildAllKindsModel(built);
  const std::string first = WrittenBytes(built);
  ASSERT_GT(first.size(), 1000u);
  EXPECT_EQ(first.substr(0, 14), "QUORVELWMOD900");

  const std::string path = TempPath("allkinds.mod");
  PutFile(path, first);
  Model read;
  ASSERT_NO_THROW(ReadModelFileInto(path, read));
  EXPECT_EQ(WrittenBytes(read), first);

  // Every element kind and data kind came back as its own object.
  bool elementSeen[kElementTypeLast + 1] = {};
  bool itemSeen[kDataTypeLast + 1] = {};
  for (int number = 1; number <= read.rowCount; ++number) {
    const LayoutRow& row = read.row(number);
    if (row.element) elementSeen[static_cast<int>(row.elementType)] = true;
    if (row.item) itemSeen[static_cast<int>(row.dataType)] = true;
  }
  for (int code = 1; code <= kElementTypeLast; ++code) EXPECT_TRUE(elementSeen[code]) << "element " << code;
  for (int code = 1; code <= kDataTypeLast; ++code) EXPECT_TRUE(itemSeen[code]) << "data " << code;
  EXPECT_EQ(read.materials.count, 1);
  EXPECT_EQ(read.sections.count, 2);
  EXPECT_EQ(read.revisions.count, 2);
  EXPECT_EQ(read.revisions.rows[2].rev, "B12");
  EXPECT_EQ(read.listName, "&Hangers");
  EXPECT_EQ(read.currentRow, 4);
  EXPECT_EQ(read.title, "All kinds of rows");
  EXPECT_FALSE(read.modified);
}

// A model read is made with every row at the first node of its id, as a
// search of the node table finds it.
TEST(ModelFile, EveryRowOfAReadModelEndsAtTheFirstNodeOfItsId) {
  Model built;
  BuildAllKindsModel(built);
  const std::string path = TempPath("allkinds-nodes.mod");
  PutFile(path, WrittenBytes(built));
  Model read;
  ASSERT_NO_THROW(ReadModelFileInto(path, read));
  int withNode = 0;
  for (int number = 1; number <= read.rowCount; ++number) {
    const LayoutRow& row = read.row(number);
    if (row.node == 0) continue;
    ++withNode;
    EXPECT_EQ(row.endNode, FindNodeIndex(read.nodes, row.node)) << "row " << number;
  }
  EXPECT_GT(withNode, 20);
  std::remove(path.c_str());
}

// One hand-built file of an older version: the fields each version has, in
// the widths it has them.
std::string OldModelFile(int version) {
  ByteEmitter out;
  out.Raw("QUORVELWMOD" + std::to_string(version));
  out.Zeros(2);
  out.Fixed("Old model", 50);
  out.Fixed("Client X", 42);
  out.Fixed("Project Y", 42);
  out.Zeros(42 + 42 + 26 + 26);
  if (version > 720) {
    out.Int(1);
    out.Fixed("R1", 4);
    out.Fixed("Dec 1,2020", 20);
    out.Fixed("Old file", 60);
  }
  // Analysis options.
  const int storedCode = version == 500 ? 18 : (version == 502 ? 5 : 11);
  out.Int(storedCode);
  out.Int(1);  // service level
  out.Int(2);  // design factor index
  out.Int(1);  // Z183 location factor index
  out.Int(3);  // Z184 class location
  out.Bytes({1, 0});
  if (version >= 670) out.Float(1.5f);
  out.Byte(0);  // axial force
  if (version > 780) out.Byte(1);
  out.Float(60.0f);
  out.Int(5000);
  out.Int(2);  // thermal loads
  if (version > 502) out.Byte(0);  // solve thermal case
  out.Bytes({0, 0, 1, 0, 1});
  out.Float(1.1f);
  if (version > 520) out.Float(0.05f);
  out.Int(40);
  out.Int(15);
  out.Bytes({0, 1});
  out.Floats({0.1f, 0.2f, 0.3f});
  out.Int(1);  // acceleration combination
  // Wind block.
  if (version <= 502) out.Float(50.0f);
  out.Floats({0.7f, 1.0f, 0.0f, 0.0f});
  if (version > 690) out.Zeros(12 * 4);
  if (version > 502) {
    out.Int(0);
    out.Int(0);
    out.Int(0);
    out.Byte(1);
    out.Int(1);
    out.Floats({0.0f, 60.0f});
  }
  if (version > 690) out.Zeros(3 * 4);
  out.Int(1);  // mode sum
  out.Int(2);  // direction sum
  out.Float(0.005f);
  out.Int(200);
  out.Int(2);
  out.Byte(1);
  out.Float(5.0f);
  out.Int(1);
  out.Float(2.0f);
  out.Byte(1);  // Z vertical
  if (version > 502) out.Int(20);
  out.Int(3);  // length in metres
  out.Zeros(19 * 4);
  // Load-case list.
  out.Int(2);
  out.Int(1);
  out.Int(8);
  // Graphics settings.
  out.Floats({0.5f, 1.0f, 0.25f, -50.0f, -40.0f});
  if (version > 501)
    out.Floats({250.0f, 160.0f});
  else
    out.Float(2.0f);
  if (version <= 502) out.Floats({-1.0f, -2.0f, 3.0f, 4.0f});
  out.Int(2);
  out.Bytes({1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0});
  out.Bytes({1, 0, 1});
  if (version > 640) out.Byte(0);
  // Tables: materials to turbines, spectra, force spectra, time functions,
  // soils, allowables, all empty.
  for (int table = 0; table < 9; ++table) out.Int(0);
  out.Int(0);
  if (version <= 502)
    for (int axis = 0; axis < 3; ++axis) {
      out.Fixed("", 16);
      out.Float(1.0f);
    }
  if (version > 502) out.Int(0);
  out.Int(0);
  if (version > 501) out.Int(0);
  if (version > 690) out.Int(0);
  // Layout rows.
  const std::size_t width = version < 680 ? 4 : 6;
  out.Int(3);
  out.Int(10);  // From 10 with an anchor
  out.Byte(0);
  out.Int(1);
  out.Int(1);
  out.Floats({1.0f, 2.0f, 3.0f});
  out.Zeros(3 * width + 16);
  if (version > 720) out.Fixed("ANC1", 12);
  out.Floats({5000.0f, 1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f, 1.0e12f});
  out.Bytes({0, 0, 0, 1, 0, 0});
  out.Bytes({1, 0, 0});  // T1, T2, T3
  if (version > 690) out.Zeros(7);
  out.Bytes({0, 1});  // seismic, settlement
  if (version >= 670) out.Bytes({0, 1});
  if (version > 690) {
    out.Floats({0.5f, 0, 0, 0, 0, 0});
    out.Zeros(9 * 6 * 4);
    out.Zeros(6 * 4);
    out.Floats({0, -0.25f, 0, 0, 0, 0});
  } else {
    out.Floats({0.5f, 0, 0, 0, 0, 0});
    out.Zeros(12 * 4);
    out.Zeros(6 * 4);
    out.Floats({0, -0.25f, 0, 0, 0, 0});
  }
  out.Int(20);  // Pipe 20
  out.Byte(0);
  out.Int(3);
  out.Int(0);
  out.Floats({100.0f, 0.0f, 0.0f});
  out.Fixed(width == 4 ? "MAT1" : "MAT12", width);
  out.Fixed("SEC", width);
  out.Fixed("LD1", width);
  out.Zeros(16);
  out.Int(20005);  // a Location row naming a derived node of the old numbering
  out.Byte(0);
  out.Int(2);
  out.Int(0);
  out.Zeros(12 + 3 * width + 16);
  out.Int(0);  // nodes
  if (version > 502) {
    out.Int(2);
    out.Int(1);
    out.Int(9);
    out.Raw(std::string("&Anchors", 9));
  }
  return out.bytes();
}

class OldVersions : public testing::TestWithParam<int> {};

TEST_P(OldVersions, ReadWithTheirWidthsDefaultsAndRecoding) {
  const int version = GetParam();
  const std::string path = TempPath("old" + std::to_string(version) + ".mod");
  PutFile(path, OldModelFile(version));
  Model model;
  ASSERT_NO_THROW(ReadModelFileInto(path, model)) << ReadError(path);

  // Piping code 18 of version 500 is 9, then 10; a stored 11 is 12 below 780.
  const int expectedCode = version == 500 ? 10 : (version == 502 ? 5 : (version < 780 ? 12 : 11));
  EXPECT_EQ(model.options.PipingCode, expectedCode);
  EXPECT_FLOAT_EQ(model.options.OccasionalLoadFactor, version < 670 ? 1.2f : 1.5f);
  EXPECT_EQ(model.options.SolveThermalCase, version <= 502 ? 1 : 0);
  EXPECT_FLOAT_EQ(model.options.YieldDisplacementFactor, version <= 520 ? 0.04f : 0.05f);
  EXPECT_EQ(model.options.UseB31J, 0);
  EXPECT_EQ(model.options.ZVertical, 1);
  EXPECT_EQ(model.nodeIncrement, version <= 502 ? 10 : 20);
  EXPECT_EQ(model.unitChoices[0], 3);
  EXPECT_EQ(model.seismic.combination, 1);
  EXPECT_FLOAT_EQ(model.wind.loads[0].shapeFactor, 0.7f);
  EXPECT_EQ(model.loadCases.count, 2);
  EXPECT_EQ(model.loadCases.cases[2], 8);
  EXPECT_EQ(model.graphics.axesTriad, 2);
  if (version <= 501) {
    int width = 0, height = 0;
    GraphicsWindowPixelSize(width, height);
    EXPECT_FLOAT_EQ(model.graphics.viewRight, -50.0f + static_cast<float>(width) / 2.0f);
  } else {
    EXPECT_FLOAT_EQ(model.graphics.viewRight, 250.0f);
  }
  EXPECT_EQ(model.graphics.showGenericSupports, version > 640 ? 0 : 1);
  EXPECT_EQ(model.revisions.count, version > 720 ? 1 : 0);
  if (version > 720) {
    EXPECT_EQ(model.revisions.rows[1].remarks, "Old file");
  }

  ASSERT_EQ(model.rowCount, 3);
  EXPECT_EQ(model.row(2).material, version < 680 ? "MAT1" : "MAT12");
  EXPECT_EQ(model.row(2).section, "SEC");
  EXPECT_EQ(model.row(3).node, version <= 681 ? 200005 : 20005);
  EXPECT_EQ(model.currentRow, version > 502 ? 2 : 1);
  EXPECT_EQ(model.listName, version > 502 ? "&Anchors" : "");
  EXPECT_EQ(model.title, "Old model");
  EXPECT_EQ(model.qa.project, "Project Y");

  // The old displacement sets T1 and Settlement land in slots 0 and 11.
  const auto* anchor = dynamic_cast<const Anchor*>(model.row(1).item.get());
  ASSERT_NE(anchor, nullptr);
  EXPECT_EQ(anchor->displacements.flags[0], 1);
  EXPECT_EQ(anchor->displacements.flags[11], 1);
  EXPECT_EQ(anchor->releases[3], 1);
  ASSERT_NE(anchor->displacements.sets, nullptr);
  EXPECT_FLOAT_EQ(anchor->displacements.sets->values[1], 0.5f);
  EXPECT_FLOAT_EQ(anchor->displacements.sets->values[6 * 11 + 2], -0.25f);

  // The model was made: node 20 lies 100 from the From node at (1, 2, 3).
  const int node20 = FindNodeIndex(model.nodes, 20);
  ASSERT_NE(node20, 0);
  EXPECT_FLOAT_EQ(model.nodes[node20].x, 101.0f);

  // Written as version 900 and read back, it writes the same bytes.
  const std::string written = WrittenBytes(model);
  PutFile(path, written);
  Model again;
  ASSERT_NO_THROW(ReadModelFileInto(path, again));
  EXPECT_EQ(WrittenBytes(again), written);
}

INSTANTIATE_TEST_SUITE_P(ModelFile, OldVersions, testing::Values(500, 502, 680, 682, 690, 720, 780));

class OpenModelFixture : public testing::Test {
 protected:
  void SetUp() override {
    Model built;
    BuildAllKindsModel(built);
    SwapModel(built);
    before_ = WrittenBytes(TheModel());
  }
  void ExpectOpenModelUnchanged() { EXPECT_EQ(WrittenBytes(TheModel()), before_); }
  std::string before_;
};

TEST_F(OpenModelFixture, EveryPrefixOfAValidFileIsRefusedAndTheOpenModelStays) {
  const std::string path = TempPath("prefix.mod");
  for (std::size_t length = 0; length < before_.size(); ++length) {
    PutFile(path, before_.substr(0, length));
    const std::string message = ReadModelFile(path);
    ASSERT_FALSE(message.empty()) << "prefix of " << length << " bytes was accepted";
  }
  ExpectOpenModelUnchanged();
  PutFile(path, before_);
  EXPECT_EQ(ReadModelFile(path), "");
  ExpectOpenModelUnchanged();
}

TEST_F(OpenModelFixture, SeededByteFlipsReadWithoutACrash) {
  const std::string path = TempPath("flipped.mod");
  std::mt19937 random(20261206);
  int refused = 0;
  for (int trial = 0; trial < 1500; ++trial) {
    std::string bytes = before_;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int flip = 0; flip < flips; ++flip) {
      const std::size_t at = 16 + random() % (bytes.size() - 16);
      bytes[at] = static_cast<char>(bytes[at] ^ (1u << (random() % 8)));
    }
    PutFile(path, bytes);
    if (!ReadModelFile(path).empty()) ++refused;
  }
  EXPECT_GT(refused, 0);
}

// The message of a model file that is there but may not be read, as the
// reader gives it to the user who may not read it. Root reads every file,
// so under root the read runs in a child process of another user, on a
// file in a folder that user may enter.
std::string ReadAsUserWhoMayNotRead(const std::string& bytes) {
  char folderName[] = "/tmp/quorvel-unreadable-XXXXXX";
  if (mkdtemp(folderName) == nullptr) return "mkdtemp failed";
  const std::string folder = folderName;
  const std::string path = folder + "/locked.mod";
  PutFile(path, bytes);
  std::filesystem::permissions(folder, std::filesystem::perms(0755));
  std::filesystem::permissions(path, std::filesystem::perms::none);
  std::string message;
  if (geteuid() != 0) {
    message = ReadModelFile(path);
  } else {
    int channel[2];
    if (pipe(channel) != 0) return "pipe failed";
    const pid_t child = fork();
    if (child == 0) {
      close(channel[0]);
      const uid_t nobody = 65534;
      if (setgid(nobody) != 0 || setuid(nobody) != 0) _exit(2);
      const std::string text = ReadModelFile(path);
      ssize_t written = write(channel[1], text.data(), text.size());
      _exit(written == static_cast<ssize_t>(text.size()) ? 0 : 3);
    }
    close(channel[1]);
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0) message.append(buffer, static_cast<std::size_t>(got));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) message = "child failed";
  }
  if (const std::size_t at = message.find(path); at != std::string::npos) message.replace(at, path.size(), "<path>");
  std::filesystem::remove_all(folder);
  return message;
}

// A file that exists but may not be read is not said to be missing, and a
// folder named like a model is no model; the open model stays.
TEST_F(OpenModelFixture, AFileThatMayNotBeReadOrAFolderSaysWhatItIs) {
  EXPECT_EQ(ReadAsUserWhoMayNotRead(before_), "Model file: <path>\nCannot be read: permission denied.");
  ExpectOpenModelUnchanged();
  const std::string folder = TempPath("folder.mod");
  std::filesystem::create_directories(folder);
  EXPECT_EQ(ReadModelFile(folder), "Model file: " + folder + "\nIs a folder, not a model file.");
  ExpectOpenModelUnchanged();
  EXPECT_EQ(ReadModelFile(TempPath("nowhere/missing.mod")),
            "Model file: " + TempPath("nowhere/missing.mod") + "\nDoes not exist.");
}

TEST_F(OpenModelFixture, FrameMessagesLeaveTheOpenModel) {
  const std::string path = TempPath("frame.mod");
  EXPECT_EQ(ReadModelFile(TempPath("missing.mod")),
            "Model file: " + TempPath("missing.mod") + "\nDoes not exist.");

  std::string bytes = before_;
  bytes.replace(11, 3, "503");
  PutFile(path, bytes);
  EXPECT_EQ(ReadModelFile(path), "Unable to read model file:\n" + path + "\nVersion = 5.03");
  bytes.replace(11, 3, "901");
  PutFile(path, bytes);
  EXPECT_EQ(ReadModelFile(path), "Unable to read model file:\n" + path + "\nVersion = 9.01");
  bytes.replace(0, 11, "QUORVELXMOD");
  PutFile(path, bytes);
  EXPECT_EQ(ReadModelFile(path), "Unable to read model file:\n" + path);

  ByteEmitter old;
  old.Raw(std::string("QUORVEL.MOD\0", 12));
  old.Zeros(100);
  PutFile(path, old.bytes());
  // An old header with version 0 is older than any the converter takes.
  EXPECT_EQ(ReadModelFile(path), "Unable to read Quorvel V 0.00 mod file");
  ExpectOpenModelUnchanged();
}

TEST_F(OpenModelFixture, RowCountAndTypeCodesAreChecked) {
  const std::string path = TempPath("rows.mod");
  // Locate the row count: the layout rows follow the allowables section,
  // so take the bytes of an otherwise empty model with one changed row.
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  model.graphics.viewLeft = 1.0f;
  model.rowCount = 1;
  model.row(1).node = 10;
  model.row(1).elementType = ElementType::From;
  model.row(1).element = CreateElementData(ElementType::From);
  const std::string bytes = WrittenBytes(model);
  // The row record: count 1, node 10, absolute 0, element type 1, data type 0.
  ByteEmitter row;
  row.Int(1);
  row.Int(10);
  row.Byte(0);
  row.Int(1);
  row.Int(0);
  const std::size_t at = bytes.find(row.bytes());
  ASSERT_NE(at, std::string::npos);

  std::string changed = bytes;
  ByteEmitter count;
  count.Int(7001);
  changed.replace(at, 4, count.bytes());
  PutFile(path, changed);
  EXPECT_EQ(ReadModelFile(path), "*** Number of rows = 7001 > maximum = 7000 ***");

  changed = bytes;
  ByteEmitter dataType;
  dataType.Int(22);
  changed.replace(at + 13, 4, dataType.bytes());
  PutFile(path, changed);
  EXPECT_EQ(ReadModelFile(path), "*** Invalid dtype = 22, at row 1 ***");

  changed = bytes;
  ByteEmitter elementType;
  elementType.Int(21);
  changed.replace(at + 9, 4, elementType.bytes());
  PutFile(path, changed);
  EXPECT_EQ(ReadModelFile(path), "*** Invalid etype = 21, at row 1 ***");
  ExpectOpenModelUnchanged();
}

// Replaces the first occurrence of the float `marker` in `bytes`; its
// position, or npos when it is not there.
std::size_t ReplaceFloat(std::string& bytes, float marker, float value) {
  ByteEmitter find, put;
  find.Float(marker);
  put.Float(value);
  const std::size_t at = bytes.find(find.bytes());
  if (at != std::string::npos) bytes.replace(at, 4, put.bytes());
  return at;
}

// A From row at node 10, then pipes to nodes 20, 30 ... with the offsets
// given, one (DX, DY) pair a row.
Model PipeModel(std::initializer_list<std::pair<float, float>> offsets) {
  Model model;
  InitEmptyModel(model, AnalysisOptions{});
  for (int number = 1; number <= static_cast<int>(offsets.size()) + 1; ++number) {
    const ElementType type = number == 1 ? ElementType::From : ElementType::Pipe;
    model.row(number).node = 10 * number;
    model.row(number).elementType = type;
    model.row(number).element = CreateElementData(type);
    if (number > 1) std::tie(model.row(number).dx, model.row(number).dy) = offsets.begin()[number - 2];
    model.rowCount = number;
  }
  return model;
}

TEST_F(OpenModelFixture, ANumberThatIsNotFiniteIsRefusedWhereverItIs) {
  Model model = PipeModel({{12.5f, 0.0f}});
  model.graphics.viewLeft = -3.25f;
  const std::string bytes = WrittenBytes(model);
  const std::string path = TempPath("notfinite.mod");
  struct Case {
    float marker;
    float value;
  };
  for (const Case& c : {Case{12.5f, std::nanf("")}, Case{12.5f, HUGE_VALF}, Case{-3.25f, -HUGE_VALF}}) {
    std::string changed = bytes;
    const std::size_t at = ReplaceFloat(changed, c.marker, c.value);
    ASSERT_NE(at, std::string::npos);
    PutFile(path, changed);
    EXPECT_EQ(ReadModelFile(path),
              "The file is damaged.\nModel file: a number that is not finite at byte " + std::to_string(at));
  }
  ExpectOpenModelUnchanged();
  PutFile(path, bytes);
  EXPECT_EQ(ReadModelFile(path), "");
}

TEST(ModelFileOpen, AModelViewedAboutTheOriginKeepsItsViewpointAndAnUnviewedOneIsTurned) {
  // Nodes at (0, 0, 0), (100, 0, 0) and (100, 50, 0) seen along Z: the model
  // spans 0 .. 100 by 0 .. 50 on the screen, though the view window the
  // user left is centred on the origin.
  Model model = PipeModel({{100.0f, 0.0f}, {0.0f, 50.0f}});
  model.graphics.viewDirection = {0.0f, 0.0f, 1.0f};
  model.graphics.viewLeft = -60.0f;
  model.graphics.viewRight = 60.0f;
  model.graphics.viewBottom = -40.0f;
  model.graphics.viewTop = 40.0f;
  const std::string path = TempPath("viewed.mod");
  PutFile(path, WrittenBytes(model));
  Model read;
  ReadModelFileInto(path, read);
  EXPECT_EQ(read.graphics.viewDirection, (std::array<float, 3>{0.0f, 0.0f, 1.0f}));
  EXPECT_NEAR(read.graphics.extentLeft, 0.0f, 1e-4);
  EXPECT_NEAR(read.graphics.extentRight, 100.0f, 1e-4);
  EXPECT_NEAR(read.graphics.extentBottom, 0.0f, 1e-4);
  EXPECT_NEAR(read.graphics.extentTop, 50.0f, 1e-4);
  // A model without nodes was never viewed, wherever its window is.
  Model empty;
  InitEmptyModel(empty, AnalysisOptions{});
  empty.graphics.viewDirection = {0.0f, 1.0f, 0.0f};
  empty.graphics.viewLeft = 10.0f;
  empty.graphics.viewRight = 20.0f;
  PutFile(path, WrittenBytes(empty));
  Model unviewed;
  ReadModelFileInto(path, unviewed);
  EXPECT_EQ(unviewed.graphics.viewDirection, (std::array<float, 3>{1.0f, 1.0f, 1.0f}));
}

TEST(ModelFileWriter, SavingReplacesTheFileOnlyWhenWrittenWhole) {
  Model model;
  BuildAllKindsModel(model);
  const std::string folder = TempPath("save");
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/model.mod";
  PutFile(path, "previous contents");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(WriteModelFileFrom(model, path), "");
  // The saved file keeps the permissions of the one it replaced.
  EXPECT_EQ(std::filesystem::status(path).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(FileBytes(path).substr(0, 14), "QUORVELWMOD900");
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);  // no temporary file left behind

  const std::string missing = folder + "/no such folder/model.mod";
  EXPECT_EQ(WriteModelFileFrom(model, missing), "Unable to write model file:\n" + missing);

  // A name too long for a row's field is a failed write, and the old file stays.
  const std::string before = FileBytes(path);
  model.row(2).material = "TOOLONG";
  EXPECT_EQ(WriteModelFileFrom(model, path),
            "The text \"TOOLONG\" is longer than the 5 characters the model file keeps for it.\n"
            "The model was not saved.");
  EXPECT_EQ(FileBytes(path), before);
}

// A text longer than its field is the model's fault, not the disk's: the
// save names the text and the characters its field keeps (a pump's 15, a
// support's tag of 12 that fills its field without a terminator), writes
// nothing, and leaves no temporary beside the file.
TEST(ModelFileWriter, ATextTooLongForItsFieldIsNamedAndNothingIsWritten) {
  const std::string folder = TempPath("overlong");
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/model.mod";
  Model model;
  BuildAllKindsModel(model);
  ASSERT_GE(model.pumps.count, 1);
  model.pumps[1].name = "P-101 FEED PUMP";  // 15: kept
  EXPECT_EQ(WriteModelFileFrom(model, path), "");
  const std::string fifteen = FileBytes(path);
  model.pumps[1].name = "P-101 FEED PUMPS";
  EXPECT_EQ(WriteModelFileFrom(model, path),
            "The text \"P-101 FEED PUMPS\" is longer than the 15 characters the model file keeps for it.\n"
            "The model was not saved.");
  EXPECT_EQ(FileBytes(path), fifteen);
  model.pumps[1].name = "P-101";
  Anchor* anchor = nullptr;
  for (int number = 1; number <= model.rowCount && anchor == nullptr; ++number)
    anchor = dynamic_cast<Anchor*>(model.row(number).item.get());
  ASSERT_NE(anchor, nullptr);
  anchor->tag = "ANCHOR-A-1001";
  EXPECT_EQ(WriteModelFileFrom(model, path),
            "The text \"ANCHOR-A-1001\" is longer than the 12 characters the model file keeps for it.\n"
            "The model was not saved.");
  EXPECT_EQ(FileBytes(path), fifteen);
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(ModelFileWriter, WriteModelFileClearsTheModifiedFlag) {
  Model built;
  BuildAllKindsModel(built);
  built.modified = true;
  SwapModel(built);
  EXPECT_EQ(WriteModelFile(TempPath("open.mod")), "");
  EXPECT_FALSE(TheModel().modified);
}

}  // namespace

#include "services/Units.h"

namespace {

TEST(ModelFileOpen, TheOpenModelsUnitsAndOptionsBecomeTheProgramsAndTheNewModelsDefaults) {
  const UnitsSettings savedUnits = g_UnitsSettings;
  const AnalysisOptions savedOptions = ProgramAnalysisOptions();
  Model built;
  BuildAllKindsModel(built);  // length in unit 3, 12 modes, Bourdon effect off
  built.options.BourdonEffect = 1;
  const std::string path = TempPath("units.mod");
  ASSERT_EQ(WriteModelFileFrom(built, path), "");
  ASSERT_EQ(ReadModelFile(path), "");
  EXPECT_EQ(g_UnitsSettings.unit[kUnitLength], 3);
  EXPECT_EQ(ProgramAnalysisOptions().BourdonEffect, 1);
  Model fresh;
  InitEmptyModel(fresh, ProgramAnalysisOptions());
  EXPECT_EQ(fresh.options.BourdonEffect, 1);  // kept by a new model
  EXPECT_EQ(fresh.options.ModeCount, 20);     // a new model's own value
  EXPECT_EQ(fresh.unitChoices[0], 3);
  g_UnitsSettings = savedUnits;
  ProgramAnalysisOptions() = savedOptions;
}

}  // namespace

#include "records/LoadCaseList.h"

namespace {

// A model file lists any case its section holds: one that needs more
// thermal loads than the file's options use (a buried step among them)
// opens without it, a note per case dropped, the others in their order
// with their flags, and the model modified since it no longer matches its
// file. The open command's reader passes the notes on.
TEST(ModelFileOpen, ACaseOfATemperatureOutOfUseIsDroppedWithANote) {
  const AnalysisOptions savedOptions = ProgramAnalysisOptions();
  const UnitsSettings savedUnits = g_UnitsSettings;
  Model built;
  BuildAllKindsModel(built);
  built.options.ThermalLoadCount = 2;
  LoadCaseList& list = built.loadCases;
  list = LoadCaseList();
  for (int id : {1, 8, 9, 2, 3, 4, 10, 16, 17, 40, 110, 5}) list.cases[static_cast<std::size_t>(++list.count)] = id;
  LoadCaseFlagsFromList(list);
  const std::string path = TempPath("beyond.mod");
  ASSERT_EQ(WriteModelFileFrom(built, path), "");
  const std::string written = FileBytes(path);

  const std::vector<std::string> expected = {
      "Load cases: \"Expansion (T3)\" needs 3 thermal loads, but the model has 2: the case was dropped",
      "Load cases: \"Operating (W+P3+T3)\" needs 3 thermal loads, but the model has 2: the case was dropped",
      "Load cases: \"Cold spring (W+P3+T3)\" needs 3 thermal loads, but the model has 2: the case was dropped",
      "Load cases: \"Buried (W+P3+T3)\" needs 3 thermal loads, but the model has 2: the case was dropped",
      "Load cases: \"Cold spring (W+P4+T4)\" needs 10 thermal loads, but the model has 2: the case was dropped"};
  Model read;
  std::vector<std::string> notes;
  ASSERT_NO_THROW(ReadModelFileInto(path, read, &notes));
  EXPECT_EQ(notes, expected);
  EXPECT_EQ(std::vector<int>(read.loadCases.cases.begin() + 1, read.loadCases.cases.begin() + 1 + read.loadCases.count),
            (std::vector<int>{1, 8, 9, 2, 3, 16, 5}));
  for (int id : {4, 10, 17, 110}) EXPECT_EQ(read.loadCases.selected[static_cast<std::size_t>(id)], 0) << id;
  for (int id : {1, 8, 9, 2, 3, 16, 5}) EXPECT_EQ(read.loadCases.selected[static_cast<std::size_t>(id)], 1) << id;
  EXPECT_EQ(read.options.ThermalLoadCount, 2);
  EXPECT_TRUE(read.modified);
  EXPECT_EQ(read.rowCount, built.rowCount);

  std::vector<std::string> opened;
  ASSERT_EQ(ReadModelFile(path, &opened), "");
  EXPECT_EQ(opened, expected);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(TheModel().loadCases.count, 7);
  EXPECT_TRUE(FileBytes(path) == written);  // the file as it was

  // Written again, it holds the cases left and opens without a note.
  ASSERT_EQ(WriteModelFileFrom(TheModel(), path), "");
  Model again;
  std::vector<std::string> none;
  ASSERT_NO_THROW(ReadModelFileInto(path, again, &none));
  EXPECT_TRUE(none.empty());
  EXPECT_FALSE(again.modified);
  EXPECT_EQ(again.loadCases.count, 7);
  g_UnitsSettings = savedUnits;
  ProgramAnalysisOptions() = savedOptions;
}

}  // namespace
