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
// its item) and is named in the list of what was left out, as is every
// value the grammar cannot carry; nothing is dropped without a line there.
// The reader takes a line whose first word is a section word for a header:
// a title or description that begins with one is written after a ' (and
// named with what reads back), a record named by one is named, not written.
// The records no batch line holds (spectra, force spectra, time functions)
// are named too, and the file is read back as the import reads it to name
// what comes back otherwise: the loads' design conditions, the load-case
// list, the dynamic analysis settings and the other analysis options
// (BatchExportReadBack.cpp); a file the import refuses is shown as such,
// with its line and why.
//
// The file is written beside its final name and renamed over it once whole
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
// `refusal`, when given, the import's message when it refuses the text
// (which `leftOut` then names first).
std::string WriteModelBatchText(const Model& model, BatchExportUnits units, std::vector<std::string>& leftOut,
                                std::string* refusal = nullptr);

// Names in `leftOut` what the batch file `text`, written for `model`, does
// not carry of the model's other records: its response spectra, force
// spectra and time functions, and, read back as the import reads it, every
// difference in the wind flags and the design conditions of the loads, the
// load-case list, the dynamic analysis settings and the analysis options,
// with what the import gives instead. When the import refuses the file, its
// message ("Line = 7 :  ...\n<why>") goes to `refusal` and one line naming
// it to the front of `leftOut`. The units in force are kept.
void ListBatchRecordsNotWritten(const Model& model, const std::string& text, std::vector<std::string>& leftOut,
                                std::string* refusal = nullptr);

// Writes the file; the message of a failure ("Unable to open export
// file:\n<path>", "Unable to write export file:\n<path>"), empty when written.
std::string WriteModelBatchFile(const Model& model, const std::string& path, std::vector<std::string>& leftOut,
                                std::string* refusal = nullptr);

// The command: the save dialog over `parent`, the file, the import's
// refusal of it when it refuses it (with its line and why), and the list of
// what was left out when there is any.
void ExportBatchFile(HWND parent);
