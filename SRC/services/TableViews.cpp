// The registered tables, in the order they registered; a table registers at
// most once.
#include "services/TableViews.h"

#include <algorithm>
#include <vector>

#include "services/TableWindow.h"

namespace {

std::vector<TableWindow*>& InputTables() {
  static std::vector<TableWindow*> tables;
  return tables;
}

std::vector<TableWindow*>& ResultTables() {
  static std::vector<TableWindow*> tables;
  return tables;
}

void Register(std::vector<TableWindow*>& tables, TableWindow& table) {
  if (std::find(tables.begin(), tables.end(), &table) == tables.end()) tables.push_back(&table);
}

void ResetAll(const std::vector<TableWindow*>& tables) {
  for (TableWindow* table : tables) TableReset(*table);
}

}  // namespace

void RegisterInputTableView(TableWindow& table) { Register(InputTables(), table); }
void RegisterResultTableView(TableWindow& table) { Register(ResultTables(), table); }
void ResetAllInputTableViews() { ResetAll(InputTables()); }
void ResetAllResultTableViews() { ResetAll(ResultTables()); }
