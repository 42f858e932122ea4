// The recent-models menu entries (see RecentModelsMenu.h).
#include "services/RecentModelsMenu.h"

#include <string>

#include "platform/Paint.h"
#include "platform/ShortenedPaths.h"

#include "services/RecentModels.h"

namespace {

// The widest a menu entry's path gets, in pixels.
constexpr int kMenuRoom = 480;

// A path fitted to the width of a menu entry, in the menus' font.
std::string MenuPathText(const std::string& path) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  std::string text = FitPathToWidth(dc, path, kMenuRoom);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return text;
}

}  // namespace

void RebuildRecentModelsMenu(HMENU popup) {
  const int count = CountRecentModels();
  if (count == 0) return;
  for (int position = 3; position >= 1; --position) DeleteMenu(popup, position, MF_BYPOSITION);
  const std::string first = "&1 " + MenuPathText(RecentModel(1));
  ModifyMenu(popup, kFirstRecentModelCommand, MF_BYCOMMAND | MF_STRING, kFirstRecentModelCommand, first.c_str());
  for (int slot = 2; slot <= count; ++slot) {
    const std::string text = "&" + std::to_string(slot) + " " + MenuPathText(RecentModel(slot));
    AppendMenu(popup, MF_STRING, kFirstRecentModelCommand + slot - 1, text.c_str());
  }
}

void EnableRecentModelsMenu(HMENU filePopup) {
  EnableMenuItem(filePopup, 2, MF_BYPOSITION | (CountRecentModels() > 0 ? MF_ENABLED : MF_GRAYED));
}
