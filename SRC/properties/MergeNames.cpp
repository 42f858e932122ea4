// Merge rename maps; see the header.
#include "properties/MergeNames.h"

#include <set>

RenameMap BuildMergeRenameMap(const std::vector<std::string>& names,
                              const std::function<bool(const std::string&)>& taken, const char* kind) {
  // Every name a merged record will carry once appended: the model's, the
  // merged records' own, and each number given out.
  std::set<std::string> given(names.begin(), names.end());
  RenameMap map;
  int next = 1;
  for (const std::string& name : names) {
    if (name.empty() || !taken(name) || map.count(name) != 0) continue;
    while (next <= 999 && (taken(std::to_string(next)) || given.count(std::to_string(next)) != 0)) ++next;
    if (next > 999)
      throw std::string(kind) + " " + name + " is already defined and the names 1 to 999 are all in use:\n" +
          "the model cannot be merged.";
    const std::string fresh = std::to_string(next);
    map[name] = fresh;
    given.insert(fresh);
  }
  return map;
}

const std::string& RenamedName(const RenameMap& map, const std::string& name) {
  const auto found = map.find(name);
  return found == map.end() ? name : found->second;
}
