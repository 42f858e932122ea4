// What the fuzz targets of the flange, nozzle and lug files check of any
// input, with the reader and writer of their kind: the file is read or
// refused with its message; a refused file leaves the open document and the
// unit choices as they were; a file read is written back, and that file
// reads to the same document and writes the same bytes. Each target names
// its kind's file ending, reader, writer and an open document with no field
// at its default.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/ReaderFuzz.h"
#include "services/Units.h"

namespace evaluation_fuzz {

// The unit choices before the file is read: the last unit of every kind.
inline UnitsSettings OpenUnits() {
  UnitsSettings units;
  for (int kind = 1; kind <= kUnitKindCount; ++kind) units.unit[kind] = UnitCount(kind) - 1;
  return units;
}

inline bool SameUnits(const UnitsSettings& a, const UnitsSettings& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The bytes `write` puts in a new "written.<ending>".
template <typename Document, typename Writer>
std::string Written(const std::string& ending, Writer write, const Document& d, const UnitsSettings& units) {
  return scratch::Written("written." + ending, [&](const std::string& path) { write(path, d, units); });
}

template <typename Document, typename Reader, typename Writer>
int ReadAndWriteBack(const std::uint8_t* data, std::size_t size, const std::string& ending, const Document& before,
                     Reader read, Writer write) {
  const std::string path = scratch::Write("fuzz." + ending, data, size);
  const UnitsSettings unitsBefore = OpenUnits();
  Document document = before;
  UnitsSettings units = unitsBefore;
  try {
    read(path, document, units);
  } catch (const std::string&) {
    if (!(document == before) || !SameUnits(units, unitsBefore))
      scratch::Fault("a refused file changed the open document");
    return 0;
  }
  const std::string written = Written(ending, write, document, units);
  const std::string again = scratch::Write("again." + ending, written);
  Document reread = before;
  UnitsSettings rereadUnits = unitsBefore;
  read(again, reread, rereadUnits);
  if (!(reread == document) || !SameUnits(rereadUnits, units))
    scratch::Fault("what was read and written back read differently");
  if (Written(ending, write, reread, rereadUnits) != written)
    scratch::Fault("what was read and written back wrote other bytes the second time");
  return 0;
}

}  // namespace evaluation_fuzz
