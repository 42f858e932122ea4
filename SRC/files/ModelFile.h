// The model file (*.mod): reading a whole model into a fresh Model and
// swapping it in only when every section was read, and writing the open model
// as version 900 through a temporary file renamed over the target.
//
// Layout: a 16-byte header ("QUORVELWMOD" and three version digits), the
// 50-byte title, the 220-byte Quality Assurance Block, the revision record
// (versions above 720), then one section per model module in a fixed order
// (ModelFile.cpp lists it). Versions 500 to 900 are read, 503 is refused;
// files with the older header "QUORVEL.MOD" go to ConvertOldModelFile.
//
// g_ModelFileVersion is the version of the file being read, from the header
// until the next read; every section reader and every per-kind Read tests it.
// Errors are thrown or returned as the message texts the user reads; showing
// them is the caller's business (no windows here).
#pragma once

#include <functional>
#include <string>
#include <vector>


struct BinaryFile;
struct Model;


// Reads the model file at `path` into `model` (which it first makes a new
// empty model from the program's options). Throws the message text on any
// failure; `model` is then unspecified, so callers read into a fresh Model.
// A file of the old format is converted; what its conversion took in place
// of a value out of range is appended to `notes`. A load case of the list
// that needs more thermal loads than the model uses is dropped, with a note
// (a file of the current format then leaves the model modified).
// Every number of the file as read (before the making computes again what
// it makes: a bend's radius below 0.01 takes its section's, the nodes are
// placed anew) keeps the rule of a stored value, or the first that does
// not is thrown, named by record and field (ModelWriteFault, ModelIntake.h);
// only the values below 1E-37 of the point tables and wind profiles, which
// older programs kept, are mended to the typed zero with a note.
void ReadModelFileInto(const std::string& path, Model& model, std::vector<std::string>* notes);
void ReadModelFileInto(const std::string& path, Model& model);
// The same for a road that ends at the intake (ModelIntake.h): a number of
// the file out of range is not thrown but named in `fileValueFault` (empty
// when none is), for the road's intake to refuse with its outcome. Undo
// reads its snapshots so too, taking back whatever the model held.
void ReadModelFileInto(const std::string& path, Model& model, std::vector<std::string>* notes,
                       std::string& fileValueFault);

// Runs `read`, which reads the model file at `path` (the model reader or a
// part of it), and returns the empty text, or the message of its failure:
// the text it threw (as a std::string or a C string), "*** Out of memory
// ***", or, for any other standard exception (a container refusing the
// size a damaged count asks for), "Unable to read model file:" and the
// path. Every road that reads a model file (open, merge, the automatic
// save's recovery, undo, the read-back after a save) catches through here,
// so none lets a damaged file end the program where another shows it.
std::string CatchModelRead(const std::string& path, const std::function<void()>& read);

// The open command's reader: reads the model file at `path` and, when the
// whole file was read, makes its model the open model (swap), takes its units
// and puts the path at the top of the recent models; returns the empty text.
// On failure returns the message and the open model is exactly as it was.
// Undo snapshots use ReadModelFileInto and SwapModel instead. The notes of
// an old model's conversion and of dropped load cases go to `notes`, for
// the caller to show.
std::string ReadModelFile(const std::string& path, std::vector<std::string>* notes = nullptr);

// Why a file written from `model` could not be read back (the last making
// of the rows failed: the node table was full, or a node coordinate or a
// bend's geometry is not a finite number, named by its row and offset; more
// rows or nodes than the reader takes), with "The model was not saved.";
// empty when it can be written.
std::string ModelFileRefusal(const Model& model);
// Why no model is written to `path`: it names the program folder's sample
// (services/ProgramSample.h), with "The model was not saved."; empty
// otherwise.
std::string ModelPathRefusal(const std::string& path);
// Writes `model` to `path` as version 900: a temporary file beside the
// target, renamed over it when every byte was written and the reader has
// read it back. Returns the empty text or the message of the failure (the
// previous file is then untouched); nothing is written to a path that
// ModelPathRefusal refuses, and a model that ModelFileRefusal refuses,
// whose file would record a number out of the rule of a stored value
// (ModelWriteFault, ModelIntake.h: what Open refuses), or whose file the
// reader refuses, whatever road brought it, is not written.
std::string WriteModelFileFrom(const Model& model, const std::string& path);
// Why `model` cannot be kept as it is: the writer refuses it
// (WriteModelFileFrom: a text too long for its field, a value the reader
// refuses, a model that cannot be made), or the file written reads back as
// a model whose file differs from it, named by the first byte that differs;
// with "The model was not saved.". Empty when it saves and reads back to
// the same bytes. The view an open fits anew to a model never viewed is not
// compared.
std::string ModelSaveRefusal(const Model& model);
// Writes the open model to `path` and clears its modified flag on success.
std::string WriteModelFile(const std::string& path);
// The whole model into an open stream, as version 900 (used by the file
// writer and by model snapshots).
void WriteModelStream(BinaryFile& file, const Model& model);
