// The stress tables' View items; see ResultViewItems.h.
#include "results/ResultViewItems.h"

#include "platform/Menu.h"
#include "resultsfile/ResultNavigation.h"
#include "services/Frame.h"

namespace {

constexpr int kGraphicsCommand = 253;

HMENU ViewPopup() { return ResultsFrame().menu != nullptr ? GetSubMenu(ResultsFrame().menu, 2) : nullptr; }

int PositionOf(HMENU popup, int id) {
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(popup, i) == static_cast<UINT>(id) && GetSubMenu(popup, i) == nullptr) return i;
  return -1;
}

}  // namespace

void InsertViewItems(const std::vector<ViewItem>& items) {
  HMENU view = ViewPopup();
  if (view == nullptr || items.empty() || ResultsMenuHas(items.front().id)) return;
  for (const ViewItem& item : items)
    InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(item.id), item.text.c_str());
  InsertMenu(view, kGraphicsCommand, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
}

void RemoveViewItems(const std::vector<int>& ids) {
  HMENU view = ViewPopup();
  if (view == nullptr) return;
  bool held = false;
  for (int id : ids)
    if (ResultsMenuHas(id)) {
      DeleteMenu(view, static_cast<UINT>(id), MF_BYCOMMAND);
      held = true;
    }
  if (!held) return;
  const int graphics = PositionOf(view, kGraphicsCommand);
  if (graphics > 0 && GetMenuItemID(view, graphics - 1) == 0 && GetSubMenu(view, graphics - 1) == nullptr)
    DeleteMenu(view, static_cast<UINT>(graphics - 1), MF_BYPOSITION);
}

std::string ViewItemText(int id) {
  HMENU view = ViewPopup();
  if (view == nullptr || !ResultsMenuHas(id)) return {};
  char text[128] = {};
  GetMenuString(view, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
  return text;
}
