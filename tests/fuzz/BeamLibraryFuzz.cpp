// The beam section library reader: any file is read or refused with its
// message. A refused file leaves the open library (its unit indexes and
// sections) as it was; a library read is written back, and that file reads
// to the same sections and writes the same bytes. Seeds: an empty library
// and one of several sections, written by the program's own writer, and the
// same sections in a version-600 file (four-byte names).
#include <bit>
#include <cstdio>

#include "fuzz/FuzzTarget.h"
#include "fuzz/ReaderFuzz.h"
#include "properties/BeamLibrary.h"

namespace {

BeamLibraryContents Library(int count) {
  BeamLibraryContents library;
  for (int index = 1; index <= count; ++index) {
    BeamSection section;
    InitBeamSection(section);
    section.name = "W" + std::to_string(index);
    section.description = "W" + std::to_string(8 + index) + "X" + std::to_string(10 * index);
    float value = static_cast<float>(index);
    for (float* field : {&section.A, &section.Imaj, &section.Imin, &section.J, &section.Asmaj, &section.Asmin,
                         &section.depth, &section.width})
      *field = value *= 1.5f;
    AppendBeamSection(library.sections, section);
  }
  return library;
}

// The library open before the file is read.
BeamLibraryContents OpenLibrary() {
  BeamLibraryContents library = Library(3);
  library.units = {1, 2, 3};
  return library;
}

// Everything a library holds, every slot of its table included, as text.
std::string Described(const BeamLibraryContents& library) {
  std::string text = std::to_string(library.units[0]) + '|' + std::to_string(library.units[1]) + '|' +
                     std::to_string(library.units[2]) + '|' + std::to_string(library.sections.capacity) + '|' +
                     std::to_string(library.sections.count);
  for (const BeamSection& section : library.sections.records) {
    text += '\n' + section.name + '|' + section.description;
    for (float value : {section.A, section.Imaj, section.Imin, section.J, section.Asmaj, section.Asmin, section.depth,
                        section.width}) {
      char number[16];
      std::snprintf(number, sizeof number, "|%08x", std::bit_cast<std::uint32_t>(value));
      text += number;
    }
  }
  return text;
}

std::string Written(const BeamLibraryContents& library) {
  return scratch::Written("written.bli",
                          [&](const std::string& path) { WriteBeamLibraryFile(path, library.sections); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = scratch::Write("fuzz.bli", data, size);
  const BeamLibraryContents before = OpenLibrary();
  BeamLibraryContents library = before;
  try {
    ReadBeamLibraryFile(path, library);
  } catch (const std::string&) {
    if (Described(library) != Described(before)) scratch::Fault("a refused file changed the open document");
    return 0;
  }
  const std::string written = Written(library);
  const std::string again = scratch::Write("again.bli", written);
  BeamLibraryContents reread = before;
  ReadBeamLibraryFile(again, reread);
  reread.units = library.units;  // the writer stores the program's units
  if (Described(reread) != Described(library)) scratch::Fault("what was read and written back read differently");
  if (Written(reread) != written) scratch::Fault("what was read and written back wrote other bytes the second time");
  return 0;
}

std::vector<std::string> FuzzSeeds() {
  std::vector<std::string> seeds = {Written(BeamLibraryContents{}), Written(Library(4))};
  // Version 600: the same sections with four-byte names.
  constexpr std::size_t kHeader = 32, kRecord = 6 + 16 + 32;
  const std::string& current = seeds.back();
  std::string old = current.substr(0, kHeader);
  old.replace(11, 3, "600");
  for (std::size_t at = kHeader; at + kRecord <= current.size(); at += kRecord)
    old += current.substr(at, 4) + current.substr(at + 6, kRecord - 6);
  seeds.push_back(old);
  return seeds;
}
