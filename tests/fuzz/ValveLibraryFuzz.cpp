// The valve library reader: any file is read or refused with its message.
// A refused file leaves the open library (its valves, path, modified flag
// and units) as it was; a library read is written back, and that file
// reads to the same valves and writes the same bytes. Seeds: an empty
// library and one of valves of every standard and valve type, written by
// the program's own writer, and the same valves in a version-510 file
// (records without the valve type).
#include <bit>
#include <cstdio>

#include "fuzz/FuzzTarget.h"
#include "fuzz/ReaderFuzz.h"
#include "properties/ValveLibrary.h"

namespace {

ValveLibraryEntry Valve(int index) {
  ValveLibraryEntry valve;
  valve.description = "Valve " + std::to_string(index) + (index % 2 ? " full bore class A" : "");
  valve.nominalSize = index % 2 ? "DN150" : "4";
  valve.rating = index % 3 ? "150  " : "PN40 ";
  valve.connectionType = kValveConnectionTypes[index % kValveConnectionCount];
  valve.outsideDiameter = 4.5f + static_cast<float>(index);
  valve.length = 9.0f + static_cast<float>(index);
  valve.weight = 120.0f * static_cast<float>(index);
  valve.standard = index % kValveStandardCount;
  valve.valveType = index % kValveTypeCount;
  return valve;
}

ValveLibrary Library(int count) {
  ValveLibrary library;
  for (int index = 1; index <= count; ++index) {
    InsertValveEntry(library, index);
    library.entries[index] = Valve(index);
  }
  return library;
}

// The library open before the file is read.
ValveLibrary OpenLibrary() {
  ValveLibrary library = Library(3);
  library.path = "/open/library.val";
  library.modified = true;
  library.lengthUnit = 1;
  library.weightUnit = 2;
  library.dimensionUnit = 3;
  return library;
}

// Everything a library holds, every slot of its table included, as text.
std::string Described(const ValveLibrary& library) {
  std::string text = library.path + '|' + std::to_string(library.modified) + '|' + std::to_string(library.lengthUnit) +
                     '|' + std::to_string(library.weightUnit) + '|' + std::to_string(library.dimensionUnit) + '|' +
                     std::to_string(library.entries.capacity) + '|' + std::to_string(library.entries.count);
  for (const ValveLibraryEntry& valve : library.entries.records) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "|%08x %08x %08x %d %d", std::bit_cast<std::uint32_t>(valve.length),
                  std::bit_cast<std::uint32_t>(valve.weight), std::bit_cast<std::uint32_t>(valve.outsideDiameter),
                  valve.standard, valve.valveType);
    text +=
        '\n' + valve.description + '|' + valve.nominalSize + '|' + valve.rating + '|' + valve.connectionType + numbers;
  }
  return text;
}

std::string Written(ValveLibrary library) {
  return scratch::Written("written.val", [&](const std::string& path) { WriteValveLibraryFile(library, path); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = scratch::Write("fuzz.val", data, size);
  const ValveLibrary before = OpenLibrary();
  ValveLibrary library = before;
  try {
    ReadValveLibraryFile(path, library);
  } catch (const std::string&) {
    if (Described(library) != Described(before)) scratch::Fault("a refused file changed the open document");
    return 0;
  }
  if (library.path != path || library.modified)
    scratch::Fault("a library read does not name its file or is marked modified");
  const std::string written = Written(library);
  const std::string again = scratch::Write("again.val", written);
  ValveLibrary reread = before;
  ReadValveLibraryFile(again, reread);
  // The writer stores the program's units, not those the library was read with.
  reread.path = library.path;
  reread.lengthUnit = library.lengthUnit;
  reread.weightUnit = library.weightUnit;
  reread.dimensionUnit = library.dimensionUnit;
  if (Described(reread) != Described(library)) scratch::Fault("what was read and written back read differently");
  if (Written(reread) != written) scratch::Fault("what was read and written back wrote other bytes the second time");
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds = {Written(ValveLibrary{}), Written(Library(2 * kValveTypeCount))};
  // Version 510: the same valves without their valve types.
  constexpr std::size_t kHeader = 32, kRecord = 63;
  const std::string& current = seeds.back();
  std::string old = current.substr(0, kHeader);
  old.replace(11, 4, "5100");
  for (std::size_t at = kHeader; at + kRecord <= current.size(); at += kRecord) old += current.substr(at, kRecord - 4);
  seeds.push_back(old);
  return seeds;
}
