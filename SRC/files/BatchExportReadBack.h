// What the batch file writer tells the read-back comparison about the file
// it wrote (BatchExport*.cpp fill it, BatchExportReadBack.cpp reads it):
// where each record and row of the model went in the file, the names it
// wrote records under, and the fields whose change it has named already.
#pragma once

#include <array>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "files/BatchExportFields.h"

struct Model;

struct BatchFileRecords {
  // Per table, for record i of the model (from 1): its number among the
  // records the file holds, 0 when it was not written.
  std::vector<int> materials, soils, sections, pipeLoads, beamMaterials, beamSections, beamLoads;
  std::vector<int> pumps, compressors, turbines, allowables;
  // Per table, for record i of the model (from 1): the name its line
  // gives it, empty when it was not written. Two records of one name are
  // written under two names, so that neither is dropped or merged.
  std::array<std::vector<std::string>, kNameTableCount> recordNames;
  // Per table: the name the file gives the record that rows naming a name
  // reach (the first of the name), where it is not that name.
  std::array<std::map<std::string, std::string>, kNameTableCount> names;
  // Per row the file gives (from row 1): the model's row it stands for (0:
  // none, such as a title row the model has no row for), and which of its
  // parts it carries.
  enum class Part { kWhole, kElement, kItem };
  std::vector<std::pair<int, Part>> rows;
  // The fields the writer named itself: "Row 12" and "knuckles flag".
  std::set<std::pair<std::string, std::string>> named;
  // Per line of the file (from line 1): the record or row it was written
  // for ("Row 12", "Material CS"), empty for a header or a blank line.
  std::vector<std::string> linePlaces;

  // The name the file gives a record of `table` named `name`.
  std::string WrittenName(NameTable table, const std::string& name) const;
};

// How the list names record `number` of a table of `kind` ("Material"): by
// its name (quoted when it has a blank at either end), or, when that would
// not tell it apart (no name, a blank one, or the name of an earlier
// record: `first` is false), by its number too.
std::string RecordPlace(const std::string& kind, const std::string& name, int number, bool first);

// The text as the import gives it back: the file is UTF-8, and a character
// of the program's code page that has none there reads back as '?'.
std::string TextAsRead(const std::string& text);

// Names in `leftOut` every field of the options, the tables, the rows and
// their items that the batch file `text` (the writer's program text) reads
// back otherwise, by what `records` says was written for `model`, and the
// records no batch line holds or that do not come back. When the import
// refuses the file, the record or row whose line it refuses and why go to
// `refusal`, and a line saying so to the front of `leftOut`.
// The units in force are kept.
void ListBatchFileDifferences(const Model& model, const std::string& text, const BatchFileRecords& records,
                              std::vector<std::string>& leftOut, std::string* refusal);
