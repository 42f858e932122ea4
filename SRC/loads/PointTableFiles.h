// Point tables (force spectra, time functions) to and from text: one reader
// of the text files and one comma-separated writer for both lists. The two
// kinds differ only in their words, in whether a value may be negative, and
// in whether a file may hold more than one table (a PointTableTextForm); the
// reading is one, so a fault of one kind's files is mended for both.
//
// A point table text file holds a name line, then data lines of an abscissa
// and a value. Where the form has an end mark, a line beginning with it (in
// any letter case) ends a table and announces another. Empty lines are
// skipped; lines are read whole. The whole file is checked before anything
// changes: a fault names its line and leaves the list as it was. Abscissas
// must not be negative, every table needs points, an abscissa may not repeat
// within 1e-8 of another of its table, and a name may stand only once in a
// file.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "records/PointTables.h"

struct Model;

struct PointTableTextForm {
  const char* noName;            // "File does not have time function name"
  const char* invalidValues;     // "Invalid time function values"
  const char* negativeAbscissa;  // "Time should be positive"
  const char* negativeValue;     // "Spectrum value should be positive"; null: values may be negative
  const char* abscissaRepeated;  // "The time of line " (the line's number and " is given again" follow)
  const char* noPoints;          // "There are no time function data points"
  const char* nameRepeated;      // "Time function " (the name and " is already in the file" follow)
  const char* endMark;           // "-1.e11"; null: one table a file
  const char* abscissaName;      // "Time": the abscissa's field in messages
  const char* notAscending = nullptr;  // "Times must ascend"; null: the points are sorted
};

// The tables of a point table text file, in file order: each name (as
// KeptTableName keeps it) with its points in file order, 0 read as 1.0e-36.
// Throws the message text of the first fault.
std::vector<NamedPoints> ParsePointTablesText(std::istream& in, const PointTableTextForm& form);

struct PointTableReadForm {
  PointTableTextForm text;
  const char* openTitle;  // "Read Time function from a Text File"
  NamedPointsList& (*list)(Model& model);
  // The question when a table of that name exists; the info message after.
  std::string (*overwriteQuestion)(const std::string& name);
  std::string (*readMessage)(const std::vector<NamedPoints>& tables, const std::string& path);
};

// The command: the open dialog, the questions for names that exist, the
// tables placed from the table's row (0-based `row`) on, and the message.
// True when tables were read.
bool ReadPointTablesFromTextFile(HWND owner, std::size_t row, const PointTableReadForm& form);
// The same for a path chosen already.
bool ReadPointTablesTextFile(HWND owner, const std::string& path, std::size_t row, const PointTableReadForm& form);

struct PointTableCsvForm {
  const char* nameLabel;  // "Time function = ,"
  const char* heading;    // "Time(Sec),Value"
};

// The comma-separated text of every saved table, lines ended with CR LF.
std::string PointTablesCsvText(const NamedPointsList& list, const PointTableCsvForm& form);
// The command: the export dialog with `fileName` proposed, then the text
// written. True when written.
bool ExportPointTables(HWND owner, const NamedPointsList& list, const PointTableCsvForm& form,
                       const char* fileName);

// Writes `text` (the program's text) to the export file the dialog opened,
// in UTF-8; false with the message shown when it could not be written.
bool WriteCsvExport(HWND owner, const std::string& text);
