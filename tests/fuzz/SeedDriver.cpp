// The main of a fuzz target in a build without libFuzzer: runs the target
// over its seeds (made in code, and the files of the folders named on the
// command line) and over damaged variants of each, made the same way on
// every run: cut short, single bytes set to 0, 0xFF, 0x80 or flipped, 32-bit
// fields set to their extremes, separators and zero bytes put in, and a
// fixed series of random multi-byte changes; fewer of each for a seed past
// 16 KB, and for a target with a budget of inputs, a share of them each. A fault ends the process (the
// sanitizers see to that); a normal end means every input was read or
// refused. "--write-seeds DIR" writes the seeds made in code into DIR, to
// start a long libFuzzer run from. "--part K/N" runs only the seeds whose
// place in the list is K modulo N, each with the variants it gets in the
// whole run: a slow target's test is cut into processes that the test run
// spreads over the cores, and the parts together run every input once.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzTarget.h"

// The set-up of the target, called as libFuzzer calls it: once, before
// anything else, when the program has one. So a target that runs here runs
// under libFuzzer too.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
// The target's budget of inputs, when it has one (FuzzTarget.h).
__attribute__((weak)) std::size_t FuzzSeedBudget();

namespace {

namespace fs = std::filesystem;

int runs = 0;

// The variants of one seed at most: the counts of each kind below.
constexpr double kVariantsPerSeed = 192 * 4 + 128 * 4 + 48 * 5 + 200;
// The share of those each seed gets, by the target's budget of inputs.
double share = 1.0;

// A seed larger than this gets fewer variants of each kind, in proportion
// (the model examples run to 112 KB): a target that reads, saves and reads
// back each model it accepts would take a large seed past its test's time.
constexpr std::size_t kFullVariantsUpTo = 16 * 1024;

std::size_t Scaled(std::size_t count, const std::string& seed) {
  // A budget counts inputs of up to 16 KB: a larger seed's each costs more,
  // in proportion (the 112 KB example took most of a model target's time).
  double scale = share;
  if (seed.size() > kFullVariantsUpTo) scale *= double(kFullVariantsUpTo) / double(seed.size());
  return std::max<std::size_t>(8, static_cast<std::size_t>(double(count) * scale));
}

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
  ++runs;
}

// Positions spread evenly over the input, at most `count` of them.
std::vector<std::size_t> Spread(std::size_t size, std::size_t count, std::size_t step = 1) {
  std::vector<std::size_t> at;
  if (size == 0) return at;
  const std::size_t slots = (size + step - 1) / step;
  const std::size_t stride = slots > count ? slots / count : 1;
  for (std::size_t slot = 0; slot < slots; slot += stride) at.push_back(slot * step);
  return at;
}

void RunVariants(const std::string& seed) {
  Run(seed);
  for (int k = 0; k < 16; ++k) Run(seed.substr(0, seed.size() * static_cast<std::size_t>(k) / 16));
  if (!seed.empty()) Run(seed.substr(0, seed.size() - 1));
  for (std::size_t at : Spread(seed.size(), Scaled(192, seed))) {
    for (int kind = 0; kind < 4; ++kind) {
      std::string damaged = seed;
      const auto byte = static_cast<unsigned char>(damaged[at]);
      damaged[at] = static_cast<char>(kind == 0 ? 0x00 : kind == 1 ? 0xFF : kind == 2 ? 0x80 : byte ^ 0x01);
      Run(damaged);
    }
  }
  for (std::size_t at : Spread(seed.size() >= 4 ? seed.size() - 3 : 0, Scaled(128, seed), 4)) {
    for (std::uint32_t value : {0x80000000u, 0x7FFFFFFFu, 0xFFFFFFFFu, 0x00010000u}) {
      std::string damaged = seed;
      for (int i = 0; i < 4; ++i) damaged[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
      Run(damaged);
    }
  }
  for (std::size_t at : Spread(seed.size() + 1, Scaled(48, seed))) {
    for (char put : {'\0', ',', '|', '"', '\n'}) {
      std::string damaged = seed;
      damaged.insert(at, 1, put);
      Run(damaged);
    }
  }
  std::uint64_t state = 0x9E3779B97F4A7C15ull ^ seed.size();
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  const int rounds = static_cast<int>(Scaled(200, seed));
  for (int round = 0; round < rounds && !seed.empty(); ++round) {
    std::string damaged = seed;
    const int changes = 1 + static_cast<int>(next() % 8);
    for (int change = 0; change < changes; ++change)
      damaged[next() % damaged.size()] = static_cast<char>(next() & 0xFF);
    Run(damaged);
  }
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  std::vector<std::string> seeds = FuzzSeeds();
  if (argc == 3 && std::strcmp(argv[1], "--write-seeds") == 0) {
    fs::create_directories(argv[2]);
    for (std::size_t index = 0; index < seeds.size(); ++index)
      std::ofstream(fs::path(argv[2]) / ("made-" + std::to_string(index)), std::ios::binary) << seeds[index];
    std::printf("%zu seeds written to %s\n", seeds.size(), argv[2]);
    return 0;
  }
  std::size_t part = 0;
  std::size_t parts = 1;
  int firstFolder = 1;
  if (argc >= 3 && std::strcmp(argv[1], "--part") == 0) {
    if (std::sscanf(argv[2], "%zu/%zu", &part, &parts) != 2 || parts == 0 || part >= parts) {
      std::fprintf(stderr, "--part takes K/N with K below N, not %s\n", argv[2]);
      return 2;
    }
    firstFolder = 3;
  }
  for (int arg = firstFolder; arg < argc; ++arg) {
    std::error_code error;
    if (!fs::is_directory(argv[arg], error)) {
      std::fprintf(stderr, "no seed folder %s\n", argv[arg]);
      return 2;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(argv[arg]))
      if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) seeds.push_back(ReadWhole(file));
  }
  if (seeds.empty()) {
    std::fprintf(stderr, "no seeds\n");
    return 2;
  }
  if (FuzzSeedBudget != nullptr)
    share = std::min(1.0, double(FuzzSeedBudget()) / (double(seeds.size()) * kVariantsPerSeed));
  std::size_t ran = 0;
  for (std::size_t index = part; index < seeds.size(); index += parts, ++ran) RunVariants(seeds[index]);
  std::printf("%d inputs from %zu of %zu seeds read or refused without a fault\n", runs, ran, seeds.size());
  return 0;
}
