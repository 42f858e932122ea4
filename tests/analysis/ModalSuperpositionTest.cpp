// The blocked superposition of the time history against the superposition
// as it was written before it was blocked, kept here as the reference: each
// output step alone, every mode's scaled column added to the step's values
// one after the other (a mode of coordinate 0 skipped), the peaks kept
// after each step, and each step's record written from those values. Every
// kernel the processor runs must give the same bits as the reference:
// peaks, rows and records. The columns are of lengths that leave partial
// slices and panels, the step ranges end inside a tile, and the data holds
// what takes the branches: coordinates of 0, a mode that never moves,
// values below the file's displacement floor, an infinite force of a mode
// whose coordinate is 0 at some steps, and equal magnitudes at two steps.
// (Built with products and sums contracted into fused multiply-adds, the
// AVX-512 kernel of an optimised build differs in the last bits, and the
// comparisons fail.)
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>

#include "analysis/ModalSuperposition.h"
#include "services/BinaryFile.h"
#include "services/TempFiles.h"

namespace {

constexpr SuperpositionKernel kKernels[] = {SuperpositionKernel::Portable, SuperpositionKernel::Avx2,
                                            SuperpositionKernel::Avx512, SuperpositionKernel::Widest};

// --- the reference ---------------------------------------------------------

template <class Value>
void AddScaled(std::vector<double>& values, const Value* column, double factor) {
  for (std::size_t k = 0; k < values.size(); ++k) values[k] += factor * static_cast<double>(column[k]);
}

void KeepPeaks(std::vector<double>& peak, const std::vector<double>& values) {
  for (std::size_t k = 0; k < values.size(); ++k)
    if (std::fabs(values[k]) > std::fabs(peak[k])) peak[k] = values[k];
}

void PutFloat(std::vector<char>& bytes, float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>((bits >> (8 * b)) & 0xff));
}

struct Reference {
  std::vector<double> peak, forcePeak;
  std::vector<char> records;
  std::vector<std::vector<double>> steps, forceSteps;  // each step's values
};

Reference ReferenceRun(const ModalCoordinates& q, const TimeHistoryModes& modes) {
  Reference out;
  out.peak.assign(modes.shapes.length, 0.0);
  out.forcePeak.assign(modes.blocks.length, 0.0);
  std::vector<double> u(modes.shapes.length), forces(modes.blocks.length);
  for (int s = 1; s <= q.steps; ++s) {
    std::fill(u.begin(), u.end(), 0.0);
    std::fill(forces.begin(), forces.end(), 0.0);
    for (int i = 1; i <= q.modes; ++i) {
      const double factor = q.at(i, s);
      if (factor == 0.0) continue;
      AddScaled(u, modes.shapes.columns[static_cast<std::size_t>(i - 1)], factor);
      AddScaled(forces, modes.blocks.columns[static_cast<std::size_t>(i - 1)], factor);
    }
    KeepPeaks(out.peak, u);
    KeepPeaks(out.forcePeak, forces);
    out.steps.push_back(u);
    out.forceSteps.push_back(forces);
    for (const std::int32_t equation : modes.nodeEquations) {
      const double value = equation != 0 ? u[static_cast<std::size_t>(equation)] : 0.0;
      PutFloat(out.records, std::fabs(value) >= 1.0e-6 ? static_cast<float>(value) : 0.0f);
    }
    for (const double value : forces) PutFloat(out.records, static_cast<float>(value));
  }
  return out;
}

// --- the data ----------------------------------------------------------------

struct Data {
  ModalCoordinates q;
  std::vector<std::vector<double>> shapes;
  std::vector<std::vector<float>> blocks;
  TimeHistoryModes modes;
};

// `modes` modes over `steps` steps, shapes of `equations` values and blocks of
// `forces` values.
Data MakeData(int modes, int steps, std::size_t equations, std::size_t forces, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  Data data;
  data.q.modes = modes;
  data.q.steps = steps;
  data.q.values.resize(static_cast<std::size_t>(modes * steps));
  for (double& value : data.q.values) value = unit(random);
  if (modes >= 2)
    for (int s = 1; s <= steps; s += 3) data.q.values[static_cast<std::size_t>(steps + s - 1)] = 0.0;  // mode 2
  if (modes >= 3)
    for (int s = 1; s <= steps; ++s) data.q.values[static_cast<std::size_t>(2 * steps + s - 1)] = 0.0;  // mode 3
  data.shapes.assign(static_cast<std::size_t>(modes), std::vector<double>(equations));
  data.blocks.assign(static_cast<std::size_t>(modes), std::vector<float>(forces));
  for (std::size_t k = 0; k < equations; ++k) {
    // Every seventh equation moves only by round-off, below the file's floor.
    const double scale = k % 7 == 3 ? 1.0e-8 : k % 11 == 5 ? 0.0 : 10.0;
    for (auto& shape : data.shapes) shape[k] = scale * unit(random);
  }
  for (auto& block : data.blocks)
    for (float& value : block) value = static_cast<float>(1000.0 * unit(random));
  for (int i = 0; i < modes; ++i) {
    data.modes.shapes.columns.push_back(data.shapes[static_cast<std::size_t>(i)].data());
    data.modes.blocks.columns.push_back(data.blocks[static_cast<std::size_t>(i)].data());
  }
  data.modes.shapes.length = equations;
  data.modes.blocks.length = forces;
  return data;
}

