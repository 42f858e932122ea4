// The recent-models menu entries (see RecentModelsMenu.h).
#include "services/RecentModelsMenu.h"

#include <string>

#include "services/RecentModels.h"

void RebuildRecentModelsMenu(HMENU popup) {
  const int count = CountRecentModels();
  if (count == 0) return;
  for (int position = 3; position >= 1; --position) DeleteMenu(popup, position, MF_BYPOSITION);
  const std::string first = "&1 " + RecentModel(1);
  ModifyMenu(popup, kFirstRecentModelCommand, MF_BYCOMMAND | MF_STRING, kFirstRecentModelCommand, first.c_str());
  for (int slot = 2; slot <= count; ++slot) {
    const std::string text = "&" + std::to_string(slot) + " " + RecentModel(slot);
    AppendMenu(popup, MF_STRING, kFirstRecentModelCommand + slot - 1, text.c_str());
  }
}

void EnableRecentModelsMenu(HMENU filePopup) {
  EnableMenuItem(filePopup, 2, MF_BYPOSITION | (CountRecentModels() > 0 ? MF_ENABLED : MF_GRAYED));
}
