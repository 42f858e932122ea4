// The time function text import ("&Read Time Function..." of the time
// functions table), run as the user runs it (PointTableFuzz.h): any text is
// read whole into one or more functions or refused before the list is
// touched. The list holds "F2" (a seed's name: the question, answered No,
// leaves it) and the spare record; the functions go one after another from
// the current row on. Seeds: one function, and three separated by the end
// mark in its letter cases, with negative values, zeros, blank lines and
// CR LF endings; and the files of seeds/TimeFunctionTextFuzz: a byte-order
// mark, values past the limit and below the least a cell takes.
#include "fuzz/PointTableFuzz.h"
#include "loads/TimeFunctionFiles.h"
#include "records/TimeFunction.h"

namespace {

const pointtables::Command kCommand{"Read Time function from a Text File", ReadTimeFunctionsFromTextFile,
                                    [](Model& model) -> NamedPointsList& { return model.timeFunctions; }, "-1.e11"};

TimeFunctionList Before() {
  TimeFunctionList list(1);
  list[0].name = "F2";
  list[0].points = {{0.5f, 1.0f}};
  EnsureTrailingBlank(list);
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pointtables::SetUp();
  static const TimeFunctionList before = Before();
  const std::string input(reinterpret_cast<const char*>(data), size);
  pointtables::Run(kCommand, input, before, 0);
  pointtables::Run(kCommand, input, before, 1);
  return 0;
}

std::size_t FuzzSeedBudget() { return pointtables::kSeedBudget; }

std::vector<std::string> FuzzSeeds() {
  return {
      "F1\n0 0\n0.1 100\n",
      "F1\r\n0 0\r\n0.1 100\r\n-1.e11\r\nF2\r\n\r\n0 5\r\n  0.25\t-40\r\n-1.E11 the next one\r\n"
      "Water hammer at the check valve of the feed line\r\n0.001 2.5e3\r\n0.002 -1e3\r\n+0.5 0\r\n",
      "F3\n0 1\n1 -1\n",
      "  F2 \t\n0 1\n-1.e11\n \t \n0 2\n",
      std::string("F\0X\n0 1\n", 9),
      "F4\n0 1\n1 0,2\n2 0.2xyz\n3 1 99\n",
  };
}
