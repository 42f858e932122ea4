// The response spectrum text import ("&Read Spectrum..."): any text is read
// whole into one spectrum or refused with its message before the list is
// touched; a spectrum read is placed into the model's list as the command
// places it, over the entry of its name or at the current row, and the
// list then still ends with its blank entry, holds the spectrum under a
// name a table would keep (no control character), with every value a finite
// number and none negative, its abscissas ascending
// and an ordinate unit of 0 to 4, every value one a cell takes, and the
// analysis' lookup of it gives a number or its own message; a byte-order
// mark before the name changes nothing. The process aborts when
// that fails. Seeds: spectra of every ordinate unit with frequency and
// period abscissas, zeros, blank lines and CR LF endings, a name with
// blanks around it, a blank name, a negative ordinate, an ordinate beyond a
// float once in in/sec2, a name holding a zero byte and text after the
// numbers; and the files of seeds/SpectrumTextFuzz: a byte-order mark,
// values past the limit and below the least a cell takes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <string_view>

#include "loads/SpectrumFiles.h"
#include "records/PointTables.h"
#include "services/NumberText.h"

namespace {

[[noreturn]] void Fault(const char* what) {
  std::fprintf(stderr, "spectrum text: %s\n", what);
  std::abort();
}

// The model's list the spectrum is read into: one of the seeds' names
// already there, the current row on it.
SpectrumList ListBefore() {
  SpectrumList list(1);
  list[0].name = "OBE";
  list[0].ordinateUnit = 4;
  list[0].points = {{1.0f, 100.0f}, {10.0f, 300.0f}};
  AppendBlankSpectrum(list);
  return list;
}

void Place(const ResponseSpectrum& spectrum, std::size_t row) {
  SpectrumList list = ListBefore();
  const std::size_t at = PlaceSpectrum(list, spectrum, row);
  if (at >= list.size() || list[at].name != spectrum.name) Fault("the spectrum is not where it was placed");
  if (!list.back().name.empty() || !list.back().points.empty()) Fault("the list lost its blank entry");
  const ResponseSpectrum& placed = list[at];
  if (placed.ordinateUnit < 0 || placed.ordinateUnit > 4) Fault("an ordinate unit outside 0 to 4");
  if (placed.name.empty() || placed.name != KeptTableName(placed.name)) Fault("a name no table would keep");
  if (HoldsControlCharacter(placed.name)) Fault("a name holding a control character");
  for (std::size_t k = 0; k < placed.points.size(); ++k) {
    if (!std::isfinite(placed.points[k].x) || !std::isfinite(placed.points[k].y)) Fault("a value not a number");
    if (!StoredValueAcceptable(placed.points[k].x) || !StoredValueAcceptable(placed.points[k].y))
      Fault("a value no cell takes");
    if (placed.points[k].x < 0.0f || placed.points[k].y < 0.0f) Fault("a negative value");
    if (k > 0 && !(placed.points[k].x > placed.points[k - 1].x)) Fault("abscissas that do not ascend");
  }
  SpectrumLoad load;
  load.name[1] = placed.name;
  for (double omega : {0.1, 2.0 * std::numbers::pi, 600.0}) try {
      if (!std::isfinite(SpectrumValue(list, load, omega, 1, true))) Fault("a lookup that is not a number");
    } catch (const std::string&) {
    }
}

// A text read: its unit line holds two integers and its value lines two
// numbers, nothing after them but blanks (read by strtol and strtod, not by
// the program's own reading).
void CheckLines(const std::string& text) {
  std::string ends;  // every line end as a line feed: a carriage return alone ends a line too
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] != '\r') ends += text[i];
    else if (i + 1 == text.size() || text[i + 1] != '\n') ends += '\n';
  std::istringstream in(ends);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (number == 1 || (number > 2 && line.find_first_not_of(" \t") == std::string::npos)) continue;
    const char* at = line.c_str();
    for (int k = 0; k < 2; ++k) {
      char* end = nullptr;
      if (number == 2)
        (void)std::strtol(at, &end, 10);
      else
        (void)std::strtod(at, &end);
      if (end == at) Fault("a line read without its two numbers");
      at = end;
    }
    if (line.find_first_not_of(" \t", static_cast<std::size_t>(at - line.c_str())) != std::string::npos)
      Fault("a line read with text after its numbers");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream input(text);
  ResponseSpectrum spectrum;
  try {
    spectrum = ParseSpectrumText(input);
  } catch (const std::string&) {
    return 0;
  }
  CheckLines(text);
  Place(spectrum, 0);
  Place(spectrum, 1);
  // A byte-order mark before the name changes nothing of the spectrum.
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (text.starts_with(kMark)) {
    std::istringstream unmarked(text.substr(kMark.size()));
    try {
      if (ParseSpectrumText(unmarked).name != spectrum.name) Fault("the byte-order mark became part of the name");
    } catch (const std::string&) {
      Fault("a text read with its byte-order mark is refused without it");
    }
  }
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  return {
      "OBE\n0 4\n0 0.1\n0.5 0.15\n2 0.6\n8 0.6\n33 0.2\n",
      "Floor response spectrum of level 12 east wall\r\n1 2\r\n0.03 100\r\n\r\n0.1 400.5\r\n+1 150\r\n",
      "DISPLACEMENT\n0 1\n1 12.7\n  10\t1.27  \n100 0\n",
      "MM PER S2\n0 3\n1 9806.65\n1e1 1.5e+4\n",
      "INCH\n0 0\n0.5 1E-3\n",
      "  OBE \t\n0 4\n1 0.2\n2 -0.1\n",
      " \t \n0 0\n1 1\n",
      "G\n0 4\n1 1e36\n",
      std::string("OB\0E\n0 4\n1 0.2\n", 15),
      "COMMA\n0 4 junk 9\n1 0,2\n1 0.2xyz\n",
  };
}
