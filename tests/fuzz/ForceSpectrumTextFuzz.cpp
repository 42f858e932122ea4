// The force spectrum text import ("&Read Force spectrum..." of the force
// spectra table), run as the user runs it (PointTableFuzz.h): any text is
// read whole into one spectrum or refused before the list is touched. The
// list holds "Slug" (a seed's name: the question, answered No, leaves it)
// and the spare record; the spectrum goes over the current row's spare
// record or before the first record. Seeds: spectra with zeros, blank
// lines, CR LF endings, frequencies out of order and a name too long to
// keep whole; and the files of seeds/ForceSpectrumTextFuzz: a byte-order
// mark, values past the limit and below the least a cell takes.
#include "fuzz/PointTableFuzz.h"
#include "loads/ForceSpectrumFiles.h"
#include "records/ForceSpectrum.h"

namespace {

const pointtables::Command kCommand{"Read Force Spectrum from a Text File", ReadForceSpectrumFromTextFile,
                                    [](Model& model) -> NamedPointsList& { return model.forceSpectra; }, nullptr};

ForceSpectrumList Before() {
  ForceSpectrumList list(1);
  list[0].name = "Slug";
  list[0].points = {{1.0f, 800.0f}, {100.0f, 800.0f}};
  EnsureTrailingBlank(list);
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pointtables::SetUp();
  static const ForceSpectrumList before = Before();
  const std::string input(reinterpret_cast<const char*>(data), size);
  pointtables::Run(kCommand, input, before, 0);
  pointtables::Run(kCommand, input, before, 1);
  return 0;
}

std::size_t FuzzSeedBudget() { return pointtables::kSeedBudget; }

std::vector<std::string> FuzzSeeds() {
  return {
      "Slug\n0 5\n10 0.8\n33 0.3\n",
      "Relief valve at the header of the second boiler\r\n\r\n50 1200\r\n  5\t300\r\n0.5 0\r\n+20 1e3\r\n",
      "S\n1e-3 2.5E+2\n1e2 7\n",
      std::string("S\0X\n1 1\n", 9),
      "S4\n1 1\n2 0,2\n3 0.2xyz\n4 1 99\n",
  };
}
