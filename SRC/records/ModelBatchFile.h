// The model batch file (*.mbf): the grammar every section reader shares.
// A batch file is read line by line; each line is split into fields by one
// of two splitters, a line whose first word is a section header switches
// the reader to that section, and every other line is a data line of the
// section in force. This module owns the reader state of one import, the
// two splitters, the header table, the line numbers and the one error form
// ("Line = %d :  %s\n%s"); the sections are BatchSections.h and
// BatchLayout.h, the import itself BatchImport.h.
//
// Lines are read whole, however long, and end at a line feed, a carriage
// return or both; each is taken as program text (a UTF-8 line converted,
// services/TextFileEncoding.h) before anything reads it; each physical line counts, header and blank lines
// included, so an error names the line an editor shows. A line holding a
// control character other than a blank (a NUL of a binary or UTF-16 file)
// is refused with its column, so no text is read cut short; a Ctrl+Z as the
// file's last byte ends the file. The working copy of a line is upper-cased
// (plain ASCII letters) unless it starts with "*", whose comment keeps its
// case; the title takes the line as read.
//
// Start reading at ReadBatchSectionHeader.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/Material.h"

struct Model;

enum BatchSection : std::int32_t {
  kBatchEnd = -1,
  kBatchTitle = 0,
  kBatchOptions = 1,
  kBatchMaterial = 2,
  kBatchPipe = 3,
  kBatchJoint = 4,
  kBatchLayout = 5,
  kBatchSeismic = 6,
  kBatchWind = 7,
  kBatchBeamMaterials = 8,
  kBatchBeamSections = 9,
  kBatchBeamLoads = 10,
  kBatchLoads = 11,
  kBatchPumps = 12,
  kBatchCompressors = 13,
  kBatchTurbines = 14,
  kBatchSoils = 18,
  kBatchAllow = 19,
};

// One splitter's place in the text it was last started on (its own copy).
struct BatchFieldCursor {
  std::string text;
  std::size_t position = 0;
  std::size_t fieldStart = 0;  // where the field last returned begins
};

// Starts the cursor on a copy of `text`.
void StartBatchFields(BatchFieldCursor& cursor, std::string_view text);
// The next field, or nothing at the end of the text. Fields are separated by
// white space or commas (NextBatchField) or by commas alone
// (NextBatchCommaField); a parenthesised stretch is never split, and two
// separators in a row give an empty field.
std::optional<std::string> NextBatchField(BatchFieldCursor& cursor);
std::optional<std::string> NextBatchCommaField(BatchFieldCursor& cursor);

// The material, section and load names and the pipe conditions that a LAYOUT
// line gives for itself and every line after it.
struct BatchLayoutNames {
  std::string material;
  std::string section;
  std::string load;
  float temperature = 70.0f;  // degrees F
  float pressure = 0.0f;
  float specificGravity = 0.0f;
  float uniformLoad = 0.0f;
};

// A line kept for a check that only the whole file can make.
struct BatchLineRecord {
  int row = 0;
  int lineNumber = 0;
  std::string line;  // as read
  bool offsets = false;  // the row was given offsets, which the making may drop
};

// The reader state of one import.
struct BatchReader {
  std::istream* input = nullptr;
  Model* model = nullptr;  // the model being filled
  int lineNumber = 0;
  std::string rawLine;  // as read
  std::string line;     // the working copy
  std::int32_t section = kBatchTitle;
  int headersRead = 0;  // header lines met so far
  // The blank-and-comma cursor stands after the first field of the line
  // once ReadBatchSectionHeader returns.
  BatchFieldCursor fields;
  BatchFieldCursor commaFields;
  // A data line fetched ahead (an attribute list's continuation that met a
  // header) that the import loop has yet to hand to its section.
  bool lineWaiting = false;
  // Import defaults and values in force.
  std::int32_t defaultHangerType = 16;
  BatchLayoutNames names;
  int lastMaterial = 0;  // the record that temperature rows go to
  // A material of a name given before, read and checked with its
  // temperature rows, and left out of the model.
  std::optional<Material> leftOutMaterial;
  std::int32_t thermalLoads = 1;  // thermal loads in use by the LOADS lines read
  // Per beam load (from 1): how many of its temperatures its line gave; the
  // others take the reference temperature once the whole file is read.
  std::vector<int> beamTemperaturesGiven = std::vector<int>(1);
  bool conditionsNoted = false;
  // The rows checked once the model is made (BatchLayout.h).
  std::vector<BatchLineRecord> checkedLines;
  // Warnings the import shows when it has ended well.
  std::vector<std::string> log;
};

// Reads lines until the reader holds a data line, switching the section at
// each header on the way; at the end of the file or at "COD" the section
// becomes kBatchEnd.
void ReadBatchSectionHeader(BatchReader& reader);

// What the reader makes of `line` met while `section` is in force: the
// section its header word opens, kBatchEnd for the end word "COD", or
// nothing when it is a data line of `section`.
std::optional<std::int32_t> BatchLineSwitch(std::string_view line, std::int32_t section);

// The section a header word stands for (the first field of a line cut to
// five characters, upper case), or nothing.
std::optional<std::int32_t> BatchHeaderSection(std::string_view word);

// The error of the current line: "Line = %d :  %s\n%s", with " :  " and the
// field appended when one is given. Thrown as the message text.
[[noreturn]] void BatchLineError(const BatchReader& reader, const std::string& message);
[[noreturn]] void BatchLineError(const BatchReader& reader, const std::string& message, std::string_view field);
// The same text, for a caller that reports rather than throws.
std::string BatchLineErrorText(int lineNumber, std::string_view line, const std::string& message);

// A warning of the current line for the import log.
void LogBatchWarning(BatchReader& reader, const std::string& warning);
// A text longer than its field cut to `width` characters, with a warning
// naming what was cut.
std::string CutBatchText(BatchReader& reader, const std::string& text, std::size_t width, const char* what);
