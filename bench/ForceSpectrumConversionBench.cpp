// Converting a time function into a force spectrum as the Convert time
// function command does: a 10-second function (a ramped pulse repeated
// every half second, 2000 points) at 200 frequencies up to 50 Hz, about
// 2e7 oscillator steps; the aim is under a second. "Smoke" is the quick CI
// run of two frequencies.
#include <benchmark/benchmark.h>

#include <vector>

#include "loads/ForceSpectrumConversion.h"
#include "services/NumberText.h"

namespace {

std::vector<FloatPair> TenSecondFunction() {
  std::vector<FloatPair> points{{kExplicitZero, kExplicitZero}};
  for (int pulse = 0; pulse < 20; ++pulse)
    for (int k = 1; k <= 100; ++k) {
      const float t = 0.5f * static_cast<float>(pulse) + 0.005f * static_cast<float>(k);
      points.push_back({t, k <= 20 ? 50.0f * static_cast<float>(k) : k <= 60 ? 1000.0f : kExplicitZero});
    }
  return points;
}

void ConvertTenSeconds(benchmark::State& state) {
  const std::vector<FloatPair> points = TenSecondFunction();
  const int frequencies = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ConvertTimeFunction(points, 50.0, frequencies, 5.0));
  state.counters["frequencies"] = frequencies;
  state.counters["points"] = static_cast<double>(points.size());
}

void ConvertSmoke(benchmark::State& state) { ConvertTenSeconds(state); }

}  // namespace

BENCHMARK(ConvertTenSeconds)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertSmoke)->Arg(2)->Unit(benchmark::kMillisecond);
