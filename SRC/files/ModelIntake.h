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
//   over every number the model's file records, as its writer walks it
//   (ModelWriteFault): options, tables, point tables, rows, nodes, the
//   view, and the values the making computes from the rows; no field can be
//   left out, and the fault is named by record and field. Then the rule of
//   each field of the property tables, the one their cells, dialogs and
//   imports ask (records/FieldRules.h). A model file's own numbers are
//   walked so as it is read, before the making computes what it makes again
//   (a bend's radius below 0.01 takes its section's): the reader hands its
//   fault to the road, which refuses it here;
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
// `model` is made on the way (its nodes are rebuilt). `fileValueFault`:
// what the model reader found in the file's own numbers (ModelFile.h).
std::string ModelIntakeRefusal(Model& model, IntakeRoad road, const std::string& fileValueFault = {});

// The writer's own walk over `model`, in memory: the first number its model
// file would record that breaks the rule of a stored value, named by record
// and field ("Row 3: the DZ -1E-40 is out of range (a value is zero, or
// from 1E-37 up to 1E38)", "Time function F1, point 2: the value ..."), or
// a text too long for its field; then the first field of the property
// tables that breaks the rule its cells keep (records/FieldRules.h:
// "Material 1: the density -460 is invalid (below 0)"); empty when the
// file would take every value. Save asks it before it writes, and the gate
// of every edit asks it, so that no edit leaves a model that Save refuses.
std::string ModelWriteFault(const Model& model);