::testing::AssertionResult SameBits(const std::vector<double>& expected, const double* actual) {
  for (std::size_t k = 0; k < expected.size(); ++k)
    if (std::memcmp(&expected[k], actual + k, sizeof(double)) != 0)
      return ::testing::AssertionFailure() << "value " << k << ": " << actual[k] << " instead of " << expected[k];
  return ::testing::AssertionSuccess();
}

std::vector<char> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// --- the ranges of steps ----------------------------------------------------------

TEST(ModalSuperpositionTest, RangesOfStepsGiveTheBitsOfTheStepByStepSum) {
  // Two panels and a partial slice of shapes, one partial panel of forces.
  Data data = MakeData(7, 23, 2 * 2048 + 37, 531, 5);
  // An infinite force in mode 2, whose coordinate is 0 at every third step:
  // those steps must not see a NaN.
  data.blocks[1][100] = std::numeric_limits<float>::infinity();
  const Reference reference = ReferenceRun(data.q, data.modes);
  ASSERT_TRUE(std::isfinite(reference.forceSteps[0][100]) && std::isinf(reference.forceSteps[1][100]));
  for (const SuperpositionKernel kernel : kKernels) {
    if (!SuperpositionKernelRuns(kernel)) continue;
    SCOPED_TRACE(static_cast<int>(kernel));
    std::vector<double> peak(data.modes.shapes.length, 0.0), forcePeak(data.modes.blocks.length, 0.0);
    std::vector<float> rows(23 * data.modes.shapes.length), forceRows(23 * data.modes.blocks.length);
    // Steps 1..10, then 11..23: the peaks carry over.
    for (const auto& [first, count] : {std::pair{0, 10}, std::pair{10, 13}}) {
      SuperposeSteps(data.q, first, count, data.modes.shapes,
                     {peak.data(), rows.data() + first * data.modes.shapes.length, 1.0e-6}, kernel);
      SuperposeSteps(data.q, first, count, data.modes.blocks,
                     {forcePeak.data(), forceRows.data() + first * data.modes.blocks.length, 0.0}, kernel);
    }
    EXPECT_TRUE(SameBits(reference.peak, peak.data()));
    EXPECT_TRUE(SameBits(reference.forcePeak, forcePeak.data()));
    for (int s = 0; s < 23; ++s) {
      for (std::size_t k = 0; k < data.modes.shapes.length; ++k) {
        const double value = reference.steps[static_cast<std::size_t>(s)][k];
        const float expected = std::fabs(value) >= 1.0e-6 ? static_cast<float>(value) : 0.0f;
        ASSERT_EQ(std::memcmp(&expected, &rows[s * data.modes.shapes.length + k], 4), 0)
            << "step " << s + 1 << ", displacement " << k;
      }
      for (std::size_t k = 0; k < data.modes.blocks.length; ++k) {
        const auto expected = static_cast<float>(reference.forceSteps[static_cast<std::size_t>(s)][k]);
        ASSERT_EQ(std::memcmp(&expected, &forceRows[s * data.modes.blocks.length + k], 4), 0)
            << "step " << s + 1 << ", force " << k;
      }
    }
  }
}

TEST(ModalSuperpositionTest, PeaksAreSignedAndTheEarlierOfEqualMagnitudesStays) {
  // One mode, column (1, −0.5): coordinates 2, −2, −3, 3 over four steps.
  const std::vector<double> column{1.0, -0.5};
  ModalCoordinates q;
  q.modes = 1;
  q.steps = 4;
  q.values = {2.0, -2.0, -3.0, 3.0};
  ModeColumns<double> columns;
  columns.columns = {column.data()};
  columns.length = 2;
  for (const SuperpositionKernel kernel : kKernels) {
    if (!SuperpositionKernelRuns(kernel)) continue;
    std::vector<double> peak(2, 0.0);
    SuperposeSteps(q, 0, 2, columns, {peak.data(), nullptr, 0.0}, kernel);
    EXPECT_EQ(peak, (std::vector<double>{2.0, -1.0}));
    SuperposeSteps(q, 2, 2, columns, {peak.data(), nullptr, 0.0}, kernel);
    EXPECT_EQ(peak, (std::vector<double>{-3.0, 1.5}));
  }
}

