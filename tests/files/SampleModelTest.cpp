// The shipped sample model: examples/Sample.mod and examples/BigModel.mod
// must be exactly what BuildSampleModel writes, so they never go stale
// (QUORVEL_WRITE_SAMPLES=1 rewrites them from the builder), and the file
// reads back as the model the samples describe.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "SampleModel.h"
#include "files/ModelFile.h"
#include "model/Model.h"
#include "model/Nodes.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string BuiltSampleBytes() {
  Model model;
  BuildSampleModel(model);
  const char* folder = std::getenv("TMPDIR");
  const std::string path = std::string(folder ? folder : "/tmp") + "/sample.mod";
  EXPECT_EQ(WriteModelFileFrom(model, path), "");
  return FileBytes(path);
}

const char* const kSampleFiles[] = {"Sample.mod", "BigModel.mod"};

TEST(SampleModel, CommittedFilesAreWhatTheBuilderWrites) {
  const std::string built = BuiltSampleBytes();
  ASSERT_FALSE(built.empty());
  const std::string folder = std::string(QUORVEL_SOURCE_DIR) + "/examples/";
  if (std::getenv("QUORVEL_WRITE_SAMPLES") != nullptr) {
    for (const char* name : kSampleFiles) {
      std::ofstream out(folder + name, std::ios::binary | std::ios::trunc);
      out.write(built.data(), static_cast<std::streamsize>(built.size()));
    }
  }
  for (const char* name : kSampleFiles)
    EXPECT_TRUE(FileBytes(folder + name) == built) << name << " is stale: run test_files with QUORVEL_WRITE_SAMPLES=1";
}

TEST(SampleModel, ReadsBackAsTheLineItDescribes) {
  Model model;
  ReadModelFileInto(std::string(QUORVEL_SOURCE_DIR) + "/examples/Sample.mod", model);
  EXPECT_EQ(model.title, "Sample 8 inch line");
  ASSERT_EQ(model.rowCount, 7);
  EXPECT_EQ(model.materials.count, 1);
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
