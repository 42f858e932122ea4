// Importing a model batch file (*.mbf) into a new model: the section loop
// over the whole file, the title, the finishing of the model (pipe loads'
// design values, load cases, the node table and the view), and the two roads
// that reach it: the main window's Import command (350) and the command
// line, which then analyses the model and opens its results.
//
// The file is read into a fresh model and replaces the open model only when
// the whole file was read: an error names its line and leaves the open
// model, its path and the units exactly as they were. The imported model is
// written beside the batch file under the extension "mod" (after a question
// when that file exists, except in a batch run) and becomes the open model.
// Nothing is written for a file that is no batch file (a folder, an empty,
// binary or UTF-16 file: no section header), nor over the file being read.
//
// A batch file is known by its extension, "mbf" in any case. In a batch run
// (BatchRun: the command line named a batch file) nothing asks a question;
// with no display to show a dialog on, every message goes to the standard
// error stream, and a run that cannot end in results ends the program with
// exit code 1. With a display the run ends with the model in the Layout
// window and its results opened over it, and the session is an ordinary
// one from then on. While the run lasts, a report printed to a file goes,
// without a dialog, to a CSV file of its own beside the model (g_BatchRun
// of the report output), never over the model or its results.
//
// Start reading at ReadModelBatchFile; the sections are ModelBatchFile.h,
// BatchSections.h and BatchLayout.h.
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

struct Model;
struct UnitsSettings;

// Set for the time of a batch run started from the command line; the
// modules that would ask the user something skip their questions then.
inline bool BatchRun = false;

// Reads a whole batch file into `model`, which it first makes a new empty
// model, then makes the model (node table, view towards (1, 1, 1) fitted).
// Warnings for the import log are appended to `log`. Throws the message text
// of the first error; the program's units (which the file's OPTIONS choose
// and the model keeps) are then back as they were.
void ReadModelBatchFile(std::istream& input, Model& model, std::vector<std::string>& log);

// Whether a command-line name (quotes and blanks around it allowed) names a
// batch file: its extension is "mbf", in any case.
bool IsBatchFileName(std::string_view name);

// The model file of a batch file: its extension replaced by "mod", or
// ".mod" appended when it has none.
std::string BatchModelPath(const std::string& batchPath);

// Imports the batch file at `path` and makes it the open model; messages are
// shown over `owner`. True when the model was imported (and written, unless
// the user chose to keep an existing model file: the model is then
// untitled and modified).
// `reader` reads the other formats the Import command takes (neutral
// files) the same road: same model file beside the source, same question
// before overwriting, same log.
using ImportedFileReader = void (*)(std::istream& input, Model& model, std::vector<std::string>& log);
bool ImportBatchFile(HWND owner, const std::string& path, ImportedFileReader reader = nullptr);

// The command-line road: import, analyse, then show the model and open its
// results; a run that fails ends the program with exit code 1.
void RunBatchFileFromCommandLine(HWND mainWindow, const std::string& path);

// What every import does once the file was read: code options, load cases,
// pipe loads completed, the program's units, the nodes made and the view fit.
void FinishImportedModel(Model& model);

// The load-case list of an imported model from its piping code and the
// thermal loads its pipe loads put in use.
void BuildImportedLoadCases(Model& model);

// The units the "SI" word of the OPTIONS section chooses (every kind but
// Angle), set in `units`; the exports write in the same set.
void SetBatchSiUnits(UnitsSettings& units);
