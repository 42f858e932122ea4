// Number text is formatted for every cell of every table on every repaint:
// the cost of the common formatters and of parsing a typed value.
#include <benchmark/benchmark.h>

#include "services/NumberText.h"
#include "services/Units.h"

namespace {

void BM_NumberTextSmokeFormatFixedWidth(benchmark::State& state) {
  double value = 1.25;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatFixedWidth(value, 10, 2));
    value += 1.0e3;
  }
}
BENCHMARK(BM_NumberTextSmokeFormatFixedWidth);

void BM_NumberTextFormatG5(benchmark::State& state) {
  double value = 0.125;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatG5(value));
    value *= 1.5;
    if (value > 1.0e20) value = 0.125;
  }
}
BENCHMARK(BM_NumberTextFormatG5);

void BM_NumberTextSmokeFormatFeetInches(benchmark::State& state) {
  double inches = 66.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatFeetInches(inches));
    inches += 0.25;
  }
}
BENCHMARK(BM_NumberTextSmokeFormatFeetInches);

void BM_NumberTextSmokeParseReal(benchmark::State& state) {
  float value = 0.0f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseReal(" 1.2345E+03 ", value));
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_NumberTextSmokeParseReal);

void BM_NumberTextFormatStress(benchmark::State& state) {
  float value = 12.5f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatStress(value));
    value *= 1.7f;
    if (value > 1.0e9f) value = 12.5f;
  }
}
BENCHMARK(BM_NumberTextFormatStress);

}  // namespace
