// The pipe loads as the model's rows use them: whether a row names a load
// (as its own or as a jacket's), renaming a load through every row, and
// merging another model's loads with their rows (see records/PipeLoad.h for
// the records).
#pragma once

#include <string>
#include <vector>

#include "records/PipeLoad.h"

struct LayoutRow;
struct Model;

// Whether any layout row names the record's load, as its own load or as the
// jacket load of a jacketed pipe or bend; false for a record without a name.
bool IsPipeLoadInUse(const Model& model, int record);
// Record `record` takes the name `to`, and so does every row's load (jacket
// loads too) that reaches it; marks the model modified.
void RenamePipeLoad(Model& model, int record, const std::string& to);

// The merge (ReadMergePipeLoads read the merged file's section): the merged
// records appended to the model's. A merged load whose name a pipe load or
// a beam load of the model already carries takes the first free name of
// "1" .. "999", and the merged rows (loads and jacket loads) follow through
// one map from the original names. Throws the message text, changing
// nothing, when no free name is left.
void MergePipeLoads(Model& model, const ModelRecordTable<PipeLoad>& merged, std::vector<LayoutRow>& mergedRows,
                    int mergedRowCount);
