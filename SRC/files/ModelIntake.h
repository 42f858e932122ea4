// The one check every road that makes a model from a file ends at before
// the model is shown: Open of a model file (and of the two older formats it
// converts), Import of batch, neutral and CAESAR II neutral files, and
// Merge. A reader names the line or record it refuses as it reads; what
// it lets through meets here, whichever reader made the model:
//
// - the rules of the making and of the rows (model/ModelRules.h,
//   BrokenRowRules), for a model an import made: a model file that broke
//   one opens as it always did, and the gate of every edit keeps it from
//   breaking more; the nodes equipment and allowables name are stored as
//   read, as every import stores them;
// - the rule of a stored value (services/NumberText.h, StoredValueAcceptable)
//   over the point tables every road fills (spectra, force spectra, time
//   functions; of the wind profiles the limit of 1E38) and over every other
//   number the model stores but those its making computes, named by record
//   and field: what a cell refuses a file may not bring in, a model file's
//   options, tables and rows among them;
// - the writer's own check: the model saves, and the file reads back as a
//   model whose file is the same bytes (ModelSaveRefusal, ModelFile.h), so
//   that the model shown is one Save takes and one that does not change
//   when it is saved and opened again.
//
// The readers mend with a note what older files are known to hold; what is
// left to refuse here is what no road of the program would keep.
#pragma once

#include <string>

struct Model;

enum class IntakeRoad {
  kModelFile,  // Open: a model file of this or an older format
  kImport,     // Import: a batch, neutral or CAESAR II neutral file
  kMerge,      // Merge: the open model with the merged rows
};

// The refusal of the model a road made, ending in "The model was not
// opened." (or imported, merged); empty when the model may be shown.
// `model` is made on the way (its nodes are rebuilt).
std::string ModelIntakeRefusal(Model& model, IntakeRoad road);
