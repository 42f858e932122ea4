// Static seismic load: three accelerations in g's along global X, Y and Z
// and the rule that combines the directional results. The values are model
// data stored in the analysis-options section of the model file, which reads
// them into this record. All three at 0 means no static seismic load.
#pragma once

#include <array>
#include <cstdint>

enum SeismicCombination : std::int32_t {
  kSeismicAlgebraicSum = 0,
  kSeismicAbsoluteSum = 1,
  kSeismicSrss = 2
};

struct StaticSeismic {
  std::array<float, 3> g{};  // X, Y, Z in g's
  std::int32_t combination = kSeismicAlgebraicSum;
};

bool HasStaticSeismicLoad(const StaticSeismic& seismic);
