// The names that merged records take when theirs clash with the open
// model's: the first free number from "1" to "999". One rename map is built
// from the merged records' original names before anything changes and is
// then applied once to the records and every merged reference, so a record
// renamed to "1" can never be caught by a second rename, and a merged record
// whose own name is a number is never given that number twice. When no
// number is free the merge is refused with a message and nothing changes.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

using RenameMap = std::map<std::string, std::string>;

// `names` are the merged records' names in order; `taken` says whether a
// name belongs to the open model (for the record kind and its beam twin).
// `kind` ("Material", "Section") names the record in the refusal.
RenameMap BuildMergeRenameMap(const std::vector<std::string>& names,
                              const std::function<bool(const std::string&)>& taken, const char* kind);

// The new name of `name`, or the name itself when the map does not rename it.
const std::string& RenamedName(const RenameMap& map, const std::string& name);
