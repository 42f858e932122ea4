// The spectrum library reader (*.spe): any file is read whole into a fresh
// list or refused with its message; a list read holds only what the
// library window and the pickers can show and a spectrum may hold (names
// as a table keeps them, each once; ordinate units 0 to 4; every value a
// finite number a cell takes, none negative, abscissas ascending), and the
// analysis' lookup of each of its spectra gives a finite number or the
// lookup's own message. The process aborts when a
// read list breaks that. Seeds: libraries written by the program's own
// writer (none; spectra of every ordinate unit, frequency and period
// abscissas, log interpolation; and spectra it refuses), and version 502
// (16-byte names, ordinates in their own unit) and 510 laid out field by
// field from the format, two of 510 with an ordinate of 1e36 g's and of
// 6.68E35 g's.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>

#include "files/ByteEmitter.h"
#include "fuzz/FuzzTarget.h"
#include "loads/SpectrumLibrary.h"
#include "records/PointTables.h"
#include "services/NumberText.h"

namespace {

[[noreturn]] void Fault(const char* what) {
  std::fprintf(stderr, "spectrum library: %s\n", what);
  std::abort();
}

ResponseSpectrum Made(const std::string& name, std::int32_t unit, bool period, bool log,
                      std::vector<FloatPair> points) {
  ResponseSpectrum spectrum;
  spectrum.name = name;
  spectrum.ordinateUnit = unit;
  spectrum.periodAbscissa = period ? 1 : 0;
  spectrum.logInterpolation1 = log ? 1 : 0;
  spectrum.logInterpolation2 = log ? 1 : 0;
  spectrum.points = std::move(points);
  return spectrum;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// An old library: its names `width` bytes wide.
std::string OldLibrary(const char* header, std::size_t width) {
  ByteEmitter out;
  out.Fixed(header, 16);
  out.Int(2);
  out.Fixed("FLOOR 12 EAST", width);
  out.Bytes({0, 0, 0});
  out.Int(1);  // mm
  out.Int(3);
  out.Floats({1.0f, 2.5f, 5.0f, 10.0f, 33.0f, 4.0f});
  out.Fixed("A NAME THAT FILLS ITS FIELD WHOLE", width);
  out.Bytes({1, 1, 1});
  out.Int(4);  // g's
  out.Int(2);
  out.Floats({0.03f, 0.2f, 1.0f, 0.5f});
  return out.bytes();
}

void CheckRead(const SpectrumList& spectra) {
  for (std::size_t index = 0; index < spectra.size(); ++index) {
    const ResponseSpectrum& spectrum = spectra[index];
    if (spectrum.name.empty() || spectrum.name != KeptTableName(spectrum.name)) Fault("a name no table would keep");
    if (FindSpectrum(spectra, spectrum.name) != static_cast<int>(index)) Fault("a name given twice");
    if (spectrum.ordinateUnit < 0 || spectrum.ordinateUnit > 4) Fault("an ordinate unit outside 0 to 4");
    for (const FloatPair& point : spectrum.points) {
      if (!std::isfinite(point.x) || !std::isfinite(point.y)) Fault("a point that is not a number");
      if (!StoredValueAcceptable(point.x) || !StoredValueAcceptable(point.y)) Fault("a value no cell takes");
    }
    std::size_t point = 0;
    if (FirstSpectrumPointFault(spectrum.points, point) != SpectrumPointFault::None) Fault("a point no spectrum keeps");
    // What the response spectrum run asks of a spectrum named in X.
    SpectrumLoad load;
    load.name[0] = spectrum.name;
    for (double omega : {0.5, 2.0 * std::numbers::pi, 200.0}) try {
        if (!std::isfinite(SpectrumValue(spectra, load, omega, 0, false))) Fault("a lookup that is not a number");
      } catch (const std::string&) {
      }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = FuzzWriteFile("fuzz.spe", data, size);
  try {
    CheckRead(ReadSpectrumLibraryFile(path));
  } catch (const std::string&) {
  }
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  const SpectrumList spectra = {
      Made("OBE horizontal", 4, false, false, {{0.5f, 0.1f}, {2.0f, 0.6f}, {8.0f, 0.6f}, {33.0f, 0.2f}}),
      Made("Floor 3 period", 2, true, true, {{0.03f, 100.0f}, {0.1f, 400.0f}, {1.0f, 150.0f}}),
      Made("Displacement", 0, false, false, {{1.0f, 0.5f}, {10.0f, 0.05f}}),
      Made("Metric", 3, false, true, {{1.0f, 1.0e-36f}, {5.0f, 120.0f}}),
      Made("No points yet", 1, false, false, {}),
  };
  std::vector<std::string> seeds;
  const std::string path = FuzzWriteFile("seed.spe", nullptr, 0);
  WriteSpectrumLibraryFile(path, {});
  seeds.push_back(Bytes(path));
  WriteSpectrumLibraryFile(path, spectra);
  seeds.push_back(Bytes(path));
  seeds.push_back(OldLibrary("QUORVELWSPE5020", 16));
  seeds.push_back(OldLibrary("QUORVELWSPE5100", 32));
  // Spectra the reader refuses: a name given twice once its blanks are
  // gone, a negative ordinate, abscissas that fall.
  WriteSpectrumLibraryFile(path, {Made("OBE", 4, false, false, {{1.0f, 0.1f}}), Made(" OBE ", 4, false, false, {})});
  seeds.push_back(Bytes(path));
  WriteSpectrumLibraryFile(path, {Made("Signs", 0, false, false, {{1.0f, 0.5f}, {2.0f, -0.5f}}),
                                  Made("Falls", 0, true, false, {{2.0f, 0.5f}, {1.0f, 0.5f}})});
  seeds.push_back(Bytes(path));
  // An old library's ordinate in g's that a float holds, but not once
  // converted to in/sec2.
  ByteEmitter huge;
  huge.Fixed("QUORVELWSPE5100", 16);
  huge.Int(1);
  huge.Fixed("OBE", 32);
  huge.Bytes({0, 0, 0});
  huge.Int(4);
  huge.Int(2);
  huge.Floats({1.0f, 0.5f, 10.0f, 1.0e36f});
  seeds.push_back(huge.bytes());
  // One that a float holds once converted (2.58E38 in/sec2), but no cell.
  ByteEmitter past;
  past.Fixed("QUORVELWSPE5100", 16);
  past.Int(1);
  past.Fixed("OBE", 32);
  past.Bytes({0, 0, 0});
  past.Int(4);
  past.Int(2);
  past.Floats({1.0f, 0.5f, 10.0f, 6.68e35f});
  seeds.push_back(past.bytes());
  return seeds;
}
