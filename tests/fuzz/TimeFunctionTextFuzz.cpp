// The time function text import ("&Read Time Function..."): any text is
// read whole into one or more functions or refused with its message before
// the list is touched; the functions read are placed into the model's list
// one after another as the command places them, and then no point of the
// file has been dropped (the reader refuses a repeated time rather than
// lose one), the times ascend, no name stands twice and the list still
// ends with its blank record. The process aborts when that fails. Seeds:
// one function, and three separated by the end mark in its letter cases,
// with negative values, zeros, blank lines and CR LF endings.
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "loads/TimeFunctionFiles.h"
#include "records/TimeFunction.h"

namespace {

[[noreturn]] void Fault(const char* what) {
  std::fprintf(stderr, "time function text: %s\n", what);
  std::abort();
}

void Place(const std::vector<NamedPoints>& functions, std::size_t row) {
  TimeFunctionList list(1);
  list[0].name = "F2";
  list[0].points = {{0.5f, 1.0f}};
  EnsureTrailingBlank(list);
  for (const NamedPoints& function : functions) {
    const std::size_t at = PlacePointTable(list, function.name, row);
    list[at].name = function.name;
    list[at].points = SortedPoints(function.points);
    EnsureTrailingBlank(list);
    if (list[at].points.size() != function.points.size()) Fault("a point of the file was dropped");
    for (std::size_t k = 1; k < list[at].points.size(); ++k)
      if (!(list[at].points[k].x > list[at].points[k - 1].x)) Fault("times that do not ascend");
    row = at + 1;
  }
  if (!IsBlankPointTable(list.back())) Fault("the list lost its blank record");
  for (std::size_t a = 0; a + 1 < list.size(); ++a)
    for (std::size_t b = a + 1; b + 1 < list.size(); ++b)
      if (list[a].name == list[b].name) Fault("a name stands twice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<NamedPoints> functions;
  try {
    functions = ParseTimeFunctionText(input);
  } catch (const std::string&) {
    return 0;
  }
  Place(functions, 0);
  Place(functions, 1);
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  return {
      "F1\n0 0\n0.1 100\n",
      "F1\r\n0 0\r\n0.1 100\r\n-1.e11\r\nF2\r\n\r\n0 5\r\n  0.25\t-40\r\n-1.E11 the next one\r\n"
      "Water hammer at the check valve of the feed line\r\n0.001 2.5e3\r\n0.002 -1e3\r\n+0.5 0\r\n",
  };
}
