// Merging another model file into the open model: the Layout window's
// File > Merge command (the "Merge Model" open dialog), the checks that
// refuse a merge before anything changes, the renaming of clashing record
// names, the optional renumbering of clashing nodes, and the append of the
// other model's tables and rows behind the open model's.
//
// The other file is read whole by the model file reader into a model of its
// own, and refused as Open refuses it for a number out of range (before
// anything is asked); the rows whose offsets its making dropped are noted
// under their merged numbers as Open notes them. Of it, the tables and rows
// are merged and everything else (title, options but the vertical axis,
// load cases, graphics, spectra, time functions) is dropped. A merged record whose name the open model already
// uses (pipe and beam tables sharing names) takes the first free number
// "1".."999", and every merged reference follows: rows, bend and jacket
// materials, jacket sections and loads, and the soils named by merged pipe
// sections. The merge is one undo step; a failure once appending began (the
// node table full) puts the model back as it was. Merged time varying and
// force spectrum loads whose function or spectrum the open model lacks are
// listed afterwards.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

struct Model;

// Merges the model file at `path` into the open model, asking over
// `parent`; true when the model changed. Every refusal is shown.
bool MergeModelFile(HWND parent, const std::string& path);

// Appends every table and row of `merged`, a model the model reader read,
// behind those of `model`, renaming the records whose names `model` uses
// and the merged references that follow them, and makes the model again.
// Throws the message of a table with no free name left, when the tables
// before it are appended already: the caller puts the model back. The
// refusals, the questions and the gate of the edit are MergeModelFile's.
void AppendMergedModel(Model& model, Model& merged);

// The names of the merged items whose time function or force spectrum the
// open model lacks, one line each ("Row 12: time function TF1 is not in the
// model"); rows numbered as appended.
std::vector<std::string> MissingMergedReferences(const Model& model, int firstMergedRow);

// File > Merge: the open dialog, then MergeModelFile.
void MergeModelDialog(HWND parent);
