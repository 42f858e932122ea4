// The force spectrum text import ("&Read Force spectrum..."): any text is
// read whole into one spectrum or refused with its message before the list
// is touched; a spectrum read is placed into the model's list as the
// command places it (sorted, over the record of its name or at the current
// row), and then no point of the file has been dropped (the reader refuses
// repeated frequencies rather than lose one), the points ascend and the
// list still ends with its blank record. The process aborts when that
// fails. Seeds: spectra with zeros, blank lines, CR LF endings, frequencies
// out of order and a name too long to keep whole.
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "loads/ForceSpectrumFiles.h"
#include "records/ForceSpectrum.h"

namespace {

[[noreturn]] void Fault(const char* what) {
  std::fprintf(stderr, "force spectrum text: %s\n", what);
  std::abort();
}

void Place(const NamedPoints& spectrum, std::size_t row) {
  ForceSpectrumList list(1);
  list[0].name = "Slug";
  list[0].points = {{1.0f, 800.0f}, {100.0f, 800.0f}};
  EnsureTrailingBlank(list);
  const std::size_t at = PlacePointTable(list, spectrum.name, row);
  list[at].name = spectrum.name;
  list[at].points = SortedPoints(spectrum.points);
  EnsureTrailingBlank(list);
  if (list[at].points.size() != spectrum.points.size()) Fault("a point of the file was dropped");
  for (std::size_t k = 1; k < list[at].points.size(); ++k)
    if (!(list[at].points[k].x > list[at].points[k - 1].x)) Fault("frequencies that do not ascend");
  if (!IsBlankPointTable(list.back()) || FindForceSpectrum(list, spectrum.name) != static_cast<int>(at))
    Fault("the list is not as the table shows it");
  (void)ForceSpectrumValueAtMode(list, 30.0, at);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  NamedPoints spectrum;
  try {
    spectrum = ParseForceSpectrumText(input);
  } catch (const std::string&) {
    return 0;
  }
  Place(spectrum, 0);
  Place(spectrum, 1);
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  return {
      "Slug\n0 5\n10 0.8\n33 0.3\n",
      "Relief valve at the header of the second boiler\r\n\r\n50 1200\r\n  5\t300\r\n0.5 0\r\n+20 1e3\r\n",
      "S\n1e-3 2.5E+2\n1e2 7\n",
  };
}
