// The shipped sample models: examples/Sample.mod, SteamLine.mod and
// BigModel.mod must be exactly what their builders write, so they never go stale
// (QUORVEL_WRITE_SAMPLES=1 rewrites them from the builder), and the file
// reads back as the model the samples describe.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "elements/DerivedElementData.h"
#include "files/ModelFile.h"
#include "files/SampleModel.h"
#include "model/AnalysisElements.h"
#include "model/Model.h"
#include "model/Nodes.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string BuiltBytes(void (*build)(Model&)) {
  Model model;
  build(model);
  const char* folder = std::getenv("TMPDIR");
  const std::string path = std::string(folder ? folder : "/tmp") + "/sample.mod";
  EXPECT_EQ(WriteModelFileFrom(model, path), "");
  return FileBytes(path);
}

struct SampleFile {
  const char* name;
  void (*build)(Model&);
};
const SampleFile kSampleFiles[] = {
    {"Sample.mod", BuildSampleModel}, {"BigModel.mod", BuildBigModel}, {"SteamLine.mod", BuildSteamLineModel}};

TEST(SampleModel, CommittedFilesAreWhatTheBuilderWrites) {
  const std::string folder = std::string(QUORVEL_SOURCE_DIR) + "/examples/";
  for (const SampleFile& file : kSampleFiles) {
    const std::string built = BuiltBytes(file.build);
    ASSERT_FALSE(built.empty());
    if (std::getenv("QUORVEL_WRITE_SAMPLES") != nullptr) {
      std::ofstream out(folder + file.name, std::ios::binary | std::ios::trunc);
      out.write(built.data(), static_cast<std::streamsize>(built.size()));
    }
    EXPECT_TRUE(FileBytes(folder + file.name) == built)
        << file.name << " is stale: run test_files with QUORVEL_WRITE_SAMPLES=1";
  }
}

// The examples carry the full tables of their codes: A106 B at 600 F is
// allowed 17.3 ksi by B31.3 and 17.1 ksi by B31.1, and every element of
// both lines passes the analysis element checks for every load case.
TEST(SampleModel, MaterialsCarryTheirCodesTablesAndTheElementsPassTheirChecks) {
  const std::string folder = std::string(QUORVEL_SOURCE_DIR) + "/examples/";
  const struct {
    const char* file;
    int code;
    float allowableAt600;
  } samples[] = {{"Sample.mod", 3, 17300.0f}, {"SteamLine.mod", 1, 17100.0f}};
  for (const auto& sample : samples) {
    Model model;
    ReadModelFileInto(folder + sample.file, model);
    EXPECT_EQ(model.options.PipingCode, sample.code);
    const Material& steel = model.materials[1];
    EXPECT_EQ(steel.numtemps, 15);
    EXPECT_FLOAT_EQ(MaterialColumnAtTemp(steel, kMatAllowable, 600.0f), sample.allowableAt600);
    EXPECT_FLOAT_EQ(MaterialMaxTemp(steel), 1000.0f);
    AnalysisElementList list;
    GenerateAnalysisElements(model, list);
    EXPECT_GE(list.count, 4) << sample.file;
    for (int c = 1; c <= model.loadCases.count; ++c) {
      const int type = model.loadCases.cases[static_cast<std::size_t>(c)];
      if (!LoadCaseHasElementTemperature(type)) continue;
      for (int e = 1; e <= list.count; ++e)
        EXPECT_GT(ComputeRowDerivedData(model, list[e], type).weightPerLength, 0.0f) << sample.file << " " << type;
    }
  }
}

TEST(SampleModel, ReadsBackAsTheLineItDescribes) {
  Model model;
  ReadModelFileInto(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", model);
  EXPECT_EQ(model.title, "Sample 8 inch line");
  ASSERT_EQ(model.rowCount, 7);
  EXPECT_EQ(model.materials.count, 2);
  EXPECT_FLOAT_EQ(model.materials[2].jointFactor, 0.85f);
  EXPECT_EQ(model.sections.count, 1);
  EXPECT_EQ(model.pipeLoads.count, 1);
  EXPECT_EQ(model.row(2).dataType, DataType::Anchor);
  EXPECT_EQ(model.row(4).dataType, DataType::Restraint);
  EXPECT_EQ(model.row(5).elementType, ElementType::Bend);
  EXPECT_EQ(model.row(7).dataType, DataType::Anchor);
  // 120 + 120 + 60 inches along X to the bend's corner, then 2 x 120 along Z.
  const struct {
    NodeId id;
    float x, z;
  } expected[] = {{10, 0, 0}, {20, 120, 0}, {30, 240, 0}, {50, 300, 120}, {60, 300, 240}};
  for (const auto& node : expected) {
    const int index = FindNodeIndex(model.nodes, node.id);
    ASSERT_NE(index, 0) << node.id;
    EXPECT_FLOAT_EQ(model.nodes[index].x, node.x) << node.id;
    EXPECT_FLOAT_EQ(model.nodes[index].y, 0.0f) << node.id;
    EXPECT_FLOAT_EQ(model.nodes[index].z, node.z) << node.id;
  }
}

}  // namespace
