// Writing the open model as a model batch file (*.mbf) that the batch import
// reads back: the Layout window's "&Export to MBF..." command, its save
// dialog, and the writer itself.
//
// The writer does not convert numbers: it switches the program's units to
// one of three fixed sets for the length of the export (English, inch, SI;
// chosen from the user's length unit and EXPORT_INCHES), names the set on
// the OPTIONS line and formats every value through the units module. Angles
// are always written in degrees, which is what the reader takes when the
// OPTIONS line does not say RAD. The user's units are back when it returns.
//
// Sections are written in the order OPTIONS, MATERIAL, SOILS, PIPE, LOADS,
// BMATERIALS, BSECTIONS, BLOADS, LAYOUT, PUMPS, COMPRESSORS, TURBINES,
// ALLOW, SEISMIC, WIND. The LAYOUT writer is table-driven: one writer per
// element kind and per data-item kind that the reader takes. A row of a
// kind without a writer keeps its geometry (written as a pipe, or without
// its item) and is named in the list of what was left out.
//
// Every name and text is written so that it reads back, or left out, and
// the change is named: the reader takes a line whose first word is a
// section word for a header, so a title or description that begins with
// one is written after a '; a comma or "(" would end a field or take the
// next ones, so a description's become ';' and '['. Names are planned
// record by record: the first record of a name that reads back as itself
// keeps it; a record whose name would read back as a header, as another
// record's (the file is read in capitals: "cs" is "CS"), not at all, or
// that repeats an earlier record's name (which the import would leave out)
// is written under a free name of the name rule ("PIPE1", "CS1", "M1" for
// none), and so are the rows that reach it; a record of no name that holds
// nothing is left out. Equipment without a description is written under
// one of its own ("PUMP 2"). A row's name of a record the model does not
// hold is left out. Row 1 is left to the title line only when it is the
// title's own comment.
//
// Then the file is read back as the import reads it, and the model it
// gives is compared with the model written, field by field as the model
// file stores each record (BatchExportReadBack.cpp, BatchExportFields.h):
// every field that comes back otherwise is named, unless the writer named
// it, saying what happened: written rounded to the text the file holds,
// taken by the import as a value of its own, or not written. A file the
// import would refuse is not written; the refusal, with the record or row
// whose line it refuses and why, is the command's message.
//
// Text is written in UTF-8 (services/TextFileEncoding.h). The file is
// written beside its final name and renamed over it once whole
// (ExportFiles.h), so a failed write leaves no partial file.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"
#include "services/Units.h"

struct Model;

enum class BatchExportUnits { English, Inch, Si };

// The program's units made one of the export sets for the scope's life
// (the first unit of every kind; inch lengths; the "SI" word's set); the
// units in force before are back when it ends.
class ExportUnitsScope {
 public:
  explicit ExportUnitsScope(BatchExportUnits set);
  ~ExportUnitsScope();
  ExportUnitsScope(const ExportUnitsScope&) = delete;
  ExportUnitsScope& operator=(const ExportUnitsScope&) = delete;

 private:
  UnitsSettings saved_;
};

// The set the OPTIONS line names for the user's units now in force: SI for
// m or mm lengths, Inch for inch lengths when EXPORT_INCHES is set, else
// English.
BatchExportUnits ChooseBatchExportUnits();

// The whole file's text for `model` in `units`; `leftOut` receives one line
// per row or record written incomplete or not at all ("Row 12: ..."), and
// `refusal`, when given, why the import would refuse the text, by the
// record or row whose line it refuses ("Row 4: ..."; `leftOut` then names
// it first).
std::string WriteModelBatchText(const Model& model, BatchExportUnits units, std::vector<std::string>& leftOut,
                                std::string* refusal = nullptr);

// Writes the file, in UTF-8; the message of a failure ("Unable to open
// export file:\n<path>", "Unable to write export file:\n<path>"), empty
// when written. A text the import refuses is not written: the message is
// then "The file was not written: the import would refuse it." with the
// record or row and why, which also goes to `refusal`.
std::string WriteModelBatchFile(const Model& model, const std::string& path, std::vector<std::string>& leftOut,
                                std::string* refusal = nullptr);

// The command: the save dialog over `parent`, the file, and the list of
// what was left out when there is any (or why no file was written).
void ExportBatchFile(HWND parent);
