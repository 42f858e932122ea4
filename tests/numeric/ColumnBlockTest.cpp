// Products with a block of columns against the sums written out term by
// term, on sizes that leave every remainder of the four- and eight-wide
// paths (rows and columns not multiples of four or eight, one column, none),
// with the block's columns further apart than their length (as the Lanczos
// basis and its room).
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "numeric/ColumnBlock.h"

namespace {

struct Block {
  std::int64_t rows, count, ld;
  std::vector<double> values;
};

Block RandomBlock(std::int64_t rows, std::int64_t count, std::mt19937& random) {
  std::uniform_real_distribution<double> value(-1.0, 1.0);
  Block block{rows, count, rows + 3, {}};
  block.values.resize(static_cast<std::size_t>(block.ld * std::max<std::int64_t>(count, 1)));
  for (double& v : block.values) v = value(random);
  return block;
}

std::vector<double> RandomVector(std::int64_t size, std::mt19937& random) {
  std::uniform_real_distribution<double> value(-1.0, 1.0);
  std::vector<double> v(static_cast<std::size_t>(std::max<std::int64_t>(size, 1)));
  for (double& x : v) x = value(random);
  return v;
}

TEST(ColumnBlock, ProductsEqualTheirSumsTermByTerm) {
  std::mt19937 random(11);
  for (const std::int64_t rows : {1, 3, 4, 7, 8, 13, 517, 1030})
    for (const std::int64_t count : {0, 1, 3, 4, 5, 8, 9, 13, 17}) {
      SCOPED_TRACE(testing::Message() << rows << " rows, " << count << " columns");
      const Block Q = RandomBlock(rows, count, random);
      auto q = [&Q](std::int64_t i, std::int64_t c) { return Q.values[static_cast<std::size_t>(c * Q.ld + i)]; };
      const double tolerance = 1.0e-13 * static_cast<double>(rows + count);

      const std::vector<double> x = RandomVector(rows, random);
      std::vector<double> dots(static_cast<std::size_t>(count) + 1, 99.0);
      columns::TransposeTimes(Q.values.data(), Q.ld, rows, count, x.data(), dots.data());
      for (std::int64_t c = 0; c < count; ++c) {
        double sum = 0.0;
        for (std::int64_t i = 0; i < rows; ++i) sum += q(i, c) * x[i];
        EXPECT_NEAR(dots[c], sum, tolerance) << "column " << c;
      }
      EXPECT_EQ(dots[count], 99.0);  // nothing written past the last column

      const std::vector<double> h = RandomVector(count, random);
      std::vector<double> y = RandomVector(rows, random), expected = y;
      for (std::int64_t i = 0; i < rows; ++i)
        for (std::int64_t c = 0; c < count; ++c) expected[i] -= q(i, c) * h[c];
      columns::SubtractTimes(Q.values.data(), Q.ld, rows, count, h.data(), y.data());
      for (std::int64_t i = 0; i < rows; ++i) EXPECT_NEAR(y[i], expected[i], tolerance) << "row " << i;

      for (const std::int64_t width : {1, 3, 4, 6, 9}) {
        const std::vector<double> S = RandomVector(count * width, random);
        const std::int64_t ldx = rows + 1;
        std::vector<double> X(static_cast<std::size_t>(ldx * width), 99.0);
        columns::Times(Q.values.data(), Q.ld, rows, count, S.data(), width, X.data(), ldx);
        for (std::int64_t j = 0; j < width; ++j) {
          for (std::int64_t i = 0; i < rows; ++i) {
            double sum = 0.0;
            for (std::int64_t c = 0; c < count; ++c) sum += q(i, c) * S[c * width + j];
            EXPECT_NEAR(X[j * ldx + i], sum, tolerance) << "width " << width << ", row " << i << ", column " << j;
          }
          EXPECT_EQ(X[j * ldx + rows], 99.0);  // the gap between columns of X untouched
        }
      }
    }
}

// Vectors held apart against a panel: every panel width up to eight, row
// counts across the stretches the kernels walk in.
TEST(ColumnBlock, ListedVectorsAgainstAPanelEqualTheirSumsTermByTerm) {
  std::mt19937 random(5);
  for (const std::int64_t rows : {1, 6, 255, 256, 257, 1000})
    for (const std::int64_t count : {0, 1, 3, 4, 7, 12})
      for (std::int64_t width = 1; width <= columns::kPanelLimit; ++width) {
        SCOPED_TRACE(testing::Message() << rows << " rows, " << count << " listed, panel of " << width);
        std::vector<std::vector<double>> F, C;
        for (std::int64_t l = 0; l < count; ++l) F.push_back(RandomVector(rows, random));
        for (std::int64_t p = 0; p < width; ++p) C.push_back(RandomVector(rows, random));
        const std::vector<double> weight = RandomVector(rows, random);
        std::vector<const double*> listed;
        std::vector<double*> panel;
        for (const auto& f : F) listed.push_back(f.data());
        for (auto& c : C) panel.push_back(c.data());
        const double tolerance = 1.0e-13 * static_cast<double>(rows + count);
        std::vector<double> G(static_cast<std::size_t>(count * width) + 1, 99.0);
        columns::WeightedDots(listed.data(), count, panel.data(), width, weight.data(), rows, G.data());
        for (std::int64_t l = 0; l < count; ++l)
          for (std::int64_t p = 0; p < width; ++p) {
            double sum = 0.0;
            for (std::int64_t i = 0; i < rows; ++i) sum += F[l][i] * weight[i] * C[p][i];
            EXPECT_NEAR(G[l * width + p], sum, tolerance) << l << ", " << p;
          }
        EXPECT_EQ(G[count * width], 99.0);
        std::vector<std::vector<double>> expected = C;
        for (std::int64_t p = 0; p < width; ++p)
          for (std::int64_t i = 0; i < rows; ++i)
            for (std::int64_t l = 0; l < count; ++l) expected[p][i] -= G[l * width + p] * F[l][i];
        columns::SubtractCombinations(listed.data(), count, panel.data(), width, G.data(), rows);
        for (std::int64_t p = 0; p < width; ++p)
          for (std::int64_t i = 0; i < rows; ++i) EXPECT_NEAR(C[p][i], expected[p][i], tolerance) << p << ", " << i;
      }
}

TEST(ColumnBlock, SmallProductsByHand) {
  // Q = [1 2; 3 4; 5 6] held with a gap of one term between its columns.
  const std::vector<double> Q{1, 3, 5, 0, 2, 4, 6, 0};
  const std::vector<double> x{1, 1, 2};
  double dots[2];
  columns::TransposeTimes(Q.data(), 4, 3, 2, x.data(), dots);
  EXPECT_EQ(dots[0], 14.0);
  EXPECT_EQ(dots[1], 18.0);
  std::vector<double> y{10, 10, 10};
  const double h[2] = {1.0, -1.0};
  columns::SubtractTimes(Q.data(), 4, 3, 2, h, y.data());
  EXPECT_EQ(y, (std::vector<double>{11, 11, 11}));
  // Q·S with S = [1 0 2; 0 1 1] (row-major 2 x 3): columns Q1, Q2, 2·Q1 + Q2.
  const double S[6] = {1, 0, 2, 0, 1, 1};
  std::vector<double> X(9, 0.0);
  columns::Times(Q.data(), 4, 3, 2, S, 3, X.data(), 3);
  EXPECT_EQ(X, (std::vector<double>{1, 3, 5, 2, 4, 6, 4, 10, 16}));
}

}  // namespace