// --- the output steps --------------------------------------------------------------

// More steps than are superposed at once, with and without the file.
TEST(ModalSuperpositionTest, TheOutputStepsWriteTheRecordsAndPeaksOfTheStepByStepSum) {
  Data data = MakeData(5, 300, 1201, 700, 9);
  // A node table of 150 nodes: the first without equations, the others on
  // equations 1.. in turn, one direction of each fourth node left out.
  for (int node = 0; node < 150; ++node)
    for (int d = 0; d < 6; ++d)
      data.modes.nodeEquations.push_back(node == 0 || (node % 4 == 0 && d == 2) ? 0 : 6 * (node - 1) + d + 1);
  const Reference reference = ReferenceRun(data.q, data.modes);
  for (const SuperpositionKernel kernel : kKernels) {
    if (!SuperpositionKernelRuns(kernel)) continue;
    SCOPED_TRACE(static_cast<int>(kernel));
    std::vector<int> done;
    const TimeHistoryPeaks alone =
        SuperposeTimeHistory(data.q, data.modes, nullptr, [&](int s) { done.push_back(s); }, kernel);
    ASSERT_EQ(done.size(), 300u);
    for (int s = 1; s <= 300; ++s) ASSERT_EQ(done[static_cast<std::size_t>(s - 1)], s);
    EXPECT_TRUE(SameBits(reference.peak, alone.displacements.data()));
    EXPECT_TRUE(SameBits(reference.forcePeak, alone.forces.data()));

    const std::string path = TempFolder() + "/modal-superposition.rth";
    BinaryFile file;
    ASSERT_TRUE(BinaryFileOpenWrite(file, path));
    const TimeHistoryPeaks written = SuperposeTimeHistory(data.q, data.modes, &file, [](int) {}, kernel);
    ASSERT_TRUE(BinaryFileClose(file));
    EXPECT_TRUE(SameBits(reference.peak, written.displacements.data()));
    EXPECT_TRUE(SameBits(reference.forcePeak, written.forces.data()));
    const std::vector<char> bytes = FileBytes(path);
    ASSERT_EQ(bytes.size(), reference.records.size());
    EXPECT_TRUE(bytes == reference.records);
    std::filesystem::remove(path);
  }
}

TEST(ModalSuperpositionTest, NoModesOrNoStepsGiveZeroPeaksAndEmptyRecords) {
  Data data = MakeData(1, 3, 40, 12, 1);
  data.modes.nodeEquations = {0, 1, 2, 3, 4, 5};
  TimeHistoryModes none;
  none.shapes.length = 40;
  none.blocks.length = 12;
  none.nodeEquations = data.modes.nodeEquations;
  ModalCoordinates still;
  still.steps = 3;
  const std::string path = TempFolder() + "/modal-superposition-none.rth";
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenWrite(file, path));
  const TimeHistoryPeaks peaks = SuperposeTimeHistory(still, none, &file, [](int) {});
  ASSERT_TRUE(BinaryFileClose(file));
  EXPECT_EQ(peaks.displacements, std::vector<double>(40, 0.0));
  EXPECT_EQ(peaks.forces, std::vector<double>(12, 0.0));
  EXPECT_EQ(FileBytes(path), std::vector<char>(3 * 4 * (6 + 12), 0));

  data.q.steps = 0;
  data.q.values.clear();
  int calls = 0;
  const TimeHistoryPeaks nothing = SuperposeTimeHistory(data.q, data.modes, nullptr, [&](int) { ++calls; });
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(nothing.displacements, std::vector<double>(40, 0.0));
  std::filesystem::remove(path);
}

TEST(ModalSuperpositionTest, AFileThatRefusesARecordStopsTheSteps) {
  Data data = MakeData(2, 9, 30, 10, 3);
  data.modes.nodeEquations = {1, 2, 3, 4, 5, 6};
  const std::string path = TempFolder() + "/modal-superposition-read-only.rth";
  std::ofstream(path) << "x";
  BinaryFile file;
  ASSERT_TRUE(BinaryFileOpenRead(file, path));  // writes fail
  int steps = 0;
  try {
    SuperposeTimeHistory(data.q, data.modes, &file, [&](int) { ++steps; });
    ADD_FAILURE() << "the steps went on into a file that refused them";
  } catch (const std::string& message) {
    EXPECT_EQ(message, "RTH file could not be opened for writing");
  }
  EXPECT_EQ(steps, 1);
  BinaryFileClose(file);
  std::filesystem::remove(path);
}

}  // namespace
